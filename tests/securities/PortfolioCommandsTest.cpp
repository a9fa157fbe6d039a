// The portfolio manager's commands along a user's road: portfolios added,
// renamed and removed, a transaction entered through the dialog with its
// price fetched from a real history and mirrored in CONSOLIDATED, watch
// items, and the alert panel with its dialog, quick menu and removal; the
// tools enable as the selection allows, and the files hold what the screen
// showed once the frame is closed.
#include "app/QxGlobalVars.h"
#include "app/QxIdleTaskQueue.h"
#include "core/QxPriceHistory.h"
#include "core/QxTime.h"
#include "securities/QxPortfolioManagerFrame.h"
#include "securities/QxPortfolioNames.h"
#include "securities/QxPortfolioView.h"
#include "securities/QxSymbolSelectionDlg.h"
#include "securities/QxTransactionDlg.h"
#include "trading/QxAlertMgr.h"
#include "trading/QxAlertSettingsDlg.h"
#include "trading/QxTradingSystem.h"
#include "trading/QxTradingSystemMgr.h"

#include "support/SecuritiesTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/dataview.h>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

using Ids = FBPortfolioMgrPanel;

namespace {

std::vector<wxString> names(wxListCtrl* list, int column = 0)
{
    std::vector<wxString> texts;
    for (long row = 0; row < list->GetItemCount(); ++row)
        texts.push_back(list->GetItemText(row, column));
    return texts;
}

long rowNamed(wxListCtrl* list, const wxString& name)
{
    for (long row = 0; row < list->GetItemCount(); ++row)
        if (list->GetItemText(row) == name)
            return row;
    return -1;
}

// As a click on a row does.
void selectRow(wxListCtrl* list, long row)
{
    list->SetFocus();
    framestest::pump(30);
    list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    framestest::pump(30);
}

bool toolOn(wxToolBar* tools, int id)
{
    tools->UpdateWindowUI();
    return tools->GetToolEnabled(id);
}

// A click on a tool: only an enabled tool sends its command.
bool clickTool(wxToolBar* tools, int id)
{
    if (!toolOn(tools, id))
        return false;
    wxCommandEvent event(wxEVT_TOOL, id);
    event.SetEventObject(tools);
    tools->ProcessWindowEvent(event);
    framestest::pump(30);
    return true;
}

// Ends the label edit in progress with text, as Enter (or Escape) does;
// false when no edit is in progress.
bool endEdit(wxListCtrl* list, const wxString& text, bool enter)
{
    wxTextCtrl* edit = list->GetEditControl();
    if (!edit)
        return false;
    edit->ChangeValue(text);
    wxKeyEvent key(wxEVT_CHAR);
    key.m_keyCode = enter ? WXK_RETURN : WXK_ESCAPE;
    key.SetEventObject(edit);
    edit->GetEventHandler()->ProcessEvent(key);
    framestest::pump(30);
    return true;
}

wxTreeListItem topRow(wxTreeListCtrl* tree, const wxString& name)
{
    for (wxTreeListItem row = tree->GetFirstChild(tree->GetRootItem()); row.IsOk(); row = tree->GetNextSibling(row))
        if (tree->GetItemText(row) == name)
            return row;
    return wxTreeListItem();
}

size_t countRows(wxTreeListCtrl* tree, wxTreeListItem parent)
{
    size_t n = 0;
    for (wxTreeListItem row = tree->GetFirstChild(parent); row.IsOk(); row = tree->GetNextSibling(row))
        ++n;
    return n;
}

// As a click on a tree row does: selected, and the tree says so.
void selectTreeRow(wxTreeListCtrl* tree, wxTreeListItem row)
{
    tree->Select(row);
    wxTreeListEvent event;
    event.SetEventType(wxEVT_TREELIST_SELECTION_CHANGED);
    event.SetEventObject(tree);
    tree->ProcessWindowEvent(event);
}

} // namespace

TEST(PortfolioNames, NewNamesCountUpAndRenamesNeedANameOfTheirOwn)
{
    EXPECT_EQ(qxUniqueName("Portfolio", {"CONSOLIDATED"}), "Portfolio1");
    EXPECT_EQ(qxUniqueName("Portfolio", {"portfolio2", "PORTFOLIO1", "CONSOLIDATED"}), "Portfolio3");
    EXPECT_EQ(qxUniqueName("Watchlist", {"Watchlist2"}), "Watchlist1");
    const std::vector<wxString> others = {"Portfolio2", "CONSOLIDATED"};
    EXPECT_FALSE(qxMayRename("portfolio2", others));
    EXPECT_FALSE(qxMayRename("consolidated", others));
    EXPECT_FALSE(qxMayRename("", others));
    EXPECT_FALSE(qxMayRename("   ", others));
    EXPECT_TRUE(qxMayRename("Retirement", others));
    EXPECT_TRUE(qxMayRename("Portfolio1", others)) << "a row keeps its own name";
}

