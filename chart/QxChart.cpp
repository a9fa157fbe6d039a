#include "chart/QxChart.h"

#include "app/QxGlobalVars.h"
#include "chart/QxDateAxis.h"
#include "chart/QxDcMetrics.h"
#include "chart/QxPrice.h"
#include "chart/QxPriceObj.h"
#include "chart/QxVolume.h"
#include "chart/QxPixelTarget.h"
#include "chart/QxTextCache.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"

#include <wx/dc.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
constexpr double kMaxCandleMm = 10.0;
} // namespace

QxChart::QxChart(QxCalculator* calculator) : m_calc(calculator), m_dateAxis(new QxDateAxis())
{
    const QxChartAllConfiguration& current = currentChartConfig();
    m_config = current.chartConfig;
    const QxGlobalVars& vars = QxGlobalVars::get();

    m_mainZone = insertZone(0, current.mainZoneConfig, vars.mainZoneHeight);
    {
        QxObjectSmartPtr<QxPrice> price(new QxPrice());
        m_mainZone->addIndicator(price.get());
    }
    m_volumeZone = insertZone(1, current.volumeZoneConfig, vars.volmZoneHeight);
    {
        QxObjectSmartPtr<QxVolume> volume(new QxVolume());
        m_volumeZone->addIndicator(volume.get());
        m_volumeZone->setTitle(volume->getDisplayName());
    }
    m_volumeZone->setLayoutNeeded();
}

QxChart::QxChart(const QxChart& other)
    : QxObject(), m_config(other.m_config), m_chartWidth(other.m_chartWidth), m_chartHeight(other.m_chartHeight),
      m_volumeZoneVisible(other.m_volumeZoneVisible), m_zoomCode(other.m_zoomCode),
      m_zoomFactor(other.m_zoomFactor), m_canZoomOut(other.m_canZoomOut), m_canZoomIn(other.m_canZoomIn),
      m_layoutPeriod(other.m_layoutPeriod), m_dateAxis(new QxDateAxis()),
      m_lastVisibleBar(other.m_lastVisibleBar), m_numVisibleBars(other.m_numVisibleBars),
      m_candleWidth(other.m_candleWidth), m_candleSpacing(other.m_candleSpacing),
      m_valueAxisWidth(other.m_valueAxisWidth)
{
    for (const auto& source : other.m_zones) {
        QxZone* zone = insertZone(numZones(), source->getConfig(), source->getPlotHeight());
        zone->copyObjectsFrom(source.get());
        zone->setTitle(source->getTitle());
        zone->setLogScale(source->getLogScale());
        zone->setLayoutNeeded();
        if (source == other.m_mainZone)
            m_mainZone = zone;
        if (source == other.m_volumeZone)
            m_volumeZone = zone;
    }
    if (other.m_calc)
        m_calc = new QxCalculator(other.m_calc->getSecurity(), other.m_calc->currentTimeframe());
    m_layoutDirty = true;
}

QxChart& QxChart::operator=(const QxChart& other)
{
    if (this == &other)
        return *this;
    m_config = other.m_config;
    m_origin = other.m_origin;
    m_chartWidth = other.m_chartWidth;
    m_chartHeight = other.m_chartHeight;
    m_zones = other.m_zones;
    m_mainZone = other.m_mainZone;
    m_volumeZone = other.m_volumeZone;
    m_volumeZoneVisible = other.m_volumeZoneVisible;
    m_zoomCode = other.m_zoomCode;
    m_zoomFactor = other.m_zoomFactor;
    m_canZoomOut = other.m_canZoomOut;
    m_canZoomIn = other.m_canZoomIn;
    m_calc = other.m_calc;
    m_layoutPeriod = other.m_layoutPeriod;
    m_dateAxis = other.m_dateAxis;
    m_lastVisibleBar = other.m_lastVisibleBar;
    m_numVisibleBars = other.m_numVisibleBars;
    m_candleWidth = other.m_candleWidth;
    m_candleSpacing = other.m_candleSpacing;
    m_valueAxisWidth = other.m_valueAxisWidth;
    m_plotWidth = other.m_plotWidth;
    m_layoutDirty = other.m_layoutDirty;
    return *this;
}

QxChart::~QxChart() = default;

void QxChart::setConfig(const QxChartConfiguration& config)
{
    m_config = config;
    m_layoutDirty = true;
}

