// Zig-zag turning points: the reversal rule over small tables of closes,
// and the list cached per filter in the calculator until the prices change.
#include "support/ChartFixtures.h"
#include "chartview/QxZigZagTurningPoints.h"
#include "core/QxCalculator.h"
#include "core/QxDataChangeReactorMgr.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using Points = std::vector<unsigned>;

Points turningPoints(const std::vector<double>& closes, double filter)
{
    return zigZagTurningPoints(closes.data(), closes.size(), filter);
}

Points toVector(const QxArrayT<unsigned>& a)
{
    return a.isNull() ? Points() : Points(a.data(), a.data() + a.size());
}

} // namespace

TEST(ZigZagPoints, ReversalsOfAtLeastTheFilterAreConfirmed)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* what;
        std::vector<double> closes;
        double filter;
        Points expected;
    } cases[] = {
        // 12 is confirmed by the fall to 10.5 (12.5 %); 10.5 is not, 11 is only 4.8 % above it.
        {"top confirmed, last low not", {10, 11, 12, 10.5, 11}, 10, {0, 2, 4}},
        {"low confirmed by 23.8 %", {10, 11, 12, 10.5, 13}, 10, {0, 2, 3, 4}},
        {"flat", {7, 7, 7, 7, 7, 7}, 5, {0, 5}},
        {"never moves by the filter", {10, 10.4, 10.1, 10.45, 10.2}, 5, {0, 4}},
        {"two bars", {10, 20}, 5, {0, 1}},
        {"one bar", {10}, 5, {}},
        {"no bars", {}, 5, {}},
        // Filter 0: every change opens or extends a leg, every reversal confirms.
        {"filter 0 follows every turn", {10, 11, 10, 12, 11}, 0, {0, 1, 2, 3, 4}},
        {"filter 0, repeated closes extend the leg", {10, 11, 11, 10, 10, 12}, 0, {0, 2, 4, 5}},
        {"filter 0, flat", {5, 5, 5}, 0, {0, 2}},
        // A rise of exactly the filter is enough.
        {"exactly the filter", {64, 80, 60}, 25, {0, 1, 2}},
        {"falling first", {20, 15, 10, 14, 9}, 30, {0, 2, 3, 4}},
        // A zero close moves nothing from it: no division by zero decides a leg.
        {"a zero close as base", {0, 5, 10, 2}, 50, {0, 3}},
        // A zero close reached ends as a candidate that the next close replaces:
        // the glitch is stepped over instead of turning the line.
        {"a zero close reached", {10, 0, 8, 1}, 50, {0, 3}},
        {"a NaN close", {10, nan, 12, 9}, 10, {0, 2, 3}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(turningPoints(c.closes, c.filter), c.expected) << c.what;
}

TEST(ZigZagPoints, EqualFiltersShareOneKey)
{
    EXPECT_EQ(zigZagCacheKey(5.0), zigZagCacheKey(5.0));
    EXPECT_EQ(zigZagCacheKey(5.0), zigZagCacheKey(5.0000001)); // the same text 5.000000
    EXPECT_NE(zigZagCacheKey(5.0), zigZagCacheKey(5.5));
}

TEST(ZigZagPoints, CachedPerFilterUntilThePricesChange)
{
    QxObjectSmartPtr<charttest::MemSecurity> security(
        new charttest::MemSecurity(31, charttest::makeBars({10, 11, 12, 10.5, 11}, {10, 11, 12, 10.5, 11})));
    QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(security.get()));

    const QxArrayT<unsigned> first = computeZigZagTurningPoints(calc.get(), 10);
    EXPECT_EQ(toVector(first), (Points{0, 2, 4}));
    const QxArrayT<unsigned> again = computeZigZagTurningPoints(calc.get(), 10);
    EXPECT_EQ(again.data(), first.data()) << "the same filter gives the cached list";
    QxArrayT<unsigned> stored;
    ASSERT_EQ(calc->getUserUns32Array(zigZagCacheKey(10), stored), 0);
    EXPECT_EQ(stored.data(), first.data());
    // Another calculator of the security shares the cache entry.
    QxCalculator other(security.get());
    EXPECT_EQ(computeZigZagTurningPoints(&other, 10).data(), first.data());
    EXPECT_EQ(toVector(computeZigZagTurningPoints(calc.get(), 2)), (Points{0, 2, 3, 4}));

    // New prices through the hub drop the list; the next call recomputes it.
    QxObjectSmartPtr<QxPriceHistory> changed(charttest::makeBars({10, 11, 12, 10.5, 13}, {10, 11, 12, 10.5, 13}));
    security->saveHistory(changed.get());
    QxDataChangeReactorMgr::instance()->notifyEodDataChange(31);
    EXPECT_NE(calc->getUserUns32Array(zigZagCacheKey(10), stored), 0);
    const QxArrayT<unsigned> recomputed = computeZigZagTurningPoints(calc.get(), 10);
    EXPECT_EQ(toVector(recomputed), (Points{0, 2, 3, 4}));
    EXPECT_EQ(toVector(first), (Points{0, 2, 4})) << "a holder keeps its list";

    QxDataChangeReactorMgr::destroy();
}

TEST(ZigZagPoints, NoListWithoutTwoBars)
{
    QxObjectSmartPtr<charttest::MemSecurity> security(
        new charttest::MemSecurity(32, charttest::makeBars({10}, {10})));
    QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(security.get()));
    EXPECT_TRUE(computeZigZagTurningPoints(calc.get(), 5).isNull());
    EXPECT_TRUE(computeZigZagTurningPoints(nullptr, 5).isNull());
    QxCalculator unbound;
    EXPECT_TRUE(computeZigZagTurningPoints(&unbound, 5).isNull());
}