namespace {

class PortfolioCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = sectest::newDatabase("portfolio-commands");
        ASSERT_TRUE(db);
        scoped.app().changeDatabase(db);
        // A provider that is not loaded: prices are what is stored.
        QxObjectSmartPtr<QxCategory> category(db->createCategory("US.NASDAQ.STOCK", "Yahoo!"));
        nvda = category->addSecurity("NVDA", "Nvidia");
        orcl = category->addSecurity("ORCL", "Oracle");
        ASSERT_TRUE(nvda && orcl);
        history = TestSupport::fixtureHistory("nvda-1999-2014.csv", 300);
        ASSERT_EQ(nvda->saveHistory(history.get()), 0);
        ASSERT_EQ(orcl->saveHistory(TestSupport::fixtureHistory("orcl-1995-2014.csv", 50).get()), 0);
        for (const wxString& file : {qxPortfoliosFilePath(), qxWatchlistsFilePath()})
            if (wxFileExists(file))
                wxRemoveFile(file);
        // NVDA carries a price setting with two alerts, the latest on 18 March.
        sectest::writeFile(QxAlertMgr::filePath(),
                           "<AlertSettings><AlertSetting Type=\"9\" PriceOfInterest=\"15.0000\">"
                           "<Security Name=\"Yahoo!|US.NASDAQ.STOCK|NVDA\" LastEvaluationTime=\"20140320000000000\">"
                           "<Alert TimeStamp=\"20140318000000000\" Status=\"0\"/>"
                           "<Alert TimeStamp=\"20140310000000000\" Status=\"0\"/>"
                           "</Security></AlertSetting></AlertSettings>");
        QxAlertMgr::destroy();
        QxAlertMgr* alerts = QxAlertMgr::get();
        // 40 trading-system settings, all on ORCL and none on NVDA.
        for (int i = 1; i <= 40; ++i) {
            QxObjectSmartPtr<QxTradingSystem> system(new QxTradingSystem);
            system->setName(QxAtom(wxString::Format("S%02d", i).ToStdString().c_str()));
            QxObjectSmartPtr<QxAlertSetting> setting(new QxAlertSetting(system.get(), 1));
            ASSERT_TRUE(alerts->addSetting(orcl.get(), setting.get(), timestampNow()));
        }
        script.on<QxSymbolSelectionDlg>(
            [this](QxSymbolSelectionDlg* d) { sectest::pickSecurity(d, picked ? picked.get() : nvda.get()); });
        script.on<QxTransactionDlg>([this](QxTransactionDlg* d) { transactionSteps(d); });
    }
    void TearDown() override
    {
        if (QxPortfolioManagerFrame* frame = QxPortfolioManagerFrame::instance())
            frame->Destroy();
        framestest::pump(50);
        QxSymbolSelectionDlg::destroy();
        QxAlertMgr::destroy();
        QxTradingSystemMgr::destroy();
        QxIdleTaskQueue::instance()->clear();
        nvda = orcl = picked = nullptr;
        scoped.app().changeDatabase(QxObjectSmartPtr<QxDatabase>());
        db = nullptr;
    }

    framestest::ScopedApplication scoped;
    QxObjectSmartPtr<QxDatabase> db;
    QxObjectSmartPtr<QxSecurity> nvda, orcl;
    QxObjectSmartPtr<QxSecurity> picked; // what the selection dialog picks, NVDA when none
    QxObjectSmartPtr<QxPriceHistory> history;
    sectest::Script script;
    std::function<void(QxTransactionDlg*)> transactionSteps;
};

} // namespace

