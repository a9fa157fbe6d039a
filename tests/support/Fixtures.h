#pragma once
// The real data of the tests and benchmarks: where it is (tests/fixtures/ of
// the source tree they were built from, or the folder TRENDORIA_TEST_FIXTURES
// names) and the one reader of its daily price files. Needs neither
// GoogleTest nor a display, so the benchmarks use it too.
#include "core/QxObject.h"
#include "core/QxPriceHistory.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace TestSupport {

// The fixture folder in use.
std::string fixturesDir();

// The path of a file or folder below it (for example "ohlcv/nvda-1999-2014.csv").
// A missing fixture stops the caller at once with its name: an exception that
// fails the running test (GoogleTest reports its text), or ends a benchmark.
std::string fixturePath(const std::string& relative);

// The bytes of a fixture file.
std::string fixtureText(const std::string& relative);

// Which bars of a daily price file a reader keeps when it keeps maxBars.
enum class FixtureBars { eLast, eFirst };

// A daily price file of ohlcv/ ("orcl-1995-2014.csv": Date,Open,High,Low,
// Close,...,Volume, oldest first) read as the program imports such files, its
// columns found by their header names; maxBars of its bars (all when 0).
QxObjectSmartPtr<QxPriceHistory> fixtureHistory(const std::string& name, unsigned maxBars = 0,
                                                FixtureBars which = FixtureBars::eLast);

// The same bars as plain columns, for tests that feed functions directly.
struct OhlcvFixture {
    std::vector<int64_t> time;
    std::vector<double> open, high, low, close, volume;
    size_t size() const { return close.size(); }
};
OhlcvFixture loadOhlcvFixture(const std::string& name, size_t maxBars = 0,
                              FixtureBars which = FixtureBars::eFirst);

} // namespace TestSupport
