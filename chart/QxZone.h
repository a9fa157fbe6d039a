#pragma once
// One pane of a chart: indicators painted over the same visible bars, with
// their own value axis, an optional title strip, grid lines, detected
// patterns and the user's annotations of each bar period.  The zone finds
// its value range from its indicators' drawables, lays out its value axis,
// paints itself, answers hit tests, and reads and writes its "Zone" XML.
#include "chart/QxChartConfiguration.h"
#include "chart/QxDateAxis.h"
#include "chart/QxRange.h"
#include "chart/QxValueAxis.h"
#include "chart/QxLineStamp.h"
#include "core/QxObject.h"
#include "core/QxTime.h"

#include <wx/gdicmn.h>
#include <wx/pen.h>
#include <wx/string.h>

#include <map>
#include <vector>

class QxAnnot;
class QxCalculator;
class QxDrawable;
class QxIndicator;
class QxIndicatorLinks;
class QxPattern;
class QxPrice;
class QxScale;
class wxClassInfo;
class wxDC;
class wxXmlNode;

// What part of a zone a point lies on.
enum QxZoneHitTest : int {
    eZoneHitOutside = 0,
    eZoneHitLeft = 1,
    eZoneHitTop = 2,
    eZoneHitRight = 4,
    eZoneHitBottom = 8,
    eZoneHitTopLeft = 16,
    eZoneHitTopRight = 32,
    eZoneHitBottomRight = 64,
    eZoneHitBottomLeft = 128,
    eZoneHitInside = 256,
    eZoneHitTitle = 512,
};

// What the readers of a chart file could not use of it, so that the user is
// told what a damaged file lost.
struct QxLeftOut {
    unsigned zones = 0;
    unsigned indicators = 0;
    unsigned inputs = 0; // inputs naming an indicator that could not be found
    unsigned patterns = 0;
    unsigned annots = 0;
    bool any() const { return zones || indicators || inputs || patterns || annots; }
};

class QxZone : public QxObject {
public:
    using IndicatorList = std::vector<QxObjectSmartPtr<QxIndicator>>;
    using PatternList = std::vector<QxObjectSmartPtr<QxPattern>>;
    using AnnotList = std::vector<QxObjectSmartPtr<QxAnnot>>;

    // height: of the plotting area, in pixels.
    QxZone(const QxZoneConfiguration& config, int height);
    // Shares the axes, indicators, patterns and annotations.
    QxZone(const QxZone& other);
    QxZone& operator=(const QxZone& other);
    ~QxZone() override;

    void setConfig(const QxZoneConfiguration& config);
    const QxZoneConfiguration& getConfig() const { return m_config; }
    void setTitle(const wxString& title);
    const wxString& getTitle() const { return m_title; }
    void setLogScale(bool logScale);
    bool getLogScale() const { return m_logScale; }
    void setOrigin(const wxPoint& origin);
    const wxPoint& getOrigin() const { return m_origin; }
    void setWidth(int width);
    int getWidth() const { return m_width; }
    // The tallest plotting area a zone has: heights read from files are
    // clamped to 0..kMaxHeight.
    static constexpr int kMaxHeight = 32767;
    // total includes the title strip: the plotting area becomes
    // |total - title height| high, at most kMaxHeight.
    void setHeight(int total);
    // Plotting area plus title strip.
    int getHeight() const { return m_height + getTitleHeight(); }
    int getPlotHeight() const { return m_height; }
    // Title text and the gap below it; 0 without a title strip.
    int getTitleHeight() const;
    wxRect getInnerRect() const;

    // Bit value 1: value axis on the left; 2: on the right.
    void setAxisLocation(unsigned location) { m_axisLocation = location; }
    unsigned getAxisLocation() const { return m_axisLocation; }
    void setGridPen(const wxPen& pen) { m_gridPen = pen; }
    void setDateAxis(QxDateAxis* axis) { m_dateAxis = axis; }
    QxDateAxis* getDateAxis() const { return m_dateAxis.get(); }
    QxValueAxis* valueAxis() const { return m_valueAxis.get(); }
    const QxScale& getValueScale() const;
    void setVisibleRange(const QxRange<unsigned>& range);
    const QxRange<unsigned>& getVisibleRange() const { return m_visible; }

