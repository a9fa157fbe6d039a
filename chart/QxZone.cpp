#include "chart/QxZone.h"

#include "chart/QxDcMetrics.h"
#include "chart/QxDrawable.h"
#include "chart/QxPrice.h"
#include "chartview/QxAnnot.h"
#include "chart/QxDrawingHelpers.h"
#include "chartview/QxPattern.h"
#include "chart/QxPixelTarget.h"
#include "chart/QxTextCache.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "core/QxIndicator.h"
#include "core/QxIndicatorLinks.h"

#include <wx/dc.h>
#include <wx/graphics.h>
#include <wx/settings.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

constexpr unsigned kCloneAll =
    QxIndicator::eCloneParams | QxIndicator::eCloneDrawables | QxIndicator::eCloneInputs;

const QxAtom& dataRole()
{
    static const QxAtom role("DATA");
    return role;
}

bool parseInt(const wxString& text, long& out)
{
    return !text.empty() && text.ToLong(&out);
}

// Font descriptions written on another platform start with a version
// number and a semicolon; this platform's form never does.
bool isForeignFontDescription(const wxString& text)
{
    wxString head = text.BeforeFirst(';');
    long number;
    return text.Contains(";") && head.Trim().Trim(false).ToLong(&number);
}

// Bars, candles and histograms are axis-aligned, and filled areas lie under
// smoothed curves: smoothing their edges costs about a third of a paint and
// blurs one-pixel candles.  Curves smooth themselves through a graphics
// context of their own; texts are drawn outside this guard.
class SharpEdges {
public:
    explicit SharpEdges(wxDC& dc) : m_gc(dc.GetGraphicsContext())
    {
        if (m_gc) {
            m_mode = m_gc->GetAntialiasMode();
            m_gc->SetAntialiasMode(wxANTIALIAS_NONE);
        }
    }
    ~SharpEdges()
    {
        if (m_gc)
            m_gc->SetAntialiasMode(m_mode);
    }
    SharpEdges(const SharpEdges&) = delete;
    SharpEdges& operator=(const SharpEdges&) = delete;

private:
    wxGraphicsContext* m_gc;
    wxAntialiasMode m_mode = wxANTIALIAS_DEFAULT;
};
} // namespace

QxZone::QxZone(const QxZoneConfiguration& config, int height)
    : m_config(config), m_height(height), m_valueAxis(new QxValueAxis()),
      m_visible(0u, std::numeric_limits<unsigned>::max())
{
}

QxZone::QxZone(const QxZone& other) : QxObject()
{
    *this = other;
}

QxZone& QxZone::operator=(const QxZone& other)
{
    if (this == &other)
        return *this;
    m_config = other.m_config;
    m_logScale = other.m_logScale;
    m_origin = other.m_origin;
    m_height = other.m_height;
    m_width = other.m_width;
    m_titleTextHeight = other.m_titleTextHeight;
    m_titleGap = other.m_titleGap;
    m_title = other.m_title;
    m_axisLocation = other.m_axisLocation;
    m_dateAxis = other.m_dateAxis;
    m_valueAxis = other.m_valueAxis;
    m_indicators = other.m_indicators;
    m_visible = other.m_visible;
    m_gridPen = other.m_gridPen;
    m_deviceClass = other.m_deviceClass;
    m_layoutNeeded = other.m_layoutNeeded;
    m_patterns = other.m_patterns;
    m_annots = other.m_annots;
    m_currentPeriod = other.m_currentPeriod;
    return *this;
}

QxZone::~QxZone() = default;

void QxZone::setConfig(const QxZoneConfiguration& config)
{
    m_config = config;
    m_layoutNeeded = true;
}

void QxZone::setTitle(const wxString& title)
{
    m_title = title;
    m_layoutNeeded = true;
}

void QxZone::setLogScale(bool logScale)
{
    m_logScale = logScale;
    m_layoutNeeded = true;
}

void QxZone::setOrigin(const wxPoint& origin)
{
    m_origin = origin;
    m_layoutNeeded = true;
}

void QxZone::setWidth(int width)
{
    m_width = width;
    m_layoutNeeded = true;
}

void QxZone::setHeight(int total)
{
    // Worked out wide: a height read from a file may be any int.
    const int64_t inner = std::llabs(static_cast<int64_t>(total) - getTitleHeight());
    m_height = static_cast<int>(std::min<int64_t>(inner, kMaxHeight));
    m_layoutNeeded = true;
}

