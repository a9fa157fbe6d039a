// Reading a Quillbar folder through the quillbar plug-in, beside the history
// database plug-in reading the same bars: a folder of 255 securities of
// 5,000 daily bars each (EMASTER and F1.DAT to F255.DAT) and a trddb file
// holding the same securities and bars. Each reader is timed opening its
// database, and opening it and reading every history in full. Both read
// from the page cache once the first round has run.
#include "core/QxCategory.h"
#include "core/QxDataReader.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxDatabase.h"
#include "core/QxPluginEntry.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "bench/BenchPlugins.h"
#include "support/QbTestSupport.h"

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

constexpr int kSecurities = 255;
constexpr int kBars = 5000;

QxDataReader* reader(const char* id)
{
    return QxDataReaderRepository::instance()->getObj(QxAtom(id));
}

// The same folder and database file, written once per run.
struct Env {
    std::string dir;
    std::string folder;
    std::string file;

    Env()
    {
        benchLoadPlugin("trddb");
        benchLoadPlugin("quillbar");
        char tmpl[] = "/tmp/quillbar-bench-XXXXXX";
        dir = mkdtemp(tmpl);
        folder = dir + "/folder";
        file = dir + "/same-bars.trddb";
        std::filesystem::create_directories(folder);

        // Weekdays from 2-Jan-1995 on, as the folder's CYYMMDD numbers and
        // as the database's packed timestamps.
        std::vector<qbtest::Bar> bars;
        std::vector<int64_t> stamps;
        for (wxDateTime d(2, wxDateTime::Jan, 1995); int(bars.size()) < kBars; d += wxDateSpan::Day()) {
            if (d.GetWeekDay() == wxDateTime::Sat || d.GetWeekDay() == wxDateTime::Sun)
                continue;
            const int ymd = (d.GetYear() * 100 + d.GetMonth() + 1) * 100 + d.GetDay();
            const float v = 50.0f + float(bars.size() % 97) * 0.5f;
            bars.push_back({float(ymd - 19000000), v, v + 1, v - 1, v + 0.25f, 1e5f + float(bars.size())});
            stamps.push_back(int64_t(ymd) * 1000000000LL);
        }
        std::vector<qbtest::Entry> entries;
        for (int n = 1; n <= kSecurities; ++n) {
            entries.push_back({"S" + std::to_string(n), "Security " + std::to_string(n), unsigned(n), 'D'});
            qbtest::writeFile(folder + "/F" + std::to_string(n) + ".DAT", qbtest::priceBytes(bars));
        }
        qbtest::writeFile(folder + "/EMASTER", qbtest::emasterBytes(entries));

        QxObjectSmartPtr<QxPriceHistory> history(new QxPriceHistory(Qx::eStock, Qx::eDaily));
        history->resize(unsigned(bars.size()));
        for (unsigned i = 0; i < bars.size(); ++i) {
            history->timestamp()[i] = stamps[i];
            history->open()[i] = bars[i].open;
            history->high()[i] = bars[i].high;
            history->low()[i] = bars[i].low;
            history->close()[i] = bars[i].close;
            history->volume()[i] = bars[i].volume;
        }
        int rc = 0;
        QxObjectSmartPtr<QxDatabase> db(
            reader("com.Corvane.Trendoria.trddb")->openDatabase(wxString::FromUTF8(file.c_str()), wxString(), &rc));
        QxObjectSmartPtr<QxCategory> category(db ? db->createCategory("US.NYSE.STOCK", "Bench") : nullptr);
        if (!category) {
            std::fprintf(stderr, "cannot create the database: %d\n", rc);
            std::exit(1);
        }
        const int token = db->beginTransaction();
        for (const qbtest::Entry& e : entries) {
            QxObjectSmartPtr<QxSecurity> s(category->addSecurity(e.symbol.c_str(), e.name.c_str()));
            if (!s || s->saveHistory(history.get()) != 0) {
                std::fprintf(stderr, "cannot save %s\n", e.symbol.c_str());
                std::exit(1);
            }
        }
        db->commit(token);
    }
    ~Env()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

Env& env()
{
    static Env e;
    return e;
}

QxObjectSmartPtr<QxDatabase> open(const char* readerId, const std::string& location)
{
    int rc = 0;
    return QxObjectSmartPtr<QxDatabase>(
        reader(readerId)->openDatabase(wxString::FromUTF8(location.c_str()), wxString(), &rc));
}

// Every security's full daily history; the number of bars read.
int64_t readAll(QxDatabase* db)
{
    int64_t bars = 0;
    std::vector<QxObjectSmartPtr<QxCategory>> categories;
    db->getCategories(categories, nullptr);
    for (const auto& category : categories) {
        std::vector<QxObjectSmartPtr<QxSecurity>> securities;
        category->listSecurities(securities);
        for (const auto& s : securities) {
            int64_t from = 0, to = 0;
            QxObjectSmartPtr<QxPriceHistory> h(s->getHistory(Qx::eDaily, from, to));
            bars += h ? h->numBars() : 0;
        }
    }
    return bars;
}

void openOnly(benchmark::State& state, const char* readerId, const std::string& location)
{
    for (auto _ : state) {
        QxObjectSmartPtr<QxDatabase> db = open(readerId, location);
        if (!db) {
            state.SkipWithError("open failed");
            break;
        }
    }
}

void openAndReadAll(benchmark::State& state, const char* readerId, const std::string& location)
{
    int64_t bars = 0;
    for (auto _ : state) {
        QxObjectSmartPtr<QxDatabase> db = open(readerId, location);
        const int64_t read = db ? readAll(db.get()) : 0;
        if (read != int64_t(kSecurities) * kBars) {
            state.SkipWithError("not every bar was read");
            break;
        }
        bars += read;
    }
    state.counters["bars_per_s"] = benchmark::Counter(double(bars), benchmark::Counter::kIsRate);
}

void BM_QuillbarOpen(benchmark::State& state)
{
    openOnly(state, "com.Corvane.Trendoria.quillbar", env().folder);
}
BENCHMARK(BM_QuillbarOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TrddbOpen(benchmark::State& state)
{
    openOnly(state, "com.Corvane.Trendoria.trddb", env().file);
}
BENCHMARK(BM_TrddbOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_QuillbarOpenAndReadAll(benchmark::State& state)
{
    openAndReadAll(state, "com.Corvane.Trendoria.quillbar", env().folder);
}
BENCHMARK(BM_QuillbarOpenAndReadAll)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TrddbOpenAndReadAll(benchmark::State& state)
{
    openAndReadAll(state, "com.Corvane.Trendoria.trddb", env().file);
}
BENCHMARK(BM_TrddbOpenAndReadAll)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    wxInitializer init;
    benchmark::Initialize(&argc, argv);
    env(); // the data is written before the first timing
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
