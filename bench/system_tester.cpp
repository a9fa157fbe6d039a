// The simple system tester's simulation with the shipped SMA 50-200 cross
// system over 10,000 and 100,000 daily bars of a random walk, beside the
// computation of that system's two moving averages alone. Both start from a
// calculation cache that holds the prices but no indicator output, so the
// difference is what the bar-by-bar evaluation, the trading and the report
// cost on top of the indicators.
//
// TesterOnOrcl: each shipped system over the ~5,000 bars of ORCL, as the
// tester runs it (a calculator holding the prices, the evaluation through
// the system resolved for the run, the trades and the HTML report), beside "plain": the same
// indicators by direct TA-Lib calls and a plain loop over their arrays that
// makes the same trades (their number is checked) without a report; and
// "answered": the tester's trading and report alone, with the system's
// answers looked up from a table made beforehand.
#include "app/QxIndicatorRegistry.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "core/QxIndicator.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "core/QxSeries.h"
#include "trading/QxCondition.h"
#include "trading/QxResolvedSystem.h"
#include "trading/QxSignal.h"
#include "trading/QxSimpleSystemTest.h"
#include "trading/QxTradingSystem.h"
#include "bench/Baseline.h"
#include "bench/BenchOrcl.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ta_libc.h>

#include <wx/app.h>
#include <wx/init.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <vector>

