// The two price protocols without a network: request addresses (period
// rules, index exchange codes, date parameters, percent-encoding) and the
// parsing of answers.
#include "core/platform/QxServiceAddress.h"
#include "plugins/webproviders/QxGoogleDataDownloader.h"
#include "plugins/webproviders/QxYahooDataDownloader.h"

#include "support/WebProviderTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using wptest::MemCategory;

namespace {

int64_t day(int d, int m, int y) { return makeTimestamp(uint8_t(d), m, uint16_t(y)); }

struct Bar {
    int64_t time;
    double close;
};

std::vector<Bar> barsOf(const QxPriceHistory* h)
{
    std::vector<Bar> out;
    if (!h)
        return out;
    for (unsigned i = 0; i < h->numBars(); ++i)
        out.push_back({h->timestamp()[i], h->close()[i]});
    return out;
}

std::string describe(const std::vector<Bar>& bars)
{
    std::string s;
    for (const Bar& b : bars)
        s += std::to_string(b.time / 1000000000) + "=" + std::to_string(int(b.close)) + " ";
    return s;
}

} // namespace

TEST(GoogleQuery, PeriodCoversTheDaysSinceTheLastBar)
{
    const wxDateTime today(5, wxDateTime::Mar, 2014);
    const struct {
        int64_t last;
        const char* period;
    } cases[] = {
        {day(23, 2, 2014), "10d"},                  // weeks fold into days
        {day(12, 2, 2014), "21d"},
        {day(4, 3, 2014), "1d"},
        {day(4, 3, 2014) + 153000000, "1d"},        // the time of day does not count
        {day(5, 2, 2014), "2M"},
        {day(5, 1, 2014), "3M"},                    // exactly two months
        {day(5, 3, 2013), "2Y"},
        {day(5, 1, 2013), "2Y"},                    // one year and two months
        {day(5, 3, 1964), "40Y"},                   // capped
        {0, "40Y"},                                 // nothing stored
        {day(5, 3, 2014), ""},                      // up to date
        {day(6, 3, 2014), ""},                      // later than today
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.last);
        EXPECT_EQ(QxGoogleDataDownloader::queryPeriod(c.last, today), c.period);
    }
}

