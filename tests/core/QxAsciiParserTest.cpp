#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "core/QxAsciiParser.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "support/TestSupport.h"
#include "PriceTestHelpers.h"

using PriceTest::packed;
using F = QxAsciiParser::QxAsciiFieldId;
using HistoryPtr = QxObjectSmartPtr<QxPriceHistory>;

namespace {

const std::vector<F> kOhlcv = {F::eDate, F::eOpen, F::eHigh, F::eLow, F::eClose, F::eVolume};

struct Expected {
    int64_t t;
    double o, h, l, c, v, oi, nav;
};

struct ParseResult {
    int rc = 0;
    HistoryPtr history;
    std::vector<unsigned> bad;
};

ParseResult parse(const std::string& text, const std::vector<F>& ids, Qx::QxSecurityType type = Qx::eStock,
                  bool skipFirst = false, Qx::QxDateFormat format = Qx::QxDateFormat::eYearMonthDay,
                  unsigned maxBad = 100)
{
    ParseResult r;
    r.history = new QxPriceHistory(type, Qx::eDaily);
    r.rc = QxAsciiParser::parseAsciiStmForHistory(text.data(), unsigned(text.size()), ids.data(),
                                                  unsigned(ids.size()), skipFirst, format, maxBad, r.bad,
                                                  r.history.get());
    return r;
}

void expectBars(const std::vector<Expected>& expected, const QxPriceHistory& h)
{
    ASSERT_EQ(expected.size(), h.numBars());
    for (unsigned i = 0; i < h.numBars(); ++i) {
        SCOPED_TRACE("bar " + std::to_string(i));
        QxQuote q;
        ASSERT_EQ(0, h.getQuote(i, q));
        EXPECT_EQ(expected[i].t, q.time);
        EXPECT_DOUBLE_EQ(expected[i].o, q.open);
        EXPECT_DOUBLE_EQ(expected[i].h, q.high);
        EXPECT_DOUBLE_EQ(expected[i].l, q.low);
        EXPECT_DOUBLE_EQ(expected[i].c, q.close);
        EXPECT_DOUBLE_EQ(expected[i].v, q.volume);
        EXPECT_DOUBLE_EQ(expected[i].oi, q.openInterest);
        EXPECT_DOUBLE_EQ(expected[i].nav, q.nav);
    }
}

const Expected kMarch7 = {packed(2014, 3, 7), 10, 11, 9.5, 10.5, 1200, 0, 0};

} // namespace

