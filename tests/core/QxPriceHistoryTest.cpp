#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/QxAsciiParser.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "support/TestSupport.h"
#include "PriceTestHelpers.h"

using PriceTest::packed;
using HistoryPtr = QxObjectSmartPtr<QxPriceHistory>;

namespace {

struct Bar {
    int64_t t = 0;
    double o = 0, h = 0, l = 0, c = 0, v = 0, oi = 0, nav = 0;
};

bool hasOhlc(int type) { return type >= 1 && type <= 3; }
bool hasOi(int type) { return type == 2 || type == 3; }
bool hasNav(int type) { return type == 4; }

// Fills a history through resize and the column pointers, the way databases
// load it.
HistoryPtr makeHistory(Qx::QxSecurityType type, Qx::QxPeriod period, const std::vector<Bar>& bars)
{
    HistoryPtr h(new QxPriceHistory(type, period));
    h->resize(static_cast<unsigned>(bars.size()));
    for (size_t i = 0; i < bars.size(); ++i) {
        h->timestamp()[i] = bars[i].t;
        if (hasOhlc(type)) {
            h->open()[i] = bars[i].o;
            h->high()[i] = bars[i].h;
            h->low()[i] = bars[i].l;
            h->close()[i] = bars[i].c;
            h->volume()[i] = bars[i].v;
        }
        if (hasOi(type))
            h->openInterest()[i] = bars[i].oi;
        if (hasNav(type))
            h->nav()[i] = bars[i].nav;
    }
    return h;
}

// Reads the bars back, with the columns a type lacks left at zero.
std::vector<Bar> barsOf(const QxPriceHistory& h)
{
    std::vector<Bar> out;
    for (unsigned i = 0; i < h.numBars(); ++i) {
        QxQuote q;
        EXPECT_EQ(0, h.getQuote(i, q));
        out.push_back({q.time, q.open, q.high, q.low, q.close, q.volume, q.openInterest, q.nav});
    }
    return out;
}

void expectSameBars(const std::vector<Bar>& expected, const std::vector<Bar>& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("bar " + std::to_string(i) + " at " + std::to_string(expected[i].t));
        EXPECT_EQ(expected[i].t, actual[i].t);
        EXPECT_DOUBLE_EQ(expected[i].o, actual[i].o);
        EXPECT_DOUBLE_EQ(expected[i].h, actual[i].h);
        EXPECT_DOUBLE_EQ(expected[i].l, actual[i].l);
        EXPECT_DOUBLE_EQ(expected[i].c, actual[i].c);
        EXPECT_NEAR(expected[i].v, actual[i].v, 1e-6 * std::max(1.0, std::fabs(expected[i].v)));
        EXPECT_DOUBLE_EQ(expected[i].oi, actual[i].oi);
        EXPECT_DOUBLE_EQ(expected[i].nav, actual[i].nav);
    }
}

// Start of the period holding t, worked out with the C library's calendar.
int64_t periodStart(int64_t t, Qx::QxPeriod period)
{
    using namespace PriceTest;
    switch (period) {
    case Qx::eWeekly:
        return packedFromUtc(utcDays(year(t), month(t), day(t)) - weekday(t) * 86400, timeOfDay(t));
    case Qx::eMonthly: return packed(year(t), month(t), 1);
    case Qx::eQuarterly: return packed(year(t), (month(t) - 1) / 3 * 3 + 1, 1);
    case Qx::eYearly: return packed(year(t), 1, 1);
    default: return t;
    }
}

// The bars as a history of the type holds them: columns it lacks are zero.
std::vector<Bar> columnsOf(std::vector<Bar> bars, int type)
{
    for (Bar& b : bars) {
        if (!hasOhlc(type))
            b.o = b.h = b.l = b.c = b.v = 0;
        if (!hasOi(type))
            b.oi = 0;
        if (!hasNav(type))
            b.nav = 0;
    }
    return bars;
}

