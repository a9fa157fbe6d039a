#include "chart/QxColorSchemeRegistry.h"

#include "chart/QxPriceColorScheme.h"
#include "chart/QxSarColorScheme.h"
#include "chart/QxUniColorScheme.h"

#include <wx/gdicmn.h>

namespace {
QxColorSchemeRegistry* s_instance = nullptr;
}

QxColorSchemeRegistry& QxColorSchemeRegistry::instance()
{
    if (!s_instance)
        s_instance = new QxColorSchemeRegistry;
    return *s_instance;
}

void QxColorSchemeRegistry::destroy()
{
    delete s_instance;
    s_instance = nullptr;
}

QxColorSchemeRegistry::QxColorSchemeRegistry()
{
    add(new QxUniColorScheme(wxColour(0, 0, 0)));
    add(new QxPriceColorScheme(*wxGREEN, *wxRED));
    add(new QxSarColorScheme);
}

QxColorSchemeRegistry::~QxColorSchemeRegistry() = default;

void QxColorSchemeRegistry::add(QxColorScheme* prototype)
{
    m_prototypes[prototype->getName()] = prototype;
}

QxColorScheme* QxColorSchemeRegistry::find(const QxAtom& name) const
{
    if (name.isNull())
        return nullptr;
    auto it = m_prototypes.find(name);
    return it == m_prototypes.end() ? nullptr : it->second.get();
}

std::vector<QxAtom> QxColorSchemeRegistry::getNames() const
{
    std::vector<QxAtom> names;
    names.reserve(m_prototypes.size());
    for (const auto& entry : m_prototypes)
        names.push_back(entry.first);
    return names;
}
