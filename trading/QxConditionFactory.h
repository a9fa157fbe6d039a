#pragma once
// The process-wide registry of condition prototypes, keyed by their name
// atoms. The condition kinds register here when the trading systems are
// built; the application frees the factory with its prototypes at exit.
#include "core/QxAtom.h"
#include "core/QxObject.h"

#include <map>
#include <vector>

class QxConditionFactory {
public:
    // The factory, created on first use.
    static QxConditionFactory* instance();
    // The factory if it exists, without creating it.
    static QxConditionFactory* existing();
    // Empties the prototype map and deletes the factory.
    static void destroy();

    // The prototype registered under name, or null.
    QxObject* find(const QxAtom& name) const;
    // The registered names in ascending atom id.
    std::vector<QxAtom> names() const;

private:
    QxConditionFactory() = default;
    ~QxConditionFactory() = default;
    QxConditionFactory(const QxConditionFactory&) = delete;
    QxConditionFactory& operator=(const QxConditionFactory&) = delete;

    std::map<QxAtom, QxObjectSmartPtr<QxObject>> m_prototypes;
};
