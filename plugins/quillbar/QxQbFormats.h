#pragma once
// The bytes of a Quillbar folder: the index files MASTER, EMASTER and
// XMASTER, which list the securities, and the price files "F<n>.DAT" or
// "F<n>.MWD", which hold bars as Microsoft Binary Format singles.
//
// Everything here works on byte buffers the caller has read, so that damaged
// files can be thrown at it without a folder around them. All integers are
// little-endian; text fields end at their first zero byte or at the end of
// their record, whichever comes first.
#include "core/QxTime.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class QxPriceHistory;

namespace QxQb {

// Record layouts of the three index files; the header of each is one record long.
constexpr std::size_t kMasterRecordSize = 53;
constexpr std::size_t kEmasterRecordSize = 192;
constexpr std::size_t kXmasterRecordSize = 150;
constexpr std::size_t kPriceRecordSize = 28;

// The largest file worth reading of each kind: the header and as many
// records as its count field can name.
constexpr std::size_t kMasterMaxBytes = kMasterRecordSize * (1 + 32767);
constexpr std::size_t kEmasterMaxBytes = kEmasterRecordSize * (1 + 65535);
constexpr std::size_t kXmasterMaxBytes = kXmasterRecordSize * (1 + 65535);
constexpr std::size_t kPriceFileMaxBytes = kPriceRecordSize * (1 + 65535);

// One security as an index file lists it; texts are UTF-8.
struct IndexRecord {
    std::string symbol;
    std::string name;
    unsigned fileNumber = 0;
    char periodLetter = 0;
};

// Each parser appends the records that are complete, up to the header's
// count, and returns 0; eUnknownError (68) when the buffer is shorter than
// the header.
int parseMaster(const uint8_t* data, std::size_t size, std::vector<IndexRecord>& out);
int parseEmaster(const uint8_t* data, std::size_t size, std::vector<IndexRecord>& out);
int parseXmaster(const uint8_t* data, std::size_t size, std::vector<IndexRecord>& out);

// A price file as a daily-style history of security type 1 with the given
// period: one bar per record that holds a calendar date, in ascending time,
// a date given twice keeping its later record. Null when the buffer is
// shorter than the 28-byte header. The history has a count of 0.
QxPriceHistory* parsePriceFile(const uint8_t* data, std::size_t size, Qx::QxPeriod period);

// The value of four MBF single-precision bytes. An exponent byte of 0 means
// zero in MBF whatever the mantissa; 1 lies below the smallest normal float
// and is taken as zero too.
float mbfToIeee(const uint8_t bytes[4]);

// The packed timestamp (00:00:00) of a price file's date number, read as
// YYMMDD, CYYMMDD (years below 1000 count from 1900) or YYYYMMDD after
// rounding to the nearest integer; 0 when it names no calendar date.
int64_t dateNumberToTimestamp(double dateNumber);

// The bar length of a periodicity letter: I minute, W week, M month,
// Q quarter, Y year, anything else a day.
Qx::QxPeriod periodFromLetter(char letter);

// The name of the price file of a file number: "F<n>.DAT" up to 255,
// "F<n>.MWD" above.
std::string priceFileName(unsigned fileNumber);

// 8-bit text of an unknown code page, read as Latin-1, as UTF-8.
std::string latin1ToUtf8(const uint8_t* text, std::size_t length);

} // namespace QxQb
