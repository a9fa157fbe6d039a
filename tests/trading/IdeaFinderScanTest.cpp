// The idea finder's scan, from the dialog to the end message, over an
// in-memory database whose category downloads from a price server on
// 127.0.0.1 through the loaded Yahoo! provider; closing the report during a
// scan and at its last security; exit during a scan; the report's commands.
#include "TradingFakes.h"

#include "app/QxPluginLoader.h"
#include "core/QxDataProviderRepository.h"
#include "core/QxPriceHistory.h"
#include "core/QxCategory.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxCalculator.h"
#include "core/QxTime.h"
#include "core/platform/QxBrowser.h"
#include "core/platform/QxFileDialogExt.h"
#include "core/platform/QxServiceAddress.h"
#include "trading/QxIdeaFinderReportFrame.h"
#include "trading/QxIdeaFinderReportView.h"
#include "trading/QxIdeaFindingThread.h"
#include "trading/QxIdeaScan.h"
#include "trading/QxSignal.h"
#include "trading/QxStockIdeaFinderDlg.h"
#include "trading/QxTradingSystem.h"

#include "support/WebProviderTestSupport.h"
#include "support/FramesTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include "app/QxGatewayFrame.h"
#include "trading/QxAlertMgr.h"
#include "trading/QxAlertSetting.h"

#include <wx/checkbox.h>
#include <wx/datectrl.h>
#include <wx/filename.h>
#include <wx/uiaction.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

using framestest::DialogCatcher;
using framestest::ScopedApplication;
using tradingtest::closeId;
using tradingtest::makeCondition;
using tradingtest::openId;
using wptest::daysAgo;

namespace {

// A system whose signals fire where a bar's open holds a code: long entry
// at codes with bit 1, long exit bit 2, short entry bit 4, short exit bit 8;
// long entry also at closes above 195 (the price server's bars).
QxObjectSmartPtr<QxTradingSystem> codedSystem()
{
    QxObjectSmartPtr<QxTradingSystem> system(new QxTradingSystem());
    QxObjectSmartPtr<QxSignal> signals[4];
    for (unsigned k = 0; k < 4; ++k) {
        const unsigned bit = 1u << k;
        signals[k].reset(new QxSignal());
        signals[k]->setSignalEvalRule(Qx::eEvalAny);
        for (unsigned code = 1; code < 16; ++code)
            if (code & bit)
                signals[k]->addCondition(makeCondition("Equal", openId(), QxSeriesId::constant(code)).get());
    }
    signals[0]->addCondition(makeCondition("Above", closeId(), QxSeriesId::constant(195)).get());
    system->setLongEntrySignal(signals[0].get());
    system->setLongExitSignal(signals[1].get());
    system->setShortEntrySignal(signals[2].get());
    system->setShortExitSignal(signals[3].get());
    return system;
}

QxObjectSmartPtr<QxTradingSystem> namedCodedSystem()
{
    QxObjectSmartPtr<QxTradingSystem> system = codedSystem();
    system->setName(QxAtom("Coded"));
    return system;
}

// A stored bar: open holds the code, close the price.
void putBar(wptest::MemSecurity* s, int64_t time, double close, unsigned code = 0)
{
    QxQuote q = wptest::MemSecurity::flatBar(time, close);
    q.open = code;
    s->putQuote(q);
}

template <class T>
void collect(wxWindow* window, std::vector<T*>& out)
{
    for (wxWindow* child : window->GetChildren()) {
        if (auto* t = dynamic_cast<T*>(child))
            out.push_back(t);
        collect(child, out);
    }
}

// Fills the idea finder's dialog as a user would and presses OK.
int answerDialog(wxDialog* dialog, QxTradingSystem* system, int fromDaysAgo, const std::vector<unsigned>& ids)
{
    auto* dlg = dynamic_cast<QxStockIdeaFinderDlg*>(dialog);
    if (!dlg)
        return wxID_OK; // message boxes
    dlg->setSystem(system);
    std::vector<wxCheckBox*> boxes;
    collect(dlg, boxes);
    for (wxCheckBox* box : boxes)
        box->SetValue(true);
    std::vector<wxDatePickerCtrl*> dates;
    collect(dlg, dates);
    dates.at(0)->SetValue(wptest::dayFromToday(-fromDaysAgo));
    dates.at(1)->SetValue(wxDateTime::Today());
    for (unsigned id : ids)
        dlg->addSecurity(id);
    return dlg->validate() ? wxID_OK : wxID_CANCEL;
}

class IdeaFinderScan : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start());
        QxServiceAddress::set("yahoo", server.baseUrl());
        ASSERT_EQ(loader.loadPlugin(wxString(TestSupport::binDir()) + "/barfetcher.trdx"), eNoError);
        scoped.app().changeDatabase(QxObjectSmartPtr<QxDatabase>(db.get()));
        category = db->add("US.NYSE.STOCK", "Yahoo!");
        lastFindingSecurityIds() = {7, 7, 7};
    }
    void TearDown() override
    {
        QxIdeaFindingThread::stopAllAndWait();
        for (wxWindow* w : wxTopLevelWindows)
            w->Destroy();
        framestest::pump(50);
        scoped.app().changeDatabase(nullptr);
        QxDataProviderRepository::instance()->windupAll();
        loader.exitPlugins();
        server.stop();
        QxServiceAddress::set("yahoo", "");
    }

    // n securities "S000"...: stored bars 40 to 4 days ago at 100, and 10
    // days ago a code by position: 1 (buying), 2 (selling) or 5 (both,
    // with a close of 160 that is not above 195).
    std::vector<unsigned> addSecurities(int n)
    {
        std::vector<unsigned> ids;
        for (int i = 0; i < n; ++i) {
            char ticker[16];
            std::snprintf(ticker, sizeof ticker, "S%03d", i);
            wptest::MemSecurity* s = category->add(ticker, ticker);
            for (int d = 40; d >= 4; --d)
                putBar(s, daysAgo(d), 100);
            const unsigned codes[] = {1, 2, 5};
            putBar(s, daysAgo(10), i % 3 == 2 ? 160 : 100, codes[i % 3]);
            ids.push_back(s->id());
        }
        return ids;
    }

    // Starts a scan from the dialog; the view, or null when none started.
    QxIdeaFinderReportView* start(const std::vector<unsigned>& ids, int fromDaysAgo)
    {
        system = namedCodedSystem();
        catcher.reset(new DialogCatcher(
            [this, ids, fromDaysAgo](wxDialog* d) { return answerDialog(d, system.get(), fromDaysAgo, ids); }));
        auto* view = new QxIdeaFinderReportView();
        // As the common frame's command: a view without its window is the
        // caller's to delete; one with a window goes with its frame.
        const int rc = findStockIdeas(view);
        if (rc == eCancelledByUser)
            delete view;
        return rc == eNoError ? view : nullptr;
    }

    int endMessages() const { return endMessages(*catcher); }
    static int endMessages(const DialogCatcher& answers)
    {
        int n = 0;
        for (const auto& seen : answers.seen())
            n += seen.message == "Finished finding stock ideas." ? 1 : 0;
        return n;
    }

    ScopedApplication scoped;
    wptest::PriceServer server;
    QxPluginLoader loader;
    QxObjectSmartPtr<wptest::MemDatabase> db{new wptest::MemDatabase};
    wptest::MemCategory* category = nullptr;
    QxObjectSmartPtr<QxTradingSystem> system;
    std::unique_ptr<DialogCatcher> catcher;
};