int QxZone::getTitleHeight() const
{
    return m_config.hasTitleStrip ? m_titleTextHeight + m_titleGap : 0;
}

wxRect QxZone::getInnerRect() const
{
    return wxRect(m_origin.x, m_origin.y + getTitleHeight(), m_width, m_height);
}

const QxScale& QxZone::getValueScale() const
{
    return m_valueAxis->scale();
}

void QxZone::setVisibleRange(const QxRange<unsigned>& range)
{
    if (range != m_visible) {
        m_visible = range;
        m_layoutNeeded = true;
    }
}

int QxZone::addIndicator(const QxIndicator* indicator)
{
    if (!indicator)
        return eInvalidObject;
    m_indicators.emplace_back(indicator->clone(kCloneAll));
    m_layoutNeeded = true;
    return eNoError;
}

int QxZone::removeIndicator(const QxIndicator* indicator)
{
    const auto it = std::find_if(m_indicators.begin(), m_indicators.end(),
                                 [indicator](const auto& held) { return held.get() == indicator; });
    if (it == m_indicators.end())
        return eObjectNotFound;
    m_indicators.erase(it);
    m_layoutNeeded = true;
    return eNoError;
}

int QxZone::removeIndicatorAt(unsigned index)
{
    if (index >= m_indicators.size())
        return eInvalidIndex;
    m_indicators.erase(m_indicators.begin() + index);
    m_layoutNeeded = true;
    return eNoError;
}

QxIndicator* QxZone::indicatorAt(unsigned index) const
{
    return index < m_indicators.size() ? m_indicators[index].get() : nullptr;
}

const QxPrice* QxZone::findIndicator(unsigned from) const
{
    for (size_t i = from; i < m_indicators.size(); ++i)
        if (const auto* price = dynamic_cast<const QxPrice*>(m_indicators[i].get()))
            return price;
    return nullptr;
}

void QxZone::addPattern(QxPattern* pattern)
{
    if (pattern)
        m_patterns.emplace_back(pattern);
}

void QxZone::addAnnot(QxAnnot* annot, Qx::QxPeriod period)
{
    if (annot)
        m_annots[period].emplace_back(annot);
}

QxZone::AnnotList& QxZone::getAnnots(Qx::QxPeriod period)
{
    return m_annots[period];
}

const QxZone::AnnotList& QxZone::getAnnots(Qx::QxPeriod period) const
{
    static const AnnotList none;
    const auto it = m_annots.find(period);
    return it == m_annots.end() ? none : it->second;
}

int QxZone::copyObjectsFrom(const QxZone* other)
{
    if (!other)
        return eInvalidInputObject;
    // Copies first: the other zone may be this one.
    const IndicatorList indicators = other->m_indicators;
    const PatternList patterns = other->m_patterns;
    const auto annots = other->m_annots;
    for (const auto& indicator : indicators)
        addIndicator(indicator.get());
    for (const auto& pattern : patterns)
        m_patterns.emplace_back(pattern->clone());
    for (const auto& [period, list] : annots)
        for (const auto& annot : list) {
            // Selection belongs to the view showing the original: a copy
            // selected there would be left out of the copy's picture.
            QxAnnot* copy = annot->clone();
            copy->setSelected(false);
            addAnnot(copy, period);
        }
    return eNoError;
}

