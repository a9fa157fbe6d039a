// The portfolio manager's book without a window: list ids, names, the
// commands, CONSOLIDATED, the files, and securities resolved again from
// their keys against another database.
#include "securities/QxPortfolioBook.h"
#include "securities/QxPortfolioValues.h"

#include "core/QxCategory.h"
#include "core/QxSecurityKey.h"
#include "core/QxUserNotice.h"

#include "support/SecuritiesTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

using sectest::readFile;
using sectest::writeFile;

constexpr int64_t kDay1 = 20240102000000000LL;
constexpr int64_t kDay2 = 20240103000000000LL;
constexpr int64_t kDay3 = 20240104000000000LL;

QxTransaction tx(double quantity, double price, int64_t time = kDay1)
{
    return QxTransaction{price, time, quantity, 0};
}

std::string transactionXml(double price, int64_t time, double quantity)
{
    return "<transaction price=\"" + std::to_string(price) + "\" time=\"" + std::to_string(time) +
           "\" quantity=\"" + std::to_string(quantity) + "\" load=\"0\"/>";
}

std::vector<wxString> namesOf(const QxPortfolioBook::PortfolioMap& portfolios)
{
    std::vector<wxString> names;
    for (const auto& [id, p] : portfolios)
        names.push_back(wxString::Format("%d:", id) + p->name());
    return names;
}

// What is open of a portfolio's position of key: (quantity, cost); nothing
// when it has no such position.
std::pair<double, double> openOf(const QxPortfolio& portfolio, const std::string& key)
{
    const auto it = portfolio.positions().find(key);
    if (it == portfolio.positions().end())
        return {0, 0};
    return {it->second.openQuantity(), it->second.openCost()};
}

QxDatabase* databaseOf(const QxSecurity* security)
{
    return security && security->category() ? security->category()->database() : nullptr;
}

// Two history databases: A holds AAA and BBB, B only AAA, both in the
// category "US.TEST.STOCK" of "Yahoo!", so AAA has the same key in both.
class PortfolioBookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (auto* db : {&dbA, &dbB}) {
            *db = sectest::newDatabase("portfolio-book");
            ASSERT_TRUE(*db);
        }
        QxObjectSmartPtr<QxCategory> a(dbA->createCategory("US.TEST.STOCK", "Yahoo!"));
        QxObjectSmartPtr<QxCategory> b(dbB->createCategory("US.TEST.STOCK", "Yahoo!"));
        aaa = a->addSecurity("AAA", "Alpha");
        bbb = a->addSecurity("BBB", "Beta");
        aaaInB = b->addSecurity("AAA", "Alpha");
        ASSERT_TRUE(aaa && bbb && aaaInB);
        const std::string dir = TestSupport::makeTempDir("portfolio-book");
        portfoliosPath = wxString::FromUTF8(dir + "/portfolios.xml");
        watchlistsPath = wxString::FromUTF8(dir + "/watchlists.xml");
    }

    QxObjectSmartPtr<QxDatabase> dbA, dbB;
    QxObjectSmartPtr<QxSecurity> aaa, bbb, aaaInB;
    wxString portfoliosPath, watchlistsPath;
    const std::string aaaKey = "Yahoo!|US.TEST.STOCK|AAA";
    const std::string bbbKey = "Yahoo!|US.TEST.STOCK|BBB";
};

} // namespace

