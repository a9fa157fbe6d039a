#include "chart/QxDrawable.h"

#include "chart/QxColorScheme.h"
#include "chart/QxColorSchemeRegistry.h"
#include "chart/QxDrawableRegistry.h"
#include "chart/QxScale.h"
#include "chart/QxUniformScale.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"

#include <wx/xml/xml.h>

#include <algorithm>
#include <cmath>

namespace {
// What setup() and stored series leave: empty, and any value widens it.
const QxRange<double> kClearedRange(1e100, -1e100);
} // namespace

int qxFetchRoleSeries(QxCalculator* calculator, const QxDataInfo& role, const QxSeriesId& binding,
                      QxSeries& out)
{
    if (!calculator)
        return eInvalidCalculatorObject;
    QxSeriesId id = role.kind >= QxSeriesId::eSeriesIndicator ? binding : QxSeriesId(role.kind);
    if (!id.isValid())
        id = QxSeriesId(QxSeriesId::eSeriesClose);
    return calculator->getDataSeries(id, out);
}

QxDrawable::QxDrawable() : m_range(0.0, -1.0), m_rangeFirst(0), m_rangeLast(0) {}

QxDrawable::QxDrawable(const QxDrawable& other)
    : QxObject(other), m_bindings(other.m_bindings), m_range(0.0, -1.0), m_rangeFirst(0), m_rangeLast(0),
      m_colorScheme(other.m_colorScheme)
{
}

QxDrawable& QxDrawable::operator=(const QxDrawable& other)
{
    QxObject::operator=(other);
    m_bindings = other.m_bindings;
    m_dataSeries = other.m_dataSeries;
    m_range = other.m_range;
    m_rangeFirst = other.m_rangeFirst;
    m_rangeLast = other.m_rangeLast;
    m_colorScheme = other.m_colorScheme;
    return *this;
}

QxDrawable::~QxDrawable() = default;

int QxDrawable::display(wxDC&, unsigned, unsigned, const QxScale&, const QxScale&, bool) const
{
    return eNotImplemented;
}

int QxDrawable::getMargins(unsigned, unsigned, const QxScale&, const QxScale&, wxPoint&, wxPoint&) const
{
    return eNotImplemented;
}

wxBitmap QxDrawable::getLegend(const wxFont&, const wxColour&, const wxColour&, int) const
{
    return wxNullBitmap;
}

int QxDrawable::setup(QxCalculator* calculator)
{
    reset();
    for (const QxDataInfo& role : getParamInfos()) {
        if (role.kind == QxSeriesId::eSeriesConstant)
            continue;
        QxSeries series;
        const int rc = qxFetchRoleSeries(calculator, role, getSeries(role.name), series);
        if (rc != eNoError)
            return rc;
        // An unusable series is left out without failing.
        setDataSeries(role.name, series);
    }
    // The drawable's result reflects its own roles; a scheme that could not
    // fetch its series keeps none and colours every bar alike.
    if (m_colorScheme)
        m_colorScheme->setup(calculator);
    return eNoError;
}

int QxDrawable::setSeries(const QxAtom& role, const QxSeriesId& id)
{
    m_bindings.set(role, id);
    return eNoError;
}

const QxSeriesId& QxDrawable::getSeries(const QxAtom& role) const
{
    return m_bindings.get(role);
}

int QxDrawable::getDataSeries(const QxAtom& role, QxSeries& out) const
{
    auto it = m_dataSeries.find(role);
    if (it == m_dataSeries.end())
        return eSeriesNotAvailable;
    out = it->second;
    return eNoError;
}

int QxDrawable::setDataSeries(const QxAtom& role, const QxSeries& series)
{
    if (series.empty())
        return eInvalidInput;
    m_dataSeries[role] = series;
    m_range = kClearedRange;
    return eNoError;
}

void QxDrawable::reset()
{
    m_dataSeries.clear();
    // A range cached over the dropped series must not survive them.
    m_range = kClearedRange;
}

int QxDrawable::setColorScheme(QxColorScheme* scheme)
{
    if (!scheme)
        return eInvalidObject;
    m_colorScheme.reset(scheme);
    return eNoError;
}

QxColorScheme* QxDrawable::getColorScheme(bool createDefault) const
{
    if (!m_colorScheme && createDefault) {
        const QxColorScheme* prototype = QxColorSchemeRegistry::instance().find(QxAtom("UniColorScheme"));
        if (prototype)
            m_colorScheme.reset(prototype->clone());
    }
    return m_colorScheme.get();
}