std::vector<Bar> expectedTransform(const std::vector<Bar>& daily, Qx::QxPeriod period, int type)
{
    std::vector<Bar> out;
    for (const Bar& b : daily) {
        const int64_t key = periodStart(b.t, period);
        if (out.empty() || out.back().t != key) {
            Bar g = b;
            g.t = key;
            out.push_back(g);
            continue;
        }
        Bar& g = out.back();
        g.h = std::max(g.h, b.h);
        g.l = std::min(g.l, b.l);
        g.c = b.c;
        g.v += b.v;
        g.oi = b.oi; // a level: the last one stands for the period
        g.nav = b.nav;
    }
    return columnsOf(out, type);
}

// Weekdays from a start date with some days missing (holidays) and a few
// weekend bars, so that groups start and end on every kind of day.
std::vector<Bar> syntheticDaily(int y, int m, int d, int calendarDays, int64_t timeOfDay)
{
    std::vector<Bar> bars;
    const time_t start = PriceTest::utcDays(y, m, d);
    for (int i = 0; i < calendarDays; ++i) {
        const time_t s = start + time_t(i) * 86400;
        struct tm tm;
        gmtime_r(&s, &tm);
        const bool weekday = tm.tm_wday >= 1 && tm.tm_wday <= 5;
        if (!((weekday && i % 13 != 5) || i % 29 == 0))
            continue;
        const double base = 50.0 + 10.0 * std::sin(i * 0.1);
        Bar b;
        b.t = PriceTest::packedFromUtc(s, timeOfDay);
        b.o = base;
        b.h = base + 1.0 + i % 3;
        b.l = base - 1.0 - i % 2;
        b.c = base + 0.5 * std::cos(i);
        b.v = 1000.0 + i;
        b.oi = 500.0 + i % 7;
        b.nav = base + 0.25;
        bars.push_back(b);
    }
    return bars;
}

} // namespace

TEST(QxPriceHistory, UsesOnlyTheColumnsOfItsSecurityType)
{
    for (int type = 1; type <= 4; ++type) {
        SCOPED_TRACE("type " + std::to_string(type));
        QxPriceHistory h(static_cast<Qx::QxSecurityType>(type), Qx::eDaily);
        QxQuote in;
        in.securityType = Qx::eStock; // the history's own type wins
        in.time = packed(2014, 3, 7);
        in.open = 1; in.high = 2; in.low = 0.5; in.close = 1.5; in.volume = 100; in.openInterest = 7; in.nav = 9;
        EXPECT_EQ(0u, h.insertOrReplaceQuote(in));
        EXPECT_EQ(0, h.reserve(10));
        EXPECT_GE(h.capacity(), 10u);

        QxQuote out;
        out.open = out.high = out.low = out.close = out.volume = out.openInterest = out.nav = -1;
        ASSERT_EQ(0, h.getQuote(0u, out));
        EXPECT_EQ(type, static_cast<int>(out.securityType));
        EXPECT_EQ(in.time, out.time);
        EXPECT_EQ(hasOhlc(type) ? 1.0 : -1.0, out.open);
        EXPECT_EQ(hasOhlc(type) ? 0.5 : -1.0, out.low);
        EXPECT_EQ(hasOhlc(type) ? 100.0 : -1.0, out.volume);
        EXPECT_EQ(hasOi(type) ? 7.0 : -1.0, out.openInterest);
        EXPECT_EQ(hasNav(type) ? 9.0 : -1.0, out.nav);
    }
}

TEST(QxPriceHistory, InvalidTypeReservesNothingAndResizesOnlyTimestamps)
{
    for (int type : {0, 5, -1}) {
        SCOPED_TRACE("type " + std::to_string(type));
        QxPriceHistory h(static_cast<Qx::QxSecurityType>(type), Qx::eDaily);
        EXPECT_EQ(eInvalidSecurityType, h.reserve(10));
        EXPECT_EQ(0u, h.capacity());
        EXPECT_EQ(0, h.resize(3));
        EXPECT_EQ(3u, h.numBars());
        h.timestamp()[2] = packed(2014, 1, 2);
        QxQuote q;
        ASSERT_EQ(0, h.getQuote(2u, q));
        EXPECT_EQ(packed(2014, 1, 2), q.time);
    }
}

