#include "plugins/webproviders/QxYahooDataDownloader.h"

#include "core/QxAsciiParser.h"
#include "core/QxSecurity.h"
#include "core/QxTime.h"
#include "core/platform/QxHttpClient.h"
#include "core/platform/QxServiceAddress.h"

#include <cstdio>
#include <limits>
#include <vector>

namespace {

const QxWebProviderInfo kInfo = {"Yahoo!", "barfetch", "yahoo_index", "barfetcher", "QxART_yahoo"};

// At most this many lines are rejected before the rest of a response is
// ignored: an answer that keeps failing is not price data.
const unsigned kMaxBadLines = 5;

} // namespace

QxYahooDataDownloader::QxYahooDataDownloader(const QxWebProviderPaths& paths) : QxWebDataDownloader(kInfo, paths) {}

const QxWebProviderInfo& QxYahooDataDownloader::providerInfo() { return kInfo; }

std::string QxYahooDataDownloader::serviceUrl()
{
    return QxServiceAddress::join(QxServiceAddress::get(serviceName, "http://ichart.finance.yahoo.com"), servicePath);
}

int64_t QxYahooDataDownloader::addDateSpan(int64_t ts, const wxDateSpan& span)
{
    wxDateTime dt(1, wxDateTime::Jan, 1970);
    if (ts > 0) {
        dt = dateTimeFromTimestamp(ts);
        if (!dt.IsValid())
            return ts;
    }
    dt.Add(span);
    return timestampFromDateTime(dt);
}

std::string QxYahooDataDownloader::makeQueryUrl(const std::string& baseUrl, const std::string& ticker, int64_t start,
                                                int64_t end)
{
    const QxSplitTime s = splitTimestamp(start), e = splitTimestamp(end);
    char query[160];
    std::snprintf(query, sizeof query, "&a=%d&b=%d&c=%d&d=%d&e=%d&f=%d&g=d&ignore=.csv", s.month - 1, int(s.day),
                  int(s.year), e.month - 1, int(e.day), int(e.year));
    return baseUrl + "?s=" + QxHttpClient::percentEncode(ticker) + query;
}

std::string QxYahooDataDownloader::buildQueryUrl(QxSecurity* security, int64_t lastBarTime)
{
    if (!security)
        return std::string();
    const int64_t start = addDateSpan(lastBarTime, wxDateSpan::Day());
    const int64_t end = timestampNow();
    const char* ticker = security->ticker();
    return makeQueryUrl(serviceUrl(), ticker ? ticker : "", start, end);
}

QxObjectSmartPtr<QxPriceHistory> QxYahooDataDownloader::parsePrices(const char* text, std::size_t length)
{
    using Field = QxAsciiParser::QxAsciiFieldId;
    static const Field fields[] = {Field::eDate, Field::eOpen, Field::eHigh, Field::eLow, Field::eClose, Field::eVolume};
    if (!text || length == 0 || length > std::numeric_limits<unsigned>::max())
        return nullptr;
    QxObjectSmartPtr<QxPriceHistory> history(new QxPriceHistory(Qx::eStock, Qx::eDaily));
    std::vector<unsigned> badLines;
    QxAsciiParser::parseAsciiStmForHistory(text, static_cast<unsigned>(length), fields, 6, true,
                                           Qx::QxDateFormat::eYearMonthDay, kMaxBadLines, badLines, history.get());
    if (history->numBars() == 0)
        return nullptr;
    // The service lists the newest day first.
    sortBarsAscending(*history);
    return history;
}

void QxYahooDataDownloader::parseResponse(QxSecurity* security, const char* text, std::size_t length)
{
    if (!security)
        return;
    QxObjectSmartPtr<QxPriceHistory> history = parsePrices(text, length);
    if (history && history->numBars() > 0)
        storeHistory(security, history.get());
}
