// Split detection over small histories whose level ratio and gap are chosen
// per case: the worked ratios, funds, short histories, unusable bars and
// several splits in one history.
#include "core/QxPriceHistory.h"
#include "securities/QxSplitRecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace {

using Ratio = boost::rational<int>;

QxQuote bar(int day, double open, double high, double low, double close)
{
    QxQuote q;
    q.securityType = Qx::eStock;
    q.time = makeTimestamp(static_cast<uint8_t>(day), 3, 2014);
    q.open = open;
    q.high = high;
    q.low = low;
    q.close = close;
    q.volume = 1000;
    return q;
}

// Two bars whose levels (open + high + low + close) stand at 1 : r, their
// ranges apart (a gap) or overlapping.
QxObjectSmartPtr<QxPriceHistory> pair(double r, bool gap)
{
    QxObjectSmartPtr<QxPriceHistory> h(new QxPriceHistory(Qx::eStock, Qx::eDaily));
    const double p = 10 * r;
    if (gap) {
        h->insertOrReplaceQuote(bar(3, 10, 10, 10, 10));
        h->insertOrReplaceQuote(bar(4, p, p, p, p));
    } else if (r < 1) {
        h->insertOrReplaceQuote(bar(3, 13, 13, 1, 13)); // reaches down to the fall
        h->insertOrReplaceQuote(bar(4, p, p, p, p));
    } else {
        const double rest = (40 * r - 9.5) / 3;
        h->insertOrReplaceQuote(bar(3, 9, 13, 9, 9));
        h->insertOrReplaceQuote(bar(4, rest, rest, 9.5, rest)); // reaches down into the first
    }
    return h;
}

std::vector<QxSplitRecord> detect(const QxPriceHistory& h)
{
    std::vector<QxSplitRecord> records;
    detectSplits(h, records);
    return records;
}

} // namespace

TEST(SplitDetection, WorkedRatiosWithAndWithoutGap)
{
    const struct {
        double r;
        bool gap;
        std::optional<Ratio> expected;
    } cases[] = {
        {0.5, true, Ratio(1, 2)},   {1.0 / 3, true, Ratio(1, 3)}, {0.4, true, Ratio(1, 3)},
        {0.25, true, Ratio(1, 4)},  {0.6, true, Ratio(2, 3)},     {0.65, true, Ratio(1, 2)},
        {0.68, true, Ratio(2, 3)},  {0.7, true, std::nullopt},    {0.97, true, std::nullopt},
        {1.0, true, std::nullopt},  {2.0, true, Ratio(2, 1)},     {2.5, true, Ratio(2, 1)},
        {2.4, true, Ratio(3, 1)},   {3.0, true, Ratio(3, 1)},     {1.5, true, std::nullopt},
        {1.6, true, std::nullopt},  {0.02, true, Ratio(0, 1)},    {0.5, false, std::nullopt},
        {0.25, false, std::nullopt}, {2.0, false, std::nullopt},  {3.0, false, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "r=" << c.r << (c.gap ? " gap" : " overlap"));
        QxObjectSmartPtr<QxPriceHistory> h = pair(c.r, c.gap);
        ASSERT_NEAR(h->open()[1] + h->high()[1] + h->low()[1] + h->close()[1], 40 * c.r, 1e-9);
        const std::vector<QxSplitRecord> records = detect(*h);
        if (!c.expected) {
            EXPECT_TRUE(records.empty()) << splitRatioText(records.front().ratio);
            continue;
        }
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].date, h->timestamp()[1]) << "dated at the first bar after the jump";
        EXPECT_EQ(records[0].ratio, *c.expected) << splitRatioText(records[0].ratio);
    }
    EXPECT_EQ(splitRatioText(Ratio(2, 4)), "1:2");
}

TEST(SplitDetection, FundsAreJudgedOnNetAssetValueAndItsDirection)
{
    const struct {
        double first, second;
        std::optional<Ratio> expected;
    } cases[] = {{10, 5, Ratio(1, 2)}, {10, 20, Ratio(2, 1)}, {10, 30, Ratio(3, 1)}, {10, 9.9, std::nullopt}};
    for (const auto& c : cases) {
        QxObjectSmartPtr<QxPriceHistory> fund(new QxPriceHistory(Qx::eFund, Qx::eDaily));
        QxQuote q;
        q.securityType = Qx::eFund;
        q.time = makeTimestamp(1, 4, 2014);
        q.nav = c.first;
        fund->insertOrReplaceQuote(q);
        q.time = makeTimestamp(2, 4, 2014);
        q.nav = c.second;
        fund->insertOrReplaceQuote(q);
        const std::vector<QxSplitRecord> records = detect(*fund);
        if (!c.expected) {
            EXPECT_TRUE(records.empty()) << c.second;
        } else {
            ASSERT_EQ(records.size(), 1u) << c.second;
            EXPECT_EQ(records[0].ratio, *c.expected) << c.second;
        }
    }
}

TEST(SplitDetection, ShortHistoriesAndUnusableBarsGiveNothing)
{
    QxPriceHistory empty(Qx::eStock, Qx::eDaily);
    EXPECT_TRUE(detect(empty).empty());
    QxPriceHistory one(Qx::eStock, Qx::eDaily);
    one.insertOrReplaceQuote(bar(3, 10, 10, 10, 10));
    EXPECT_TRUE(detect(one).empty());

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* what;
        QxQuote first, second;
    } cases[] = {
        {"level 0 before", bar(3, 0, 0, 0, 0), bar(4, 10, 10, 10, 10)},
        {"level 0 after", bar(3, 10, 10, 10, 10), bar(4, 0, 0, 0, 0)},
        {"negative level", bar(3, 10, 10, 10, 10), bar(4, -5, -5, -5, -5)},
        {"missing value", bar(3, 10, 10, 10, 10), bar(4, nan, 5, 5, 5)},
        {"infinite value", bar(3, 10, 10, 10, 10), bar(4, inf, inf, inf, inf)},
        {"ratio beyond int", bar(3, 1e-6, 1e-6, 1e-6, 1e-6), bar(4, 1e6, 1e6, 1e6, 1e6)},
        {"ratio far beyond int", bar(3, 1e-300, 1e-300, 1e-300, 1e-300), bar(4, 1e300, 1e300, 1e300, 1e300)},
    };
    for (const auto& c : cases) {
        QxPriceHistory h(Qx::eStock, Qx::eDaily);
        h.insertOrReplaceQuote(c.first);
        h.insertOrReplaceQuote(c.second);
        EXPECT_TRUE(detect(h).empty()) << c.what;
    }
}

TEST(SplitDetection, SeveralSplitsAreAppendedInDateOrder)
{
    QxPriceHistory h(Qx::eStock, Qx::eDaily);
    const double levels[] = {100, 100, 50, 50, 150, 150, 151};
    for (int i = 0; i < 7; ++i)
        h.insertOrReplaceQuote(bar(3 + i, levels[i], levels[i], levels[i], levels[i]));
    std::vector<QxSplitRecord> records = {{1, Ratio(5, 1)}}; // kept: detection appends
    detectSplits(h, records);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].date, 1);
    EXPECT_EQ(records[1].date, h.timestamp()[2]);
    EXPECT_EQ(records[1].ratio, Ratio(1, 2));
    EXPECT_EQ(records[2].date, h.timestamp()[4]);
    EXPECT_EQ(records[2].ratio, Ratio(3, 1));
}