TEST_F(PortfolioCommandsTest, TheUserKeepsPortfoliosAWatchlistAndAlertsAndTheFilesFollow)
{
    framestest::DialogCatcher catcher(script.handler());
    QxPortfolioManagerFrame* frame = QxPortfolioManagerFrame::showFrame();
    frame->SetSize(wxSize(1100, 650));
    framestest::pump(200);
    QxPortfolioView* view = frame->view();
    wxListCtrl* portfolios = view->portfolioList();
    wxListCtrl* watchlists = view->watchlistList();
    wxToolBar* portfolioTools = view->portfolioToolBar();
    wxToolBar* details = view->detailsToolBar();
    QxIdleTaskQueue* idle = QxIdleTaskQueue::instance();

    // Only CONSOLIDATED: nothing to remove, rename or add a transaction to.
    EXPECT_FALSE(toolOn(portfolioTools, Ids::ID_REMOVE_PORTFOLIO));
    EXPECT_FALSE(toolOn(portfolioTools, Ids::ID_RENAME_PORTFOLIO));
    EXPECT_FALSE(toolOn(details, Ids::ID_ADD_TRANSACTION));
    EXPECT_FALSE(toolOn(view->watchlistToolBar(), Ids::ID_REMOVE_WATCHLIST));

    // Three new portfolios, each with its label edit begun once its row is there.
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(clickTool(portfolioTools, Ids::ID_ADD_PORTFOLIO));
        idle->dispatch();
        EXPECT_TRUE(endEdit(portfolios, "ignored", false)) << "the new row's label is being edited";
    }
    EXPECT_EQ(names(portfolios), (std::vector<wxString>{"Portfolio1", "Portfolio2", "Portfolio3", "CONSOLIDATED"}));
    EXPECT_EQ(view->portfolio(view->currentPortfolioId())->name(), "Portfolio3");
    for (long row = 0; row < 3; ++row)
        EXPECT_EQ(portfolios->GetItemText(row, 1), "0.00") << "an empty portfolio's row is computed";

    // Renaming Portfolio1 to another row's name, to nothing or to blanks is refused.
    selectRow(portfolios, 0);
    for (const char* refused : {"portfolio2", "", "   "}) {
        ASSERT_TRUE(clickTool(portfolioTools, Ids::ID_RENAME_PORTFOLIO));
        EXPECT_TRUE(endEdit(portfolios, refused, true)) << refused;
        EXPECT_EQ(portfolios->GetItemText(0), "Portfolio1") << refused;
    }
    EXPECT_EQ(view->portfolio(view->currentPortfolioId())->name(), "Portfolio1");
    // CONSOLIDATED's label is never edited.
    selectRow(portfolios, 3);
    EXPECT_FALSE(toolOn(portfolioTools, Ids::ID_RENAME_PORTFOLIO));
    EXPECT_EQ(portfolios->EditLabel(3), nullptr);
    ASSERT_FALSE(clickTool(portfolioTools, Ids::ID_REMOVE_PORTFOLIO));

    // A buy of 10 NVDA on 7 March 2014, its price left to the dialog, in
    // Portfolio1 and, the same again, in Portfolio2.
    const double close = sectest::closeOn(*history, makeTimestamp(7, 3, 2014));
    ASSERT_GT(close, 0);
    transactionSteps = [](QxTransactionDlg* d) {
        sectest::click(d->selectButton());
        d->calendar()->SetDate(wxDateTime(7, wxDateTime::Mar, 2014));
        d->quantityCtrl()->ChangeValue("10");
        sectest::click(d, wxID_OK);
    };
    for (long row : {0, 1}) {
        selectRow(portfolios, row);
        ASSERT_TRUE(clickTool(details, Ids::ID_ADD_TRANSACTION));
    }
    EXPECT_TRUE(script.messages.empty());
    // The dialog's price is the close as its field showed it.
    const double price = std::stod(wxString::Format("%lf", close).ToStdString());
    const wxString oneBuy = qxFixedText(10 * price, 2);
    const wxString twoBuys = qxFixedText(20 * price, 2);
    EXPECT_EQ(names(portfolios, 1), (std::vector<wxString>{oneBuy, oneBuy, "0.00", twoBuys}))
        << "both rows of each buy are recomputed";
    wxTreeListCtrl* consolidated = view->existingPortfolioTree(QxPortfolioView::kConsolidatedId);
    const wxTreeListItem consolidatedNvda = topRow(consolidated, "Nvidia");
    ASSERT_TRUE(consolidatedNvda.IsOk());
    EXPECT_EQ(consolidated->GetItemText(consolidatedNvda, 5), "20.0000");
    EXPECT_EQ(countRows(consolidated, consolidatedNvda), 2u);

    // Portfolio1's lot removed: one of the two equal transactions leaves CONSOLIDATED.
    selectRow(portfolios, 0);
    wxTreeListCtrl* first = view->shownTree();
    const wxTreeListItem firstNvda = topRow(first, "Nvidia");
    ASSERT_TRUE(firstNvda.IsOk());
    EXPECT_EQ(first->GetItemText(firstNvda, 4), qxFixedText(price, 4)) << "Buy Price";
    EXPECT_FALSE(toolOn(details, Ids::ID_REMOVE_TRANSACTION)) << "no lot selected";
    selectTreeRow(first, firstNvda);
    EXPECT_FALSE(toolOn(details, Ids::ID_REMOVE_TRANSACTION)) << "a position row is not a lot";
    EXPECT_TRUE(toolOn(details, Ids::ID_SET_NEW_ALERT));
    selectTreeRow(first, first->GetFirstChild(firstNvda));
    ASSERT_TRUE(clickTool(details, Ids::ID_REMOVE_TRANSACTION));
    EXPECT_FALSE(topRow(first, "Nvidia").IsOk());
    EXPECT_EQ(consolidated->GetItemText(topRow(consolidated, "Nvidia"), 5), "10.0000");
    EXPECT_EQ(names(portfolios, 1), (std::vector<wxString>{"0.00", oneBuy, "0.00", oneBuy}));

    // The buy once more in Portfolio1, then Portfolio1 removed: its
    // transactions leave CONSOLIDATED with it.
    view->addTransaction(nvda.get(), QxTransaction{price, makeTimestamp(7, 3, 2014), 10, 0});
    EXPECT_EQ(consolidated->GetItemText(topRow(consolidated, "Nvidia"), 5), "20.0000");
    ASSERT_TRUE(clickTool(portfolioTools, Ids::ID_REMOVE_PORTFOLIO));
    EXPECT_EQ(names(portfolios), (std::vector<wxString>{"Portfolio2", "Portfolio3", "CONSOLIDATED"}));
    EXPECT_EQ(view->portfolio(view->currentPortfolioId())->name(), "Portfolio2") << "the next row is current";
    EXPECT_EQ(consolidated->GetItemText(topRow(consolidated, "Nvidia"), 5), "10.0000");
    EXPECT_EQ(names(portfolios, 1).back(), oneBuy);

    // A watchlist: an item added, replaced and removed.
    ASSERT_TRUE(clickTool(view->watchlistToolBar(), Ids::ID_ADD_WATCHLIST));
    idle->dispatch();
    EXPECT_TRUE(endEdit(watchlists, "Chips", true));
    EXPECT_EQ(names(watchlists), std::vector<wxString>{"Chips"});
    EXPECT_EQ(view->watchlist(view->currentWatchlistId())->name(), "Chips");
    ASSERT_TRUE(view->watchlistMode());
    wxString startPrice = "";
    transactionSteps = [&startPrice](QxTransactionDlg* d) {
        EXPECT_EQ(d->GetTitle(), "Add Watch Item");
        sectest::click(d->selectButton());
        d->calendar()->SetDate(wxDateTime(7, wxDateTime::Mar, 2014));
        d->priceCtrl()->ChangeValue(startPrice);
        sectest::click(d, wxID_OK);
    };
    wxTreeListCtrl* chips = view->shownTree();
    for (const char* price : {"", "25"}) {
        startPrice = price;
        ASSERT_TRUE(clickTool(details, Ids::ID_ADD_TRANSACTION));
        ASSERT_EQ(countRows(chips, chips->GetRootItem()), 1u) << "one item per security";
    }
    EXPECT_EQ(chips->GetItemText(topRow(chips, "Nvidia"), 5), "25.0000") << "the second replaced the first";
    EXPECT_FALSE(toolOn(details, Ids::ID_REMOVE_TRANSACTION));
    selectTreeRow(chips, topRow(chips, "Nvidia"));
    ASSERT_TRUE(clickTool(details, Ids::ID_REMOVE_TRANSACTION));
    EXPECT_EQ(countRows(chips, chips->GetRootItem()), 0u);
    EXPECT_TRUE(view->watchlist(view->currentWatchlistId())->items().empty());
    view->setWatchItem(nvda.get(), makeTimestamp(7, 3, 2014), 18.5); // kept for the file

    // A second watchlist, last in the list, removed: none is current then,
    // and there is nothing to add an item to.
    ASSERT_TRUE(clickTool(view->watchlistToolBar(), Ids::ID_ADD_WATCHLIST));
    idle->dispatch();
    EXPECT_TRUE(endEdit(watchlists, "", false));
    EXPECT_EQ(names(watchlists), (std::vector<wxString>{"Chips", "Watchlist1"}));
    ASSERT_TRUE(clickTool(view->watchlistToolBar(), Ids::ID_REMOVE_WATCHLIST));
    EXPECT_EQ(names(watchlists), std::vector<wxString>{"Chips"});
    EXPECT_EQ(view->currentWatchlistId(), -1);
    EXPECT_FALSE(toolOn(details, Ids::ID_ADD_TRANSACTION));
    EXPECT_FALSE(toolOn(view->watchlistToolBar(), Ids::ID_REMOVE_WATCHLIST));

    // The alert panel of NVDA, chosen in Portfolio2: the loaded setting with
    // its latest alert's date.
    selectRow(portfolios, 0);
    wxTreeListCtrl* second = view->shownTree();
    selectTreeRow(second, topRow(second, "Nvidia"));
    EXPECT_EQ(view->alertsLabel()->GetLabel(), "Alert settings of NVDA");
    wxListCtrl* alerts = view->alertList();
    ASSERT_EQ(alerts->GetItemCount(), 1);
    EXPECT_EQ(alerts->GetItemText(0), "When price goes above 15.00");
    EXPECT_EQ(alerts->GetItemText(0, 1), formatTimestamp(makeTimestamp(18, 3, 2014), "%x")) << "the latest, not the first";

    // Set New Alert goes through the alert-setting dialog.
    script.on<QxAlertSettingsDlg>([](QxAlertSettingsDlg* d) {
        EXPECT_EQ(d->securityLink()->GetLabel(), "NVDA");
        d->priceText()->ChangeValue("12.5");
        sectest::click(d, wxID_OK);
    });
    ASSERT_TRUE(clickTool(details, Ids::ID_SET_NEW_ALERT));
    EXPECT_EQ(names(alerts), (std::vector<wxString>{"When price goes above 12.50", "When price goes above 15.00"}));

    // The quick menu: 30 of the 40 system settings NVDA lacks, then "New Alert".
    std::unique_ptr<wxMenu> menu = view->alerts().quickMenu(view->selectedSecurity());
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->GetMenuItemCount(), 32u);
    const wxMenuItemList& items = menu->GetMenuItems();
    EXPECT_EQ(items[0]->GetId(), QxPortfolioAlerts::kQuickAlertBase);
    EXPECT_EQ(items[0]->GetItemLabelText(), "When trading system 'S01' generates 'Long Entry' signal");
    EXPECT_EQ(items[29]->GetItemLabelText(), "When trading system 'S30' generates 'Long Entry' signal");
    EXPECT_TRUE(items[30]->IsSeparator());
    EXPECT_EQ(items[31]->GetId(), Ids::ID_SET_NEW_ALERT);
    EXPECT_EQ(items[31]->GetItemLabelText(), "New Alert");
    // The arrow of the tool opens the menu; the first item is chosen there.
    {
        wxTimer choose;
        choose.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
            wxUIActionSimulator keys;
            keys.Char(WXK_DOWN);
            keys.Char(WXK_RETURN);
        });
        choose.StartOnce(300);
        wxCommandEvent arrow(wxEVT_TOOL_DROPDOWN, Ids::ID_SET_NEW_ALERT);
        view->alertToolBar()->HandleWindowEvent(arrow); // as the toolbar sends it
    }
    EXPECT_EQ(alerts->GetItemCount(), 3);
    EXPECT_EQ(view->alerts().quickMenu(view->selectedSecurity())->GetMenuItems()[0]->GetItemLabelText(),
              "When trading system 'S02' generates 'Long Entry' signal")
        << "a setting NVDA has leaves the menu";

    // Remove Setting: the 12.50 setting leaves the list and the manager.
    EXPECT_FALSE(toolOn(view->alertToolBar(), Ids::ID_REMOVE_ALERT_SETTING));
    alerts->SetItemState(rowNamed(alerts, "When price goes above 12.50"), wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    ASSERT_TRUE(clickTool(view->alertToolBar(), Ids::ID_REMOVE_ALERT_SETTING));
    EXPECT_EQ(rowNamed(alerts, "When price goes above 12.50"), -1);
    EXPECT_EQ(alerts->GetItemCount(), 2);
    EXPECT_EQ(QxAlertMgr::get()->securitiesIndex().at(QxSecurityPtr(nvda.get())).size(), 2u);

    // Changes made elsewhere (the alert manager's window) reach the panel:
    // the latest alert deleted leaves the one before it; a setting removed
    // leaves the list.
    QxAlertSetting* fifteen = nullptr;
    for (const QxAlertSettingPtr& setting : QxAlertMgr::get()->securitiesIndex().at(QxSecurityPtr(nvda.get())))
        if (setting->describe(false) == "When price goes above 15.00")
            fifteen = setting.get();
    ASSERT_NE(fifteen, nullptr);
    ASSERT_TRUE(QxAlertMgr::get()->removeAlert(makeTimestamp(18, 3, 2014), nvda.get(), fifteen));
    EXPECT_EQ(alerts->GetItemText(rowNamed(alerts, "When price goes above 15.00"), 1),
              formatTimestamp(makeTimestamp(10, 3, 2014), "%x"));
    framestest::pump(100);
    EXPECT_TRUE(framestest::saveWindowShot(frame, "portfolio_commands.png"));
    const wxString systemRow = "When trading system 'S01' generates 'Long Entry' signal";
    for (const QxAlertSettingPtr& setting : QxAlertMgr::get()->securitiesIndex().at(QxSecurityPtr(nvda.get())))
        if (setting->describe(false) == systemRow) {
            QxAlertSettingPtr held = setting;
            QxAlertMgr::get()->removeSetting(nvda.get(), held.get());
            break;
        }
    EXPECT_EQ(names(alerts), std::vector<wxString>{"When price goes above 15.00"});

    // Closing writes what the screen showed.
    frame->Destroy();
    framestest::pump(100);
    const std::string written = sectest::readFile(qxPortfoliosFilePath());
    EXPECT_NE(written.find("name=\"Portfolio2\""), std::string::npos) << written;
    EXPECT_NE(written.find("name=\"Portfolio3\""), std::string::npos) << written;
    EXPECT_EQ(written.find("Portfolio1"), std::string::npos) << written;
    EXPECT_NE(written.find("time=\"20140307000000000\" quantity=\"10.0000\""), std::string::npos) << written;
    const std::string watched = sectest::readFile(qxWatchlistsFilePath());
    EXPECT_NE(watched.find("name=\"Chips\""), std::string::npos) << watched;
    EXPECT_NE(watched.find("price=\"18.5"), std::string::npos) << watched;
}