void QxChart::setChartOrigin(const wxPoint& origin)
{
    if (origin != m_origin) {
        m_origin = origin;
        m_layoutDirty = true;
    }
}

void QxChart::setChartWidth(int width)
{
    if (width != m_chartWidth) {
        m_chartWidth = width;
        m_layoutDirty = true;
    }
}

int QxChart::setZoomWidth(uint32_t code)
{
    if (code == eZoomNone)
        return eInvalidInput;
    if (code == m_zoomCode)
        return eNoError;
    m_zoomCode = code;
    m_layoutDirty = true;
    return eNoError;
}

QxZone* QxChart::zoneAt(unsigned index) const
{
    return index < m_zones.size() ? m_zones[index].get() : nullptr;
}

void QxChart::showVolumeZone(bool show)
{
    if (show != m_volumeZoneVisible) {
        m_volumeZoneVisible = show;
        m_layoutDirty = true;
    }
}

bool QxChart::mainZoneOnTop() const
{
    return !m_zones.empty() && m_zones.front() == m_mainZone;
}

bool QxChart::mainZoneOnBottom() const
{
    return !m_zones.empty() && m_zones.back() == m_mainZone;
}

QxZone* QxChart::insertZone(unsigned, const QxZoneConfiguration& config, int height)
{
    QxObjectSmartPtr<QxZone> zone(new QxZone(config, height));
    zone->setDateAxis(m_dateAxis.get());
    m_zones.push_back(zone);
    m_layoutDirty = true;
    return zone.get();
}

QxZone* QxChart::addZone()
{
    const QxZoneConfiguration& config =
        m_zones.size() >= 3 ? m_zones[2]->getConfig() : currentChartConfig().indicZoneConfig;
    return insertZone(numZones(), config, QxGlobalVars::get().indcZoneHeight);
}

QxZone* QxChart::insertZone(unsigned)
{
    return addZone();
}

int QxChart::deleteZone(unsigned index)
{
    if (index >= m_zones.size())
        return eInvalidIndex;
    m_layoutDirty = true;
    if (m_zones[index] == m_mainZone)
        m_mainZone = nullptr;
    if (m_zones[index] == m_volumeZone)
        m_volumeZone = nullptr;
    m_zones.erase(m_zones.begin() + index);
    return eNoError;
}

int QxChart::moveZone(unsigned, unsigned)
{
    m_layoutDirty = true;
    return eNotImplemented;
}

int QxChart::setLastVisibleBar(uint32_t bar)
{
    if (bar != m_lastVisibleBar) {
        m_lastVisibleBar = bar;
        m_layoutDirty = true;
    }
    return eNoError;
}

int QxChart::leftMargin() const
{
    const int border = m_config.borderPen.IsOk() ? m_config.borderPen.GetWidth() : 0;
    return border + ((m_config.axisLocation & QxChartConfiguration::eValueAxisLeft) ? m_valueAxisWidth : 0);
}

int QxChart::rightMargin() const
{
    const int border = m_config.borderPen.IsOk() ? m_config.borderPen.GetWidth() : 0;
    return border + ((m_config.axisLocation & QxChartConfiguration::eValueAxisRight) ? m_valueAxisWidth : 0);
}

