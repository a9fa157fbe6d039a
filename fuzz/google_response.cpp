// A response of the Google price service as the download thread hands it
// over, read for a security with nothing stored and then with a last bar.
#include "FuzzSupport.h"

#include "plugins/webproviders/QxGoogleDataDownloader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    QxObjectSmartPtr<QxPriceHistory> all = QxGoogleDataDownloader::parsePrices(text, size, 0);
    // 2010-01-04 as a packed timestamp cuts off older bars.
    QxObjectSmartPtr<QxPriceHistory> newer = QxGoogleDataDownloader::parsePrices(text, size, 1262563200);
    if (all)
        QxWebDataDownloader::sortBarsAscending(*all);
    return 0;
}
