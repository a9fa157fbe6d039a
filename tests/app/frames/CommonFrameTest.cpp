// The shared menu bar of every frame: its menus, items, accelerators, the
// commands behind them and the enabling rules.
#include "app/QxCommonFrame.h"
#include "app/QxGatewayFrame.h"
#include "core/QxUtils.h"
#include "core/platform/QxHelpBook.h"
#include "core/platform/QxServiceAddress.h"
#include "chartframe/QxChartGeneralToolbar.h"
#include "chartframe/QxProToolsToolbar.h"
#include "trading/QxIdeaFindingThread.h"

#include "support/FramesTestSupport.h"
#include "support/MemData.h"
#include "support/TestHttpServer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/ffile.h>
#include <wx/html/helpctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <memory>
#include <cstdlib>
#include <unistd.h>
#include <set>

using framestest::DialogCatcher;
using framestest::ScopedApplication;

namespace {

// Frames are destroyed the framework's way and the deletion is let through.
void closeFrame(wxFrame* frame)
{
    frame->Destroy();
    framestest::pump(50);
}

class ScanThread : public QxIdeaFindingThread {
public:
    ScanThread() : QxIdeaFindingThread(wxTHREAD_JOINABLE) {}
    ExitCode Entry() override { return nullptr; }
};

struct ItemCase {
    int id;
    const char* label; // with mnemonic and accelerator, as built
    const char* help;
    int accelFlags;    // wxACCEL_*; -1: no accelerator
    int accelKey;
};

const ItemCase kItems[] = {
    {5002, "&New Chart...\tCtrl+N", "You can create a new chart.", wxACCEL_CTRL, 'N'},
    {30000, "New Point and &Figure Chart...\tCtrl+Shift+N", "", wxACCEL_CTRL | wxACCEL_SHIFT, 'N'},
    {5000, "&Open Saved Chart...\tCtrl+O", "Open a previously saved chart.", wxACCEL_CTRL, 'O'},
    {30001, "Port&folios and Watchlists...\tCtrl+Shift+P", "", wxACCEL_CTRL | wxACCEL_SHIFT, 'P'},
    {30002, "Manage &Alerts...\tCtrl+Shift+A", "", wxACCEL_CTRL | wxACCEL_SHIFT, 'A'},
    {30003, "Goto &gateway\tCtrl+G", "Brings gateway in front.", wxACCEL_CTRL, 'G'},
    {5022, "&Preferences ...\tCtrl+K", "Opens preference dialog", wxACCEL_CTRL, 'K'},
    {5001, "&Close\tAlt+F4", "Closes the active view.", wxACCEL_ALT, WXK_F4},
    {5006, "E&xit\tCtrl+Q", "Exit Trendoria", wxACCEL_CTRL, 'Q'},
    {30004, "&Quote Editor...", "", -1, 0},
    {30005, "Database &Info ...", "View details about database", -1, 0},
    {30006, "&Change Database ...", "Change price history database.", -1, 0},
    {30007, "&Find Stock Ideas...\tCtrl+F", "Find stocks ideas based on a trading system.", wxACCEL_CTRL, 'F'},
    {30008, "&Simple System Tester...\tCtrl+T", "Test trading system on past data.", wxACCEL_CTRL, 'T'},
    {30009, "&Manage Trading Systems...\tCtrl+Shift+M", "Edit, create, and delete trading systems.",
     wxACCEL_CTRL | wxACCEL_SHIFT, 'M'},
    {5009, "Corvane Trendoria &Help\tF1", "Opens Trendoria mannual", wxACCEL_NORMAL, WXK_F1},
    {30010, "Trendoria Indicators help", "Opens help document of indicators", -1, 0},
    {30012, "Check for &Update ...", "Check for latest available update", -1, 0},
    {5014, "&About Corvane Trendoria ...", "Opens About Box", -1, 0},
};

// The ids of one menu's command items, separators and submenus left out.
std::vector<int> commandIds(wxMenu* menu)
{
    std::vector<int> ids;
    for (wxMenuItem* item : menu->GetMenuItems())
        if (!item->IsSeparator() && !item->IsSubMenu())
            ids.push_back(item->GetId());
    return ids;
}

} // namespace

