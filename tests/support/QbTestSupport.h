#pragma once
// A small writer of Quillbar folders for the reader's tests: index files and
// price files built from plain values, with the damage a test asks for.
#include "core/QxObject.h"
#include "core/QxPriceHistory.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace qbtest {

// The four MBF bytes of a float (written the other way round from the
// reader; the reader's own tests check it against values worked out by hand).
inline std::string mbf(float value)
{
    if (value == 0.0f)
        return std::string(4, '\0');
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const uint32_t sign = bits >> 31;
    const uint32_t exponent = ((bits >> 23) & 0xFF) + 2;
    std::string out(4, '\0');
    out[0] = char(bits & 0xFF);
    out[1] = char((bits >> 8) & 0xFF);
    out[2] = char(((bits >> 16) & 0x7F) | (sign << 7));
    out[3] = char(exponent);
    return out;
}

inline void put16(std::string& bytes, std::size_t at, unsigned value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char((value >> 8) & 0xFF);
}

inline void putText(std::string& bytes, std::size_t at, const std::string& text)
{
    bytes.replace(at, text.size(), text);
}

struct Entry {
    std::string symbol;
    std::string name;
    unsigned file = 0;
    char letter = 'D';
};

// MASTER keeps texts in blank-padded fields (name 16, symbol 14 bytes).
inline std::string masterBytes(const std::vector<Entry>& entries, int count = -1)
{
    std::string bytes(53 * (entries.size() + 1), '\0');
    put16(bytes, 0, unsigned(count < 0 ? int(entries.size()) : count));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t r = 53 * (i + 1);
        bytes[r] = char(entries[i].file & 0xFF);
        putText(bytes, r + 7, (entries[i].name + std::string(16, ' ')).substr(0, 16));
        bytes[r + 33] = entries[i].letter;
        putText(bytes, r + 36, (entries[i].symbol + std::string(14, ' ')).substr(0, 14));
    }
    return bytes;
}

inline std::string emasterBytes(const std::vector<Entry>& entries, int count = -1)
{
    std::string bytes(192 * (entries.size() + 1), '\0');
    put16(bytes, 0, unsigned(count < 0 ? int(entries.size()) : count));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t r = 192 * (i + 1);
        bytes[r + 2] = char(entries[i].file & 0xFF);
        putText(bytes, r + 11, entries[i].symbol);
        putText(bytes, r + 32, entries[i].name);
        bytes[r + 60] = entries[i].letter;
    }
    return bytes;
}

inline std::string xmasterBytes(const std::vector<Entry>& entries, int count = -1)
{
    std::string bytes(150 * (entries.size() + 1), '\0');
    put16(bytes, 10, unsigned(count < 0 ? int(entries.size()) : count));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t r = 150 * (i + 1);
        putText(bytes, r + 1, entries[i].symbol);
        putText(bytes, r + 16, entries[i].name);
        bytes[r + 62] = entries[i].letter;
        put16(bytes, r + 65, entries[i].file);
    }
    return bytes;
}

struct Bar {
    float date; // YYMMDD, CYYMMDD or YYYYMMDD
    float open, high, low, close, volume;
};

// A price file whose header names count records (default: as many as given).
inline std::string priceBytes(const std::vector<Bar>& bars, int count = -1)
{
    std::string bytes(28, '\0');
    put16(bytes, 2, unsigned(count < 0 ? int(bars.size()) : count));
    for (const Bar& b : bars)
        bytes += mbf(b.date) + mbf(b.open) + mbf(b.high) + mbf(b.low) + mbf(b.close) + mbf(b.volume) + mbf(0);
    return bytes;
}

inline void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

// n daily bars from 1-Jan-2001 on (CYYMMDD dates, days 1 to 28 of each
// month), bar i closing at base + i.
inline std::vector<Bar> dailyBars(int n, float base = 10.0f)
{
    std::vector<Bar> bars;
    for (int i = 0; i < n; ++i) {
        const int month = 1 + (i / 28) % 12;
        const int day = 1 + i % 28;
        const int year = 101 + i / (28 * 12);
        const float date = float(year * 10000 + month * 100 + day);
        const float close = base + float(i);
        bars.push_back({date, close - 0.5f, close + 1.0f, close - 1.0f, close, 1000.0f + float(i)});
    }
    return bars;
}

inline std::vector<int64_t> times(const QxPriceHistory* h)
{
    return h ? std::vector<int64_t>(h->timestamp(), h->timestamp() + h->numBars()) : std::vector<int64_t>();
}

inline std::vector<double> closes(const QxPriceHistory* h)
{
    return h ? std::vector<double>(h->close(), h->close() + h->numBars()) : std::vector<double>();
}

} // namespace qbtest
