// The alert manager frame and its panel as the user works with them: the
// menu command opens it, the lists follow the manager, and the tools and
// double clicks do their work.
#include "AlertTestSupport.h"

#include "app/QxCommonFrame.h"
#include "app/QxGlobalVars.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "app/QxIndicatorRegistry.h"
#include "chart/QxTemplate.h"
#include "chart/QxZone.h"
#include "chartview/QxChartView.h"
#include "core/QxCalculator.h"
#include "core/QxSecurity.h"
#include "chartframe/QxChartFrame.h"
#include "chartframe/QxPortfolioToolbar.h"
#include "trading/QxAlertMgrFrame.h"
#include "trading/QxAlertMgrPanel.h"
#include "trading/QxAlertSettingsDlg.h"
#include "support/RealInput.h"
#include "support/WindowShot.h"

#include <gtest/gtest.h>

#include <wx/msgdlg.h>

#include <algorithm>

using namespace alerttest;

namespace {

std::vector<wxString> column(wxListCtrl* list, int col)
{
    std::vector<wxString> texts;
    for (long row = 0; row < list->GetItemCount(); ++row)
        texts.push_back(list->GetItemText(row, col));
    return texts;
}

long rowOf(wxListCtrl* list, const wxString& ticker, const wxString& text)
{
    for (long row = 0; row < list->GetItemCount(); ++row)
        if (list->GetItemText(row, 0) == ticker && list->GetItemText(row, 1) == text)
            return row;
    return -1;
}

void selectOnly(wxListCtrl* list, std::initializer_list<long> rows)
{
    for (long row = 0; row < list->GetItemCount(); ++row)
        list->SetItemState(row, 0, wxLIST_STATE_SELECTED);
    for (long row : rows)
        list->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    framestest::pump(20);
}

bool toolEnabled(int id, wxToolBar* tools)
{
    wxUpdateUIEvent event(id);
    event.SetEventObject(tools);
    tools->ProcessWindowEvent(event);
    return event.GetEnabled();
}

int chartFrames()
{
    int n = 0;
    for (wxWindow* w : wxTopLevelWindows)
        if (dynamic_cast<QxChartFrame*>(w) && !w->IsBeingDeleted())
            ++n;
    return n;
}

} // namespace

