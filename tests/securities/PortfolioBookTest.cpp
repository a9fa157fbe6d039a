// The portfolio manager's book without a window: list ids, names, the
// commands, CONSOLIDATED, the files, and securities resolved again from
// their keys against another database.
#include "securities/QxPortfolioBook.h"

#include "core/QxCategory.h"
#include "core/QxSecurityKey.h"

#include "SecuritiesTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

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
    EXPECT_DOUBLE_EQ(book.consolidated().positions().at(aaaKey).openQuantity(), 5) << "the unlisted one is not in it";

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
    EXPECT_DOUBLE_EQ(book.consolidated().positions().at(aaaKey).openQuantity(), 7);
    EXPECT_FALSE(book.removeTransaction(3, aaaKey, 1)) << "index out of range";
    EXPECT_FALSE(book.removeTransaction(3, bbbKey, 0)) << "no such position";
    ASSERT_TRUE(book.removeTransaction(3, aaaKey, 0));
    EXPECT_DOUBLE_EQ(book.consolidated().positions().at(aaaKey).openQuantity(), 5);
    ASSERT_TRUE(book.addTransaction(3, bbb.get(), tx(4, 20, kDay3)));
    EXPECT_TRUE(book.removePortfolio(1));
    EXPECT_FALSE(book.removePortfolio(1));
    EXPECT_FALSE(book.removePortfolio(QxPortfolioBook::kConsolidatedId));
    EXPECT_DOUBLE_EQ(book.consolidated().positions().at(aaaKey).openQuantity(), 0) << "Income's lot left with it";
    EXPECT_DOUBLE_EQ(book.consolidated().positions().at(bbbKey).openQuantity(), 4);

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
    EXPECT_DOUBLE_EQ(book.consolidated().positions().at(bbbKey).openQuantity(), 3);
    ASSERT_TRUE(book.savePortfolios());
    ASSERT_TRUE(book.saveWatchlists());
    EXPECT_EQ(readFile(portfoliosPath), portfolios);
    EXPECT_EQ(readFile(watchlistsPath), watchlists);
}
