// Foreground and background updates against a price server on 127.0.0.1
// that speaks both protocols: bringing histories up to date, the bounded
// pool of download threads with its queue, failures that must leave stored
// bars alone, wind-up, and the plug-in entry.
#include "core/QxDataProviderRepository.h"
#include "core/platform/QxServiceAddress.h"
#include "plugins/webproviders/QxGoogleDataDownloader.h"
#include "plugins/webproviders/QxYahooDataDownloader.h"

#include "support/WebProviderTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/thread.h>

#include <chrono>
#include <fstream>
#include <memory>

using wptest::MemCategory;
using wptest::MemDatabase;
using wptest::MemSecurity;
using wptest::PriceServer;
using wptest::daysAgo;
using wptest::pumpUntil;

namespace {

using Clock = std::chrono::steady_clock;
double secondsSince(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

QxWebProviderPaths scratchPaths()
{
    return QxWebProviderPaths{wxString(TestSupport::makeTempDir("user")), wxString(TestSupport::makeTempDir("prog"))};
}

// Records the order in which downloads start and checks the limit at each.
template <class Base>
class RecordingProvider : public Base {
public:
    RecordingProvider() : Base(scratchPaths()) {}
    std::vector<std::string> started;
    bool limitKept = true;

protected:
    QxWebDownloadThread* createDownloadThread(int id, const std::string& url, QxSecurity* security) override
    {
        started.push_back(security->ticker());
        limitKept = limitKept && this->numRunningDownloads() < QxWebDataDownloader::maxRunningDownloads();
        return Base::createDownloadThread(id, url, security);
    }
};

// Counts the end-of-day change notices of securities and where they ran.
class ChangeCounter : public QxPriceHistoryChangeReactor {
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

// The stored bars of a security as "time=close" text, to compare before
// and after.
std::string snapshot(const MemSecurity* s)
{
    std::string out;
    for (unsigned i = 0; i < s->numBars(); ++i)
        out += std::to_string(s->bar(i).time) + "=" + std::to_string(s->bar(i).close) + ";";
    return out;
}

template <class Provider>
class DownloadFixture : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start());
        QxServiceAddress::set(QxGoogleDataDownloader::serviceName, server.baseUrl());
        QxServiceAddress::set(QxYahooDataDownloader::serviceName, server.baseUrl());
        db = new MemDatabase;
        category = db->add(std::is_same<Provider, QxGoogleDataDownloader>::value ? "US.NASDAQ.STOCK"
                                                                                 : "US.NYSE.STOCK",
                           provider->name().string().utf8_string());
        QxHttpOptions fast;
        fast.connectTimeoutMs = 1000;
        fast.totalTimeoutMs = 1500;
        provider->setHttpOptions(fast);
    }
    void TearDown() override
    {
        provider->windup();
        provider.reset();
        server.stop();
        QxServiceAddress::set(QxGoogleDataDownloader::serviceName, "");
        QxServiceAddress::set(QxYahooDataDownloader::serviceName, "");
        QxDataChangeReactorMgr::destroy();
        QxDataProviderRepository::destroy();
    }

    // A security whose last stored bar lies days before today.
    MemSecurity* security(const std::string& ticker, int lastBarDaysAgo)
    {
        MemSecurity* s = category->add(ticker, ticker);
        if (lastBarDaysAgo >= 0)
            for (int k = lastBarDaysAgo + 5; k >= lastBarDaysAgo; --k)
                s->put(daysAgo(k), 100.0);
        return s;
    }

    PriceServer server;
    QxObjectSmartPtr<RecordingProvider<Provider>> provider{new RecordingProvider<Provider>};
    QxObjectSmartPtr<MemDatabase> db;
    MemCategory* category = nullptr;
};

using Providers = testing::Types<QxGoogleDataDownloader, QxYahooDataDownloader>;
template <class P>
using ProviderDownload = DownloadFixture<P>;
TYPED_TEST_SUITE(ProviderDownload, Providers);

} // namespace

TYPED_TEST(ProviderDownload, ForegroundUpdateBringsTheHistoryUpToDate)
{
    MemSecurity* s = this->security("IBM", 10);
    const std::string before = snapshot(s);
    this->provider->update(s, false);

    // Every day after the last stored bar up to today, from the server; the
    // stored bars unchanged.
    ASSERT_EQ(this->server.requestCount(), 1);
    EXPECT_EQ(this->server.tickers().front(), "IBM");
    EXPECT_EQ(s->lastTime(), daysAgo(0));
    EXPECT_EQ(s->numBars(), 6u + 10u);
    EXPECT_EQ(snapshot(s).substr(0, before.size()), before);
    EXPECT_DOUBLE_EQ(s->lastBar().close, wptest::serverClose(wxDateTime::Today()));
    EXPECT_EQ(s->saves, 1);

    // Up to date: no request at all.
    this->provider->update(s, false);
    EXPECT_EQ(this->server.requestCount(), 1);

    // Nothing stored: the longest span the service offers.
    MemSecurity* fresh = this->security("NEW", -1);
    this->provider->update(fresh, false);
    ASSERT_EQ(this->server.requestCount(), 2);
    const auto params = wptest::queryParams(this->server.requests().back().query);
    if (std::is_same<TypeParam, QxGoogleDataDownloader>::value)
        EXPECT_EQ(params.at("p"), "40Y");
    else
        EXPECT_EQ(params.at("a") + "/" + params.at("b") + "/" + params.at("c"), "0/2/1970");
    EXPECT_EQ(fresh->lastTime(), daysAgo(0));
}

