// An alert fired by downloaded prices: the real history database and the
// Yahoo! provider loaded from the build tree, a price server on 127.0.0.1,
// and the manager evaluating at idle time after the download lands.
#include "AlertTestSupport.h"

#include "app/QxCommonFrame.h"
#include "app/QxPluginLoader.h"
#include "chartframe/QxPortfolioToolbar.h"
#include "core/QxDataProviderRepository.h"
#include "core/QxDataReader.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxErrorCode.h"

#include "support/WebProviderTestSupport.h"
#include "support/TestSupport.h"
#include "support/WindowShot.h"

#include <gtest/gtest.h>

#include <wx/evtloop.h>
#include <wx/timer.h>

#include <chrono>
#include <functional>

using namespace alerttest;

namespace {

using TestSupport::loopUntil;

// Ten stored bars closing at 100, the last one n days ago.
void seed(QxSecurity* s, int n)
{
    QxObjectSmartPtr<QxPriceHistory> h(new QxPriceHistory(Qx::eStock, Qx::eDaily));
    for (int k = n + 9; k >= n; --k) {
        QxQuote q;
        q.securityType = Qx::eStock;
        q.time = wptest::daysAgo(k);
        q.open = q.low = q.close = 100;
        q.high = 101;
        q.volume = 10;
        h->insertOrReplaceQuote(q);
    }
    ASSERT_EQ(s->saveHistory(h.get()), 0);
}

int64_t lastStored(QxSecurity* s)
{
    QxQuote q;
    int64_t since = 0;
    return s->lastQuote(since, q) == 0 ? q.time : 0;
}

} // namespace

TEST_F(AlertMgrTest, ADownloadFiresAnAlertAtIdleTimeAndTheHomeIconShowsIt)
{
    wptest::ScopedPriceService server;
    ASSERT_TRUE(server.started());
    {
        QxPluginLoader loader;
        QxObjectSmartPtr<QxDatabase> db;
        ASSERT_NO_FATAL_FAILURE(wptest::openHistoryDatabase(loader, "alerts.trddb", db));
        scoped.app().changeDatabase(db);

        QxObjectSmartPtr<QxCategory> nyse(db->findCategory("US.NYSE.STOCK", "Yahoo!"));
        ASSERT_TRUE(nyse);
        QxObjectSmartPtr<QxSecurity> ibm(nyse->findSecurity("IBM"));
        ASSERT_TRUE(ibm);
        seed(ibm.get(), 4);

        auto* home = new QxCommonFrame(nullptr, wxID_ANY, "home");
        auto* portfolioTools = new QxPortfolioToolbar(home, wxID_ANY, wxDefaultPosition, wxSize(16, 16), 0);
        portfolioTools->Realize();

        // Price above 150: the stored closes (100) stay below, the server's
        // (200 and the day of the month) are above. The first evaluation
        // runs on the stored bars while the download the setting asked for
        // is still out, and fires nothing; that download fails.
        QxAlertMgr* mgr = startManager();
        QxObjectSmartPtr<QxAlertSetting> setting(new QxAlertSetting(nullptr, 9));
        setting->setPriceOfInterest(150);
        server.mode = wptest::PriceServer::Mode::Error500;
        ASSERT_TRUE(mgr->addSetting(ibm.get(), setting.get(), wptest::daysAgo(4)));
        QxDataProvider* provider = QxDataProviderRepository::instance()->providerOf(ibm.get());
        ASSERT_NE(provider, nullptr);
        EXPECT_TRUE(provider->isUpdating(ibm.get()));
        runIdle(500);
        EXPECT_EQ(mgr->pendingEvaluations(), 0);
        EXPECT_EQ(reactor.added, 0);
        EXPECT_EQ(mgr->numNewAlerts(), 0);
        ASSERT_TRUE(loopUntil([&] { return !provider->isUpdating(ibm.get()); }, 15));
        EXPECT_EQ(server.requestCount(), 1);
        EXPECT_EQ(lastStored(ibm.get()), wptest::daysAgo(4));
        EXPECT_STREQ(portfolioTools->currentAlertArtId(), "QxART_alert");

        // A background download: when its bars reach the database the
        // manager queues an evaluation, which fires at idle time.
        server.mode = wptest::PriceServer::Mode::Normal;
        ibm->updateFromProvider(true);
        int64_t ms = 500;
        bool queued = false;
        ASSERT_TRUE(loopUntil(
            [&] {
                queued = queued || mgr->pendingEvaluations() > 0;
                runIdle(ms += 100);
                return mgr->numNewAlerts() > 0;
            },
            15));
        EXPECT_TRUE(queued) << "the evaluation waits for idle time";
        EXPECT_EQ(lastStored(ibm.get()), wptest::daysAgo(0));
        EXPECT_EQ(reactor.added, mgr->numNewAlerts());

        // The evaluation made while bars were still to come left its marker
        // just after the last stored bar, so every downloaded bar above the
        // level fires, not only today's.
        const QxAlertList* alerts = mgr->alertsOf(ibm.get(), setting.get());
        ASSERT_NE(alerts, nullptr);
        std::vector<int64_t> fired;
        for (const auto& entry : *alerts)
            if (entry.second.status == QxAlert::eNew)
                fired.push_back(entry.first);
        EXPECT_EQ(fired, (std::vector<int64_t>{wptest::daysAgo(3), wptest::daysAgo(2), wptest::daysAgo(1),
                                               wptest::daysAgo(0)}));
        EXPECT_STREQ(portfolioTools->currentAlertArtId(), "QxART_alert_of_alerts");

        mgr->removeAlertReactor(&reactor);
        mgr->removeAlertSettingReactor(&reactor);
        home->Destroy();
        framestest::pump(20);
        QxAlertMgr::destroy();
        QxIdleTaskQueue::instance()->clear();
        scoped.app().changeDatabase(QxObjectSmartPtr<QxDatabase>(market.get()));
        setting.reset();
        ibm.reset();
        nyse.reset();
        QxDataProviderRepository::instance()->windupAll();
        db.reset();
        loader.exitPlugins();
    }
}
