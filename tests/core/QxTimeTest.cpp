// Packing, splitting, local-time conversion and period alignment of packed
// timestamps, in UTC and in zones with daylight saving.
#include <gtest/gtest.h>

#include "core/QxDateFormatter.h"
#include "core/QxTime.h"
#include "support/TestSupport.h"

#include <ctime>

namespace {

struct Fields {
    int day, month, year, hour, minute, second;
};

int64_t ts(const Fields& f)
{
    return makeTimestamp(f.day, f.month, f.year, f.hour, f.minute, f.second);
}

const char* const kZones[] = {"UTC", "America/New_York", "Europe/Berlin"};

} // namespace

TEST(QxTime, PackAndSplit)
{
    const struct {
        Fields f;
        int64_t packed;
    } cases[] = {
        {{7, 3, 2014, 15, 4, 5}, 20140307150405000LL},
        {{1, 1, 1970, 0, 0, 0}, 19700101000000000LL},
        {{31, 12, 9999, 23, 59, 59}, 99991231235959000LL},
        {{29, 2, 2000, 12, 0, 0}, 20000229120000000LL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.packed);
        EXPECT_EQ(ts(c.f), c.packed);
        const QxSplitTime st = splitTimestamp(c.packed + 999); // milliseconds are dropped
        EXPECT_EQ(st.second, c.f.second);
        EXPECT_EQ(st.minute, c.f.minute);
        EXPECT_EQ(st.hour, c.f.hour);
        EXPECT_EQ(st.day, c.f.day);
        EXPECT_EQ(st.month, c.f.month);
        EXPECT_EQ(st.year, c.f.year);
        EXPECT_EQ(st.millisecond, 0);
    }
    EXPECT_LT(ts({31, 12, 2013, 23, 59, 59}), ts({1, 1, 2014, 0, 0, 0}));
}

TEST(QxTime, LocalWallClockInEachZone)
{
    const time_t summer = 1404216000; // 2014-07-01 12:00:00 UTC
    const time_t winter = 1389787200; // 2014-01-15 12:00:00 UTC
    const struct {
        const char* zone;
        int64_t summer, winter, epoch;
    } cases[] = {
        {"UTC", 20140701120000000LL, 20140115120000000LL, 19700101000000000LL},
        {"America/New_York", 20140701080000000LL, 20140115070000000LL, 19691231190000000LL},
        {"Europe/Berlin", 20140701140000000LL, 20140115130000000LL, 19700101010000000LL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zone);
        TestSupport::ScopedTimeZone tz(c.zone);
        EXPECT_EQ(timestampFromDateTime(wxDateTime(summer)), c.summer);
        EXPECT_EQ(timestampFromDateTime(wxDateTime(winter)), c.winter);
        // Milliseconds are dropped, not rounded.
        wxDateTime withMs(summer);
        withMs.SetMillisecond(999);
        EXPECT_EQ(timestampFromDateTime(withMs), c.summer);
        // 0 and below split as the start of 1970 UTC seen locally.
        const QxSplitTime zero = splitTimestamp(0), negative = splitTimestamp(-5);
        EXPECT_EQ(makeTimestamp(zero.day, zero.month, zero.year, zero.hour, zero.minute,
                                zero.second),
                  c.epoch);
        EXPECT_EQ(negative.year, zero.year);
        EXPECT_EQ(negative.hour, zero.hour);

        const int64_t now = timestampNow();
        EXPECT_TRUE(isValidTimestamp(now));
        EXPECT_GE(now, timestampFromDateTime(wxDateTime(time(nullptr) - 5)));
        // Today is the local date of now at midnight (or the next day, had
        // midnight passed in between).
        const int64_t today = todayTimestamp();
        EXPECT_EQ(today % 1000000000, 0);
        EXPECT_TRUE(today / 1000000000 == now / 1000000000 || today > now) << today << " " << now;
    }
    EXPECT_EQ(timestampFromDateTime(wxDateTime()), 0);
}

TEST(QxTime, LocalRoundTripAroundDaylightSavingChanges)
{
    // Days of the 2014 changes in both zones, at times that exist locally.
    const int64_t times[] = {
        ts({9, 3, 2014, 1, 59, 59}),  ts({9, 3, 2014, 3, 0, 0}),  ts({2, 11, 2014, 0, 30, 0}),
        ts({2, 11, 2014, 12, 0, 0}),  ts({30, 3, 2014, 1, 59, 0}), ts({30, 3, 2014, 3, 0, 0}),
        ts({26, 10, 2014, 12, 0, 0}), ts({29, 2, 2012, 23, 59, 59}),
    };
    for (const char* zone : kZones) {
        TestSupport::ScopedTimeZone tz(zone);
        for (int64_t t : times) {
            SCOPED_TRACE(testing::Message() << zone << " " << t);
            const wxDateTime dt = dateTimeFromTimestamp(t);
            ASSERT_TRUE(dt.IsValid());
            EXPECT_EQ(timestampFromDateTime(dt), t);
            EXPECT_EQ(formatTimestamp(t, "%Y%m%d%H%M%S") + "000", wxString::Format("%lld", (long long)t));
        }
    }
}