TEST(CommonFrame, EveryFrameBuildsTheSharedMenuBar)
{
    auto* frame = new QxCommonFrame(nullptr, wxID_ANY, "menus");
    auto* other = new QxCommonFrame(nullptr, wxID_ANY, "other");
    wxMenuBar* bar = frame->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_NE(bar, other->GetMenuBar()) << "each frame has its own copy";
    ASSERT_EQ(bar->GetMenuCount(), 4u);
    EXPECT_EQ(bar->GetMenuLabel(0), "&Trendoria");
    EXPECT_EQ(bar->GetMenuLabel(1), "&Data");
    EXPECT_EQ(bar->GetMenuLabel(2), "&Tools");
    EXPECT_EQ(bar->GetMenuLabel(3), "&Help");

    EXPECT_EQ(commandIds(bar->GetMenu(0)), (std::vector<int>{5002, 30000, 5000, 30003, 5022, 5001, 5006}));
    EXPECT_EQ(commandIds(bar->GetMenu(1)), (std::vector<int>{30004, 30005, 30006}));
    EXPECT_EQ(commandIds(bar->GetMenu(2)), (std::vector<int>{30007, 30008, 30009}));
    EXPECT_EQ(commandIds(bar->GetMenu(3)), (std::vector<int>{5009, 30010, 30012, 5014}));

    // The submenu stands after the chart items and a separator.
    const wxMenuItemList& first = bar->GetMenu(0)->GetMenuItems();
    ASSERT_GE(first.size(), 5u);
    EXPECT_TRUE(first[3]->IsSeparator());
    ASSERT_TRUE(first[4]->IsSubMenu());
    EXPECT_EQ(first[4]->GetItemLabel(), "&Portfolios and Watchlists");
    EXPECT_EQ(commandIds(first[4]->GetSubMenu()), (std::vector<int>{30001, 30002}));

    // Items with art show it in the menu; the others, About included, none.
    const std::set<int> withArt = {5002, 30000, 5000, 30001, 30002, 5022, 30006, 30007, 30008, 30009, 5009, 30010};
    for (const ItemCase& c : kItems) {
        SCOPED_TRACE(c.label);
        wxMenuItem* item = bar->FindItem(c.id);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->GetBitmap().IsOk(), withArt.count(c.id) == 1);
        EXPECT_EQ(item->GetItemLabel(), c.label);
        EXPECT_EQ(item->GetHelp(), c.help);
        std::unique_ptr<wxAcceleratorEntry> accel(item->GetAccel());
        if (c.accelFlags < 0) {
            EXPECT_EQ(accel, nullptr);
        } else {
            ASSERT_NE(accel, nullptr);
            EXPECT_EQ(accel->GetFlags(), c.accelFlags);
            EXPECT_EQ(accel->GetKeyCode(), c.accelKey);
        }
    }
    EXPECT_TRUE(frame->GetStatusBar() && frame->GetStatusBar()->GetFieldsCount() == 1);
    closeFrame(frame);
    closeFrame(other);
}

