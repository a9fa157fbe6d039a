// Point-and-figure columns of the ~5,000-bar ORCL history with the default
// parameters: built from the bars (uncached) beside one pass that only
// reads every high and low ("x_scan": how many times that the columns
// cost), and fetched from the calculator's cache as a chart does at every
// layout after the first; then one layout plus display of the chart at
// 1200 pixels beside clearing and copying a bitmap of that size. Needs a
// display (run under xvfb-run).
#include "support/Fixtures.h"
#include "bench/Baseline.h"
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

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

constexpr int kWidth = 1200;
constexpr int kHeight = 800;

// Date,Open,High,Low,Close,Adj Close,Volume.
QxPriceHistory* loadOrcl()
{
    std::ifstream in(TestSupport::fixturePath("ohlcv/orcl-1995-2014.csv"));
    std::string line;
    std::getline(in, line);
    std::vector<std::vector<double>> rows;
    while (std::getline(in, line)) {
        std::vector<double> cells;
        std::stringstream ls(line);
        for (std::string cell; std::getline(ls, cell, ',');)
            cells.push_back(std::strtod(cell.c_str(), nullptr));
        if (cells.size() >= 5)
            rows.push_back(cells);
    }
    auto* h = new QxPriceHistory(Qx::eStock, Qx::eDaily);
    h->resize(unsigned(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        h->timestamp()[i] = 19950101000000000LL + int64_t(i) * 1000000000LL;
        h->open()[i] = rows[i][1];
        h->high()[i] = rows[i][2];
        h->low()[i] = rows[i][3];
        h->close()[i] = rows[i][4];
    }
    return h;
}

QxPriceHistory* orcl()
{
    static QxObjectSmartPtr<QxPriceHistory> history(loadOrcl());
    return history.get();
}

// The ORCL history in memory, as a database would hand it out.
class OrclSecurity : public QxSecurity {
public:
    unsigned id() const override { return 90002; }
    QxCategory* category() const override { return nullptr; }
    const char* ticker() const override { return "ORCL"; }
    const char* name() const override { return "Oracle Corp"; }
    QxPriceHistory* getHistory(Qx::QxPeriod period, int64_t&, int64_t&) override
    {
        return period == Qx::eDaily ? orcl()->clone() : nullptr;
    }
    int lastQuote(int64_t&, QxQuote&) override { return eDataNotFound; }
    int saveHistory(QxPriceHistory*) override { return eNotImplemented; }
    int updateFromProvider(bool) override { return eNoError; }
    int deleteHistory(int64_t&, int64_t&) override { return eNotImplemented; }
    int deleteSecurity() override { return eNotImplemented; }
};

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
    Chart() : security(new OrclSecurity), calc(new QxCalculator(security.get(), Qx::eDaily)), pnf(calc.get())
    {
        pnf.setParams(QxPointAndFigureParam());
    }
    QxObjectSmartPtr<OrclSecurity> security;
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