// Every transaction of a position is a row of its portfolio's tree, sales
// and closed lots too, and any of them can be taken back: a sale typed with
// a zero too many, and one that closed the position.
TEST_F(PortfolioCommandsTest, EverySaleIsShownAndCanBeTakenBack)
{
    framestest::DialogCatcher catcher(script.handler());
    QxPortfolioManagerFrame* frame = QxPortfolioManagerFrame::showFrame();
    framestest::pump(200);
    QxPortfolioView* view = frame->view();
    ASSERT_TRUE(clickTool(view->portfolioToolBar(), Ids::ID_ADD_PORTFOLIO));
    QxIdleTaskQueue::instance()->dispatch();
    EXPECT_TRUE(endEdit(view->portfolioList(), "", false));
    const int64_t day = makeTimestamp(3, 3, 2014);
    view->addTransaction(nvda.get(), QxTransaction{10, day, 100, 0});
    view->addTransaction(nvda.get(), QxTransaction{11, day + 1000000000LL, -1000, 0}); // meant: -100
    view->addTransaction(orcl.get(), QxTransaction{30, day, 0.1, 0});
    view->addTransaction(orcl.get(), QxTransaction{30, day, 0.2, 0});
    view->addTransaction(orcl.get(), QxTransaction{31, day + 1000000000LL, -0.3, 0});

    wxTreeListCtrl* tree = view->shownTree();
    const wxTreeListItem nvdaRow = topRow(tree, "Nvidia");
    ASSERT_TRUE(nvdaRow.IsOk());
    EXPECT_EQ(tree->GetItemText(nvdaRow, 5), "-900.0000");
    ASSERT_EQ(countRows(tree, nvdaRow), 2u) << "the bought lot, closed, and the sale";
    const wxTreeListItem sale = tree->GetNextSibling(tree->GetFirstChild(nvdaRow));
    EXPECT_EQ(tree->GetItemText(sale, 4), "11.0000");
    EXPECT_EQ(tree->GetItemText(sale, 5), "-900.0000") << "what the sale left open";
    EXPECT_EQ(tree->GetItemText(tree->GetFirstChild(nvdaRow), 5), "100.0000") << "a closed lot as entered";
    EXPECT_EQ(tree->GetItemText(tree->GetFirstChild(nvdaRow), 6), "") << "nothing of it is invested";

    // Fractions that close the position: its row and transactions stay to be
    // seen, with nothing shown as held; CONSOLIDATED has no row for it.
    const wxTreeListItem orclRow = topRow(tree, "Oracle");
    ASSERT_TRUE(orclRow.IsOk());
    EXPECT_EQ(countRows(tree, orclRow), 3u);
    for (unsigned column = 4; column <= 9; ++column)
        EXPECT_EQ(tree->GetItemText(orclRow, column), "") << "column " << column;
    wxTreeListCtrl* consolidated = view->portfolioTree(QxPortfolioView::kConsolidatedId);
    EXPECT_FALSE(topRow(consolidated, "Oracle").IsOk());
    EXPECT_EQ(view->portfolioList()->GetItemText(0, 1), "-9900.00") << "the short NVDA lot; ORCL adds nothing";

    // The mistyped sale taken back: the 100 are open again, here and in CONSOLIDATED.
    selectTreeRow(tree, sale);
    ASSERT_TRUE(clickTool(view->detailsToolBar(), Ids::ID_REMOVE_TRANSACTION));
    EXPECT_EQ(tree->GetItemText(topRow(tree, "Nvidia"), 5), "100.0000");
    EXPECT_EQ(countRows(tree, topRow(tree, "Nvidia")), 1u);
    EXPECT_EQ(consolidated->GetItemText(topRow(consolidated, "Nvidia"), 5), "100.0000");
    EXPECT_EQ(view->portfolioList()->GetItemText(0, 1), "1000.00");

    // The sale that closed ORCL taken back: what it closed is open again.
    selectTreeRow(tree, tree->GetNextSibling(tree->GetNextSibling(tree->GetFirstChild(topRow(tree, "Oracle")))));
    ASSERT_TRUE(clickTool(view->detailsToolBar(), Ids::ID_REMOVE_TRANSACTION));
    EXPECT_EQ(tree->GetItemText(topRow(tree, "Oracle"), 5), qxFixedText(0.1 + 0.2, 4));
    EXPECT_TRUE(topRow(consolidated, "Oracle").IsOk());

    // CONSOLIDATED is never changed directly: its lots cannot be removed.
    selectRow(view->portfolioList(), view->portfolioList()->GetItemCount() - 1);
    selectTreeRow(consolidated, consolidated->GetFirstChild(topRow(consolidated, "Nvidia")));
    EXPECT_FALSE(toolOn(view->detailsToolBar(), Ids::ID_REMOVE_TRANSACTION));
}

