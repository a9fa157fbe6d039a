#pragma once
// Calendar helpers for the price-history tests, written with the C library
// so that expected values do not come from the code under test.
#include <cstdint>
#include <ctime>
#include <string>

namespace PriceTest {

inline int64_t packed(int y, int m, int d, int hh = 0, int mi = 0, int ss = 0)
{
    return (((((int64_t(y) * 100 + m) * 100 + d) * 100 + hh) * 100 + mi) * 100 + ss) * 1000;
}

inline int year(int64_t t) { return int(t / 10000000000000LL); }
inline int month(int64_t t) { return int(t / 100000000000LL % 100); }
inline int day(int64_t t) { return int(t / 1000000000LL % 100); }
inline int64_t timeOfDay(int64_t t) { return t % 1000000000LL; }

// Seconds since 1970 of a date at 00:00 UTC, and back.
inline time_t utcDays(int y, int m, int d)
{
    struct tm tm = {};
    tm.tm_year = y - 1900;
    tm.tm_mon = m - 1;
    tm.tm_mday = d;
    return timegm(&tm);
}

inline int64_t packedFromUtc(time_t t, int64_t tod = 0)
{
    struct tm tm;
    gmtime_r(&t, &tm);
    return packed(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) + tod;
}

inline int weekday(int64_t t) // 0 Sunday .. 6 Saturday
{
    const time_t s = utcDays(year(t), month(t), day(t));
    struct tm tm;
    gmtime_r(&s, &tm);
    return tm.tm_wday;
}

} // namespace PriceTest
