// The simple system tester's simulation over small histories with a scripted
// system: trades, cash, present value, returns and the report page, each
// worked out by hand.
#include "core/QxPriceHistory.h"
#include "core/QxTime.h"
#include "trading/QxSimpleSystemTest.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Bar i lies on the (i + 1)th of March 2021.
int64_t day(unsigned i) { return makeTimestamp(static_cast<uint8_t>(i + 1), 3, 2021); }

QxObjectSmartPtr<QxPriceHistory> history(const std::vector<double>& prices, Qx::QxSecurityType type = Qx::eStock)
{
    QxObjectSmartPtr<QxPriceHistory> h(new QxPriceHistory(type, Qx::eDaily));
    h->resize(static_cast<unsigned>(prices.size()));
    for (unsigned i = 0; i < prices.size(); ++i) {
        h->timestamp()[i] = day(i);
        (type == Qx::eFund ? h->nav() : h->close())[i] = prices[i];
    }
    return h;
}

// A system whose long entry fires at the bars `entries` and long exit at
// `exits`; it records what it was asked.
struct ScriptedSystem {
    std::set<unsigned> entries, exits;
    std::vector<std::pair<unsigned, unsigned>> asked; // (mask, bar)

    QxSignalEvaluator evaluator()
    {
        return [this](unsigned mask, unsigned bar) {
            asked.emplace_back(mask, bar);
            unsigned fired = 0;
            if ((mask & 1) && entries.count(bar))
                fired |= 1;
            if ((mask & 2) && exits.count(bar))
                fired |= 2;
            return fired;
        };
    }
};

QxSimpleTestParams params(unsigned lastBar)
{
    QxSimpleTestParams p;
    p.startDate = day(0);
    p.endDate = day(lastBar);
    p.stopLoss = 7.0 / 100.0; // as the dialog hands them over
    p.stopErosion = 20.0 / 100.0;
    p.systemName = "Scripted";
    p.ticker = "TST";
    return p;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct Trade {
    unsigned shares, buyBar, sellBar;
    double buyPrice, sellPrice, returnPercent;
    QxTradeRemark remark;
};

TEST(SystemTesterSimulation, HandWorkedRuns)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        std::vector<double> prices;
        std::set<unsigned> entries, exits;
        unsigned endBar; // the bar whose date ends the range (may lie past the last)
        std::vector<Trade> trades;
        double cash, presentValue, net;
        unsigned held;    // shares still held at the end
        double buyAndHold; // NaN: shown as "-"
        Qx::QxSecurityType type = Qx::eStock;
    };
    const Case cases[] = {
        {"entry never fires", {10, 11, 12, 13}, {}, {}, 3, {}, 10000, 10000, 0, 0, 30},
        {"a buy never sold is valued at the last close", {10, 20, 25, 40}, {1}, {}, 3, {}, 0, 16000, 60, 400, 300},
        {"a price above the cash buys 0 shares and still sells",
         {100, 20000, 20000, 21000, 30000}, {0}, {2}, 4,
         {{0, 1, 3, 20000, 21000, 5, eNoRemark}}, 10000, 10000, 0, 0, 29900},
        {"an end after the last bar runs to the last bar", {10, 10, 10, 10, 12}, {0}, {3}, 9,
         {{1000, 1, 4, 10, 12, 20, eNoRemark}}, 12000, 12000, 20, 0, 20},
        {"an end before the exit leaves the position held, valued at the end's own bar", {10, 10, 10, 11, 50},
         {0}, {3}, 3, {}, 0, 11000, 10, 1000, 10},
        {"a last bar without a price is valued at the bar before it", {10, 10, 12, NaN, 50}, {0}, {}, 3,
         {}, 0, 12000, 20, 1000, 20},
        {"a 7% stop: bought at 100, 93 on the bar before", {100, 100, 95, 93, 90}, {0}, {}, 4,
         {{100, 1, 4, 100, 90, -10, eStopLossTriggered}}, 9000, 9000, -10, 0, -10},
        {"the exit signal wins over the stop on the same bar", {100, 100, 95, 93, 90}, {0}, {3}, 4,
         {{100, 1, 4, 100, 90, -10, eNoRemark}}, 9000, 9000, -10, 0, -10},
        {"profit erosion: 20 falls to 15", {10, 10, 20, 15, 16, 14}, {0}, {}, 5,
         {{1000, 1, 4, 10, 16, 60, eStopErosionTriggered}}, 16000, 16000, 60, 0, 40},
        {"bars with close 0 or no price buy nothing; buy and hold from 0 is '-'",
         {0, 0, NaN, inf, 4, 5, 5}, {0, 1, 2, 3}, {5}, 6,
         {{2500, 4, 6, 4, 5, 25, eNoRemark}}, 12500, 12500, 25, 0, NaN},
        {"a tiny price buys no more shares than the counter holds", {1, 1e-9, 2e-9}, {0}, {}, 2,
         {}, 10000 - 4294967295.0 * 1e-9, 10000 - 4294967295.0 * 1e-9 + 4294967295.0 * 2e-9,
         4294967295.0 * 1e-9 * 100 / 10000, 4294967295u, 2e-9 * 100 - 100},
        {"a fund trades at its net asset value", {10, 10, 12, 12}, {0}, {1}, 3,
         {{1000, 1, 2, 10, 12, 20, eNoRemark}}, 12000, 12000, 20, 0, 20, Qx::eFund},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QxObjectSmartPtr<QxPriceHistory> h = history(c.prices, c.type);
        ScriptedSystem system{c.entries, c.exits, {}};
        QxSimpleTestResult r;
        ASSERT_TRUE(simulateSimpleSystemTest(*h, system.evaluator(), params(c.endBar), r));
        ASSERT_EQ(r.trades.size(), c.trades.size());
        int winning = 0, losing = 0;
        for (size_t k = 0; k < c.trades.size(); ++k) {
            const QxSimpleTrade& got = r.trades[k];
            const Trade& want = c.trades[k];
            EXPECT_EQ(got.shares, want.shares);
            EXPECT_EQ(got.buyBar, want.buyBar);
            EXPECT_EQ(got.sellBar, want.sellBar);
            EXPECT_DOUBLE_EQ(got.buyPrice, want.buyPrice);
            EXPECT_DOUBLE_EQ(got.sellPrice, want.sellPrice);
            EXPECT_NEAR(got.returnPercent, want.returnPercent, 1e-9);
            EXPECT_EQ(got.remark, want.remark);
            (want.returnPercent >= 0 ? winning : losing)++;
        }
        EXPECT_EQ(r.winning, winning);
        EXPECT_EQ(r.losing, losing);
        EXPECT_NEAR(r.cash, c.cash, 1e-6);
        EXPECT_NEAR(r.presentValue, c.presentValue, 1e-6);
        EXPECT_NEAR(r.netReturnPercent, c.net, 1e-9);
        EXPECT_EQ(r.shares, c.held);
        EXPECT_EQ(r.hasBuyAndHold, !std::isnan(c.buyAndHold));
        if (r.hasBuyAndHold) {
            EXPECT_NEAR(r.buyAndHoldPercent, c.buyAndHold, 1e-6);
        }

        EXPECT_EQ(contains(r.report, "<h4>Still holding "), c.held > 0);
        const bool traded = !c.trades.empty();
        EXPECT_EQ(contains(r.report, "Buy signal never got generated. So no trading was done."), !traded);
        EXPECT_EQ(contains(r.report, "<a href='command:ShowChart'>Show Chart</a>"), traded);
        if (traded) {
            EXPECT_EQ(contains(r.report, "Buy&Hold return:</td><td align=left>-</td>"), std::isnan(c.buyAndHold));
        }
    }
}

