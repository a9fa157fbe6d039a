#include "trading/QxConditionFactory.h"

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
    std::map<QxAtom, QxObjectSmartPtr<QxObject>> doomed;
    doomed.swap(g_factory->m_prototypes);
    doomed.clear();
    delete g_factory;
    g_factory = nullptr;
}

QxObject* QxConditionFactory::find(const QxAtom& name) const
{
    auto it = m_prototypes.find(name);
    return it == m_prototypes.end() ? nullptr : it->second.get();
}

std::vector<QxAtom> QxConditionFactory::names() const
{
    std::vector<QxAtom> out;
    for (const auto& entry : m_prototypes)
        out.push_back(entry.first);
    return out;
}
