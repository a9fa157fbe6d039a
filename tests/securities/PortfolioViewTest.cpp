// The Portfolio & Watchlist frame as the user meets it: opened from the menu
// over files written here, its lists and trees, prices downloaded from a
// server on 127.0.0.1, sorting, the sash, a chart on a double click, and the
// files written back when it closes.
#include "app/QxCommonFrame.h"
#include "app/QxIdleTaskQueue.h"
#include "app/QxPluginLoader.h"
#include "chartframe/QxChartFrame.h"
#include "core/QxDataProviderRepository.h"
#include "core/QxErrorCode.h"
#include "securities/QxPortfolioManagerFrame.h"
#include "securities/QxPortfolioView.h"
#include "trading/QxAlertMgr.h"

#include "support/WebProviderTestSupport.h"
#include "support/FramesTestSupport.h"
#include "support/SecuritiesTestSupport.h"
#include "support/TestSupport.h"
#include "support/WindowShot.h"

#include <gtest/gtest.h>

#include <wx/dataview.h>
#include <wx/evtloop.h>
#include <wx/filename.h>
#include <wx/settings.h>
#include <wx/timer.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using sectest::readFile;
using sectest::writeFile;

using TestSupport::loopUntil;
using wptest::daysAgo;

// Ten stored bars closing at 100, the last one 4 days ago.
void seed(wptest::MemSecurity* s)
{
    for (int k = 13; k >= 4; --k) {
        QxQuote q;
        q.securityType = Qx::eStock;
        q.time = daysAgo(k);
        q.open = q.high = q.low = q.close = 100;
        q.volume = 10;
        s->putQuote(q);
    }
}

std::string transaction(double price, int64_t time, double quantity)
{
    std::ostringstream text;
    text << "<transaction price=\"" << price << "\" time=\"" << time << "\" quantity=\"" << quantity
         << "\" load=\"0\"/>";
    return text.str();
}

std::vector<wxString> listColumn(wxListCtrl* list, int column)
{
    std::vector<wxString> texts;
    for (long row = 0; row < list->GetItemCount(); ++row)
        texts.push_back(list->GetItemText(row, column));
    return texts;
}

std::vector<wxString> topRows(wxTreeListCtrl* tree, unsigned column = 0)
{
    std::vector<wxString> texts;
    for (wxTreeListItem row = tree->GetFirstChild(tree->GetRootItem()); row.IsOk(); row = tree->GetNextSibling(row))
        texts.push_back(tree->GetItemText(row, column));
    return texts;
}

// The top-level rows as the tree shows them, top to bottom (sorting changes
// only what the control shows, not the order of its items).
std::vector<wxString> shownRows(wxTreeListCtrl* tree, unsigned column)
{
    std::vector<std::pair<int, wxString>> rows;
    for (wxTreeListItem row = tree->GetFirstChild(tree->GetRootItem()); row.IsOk(); row = tree->GetNextSibling(row))
        rows.emplace_back(tree->GetDataView()->GetItemRect(wxDataViewItem(row.GetID())).y,
                          tree->GetItemText(row, column));
    std::sort(rows.begin(), rows.end());
    std::vector<wxString> texts;
    for (const auto& row : rows)
        texts.push_back(row.second);
    return texts;
}

wxTreeListItem topRow(wxTreeListCtrl* tree, const wxString& name)
{
    for (wxTreeListItem row = tree->GetFirstChild(tree->GetRootItem()); row.IsOk(); row = tree->GetNextSibling(row))
        if (tree->GetItemText(row) == name)
            return row;
    return wxTreeListItem();
}

std::vector<wxString> childRows(wxTreeListCtrl* tree, wxTreeListItem row, unsigned column)
{
    std::vector<wxString> texts;
    for (wxTreeListItem child = tree->GetFirstChild(row); child.IsOk(); child = tree->GetNextSibling(child))
        texts.push_back(tree->GetItemText(child, column));
    return texts;
}

