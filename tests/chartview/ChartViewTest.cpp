// Chart windows opened on a real history database under the virtual
// display: opening, painting, scrolling, price changes, the crosshair and
// the New Chart command.
#include "app/QxGatewayFrame.h"
#include "app/QxGlobalVars.h"
#include "app/QxPluginLoader.h"
#include "support/FramesTestSupport.h"
#include "chart/QxChart.h"
#include "chart/QxZone.h"
#include "chartframe/FBChartFrame.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxChartAnnotHandler.h"
#include "chartview/QxInplaceTextCtrl.h"
#include "support/ChartHand.h"
#include "chartview/QxAnnot.h"
#include "chartview/QxChartView.h"
#include "chartview/QxCursorMgrMixin.h"
#include "chartview/QxLineAnnot.h"
#include "chartview/QxTextAnnot.h"
#include "chartview/QxTextLayout.h"
#include "chartview/QxTriangleAnnot.h"
#include "core/platform/QxOverlay.h"
#include "core/platform/QxTextControlLayout.h"
#include "core/QxCalculator.h"
#include "core/QxCategory.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxDataReader.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxDatabase.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "securities/QxSecurityListCtrl.h"
#include "securities/QxSymbolSelectionDlg.h"
#include "support/RealInput.h"
#include "support/ReferencePicture.h"
#include "support/TestSupport.h"

#include "RenderedView.h"
#include "ScratchDatabase.h"
#include "SecurityChoice.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/timer.h>
#include <wx/toplevel.h>

#include <algorithm>

#include <climits>
#include <cmath>
#include <cstdlib>

using framestest::DialogCatcher;
using framestest::pump;

namespace {

using TestSupport::historyReader;

// 600 weekday bars of a random walk from 2012-01-02.
QxPriceHistory* walk(unsigned n)
{
    auto* h = new QxPriceHistory(Qx::eStock, Qx::eDaily);
    h->resize(n);
    wxDateTime day(2, wxDateTime::Jan, 2012);
    uint32_t state = 7;
    double close = 40.0;
    for (unsigned i = 0; i < n; ++i) {
        while (day.GetWeekDay() == wxDateTime::Sat || day.GetWeekDay() == wxDateTime::Sun)
            day += wxDateSpan::Day();
        state = state * 1664525u + 1013904223u;
        const double r = (state >> 8) / double(1u << 24);
        const double open = close;
        close = std::max(5.0, close * (1.0 + (r - 0.5) * 0.05));
        h->timestamp()[i] = makeTimestamp(day.GetDay(), day.GetMonth() + 1, day.GetYear());
        h->open()[i] = open;
        h->close()[i] = close;
        h->high()[i] = std::max(open, close) + 0.5;
        h->low()[i] = std::min(open, close) - 0.5;
        h->volume()[i] = 1e6 + r * 1e6;
        day += wxDateSpan::Day();
    }
    return h;
}

// A running application over a history database with a security of 600
// daily bars, one of 4000 and one without prices.
struct ChartViewFixture : ::testing::Test {
    // One application and database for the suite: ending an application
    // winds the registries up.
    static void SetUpTestSuite()
    {
        scratch.open("view");
        database = scratch.database;
        ASSERT_NE(database.get(), nullptr);
        pricedId = scratch.add("WLK", "Walker Mills", walk(600));
        emptyId = scratch.add("NIL", "Empty Holdings", nullptr);
        longId = scratch.add("LNG", "Long Ledger", walk(4000));
        ASSERT_TRUE(pricedId && emptyId && longId);
        scratch.publish();
    }
    static void TearDownTestSuite()
    {
        database = nullptr;
        scratch.close();
    }
    void SetUp() override
    {
        ASSERT_NE(database.get(), nullptr);
        framesBefore = QxChartFrame::openFrameCount();
    }
    void TearDown() override
    {
        for (QxChartFrame* f : frames)
            f->Destroy();
        pump(100);
        EXPECT_EQ(QxChartFrame::openFrameCount(), framesBefore);
    }

    QxChartView* open(unsigned id)
    {
        QxChartView* view = QxChartView::createChartView(id, Qx::eDaily, Qx::ePriceCandles, nullptr);
        if (view)
            frames.push_back(view->getFrame());
        return view;
    }

    // Separators and feedback included.
    static wxImage rendered(QxChartView* view) { return renderedView(view); }

    static unsigned newestBar(QxChartView* view)
    {
        return view->getCalc()->prices(Qx::eDaily, false)->numBars() - 1;
    }

    static void motion(QxChartView* view, const wxPoint& device)
    {
        wxMouseEvent move(wxEVT_MOTION);
        move.SetPosition(device);
        move.SetEventObject(view);
        view->ProcessWindowEvent(move);
    }

    static void scroll(QxChartView* view, wxEventType type, int pos = 0)
    {
        wxScrollWinEvent event(type, pos, wxHORIZONTAL);
        event.SetEventObject(view);
        view->ProcessWindowEvent(event);
    }

    static ScratchDatabase scratch;
    static QxObjectSmartPtr<QxDatabase> database;
    static unsigned pricedId;
    static unsigned emptyId;
    static unsigned longId; // 4000 bars
    unsigned framesBefore = 0;
    std::vector<QxChartFrame*> frames;
};
ScratchDatabase ChartViewFixture::scratch;
QxObjectSmartPtr<QxDatabase> ChartViewFixture::database;
unsigned ChartViewFixture::pricedId = 0;
unsigned ChartViewFixture::emptyId = 0;
unsigned ChartViewFixture::longId = 0;

bool sameColour(const wxImage& a, int ax, int ay, const wxImage& b, int bx, int by)
{
    return a.GetRed(ax, ay) == b.GetRed(bx, by) && a.GetGreen(ax, ay) == b.GetGreen(bx, by) &&
           a.GetBlue(ax, ay) == b.GetBlue(bx, by);
}

} // namespace

TEST_F(ChartViewFixture, OpensTitledFrameShowingPriceAndVolume)
{
    QxChartView* view = open(pricedId);
    ASSERT_NE(view, nullptr);
    QxChartFrame* frame = view->getFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->getChartView(), view);
    EXPECT_EQ(frame->GetTitle(), "Corvane Trendoria 2014 [Walker Mills]");
    EXPECT_TRUE(frame->IsShown());
    EXPECT_EQ(QxChartFrame::openFrameCount(), framesBefore + 1);
    EXPECT_TRUE(view->isReactorRegistered());
    // The view lies between the toolbars as soon as the frame is open, and
    // stays there once the toolkit has run.
    const auto noFaults = std::vector<std::string>();
    EXPECT_EQ(framestest::dockedToolbarFaults(view), noFaults) << "on opening";
    ASSERT_TRUE(framestest::saveWindowShot(frame, "chartview-open.png"));
    EXPECT_EQ(framestest::dockedToolbarFaults(view), noFaults) << "once settled";

    QxChart* chart = view->getChartist()->getChart();
    ASSERT_EQ(chart->numZones(), 2u);
    EXPECT_EQ(chart->getChartWidth(), view->GetClientSize().x);
    EXPECT_EQ(view->getLastVisibleBar(), newestBar(view)) << "the newest bar is shown";
    EXPECT_EQ(view->horzPos(), view->scrollModel().hMax());
    EXPECT_GT(view->scrollModel().hMax(), 0) << "600 bars do not fit: the chart scrolls";

    // Both zones show their graphics in the picture on the screen.
    const wxImage img = view->getChartBitmap().ConvertToImage();
    const wxColour bg = chart->getConfig().bg;
    for (QxZone* zone : {chart->getMainZone(), chart->getVolumeZone()}) {
        const wxRect r = zone->getInnerRect().Deflate(3);
        int drawn = 0;
        for (int y = r.GetTop(); y <= r.GetBottom(); y += 2)
            for (int x = r.GetLeft(); x <= r.GetRight(); x += 2)
                if (wxColour(img.GetRed(x, y), img.GetGreen(x, y), img.GetBlue(x, y)) != bg)
                    ++drawn;
        EXPECT_GT(drawn, r.width * r.height / 200) << "zone at " << r.y;
    }
}

