// The index files of a Quillbar folder: the same bytes read as MASTER,
// EMASTER and XMASTER, and each record's price-file name and bar length.
#include "FuzzSupport.h"

#include "plugins/quillbar/QxQbFormats.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using Parser = int (*)(const uint8_t*, std::size_t, std::vector<QxQb::IndexRecord>&);
    for (Parser parse : {Parser(QxQb::parseMaster), Parser(QxQb::parseEmaster), Parser(QxQb::parseXmaster)}) {
        std::vector<QxQb::IndexRecord> records;
        parse(data, size, records);
        for (const QxQb::IndexRecord& record : records) {
            (void)QxQb::priceFileName(record.fileNumber);
            (void)QxQb::periodFromLetter(record.periodLetter);
        }
    }
    return 0;
}
