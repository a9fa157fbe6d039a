// The byte-level readers of a Quillbar folder: MBF numbers, date numbers,
// periodicity letters, index records and price files, on buffers.
#include "plugins/quillbar/QxQbFormats.h"

#include "support/QbTestSupport.h"

#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace QxQb;

namespace {

const uint8_t* u8(const std::string& bytes)
{
    return reinterpret_cast<const uint8_t*>(bytes.data());
}

} // namespace

TEST(QbFormats, MbfBytesDecodeToTheirValues)
{
    // MBF: exponent byte with bias 129 and the mantissa's leading 1 implied;
    // bit 7 of byte 2 is the sign.
    struct Case {
        uint8_t bytes[4];
        float value;
    };
    const Case cases[] = {
        {{0x00, 0x00, 0x00, 0x81}, 1.0f},        // 1.0 x 2^0
        {{0x00, 0x00, 0x80, 0x81}, -1.0f},       // the sign bit alone
        {{0x00, 0x00, 0x00, 0x80}, 0.5f},        // 2^-1
        {{0x00, 0x00, 0x20, 0x84}, 10.0f},       // 1.25 x 2^3
        {{0x00, 0x00, 0xC8, 0x87}, -100.0f},     // -1.5625 x 2^6
        {{0x00, 0x24, 0x74, 0x94}, 1000000.0f},  // 0xF4240: 1.1110100001001 x 2^19
        {{0x00, 0x00, 0x00, 0x00}, 0.0f},
        {{0x00, 0x00, 0x7F, 0x00}, 0.0f},        // exponent 0 is zero, mantissa or not
        {{0xFF, 0xFF, 0xFF, 0x00}, 0.0f},
        {{0x12, 0x34, 0x56, 0x01}, 0.0f},        // below the smallest float
        {{0x00, 0x00, 0x80, 0x01}, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << int(c.bytes[0]) << ' ' << int(c.bytes[1]) << ' '
                                        << int(c.bytes[2]) << ' ' << int(c.bytes[3]));
        const float got = mbfToIeee(c.bytes);
        EXPECT_TRUE(std::isfinite(got));
        EXPECT_EQ(got, c.value);
    }
}

TEST(QbFormats, DateNumbersBecomeMidnightTimestamps)
{
    struct Case {
        double number;
        int64_t timestamp;
    };
    const Case cases[] = {
        {990105, 19990105000000000LL},    // YYMMDD: 1900 + 99
        {1140627, 20140627000000000LL},   // CYYMMDD: 1900 + 114
        {20140628, 20140628000000000LL},  // YYYYMMDD keeps its year
        {1090302, 20090302000000000LL},
        {1140627.4, 20140627000000000LL}, // rounded to the nearest day number
        {1140626.6, 20140627000000000LL},
        {20000229, 20000229000000000LL},  // a leap day
        {1140000, 0},                     // month 0
        {1141301, 0},                     // month 13
        {1140132, 0},                     // day 32
        {1140230, 0},                     // 30 February
        {1140100, 0},                     // day 0
        {0, 0},
        {-990105, 0},
        {1e30, 0},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(dateNumberToTimestamp(c.number), c.timestamp);
    }
    // Through the four bytes a price file stores: 20140628 survives single
    // precision, the odd day next to it does not.
    const std::string even = qbtest::mbf(20140628.0f);
    EXPECT_EQ(dateNumberToTimestamp(mbfToIeee(u8(even))), 20140628000000000LL);
    const std::string odd = qbtest::mbf(20140627.0f);
    EXPECT_NE(dateNumberToTimestamp(mbfToIeee(u8(odd))), 20140627000000000LL);
}

TEST(QbFormats, PeriodLettersAndPriceFileNames)
{
    const std::pair<char, Qx::QxPeriod> letters[] = {
        {'I', Qx::QxPeriod(60)},      {'W', Qx::QxPeriod(432000)},  {'M', Qx::QxPeriod(2629800)},
        {'Q', Qx::QxPeriod(7889400)}, {'Y', Qx::QxPeriod(31557600)}, {'D', Qx::QxPeriod(86400)},
        {'w', Qx::QxPeriod(86400)},   {'\0', Qx::QxPeriod(86400)},   {'X', Qx::QxPeriod(86400)},
    };
    for (const auto& [letter, period] : letters)
        EXPECT_EQ(periodFromLetter(letter), period) << "letter " << int(letter);

    EXPECT_EQ(priceFileName(1), "F1.DAT");
    EXPECT_EQ(priceFileName(255), "F255.DAT");
    EXPECT_EQ(priceFileName(256), "F256.MWD");
    EXPECT_EQ(priceFileName(2853), "F2853.MWD");
}

TEST(QbFormats, IndexRecordsOfTheThreeFiles)
{
    const std::vector<qbtest::Entry> entries = {{"IBM", "INTL BUSINESS", 7, 'D'}, {"SPX", "S&P 500", 9, 'W'}};
    std::vector<IndexRecord> master, emaster, xmaster;
    const std::string m = qbtest::masterBytes(entries);
    const std::string e = qbtest::emasterBytes({{"IBM  ", " INTL BUSINESS  ", 7, 'D'}});
    const std::string x = qbtest::xmasterBytes({{"AZM.L", "AZIMUT", 300, 'M'}});
    EXPECT_EQ(parseMaster(u8(m), m.size(), master), 0);
    EXPECT_EQ(parseEmaster(u8(e), e.size(), emaster), 0);
    EXPECT_EQ(parseXmaster(u8(x), x.size(), xmaster), 0);

    ASSERT_EQ(master.size(), 2u);
    EXPECT_EQ(master[0].symbol, "IBM") << "MASTER's blank padding is removed";
    EXPECT_EQ(master[0].name, "INTL BUSINESS");
    EXPECT_EQ(master[0].fileNumber, 7u);
    EXPECT_EQ(master[1].periodLetter, 'W');
    ASSERT_EQ(emaster.size(), 1u);
    EXPECT_EQ(emaster[0].symbol, "IBM  ") << "EMASTER's texts are kept as they are";
    EXPECT_EQ(emaster[0].name, " INTL BUSINESS  ");
    ASSERT_EQ(xmaster.size(), 1u);
    EXPECT_EQ(xmaster[0].fileNumber, 300u) << "XMASTER's file numbers take 16 bits";
    EXPECT_EQ(xmaster[0].periodLetter, 'M');
}

