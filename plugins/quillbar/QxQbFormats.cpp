#include "plugins/quillbar/QxQbFormats.h"

#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace QxQb {

namespace {

uint16_t readU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

// The text at offset of a record: up to the first zero byte, never past the
// record's end.
std::string textField(const uint8_t* record, std::size_t recordSize, std::size_t offset, bool trimBlanks)
{
    if (offset >= recordSize)
        return std::string();
    const uint8_t* start = record + offset;
    const std::size_t room = recordSize - offset;
    const void* zero = std::memchr(start, 0, room);
    std::size_t length = zero ? static_cast<std::size_t>(static_cast<const uint8_t*>(zero) - start) : room;
    if (trimBlanks)
        while (length > 0 && start[length - 1] == ' ')
            --length;
    return latin1ToUtf8(start, length);
}

// Where each index file keeps its fields.
struct IndexLayout {
    std::size_t recordSize;
    std::size_t countOffset;
    bool countIsSigned;
    std::size_t symbolOffset;
    std::size_t nameOffset;
    std::size_t letterOffset;
    std::size_t fileNumberOffset;
    bool fileNumberIsWord; // 16 bits; otherwise one byte
    bool trimBlanks;
};

const IndexLayout kMaster{kMasterRecordSize, 0, true, 36, 7, 33, 0, false, true};
const IndexLayout kEmaster{kEmasterRecordSize, 0, false, 11, 32, 60, 2, false, false};
const IndexLayout kXmaster{kXmasterRecordSize, 10, false, 1, 16, 62, 65, true, false};

int parseIndex(const IndexLayout& layout, const uint8_t* data, std::size_t size, std::vector<IndexRecord>& out)
{
    if (!data || size < layout.recordSize)
        return eUnknownError;
    const uint16_t raw = readU16(data + layout.countOffset);
    long count = layout.countIsSigned ? static_cast<int16_t>(raw) : static_cast<long>(raw);
    const std::size_t present = size / layout.recordSize - 1;
    if (count > static_cast<long>(present))
        count = static_cast<long>(present);
    for (long i = 0; i < count; ++i) {
        const uint8_t* record = data + layout.recordSize * static_cast<std::size_t>(i + 1);
        IndexRecord entry;
        entry.symbol = textField(record, layout.recordSize, layout.symbolOffset, layout.trimBlanks);
        entry.name = textField(record, layout.recordSize, layout.nameOffset, layout.trimBlanks);
        entry.periodLetter = static_cast<char>(record[layout.letterOffset]);
        entry.fileNumber =
            layout.fileNumberIsWord ? readU16(record + layout.fileNumberOffset) : record[layout.fileNumberOffset];
        out.push_back(std::move(entry));
    }
    return eNoError;
}

} // namespace

int parseMaster(const uint8_t* data, std::size_t size, std::vector<IndexRecord>& out)
{
    return parseIndex(kMaster, data, size, out);
}

int parseEmaster(const uint8_t* data, std::size_t size, std::vector<IndexRecord>& out)
{
    return parseIndex(kEmaster, data, size, out);
}

int parseXmaster(const uint8_t* data, std::size_t size, std::vector<IndexRecord>& out)
{
    return parseIndex(kXmaster, data, size, out);
}

float mbfToIeee(const uint8_t bytes[4])
{
    const uint8_t exponent = bytes[3];
    if (exponent <= 1)
        return 0.0f;
    // MBF keeps the exponent (bias 129) in a byte of its own and the sign
    // beside the mantissa; IEEE (bias 127) wants sign, exponent, mantissa.
    const uint32_t e = static_cast<uint32_t>(exponent - 2);
    const uint32_t sign = bytes[2] & 0x80u;
    const uint32_t bits = ((sign | (e >> 1)) << 24) | ((e & 1u) << 23) | (uint32_t(bytes[2] & 0x7Fu) << 16) |
                          (uint32_t(bytes[1]) << 8) | bytes[0];
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

int64_t dateNumberToTimestamp(double dateNumber)
{
    // Checked before converting: a damaged value may not fit an integer.
    if (!(dateNumber >= 0.0 && dateNumber < 100000000.0))
        return 0;
    const long d = static_cast<long>(dateNumber + 0.5);
    const long day = d % 100;
    const long month = (d % 10000) / 100;
    long year = d / 10000;
    if (year < 1000)
        year += 1900;
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return 0;
    const int64_t ts = makeTimestamp(static_cast<uint8_t>(day), static_cast<int32_t>(month),
                                     static_cast<uint16_t>(year));
    return isValidTimestamp(ts) ? ts : 0;
}

QxPriceHistory* parsePriceFile(const uint8_t* data, std::size_t size, Qx::QxPeriod period)
{
    if (!data || size < kPriceRecordSize)
        return nullptr;
    std::size_t count = readU16(data + 2);
    count = std::min(count, size / kPriceRecordSize - 1);

    auto* history = new QxPriceHistory(Qx::eStock, period);
    history->resize(static_cast<unsigned>(count));
    int64_t* time = history->timestamp();
    double* open = history->open();
    double* high = history->high();
    double* low = history->low();
    double* close = history->close();
    double* volume = history->volume();
    std::size_t n = 0;
    bool ascending = true;
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t* record = data + kPriceRecordSize * (i + 1);
        const int64_t t = dateNumberToTimestamp(mbfToIeee(record));
        if (t == 0)
            continue; // no date, no place in time for the bar
        ascending = ascending && (n == 0 || t > time[n - 1]);
        time[n] = t;
        open[n] = mbfToIeee(record + 4);
        high[n] = mbfToIeee(record + 8);
        low[n] = mbfToIeee(record + 12);
        close[n] = mbfToIeee(record + 16);
        volume[n] = mbfToIeee(record + 20);
        ++n;
    }
    if (!ascending) {
        // Histories run forwards in time with one bar per time; files
        // written out of order, or intraday files holding several records
        // of one date, keep each date's last record.
        std::vector<std::size_t> order(n);
        for (std::size_t i = 0; i < n; ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(), [time](std::size_t a, std::size_t b) { return time[a] < time[b]; });
        std::vector<std::size_t> kept;
        kept.reserve(n);
        for (std::size_t i : order) {
            if (!kept.empty() && time[kept.back()] == time[i])
                kept.back() = i;
            else
                kept.push_back(i);
        }
        for (double* column : {open, high, low, close, volume}) {
            std::vector<double> values(kept.size());
            for (std::size_t k = 0; k < kept.size(); ++k)
                values[k] = column[kept[k]];
            std::copy(values.begin(), values.end(), column);
        }
        std::vector<int64_t> times(kept.size());
        for (std::size_t k = 0; k < kept.size(); ++k)
            times[k] = time[kept[k]];
        std::copy(times.begin(), times.end(), time);
        n = kept.size();
    }
    history->resize(static_cast<unsigned>(n));
    return history;
}

Qx::QxPeriod periodFromLetter(char letter)
{
    switch (letter) {
    case 'I':
        return Qx::eOneMinute;
    case 'W':
        return Qx::eWeekly;
    case 'M':
        return Qx::eMonthly;
    case 'Q':
        return Qx::eQuarterly;
    case 'Y':
        return Qx::eYearly;
    default:
        return Qx::eDaily;
    }
}

std::string priceFileName(unsigned fileNumber)
{
    return "F" + std::to_string(fileNumber) + (fileNumber <= 255 ? ".DAT" : ".MWD");
}

std::string latin1ToUtf8(const uint8_t* text, std::size_t length)
{
    std::string out;
    out.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        const uint8_t c = text[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace QxQb
