// Portfolios and watchlists without a window: first-in-first-out matching,
// the texts of the value columns, the sort rules, and the two files.
#include "securities/QxPortfolioFiles.h"
#include "securities/QxPortfolioValues.h"

#include "core/QxCategory.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurityKey.h"
#include "core/QxUserNotice.h"

#include "support/SecuritiesTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/filename.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using sectest::readFile;
using sectest::writeFile;

constexpr int64_t kDay1 = 20240102000000000LL;
constexpr int64_t kDay2 = 20240103000000000LL;
constexpr int64_t kDay3 = 20240104000000000LL;

QxTransaction tx(double quantity, double price, int64_t time = kDay1, double load = 0)
{
    return QxTransaction{price, time, quantity, load};
}

using TestSupport::CommaLocale;

// A history database with a category "US.TEST.STOCK" of the provider "Yahoo!"
// holding AAA and BBB.
class PortfolioFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = sectest::newDatabase("portfolio-files");
        ASSERT_TRUE(db);
        category = db->createCategory("US.TEST.STOCK", "Yahoo!");
        ASSERT_TRUE(category);
        aaa = category->addSecurity("AAA", "Alpha");
        bbb = category->addSecurity("BBB", "Beta");
        ASSERT_TRUE(aaa && bbb);
        dir = TestSupport::makeTempDir("portfolio-files");
    }
    wxString path(const char* name) const { return wxString::FromUTF8(dir + "/" + name); }

    QxObjectSmartPtr<QxDatabase> db;
    QxObjectSmartPtr<QxCategory> category;
    QxObjectSmartPtr<QxSecurity> aaa, bbb;
    std::string dir;
};

} // namespace