struct ExpectedRow {
    wxString ticker;
    int64_t time;
    double close;
    double last;
    wxString signal;
    wxColour colour;
    unsigned id;
};

TEST_F(IdeaFinderScan, RowsArriveInScanOrderAfterEachSecuritysDownloadAndTheEndComesOnce)
{
    std::vector<unsigned> ids = addSecurities(300);
    const unsigned first = ids.front();
    ids.push_back(99999); // no such security: the dialog adds no row
    ids.push_back(first); // listed twice: scanned twice, downloaded once
    const size_t n = ids.size() - 1;

    QxIdeaFinderReportView* view = start(ids, 12);
    ASSERT_NE(view, nullptr);
    QxIdeaFinderReportFrame* frame = view->frame();
    EXPECT_EQ(frame->GetTitle(), "Corvane Trendoria 2014 [Stock ideas generated by 'Coded']");
    EXPECT_FALSE(QxCommonFrame::findStockIdeasEnabled());
    ASSERT_EQ(view->GetColumnCount(), 5);
    EXPECT_EQ(view->GetColumnWidth(0), std::max(view->GetClientSize().x / 5, 200));

    // While it runs the progress row stays last and counts the securities.
    bool progressLast = true;
    bool sawProgress = false;
    ASSERT_TRUE(TestSupport::pumpUntil(
        [&] {
            if (view->isRunning()) {
                const long last = view->GetItemCount() - 1;
                progressLast = progressLast && last >= 0 && view->GetItemText(last) == "Still Processing...";
                sawProgress = sawProgress || view->GetItemText(last, 1).EndsWith(wxString::Format("/%d", int(n)));
            }
            return !QxIdeaFindingThread::exists();
        },
        120000));
    EXPECT_TRUE(progressLast);
    EXPECT_TRUE(sawProgress);
    EXPECT_FALSE(view->isRunning());
    EXPECT_EQ(endMessages(), 1);
    EXPECT_TRUE(QxCommonFrame::findStockIdeasEnabled());

    // Each security once, in list order, and its downloaded bars (closes
    // above 195) are among its rows: the download came first.
    EXPECT_EQ(server.requestCount(), 300);
    const std::vector<std::string> tickers = server.tickers();
    ASSERT_EQ(tickers.size(), 300u);
    EXPECT_EQ(tickers.front(), "S000");
    EXPECT_EQ(tickers.back(), "S299");

    const double lastClose = wptest::serverClose(wxDateTime::Today());
    std::vector<ExpectedRow> expected;
    auto addRowsOf = [&](int i) {
        char ticker[16];
        std::snprintf(ticker, sizeof ticker, "S%03d", i);
        const unsigned id = category->find(ticker)->id();
        struct Kind {
            const char* text;
            wxColour colour;
            double close;
        } kinds[] = {{"Long Entry", wxColour(127, 255, 127), 100},
                     {"Long Exit", wxColour(255, 127, 127), 100},
                     {"Long Entry, Short Entry", wxColour(223, 223, 223), 160}};
        const Kind& k = kinds[i % 3];
        expected.push_back({ticker, daysAgo(10), k.close, lastClose, k.text, k.colour, id});
        for (int d = 3; d >= 0; --d)
            expected.push_back({ticker, daysAgo(d), wptest::serverClose(wptest::dayFromToday(-d)), lastClose,
                                "Long Entry", wxColour(127, 255, 127), id});
    };
    // The dialog's list is sorted by ticker: the twice-listed one comes first twice.
    addRowsOf(0);
    for (int i = 0; i < 300; ++i)
        addRowsOf(i);

    ASSERT_EQ(view->GetItemCount(), long(expected.size()));
    // Nobody scrolled: the list followed the scan to its very last row.
    framestest::pump(50);
    const long lastRow = long(expected.size()) - 1;
    EXPECT_GT(view->GetTopItem(), 0);
    EXPECT_LE(view->GetTopItem(), lastRow);
    EXPECT_GT(view->GetTopItem() + view->GetCountPerPage(), lastRow)
        << "top " << view->GetTopItem() << ", " << view->GetCountPerPage() << " rows a page";
    for (size_t r = 0; r < expected.size(); ++r) {
        const ExpectedRow& e = expected[r];
        SCOPED_TRACE(r);
        EXPECT_EQ(view->GetItemText(r, 0), e.ticker);
        EXPECT_EQ(view->GetItemText(r, 1), formatTimestamp(e.time, "%x"));
        EXPECT_EQ(view->GetItemText(r, 2), wxString::Format("%lf", e.close));
        EXPECT_EQ(view->GetItemText(r, 3), wxString::Format("%lf", e.last));
        EXPECT_EQ(view->GetItemText(r, 4), e.signal);
        EXPECT_EQ(view->GetItemBackgroundColour(r), e.colour);
        EXPECT_EQ(view->GetItemData(r), e.id);
        if (HasFailure())
            break;
    }
    ASSERT_EQ(lastFindingSecurityIds().size(), expected.size());
    for (size_t r = 0; r < expected.size(); ++r)
        ASSERT_EQ(lastFindingSecurityIds()[r], expected[r].id) << r;

    framestest::saveWindowShot(frame, "idea_finder_report.png");

    // Open chart asks above five rows and opens nothing unless told Yes;
    // five rows open five charts without asking. Remove takes every
    // selected row.
    catcher->clear();
    const size_t windowsBefore = wxTopLevelWindows.size();
    for (long r = 0; r < 6; ++r)
        view->SetItemState(r, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    view->openSelectedCharts(); // the catcher answers OK, not Yes
    ASSERT_EQ(catcher->seen().size(), 1u);
    EXPECT_EQ(catcher->seen()[0].message,
              "You have selected too many securities.\nAre you sure you want to create chart for all of them?");
    EXPECT_EQ(wxTopLevelWindows.size(), windowsBefore);
    view->SetItemState(5, 0, wxLIST_STATE_SELECTED);
    view->openSelectedCharts();
    EXPECT_EQ(catcher->seen().size(), 1u);
    EXPECT_EQ(wxTopLevelWindows.size(), windowsBefore + 5);
    view->SetItemState(5, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    view->removeSelectedRows();
    EXPECT_EQ(view->GetItemCount(), long(expected.size()) - 6);
    EXPECT_EQ(view->GetItemText(0, 1), formatTimestamp(daysAgo(3), "%x"));
    EXPECT_EQ(lastFindingSecurityIds().size(), expected.size()) << "removing rows keeps the last finding";

    // The menu follows the rows that are selected now, not those removed.
    const auto enabled = [view](int id) {
        wxUpdateUIEvent update(id);
        update.SetEventObject(view);
        view->ProcessWindowEvent(update);
        return update.GetSetEnabled() && update.GetEnabled();
    };
    EXPECT_FALSE(enabled(view->openChartId())) << "nothing is selected after Remove";
    EXPECT_FALSE(enabled(view->removeId()));
    EXPECT_TRUE(enabled(view->exportHtmlId()));
    view->SetItemState(2, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    EXPECT_TRUE(enabled(view->openChartId()));
    EXPECT_TRUE(enabled(view->removeId()));
}

// Closing the report: mid-scan, during the last security, and the exit of
// the program during a scan. None waits for the other side, none shows the
// end message, and the worker is gone at once.
TEST_F(IdeaFinderScan, ClosingOrExitingDuringAScanStopsTheWorkerWithoutAMessage)
{
    const std::vector<unsigned> ids = addSecurities(40);
    enum class When { MidScan, LastSecurity, Exit };
    for (When when : {When::MidScan, When::LastSecurity, When::Exit}) {
        SCOPED_TRACE(int(when));
        // Every security downloads again: back to bars up to 4 days ago.
        for (unsigned id : ids) {
            auto* s = static_cast<wptest::MemSecurity*>(db->getSecurity(id));
            while (s->lastTime() > daysAgo(4))
                s->dropLastBar();
        }
        const int requestsBefore = server.requestCount();
        QxIdeaFinderReportView* view = start(ids, 12);
        ASSERT_NE(view, nullptr);
        QxIdeaFinderReportFrame* frame = view->frame();
        // Each security gives five rows; stop while the worker hands over
        // the third row of security 5, or of the last one.
        const int security = when == When::LastSecurity ? int(ids.size()) : 5;
        const long atRow = (security - 1) * 5 + 3;
        int requestsAtStop = -1;
        view->Bind(wxEVT_LIST_INSERT_ITEM, [&](wxListEvent& event) {
            event.Skip();
            if (requestsAtStop >= 0 || view->GetItemCount() - 1 != atRow)
                return;
            requestsAtStop = server.requestCount();
            if (when == When::Exit) {
                QxIdeaFindingThread::stopAllAndWait(); // what the application's exit does first
                EXPECT_FALSE(QxIdeaFindingThread::exists()) << "the worker ended while this call ran";
                frame->Destroy();
            } else {
                frame->Close(true);
            }
        });
        EXPECT_TRUE(TestSupport::pumpUntil([] { return !QxIdeaFindingThread::exists(); }, 60000));
        framestest::pump(100); // calls still queued do nothing
        EXPECT_EQ(requestsAtStop - requestsBefore, security);
        EXPECT_EQ(server.requestCount(), requestsAtStop) << "no security after the one it was on";
        EXPECT_EQ(endMessages(), 0);
        EXPECT_EQ(lastFindingSecurityIds(), (std::vector<unsigned>{7, 7, 7}));
        EXPECT_TRUE(QxCommonFrame::findStockIdeasEnabled());
    }
}

// Securities without a provider and with one, mixed: each security's rows
// are in the report before the download of the next security with a
// provider is asked for, and each download before its own rows.
TEST_F(IdeaFinderScan, EachDownloadWaitsForTheRowsBeforeItAmongSecuritiesWithoutAProvider)
{
    wptest::MemCategory* plain = db->add("Plain", ""); // no provider: nothing downloads
    // Tickers in scan order (the dialog sorts them): 'Y' downloads, 'P' does not.
    const char* const kinds = "PPYPPPYYP";
    std::vector<unsigned> ids;
    std::vector<int> downloadsUpTo; // downloads asked for up to and including each security
    int downloads = 0;
    for (int i = 0; kinds[i]; ++i) {
        char ticker[16];
        std::snprintf(ticker, sizeof ticker, "K%02d%c", i, kinds[i]);
        wptest::MemSecurity* s = (kinds[i] == 'Y' ? category : plain)->add(ticker, ticker);
        for (int d = 40; d >= 4; --d)
            putBar(s, daysAgo(d), 100);
        putBar(s, daysAgo(10), 100, 1);
        ids.push_back(s->id());
        downloadsUpTo.push_back(downloads += kinds[i] == 'Y');
    }

    QxIdeaFinderReportView* view = start(ids, 12);
    ASSERT_NE(view, nullptr);
    std::vector<std::pair<wxString, int>> seen; // each row's ticker and the downloads asked for by then
    view->Bind(wxEVT_LIST_INSERT_ITEM, [&](wxListEvent& event) {
        event.Skip();
        seen.emplace_back(view->GetItemText(event.GetIndex(), 0), server.requestCount());
    });
    ASSERT_TRUE(TestSupport::pumpUntil([] { return !QxIdeaFindingThread::exists(); }, 60000));
    EXPECT_EQ(endMessages(), 1);

    // One row for the code 10 days ago, four more for the downloaded bars.
    std::vector<std::pair<wxString, int>> expected;
    for (int i = 0; kinds[i]; ++i) {
        char ticker[16];
        std::snprintf(ticker, sizeof ticker, "K%02d%c", i, kinds[i]);
        for (int r = 0; r < (kinds[i] == 'Y' ? 5 : 1); ++r)
            expected.emplace_back(ticker, downloadsUpTo[i]);
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(server.requestCount(), downloads);
}

// A price service that answers after 20 s: while the downloads of a scan
// and of the alert evaluation wait, the home window takes a click at once.
// The scan waits for its first security's bars, the alert evaluation has
// run on the stored ones, and nothing of it waits on the GUI thread.
TEST_F(IdeaFinderScan, ASlowServiceLeavesTheHomeWindowAnsweringDuringAScanAndTheAlertEvaluation)
{
    server.mode = wptest::PriceServer::Mode::Slow;
    server.slowMs = 20000;
    const std::vector<unsigned> ids = addSecurities(5);
    auto* home = new QxGatewayFrame;
    ASSERT_TRUE(TestSupport::pumpUntil([&] { return home->IsShownOnScreen(); }, 5000));
    // Beside where the report opens, as a window manager would place it.
    home->Move(1600 - home->GetSize().x, 0);
    framestest::pump(300);

    // As the alert file's settings are added at start-up: a background
    // download is asked for and an evaluation scheduled half a second on.
    wptest::MemSecurity* watched = category->add("ALRT", "Alerted");
    for (int d = 40; d >= 4; --d)
        putBar(watched, daysAgo(d), 100);
    QxAlertMgr* alerts = QxAlertMgr::get();
    QxObjectSmartPtr<QxAlertSetting> setting(new QxAlertSetting(nullptr, 9));
    setting->setPriceOfInterest(150);
    ASSERT_TRUE(alerts->addSetting(watched, setting.get(), daysAgo(4)));

    QxIdeaFinderReportView* view = start(ids, 12);
    ASSERT_NE(view, nullptr);
    view->frame()->Move(0, 0);
    ASSERT_TRUE(TestSupport::loopUntil(
        [&] { return alerts->pendingEvaluations() == 0 && server.requestCount() == 2; }, 15))
        << "the evaluation ran and both downloads wait for their answers";
    EXPECT_TRUE(view->isRunning());
    EXPECT_EQ(view->GetItemCount(), 1) << "only the progress row: the first security's bars are not in yet";
    EXPECT_EQ(view->GetItemText(0, 1), "1/5");

    // A click on the home window, where no tool is.
    home->Raise();
    framestest::pump(200);
    const wxRect client = home->GetClientRect();
    const wxPoint at = home->ClientToScreen(wxPoint(client.GetRight() - 4, client.GetBottom() - 4));
    wxWindow* target = wxFindWindowAtPoint(at);
    ASSERT_NE(target, nullptr);
    ASSERT_EQ(wxGetTopLevelParent(target), home);
    using Clock = std::chrono::steady_clock;
    Clock::time_point landed{};
    target->Bind(wxEVT_LEFT_DOWN, [&](wxMouseEvent& event) {
        landed = Clock::now();
        event.Skip();
    });
    wxUIActionSimulator mouse;
    mouse.MouseMove(at);
    framestest::pump(50);
    const Clock::time_point clicked = Clock::now();
    mouse.MouseDown();
    mouse.MouseUp();
    ASSERT_TRUE(TestSupport::loopUntil([&] { return landed != Clock::time_point{}; }, 30));
    const double latencyMs = std::chrono::duration<double, std::milli>(landed - clicked).count();
    RecordProperty("click_to_handler_ms", std::to_string(latencyMs));
    EXPECT_LT(latencyMs, 200.0);
    EXPECT_EQ(server.requestCount(), 2) << "the answers still wait";
    EXPECT_TRUE(view->isRunning());

    view->frame()->Close(true);
    EXPECT_TRUE(TestSupport::pumpUntil([] { return !QxIdeaFindingThread::exists(); }, 5000))
        << "a scan waiting for a download stops at once";
    QxAlertMgr::destroy();
}

namespace {

// Above, holding at one bar until the test lets it go: it counts the bars
// it evaluated, and sleeps at every bar after the held one, so that a scan
// which goes on after a stop takes far longer than the stop allows.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    unsigned holdAt = 0;
    bool reached = false;
    bool released = false;
    std::atomic<unsigned> evaluated{0};
};

class HeldAbove : public QxAbove {
public:
    explicit HeldAbove(std::shared_ptr<Gate> gate) : m_gate(std::move(gate)) {}
    QxCondition* clone() const override { return new HeldAbove(*this); }
    bool evaluate(QxCalculator* calculator, unsigned bar) const override
    {
        ++m_gate->evaluated;
        if (bar == m_gate->holdAt) {
            std::unique_lock<std::mutex> lock(m_gate->mutex);
            m_gate->reached = true;
            m_gate->changed.notify_all();
            m_gate->changed.wait(lock, [this] { return m_gate->released; });
        } else if (bar > m_gate->holdAt) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return QxAbove::evaluate(calculator, bar);
    }

private:
    std::shared_ptr<Gate> m_gate;
};

} // namespace

// A stop asked for while the worker evaluates a security of 1,000 bars
// ends the worker at the next bar, whether the report is closed or the
// program exits; the exit's wait returns only once the worker is gone.
TEST_F(IdeaFinderScan, AStopEndsTheWorkerWithinTheBarItEvaluates)
{
    wptest::MemCategory* plain = db->add("Plain", "");
    wptest::MemSecurity* s = plain->add("LONG", "Long history");
    for (int d = 1000; d >= 1; --d)
        putBar(s, daysAgo(d), 100 + d % 7);
    enum class When { Close, Exit };
    for (When when : {When::Close, When::Exit}) {
        SCOPED_TRACE(int(when));
        auto gate = std::make_shared<Gate>();
        gate->holdAt = 300;
        QxObjectSmartPtr<QxCondition> condition(new HeldAbove(gate));
        condition->setFirstSeries(closeId());
        condition->setSecondSeries(QxSeriesId::constant(103));
        QxObjectSmartPtr<QxSignal> entry(new QxSignal());
        entry->addCondition(condition.get());
        QxObjectSmartPtr<QxTradingSystem> held(new QxTradingSystem());
        held->setType(Qx::eLongOnly);
        held->setLongEntrySignal(entry.get());

        DialogCatcher answers;
        auto* frame = new QxIdeaFinderReportFrame();
        auto* view = new QxIdeaFinderReportView();
        view->setFrame(frame);
        ASSERT_EQ(view->create(), eNoError);
        frame->setView(view);
        frame->Show();
        ASSERT_TRUE(view->startScan(held.get(), Qx::eLongEntry, 0, INT64_MAX, Qx::eDaily, {s->id()}));
        ASSERT_TRUE(TestSupport::pumpUntil(
            [&] {
                std::lock_guard<std::mutex> lock(gate->mutex);
                return gate->reached;
            },
            30000));
        const unsigned atStop = gate->evaluated.load();
        // Lets the held bar go once the stop has been asked for.
        std::atomic<bool> stopAsked{false};
        std::thread releaser([&] {
            while (!stopAsked)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            std::lock_guard<std::mutex> lock(gate->mutex);
            gate->released = true;
            gate->changed.notify_all();
        });
        if (when == When::Close) {
            stopAsked = true;
            frame->Close(true);
            EXPECT_TRUE(TestSupport::pumpUntil([] { return !QxIdeaFindingThread::exists(); }, 60000));
        } else {
            stopAsked = true;
            QxIdeaFindingThread::stopAllAndWait();
            EXPECT_FALSE(QxIdeaFindingThread::exists()) << "the exit goes on only once the worker is gone";
            frame->Destroy();
        }
        releaser.join();
        EXPECT_EQ(gate->evaluated.load(), atStop) << "no bar after the one it was on";
        framestest::pump(50);
        EXPECT_EQ(endMessages(answers), 0);
    }
}

// A worker that cannot start is told, and leaves no empty report behind.
TEST_F(IdeaFinderScan, AWorkerThatCannotStartIsToldAndLeavesNoReport)
{
    const std::vector<unsigned> ids = addSecurities(2);
    QxIdeaFindingThread::setStartCheck([] { return false; });
    const size_t windowsBefore = wxTopLevelWindows.size();
    EXPECT_EQ(start(ids, 12), nullptr);
    QxIdeaFindingThread::setStartCheck(nullptr);
    ASSERT_FALSE(catcher->seen().empty());
    EXPECT_EQ(catcher->seen().back().message,
              "Finding stock ideas could not be started: the system gave no thread for the search.");
    framestest::pump(50);
    EXPECT_EQ(wxTopLevelWindows.size(), windowsBefore) << "the report frame is gone";
    EXPECT_FALSE(QxIdeaFindingThread::exists());
    EXPECT_TRUE(QxCommonFrame::findStockIdeasEnabled());
    EXPECT_EQ(server.requestCount(), 0);
}

// Three rows of a finished report exported through the view: the golden
// page with the title and cells escaped, opened in the browser; a folder
// that cannot be written is reported and leaves nothing.
TEST_F(IdeaFinderScan, ExportOfAFinishedReportMatchesTheGoldenPage)
{
    wptest::MemCategory* plain = db->add("Plain", ""); // no provider: nothing downloads
    // Conditions look at the bar before too: each history starts on the 1st.
    struct Bar {
        int day;
        double close;
        unsigned code;
    };
    auto add = [&](const char* ticker, std::vector<Bar> bars) {
        wptest::MemSecurity* s = plain->add(ticker, ticker);
        for (const Bar& b : bars)
            putBar(s, makeTimestamp(b.day, 3, 2024), b.close, b.code);
        return s->id();
    };
    const std::vector<unsigned> ids = {
        add("AT&T", {{1, 17, 0}, {4, 17.25, 1}, {8, 17.5, 0}, {13, 18, 0}}),
        add("IBM", {{1, 190, 0}, {5, 190.5, 6}, {12, 190, 0}, {14, 188, 0}}),
        add("<F>", {{1, 11, 0}, {11, 12, 3}}),
    };
    system = codedSystem();
    auto* frame = new QxIdeaFinderReportFrame();
    auto* view = new QxIdeaFinderReportView();
    view->setFrame(frame);
    ASSERT_EQ(view->create(), eNoError);
    frame->setView(view);
    frame->SetTitle("Corvane Trendoria 2014 [Stock ideas generated by 'Cross & Hold']");
    frame->Show();
    DialogCatcher answers;
    ASSERT_TRUE(view->startScan(system.get(), 15, makeTimestamp(1, 3, 2024), makeTimestamp(12, 3, 2024), Qx::eDaily,
                                ids));
    ASSERT_TRUE(TestSupport::pumpUntil([] { return !QxIdeaFindingThread::exists(); }, 30000));
    ASSERT_EQ(view->GetItemCount(), 3);

    const wxString dir = TestSupport::makeTempDir("ideaexport");
    std::vector<wxString> opened;
    qxSetBrowserResponder([&](const wxString& path) {
        opened.push_back(path);
        return true;
    });
    wxString chosen = dir + "/IdeaFinderReport.html";
    qxSetFileChooserResponder([&](wxFileDialog&) { return chosen; });
    view->exportHtml();
    EXPECT_EQ(opened, (std::vector<wxString>{chosen}));
    EXPECT_EQ(tradingtest::readFile(chosen.ToStdString()),
              tradingtest::readFile(TRENDORIA_SOURCE_DIR "/tests/trading/data/idea_report.html"));

    answers.clear();
    chosen = dir + "/missing/IdeaFinderReport.html";
    view->exportHtml();
    ASSERT_EQ(answers.seen().size(), 1u);
    EXPECT_EQ(answers.seen()[0].message, "An error occurred while opening file for write.");
    EXPECT_EQ(opened.size(), 1u) << "nothing opened after a failed write";
    EXPECT_FALSE(wxFileName::DirExists(dir + "/missing"));

    qxSetFileChooserResponder(nullptr);
    qxSetBrowserResponder(nullptr);
}

} // namespace

// Over the history database the worker reads the stored bars itself, over
// a handle of its own. A security whose data a calculation holds is read
// through that data, and while the database is in a transaction the GUI
// thread reads every security, so its unsaved bars count as well: the rows
// are those of the GUI thread's own reading in each case.
TEST(IdeaFinderScanOwnReader, TheWorkerReadsTheStoredBarsAndTheRowsAreTheGuiThreadsOwn)
{
    ScopedApplication scoped;
    QxPluginLoader loader;
    ASSERT_EQ(loader.loadPlugin(wxString(TestSupport::binDir()) + "/trddb.trdx"), eNoError);
    QxDataReader* trd = QxDataReaderRepository::instance()->getObj(QxAtom("com.Corvane.Trendoria.trddb"));
    ASSERT_NE(trd, nullptr);
    int rc = 0;
    QxObjectSmartPtr<QxDatabase> db(trd->openDatabase(
        wxString::FromUTF8((TestSupport::makeTempDir("own-reader") + "/hist.trddb").c_str()), wxString(), &rc));
    ASSERT_TRUE(db) << rc;
    scoped.app().changeDatabase(db);
    QxObjectSmartPtr<QxCategory> category(db->createCategory("US.NYSE.STOCK", ""));
    ASSERT_TRUE(category);

    // Bars from 40 days ago to today at 100, and 10 days ago a code by
    // position: 1 (buying), 2 (selling) or 5 (both).
    const int n = 30;
    const unsigned codes[] = {1, 2, 5};
    const char* const texts[] = {"Long Entry", "Long Exit", "Long Entry, Short Entry"};
    auto bars = [](unsigned code10, unsigned code3) {
        QxObjectSmartPtr<QxPriceHistory> h(new QxPriceHistory(Qx::eStock, Qx::eDaily));
        h->resize(41);
        for (int k = 0; k <= 40; ++k) {
            h->timestamp()[k] = daysAgo(40 - k);
            h->open()[k] = k == 30 ? code10 : k == 37 ? code3 : 0;
            h->high()[k] = h->low()[k] = h->close()[k] = 100;
            h->volume()[k] = 1000;
        }
        return h;
    };
    std::vector<QxObjectSmartPtr<QxSecurity>> securities;
    std::vector<unsigned> ids;
    for (int i = 0; i < n; ++i) {
        char ticker[16];
        std::snprintf(ticker, sizeof ticker, "S%03d", i);
        securities.emplace_back(category->addSecurity(ticker, ticker));
        ASSERT_TRUE(securities.back());
        ASSERT_EQ(securities.back()->saveHistory(bars(codes[i % 3], 0).get()), 0);
        ids.push_back(securities.back()->id());
    }
    // S001's bars are held by a calculation, and changed there: a long
    // entry 5 days ago that the file does not have.
    QxObjectSmartPtr<QxCalculator> held(new QxCalculator(securities[1].get(), Qx::eDaily));
    QxPriceHistory* heldBars = held->storedPrices(Qx::eDaily);
    ASSERT_TRUE(heldBars);
    ASSERT_EQ(heldBars->numBars(), 41u);
    heldBars->open()[35] = 1;

    struct Case {
        const char* what;
        bool inTransaction; // S002 gets an unsaved long entry 3 days ago
        size_t readByWorker;
    } cases[] = {{"stored bars", false, n - 1}, {"in a transaction", true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int token = 0;
        if (c.inTransaction) {
            token = db->beginTransaction();
            ASSERT_GT(token, 0);
            ASSERT_EQ(securities[2]->saveHistory(bars(codes[2], 1).get()), 0);
        }
        QxObjectSmartPtr<QxTradingSystem> system = namedCodedSystem();
        DialogCatcher catcher([&](wxDialog* d) { return answerDialog(d, system.get(), 12, ids); });
        auto* view = new QxIdeaFinderReportView();
        ASSERT_EQ(findStockIdeas(view), eNoError);
        ASSERT_TRUE(TestSupport::pumpUntil([] { return !QxIdeaFindingThread::exists(); }, 60000));
        EXPECT_EQ(view->securitiesReadByWorker(), c.readByWorker);

        std::vector<std::string> expected;
        auto row = [&](int i, int day, const char* signal) {
            char ticker[16];
            std::snprintf(ticker, sizeof ticker, "S%03d", i);
            expected.push_back(std::string(ticker) + " " + formatTimestamp(daysAgo(day), "%x").ToStdString() + " " +
                               signal);
        };
        for (int i = 0; i < n; ++i) {
            row(i, 10, texts[i % 3]);
            if (i == 1)
                row(i, 5, "Long Entry");
            if (i == 2 && c.inTransaction)
                row(i, 3, "Long Entry");
        }
        std::vector<std::string> got;
        for (long r = 0; r < view->GetItemCount(); ++r)
            got.push_back((view->GetItemText(r, 0) + " " + view->GetItemText(r, 1) + " " + view->GetItemText(r, 4))
                              .ToStdString());
        EXPECT_EQ(got, expected);
        view->frame()->Destroy();
        framestest::pump(20);
        if (c.inTransaction) {
            ASSERT_EQ(db->rollback(token), 0);
        }
    }
    held.reset();
    securities.clear();
    category.reset();
    scoped.app().changeDatabase(nullptr);
    db.reset();
    loader.exitPlugins();
}