void QxZone::setup(wxDC& dc, QxCalculator* calculator)
{
    wxClassInfo* deviceClass = dc.GetImpl() ? dc.GetImpl()->GetClassInfo() : dc.GetClassInfo();
    if (deviceClass != m_deviceClass) {
        m_deviceClass = deviceClass;
        m_layoutNeeded = true;
    }
    if (!m_layoutNeeded)
        return;

    if (calculator)
        m_currentPeriod = calculator->currentTimeframe();

    // About 0.2 mm below the title text.
    const double pxPerMm = std::max(dcPixelsPerMmX(dc), dcPixelsPerMmY(dc));
    m_titleGap = std::max(1, static_cast<int>(pxPerMm / 5.0 + 0.5));
    if (m_config.titleFont.IsOk()) {
        const wxFont previous = dc.GetFont();
        dc.SetFont(m_config.titleFont);
        m_titleTextHeight = QxTextCache::charHeight(dc);
        dc.SetFont(previous);
    } else {
        m_config.hasTitleStrip = false;
        m_titleTextHeight = 0;
        m_titleGap = 0;
    }

    // The drawables take their series from the calculator as it is now: a
    // change of prices or period discards what they held before.
    QxRange<double> range(1e100, -1e100);
    for (const auto& indicator : m_indicators) {
        if (calculator)
            indicator->setupDrawables(calculator);
        for (const auto& drawable : indicator->drawables(true)) {
            if (!drawable)
                continue;
            QxRange<double> r = drawable->getDataRange(m_visible.lower, m_visible.upper);
            if (!r.isEmpty() && drawable->rangeIncludesZero()) {
                r.lower = std::min(r.lower, 0.0);
                r.upper = std::max(r.upper, 0.0);
            }
            if (range.isEmpty()) {
                range = r;
            } else if (!r.isEmpty()) {
                range.lower = std::min(range.lower, r.lower);
                range.upper = std::max(range.upper, r.upper);
            }
        }
    }

    for (const auto& pattern : m_patterns)
        pattern->setCalculator(calculator);
    if (const auto it = m_annots.find(m_currentPeriod); it != m_annots.end())
        for (const auto& annot : it->second)
            annot->setCalculator(calculator);

    const int top = m_origin.y + getTitleHeight();
    m_valueAxis->setLogScale(m_logScale);
    m_valueAxis->setup(dc, range, top + m_height, top);
    m_layoutNeeded = false;
    adjustVertically(dc);
}

void QxZone::adjustVertically(wxDC& dc)
{
    int topMargin = 0, bottomMargin = 0;
    static const QxUniformScale noScale;
    const QxScale& dateScale = m_dateAxis ? m_dateAxis->scale() : noScale;
    const QxScale& valueScale = m_valueAxis->scale();
    auto take = [&](int rc, const wxPoint& top, const wxPoint& bottom) {
        if (rc == eNoError) {
            topMargin = std::max(topMargin, top.y);
            bottomMargin = std::max(bottomMargin, bottom.y);
        }
    };
    for (const auto& indicator : m_indicators) {
        for (const auto& drawable : indicator->drawables(true)) {
            if (!drawable)
                continue;
            wxPoint top(0, 0), bottom(0, 0);
            take(drawable->getMargins(m_visible.lower, m_visible.upper, dateScale, valueScale, top, bottom), top,
                 bottom);
        }
    }
    for (const auto& pattern : m_patterns) {
        wxPoint top(0, 0), bottom(0, 0);
        take(pattern->getMargins(m_visible.lower, m_visible.upper, dateScale, valueScale, top, bottom), top,
             bottom);
    }

    const int spacing = (3 * m_height + 50) / 100;
    const int top = m_origin.y + getTitleHeight();
    const QxUniformScale& scale = m_valueAxis->uniformScale();
    m_valueAxis->setup(dc, QxRange<double>(scale.lower(), scale.upper()),
                       top + m_height - (bottomMargin + spacing), top + topMargin + spacing);
}

void QxZone::drawTitle(wxDC& dc, const wxRect& rect) const
{
    dc.SetFont(m_config.titleFont);
    dc.SetTextForeground(m_config.titleTextColor);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    QxTextCache::drawLabel(dc, m_title, rect, m_config.titleAlignment);
}

