// A chart of 10,000 daily bars with BBANDS, RSI and MACD painted into a
// 1200x800 memory bitmap over the whole width, at the base candle width
// and zoomed out to one-pixel candles: the time of one paint (layout
// included, as the chart window paints) beside a paint that only clears a
// bitmap of that size and copies it ("x_clear_blit": how many times that
// the chart costs), and the time of one layout alone.  Needs a display
// (run under xvfb-run).
#include "bench/BenchChart.h"
#include "bench/Baseline.h"
#include "app/QxIndicatorRegistry.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/init.h>

namespace {

struct ChartSetup {
    explicit ChartSetup(uint32_t zoom) : bitmap(benchchart::kWidth, benchchart::kHeight, 24), dc(bitmap), built(dc, zoom)
    {
    }
    wxBitmap bitmap;
    wxMemoryDC dc;
    benchchart::Chart built;
    QxChartist* chartist = built.chartist.get();
    QxChart* chart = built.chart;
    bool ok = built.ok;
};

// What any paint of a chart this size costs: the view clears its bitmap
// and copies it to the window (here a second bitmap).
struct ClearAndBlit {
    ClearAndBlit() : bitmap(benchchart::kWidth, benchchart::kHeight, 24), dc(bitmap),
                     window(benchchart::kWidth, benchchart::kHeight, 24), windowDc(window)
    {
        dc.SetBackground(*wxWHITE_BRUSH);
    }
    void operator()()
    {
        dc.Clear();
        windowDc.Blit(0, 0, benchchart::kWidth, benchchart::kHeight, &dc, 0, 0);
    }
    wxBitmap bitmap;
    wxMemoryDC dc;
    wxBitmap window;
    wxMemoryDC windowDc;
};

void BM_ChartPaint(benchmark::State& state)
{
    ChartSetup s(static_cast<uint32_t>(state.range(0)));
    if (!s.ok) {
        state.SkipWithError("chart did not lay out");
        return;
    }
    ClearAndBlit clearAndBlit;
    Baseline baseline("clear_blit");
    for (auto _ : state) {
        baseline.measured([&] { s.chartist->display(s.dc); });
        baseline.baseline(state, clearAndBlit);
    }
    state.counters["visible_bars"] = s.chart->numVisibleBars();
    baseline.reportTime(state);
}
BENCHMARK(BM_ChartPaint)->Arg(QxChart::eZoomBase)->Arg(QxChart::eZoomOnePixel)->Unit(benchmark::kMillisecond);

void BM_ChartLayout(benchmark::State& state)
{
    ChartSetup s(static_cast<uint32_t>(state.range(0)));
    if (!s.ok) {
        state.SkipWithError("chart did not lay out");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(s.chart->setup(s.dc));
    state.counters["visible_bars"] = s.chart->numVisibleBars();
}
BENCHMARK(BM_ChartLayout)->Arg(QxChart::eZoomBase)->Arg(QxChart::eZoomOnePixel)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    // Memory bitmaps need the toolkit's GUI part.
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    QxIndicatorRegistry::destroy();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
