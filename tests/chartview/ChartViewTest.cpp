// Chart windows opened on a real history database under the virtual
// display: opening, painting, scrolling, price changes, the crosshair and
// the New Chart command.
#include "app/QxGatewayFrame.h"
#include "app/QxGlobalVars.h"
#include "app/QxPluginLoader.h"
#include "app/frames/FramesTestSupport.h"
#include "chart/QxChart.h"
#include "chart/QxZone.h"
#include "chartframe/FBChartFrame.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxAnnot.h"
#include "chartview/QxChartView.h"
#include "core/QxCalculator.h"
#include "core/QxCategory.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxDataReader.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxDatabase.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "securities/QxSecurityListCtrl.h"
#include "securities/QxSymbolSelectionDlg.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/timer.h>
#include <wx/toplevel.h>

#include <algorithm>

#include <cmath>
#include <cstdlib>

using framestest::DialogCatcher;
using framestest::pump;

namespace {

QxDataReader* historyReader()
{
    static QxPluginLoader* loader = [] {
        auto* l = new QxPluginLoader;
        l->loadPlugin(TestSupport::binDir() + "/trddb.trdx");
        return l;
    }();
    (void)loader;
    return QxDataReaderRepository::instance()->getObj(QxAtom("com.Corvane.Trendoria.trddb"));
}

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
        scoped = new framestest::ScopedApplication;
        QxDataReader* reader = historyReader();
        ASSERT_NE(reader, nullptr) << "trddb.trdx did not load";
        const std::string dir = TestSupport::makeTempDir("view");
        int error = 0;
        database = reader->openDatabase(wxString::FromUTF8((dir + "/hist.trddb").c_str()), "", &error);
        ASSERT_NE(database.get(), nullptr) << "error " << error;
        QxObjectSmartPtr<QxCategory> category(database->createCategory("USA.NYSE.EQ", ""));
        ASSERT_NE(category.get(), nullptr);
        QxObjectSmartPtr<QxSecurity> withPrices(category->addSecurity("WLK", "Walker Mills"));
        QxObjectSmartPtr<QxSecurity> without(category->addSecurity("NIL", "Empty Holdings"));
        QxObjectSmartPtr<QxSecurity> longer(category->addSecurity("LNG", "Long Ledger"));
        ASSERT_TRUE(withPrices.get() && without.get() && longer.get());
        QxObjectSmartPtr<QxPriceHistory> history(walk(600));
        ASSERT_EQ(withPrices->saveHistory(history.get()), eNoError);
        QxObjectSmartPtr<QxPriceHistory> longHistory(walk(4000));
        ASSERT_EQ(longer->saveHistory(longHistory.get()), eNoError);
        longId = longer->id();
        pricedId = withPrices->id();
        emptyId = without->id();
        scoped->app().changeDatabase(database);
    }
    static void TearDownTestSuite()
    {
        QxSymbolSelectionDlg::destroy();
        if (scoped)
            scoped->app().changeDatabase(nullptr);
        database = nullptr;
        delete scoped;
        scoped = nullptr;
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

    // The whole paint path (picture, separators, feedback) into a picture of
    // the client area.
    static wxImage rendered(QxChartView* view)
    {
        const wxSize size = view->GetClientSize();
        wxBitmap bitmap(size.x, size.y, 24);
        wxMemoryDC dc(bitmap);
        view->PrepareDC(dc);
        view->render(dc);
        dc.SelectObject(wxNullBitmap);
        return bitmap.ConvertToImage();
    }

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

    static framestest::ScopedApplication* scoped;
    static QxObjectSmartPtr<QxDatabase> database;
    static unsigned pricedId;
    static unsigned emptyId;
    static unsigned longId; // 4000 bars
    unsigned framesBefore = 0;
    std::vector<QxChartFrame*> frames;
};
framestest::ScopedApplication* ChartViewFixture::scoped = nullptr;
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
    ASSERT_TRUE(framestest::saveWindowShot(frame, "chartview-open.png"));

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
    EXPECT_NEAR(view->horzPos(), model.hMax() - model.hThumb(), model.barPixels()) << "a page is the window's width";
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

    scroll(view, wxEVT_SCROLLWIN_PAGEUP);
    scroll(view, wxEVT_SCROLLWIN_PAGEUP);
    pump(100);
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
    unsigned chosen = 0;
    // The selection dialog runs modally; the choice is made inside its loop.
    DialogCatcher catcher([&](wxDialog* dialog) {
        auto* selector = dynamic_cast<QxSymbolSelectionDlg*>(dialog);
        if (!selector)
            return int(wxID_CANCEL);
        wxTheApp->CallAfter([&, selector] {
            QxObjectSmartPtr<QxSecurity> security(database->getSecurity(pricedId));
            if (!selector->selectCategory(security->category()))
                return selector->EndModal(wxID_CANCEL);
            QxSecurityListCtrl* list = selector->securityList();
            for (long row = 0; row < list->GetItemCount(); ++row) {
                QxSecurity* at = list->securityAt(row);
                list->Select(row, at && at->id() == pricedId);
            }
            if (selector->confirmSelection())
                chosen = selector->getSelectedIds().front();
            else
                selector->EndModal(wxID_CANCEL);
        });
        return int(wxID_NONE);
    });
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
        if (QxSymbolSelectionDlg::instance() && QxSymbolSelectionDlg::instance()->IsModal())
            QxSymbolSelectionDlg::instance()->EndModal(wxID_CANCEL);
    });
    guard.StartOnce(10000);
    wxCommandEvent command(wxEVT_MENU, 5002);
    command.SetEventObject(home);
    home->ProcessWindowEvent(command);
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