TEST(QxTime, SubtractDateSpanKeepsWallClockTime)
{
    const struct {
        int64_t from;
        wxDateSpan span;
        int64_t expected;
    } cases[] = {
        // Across the spring change: still 10:00 local.
        {ts({15, 4, 2014, 10, 0, 0}), wxDateSpan::Month(), ts({15, 3, 2014, 10, 0, 0})},
        {ts({10, 3, 2014, 12, 0, 0}), wxDateSpan::Day(), ts({9, 3, 2014, 12, 0, 0})},
        {ts({3, 11, 2014, 9, 15, 0}), wxDateSpan::Week(), ts({27, 10, 2014, 9, 15, 0})},
        // A day the earlier month does not have is clamped to its last day.
        {ts({31, 3, 2014, 0, 0, 0}), wxDateSpan::Month(), ts({28, 2, 2014, 0, 0, 0})},
        {ts({29, 2, 2012, 0, 0, 0}), wxDateSpan::Year(), ts({28, 2, 2011, 0, 0, 0})},
        {ts({15, 1, 2014, 8, 0, 0}), wxDateSpan(1, 2, 0, 3), ts({12, 11, 2012, 8, 0, 0})},
    };
    for (const char* zone : kZones) {
        TestSupport::ScopedTimeZone tz(zone);
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << zone << " " << c.from);
            EXPECT_EQ(subtractDateSpan(c.from, c.span), c.expected);
        }
    }
}

TEST(QxTime, MalformedTimestampsAreLeftAlone)
{
    const int64_t bad[] = {
        ts({1, 13, 2014, 0, 0, 0}),  ts({0, 5, 2014, 0, 0, 0}),  ts({30, 2, 2014, 0, 0, 0}),
        ts({29, 2, 2014, 0, 0, 0}),  ts({1, 1, 2014, 24, 0, 0}), ts({1, 1, 2014, 0, 60, 0}),
        ts({1, 1, 2014, 0, 0, 60}),  ts({31, 4, 2014, 0, 0, 0}),
    };
    for (int64_t t : bad) {
        SCOPED_TRACE(t);
        EXPECT_FALSE(isValidTimestamp(t));
        EXPECT_FALSE(dateTimeFromTimestamp(t).IsValid());
        EXPECT_EQ(subtractDateSpan(t, wxDateSpan::Day()), t);
        EXPECT_EQ(formatTimestamp(t, "%x"), wxString());
        EXPECT_EQ(QxUtils::alignDate(t, Qx::eWeekly), t);
    }
    EXPECT_TRUE(isValidTimestamp(ts({29, 2, 2012, 0, 0, 0})));
}

TEST(QxTime, AlignDateToStartOfPeriod)
{
    const int64_t wednesday = ts({20, 8, 2014, 10, 30, 0});
    const struct {
        int64_t t;
        Qx::QxPeriod period;
        int64_t expected;
    } cases[] = {
        {wednesday, Qx::eWeekly, ts({17, 8, 2014, 10, 30, 0})},
        {wednesday, Qx::eMonthly, ts({1, 8, 2014, 0, 0, 0})},
        {wednesday, Qx::eQuarterly, ts({1, 7, 2014, 0, 0, 0})},
        {wednesday, Qx::eYearly, ts({1, 1, 2014, 0, 0, 0})},
        {wednesday, Qx::eDaily, wednesday},
        {wednesday, Qx::eOneMinute, wednesday},
        {wednesday, static_cast<Qx::QxPeriod>(12345), wednesday},
        // A Sunday is its own week's start; a Saturday belongs to the Sunday before.
        {ts({17, 8, 2014, 0, 0, 0}), Qx::eWeekly, ts({17, 8, 2014, 0, 0, 0})},
        {ts({23, 8, 2014, 23, 59, 59}), Qx::eWeekly, ts({17, 8, 2014, 23, 59, 59})},
        // Weeks, quarters crossing month and year ends.
        {ts({1, 1, 2015, 0, 0, 0}), Qx::eWeekly, ts({28, 12, 2014, 0, 0, 0})},
        {ts({1, 3, 2012, 0, 0, 0}), Qx::eWeekly, ts({26, 2, 2012, 0, 0, 0})},
        {ts({5, 1, 1970, 0, 0, 0}), Qx::eWeekly, ts({4, 1, 1970, 0, 0, 0})},
        {ts({1, 1, 1900, 0, 0, 0}), Qx::eWeekly, ts({31, 12, 1899, 0, 0, 0})},
        {ts({31, 3, 2014, 0, 0, 0}), Qx::eQuarterly, ts({1, 1, 2014, 0, 0, 0})},
        {ts({1, 4, 2014, 0, 0, 0}), Qx::eQuarterly, ts({1, 4, 2014, 0, 0, 0})},
        {ts({31, 12, 2014, 0, 0, 0}), Qx::eQuarterly, ts({1, 10, 2014, 0, 0, 0})},
        // A week starting on the day of the spring change keeps the key of its bars.
        {ts({12, 3, 2014, 2, 30, 0}), Qx::eWeekly, ts({9, 3, 2014, 2, 30, 0})},
    };
    for (const char* zone : kZones) {
        TestSupport::ScopedTimeZone tz(zone);
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << zone << " " << c.t << " " << c.period);
            EXPECT_EQ(QxUtils::alignDate(c.t, c.period), c.expected);
        }
    }
}

