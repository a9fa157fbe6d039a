// Cost of going through the function set (lookup, parameter holder, binding,
// call) against calling TA-Lib's functions directly, over 1,000,000 bars.
#include "core/ta/QxTaFunctionSet.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace
{

const int kBars = 1000000;

const std::vector<double>& closes()
{
    static const std::vector<double> c = [] {
        std::vector<double> v(kBars);
        double price = 100.0;
        unsigned seed = 42;
        for (double& x : v) {
            seed = seed * 1103515245u + 12345u;
            price *= 1.0 + (static_cast<double>((seed >> 16) % 2001) - 1000.0) / 50000.0;
            x = price;
        }
        return v;
    }();
    return c;
}

// One call the way indicator code makes it: look up, hold, bind, call, free.
void runThroughSet(benchmark::State& state, const char* name, unsigned outputs,
                   std::vector<std::vector<double>>& out)
{
    const std::vector<double>& in = closes();
    for (auto _ : state) {
        const TA_FuncHandle* handle = nullptr;
        QxTaParamHolder* holder = nullptr;
        QxTaFunctionSet::getFuncHandle(name, &handle);
        QxTaFunctionSet::paramHolderAlloc(handle, &holder);
        QxTaFunctionSet::setInputParamRealPtr(holder, 0, in.data());
        for (unsigned k = 0; k < outputs; ++k)
            QxTaFunctionSet::setOutputParamRealPtr(holder, k, out[k].data());
        int beg = 0, n = 0;
        if (QxTaFunctionSet::callFunc(holder, 0, kBars - 1, &beg, &n) != TA_SUCCESS)
            state.SkipWithError("call failed");
        QxTaFunctionSet::paramHolderFree(holder);
        benchmark::DoNotOptimize(out[0].data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kBars);
}

std::vector<std::vector<double>> outputs(unsigned n)
{
    return std::vector<std::vector<double>>(n, std::vector<double>(kBars));
}

void BM_SMA_Set(benchmark::State& state)
{
    auto out = outputs(1);
    runThroughSet(state, "SMA", 1, out);
}

void BM_SMA_Direct(benchmark::State& state)
{
    auto out = outputs(1);
    const std::vector<double>& in = closes();
    for (auto _ : state) {
        int beg = 0, n = 0;
        TA_SMA(0, kBars - 1, in.data(), 30, &beg, &n, out[0].data());
        benchmark::DoNotOptimize(out[0].data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kBars);
}

void BM_RSI_Set(benchmark::State& state)
{
    auto out = outputs(1);
    runThroughSet(state, "RSI", 1, out);
}

void BM_RSI_Direct(benchmark::State& state)
{
    auto out = outputs(1);
    const std::vector<double>& in = closes();
    for (auto _ : state) {
        int beg = 0, n = 0;
        TA_RSI(0, kBars - 1, in.data(), 14, &beg, &n, out[0].data());
        benchmark::DoNotOptimize(out[0].data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kBars);
}

void BM_MACD_Set(benchmark::State& state)
{
    auto out = outputs(3);
    runThroughSet(state, "MACD", 3, out);
}

void BM_MACD_Direct(benchmark::State& state)
{
    auto out = outputs(3);
    const std::vector<double>& in = closes();
    for (auto _ : state) {
        int beg = 0, n = 0;
        TA_MACD(0, kBars - 1, in.data(), 12, 26, 9, &beg, &n, out[0].data(), out[1].data(),
                out[2].data());
        benchmark::DoNotOptimize(out[0].data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kBars);
}

// Pairs run back to back so that both sides see the same machine state.
BENCHMARK(BM_SMA_Direct)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SMA_Set)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RSI_Direct)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RSI_Set)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MACD_Direct)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MACD_Set)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QxTaFunctionSet::initialize();
    closes();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
