#include "app/QxIndicatorRegistry.h"

#include "core/QxErrorCode.h"
#include "core/QxIndicator.h"
#include "core/TaLibIndicator.h"
#include "core/ta/QxTaFunctionSet.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <set>

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

int QxIndicatorRegistry::getIndicatorGroups(std::vector<QxAtom>& groups) const
{
    for (const auto& entry : m_groups)
        groups.push_back(entry.first);
    return eNoError;
}

int QxIndicatorRegistry::getIndicatorNames(const QxAtom& group, std::vector<QxAtom>& names) const
{
    auto it = m_groups.find(group);
    if (it != m_groups.end())
        names = it->second;
    return eNoError;
}

void QxIndicatorRegistry::addBuiltInIndicators()
{
    // Whole groups the catalogue leaves to conditions and own code, and
    // single functions it leaves out (parts of others, or of no use alone).
    static const char* const kExcludedGroups[] = {"Pattern Recognition", "Math Operators", "Math Transform",
                                                  "Statistic Functions"};
    static const char* const kExcludedNames[] = {"DX",    "MACDFIX", "RMO",   "MINUS_DI", "MINUS_DM",
                                                 "PLUS_DI", "PLUS_DM", "NVIMA", "PVIMA",   "PVI_MACD",
                                                 "BETA",  "CORREL",  "TRANGE"};

    QxTaFunctionSet::initialize();
    TA_StringTable* groups = nullptr;
    if (QxTaFunctionSet::groupTableAlloc(&groups) != TA_SUCCESS || !groups)
        return;

    std::set<const TA_FuncHandle*> excluded;
    for (const char* name : kExcludedNames) {
        const TA_FuncHandle* handle = nullptr;
        if (QxTaFunctionSet::getFuncHandle(name, &handle) == TA_SUCCESS && handle)
            excluded.insert(handle);
    }

    for (unsigned g = 0; g < groups->size; ++g) {
        const char* group = groups->string[g];
        if (std::any_of(std::begin(kExcludedGroups), std::end(kExcludedGroups),
                        [group](const char* x) { return std::strcmp(x, group) == 0; }))
            continue;
        TA_StringTable* names = nullptr;
        if (QxTaFunctionSet::funcTableAlloc(group, &names) != TA_SUCCESS || !names)
            continue;
        for (unsigned f = 0; f < names->size; ++f) {
            const TA_FuncHandle* handle = nullptr;
            if (QxTaFunctionSet::getFuncHandle(names->string[f], &handle) != TA_SUCCESS || !handle ||
                excluded.count(handle))
                continue;
            // A prototype the registry refuses goes with this pointer.
            QxObjectSmartPtr<QxIndicator> prototype(new TaLibIndicator(handle));
            addIndicator(prototype.get());
        }
        QxTaFunctionSet::funcTableFree(names);
    }
    QxTaFunctionSet::groupTableFree(groups);
}
