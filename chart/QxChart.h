#pragma once
// The device-independent model of one chart: a vertical stack of zones
// sharing one date axis, the chart-wide look, the calculator that supplies
// prices and series, and the horizontal layout (candle width and spacing,
// zoom, the visible bars).  It lays itself out for a device context, paints
// itself and answers the chart window's geometric questions.
#include "chart/QxChartConfiguration.h"
#include "chart/QxZone.h"
#include "core/QxObject.h"
#include "core/QxTime.h"

#include <wx/gdicmn.h>

#include <cstdint>
#include <vector>

class QxCalculator;
class QxDateAxis;
class wxDC;

class QxChart : public QxObject {
public:
    // The tallest chart the view's bitmap can hold: cairo draws nothing on
    // a surface larger than 32,767 pixels a side.
    static constexpr int kMaxChartHeight = 32767;
    // The tallest zone the preferences let new charts have.
    static constexpr int kMaxZoneHeight = 10000;
    // Zoom codes of setZoomWidth() besides 1..65534 (a percentage of the
    // base candle width).
    enum ZoomCode : uint32_t {
        eZoomNone = 0,
        eZoomBase = 65535,
        eZoomWider = 0x10000,    // one pixel wider
        eZoomNarrower = 0x10001, // one pixel narrower
        eZoomOnePixel = 0x10002,
        eZoomMaximum = 0x10003, // the 10 mm cap
        // The time span the view of that period shows at the base width.
        eZoomAsDaily = 0x10004,
        eZoomAsWeekly = 0x10005,
        eZoomAsMonthly = 0x10006,
        eZoomAsQuarterly = 0x10007,
        eZoomAsYearly = 0x10008,
    };
    // All bits set: the latest bar.
    static constexpr uint32_t kLatestBar = 0xFFFFFFFFu;

    // A main zone with a price indicator and a volume zone with a volume
    // indicator, in the current configuration's look.
    explicit QxChart(QxCalculator* calculator);
    // A deep copy: new zones with the source's objects, a new date axis and
    // a new calculator for the same security and period.
    QxChart(const QxChart& other);
    // Shares the source's zones, calculator and date axis.
    QxChart& operator=(const QxChart& other);
    ~QxChart() override;

    void setConfig(const QxChartConfiguration& config);
    const QxChartConfiguration& getConfig() const { return m_config; }
    void setChartOrigin(const wxPoint& origin);
    const wxPoint& origin() const { return m_origin; }
    void setChartWidth(int width);
    int getChartWidth() const { return m_chartWidth; }
    int chartHeight() const { return m_chartHeight; }

    // eInvalidInput for 0; takes effect at the next layout.
    [[nodiscard]] int setZoomWidth(uint32_t code);
    uint32_t getZoomWidth() const { return m_zoomCode; }
    void setZoomFactor(double factor) { m_zoomFactor = factor; }
    double getZoomFactor() const { return m_zoomFactor; }
    bool canZoomIn() const { return m_canZoomIn; }
    bool canZoomOut() const { return m_canZoomOut; }

    unsigned numZones() const { return static_cast<unsigned>(m_zones.size()); }
    QxZone* zoneAt(unsigned index) const;
    QxZone* getMainZone() const { return m_mainZone.get(); }
    QxZone* getVolumeZone() const { return m_volumeZone.get(); }
    bool isVolZoneVisible() const { return m_volumeZoneVisible; }
    void showVolumeZone(bool show);
    bool mainZoneOnTop() const;
    bool mainZoneOnBottom() const;
    // Appends an indicator zone.
    QxZone* addZone();
    // Like addZone(): the zone goes to the end whatever the index.
    QxZone* insertZone(unsigned index);
    int deleteZone(unsigned index);
    // eNotImplemented.
    int moveZone(unsigned from, unsigned to);

    int setLastVisibleBar(uint32_t bar);
    uint32_t lastVisibleBar() const { return m_lastVisibleBar; }
    uint32_t firstVisibleBar() const { return m_lastVisibleBar - m_numVisibleBars + 1; }
    uint32_t numVisibleBars() const { return m_numVisibleBars; }
    int candleWidth() const { return m_candleWidth; }
    int candleSpacing() const { return m_candleSpacing; }
    int valueAxisWidth() const { return m_valueAxisWidth; }
    int plotWidth() const { return m_plotWidth; }
    bool isLayoutDirty() const { return m_layoutDirty; }
    QxCalculator* getCalc() const { return m_calc.get(); }
    QxDateAxis* getDateAxis() const { return m_dateAxis.get(); }

    int leftMargin() const;
    int rightMargin() const;

    // Lays the chart out for the device: candle size, visible bars, date
    // axis and zones.  eWidthOfChartTooSmall, eInvalidCalculatorObject,
    // eInvalidPriceHistory, eMainZoneNotPresent or ePriceObjectNotFound.
    int setup(wxDC& dc);
    // Lays out and paints; nothing is painted when the layout fails.
    void display(wxDC& dc, bool showLegends);
    // Pixels needed to show bars first..last; both 0: up to the latest bar.
    int calcWidth(uint32_t first, uint32_t last);
    // The index of the zone the point hits (hit says how), or -1.
    int zoneNearPoint(const wxPoint& point, QxZoneHitTest& hit, int tolerance) const;
    // From the first zone's plot top-left to the last zone's bottom-right.
    wxRect getInnerBox() const;

private:
    QxZone* insertZone(unsigned index, const QxZoneConfiguration& config, int height);
    int calcCandleSize(wxDC& dc);
    // Shrinks the zones' plot heights in proportion (to 1 pixel at least)
    // so the chart fits kMaxChartHeight; true when a height changed.
    bool shrinkZonesToFit();
    void calcHeight();
    bool isShown(const QxZone* zone) const { return m_volumeZoneVisible || zone != m_volumeZone.get(); }
    static int bottomOf(const QxZone* zone) { return zone->getOrigin().y + zone->getHeight(); }

    QxChartConfiguration m_config;
    wxPoint m_origin{0, 0};
    int m_chartWidth = 0;
    int m_chartHeight = 0;
    std::vector<QxObjectSmartPtr<QxZone>> m_zones;
    QxObjectSmartPtr<QxZone> m_mainZone;
    QxObjectSmartPtr<QxZone> m_volumeZone;
    bool m_volumeZoneVisible = true;
    uint32_t m_zoomCode = eZoomBase;
    double m_zoomFactor = 1.0;
    bool m_canZoomOut = false;
    bool m_canZoomIn = false;
    QxObjectSmartPtr<QxCalculator> m_calc;
    Qx::QxPeriod m_layoutPeriod = static_cast<Qx::QxPeriod>(0);
    QxObjectSmartPtr<QxDateAxis> m_dateAxis;
    uint32_t m_lastVisibleBar = kLatestBar;
    uint32_t m_numVisibleBars = 0;
    int m_candleWidth = 0;
    int m_candleSpacing = 0;
    int m_valueAxisWidth = 0;
    int m_plotWidth = 0;
    bool m_layoutDirty = true;
};