TEST(QxPriceHistory, ResizeGrowsCapacityByDoubling)
{
    QxPriceHistory h(Qx::eFuture, Qx::eDaily);
    struct Step { unsigned n; unsigned capacity; };
    const Step steps[] = {{5, 5}, {6, 10}, {3, 10}, {10, 10}, {21, 40}, {0, 40}, {41, 80}};
    for (const Step& s : steps) {
        SCOPED_TRACE("resize " + std::to_string(s.n));
        EXPECT_EQ(0, h.resize(s.n));
        EXPECT_EQ(s.n, h.numBars());
        EXPECT_EQ(s.capacity, h.capacity());
        if (s.n > 0) {
            // New bars are zero and every used column reaches the last one.
            EXPECT_EQ(0, h.timestamp()[s.n - 1]);
            EXPECT_EQ(0.0, h.close()[s.n - 1]);
            EXPECT_EQ(0.0, h.openInterest()[s.n - 1]);
            h.close()[s.n - 1] = 1.0;
            h.openInterest()[s.n - 1] = 1.0;
        }
    }
}

TEST(QxPriceHistory, InsertReplaceAndDeleteKeepColumnsInStep)
{
    QxPriceHistory h(Qx::eOption, Qx::eDaily);
    auto quote = [](int64_t t, double v) {
        QxQuote q;
        q.time = t;
        q.open = v; q.high = v + 1; q.low = v - 1; q.close = v + 0.5; q.volume = v * 10; q.openInterest = v * 100;
        return q;
    };
    const int64_t t0 = packed(2014, 1, 2), t1 = packed(2014, 1, 3), t2 = packed(2014, 1, 6),
                  t3 = packed(2014, 1, 7);
    struct Insert { int64_t t; double v; unsigned index; unsigned bars; };
    const Insert inserts[] = {
        {t2, 2, 0, 1}, {t3, 3, 1, 2}, {t0, 0, 0, 3}, // earlier than all: index 0
        {t1, 1, 1, 4},                               // between: its place in time order
        {t2, 20, 2, 4},                              // same time: replaced, count kept
    };
    for (const Insert& ins : inserts) {
        SCOPED_TRACE("insert " + std::to_string(ins.t));
        EXPECT_EQ(ins.index, h.insertOrReplaceQuote(quote(ins.t, ins.v)));
        EXPECT_EQ(ins.bars, h.numBars());
    }
    std::vector<Bar> expected = {
        {t0, 0, 1, -1, 0.5, 0, 0, 0}, {t1, 1, 2, 0, 1.5, 10, 100, 0},
        {t2, 20, 21, 19, 20.5, 200, 2000, 0}, {t3, 3, 4, 2, 3.5, 30, 300, 0}};
    expectSameBars(expected, barsOf(h));

    EXPECT_EQ(eInvalidInput, h.deleteQuote(4));
    EXPECT_EQ(0, h.deleteQuote(1));
    expected.erase(expected.begin() + 1);
    expectSameBars(expected, barsOf(h));
    EXPECT_EQ(0, h.deleteQuote(2));
    EXPECT_EQ(0, h.deleteQuote(0));
    expectSameBars({expected[1]}, barsOf(h));

    QxQuote q;
    EXPECT_EQ(eInvalidInput, h.getQuote(1u, q));
    EXPECT_EQ(eInvalidInput, h.getQuote(-1, q));
}