TEST_F(ChartViewFixture, HorizontalScrollShowsOtherBars)
{
    QxChartView* view = open(pricedId);
    ASSERT_NE(view, nullptr);
    pump(100);
    const unsigned newest = view->getLastVisibleBar();
    const unsigned visible = newest - view->getFirstVisibleBar() + 1;
    ASSERT_EQ(newest, newestBar(view));
    const QxHorzScrollModel& model = view->scrollModel();

    scroll(view, wxEVT_SCROLLWIN_TOP);
    EXPECT_EQ(view->getLastVisibleBar(), newest) << "top does not move the chart";
    scroll(view, wxEVT_SCROLLWIN_PAGEUP);
    const unsigned afterPage = view->getLastVisibleBar();
    EXPECT_LT(afterPage, newest);
    EXPECT_NEAR(double(newest - afterPage), double(visible), 1.0) << "a page is the bars shown";
    EXPECT_EQ(view->horzPos(), model.barToPos(afterPage)) << "on a bar";

    scroll(view, wxEVT_SCROLLWIN_THUMBTRACK, 0);
    EXPECT_EQ(view->horzPos(), 0);
    EXPECT_EQ(view->getFirstVisibleBar(), 0u);
    EXPECT_EQ(view->getLastVisibleBar(), visible - 1);
    scroll(view, wxEVT_SCROLLWIN_LINEUP);
    EXPECT_EQ(view->getLastVisibleBar(), visible - 1) << "clamped at the start";
    scroll(view, wxEVT_SCROLLWIN_LINEDOWN);
    EXPECT_EQ(view->getLastVisibleBar(), visible);
    scroll(view, wxEVT_SCROLLWIN_THUMBRELEASE, 1 << 30);
    EXPECT_EQ(view->getLastVisibleBar(), newest) << "clamped at the end";

    // The picture follows: the first bar's candle is gone from the left edge
    // once the chart shows the newest bars again.
    pump(100);
    const wxImage atEnd = rendered(view);
    scroll(view, wxEVT_SCROLLWIN_THUMBTRACK, 0);
    pump(100);
    const wxImage atStart = rendered(view);
    const wxRect plot = view->getZoneInnerRect(0);
    int differing = 0;
    for (int y = plot.GetTop(); y < plot.GetBottom(); ++y)
        for (int x = plot.GetLeft(); x < plot.GetLeft() + 100; ++x)
            differing += !sameColour(atEnd, x, y, atStart, x, y);
    EXPECT_GT(differing, 100);
}

TEST_F(ChartViewFixture, OnePixelCandlesScrollAndRepaint)
{
    // Zoomed out as far as the menu goes, a long history still scrolls; each
    // scroll repaints the whole chart through the view's picture.
    QxChartView* view = open(longId);
    ASSERT_NE(view, nullptr);
    pump(100);
    const unsigned newest = newestBar(view);
    wxCommandEvent zoom(wxEVT_MENU, QxID_ZOOM_MAX_OUT);
    view->getFrame()->ProcessWindowEvent(zoom);
    pump(100);
    const unsigned visible = view->getLastVisibleBar() - view->getFirstVisibleBar() + 1;
    EXPECT_GT(visible, view->getZoneInnerRect(0).GetWidth() * 9 / 10) << "a bar a pixel";
    EXPECT_LT(visible, newest + 1) << "4000 bars do not fit";
    const wxImage atEnd = view->getChartBitmap().ConvertToImage();
    const unsigned made = view->chartBitmapsMade();
    EXPECT_GE(made, 1u);

    scroll(view, wxEVT_SCROLLWIN_PAGEUP);
    scroll(view, wxEVT_SCROLLWIN_PAGEUP);
    pump(100);
    view->refreshChart();
    rendered(view);
    EXPECT_EQ(view->chartBitmapsMade(), made) << "repaints of one size paint the view's one picture";
    EXPECT_LT(view->getLastVisibleBar(), newest - visible);
    EXPECT_EQ(view->getLastVisibleBar() - view->getFirstVisibleBar() + 1, visible);
    ASSERT_TRUE(framestest::saveWindowShot(view->getFrame(), "chartview-one-pixel-scrolled.png"));
    const wxImage scrolled = view->getChartBitmap().ConvertToImage();
    const wxRect plot = view->getZoneInnerRect(0).Deflate(2);
    int differing = 0, drawn = 0;
    const wxColour bg = view->getChartist()->getChart()->getConfig().bg;
    for (int y = plot.GetTop(); y <= plot.GetBottom(); ++y)
        for (int x = plot.GetLeft(); x <= plot.GetRight(); ++x) {
            differing += !sameColour(atEnd, x, y, scrolled, x, y);
            drawn += wxColour(scrolled.GetRed(x, y), scrolled.GetGreen(x, y), scrolled.GetBlue(x, y)) != bg;
        }
    EXPECT_GT(differing, plot.GetWidth() * 5) << "other bars are shown";
    EXPECT_GT(drawn, plot.GetWidth() * 5) << "candles in every column";

    // Another size takes another picture, kept for the repaints at that
    // size and painted whole.
    const wxSize before = view->GetClientSize();
    view->getFrame()->SetSize(view->getFrame()->GetSize() + wxSize(-60, 0));
    pump(100);
    ASSERT_NE(view->GetClientSize(), before);
    view->refreshChart();
    rendered(view);
    const unsigned resized = view->chartBitmapsMade();
    EXPECT_GT(resized, made);
    scroll(view, wxEVT_SCROLLWIN_PAGEDOWN);
    pump(100);
    view->refreshChart();
    rendered(view);
    EXPECT_EQ(view->chartBitmapsMade(), resized) << "repaints at the new size keep its picture";
    const wxBitmap& kept = view->getChartBitmap();
    EXPECT_EQ(kept.GetWidth(), view->GetClientSize().x);
    // The kept picture shows what a new one would: nothing of the last paint.
    wxBitmap fresh(kept.GetWidth(), kept.GetHeight());
    {
        wxMemoryDC dc(fresh);
        dc.SetBackground(wxBrush(bg));
        dc.Clear();
        view->getChartist()->getChart()->display(dc, view->getChartist()->showLegend());
    }
    EXPECT_EQ(TestSupport::comparePictures(kept.ConvertToImage(), fresh.ConvertToImage()).pixels, 0);
}

TEST_F(ChartViewFixture, PriceChangesRepaintDailyChartsOnEndOfDayOnly)
{
    QxChartView* view = open(pricedId);
    ASSERT_NE(view, nullptr);
    pump(200);
    rendered(view); // paints the picture
    ASSERT_FALSE(view->isBitmapStale());
    const wxBitmap before = view->getChartBitmap();
    ASSERT_TRUE(before.IsOk());

    QxDataChangeReactorMgr::instance()->notifyIntraDayDataChange(pricedId);
    EXPECT_FALSE(view->isBitmapStale()) << "an intraday change leaves a daily chart alone";

    // A new bar far above the rest, saved through the database, which tells the hub.
    QxObjectSmartPtr<QxSecurity> security(database->getSecurity(pricedId));
    ASSERT_NE(security.get(), nullptr);
    QxObjectSmartPtr<QxPriceHistory> bar(new QxPriceHistory(Qx::eStock, Qx::eDaily));
    bar->resize(1);
    bar->timestamp()[0] = makeTimestamp(1, 6, 2015);
    bar->open()[0] = 300;
    bar->high()[0] = 420;
    bar->low()[0] = 290;
    bar->close()[0] = 400;
    bar->volume()[0] = 5e6;
    ASSERT_EQ(security->saveHistory(bar.get()), eNoError);
    EXPECT_TRUE(view->isBitmapStale()) << "laid out again at once";
    pump(200);
    EXPECT_FALSE(view->getChartBitmap().IsSameAs(before)) << "repainted";
    EXPECT_EQ(view->getLastVisibleBar(), newestBar(view)) << "the new bar is shown";
    const QxScale& y = view->getYMap(0);
    const wxRect plot = view->getZoneInnerRect(0);
    EXPECT_GE(y.map(400.0), plot.GetTop() - 1) << "the value range takes in the new bar";
    EXPECT_EQ(newestBar(view), 600u);
    ASSERT_TRUE(framestest::saveWindowShot(view->getFrame(), "chartview-new-bar.png"));
}

TEST_F(ChartViewFixture, SecurityWithoutPricesOpensNothing)
{
    DialogCatcher catcher;
    EXPECT_EQ(open(emptyId), nullptr);
    ASSERT_EQ(catcher.seen().size(), 1u);
    EXPECT_EQ(catcher.seen()[0].message, "Failed to get price history.\nPlease check you internet connection.");
    EXPECT_EQ(catcher.seen()[0].title, "Corvane Trendoria 2014");
    EXPECT_EQ(QxChartFrame::openFrameCount(), framesBefore);
    EXPECT_EQ(QxDataChangeReactorMgr::instance()->numPriceHistoryReactors(emptyId), 0u);

    catcher.clear();
    EXPECT_EQ(open(0), nullptr);
    EXPECT_EQ(open(987654), nullptr);
    EXPECT_TRUE(catcher.seen().empty()) << "unknown ids open nothing silently";
}

