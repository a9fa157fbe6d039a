#pragma once
// The scrolled window every chart window derives from. It owns what they
// share: the off-screen picture of the chart, the horizontal scroll model
// (a horizontal scroll changes the chart's last visible bar instead of
// shifting pixels), panning by dragging, the crosshair, the annotation tool
// and the factory that makes an annotation for a tool. What depends on the
// chart model it asks of the derived view.
#include "chartview/QxChartAnnotHandler.h"
#include "chartview/QxCursorMgrMixin.h"
#include "chartview/QxPoint.h"
#include "core/QxObject.h"
#include "core/platform/QxOverlay.h"

#include <wx/bitmap.h>
#include <wx/pen.h>
#include <wx/scrolwin.h>

#include <cstdint>
#include <vector>

class QxAnnot;
class QxCalculator;
class QxScale;

// Maps the horizontal scroll position (one unit per pixel of the virtual
// width) to the chart's last visible bar and back, and decides how the
// scroll bars are laid out after each layout of the chart. Plain code: the
// window applies what it decides.
class QxHorzScrollModel {
public:
    static constexpr unsigned kNoBar = 0xFFFFFFFFu;

    // What a layout of the chart tells the model.
    struct Input {
        unsigned visibleBars = 0;
        unsigned totalBars = 0;
        int previousWidth = 0;  // the chart's width before this layout; 0 the first time
        wxSize client;          // the window's client size
        wxSize virtualSize;     // the chart's scrollable size
        int hPos = 0;           // scroll positions before this layout
        int vPos = 0;
        unsigned lastVisibleBar = kNoBar;
    };
    // What the window then does.
    struct Layout {
        int hPos = 0;
        int vPos = 0;
        // The position falls on another bar than the one shown: go to hPos,
        // show that bar and lay out again.
        bool relayout = false;
        unsigned bar = kNoBar;
    };

    Layout setup(const Input& in);

    // Bar shown last at a position, and the position of a bar (clamped to
    // 0 for bars left of the first position).
    unsigned posToBar(int pos) const;
    int barToPos(unsigned bar) const;

    // Where a horizontal move to pos lands: clamped to the scroll range and
    // snapped to the position of the bar it stands for.
    struct Move {
        int pos = 0;
        unsigned bar = 0;
    };
    Move moveTo(int pos) const;

    enum Step { eLineUp, eLineDown, ePageUp, ePageDown, eThumb, eTop, eBottom };
    // Increment for a scroll event at position pos; thumbPos is the event's
    // position for eThumb. The result keeps pos + increment within 0 and max.
    int increment(Step step, int pos, int thumbPos, bool ctrlDown) const;

    uint32_t barOffset() const { return m_barOffset; }
    double barsPerPixel() const { return m_barsPerPixel; }
    int hRange() const { return m_hRange; }
    int hThumb() const { return m_hThumb; }
    int hMax() const { return m_hRange > m_hThumb ? m_hRange - m_hThumb : 0; }
    int vRange() const { return m_vRange; }
    int vThumb() const { return m_vThumb; }
    int vMax() const { return m_vRange > m_vThumb ? m_vRange - m_vThumb : 0; }
    // Pixels of one bar, at least 1; of the bars shown (a page), at most
    // the window's width.
    int barPixels() const;
    int pagePixels() const;

private:
    uint32_t m_barOffset = 0;                // visible bars - 1
    double m_barsPerPixel = 4294967294.0;    // until the chart first scrolls
    wxSize m_lastVirtual{0, 0};
    // Scroll bar geometry as last laid out (the toolkit's own copy may lag).
    int m_hRange = 0;
    int m_hThumb = 0;
    int m_vRange = 0;
    int m_vThumb = 0;
};

class QxBaseChartView : public wxScrolledWindow, public QxCursorMgrMixin<QxBaseChartView> {
public:
    QxBaseChartView();
    ~QxBaseChartView() override;

    // Logical coordinates: y grows by the vertical scroll position.
    void PrepareDC(wxDC& dc) override;
    void SetScrollbar(int orient, int pos, int thumb, int range, bool refresh = true) override;
    void ScrollWindow(int dx, int dy, const wxRect* rect = nullptr) override;

    // The view operations over the chart model.
    virtual QxCalculator* getCalc() const = 0;
    virtual void setLastVisibleBar(unsigned bar) = 0;
    virtual unsigned getLastVisibleBar() const = 0;  // kNoBar without a chart
    virtual unsigned getFirstVisibleBar() const = 0; // kNoBar without a chart
    virtual void refreshChart() = 0;
    // Named so as not to hide the window's own GetVirtualSize.
    virtual wxSize getVirtualSize() const = 0;
    virtual int zoneAtPoint(const wxPoint& logical) const = 0;
    virtual wxPoint chartToDevice(int zone, const QxPoint& point) const = 0;
    virtual QxPoint deviceToChart(int zone, const wxPoint& logical, int snapDistance) const = 0;
    virtual std::vector<QxObjectSmartPtr<QxAnnot>>* getAnnots(int zone) const = 0;
    virtual const QxScale& getXMap(int zone) const = 0;
    virtual const QxScale& getYMap(int zone) const = 0;
    virtual void addAnnot(int zone, QxAnnot* annot) = 0;
    virtual void removeAnnot(int zone, QxAnnot* annot) = 0;
    virtual void invalidateZone(int zone) = 0;
    virtual wxRect getZoneInnerRect(int zone) const = 0;
    virtual wxRect getInnerRect() const = 0;
    virtual wxPen getDefaultPen() const = 0;