TEST(QxPriceHistory, GetQuoteByTimeFindsFirstBarAtOrAfter)
{
    const std::vector<Bar> bars = {{packed(2014, 3, 3), 1, 1, 1, 1, 1, 0, 0},
                                   {packed(2014, 3, 5), 2, 2, 2, 2, 2, 0, 0},
                                   {packed(2014, 3, 7), 3, 3, 3, 3, 3, 0, 0}};
    HistoryPtr h = makeHistory(Qx::eStock, Qx::eDaily, bars);
    struct Case { int64_t time; int result; int64_t found; };
    const Case cases[] = {
        {packed(2010, 1, 1), 0, bars[0].t},
        {bars[0].t, 0, bars[0].t},
        {packed(2014, 3, 3, 12, 0, 0), 0, bars[1].t},
        {packed(2014, 3, 5), 0, bars[1].t},
        {packed(2014, 3, 6), 0, bars[2].t},
        {bars[2].t, 0, bars[2].t},
        {packed(2014, 3, 7, 0, 0, 1), eDataNotFound, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("time " + std::to_string(c.time));
        QxQuote q;
        EXPECT_EQ(c.result, h->getQuote(c.time, q));
        EXPECT_EQ(c.found, q.time);
    }
    QxQuote q;
    EXPECT_EQ(eDataNotFound, QxPriceHistory(Qx::eStock, Qx::eDaily).getQuote(int64_t(0), q));
}

TEST(QxPriceHistory, CloneAndCopyAreIndependent)
{
    QxPriceHistory empty(Qx::eStock, Qx::eDaily);
    EXPECT_EQ(nullptr, empty.clone());

    HistoryPtr h = makeHistory(Qx::eFuture, Qx::eWeekly, syntheticDaily(2014, 1, 1, 30, 0));
    HistoryPtr other(h.get());
    ASSERT_EQ(2, h->numRefs());

    HistoryPtr c(h->clone());
    ASSERT_TRUE(c);
    EXPECT_EQ(1, c->numRefs());
    EXPECT_EQ(Qx::eFuture, c->getSecurityType());
    EXPECT_EQ(Qx::eWeekly, c->getPeriod());
    expectSameBars(barsOf(*h), barsOf(*c));
    c->close()[0] = 12345;
    EXPECT_NE(12345, h->close()[0]);

    QxPriceHistory copy(*h);
    EXPECT_EQ(0, copy.numRefs());
    expectSameBars(barsOf(*h), barsOf(copy));

    QxPriceHistory assigned(Qx::eFund, Qx::eDaily);
    assigned = *h;
    EXPECT_EQ(Qx::eFuture, assigned.getSecurityType());
    expectSameBars(barsOf(*h), barsOf(assigned));
}

TEST(QxPriceHistory, InitOnFilledHistoryKeepsColumnsInStep)
{
    HistoryPtr h = makeHistory(Qx::eStock, Qx::eDaily, syntheticDaily(2014, 1, 1, 10, 0));
    h->init(Qx::eFund, Qx::eDaily);
    QxQuote q;
    for (unsigned i = 0; i < h->numBars(); ++i)
        ASSERT_EQ(0, h->getQuote(i, q)); // reads the fund's nav column in range
    EXPECT_EQ(0.0, q.nav);
}

TEST(QxPriceHistory, UpdateForSplitAdjustsBarsBeforeTheDate)
{
    const int64_t t[] = {packed(2014, 5, 1), packed(2014, 5, 2), packed(2014, 5, 5), packed(2014, 5, 6)};
    std::vector<Bar> bars;
    for (int i = 0; i < 4; ++i)
        bars.push_back({t[i], 12.0 * (i + 1), 24.0 * (i + 1), 6.0 * (i + 1), 18.0 * (i + 1),
                        600.0 * (i + 1), 60.0 * (i + 1), 36.0 * (i + 1)});
    struct Case {
        const char* name;
        int64_t date;
        int a, b;
        int result;
        int adjusted; // bars from the first that change
    };
    const Case cases[] = {
        {"two for one", t[2], 1, 2, 0, 2},
        {"one for three reverse", t[3], 3, 1, 0, 3},
        {"date between bars", packed(2014, 5, 2, 12, 0, 0), 2, 3, 0, 2},
        {"equal terms", t[2], 5, 5, 0, 0},
        {"date after the last bar", packed(2014, 5, 6, 0, 0, 1), 1, 2, 0, 0},
        {"date at the first bar", t[0], 1, 2, 0, 0},
        {"date before the first bar", packed(2014, 4, 1), 1, 2, 0, 0},
        {"zero term", t[2], 0, 2, eInvalidInput, 0},
        {"zero denominator", t[2], 2, 0, eInvalidInput, 0},
        {"negative term", t[2], -1, 2, eInvalidInput, 0},
    };
    for (Qx::QxSecurityType type : {Qx::eFuture, Qx::eFund}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " type " + std::to_string(type));
            HistoryPtr h = makeHistory(type, Qx::eDaily, bars);
            EXPECT_EQ(c.result, h->updateForSplit(c.date, c.a, c.b));
            std::vector<Bar> expected = bars;
            for (int i = 0; i < c.adjusted; ++i) {
                const double price = double(c.a) / c.b, amount = double(c.b) / c.a;
                Bar& e = expected[i];
                e.o *= price; e.h *= price; e.l *= price; e.c *= price; e.nav *= price;
                e.v *= amount; e.oi *= amount;
            }
            expectSameBars(columnsOf(expected, type), barsOf(*h));
        }
    }
}