TEST_F(ChartViewFixture, CrosshairFollowsTheMouseWithoutTrace)
{
    QxChartView* view = open(pricedId);
    ASSERT_NE(view, nullptr);
    pump(200);
    const wxRect plot = view->getZoneInnerRect(0);
    const wxPoint first(plot.x + plot.width / 3, plot.y + plot.height / 3);
    const wxPoint second(plot.x + 2 * plot.width / 3, plot.y + 2 * plot.height / 3);

    motion(view, first);
    EXPECT_TRUE(view->isCrosshairShown());
    motion(view, second);
    EXPECT_TRUE(view->isCrosshairShown());
    pump(200);

    const wxImage shown = rendered(view);
    // For a person to look at; the display is shared with other test
    // programs, so the comparison uses the paint path itself.
    ASSERT_TRUE(framestest::saveWindowShot(view, "chartview-crosshair.png"));

    // Leaving the zones takes it away.
    motion(view, wxPoint(plot.GetRight() + 30, 2));
    EXPECT_FALSE(view->isCrosshairShown());
    const wxImage plain = rendered(view);

    const wxRect inner = view->getInnerRect();
    int traces = 0, crossings = 0;
    for (int y = inner.GetTop(); y <= inner.GetBottom(); ++y) {
        if (y != second.y)
            traces += !sameColour(shown, first.x, y, plain, first.x, y);
        crossings += !sameColour(shown, second.x, y, plain, second.x, y);
    }
    EXPECT_EQ(traces, 0) << "nothing left where the crosshair was";
    EXPECT_GT(crossings, inner.height / 2) << "the crosshair is at the mouse";
}

// Leaving the window takes the crosshair away; a new size or zone layout
// drops it too, and the next move draws it across the zones as they are now.
TEST_F(ChartViewFixture, CrosshairGoesWithThePointerAndFollowsTheLayout)
{
    QxChartView* view = open(pricedId);
    ASSERT_NE(view, nullptr);
    pump(200);
    QxChart* chart = view->getChartist()->getChart();
    const wxSize startSize = view->GetSize();
    const struct {
        const char* what;
        std::function<void()> change;
    } cases[] = {
        {"pointer leaves the window",
         [&] {
             wxMouseEvent leave(wxEVT_LEAVE_WINDOW);
             leave.SetPosition(wxPoint(-5, -5));
             leave.SetEventObject(view);
             view->ProcessWindowEvent(leave);
         }},
        {"volume zone hidden",
         [&] {
             chart->showVolumeZone(false);
             view->refreshChart();
         }},
        {"volume zone shown again",
         [&] {
             chart->showVolumeZone(true);
             view->refreshChart();
         }},
        {"window narrowed",
         [&] {
             view->SetSize(wxSize(startSize.x - 150, startSize.y));
             pump(200);
         }},
        {"window widened", [&] {
             view->SetSize(startSize);
             pump(200);
         }}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const wxRect before = view->getInnerRect();
        const wxPoint at(before.x + before.width / 2, before.y + before.height / 4);
        motion(view, at);
        ASSERT_TRUE(view->isCrosshairShown());
        const wxImage plainBefore = [&] {
            QxOverlay saved = view->overlay();
            view->overlay().clear(QxOverlay::eCrosshair);
            const wxImage img = rendered(view);
            view->overlay() = saved;
            return img;
        }();
        c.change();
        EXPECT_FALSE(view->isCrosshairShown());
        if (std::string(c.what) == "pointer leaves the window") {
            const wxImage after = rendered(view);
            int left = 0;
            for (int y = before.GetTop(); y <= before.GetBottom(); ++y)
                left += !sameColour(after, at.x, y, plainBefore, at.x, y);
            EXPECT_EQ(left, 0) << "nothing of the crosshair is painted";
        }

        // The next move draws it across the current inner rectangle.
        const wxRect now = view->getInnerRect();
        const wxPoint next(now.x + now.width / 3, now.y + now.height / 3);
        motion(view, next);
        ASSERT_TRUE(view->isCrosshairShown());
        const auto& lines = view->overlay().lines(QxOverlay::eCrosshair);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].from, wxPoint(next.x, now.GetTop()));
        EXPECT_EQ(lines[0].to, wxPoint(next.x, now.GetBottom()));
        EXPECT_EQ(lines[1].from, wxPoint(now.GetLeft(), next.y));
        EXPECT_EQ(lines[1].to, wxPoint(now.GetRight(), next.y));
        if (std::string(c.what) != "pointer leaves the window") {
            EXPECT_NE(now, before) << "the change moves the zones";
        }
    }
}

TEST_F(ChartViewFixture, HiddenVolumeZoneLosesItsSeparator)
{
    QxChartView* view = open(pricedId);
    ASSERT_NE(view, nullptr);
    QxChart* chart = view->getChartist()->getChart();
    // Separator pixels left of the zones, where the chart itself paints nothing.
    auto separatorPixels = [&] {
        const wxImage img = rendered(view);
        int n = 0;
        for (int y = 0; y < img.GetHeight(); ++y)
            for (int x = 0; x < view->getInnerRect().x - 2; ++x)
                n += img.GetRed(x, y) == 192 && img.GetGreen(x, y) == 192 && img.GetBlue(x, y) == 192;
        return n;
    };
    const int both = separatorPixels();
    chart->showVolumeZone(false);
    view->refreshChart();
    const int mainOnly = separatorPixels();
    EXPECT_GT(mainOnly, 0);
    EXPECT_LT(mainOnly, both);
    chart->showVolumeZone(true);
    view->refreshChart();
    EXPECT_EQ(separatorPixels(), both);
}

TEST_F(ChartViewFixture, PricesSnapOnlyInThePriceZone)
{
    QxChartView* view = open(pricedId);
    ASSERT_NE(view, nullptr);
    pump(100);
    QxObjectSmartPtr<QxPriceHistory> h(view->getCalc()->prices(Qx::eDaily, false));
    const unsigned bar = view->getLastVisibleBar() - 3;
    const double high = h->high()[bar];
    // Two pixels above the high, where no other price of the bar is near.
    const wxPoint at(view->getXMap(0).map(bar), view->getYMap(0).map(high) - 2);

    // The bar scale's range is the visible bars.
    EXPECT_EQ(view->getXMap(0).min(), double(view->getFirstVisibleBar()));
    EXPECT_EQ(view->getXMap(0).max(), double(view->getLastVisibleBar()));

    const QxPoint exact = view->deviceToChart(0, at, 0);
    EXPECT_EQ(exact.x, double(bar));
    EXPECT_NE(exact.y, high) << "no snapping at distance 0";
    EXPECT_EQ(view->deviceToChart(0, at, 4).y, high);
    EXPECT_NE(view->deviceToChart(0, at, 1).y, high) << "farther than the distance";
    // The volume zone holds no price indicator: values stay as mapped.
    const wxPoint inVolume(at.x, view->getZoneInnerRect(1).y + 5);
    EXPECT_EQ(view->deviceToChart(1, inVolume, 4).y, view->getYMap(1).unmap(inVolume.y));

    // Left of bar 0 gives bar 0, not a wrapped-around bar number.
    scroll(view, wxEVT_SCROLLWIN_THUMBTRACK, 0);
    ASSERT_EQ(view->getFirstVisibleBar(), 0u);
    const int left = view->getXMap(0).map(0) - 40;
    EXPECT_EQ(view->deviceToChart(0, wxPoint(left, at.y), 4).x, 0.0);
}

TEST_F(ChartViewFixture, CloneIsAnIndependentWindowOfTheSameChart)
{
    QxChartView* view = open(pricedId);
    ASSERT_NE(view, nullptr);
    QxChartView* copy = view->clone();
    ASSERT_NE(copy, nullptr);
    frames.push_back(copy->getFrame());
    EXPECT_NE(copy->getFrame(), view->getFrame());
    EXPECT_EQ(copy->getFrame()->GetTitle(), view->getFrame()->GetTitle());
    EXPECT_NE(copy->getChartist(), view->getChartist());
    EXPECT_EQ(copy->getCalc()->getSecurity()->id(), pricedId);
    pump(100);
    scroll(copy, wxEVT_SCROLLWIN_THUMBTRACK, 0);
    EXPECT_EQ(copy->getFirstVisibleBar(), 0u);
    EXPECT_EQ(view->getLastVisibleBar(), newestBar(view)) << "the original keeps its bars";
}

TEST_F(ChartViewFixture, NewChartFromTheHomeFrameOpensTheChosenSecurity)
{
    auto* home = new QxGatewayFrame();
    const unsigned chosen = runCommandChoosing(home, 5002, database.get(), pricedId);
    EXPECT_EQ(chosen, pricedId);
    ASSERT_EQ(QxChartFrame::openFrameCount(), framesBefore + 1);

    QxChartFrame* opened = nullptr;
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* f = dynamic_cast<QxChartFrame*>(w); f && !f->IsBeingDeleted())
            opened = f;
    ASSERT_NE(opened, nullptr);
    frames.push_back(opened);
    EXPECT_EQ(opened->GetTitle(), "Corvane Trendoria 2014 [Walker Mills]");
    ASSERT_NE(opened->getChartView(), nullptr);
    EXPECT_EQ(opened->getChartView()->getCalc()->getSecurity()->id(), pricedId);
    home->Destroy();
}