// Lines of a stock history with the columns date, open, high, low, close,
// volume and dates written year first unless a case says otherwise.
TEST(QxAsciiParser, AcceptsGoodLinesAndListsBadOnes)
{
    struct Case {
        const char* name;
        std::string text;
        bool skipFirst;
        Qx::QxDateFormat format;
        std::vector<Expected> bars;
        std::vector<unsigned> bad;
    };
    const auto ymd = Qx::QxDateFormat::eYearMonthDay;
    const Case cases[] = {
        {"header and one line", "Date,Open,High,Low,Close,Volume\n2014-03-07,10,11,9.5,10.5,1200\n", true, ymd,
         {kMarch7}, {}},
        {"header not skipped is a bad line", "Date,Open,High,Low,Close,Volume\n2014-03-07,10,11,9.5,10.5,1200",
         false, ymd, {kMarch7}, {1}},
        {"month first", "03/07/2014,10,11,9.5,10.5,1200\n", false, Qx::QxDateFormat::eMonthDayYear, {kMarch7}, {}},
        {"day first", "03/07/2014,10,11,9.5,10.5,1200\n", false, Qx::QxDateFormat::eDayMonthYear,
         {{packed(2014, 7, 3), 10, 11, 9.5, 10.5, 1200, 0, 0}}, {}},
        {"dotted day first", "07.03.2014,10,11,9.5,10.5,1200\n", false, Qx::QxDateFormat::eDayMonthYear,
         {kMarch7}, {}},
        {"high below low", "2014-03-07,10,9,11,10.5,1200\n2014-03-10,1,1,1,1,0\n", false, ymd,
         {{packed(2014, 3, 10), 1, 1, 1, 1, 0, 0, 0}}, {1}},
        {"zero or negative prices", "2014-03-07,0,11,9.5,10.5,1\n2014-03-07,10,11,-9.5,10.5,1\n", false, ymd, {},
         {1, 2}},
        {"volume may be anything", "2014-03-07,10,11,9.5,10.5,-3\n", false, ymd,
         {{packed(2014, 3, 7), 10, 11, 9.5, 10.5, -3, 0, 0}}, {}},
        {"blank lines count", "\n\n2014-03-07,10,11,9.5,10.5,1200\n\n \r\n2014-03-07,1,2,3,4,5\n", false, ymd,
         {kMarch7}, {6}},
        {"lines keep file order", "2014-03-10,1,1,1,1,1\n2014-03-07,10,11,9.5,10.5,1200\n", false, ymd,
         {{packed(2014, 3, 10), 1, 1, 1, 1, 1, 0, 0}, kMarch7}, {}},
        {"other separators and CRLF", "2014-03-07\t10  11|9.5, 10.5 1200\r\n", false, ymd, {kMarch7}, {}},
        {"byte-order mark", "\xEF\xBB\xBF" "2014-03-07,10,11,9.5,10.5,1200", false, ymd, {kMarch7}, {}},
        {"no final line feed", "2014-03-07,10,11,9.5,10.5,1200", false, ymd, {kMarch7}, {}},
        {"plus sign and exponent", "2014-03-07,+10,1.1e1,9.5,10.5,1.2E3\n", false, ymd, {kMarch7}, {}},
        {"unreadable numbers", "2014-03-07,abc,11,9.5,10.5,1\n2014-03-07,10,11,9.5,10.5,null\n"
                               "2014-03-07,nan,11,9.5,10.5,1\n2014-03-07,10,inf,9.5,10.5,1\n"
                               "2014-03-07,10,11,9.5,10.5.1,1\n2014-03-07,10,11,9.5,10.5,1200\n",
         false, ymd, {kMarch7}, {1, 2, 3, 4, 5}},
        {"missing volume reads as zero", "2014-03-07,10,11,9.5,10.5\n", false, ymd,
         {{packed(2014, 3, 7), 10, 11, 9.5, 10.5, 0, 0, 0}}, {}},
        {"short line does not borrow from the next", "2014-03-07,10,11\n2014-03-10,10,11,9.5,10.5,1200\n", false,
         ymd, {{packed(2014, 3, 10), 10, 11, 9.5, 10.5, 1200, 0, 0}}, {1}},
        {"empty field keeps the columns in place", "2014-03-07,10,12,,10,1200\n2014-03-07,10,11,9.5,10.5,\n",
         false, ymd, {{packed(2014, 3, 7), 10, 11, 9.5, 10.5, 0, 0, 0}}, {1}},
        {"extra columns ignored", "2014-03-07,10,11,9.5,10.5,1200,99,X\n", false, ymd, {kMarch7}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ParseResult r = parse(c.text, kOhlcv, Qx::eStock, c.skipFirst, c.format);
        EXPECT_EQ(0, r.rc);
        EXPECT_EQ(c.bad, r.bad);
        expectBars(c.bars, *r.history);
    }
}

TEST(QxAsciiParser, ImpossibleDatesAreBadLines)
{
    struct Case { const char* date; Qx::QxDateFormat format; int64_t time; };
    const auto ymd = Qx::QxDateFormat::eYearMonthDay;
    const Case cases[] = {
        {"2014-02-30", ymd, 0}, {"2014-13-01", ymd, 0}, {"2014-00-10", ymd, 0}, {"2014-04-31", ymd, 0},
        {"2013-02-29", ymd, 0}, {"1900-02-29", ymd, 0}, {"2014-03-00", ymd, 0}, {"0-03-07", ymd, 0},
        {"2014-03-07x", ymd, 0}, {"2014-03", ymd, 0}, {"20140307", ymd, 0}, {"2014--3-07", ymd, 0},
        {"12345678901-03-07", ymd, 0}, {"13/07/2014", Qx::QxDateFormat::eMonthDayYear, 0},
        {"31/04/2014", Qx::QxDateFormat::eDayMonthYear, 0},
        {"2012-02-29", ymd, packed(2012, 2, 29)}, {"2000-02-29", ymd, packed(2000, 2, 29)},
        {"1999-12-31", ymd, packed(1999, 12, 31)}, {"12/31/1999", Qx::QxDateFormat::eMonthDayYear, packed(1999, 12, 31)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        ParseResult r = parse(std::string(c.date) + ",10,11,9.5,10.5,1200\n", kOhlcv, Qx::eStock, false, c.format);
        EXPECT_EQ(0, r.rc);
        if (c.time == 0) {
            EXPECT_EQ(std::vector<unsigned>{1}, r.bad);
            EXPECT_EQ(0u, r.history->numBars());
        } else {
            EXPECT_TRUE(r.bad.empty());
            ASSERT_EQ(1u, r.history->numBars());
            EXPECT_EQ(c.time, r.history->timestamp()[0]);
        }
    }
}

TEST(QxAsciiParser, StopsAfterMoreBadLinesThanAllowed)
{
    // Lines 2, 3 and 5 are bad.
    const std::string text = "2014-03-03,1,1,1,1,1\n2014-02-30,1,1,1,1,1\nx\n"
                             "2014-03-05,1,1,1,1,1\n2014-03-06,1,0,1,1,1\n2014-03-07,1,1,1,1,1\n";
    struct Case { unsigned maxBad; std::vector<unsigned> bad; unsigned bars; };
    const Case cases[] = {{0, {2}, 1}, {1, {2, 3}, 1}, {2, {2, 3, 5}, 2}, {3, {2, 3, 5}, 3}, {UINT_MAX, {2, 3, 5}, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE("max " + std::to_string(c.maxBad));
        std::vector<unsigned> bad = {77, 78};
        HistoryPtr h(new QxPriceHistory(Qx::eStock, Qx::eDaily));
        EXPECT_EQ(0, QxAsciiParser::parseAsciiStmForHistory(text.data(), unsigned(text.size()), kOhlcv.data(), 6,
                                                            false, Qx::QxDateFormat::eYearMonthDay, c.maxBad, bad,
                                                            h.get()));
        EXPECT_EQ(c.bad, bad);
        EXPECT_EQ(c.bars, h->numBars());
        // The list grows with the bad lines found, not with the limit.
        EXPECT_LT(bad.capacity(), 64u);
    }
}

TEST(QxAsciiParser, FieldIdsSelectColumns)
{
    struct Case {
        const char* name;
        std::vector<F> ids;
        std::string line;
        Expected bar;
    };
    const Case cases[] = {
        {"skip passes over exactly one column", {F::eDate, F::eSkip, F::eOpen, F::eHigh, F::eLow, F::eClose},
         "2014-03-07,X,10,11,9.5,10.5", {packed(2014, 3, 7), 10, 11, 9.5, 10.5, 0, 0, 0}},
        {"unknown id passes over its column",
         {F::eDate, static_cast<F>(9), F::eOpen, F::eHigh, F::eLow, F::eClose},
         "2014-03-07,ZZZ,10,11,9.5,10.5", {packed(2014, 3, 7), 10, 11, 9.5, 10.5, 0, 0, 0}},
        {"columns in any order", {F::eClose, F::eVolume, F::eDate, F::eLow, F::eHigh, F::eOpen},
         "10.5 1200 2014-03-07 9.5 11 10", kMarch7},
        {"a stock keeps no open interest or nav",
         {F::eDate, F::eOpen, F::eHigh, F::eLow, F::eClose, F::eVolume, F::eOpenInterest, F::eNav},
         "2014-03-07,10,11,9.5,10.5,1200,5,6", kMarch7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ParseResult r = parse(c.line, c.ids);
        EXPECT_TRUE(r.bad.empty());
        expectBars({c.bar}, *r.history);
    }
}

TEST(QxAsciiParser, FillsTheColumnsOfFuturesOptionsAndFunds)
{
    const std::vector<F> full = {F::eDate, F::eOpen, F::eHigh, F::eLow, F::eClose, F::eVolume, F::eOpenInterest,
                                 F::eNav};
    const std::vector<F> noNav = {F::eDate, F::eOpen, F::eHigh, F::eLow, F::eClose, F::eVolume};
    const std::vector<F> navOnly = {F::eDate, F::eNav};
    const int64_t t = packed(2014, 3, 7);
    struct Case {
        const char* name;
        Qx::QxSecurityType type;
        std::vector<F> ids;
        std::string line;
        std::vector<Expected> bars;
    };
    const Case cases[] = {
        {"future with open interest", Qx::eFuture, full, "2014-03-07,10,11,9.5,10.5,1200,777,3",
         {{t, 10, 11, 9.5, 10.5, 1200, 777, 0}}},
        {"option with open interest", Qx::eOption, full, "2014-03-07,10,11,9.5,10.5,1200,778,3",
         {{t, 10, 11, 9.5, 10.5, 1200, 778, 0}}},
        {"future checks its prices", Qx::eFuture, full, "2014-03-07,10,9,9.5,10.5,1200,777,3", {}},
        {"fund from its nav column", Qx::eFund, full, "2014-03-07,10,11,9.5,10.5,1200,777,12.25",
         {{t, 0, 0, 0, 0, 0, 0, 12.25}}},
        {"fund from the close without a nav column", Qx::eFund, noNav, "2014-03-07,10,11,9.5,10.5,1200",
         {{t, 0, 0, 0, 0, 0, 0, 10.5}}},
        {"fund needs no valid open to low", Qx::eFund, noNav, "2014-03-07,0,1,2,10.5,1200",
         {{t, 0, 0, 0, 0, 0, 0, 10.5}}},
        {"fund with only date and nav", Qx::eFund, navOnly, "2014-03-07 8.5", {{t, 0, 0, 0, 0, 0, 0, 8.5}}},
        {"fund nav must be positive", Qx::eFund, navOnly, "2014-03-07 0", {}},
        {"fund without any value", Qx::eFund, {F::eDate, F::eVolume}, "2014-03-07 10", {}},
        {"fund with a bad date", Qx::eFund, navOnly, "2014-02-31 8.5", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ParseResult r = parse(c.line + "\n", c.ids, c.type);
        EXPECT_EQ(0, r.rc);
        EXPECT_EQ(c.bars.empty() ? std::vector<unsigned>{1} : std::vector<unsigned>{}, r.bad);
        expectBars(c.bars, *r.history);
    }
}

TEST(QxAsciiParser, RefusesWhatItCannotParseInto)
{
    const std::string text = "2014-03-07,10,11,9.5,10.5,1200\n";
    std::vector<unsigned> bad = {5};
    EXPECT_EQ(eInvalidInputObject,
              QxAsciiParser::parseAsciiStmForHistory(text.data(), unsigned(text.size()), kOhlcv.data(), 6, false,
                                                     Qx::QxDateFormat::eYearMonthDay, 5, bad, nullptr));
    EXPECT_TRUE(bad.empty());

    struct Case { const char* name; Qx::QxSecurityType type; const char* buffer; const F* ids; int format; int rc; };
    const Case cases[] = {
        {"unset type", static_cast<Qx::QxSecurityType>(0), text.data(), kOhlcv.data(), 2, eInvalidSecurityType},
        {"unknown type", static_cast<Qx::QxSecurityType>(7), text.data(), kOhlcv.data(), 2, eInvalidSecurityType},
        {"no buffer", Qx::eStock, nullptr, kOhlcv.data(), 2, eInvalidInput},
        {"no field ids", Qx::eStock, text.data(), nullptr, 2, eInvalidInput},
        {"unknown date format", Qx::eStock, text.data(), kOhlcv.data(), 3, eInvalidInput},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QxPriceHistory h(c.type, Qx::eDaily);
        EXPECT_EQ(c.rc, QxAsciiParser::parseAsciiStmForHistory(c.buffer, unsigned(text.size()), c.ids, 6, false,
                                                               static_cast<Qx::QxDateFormat>(c.format), 5, bad, &h));
        EXPECT_EQ(0u, h.numBars());
    }
}

TEST(QxAsciiParser, AppendsToBarsAlreadyHeld)
{
    QxPriceHistory h(Qx::eStock, Qx::eDaily);
    std::vector<unsigned> bad;
    const std::string first = "2014-03-06,1,2,0.5,1.5,10\n";
    const std::string second = "2014-03-07,10,11,9.5,10.5,1200\n";
    for (const std::string* text : {&first, &second})
        ASSERT_EQ(0, QxAsciiParser::parseAsciiStmForHistory(text->data(), unsigned(text->size()), kOhlcv.data(), 6,
                                                            false, Qx::QxDateFormat::eYearMonthDay, 0, bad, &h));
    EXPECT_GE(h.capacity(), 1000u);
    expectBars({{packed(2014, 3, 6), 1, 2, 0.5, 1.5, 10, 0, 0}, kMarch7}, h);
}

// The real daily histories: every line becomes a bar, in order, with the
// values of the text.
TEST(QxAsciiParser, ImportsRealDailyHistories)
{
    const std::vector<F> withAdj = {F::eDate, F::eOpen, F::eHigh, F::eLow, F::eClose, F::eSkip, F::eVolume};
    const std::vector<F> withOi = {F::eDate, F::eOpen, F::eHigh, F::eLow, F::eClose, F::eVolume, F::eOpenInterest};
    struct Case {
        const char* file;
        std::vector<F> ids;
        Qx::QxSecurityType type;
        int volumeColumn;
    };
    const Case cases[] = {
        {"ohlcv/orcl-1995-2014.csv", withAdj, Qx::eStock, 6},
        {"ohlcv/yhoo-1996-2014.csv", withAdj, Qx::eStock, 6},
        {"ohlcv/nvda-1999-2014.csv", withAdj, Qx::eStock, 6},
        {"ohlcv/2006-day-001-optix.csv", withOi, Qx::eFuture, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string text = TestSupport::fixtureText(c.file);
        ASSERT_FALSE(text.empty());
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);

        ParseResult r = parse(text, c.ids, c.type, true, Qx::QxDateFormat::eYearMonthDay, 0);
        EXPECT_EQ(0, r.rc);
        EXPECT_TRUE(r.bad.empty());
        const QxPriceHistory& h = *r.history;
        ASSERT_EQ(lines.size() - 1, h.numBars());
        for (unsigned i = 1; i < h.numBars(); ++i)
            ASSERT_LT(h.timestamp()[i - 1], h.timestamp()[i]) << "bar " << i;

        for (size_t lineIndex : {size_t(1), lines.size() / 2, lines.size() - 1}) {
            SCOPED_TRACE(lines[lineIndex]);
            std::vector<std::string> cols;
            std::istringstream ls(lines[lineIndex]);
            for (std::string col; std::getline(ls, col, ',');)
                cols.push_back(col);
            const unsigned i = unsigned(lineIndex - 1);
            const int y = std::atoi(cols[0].c_str()), m = std::atoi(cols[0].c_str() + 5),
                      d = std::atoi(cols[0].c_str() + 8);
            EXPECT_EQ(packed(y, m, d), h.timestamp()[i]);
            EXPECT_DOUBLE_EQ(std::strtod(cols[1].c_str(), nullptr), h.open()[i]);
            EXPECT_DOUBLE_EQ(std::strtod(cols[2].c_str(), nullptr), h.high()[i]);
            EXPECT_DOUBLE_EQ(std::strtod(cols[3].c_str(), nullptr), h.low()[i]);
            EXPECT_DOUBLE_EQ(std::strtod(cols[4].c_str(), nullptr), h.close()[i]);
            EXPECT_DOUBLE_EQ(std::strtod(cols[c.volumeColumn].c_str(), nullptr), h.volume()[i]);
            if (c.type == Qx::eFuture) {
                EXPECT_DOUBLE_EQ(std::strtod(cols[6].c_str(), nullptr), h.openInterest()[i]);
            }
        }
    }
}