namespace {

// A click with the pointer on the middle of a row's name.
void clickRow(wxListCtrl* list, long row)
{
    wxRect rect;
    ASSERT_TRUE(list->GetItemRect(row, rect, wxLIST_RECT_LABEL));
    wxUIActionSimulator mouse;
    mouse.MouseMove(list->ClientToScreen(wxPoint(rect.x + 10, rect.y + rect.height / 2)));
    framestest::pump(30);
    mouse.MouseClick();
    framestest::pump(60);
}

// The rows that look chosen: selected, or painted as if they were.
std::vector<wxString> chosenRows(wxListCtrl* list)
{
    std::vector<wxString> chosen;
    const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    for (long row = 0; row < list->GetItemCount(); ++row)
        if (list->GetItemState(row, wxLIST_STATE_SELECTED) || list->GetItemBackgroundColour(row) == highlight)
            chosen.push_back(list->GetItemText(row));
    return chosen;
}

} // namespace

// A new portfolio whose name sorts after the one chosen, a transaction
// added to it and another portfolio removed by a click: every command acts
// on the one row that shows as chosen, and the file says the same as soon
// as the command is done.
TEST_F(PortfolioCommandsTest, EveryCommandActsOnTheOnePortfolioShownChosen)
{
    const std::string nvdaKey = "Yahoo!|US.NASDAQ.STOCK|NVDA";
    sectest::writeFile(qxPortfoliosFilePath(),
                       "<portfolios><portfolio name=\"Beta\"/><portfolio name=\"Tech\"><position security=\"" +
                           nvdaKey +
                           "\"><transaction price=\"10\" time=\"20140303000000000\" quantity=\"5\" load=\"0\"/>"
                           "</position></portfolio><portfolio name=\"Temp\"/><portfolio name=\"Zeta\"/></portfolios>");
    framestest::DialogCatcher catcher(script.handler());
    picked = orcl;
    QxPortfolioManagerFrame* frame = QxPortfolioManagerFrame::showFrame();
    frame->SetSize(wxSize(1100, 650));
    framestest::pump(200);
    QxPortfolioView* view = frame->view();
    wxListCtrl* portfolios = view->portfolioList();
    auto current = [view] { return view->portfolio(view->currentPortfolioId())->name(); };
    ASSERT_EQ(names(portfolios), (std::vector<wxString>{"Beta", "Tech", "Temp", "Zeta", "CONSOLIDATED"}));

    clickRow(portfolios, rowNamed(portfolios, "Temp"));
    EXPECT_EQ(current(), "Temp");
    ASSERT_TRUE(clickTool(view->portfolioToolBar(), Ids::ID_ADD_PORTFOLIO));
    QxIdleTaskQueue::instance()->dispatch();
    ASSERT_TRUE(endEdit(portfolios, "Yankee", true));
    framestest::pump(60);
    EXPECT_EQ(names(portfolios), (std::vector<wxString>{"Beta", "Tech", "Temp", "Yankee", "Zeta", "CONSOLIDATED"}));
    EXPECT_EQ(chosenRows(portfolios), std::vector<wxString>{"Yankee"});
    EXPECT_EQ(current(), "Yankee");

    // ORCL x 1 at 10, typed into the dialog.
    transactionSteps = [](QxTransactionDlg* d) {
        sectest::click(d->selectButton());
        d->calendar()->SetDate(wxDateTime(7, wxDateTime::Mar, 2014));
        d->quantityCtrl()->ChangeValue("1");
        d->priceCtrl()->ChangeValue("10");
        sectest::click(d, wxID_OK);
    };
    ASSERT_TRUE(clickTool(view->detailsToolBar(), Ids::ID_ADD_TRANSACTION));
    EXPECT_EQ(chosenRows(portfolios), std::vector<wxString>{"Yankee"});
    EXPECT_EQ(portfolios->GetItemText(rowNamed(portfolios, "Yankee"), 1), "10.00") << "booked where it was chosen";
    EXPECT_EQ(portfolios->GetItemText(rowNamed(portfolios, "Temp"), 1), "0.00");

    clickRow(portfolios, rowNamed(portfolios, "Zeta"));
    EXPECT_EQ(chosenRows(portfolios), std::vector<wxString>{"Zeta"});
    EXPECT_EQ(current(), "Zeta");
    ASSERT_TRUE(clickTool(view->portfolioToolBar(), Ids::ID_REMOVE_PORTFOLIO));
    EXPECT_EQ(names(portfolios), (std::vector<wxString>{"Beta", "Tech", "Temp", "Yankee", "CONSOLIDATED"}));
    EXPECT_EQ(chosenRows(portfolios), std::vector<wxString>{"CONSOLIDATED"}) << "the next row";
    EXPECT_EQ(current(), "CONSOLIDATED");

    // The file says the same at once, before the window closes.
    const std::string written = sectest::readFile(qxPortfoliosFilePath());
    EXPECT_EQ(written.find("Zeta"), std::string::npos) << written;
    EXPECT_NE(written.find("<portfolio name=\"Tech\">\n    <position security=\"" + nvdaKey + "\">"), std::string::npos)
        << written;
    EXPECT_NE(written.find("<portfolio name=\"Yankee\">\n    <position security=\"Yahoo!|US.NASDAQ.STOCK|ORCL\">"),
              std::string::npos)
        << written;
    EXPECT_NE(written.find("<portfolio name=\"Temp\"/>"), std::string::npos) << written;
}