TEST_F(AlertMgrTest, TheAlertManagerFrameFollowsTheManagerAndRunsItsTools)
{
    auto* zed = market->add("ZED", {40, 45, 60});
    auto* abc = market->add("ABC", {90, 110, 120});
    QxAlertMgr* mgr = startManager();
    auto* home = new QxCommonFrame(nullptr, wxID_ANY, "home");
    auto* portfolioTools = new QxPortfolioToolbar(home, wxID_ANY, wxDefaultPosition, wxSize(16, 16), 0);
    portfolioTools->Realize();
    ASSERT_TRUE(mgr->addSetting(zed, priceSetting(10, 50).get(), market->barTime(0)));
    ASSERT_TRUE(mgr->addSetting(abc, priceSetting(9, 100).get(), market->barTime(0)));
    EXPECT_STREQ(portfolioTools->currentAlertArtId(), "QxART_alert");
    runIdle(1000); // the evaluations fire at idle time
    ASSERT_EQ(mgr->numNewAlerts(), 4);
    EXPECT_STREQ(portfolioTools->currentAlertArtId(), "QxART_alert_of_alerts");

    // The alerts command opens the one frame.
    for (int twice = 0; twice < 2; ++twice) {
        wxCommandEvent command(wxEVT_MENU, 30002);
        command.SetEventObject(home);
        home->ProcessWindowEvent(command);
    }
    QxAlertMgrFrame* frame = QxAlertMgrFrame::instance();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetTitle(), "Corvane Trendoria 2014 [Alert Manager]");
    int opened = 0;
    for (wxWindow* w : wxTopLevelWindows)
        opened += dynamic_cast<QxAlertMgrFrame*>(w) && !w->IsBeingDeleted();
    EXPECT_EQ(opened, 1);
    framestest::pump(100);
    QxAlertMgrPanel* panel = frame->panel();
    wxListCtrl* alerts = panel->alertsList();
    wxListCtrl* settings = panel->settingsList();

    // Rows in ticker order, new ones bold italic, with the latest date.
    EXPECT_EQ(column(alerts, 0), (std::vector<wxString>{"ABC", "ABC", "ZED", "ZED"}));
    EXPECT_EQ(column(settings, 1), (std::vector<wxString>{"When price goes above 100.00", "When price goes below 50.00"}));
    EXPECT_EQ(settings->GetItemText(0, 2), formatTimestamp(market->barTime(2), "%x"));
    EXPECT_EQ(alerts->GetItemText(0, 1), "Price went above 100.00");
    EXPECT_EQ(alerts->GetItemFont(0), QxAlertMgrPanel::boldItalicListFont());
    EXPECT_TRUE(framestest::saveWindowShot(frame, "alert_manager.png"));

    // A double click opens a daily chart of the row's security, with the
    // default template's indicators as every other new chart.
    {
        QxIndicatorRegistry::instance()->addBuiltInIndicators();
        QxObjectSmartPtr<QxTemplate> standard(new QxTemplate());
        EXPECT_EQ(standard->addIndicator(QxIndicatorRegistry::instance()->getIndicator(QxAtom("RSI"))->clone(7), 0), eNoError);
        QxGlobalVars::get().defaultTemplate = standard;
    }
    selectOnly(settings, {0});
    const int chartsBefore = chartFrames();
    wxListEvent activated(wxEVT_LIST_ITEM_ACTIVATED, settings->GetId());
    activated.SetEventObject(settings);
    activated.m_itemIndex = 0;
    settings->ProcessWindowEvent(activated);
    EXPECT_EQ(chartFrames(), chartsBefore + 1);
    QxGlobalVars::get().defaultTemplate = nullptr;
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* chartFrame = dynamic_cast<QxChartFrame*>(w)) {
            QxChart* chart = chartFrame->getChartView()->getChartist()->getChart();
            EXPECT_STREQ(chart->getCalc()->getSecurity()->ticker(), "ABC");
            std::vector<wxString> titles;
            for (unsigned z = 0; z < chart->numZones(); ++z)
                titles.push_back(chart->zoneAt(z)->getTitle());
            EXPECT_NE(std::find_if(titles.begin(), titles.end(), [](const wxString& t) { return t.StartsWith("RSI"); }),
                      titles.end())
                << "the default template's RSI zone";
            w->Destroy();
        }
    framestest::pump(50);

    // Columns split a fifth, the rest, a fifth.
    int widths[3];
    QxAlertMgrPanel::columnWidths(503, widths);
    EXPECT_EQ(std::vector<int>(widths, widths + 3), (std::vector<int>{100, 303, 100}));
    QxAlertMgrPanel::columnWidths(alerts->GetClientSize().x, widths);
    EXPECT_EQ(alerts->GetColumnWidth(1), widths[1]);

    // Selecting a new alert marks it read.
    wxToolBar* alertTools = dynamic_cast<wxToolBar*>(alerts->GetParent()->GetChildren().front());
    ASSERT_NE(alertTools, nullptr);
    const long abcLatest = 1;
    selectOnly(alerts, {abcLatest});
    EXPECT_EQ(mgr->numNewAlerts(), 3);
    EXPECT_EQ(alerts->GetItemFont(abcLatest), QxAlertMgrPanel::normalListFont());
    EXPECT_TRUE(toolEnabled(1000, alertTools));
    panel->markSelectedUnread();
    EXPECT_EQ(mgr->numUnreadAlerts(), 1);
    EXPECT_EQ(alerts->GetItemFont(abcLatest), QxAlertMgrPanel::boldListFont());
    EXPECT_FALSE(toolEnabled(1000, alertTools)) << "only unread alerts selected";

    // Deleting two alerts; the settings row shows the remaining one's date.
    selectOnly(alerts, {2, 3});
    auto total = [mgr] { return mgr->numNewAlerts() + mgr->numUnreadAlerts() + mgr->numReadAlerts(); };
    const int before = total();
    panel->deleteSelectedAlerts();
    EXPECT_EQ(total(), before - 2);
    EXPECT_EQ(column(alerts, 0), (std::vector<wxString>{"ABC", "ABC"}));
    EXPECT_EQ(settings->GetItemText(1, 2), "") << "ZED has no alert left";

    // Set Alert: a bad price is refused in the dialog, a duplicate by the panel.
    std::vector<wxString> messages;
    std::vector<const char*> prices;
    int answer = wxID_NO;
    framestest::DialogCatcher catcher([&](wxDialog* d) {
        if (auto* box = dynamic_cast<wxMessageDialogBase*>(d)) {
            messages.push_back(box->GetMessage());
            return (box->GetMessageDialogStyle() & wxYES_NO) ? answer : static_cast<int>(wxID_OK);
        }
        auto* dlg = dynamic_cast<QxAlertSettingsDlg*>(d);
        if (!dlg)
            return static_cast<int>(wxID_CANCEL);
        dlg->setSecurity(abc); // as the link's selection dialog would
        for (const char* price : prices) {
            dlg->priceText()->ChangeValue(price);
            if (dlg->accept())
                return static_cast<int>(wxID_OK);
        }
        return static_cast<int>(wxID_CANCEL);
    });
    prices = {"0", "abc", "12.5"};
    panel->setAlert();
    EXPECT_EQ(messages, (std::vector<wxString>{"Invalid price value.", "Invalid price value."}));
    EXPECT_NE(rowOf(settings, "ABC", "When price goes above 12.50"), -1);
    messages.clear();
    prices = {"12.5"};
    panel->setAlert();
    EXPECT_EQ(messages,
              (std::vector<wxString>{"New alert setting that you wanted to add already exists for the security."}));
    EXPECT_EQ(settings->GetItemCount(), 3);

    // Removing two settings asks first; one setting with its alerts, not.
    messages.clear();
    selectOnly(settings, {rowOf(settings, "ABC", "When price goes above 12.50"),
                          rowOf(settings, "ZED", "When price goes below 50.00")});
    panel->removeSettings();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "You have selected multiple alert-settings.\nDo you really want to delete all of them?");
    EXPECT_EQ(settings->GetItemCount(), 3) << "answered No";
    answer = wxID_YES;
    panel->removeSettings();
    EXPECT_EQ(column(settings, 1), (std::vector<wxString>{"When price goes above 100.00"}));
    EXPECT_EQ(alerts->GetItemCount(), 2);
    messages.clear();
    selectOnly(settings, {0});
    panel->removeSettings();
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ(alerts->GetItemCount(), 0);
    EXPECT_EQ(settings->GetItemCount(), 0);
    EXPECT_EQ(total(), 0);
    ASSERT_TRUE(mgr->addSetting(zed, priceSetting(10, 50).get(), market->barTime(0)));

    // Rows outlive the manager emptying itself at exit.
    EXPECT_TRUE(mgr->save());
    EXPECT_EQ(column(settings, 0), (std::vector<wxString>{"ZED"}));
    frame->Destroy();
    home->Destroy();
    framestest::pump(50);
    EXPECT_EQ(QxAlertMgrFrame::instance(), nullptr);
    EXPECT_EQ(mgr->numAlertSettingReactors(), 1u) << "only the test's reactor is left";
}