TEST_F(ChartViewFixture, DraggingPansByBars)
{
    QxChartView* view = open(pricedId);
    ASSERT_NE(view, nullptr);
    pump(100);
    const unsigned newest = view->getLastVisibleBar();
    const int perBar = view->scrollModel().barPixels();
    const wxRect plot = view->getZoneInnerRect(0);
    const wxPoint start(plot.x + plot.width / 2, plot.y + plot.height / 2);

    auto mouse = [&](wxEventType type, const wxPoint& at, bool leftDown) {
        wxMouseEvent e(type);
        e.SetPosition(at);
        e.SetLeftDown(leftDown);
        e.SetEventObject(view);
        view->ProcessWindowEvent(e);
    };
    mouse(wxEVT_LEFT_DOWN, start, true);
    EXPECT_TRUE(view->isPanning());
    EXPECT_EQ(view->currentCursor(), QxBaseChartView::eCursorClosedHand);
    mouse(wxEVT_MOTION, start + wxPoint(10 * perBar, 0), true);
    EXPECT_EQ(view->getLastVisibleBar(), newest - 10) << "dragged right shows older bars";
    mouse(wxEVT_LEFT_UP, start + wxPoint(4 * perBar, 0), false);
    EXPECT_FALSE(view->isPanning());
    EXPECT_EQ(view->getLastVisibleBar(), newest - 4);
    EXPECT_EQ(view->currentCursor(), QxBaseChartView::eCursorOpenHand);

    // Dragging left past the newest bar stops there.
    mouse(wxEVT_LEFT_DOWN, start, true);
    mouse(wxEVT_MOTION, start - wxPoint(50 * perBar, 0), false); // button already up
    EXPECT_FALSE(view->isPanning());
    EXPECT_EQ(view->getLastVisibleBar(), newest);
}

TEST_F(ChartViewFixture, AnnotationToolsMakeTheirKindsWithTheChartsPenAndCalculator)
{
    QxChartView* view = open(pricedId);
    ASSERT_NE(view, nullptr);
    const struct {
        int tool;
        const char* name;
        unsigned points;
    } tools[] = {
        {31000, "QxLineAnnot", 2}, {31001, "QxLineAnnot", 2},     {31002, "QxLineAnnot", 2},
        {31003, "QxLineAnnot", 1}, {31004, "QxLineAnnot", 1},     {31005, "QxLineAnnot", 2},
        {31006, "QxLineAnnot", 2}, {31007, "QxLineAnnot", 2},     {31008, "QxLineAnnot", 2},
        {31009, "QxTriangleAnnot", 3}, {31010, "QxRectAnnot", 2}, {31011, "QxOvalAnnot", 2},
        {31012, "QxAndrewsPitchFork", 3}, {31013, "QxLinearRegressionChannel", 3},
        {31014, "QxFibonacciRetracement", 3}, {31015, "QxTextAnnot", 2},
    };
    const wxPen pen = view->getDefaultPen();
    for (const auto& t : tools) {
        QxObjectSmartPtr<QxAnnot> made(view->createAnnotForTool(t.tool));
        ASSERT_NE(made.get(), nullptr) << t.tool;
        EXPECT_EQ(made->getName(), t.name) << t.tool;
        EXPECT_EQ(made->numPoints(), t.points) << t.tool;
        EXPECT_EQ(made->getPen(), pen) << t.tool;
        EXPECT_EQ(made->getCalculator(), view->getCalc()) << t.tool;
        EXPECT_EQ(made->isSelected(), t.tool == 31015) << "only the text starts selected";
    }
    EXPECT_EQ(view->createAnnotForTool(31016), nullptr);
    EXPECT_EQ(view->createAnnotForTool(30999), nullptr);

    // The tool shows in the cursor and is stored; tool 0 goes back.
    view->setAnnotTool(31015);
    EXPECT_EQ(view->getAnnotTool(), 31015);
    EXPECT_EQ(view->currentCursor(), QxBaseChartView::eCursorCross);
    view->setAnnotTool(0);
    EXPECT_EQ(view->currentCursor(), QxBaseChartView::eCursorOpenHand);

    // Annotations go into the zone's list of the chart's period.
    QxObjectSmartPtr<QxAnnot> made(view->createAnnotForTool(31010));
    view->addAnnot(0, made.get());
    ASSERT_NE(view->getAnnots(0), nullptr);
    EXPECT_EQ(view->getAnnots(0)->size(), 1u);
    view->removeAnnot(0, made.get());
    EXPECT_TRUE(view->getAnnots(0)->empty());
    EXPECT_EQ(made->numRefs(), 1) << "the zone let go of its reference";
}

// ---------------------------------------------------------------------------
// Annotations drawn with the mouse and keys

namespace {

using viewtest::Hand;

size_t annotCount(QxChartView* view) { return view->getAnnots(0) ? view->getAnnots(0)->size() : 0; }
QxAnnot* annotAt(QxChartView* view, size_t i) { return (*view->getAnnots(0))[i].get(); }

// Whether a pen of red shows within a pixel of (x, y).
bool redNear(const wxImage& img, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int px = x + dx, py = y + dy;
            if (px >= 0 && py >= 0 && px < img.GetWidth() && py < img.GetHeight() && img.GetRed(px, py) > 200 &&
                img.GetGreen(px, py) < 180 && img.GetBlue(px, py) < 180)
                return true;
        }
    return false;
}

} // namespace

