#include "plugins/webproviders/QxGoogleDataDownloader.h"

#include "core/QxAssetClass.h"
#include "core/QxCategory.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "core/QxTime.h"
#include "core/platform/QxHttpClient.h"
#include "core/platform/QxServiceAddress.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>

namespace {

const QxWebProviderInfo kInfo = {"Google", "tickpull", "google_index", "tickpuller", "QxART_google"};

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// Digits at p (at most maxDigits of them) as a number; false when there are
// none or too many.
bool readDigits(const char*& p, const char* end, int maxDigits, int64_t& value)
{
    const char* start = p;
    int64_t v = 0;
    while (p < end && isDigit(*p)) {
        if (p - start == maxDigits)
            return false;
        v = v * 10 + (*p - '0');
        ++p;
    }
    if (p == start)
        return false;
    value = v;
    return true;
}

// One decimal number, blanks before it allowed.
bool readNumber(const char*& p, const char* end, double& value)
{
    while (p < end && isSpace(*p))
        ++p;
    if (p < end && *p == '+')
        ++p;
    const auto res = std::from_chars(p, end, value, std::chars_format::general);
    if (res.ec != std::errc())
        return false;
    p = res.ptr;
    return true;
}

// close,high,low,open,volume
struct RowValues {
    double close = 0, high = 0, low = 0, open = 0, volume = 0;
};

bool readValues(const char*& p, const char* end, RowValues& v)
{
    const char* q = p;
    double* targets[5] = {&v.close, &v.high, &v.low, &v.open, &v.volume};
    for (int k = 0; k < 5; ++k) {
        if (k > 0) {
            if (q >= end || *q != ',')
                return false;
            ++q;
        }
        if (!readNumber(q, end, *targets[k]))
            return false;
    }
    p = q;
    return true;
}

// The packed date (00:00:00) of a Unix time; 0 outside the years a
// timestamp can hold.
int64_t dateOfUnixTime(int64_t t)
{
    int64_t days = t / 86400;
    if (t % 86400 < 0)
        --days;
    // Civil date from days since 1970-01-01.
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t y = yoe + era * 400;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    if (m <= 2)
        ++y;
    if (y < 1970 || y > 9999)
        return 0;
    return makeTimestamp(static_cast<uint8_t>(d), static_cast<int32_t>(m), static_cast<uint16_t>(y));
}

class BarCollector {
public:
    BarCollector(QxPriceHistory& history, int64_t lastStored, int64_t offsetSeconds)
        : m_history(history), m_lastStored(lastStored), m_offset(offsetSeconds)
    {
    }

    void offer(int64_t unixTime, const RowValues& v)
    {
        const int64_t time = dateOfUnixTime(unixTime + m_offset);
        if (time <= 0 || time <= m_lastStored)
            return;
        const bool finite = std::isfinite(v.open) && std::isfinite(v.high) && std::isfinite(v.low) &&
                            std::isfinite(v.close);
        if (!finite || !(v.open > 0 && v.high > 0 && v.low > 0 && v.close > 0 && v.high >= v.low))
            return;
        const unsigned i = m_history.numBars();
        m_history.resize(i + 1);
        m_history.timestamp()[i] = time;
        m_history.open()[i] = v.open;
        m_history.high()[i] = v.high;
        m_history.low()[i] = v.low;
        m_history.close()[i] = v.close;
        m_history.volume()[i] = v.volume;
    }

private:
    QxPriceHistory& m_history;
    int64_t m_lastStored;
    int64_t m_offset;
};

const char* lineEnd(const char* p, const char* end)
{
    const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    return lf ? static_cast<const char*>(lf) : end;
}

} // namespace

std::string googleExchangeCode(const QxCategory* category)
{
    static const std::map<std::string, std::string> indexCodes = {
        {"BOM", "INDEXBOM"},   {"HANGSENG", "INDEXHANGSENG"}, {"NIKKEI", "INDEXNIKKEI"},
        {"FTSE", "INDEXFTSE"}, {"DJX", "INDEXDJX"},           {"NASDAQ", "INDEXNASDAQ"},
    };
    if (!category)
        return std::string();
    const char* exchange = category->exchange();
    std::string code = exchange ? exchange : "";
    const QxAssetClass* assetClass = category->assetClass();
    if (assetClass && assetClass->code() && std::strcmp(assetClass->code(), "INDEX") == 0) {
        auto it = indexCodes.find(code);
        if (it != indexCodes.end())
            code = it->second;
    }
    return code;
}

QxGoogleDataDownloader::QxGoogleDataDownloader(const QxWebProviderPaths& paths)
    : QxWebDataDownloader(kInfo, paths)
{
}

const QxWebProviderInfo& QxGoogleDataDownloader::providerInfo() { return kInfo; }

std::string QxGoogleDataDownloader::serviceUrl()
{
    return QxServiceAddress::join(QxServiceAddress::get(serviceName, "http://www.google.com"), servicePath);
}