QxRange<double> QxDrawable::getDataRange(unsigned first, unsigned last) const
{
    if (!m_range.isEmpty() && first == m_rangeFirst && last == m_rangeLast)
        return m_range;

    auto widen = [this](double lo, double hi) {
        if (m_range.isEmpty()) {
            m_range = QxRange<double>(lo, hi);
        } else {
            m_range.lower = std::min(m_range.lower, lo);
            m_range.upper = std::max(m_range.upper, hi);
        }
    };
    for (const auto& binding : m_bindings.all()) {
        const QxSeriesId& id = binding.second;
        if (id.kind() != QxSeriesId::eSeriesConstant)
            continue;
        // A NaN constant would make the range unusable.
        if (!std::isnan(id.value()))
            widen(id.value(), id.value());
    }
    for (const auto& entry : m_dataSeries) {
        const QxSeries& series = entry.second;
        if (series.empty() || first > last)
            continue;
        const int64_t lo = std::max<int64_t>(first, series.first);
        const int64_t hi = std::min<int64_t>(last, series.last);
        double least = 0.0, greatest = 0.0;
        bool any = false;
        for (int64_t i = lo; i <= hi; ++i) {
            const double v = *series.at(static_cast<int32_t>(i));
            // A gap in a series says nothing about its range.
            if (std::isnan(v))
                continue;
            if (!any) {
                least = greatest = v;
                any = true;
            } else {
                least = std::min(least, v);
                greatest = std::max(greatest, v);
            }
        }
        if (any)
            widen(least, greatest);
    }
    m_rangeFirst = first;
    m_rangeLast = last;
    return m_range;
}

wxXmlNode* QxDrawable::toXml(const QxIndicator* owner, wxXmlNode* parent) const
{
    auto* element = new wxXmlNode(parent, wxXML_ELEMENT_NODE, getName().string());
    const std::vector<QxDataInfo>& roles = getParamInfos();
    if (!roles.empty()) {
        // Stays in the element even when no binding is stored.
        auto* params = new wxXmlNode(element, wxXML_ELEMENT_NODE, "Params");
        m_bindings.toXml(roles, owner, params);
    }
    // Linked as the first child, so it comes before "Params".
    if (m_colorScheme)
        m_colorScheme->toXml(owner, element);
    return element;
}

int QxDrawable::fromXml(const QxIndicator* owner, const wxXmlNode* node)
{
    if (!m_bindings.fromXml(QxSeriesBindings::findChild(node, "Params"), getParamInfos(), owner))
        return eInconsistentData;
    if (const wxXmlNode* schemeNode = QxSeriesBindings::findChild(node, "ColorScheme")) {
        int rc = eNoError;
        QxColorScheme* scheme = QxColorScheme::createFromXml(owner, schemeNode, &rc);
        if (rc != eNoError)
            return rc;
        if (scheme)
            m_colorScheme.reset(scheme);
    }
    return eNoError;
}

QxDrawable* QxDrawable::createFromXml(const QxIndicator* owner, const wxXmlNode* node, int* rc)
{
    if (rc)
        *rc = eNoError;
    if (!node)
        return nullptr;
    const QxAtom name(node->GetName());
    const QxDrawable* prototype = QxDrawableRegistry::instance().find(name);
    if (!prototype)
        return nullptr;
    QxDrawable* drawable = prototype->clone();
    if (!drawable)
        return nullptr;
    const int read = drawable->fromXml(owner, node);
    if (read != eNoError) {
        if (rc)
            *rc = read;
        QxObjectSmartPtr<QxDrawable> dropped(drawable);
        return nullptr;
    }
    return drawable;
}

const QxColorScheme* QxDrawable::perBarScheme() const
{
    const QxColorScheme* scheme = m_colorScheme.get();
    return scheme && !scheme->isUniform() ? scheme : nullptr;
}

wxColour QxDrawable::uniformColour(const wxColour& fallback) const
{
    return m_colorScheme ? m_colorScheme->colorAt(0) : fallback;
}

QxRange<double> QxDrawable::scaleRange(const QxScale& scale)
{
    if (const auto* uniform = dynamic_cast<const QxUniformScale*>(&scale))
        return QxRange<double>(uniform->lower(), uniform->upper());
    return QxRange<double>(0.0, -1.0);
}

int QxDrawable::clampedPixel(const QxScale& scale, double value)
{
    const int y = scale.map(value);
    const QxRange<double> range = scaleRange(scale);
    if (range.isEmpty())
        return y;
    const int a = scale.map(range.lower), b = scale.map(range.upper);
    return std::clamp(y, std::min(a, b), std::max(a, b));
}
