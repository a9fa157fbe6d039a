#pragma once
// The provider of plug-in barfetcher: end-of-day bars from the Yahoo price
// service's "table.csv" interface.
#include "plugins/webproviders/QxWebDataDownloader.h"

#include <wx/datetime.h>

#include "core/QxPriceHistory.h"

// barfetcher's download threads are the shared kind.
using QxYahooDownloadThread = QxWebDownloadThread;

class QxYahooDataDownloader : public QxWebDataDownloader {
public:
    explicit QxYahooDataDownloader(const QxWebProviderPaths& paths = QxWebProviderPaths());

    static const QxWebProviderInfo& providerInfo();
    // Name of the service address (see QxServiceAddress) and its path.
    static constexpr const char* serviceName = "yahoo";
    static constexpr const char* servicePath = "/table.csv";
    static std::string serviceUrl();

    std::string buildQueryUrl(QxSecurity* security, int64_t lastBarTime) override;
    void parseResponse(QxSecurity* security, const char* text, std::size_t length) override;

    // ts plus span in local calendar arithmetic; 0 counts as 1 January 1970
    // and a timestamp that names no real date comes back unchanged.
    static int64_t addDateSpan(int64_t ts, const wxDateSpan& span);
    // The request for the daily bars from start to end (packed timestamps),
    // the ticker percent-encoded.
    static std::string makeQueryUrl(const std::string& baseUrl, const std::string& ticker, int64_t start,
                                    int64_t end);
    // The bars of a CSV response (header line, then date, open, high, low,
    // close, volume), ascending; null when none.
    static QxObjectSmartPtr<QxPriceHistory> parsePrices(const char* text, std::size_t length);
};
