// Reference counting, teardown and smart-pointer semantics of the object base.
#include <gtest/gtest.h>

#include "core/QxObject.h"

#include <map>
#include <vector>

namespace {

struct Probe : QxObject {
    explicit Probe(int* deaths = nullptr, int* teardowns = nullptr)
        : deaths(deaths), teardowns(teardowns)
    {
    }
    Probe(const Probe&) = default;
    Probe& operator=(const Probe&) = default;
    ~Probe() override
    {
        if (deaths)
            ++*deaths;
    }
    void teardown() override
    {
        if (teardowns)
            ++*teardowns;
    }
    int* deaths;
    int* teardowns;
};

// Owns a child that points back at it: the cycle is broken in teardown once
// only the child's back reference is left.
struct Parent;
struct Child : QxObject {
    explicit Child(int* deaths) : deaths(deaths) {}
    ~Child() override { ++*deaths; }
    QxObjectSmartPtr<Parent> parent;
    int* deaths;
};
struct Parent : QxObject {
    explicit Parent(int* deaths) : deaths(deaths) {}
    ~Parent() override { ++*deaths; }
    void teardown() override
    {
        if (numRefs() == 1 && child && child->parent.get() == this)
            child->parent.reset();
    }
    QxObjectSmartPtr<Child> child;
    int* deaths;
};

} // namespace

TEST(QxObject, SingleReleaseWithoutAddRefDeletes)
{
    int deaths = 0;
    auto* p = new Probe(&deaths);
    EXPECT_EQ(p->numRefs(), 0);
    p->release();
    EXPECT_EQ(deaths, 1);
}

TEST(QxObject, ReleaseLeavingReferencesRunsTeardownOnly)
{
    int deaths = 0, teardowns = 0;
    auto* p = new Probe(&deaths, &teardowns);
    p->addRef();
    p->addRef();
    p->release();
    EXPECT_EQ(p->numRefs(), 1);
    EXPECT_EQ(teardowns, 1);
    EXPECT_EQ(deaths, 0);
    p->release();
    EXPECT_EQ(teardowns, 1); // the last release deletes without teardown
    EXPECT_EQ(deaths, 1);
}

TEST(QxObject, DyingObjectIsNeverRevived)
{
    // Observed from the destructor, where the count is already -1.
    struct Reviver : QxObject {
        explicit Reviver(std::vector<int>* seen) : seen(seen) {}
        ~Reviver() override
        {
            addRef();
            seen->push_back(numRefs());
            release(); // must not delete a second time
            seen->push_back(numRefs());
        }
        std::vector<int>* seen;
    };
    std::vector<int> seen;
    (new Reviver(&seen))->release();
    EXPECT_EQ(seen, (std::vector<int>{-1, -1}));
}

TEST(QxObject, HandOutKeepsAnObjectOthersReferencedMeanwhile)
{
    int deaths = 0;
    auto* p = new Probe(&deaths);
    p->addRef();
    {
        QxObjectSmartPtr<Probe> observer(p); // taken and dropped while announced
    }
    p->releaseForHandOut();
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(p->numRefs(), 0);
    p->release(); // the receiver's reference is the last one
    EXPECT_EQ(deaths, 1);
}

TEST(QxObject, CopiesNeverTakeOverCountingState)
{
    Probe source;
    source.addRef();
    source.addRef();
    source.addRef();
    Probe copy(source);
    EXPECT_EQ(copy.numRefs(), 0);

    Probe target;
    target.addRef();
    target = source;
    EXPECT_EQ(target.numRefs(), 1);
    EXPECT_EQ(source.numRefs(), 3);
}

TEST(QxObject, TeardownBreaksBackReferenceCycle)
{
    int deaths = 0;
    {
        QxObjectSmartPtr<Parent> parent(new Parent(&deaths));
        parent->child = new Child(&deaths);
        parent->child->parent = parent;
        EXPECT_EQ(parent->numRefs(), 2);
    }
    // The holder's release left the back reference only; teardown dropped
    // it, the nested release just decremented, and the parent was deleted,
    // taking the child with it.
    EXPECT_EQ(deaths, 2);
}

TEST(QxObjectSmartPtr, HoldsExactlyOneReference)
{
    int deaths = 0;
    auto* p = new Probe(&deaths);
    {
        QxObjectSmartPtr<Probe> a(p);
        EXPECT_EQ(p->numRefs(), 1);
        QxObjectSmartPtr<Probe> b(a);
        EXPECT_EQ(p->numRefs(), 2);
        QxObjectSmartPtr<Probe> c;
        c = b;
        EXPECT_EQ(p->numRefs(), 3);
        QxObjectSmartPtr<Probe> d(std::move(c));
        EXPECT_EQ(p->numRefs(), 3);
        EXPECT_FALSE(c);
        EXPECT_TRUE(d == p);
        QxObjectSmartPtr<QxObject> base(d);
        EXPECT_EQ(p->numRefs(), 4);
        b.reset();
        EXPECT_EQ(p->numRefs(), 3);
    }
    EXPECT_EQ(deaths, 1);
}

TEST(QxObjectSmartPtr, ResetOrAssignToHeldObjectKeepsItAlive)
{
    int deaths = 0;
    QxObjectSmartPtr<Probe> ptr(new Probe(&deaths));
    Probe* raw = ptr.get();

    ptr.reset(raw);
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(ptr.get(), raw);
    EXPECT_EQ(raw->numRefs(), 1);

    ptr = raw;
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(raw->numRefs(), 1);

    auto& alias = ptr;
    ptr = alias;
    ptr = std::move(alias);
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(raw->numRefs(), 1);

    ptr.reset();
    EXPECT_EQ(deaths, 1);
    EXPECT_TRUE(ptr == nullptr);
}

TEST(QxObjectSmartPtr, ResetToObjectOnlyTheOldOneKeepsAlive)
{
    struct Holder : QxObject {
        QxObjectSmartPtr<Probe> inner;
    };
    int deaths = 0;
    QxObjectSmartPtr<QxObject> ptr(new Holder);
    Probe* inner = new Probe(&deaths);
    static_cast<Holder*>(ptr.get())->inner = inner;
    ptr.reset(inner); // the holder dies, the inner object must not
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(inner->numRefs(), 1);
    ptr.reset();
    EXPECT_EQ(deaths, 1);
}

TEST(QxObjectSmartPtr, ContainersReleaseEveryElement)
{
    int deaths = 0;
    {
        std::vector<QxObjectSmartPtr<Probe>> v;
        auto* shared = new Probe(&deaths);
        for (int i = 0; i < 3; ++i)
            v.emplace_back(shared);
        v.emplace_back(new Probe(&deaths));
        std::vector<QxObjectSmartPtr<Probe>> copy = v;
        EXPECT_EQ(shared->numRefs(), 6);
        v.erase(v.begin(), v.begin() + 2);
        EXPECT_EQ(shared->numRefs(), 4);

        std::map<uint32_t, QxObjectSmartPtr<Probe>> registry;
        registry[7] = shared;
        registry.erase(7);
        EXPECT_EQ(shared->numRefs(), 4);
    }
    EXPECT_EQ(deaths, 2);
}
