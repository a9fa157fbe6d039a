#pragma once
// Intrusively reference-counted base of every shared model object, and the
// smart pointer that holds one counted reference to it.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>

class QxObject {
public:
    virtual ~QxObject();

    // A dying object (count -1) is never revived.
    void addRef() const;
    // Drops one reference. While other references remain, teardown() runs so
    // the object can break reference cycles; at 0 the object is deleted.
    void release() const;
    int32_t numRefs() const { return m_refCount; }
    // Drops a reference but keeps the object when the count reaches 0: for
    // a factory that held its new object counted while announcing it (so
    // observers taking and dropping references cannot delete it) and then
    // hands it out with a count of 0, as the data interfaces do.
    void releaseForHandOut() const;

protected:
    // The creator holds no counted reference: one release() without any
    // addRef() deletes the object.
    QxObject();
    // Copies never take over the source's count or teardown state.
    QxObject(const QxObject&);
    QxObject& operator=(const QxObject&);

    // Called on every release that leaves references behind. Releases made
    // from inside it only decrement.
    virtual void teardown();

    bool inTeardown() const { return m_inTeardown; }

private:
    void doTeardown() const;

    mutable int32_t m_refCount;
    mutable bool m_inTeardown;
};

// Holds null or exactly one counted reference to a T (a QxObject subclass).
template <class T>
class QxObjectSmartPtr {
public:
    using element_type = T;

    QxObjectSmartPtr() noexcept : m_p(nullptr) {}
    QxObjectSmartPtr(std::nullptr_t) noexcept : m_p(nullptr) {}
    QxObjectSmartPtr(T* p) : m_p(p)
    {
        if (m_p)
            m_p->addRef();
    }
    QxObjectSmartPtr(const QxObjectSmartPtr& other) : QxObjectSmartPtr(other.m_p) {}
    template <class U>
    QxObjectSmartPtr(const QxObjectSmartPtr<U>& other) : QxObjectSmartPtr(other.get())
    {
    }
    QxObjectSmartPtr(QxObjectSmartPtr&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    ~QxObjectSmartPtr() { reset(); }

    QxObjectSmartPtr& operator=(const QxObjectSmartPtr& other)
    {
        reset(other.m_p);
        return *this;
    }
    template <class U>
    QxObjectSmartPtr& operator=(const QxObjectSmartPtr<U>& other)
    {
        reset(other.get());
        return *this;
    }
    QxObjectSmartPtr& operator=(QxObjectSmartPtr&& other) noexcept
    {
        if (this != &other) {
            T* old = m_p;
            m_p = other.m_p;
            other.m_p = nullptr;
            if (old)
                old->release();
        }
        return *this;
    }
    QxObjectSmartPtr& operator=(T* p)
    {
        reset(p);
        return *this;
    }
    QxObjectSmartPtr& operator=(std::nullptr_t)
    {
        reset();
        return *this;
    }

    // Takes the new reference before dropping the old one, so resetting to
    // the object already held (or to one only the old object keeps alive)
    // never deletes it.
    void reset(T* p = nullptr)
    {
        if (p)
            p->addRef();
        T* old = m_p;
        m_p = p;
        if (old)
            old->release();
    }

    T* get() const noexcept { return m_p; }
    T* operator->() const noexcept { return m_p; }
    T& operator*() const noexcept { return *m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }
    bool isNull() const noexcept { return m_p == nullptr; }

    void swap(QxObjectSmartPtr& other) noexcept { std::swap(m_p, other.m_p); }

private:
    T* m_p;
};

template <class T, class U>
bool operator==(const QxObjectSmartPtr<T>& a, const QxObjectSmartPtr<U>& b) { return a.get() == b.get(); }
template <class T, class U>
bool operator!=(const QxObjectSmartPtr<T>& a, const QxObjectSmartPtr<U>& b) { return a.get() != b.get(); }
template <class T, class U>
bool operator==(const QxObjectSmartPtr<T>& a, U* b) { return a.get() == b; }
template <class T, class U>
bool operator!=(const QxObjectSmartPtr<T>& a, U* b) { return a.get() != b; }
template <class T, class U>
bool operator==(U* a, const QxObjectSmartPtr<T>& b) { return a == b.get(); }
template <class T, class U>
bool operator!=(U* a, const QxObjectSmartPtr<T>& b) { return a != b.get(); }
template <class T>
bool operator==(const QxObjectSmartPtr<T>& a, std::nullptr_t) { return !a; }
template <class T>
bool operator!=(const QxObjectSmartPtr<T>& a, std::nullptr_t) { return static_cast<bool>(a); }
template <class T>
bool operator==(std::nullptr_t, const QxObjectSmartPtr<T>& a) { return !a; }
template <class T>
bool operator!=(std::nullptr_t, const QxObjectSmartPtr<T>& a) { return static_cast<bool>(a); }
// Ordered containers keyed by objects order them by address.
template <class T>
bool operator<(const QxObjectSmartPtr<T>& a, const QxObjectSmartPtr<T>& b) { return std::less<T*>()(a.get(), b.get()); }

template <class T>
void swap(QxObjectSmartPtr<T>& a, QxObjectSmartPtr<T>& b) noexcept { a.swap(b); }

namespace std {
template <class T>
struct hash<QxObjectSmartPtr<T>> {
    size_t operator()(const QxObjectSmartPtr<T>& p) const noexcept { return hash<T*>()(p.get()); }
};
} // namespace std
