#pragma once
// The process-wide registry of the seven condition kinds, a prototype of
// each keyed by its name atom. File readers and the condition editor clone
// the prototypes; nobody evaluates or changes them. The application frees
// the factory with its prototypes at exit.
#include "core/QxAtom.h"
#include "core/QxObject.h"

#include <map>
#include <vector>

class QxCondition;

class QxConditionFactory {
public:
    // The factory, created with its prototypes on first use.
    static QxConditionFactory* instance();
    // The factory if it exists, without creating it.
    static QxConditionFactory* existing();
    // Empties the prototype map and deletes the factory.
    static void destroy();

    // The prototype registered under name, or null.
    QxCondition* find(const QxAtom& name) const;
    // The prototype whose name is text, or else the one whose translated
    // name is text (as files written under this interface language by
    // earlier builds carry them); null when none. Interns nothing, so
    // names read from files never grow the atom table.
    QxCondition* findByText(const wxString& text) const;
    // The registered names in ascending atom id.
    std::vector<QxAtom> names() const;

private:
    QxConditionFactory();
    ~QxConditionFactory();
    QxConditionFactory(const QxConditionFactory&) = delete;
    QxConditionFactory& operator=(const QxConditionFactory&) = delete;

    std::map<QxAtom, QxObjectSmartPtr<QxCondition>> m_prototypes;
};
