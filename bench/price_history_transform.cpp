// Cost of deriving weekly and monthly bars from a long daily history, the
// work the calculator does whenever a chart switches period.
#include <benchmark/benchmark.h>

#include <cmath>
#include <ctime>

#include "core/QxPriceHistory.h"

namespace {

constexpr unsigned kDailyBars = 10000;

// 10,000 weekday bars from 1990 on (about 38 years).
QxObjectSmartPtr<QxPriceHistory> makeDaily()
{
    QxObjectSmartPtr<QxPriceHistory> h(new QxPriceHistory(Qx::eStock, Qx::eDaily));
    h->resize(kDailyBars);
    struct tm start = {};
    start.tm_year = 90;
    start.tm_mday = 1;
    time_t t = timegm(&start);
    for (unsigned i = 0; i < kDailyBars; t += 86400) {
        struct tm tm;
        gmtime_r(&t, &tm);
        if (tm.tm_wday == 0 || tm.tm_wday == 6)
            continue;
        h->timestamp()[i] = makeTimestamp(static_cast<uint8_t>(tm.tm_mday), tm.tm_mon + 1,
                                          static_cast<uint16_t>(tm.tm_year + 1900), 0, 0, 0);
        const double base = 100.0 + 20.0 * std::sin(i * 0.01);
        h->open()[i] = base;
        h->high()[i] = base + 1.5;
        h->low()[i] = base - 1.5;
        h->close()[i] = base + 0.5;
        h->volume()[i] = 1e6 + i;
        ++i;
    }
    return h;
}

void transformTo(benchmark::State& state, Qx::QxPeriod period)
{
    const QxObjectSmartPtr<QxPriceHistory> daily = makeDaily();
    unsigned bars = 0;
    for (auto _ : state) {
        QxObjectSmartPtr<QxPriceHistory> out(daily->transform(period));
        bars = out->numBars();
        benchmark::DoNotOptimize(out->close());
    }
    state.counters["bars_out"] = bars;
    state.SetItemsProcessed(state.iterations() * kDailyBars);
}

void BM_DailyToWeekly(benchmark::State& state) { transformTo(state, Qx::eWeekly); }
void BM_DailyToMonthly(benchmark::State& state) { transformTo(state, Qx::eMonthly); }

} // namespace

BENCHMARK(BM_DailyToWeekly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DailyToMonthly)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