// The frame opens at the size the user left the last one, under a window
// manager; never below its minimum, whatever was stored; and maximising it
// keeps the size to restore to.
TEST_F(AlertMgrTest, TheAlertManagerFrameOpensAtTheSizeLeft)
{
    startManager();
    TestSupport::ScopedWindowManager desktop;
    ASSERT_TRUE(desktop.ok());
    QxGlobalVars& globals = QxGlobalVars::get();
    const wxSize saved = globals.alertMgrFrameSize;
    const wxSize minimum(660, 420);
    EXPECT_EQ(QxGlobalVars().alertMgrFrameSize, minimum) << "the default is the minimum";
    auto open = [] {
        QxAlertMgrFrame* frame = QxAlertMgrFrame::showFrame();
        TestSupport::pumpUntil([&] { return frame->IsShownOnScreen(); }, 5000);
        framestest::pump(300);
        return frame;
    };
    auto close = [](QxAlertMgrFrame* frame) {
        frame->Destroy();
        framestest::pump(200);
    };
    struct Case {
        wxSize stored;
        wxSize opens;
    } cases[] = {{wxSize(500, 350), minimum}, {wxSize(600, 700), wxSize(660, 700)}, {wxSize(800, 560), wxSize(800, 560)}};
    for (const Case& c : cases) {
        globals.alertMgrFrameSize = c.stored;
        QxAlertMgrFrame* frame = open();
        EXPECT_EQ(frame->GetSize(), c.opens) << c.stored.x << "x" << c.stored.y;
        close(frame);
    }

    QxAlertMgrFrame* frame = open();
    frame->SetSize(wxSize(900, 600));
    EXPECT_TRUE(TestSupport::pumpUntil([&] { return globals.alertMgrFrameSize == wxSize(900, 600); }, 3000));
    frame->Maximize(true);
    EXPECT_TRUE(TestSupport::pumpUntil([&] { return frame->IsMaximized(); }, 5000));
    framestest::pump(300);
    EXPECT_EQ(globals.alertMgrFrameSize, wxSize(900, 600)) << "the size to restore to";
    close(frame);
    frame = open();
    EXPECT_EQ(frame->GetSize(), wxSize(900, 600));
    close(frame);
    globals.alertMgrFrameSize = saved;
}
