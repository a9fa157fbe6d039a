// The idea finder's scan of 5,000 securities of 2,500 daily bars each,
// stored in the history database plug-in as the program loads it, with a
// system of two indicators (long entry: SMA(10) crosses over SMA(30); long
// exit: it crosses under), looking for both signals (mask 3).
//
// Each figure stands beside baselines measured in the same iterations:
//  - "read": only reading every history from the database;
//  - "plain": reading plus two direct SMA calls and a plain loop over the
//    arrays that finds the same crossings (its count is checked against the
//    scan's, so it does the same work).
//
// The benchmarks:
//  - ScanAsTheProgramRunsIt: a report frame and view on the screen, the
//    view's startScan, the worker thread and every row into the report, up
//    to the end message; over the whole history and over the dialog's
//    default range of the last three days. Also "peak_MB" (the highest
//    resident memory of the process during the scan, "rss_before_MB" at its
//    start) and "max_gap_ms", the longest time the GUI thread's event loop
//    left a repeating 10 ms timer waiting.
//  - ScanCore: what the worker does without a report, on one thread:
//    reading and evaluating each security.
//  - PrepareEachSecurity and EvaluateEachSecurity: the two halves of the
//    core, apart.
//
// With TRENDORIA_BENCH_REPORT_DIR set, the scans as the program runs them
// write every report row (the five cells, the colour and the security id,
// tab-separated) to "whole.tsv" and "3day.tsv" in that folder; with
// TRENDORIA_BENCH_GOLDEN_DIR set they compare their reports with the files
// of those names there, row by row, and fail at the first that differs
// ("same_as_golden" 1 when all are equal). scripts/bench-golden.sh makes
// the golden reports with the program of another commit and compares.
// Needs a display (xvfb-run).
#include "app/QxApplication.h"
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
#include "trading/QxIdeaFinderReportFrame.h"
#include "trading/QxIdeaFinderReportView.h"
#include "trading/QxIdeaFindingThread.h"
#include "trading/QxIdeaScan.h"
#include "trading/QxSignal.h"
#include "trading/QxTradingSystem.h"
#include "bench/Baseline.h"
#include "bench/BenchGui.h"
#include "bench/BenchPlugins.h"

#include <benchmark/benchmark.h>
#include <ta_libc.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/timer.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kSecurities = 5000;
constexpr int kBars = 2500;
constexpr unsigned kLookFor = Qx::eLongEntry | Qx::eLongExit;

// Fixed dates, so that reports made on different days compare equal.
const wxDateTime& firstDay()
{
    static const wxDateTime day(1, wxDateTime::Jan, 2000);
    return day;
}