// Rows hold the securities they were made with: after another database has
// become the current one, new prices of a held security still reach its
// rows and the list totals, and nothing is looked up in the other database.
TEST_F(PortfolioCommandsTest, NewPricesReachTheRowsOfTheSecuritiesHeldWhateverDatabaseIsCurrent)
{
    framestest::DialogCatcher catcher(script.handler());
    QxPortfolioManagerFrame* frame = QxPortfolioManagerFrame::showFrame();
    framestest::pump(200);
    QxPortfolioView* view = frame->view();
    ASSERT_TRUE(clickTool(view->portfolioToolBar(), Ids::ID_ADD_PORTFOLIO));
    QxIdleTaskQueue::instance()->dispatch();
    EXPECT_TRUE(endEdit(view->portfolioList(), "", false));
    view->addTransaction(nvda.get(), QxTransaction{1, makeTimestamp(3, 3, 2014), 10, 0});
    wxTreeListCtrl* tree = view->shownTree();
    const unsigned n = history->numBars();
    ASSERT_EQ(tree->GetItemText(topRow(tree, "Nvidia"), 1), qxFixedText(history->close()[n - 1], 4));

    // Another database, whose securities have the same ids, becomes current.
    QxObjectSmartPtr<QxDatabase> other = sectest::newDatabase("portfolio-other");
    ASSERT_TRUE(other);
    QxObjectSmartPtr<QxCategory> category(other->createCategory("US.NYSE.STOCK", "Yahoo!"));
    QxObjectSmartPtr<QxSecurity> stranger(category->addSecurity("ZZZ", "Stranger"));
    ASSERT_TRUE(stranger);
    scoped.app().changeDatabase(other);

    // A new bar for NVDA in the database it came from.
    QxObjectSmartPtr<QxPriceHistory> longer(new QxPriceHistory(Qx::eStock, Qx::eDaily));
    longer->resize(n + 1);
    for (unsigned i = 0; i < n; ++i) {
        longer->timestamp()[i] = history->timestamp()[i];
        longer->open()[i] = history->open()[i];
        longer->high()[i] = history->high()[i];
        longer->low()[i] = history->low()[i];
        longer->close()[i] = history->close()[i];
        longer->volume()[i] = history->volume()[i];
    }
    longer->timestamp()[n] = makeTimestamp(5, 1, 2015);
    longer->open()[n] = longer->high()[n] = longer->low()[n] = longer->close()[n] = 123.45;
    longer->volume()[n] = 1000;
    ASSERT_EQ(nvda->saveHistory(longer.get()), 0);
    framestest::pump(50);
    EXPECT_EQ(tree->GetItemText(topRow(tree, "Nvidia"), 1), "123.4500");
    EXPECT_EQ(view->portfolioList()->GetItemText(0, 2), "1234.50") << "the list total follows the new close";
    wxTreeListCtrl* consolidated = view->portfolioTree(QxPortfolioView::kConsolidatedId);
    EXPECT_EQ(consolidated->GetItemText(topRow(consolidated, "Nvidia"), 1), "123.4500");
    EXPECT_EQ(view->portfolioList()->GetItemText(1, 2), "1234.50");
    frame->Destroy();
    framestest::pump(50);
    scoped.app().changeDatabase(db);
}

