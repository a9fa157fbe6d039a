#include "app/QxIndicatorRegistry.h"

#include "core/QxErrorCode.h"
#include "core/QxIndicator.h"

#include <algorithm>

namespace {
QxIndicatorRegistry* s_instance = nullptr;
}

QxIndicatorRegistry* QxIndicatorRegistry::instance()
{
    if (!s_instance)
        s_instance = new QxIndicatorRegistry;
    return s_instance;
}

void QxIndicatorRegistry::destroy()
{
    QxIndicatorRegistry* doomed = s_instance;
    s_instance = nullptr;
    delete doomed;
}

QxIndicatorRegistry::~QxIndicatorRegistry()
{
    // Release outside the map, so an indicator whose destruction looks
    // names up finds a consistent (empty) registry.
    std::map<QxAtom, QxObjectSmartPtr<QxIndicator>> doomed;
    doomed.swap(m_indicators);
}

int QxIndicatorRegistry::addIndicator(QxIndicator* indicator)
{
    if (!indicator)
        return eInvalidIndicatorName;
    const QxAtom name = indicator->getName();
    if (name.isNull())
        return eInvalidIndicatorName;
    if (m_indicators.count(name))
        return eIndicatorNameAlreadyExists;
    const QxAtom group = indicator->getGroup();
    if (group.isNull())
        return eInvalidIndicatorGroupName;
    m_groups[group].push_back(name);
    m_indicators[name].reset(indicator);
    return eNoError;
}

QxIndicator* QxIndicatorRegistry::getIndicator(const QxAtom& name)
{
    auto it = m_indicators.find(name);
    return it == m_indicators.end() ? nullptr : it->second.get();
}

const QxIndicator* QxIndicatorRegistry::getIndicator(const QxAtom& name) const
{
    auto it = m_indicators.find(name);
    return it == m_indicators.end() ? nullptr : it->second.get();
}

int QxIndicatorRegistry::removeIndicator(const QxAtom& name)
{
    auto it = m_indicators.find(name);
    if (it == m_indicators.end())
        return eIndicatorNotFound;
    QxObjectSmartPtr<QxIndicator> doomed = it->second;
    m_indicators.erase(it);
    auto group = m_groups.find(doomed->getGroup());
    if (group != m_groups.end()) {
        auto& names = group->second;
        names.erase(std::remove(names.begin(), names.end(), name), names.end());
    }
    return eNoError;
}

void QxIndicatorRegistry::addBuiltInIndicators()
{
    // The indicator catalogue registers its prototypes here with addIndicator.
}
