// Throughput of the history database plug-in, loaded as the program loads it:
// saving 10,000 daily bars to a new security in one call and loading them
// back, and loading the last 5,000 bars of each of 1,000 securities. Rates
// are rows per second of wall-clock time, so a save includes the file
// synchronisation of its commit.
#include "core/QxCategory.h"
#include "core/QxDataReader.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxDatabase.h"
#include "core/QxPluginEntry.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"

#include <benchmark/benchmark.h>
#include <wx/init.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Consecutive calendar days as packed timestamps, from 1980-01-01.
std::vector<int64_t> days(int n)
{
    std::vector<int64_t> out;
    out.reserve(size_t(n));
    wxDateTime d(1, wxDateTime::Jan, 1980);
    for (int i = 0; i < n; ++i, d += wxDateSpan::Day())
        out.push_back(((int64_t(d.GetYear()) * 100 + d.GetMonth() + 1) * 100 + d.GetDay()) * 1000000000LL);
    return out;
}

QxPriceHistory* makeBars(const std::vector<int64_t>& stamps)
{
    auto* h = new QxPriceHistory(Qx::eStock, Qx::eDaily);
    h->resize(unsigned(stamps.size()));
    for (unsigned i = 0; i < stamps.size(); ++i) {
        const double v = 50.0 + (i % 97) * 0.5;
        h->timestamp()[i] = stamps[i];
        h->open()[i] = v;
        h->high()[i] = v + 1;
        h->low()[i] = v - 1;
        h->close()[i] = v + 0.25;
        h->volume()[i] = 1e5 + i;
    }
    return h;
}

// The plug-in loaded from the build tree and one database in a scratch folder.
struct Env {
    std::string dir;
    QxObjectSmartPtr<QxDatabase> db;
    QxObjectSmartPtr<QxCategory> category;

    Env()
    {
        const std::string lib = std::string(TRENDORIA_BIN_DIR) + "/trddb.trdx";
        void* handle = dlopen(lib.c_str(), RTLD_NOW);
        auto entry = handle ? reinterpret_cast<QxPluginEntryFn>(dlsym(handle, kPluginEntryName)) : nullptr;
        if (!entry) {
            std::fprintf(stderr, "cannot load %s\n", lib.c_str());
            std::exit(1);
        }
        entry(QxPluginCommand::eLoad);
        char tmpl[] = "/tmp/trddb-bench-XXXXXX";
        dir = mkdtemp(tmpl);
        QxDataReader* reader = QxDataReaderRepository::instance()->getObj(QxAtom("com.Corvane.Trendoria.trddb"));
        int rc = 0;
        db = reader->openDatabase(wxString::FromUTF8((dir + "/bench.trddb").c_str()), wxString(), &rc);
        if (!db) {
            std::fprintf(stderr, "cannot open the database: %d\n", rc);
            std::exit(1);
        }
        category = db->createCategory("US.NYSE.STOCK", "Bench");
        if (!category) {
            std::fprintf(stderr, "cannot create a category\n");
            std::exit(1);
        }
    }
    ~Env()
    {
        category = nullptr;
        db = nullptr;
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

Env& env()
{
    static Env e;
    return e;
}

void BM_SaveNewSecurity10000(benchmark::State& state)
{
    const std::vector<int64_t> stamps = days(10000);
    QxObjectSmartPtr<QxPriceHistory> bars(makeBars(stamps));
    static int n = 0; // the function runs more than once
    for (auto _ : state) {
        state.PauseTiming();
        QxObjectSmartPtr<QxSecurity> s(env().category->addSecurity(("SAVE" + std::to_string(n++)).c_str(), "x"));
        state.ResumeTiming();
        if (!s || s->saveHistory(bars.get()) != 0) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * int64_t(stamps.size()));
    state.counters["rows_per_s"] = benchmark::Counter(double(state.iterations() * stamps.size()),
                                                      benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SaveNewSecurity10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Load10000(benchmark::State& state)
{
    // Benchmark functions run more than once: the security is made once.
    static QxObjectSmartPtr<QxSecurity> s = [] {
        QxObjectSmartPtr<QxSecurity> made(env().category->addSecurity("LOAD10000", "x"));
        QxObjectSmartPtr<QxPriceHistory> bars(makeBars(days(10000)));
        made->saveHistory(bars.get());
        return made;
    }();
    int64_t rows = 0;
    for (auto _ : state) {
        int64_t from = 0, to = 0;
        QxObjectSmartPtr<QxPriceHistory> h(s->getHistory(Qx::eDaily, from, to));
        rows += h ? h->numBars() : 0;
    }
    state.SetItemsProcessed(rows);
    state.counters["rows_per_s"] = benchmark::Counter(double(rows), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Load10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadLast5000Of1000Securities(benchmark::State& state)
{
    // 1,000 securities of 6,000 bars each, in one category of their own,
    // made once.
    const std::vector<int64_t> stamps = days(6000);
    const int64_t from5000 = stamps[stamps.size() - 5000];
    static const std::vector<unsigned> ids = [&stamps] {
        std::vector<unsigned> made;
        QxObjectSmartPtr<QxCategory> cat(env().db->createCategory("US.MANY.STOCK", "Bench"));
        QxObjectSmartPtr<QxPriceHistory> bars(makeBars(stamps));
        const int token = env().db->beginTransaction();
        for (int i = 0; i < 1000; ++i) {
            QxObjectSmartPtr<QxSecurity> s(cat->addSecurity(("S" + std::to_string(i)).c_str(), "x"));
            s->saveHistory(bars.get());
            made.push_back(s->id());
        }
        env().db->commit(token);
        return made;
    }();
    int64_t rows = 0;
    for (auto _ : state) {
        for (unsigned id : ids) {
            QxObjectSmartPtr<QxSecurity> s(env().db->getSecurity(id));
            int64_t from = from5000, to = 0;
            QxObjectSmartPtr<QxPriceHistory> h(s->getHistory(Qx::eDaily, from, to));
            rows += h ? h->numBars() : 0;
        }
    }
    state.SetItemsProcessed(rows);
    state.counters["rows_per_s"] = benchmark::Counter(double(rows), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LoadLast5000Of1000Securities)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    wxInitializer init;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