namespace {

// Whether every header and text of a list's columns shows whole: each column
// at least as wide as its widest text, with a few pixels to spare, and all of
// them inside the list, with no scrolling.
void expectReadable(wxListCtrl* list, const char* what)
{
    SCOPED_TRACE(what);
    int right = 0;
    for (int c = 0; c < list->GetColumnCount(); ++c) {
        wxListItem column;
        column.SetMask(wxLIST_MASK_TEXT);
        ASSERT_TRUE(list->GetColumn(c, column));
        const int width = list->GetColumnWidth(c);
        EXPECT_GE(width, list->GetTextExtent(column.GetText()).x + 8) << "header " << column.GetText();
        for (long row = 0; row < list->GetItemCount(); ++row) {
            const wxString text = list->GetItemText(row, c);
            EXPECT_GE(width, list->GetTextExtent(text).x + 8) << text;
        }
        right += width;
    }
    EXPECT_LE(right, list->GetClientSize().x) << "every column inside the list";
}

void expectReadable(wxTreeListCtrl* tree, const char* what)
{
    SCOPED_TRACE(what);
    wxDataViewCtrl* view = tree->GetDataView();
    int right = 0;
    for (unsigned c = 0; c < tree->GetColumnCount(); ++c) {
        const int width = tree->GetColumnWidth(c);
        const wxString title = view->GetColumn(c)->GetTitle();
        // The header keeps room for its sort arrow.
        EXPECT_GE(width, view->GetTextExtent(title).x + 24) << "header " << title;
        for (wxTreeListItem item = tree->GetFirstItem(); item.IsOk(); item = tree->GetNextItem(item)) {
            const wxString text = tree->GetItemText(item, c);
            // The first column holds the expander and the icon before the name.
            EXPECT_GE(width, view->GetTextExtent(text).x + (c == 0 ? 40 : 8)) << text;
        }
        right += width;
    }
    EXPECT_LE(right, view->GetClientSize().x) << "every column inside the tree";
}

// Whether a toolbar shows all its tools: none in an overflow menu.
void expectWhole(wxToolBar* tools, const char* what)
{
    EXPECT_GE(tools->GetSize().x, tools->GetBestSize().x) << what;
}

} // namespace