std::string QxGoogleDataDownloader::queryPeriod(int64_t lastBarTime, const wxDateTime& today)
{
    wxDateTime last(1, wxDateTime::Jan, 1970);
    if (lastBarTime > 0 && isValidTimestamp(lastBarTime)) {
        const QxSplitTime t = splitTimestamp(lastBarTime);
        last = wxDateTime(static_cast<wxDateTime::wxDateTime_t>(t.day), static_cast<wxDateTime::Month>(t.month - 1), int(t.year));
    }
    const wxDateTime todayDate = today.GetDateOnly();
    if (!todayDate.IsValid() || !todayDate.IsLaterThan(last))
        return std::string();
    const wxDateSpan span = todayDate.DiffAsDateSpan(last);
    const int years = span.GetYears(), months = span.GetMonths();
    const int days = span.GetWeeks() * 7 + span.GetDays();
    if (years > 0)
        return std::to_string(std::min(years + 1, 40)) + "Y";
    if (months > 0)
        return std::to_string(months + 1) + "M";
    if (days > 0)
        return std::to_string(days) + "d";
    return std::string();
}

std::string QxGoogleDataDownloader::makeQueryUrl(const std::string& baseUrl, const std::string& ticker,
                                                 const std::string& exchange, const std::string& period)
{
    return baseUrl + "?q=" + QxHttpClient::percentEncode(ticker) + "&x=" + QxHttpClient::percentEncode(exchange) +
           "&i=86400&p=" + period + "&f=d,c,h,l,o,v";
}

std::string QxGoogleDataDownloader::buildQueryUrl(QxSecurity* security, int64_t lastBarTime)
{
    if (!security)
        return std::string();
    const std::string period = queryPeriod(lastBarTime, wxDateTime::Today());
    if (period.empty())
        return std::string();
    const char* ticker = security->ticker();
    return makeQueryUrl(serviceUrl(), ticker ? ticker : "", googleExchangeCode(security->category()), period);
}

QxObjectSmartPtr<QxPriceHistory> QxGoogleDataDownloader::parsePrices(const char* text, std::size_t length, int64_t lastStoredTime)
{
    static const char kHeader[] = "TIMEZONE_OFFSET=";
    const std::size_t headerLength = sizeof(kHeader) - 1;
    if (!text || length == 0)
        return nullptr;
    const char* const end = text + length;
    const char* p = std::search(text, end, kHeader, kHeader + headerLength);
    if (p == end)
        return nullptr;
    p += headerLength;
    int64_t offset = 0;
    {
        const char* q = p;
        bool negative = false;
        if (q < end && (*q == '-' || *q == '+')) {
            negative = *q == '-';
            ++q;
        }
        if (!readDigits(q, end, 9, offset))
            return nullptr;
        if (negative)
            offset = -offset;
    }

    QxObjectSmartPtr<QxPriceHistory> history(new QxPriceHistory(Qx::eStock, Qx::eDaily));
    history->reserve(1000);
    BarCollector bars(*history, lastStoredTime, offset);

    while (p + 1 < end) {
        if (!(*p == 'a' && isDigit(p[1]))) {
            ++p;
            continue;
        }
        // A base row: "a" and the Unix time, then the values.
        const char* q = p + 1;
        int64_t base = 0;
        if (!readDigits(q, end, 12, base)) {
            p = q;
            continue;
        }
        RowValues values;
        const char* v = q < end ? q + 1 : end;
        if (q >= end || !readValues(v, end, values)) {
            p = q;
            continue;
        }
        bars.offer(base, values);
        p = v;

        // Offset rows: a count of days after the base row, then the values.
        for (;;) {
            while (p < end && !isDigit(*p) && !isLetter(*p))
                ++p;
            if (p >= end)
                break;
            if (isLetter(*p)) {
                if (*p == 'a' && p + 1 < end && isDigit(p[1]))
                    break; // the next base row
                // Another header line inside the data, such as a new time-zone
                // offset: the rows after it still count from the base row.
                p = lineEnd(p, end);
                continue;
            }
            const char* row = p;
            int64_t count = 0;
            if (!readDigits(p, end, 9, count)) {
                p = lineEnd(row, end);
                continue;
            }
            const char* r = p < end ? p + 1 : end;
            if (p < end && readValues(r, end, values)) {
                bars.offer(base + count * 86400, values);
                p = r;
            } else {
                p = lineEnd(row, end); // an unreadable row is passed over alone
            }
        }
        if (p >= end)
            break;
    }

    if (history->numBars() == 0)
        return nullptr;
    sortBarsAscending(*history);
    return history;
}

void QxGoogleDataDownloader::parseResponse(QxSecurity* security, const char* text, std::size_t length)
{
    if (!security)
        return;
    QxObjectSmartPtr<QxPriceHistory> history = parsePrices(text, length, lastBarTime(security));
    if (history && history->numBars() > 0)
        storeHistory(security, history.get());
}
