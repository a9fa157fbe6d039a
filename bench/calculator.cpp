// SMA(30) and RSI(14) over 10,000 daily bars: computed through the
// calculator (first call, with the period's prices already loaded, and a
// cached call) against the same TA-Lib function called directly, also within
// the first call's own iterations.
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "chart/QxDrawable.h"
#include "core/QxIndicator.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "core/platform/CorvAlloc.h"
#include "bench/Baseline.h"

#include <benchmark/benchmark.h>
#include <ta_libc.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr unsigned kBars = 10000;

// One TA-Lib function of one price-field input, one period parameter and
// one output; enough of an indicator to go through the cache.
class TaIndicator : public QxIndicator {
public:
    using Fn = TA_RetCode (*)(int, int, const double[], int, int*, int*, double[]);

    TaIndicator(const char* name, Fn fn, int period)
        : m_name(name), m_atom(name), m_fn(fn), m_inputs{QxSeriesId::eSeriesClose},
          m_params{QxParamInfo(QxAtom("optInTimePeriod"), "Period", QxValue(int32_t(period)))},
          m_outputs{QxAtom("Real")}
    {
    }
    QxIndicator* clone(unsigned) const override
    {
        return new TaIndicator(m_name, m_fn, m_params[0].value.toInt32());
    }
    QxAtom getName() const override { return m_atom; }
    QxAtom getGroup() const override { return QxAtom("Bench"); }
    wxString getDescription() const override { return m_name; }
    int getPlacement() const override { return ePlaceOverPrice; }
    const std::vector<uint32_t>& inputInfos() const override { return m_inputs; }
    const std::vector<QxParamInfo>& defaultParamInfos() const override { return m_params; }
    const std::vector<QxParamInfo>& paramInfos() const override { return m_params; }
    int setParam(unsigned, const QxValue&) override { return eNotImplemented; }
    const std::vector<QxAtom>& outputInfos() const override { return m_outputs; }
    int compute(const std::vector<QxSeries>& inputs, std::vector<QxSeries>& outputs) override
    {
        const QxSeries& in = inputs[0];
        QxSeries& out = outputs[0];
        int begin = 0, count = 0;
        if (m_fn(in.first, in.last, in.at(0), m_params[0].value.toInt32(), &begin, &count, out.values) != TA_SUCCESS)
            return eInvalidData;
        // The function writes its first result at the start of the array.
        out.first = begin;
        out.last = begin + count - 1;
        out.base = begin;
        return eNoError;
    }
    const QxDrawableList& drawables(bool) override { return m_drawables; }
    void setDrawables(const QxDrawableList& list) override { m_drawables = list; }
    wxXmlNode* toXml(wxXmlNode*, unsigned) const override { return nullptr; }
    int fromXml(const wxXmlNode*) override { return eNoError; }

private:
    const char* m_name;
    QxAtom m_atom;
    Fn m_fn;
    std::vector<uint32_t> m_inputs;
    std::vector<QxParamInfo> m_params;
    std::vector<QxAtom> m_outputs;
    QxDrawableList m_drawables;
};

class BenchSecurity : public QxSecurity {
public:
    BenchSecurity()
    {
        m_history.reset(new QxPriceHistory(Qx::eStock, Qx::eDaily));
        m_history->resize(kBars);
        std::mt19937 random(42);
        std::normal_distribution<double> step(0.0, 1.0);
        double price = 100.0;
        for (unsigned i = 0; i < kBars; ++i) {
            price = std::max(1.0, price + step(random));
            m_history->timestamp()[i] = 19800101000000000LL + int64_t(i) * 1000000000LL;
            m_history->open()[i] = m_history->high()[i] = m_history->low()[i] = m_history->close()[i] = price;
            m_history->volume()[i] = 1000;
        }
    }
    unsigned id() const override { return 4242; }
    QxCategory* category() const override { return nullptr; }
    const char* ticker() const override { return "BENCH"; }
    const char* name() const override { return "Bench"; }
    QxPriceHistory* getHistory(Qx::QxPeriod, int64_t&, int64_t&) override { return m_history->clone(); }
    int lastQuote(int64_t&, QxQuote&) override { return eDataNotFound; }
    int saveHistory(QxPriceHistory*) override { return eNotImplemented; }
    int updateFromProvider(bool) override { return eInvalidOperation; }
    int deleteHistory(int64_t&, int64_t&) override { return eNotImplemented; }
    int deleteSecurity() override { return eNotImplemented; }
    const QxPriceHistory* history() const { return m_history.get(); }

private:
    QxObjectSmartPtr<QxPriceHistory> m_history;
};

