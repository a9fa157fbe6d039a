// Change Database with windows open: what shows a security of the old
// database closes (a chart with unsaved changes asks, and Cancel keeps the
// old database), the portfolio and alert managers are built again over the
// new one from their stored keys, and the last finding is forgotten. The
// two databases hand out the same ids for other securities.
#include "app/QxCommonFrame.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxChartView.h"
#include "core/QxCalculator.h"
#include "core/QxPriceHistory.h"
#include "securities/QxPortfolio.h"
#include "securities/QxPortfolioFiles.h"
#include "securities/QxPortfolioManagerFrame.h"
#include "securities/QxPortfolioValues.h"
#include "securities/QxPortfolioView.h"
#include "trading/QxAlertMgr.h"
#include "trading/QxAlertMgrFrame.h"
#include "trading/QxAlertMgrPanel.h"
#include "trading/QxAlertSetting.h"
#include "trading/QxIdeaScan.h"

#include "support/WebProviderTestSupport.h"
#include "support/FramesTestSupport.h"
#include "support/SecuritiesTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/listctrl.h>
#include <wx/msgdlg.h>

#include <filesystem>

using framestest::DialogCatcher;
using wptest::daysAgo;

namespace {

// Forty daily bars up to yesterday, all closing at close.
void seed(wptest::MemSecurity* s, double close)
{
    for (int d = 40; d >= 1; --d)
        s->put(daysAgo(d), close);
}

std::vector<QxChartFrame*> liveCharts()
{
    std::vector<QxChartFrame*> out;
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* f = dynamic_cast<QxChartFrame*>(w); f && !w->IsBeingDeleted() && !wxPendingDelete.Member(w))
            out.push_back(f);
    return out;
}

QxObjectSmartPtr<QxAlertSetting> above(double price)
{
    QxObjectSmartPtr<QxAlertSetting> setting(new QxAlertSetting(nullptr, 9));
    setting->setPriceOfInterest(price);
    return setting;
}

} // namespace