TEST(QxPriceHistory, TransformSamePeriodShorterPeriodAndEmpty)
{
    HistoryPtr h = makeHistory(Qx::eStock, Qx::eWeekly, syntheticDaily(2014, 1, 1, 30, 0));
    EXPECT_EQ(h.get(), h->transform(Qx::eWeekly));
    EXPECT_EQ(nullptr, h->transform(Qx::eDaily));
    EXPECT_EQ(nullptr, QxPriceHistory(Qx::eStock, Qx::eDaily).transform(Qx::eMonthly));
    EXPECT_EQ(1, h->numRefs());
}

TEST(QxPriceHistory, TransformTwoWeeksToWeeklyBars)
{
    // Monday 2014-08-04 to Friday 2014-08-15 at 10:30.
    std::vector<Bar> days;
    for (int d : {4, 5, 6, 7, 8, 11, 12, 13, 14, 15})
        days.push_back({packed(2014, 8, d, 10, 30, 0), double(d), d + 2.0, d - 2.0, d + 0.5, 100.0 * d, 0, 0});
    HistoryPtr h = makeHistory(Qx::eStock, Qx::eDaily, days);
    HistoryPtr w(h->transform(Qx::eWeekly));
    ASSERT_TRUE(w);
    EXPECT_EQ(Qx::eWeekly, w->getPeriod());
    expectSameBars({{packed(2014, 8, 3, 10, 30, 0), 4, 10, 2, 8.5, 3000, 0, 0},
                    {packed(2014, 8, 10, 10, 30, 0), 11, 17, 9, 15.5, 6500, 0, 0}},
                   barsOf(*w));
}

TEST(QxPriceHistory, TransformAcrossMonthEndToMonthlyBars)
{
    std::vector<Bar> days;
    int i = 0;
    for (int64_t t : {packed(2014, 1, 30), packed(2014, 1, 31), packed(2014, 2, 3)}) {
        ++i;
        days.push_back({t, 10.0 * i, 11.0 * i, 9.0 * i, 10.5 * i, 1.0 * i, 0, 0});
    }
    HistoryPtr h = makeHistory(Qx::eStock, Qx::eDaily, days);
    HistoryPtr m(h->transform(Qx::eMonthly));
    ASSERT_TRUE(m);
    expectSameBars({{packed(2014, 1, 1), 10, 22, 9, 21, 3, 0, 0}, {packed(2014, 2, 1), 30, 33, 27, 31.5, 3, 0, 0}},
                   barsOf(*m));
}

// Every period and security type against groups worked out independently,
// over two and a half years with partial first and last periods, a leap
// day and weekend bars, in UTC and in zones with daylight saving (one of
// them moves its clocks at midnight).
TEST(QxPriceHistory, TransformMatchesIndependentGrouping)
{
    const Qx::QxPeriod periods[] = {Qx::eWeekly, Qx::eMonthly, Qx::eQuarterly, Qx::eYearly};
    for (const char* zone : {"UTC", "America/Sao_Paulo", "Europe/Berlin"}) {
        TestSupport::ScopedTimeZone tz(zone);
        for (int64_t tod : {int64_t(0), int64_t(93000000)}) {
            const std::vector<Bar> daily = syntheticDaily(2013, 10, 31, 900, tod);
            for (int type = 1; type <= 4; ++type) {
                HistoryPtr h = makeHistory(static_cast<Qx::QxSecurityType>(type), Qx::eDaily, daily);
                for (Qx::QxPeriod period : periods) {
                    SCOPED_TRACE(std::string(zone) + " type " + std::to_string(type) + " period " +
                                 std::to_string(period) + " time " + std::to_string(tod));
                    HistoryPtr out(h->transform(period));
                    ASSERT_TRUE(out);
                    EXPECT_EQ(type, static_cast<int>(out->getSecurityType()));
                    EXPECT_EQ(period, out->getPeriod());
                    expectSameBars(expectedTransform(daily, period, type), barsOf(*out));
                }
            }
        }
    }
}

