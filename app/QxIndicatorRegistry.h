#pragma once
// The process-wide registry of indicator prototypes, keyed by name and
// listed by group. Everything that restores an indicator by name clones its
// prototype from here.
#include "core/QxAtom.h"
#include "core/QxObject.h"

#include <map>
#include <vector>

class QxIndicator;

class QxIndicatorRegistry {
public:
    static QxIndicatorRegistry* instance();
    // Releases every prototype; a later instance() starts empty.
    static void destroy();

    // eInvalidIndicatorName for a null name, eIndicatorNameAlreadyExists when
    // the name is taken (the first stays), eInvalidIndicatorGroupName for a
    // null group; otherwise holds a reference to the indicator.
    int addIndicator(QxIndicator* indicator);
    QxIndicator* getIndicator(const QxAtom& name);
    const QxIndicator* getIndicator(const QxAtom& name) const;
    // eIndicatorNotFound when not registered. The group stays listed.
    int removeIndicator(const QxAtom& name);
    // Appends every group, in ascending atom id, after what groups holds.
    int getIndicatorGroups(std::vector<QxAtom>& groups) const;
    // names becomes the group's names in registration order; an unknown
    // group leaves it as it was.
    int getIndicatorNames(const QxAtom& group, std::vector<QxAtom>& names) const;
    // Registers one prototype per function of the indicator catalogue, once
    // at start-up; names already taken are refused one by one.
    void addBuiltInIndicators();

private:
    QxIndicatorRegistry() = default;
    ~QxIndicatorRegistry();
    QxIndicatorRegistry(const QxIndicatorRegistry&) = delete;
    QxIndicatorRegistry& operator=(const QxIndicatorRegistry&) = delete;

    std::map<QxAtom, QxObjectSmartPtr<QxIndicator>> m_indicators;
    // Names of each group in registration order.
    std::map<QxAtom, std::vector<QxAtom>> m_groups;
};