TYPED_TEST(ProviderDownload, FailedDownloadsLeaveStoredBarsAlone)
{
    using Mode = PriceServer::Mode;
    this->server.slowMs = 4000;
    for (Mode mode : {Mode::Error500, Mode::Garbage, Mode::Empty, Mode::Hang, Mode::Close, Mode::Slow}) {
        SCOPED_TRACE(int(mode));
        this->server.mode = mode;
        MemSecurity* s = this->security("F" + std::to_string(int(mode)), 3);
        const std::string before = snapshot(s);

        // Foreground: bounded by the transfer timeouts.
        const auto start = Clock::now();
        this->provider->update(s, false);
        EXPECT_LT(secondsSince(start), 3.0);
        EXPECT_EQ(snapshot(s), before);

        // Background: returns at once; the completion stores nothing.
        const int requests = this->server.requestCount();
        const auto bgStart = Clock::now();
        this->provider->update(s, true);
        EXPECT_LT(secondsSince(bgStart), 0.5);
        EXPECT_TRUE(pumpUntil([&] { return this->provider->numRunningDownloads() == 0; }, 5));
        EXPECT_EQ(this->server.requestCount(), requests + 1);
        EXPECT_EQ(snapshot(s), before);
        EXPECT_EQ(s->saves, 0);
    }
}

TYPED_TEST(ProviderDownload, BackgroundDownloadsRespectTheLimitAndQueueOrder)
{
    const unsigned limit = QxWebDataDownloader::maxRunningDownloads();
    ASSERT_GE(limit, 1u);
    const unsigned n = std::min(limit, 16u) * 2 + 3;
    this->server.workMs = 150;
    ChangeCounter counter;
    std::vector<MemSecurity*> securities;
    std::vector<std::string> order;
    for (unsigned i = 0; i < n; ++i) {
        MemSecurity* s = this->security("S" + std::to_string(100 + i), 2);
        securities.push_back(s);
        order.push_back(s->ticker());
        QxDataChangeReactorMgr::instance()->addPriceHistoryChangeReactor(s->id(), &counter);
    }
    for (MemSecurity* s : securities)
        this->provider->update(s, true);
    EXPECT_EQ(this->provider->numRunningDownloads(), std::min<size_t>(limit, n));
    EXPECT_EQ(this->provider->numQueuedDownloads(), n - std::min<size_t>(limit, n));
    // Running and queued alike still bring bars; a security not asked for does not.
    EXPECT_TRUE(this->provider->isUpdating(securities.front()));
    EXPECT_TRUE(this->provider->isUpdating(securities.back()));
    EXPECT_FALSE(this->provider->isDownloading(securities.back()));
    MemSecurity* other = this->security("IDLE", 2);
    EXPECT_FALSE(this->provider->isUpdating(other));

    // Asked again while running or queued: not started twice at once.
    this->provider->update(securities.front(), true);

    ASSERT_TRUE(pumpUntil(
        [&] { return this->provider->numRunningDownloads() == 0 && this->provider->numQueuedDownloads() == 0; }, 30));
    EXPECT_EQ(this->provider->started, order);
    EXPECT_FALSE(this->provider->isUpdating(securities.back()));
    EXPECT_TRUE(this->provider->limitKept);
    EXPECT_LE(unsigned(this->server.maxConcurrent()), limit);
    for (MemSecurity* s : securities) {
        SCOPED_TRACE(s->ticker());
        EXPECT_EQ(s->lastTime(), daysAgo(0));
        EXPECT_TRUE(s->savedOnMainThread);
        EXPECT_EQ(counter.counts[s->id()], 1);
        QxDataChangeReactorMgr::instance()->remPriceHistoryChangeReactor(s->id(), &counter);
    }
    EXPECT_TRUE(counter.onMain);
}

TYPED_TEST(ProviderDownload, ForegroundUpdateWaitsForARunningDownload)
{
    MemSecurity* s = this->security("WAIT", 4);
    this->server.workMs = 300;
    this->provider->update(s, true);
    ASSERT_TRUE(this->provider->isDownloading(s));
    this->provider->update(s, false);
    EXPECT_FALSE(this->provider->isDownloading(s));
    EXPECT_EQ(s->lastTime(), daysAgo(0));
    EXPECT_EQ(this->server.requestCount(), 1);
}

