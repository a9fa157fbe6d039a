// The built plug-ins tickpuller.trdx and barfetcher.trdx loaded from the
// build tree, under the GUI event loop: categories from their shipped
// lists, foreground and background updates seen by calculators and chart
// observers, a program that stays responsive while the server dawdles, and
// a prompt exit while downloads run.
#include "app/QxPluginLoader.h"
#include "core/ArtProvider.h"
#include "core/QxCalculator.h"
#include "core/QxDataProviderRepository.h"
#include "core/QxErrorCode.h"
#include "core/platform/QxServiceAddress.h"
#include "plugins/webproviders/QxWebDataDownloader.h"

#include "support/WebProviderTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dir.h>
#include <wx/evtloop.h>
#include <wx/filename.h>
#include <wx/timer.h>

#include <chrono>
#include <memory>

using wptest::MemCategory;
using wptest::MemDatabase;
using wptest::MemSecurity;
using wptest::PriceServer;
using wptest::daysAgo;

namespace {

using Clock = std::chrono::steady_clock;
double secondsSince(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

struct LoopRun {
    bool done = false;
    int ticks = 0; // timer ticks handled meanwhile: the loop kept answering
};

// Runs the GUI event loop until done() holds or the time is up.
LoopRun runLoopUntil(const std::function<bool()>& done, double seconds)
{
    LoopRun run;
    wxGUIEventLoop loop;
    wxTimer timer;
    const auto start = Clock::now();
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        ++run.ticks;
        if (done()) {
            run.done = true;
            loop.Exit();
        } else if (secondsSince(start) > seconds) {
            loop.Exit();
        }
    });
    timer.Start(10);
    loop.Run();
    timer.Stop();
    return run;
}

// Stands in for a chart open on a security: on every change it reads the
// prices again through its calculator, as a redraw does.
class ChartStandIn : public QxPriceHistoryChangeReactor {
public:
    explicit ChartStandIn(MemSecurity* security) : calculator(new QxCalculator(security)), m_id(security->id())
    {
        QxDataChangeReactorMgr::instance()->addPriceHistoryChangeReactor(m_id, this);
    }
    ~ChartStandIn() { QxDataChangeReactorMgr::instance()->remPriceHistoryChangeReactor(m_id, this); }

    void eodPriceHistoryChanged(unsigned) override
    {
        ++redraws;
        onMain = onMain && wxThread::IsMain();
        lastBar = lastBarShown();
    }
    void intradayPriceHistoryChanged(unsigned) override {}

    int64_t lastBarShown()
    {
        QxPriceHistory* h = calculator->prices(true);
        return h && h->numBars() ? h->timestamp()[h->numBars() - 1] : 0;
    }

    QxObjectSmartPtr<QxCalculator> calculator;
    int redraws = 0;
    bool onMain = true;
    int64_t lastBar = 0;

private:
    unsigned m_id;
};

class LoadedProviders : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start());
        QxServiceAddress::set("google", server.baseUrl());
        QxServiceAddress::set("yahoo", server.baseUrl());
        for (const char* name : {"tickpuller", "barfetcher"})
            ASSERT_EQ(loader.loadPlugin(wxString(TestSupport::binDir()) + "/" + name + ".trdx"), eNoError) << name;
        db = new MemDatabase;
        google = db->add("US.NASDAQ.STOCK", "Google");
        yahoo = db->add("US.NYSE.STOCK", "Yahoo!");
    }
    void TearDown() override
    {
        QxDataProviderRepository::instance()->windupAll();
        loader.exitPlugins();
        server.stop();
        QxServiceAddress::set("google", "");
        QxServiceAddress::set("yahoo", "");
        db.reset();
        QxDataChangeReactorMgr::destroy();
        QxDataProviderRepository::destroy();
    }

    MemSecurity* security(MemCategory* category, const std::string& ticker, int lastBarDaysAgo)
    {
        MemSecurity* s = category->add(ticker, ticker);
        for (int k = lastBarDaysAgo + 20; k >= lastBarDaysAgo; --k)
            s->put(daysAgo(k), 100.0);
        return s;
    }

    PriceServer server;
    QxPluginLoader loader;
    QxObjectSmartPtr<MemDatabase> db;
    MemCategory* google = nullptr;
    MemCategory* yahoo = nullptr;
};

} // namespace