TEST(QxPriceHistory, TransformGroupsAWeekWhateverTheTimeOfDay)
{
    const std::vector<Bar> days = {{packed(2014, 8, 4, 0, 0, 0), 10, 12, 9, 11, 1, 0, 0},
                                   {packed(2014, 8, 5, 16, 0, 0), 11, 14, 10, 13, 2, 0, 0},
                                   {packed(2014, 8, 6, 9, 30, 0), 13, 13, 8, 9, 3, 0, 0},
                                   {packed(2014, 8, 11, 0, 0, 0), 9, 10, 8, 9.5, 4, 0, 0}};
    HistoryPtr h = makeHistory(Qx::eStock, Qx::eDaily, days);
    HistoryPtr w(h->transform(Qx::eWeekly));
    ASSERT_TRUE(w);
    expectSameBars({{packed(2014, 8, 3), 10, 14, 8, 9, 6, 0, 0}, {packed(2014, 8, 10), 9, 10, 8, 9.5, 4, 0, 0}},
                   barsOf(*w));
}

TEST(QxPriceHistory, TransformHoldsEveryGroupBeyondItsEstimate)
{
    // Out of order bars (a parsed file is not sorted) give more groups than
    // the span between the first and the last bar suggests.
    const std::vector<Bar> days = {{packed(2014, 1, 6), 1, 1, 1, 1, 1, 0, 0},
                                   {packed(2010, 1, 4), 2, 2, 2, 2, 2, 0, 0},
                                   {packed(2012, 1, 4), 3, 3, 3, 3, 3, 0, 0},
                                   {packed(2014, 1, 7), 4, 4, 4, 4, 4, 0, 0}};
    HistoryPtr h = makeHistory(Qx::eStock, Qx::eDaily, days);
    HistoryPtr w(h->transform(Qx::eWeekly));
    ASSERT_TRUE(w);
    EXPECT_EQ(4u, w->numBars());

    // A period without calendar alignment keeps every bar as its own group.
    const std::vector<Bar> many = syntheticDaily(2014, 1, 1, 60, 0);
    HistoryPtr d = makeHistory(Qx::eStock, Qx::eDaily, many);
    HistoryPtr two(d->transform(static_cast<Qx::QxPeriod>(2 * 86400)));
    ASSERT_TRUE(two);
    expectSameBars(columnsOf(many, Qx::eStock), barsOf(*two));
}

TEST(QxPriceHistory, TransformRealHistoryToWeeklyAndMonthly)
{
    const std::string text = TestSupport::fixtureText("ohlcv/orcl-1995-2014.csv");
    ASSERT_FALSE(text.empty());
    using F = QxAsciiParser::QxAsciiFieldId;
    const F ids[] = {F::eDate, F::eOpen, F::eHigh, F::eLow, F::eClose, F::eSkip, F::eVolume};
    HistoryPtr h(new QxPriceHistory(Qx::eStock, Qx::eDaily));
    std::vector<unsigned> bad;
    ASSERT_EQ(0, QxAsciiParser::parseAsciiStmForHistory(text.data(), unsigned(text.size()), ids, 7, true,
                                                        Qx::QxDateFormat::eYearMonthDay, 10, bad, h.get()));
    ASSERT_TRUE(bad.empty());
    ASSERT_GT(h->numBars(), 5000u);
    const std::vector<Bar> daily = barsOf(*h);
    for (Qx::QxPeriod period : {Qx::eWeekly, Qx::eMonthly, Qx::eQuarterly, Qx::eYearly}) {
        SCOPED_TRACE("period " + std::to_string(period));
        HistoryPtr out(h->transform(period));
        ASSERT_TRUE(out);
        expectSameBars(expectedTransform(daily, period, 1), barsOf(*out));
    }
    HistoryPtr years(h->transform(Qx::eYearly));
    EXPECT_EQ(20u, years->numBars()); // 1995 to 2014
}
