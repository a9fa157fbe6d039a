#pragma once
// Packed timestamps: a signed 64-bit integer whose decimal digits read
// YYYYMMDDhhmmss followed by three digits of milliseconds (always written as
// 000 here), so comparing two of them as integers orders them in time.
// 2014-03-07 15:04:05 is 20140307150405000.
#include <wx/datetime.h>
#include <wx/string.h>

#include <cstdint>

namespace Qx {

// The length of one bar in seconds; a larger value is a longer period.
enum QxPeriod : int32_t {
    eOneMinute = 60,
    eDaily = 86400,
    eWeekly = 432000,    // five days of seconds
    eMonthly = 2629800,  // 30.4375 days
    eQuarterly = 7889400, // 91.3125 days
    eYearly = 31557600,  // 365.25 days
};

// Which price columns a security has.
enum QxSecurityType : int32_t {
    eStock = 1,  // open, high, low, close, volume
    eFuture = 2, // ... and open interest
    eOption = 3, // ... and open interest
    eFund = 4,   // net asset value only
};

} // namespace Qx

struct QxSplitTime {
    uint8_t second = 0;
    uint8_t minute = 0;
    uint8_t hour = 0;
    uint8_t day = 0;
    uint8_t month = 0; // 1-12
    uint16_t year = 0;
    uint16_t millisecond = 0; // always 0: splitting drops milliseconds
};

int64_t makeTimestamp(uint8_t day, int32_t month, uint16_t year, uint8_t hour = 0,
                      uint8_t minute = 0, uint8_t second = 0);

// The local wall-clock time of dt, milliseconds dropped; 0 for an invalid dt.
int64_t timestampFromDateTime(const wxDateTime& dt);
int64_t timestampNow();
// Today's local date at 00:00:00.000: the date dialogs start from.
int64_t todayTimestamp();

// A value of 0 or less splits as the local time of the start of 1970 UTC.
QxSplitTime splitTimestamp(int64_t ts);

// Whether the fields of ts name a real calendar date and time of day.
bool isValidTimestamp(int64_t ts);

// ts as a local wxDateTime; invalid when its fields name no real date.
wxDateTime dateTimeFromTimestamp(int64_t ts);

// ts moved back by span with the calendar arithmetic of wxDateTime (local
// time). A timestamp that names no real date comes back unchanged.
int64_t subtractDateSpan(int64_t ts, const wxDateSpan& span);

// ts as local date-time text in a wxDateTime format ("%x": the locale's
// date); empty when ts names no real date.
wxString formatTimestamp(int64_t ts, const wxString& format);

namespace QxUtils {

// The packed start of the period that holds t: weekly the Sunday of its week
// (time of day kept), monthly, quarterly and yearly the first day at 00:00:00;
// daily and any other period leave t unchanged.
int64_t alignDate(const int64_t& t, Qx::QxPeriod period);

} // namespace QxUtils