TEST_F(LoadedProviders, PluginsRegisterAndFillCategoriesFromTheirShippedLists)
{
    QxDataProviderRepository* repo = QxDataProviderRepository::instance();
    wxArtProvider::Push(new ArtProvider(wxString(TestSupport::binDir()) + "/artworks"));
    for (const char* provider : {"Google", "Yahoo!"}) {
        SCOPED_TRACE(provider);
        ASSERT_NE(repo->getObj(QxAtom(provider)), nullptr);
        const wxBitmap* icon = repo->getObj(QxAtom(provider))->icon();
        ASSERT_NE(icon, nullptr);
        ASSERT_TRUE(icon->IsOk());
        EXPECT_EQ(icon->GetWidth(), 16);
        EXPECT_EQ(icon->GetHeight(), 16);
    }
    wxArtProvider::Pop();

    QxObjectSmartPtr<MemDatabase> fresh(new MemDatabase);
    QxDataChangeReactorMgr::instance()->notifyDatabaseOpened(fresh.get());

    const struct {
        const char* provider;
        const char* folder;
    } shipped[] = {{"Google", "tickpuller"}, {"Yahoo!", "barfetcher"}};
    for (const auto& p : shipped) {
        SCOPED_TRACE(p.provider);
        const wxString folder = wxString(TestSupport::binDir()) + "/data/" + p.folder;
        wxArrayString files;
        wxDir::GetAllFiles(folder, &files, QxWebDataDownloader::indexFilePattern(), wxDIR_FILES);
        ASSERT_GE(files.size(), 3u);
        for (const wxString& file : files) {
            const std::string name = wxFileName(file).GetName().utf8_string();
            SCOPED_TRACE(name);
            QxSymbolMap symbols;
            QxWebDataDownloader::readSymbolIndexFile(file, symbols);
            MemCategory* category = fresh->find(name.c_str(), p.provider);
            ASSERT_NE(category, nullptr);
            ASSERT_FALSE(symbols.empty());
            EXPECT_EQ(category->numSecurities(), symbols.size());
            for (const auto& s : symbols) {
                ASSERT_NE(category->find(s.first.c_str()), nullptr) << s.first;
                EXPECT_EQ(category->find(s.first.c_str())->name(), s.second);
            }
        }
    }
    EXPECT_STREQ(fresh->find("US.NASDAQ.STOCK", "Google")->find("AAPL")->name(), "Apple Inc.");
    EXPECT_NE(fresh->find("US.NYSE.INDEX", "Yahoo!")->find("^GSPC"), nullptr);

    loader.exitPlugins();
    EXPECT_EQ(repo->getObj(QxAtom("Google")), nullptr);
    EXPECT_EQ(repo->getObj(QxAtom("Yahoo!")), nullptr);
}

TEST_F(LoadedProviders, CalculatorsAndChartsSeeDownloadedBars)
{
    server.workMs = 100;
    std::vector<MemSecurity*> securities;
    std::vector<std::unique_ptr<ChartStandIn>> charts;
    for (int i = 0; i < 6; ++i) {
        securities.push_back(security(i % 2 ? yahoo : google, "T" + std::to_string(i), 3));
        charts.emplace_back(new ChartStandIn(securities.back()));
    }

    // In the background the stored bars show at once and the new ones follow.
    for (auto& chart : charts)
        EXPECT_EQ(chart->lastBarShown(), daysAgo(3));
    const LoopRun run = runLoopUntil(
        [&] {
            for (auto& chart : charts)
                if (chart->redraws == 0)
                    return false;
            return true;
        },
        15);
    ASSERT_TRUE(run.done);
    EXPECT_GE(run.ticks, 5);
    for (auto& chart : charts) {
        EXPECT_EQ(chart->redraws, 1);
        EXPECT_TRUE(chart->onMain);
        EXPECT_EQ(chart->lastBar, daysAgo(0));
    }
    EXPECT_EQ(server.requestCount(), 6);

    // In the foreground the bars are stored before the prices come back.
    MemSecurity* fg = security(google, "FG", 5);
    QxObjectSmartPtr<QxCalculator> calculator(new QxCalculator(fg));
    QxPriceHistory* h = calculator->prices(false);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->timestamp()[h->numBars() - 1], daysAgo(0));
    EXPECT_EQ(server.requestCount(), 7);
}

TEST_F(LoadedProviders, SlowServersLeaveTheProgramResponsiveAndExitPrompt)
{
    server.mode = PriceServer::Mode::Hang;
    std::vector<MemSecurity*> securities;
    std::vector<std::string> before;
    for (int i = 0; i < 4; ++i) {
        securities.push_back(security(i % 2 ? yahoo : google, "H" + std::to_string(i), 2));
        before.push_back(std::to_string(securities.back()->numBars()));
    }
    const auto start = Clock::now();
    for (MemSecurity* s : securities)
        s->updateFromProvider(true);
    EXPECT_LT(secondsSince(start), 0.5);

    // A second of event loop while every download hangs: the timer keeps
    // firing.
    const LoopRun run = runLoopUntil([] { return false; }, 1.0);
    EXPECT_GE(run.ticks, 30);

    const auto exitStart = Clock::now();
    QxDataProviderRepository::instance()->windupAll();
    loader.exitPlugins();
    EXPECT_LT(secondsSince(exitStart), 4.0);
    for (size_t i = 0; i < securities.size(); ++i) {
        EXPECT_EQ(std::to_string(securities[i]->numBars()), before[i]);
        EXPECT_EQ(securities[i]->lastTime(), daysAgo(2));
    }
}