namespace {

// An annotation kind made for the factory test.
class MarkAnnot : public QxAnnot {
public:
    QxAnnot* clone() const override { return new MarkAnnot(*this); }
    void draw(wxDC&, unsigned, unsigned, const QxScale&, const QxScale&) const override {}
    void toXml(wxXmlNode*) const override {}
};

QxAnnot* makeMark(int) { return new MarkAnnot; }

} // namespace

TEST_F(ChartViewFixture, AnnotationToolsMakeTheirKindsWithTheChartsCalculator)
{
    QxChartView* view = open(pricedId);
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(QxBaseChartView::registerAnnotMaker(31016, makeMark)) << "not a tool of the toolbar";
    ASSERT_TRUE(QxBaseChartView::registerAnnotMaker(31015, makeMark));

    QxObjectSmartPtr<QxAnnot> made(view->createAnnotForTool(31015));
    ASSERT_NE(made.get(), nullptr);
    EXPECT_NE(dynamic_cast<MarkAnnot*>(made.get()), nullptr);
    EXPECT_EQ(made->getCalculator(), view->getCalc());
    EXPECT_EQ(view->createAnnotForTool(31016), nullptr);
    EXPECT_EQ(view->createAnnotForTool(31001), nullptr) << "no maker registered";

    // The tool shows in the cursor and is stored; tool 0 goes back.
    view->setAnnotTool(31015);
    EXPECT_EQ(view->getAnnotTool(), 31015);
    EXPECT_EQ(view->currentCursor(), QxBaseChartView::eCursorCross);
    view->setAnnotTool(0);
    EXPECT_EQ(view->currentCursor(), QxBaseChartView::eCursorOpenHand);

    // Annotations go into the zone's list of the chart's period.
    view->addAnnot(0, made.get());
    ASSERT_NE(view->getAnnots(0), nullptr);
    EXPECT_EQ(view->getAnnots(0)->size(), 1u);
    view->removeAnnot(0, made.get());
    EXPECT_TRUE(view->getAnnots(0)->empty());
    EXPECT_EQ(made->numRefs(), 1) << "the zone let go of its reference";
}