TEST_F(PortfolioBookTest, ListsGetIdsAndNamesAndTheCommandsKeepConsolidatedInStep)
{
    writeFile(portfoliosPath, "<portfolios><portfolio name=\"Income\"><position security=\"" + aaaKey + "\">" +
                                  transactionXml(10, kDay1, 5) + "</position></portfolio>"
                                  "<portfolio><position security=\"" + aaaKey + "\">" + transactionXml(1, kDay1, 1) +
                                  "</position></portfolio><portfolio name=\"Growth\"/></portfolios>");
    writeFile(watchlistsPath, "<watchlists><watchlist name=\"Tech\"/></watchlists>");
    QxPortfolioBook book(portfoliosPath, watchlistsPath);
    book.load(dbA.get());
    EXPECT_EQ(namesOf(book.portfolios()), (std::vector<wxString>{"1:Income", "2:Growth"}))
        << "ids in file order; a portfolio without a name is not listed";
    ASSERT_EQ(book.watchlists().size(), 1u);
    EXPECT_EQ(book.watchlist(1)->name(), "Tech");
    EXPECT_EQ(book.portfolio(QxPortfolioBook::kConsolidatedId)->name(), "CONSOLIDATED");
    EXPECT_DOUBLE_EQ(openOf(book.consolidated(), aaaKey).first, 5) << "the unlisted one is not in it";

    EXPECT_EQ(book.addPortfolio(), 3);
    EXPECT_EQ(book.portfolio(3)->name(), "Portfolio1");
    EXPECT_EQ(book.portfolio(book.addPortfolio())->name(), "Portfolio2");
    EXPECT_EQ(book.watchlist(book.addWatchlist())->name(), "Watchlist1");
    for (const char* refused : {"growth", "consolidated", "", "  ", "Portfolio2"})
        EXPECT_FALSE(book.renamePortfolio(3, refused)) << refused;
    EXPECT_FALSE(book.renamePortfolio(QxPortfolioBook::kConsolidatedId, "Mine"));
    EXPECT_FALSE(book.renameWatchlist(2, "TECH"));
    EXPECT_TRUE(book.renamePortfolio(3, "Retirement"));
    EXPECT_TRUE(book.renamePortfolio(3, "retirement")) << "its own name in other letters";

    EXPECT_FALSE(book.addTransaction(QxPortfolioBook::kConsolidatedId, aaa.get(), tx(1, 10)))
        << "CONSOLIDATED is never changed directly";
    EXPECT_FALSE(book.addTransaction(3, nullptr, tx(1, 10)));
    ASSERT_TRUE(book.addTransaction(3, aaa.get(), tx(2, 12, kDay2)));
    EXPECT_DOUBLE_EQ(openOf(book.consolidated(), aaaKey).first, 7);
    EXPECT_FALSE(book.removeTransaction(3, aaaKey, 1)) << "index out of range";
    EXPECT_FALSE(book.removeTransaction(3, bbbKey, 0)) << "no such position";
    ASSERT_TRUE(book.removeTransaction(3, aaaKey, 0));
    EXPECT_DOUBLE_EQ(openOf(book.consolidated(), aaaKey).first, 5);
    ASSERT_TRUE(book.addTransaction(3, bbb.get(), tx(4, 20, kDay3)));
    EXPECT_TRUE(book.removePortfolio(1));
    EXPECT_FALSE(book.removePortfolio(1));
    EXPECT_FALSE(book.removePortfolio(QxPortfolioBook::kConsolidatedId));
    EXPECT_DOUBLE_EQ(openOf(book.consolidated(), aaaKey).first, 0) << "Income's lot left with it";
    EXPECT_DOUBLE_EQ(openOf(book.consolidated(), bbbKey).first, 4);

    EXPECT_TRUE(book.setWatchItem(1, QxWatchItem{aaa, kDay1, 9.5}));
    EXPECT_FALSE(book.setWatchItem(1, QxWatchItem{nullptr, kDay1, 9.5}));
    EXPECT_FALSE(book.removeWatchItem(1, bbbKey));
    EXPECT_TRUE(book.removeWatchItem(1, aaaKey));
    EXPECT_TRUE(book.setWatchItem(2, QxWatchItem{bbb, kDay2, 3}));
    EXPECT_TRUE(book.removeWatchlist(1));

    // What was written is read back the same, the unlisted portfolio too.
    ASSERT_TRUE(book.savePortfolios());
    ASSERT_TRUE(book.saveWatchlists());
    const std::string portfolios = readFile(portfoliosPath);
    QxPortfolioBook again(portfoliosPath, watchlistsPath);
    again.load(dbA.get());
    EXPECT_EQ(namesOf(again.portfolios()),
              (std::vector<wxString>{"1:Growth", "2:retirement", "3:Portfolio2"}));
    EXPECT_EQ(again.watchlist(1)->name(), "Watchlist1");
    ASSERT_TRUE(again.savePortfolios());
    EXPECT_EQ(readFile(portfoliosPath), portfolios);
    EXPECT_NE(portfolios.find("<portfolio name=\"\">"), std::string::npos) << portfolios;
}

