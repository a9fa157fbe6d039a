#include "trading/QxConditionFactory.h"

#include "trading/QxCondition.h"

#include <wx/intl.h>

namespace {
QxConditionFactory* g_factory = nullptr;
}

QxConditionFactory* QxConditionFactory::instance()
{
    if (!g_factory)
        g_factory = new QxConditionFactory;
    return g_factory;
}

QxConditionFactory* QxConditionFactory::existing() { return g_factory; }

void QxConditionFactory::destroy()
{
    if (!g_factory)
        return;
    // Prototypes go first, while the factory is still reachable for any
    // destructor that looks it up.
    std::map<QxAtom, QxObjectSmartPtr<QxCondition>> doomed;
    doomed.swap(g_factory->m_prototypes);
    doomed.clear();
    delete g_factory;
    g_factory = nullptr;
}

QxConditionFactory::QxConditionFactory()
{
    // This order gives the editor's list order whenever the factory is the
    // first to intern the names.
    QxCondition* const kinds[] = {new QxCrossOverDown, new QxCrossOverUp, new QxAbove,    new QxBelow,
                                  new QxEqual,         new QxMovesUp,     new QxMovesDown};
    for (QxCondition* prototype : kinds)
        m_prototypes[prototype->getName()] = prototype;
}

QxConditionFactory::~QxConditionFactory() = default;

QxCondition* QxConditionFactory::find(const QxAtom& name) const
{
    auto it = m_prototypes.find(name);
    return it == m_prototypes.end() ? nullptr : it->second.get();
}

QxCondition* QxConditionFactory::findByText(const wxString& text) const
{
    for (const auto& entry : m_prototypes)
        if (entry.first == text)
            return entry.second.get();
    for (const auto& entry : m_prototypes)
        if (entry.second->getDisplayName() == text)
            return entry.second.get();
    return nullptr;
}

std::vector<QxAtom> QxConditionFactory::names() const
{
    std::vector<QxAtom> out;
    for (const auto& entry : m_prototypes)
        out.push_back(entry.first);
    return out;
}
