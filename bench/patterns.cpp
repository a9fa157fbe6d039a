// Zig-zag turning points over the ~5,000-bar ORCL history at a 5 % filter:
// the first computation through the calculator (prices already loaded; the
// list is built and stored in the cache) beside one plain pass over the
// same closes ("x_close_pass": how many such passes it costs), and a paint
// of the chart with a zig-zag whose list is cached beside the same chart
// painted without it ("x_no_zigzag"), at the base candle width and zoomed
// out to one pixel a bar. The candlestick detector likewise: each
// function of the group's first computation beside the close pass, and a
// chart marked by a detector of every function painted first (outputs
// computed) and cached, beside the same chart without it
// ("x_no_candlestick"); and the double-top and head-and-shoulders
// detectors' paint, first (turning points computed) and cached, beside
// the chart without them ("x_no_price_pattern"). Needs a display (run under xvfb-run).
#include "bench/Baseline.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxZone.h"
#include "chartview/QxCandlestickPattern.h"
#include "chartview/QxPricePattern.h"
#include "chartview/QxZigZagPattern.h"
#include "chartview/QxZigZagTurningPoints.h"
#include "bench/BenchCandlesticks.h"
#include "bench/BenchOrcl.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "core/ta/QxTaFunctionSet.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/init.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr unsigned kSecurityId = 90003;
constexpr double kFilter = 5.0;
constexpr int kWidth = 1200;
constexpr int kHeight = 800;

using benchorcl::loadHistory;

QxSecurity* orcl()
{
    static QxObjectSmartPtr<QxSecurity> security(new benchorcl::MemSecurity(loadHistory(), kSecurityId));
    return security.get();
}

// The cheapest pass over the closes any zig-zag must make: each bar's move
// from the one before.
double closePass(const QxPriceHistory& h)
{
    const double* c = h.close();
    double sum = 0;
    for (unsigned i = 1; i < h.numBars(); ++i)
        sum += c[i] / c[i - 1] - 1.0;
    return sum;
}

void BM_ZigZagFirstComputation(benchmark::State& state)
{
    QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(orcl()));
    const QxPriceHistory* history = calc->prices(false);
    if (!history || history->numBars() < 4000) {
        state.SkipWithError("the ORCL history did not load");
        return;
    }
    Baseline baseline("close_pass");
    size_t points = 0;
    for (auto _ : state) {
        // Prices reloaded outside the timer: every list is a first one.
        state.PauseTiming();
        QxCalculator::discardEodCache(kSecurityId);
        history = calc->prices(false);
        state.ResumeTiming();
        baseline.measured([&] { points = computeZigZagTurningPoints(calc.get(), kFilter).size(); });
        baseline.baseline(state, [&] { benchmark::DoNotOptimize(closePass(*history)); });
    }
    state.counters["bars"] = history->numBars();
    state.counters["turning_points"] = double(points);
    baseline.reportTime(state);
}
BENCHMARK(BM_ZigZagFirstComputation)->Unit(benchmark::kMicrosecond);

struct PaintSetup {
    explicit PaintSetup(uint32_t zoom, QxPattern* pattern) : bitmap(kWidth, kHeight, 24), dc(bitmap)
    {
        chartist = new QxChartist(orcl(), Qx::eDaily, nullptr);
        QxChart* chart = chartist->getChart();
        chart->setChartWidth(kWidth);
        const bool zoomed = chart->setZoomWidth(zoom) == eNoError;
        if (pattern)
            chart->getMainZone()->addPattern(pattern);
        ok = zoomed && chartist->setup(dc) == eNoError;
        chartist->display(dc); // the list is computed and cached here
    }
    wxBitmap bitmap;
    wxMemoryDC dc;
    QxObjectSmartPtr<QxChartist> chartist;
    bool ok = false;
};

void BM_ZigZagCachedPaint(benchmark::State& state)
{
    const uint32_t zoom = static_cast<uint32_t>(state.range(0));
    PaintSetup with(zoom, new QxZigZagPattern({kFilter, wxPen(*wxBLUE, 2)}));
    PaintSetup without(zoom, nullptr);
    if (!with.ok || !without.ok) {
        state.SkipWithError("chart did not lay out");
        return;
    }
    Baseline baseline("no_zigzag");
    for (auto _ : state) {
        baseline.measured([&] { with.chartist->display(with.dc); });
        baseline.baseline(state, [&] { without.chartist->display(without.dc); });
    }
    state.counters["visible_bars"] = with.chartist->getChart()->numVisibleBars();
    baseline.reportTime(state);
}
BENCHMARK(BM_ZigZagCachedPaint)->Arg(QxChart::eZoomBase)->Arg(QxChart::eZoomOnePixel)->Unit(benchmark::kMillisecond);