// As a click does: the list gets the focus and the row is selected.
void selectRow(wxListCtrl* list, long row)
{
    list->SetFocus();
    framestest::pump(30);
    list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    framestest::pump(30);
}

void sendMouse(wxWindow* window, wxEventType type, int x, int y)
{
    wxMouseEvent event(type);
    event.SetEventObject(window);
    event.m_x = x;
    event.m_y = y;
    event.m_leftDown = type != wxEVT_LEFT_UP;
    window->ProcessWindowEvent(event);
}

int openChartFrames()
{
    int n = 0;
    for (wxWindow* w : wxTopLevelWindows)
        n += dynamic_cast<QxChartFrame*>(w) && !w->IsBeingDeleted();
    return n;
}

} // namespace

TEST(PortfolioView, TheUserOpensTheManagerWatchesPricesArriveAndTheFilesAreWrittenBack)
{
    framestest::ScopedApplication scoped;
    QxAlertMgr::destroy();
    wptest::ScopedPriceService server;
    ASSERT_TRUE(server.started());
    server.mode = wptest::PriceServer::Mode::Error500;
    {
        QxPluginLoader loader;
        for (const char* name : {"tickpuller", "barfetcher"})
            ASSERT_EQ(loader.loadPlugin(wxString(TestSupport::binDir()) + "/" + name + ".trdx"), eNoError) << name;
        QxObjectSmartPtr<wptest::MemDatabase> db(new wptest::MemDatabase);
        wptest::MemCategory* nyse = db->add("US.NYSE.STOCK", "Yahoo!");
        wptest::MemSecurity* aaa = nyse->add("AAA", "Alpha Corp");
        wptest::MemSecurity* bbb = nyse->add("BBB", "Beta Inc");
        seed(aaa);
        seed(bbb);
        scoped.app().changeDatabase(QxObjectSmartPtr<QxDatabase>(db.get()));

        const std::string aaaKey = "Yahoo!|US.NYSE.STOCK|AAA";
        const std::string gone = "<position security=\"Yahoo!|US.NYSE.STOCK|GONE\">" +
                                 transaction(1, daysAgo(30), 7) + "</position>";
        writeFile(qxPortfoliosFilePath(),
                  "<portfolios>"
                  "<portfolio name=\"Income\"><position security=\"" + aaaKey + "\">" +
                      transaction(90, daysAgo(20), 5) + "</position>" + gone + "</portfolio>"
                  "<portfolio name=\"Growth\"><position security=\"" + aaaKey + "\">" +
                      transaction(10, daysAgo(40), 100) + transaction(12, daysAgo(35), 50) +
                      transaction(15, daysAgo(30), -120) + "</position>"
                  "<position security=\"Yahoo!|US.NYSE.STOCK|BBB\">" + transaction(20, daysAgo(40), 10) +
                      "</position></portfolio>"
                  "</portfolios>");
        writeFile(qxWatchlistsFilePath(),
                  "<watchlists><watchlist name=\"Tech\"><watchitem security=\"" + aaaKey + "\" time=\"" +
                      std::to_string(daysAgo(50)) + "\" price=\"50\"/></watchlist></watchlists>");

        // The menu command opens the one frame, however often it is given.
        auto* home = new QxCommonFrame(nullptr, wxID_ANY, "home");
        for (int twice = 0; twice < 2; ++twice) {
            wxCommandEvent command(wxEVT_MENU, 30001);
            command.SetEventObject(home);
            home->ProcessWindowEvent(command);
        }
        QxPortfolioManagerFrame* frame = QxPortfolioManagerFrame::instance();
        ASSERT_NE(frame, nullptr);
        int frames = 0;
        for (wxWindow* w : wxTopLevelWindows)
            frames += dynamic_cast<QxPortfolioManagerFrame*>(w) && !w->IsBeingDeleted();
        EXPECT_EQ(frames, 1);
        EXPECT_EQ(frame->GetTitle(), "Corvane Trendoria 2014 [Portfolio & Watchlist]");
        framestest::pump(200);
        QxPortfolioView* view = frame->view();
        wxListCtrl* portfolios = view->portfolioList();

        // Lists by name, CONSOLIDATED last and current.
        EXPECT_EQ(listColumn(portfolios, 0), (std::vector<wxString>{"Growth", "Income", "CONSOLIDATED"}));
        EXPECT_EQ(listColumn(view->watchlistList(), 0), (std::vector<wxString>{"Tech"}));
        EXPECT_EQ(view->currentPortfolioId(), QxPortfolioView::kConsolidatedId);
        EXPECT_FALSE(view->watchlistMode());
        EXPECT_EQ(QxAlertMgr::get()->numAlertReactors(), 1u) << "the view follows the alert manager";

        // CONSOLIDATED holds both portfolios: of AAA, 30 left of the second
        // Growth buy and Income's 5; closes of 100 stored.
        wxTreeListCtrl* consolidated = view->shownTree();
        ASSERT_EQ(consolidated, view->existingPortfolioTree(QxPortfolioView::kConsolidatedId));
        EXPECT_EQ(topRows(consolidated), (std::vector<wxString>{"Alpha Corp", "Beta Inc"}));
        const wxTreeListItem alpha = topRow(consolidated, "Alpha Corp");
        EXPECT_EQ(consolidated->GetItemText(alpha, 5), "35.0000");
        EXPECT_EQ(consolidated->GetItemText(alpha, 6), "810.00");
        EXPECT_EQ(childRows(consolidated, alpha, 5), (std::vector<wxString>{"30.0000", "5.0000"}));
        EXPECT_EQ(childRows(consolidated, alpha, 0),
                  (std::vector<wxString>{"    " + formatTimestamp(daysAgo(35), "%x"),
                                         "    " + formatTimestamp(daysAgo(20), "%x")}));
        EXPECT_EQ(consolidated->GetItemText(alpha, 1), "100.0000");
        EXPECT_EQ(listColumn(portfolios, 1), (std::vector<wxString>{"560.00", "450.00", "1010.00"}));
        EXPECT_EQ(listColumn(portfolios, 2), (std::vector<wxString>{"4000.00", "500.00", "4500.00"}));
        consolidated->Expand(alpha);

        // The other portfolios' and the watchlist's trees, made as they are shown.
        selectRow(portfolios, 1);
        wxTreeListCtrl* income = view->existingPortfolioTree(view->currentPortfolioId());
        ASSERT_NE(income, nullptr);
        EXPECT_EQ(view->portfolio(view->currentPortfolioId())->name(), "Income");
        EXPECT_EQ(view->shownTree(), income);
        selectRow(view->watchlistList(), 0);
        EXPECT_TRUE(view->watchlistMode());
        wxTreeListCtrl* tech = view->shownTree();
        ASSERT_EQ(tech, view->existingWatchlistTree(view->currentWatchlistId()));
        EXPECT_EQ(topRows(tech, 5), (std::vector<wxString>{"50.0000"}));
        EXPECT_EQ(topRows(tech, 6), (std::vector<wxString>{"50.0000"}));
        // With the focus in the details, both lists keep their rows shown as
        // chosen without a selection; back in a list, the selections return.
        tech->GetDataView()->SetFocus();
        framestest::pump(30);
        EXPECT_EQ(view->watchlistList()->GetSelectedItemCount(), 0);
        EXPECT_EQ(view->watchlistList()->GetItemBackgroundColour(0),
                  wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
        EXPECT_EQ(view->shownTree(), tech);
        portfolios->SetFocus();
        framestest::pump(30);
        EXPECT_FALSE(view->watchlistMode());
        EXPECT_EQ(portfolios->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 1);
        EXPECT_EQ(view->shownTree(), income);
        EXPECT_EQ(view->watchlistList()->GetSelectedItemCount(), 1);
        EXPECT_NE(view->watchlistList()->GetItemBackgroundColour(0),
                  wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
        // A click into the empty part of the list leaves the row selected.
        portfolios->SetItemState(1, 0, wxLIST_STATE_SELECTED);
        framestest::pump(30);
        QxIdleTaskQueue::instance()->dispatch();
        EXPECT_EQ(portfolios->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 1);
        selectRow(portfolios, 0);
        EXPECT_FALSE(view->watchlistMode());
        wxTreeListCtrl* growth = view->shownTree();
        ASSERT_NE(growth, income);
        const wxTreeListItem growthAlpha = topRow(growth, "Alpha Corp");
        EXPECT_EQ(childRows(growth, growthAlpha, 5), (std::vector<wxString>{"100.0000", "30.0000", "-120.0000"}))
            << "every transaction, the sale too; the open lot with what is open of it";
        EXPECT_EQ(childRows(growth, growthAlpha, 4), (std::vector<wxString>{"10.0000", "12.0000", "15.0000"}));
        EXPECT_EQ(childRows(growth, growthAlpha, 6), (std::vector<wxString>{"", "360.00", ""}));

        // A sort of one portfolio tree carries over to the others: by Value,
        // smallest first, Beta (1000) comes before Alpha everywhere.
        EXPECT_EQ(topRows(consolidated), (std::vector<wxString>{"Alpha Corp", "Beta Inc"}));
        QxPortfolioView::sortTree(growth, 7, true);
        wxTreeListEvent sorted;
        sorted.SetEventType(wxEVT_TREELIST_COLUMN_SORTED);
        sorted.SetEventObject(growth);
        growth->ProcessWindowEvent(sorted);
        framestest::pump(50);
        EXPECT_EQ(shownRows(growth, 7), (std::vector<wxString>{"1000.00", "3000.00"}));
        unsigned column = 0;
        bool ascending = false;
        ASSERT_TRUE(income->GetSortColumn(&column, &ascending));
        EXPECT_EQ(column, 7u);
        EXPECT_TRUE(ascending);

        // The server answers now: AAA's new bars reach every tree that holds
        // it, and the list totals with them.
        framestest::pump(300); // the failed background downloads of the opening are over
        EXPECT_EQ(consolidated->GetItemText(alpha, 1), "100.0000");
        server.mode = wptest::PriceServer::Mode::Normal;
        aaa->updateFromProvider(true);
        const wxString lastClose = qxFixedText(wptest::serverClose(wxDateTime::Today()), 4);
        EXPECT_TRUE(loopUntil([&] { return consolidated->GetItemText(alpha, 1) == lastClose; }, 15))
            << "CONSOLIDATED shows " << consolidated->GetItemText(alpha, 1);
        for (wxTreeListCtrl* tree : {growth, income, tech})
            EXPECT_EQ(tree->GetItemText(topRow(tree, "Alpha Corp"), 1), lastClose);
        EXPECT_EQ(childRows(consolidated, alpha, 1), (std::vector<wxString>{lastClose, lastClose}));
        EXPECT_EQ(consolidated->GetItemText(topRow(consolidated, "Beta Inc"), 1), "100.0000") << "BBB got nothing new";
        const double close = wptest::serverClose(wxDateTime::Today());
        EXPECT_EQ(listColumn(portfolios, 2),
                  (std::vector<wxString>{qxFixedText(close * 30 + 100.0 * 10, 2), qxFixedText(close * 5, 2),
                                         qxFixedText(close * 35 + 100.0 * 10, 2)}));

        // Columns fit the tree at idle time, once the new size has reached
        // it: what a wider frame gives goes to the columns, the first one
        // taking two shares.
        auto widths = [growth] {
            std::vector<int> w;
            for (unsigned c = 0; c < growth->GetColumnCount(); ++c)
                w.push_back(growth->GetColumnWidth(c));
            return w;
        };
        const std::vector<int> before = widths();
        const int clientBefore = growth->GetDataView()->GetClientSize().x;
        frame->SetSize(frame->GetSize() + wxSize(220, 0));
        EXPECT_TRUE(loopUntil(
            [&] {
                QxIdleTaskQueue::instance()->dispatch();
                return growth->GetDataView()->GetClientSize().x > clientBefore && widths() != before;
            },
            10))
            << growth->GetDataView()->GetClientSize().x << " after " << clientBefore;
        const std::vector<int> after = widths();
        int total = 0;
        for (size_t c = 0; c < after.size(); ++c) {
            EXPECT_GE(after[c], before[c]) << "column " << c;
            total += after[c];
        }
        EXPECT_NEAR(total, growth->GetDataView()->GetClientSize().x, 10) << "the columns fill the tree";
        EXPECT_NEAR(after[0] - before[0], 2 * (after[1] - before[1]), 2) << "two shares for the name";

        // The sash: the cursor changes over the gap, and a drag widens the lists.
        const wxRect gap = view->sashRect();
        const int mid = gap.x + gap.width / 2;
        const int listWidth = portfolios->GetSize().x;
        sendMouse(view, wxEVT_MOTION, mid, gap.y + 100);
        EXPECT_EQ(view->currentCursor(), QxCursorIds::eCursorSizeWE);
        sendMouse(view, wxEVT_LEFT_DOWN, mid, gap.y + 100);
        EXPECT_TRUE(view->sashDragging());
        EXPECT_TRUE(view->HasCapture());
        sendMouse(view, wxEVT_MOTION, mid + 60, gap.y + 100);
        sendMouse(view, wxEVT_LEFT_UP, mid + 60, gap.y + 100);
        EXPECT_FALSE(view->sashDragging());
        EXPECT_FALSE(view->HasCapture());
        framestest::pump(50);
        EXPECT_EQ(portfolios->GetSize().x, listWidth + 60);
        sendMouse(view, wxEVT_LEAVE_WINDOW, 0, 0);
        EXPECT_EQ(view->currentCursor(), QxCursorIds::eCursorDefault);

        // The screenshot, with CONSOLIDATED shown and Alpha open.
        selectRow(portfolios, 2);
        ASSERT_EQ(view->shownTree(), consolidated);
        framestest::pump(200);
        EXPECT_EQ(shownRows(consolidated, 0), (std::vector<wxString>{"Beta Inc", "Alpha Corp"}))
            << "sorted by Value, as Growth was";
        QxIdleTaskQueue::instance()->dispatch(); // the columns fit the tree now shown
        framestest::pump(100);
        EXPECT_TRUE(framestest::saveWindowShot(frame, "portfolio_manager.png"));

        // A double click on a lot row opens a chart of its security.
        consolidated->Select(consolidated->GetFirstChild(alpha));
        EXPECT_EQ(view->selectedSecurity(), aaa);
        const int charts = openChartFrames();
        view->openChartOfSelection();
        EXPECT_EQ(openChartFrames(), charts + 1);
        for (wxWindow* w : wxTopLevelWindows)
            if (dynamic_cast<QxChartFrame*>(w))
                w->Destroy();
        framestest::pump(50);

        // Closing writes both files: what was read, the unresolved position
        // included, comes back.
        frame->Destroy();
        framestest::pump(100);
        EXPECT_EQ(QxPortfolioManagerFrame::instance(), nullptr);
        const std::string written = readFile(qxPortfoliosFilePath());
        EXPECT_NE(written.find("name=\"Growth\""), std::string::npos) << written;
        EXPECT_NE(written.find("name=\"Income\""), std::string::npos) << written;
        EXPECT_EQ(written.find("CONSOLIDATED"), std::string::npos) << written;
        EXPECT_NE(written.find("Yahoo!|US.NYSE.STOCK|GONE"), std::string::npos) << written;
        EXPECT_NE(readFile(qxWatchlistsFilePath()).find("name=\"Tech\""), std::string::npos);
        EXPECT_EQ(QxAlertMgr::get()->numAlertReactors(), 0u);

        home->Destroy();
        framestest::pump(20);
        QxAlertMgr::destroy();
        QxIdleTaskQueue::instance()->clear();
        scoped.app().changeDatabase(QxObjectSmartPtr<QxDatabase>());
        QxDataProviderRepository::instance()->windupAll();
        db.reset();
        loader.exitPlugins();
    }
}
