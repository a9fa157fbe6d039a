#pragma once
// The window of a point-and-figure chart: the chart-window base's scrolling,
// picture, panning and annotation tools over the columns of the
// point-and-figure model it holds. Columns play the part of bars: the last
// visible bar is the last visible column, the horizontal map the column
// scale. create is the program's way to open such a chart.
#include "chartview/QxBaseChartView.h"
#include "chartview/QxPointAndFigure.h"
#include "core/QxDataReactors.h"

class QxPointAndFigureFrame;
class QxSecurity;

class QxPointAndFigureView : public QxBaseChartView, public QxPriceHistoryChangeReactor {
public:
    // Opens a chart of the security in a new point-and-figure frame; null
    // when its window cannot be made (the frame is gone again).
    static QxPointAndFigureView* create(QxSecurity* security);

    explicit QxPointAndFigureView(QxSecurity* security);
    ~QxPointAndFigureView() override;

    QxPointAndFigure& getPointAndFigure() { return m_pnf; }
    const QxPointAndFigure& getPointAndFigure() const { return m_pnf; }
    QxPointAndFigureFrame* getFrame() const { return m_frame; }

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

    // New prices show when the chart is next refreshed or reopened.
    void eodPriceHistoryChanged(unsigned) override {}
    void intradayPriceHistoryChanged(unsigned) override {}

    // Paints what the screen shows (picture and feedback) into dc,
    // repainting the picture first when it is stale.
    void render(wxDC& dc);

    // The picture is painted into a bitmap of what the window shows (the
    // toolkit's bitmaps stop at 32,767 pixels a side, a picture of small
    // boxes is far taller); its height in chart pixels stays below this,
    // which the scroll positions can still count.
    static constexpr int kMaxVirtualHeight = 1 << 30;
    // Whether boxes of this many pixels keep the picture within
    // kMaxVirtualHeight and a column within the plot's width: how far Zoom
    // In goes.
    bool canShowBoxPixels(int pixels) const;
    // The chart row at the top of the painted bitmap.
    int bitmapTop() const { return m_bitmapTop; }

private:
    int createWindow();
    void setupChart();
    bool fitsHeight(int pixels) const;
    // Keeps the picture's height within kMaxVirtualHeight by zooming out.
    void fitPicture();
    void paintChartBitmap();
    void onPaint(wxPaintEvent& event);
    void onEraseBackground(wxEraseEvent&) {}
    void onMotion(wxMouseEvent& event);
    void onLeftDown(wxMouseEvent& event);
    void onLeftUp(wxMouseEvent& event);
    void onKeyDown(wxKeyEvent& event);

    QxPointAndFigureFrame* m_frame = nullptr;
    mutable QxPointAndFigure m_pnf;
    int m_bitmapTop = 0;
};