TEST_F(ChartViewFixture, LinesAreDrawnSelectedReshapedMovedAndDeleted)
{
    QxChartView* view = open(pricedId);
    ASSERT_NE(view, nullptr);
    pump(200);
    const Hand hand{view};
    QxChartAnnotHandler& handler = view->annotHandler();
    auto at = [&](double u, double v) { return hand.at(u, v); };

    // A trend line by two clicks: the second point follows the mouse meanwhile.
    view->setAnnotTool(31000);
    EXPECT_EQ(view->currentCursor(), QxBaseChartView::eCursorCross);
    hand.click(at(0.2, 0.3));
    EXPECT_EQ(handler.getState(), QxChartAnnotHandler::eCreating);
    EXPECT_EQ(annotCount(view), 0u) << "not stored while being made";
    hand.move(at(0.4, 0.6));
    EXPECT_TRUE(view->overlay().isShown(QxOverlay::eAnnotation));
    ASSERT_NE(view->getActiveAnnot(), nullptr);
    EXPECT_EQ(view->getActiveAnnot()->getPoint(1).x, hand.chart(at(0.4, 0.6)).x);
    hand.click(at(0.4, 0.5));
    ASSERT_EQ(annotCount(view), 1u);
    QxAnnot* first = annotAt(view, 0);
    EXPECT_EQ(first->getPoint(0).x, hand.chart(at(0.2, 0.3)).x);
    EXPECT_EQ(first->getPoint(1).x, hand.chart(at(0.4, 0.5)).x);
    EXPECT_EQ(first->getPoint(1).y, hand.chart(at(0.4, 0.5)).y);
    EXPECT_EQ(view->getAnnotTool(), 0) << "a finished line clears the tool";
    EXPECT_EQ(view->currentCursor(), QxBaseChartView::eCursorOpenHand);
    EXPECT_EQ(view->getActiveAnnot(), first);
    EXPECT_TRUE(first->isSelected());

    // The selected line is drawn over the picture, not into it.
    const wxPoint middle = hand.device({(first->getPoint(0).x + first->getPoint(1).x) / 2,
                                        (first->getPoint(0).y + first->getPoint(1).y) / 2});
    EXPECT_TRUE(redNear(rendered(view), middle.x, middle.y + view->vertPos()));
    EXPECT_FALSE(redNear(view->getChartBitmap().ConvertToImage(), middle.x, middle.y + view->vertPos()));

    // By press, drag and release.
    view->setAnnotTool(31000);
    hand.drag(at(0.5, 0.2), at(0.7, 0.4));
    ASSERT_EQ(annotCount(view), 2u);
    EXPECT_EQ(annotAt(view, 1)->getPoint(0).x, hand.chart(at(0.5, 0.2)).x);
    EXPECT_EQ(annotAt(view, 1)->getPoint(1).x, hand.chart(at(0.7, 0.4)).x);
    EXPECT_FALSE(first->isSelected()) << "back in the picture";

    // A horizontal line takes one click.
    view->setAnnotTool(31004);
    hand.click(at(0.3, 0.8));
    ASSERT_EQ(annotCount(view), 3u);
    EXPECT_EQ(static_cast<QxLineAnnot*>(annotAt(view, 2))->kind(), QxLineAnnot::eHorizontalLine);
    EXPECT_EQ(view->getAnnotTool(), 0);

    // Parallel lines: each release drops a copy until Escape.
    view->setAnnotTool(31005);
    hand.click(at(0.1, 0.1));
    hand.click(at(0.3, 0.15));
    ASSERT_EQ(annotCount(view), 4u);
    EXPECT_EQ(handler.getState(), QxChartAnnotHandler::eMovingAll);
    hand.move(at(0.1, 0.25));
    QxAnnot* copy = view->getActiveAnnot();
    ASSERT_NE(copy, annotAt(view, 3));
    EXPECT_EQ(copy->getPoint(1).x - copy->getPoint(0).x, annotAt(view, 3)->getPoint(1).x - annotAt(view, 3)->getPoint(0).x);
    hand.click(at(0.1, 0.25));
    ASSERT_EQ(annotCount(view), 5u);
    EXPECT_EQ(annotAt(view, 4), copy);
    EXPECT_NE(view->getActiveAnnot(), copy) << "the next copy follows";
    EXPECT_EQ(view->getAnnotTool(), 31005);
    hand.key(WXK_ESCAPE);
    EXPECT_EQ(annotCount(view), 5u) << "the copy still following is dropped";
    EXPECT_EQ(view->getAnnotTool(), 0);
    EXPECT_EQ(view->getActiveAnnot(), nullptr);
    EXPECT_EQ(handler.getState(), QxChartAnnotHandler::eIdle);

    // Connected lines: each segment starts where the last ended.
    view->setAnnotTool(31006);
    hand.click(at(0.6, 0.7));
    hand.click(at(0.7, 0.9));
    hand.click(at(0.8, 0.75));
    hand.key(WXK_ESCAPE);
    ASSERT_EQ(annotCount(view), 7u);
    EXPECT_EQ(annotAt(view, 6)->getPoint(0).x, annotAt(view, 5)->getPoint(1).x);
    EXPECT_EQ(annotAt(view, 6)->getPoint(0).y, annotAt(view, 5)->getPoint(1).y);
    EXPECT_EQ(annotAt(view, 6)->getPoint(1).x, hand.chart(at(0.8, 0.75)).x);

    // Hovering shows what a press would take: the arrow over a body, the
    // pointer over a point, the hand elsewhere.
    QxAnnot* second = annotAt(view, 1);
    const wxPoint p0 = hand.device(second->getPoint(0)), p1 = hand.device(second->getPoint(1));
    const wxPoint body = (p0 + p1) / 2;
    hand.move(body);
    EXPECT_EQ(view->currentCursor(), QxBaseChartView::eCursorArrow);
    hand.move(p1);
    EXPECT_EQ(view->currentCursor(), QxBaseChartView::eCursorPointer);
    hand.move(at(0.95, 0.05));
    EXPECT_EQ(view->currentCursor(), QxBaseChartView::eCursorOpenHand);

    // A click selects; dragging a point reshapes; dragging the body moves.
    const QxPoint before0 = second->getPoint(0), before1 = second->getPoint(1);
    hand.click(body);
    EXPECT_EQ(view->getActiveAnnot(), second);
    EXPECT_DOUBLE_EQ(second->getPoint(0).x, before0.x) << "a click moves nothing";
    EXPECT_DOUBLE_EQ(second->getPoint(0).y, before0.y) << "a click moves nothing";
    EXPECT_DOUBLE_EQ(second->getPoint(1).x, before1.x) << "a click moves nothing";
    EXPECT_DOUBLE_EQ(second->getPoint(1).y, before1.y) << "a click moves nothing";
    hand.drag(p1, at(0.9, 0.1));
    EXPECT_EQ(second->getPoint(1).x, hand.chart(at(0.9, 0.1)).x);
    EXPECT_EQ(second->getPoint(0).x, before0.x);
    const QxPoint reshaped1 = second->getPoint(1);
    const int bar = view->scrollModel().barPixels();
    const wxPoint grip = (hand.device(second->getPoint(0)) + hand.device(second->getPoint(1))) / 2;
    hand.drag(grip, grip + wxPoint(-5 * bar, 0));
    EXPECT_NEAR(second->getPoint(0).x, before0.x - 5, 1.0);
    EXPECT_DOUBLE_EQ(second->getPoint(1).x - second->getPoint(0).x, reshaped1.x - before0.x) << "moved whole";
    EXPECT_NEAR(second->getPoint(1).y, reshaped1.y, std::fabs(reshaped1.y - before1.y) + 1.0);
    ASSERT_TRUE(framestest::saveWindowShot(view->getFrame(), "annotations-lines.png"));

    // Delete removes the selected annotation.
    hand.key(WXK_DELETE);
    EXPECT_EQ(annotCount(view), 6u);
    EXPECT_EQ(view->getActiveAnnot(), nullptr);
    EXPECT_EQ(std::count_if(view->getAnnots(0)->begin(), view->getAnnots(0)->end(),
                            [&](const auto& a) { return a.get() == second; }),
              0);

    // Pressing on an empty part with no tool leaves the press to the view.
    hand.click(at(0.95, 0.95));
    EXPECT_EQ(view->getActiveAnnot(), nullptr);
    EXPECT_FALSE(view->isPanning());
}

TEST_F(ChartViewFixture, ShapesAndTextsAreDrawnAndEditedInPlace)
{
    QxCursors::setCursorFolder(wxString::FromUTF8(TestSupport::binDir() + "/artworks"));
    QxChartView* view = open(pricedId);
    ASSERT_NE(view, nullptr);
    pump(200);
    const Hand hand{view};
    QxChartAnnotHandler& handler = view->annotHandler();
    auto at = [&](double u, double v) { return hand.at(u, v); };

    view->setAnnotTool(31010);
    hand.drag(at(0.1, 0.1), at(0.3, 0.4));
    view->setAnnotTool(31011);
    hand.drag(at(0.35, 0.1), at(0.55, 0.4));
    view->setAnnotTool(31009);
    hand.click(at(0.6, 0.4));
    hand.move(at(0.7, 0.3));
    // The second corner follows the mouse: a line until the third is placed.
    auto* placing = static_cast<QxTriangleAnnot*>(view->getActiveAnnot());
    EXPECT_TRUE(placing->isPointSet(1));
    EXPECT_FALSE(placing->isPointSet(2));
    hand.click(at(0.8, 0.4));
    hand.click(at(0.7, 0.1));
    ASSERT_EQ(annotCount(view), 3u);
    EXPECT_TRUE(static_cast<QxTriangleAnnot*>(annotAt(view, 2))->isPointSet(2));
    QxAnnot* rect = annotAt(view, 0);

    // The text tool opens the editor at once over a box for the placeholder.
    view->setAnnotTool(31015);
    hand.click(at(0.2, 0.7));
    ASSERT_EQ(annotCount(view), 4u);
    auto* text = static_cast<QxTextAnnot*>(annotAt(view, 3));
    QxInplaceTextCtrl* editor = handler.getEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(text->isEditing());
    EXPECT_EQ(editor->GetValue(), "Start typing to add text");
    EXPECT_EQ(view->getAnnotTool(), 0);
    EXPECT_EQ(editor->GetCursor().IsOk(), true);

    // Typing past the right edge grows the editor by lines, its width kept.
    const wxSize oneLine = editor->GetSize();
    editor->SetValue("Hello");
    EXPECT_EQ(editor->GetSize(), oneLine);
    // The box was made for the placeholder: one more word is one more line.
    editor->SetValue("Start typing to add text and more");
    EXPECT_EQ(editor->GetSize().x, oneLine.x);
    EXPECT_EQ(editor->GetSize().y, oneLine.y + QxTextLayout(editor->GetFont(), "x", 0).lineHeight()) << "one line more";
    // Typed text (the picture is taken last: showing the window may move
    // the focus, which ends the editing).
    editor->SetValue("Hello");
    ASSERT_TRUE(framestest::saveWindowShot(view->getFrame(), "annotations-editing.png"));

    // Clicking away ends the editing; the text stays.
    hand.click(at(0.9, 0.9));
    EXPECT_EQ(handler.getEditor(), nullptr);
    EXPECT_FALSE(text->isEditing());
    EXPECT_EQ(text->getText(), "Hello");
    ASSERT_EQ(annotCount(view), 4u);
    pump(100);
    ASSERT_TRUE(framestest::saveWindowShot(view->getFrame(), "annotations-shapes.png"));

    // A click on a text selects it, a second one edits it, the caret at the
    // clicked character.
    const wxRect box = text->pixelBox(view->getXMap(0), view->getYMap(0));
    const wxPoint onText = box.GetTopLeft() + wxPoint(QxTextLayout::kMargin + 1, QxTextLayout::kMargin + 2) -
                           wxPoint(0, view->vertPos());
    hand.click(onText);
    EXPECT_EQ(view->getActiveAnnot(), text);
    EXPECT_EQ(handler.getEditor(), nullptr);
    hand.click(onText);
    editor = handler.getEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetValue(), "Hello");
    EXPECT_EQ(editor->GetInsertionPoint(), 0);
    // Escape ends the editing too, keeping the text.
    wxKeyEvent escape(wxEVT_KEY_DOWN);
    escape.m_keyCode = WXK_ESCAPE;
    editor->ProcessWindowEvent(escape);
    EXPECT_EQ(handler.getEditor(), nullptr);
    EXPECT_EQ(text->getText(), "Hello");

    // An emptied text disappears.
    hand.click(onText);
    hand.click(onText);
    ASSERT_NE(handler.getEditor(), nullptr);
    handler.getEditor()->SetValue("");
    hand.click(at(0.9, 0.9));
    EXPECT_EQ(annotCount(view), 3u);
    EXPECT_EQ(view->getActiveAnnot(), nullptr);

    // Emptied while another annotation was clicked first (its focus loss
    // arriving after the click): only the text goes.
    view->setAnnotTool(31015);
    hand.click(at(0.5, 0.8));
    ASSERT_EQ(annotCount(view), 4u);
    editor = handler.getEditor();
    ASSERT_NE(editor, nullptr);
    editor->SetValue("");
    handler.setActiveAnnot(rect);
    editor->finish();
    EXPECT_EQ(annotCount(view), 3u);
    EXPECT_EQ(annotAt(view, 0), rect) << "the rectangle stays";
    EXPECT_EQ(view->getActiveAnnot(), rect);
    // The same through a real click on the rectangle's border.
    view->setAnnotTool(31015);
    hand.click(at(0.5, 0.8));
    ASSERT_NE(handler.getEditor(), nullptr);
    handler.getEditor()->SetValue("");
    const wxPoint rectCorner = hand.device(rect->getPoint(0));
    hand.click(rectCorner);
    EXPECT_EQ(annotCount(view), 3u);
    EXPECT_EQ(view->getActiveAnnot(), rect);

    // A text tool click left untouched adds nothing.
    view->setAnnotTool(31015);
    hand.click(at(0.5, 0.8));
    hand.click(at(0.9, 0.9));
    EXPECT_EQ(annotCount(view), 3u);
    pump(100);
}