    virtual int calcHorzScrollInc(wxScrollWinEvent& event);
    virtual bool doesSupportAnnot(int tool) const;
    virtual void onScroll(wxScrollWinEvent& event);

    // The keys that move through the chart, taken the way the scroll bars
    // move it: Left and Right one bar, with Ctrl (and Page Up, Page Down) a
    // page of bars, Home and End the first and the last bar (with Ctrl also
    // the top and the bottom of the zones), Up and Down a line of the zones.
    // True when the key was one of them.
    bool handleScrollKey(const wxKeyEvent& event);
    // A wheel notch scrolls a line of the zones; with Shift, or on a
    // sideways wheel, a tenth of the window's width of bars.
    void onMouseWheel(wxMouseEvent& event);
    // Pixels of one vertical line: a tenth of the window, at least a line
    // of text.
    int lineHeight() const;

    // Called by the derived view after each layout of the chart.
    void setupScroll(unsigned visibleBars, unsigned totalBars, int previousWidth);
    // Moves horizontally to pos (clamped and snapped to a bar) and shows
    // that bar last.
    void scrollHorzTo(int pos);
    int horzPos() const { return GetViewStart().x; }
    int vertPos() const { return GetViewStart().y; }
    const QxHorzScrollModel& scrollModel() const { return m_scroll; }

    void startPanning(const wxPoint& point);
    void pan(const wxPoint& point);
    void stopPanning(const wxPoint& point);
    bool handleMouseDown(wxMouseEvent& event);
    bool handleMouseMove(wxMouseEvent& event);
    bool handleMouseUp(wxMouseEvent& event);
    bool isPanning() const { return m_panning; }

    wxPoint adjustY(const wxPoint& device) const;
    wxPoint deviceToLogical(const wxPoint& device) const;
    // Repaints that logical rectangle from the chart picture.
    void invalidateRect(const wxRect& logical);

    // Selects an annotation tool (0 none) and shows it in the cursor; the
    // tool in hand chosen again puts it down.
    void setAnnotTool(int tool);
    int getAnnotTool() const { return m_annotHandler.getTool(); }
    QxAnnot* getActiveAnnot() const { return m_annotHandler.getActiveAnnot(); }
    QxChartAnnotHandler& annotHandler() { return m_annotHandler; }

    // Makes the annotation of an annotation-toolbar tool (31000..31015) with
    // the view's default pen and calculator; null for other ids. The caller
    // owns the result.
    QxAnnot* createAnnotForTool(int tool);
    static constexpr int kFirstAnnotTool = 31000;
    static constexpr int kLastAnnotTool = 31015;

    // Shows the crosshair through point (logical) across rect, and takes it
    // away again.
    void drawCrosshair(const wxPoint& point, const wxRect& rect);
    void eraseCrosshair();
    bool isCrosshairShown() const { return m_overlay.isShown(QxOverlay::eCrosshair); }
    const QxOverlay& overlay() const { return m_overlay; }
    QxOverlay& overlay() { return m_overlay; }

    const wxBitmap& getChartBitmap() const { return m_chartBitmap; }
    // How many pictures the view has made for itself: one, and one more at
    // each change of its size.
    unsigned chartBitmapsMade() const { return m_chartBitmapsMade; }
    // The picture is repainted from the model at the next paint.
    bool isBitmapStale() const { return m_bitmapStale; }
    const wxPoint& lastMousePos() const { return m_lastMousePos; }

protected:
    void onSize(wxSizeEvent& event);
    // Colour of feedback lines over the chart.
    virtual wxColour feedbackColour() const { return *wxBLACK; }

    // The picture, of size (at least 1x1): kept while the size stays, made
    // anew when it changes.  Whoever paints it paints every pixel.
    wxBitmap& chartBitmapOfSize(const wxSize& size);

    wxBitmap m_chartBitmap;
    bool m_bitmapStale = true;
    unsigned m_chartBitmapsMade = 0;
    QxHorzScrollModel m_scroll;
    bool m_panning = false;
    int m_panAnchorX = 0;
    int m_panAnchorY = 0;
    wxPoint m_lastMousePos{0, 0}; // device coordinates
    bool m_skipNextScrollbar = false;
    int m_wheelRotation = 0; // turned but not yet a whole notch
    QxOverlay m_overlay;
    QxChartAnnotHandler m_annotHandler;

private:
    void scrollVertTo(int pos);
    void onScrollEvent(wxScrollWinEvent& event);
};