TEST(QbFormats, DamagedIndexBuffersGiveWhatIsWhole)
{
    std::vector<IndexRecord> out;
    // A header cut short: nothing, and the failure code.
    const std::string m = qbtest::masterBytes({{"A", "a", 1}, {"B", "b", 2}, {"C", "c", 3}});
    EXPECT_EQ(parseMaster(u8(m), 52, out), eUnknownError);
    EXPECT_EQ(parseEmaster(nullptr, 0, out), eUnknownError);
    EXPECT_EQ(parseXmaster(u8(m), 149, out), eUnknownError);
    EXPECT_TRUE(out.empty());

    // A count beyond the records, and a last record cut off: the whole ones.
    const std::string many = qbtest::masterBytes({{"A", "a", 1}, {"B", "b", 2}, {"C", "c", 3}}, 200);
    EXPECT_EQ(parseMaster(u8(many), many.size() - 1, out), 0);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[1].symbol, "B");

    // A negative MASTER count lists nothing.
    out.clear();
    const std::string negative = qbtest::masterBytes({{"A", "a", 1}}, -2 & 0xFFFF);
    EXPECT_EQ(parseMaster(u8(negative), negative.size(), out), 0);
    EXPECT_TRUE(out.empty());

    // A text without its zero byte ends with its record (the buffer ends
    // there too, so reading on would leave it).
    std::string x = qbtest::xmasterBytes({{"", "", 5}});
    x.replace(150 + 16, 134, std::string(134, 'N'));
    out.clear();
    ASSERT_EQ(parseXmaster(u8(x), x.size(), out), 0);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].name, std::string(134, 'N'));
}

TEST(QbFormats, TextsAreReadAsLatin1)
{
    std::vector<IndexRecord> out;
    const std::string e = qbtest::emasterBytes({{"SOC\xC9T\xC9", "CAF\xC9 \xA3", 1}});
    ASSERT_EQ(parseEmaster(u8(e), e.size(), out), 0);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].symbol, "SOC\xC3\x89T\xC3\x89");
    EXPECT_EQ(out[0].name, "CAF\xC3\x89 \xC2\xA3");
    EXPECT_EQ(wxString::FromUTF8(out[0].name.c_str()), wxString(L"CAF\u00C9 \u00A3"));
}

TEST(QbFormats, PriceFilesGiveOneBarPerDateInTimeOrder)
{
    using qbtest::Bar;
    const std::vector<Bar> bars = {
        {1140103, 1, 2, 0.5f, 1.5f, 100},
        {1140102, 3, 4, 2.5f, 3.5f, 200},  // out of order
        {1140100, 9, 9, 9, 9, 9},          // no calendar date: skipped
        {1140103, 5, 6, 4.5f, 5.5f, 300},  // the same date again: this one counts
        {20140106, 7, 8, 6.5f, 7.5f, 400}, // a four-digit year
    };
    QxObjectSmartPtr<QxPriceHistory> h(parsePriceFile(u8(qbtest::priceBytes(bars)),
                                                      qbtest::priceBytes(bars).size(), Qx::eDaily));
    ASSERT_TRUE(h);
    EXPECT_EQ(h->getSecurityType(), Qx::eStock);
    EXPECT_EQ(h->getPeriod(), Qx::eDaily);
    EXPECT_EQ(qbtest::times(h.get()),
              (std::vector<int64_t>{20140102000000000LL, 20140103000000000LL, 20140106000000000LL}));
    EXPECT_EQ(qbtest::closes(h.get()), (std::vector<double>{3.5, 5.5, 7.5}));
    EXPECT_EQ(h->open()[1], 5.0);
    EXPECT_EQ(h->high()[1], 6.0);
    EXPECT_EQ(h->low()[1], 4.5);
    EXPECT_EQ(h->volume()[1], 300.0);

    // The header's count bounds the records read, and so does the buffer.
    const std::string four = qbtest::priceBytes(qbtest::dailyBars(4), 2);
    h = parsePriceFile(u8(four), four.size(), Qx::eWeekly);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->numBars(), 2u);
    EXPECT_EQ(h->getPeriod(), Qx::eWeekly);
    const std::string claimsMore = qbtest::priceBytes(qbtest::dailyBars(3), 500);
    h = parsePriceFile(u8(claimsMore), claimsMore.size() - 5, Qx::eDaily);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->numBars(), 2u);

    // Only a header: an empty history; less than a header: none.
    const std::string empty = qbtest::priceBytes({}, 0);
    h = parsePriceFile(u8(empty), empty.size(), Qx::eDaily);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->numBars(), 0u);
    EXPECT_FALSE(QxObjectSmartPtr<QxPriceHistory>(parsePriceFile(u8(empty), 27, Qx::eDaily)));
}
