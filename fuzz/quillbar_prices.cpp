// A Quillbar price file ("F<n>.DAT" or "F<n>.MWD"). The first byte is the
// periodicity letter of the index record that names it; the rest is the
// file, read into a history and that history turned into weekly bars as a
// chart of it would.
#include "FuzzSupport.h"

#include "core/QxPriceHistory.h"
#include "plugins/quillbar/QxQbFormats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const Qx::QxPeriod period = QxQb::periodFromLetter(static_cast<char>(data[0]));
    QxObjectSmartPtr<QxPriceHistory> history(QxQb::parsePriceFile(data + 1, size - 1, period));
    if (!history)
        return 0;
    // A new history (or null) for a longer period; the history itself for its own.
    if (QxPriceHistory* weekly = history->transform(Qx::eWeekly); weekly && weekly != history.get())
        QxObjectSmartPtr<QxPriceHistory> held(weekly);
    return 0;
}