int QxZone::display(wxDC& dc, bool showLegends, const wxColour& background) const
{
    const wxPen oldPen = dc.GetPen();
    const wxBrush oldBrush = dc.GetBrush();
    const int oldMode = dc.GetBackgroundMode();
    const wxFont oldFont = dc.GetFont();
    const wxColour oldText = dc.GetTextForeground();

    if (m_config.hasTitleStrip) {
        const wxRect strip(m_origin.x, m_origin.y, m_width, m_titleTextHeight);
        dc.SetBrush(wxBrush(m_config.titleBgColor, wxBRUSHSTYLE_SOLID));
        dc.SetPen(wxPen(blendColour(m_config.titleBgColor, 0.05), 1, wxPENSTYLE_SOLID));
        dc.DrawRectangle(strip);
        drawTitle(dc, strip);
    }

    const wxRect inner = getInnerRect();
    static const QxUniformScale noScale;
    const QxScale& dateScale = m_dateAxis ? m_dateAxis->scale() : noScale;
    const QxScale& valueScale = m_valueAxis->scale();

    if (m_gridPen.IsOk()) {
        // All lines of a direction have one length: each is a copy of one.
        const int height = inner.GetBottom() + 1 - inner.GetTop();
        const int width = inner.GetRight() + 1 - inner.GetLeft();
        std::vector<wxPoint> starts;
        if (m_dateAxis)
            for (unsigned bar : m_dateAxis->ticks())
                starts.emplace_back(dateScale.map(static_cast<double>(bar)), inner.GetTop());
        m_verticalGrid.draw(dc, m_gridPen, true, height, starts);
        starts.clear();
        for (double value : m_valueAxis->ticks())
            starts.emplace_back(inner.GetLeft(), valueScale.map(value));
        m_horizontalGrid.draw(dc, m_gridPen, false, width, starts);
    }

    dc.SetPen(oldPen);
    if (m_axisLocation & 1)
        m_valueAxis->display(dc, wxPoint(m_origin.x - m_valueAxis->getWidth(), 0), Qx::eAxisLeft);
    if (m_axisLocation & 2)
        m_valueAxis->display(dc, wxPoint(m_origin.x + m_width, 0), Qx::eAxisRight);

    {
        wxDCClipper clip(dc, inner);
        // Last to first, so the first indicator ends up on top.
        const SharpEdges sharp(dc);
        bool stop = false;
        for (auto it = m_indicators.rbegin(); it != m_indicators.rend() && !stop; ++it) {
            for (const auto& drawable : (*it)->drawables(true)) {
                if (!drawable)
                    continue;
                const int rc = drawable->display(dc, m_visible.lower, m_visible.upper, dateScale, valueScale, false);
                // No data for these bars is nothing to draw, not a failure:
                // an overlay on a short history must not hide the prices.
                if (rc != eNoError && rc != eInvalidIndex && rc != eSeriesNotAvailable && rc != eInvalidData) {
                    stop = true;
                    break;
                }
            }
        }
        for (const auto& pattern : m_patterns)
            pattern->display(dc, m_visible.lower, m_visible.upper, dateScale, valueScale);
        // The selected annotation is drawn over the picture by its view.
        for (const auto& annot : getAnnots(m_currentPeriod))
            if (!annot->isSelected())
                annot->draw(dc, m_visible.lower, m_visible.upper, dateScale, valueScale);
    }

    if (showLegends)
        drawLegends(dc, background);
    if (!m_config.hasTitleStrip && m_config.titleFont.IsOk())
        drawTitle(dc, inner);

    dc.SetPen(oldPen);
    dc.SetBrush(oldBrush);
    dc.SetFont(oldFont);
    dc.SetTextForeground(oldText);
    dc.SetBackgroundMode(oldMode);
    return eNoError;
}

wxColour QxZone::contrastColour(const wxColour& background)
{
    const int r = background.Red(), g = background.Green(), b = background.Blue();
    const int d = ((255 - 2 * r) + (255 - 2 * g) + (255 - 2 * b)) / 3;
    if (std::abs(d) >= 7)
        return wxColour(255 - r, 255 - g, 255 - b);
    return d < 1 ? *wxBLACK : *wxWHITE;
}

void QxZone::drawLegends(wxDC& dc, const wxColour& background) const
{
    static const QxUniformScale noScale;
    const QxScale& dateScale = m_dateAxis ? m_dateAxis->scale() : noScale;
    const wxColour text = contrastColour(background);
    const wxFont font = *wxNORMAL_FONT;
    wxPoint at(dateScale.map(static_cast<double>(m_visible.lower)),
               m_valueAxis->scale().map(m_valueAxis->uniformScale().upper()));
    QxPixelTarget pixels(dc);
    for (auto it = m_indicators.rbegin(); it != m_indicators.rend(); ++it) {
        for (const auto& drawable : (*it)->drawables(true)) {
            if (!drawable)
                continue;
            const wxBitmap legend = drawable->getLegend(font, text, background, 20);
            if (!legend.IsOk())
                continue;
            if (!pixels.drawOpaqueBitmap(legend, at.x, at.y))
                dc.DrawBitmap(legend, at, false);
            at.y += legend.GetHeight();
        }
    }
}