int QxChart::calcCandleSize(wxDC& dc)
{
    if (!m_mainZone)
        return eMainZoneNotPresent;
    const QxPrice* price = m_mainZone->findIndicator();
    if (!price || !price->priceObj())
        return ePriceObjectNotFound;

    // A configured width below one pixel would make every zoom step vanish.
    const int base = std::max(1, price->priceObj()->tickWidth());
    m_candleSpacing = 1;
    const double pxPerMm = dcPixelsPerMmX(dc);
    const double baseMm = base / pxPerMm;
    double mm = m_zoomFactor * baseMm;

    if (m_zoomCode != eZoomNone) {
        if (m_zoomCode >= 1 && m_zoomCode <= 65534) {
            mm = m_zoomCode * baseMm / 100.0;
        } else if (m_zoomCode == eZoomWider) {
            mm += 1.0 / pxPerMm;
        } else if (m_zoomCode == eZoomNarrower) {
            mm -= 1.0 / pxPerMm;
        } else if (m_zoomCode == eZoomOnePixel) {
            mm = 1.0 / pxPerMm;
        } else if (m_zoomCode == eZoomMaximum) {
            mm = kMaxCandleMm;
        } else if (m_zoomCode >= eZoomAsDaily && m_zoomCode <= eZoomAsYearly) {
            static const Qx::QxPeriod periods[] = {Qx::eDaily, Qx::eWeekly, Qx::eMonthly, Qx::eQuarterly,
                                                   Qx::eYearly};
            const QxPriceHistory* other = m_calc->prices(periods[m_zoomCode - eZoomAsDaily], false);
            const unsigned otherBars = other ? other->numBars() : 0;
            const QxPriceHistory* current = m_calc->prices(m_calc->currentTimeframe(), false);
            const unsigned currentBars = current ? current->numBars() : 0;
            mm = otherBars && currentBars ? baseMm * otherBars / currentBars : baseMm;
        } else {
            mm = baseMm;
        }
        m_zoomCode = eZoomNone;
    }

    mm = std::min(mm, kMaxCandleMm);
    m_candleWidth = std::max(1, static_cast<int>(mm * pxPerMm + 0.5));
    m_candleSpacing = m_candleWidth / 3;
    m_zoomFactor = static_cast<double>(m_candleWidth) / base;
    m_canZoomOut = m_candleWidth != 1;
    // Compared in whole pixels: the widest candle rounds to fewer than 10 mm
    // on most screens, and the next layout would otherwise offer a Zoom In
    // that can no longer widen anything.
    m_canZoomIn = m_candleWidth < static_cast<int>(kMaxCandleMm * pxPerMm + 0.5);
    return eNoError;
}

int QxChart::setup(wxDC& dc)
{
    if (m_chartWidth < 1)
        return eWidthOfChartTooSmall;
    if (!m_calc)
        return eInvalidCalculatorObject;
    if (m_calc->currentTimeframe() != m_layoutPeriod) {
        m_layoutDirty = true;
        m_lastVisibleBar = kLatestBar;
    }

    m_candleSpacing = m_candleWidth = 0;
    const QxPriceHistory* prices = m_calc->prices(m_calc->currentTimeframe(), false);
    if (!prices || prices->numBars() == 0)
        return eInvalidPriceHistory;
    m_layoutDirty = false;

    {
        const wxFont previous = dc.GetFont();
        dc.SetFont(m_dateAxis->getConfig().labelFont);
        m_valueAxisWidth = QxTextCache::extent(dc, "xXx-999.9999M").GetWidth();
        dc.SetFont(previous);
    }

    const uint32_t n = prices->numBars();
    if (m_lastVisibleBar >= n)
        m_lastVisibleBar = n - 1;

    const int pad = 1;
    const int left = leftMargin();
    const int right = rightMargin();
    m_plotWidth = m_chartWidth - left - right;
    if (m_plotWidth <= 2 * pad)
        return eWidthOfChartTooSmall;

    const int rc = calcCandleSize(dc);
    if (rc != eNoError)
        return rc;

    const int step = m_candleWidth + m_candleSpacing;
    const int fits = (m_plotWidth - 2 * pad + m_candleSpacing) / step;
    if (fits <= 0)
        return eWidthOfChartTooSmall;
    m_numVisibleBars = static_cast<uint32_t>(fits);
    uint32_t last;
    if (m_numVisibleBars > n) {
        m_numVisibleBars = n;
        last = n - 1;
    } else {
        last = std::max(m_lastVisibleBar, m_numVisibleBars - 1);
    }
    const uint32_t first = last - m_numVisibleBars + 1;

    // The bars are right-aligned; what is left over stays on the left.
    const int used = m_candleSpacing * static_cast<int>(m_numVisibleBars - 1) +
                     m_candleWidth * static_cast<int>(m_numVisibleBars) + 2 * pad;
    const int slack = m_plotWidth - used;
    m_plotWidth = used;
    const int plotLeft = left + slack;

    const int firstX = m_origin.x + plotLeft + pad + (m_candleWidth + 1) / 2;
    const int lastX = firstX + step * static_cast<int>(m_numVisibleBars - 1);
    m_dateAxis->setup(dc, QxRange<unsigned>(first, last), prices, firstX, lastX);

    int y = m_origin.y;
    const int dateAxisHeight = m_dateAxis->minHeight();
    for (const auto& zone : m_zones) {
        if (!isShown(zone.get()))
            continue;
        zone->setVisibleRange(QxRange<unsigned>(first, last));
        zone->setWidth(m_plotWidth);
        zone->setOrigin(wxPoint(m_origin.x + plotLeft, y));
        zone->setLayoutNeeded();
        zone->setup(dc, m_calc.get());
        if (((m_config.axisLocation & QxChartConfiguration::eDateAxisUnderMainZone) && zone == m_mainZone) ||
            (m_config.axisLocation & QxChartConfiguration::eDateAxisUnderEveryZone))
            y += dateAxisHeight;
        y += zone->getPlotHeight() + zone->getTitleHeight();
    }

    m_lastVisibleBar = last;
    for (const auto& zone : m_zones) {
        zone->setDateAxis(m_dateAxis.get());
        zone->setAxisLocation(static_cast<unsigned>(m_config.axisLocation));
        zone->setGridPen(m_config.gridPen);
    }
    calcHeight();
    m_layoutPeriod = m_calc->currentTimeframe();
    // Too tall to draw (zone heights from a file or the preferences): lay
    // out again with the zones shrunk to fit.
    if (m_chartHeight > kMaxChartHeight && shrinkZonesToFit())
        return setup(dc);
    return eNoError;
}

