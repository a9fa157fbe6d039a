#include "core/QxTime.h"

#include <ctime>

namespace {

bool isLeapYear(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYear(y) ? 29 : days[m - 1];
}

bool isValidSplit(const QxSplitTime& st)
{
    return st.year >= 1 && st.month >= 1 && st.month <= 12 && st.day >= 1 &&
           st.day <= daysInMonth(st.year, st.month) && st.hour <= 23 && st.minute <= 59 &&
           st.second <= 59;
}

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void civilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<int64_t>(yoe) + era * 400 + (m <= 2);
}

wxDateTime localDateTime(const QxSplitTime& st)
{
    if (!isValidSplit(st))
        return wxDateTime();
    return wxDateTime(st.day, static_cast<wxDateTime::Month>(st.month - 1), st.year, st.hour,
                      st.minute, st.second, 0);
}

} // namespace

int64_t makeTimestamp(uint8_t day, int32_t month, uint16_t year, uint8_t hour, uint8_t minute,
                      uint8_t second)
{
    return (((((int64_t(year) * 100 + month) * 100 + day) * 100 + hour) * 100 + minute) * 100 +
            second) *
           1000;
}

int64_t timestampFromDateTime(const wxDateTime& dt)
{
    if (!dt.IsValid())
        return 0;
    // Broken down by the C library rather than by wxDateTime's own offset
    // arithmetic, which assumes one-hour daylight saving.
    const wxLongLong ms = dt.GetValue();
    int64_t secs = ms.GetValue() / 1000;
    if (ms.GetValue() % 1000 < 0)
        --secs;
    const time_t t = static_cast<time_t>(secs);
    struct tm tm;
    if (!localtime_r(&t, &tm))
        return 0;
    return makeTimestamp(static_cast<uint8_t>(tm.tm_mday), tm.tm_mon + 1,
                         static_cast<uint16_t>(tm.tm_year + 1900), static_cast<uint8_t>(tm.tm_hour),
                         static_cast<uint8_t>(tm.tm_min), static_cast<uint8_t>(tm.tm_sec));
}

int64_t timestampNow()
{
    return timestampFromDateTime(wxDateTime::Now());
}

int64_t todayTimestamp()
{
    return timestampFromDateTime(wxDateTime::Today());
}

QxSplitTime splitTimestamp(int64_t ts)
{
    if (ts <= 0)
        ts = timestampFromDateTime(wxDateTime(static_cast<time_t>(0)));
    QxSplitTime st;
    int64_t v = ts / 1000;
    st.second = static_cast<uint8_t>(v % 100);
    v /= 100;
    st.minute = static_cast<uint8_t>(v % 100);
    v /= 100;
    st.hour = static_cast<uint8_t>(v % 100);
    v /= 100;
    st.day = static_cast<uint8_t>(v % 100);
    v /= 100;
    st.month = static_cast<uint8_t>(v % 100);
    st.year = static_cast<uint16_t>(v / 100);
    return st;
}

bool isValidTimestamp(int64_t ts)
{
    return ts > 0 && ts / 100000000000000LL <= 0xFFFF && isValidSplit(splitTimestamp(ts));
}

wxDateTime dateTimeFromTimestamp(int64_t ts)
{
    if (ts > 0 && !isValidTimestamp(ts))
        return wxDateTime();
    return localDateTime(splitTimestamp(ts));
}

int64_t subtractDateSpan(int64_t ts, const wxDateSpan& span)
{
    wxDateTime dt = dateTimeFromTimestamp(ts);
    if (!dt.IsValid())
        return ts;
    dt.Subtract(span);
    return timestampFromDateTime(dt);
}

wxString formatTimestamp(int64_t ts, const wxString& format)
{
    const wxDateTime dt = dateTimeFromTimestamp(ts);
    if (!dt.IsValid())
        return wxString();
    return dt.Format(format, wxDateTime::Local);
}

namespace QxUtils {

int64_t alignDate(const int64_t& t, Qx::QxPeriod period)
{
    const QxSplitTime st = splitTimestamp(t);
    switch (period) {
    case Qx::eWeekly: {
        if (!isValidTimestamp(t))
            return t;
        // Pure calendar arithmetic: every bar of a week gets the same key,
        // even where the Sunday's wall-clock time falls into a daylight-saving
        // gap. Weeks run Sunday to Saturday.
        const int64_t days = daysFromCivil(st.year, st.month, st.day);
        const int64_t weekday = ((days % 7) + 7 + 4) % 7; // 1970-01-01 was a Thursday
        int64_t y;
        unsigned m, d;
        civilFromDays(days - weekday, y, m, d);
        if (y < 1)
            return t;
        return makeTimestamp(static_cast<uint8_t>(d), static_cast<int32_t>(m),
                             static_cast<uint16_t>(y), st.hour, st.minute, st.second);
    }
    case Qx::eMonthly:
        return makeTimestamp(1, st.month, st.year, 0, 0, 0);
    case Qx::eQuarterly:
        return makeTimestamp(1, (st.month - 1) / 3 * 3 + 1, st.year, 0, 0, 0);
    case Qx::eYearly:
        return makeTimestamp(1, 1, st.year, 0, 0, 0);
    default:
        return t;
    }
}

} // namespace QxUtils
