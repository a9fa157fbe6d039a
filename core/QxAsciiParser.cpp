#include "core/QxAsciiParser.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "core/QxTime.h"

namespace {

using FieldId = QxAsciiParser::QxAsciiFieldId;

bool isSoftSeparator(char c) { return c == '\t' || c == '\r' || c == ' '; }
bool isHardSeparator(char c) { return c == ',' || c == '|'; }
bool isSeparator(char c) { return isSoftSeparator(c) || isHardSeparator(c); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number that fills the whole field; infinities and NaN are not
// prices. from_chars ignores the locale, so "1.5" reads the same everywhere.
bool parseNumber(const char* begin, const char* end, double& value)
{
    if (begin < end && *begin == '+')
        ++begin;
    if (begin == end)
        return false;
    double v = 0.0;
    const auto res = std::from_chars(begin, end, v, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != end || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

// Up to nine digits; more cannot be a part of a date and would overflow.
bool parseUnsigned(const char*& p, const char* end, int& value)
{
    const char* start = p;
    int v = 0;
    while (p < end && isDigit(*p)) {
        if (p - start == 9)
            return false;
        v = v * 10 + (*p - '0');
        ++p;
    }
    if (p == start)
        return false;
    value = v;
    return true;
}

bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYear(y) ? 29 : days[m - 1];
}

// Three numbers with one character between each pair ("2014-03-07",
// "03/07/2014", "07.03.2014"), in the order of the date format. A date that
// names no real day of the calendar is refused.
bool parseDate(const char* begin, const char* end, Qx::QxDateFormat format, int64_t& time)
{
    int parts[3] = {0, 0, 0};
    const char* p = begin;
    for (int k = 0; k < 3; ++k) {
        if (!parseUnsigned(p, end, parts[k]))
            return false;
        if (k < 2) {
            if (p == end)
                return false;
            ++p; // the one character between the numbers
        }
    }
    if (p != end)
        return false;

    int year = 0, month = 0, day = 0;
    switch (format) {
    case Qx::QxDateFormat::eMonthDayYear: month = parts[0]; day = parts[1]; year = parts[2]; break;
    case Qx::QxDateFormat::eDayMonthYear: day = parts[0]; month = parts[1]; year = parts[2]; break;
    case Qx::QxDateFormat::eYearMonthDay: year = parts[0]; month = parts[1]; day = parts[2]; break;
    }
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return false;
    time = makeTimestamp(static_cast<uint8_t>(day), month, static_cast<uint16_t>(year), 0, 0, 0);
    return true;
}

struct LineValues {
    bool readable = true; // every field that was present could be read
    int64_t date = 0;
    double open = 0.0;
    double high = 0.0;
    double low = 0.0;
    double close = 0.0;
    double volume = 0.0;
    double openInterest = 0.0;
    double nav = 0.0;
    bool haveClose = false;
    bool haveNav = false;
};

void readField(FieldId id, const char* begin, const char* end, Qx::QxDateFormat format, LineValues& v)
{
    double* target = nullptr;
    switch (id) {
    case FieldId::eDate:
        if (!parseDate(begin, end, format, v.date))
            v.readable = false;
        return;
    case FieldId::eOpen: target = &v.open; break;
    case FieldId::eHigh: target = &v.high; break;
    case FieldId::eLow: target = &v.low; break;
    case FieldId::eClose: target = &v.close; v.haveClose = true; break;
    case FieldId::eVolume: target = &v.volume; break;
    case FieldId::eOpenInterest: target = &v.openInterest; break;
    case FieldId::eNav: target = &v.nav; v.haveNav = true; break;
    default: return; // eSkip and unknown ids pass the column over
    }
    if (!parseNumber(begin, end, *target))
        v.readable = false;
}

// Appends the line as a bar when it is acceptable for the history's type.
bool storeLine(const LineValues& v, QxPriceHistory& history)
{
    if (!v.readable || v.date <= 0)
        return false;
    const int type = static_cast<int>(history.getSecurityType());
    const unsigned index = history.numBars();
    if (type == 4) {
        // A fund has only its net asset value: the nav column when the
        // caller supplied one, else the close.
        const double nav = v.haveNav ? v.nav : v.close;
        if (!(v.haveNav || v.haveClose) || !(nav > 0.0))
            return false;
        history.resize(index + 1);
        history.timestamp()[index] = v.date;
        history.nav()[index] = nav;
        return true;
    }
    if (!(v.open > 0.0 && v.high > 0.0 && v.low > 0.0 && v.close > 0.0 && v.high >= v.low))
        return false;
    history.resize(index + 1);
    history.timestamp()[index] = v.date;
    history.open()[index] = v.open;
    history.high()[index] = v.high;
    history.low()[index] = v.low;
    history.close()[index] = v.close;
    history.volume()[index] = v.volume;
    if (type == 2 || type == 3)
        history.openInterest()[index] = v.openInterest;
    return true;
}

} // namespace

int QxAsciiParser::parseAsciiStmForHistory(const char* buffer, unsigned length,
                                           const QxAsciiFieldId* fieldIds, unsigned numFieldIds,
                                           bool skipFirstLine, Qx::QxDateFormat dateFormat,
                                           unsigned maxBadLines, std::vector<unsigned>& badLines,
                                           QxPriceHistory* history)
{
    badLines.clear();
    if (!history)
        return eInvalidInputObject;
    const int type = static_cast<int>(history->getSecurityType());
    if (type < 1 || type > 4)
        return eInvalidSecurityType;
    const int format = static_cast<int>(dateFormat);
    if ((!buffer && length > 0) || (!fieldIds && numFieldIds > 0) || format < 0 || format > 2)
        return eInvalidInput;
    if (history->capacity() == 0)
        history->reserve(1000);
    if (length == 0)
        return 0;

    const char* p = buffer;
    const char* const end = buffer + length;
    if (length >= 3 && std::memcmp(p, "\xEF\xBB\xBF", 3) == 0)
        p += 3; // byte-order mark of a UTF-8 file

    unsigned line = 1;
    auto skipToNextLine = [&]() {
        const void* lf = std::memchr(p, '\n', static_cast<size_t>(end - p));
        p = lf ? static_cast<const char*>(lf) + 1 : end;
        if (lf)
            ++line;
    };
    // Separators and blank lines before the next line's first field.
    auto skipBlank = [&]() {
        while (p < end && (isSeparator(*p) || *p == '\n')) {
            if (*p == '\n')
                ++line;
            ++p;
        }
    };

    if (skipFirstLine)
        skipToNextLine();
    skipBlank();

    while (p < end) {
        const void* lf = std::memchr(p, '\n', static_cast<size_t>(end - p));
        const char* const lineEnd = lf ? static_cast<const char*>(lf) : end;

        LineValues values;
        const char* q = p;
        bool afterField = false;
        unsigned pendingEmpty = 0;
        for (unsigned f = 0; f < numFieldIds; ++f) {
            if (afterField) {
                // Two commas (or bars) in a row enclose an empty field: the
                // following columns must not slide one place to the left.
                unsigned hard = 0;
                while (q < lineEnd && isSeparator(*q)) {
                    if (isHardSeparator(*q))
                        ++hard;
                    ++q;
                }
                pendingEmpty = hard >= 2 ? hard - 1 : 0;
                afterField = false;
            }
            if (pendingEmpty > 0) {
                --pendingEmpty;
                continue;
            }
            if (q == lineEnd)
                break; // fields the line lacks keep their zero
            const char* tokenEnd = q;
            while (tokenEnd < lineEnd && !isSeparator(*tokenEnd))
                ++tokenEnd;
            readField(fieldIds[f], q, tokenEnd, dateFormat, values);
            q = tokenEnd;
            afterField = true;
        }

        if (!storeLine(values, *history)) {
            badLines.push_back(line);
            if (badLines.size() > maxBadLines)
                break;
        }

        p = lineEnd;
        if (p < end) {
            ++p;
            ++line;
        }
        skipBlank();
    }
    return 0;
}