TEST(GoogleQuery, IndexCategoriesSendTheServiceIndexCode)
{
    const struct {
        const char* category;
        const char* code;
    } cases[] = {
        {"US.NASDAQ.INDEX", "INDEXNASDAQ"}, {"US.NASDAQ.STOCK", "NASDAQ"},
        {"US.DJX.INDEX", "INDEXDJX"},       {"IN.BOM.INDEX", "INDEXBOM"},
        {"HK.HANGSENG.INDEX", "INDEXHANGSENG"}, {"JP.NIKKEI.INDEX", "INDEXNIKKEI"},
        {"GB.FTSE.INDEX", "INDEXFTSE"},     {"US.NYSE.INDEX", "NYSE"}, // not in the table
        {"GB.FTSE.ETF", "FTSE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.category);
        QxObjectSmartPtr<MemCategory> category(new MemCategory(1, nullptr, c.category, "Google"));
        EXPECT_EQ(googleExchangeCode(category.get()), c.code);
    }
    EXPECT_EQ(googleExchangeCode(nullptr), "");
}

TEST(GoogleQuery, UrlCarriesEncodedTickerAndExchange)
{
    EXPECT_EQ(QxGoogleDataDownloader::makeQueryUrl("http://h/finance/getprices", "BRK.B", "NYSE", "10d"),
              "http://h/finance/getprices?q=BRK.B&x=NYSE&i=86400&p=10d&f=d,c,h,l,o,v");
    EXPECT_EQ(QxGoogleDataDownloader::makeQueryUrl("http://h/g", "M&M x", "BOM=1#", "2Y"),
              "http://h/g?q=M%26M%20x&x=BOM%3D1%23&i=86400&p=2Y&f=d,c,h,l,o,v");

    QxServiceAddress::set(QxGoogleDataDownloader::serviceName, "http://127.0.0.1:9/");
    QxObjectSmartPtr<MemCategory> category(new MemCategory(1, nullptr, "US.NASDAQ.INDEX", "Google"));
    QxObjectSmartPtr<wptest::MemSecurity> security(new wptest::MemSecurity(
        7, nullptr, {"", ".IXIC", category.get(), false, true, true, true}));
    QxGoogleDataDownloader provider(QxWebProviderPaths{wxString(TestSupport::makeTempDir("u")), wxString(TestSupport::makeTempDir("p"))});
    EXPECT_EQ(provider.buildQueryUrl(security.get(), 0),
              "http://127.0.0.1:9/finance/getprices?q=.IXIC&x=INDEXNASDAQ&i=86400&p=40Y&f=d,c,h,l,o,v");
    EXPECT_EQ(provider.buildQueryUrl(security.get(), wptest::daysAgo(0)), "");
    QxServiceAddress::set(QxGoogleDataDownloader::serviceName, "");
}

TEST(YahooQuery, DatesRunFromTheDayAfterTheLastBarToToday)
{
    const struct {
        int64_t last;
        int64_t end;
        const char* query;
    } cases[] = {
        {day(31, 1, 2014), day(5, 3, 2014), "a=1&b=1&c=2014&d=2&e=5&f=2014"},
        {day(31, 12, 2013), day(2, 1, 2014), "a=0&b=1&c=2014&d=0&e=2&f=2014"},
        {day(28, 2, 2012), day(1, 3, 2012), "a=1&b=29&c=2012&d=2&e=1&f=2012"},
        {0, day(5, 3, 2014), "a=0&b=2&c=1970&d=2&e=5&f=2014"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        const int64_t start = QxYahooDataDownloader::addDateSpan(c.last, wxDateSpan::Day());
        EXPECT_EQ(QxYahooDataDownloader::makeQueryUrl("http://h/table.csv", "IBM", start, c.end),
                  std::string("http://h/table.csv?s=IBM&") + c.query + "&g=d&ignore=.csv");
    }
    EXPECT_EQ(QxYahooDataDownloader::makeQueryUrl("http://h/table.csv", "^GSPC", day(1, 1, 2014), day(2, 1, 2014)),
              "http://h/table.csv?s=%5EGSPC&a=0&b=1&c=2014&d=0&e=2&f=2014&g=d&ignore=.csv");
}

// ---------------------------------------------------------------------------

namespace {

const char* const kGoogleHead = "EXCHANGE%3DNASDAQ\nMARKET_OPEN_MINUTE=570\nMARKET_CLOSE_MINUTE=960\n"
                                "INTERVAL=86400\nCOLUMNS=DATE,CLOSE,HIGH,LOW,OPEN,VOLUME\nDATA=\n";
// 2014-01-03 21:00 UTC and 2014-01-10 21:00 UTC.
const char* const kJan3 = "a1388782800";
const char* const kJan10 = "a1389387600";

} // namespace

TEST(GoogleParse, RowsBecomeDailyBars)
{
    const std::string head = std::string(kGoogleHead) + "TIMEZONE_OFFSET=-300\n";
    const struct {
        const char* name;
        std::string body;
        int64_t lastStored;
        std::vector<Bar> expected;
    } cases[] = {
        {"offset rows count days after the base row",
         head + kJan3 + ",10,11,9,10,100\n1,11,12,10,11,100\n2,12,13,11,12,100\n5,15,16,14,15,100\n",
         0,
         {{day(3, 1, 2014), 10}, {day(4, 1, 2014), 11}, {day(5, 1, 2014), 12}, {day(8, 1, 2014), 15}}},
        {"invalid bars are dropped, their neighbours kept",
         head + kJan3 + ",10,11,9,10,100\n1,11,9,12,11,100\n2,12,13,11,0,100\n3,-13,14,12,13,100\n"
                        "4,14,15,13,14,0\n",
         0,
         {{day(3, 1, 2014), 10}, {day(7, 1, 2014), 14}}},
        {"a second base row restarts the offsets",
         head + kJan3 + ",10,11,9,10,100\n1,11,12,10,11,100\n" + kJan10 + ",20,21,19,20,100\n1,21,22,20,21,100\n",
         0,
         {{day(3, 1, 2014), 10}, {day(4, 1, 2014), 11}, {day(10, 1, 2014), 20}, {day(11, 1, 2014), 21}}},
        {"bars on or before the last stored one are not stored again",
         head + kJan3 + ",10,11,9,10,100\n1,11,12,10,11,100\n2,12,13,11,12,100\n",
         day(4, 1, 2014),
         {{day(5, 1, 2014), 12}}},
        {"newest first comes out ascending, a repeated day once",
         head + kJan3 + ",10,11,9,10,100\n3,13,14,12,13,100\n2,12,13,11,12,100\n1,11,12,10,11,100\n"
                        "2,99,99,98,99,100\n",
         0,
         {{day(3, 1, 2014), 10}, {day(4, 1, 2014), 11}, {day(5, 1, 2014), 12}, {day(6, 1, 2014), 13}}},
        {"a header line inside the data keeps the rows after it",
         head + kJan3 + ",10,11,9,10,100\n1,11,12,10,11,100\nTIMEZONE_OFFSET=-240\n2,12,13,11,12,100\n",
         0,
         {{day(3, 1, 2014), 10}, {day(4, 1, 2014), 11}, {day(5, 1, 2014), 12}}},
        {"an unreadable row is passed over alone",
         head + kJan3 + ",10,11,9,10,100\n1,,,,,\n2,x,y,z,w,v\n3,13,14,12,13,100\n",
         0,
         {{day(3, 1, 2014), 10}, {day(6, 1, 2014), 13}}},
        {"a base row without five values passes its offset rows over",
         head + "a1388782800,10,11\n1,11,12,10,11,100\n" + kJan10 + ",20,21,19,20,100\n",
         0,
         {{day(10, 1, 2014), 20}}},
        {"rows before the time-zone header are not data",
         std::string(kGoogleHead) + kJan3 + ",10,11,9,10,100\nTIMEZONE_OFFSET=0\n" + kJan10 + ",20,21,19,20,100\n",
         0,
         {{day(10, 1, 2014), 20}}},
        {"no time-zone header: nothing", std::string(kGoogleHead) + kJan3 + ",10,11,9,10,100\n", 0, {}},
        {"an unreadable time-zone header: nothing",
         std::string(kGoogleHead) + "TIMEZONE_OFFSET=x\n" + kJan3 + ",10,11,9,10,100\n", 0, {}},
        {"garbage", "<html><body>502 Bad Gateway</body></html>", 0, {}},
        {"nothing but headers", head, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QxObjectSmartPtr<QxPriceHistory> h =
            QxGoogleDataDownloader::parsePrices(c.body.c_str(), c.body.size(), c.lastStored);
        const std::vector<Bar> got = barsOf(h.get());
        EXPECT_EQ(describe(got), describe(c.expected));
        if (c.expected.empty()) {
            EXPECT_EQ(h.get(), nullptr);
        }
    }
}

TEST(GoogleParse, ColumnsAndTimeZoneOffset)
{
    // Columns: close, high, low, open, volume.
    const std::string body =
        std::string(kGoogleHead) + "TIMEZONE_OFFSET=-300\n" + kJan3 + ",540.98,545.9,539.5,544.32,2420101\n";
    QxObjectSmartPtr<QxPriceHistory> h = QxGoogleDataDownloader::parsePrices(body.c_str(), body.size(), 0);
    ASSERT_TRUE(h);
    ASSERT_EQ(h->numBars(), 1u);
    EXPECT_EQ(h->getSecurityType(), Qx::eStock);
    EXPECT_EQ(h->getPeriod(), Qx::eDaily);
    EXPECT_EQ(h->timestamp()[0], day(3, 1, 2014));
    EXPECT_DOUBLE_EQ(h->close()[0], 540.98);
    EXPECT_DOUBLE_EQ(h->high()[0], 545.9);
    EXPECT_DOUBLE_EQ(h->low()[0], 539.5);
    EXPECT_DOUBLE_EQ(h->open()[0], 544.32);
    EXPECT_DOUBLE_EQ(h->volume()[0], 2420101);

    // The offset shifts the Unix time before its date is taken.
    const struct {
        const char* offset;
        const char* base;
        int64_t date;
    } shifts[] = {
        {"-300", "a1388782800", day(3, 1, 2014)},  // 21:00 UTC
        {"10800", "a1388786400", day(4, 1, 2014)}, // 22:00 UTC, three hours east
        {"-3600", "a1388709000", day(2, 1, 2014)}, // 00:30 UTC, an hour west
        {"0", "a1388709000", day(3, 1, 2014)},
    };
    for (const auto& s : shifts) {
        SCOPED_TRACE(s.offset);
        const std::string b = std::string("TIMEZONE_OFFSET=") + s.offset + "\n" + s.base + ",10,11,9,10,1\n";
        QxObjectSmartPtr<QxPriceHistory> one = QxGoogleDataDownloader::parsePrices(b.c_str(), b.size(), 0);
        ASSERT_TRUE(one);
        EXPECT_EQ(one->timestamp()[0], s.date);
    }
}

TEST(YahooParse, CsvLinesBecomeAscendingBars)
{
    const std::string header = "Date,Open,High,Low,Close,Volume,Adj Close\n";
    const struct {
        const char* name;
        std::string body;
        std::vector<Bar> expected;
    } cases[] = {
        {"newest first comes out ascending",
         header + "2014-03-05,11,13,10,12,700,12\n2014-03-04,10,12,9,11,600,11\n2014-03-03,9,11,8,10,500,10\n",
         {{day(3, 3, 2014), 10}, {day(4, 3, 2014), 11}, {day(5, 3, 2014), 12}}},
        {"a repeated date is stored once",
         header + "2014-03-04,10,12,9,11,600,11\n2014-03-04,10,12,9,99,600,11\n2014-03-03,9,11,8,10,500,10\n",
         {{day(3, 3, 2014), 10}, {day(4, 3, 2014), 11}}},
        {"invalid bars are skipped",
         header + "2014-03-05,11,9,10,12,700,12\n2014-03-04,10,12,9,11,600,11\n2014-03-03,0,11,8,10,500,10\n",
         {{day(4, 3, 2014), 11}}},
        {"the sixth bad line ends the reading",
         header + "2014-03-10,10,12,9,20,1,1\nbad\n2014-13-01,1,2,1,1,1,1\n2014-03-07,10,12,9,17,1,1\n"
                  "x,y\n2014-03-06,10,9,12,1,1,1\n2014-03-05,a,b,c,d,e,f\n2014-02-30,1,2,1,1,1,1\n2014-03-03,10,12,9,13,1,1\n",
         {{day(7, 3, 2014), 17}, {day(10, 3, 2014), 20}}},
        {"only the header", header, {}},
        {"an error page", "<html><body>Not Found</body></html>\n", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QxObjectSmartPtr<QxPriceHistory> h = QxYahooDataDownloader::parsePrices(c.body.c_str(), c.body.size());
        EXPECT_EQ(describe(barsOf(h.get())), describe(c.expected));
        if (c.expected.empty()) {
            EXPECT_EQ(h.get(), nullptr);
        }
    }
}

TEST(YahooParse, ValuesTakeTheirColumns)
{
    const std::string body = "Date,Open,High,Low,Close,Volume,Adj Close\n2014-03-05,531.0,538.5,529.1,536.6,7341500,512.2\n";
    QxObjectSmartPtr<QxPriceHistory> h = QxYahooDataDownloader::parsePrices(body.c_str(), body.size());
    ASSERT_TRUE(h);
    ASSERT_EQ(h->numBars(), 1u);
    EXPECT_EQ(h->timestamp()[0], day(5, 3, 2014));
    EXPECT_DOUBLE_EQ(h->open()[0], 531.0);
    EXPECT_DOUBLE_EQ(h->high()[0], 538.5);
    EXPECT_DOUBLE_EQ(h->low()[0], 529.1);
    EXPECT_DOUBLE_EQ(h->close()[0], 536.6);
    EXPECT_DOUBLE_EQ(h->volume()[0], 7341500);
}
