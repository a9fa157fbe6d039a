#pragma once
// Where the tests and benchmarks find their real data: tests/fixtures/ of the
// source tree they were built from, or the folder TRENDORIA_TEST_FIXTURES
// names. Needs neither GoogleTest nor a display, so the benchmarks use it too.
#include <string>

namespace TestSupport {

// The fixture folder in use.
std::string fixturesDir();

// The path of a file or folder below it (for example "ohlcv/nvda-1999-2014.csv").
// A missing fixture stops the caller at once with its name: an exception that
// fails the running test (GoogleTest reports its text), or ends a benchmark.
std::string fixturePath(const std::string& relative);

} // namespace TestSupport