TEST(QxTime, PeriodAndSecurityTypeValues)
{
    EXPECT_EQ(Qx::eOneMinute, 60);
    EXPECT_EQ(Qx::QxPeriod::eDaily, 86400);
    EXPECT_EQ(Qx::eWeekly, 5 * 86400);
    EXPECT_EQ(Qx::eMonthly * 4, 30.4375 * 86400 * 4);
    EXPECT_EQ(Qx::eQuarterly * 16, 91.3125 * 86400 * 16);
    EXPECT_EQ(Qx::eYearly * 4, 365.25 * 86400 * 4);
    EXPECT_EQ(Qx::QxSecurityType::eStock, 1);
    EXPECT_EQ(Qx::eFuture, 2);
    EXPECT_EQ(Qx::eOption, 3);
    EXPECT_EQ(Qx::eFund, 4);
}

// The date writer of report pages gives the texts of formatTimestamp with
// "%x": every day of the years it writes itself and a little beyond them,
// dates with a time of day, in zones with and without daylight saving
// (some change at midnight), and timestamps that name no date.
TEST(QxTime, DateFormatterWritesTheLocalesDates)
{
    for (const char* zone : {"UTC", "America/Sao_Paulo", "Europe/Berlin"}) {
        SCOPED_TRACE(zone);
        TestSupport::ScopedTimeZone tz(zone);
        const QxDateFormatter dates;
        EXPECT_TRUE(dates.writesItself()) << "the test's locale writes dates as numbers";
        for (wxDateTime day(25, wxDateTime::Dec, 1899); day.GetYear() <= 2200; day += wxDateSpan::Day()) {
            const int64_t t = makeTimestamp(day.GetDay(), day.GetMonth() + 1, day.GetYear());
            const wxString text = formatTimestamp(t, "%x");
            const wxScopedCharBuffer expected = text.utf8_str();
            ASSERT_EQ(dates.utf8(t), std::string(expected.data(), expected.length())) << t;
        }
        for (int64_t t : {makeTimestamp(4, 7, 2003, 23, 59, 59), makeTimestamp(15, 10, 2017, 0, 30),
                          makeTimestamp(1, 1, 1970), makeTimestamp(31, 2, 2001), makeTimestamp(0, 1, 2001),
                          int64_t(0), int64_t(-5), makeTimestamp(1, 1, 9999)}) {
            const wxString text = formatTimestamp(t, "%x");
            const wxScopedCharBuffer expected = text.utf8_str();
            EXPECT_EQ(dates.utf8(t), std::string(expected.data(), expected.length())) << t;
        }
        for (int year : {1971, 1985, 2003, 2014, 2037})
            EXPECT_TRUE(dates.writesItselfIn(year)) << year;
        for (int year : {1900, 1970, 2038, 2045})
            EXPECT_FALSE(dates.writesItselfIn(year)) << year;
        // The next formatter of the thread starts from what this one learned.
        const QxDateFormatter again;
        EXPECT_TRUE(again.writesItself());
        for (int year = 1960; year <= 2050; ++year) {
            const int64_t t = makeTimestamp(31, 12, year);
            const wxString text = formatTimestamp(t, "%x");
            const wxScopedCharBuffer expected = text.utf8_str();
            std::string appended = "at ";
            again.append(t, appended);
            ASSERT_EQ(appended, "at " + std::string(expected.data(), expected.length())) << t;
        }
    }
}