TEST(CommonFrame, CommandsRunTheirHandlers)
{
    ScopedApplication scoped;
    QxObjectSmartPtr<QxDatabase> database(new TestSupport::MemDatabase(false));
    scoped.app().changeDatabase(database);
    auto* frame = new QxCommonFrame(nullptr, wxID_ANY, "commands");

    const wxString missing = " is not available in this version of Trendoria.";
    struct Case {
        int id;
        const char* dialogClass;
        wxString text; // the message box text, or the dialog title
    };
    const Case cases[] = {
        {5002, "QxSymbolSelectionDlg", "Select Security"},
        {30000, "QxSymbolSelectionDlg", "Select Security"},
        {5000, "wxFileDialog", "Open Trendoria Chart"},
        {30004, "QxSymbolSelectionDlg", "Select Security"},
        {30005, "QxDatabaseInfoDlg", "Database Info"},
        {30007, "QxStockIdeaFinderDlg", "Stock Idea Finder"},
        {30008, "QxSimpleSystemTesterDlg", "Simple System Tester"},
        {30009, "DlgSystemManager", "Manage Trading Systems"},
        {5022, "QxPreferencesDlg", "Trendoria Preferences"},
        {5014, "QxAboutBox", "About Corvane Trendoria"},
        {30006, "QxDataSelectorDlg", "Select Price History Data"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        DialogCatcher catcher; // cancels whatever opens
        wxCommandEvent command(wxEVT_MENU, c.id);
        command.SetEventObject(frame);
        EXPECT_TRUE(frame->ProcessWindowEvent(command));
        ASSERT_EQ(catcher.seen().size(), 1u);
        EXPECT_EQ(catcher.seen()[0].className, c.dialogClass);
        const wxString shown = catcher.seen()[0].message.empty() ? catcher.seen()[0].title
                                                                  : catcher.seen()[0].message;
        EXPECT_EQ(shown, c.text);
    }
    // Cancelling the data selector keeps the database.
    EXPECT_EQ(scoped.app().currentDatabase(), database.get());
    closeFrame(frame);
}

TEST(CommonFrame, HelpAndUpdateCommands)
{
    auto* frame = new QxCommonFrame(nullptr, wxID_ANY, "help");
    QxUtils::setHelpFolder(wxString::FromUTF8(TestSupport::binDir() + "/help"));
    wxCommandEvent manual(wxEVT_MENU, 5009);
    frame->ProcessWindowEvent(manual);
    ASSERT_NE(QxUtils::manualBook().controller(), nullptr);
    EXPECT_NE(QxUtils::manualBook().controller()->GetFrame(), nullptr) << "the manual opens";
    wxCommandEvent indicators(wxEVT_MENU, 30010);
    frame->ProcessWindowEvent(indicators);
    ASSERT_NE(QxUtils::indicatorBook().controller(), nullptr);
    EXPECT_NE(QxUtils::indicatorBook().controller()->GetFrame(), nullptr) << "the indicator reference opens";
    QxUtils::closeHelp();
    QxUtils::setHelpFolder(wxString());

    // The update check reports its outcome even when there is no update.
    TestSupport::TestHttpServer server(
        [](const TestSupport::HttpRequest&) { return TestSupport::HttpReply::text("1411091401"); });
    ASSERT_TRUE(server.start());
    QxServiceAddress::set("update", server.baseUrl());
    {
        DialogCatcher catcher;
        wxCommandEvent update(wxEVT_MENU, 30012);
        frame->ProcessWindowEvent(update);
        ASSERT_EQ(catcher.seen().size(), 1u);
        EXPECT_EQ(catcher.seen()[0].message, "You are already using the latest update.");
    }
    EXPECT_EQ(server.requestCount(), 1);
    QxServiceAddress::set("update", "");
    closeFrame(frame);
}

TEST(CommonFrame, ToolbarToolsReachTheSameHandlers)
{
    auto* frame = new QxCommonFrame(nullptr, wxID_ANY, "toolbars");
    wxAuiPaneInfo chartPane;
    chartPane.ToolbarPane().Top().Row(0);
    frame->addChartToolbarPane(chartPane, true);
    wxAuiPaneInfo toolsPane;
    toolsPane.ToolbarPane().Top().Row(1);
    frame->addProToolsPane(toolsPane);
    frame->auiManager().Update();

    QxChartGeneralToolbar* chart = frame->chartGeneralToolbar();
    QxProToolsToolbar* tools = frame->proToolsToolbar();
    ASSERT_TRUE(chart && tools);
    EXPECT_EQ(frame->auiManager().GetPane(chart).name, "Chart_general");
    EXPECT_EQ(frame->auiManager().GetPane(chart).caption, "Open Save Charts");
    EXPECT_EQ(frame->auiManager().GetPane(tools).name, "Pro Tools");
    EXPECT_EQ(frame->auiManager().GetPane(tools).caption, "Pro Tools");
    ASSERT_EQ(chart->GetToolCount(), 4u) << "with the save tool";
    EXPECT_EQ(chart->FindToolByIndex(3)->GetId(), 5003);
    EXPECT_EQ(chart->bitmapSize(), wxSize(16, 16));

    // A tool click arrives at the frame as the menu command of the same id.
    DialogCatcher catcher;
    wxCommandEvent click(wxEVT_TOOL, 30008);
    click.SetEventObject(tools);
    tools->ProcessWindowEvent(click);
    ASSERT_EQ(catcher.seen().size(), 1u);
    EXPECT_EQ(catcher.seen()[0].className, "QxSimpleSystemTesterDlg");
    closeFrame(frame);
    // The tester read its stops from a store made on demand; no application owns it.
    delete wxConfigBase::Set(nullptr);
}

TEST(CommonFrame, QuoteEditorIsOffForAReadOnlyDatabaseInEveryFrame)
{
    ScopedApplication scoped;
    auto* a = new QxCommonFrame(nullptr, wxID_ANY, "a");
    auto* b = new QxCommonFrame(nullptr, wxID_ANY, "b");
    struct Case {
        const char* name;
        int database; // 0 none, 1 read-only, 2 writable
        bool enabled;
    };
    for (const Case& c : {Case{"none", 0, false}, Case{"read-only", 1, false}, Case{"writable", 2, true},
                          Case{"read-only again", 1, false}}) {
        SCOPED_TRACE(c.name);
        scoped.app().changeDatabase(c.database == 0 ? nullptr : new TestSupport::MemDatabase(c.database == 1));
        for (QxCommonFrame* frame : {a, b}) {
            frame->DoMenuUpdates();
            EXPECT_EQ(frame->GetMenuBar()->IsEnabled(30004), c.enabled);
            EXPECT_TRUE(frame->GetMenuBar()->IsEnabled(30005)) << "other items stay enabled";
        }
    }
    closeFrame(a);
    closeFrame(b);
}

TEST(CommonFrame, FindStockIdeasIsOffWhileAScanThreadExists)
{
    auto* frame = new QxCommonFrame(nullptr, wxID_ANY, "ideas");
    wxAuiPaneInfo pane;
    pane.ToolbarPane().Top();
    frame->addProToolsPane(pane);
    frame->auiManager().Update();
    QxProToolsToolbar* tools = frame->proToolsToolbar();

    auto refresh = [&] {
        frame->DoMenuUpdates();
        tools->UpdateWindowUI(wxUPDATE_UI_FROMIDLE);
    };
    refresh();
    EXPECT_TRUE(frame->GetMenuBar()->IsEnabled(30007));
    EXPECT_TRUE(tools->GetToolEnabled(30007));
    {
        ScanThread scan;
        EXPECT_TRUE(QxIdeaFindingThread::exists());
        refresh();
        EXPECT_FALSE(frame->GetMenuBar()->IsEnabled(30007));
        EXPECT_FALSE(tools->GetToolEnabled(30007));
        EXPECT_TRUE(tools->GetToolEnabled(30008));
    }
    EXPECT_FALSE(QxIdeaFindingThread::exists());
    refresh();
    EXPECT_TRUE(frame->GetMenuBar()->IsEnabled(30007));
    EXPECT_TRUE(tools->GetToolEnabled(30007));
    closeFrame(frame);
}

TEST(CommonFrame, FramesRegisterAndRenumberOnActivation)
{
    ScopedApplication scoped;
    QxApplication& app = scoped.app();
    auto* a = new QxCommonFrame(nullptr, wxID_ANY, "a");
    auto* b = new QxCommonFrame(nullptr, wxID_ANY, "b");
    EXPECT_EQ(app.numLiveFrame(), 2u);

    wxActivateEvent activate(wxEVT_ACTIVATE, true);
    activate.SetEventObject(b);
    b->ProcessWindowEvent(activate);
    EXPECT_EQ(app.activeFrame(), b);
    // Losing activation renumbers too: a ends ahead of b.
    wxActivateEvent lose(wxEVT_ACTIVATE, false);
    lose.SetEventObject(a);
    a->ProcessWindowEvent(lose);
    EXPECT_EQ(app.activeFrame(), a);

    // Closing the active frame clears it; the other frame stays registered.
    a->Close(true);
    framestest::pump(50);
    EXPECT_EQ(app.activeFrame(), nullptr);
    EXPECT_EQ(app.numLiveFrame(), 1u);
    closeFrame(b);
    EXPECT_EQ(app.numLiveFrame(), 0u);
}

namespace {
class VetoingFrame : public QxCommonFrame {
public:
    VetoingFrame() : QxCommonFrame(nullptr, wxID_ANY, "veto") {}
    bool allowClose = false;

protected:
    void OnClose(wxCloseEvent& event) override
    {
        if (!allowClose && event.CanVeto()) {
            event.Veto();
            return;
        }
        QxCommonFrame::OnClose(event);
    }
};
} // namespace

TEST(CommonFrame, CloseCanBeVetoedAndExitLeavesTheMainLoop)
{
    ScopedApplication scoped;
    auto* frame = new VetoingFrame;
    wxCommandEvent close(wxEVT_MENU, 5001);
    frame->ProcessWindowEvent(close);
    framestest::pump(50);
    EXPECT_EQ(scoped.app().numLiveFrame(), 1u) << "the frame vetoed its close";
    EXPECT_FALSE(frame->IsBeingDeleted());

    frame->allowClose = true;
    frame->ProcessWindowEvent(close);
    framestest::pump(50);
    EXPECT_EQ(scoped.app().numLiveFrame(), 0u);

    // "Exit" from any frame ends the application's main loop.
    auto* other = new QxCommonFrame(nullptr, wxID_ANY, "exit");
    bool timedOut = false;
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        timedOut = true;
        scoped.app().ExitMainLoop();
    });
    guard.StartOnce(10000);
    scoped.app().CallAfter([other] {
        wxCommandEvent exit(wxEVT_MENU, 5006);
        other->ProcessWindowEvent(exit);
    });
    scoped.app().MainLoop();
    guard.Stop();
    EXPECT_FALSE(timedOut);
    closeFrame(other);
}

// Keystrokes go to whichever window has the keyboard: the test process's
// own display has no other test's windows on it.
TEST(CommonFrame, AcceleratorKeysRunTheirCommands)
{
    auto* frame = new QxCommonFrame(nullptr, wxID_ANY, "keys", wxPoint(50, 50), wxSize(500, 300));
    frame->Show();
    frame->Raise();
    frame->SetFocus();
    framestest::pump(300);

    DialogCatcher catcher;
    wxUIActionSimulator keys;
    keys.Char('k', wxMOD_CONTROL);
    framestest::pump(300);
    keys.Char('t', wxMOD_CONTROL);
    framestest::pump(300);
    ASSERT_EQ(catcher.seen().size(), 2u);
    EXPECT_EQ(catcher.seen()[0].className, "QxPreferencesDlg");
    EXPECT_EQ(catcher.seen()[1].className, "QxSimpleSystemTesterDlg");
    closeFrame(frame);
}