QxPriceHistory* randomWalk(std::mt19937& random)
{
    std::normal_distribution<double> step(0.0, 1.0);
    auto* h = new QxPriceHistory(Qx::eStock, Qx::eDaily);
    h->resize(kBars);
    wxDateTime d = firstDay();
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

// The resident memory of the process now, and its highest since the last
// resetPeakMemory, in MB.
double statusMB(const char* key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(key) + ":";
    while (std::getline(status, line))
        if (line.compare(0, prefix.size(), prefix) == 0)
            return std::atof(line.c_str() + prefix.size()) / 1024.0;
    return 0.0;
}
void resetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

// The scratch database with the securities, the system and its private copy.
struct Env {
    std::string dir;
    QxObjectSmartPtr<QxDatabase> db;
    std::vector<unsigned> ids;
    QxObjectSmartPtr<QxTradingSystem> system;
    QxObjectSmartPtr<QxTradingSystem> copy;
    int64_t lastDay = 0;

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
            lastDay = bars->timestamp()[kBars - 1];
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
    ~Env() { close(); }
    void close()
    {
        system = nullptr;
        copy = nullptr;
        db = nullptr;
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    // Only reading the history, as the database gives it.
    QxObjectSmartPtr<QxPriceHistory> read(unsigned id) const
    {
        int64_t from = 0, to = 0;
        const QxObjectSmartPtr<QxSecurity> security(db->getSecurity(id));
        QxObjectSmartPtr<QxPriceHistory> h(security->getHistory(Qx::eDaily, from, to));
        benchmark::DoNotOptimize(h.get());
        return h;
    }

    // Reading, two direct SMA calls and a plain loop that finds the bars
    // at which the averages cross within from..till, as the conditions
    // define a crossing; the number of such bars.
    size_t plainScan(unsigned id, int64_t from, int64_t till) const
    {
        QxObjectSmartPtr<QxPriceHistory> h = read(id);
        const int n = static_cast<int>(h->numBars());
        std::vector<double> fast(n), slow(n);
        int fastBegin = 0, slowBegin = 0, count = 0;
        if (n == 0 || TA_SMA(0, n - 1, h->close(), 10, &fastBegin, &count, fast.data()) != TA_SUCCESS ||
            TA_SMA(0, n - 1, h->close(), 30, &slowBegin, &count, slow.data()) != TA_SUCCESS)
            return 0;
        const QxBarRange range = ideaScanBarRange(h->timestamp(), h->numBars(), from, till);
        size_t hits = 0;
        // A condition looks at the bar before too, and never at a series'
        // first valid bar.
        const int first = std::max({fastBegin, slowBegin, static_cast<int>(range.begin) - 1}) + 1;
        for (int i = first; i < static_cast<int>(range.end); ++i) {
            const double a = fast[i - fastBegin], a1 = fast[i - 1 - fastBegin];
            const double b = slow[i - slowBegin], b1 = slow[i - 1 - slowBegin];
            const bool up = !(a1 > b1) && a > b;
            const bool down = !(b1 > a1) && b > a;
            hits += up || down;
        }
        return hits;
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

// Answers the end message of a scan and ends the event loop that waits
// for it; every other dialog is refused.
class EndMessage : public wxModalDialogHook {
public:
    EndMessage() { Register(); }
    ~EndMessage() override { Unregister(); }
    wxEventLoopBase* loop = nullptr;
    bool seen = false;

protected:
    int Enter(wxDialog* dialog) override
    {
        auto* box = dynamic_cast<wxMessageDialogBase*>(dialog);
        if (box && box->GetMessage() == "Finished finding stock ideas.") {
            seen = true;
            if (loop)
                loop->ScheduleExit();
            return wxID_OK;
        }
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

struct ScanRun {
    double seconds = 0;
    double maxGapMs = 0;
    double peakMB = 0;
    double rssBeforeMB = 0;
    size_t rows = 0;
    bool finished = false;
    bool compared = false;
    std::string goldenDifference;
};

// The report's rows as lines: the five cells, the colour and the security
// id, tab-separated.
std::string reportText(const QxIdeaFinderReportView& view)
{
    std::string text;
    const std::vector<QxIdeaReportRow> rows = view.reportRows();
    for (size_t r = 0; r < rows.size(); ++r) {
        for (const wxString& cell : rows[r].cells)
            text += cell.utf8_string() + '\t';
        text += rows[r].background.GetAsString(wxC2S_HTML_SYNTAX).utf8_string() + '\t' +
                std::to_string(view.GetItemData(static_cast<long>(r))) + '\n';
    }
    return text;
}

// With TRENDORIA_BENCH_REPORT_DIR the report is written there; with
// TRENDORIA_BENCH_GOLDEN_DIR it is compared with the one of that name there
// (written by an earlier run, e.g. of the program before a change): the
// first line that differs, or an empty text when every row is the same.
std::string dumpAndCompareReport(const QxIdeaFinderReportView& view, const char* name, bool& compared)
{
    compared = false;
    const char* dir = std::getenv("TRENDORIA_BENCH_REPORT_DIR");
    const char* golden = std::getenv("TRENDORIA_BENCH_GOLDEN_DIR");
    if (!dir && !golden)
        return std::string();
    const std::string text = reportText(view);
    if (dir)
        std::ofstream(std::string(dir) + "/" + name, std::ios::binary) << text;
    if (!golden)
        return std::string();
    std::ifstream in(std::string(golden) + "/" + name, std::ios::binary);
    if (!in)
        return std::string("no golden report ") + golden + "/" + name;
    const std::string expected((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    compared = true;
    if (expected == text)
        return std::string();
    size_t at = 0, line = 1;
    while (at < expected.size() && at < text.size() && expected[at] == text[at])
        line += expected[at++] == '\n';
    const size_t begin = expected.rfind('\n', at == 0 ? 0 : at - 1);
    const size_t from = begin == std::string::npos ? 0 : begin + 1;
    return "row " + std::to_string(line) + " differs from the golden report: got \"" +
           text.substr(from, text.find('\n', from) - from) + "\", golden \"" +
           expected.substr(from, expected.find('\n', from) - from) + "\"";
}

// The scan as the user starts it from the dialog: a report frame on the
// screen, the view's startScan, the event loop running until the end
// message; the frame is closed afterwards.
ScanRun scanAsTheProgramRunsIt(Env& e, int64_t from, int64_t till, const char* dumpName)
{
    ScanRun run;
    auto* frame = new QxIdeaFinderReportFrame();
    auto* view = new QxIdeaFinderReportView();
    view->setFrame(frame);
    if (view->create() != 0)
        return run;
    frame->setView(view);
    frame->SetTitle("Corvane Trendoria 2014 [Stock ideas generated by 'SMA 10-30']");
    frame->Show();
    wxTheApp->Yield(true);

    wxGUIEventLoop loop;
    EndMessage end;
    end.loop = &loop;
    using Clock = std::chrono::steady_clock;
    Clock::time_point lastTick;
    wxTimer ticker;
    ticker.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        const Clock::time_point now = Clock::now();
        run.maxGapMs = std::max(run.maxGapMs, std::chrono::duration<double, std::milli>(now - lastTick).count());
        lastTick = now;
    });
    // Should the worker not start or end, the loop still returns.
    wxTimer watchdog;
    watchdog.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (!QxIdeaFindingThread::exists())
            loop.ScheduleExit();
    });

    resetPeakMemory();
    run.rssBeforeMB = statusMB("VmRSS");
    const Clock::time_point start = Clock::now();
    lastTick = start;
    ticker.Start(10);
    watchdog.Start(1000);
    if (view->startScan(e.system.get(), kLookFor, from, till, Qx::eDaily, e.ids))
        loop.Run();
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    ticker.Stop();
    watchdog.Stop();
    run.peakMB = statusMB("VmHWM");
    run.finished = end.seen;
    run.rows = static_cast<size_t>(view->GetItemCount());
    run.goldenDifference = dumpAndCompareReport(*view, dumpName, run.compared);
    frame->Destroy();
    wxTheApp->Yield(true);
    wxTheApp->ProcessIdle(); // deletes the frame
    return run;
}

template <class Work>
double secondsOf(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void scanAsTheProgramRunsIt(benchmark::State& state, bool wholeHistory)
{
    Env& e = env();
    const int64_t from =
        wholeHistory ? 0 : timestampFromDateTime(dateTimeFromTimestamp(e.lastDay) - wxDateSpan::Days(3));
    const int64_t till = wholeHistory ? INT64_MAX : e.lastDay;
    ScanRun run;
    double scanSeconds = 0, readSeconds = 0, plainSeconds = 0;
    size_t plainHits = 0;
    for (auto _ : state) {
        run = scanAsTheProgramRunsIt(e, from, till, wholeHistory ? "whole.tsv" : "3day.tsv");
        state.SetIterationTime(run.seconds);
        scanSeconds += run.seconds;
        readSeconds += secondsOf([&] {
            for (unsigned id : e.ids)
                e.read(id);
        });
        plainSeconds += secondsOf([&] {
            plainHits = 0;
            for (unsigned id : e.ids)
                plainHits += e.plainScan(id, from, till);
        });
    }
    if (!run.finished)
        state.SkipWithError("the scan did not end with its message");
    else if (run.rows != plainHits)
        state.SkipWithError("the report's rows and the plain loop's crossings differ");
    else if (!run.goldenDifference.empty())
        state.SkipWithError(run.goldenDifference.c_str());
    if (run.compared)
        state.counters["same_as_golden"] = run.goldenDifference.empty() ? 1 : 0;
    const double n = state.iterations() ? double(state.iterations()) : 1.0;
    state.counters["read_ms"] = 1000.0 * readSeconds / n;
    state.counters["x_read"] = readSeconds > 0 ? scanSeconds / readSeconds : 0.0;
    state.counters["plain_ms"] = 1000.0 * plainSeconds / n;
    state.counters["x_plain"] = plainSeconds > 0 ? scanSeconds / plainSeconds : 0.0;
    state.counters["rows"] = double(run.rows);
    state.counters["peak_MB"] = run.peakMB;
    state.counters["rss_before_MB"] = run.rssBeforeMB;
    state.counters["max_gap_ms"] = run.maxGapMs;
}

void BM_ScanAsTheProgramRunsIt_WholeHistory(benchmark::State& state) { scanAsTheProgramRunsIt(state, true); }
void BM_ScanAsTheProgramRunsIt_LastThreeDays(benchmark::State& state) { scanAsTheProgramRunsIt(state, false); }

void BM_ScanCore(benchmark::State& state)
{
    Env& e = env();
    Baseline plain("plain");
    size_t hits = 0, plainHits = 0;
    for (auto _ : state) {
        hits = plainHits = 0;
        for (unsigned id : e.ids) {
            plain.measured([&] {
                QxObjectSmartPtr<QxPriceHistory> h = ideaScanHistory(e.db.get(), id, Qx::eDaily);
                hits += evaluateIdeaScan(*e.copy, kLookFor, h.get(), 0, INT64_MAX).size();
            });
            plain.baseline(state, [&] { plainHits += e.plainScan(id, 0, INT64_MAX); });
        }
    }
    if (hits == 0 || hits != plainHits)
        state.SkipWithError("the scan and the plain loop found different bars");
    state.counters["signals"] = double(hits);
    plain.reportTime(state);
    perSecurity(state);
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
                hits += evaluateIdeaScan(*e.copy, kLookFor, histories[k].get(), 0, INT64_MAX).size();
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

BENCHMARK(BM_ScanAsTheProgramRunsIt_WholeHistory)->Unit(benchmark::kSecond)->Iterations(1)->UseManualTime();
BENCHMARK(BM_ScanAsTheProgramRunsIt_LastThreeDays)->Unit(benchmark::kSecond)->Iterations(1)->UseManualTime();
BENCHMARK(BM_ScanCore)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_PrepareEachSecurity)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_EvaluateEachSecurity)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

int main(int argc, char** argv)
{
    const std::string home = startBenchmarkGui(argc, argv, "idea-bench");
    if (home.empty())
        return 1;
    // The report's frames and the worker's calls need the program's
    // application object, as the tests make it.
    wxAppConsole* toolkitApp = wxApp::GetInstance();
    auto* app = new QxApplication;
    // As the program does at start.
    CorvKeepFreedMemory();
    app->changeDatabase(env().db);
    benchmark::RunSpecifiedBenchmarks();
    QxIdeaFindingThread::stopAllAndWait();
    app->changeDatabase(nullptr);
    env().close();
    delete app;
    wxApp::SetInstance(toolkitApp);
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(home, ec);
    return 0;
}