// The frame as it first opens, at its default size, with two portfolios,
// one of them with a sale, and CONSOLIDATED: every header and value of the
// list and of the trees reads whole, every tool is on its toolbar, and the
// alert panel's tools say what they do.
TEST_F(PortfolioCommandsTest, AtItsDefaultSizeTheFrameShowsEveryTextAndToolWhole)
{
    const std::string nvdaKey = "Yahoo!|US.NASDAQ.STOCK|NVDA";
    const std::string orclKey = "Yahoo!|US.NASDAQ.STOCK|ORCL";
    auto transaction = [](const char* price, const char* time, const char* quantity) {
        return std::string("<transaction price=\"") + price + "\" time=\"" + time + "\" quantity=\"" + quantity +
               "\" load=\"0\"/>";
    };
    sectest::writeFile(qxPortfoliosFilePath(),
                       "<portfolios><portfolio name=\"Retirement Savings\"><position security=\"" + nvdaKey + "\">" +
                           transaction("10.5000", "20140303000000000", "400.0000") +
                           transaction("12.2500", "20140304000000000", "250.0000") +
                           transaction("15.7500", "20140310000000000", "-520.0000") + "</position></portfolio>"
                           "<portfolio name=\"Growth\"><position security=\"" + orclKey + "\">" +
                           transaction("37.1200", "20140305000000000", "1200.0000") +
                           "</position><position security=\"" + nvdaKey + "\">" +
                           transaction("18.0000", "20140306000000000", "-75.5000") +
                           "</position></portfolio></portfolios>");
    QxGlobalVars::get().portfolioMgrFrameSize = QxGlobalVars().portfolioMgrFrameSize; // a first opening
    framestest::DialogCatcher catcher(script.handler());
    QxPortfolioManagerFrame* frame = QxPortfolioManagerFrame::showFrame();
    framestest::pump(300);
    QxIdleTaskQueue::instance()->dispatch();
    framestest::pump(100);
    QxPortfolioView* view = frame->view();
    wxListCtrl* portfolios = view->portfolioList();
    ASSERT_EQ(names(portfolios), (std::vector<wxString>{"Growth", "Retirement Savings", "CONSOLIDATED"}));
    expectReadable(portfolios, "the portfolio list");
    expectReadable(view->watchlistList(), "the watchlist list");

    // Retirement Savings, its position open with every transaction shown.
    selectRow(portfolios, 1);
    wxTreeListCtrl* retirement = view->shownTree();
    const wxTreeListItem nvdaRow = topRow(retirement, "Nvidia");
    ASSERT_TRUE(nvdaRow.IsOk());
    retirement->Expand(nvdaRow);
    EXPECT_EQ(countRows(retirement, nvdaRow), 3u) << "two buys and the sale";
    QxIdleTaskQueue::instance()->dispatch();
    framestest::pump(100);
    expectReadable(retirement, "a portfolio with a sale");

    // CONSOLIDATED: the open lots of both.
    selectRow(portfolios, 2);
    wxTreeListCtrl* consolidated = view->shownTree();
    ASSERT_EQ(consolidated, view->existingPortfolioTree(QxPortfolioView::kConsolidatedId));
    for (const char* name : {"Nvidia", "Oracle"}) {
        ASSERT_TRUE(topRow(consolidated, name).IsOk()) << name;
        consolidated->Expand(topRow(consolidated, name));
    }
    consolidated->Select(consolidated->GetFirstChild(topRow(consolidated, "Nvidia")));
    QxIdleTaskQueue::instance()->dispatch();
    framestest::pump(100);
    expectReadable(consolidated, "CONSOLIDATED");
    expectReadable(portfolios, "the portfolio list, with its values");

    for (wxToolBar* tools : {view->portfolioToolBar(), view->watchlistToolBar(), view->detailsToolBar(),
                             view->alertToolBar()})
        expectWhole(tools, tools == view->detailsToolBar() ? "details tools" : "list or alert tools");
    const wxToolBarToolBase* remove = view->alertToolBar()->FindById(Ids::ID_REMOVE_ALERT_SETTING);
    ASSERT_NE(remove, nullptr);
    EXPECT_EQ(remove->GetLabel(), "Remove Setting");
    EXPECT_EQ(remove->GetShortHelp(), "Remove the selected alert-setting");
    EXPECT_TRUE(framestest::saveWindowShot(frame, "portfolio_default_size.png"));
}
