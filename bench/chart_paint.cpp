// A chart of 10,000 daily bars with BBANDS, RSI and MACD painted into a
// 1200x800 memory bitmap over the whole width, at the base candle width
// and zoomed out to one-pixel candles: the time of one paint (layout
// included, as the chart window paints) and of one layout alone.  Needs a
// display (run under xvfb-run).
#include "app/QxIndicatorRegistry.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxTemplate.h"
#include "core/QxErrorCode.h"
#include "core/QxIndicator.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/datetime.h>
#include <wx/dcmemory.h>
#include <wx/init.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

constexpr unsigned kBars = 10000;

QxPriceHistory* makeWalk(unsigned n)
{
    auto* h = new QxPriceHistory(Qx::eStock, Qx::eDaily);
    h->resize(n);
    wxDateTime day(1, wxDateTime::Jan, 1975);
    uint32_t state = 777;
    auto next = [&state]() {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1u << 24);
    };
    double close = 50.0;
    for (unsigned i = 0; i < n; ++i) {
        while (day.GetWeekDay() == wxDateTime::Sat || day.GetWeekDay() == wxDateTime::Sun)
            day += wxDateSpan::Day();
        const double open = close * (1.0 + (next() - 0.5) * 0.02);
        close = std::max(1.0, open * (1.0 + 0.0015 * std::sin(i / 90.0) + (next() - 0.5) * 0.04));
        h->timestamp()[i] = makeTimestamp(day.GetDay(), day.GetMonth() + 1, day.GetYear());
        h->open()[i] = open;
        h->close()[i] = close;
        h->high()[i] = std::max(open, close) * (1.0 + next() * 0.015);
        h->low()[i] = std::min(open, close) * (1.0 - next() * 0.015);
        h->volume()[i] = 1e6 + next() * 2e6;
        day += wxDateSpan::Day();
    }
    return h;
}

class MemSecurity : public QxSecurity {
public:
    explicit MemSecurity(QxPriceHistory* history) : m_history(history) {}
    unsigned id() const override { return 90001; }
    QxCategory* category() const override { return nullptr; }
    const char* ticker() const override { return "BENCH"; }
    const char* name() const override { return "Bench Corp"; }
    QxPriceHistory* getHistory(Qx::QxPeriod period, int64_t&, int64_t&) override
    {
        return period == Qx::eDaily ? m_history->clone() : nullptr;
    }
    int lastQuote(int64_t&, QxQuote&) override { return eDataNotFound; }
    int saveHistory(QxPriceHistory*) override { return eNotImplemented; }
    int updateFromProvider(bool) override { return eNoError; }
    int deleteHistory(int64_t&, int64_t&) override { return eNotImplemented; }
    int deleteSecurity() override { return eNotImplemented; }

private:
    QxObjectSmartPtr<QxPriceHistory> m_history;
};

struct ChartSetup {
    explicit ChartSetup(uint32_t zoom) : bitmap(1200, 800, 24), dc(bitmap)
    {
        QxIndicatorRegistry* registry = QxIndicatorRegistry::instance();
        if (!registry->getIndicator(QxAtom("MACD")))
            registry->addBuiltInIndicators();
        QxTemplate tmpl;
        for (const char* name : {"BBANDS", "RSI", "MACD"})
            if (const QxIndicator* prototype = registry->getIndicator(QxAtom(name)))
                tmpl.addIndicator(prototype->clone(7), tmpl.numIndics());
        security = new MemSecurity(makeWalk(kBars));
        chartist = new QxChartist(security.get(), Qx::eDaily, &tmpl);
        chart = chartist->getChart();
        chart->setChartWidth(1200);
        chart->setZoomWidth(zoom);
        ok = tmpl.numIndics() == 3 && chartist->setup(dc) == eNoError;
    }
    wxBitmap bitmap;
    wxMemoryDC dc;
    QxObjectSmartPtr<MemSecurity> security;
    QxObjectSmartPtr<QxChartist> chartist;
    QxChart* chart = nullptr;
    bool ok = false;
};

void BM_ChartPaint(benchmark::State& state)
{
    ChartSetup s(static_cast<uint32_t>(state.range(0)));
    if (!s.ok) {
        state.SkipWithError("chart did not lay out");
        return;
    }
    for (auto _ : state)
        s.chartist->display(s.dc);
    state.counters["visible_bars"] = s.chart->numVisibleBars();
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
