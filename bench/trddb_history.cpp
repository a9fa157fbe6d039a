// Throughput of the history database plug-in, loaded as the program loads it:
// saving 10,000 daily bars to a new security in one call and loading them
// back, and loading the last 5,000 bars of each of 1,000 securities. Rates
// are rows per second of wall-clock time, so a save includes the file
// synchronisation of its commit.  Each is measured beside the same work done
// straight through the SQLite C API with one prepared statement per table
// ("raw_rows_per_s"; "vs_raw" is the plug-in's rate over it): inserting the
// rows in one transaction into a new table of another file, and reading the
// very rows the plug-in reads into plain arrays.
#include "core/QxCategory.h"
#include "core/QxDataReader.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxDatabase.h"
#include "core/QxPluginEntry.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "core/platform/CorvAlloc.h"
#include "bench/Baseline.h"
#include "bench/BenchPlugins.h"

#include <benchmark/benchmark.h>
#include <wx/init.h>

#include <dlfcn.h>
#include <sqlite3.h>
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
        benchLoadPlugin("trddb");
        db = benchScratchDatabase("trddb-bench", dir);
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

// The baseline: SQLite's C API and nothing else, on a connection of its own.
class Raw {
public:
    explicit Raw(const std::string& file)
    {
        if (sqlite3_open_v2(file.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "cannot open %s\n", file.c_str());
            std::exit(1);
        }
    }
    ~Raw() { sqlite3_close_v2(m_db); }

    // The price table of the plug-in's security with this ticker.
    std::string tableOf(const std::string& ticker)
    {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(m_db, "SELECT name FROM sqlite_master WHERE type='table' AND name LIKE ?;", -1, &st, nullptr);
        const std::string pattern = "price_hist_of_%:" + ticker + ".%";
        sqlite3_bind_text(st, 1, pattern.c_str(), -1, SQLITE_TRANSIENT);
        std::string name;
        if (sqlite3_step(st) == SQLITE_ROW)
            name = "[" + std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) + "]";
        sqlite3_finalize(st);
        return name;
    }

    // Reads the rows of table from timestamp from on into the arrays;
    // the number of rows.
    size_t read(const std::string& table, int64_t from)
    {
        const std::string sql = "SELECT timestamp, open, high, low, close, volume FROM " + table +
                                " WHERE timestamp >= ? ORDER BY timestamp ASC;";
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), int(sql.size()), &st, nullptr) != SQLITE_OK)
            return 0;
        sqlite3_bind_int64(st, 1, from);
        size_t n = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            if (n == ts.size())
                grow(n == 0 ? 1024 : 2 * n);
            ts[n] = sqlite3_column_int64(st, 0);
            for (int c = 0; c < 5; ++c)
                values[c][n] = sqlite3_column_double(st, c + 1);
            ++n;
        }
        sqlite3_finalize(st);
        return n;
    }

    // Inserts the bars into a new table in one transaction.
    bool insert(const QxPriceHistory* h)
    {
        const std::string table = "[raw" + std::to_string(m_tables++) + "]";
        exec("CREATE TABLE " + table +
             "(timestamp INTEGER NOT NULL PRIMARY KEY UNIQUE,open FLOAT, high FLOAT, low FLOAT, close FLOAT, "
             "volume FLOAT);");
        exec("BEGIN;");
        const std::string sql = "INSERT OR REPLACE INTO " + table + " VALUES(?,?,?,?,?,?);";
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(m_db, sql.c_str(), int(sql.size()), &st, nullptr);
        bool ok = st != nullptr;
        for (unsigned i = 0; ok && i < h->numBars(); ++i) {
            sqlite3_bind_int64(st, 1, h->timestamp()[i]);
            sqlite3_bind_double(st, 2, h->open()[i]);
            sqlite3_bind_double(st, 3, h->high()[i]);
            sqlite3_bind_double(st, 4, h->low()[i]);
            sqlite3_bind_double(st, 5, h->close()[i]);
            sqlite3_bind_double(st, 6, h->volume()[i]);
            ok = sqlite3_step(st) == SQLITE_DONE;
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        return exec(ok ? "COMMIT;" : "ROLLBACK;") && ok;
    }

private:
    bool exec(const std::string& sql) { return sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK; }
    void grow(size_t n)
    {
        ts.resize(n);
        for (auto& v : values)
            v.resize(n);
    }

    sqlite3* m_db = nullptr;
    int m_tables = 0;
    std::vector<int64_t> ts;
    std::vector<double> values[5];
};