TYPED_TEST(ProviderDownload, NestedUpdatesDoNothing)
{
    MemSecurity* outer = this->security("OUTER", 2);
    MemSecurity* inner = this->security("INNER", 2);
    // Storing the bars reaches observers that ask for more prices.
    outer->onSave = [&] { this->provider->update(inner, false); };
    this->provider->update(outer, false);
    EXPECT_EQ(outer->lastTime(), daysAgo(0));
    EXPECT_EQ(inner->lastTime(), daysAgo(2));
    EXPECT_EQ(this->server.requestCount(), 1);
}

TYPED_TEST(ProviderDownload, WindupEndsPromptlyAndStartsNothingQueued)
{
    this->server.mode = PriceServer::Mode::Hang;
    QxHttpOptions patient;
    patient.connectTimeoutMs = 10000;
    patient.totalTimeoutMs = 60000;
    this->provider->setHttpOptions(patient);
    const unsigned limit = QxWebDataDownloader::maxRunningDownloads();
    const unsigned n = std::min(limit, 16u) + 2;
    std::vector<MemSecurity*> securities;
    for (unsigned i = 0; i < n; ++i) {
        securities.push_back(this->security("H" + std::to_string(i), 1));
        this->provider->update(securities.back(), true);
    }
    ASSERT_TRUE(pumpUntil([&] { return this->server.requestCount() == int(std::min(limit, n)); }, 5));

    const auto start = Clock::now();
    QxDataProviderRepository::instance()->addObj(this->provider.get());
    QxDataProviderRepository::instance()->windupAll();
    EXPECT_LT(secondsSince(start), 4.0);
    EXPECT_EQ(this->provider->numRunningDownloads(), 0u);
    EXPECT_EQ(this->provider->numQueuedDownloads(), 0u);

    // After wind-up nothing starts any more.
    this->server.mode = PriceServer::Mode::Normal;
    this->provider->update(securities.back(), true);
    EXPECT_EQ(this->provider->numRunningDownloads(), 0u);
    pumpUntil([] { return false; }, 0.2);
    EXPECT_EQ(this->server.requestCount(), int(std::min(limit, n)));
    for (MemSecurity* s : securities)
        EXPECT_EQ(s->lastTime(), daysAgo(1));
}

using GoogleDownload = DownloadFixture<QxGoogleDataDownloader>;

// Google answers are compared with the last stored bar.
TEST_F(GoogleDownload, HandlingTheSameAnswerTwiceStoresItsBarsOnce)
{
    MemSecurity* s = this->security("TWICE", 3);
    const std::string body = PriceServer::googleBody(wptest::dayFromToday(-5), wxDateTime::Today());
    this->provider->parseResponse(s, body.c_str(), body.size());
    const std::string after = snapshot(s);
    this->provider->parseResponse(s, body.c_str(), body.size());
    EXPECT_EQ(snapshot(s), after);
    EXPECT_EQ(s->saves, 1);
}

// ---------------------------------------------------------------------------

namespace {
// A Google provider that counts its live instances.
struct EntryProbe : QxGoogleDataDownloader {
    EntryProbe() : QxGoogleDataDownloader(scratchPaths()) { ++alive; }
    ~EntryProbe() override { --alive; }
    static inline int alive = 0;
};
} // namespace

TEST(ProviderEntry, RegistersUnregistersAndIgnoresOtherCommands)
{
    EntryProbe* slot = nullptr;
    QxDataProviderRepository* repo = QxDataProviderRepository::instance();

    EXPECT_TRUE(runWebProviderEntry(3, slot));
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(repo->getObj(QxAtom("Google")), nullptr);

    EXPECT_TRUE(runWebProviderEntry(1, slot));
    EXPECT_TRUE(runWebProviderEntry(1, slot)); // registered once only
    EXPECT_EQ(repo->getObj(QxAtom("Google")), slot);

    // The hub reaches the provider: opening a database fills its categories.
    const wxString indexDir = slot->indexFolder().GetPath();
    {
        std::ofstream(std::string(indexDir.utf8_string()) + "/US.NASDAQ.STOCK.txt") << "AAPL\tApple\n";
    }
    QxObjectSmartPtr<MemDatabase> db(new MemDatabase);
    QxDataChangeReactorMgr::instance()->notifyDatabaseOpened(db.get());
    EXPECT_EQ(db->numCategories(), 1u);
    EXPECT_EQ(db->commits, 1); // one provider registration, one pass

    EXPECT_TRUE(runWebProviderEntry(2, slot));
    EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(EntryProbe::alive, 0);
    EXPECT_EQ(repo->getObj(QxAtom("Google")), nullptr);
    QxObjectSmartPtr<MemDatabase> another(new MemDatabase);
    QxDataChangeReactorMgr::instance()->notifyDatabaseOpened(another.get());
    EXPECT_EQ(another->numCategories(), 0u);

    QxDataChangeReactorMgr::destroy();
    QxDataProviderRepository::destroy();
}
