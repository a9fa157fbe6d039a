// The idea finder's scan, from the dialog to the end message, over an
// in-memory database whose category downloads from a price server on
// 127.0.0.1 through the loaded Yahoo! provider; closing the report during a
// scan and at its last security; exit during a scan; the report's commands.
#include "TradingFakes.h"

#include "app/QxPluginLoader.h"
#include "core/QxDataProviderRepository.h"
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

#include "../plugins/webproviders/WebProviderTestSupport.h"
#include "FramesTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/datectrl.h>
#include <wx/filename.h>

#include <fstream>
#include <memory>
#include <string>

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
    s->put(time, close);
    s->bars[time].open = code;
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
        if (findStockIdeas(view) != eNoError) {
            delete view;
            return nullptr;
        }
        return view;
    }

    int endMessages() const
    {
        int n = 0;
        for (const auto& seen : catcher->seen())
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
                s->bars.erase(std::prev(s->bars.end()));
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
