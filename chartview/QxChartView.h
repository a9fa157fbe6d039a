#pragma once
// The window that shows one chart: the chart of a chartist (a security, a
// period, a template of indicators and a price style) inside its own chart
// frame. It answers the base view's questions from the chart model, paints
// the chart through the off-screen picture and redraws when the security's
// prices change. createChartView is the program's way to open a chart.
#include "chart/QxChartist.h"
#include "chart/QxPriceObj.h"
#include "chartview/QxBaseChartView.h"
#include "core/QxDataReactors.h"
#include "core/QxTime.h"

#include <wx/timer.h>

class QxChart;
class QxChartFrame;
class QxDrawable;
class QxIndicator;
class QxSecurity;
class QxTemplate;
class QxZone;
class wxMenu;
enum QxZoneHitTest : int;

class QxChartView : public QxBaseChartView, public QxPriceHistoryChangeReactor {
public:
    // Takes a reference to the chartist; the window is made by createWindow.
    explicit QxChartView(QxChartist* chartist);
    ~QxChartView() override;

    // Opens a chart of the security in a new chart frame; null (after
    // telling the user) when the security has no daily prices, or when the
    // window cannot be made.
    static QxChartView* createChartView(QxSecurity* security, Qx::QxPeriod period, Qx::QxPriceObjType type,
                                        QxTemplate* tmpl);
    // The same for a security of the current database; null for id 0 or an
    // id the database does not know.
    static QxChartView* createChartView(unsigned securityId, Qx::QxPeriod period, Qx::QxPriceObjType type,
                                        QxTemplate* tmpl);

    // Makes the chart frame and this window in it, shows both and lays the
    // chart out. eFailedToCloseWindow (18) when the window cannot be made: the
    // frame is destroyed again.
    int createWindow();
    // A new view of a copy of the chart in a new frame with this frame's
    // title; null when its window cannot be made.
    QxChartView* clone() const;

    QxChartFrame* getFrame() const { return m_frame; }
    QxChartist* getChartist() const { return m_chartist.get(); }

    // The frame title for a chart title: the application title, then the
    // chart title in square brackets.
    static wxString frameTitle(const wxString& chartTitle);

    QxCalculator* getCalc() const override;
    void setLastVisibleBar(unsigned bar) override;
    unsigned getLastVisibleBar() const override;
    unsigned getFirstVisibleBar() const override;
    void refreshChart() override;
    wxSize getVirtualSize() const override;
    int zoneAtPoint(const wxPoint& logical) const override;
    wxPoint chartToDevice(int zone, const QxPoint& point) const override;
    QxPoint deviceToChart(int zone, const wxPoint& logical, int snapDistance) const override;
    std::vector<QxObjectSmartPtr<QxAnnot>>* getAnnots(int zone) const override;
    const QxScale& getXMap(int zone) const override;
    const QxScale& getYMap(int zone) const override;
    void addAnnot(int zone, QxAnnot* annot) override;
    void removeAnnot(int zone, QxAnnot* annot) override;
    void invalidateZone(int zone) override;
    wxRect getZoneInnerRect(int zone) const override;
    wxRect getInnerRect() const override;
    wxPen getDefaultPen() const override;

    void eodPriceHistoryChanged(unsigned securityId) override;
    void intradayPriceHistoryChanged(unsigned securityId) override;

    // Takes over an indicator dragged out of the indicator selection dialog
    // (one reference): it waits, with the drop cursor, until a release over
    // the chart places it, on the curve under the pointer when there is one;
    // Escape drops it.
    void receiveDraggedIndic(QxIndicator* indicator);
    QxIndicator* pendingIndicator() const { return m_pendingIndic.get(); }
    // The curve drawn highlighted while an indicator waits, and its zone.
    QxDrawable* highlightedCurve() const { return m_highlightCurve.get(); }
    int highlightedZone() const { return m_highlightZone; }
    // The zone under the pointer as the last mouse event found it.
    int currentZone() const { return m_currentZone; }
    // A zone's bottom border is being dragged.
    bool isResizingZone() const { return m_resizing; }