TEST(SystemTesterSimulation, AsksTheEntryWhenFlatAndTheExitWhenHoldingOfTheBarBefore)
{
    QxObjectSmartPtr<QxPriceHistory> h = history({10, 10, 10, 10, 12, 12});
    ScriptedSystem system{{0}, {2}, {}};
    QxSimpleTestParams p = params(4);
    p.startDate = day(0) + 1; // between bars: the range starts at bar 1
    QxSimpleTestResult r;
    ASSERT_TRUE(simulateSimpleSystemTest(*h, system.evaluator(), p, r));
    EXPECT_EQ(r.from, 1u);
    EXPECT_EQ(r.till, 4u);
    // Bar 0's entry lies before the range; bar 1's is asked at bar 2.
    EXPECT_EQ(system.asked, (std::vector<std::pair<unsigned, unsigned>>{{1, 1}, {1, 2}, {1, 3}}));

    system.entries = {1};
    system.exits = {2};
    system.asked.clear();
    ASSERT_TRUE(simulateSimpleSystemTest(*h, system.evaluator(), p, r));
    EXPECT_EQ(system.asked, (std::vector<std::pair<unsigned, unsigned>>{{1, 1}, {2, 2}, {1, 3}}));
    ASSERT_EQ(r.trades.size(), 1u);
    EXPECT_EQ(r.trades[0].buyBar, 2u);
    EXPECT_EQ(r.trades[0].sellBar, 3u);
}