TEST_F(ChartViewFixture, CursorFilesLoadWithTheirHotSpots)
{
    const wxString dir = wxString::FromUTF8(TestSupport::binDir() + "/artworks");
    QxCursors::setCursorFolder(dir);
    const struct {
        int id;
        const char* file;
        int hotX, hotY;
    } files[] = {
        {1, "open_hand.cur", 16, 16},   {2, "close_hand.cur", 16, 16}, {3, "cross.cur", 15, 15},
        {4, "black_arrow.cur", 4, 2},   {5, "black_pointer.cur", 4, 2}, {9, "indic_drop_allow.ico", -1, -1},
        {10, "indic_drop_disallow.ico", -1, -1},
    };
    wxImage strip(7 * 40, 40);
    strip.SetRGB(wxRect(0, 0, 7 * 40, 40), 200, 210, 220);
    int slot = 0;
    for (const auto& f : files) {
        wxImage image;
        const bool isCursor = f.hotX >= 0;
        ASSERT_TRUE(image.LoadFile(dir + "/" + f.file, isCursor ? wxBITMAP_TYPE_CUR : wxBITMAP_TYPE_ICO)) << f.file;
        EXPECT_EQ(image.GetSize(), wxSize(32, 32)) << f.file;
        if (isCursor) {
            EXPECT_EQ(image.GetOptionInt(wxIMAGE_OPTION_CUR_HOTSPOT_X), f.hotX) << f.file;
            EXPECT_EQ(image.GetOptionInt(wxIMAGE_OPTION_CUR_HOTSPOT_Y), f.hotY) << f.file;
        }
        EXPECT_TRUE(QxCursors::cursorFromCache(f.id).IsOk()) << f.file;
        if (!image.HasAlpha())
            image.InitAlpha();
        strip.Paste(image, 4 + 40 * slot++, 4, wxIMAGE_ALPHA_BLEND_COMPOSE);
    }
    EXPECT_TRUE(strip.SaveFile(wxString::FromUTF8(TestSupport::artifactPath("annotation-cursors.png")),
                               wxBITMAP_TYPE_PNG));
    EXPECT_FALSE(QxCursors::cursorFromCache(0).IsOk()) << "the window's default";
    EXPECT_FALSE(QxCursors::cursorFromCache(11).IsOk());

    // Without the files the stock cursors stand in.
    QxCursors::setCursorFolder(wxString::FromUTF8(TestSupport::makeTempDir("nocursors")));
    EXPECT_TRUE(QxCursors::cursorFromCache(3).IsOk());
    QxCursors::setCursorFolder(dir);

    // The stack: returning to the cursor below pops instead of pushing.
    QxChartView* view = open(pricedId);
    ASSERT_NE(view, nullptr);
    const size_t depth = view->cursorDepth();
    view->setCursor(QxBaseChartView::eCursorArrow);
    view->setCursor(QxBaseChartView::eCursorPointer);
    EXPECT_EQ(view->cursorDepth(), depth + 2);
    view->setCursor(QxBaseChartView::eCursorArrow);
    EXPECT_EQ(view->cursorDepth(), depth + 1) << "back to the arrow";
    view->setCursor(QxBaseChartView::eCursorOpenHand);
    EXPECT_EQ(view->cursorDepth(), depth);
    EXPECT_EQ(view->currentCursor(), QxBaseChartView::eCursorOpenHand);
}