bool QxChart::shrinkZonesToFit()
{
    int64_t plots = 0;
    for (const auto& zone : m_zones)
        plots += zone->getPlotHeight();
    const int64_t available = std::max<int64_t>(0, plots - (m_chartHeight - kMaxChartHeight));
    bool changed = false;
    for (const auto& zone : m_zones) {
        const int plot = zone->getPlotHeight();
        const int fitted = static_cast<int>(std::max<int64_t>(1, plots > 0 ? plot * available / plots : 1));
        if (fitted < plot) {
            zone->setHeight(fitted + zone->getTitleHeight());
            changed = true;
        }
    }
    return changed;
}

void QxChart::calcHeight()
{
    const int border = m_config.borderPen.IsOk() ? m_config.borderPen.GetWidth() : 0;
    const int dateAxisHeight = m_dateAxis->minHeight();
    int height = border;
    for (const auto& zone : m_zones)
        height += zone->getPlotHeight() + zone->getTitleHeight();
    if (m_config.axisLocation & QxChartConfiguration::eDateAxisUnderEveryZone) {
        height += dateAxisHeight * static_cast<int>(m_zones.size()) + border;
        m_chartHeight = height;
        return;
    }
    const bool underLast = m_config.axisLocation & QxChartConfiguration::eDateAxisUnderLastZone;
    const bool underMain = m_config.axisLocation & QxChartConfiguration::eDateAxisUnderMainZone;
    if (underLast)
        height += dateAxisHeight;
    if (underMain)
        height += dateAxisHeight;
    if (underLast && underMain && mainZoneOnBottom())
        height -= dateAxisHeight; // the two axes coincide
    m_chartHeight = height + border;
}

int QxChart::calcWidth(uint32_t first, uint32_t last)
{
    if (first > last)
        return 0;
    if (first == 0 && last == 0) {
        const QxPriceHistory* prices = m_calc ? m_calc->prices(m_calc->currentTimeframe(), false) : nullptr;
        last = prices && prices->numBars() ? prices->numBars() - 1 : 0;
    }
    // The plot keeps one pixel free at each side (see setup): without them
    // the last bar would not fit.
    const int pad = 1;
    return leftMargin() + rightMargin() + 2 * pad +
           (m_candleWidth + m_candleSpacing) * static_cast<int>(last - first + 1) - m_candleSpacing;
}

