#pragma once
// The provider of plug-in tickpuller: end-of-day bars from the Google price
// service's "getprices" interface.
#include "plugins/webproviders/QxWebDataDownloader.h"

#include <wx/datetime.h>

class QxCategory;
#include "core/QxPriceHistory.h"

// tickpuller's download threads are the shared kind.
using QxGoogleDownloadThread = QxWebDownloadThread;

// The exchange sent for a category: its own, or for an index category the
// service's index code of that exchange when it has one.
std::string googleExchangeCode(const QxCategory* category);

class QxGoogleDataDownloader : public QxWebDataDownloader {
public:
    explicit QxGoogleDataDownloader(const QxWebProviderPaths& paths = QxWebProviderPaths());

    static const QxWebProviderInfo& providerInfo();
    // Name of the service address (see QxServiceAddress) and its path.
    static constexpr const char* serviceName = "google";
    static constexpr const char* servicePath = "/finance/getprices";
    static std::string serviceUrl();

    std::string buildQueryUrl(QxSecurity* security, int64_t lastBarTime) override;
    void parseResponse(QxSecurity* security, const char* text, std::size_t length) override;

    // The span asked for, "%dY", "%dM" or "%dd", covering the days after
    // the date of lastBarTime (0: 1 January 1970) up to today; empty when
    // today is not later.
    static std::string queryPeriod(int64_t lastBarTime, const wxDateTime& today);
    // baseUrl?q=ticker&x=exchange&i=86400&p=period&f=d,c,h,l,o,v with ticker
    // and exchange percent-encoded.
    static std::string makeQueryUrl(const std::string& baseUrl, const std::string& ticker,
                                    const std::string& exchange, const std::string& period);
    // The valid bars of a response later than lastStoredTime, ascending;
    // null when there are none.
    static QxObjectSmartPtr<QxPriceHistory> parsePrices(const char* text, std::size_t length, int64_t lastStoredTime);
};