QxZoneHitTest QxZone::hitTest(const wxPoint& p, int t) const
{
    const int titleHeight = getTitleHeight();
    const int total = getHeight();
    auto near = [t](int dx, int dy) { return dx >= -t && dx <= t && dy >= -t && dy <= t; };
    if (wxRect(m_origin.x, m_origin.y, m_width, titleHeight).Contains(p))
        return eZoneHitTitle;
    if (near(p.x - m_origin.x, p.y - m_origin.y))
        return eZoneHitTopLeft;
    if (near(p.x - (m_origin.x + m_width), p.y - (m_origin.y + titleHeight)))
        return eZoneHitTopRight;
    if (near(p.x - (m_origin.x + m_width), p.y - (m_origin.y + titleHeight + m_height)))
        return eZoneHitBottomRight;
    if (near(p.x - m_origin.x, p.y - (m_origin.y + titleHeight + m_height)))
        return eZoneHitBottomLeft;
    const bool level = p.y >= m_origin.y && p.y <= m_origin.y + total;
    if (level) {
        if (std::abs(p.x - m_origin.x) <= t)
            return eZoneHitLeft;
        if (std::abs(p.x - m_origin.x - m_width) <= t)
            return eZoneHitRight;
    }
    if (p.x < m_origin.x || p.x > m_origin.x + m_width)
        return eZoneHitOutside;
    if (std::abs(p.y - m_origin.y) <= t)
        return eZoneHitTop;
    if (std::abs(p.y - m_origin.y - total) <= t)
        return eZoneHitBottom;
    return level ? eZoneHitInside : eZoneHitOutside;
}

QxDrawable* QxZone::getCurveAt(const wxPoint& point, int tolerance, unsigned* indicatorIndex) const
{
    if (!m_dateAxis)
        return nullptr;
    const double position = m_dateAxis->scale().unmap(point.x);
    if (!(position >= 0.0) || position > static_cast<double>(std::numeric_limits<int32_t>::max()))
        return nullptr;
    const int32_t bar = static_cast<int32_t>(position);
    for (unsigned i = 0; i < m_indicators.size(); ++i) {
        QxIndicator* indicator = m_indicators[i].get();
        for (const auto& drawable : indicator->drawables(false)) {
            if (!drawable)
                continue;
            const QxIndicator* bound = drawable->getSeries(dataRole()).indicator();
            if (!bound || !indicator->isEquivalent(bound))
                continue;
            QxSeries series;
            if (drawable->getDataSeries(dataRole(), series) != eNoError || series.empty())
                continue;
            // Only bars the series holds can be under the pointer.
            if (bar < series.first || bar > series.last)
                continue;
            const double value = *series.at(bar);
            if (std::isnan(value))
                continue;
            const int y = m_valueAxis->scale().map(value);
            if (y >= point.y - tolerance && y <= point.y + tolerance) {
                if (indicatorIndex)
                    *indicatorIndex = i;
                return drawable.get();
            }
        }
    }
    return nullptr;
}

wxXmlNode* QxZone::toXML(wxXmlNode* parent, const QxIndicatorLinks* links) const
{
    auto* zone = new wxXmlNode(parent, wxXML_ELEMENT_NODE, "Zone");
    zone->AddAttribute("HasTitleStrip", m_config.hasTitleStrip ? "True" : "False");
    zone->AddAttribute("Alignment", wxString::Format("%d", m_config.titleAlignment));
    zone->AddAttribute("TitleBgColor", colourToConfigString(m_config.titleBgColor));
    zone->AddAttribute("TitleFont", m_config.titleFont.IsOk() ? m_config.titleFont.GetNativeFontInfoDesc() : "");
    zone->AddAttribute("TitleTextColor", colourToConfigString(m_config.titleTextColor));
    zone->AddAttribute("Title", m_title);
    zone->AddAttribute("Height", wxString::Format("%d", getHeight()));

    // Each child is linked first under its parent: create in reverse.
    for (auto it = m_annots.rbegin(); it != m_annots.rend(); ++it) {
        if (it->second.empty())
            continue;
        auto* annots = new wxXmlNode(zone, wxXML_ELEMENT_NODE, "Annots");
        annots->AddAttribute("Periodicity", wxString::Format("%u", static_cast<unsigned>(it->first)));
        // Annotations append their elements: in list order.
        for (const auto& annot : it->second)
            annot->toXml(annots);
    }
    if (!m_patterns.empty()) {
        auto* patterns = new wxXmlNode(zone, wxXML_ELEMENT_NODE, "Patterns");
        for (size_t i = m_patterns.size(); i-- > 0;)
            if (wxXmlNode* element = m_patterns[i]->toXml(patterns))
                element->AddAttribute("Index", wxString::Format("%d", static_cast<int>(i)));
    }
    if (!m_indicators.empty()) {
        auto* indicators = new wxXmlNode(zone, wxXML_ELEMENT_NODE, "Indicators");
        QxIndicator::toXml(m_indicators, indicators, links);
        // The built-in price and volume indicators write nothing.
        if (!indicators->GetChildren()) {
            zone->RemoveChild(indicators);
            delete indicators;
        }
    }
    return zone;
}