TEST(PortfolioFifo, OpenLotsQuantitiesAndCosts)
{
    struct Case {
        const char* name;
        std::vector<QxTransaction> added; // in the order they are added
        double openQuantity, openCost, averagePrice;
        std::vector<double> openParts; // per transaction, in vector order
    };
    const Case cases[] = {
        {"a sell closes the first buy and part of the second",
         {tx(100, 10, kDay1), tx(50, 12, kDay2), tx(-120, 15, kDay3)},
         30, 360, 12, {0, 30, 0}},
        {"a sell without an earlier buy opens a short lot",
         {tx(-10, 5, kDay1), tx(4, 6, kDay2)},
         -6, -30, 5, {-6, 0}},
        {"equal times keep the order they were added in",
         {tx(-10, 9, kDay2), tx(10, 1, kDay1), tx(10, 2, kDay1)},
         10, 20, 2, {0, 10, 0}},
        {"a remainder below 1e-5 is closed, in the matching and in what is open",
         {tx(10, 1, kDay1), tx(-9.999996, 1, kDay2), tx(-5, 3, kDay3)},
         -5, -15, 3, {0, 0, -5}},
        {"a buy closes short lots oldest first",
         {tx(-5, 10, kDay1), tx(-5, 20, kDay2), tx(7, 15, kDay3)},
         -3, -60, 20, {0, -3, 0}},
        {"buys and sells that cancel leave nothing open",
         {tx(3, 10, kDay1), tx(-3, 12, kDay2)},
         0, 0, 0, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QxPosition position(nullptr, "k");
        for (const QxTransaction& t : c.added)
            position.addTransaction(t);
        EXPECT_NEAR(position.openQuantity(), c.openQuantity, 1e-9);
        EXPECT_NEAR(position.openCost(), c.openCost, 1e-9);
        EXPECT_NEAR(position.averagePrice(), c.averagePrice, 1e-9);
        ASSERT_EQ(position.transactions().size(), c.openParts.size());
        for (size_t i = 0; i < c.openParts.size(); ++i)
            EXPECT_NEAR(position.openQuantityOf(i), c.openParts[i], 1e-9) << "transaction " << i;
    }
}

TEST(PortfolioFifo, RemovingRecomputesAndAnIndexOutOfRangeChangesNothing)
{
    QxPosition position(nullptr, "k");
    position.addTransaction(tx(100, 10, kDay1));
    position.addTransaction(tx(50, 12, kDay2));
    position.addTransaction(tx(-120, 15, kDay3));
    ASSERT_DOUBLE_EQ(position.openCost(), 360);
    const std::vector<QxTransaction> before = position.transactions();
    position.removeTransaction(5);
    EXPECT_EQ(position.transactions(), before);
    EXPECT_DOUBLE_EQ(position.openCost(), 360);
    position.removeTransaction(0); // the sell now closes 50 and opens a short lot of 70
    EXPECT_DOUBLE_EQ(position.openQuantity(), -70);
    EXPECT_DOUBLE_EQ(position.openCost(), -70 * 15);
    EXPECT_DOUBLE_EQ(position.openQuantityOf(0), 0);
}

TEST(PortfolioValues, RowTextsOfPositionsLotsAndWatchItems)
{
    auto history = [](std::vector<double> closes, Qx::QxSecurityType type = Qx::eStock) {
        QxObjectSmartPtr<QxPriceHistory> h(new QxPriceHistory(type, Qx::eDaily));
        h->resize(static_cast<unsigned>(closes.size()));
        for (size_t i = 0; i < closes.size(); ++i) {
            h->timestamp()[i] = kDay1 + static_cast<int64_t>(i) * 1000000000LL;
            (type == Qx::eFund ? h->nav() : h->close())[i] = closes[i];
        }
        return qxClosesOf(h.get());
    };
    struct Case {
        const char* name;
        std::vector<QxTransaction> transactions;
        QxCloses closes;
        QxPositionTexts expected; // column 0 is never set
    };
    const Case cases[] = {
        {"ten bought at 20, last close 25 after 24",
         {tx(10, 20)}, history({24, 25}),
         {"", "25.0000", "1.0000", "4.17%", "20.0000", "10.0000", "200.00", "250.00", "50.00", "25.00%"}},
        {"a short position that gained",
         {tx(-10, 5)}, history({5, 4}),
         {"", "4.0000", "-1.0000", "-20.00%", "5.0000", "-10.0000", "-50.00", "-40.00", "10.00", "20.00%"}},
        {"one bar: no change, but a value",
         {tx(10, 20)}, history({25}),
         {"", "", "", "", "20.0000", "10.0000", "200.00", "250.00", "50.00", "25.00%"}},
        {"no history: no value either",
         {tx(10, 20)}, qxClosesOf(nullptr),
         {"", "", "", "", "20.0000", "10.0000", "200.00", "-", "-", "-"}},
        {"a previous close of 0 hides the change",
         {tx(10, 20)}, history({0, 25}),
         {"", "", "", "", "20.0000", "10.0000", "200.00", "250.00", "50.00", "25.00%"}},
        {"a fund is valued at its net asset value",
         {tx(10, 20)}, history({20, 22}, Qx::eFund),
         {"", "22.0000", "2.0000", "10.00%", "20.0000", "10.0000", "200.00", "220.00", "20.00", "10.00%"}},
        {"shares got for nothing have no %Gain",
         {tx(10, 0)}, history({25}),
         {"", "", "", "", "0.0000", "10.0000", "0.00", "250.00", "250.00", "-"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QxPosition position(nullptr, "k");
        for (const QxTransaction& t : c.transactions)
            position.addTransaction(t);
        EXPECT_EQ(qxPositionRowTexts(position, c.closes), c.expected);
        EXPECT_EQ(qxLotRowTexts(c.transactions[0], position.openQuantityOf(0), c.closes), c.expected)
            << "a single lot shows what its position shows";
    }

    QxWatchItem item{nullptr, kDay1, 20};
    QxWatchTexts watch;
    ASSERT_TRUE(qxWatchRowTexts(item, history({24, 25}), watch));
    EXPECT_EQ(watch, (QxWatchTexts{"", "25.0000", "1.0000", "4.17%", formatTimestamp(kDay1, "%x"), "20.0000",
                                   "5.0000", "25.00%"}));
    item.price = 0;
    ASSERT_TRUE(qxWatchRowTexts(item, history({24, 25}), watch));
    EXPECT_EQ(watch[5] + watch[6] + watch[7], "---") << "a start price of 0";
    EXPECT_FALSE(qxWatchRowTexts(item, qxClosesOf(nullptr), watch)) << "no history sets nothing";

    QxPortfolio empty("P");
    const auto none = [](QxSecurity*) { return QxCloses(); };
    EXPECT_EQ(qxPortfolioListTexts(empty, none), (std::array<wxString, 3>{"0.00", "0.00", "-"}));
    // The list row takes the last close from one bar on; a holding without
    // any price leaves the total unknown instead of -100%.
    QxPortfolio held("P");
    QxPosition& position = held.positions().emplace("k", QxPosition(nullptr, "k")).first->second;
    position.addTransaction(tx(10, 20));
    EXPECT_EQ(qxPortfolioListTexts(held, [&](QxSecurity*) { return history({25}); }),
              (std::array<wxString, 3>{"200.00", "250.00", "25.00%"}));
    EXPECT_EQ(qxPortfolioListTexts(held, none), (std::array<wxString, 3>{"200.00", "-", "-"}));
}

TEST(PortfolioValues, ConsolidatedStaysLastAndNumbersSortByValue)
{
    const std::vector<std::pair<wxString, bool>> rows = {
        {"12.50%", false}, {"-", true}, {"-3.00%", false}, {"100.00%", false}, {"-", false}};
    for (const bool ascending : {true, false}) {
        std::vector<std::pair<wxString, bool>> sorted = rows;
        std::stable_sort(sorted.begin(), sorted.end(), [&](const auto& a, const auto& b) {
            return qxComparePortfolioListRows(a.first, a.second, b.first, b.second, 3, ascending) < 0;
        });
        std::vector<wxString> texts;
        for (const auto& row : sorted)
            texts.push_back(row.first);
        EXPECT_TRUE(sorted.back().second) << "CONSOLIDATED last when ascending is " << ascending;
        if (ascending)
            EXPECT_EQ(texts, (std::vector<wxString>{"-3.00%", "-", "12.50%", "100.00%", "-"}));
        else
            EXPECT_EQ(texts, (std::vector<wxString>{"100.00%", "12.50%", "-", "-3.00%", "-"}));
    }
    EXPECT_GT(qxComparePortfolioListRows("b", false, "a", false, 0, true), 0);
    EXPECT_LT(qxComparePortfolioListRows("b", false, "a", false, 0, false), 0);
    EXPECT_GT(qxComparePortfolioListRows("a", true, "b", false, 0, false), 0);

    EXPECT_EQ(qxFitColumnWidths(550, 10), (std::vector<int>{100, 50, 50, 50, 50, 50, 50, 50, 50, 50}));
    EXPECT_EQ(qxFitColumnWidths(300, 4), (std::vector<int>{120, 60, 60, 60}));
    EXPECT_EQ(qxFitColumnWidths(200, 1), (std::vector<int>{200}));
    // Columns that need a width get it first; what is left is shared the
    // same way, and a control too narrow leaves each what it needs.
    EXPECT_EQ(qxFitColumnWidths(400, std::vector<int>{80, 70, 60, 70}), (std::vector<int>{128, 94, 84, 94}));
    EXPECT_EQ(qxFitColumnWidths(250, std::vector<int>{80, 70, 60, 70}), (std::vector<int>{80, 70, 60, 70}));
    EXPECT_EQ(qxFitColumnWidths(300, std::vector<int>{0, 0, 0, 0}), qxFitColumnWidths(300, 4));
}

TEST(PortfolioFileNumbers, WrittenWithAPointAndReadBackExactly)
{
    const std::pair<double, const char*> cases[] = {
        {1.5, "1.5000"}, {0, "0.0000"}, {-120, "-120.0000"}, {0.00004, "4e-05"}, {1.0 / 3, "0.3333333333333333"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(qxFileDoubleText(value), text);
        double back = -1;
        ASSERT_TRUE(qxParseFileDouble(text, &back)) << text;
        EXPECT_EQ(back, value) << text;
    }
    double value = 0;
    for (const char* bad : {"", "abc", "1.5x", "1,5"})
        EXPECT_FALSE(qxParseFileDouble(bad, &value)) << bad << " in the C locale";
    CommaLocale comma;
    if (!comma.ok())
        GTEST_SKIP() << "no German locale could be generated";
    EXPECT_EQ(qxFileDoubleText(1.5), "1.5000") << "a point under a comma locale too";
    ASSERT_TRUE(qxParseFileDouble("1,5000", &value));
    EXPECT_EQ(value, 1.5);
    ASSERT_TRUE(qxParseFileDouble("2.25", &value));
    EXPECT_EQ(value, 2.25) << "the C form is read first";
}

TEST_F(PortfolioFilesTest, PortfoliosAndWatchlistsSurviveARoundTripByteForByte)
{
    const std::string aaaKey = makeSecurityKey(aaa.get());
    ASSERT_EQ(aaaKey, "Yahoo!|US.TEST.STOCK|AAA");
    const std::string portfolios =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<portfolios>\n"
        "  <portfolio name=\"Pension &amp; Co\">\n"
        "    <position security=\"Yahoo!|US.TEST.STOCK|AAA\">\n"
        "      <transaction price=\"10.0000\" time=\"20240102000000000\" quantity=\"100.0000\" load=\"4e-05\"/>\n"
        "      <transaction price=\"12.0000\" time=\"20240102000000000\" quantity=\"50.0000\" load=\"0.0000\"/>\n"
        "      <transaction price=\"15.0000\" time=\"20240104000000000\" quantity=\"-120.0000\" load=\"1.2500\"/>\n"
        "    </position>\n"
        "    <position security=\"Yahoo!|Other|ZZZ\">\n"
        "      <transaction price=\"1.0000\" time=\"20240102000000000\" quantity=\"1.0000\" load=\"0.0000\"/>\n"
        "    </position>\n"
        "  </portfolio>\n"
        "  <portfolio name=\"Empty\"/>\n"
        "</portfolios>\n";
    const std::string watchlists =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<watchlists>\n"
        "  <watchlist name=\"Tech\">\n"
        "    <watchitem security=\"Yahoo!|US.TEST.STOCK|BBB\" time=\"20240103000000000\" price=\"0.3333333333333333\"/>\n"
        "    <watchitem security=\"Google|Gone|OLD\" time=\"20240103000000000\" price=\"7.0000\"/>\n"
        "  </watchlist>\n"
        "</watchlists>\n";
    writeFile(path("portfolios.xml"), portfolios);
    writeFile(path("watchlists.xml"), watchlists);

    QxListFileState ps, ws;
    auto loaded = qxLoadPortfolios(path("portfolios.xml"), db.get(), &ps);
    auto lists = qxLoadWatchlists(path("watchlists.xml"), db.get(), &ws);
    ASSERT_EQ(loaded.size(), 2u);
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(loaded[0]->name(), "Pension & Co");
    EXPECT_EQ(loaded[0]->numUnresolved(), 1u);
    const QxPosition* position = loaded[0]->getPosition(aaa.get(), false);
    ASSERT_NE(position, nullptr);
    ASSERT_EQ(position->transactions().size(), 3u);
    EXPECT_EQ(position->transactions()[0].price, 10) << "file order is kept among equal times";
    EXPECT_EQ(position->transactions()[0].load, 0.00004);
    EXPECT_DOUBLE_EQ(position->openCost(), 30 * 12);
    ASSERT_EQ(lists[0]->items().size(), 1u);
    EXPECT_EQ(lists[0]->items().begin()->second.price, 1.0 / 3);

    // Written again and again: the same bytes every time.
    for (int round = 0; round < 2; ++round) {
        EXPECT_TRUE(qxSavePortfolios(path("portfolios.xml"), {loaded[0].get(), loaded[1].get()}, ps));
        EXPECT_TRUE(qxSaveWatchlists(path("watchlists.xml"), {lists[0].get()}, ws));
        EXPECT_EQ(readFile(path("portfolios.xml")), portfolios);
        EXPECT_EQ(readFile(path("watchlists.xml")), watchlists);
        loaded = qxLoadPortfolios(path("portfolios.xml"), db.get(), &ps);
        lists = qxLoadWatchlists(path("watchlists.xml"), db.get(), &ws);
    }
}

TEST_F(PortfolioFilesTest, AFileWrittenUnderACommaLocaleReadsUnderC)
{
    QxObjectSmartPtr<QxPortfolio> portfolio(new QxPortfolio("P"));
    portfolio->getPosition(aaa.get(), true)->addTransaction(tx(2.5, 10.125, kDay1, 0.00004));
    QxObjectSmartPtr<QxWatchlist> watchlist(new QxWatchlist("W"));
    watchlist->setItem(QxWatchItem{bbb, kDay2, 3.75});
    {
        CommaLocale comma;
        if (!comma.ok())
            GTEST_SKIP() << "no German locale could be generated";
        ASSERT_TRUE(qxSavePortfolios(path("portfolios.xml"), {portfolio.get()}, QxListFileState()));
        ASSERT_TRUE(qxSaveWatchlists(path("watchlists.xml"), {watchlist.get()}, QxListFileState()));
    }
    EXPECT_EQ(readFile(path("portfolios.xml")).find(','), std::string::npos);
    const auto portfolios = qxLoadPortfolios(path("portfolios.xml"), db.get(), nullptr);
    const auto watchlists = qxLoadWatchlists(path("watchlists.xml"), db.get(), nullptr);
    ASSERT_EQ(portfolios.size(), 1u);
    const QxPosition* position = portfolios[0]->getPosition(aaa.get(), false);
    ASSERT_NE(position, nullptr);
    ASSERT_EQ(position->transactions().size(), 1u);
    EXPECT_EQ(position->transactions()[0], tx(2.5, 10.125, kDay1, 0.00004));
    ASSERT_EQ(watchlists.size(), 1u);
    ASSERT_EQ(watchlists[0]->items().size(), 1u);
    EXPECT_EQ(watchlists[0]->items().begin()->second.price, 3.75);
}

TEST_F(PortfolioFilesTest, AnOldCommaFileReadsAndBadTransactionsAreDroppedOneByOne)
{
    writeFile(path("portfolios.xml"),
              "<portfolios><portfolio name=\"Old\"><position security=\"Yahoo!|US.TEST.STOCK|AAA\">"
              "<transaction price=\"10,5000\" time=\"20240102000000000\" quantity=\"3,0000\" load=\"0,0000\"/>"
              "<transaction price=\"-1\" time=\"20240102000000000\" quantity=\"1\" load=\"0\"/>"
              "<transaction price=\"1\" time=\"20240102000000000\" quantity=\"0\" load=\"0\"/>"
              "<transaction price=\"1\" time=\"0\" quantity=\"1\" load=\"0\"/>"
              "<transaction price=\"1\" time=\"2024x\" quantity=\"1\" load=\"0\"/>"
              "<transaction price=\"nan\" time=\"20240102000000000\" quantity=\"1\" load=\"0\"/>"
              "<transaction price=\"1\" time=\"20240102000000000\" quantity=\"1\"/>"
              "<transaction price=\"2\" time=\"20240103000000000\" quantity=\"-1\" load=\"0.5\"/>"
              "</position></portfolio></portfolios>");
    CommaLocale comma;
    if (!comma.ok())
        GTEST_SKIP() << "no German locale could be generated";
    const auto portfolios = qxLoadPortfolios(path("portfolios.xml"), db.get(), nullptr);
    ASSERT_EQ(portfolios.size(), 1u);
    const QxPosition* position = portfolios[0]->getPosition(aaa.get(), false);
    ASSERT_NE(position, nullptr);
    EXPECT_EQ(position->transactions(),
              (std::vector<QxTransaction>{tx(3, 10.5, kDay1), tx(-1, 2, kDay2, 0.5)}));
}

TEST_F(PortfolioFilesTest, ADamagedFileIsSetAsideAndNeverWrittenOver)
{
    const std::string damaged = "<portfolios><portfolio name=\"P\"><position";
    writeFile(path("portfolios.xml"), damaged);
    QxListFileState state;
    EXPECT_TRUE(qxLoadPortfolios(path("portfolios.xml"), db.get(), &state).empty());
    ASSERT_FALSE(state.keptAside.empty());
    EXPECT_EQ(readFile(state.keptAside), damaged);
    EXPECT_TRUE(state.writable);
    QxPortfolio fresh("New");
    EXPECT_TRUE(qxSavePortfolios(path("portfolios.xml"), {&fresh}, state));
    EXPECT_EQ(readFile(state.keptAside), damaged);

    // A damaged file that cannot be moved stays and is not written.
    QxListFileState stuck;
    stuck.writable = false;
    writeFile(path("watchlists.xml"), damaged);
    EXPECT_FALSE(qxSaveWatchlists(path("watchlists.xml"), {}, stuck));
    EXPECT_EQ(readFile(path("watchlists.xml")), damaged);

    // Missing files give nothing and no message.
    QxListFileState missing;
    EXPECT_TRUE(qxLoadWatchlists(path("none.xml"), db.get(), &missing).empty());
    EXPECT_TRUE(missing.writable);
    EXPECT_TRUE(missing.keptAside.empty());
}

// Both files nested 200,000 levels deep where a scan of the text sees no
// nesting: no crash, the user is told, the file is kept aside as it was.
TEST_F(PortfolioFilesTest, HiddenDeepNestingIsRefusedAndKeptAside)
{
    std::vector<wxString> told;
    qxSetUserNoticeSink([&](const wxString& text) { told.push_back(text); });
    for (const char* root : {"portfolios", "watchlists"}) {
        for (const TestSupport::HiddenDeepXml& hostile : TestSupport::hiddenDeepXml(root)) {
            const wxString file = path(root) + ".xml";
            writeFile(file, hostile.text);
            told.clear();
            QxListFileState state;
            if (std::string(root) == "portfolios")
                EXPECT_TRUE(qxLoadPortfolios(file, db.get(), &state).empty());
            else
                EXPECT_TRUE(qxLoadWatchlists(file, db.get(), &state).empty());
            ASSERT_FALSE(state.keptAside.empty()) << root << ", " << hostile.kind;
            EXPECT_TRUE(readFile(state.keptAside) == hostile.text) << hostile.kind;
            ASSERT_EQ(told.size(), 1u);
            EXPECT_TRUE(told[0].Contains(state.keptAside)) << told[0];
            wxRemoveFile(state.keptAside);
        }
    }
    qxSetUserNoticeSink(nullptr);
}

// What the files hold of securities not in the database, kept as it was
// read, comes back the same on every save, text between its elements too.
TEST_F(PortfolioFilesTest, KeptElementsWithTextDoNotGrowFromSaveToSave)
{
    writeFile(path("portfolios.xml"),
              "<portfolios><portfolio name=\"P\"><position security=\"Yahoo!|Gone|OLD\"><note>bought on a tip</note>"
              "see the letter<transaction price=\"1\" time=\"20240102000000000\" quantity=\"1\" load=\"0\"/>end"
              "</position></portfolio></portfolios>");
    writeFile(path("watchlists.xml"),
              "<watchlists><watchlist name=\"W\"><watchitem security=\"Yahoo!|Gone|OLD\" time=\"20240102000000000\" "
              "price=\"1\">first<mark/>second<mark/></watchitem></watchlist></watchlists>");
    std::vector<std::string> portfolios, watchlists;
    for (int round = 0; round < 3; ++round) {
        QxListFileState ps, ws;
        const auto p = qxLoadPortfolios(path("portfolios.xml"), db.get(), &ps);
        const auto w = qxLoadWatchlists(path("watchlists.xml"), db.get(), &ws);
        ASSERT_EQ(p.size(), 1u);
        ASSERT_EQ(w.size(), 1u);
        ASSERT_TRUE(qxSavePortfolios(path("portfolios.xml"), {p[0].get()}, ps));
        ASSERT_TRUE(qxSaveWatchlists(path("watchlists.xml"), {w[0].get()}, ws));
        portfolios.push_back(readFile(path("portfolios.xml")));
        watchlists.push_back(readFile(path("watchlists.xml")));
    }
    EXPECT_NE(portfolios[0].find("see the letter"), std::string::npos) << portfolios[0];
    EXPECT_NE(watchlists[0].find("second"), std::string::npos) << watchlists[0];
    EXPECT_EQ(portfolios[1], portfolios[0]);
    EXPECT_EQ(portfolios[2], portfolios[0]);
    EXPECT_EQ(watchlists[1], watchlists[0]);
    EXPECT_EQ(watchlists[2], watchlists[0]);
}