TEST_F(PortfolioBookTest, EverySecurityIsResolvedAgainFromItsKeyAgainstAnotherDatabase)
{
    writeFile(portfoliosPath, "<portfolios><portfolio name=\"P\"><position security=\"" + aaaKey + "\">" +
                                  transactionXml(10, kDay1, 5) + "</position><position security=\"" + bbbKey +
                                  "\">" + transactionXml(20, kDay1, 3) + "</position></portfolio></portfolios>");
    writeFile(watchlistsPath, "<watchlists><watchlist name=\"W\"><watchitem security=\"" + aaaKey +
                                  "\" time=\"20240102000000000\" price=\"7\"/><watchitem security=\"" + bbbKey +
                                  "\" time=\"20240102000000000\" price=\"8\"/></watchlist></watchlists>");
    QxPortfolioBook book(portfoliosPath, watchlistsPath);
    book.load(dbA.get());
    ASSERT_TRUE(book.savePortfolios());
    ASSERT_TRUE(book.saveWatchlists());
    const std::string portfolios = readFile(portfoliosPath);
    const std::string watchlists = readFile(watchlistsPath);

    book.rebind(dbB.get());
    const QxPortfolio* p = book.portfolio(1);
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(p->positions().size(), 1u) << "BBB is not in B";
    EXPECT_EQ(p->numUnresolved(), 1u);
    EXPECT_EQ(databaseOf(p->positions().at(aaaKey).security()), dbB.get());
    EXPECT_EQ(databaseOf(book.consolidated().positions().at(aaaKey).security()), dbB.get());
    EXPECT_EQ(book.consolidated().positions().count(bbbKey), 0u);
    ASSERT_EQ(book.watchlist(1)->items().size(), 1u);
    EXPECT_EQ(databaseOf(book.watchlist(1)->items().at(aaaKey).security.get()), dbB.get());

    // Back over A, everything is there again and the files are unchanged.
    book.rebind(dbA.get());
    EXPECT_EQ(book.portfolio(1)->positions().size(), 2u);
    EXPECT_EQ(databaseOf(book.portfolio(1)->positions().at(bbbKey).security()), dbA.get());
    EXPECT_DOUBLE_EQ(openOf(book.consolidated(), bbbKey).first, 3);
    ASSERT_TRUE(book.savePortfolios());
    ASSERT_TRUE(book.saveWatchlists());
    EXPECT_EQ(readFile(portfoliosPath), portfolios);
    EXPECT_EQ(readFile(watchlistsPath), watchlists);
}

