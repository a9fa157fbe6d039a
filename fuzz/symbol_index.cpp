// A symbol-index file as it lies in the index folder: read, merged with a
// shipped list into a user copy, and that copy read again.
#include "FuzzSupport.h"

#include "plugins/webproviders/QxWebDataDownloader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const wxString user = FuzzSupport::scratchPath("US.FUZZ.STOCK.txt");
    const wxString shipped = FuzzSupport::scratchPath("shipped.txt");
    if (!FuzzSupport::writeFile(user, data, size))
        return 0;
    QxSymbolMap map;
    QxWebDataDownloader::readSymbolIndexFile(user, map);

    static const char shippedText[] = "AAA\tFirst A\nZZZ\tLast Z\n";
    FuzzSupport::writeFile(shipped, reinterpret_cast<const uint8_t*>(shippedText), sizeof shippedText - 1);
    QxWebDataDownloader::mergeSymbolIndexFiles(shipped, user);
    QxSymbolMap merged;
    QxWebDataDownloader::readSymbolIndexFile(user, merged);
    return 0;
}
