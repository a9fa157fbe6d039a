#include "chart/QxDrawableRegistry.h"

#include "chart/QxDashDotCurve.h"
#include "chart/QxDottedCurve.h"
#include "chart/QxHistogram.h"
#include "chart/QxHorzLine.h"
#include "chart/QxInvertedMountain.h"
#include "chart/QxLongDashCurve.h"
#include "chart/QxMarks.h"
#include "chart/QxMountain.h"
#include "chart/QxMountainBand.h"
#include "chart/QxShortDashCurve.h"
#include "chart/QxSolidCurve.h"

namespace {
QxDrawableRegistry* s_instance = nullptr;
}

QxDrawableRegistry& QxDrawableRegistry::instance()
{
    if (!s_instance)
        s_instance = new QxDrawableRegistry;
    return *s_instance;
}

void QxDrawableRegistry::destroy()
{
    delete s_instance;
    s_instance = nullptr;
}

QxDrawableRegistry::QxDrawableRegistry()
{
    add(new QxSolidCurve);
    add(new QxDottedCurve);
    add(new QxLongDashCurve);
    add(new QxShortDashCurve);
    add(new QxDashDotCurve);
    add(new QxHistogram);
    add(new QxHorzLine(wxPENSTYLE_DOT));
    add(new QxInvertedMountain);
    add(new QxMarks);
    add(new QxMountain);
    add(new QxMountainBand);
}

QxDrawableRegistry::~QxDrawableRegistry() = default;

void QxDrawableRegistry::add(QxDrawable* prototype)
{
    m_prototypes[prototype->getName()] = prototype;
}

QxDrawable* QxDrawableRegistry::find(const QxAtom& name) const
{
    if (name.isNull())
        return nullptr;
    auto it = m_prototypes.find(name);
    return it == m_prototypes.end() ? nullptr : it->second.get();
}

std::vector<QxAtom> QxDrawableRegistry::getNames() const
{
    std::vector<QxAtom> names;
    names.reserve(m_prototypes.size());
    for (const auto& entry : m_prototypes)
        names.push_back(entry.first);
    return names;
}