// Sequences of transactions in two portfolios against what is open of each,
// worked out by hand; CONSOLIDATED is their sum, and all of it reads back
// the same from the file.
TEST_F(PortfolioBookTest, EachPortfolioComputesItselfAndConsolidatedIsTheirSum)
{
    struct Entry {
        int portfolio; // 1 or 2
        QxTransaction transaction;
    };
    struct Open {
        double quantity, cost;
    };
    struct Case {
        const char* name;
        std::vector<Entry> entries; // all of AAA, in the order they are entered
        Open first, second;
        double last; // AAA's last close (the one before it is 1)
        std::array<wxString, 3> firstRow, consolidatedRow; // Investment, Value, %Gain of the list
    };
    const Case cases[] = {
        {"a sale in one portfolio never closes a lot of another",
         {{1, tx(10, 20, kDay2)}, {1, tx(-10, 25, kDay3)}, {2, tx(10, 10, kDay1)}},
         {0, 0}, {10, 100}, 25,
         {"0.00", "0.00", "-"}, {"100.00", "250.00", "150.00%"}},
        {"a long and a short in two portfolios add up",
         {{1, tx(10, 20, kDay1)}, {2, tx(-5, 30, kDay2)}},
         {10, 200}, {-5, -150}, 25,
         {"200.00", "250.00", "25.00%"}, {"50.00", "125.00", "150.00%"}},
        {"fractional sells that close everything leave nothing open",
         {{1, tx(0.1, 10, kDay1)}, {1, tx(0.2, 10, kDay1)}, {1, tx(-0.3, 12, kDay2)}},
         {0, 0}, {0, 0}, 25,
         {"0.00", "0.00", "-"}, {"0.00", "0.00", "-"}},
        {"what is open is the quantity minus the sum of its matches",
         {{1, tx(41, 0.5, kDay1)}, {1, tx(-10.1, 1, kDay2)}, {1, tx(-19.09, 1, kDay3)}},
         {41 - (10.1 + 19.09), (41 - (10.1 + 19.09)) * 0.5}, {0, 0}, 1,
         {"5.91", "11.81", "100.00%"}, {"5.91", "11.81", "100.00%"}},
        {"a short that gained has a positive %Gain",
         {{1, tx(-10, 5, kDay1)}},
         {-10, -50}, {0, 0}, 4,
         {"-50.00", "-40.00", "20.00%"}, {"-50.00", "-40.00", "20.00%"}},
        {"entries of one day match in the order they were entered",
         {{1, tx(5, 10, kDay1)}, {1, tx(-5, 11, kDay1)}, {1, tx(5, 12, kDay1)}, {2, tx(-2, 13, kDay1)}},
         {5, 60}, {-2, -26}, 25,
         {"60.00", "125.00", "108.33%"}, {"34.00", "75.00", "120.59%"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(portfoliosPath, "<portfolios><portfolio name=\"A\"/><portfolio name=\"B\"/></portfolios>");
        QxPortfolioBook book(portfoliosPath, watchlistsPath);
        book.load(dbA.get());
        for (const Entry& e : c.entries)
            ASSERT_TRUE(book.addTransaction(e.portfolio, aaa.get(), e.transaction));
        QxCloses closes;
        closes.bars = 2;
        closes.previous = 1;
        closes.last = c.last;
        const auto closesOf = [&closes](QxSecurity*) { return closes; };
        for (int round = 0; round < 2; ++round) {
            SCOPED_TRACE(round == 0 ? "as entered" : "read back from the file");
            EXPECT_EQ(openOf(*book.portfolio(1), aaaKey).first, c.first.quantity);
            EXPECT_EQ(openOf(*book.portfolio(1), aaaKey).second, c.first.cost);
            EXPECT_EQ(openOf(*book.portfolio(2), aaaKey).first, c.second.quantity);
            EXPECT_EQ(openOf(*book.portfolio(2), aaaKey).second, c.second.cost);
            EXPECT_DOUBLE_EQ(openOf(book.consolidated(), aaaKey).first, c.first.quantity + c.second.quantity);
            EXPECT_DOUBLE_EQ(openOf(book.consolidated(), aaaKey).second, c.first.cost + c.second.cost);
            EXPECT_EQ(qxPortfolioListTexts(*book.portfolio(1), closesOf), c.firstRow);
            EXPECT_EQ(qxPortfolioListTexts(book.consolidated(), closesOf), c.consolidatedRow);
            ASSERT_TRUE(book.savePortfolios());
            book.load(dbA.get());
        }
    }
}

namespace {

// What the program tells the user while it lives.
class ToldTexts {
public:
    ToldTexts() { qxSetUserNoticeSink([this](const wxString& text) { texts.push_back(text); }); }
    ~ToldTexts() { qxSetUserNoticeSink(nullptr); }
    std::vector<wxString> texts;
};

} // namespace

// Each change is written when it is made. A write that fails is told once,
// with the file and the reason; the change stays and the next one writes
// both.
TEST_F(PortfolioBookTest, EveryChangeIsWrittenAtOnceAndAFailedWriteIsToldAndTriedAgain)
{
    ToldTexts told;
    QxPortfolioBook book(portfoliosPath, watchlistsPath);
    book.load(dbA.get());
    const int id = book.addPortfolio();
    EXPECT_NE(readFile(portfoliosPath).find("<portfolio name=\"Portfolio1\"/>"), std::string::npos)
        << "written as it was made";
    ASSERT_TRUE(book.addTransaction(id, aaa.get(), tx(5, 10)));
    EXPECT_NE(readFile(portfoliosPath).find("quantity=\"5.0000\""), std::string::npos);
    book.setWatchItem(book.addWatchlist(), QxWatchItem{bbb, kDay1, 2});
    EXPECT_NE(readFile(watchlistsPath).find(bbbKey), std::string::npos);
    EXPECT_TRUE(told.texts.empty());

    // A folder where the file should be: nothing can be written there.
    const std::string before = readFile(portfoliosPath);
    wxRemoveFile(portfoliosPath);
    ASSERT_TRUE(wxMkdir(portfoliosPath));
    ASSERT_TRUE(book.renamePortfolio(id, "Pension"));
    ASSERT_EQ(told.texts.size(), 1u);
    EXPECT_NE(told.texts[0].Find(portfoliosPath), wxNOT_FOUND) << told.texts[0];
    EXPECT_NE(told.texts[0].Find("folder"), wxNOT_FOUND) << "the reason: " << told.texts[0];
    EXPECT_FALSE(book.portfoliosSaved());
    ASSERT_TRUE(book.addTransaction(id, aaa.get(), tx(-2, 11, kDay2)));
    EXPECT_EQ(told.texts.size(), 1u) << "told once";
    EXPECT_EQ(book.portfolio(id)->name(), "Pension") << "the change stays";

    // The way is free again: the next change writes everything.
    ASSERT_TRUE(wxRmdir(portfoliosPath));
    ASSERT_TRUE(book.addTransaction(id, aaa.get(), tx(1, 12, kDay3)));
    EXPECT_TRUE(book.portfoliosSaved());
    QxPortfolioBook reread(portfoliosPath, watchlistsPath);
    reread.load(dbA.get());
    ASSERT_EQ(reread.portfolios().size(), 1u);
    EXPECT_EQ(reread.portfolio(1)->name(), "Pension");
    EXPECT_EQ(reread.portfolio(1)->positions().at(aaaKey).transactions().size(), 3u);
    EXPECT_NE(before, readFile(portfoliosPath));

    // A new failure after a success is told again.
    wxRemoveFile(portfoliosPath);
    ASSERT_TRUE(wxMkdir(portfoliosPath));
    ASSERT_TRUE(book.removePortfolio(id));
    EXPECT_EQ(told.texts.size(), 2u);
    ASSERT_TRUE(wxRmdir(portfoliosPath));
}

// Two programs on one home: the one that writes second never writes over
// what the other wrote since it read the file; it tells the user instead.
TEST_F(PortfolioBookTest, AFileAnotherProgramChangedIsNotWrittenOver)
{
    ToldTexts told;
    writeFile(portfoliosPath, "<portfolios><portfolio name=\"Shared\"/></portfolios>");
    QxPortfolioBook first(portfoliosPath, watchlistsPath);
    QxPortfolioBook second(portfoliosPath, watchlistsPath);
    first.load(dbA.get());
    second.load(dbA.get());
    ASSERT_TRUE(first.addTransaction(1, aaa.get(), tx(5, 10)));
    ASSERT_TRUE(first.renamePortfolio(1, "Ours"));
    EXPECT_TRUE(told.texts.empty()) << "a program goes on writing over what it wrote itself";
    const std::string firstWrote = readFile(portfoliosPath);

    EXPECT_EQ(second.addPortfolio(), 2);
    EXPECT_EQ(readFile(portfoliosPath), firstWrote) << "the other program's change stays";
    ASSERT_EQ(told.texts.size(), 1u);
    EXPECT_NE(told.texts[0].Find(portfoliosPath), wxNOT_FOUND) << told.texts[0];
    EXPECT_FALSE(second.portfoliosSaved());
    ASSERT_TRUE(second.renamePortfolio(2, "Theirs"));
    EXPECT_EQ(readFile(portfoliosPath), firstWrote);
    EXPECT_EQ(told.texts.size(), 1u) << "told once";

    // Read again, the file is worked on as it is now.
    second.load(dbA.get());
    EXPECT_EQ(second.portfolio(1)->name(), "Ours");
    EXPECT_EQ(second.addPortfolio(), 2);
    EXPECT_NE(readFile(portfoliosPath).find("Portfolio1"), std::string::npos);
    EXPECT_NE(readFile(portfoliosPath).find("Ours"), std::string::npos);

    // A file made by the other program after this one found none counts too.
    wxRemoveFile(watchlistsPath);
    first.load(dbA.get());
    second.load(dbA.get());
    first.addWatchlist();
    second.addWatchlist();
    EXPECT_EQ(told.texts.size(), 2u);
    EXPECT_NE(told.texts[1].Find(watchlistsPath), wxNOT_FOUND) << told.texts[1];
}