int QxZone::fromXML(const wxXmlNode* node, QxIndicatorLinks* links, QxLeftOut* leftOut)
{
    if (!node)
        return eInvalidInputObject;
    wxString text;
    long number;
    if (node->GetAttribute("HasTitleStrip", &text))
        m_config.hasTitleStrip = text.IsSameAs("True", false);
    if (node->GetAttribute("Alignment", &text) && parseInt(text, number))
        m_config.titleAlignment = static_cast<int32_t>(number);
    if (node->GetAttribute("TitleBgColor", &text)) {
        wxColour colour;
        if (colour.Set(text))
            m_config.titleBgColor = colour;
    }
    if (node->GetAttribute("TitleFont", &text) && !isForeignFontDescription(text)) {
        wxFont font;
        if (font.SetNativeFontInfo(text) && font.IsOk())
            m_config.titleFont = font;
    }
    if (node->GetAttribute("TitleTextColor", &text)) {
        wxColour colour;
        if (colour.Set(text))
            m_config.titleTextColor = colour;
    }
    m_title = node->GetAttribute("Title", wxString());
    if (node->GetAttribute("Height", &text) && parseInt(text, number))
        setHeight(static_cast<int>(std::clamp<long>(number, 0, kMaxHeight)));
    m_layoutNeeded = true;

    const wxXmlNode* indicators = nullptr;
    const wxXmlNode* patterns = nullptr;
    for (const wxXmlNode* child = node->GetChildren(); child; child = child->GetNext()) {
        if (child->GetType() != wxXML_ELEMENT_NODE)
            continue;
        if (!indicators && child->GetName().IsSameAs("Indicators", false))
            indicators = child;
        else if (!patterns && child->GetName().IsSameAs("Patterns", false))
            patterns = child;
    }
    QxLeftOut counted;
    QxLeftOut& lost = leftOut ? *leftOut : counted;
    QxIndicatorLinks own;
    QxIndicatorLinks& joined = links ? *links : own;
    int result = eNoError;
    if (indicators) {
        IndicatorList read;
        std::vector<const wxXmlNode*> elements;
        // One unreadable indicator must not cost the zone its drawings.
        result = QxIndicator::fromXml(indicators, read, &elements, &lost.indicators);
        for (size_t i = 0; i < read.size(); ++i) {
            addIndicator(read[i].get());
            joined.noteRead(elements[i], m_indicators.back().get());
        }
    }
    if (!links)
        lost.inputs += own.join();
    if (patterns)
        readPatternsFromXml(patterns, m_patterns, &lost.patterns);
    for (const wxXmlNode* child = node->GetChildren(); child; child = child->GetNext()) {
        if (child->GetType() != wxXML_ELEMENT_NODE || !child->GetName().IsSameAs("Annots", false))
            continue;
        if (!parseInt(child->GetAttribute("Periodicity", wxString()), number)) {
            for (const wxXmlNode* a = child->GetChildren(); a; a = a->GetNext())
                lost.annots += a->GetType() == wxXML_ELEMENT_NODE;
            continue;
        }
        for (const wxXmlNode* a = child->GetChildren(); a; a = a->GetNext()) {
            if (a->GetType() != wxXML_ELEMENT_NODE)
                continue;
            if (QxAnnot* annot = createAnnotFromXml(a))
                addAnnot(annot, static_cast<Qx::QxPeriod>(number));
            else
                ++lost.annots;
        }
    }
    return result;
}