    // The total height a zone gets when its bottom border is dragged from y0
    // to y1: it grows by y1 - y0, and never gets shorter than its title
    // strip and a few pixels.
    static int resizedZoneHeight(int height, int titleHeight, int y0, int y1);
    static constexpr int kMinPlotHeight = 8;

    // The tooltip text of the zone's patterns at a logical point; empty
    // without a chart, a zone or a pattern there. Remembered with its bar.
    wxString calculateTooltipText(int zone, const wxPoint& logical);
    const wxString& tooltipText() const { return m_tooltipText; }
    bool isTooltipTimerRunning() const { return m_tooltipTimer.IsRunning(); }
    // The tooltip timer's end: the pointer still rests where the last
    // motion left it.
    void onToolTipTimer(wxTimerEvent& event);

    // Writes the hovered bar's date and values into field 0 of the frame's
    // status bar.
    void showCurveVals(const wxPoint& device);

    // Whether the view is registered for price changes of its security.
    bool isReactorRegistered() const { return m_registeredId != 0; }

    // The context menu while it is shown, else null.
    wxMenu* popupMenu() const { return m_popupMenu; }

    // Paints what the screen shows (picture, separators, feedback) into dc,
    // repainting the picture first when it is stale.
    void render(wxDC& dc);

protected:
    wxColour feedbackColour() const override;

private:
    QxChart* chart() const;
    QxZone* zone(int index) const;
    void paintChartBitmap();
    void onPaint(wxPaintEvent& event);
    void onMotion(wxMouseEvent& event);
    void onLeaveWindow(wxMouseEvent& event);
    void onLeftDown(wxMouseEvent& event);
    void onLeftUp(wxMouseEvent& event);
    void onKeyDown(wxKeyEvent& event);
    void onCaptureLost(wxMouseCaptureLostEvent& event);
    void onEraseBackground(wxEraseEvent&) {}

    // The context menu of the zone under the click, and its commands (the
    // zone is the current zone, the item's id selects the indicator or
    // pattern).
    void onContextMenu(wxContextMenuEvent& event);
    void onConfigureIndicator(wxCommandEvent& event);
    void onRemoveIndicator(wxCommandEvent& event);
    void onRemoveIndicsFromCurZone(wxCommandEvent& event);
    void onRemoveAllIndicators(wxCommandEvent& event);
    void onConfigPattern(wxCommandEvent& event);
    void onRemovePattern(wxCommandEvent& event);
    void onRemoveAllPatterns(wxCommandEvent& event);
    void onShowHideVolumeBars(wxCommandEvent& event);
    void onOpenQuoteEditor(wxCommandEvent& event);
    void onChartConfiguration(wxCommandEvent& event);
    void onScroll(wxScrollWinEvent& event) override;

    // The annotation handler's turn: it sees every mouse and key event
    // before the view and answers true when it consumed it.
    bool annotHandlerTakes(wxMouseEvent& event);
    bool annotHandlerTakes(wxKeyEvent& event);

    // The zone under a device point with its hit code; below the zones, a
    // bottom border at the window's middle counts. Becomes the current zone.
    int zoneUnder(const wxPoint& device, QxZoneHitTest& hit);
    void clearTooltip();
    void beginZoneResize(const wxPoint& device);
    void moveResizeLine(int deviceY);
    void endZoneResize(const wxPoint& device);
    void placePendingIndicator();
    void highlightCurveAt(const wxPoint& logical);
    void eraseCurveHighlight();
    void releaseMouse();

    QxObjectSmartPtr<QxChartist> m_chartist;
    // The picture refreshChart lays the chart out on.
    wxBitmap m_layoutBitmap;
    QxChartFrame* m_frame = nullptr;
    int m_currentZone = -1;
    unsigned m_registeredId = 0;
    wxTimer m_tooltipTimer;
    wxString m_tooltipText;
    unsigned m_tooltipBar = 0xFFFFFFFFu;
    int m_tooltipZone = -1;
    bool m_resizing = false;
    QxObjectSmartPtr<QxIndicator> m_pendingIndic;
    QxObjectSmartPtr<QxDrawable> m_highlightCurve;
    int m_highlightZone = -1;
    bool m_writingStatus = false;
    wxMenu* m_popupMenu = nullptr;
};