using benchcandles::candlestickFunctions;

void BM_CandlestickFirstComputation(benchmark::State& state, const TA_FuncInfo* function)
{
    QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(orcl()));
    QxObjectSmartPtr<QxCandlestickPattern> pattern(new QxCandlestickPattern());
    pattern->setCalculator(calc.get());
    const QxPriceHistory* history = calc->prices(false);
    if (!history || history->numBars() < 4000) {
        state.SkipWithError("the ORCL history did not load");
        return;
    }
    Baseline baseline("close_pass");
    double hits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QxCalculator::discardEodCache(kSecurityId);
        history = calc->prices(false);
        state.ResumeTiming();
        baseline.measured([&] {
            const QxCandlestickPattern::Output out = pattern->computeCandlestickSeries(function);
            hits = 0;
            for (int b = out.series.first; out.series.values && b <= out.series.last; ++b)
                hits += *out.series.at(b) != 0;
        });
        baseline.baseline(state, [&] { benchmark::DoNotOptimize(closePass(*history)); });
    }
    state.counters["bars"] = history->numBars();
    state.counters["hits"] = hits;
    baseline.reportTime(state);
}

// arg 1: every function's output computed afresh at each paint; 0: cached.
void BM_CandlestickPaint(benchmark::State& state)
{
    const bool first = state.range(0) != 0;
    auto* detector = new QxCandlestickPattern();
    detector->detectors = candlestickFunctions();
    PaintSetup with(QxChart::eZoomBase, detector);
    PaintSetup without(QxChart::eZoomBase, nullptr);
    if (!with.ok || !without.ok || detector->detectors.empty()) {
        state.SkipWithError("chart did not lay out");
        return;
    }
    Baseline baseline("no_candlestick");
    for (auto _ : state) {
        if (first) {
            state.PauseTiming();
            QxCalculator::discardEodCache(kSecurityId);
            with.chartist->getChart()->getCalc()->prices(false);
            state.ResumeTiming();
        }
        baseline.measured([&] { with.chartist->display(with.dc); });
        baseline.baseline(state, [&] { without.chartist->display(without.dc); });
    }
    state.counters["functions"] = double(detector->detectors.size());
    state.counters["visible_bars"] = with.chartist->getChart()->numVisibleBars();
    baseline.reportTime(state);
}
BENCHMARK(BM_CandlestickPaint)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// range(0): 0 double top, 1 head and shoulders; range(1): 1 first paint
// (the cache dropped before each), 0 cached.
void BM_PricePatternPaint(benchmark::State& state)
{
    const QxPricePatternConfig config{kFilter, wxPen(*wxRED, 2), wxPen(*wxGREEN, 2)};
    QxPattern* detector = state.range(0) == 0 ? static_cast<QxPattern*>(new QxDoubleTop(config))
                                              : static_cast<QxPattern*>(new QxHeadAndShoulder(config));
    const bool first = state.range(1) != 0;
    PaintSetup with(QxChart::eZoomOnePixel, detector);
    PaintSetup without(QxChart::eZoomOnePixel, nullptr);
    if (!with.ok || !without.ok) {
        state.SkipWithError("chart did not lay out");
        return;
    }
    Baseline baseline("no_price_pattern");
    for (auto _ : state) {
        if (first) {
            state.PauseTiming();
            QxCalculator::discardEodCache(kSecurityId);
            with.chartist->getChart()->getCalc()->prices(false);
            state.ResumeTiming();
        }
        baseline.measured([&] { with.chartist->display(with.dc); });
        baseline.baseline(state, [&] { without.chartist->display(without.dc); });
    }
    state.counters["visible_bars"] = with.chartist->getChart()->numVisibleBars();
    baseline.reportTime(state);
}
BENCHMARK(BM_PricePatternPaint)->Args({0, 1})->Args({0, 0})->Args({1, 1})->Args({1, 0})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    // Memory bitmaps need the toolkit's GUI part.
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 1;
    for (const TA_FuncInfo* function : candlestickFunctions())
        benchmark::RegisterBenchmark((std::string("BM_CandlestickFirstComputation/") + function->name).c_str(),
                                     BM_CandlestickFirstComputation, function)
            ->Unit(benchmark::kMicrosecond);
    benchmark::RunSpecifiedBenchmarks();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
