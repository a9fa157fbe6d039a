// Point-and-figure columns of the ~5,000-bar ORCL history with the default
// parameters: built from the bars (uncached) beside one pass that only
// reads every high and low ("x_scan": how many times that the columns
// cost), and fetched from the calculator's cache as a chart does at every
// layout after the first; then one layout plus display of the chart at
// 1200 pixels beside clearing and copying a bitmap of that size. Needs a
// display (run under xvfb-run).
#include "bench/Baseline.h"
#include "bench/BenchOrcl.h"
#include "chartview/QxPointAndFigure.h"
#include "core/QxCalculator.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxPriceHistory.h"
#include "core/QxErrorCode.h"
#include "core/QxSecurity.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/init.h>

#include <vector>

namespace {

constexpr int kWidth = 1200;
constexpr int kHeight = 800;

QxPriceHistory* orcl()
{
    static QxObjectSmartPtr<QxPriceHistory> history(benchorcl::loadHistory());
    return history.get();
}

void BM_PnfColumnsUncached(benchmark::State& state)
{
    const QxPriceHistory* h = orcl();
    const QxPointAndFigureParam params;
    std::vector<double> levels;
    std::vector<unsigned> starts;
    Baseline baseline("scan");
    double sink = 0;
    for (auto _ : state) {
        baseline.measured(
            [&] { QxPnf::buildColumns(params, h->numBars(), h->high(), h->low(), h->close(), levels, starts); });
        baseline.baseline(state, [&] {
            for (unsigned i = 0; i < h->numBars(); ++i)
                sink += h->high()[i] - h->low()[i];
            benchmark::DoNotOptimize(sink);
        });
    }
    state.counters["bars"] = h->numBars();
    state.counters["columns"] = double(starts.size());
    state.counters["boxes"] = double(levels.size());
    baseline.reportTime(state);
}
BENCHMARK(BM_PnfColumnsUncached)->Unit(benchmark::kMicrosecond);

struct Chart {
    Chart() : security(new benchorcl::MemSecurity(orcl()->clone(), 90002)), calc(new QxCalculator(security.get(), Qx::eDaily)), pnf(calc.get())
    {
        pnf.setParams(QxPointAndFigureParam());
    }
    QxObjectSmartPtr<benchorcl::MemSecurity> security;
    QxObjectSmartPtr<QxCalculator> calc;
    QxPointAndFigure pnf;
};

void BM_PnfColumnsCached(benchmark::State& state)
{
    Chart chart;
    QxArrayT<double> levels;
    QxArrayT<unsigned> starts;
    chart.pnf.buildColumns(levels, starts); // fills the cache
    for (auto _ : state) {
        chart.pnf.buildColumns(levels, starts);
        benchmark::DoNotOptimize(levels.data());
    }
    state.counters["columns"] = double(starts.size());
}
BENCHMARK(BM_PnfColumnsCached)->Unit(benchmark::kMicrosecond);

void BM_PnfLayoutAndDisplay(benchmark::State& state)
{
    Chart chart;
    wxBitmap bitmap(kWidth, kHeight, 24);
    wxMemoryDC dc(bitmap);
    wxBitmap window(kWidth, kHeight, 24);
    wxMemoryDC windowDc(window);
    Baseline baseline("clear_blit");
    for (auto _ : state) {
        baseline.measured([&] {
            chart.pnf.layout(dc, kWidth);
            dc.SetPen(*wxBLACK_PEN);
            dc.SetBrush(*wxWHITE_BRUSH);
            chart.pnf.display(dc);
        });
        baseline.baseline(state, [&] {
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            windowDc.Blit(0, 0, kWidth, kHeight, &dc, 0, 0);
        });
    }
    state.counters["visible_columns"] = chart.pnf.visibleColumns();
    state.counters["height"] = chart.pnf.virtualHeight();
    baseline.reportTime(state);
}
BENCHMARK(BM_PnfLayoutAndDisplay)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    // Memory bitmaps need the toolkit's GUI part.
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    QxDataChangeReactorMgr::destroy();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
