#include "core/QxObject.h"

QxObject::QxObject() : m_refCount(0), m_inTeardown(false) {}

QxObject::QxObject(const QxObject&) : m_refCount(0), m_inTeardown(false) {}

QxObject& QxObject::operator=(const QxObject&)
{
    return *this;
}

QxObject::~QxObject() = default;

void QxObject::teardown() {}

void QxObject::addRef() const
{
    if (m_refCount >= 0)
        ++m_refCount;
}

void QxObject::release() const
{
    if (m_refCount < 0)
        return;
    if (m_refCount > 0)
        --m_refCount;
    if (m_inTeardown)
        return;
    if (m_refCount > 0)
        doTeardown();
    if (m_refCount == 0) {
        m_refCount = -1;
        delete this;
    }
}

void QxObject::releaseForHandOut() const
{
    if (m_refCount > 0)
        --m_refCount;
}

void QxObject::doTeardown() const
{
    m_inTeardown = true;
    const_cast<QxObject*>(this)->teardown();
    m_inTeardown = false;
}