void QxChart::display(wxDC& dc, bool showLegends)
{
    if (setup(dc) != eNoError)
        return;

    const wxPen oldPen = dc.GetPen();
    const wxBrush oldBrush = dc.GetBrush();
    const wxPen edge(m_config.bg, 0, wxPENSTYLE_SOLID);
    dc.SetBrush(wxBrush(m_config.bg, wxBRUSHSTYLE_SOLID));
    const wxSize size = dc.GetSize();
    if (m_config.bg.IsOk() && m_config.bg.Alpha() == wxALPHA_OPAQUE && QxPixelTarget(dc).isOpen()) {
        // The edge, in the fill's own opaque colour, lies on the picture's
        // first row and column and beyond its last: it changes nothing but
        // the top left pixel, where the smoothed round corner leaves a shade.
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.DrawRectangle(0, 0, size.GetWidth(), size.GetHeight());
        wxDCClipper corner(dc, wxRect(0, 0, 2, 2));
        dc.SetPen(edge);
        dc.DrawRectangle(0, 0, size.GetWidth(), size.GetHeight());
    } else {
        dc.SetPen(edge);
        dc.DrawRectangle(0, 0, size.GetWidth(), size.GetHeight());
    }
    dc.SetBrush(oldBrush);

    const bool everyZone = m_config.axisLocation & QxChartConfiguration::eDateAxisUnderEveryZone;
    const bool underMain = m_config.axisLocation & QxChartConfiguration::eDateAxisUnderMainZone;
    const bool underLast = m_config.axisLocation & QxChartConfiguration::eDateAxisUnderLastZone;
    const QxZone* firstZone = nullptr;
    for (const auto& zone : m_zones) {
        if (!isShown(zone.get()))
            continue;
        if (!firstZone)
            firstZone = zone.get();
        zone->display(dc, showLegends, m_config.bg);
        if ((underMain && zone == m_mainZone) || everyZone) {
            const int bottom = bottomOf(zone.get());
            const int left = zone->getOrigin().x;
            dc.SetPen(m_config.borderPen);
            dc.DrawLine(left, bottom, left + zone->getWidth(), bottom);
            m_dateAxis->display(dc, wxPoint(left, bottom), Qx::eAxisBelow);
        }
    }
    if (!firstZone) {
        dc.SetPen(oldPen);
        return;
    }

    const QxZone* bottomZone = m_zones.back().get();
    if (!isShown(bottomZone))
        bottomZone = m_mainZone ? m_mainZone.get() : firstZone;
    const int bottom = bottomOf(bottomZone);
    if (underLast && !everyZone)
        m_dateAxis->display(dc, wxPoint(bottomZone->getOrigin().x, bottom), Qx::eAxisBelow);

    dc.SetPen(m_config.borderPen);
    const int left = firstZone->getOrigin().x;
    const int top = firstZone->getOrigin().y;
    const int right = bottomZone->getOrigin().x + bottomZone->getWidth();
    dc.DrawLine(left, top, right, top);
    dc.DrawLine(right, top, right, bottom);
    dc.DrawLine(right, bottom, left, bottom);
    dc.DrawLine(left, bottom, left, top);
    dc.SetPen(oldPen);
}

int QxChart::zoneNearPoint(const wxPoint& p, QxZoneHitTest& hit, int t) const
{
    for (size_t i = 0; i < m_zones.size(); ++i) {
        const QxZone* zone = m_zones[i].get();
        if (!isShown(zone))
            continue;
        const int L = zone->getOrigin().x, T = zone->getOrigin().y, W = zone->getWidth();
        const int S = zone->getTitleHeight(), H = zone->getPlotHeight();
        const int B = T + S + H;
        if (wxRect(L, T, W, S).Contains(p)) {
            hit = eZoneHitTitle;
            return static_cast<int>(i);
        }
        const bool nearL = std::abs(p.x - L) <= t, nearR = std::abs(p.x - (L + W)) <= t;
        hit = eZoneHitOutside;
        if (nearL && std::abs(p.y - T) <= t)
            hit = eZoneHitTopLeft;
        else if (nearR && std::abs(p.y - (T + S)) <= t)
            hit = eZoneHitTopRight;
        else if (nearR && std::abs(p.y - B) <= t)
            hit = eZoneHitBottomRight;
        else if (nearL && std::abs(p.y - B) <= t)
            hit = eZoneHitBottomLeft;
        else {
            const bool level = p.y >= T && p.y <= B;
            if (level && nearL)
                hit = eZoneHitLeft;
            else if (level && nearR)
                hit = eZoneHitRight;
            else if (p.x >= L && p.x <= L + W) {
                if (std::abs(p.y - T) <= t)
                    hit = eZoneHitTop;
                else if (std::abs(p.y - B) <= t)
                    hit = eZoneHitBottom;
                else if (level)
                    hit = eZoneHitInside;
            }
        }
        if (hit != eZoneHitOutside)
            return static_cast<int>(i);
    }
    hit = eZoneHitOutside;
    return -1;
}

wxRect QxChart::getInnerBox() const
{
    if (m_zones.empty())
        return wxRect();
    const QxZone* first = m_zones.front().get();
    const QxZone* last = m_zones.back().get();
    // A hidden volume zone keeps its old place; the box ends where the
    // frame does.
    if (!isShown(last))
        last = m_mainZone ? m_mainZone.get() : first;
    const int left = first->getOrigin().x;
    const int top = first->getOrigin().y + first->getTitleHeight();
    return wxRect(left, top, last->getWidth(), bottomOf(last) - top);
}