namespace {

class WalkSecurity : public QxSecurity {
public:
    WalkSecurity(unsigned id, unsigned bars) : m_id(id), m_history(new QxPriceHistory(Qx::eStock, Qx::eDaily))
    {
        m_history->resize(bars);
        std::mt19937 random(id);
        std::normal_distribution<double> step(0.0, 1.0);
        double price = 100.0;
        wxDateTime day(2, wxDateTime::Jan, 1970);
        for (unsigned i = 0; i < bars; ++i) {
            price = std::max(1.0, price + step(random));
            m_history->timestamp()[i] = makeTimestamp(static_cast<uint8_t>(day.GetDay()), day.GetMonth() + 1,
                                                      static_cast<uint16_t>(day.GetYear()));
            m_history->open()[i] = m_history->high()[i] = m_history->low()[i] = m_history->close()[i] = price;
            m_history->volume()[i] = 1000;
            day += wxDateSpan::Day();
        }
    }
    unsigned id() const override { return m_id; }
    QxCategory* category() const override { return nullptr; }
    const char* ticker() const override { return "WALK"; }
    const char* name() const override { return "Walk"; }
    QxPriceHistory* getHistory(Qx::QxPeriod, int64_t&, int64_t&) override { return m_history->clone(); }
    int lastQuote(int64_t&, QxQuote&) override { return eDataNotFound; }
    int saveHistory(QxPriceHistory*) override { return eNotImplemented; }
    int updateFromProvider(bool) override { return eInvalidOperation; }
    int deleteHistory(int64_t&, int64_t&) override { return eNotImplemented; }
    int deleteSecurity() override { return eNotImplemented; }
    const QxPriceHistory& history() const { return *m_history; }

private:
    unsigned m_id;
    QxObjectSmartPtr<QxPriceHistory> m_history;
};

QxObjectSmartPtr<QxTradingSystem>& smaCross()
{
    static QxObjectSmartPtr<QxTradingSystem> system;
    if (!system) {
        wxXmlDocument doc;
        if (doc.Load(TRENDORIA_BIN_DIR "/data/trading_system/definitions/SMA 50-200 Cross.xml"))
            system = QxTradingSystem::fromXML(doc.GetRoot());
    }
    return system;
}

WalkSecurity* security(unsigned bars)
{
    static std::map<unsigned, QxObjectSmartPtr<WalkSecurity>> securities;
    QxObjectSmartPtr<WalkSecurity>& s = securities[bars];
    if (!s)
        s = new WalkSecurity(9000 + bars % 997, bars);
    return s.get();
}

// The two moving averages of the long entry's condition.
std::vector<QxSeriesId> systemIndicators(const QxTradingSystem& system)
{
    const QxCondition* condition = system.getLongEntrySignal()->getConditionAt(0);
    return {condition->getFirstSeries(), condition->getSecondSeries()};
}

// The system, a walk of state.range(0) bars with its calculator, and a
// test over all of them; no system (and the benchmark skipped) when the
// shipped definition did not load.
struct Run {
    explicit Run(benchmark::State& state)
        : system(smaCross().get()), walk(security(static_cast<unsigned>(state.range(0)))), calc(walk)
    {
        if (!system)
            state.SkipWithError("the shipped SMA 50-200 Cross system did not load");
        params.startDate = walk->history().timestamp()[0];
        params.endDate = walk->history().timestamp()[walk->history().numBars() - 1];
        params.systemName = "SMA 50-200 Cross";
        params.ticker = "WALK";
    }
    QxTradingSystem* system;
    WalkSecurity* walk;
    QxCalculator calc;
    QxSimpleTestParams params;
};

void BM_SimulationVsIndicators(benchmark::State& state)
{
    Run run(state);
    if (!run.system)
        return;
    QxTradingSystem* system = run.system;
    WalkSecurity* walk = run.walk;
    QxCalculator& calc = run.calc;
    const QxSimpleTestParams& params = run.params;
    const std::vector<QxSeriesId> indicators = systemIndicators(*system);
    Baseline baseline("indicators");
    size_t trades = 0;
    // A cache with the prices and nothing computed from them.
    auto freshCache = [&] {
        QxCalculator::discardEodCache(walk->id());
        calc.prices(false);
    };
    for (auto _ : state) {
        state.PauseTiming();
        freshCache();
        state.ResumeTiming();
        baseline.measured([&] {
            QxSimpleTestResult result;
            simulateSimpleSystemTest(*calc.prices(false), resolvedSystemEvaluator(*system, &calc), params, result);
            trades = result.trades.size();
            benchmark::DoNotOptimize(result.report.data());
        });
        state.PauseTiming();
        freshCache();
        state.ResumeTiming();
        baseline.baseline(state, [&] {
            for (const QxSeriesId& id : indicators) {
                QxSeries out;
                if (calc.getDataSeries(id, out) != eNoError)
                    state.SkipWithError("an indicator did not compute");
                benchmark::DoNotOptimize(out.values);
            }
        });
    }
    baseline.reportTime(state);
    state.counters["trades"] = static_cast<double>(trades);
}

// The simulation's own share: the same run with the system's answers looked
// up from a table made beforehand, beside the full run.
void BM_SimulationWithoutEvaluation(benchmark::State& state)
{
    Run run(state);
    if (!run.system)
        return;
    QxTradingSystem* system = run.system;
    WalkSecurity* walk = run.walk;
    QxCalculator& calc = run.calc;
    const QxSimpleTestParams& params = run.params;
    const unsigned bars = static_cast<unsigned>(state.range(0));
    std::vector<unsigned char> answers(bars);
    for (unsigned bar = 0; bar < bars; ++bar)
        answers[bar] = static_cast<unsigned char>(system->evaluate(3, &calc, bar));
    Baseline baseline("full_run");
    for (auto _ : state) {
        baseline.measured([&] {
            QxSimpleTestResult result;
            simulateSimpleSystemTest(
                walk->history(), [&](unsigned mask, unsigned bar) { return answers[bar] & mask; }, params, result);
            benchmark::DoNotOptimize(result.report.data());
        });
        baseline.baseline(state, [&] {
            QxSimpleTestResult result;
            simulateSimpleSystemTest(walk->history(), resolvedSystemEvaluator(*system, &calc), params, result);
            benchmark::DoNotOptimize(result.report.data());
        });
    }
    baseline.reportTime(state);
}

// ---- the shipped systems on ORCL, beside a plain loop

const char* const kShipped[] = {"Close Over SMA 20", "MACD Signal Cross", "RSI 30-70", "SMA 50-200 Cross"};

QxObjectSmartPtr<QxTradingSystem> shipped(int index)
{
    wxXmlDocument doc;
    const wxString path = wxString(TRENDORIA_BIN_DIR "/data/trading_system/definitions/") + kShipped[index] + ".xml";
    if (!doc.Load(path))
        return nullptr;
    return QxObjectSmartPtr<QxTradingSystem>(QxTradingSystem::fromXML(doc.GetRoot()));
}

// One operand of a crossing as arrays: value of bar i at v[i], valid from
// bar begin (NaN before).
struct PlainSeries {
    std::vector<double> v;
    int begin = 0;
};

int intParam(const QxIndicator* indicator, size_t k)
{
    return indicator->paramInfos().at(k).value.toInt32();
}

// The series of id over the closes by a direct TA-Lib call; false for
// what these systems do not use.
bool plainSeries(const QxSeriesId& id, const double* close, int n, PlainSeries& out)
{
    out.v.assign(n, std::nan(""));
    out.begin = 0;
    if (id.kind() == QxSeriesId::eSeriesClose) {
        std::copy(close, close + n, out.v.begin());
        return true;
    }
    if (id.kind() == QxSeriesId::eSeriesConstant) {
        std::fill(out.v.begin(), out.v.end(), id.value());
        return true;
    }
    const QxIndicator* indicator = id.indicator();
    if (!indicator)
        return false;
    const wxString name = indicator->getName().string();
    std::vector<double> a(n), b(n), c(n);
    int begin = 0, count = 0;
    TA_RetCode rc = TA_BAD_PARAM;
    const double* result = a.data();
    if (name == "SMA") {
        rc = TA_SMA(0, n - 1, close, intParam(indicator, 0), &begin, &count, a.data());
    } else if (name == "RSI") {
        rc = TA_RSI(0, n - 1, close, intParam(indicator, 0), &begin, &count, a.data());
    } else if (name == "MACD") {
        rc = TA_MACD(0, n - 1, close, intParam(indicator, 0), intParam(indicator, 1), intParam(indicator, 2), &begin,
                     &count, a.data(), b.data(), c.data());
        result = id.outputIndex() == 0 ? a.data() : id.outputIndex() == 1 ? b.data() : c.data();
    }
    if (rc != TA_SUCCESS)
        return false;
    std::copy(result, result + count, out.v.begin() + begin);
    out.begin = begin;
    return true;
}

// The one crossing of a signal as arrays.
struct PlainCrossing {
    bool up = true;
    PlainSeries a, b;
    bool prepare(const QxSignal* signal, const double* close, int n)
    {
        const QxCondition* condition = signal ? signal->getConditionAt(0) : nullptr;
        if (!condition || signal->getNumConditions() != 1)
            return false;
        up = condition->getName().string() == "CrossOverUp";
        return plainSeries(condition->getFirstSeries(), close, n, a) &&
               plainSeries(condition->getSecondSeries(), close, n, b);
    }
    bool at(unsigned i) const
    {
        if (i == 0 || int(i) <= a.begin || int(i) <= b.begin)
            return false;
        const double x = a.v[i], x1 = a.v[i - 1], y = b.v[i], y1 = b.v[i - 1];
        return up ? !(x1 > y1) && x > y : !(y1 > x1) && y > x;
    }
};

// The tester's trading rules over the closes, with the signals from the
// arrays; the number of trades made.
size_t plainTrades(const QxTradingSystem& system, const QxPriceHistory& history, const QxSimpleTestParams& params)
{
    const int n = static_cast<int>(history.numBars());
    const double* close = history.close();
    PlainCrossing entry, exit;
    if (!entry.prepare(system.getLongEntrySignal(), close, n) || !exit.prepare(system.getLongExitSignal(), close, n))
        return 0;
    size_t trades = 0;
    bool holding = false;
    double cash = QxSimpleTestResult::kInitialCash, buyPrice = 0, highest = 0;
    double shares = 0;
    for (int i = 1; i < n; ++i) {
        if (!holding) {
            if (!entry.at(i - 1))
                continue;
            buyPrice = highest = close[i];
            shares = std::floor(std::floor(cash) / buyPrice);
            cash -= shares * buyPrice;
            holding = true;
            continue;
        }
        if (!exit.at(i - 1)) {
            const double p = close[i - 1];
            highest = std::max(highest, p);
            if (!((buyPrice - p) / buyPrice >= params.stopLoss) && !((highest - p) / highest >= params.stopErosion))
                continue;
        }
        cash += shares * close[i];
        ++trades;
        holding = false;
    }
    benchmark::DoNotOptimize(cash);
    return trades;
}

void BM_TesterOnOrcl(benchmark::State& state)
{
    const int index = static_cast<int>(state.range(0));
    state.SetLabel(kShipped[index]);
    QxObjectSmartPtr<QxTradingSystem> system = shipped(index);
    if (!system) {
        state.SkipWithError("the shipped system did not load");
        return;
    }
    QxObjectSmartPtr<benchorcl::MemSecurity> orcl(new benchorcl::MemSecurity(benchorcl::loadHistory(), 4711));
    QxCalculator calc(orcl.get());
    const QxPriceHistory* history = calc.prices(false);
    if (!history || history->numBars() == 0) {
        state.SkipWithError("no ORCL history");
        return;
    }
    QxSimpleTestParams params;
    params.startDate = history->timestamp()[0];
    params.endDate = history->timestamp()[history->numBars() - 1];
    params.systemName = kShipped[index];
    params.ticker = "ORCL";
    // The system's answers at every bar, looked up by "answered": the
    // trading and the report alone.
    std::vector<unsigned char> answers(history->numBars());
    for (unsigned bar = 0; bar < answers.size(); ++bar)
        answers[bar] = static_cast<unsigned char>(system->evaluate(3, &calc, bar));
    Baseline baseline("plain");
    Baseline answered("answered");
    size_t trades = 0, plain = 0, answeredTrades = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // The prices stay; every indicator is computed again.
        QxCalculator::discardEodCache(orcl->id());
        history = calc.prices(false);
        state.ResumeTiming();
        baseline.measured([&] {
            answered.measured([&] {
                QxSimpleTestResult result;
                simulateSimpleSystemTest(*history, resolvedSystemEvaluator(*system, &calc), params, result);
                trades = result.trades.size();
                benchmark::DoNotOptimize(result.report.data());
            });
        });
        baseline.baseline(state, [&] { plain = plainTrades(*system, *history, params); });
        answered.baseline(state, [&] {
            QxSimpleTestResult result;
            simulateSimpleSystemTest(
                *history, [&](unsigned mask, unsigned bar) { return answers[bar] & mask; }, params, result);
            answeredTrades = result.trades.size();
            benchmark::DoNotOptimize(result.report.data());
        });
    }
    if (trades != plain || trades != answeredTrades)
        state.SkipWithError("the plain loop or the looked-up answers made other trades");
    baseline.reportTime(state);
    answered.reportTime(state);
    state.counters["trades"] = static_cast<double>(trades);
    state.counters["bars"] = history->numBars();
}

} // namespace

BENCHMARK(BM_TesterOnOrcl)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimulationVsIndicators)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimulationWithoutEvaluation)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "cannot start the GUI toolkit (is DISPLAY set?)\n");
        return 1;
    }
    QxIndicatorRegistry::instance()->addBuiltInIndicators();
    benchmark::RunSpecifiedBenchmarks();
    smaCross().reset(nullptr);
    QxIndicatorRegistry::destroy();
    wxTheApp->OnExit();
    wxEntryCleanup();
    benchmark::Shutdown();
    return 0;
}