struct Setup {
    Setup() { TA_Initialize(); }
    QxObjectSmartPtr<BenchSecurity> security{new BenchSecurity};
};

Setup& setup()
{
    static Setup s;
    return s;
}

TaIndicator* makeIndicator(bool rsi)
{
    return rsi ? new TaIndicator("RSI", TA_RSI, 14) : new TaIndicator("SMA", TA_SMA, 30);
}

// The direct call: TA-Lib over the closes into an output array of its own,
// as a caller without the cache would need.
void directCall(bool rsi)
{
    const QxPriceHistory* h = setup().security->history();
    std::unique_ptr<double[]> out(new double[kBars]);
    int begin = 0, count = 0;
    if (rsi)
        TA_RSI(0, kBars - 1, h->close(), 14, &begin, &count, out.get());
    else
        TA_SMA(0, kBars - 1, h->close(), 30, &begin, &count, out.get());
    benchmark::DoNotOptimize(out.get());
}

void BM_Direct(benchmark::State& state)
{
    const bool rsi = state.range(0) != 0;
    for (auto _ : state)
        directCall(rsi);
}

// Also runs the direct call in every iteration ("x_direct": the first
// call's time over the direct call's, both on the same clock and without
// the benchmark's own pausing in between).
void BM_CalculatorFirstCall(benchmark::State& state)
{
    const bool rsi = state.range(0) != 0;
    QxCalculator calc(setup().security.get());
    QxObjectSmartPtr<QxIndicator> indicator(makeIndicator(rsi));
    const QxSeriesId id(indicator.get(), 0);
    Baseline baseline("direct");
    for (auto _ : state) {
        state.PauseTiming();
        QxCalculator::discardEodCache(setup().security->id());
        calc.prices(false);
        state.ResumeTiming();
        QxSeries out;
        int rc = eNoError;
        baseline.measured([&] { rc = calc.getDataSeries(id, out); });
        if (rc != eNoError)
            state.SkipWithError("lookup failed");
        benchmark::DoNotOptimize(out.values);
        baseline.baseline(state, [rsi] { directCall(rsi); });
    }
    baseline.reportTime(state);
}

void BM_CalculatorCachedCall(benchmark::State& state)
{
    QxCalculator calc(setup().security.get());
    QxObjectSmartPtr<QxIndicator> indicator(makeIndicator(state.range(0) != 0));
    const QxSeriesId id(indicator.get(), 0);
    QxSeries out;
    calc.getDataSeries(id, out);
    for (auto _ : state) {
        if (calc.getDataSeries(id, out) != eNoError)
            state.SkipWithError("lookup failed");
        benchmark::DoNotOptimize(out.values);
    }
}

} // namespace

// Argument 0: SMA(30); 1: RSI(14).
BENCHMARK(BM_Direct)->Arg(0)->Arg(1);
BENCHMARK(BM_CalculatorFirstCall)->Arg(0)->Arg(1);
BENCHMARK(BM_CalculatorCachedCall)->Arg(0)->Arg(1);

int main(int argc, char** argv)
{
    // As the program does at start: freed memory stays in the process, so
    // the output array of the timed call does not pay for fresh pages that
    // the direct call, reusing its freed array, never pays for.
    CorvKeepFreedMemory();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