void BM_SaveNewSecurity10000(benchmark::State& state)
{
    const std::vector<int64_t> stamps = days(10000);
    QxObjectSmartPtr<QxPriceHistory> bars(makeBars(stamps));
    static int n = 0; // the function runs more than once
    Raw raw(env().dir + "/raw-insert.sqlite");
    Baseline baseline("raw");
    for (auto _ : state) {
        state.PauseTiming();
        QxObjectSmartPtr<QxSecurity> s(env().category->addSecurity(("SAVE" + std::to_string(n++)).c_str(), "x"));
        state.ResumeTiming();
        int rc = -1;
        baseline.measured([&] { rc = s ? s->saveHistory(bars.get()) : -1; });
        if (rc != 0) {
            state.SkipWithError("save failed");
            break;
        }
        bool rawOk = false;
        baseline.baseline(state, [&] { rawOk = raw.insert(bars.get()); });
        if (!rawOk) {
            state.SkipWithError("raw insert failed");
            break;
        }
    }
    const double rows = double(state.iterations() * stamps.size());
    state.SetItemsProcessed(int64_t(rows));
    state.counters["rows_per_s"] = benchmark::Counter(rows, benchmark::Counter::kIsRate);
    baseline.reportRate(state, rows);
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
    Raw raw(env().dir + "/bench.trddb");
    const std::string table = raw.tableOf("LOAD10000");
    Baseline baseline("raw");
    int64_t rows = 0, rawRows = 0;
    for (auto _ : state) {
        baseline.measured([&] {
            int64_t from = 0, to = 0;
            QxObjectSmartPtr<QxPriceHistory> h(s->getHistory(Qx::eDaily, from, to));
            rows += h ? h->numBars() : 0;
        });
        baseline.baseline(state, [&] { rawRows += int64_t(raw.read(table, 0)); });
    }
    if (rows != rawRows)
        state.SkipWithError("the plug-in and the raw read saw different rows");
    state.SetItemsProcessed(rows);
    state.counters["rows_per_s"] = benchmark::Counter(double(rows), benchmark::Counter::kIsRate);
    baseline.reportRate(state, double(rows));
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
    static const std::vector<std::string> tables = [] {
        Raw names(env().dir + "/bench.trddb");
        std::vector<std::string> made;
        for (int i = 0; i < 1000; ++i)
            made.push_back(names.tableOf("S" + std::to_string(i)));
        return made;
    }();
    Raw raw(env().dir + "/bench.trddb");
    Baseline baseline("raw");
    int64_t rows = 0, rawRows = 0;
    for (auto _ : state) {
        baseline.measured([&] {
            for (unsigned id : ids) {
                QxObjectSmartPtr<QxSecurity> s(env().db->getSecurity(id));
                int64_t from = from5000, to = 0;
                QxObjectSmartPtr<QxPriceHistory> h(s->getHistory(Qx::eDaily, from, to));
                rows += h ? h->numBars() : 0;
            }
        });
        baseline.baseline(state, [&] {
            for (const std::string& table : tables)
                rawRows += int64_t(raw.read(table, from5000));
        });
    }
    if (rows != rawRows)
        state.SkipWithError("the plug-in and the raw read saw different rows");
    state.SetItemsProcessed(rows);
    state.counters["rows_per_s"] = benchmark::Counter(double(rows), benchmark::Counter::kIsRate);
    baseline.reportRate(state, double(rows));
}
BENCHMARK(BM_LoadLast5000Of1000Securities)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

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
