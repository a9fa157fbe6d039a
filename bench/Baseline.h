#pragma once
// A benchmark's figure beside its baseline from the same run.  Every
// iteration runs the measured work under the benchmark's timer and the
// baseline with that timer paused, one after the other, and both are also
// timed here on the same clock; so load on a shared machine falls on both
// alike, and their ratio means something even when the times do not.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

class Baseline {
public:
    explicit Baseline(std::string name) : m_name(std::move(name)) {}

    // The measured work of one iteration.
    template <class Work>
    void measured(Work&& work)
    {
        const auto start = Clock::now();
        work();
        m_measured += std::chrono::duration<double>(Clock::now() - start).count();
    }

    // The baseline of one iteration, outside the benchmark's timer.
    template <class Work>
    void baseline(benchmark::State& state, Work&& work)
    {
        state.PauseTiming();
        const auto start = Clock::now();
        work();
        m_baseline += std::chrono::duration<double>(Clock::now() - start).count();
        state.ResumeTiming();
    }

    // Counters: "<name>_ms", the baseline's mean time, and
    // "x_<name>", the measured time over the baseline's (above 1: slower).
    void reportTime(benchmark::State& state) const
    {
        const double n = state.iterations() ? double(state.iterations()) : 1.0;
        state.counters[m_name + "_ms"] = 1000.0 * m_baseline / n;
        state.counters["x_" + m_name] = m_baseline > 0 ? m_measured / m_baseline : 0.0;
    }

    // Counters for throughput: "<name>_rows_per_s", the baseline's rate,
    // and "vs_<name>", the measured rate over the baseline's (below 1:
    // slower).
    void reportRate(benchmark::State& state, double rows) const
    {
        state.counters[m_name + "_rows_per_s"] = m_baseline > 0 ? rows / m_baseline : 0.0;
        state.counters["vs_" + m_name] = m_measured > 0 ? m_baseline / m_measured : 0.0;
    }

private:
    using Clock = std::chrono::steady_clock;
    std::string m_name;
    double m_measured = 0;
    double m_baseline = 0;
};