// A last click against a kind's point order is refused and the creation
// goes on: every stored analysis annotation has its three points, so it is
// drawn whole, found by a click and deleted with Delete.
TEST_F(ChartViewFixture, AnalysisAnnotationsRefuseClicksAgainstTheirPointOrder)
{
    QxChartView* view = open(pricedId);
    ASSERT_NE(view, nullptr);
    pump(200);
    const Hand hand{view};
    QxChartAnnotHandler& handler = view->annotHandler();
    struct Point {
        double u, v;
    };
    const struct {
        int tool;
        const char* what;
        std::vector<Point> clicks; // the last one is refused
        Point accepted;            // then placed instead
    } cases[] = {
        {31014, "retracement: the end left of the move", {{0.4, 0.7}, {0.6, 0.2}, {0.2, 0.5}}, {0.8, 0.5}},
        {31012, "pitchfork: the pivot right of both reaction points", {{0.4, 0.3}, {0.5, 0.6}, {0.7, 0.5}},
         {0.2, 0.45}},
        {31013, "channel: the second click left of the first", {{0.5, 0.5}, {0.3, 0.4}}, {0.7, 0.4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        view->setAnnotTool(c.tool);
        for (const Point& p : c.clicks)
            hand.click(hand.at(p.u, p.v));
        EXPECT_EQ(annotCount(view), 0u) << "the refused click stores nothing";
        EXPECT_EQ(handler.getState(), QxChartAnnotHandler::eCreating) << "the creation goes on";
        hand.click(hand.at(c.accepted.u, c.accepted.v));
        if (c.tool == 31013) // the channel's width
            hand.click(hand.at(0.7, 0.3));
        ASSERT_EQ(annotCount(view), 1u);
        QxAnnot* made = annotAt(view, 0);
        EXPECT_EQ(handler.getState(), QxChartAnnotHandler::eIdle);
        // Deselected, then found again by a click on its first point.
        hand.click(hand.at(0.97, 0.97));
        ASSERT_EQ(view->getActiveAnnot(), nullptr);
        const wxPoint first = hand.device(made->getPoint(0));
        unsigned index = 9;
        EXPECT_EQ(made->hitTest(view->adjustY(first), view->getXMap(0), view->getYMap(0), &index, -1),
                  QxAnnot::eHitPoint);
        hand.click(first);
        EXPECT_EQ(view->getActiveAnnot(), made);
        hand.key(WXK_DELETE);
        EXPECT_EQ(annotCount(view), 0u);
    }
}

// The selection belongs to the annotations of one zone in one period: a
// period change, a deleted zone or new zones end it, and nothing the user
// does on the new picture reaches the old annotation.
TEST_F(ChartViewFixture, SelectionEndsWhenTheZonesOrThePeriodChange)
{
    QxChartView* view = open(pricedId);
    ASSERT_NE(view, nullptr);
    pump(200);
    const Hand hand{view};
    QxChartAnnotHandler& handler = view->annotHandler();
    QxChartFrame* frame = view->getFrame();
    auto command = [&](int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(frame);
        frame->ProcessWindowEvent(event);
        pump(50);
    };

    // A daily line, selected; weekly bars come.
    view->setAnnotTool(31000);
    hand.drag(hand.at(0.3, 0.3), hand.at(0.7, 0.6));
    ASSERT_EQ(annotCount(view), 1u);
    QxObjectSmartPtr<QxAnnot> daily(annotAt(view, 0));
    ASSERT_EQ(view->getActiveAnnot(), daily.get());
    const QxPoint p0 = daily->getPoint(0), p1 = daily->getPoint(1);
    command(1006);
    EXPECT_EQ(view->getActiveAnnot(), nullptr) << "not painted over the weekly bars";
    EXPECT_FALSE(daily->isSelected());
    EXPECT_FALSE(view->overlay().isShown(QxOverlay::eAnnotation));
    // A drag where the line's body showed moves nothing of the daily line.
    hand.drag(hand.at(0.5, 0.45), hand.at(0.4, 0.45));
    EXPECT_EQ(daily->getPoint(0).x, p0.x);
    EXPECT_EQ(daily->getPoint(1).x, p1.x);
    EXPECT_EQ(annotCount(view), 0u) << "the weekly list holds none";
    command(1005);
    ASSERT_EQ(annotCount(view), 1u);
    EXPECT_EQ(annotAt(view, 0), daily.get());
    EXPECT_EQ(daily->getPoint(0).y, p0.y);

    // A line being made goes with the period too.
    view->setAnnotTool(31000);
    hand.click(hand.at(0.2, 0.2));
    ASSERT_EQ(handler.getState(), QxChartAnnotHandler::eCreating);
    command(1007);
    EXPECT_EQ(handler.getState(), QxChartAnnotHandler::eIdle);
    EXPECT_EQ(view->getActiveAnnot(), nullptr);
    EXPECT_EQ(view->getAnnotTool(), 0);
    command(1005);
    EXPECT_EQ(annotCount(view), 1u) << "nothing half made was stored";

    // A rectangle selected in the volume zone, whose place another zone
    // takes when it is deleted.
    QxChart* chart = view->getChartist()->getChart();
    ASSERT_NE(chart->addZone(), nullptr);
    view->refreshChart();
    pump(50);
    const unsigned volume = 1;
    ASSERT_EQ(chart->zoneAt(volume), chart->getVolumeZone());
    const wxRect inner = view->getZoneInnerRect(volume);
    auto inVolume = [&](double u, double v) {
        return wxPoint(inner.x + int(u * inner.width), inner.y + int(v * inner.height) - view->vertPos());
    };
    view->setAnnotTool(31010);
    hand.drag(inVolume(0.3, 0.2), inVolume(0.6, 0.8));
    ASSERT_NE(view->getActiveAnnot(), nullptr);
    ASSERT_EQ(handler.getZone(), int(volume));
    ASSERT_EQ(chart->deleteZone(volume), eNoError);
    view->refreshChart();
    EXPECT_EQ(view->getActiveAnnot(), nullptr) << "no rectangle in the zone that follows";
    EXPECT_FALSE(view->overlay().isShown(QxOverlay::eAnnotation));
    hand.key(WXK_DELETE);
    EXPECT_EQ(annotCount(view), 1u) << "Delete has nothing selected to remove";
}

// ---------------------------------------------------------------------------
// Texts: the lines of the editor on the chart

namespace {

struct KeepingOwner : QxInplaceTextCtrlOwner {
    void onInplaceTextDone(const wxString& text) override { done = text; }
    void onInplaceTextCancel() override {}
    wxString done;
};

// (first character, top left) of each line: as the editor shows them, and
// as the chart lays them out in a box of the editor's width.
using Lines = std::vector<std::pair<size_t, wxPoint>>;

Lines editorLines(QxInplaceTextCtrl* editor) { return QxTextControlLayout::shownLines(editor); }

Lines chartLines(const QxTextLayout& layout)
{
    Lines out;
    for (const QxTextLine& l : layout.lines())
        out.emplace_back(l.start, l.pos);
    return out;
}

std::string describe(const Lines& lines)
{
    std::string out;
    for (const auto& l : lines)
        out += "[" + std::to_string(l.first) + " at " + std::to_string(l.second.x) + "," +
               std::to_string(l.second.y) + "] ";
    return out;
}

// The bounding box of the pixels of area that ink() picks; empty when none.
wxRect inkBox(const wxRect& area, const std::function<bool(int, int)>& ink)
{
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = area.y; y <= area.GetBottom(); ++y)
        for (int x = area.x; x <= area.GetRight(); ++x)
            if (ink(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return left > right ? wxRect() : wxRect(wxPoint(left, top), wxPoint(right, bottom));
}

bool farFrom(const wxImage& img, int x, int y, const wxColour& c)
{
    return std::abs(img.GetRed(x, y) - c.Red()) > 100 || std::abs(img.GetGreen(x, y) - c.Green()) > 100 ||
           std::abs(img.GetBlue(x, y) - c.Blue()) > 100;
}

} // namespace

// A table of texts and widths: the editor (the toolkit's own control) and
// the chart's layout break the lines at the same characters and place them
// at the same pixels; a word longer than a line widens the editor first.
TEST(TextAnnotLines, TheChartBreaksAndPlacesLinesAsTheEditorShowsThem)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "editor lines", wxPoint(0, 0), wxSize(900, 600));
    auto* panel = new wxPanel(frame);
    frame->Show();
    pump(200);
    wxFont font = *wxNORMAL_FONT;
    font.SetPointSize(12);
    const wxString texts[] = {
        "Breakout above the 200-day average, volume twice the norm",
        "Two\nlines\n\nafter a blank one",
        "Trailing line break\n",
        wxString::FromUTF8("Über grüne Ölpreise: ½ of €4.50 — fine, isn’t it?"),
        wxString('W', 70),
        "tab\tand  double  spaces, then/slashed/words.",
    };
    const int widths[] = {40, 97, 150, 233};
    const wxPoint at(10, 10);
    const int room = panel->GetClientSize().x - at.x;
    int differ = 0;
    for (const wxString& text : texts)
        for (int width : widths) {
            KeepingOwner owner;
            auto* editor = new QxInplaceTextCtrl(panel, wxRect(at, wxSize(width, 20)), text, font, *wxRED, &owner);
            pump(60);
            const std::string what = "\"" + text.ToStdString(wxConvUTF8) + "\" at " + std::to_string(width);
            // Wider only for a word that would break, and no wider than the
            // panel shows.
            const int word = QxTextLayout::wordBoxWidth(font, text);
            EXPECT_EQ(editor->GetSize().x, std::max(width, std::min(word, room))) << what;
            const QxTextLayout layout(font, text, editor->GetSize().x);
            const Lines shown = editorLines(editor);
            const Lines laid = chartLines(layout);
            differ += shown != laid;
            EXPECT_EQ(describe(laid), describe(shown)) << what;
            // Every line shows: nothing below the editor's bottom margin.
            ASSERT_FALSE(shown.empty()) << what;
            EXPECT_LE(shown.back().second.y + layout.lineHeight() + QxTextLayout::kMargin, editor->GetSize().y)
                << what;
            EXPECT_EQ(editor->GetSize().y, layout.boxHeight()) << what;
            editor->detachOwner();
            editor->Destroy();
        }
    EXPECT_EQ(differ, 0) << "of " << std::size(texts) * std::size(widths) << " cases";
    frame->Destroy();
    pump(100);
}

// A user path: a text typed with a line break and a long word, then looked
// at with the normal, the largest and the smallest zoom, its editor opened
// over it each time. The lines, the box and the ink stay where the editor
// had them.
TEST_F(ChartViewFixture, TextKeepsTheEditorsLinesAndPlaceAtEveryZoom)
{
    QxCursors::setCursorFolder(wxString::FromUTF8(TestSupport::binDir() + "/artworks"));
    QxChartView* view = open(pricedId);
    ASSERT_NE(view, nullptr);
    QxChartFrame* frame = view->getFrame();
    pump(200);
    ASSERT_TRUE(TestSupport::focusFrame(frame, view));
    const Hand hand{view};
    QxChartAnnotHandler& handler = view->annotHandler();
    const auto* prices = view->getCalc()->prices(Qx::eDaily, false);
    // The text hangs below the highest price, so it shows in the zone
    // however far the zoom narrows the values around it.
    unsigned top = 100;
    for (unsigned b = 100; b + 100 < prices->numBars(); ++b)
        if (prices->high()[b] > prices->high()[top])
            top = b;
    const auto zoom = [&](int command) {
        wxCommandEvent event(wxEVT_MENU, command);
        frame->GetEventHandler()->ProcessEvent(event);
        pump(150);
        const unsigned shown = view->getLastVisibleBar() - view->getFirstVisibleBar();
        view->setLastVisibleBar(std::min(newestBar(view), top + shown * 3 / 4));
        view->refreshChart();
        view->Update();
        pump(300);
    };
    zoom(1020);

    view->setAnnotTool(31015);
    const wxPoint place = hand.device(QxPoint{double(top), prices->high()[top]}) + wxPoint(QxTextLayout::kMargin, 20);
    ASSERT_TRUE(view->getZoneInnerRect(0).Contains(place))
        << place.x << "," << place.y << " bars " << view->getFirstVisibleBar() << "-" << view->getLastVisibleBar();
    hand.click(place);
    QxInplaceTextCtrl* editor = handler.getEditor();
    ASSERT_NE(editor, nullptr);
    auto* text = static_cast<QxTextAnnot*>(view->getActiveAnnot());
    ASSERT_NE(text, nullptr);
    ASSERT_TRUE(TestSupport::focusFrame(frame, editor));
    const int startWidth = editor->GetSize().x;
    ASSERT_TRUE(TestSupport::xdotool({"type", "--delay", "10", "Breakout above resistance"}));
    ASSERT_TRUE(TestSupport::pressKeys({"Return"}));
    pump(100);
    const int lineHeight = QxTextLayout(editor->GetFont(), "x", 0).lineHeight();
    Lines shown = editorLines(editor);
    ASSERT_GE(shown.size(), 2u) << describe(shown);
    EXPECT_EQ(shown[0].second.y, QxTextLayout::kMargin) << "the first line stays in view after Enter";
    EXPECT_EQ(shown.back().first, wxString("Breakout above resistance\n").length()) << "the caret's new line";
    EXPECT_EQ(shown.back().second.y, QxTextLayout::kMargin + int(shown.size() - 1) * lineHeight);
    EXPECT_LE(shown.back().second.y + lineHeight, editor->GetSize().y) << "and it shows";
    const wxString word = "Supercalifragilisticexpialidocious";
    ASSERT_TRUE(TestSupport::xdotool({"type", "--delay", "10", "Watch " + word.ToStdString()}));
    pump(100);
    const wxString typed = "Breakout above resistance\nWatch " + word;
    ASSERT_EQ(editor->GetValue(), typed);
    EXPECT_GT(editor->GetSize().x, startWidth) << "widened while typing the long word";
    shown = editorLines(editor);
    const size_t wordAt = typed.find(word);
    for (const auto& l : shown)
        EXPECT_FALSE(l.first > wordAt && l.first < wordAt + word.length()) << "the word is whole: " << describe(shown);
    EXPECT_EQ(shown[0].second.y, QxTextLayout::kMargin) << "still at its first line";
    EXPECT_EQ(describe(chartLines(QxTextLayout(editor->GetFont(), typed, editor->GetSize().x))), describe(shown));
    EXPECT_LE(shown.back().second.y + lineHeight, editor->GetSize().y) << "the last line shows";
    const Lines typedLines = shown;
    const wxSize editorSize = editor->GetSize();
    const wxPoint editorAt = editor->GetPosition();

    // Away from the text: the editing ends, the text is where the editor
    // had it, as wide and with its lines.
    const wxPoint away = hand.at(0.02, 0.97);
    const QxPoint corner = view->deviceToChart(0, editorAt + wxPoint(0, view->vertPos()), 0);
    ASSERT_TRUE(TestSupport::clickAt(view, away));
    pump(100);
    ASSERT_EQ(handler.getEditor(), nullptr);
    EXPECT_EQ(text->getText(), typed);
    EXPECT_EQ(text->boxWidth(), editorSize.x);
    EXPECT_EQ(text->getPoint(0).x, corner.x);
    EXPECT_DOUBLE_EQ(text->getPoint(0).y, corner.y);
    zoom(1020);
    {
        wxRect box = text->pixelBox(view->getXMap(0), view->getYMap(0));
        box.Offset(0, -view->vertPos());
        EXPECT_EQ(box.GetTopLeft(), view->chartToDevice(0, corner) - wxPoint(0, view->vertPos()));
        EXPECT_EQ(box.width, editorSize.x);
        EXPECT_EQ(box.height, QxTextLayout(text->getFont(), typed, box.width).boxHeight()) << "as tall as its lines";
    }

    const struct {
        int command;
        const char* name;
    } zooms[] = {{1020, "normal"}, {1022, "largest"}, {1021, "smallest"}};
    std::vector<int> boxWidthsInBars;
    for (const auto& z : zooms) {
        SCOPED_TRACE(z.name);
        zoom(z.command);
        wxRect box = text->pixelBox(view->getXMap(0), view->getYMap(0));
        box.Offset(0, -view->vertPos());
        const wxRect zoneRect = view->getZoneInnerRect(0);
        // Its first line at least shows in the zone (the smallest zoom may
        // put the box low in it; the pictures are compared where it shows).
        ASSERT_TRUE(zoneRect.Contains(wxRect(box.GetTopLeft(), wxSize(box.width, lineHeight + QxTextLayout::kMargin))))
            << "the text shows in its zone: " << box.x << "," << box.y << " "
                                            << box.width << "x" << box.height << " in " << zoneRect.x << ","
                                            << zoneRect.y << " " << zoneRect.width << "x" << zoneRect.height;
        EXPECT_EQ(box.width, editorSize.x);
        EXPECT_EQ(describe(chartLines(text->layout(box.width))), describe(typedLines));
        boxWidthsInBars.push_back(
            int(view->deviceToChart(0, box.GetTopRight() + wxPoint(0, view->vertPos()), 0).x - text->getPoint(0).x));

        // The chart's ink: what the text adds to the picture.
        view->refreshChart();
        const wxImage withText = rendered(view);
        text->setText(wxString());
        view->refreshChart();
        const wxImage without = rendered(view);
        text->setText(typed);
        view->refreshChart();
        pump(100);
        const wxRect shows = wxRect(box).Intersect(zoneRect);
        const wxRect onChart = inkBox(shows, [&](int x, int y) {
            return std::abs(withText.GetRed(x, y) - without.GetRed(x, y)) > 100 ||
                   std::abs(withText.GetGreen(x, y) - without.GetGreen(x, y)) > 100;
        });
        ASSERT_FALSE(onChart.IsEmpty());
        ASSERT_TRUE(framestest::saveWindowShot(frame, std::string("text-zoom-") + z.name + "-chart.png"));

        // Two clicks on the first character open the editor over the text.
        const wxPoint first = box.GetTopLeft() + wxPoint(QxTextLayout::kMargin + 1, QxTextLayout::kMargin + 3);
        ASSERT_TRUE(TestSupport::clickAt(view, first));
        pump(700); // not a double click
        ASSERT_TRUE(TestSupport::clickAt(view, first + wxPoint(0, 1)));
        pump(150);
        editor = handler.getEditor();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->GetRect(), box) << "the editor opens over the text";
        EXPECT_EQ(editor->GetInsertionPoint(), 0);
        EXPECT_EQ(describe(editorLines(editor)), describe(typedLines));
        const std::string shot = std::string("text-zoom-") + z.name + "-editor.png";
        ASSERT_TRUE(framestest::saveWindowShot(frame, shot));
        ASSERT_NE(handler.getEditor(), nullptr) << "the picture left the editor open";
        wxImage screen(wxString::FromUTF8(TestSupport::artifactPath(shot)), wxBITMAP_TYPE_PNG);
        ASSERT_TRUE(screen.IsOk());
        const wxPoint offset = view->GetScreenPosition() - frame->GetScreenPosition();
        const wxColour paper = editor->GetBackgroundColour();
        // The caret stands at the first character: its columns are left out.
        // Where the zone cuts the box, the first line is compared.
        wxRect area = shows == box ? box : wxRect(box.GetTopLeft(), wxSize(box.width, QxTextLayout::kMargin + lineHeight));
        area.x += QxTextLayout::kMargin + 3;
        area.width -= QxTextLayout::kMargin + 3;
        wxRect inEditor = inkBox(area, [&](int x, int y) { return farFrom(screen, x + offset.x, y + offset.y, paper); });
        wxRect chartPart = inkBox(area, [&](int x, int y) {
            return std::abs(withText.GetRed(x, y) - without.GetRed(x, y)) > 100 ||
                   std::abs(withText.GetGreen(x, y) - without.GetGreen(x, y)) > 100;
        });
        ASSERT_FALSE(inEditor.IsEmpty());
        if (shows == box) {
            EXPECT_NEAR(inEditor.y, chartPart.y, 1) << "top of the ink";
            EXPECT_NEAR(inEditor.GetBottom(), chartPart.GetBottom(), 1) << "bottom of the ink";
            EXPECT_NEAR(inEditor.GetRight(), chartPart.GetRight(), 1) << "right of the ink";
        }

        ASSERT_TRUE(TestSupport::clickAt(view, away));
        pump(100);
        ASSERT_EQ(handler.getEditor(), nullptr);
        EXPECT_EQ(text->boxWidth(), editorSize.x);
        EXPECT_EQ(text->getText(), typed);
    }
    ASSERT_EQ(boxWidthsInBars.size(), 3u);
    EXPECT_GT(boxWidthsInBars[0], boxWidthsInBars[1]) << "the largest zoom puts fewer bars under the box";
    EXPECT_LT(boxWidthsInBars[0], boxWidthsInBars[2]) << "the smallest zoom puts more bars under the box";

    // A text from a file that kept no width spans its corners at each zoom,
    // but never breaks a word: at the smallest zoom three bars are a few
    // pixels.
    auto* old = new QxTextAnnot("An older note without its width");
    old->setPoint(0, QxPoint{double(top) - 60, prices->high()[top]});
    old->setPoint(1, QxPoint{double(top) - 57, prices->low()[top]});
    view->addAnnot(0, old);
    const wxRect narrow = old->pixelBox(view->getXMap(0), view->getYMap(0));
    EXPECT_EQ(narrow.width, QxTextLayout::wordBoxWidth(old->getFont(), old->getText()));
    const QxTextLayout& oldLines = old->layout(narrow.width);
    EXPECT_LE(oldLines.lines().size(), 6u) << "no more lines than words";
    for (const QxTextLine& l : oldLines.lines())
        EXPECT_TRUE(l.start == 0 || old->getText()[l.start - 1] == ' ') << old->getText().Mid(l.start).ToStdString();
    ASSERT_TRUE(framestest::saveWindowShot(frame, "text-zoom-smallest-older-file.png"));
}