    bool isLayoutNeeded() const { return m_layoutNeeded; }
    // The next setup lays the zone out again.
    void setLayoutNeeded() { m_layoutNeeded = true; }

    // Adds a clone (flags 7) of the indicator, never the caller's object;
    // eInvalidObject for null.
    int addIndicator(const QxIndicator* indicator);
    // Removes this very object; eObjectNotFound when the zone does not hold it.
    int removeIndicator(const QxIndicator* indicator);
    int removeIndicatorAt(unsigned index);
    unsigned numIndicator() const { return static_cast<unsigned>(m_indicators.size()); }
    QxIndicator* indicatorAt(unsigned index) const;
    // The first price indicator at an index at or after from, or null.
    const QxPrice* findIndicator(unsigned from = 0) const;

    void addPattern(QxPattern* pattern);
    PatternList& getPatterns() { return m_patterns; }
    const PatternList& getPatterns() const { return m_patterns; }
    void addAnnot(QxAnnot* annot, Qx::QxPeriod period);
    AnnotList& getAnnots(Qx::QxPeriod period);
    const AnnotList& getAnnots(Qx::QxPeriod period) const;
    // Appends clones of the other zone's indicators, patterns and
    // annotations; eInvalidInputObject for null.
    int copyObjectsFrom(const QxZone* other);

    // Lays the zone out when something changed (or the kind of device did):
    // title metrics, the indicators' series from the calculator, the value
    // range of the visible bars and the value axis with room for what the
    // drawables paint beyond their values.
    void setup(wxDC& dc, QxCalculator* calculator);
    // Paints title, grid, value axes, indicators, patterns, annotations and
    // legends.  Always 0.
    int display(wxDC& dc, bool showLegends, const wxColour& background) const;

    QxZoneHitTest hitTest(const wxPoint& point, int tolerance) const;
    // The drawable of an indicator's output whose line passes within
    // tolerance of the point; the indicator's index goes to indicatorIndex.
    QxDrawable* getCurveAt(const wxPoint& point, int tolerance, unsigned* indicatorIndex) const;

    // The new "Zone" element under parent. links holds the indicators of
    // the whole chart when the zone is written as part of it.
    wxXmlNode* toXML(wxXmlNode* parent, const QxIndicatorLinks* links = nullptr) const;
    // Reads the attributes present and appends the indicators, patterns and
    // annotations, as many as can be read: what cannot is counted in
    // leftOut, and the indicator reader's first failure is returned. With
    // links, inputs that name indicators of other zones are noted there for
    // the caller to join; without, they are joined within this zone.
    int fromXML(const wxXmlNode* node, QxIndicatorLinks* links = nullptr, QxLeftOut* leftOut = nullptr);

    // The text colour legends take on a background.
    static wxColour contrastColour(const wxColour& background);

private:
    void adjustVertically(wxDC& dc);
    void drawTitle(wxDC& dc, const wxRect& rect) const;
    void drawLegends(wxDC& dc, const wxColour& background) const;

    QxZoneConfiguration m_config;
    bool m_logScale = false;
    wxPoint m_origin{0, 0};
    int m_height = 0;
    int m_width = 0;
    int m_titleTextHeight = 0;
    int m_titleGap = 1;
    wxString m_title;
    unsigned m_axisLocation = 2;
    QxObjectSmartPtr<QxDateAxis> m_dateAxis;
    QxObjectSmartPtr<QxValueAxis> m_valueAxis;
    IndicatorList m_indicators;
    QxRange<unsigned> m_visible;
    wxPen m_gridPen;
    // The grid lines, painted once per pen and length (not copied with the zone).
    mutable QxLineStamp m_verticalGrid;
    mutable QxLineStamp m_horizontalGrid;
    wxClassInfo* m_deviceClass = nullptr;
    bool m_layoutNeeded = true;
    PatternList m_patterns;
    std::map<Qx::QxPeriod, AnnotList> m_annots;
    Qx::QxPeriod m_currentPeriod = static_cast<Qx::QxPeriod>(0);
};
