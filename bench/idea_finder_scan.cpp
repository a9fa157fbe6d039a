// The idea finder's scan of 2,000 securities of 2,500 daily bars each,
// stored in the history database plug-in as the program loads it, with a
// system of two indicators (long entry: SMA(10) crosses over SMA(30); long
// exit: it crosses under). Per security, apart:
//  - preparing, as the GUI thread does: the foreground update and read
//    through a calculator of the shared cache, and the private copy of the
//    history handed to the worker;
//  - evaluating, as the worker does: the system's private copy over every
//    bar of that copy, on a calculator of its own.
// Each is measured beside only reading the same security's history from the
// database within the same iterations ("read_ms" per iteration, "x_read":
// the measured time over the read's). "us_per_security" is the measured
// time of one security.
#include "core/QxCalcCache.h"
#include "core/QxCategory.h"
#include "core/QxDatabase.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "core/TaLibIndicator.h"
#include "core/platform/CorvAlloc.h"
#include "core/ta/QxTaFunctionSet.h"
#include "trading/QxCondition.h"
#include "trading/QxConditionFactory.h"
#include "trading/QxIdeaScan.h"
#include "trading/QxSignal.h"
#include "trading/QxTradingSystem.h"
#include "bench/Baseline.h"
#include "bench/BenchPlugins.h"

#include <benchmark/benchmark.h>
#include <wx/init.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kSecurities = 2000;
constexpr int kBars = 2500;

QxPriceHistory* randomWalk(std::mt19937& random)
{
    std::normal_distribution<double> step(0.0, 1.0);
    auto* h = new QxPriceHistory(Qx::eStock, Qx::eDaily);
    h->resize(kBars);
    wxDateTime d(1, wxDateTime::Jan, 2000);
    double price = 100.0;
    for (int i = 0; i < kBars; ++i, d += wxDateSpan::Day()) {
        price = std::max(1.0, price + step(random));
        h->timestamp()[i] = makeTimestamp(d.GetDay(), d.GetMonth() + 1, d.GetYear());
        h->open()[i] = price;
        h->high()[i] = price + 1;
        h->low()[i] = price - 1;
        h->close()[i] = price;
        h->volume()[i] = 1e5;
    }
    return h;
}

QxSeriesId sma(int period)
{
    const TA_FuncHandle* handle = nullptr;
    QxTaFunctionSet::getFuncHandle("SMA", &handle);
    QxObjectSmartPtr<QxIndicator> indicator(new TaLibIndicator(handle));
    indicator->setParam(0, QxValue(int32_t(period)));
    return QxSeriesId(indicator.get(), 0);
}

QxObjectSmartPtr<QxSignal> crossing(const char* kind, const QxSeriesId& fast, const QxSeriesId& slow)
{
    QxObjectSmartPtr<QxCondition> condition(QxConditionFactory::instance()->find(QxAtom(kind))->clone());
    condition->setFirstSeries(fast);
    condition->setSecondSeries(slow);
    QxObjectSmartPtr<QxSignal> signal(new QxSignal());
    signal->addCondition(condition.get());
    return signal;
}

// The plug-in loaded from the build tree and a database of the securities
// in a scratch folder; the system and its private copy.
struct Env {
    std::string dir;
    QxObjectSmartPtr<QxDatabase> db;
    std::vector<unsigned> ids;
    QxObjectSmartPtr<QxTradingSystem> system;
    QxObjectSmartPtr<QxTradingSystem> copy;

    Env()
    {
        benchLoadPlugin("trddb");
        db = benchScratchDatabase("idea-bench", dir);
        QxObjectSmartPtr<QxCategory> category(db->createCategory("US.NYSE.STOCK", ""));
        if (!category) {
            std::fprintf(stderr, "cannot create a category\n");
            std::exit(1);
        }
        std::mt19937 random(7);
        const int token = db->beginTransaction();
        for (int i = 0; i < kSecurities; ++i) {
            char ticker[16];
            std::snprintf(ticker, sizeof ticker, "T%04d", i);
            QxObjectSmartPtr<QxSecurity> security(category->addSecurity(ticker, ticker));
            QxObjectSmartPtr<QxPriceHistory> bars(randomWalk(random));
            if (!security || security->saveHistory(bars.get()) != 0) {
                std::fprintf(stderr, "cannot store %s\n", ticker);
                std::exit(1);
            }
            ids.push_back(security->id());
        }
        db->commit(token);

        const QxSeriesId fast = sma(10);
        const QxSeriesId slow = sma(30);
        system.reset(new QxTradingSystem());
        system->setType(Qx::eLongOnly);
        system->setLongEntrySignal(crossing("CrossOverUp", fast, slow).get());
        system->setLongExitSignal(crossing("CrossOverDown", fast, slow).get());
        copy = privateSystemCopy(*system);
    }
    ~Env()
    {
        db = nullptr;
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    // Only reading the history, as the database gives it.
    void read(unsigned id) const
    {
        int64_t from = 0, to = 0;
        QxObjectSmartPtr<QxPriceHistory> h(db->getSecurity(id)->getHistory(Qx::eDaily, from, to));
        benchmark::DoNotOptimize(h.get());
    }
};

Env& env()
{
    static Env e;
    return e;
}

void perSecurity(benchmark::State& state)
{
    state.counters["us_per_security"] =
        benchmark::Counter(double(kSecurities) / 1e6, benchmark::Counter::kIsIterationInvariantRate |
                                                          benchmark::Counter::kInvert);
}

void BM_PrepareEachSecurity(benchmark::State& state)
{
    Env& e = env();
    Baseline baseline("read");
    size_t bars = 0;
    for (auto _ : state) {
        for (unsigned id : e.ids) {
            baseline.measured([&] {
                QxObjectSmartPtr<QxPriceHistory> h = ideaScanHistory(e.db.get(), id, Qx::eDaily);
                bars += h ? h->numBars() : 0;
            });
            baseline.baseline(state, [&] { e.read(id); });
        }
    }
    if (bars != size_t(state.iterations()) * kSecurities * kBars)
        state.SkipWithError("a history was not prepared");
    if (QxCalcCache::size() != 0)
        state.SkipWithError("prepared prices stay in the cache");
    baseline.reportTime(state);
    perSecurity(state);
}

void BM_EvaluateEachSecurity(benchmark::State& state)
{
    Env& e = env();
    std::vector<QxObjectSmartPtr<QxPriceHistory>> histories;
    for (unsigned id : e.ids)
        histories.push_back(ideaScanHistory(e.db.get(), id, Qx::eDaily));
    Baseline baseline("read");
    size_t hits = 0;
    for (auto _ : state) {
        for (size_t k = 0; k < histories.size(); ++k) {
            baseline.measured([&] {
                hits += evaluateIdeaScan(*e.copy, Qx::eLongEntry | Qx::eLongExit, histories[k].get(), 0,
                                         INT64_MAX)
                            .size();
            });
            baseline.baseline(state, [&] { e.read(e.ids[k]); });
        }
    }
    if (hits == 0)
        state.SkipWithError("the system never fired");
    state.counters["signals_per_security"] = double(hits) / double(state.iterations()) / kSecurities;
    baseline.reportTime(state);
    perSecurity(state);
}

} // namespace

BENCHMARK(BM_PrepareEachSecurity)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_EvaluateEachSecurity)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

int main(int argc, char** argv)
{
    wxInitializer init;
    // As the program does at start.
    CorvKeepFreedMemory();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