TEST(SystemTesterSimulation, NoReportWithoutBarsInTheRange)
{
    QxObjectSmartPtr<QxPriceHistory> h = history({10, 11, 12});
    ScriptedSystem system;
    struct Case {
        const char* what;
        int64_t start, end;
    } cases[] = {
        {"start after the last bar", day(3), day(9)},
        {"end before the start bar", day(2), day(1)},
        {"end before start between bars", day(1) + 1, day(1)},
    };
    for (const Case& c : cases) {
        QxSimpleTestParams p = params(0);
        p.startDate = c.start;
        p.endDate = c.end;
        QxSimpleTestResult r;
        r.cash = -1; // untouched
        EXPECT_FALSE(simulateSimpleSystemTest(*h, system.evaluator(), p, r)) << c.what;
        EXPECT_EQ(r.cash, -1) << c.what;
        EXPECT_TRUE(r.report.empty()) << c.what;
    }
    QxObjectSmartPtr<QxPriceHistory> empty(new QxPriceHistory(Qx::eStock, Qx::eDaily));
    QxSimpleTestResult r;
    EXPECT_FALSE(simulateSimpleSystemTest(*empty, system.evaluator(), params(0), r));
    // A start and end on one bar is a range of that bar: a report, no trade.
    QxSimpleTestParams one = params(1);
    one.startDate = day(1);
    ASSERT_TRUE(simulateSimpleSystemTest(*h, system.evaluator(), one, r));
    EXPECT_TRUE(system.asked.empty());
}

// Prices and returns are written as "%.2f" writes them in the "C" locale,
// rounding included: halves that binary fractions put just above or below
// the half (some of them where value * 100 rounds to the other side),
// exact halves (to the even hundredth), large values, and returns just
// below zero ("-0.00").
TEST(SystemTesterSimulation, PricesAndReturnsAreWrittenWithTwoDecimalsRoundedAsTheCLibraryDoes)
{
    const auto fixed2 = [](double value) {
        char text[400];
        const std::to_chars_result r = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
        return std::string(text, r.ptr);
    };
    const std::pair<double, double> trades[] = {
        {1.005, 2.675},       {0.125, 0.375},  {99.995, 8.345},         {1.115, 1234567.895},
        {100, 99.99999},      {0.045, 0.0051}, {4503599627370.4951, 7}, {2e15, 3.0000000000000004e17},
        {9.999999999, 10.005}, {5e-7, 0.015},   {5319693.755, 8170772.025}, {2738782.8850000002, 6996426.3149999995},
    };
    for (const auto& t : trades) {
        SCOPED_TRACE(testing::Message() << t.first << " -> " << t.second);
        // Bought at bar 1's close, the exit of bar 2 sells at bar 3's.
        QxObjectSmartPtr<QxPriceHistory> h = history({1, t.first, t.first, t.second});
        ScriptedSystem system{{0}, {2}, {}};
        QxSimpleTestResult r;
        ASSERT_TRUE(simulateSimpleSystemTest(*h, system.evaluator(), params(3), r));
        ASSERT_EQ(r.trades.size(), 1u);
        const std::string row = "</td><td>" + fixed2(t.first) + "</td><td>" +
                                formatTimestamp(day(3), "%x").ToStdString() + "</td><td>" + fixed2(t.second) +
                                "</td><td>" + fixed2(r.trades[0].returnPercent) + "%</td>";
        EXPECT_TRUE(contains(r.report, row)) << row;
        EXPECT_TRUE(contains(r.report, "Net return:</td><td align=left>" + fixed2(r.netReturnPercent) + "%</td>"));
        EXPECT_TRUE(contains(r.report, "Remaining cash amount:</td><td align=left>" + fixed2(r.cash) + "</td>"));
    }
}

// Restores the C library's date format after the test.
class ScopedTimeLocale {
public:
    explicit ScopedTimeLocale(const char* name) : m_old(std::setlocale(LC_TIME, nullptr))
    {
        std::setlocale(LC_TIME, name);
    }
    ~ScopedTimeLocale() { std::setlocale(LC_TIME, m_old.c_str()); }

private:
    std::string m_old;
};

TEST(SystemTesterSimulation, ReportMatchesTheGoldenPageByteForByte)
{
    ScopedTimeLocale c("C"); // "%x" gives mm/dd/yy
    // A win, a stop loss and an erosion stop, then a position still held.
    QxObjectSmartPtr<QxPriceHistory> h =
        history({50, 50, 60, 62, 61, 55, 40, 40, 50, 70, 55, 56, 39, 41.25});
    ScriptedSystem system{{0, 3, 7, 11}, {2}, {}};
    QxSimpleTestParams p = params(13);
    p.systemName = wxString::FromUTF8("Größe <&> 'x'");
    p.ticker = "A&B\"<i>";
    QxSimpleTestResult r;
    ASSERT_TRUE(simulateSimpleSystemTest(*h, system.evaluator(), p, r));
    std::ifstream in(std::string(TRENDORIA_SOURCE_DIR) + "/tests/trading/data/system_test_report.html",
                     std::ios::binary);
    std::stringstream golden;
    golden << in.rdbuf();
    EXPECT_EQ(r.report, golden.str());
    std::ofstream(TestSupport::artifactPath("system_test_report.html"), std::ios::binary) << r.report;
}

} // namespace