TEST(ChangeDatabase, WindowsOfTheOldDatabaseCloseAndTheManagersAreBuiltAgainOverTheNewOne)
{
    framestest::ScopedApplication scoped;
    QxAlertMgr::destroy();
    std::filesystem::remove(QxAlertMgr::filePath().ToStdString());

    // The old database: ZED (id 1) at 10, ABC (id 2) at 20. The new one:
    // XYZ takes id 1, and its ABC (id 2) closes at 50.
    QxObjectSmartPtr<wptest::MemDatabase> before(new wptest::MemDatabase);
    wptest::MemCategory* oldMarket = before->add("US.NYSE.STOCK", "Yahoo!");
    wptest::MemSecurity* zed = oldMarket->add("ZED", "Zed Old");
    wptest::MemSecurity* oldAbc = oldMarket->add("ABC", "Abc Old");
    seed(zed, 10);
    seed(oldAbc, 20);
    QxObjectSmartPtr<wptest::MemDatabase> after(new wptest::MemDatabase);
    wptest::MemCategory* newMarket = after->add("US.NYSE.STOCK", "Yahoo!");
    wptest::MemSecurity* xyz = newMarket->add("XYZ", "Xyz New");
    wptest::MemSecurity* newAbc = newMarket->add("ABC", "Abc New");
    seed(xyz, 30);
    seed(newAbc, 50);
    ASSERT_EQ(zed->id(), xyz->id());
    ASSERT_EQ(oldAbc->id(), newAbc->id());
    scoped.app().changeDatabase(QxObjectSmartPtr<QxDatabase>(before.get()));

    const std::string abcKey = "Yahoo!|US.NYSE.STOCK|ABC";
    sectest::writeFile(qxPortfoliosFilePath(),
                       "<portfolios><portfolio name=\"Income\"><position security=\"" + abcKey +
                           "\"><transaction price=\"10\" time=\"" + std::to_string(daysAgo(30)) +
                           "\" quantity=\"5\" load=\"0\"/></position></portfolio></portfolios>");
    sectest::writeFile(qxWatchlistsFilePath(), "<watchlists/>");

    QxAlertMgr* alerts = QxAlertMgr::get();
    ASSERT_TRUE(alerts->addSetting(oldAbc, above(100).get(), daysAgo(5)));
    ASSERT_TRUE(alerts->addSetting(zed, above(100).get(), daysAgo(5)));
    auto* home = new QxCommonFrame(nullptr, wxID_ANY, "home");
    QxPortfolioManagerFrame* portfolios = QxPortfolioManagerFrame::showFrame();
    QxAlertMgrFrame* alertFrame = QxAlertMgrFrame::showFrame();
    framestest::pump(100);
    ASSERT_EQ(alertFrame->panel()->settingsList()->GetItemCount(), 2);

    // Charts of both old securities; the ABC chart was saved and changed since.
    ASSERT_TRUE(QxChartView::createChartView(zed, Qx::eDaily, Qx::ePriceCandles, nullptr));
    QxChartView* abcChart = QxChartView::createChartView(oldAbc, Qx::eDaily, Qx::ePriceCandles, nullptr);
    ASSERT_TRUE(abcChart);
    const wxString chartFile = wxString::FromUTF8(TestSupport::makeTempDir("dbchange") + "/abc.trdc");
    abcChart->getFrame()->setChartFile(chartFile);
    QxChart* chart = abcChart->getChartist()->getChart();
    chart->showVolumeZone(!chart->isVolZoneVisible());
    ASSERT_TRUE(abcChart->getFrame()->hasUnsavedChanges());
    lastFindingSecurityIds() = {zed->id(), oldAbc->id()};
    framestest::pump(100);

    // Cancel at the question: nothing changes, the old database stays.
    {
        std::vector<wxString> asked;
        DialogCatcher catcher([&](wxDialog* d) {
            if (auto* box = dynamic_cast<wxMessageDialogBase*>(d))
                asked.push_back(box->GetMessage());
            return static_cast<int>(wxID_CANCEL);
        });
        EXPECT_FALSE(QxCommonFrame::replaceDatabase(QxObjectSmartPtr<QxDatabase>(after.get())));
        framestest::pump(100);
        EXPECT_EQ(asked, std::vector<wxString>{"The chart has changed since it was saved to \"abc.trdc\".\n"
                                               "Save the changes?"});
    }
    EXPECT_EQ(scoped.app().currentDatabase(), before.get());
    EXPECT_EQ(liveCharts().size(), 2u);
    EXPECT_EQ(QxPortfolioManagerFrame::instance(), portfolios);
    EXPECT_EQ(lastFindingSecurityIds().size(), 2u);

    // No: the changes go, and so does every window of the old database.
    {
        DialogCatcher catcher([](wxDialog*) { return static_cast<int>(wxID_NO); });
        EXPECT_TRUE(QxCommonFrame::replaceDatabase(QxObjectSmartPtr<QxDatabase>(after.get())));
        ASSERT_TRUE(TestSupport::pumpUntil([&] { return scoped.app().currentDatabase() == after.get(); }, 5000));
        framestest::pump(100);
    }
    EXPECT_TRUE(liveCharts().empty());
    EXPECT_TRUE(lastFindingSecurityIds().empty()) << "ids of the other database";
    {
        QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(newAbc));
        const QxPriceHistory* prices = calc->prices(false);
        ASSERT_TRUE(prices);
        EXPECT_DOUBLE_EQ(prices->close()[0], 50) << "no price of the old ABC reaches the new one";
    }

    // The portfolio manager is a new frame over the new database: its ABC
    // is the new one, valued at 50.
    QxPortfolioManagerFrame* rebuilt = QxPortfolioManagerFrame::instance();
    ASSERT_TRUE(rebuilt);
    EXPECT_NE(rebuilt, portfolios);
    QxPortfolioView* view = rebuilt->view();
    const QxPortfolio* income = nullptr;
    for (const auto& [id, p] : view->book().portfolios())
        if (p->name() == "Income")
            income = p.get();
    ASSERT_TRUE(income);
    ASSERT_EQ(income->positions().count(abcKey), 1u);
    QxSecurity* held = income->positions().at(abcKey).security();
    ASSERT_TRUE(held);
    EXPECT_EQ(held->category()->database(), after.get());
    const QxCloses closes = view->closesOf(held);
    EXPECT_DOUBLE_EQ(closes.last, 50);

    // The alert manager holds the new ABC; ZED is not in the new database
    // and waits, kept, as a setting not evaluated.
    QxAlertMgr* mgr = QxAlertMgr::existing();
    ASSERT_EQ(mgr, alerts) << "the same manager, rebuilt in place";
    ASSERT_EQ(mgr->securitiesIndex().size(), 1u);
    EXPECT_EQ(mgr->securitiesIndex().begin()->first->category()->database(), after.get());
    EXPECT_STREQ(mgr->securitiesIndex().begin()->first->ticker(), "ABC");
    ASSERT_EQ(mgr->orphans().size(), 1u);
    EXPECT_EQ(mgr->orphans()[0].security, "Yahoo!|US.NYSE.STOCK|ZED");
    QxAlertMgrFrame* newAlertFrame = QxAlertMgrFrame::instance();
    ASSERT_TRUE(newAlertFrame);
    EXPECT_NE(newAlertFrame, alertFrame);
    wxListCtrl* settings = newAlertFrame->panel()->settingsList();
    ASSERT_EQ(settings->GetItemCount(), 2) << "ABC's setting and the one not evaluated";
    framestest::saveWindowShot(newAlertFrame, "alert_manager_after_change_database.png");

    EXPECT_FALSE(home->IsBeingDeleted()) << "the home frame stays";
    for (wxWindow* w : wxTopLevelWindows)
        w->Destroy();
    framestest::pump(100);

    // Nothing was written over: the file still names both securities.
    QxAlertMgr::destroy();
    QxAlertMgr* reread = QxAlertMgr::get();
    EXPECT_EQ(reread->securitiesIndex().size(), 1u);
    EXPECT_EQ(reread->orphans().size(), 1u);
    QxAlertMgr::destroy();
    scoped.app().changeDatabase(nullptr);
}
