// A CSV response of the Yahoo price service as the download thread hands
// it over.
#include "FuzzSupport.h"

#include "plugins/webproviders/QxYahooDataDownloader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QxObjectSmartPtr<QxPriceHistory> history =
        QxYahooDataDownloader::parsePrices(reinterpret_cast<const char*>(data), size);
    if (history)
        QxWebDataDownloader::sortBarsAscending(*history);
    return 0;
}
