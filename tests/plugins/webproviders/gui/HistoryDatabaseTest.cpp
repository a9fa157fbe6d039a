// The web providers with the real history database: trddb.trdx, tickpuller
// and barfetcher loaded from the build tree, a database file opened through
// the reader, categories from the shipped lists, and prices downloaded into
// its tables in the foreground and in the background.
#include "app/QxPluginLoader.h"
#include "core/QxCalculator.h"
#include "core/QxDataProviderRepository.h"
#include "core/QxDataReader.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxErrorCode.h"
#include "core/platform/wxeStandardPaths.h"

#include "support/WebProviderTestSupport.h"
#include "support/TestSupport.h"
#include "support/WindowShot.h"

#include <gtest/gtest.h>

#include <wx/evtloop.h>
#include <wx/filename.h>
#include <wx/timer.h>

#include <chrono>
#include <fstream>
#include <sstream>

using wptest::PriceServer;
using wptest::daysAgo;

namespace {

using TestSupport::loopUntil;
// The stored daily bars as "time=close;" text.
std::string stored(QxSecurity* s)
{
    int64_t from = 0, to = 0;
    QxObjectSmartPtr<QxPriceHistory> h(s->getHistory(Qx::eDaily, from, to));
    std::string out;
    for (unsigned i = 0; h && i < h->numBars(); ++i)
        out += std::to_string(h->timestamp()[i]) + "=" + std::to_string(h->close()[i]) + ";";
    return out;
}

int64_t lastStored(QxSecurity* s)
{
    QxQuote q;
    int64_t since = 0;
    return s->lastQuote(since, q) == 0 ? q.time : 0;
}

// Ten bars ending n days ago, all closing at 100.
void seed(QxSecurity* s, int n)
{
    QxObjectSmartPtr<QxPriceHistory> h(new QxPriceHistory(Qx::eStock, Qx::eDaily));
    for (int k = n + 9; k >= n; --k) {
        QxQuote q;
        q.securityType = Qx::eStock;
        q.time = daysAgo(k);
        q.open = q.low = q.close = 100;
        q.high = 101;
        q.volume = 10;
        h->insertOrReplaceQuote(q);
    }
    ASSERT_EQ(s->saveHistory(h.get()), 0);
}

class Redraws : public QxPriceHistoryChangeReactor {
public:
    void eodPriceHistoryChanged(unsigned id) override
    {
        ++counts[id];
        onMain = onMain && wxThread::IsMain();
    }
    void intradayPriceHistoryChanged(unsigned) override {}
    std::map<unsigned, int> counts;
    bool onMain = true;
};

} // namespace

TEST(HistoryDatabase, ProvidersFillAndUpdateARealDatabase)
{
    wptest::ScopedPriceService server;
    ASSERT_TRUE(server.started());
    {
        QxPluginLoader loader;
        QxObjectSmartPtr<QxDatabase> db;
        ASSERT_NO_FATAL_FAILURE(wptest::openHistoryDatabase(loader, "hist.trddb", db));

        // Opening filled the providers' categories from their lists.
        QxObjectSmartPtr<QxCategory> nasdaq(db->findCategory("US.NASDAQ.STOCK", "Google"));
        QxObjectSmartPtr<QxCategory> nyse(db->findCategory("US.NYSE.STOCK", "Yahoo!"));
        QxObjectSmartPtr<QxCategory> dji(db->findCategory("US.DJX.INDEX", "Google"));
        ASSERT_TRUE(nasdaq && nyse && dji);
        QxObjectSmartPtr<QxSecurity> aapl(nasdaq->findSecurity("AAPL"));
        QxObjectSmartPtr<QxSecurity> msft(nasdaq->findSecurity("MSFT"));
        QxObjectSmartPtr<QxSecurity> ibm(nyse->findSecurity("IBM"));
        QxObjectSmartPtr<QxSecurity> dow(dji->findSecurity(".DJI"));
        ASSERT_TRUE(aapl && msft && ibm && dow);
        EXPECT_STREQ(aapl->name(), "Apple Inc.");
        for (QxSecurity* s : {aapl.get(), msft.get(), ibm.get(), dow.get()})
            seed(s, 4);

        // Foreground: the calculator's prices come back up to date, the
        // stored bars unchanged.
        const std::string before = stored(aapl.get());
        QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(aapl.get()));
        QxPriceHistory* prices = calc->prices(false);
        ASSERT_NE(prices, nullptr);
        EXPECT_EQ(prices->timestamp()[prices->numBars() - 1], daysAgo(0));
        EXPECT_EQ(lastStored(aapl.get()), daysAgo(0));
        EXPECT_EQ(stored(aapl.get()).substr(0, before.size()), before);
        ASSERT_EQ(server.requestCount(), 1);
        const auto first = wptest::queryParams(server.requests()[0].query);
        EXPECT_EQ(first.at("q"), "AAPL");
        EXPECT_EQ(first.at("x"), "NASDAQ");
        EXPECT_EQ(first.at("p"), "4d");

        // Failures leave the stored bars alone.
        server.mode = PriceServer::Mode::Error500;
        const std::string msftBefore = stored(msft.get());
        msft->updateFromProvider(false);
        EXPECT_EQ(stored(msft.get()), msftBefore);
        server.mode = PriceServer::Mode::Garbage;
        ibm->updateFromProvider(false);
        EXPECT_EQ(lastStored(ibm.get()), daysAgo(4));
        server.mode = PriceServer::Mode::Normal;

        // Background: the completions reach the hub on the GUI thread.
        Redraws redraws;
        for (QxSecurity* s : {msft.get(), ibm.get(), dow.get()}) {
            QxDataChangeReactorMgr::instance()->addPriceHistoryChangeReactor(s->id(), &redraws);
            s->updateFromProvider(true);
        }
        ASSERT_TRUE(loopUntil([&] { return redraws.counts.size() == 3; }, 15));
        EXPECT_TRUE(redraws.onMain);
        for (QxSecurity* s : {msft.get(), ibm.get(), dow.get()}) {
            SCOPED_TRACE(s->ticker());
            EXPECT_EQ(lastStored(s), daysAgo(0));
            QxDataChangeReactorMgr::instance()->remPriceHistoryChangeReactor(s->id(), &redraws);
        }
        // The index is asked for under the service's index code.
        bool sawIndex = false;
        for (const auto& r : server.requests()) {
            auto p = wptest::queryParams(r.query);
            if (p.count("q") && p["q"] == ".DJI")
                sawIndex = p["x"] == "INDEXDJX";
        }
        EXPECT_TRUE(sawIndex);

        // A security added to a provider's category joins its index file.
        QxObjectSmartPtr<QxSecurity> added(nasdaq->addSecurity("TSLA", "Tesla Motors"));
        ASSERT_TRUE(added);
        const wxString indexFile =
            wxeStandardPaths().GetUserDataDir() + "/tickpull/google_index/US.NASDAQ.STOCK.txt";
        std::ifstream in(indexFile.utf8_string());
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_NE(text.str().find("\nTSLA\tTesla Motors"), std::string::npos);

        calc.reset();
        added.reset();
        aapl.reset();
        msft.reset();
        ibm.reset();
        dow.reset();
        nasdaq.reset();
        nyse.reset();
        dji.reset();
        QxDataProviderRepository::instance()->windupAll();
        db.reset();
        loader.exitPlugins();
    }
    QxDataChangeReactorMgr::destroy();
    QxDataProviderRepository::destroy();
    QxDataReaderRepository::destroy();
}
