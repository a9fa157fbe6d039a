// The price-line reader behind CSV downloads and file imports.  The first
// byte picks the column layout, the date order and whether a header line is
// skipped; the rest is the file.
#include "FuzzSupport.h"

#include "core/QxAsciiParser.h"
#include "core/QxPriceHistory.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using Id = QxAsciiParser::QxAsciiFieldId;
    // Layouts the program and users set up, plus odd ones (no date, a
    // repeated column, an id past the known ones).
    static const std::vector<std::vector<Id>> layouts = {
        {Id::eDate, Id::eOpen, Id::eHigh, Id::eLow, Id::eClose, Id::eVolume},
        {Id::eDate, Id::eClose, Id::eHigh, Id::eLow, Id::eOpen, Id::eVolume},
        {Id::eSkip, Id::eDate, Id::eOpen, Id::eHigh, Id::eLow, Id::eClose, Id::eVolume, Id::eOpenInterest},
        {Id::eDate, Id::eNav},
        {Id::eDate, Id::eClose},
        {Id::eClose, Id::eClose, static_cast<Id>(42)},
        {},
    };
    if (size < 1)
        return 0;
    const uint8_t options = data[0];
    const auto& layout = layouts[(options & 0x07) % layouts.size()];
    const auto dateFormat = static_cast<Qx::QxDateFormat>((options >> 3) & 0x03); // 3 is unknown
    const bool skipFirst = options & 0x20;
    const auto type = static_cast<Qx::QxSecurityType>(1 + ((options >> 6) & 0x03));

    QxObjectSmartPtr<QxPriceHistory> history(new QxPriceHistory(type, Qx::eDaily));
    std::vector<unsigned> badLines;
    QxAsciiParser::parseAsciiStmForHistory(reinterpret_cast<const char*>(data + 1), static_cast<unsigned>(size - 1),
                                           layout.data(), static_cast<unsigned>(layout.size()), skipFirst,
                                           dateFormat, 50, badLines, history.get());
    return 0;
}
