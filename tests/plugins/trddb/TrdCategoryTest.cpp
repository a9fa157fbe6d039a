// Categories and securities: rows, table names, names with quotes and "|",
// id limits, life cycles and their notifications.
#include "support/TestSupport.h"
#include "plugins/trddb/TrdTestSupport.h"

#include "core/QxAssetClass.h"
#include "core/QxCategory.h"
#include "core/QxErrorCode.h"
#include "core/QxSecurityKey.h"
#include "plugins/trddb/TrdCategory.h"
#include "plugins/trddb/TrdDatabase.h"
#include "plugins/trddb/TrdSecurity.h"

#include <gtest/gtest.h>

using namespace TrdTest;
using Rows = std::vector<std::string>;

namespace {

Rows tablesLike(TrdDatabase* db, const std::string& prefix)
{
    return query(db->connection(),
                 "SELECT name FROM sqlite_master WHERE type='table' AND name LIKE '" + prefix + "%' ORDER BY name");
}

std::vector<std::string> tickers(const std::vector<QxObjectSmartPtr<QxSecurity>>& v)
{
    std::vector<std::string> out;
    for (const auto& s : v)
        out.push_back(s->ticker());
    return out;
}

} // namespace

TEST(TrdCategory, CreatingStoresTheRowAndTheFirstSecurityMakesTheListTable)
{
    const std::string path = newDatabasePath();
    QxObjectSmartPtr<TrdDatabase> db = openDb(path);
    ASSERT_TRUE(db);
    Recorder recorder;

    QxObjectSmartPtr<QxCategory> cat(db->createCategory("US.NYSE.STOCK", "Google"));
    ASSERT_TRUE(cat);
    EXPECT_EQ(db->lastError(), 0);
    EXPECT_STREQ(cat->name(), "US.NYSE.STOCK");
    EXPECT_STREQ(cat->country(), "US");
    EXPECT_STREQ(cat->exchange(), "NYSE");
    EXPECT_STREQ(cat->dataProvider(), "Google");
    EXPECT_STREQ(cat->assetClass()->code(), "STOCK");
    EXPECT_EQ(cat->assetClass()->securityType(), Qx::eStock);
    EXPECT_EQ(cat->database(), db.get());
    EXPECT_EQ(recorder.events, Rows{"categoryAdded US.NYSE.STOCK"});
    EXPECT_EQ(query(db->connection(), "SELECT country||','||security_type||','||exchange||','||data_provider FROM "
                                      "security_category"),
              Rows{"US,STOCK,NYSE,Google"});
    EXPECT_TRUE(tablesLike(db.get(), "security_list").empty()) << "no list table before the first security";

    QxObjectSmartPtr<QxSecurity> ibm(cat->addSecurity("IBM", "International Business Machines"));
    ASSERT_TRUE(ibm);
    EXPECT_EQ(tablesLike(db.get(), "security_list"), Rows{"security_list_for_Google:STOCK_NYSE_US"});
    EXPECT_NE(sqliteShell(path, ".schema")
                  .find("CREATE TABLE [security_list_for_Google:STOCK_NYSE_US](security_id INTEGER NOT NULL "
                        "UNIQUE PRIMARY KEY AUTOINCREMENT,category_id INTEGER NOT NULL,ticker TEXT "
                        "UNIQUE,security_name TEXT,last_update_time_stamp INTEGER);"),
              std::string::npos)
        << sqliteShell(path, ".schema");

    // Creating it again gives the same category, announced once only.
    QxObjectSmartPtr<QxCategory> again(db->createCategory("US.NYSE.STOCK", "Google"));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->id(), cat->id());
    EXPECT_EQ(query(db->connection(), "SELECT COUNT(*) FROM security_category"), Rows{"1"});
    EXPECT_EQ(recorder.events, (Rows{"categoryAdded US.NYSE.STOCK", "securityAdded IBM"}));

    // Finding by name, with and without the provider.
    QxObjectSmartPtr<QxCategory> found(db->findCategory("US.NYSE.STOCK", "Google"));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->id(), cat->id());
    QxObjectSmartPtr<QxCategory> anyProvider(db->findCategory("US.NYSE.STOCK", nullptr));
    EXPECT_TRUE(anyProvider);
    QxObjectSmartPtr<QxCategory> otherProvider(db->findCategory("US.NYSE.STOCK", "Yahoo"));
    EXPECT_FALSE(otherProvider);
}

TEST(TrdCategory, NamesAreSplitIntoCountryExchangeAndCode)
{
    struct Case {
        const char* name;
        const char* provider;
        bool ok;
        const char* country;
        const char* exchange;
        const char* code;
        const char* shownName;
        const char* listTable;
        Qx::QxSecurityType type;
    };
    const Case cases[] = {
        {"US.NYSE.STOCK", "Google", true, "US", "NYSE", "STOCK", "US.NYSE.STOCK",
         "security_list_for_Google:STOCK_NYSE_US", Qx::eStock},
        {"US.FUND", "Google", true, "US", "FUND", "FUND", "US.FUND", "security_list_for_Google:FUND_FUND_US",
         Qx::eFund},
        {"DE.XETRA.EQFU.extra", "", true, "DE", "XETRA", "EQFU", "DE.XETRA.EQFU", "security_list_for_:EQFU_XETRA_DE",
         Qx::eFuture},
        {"US.CBOE.EQCA", "Y", true, "US", "CBOE", "EQCA", "US.CBOE.EQCA", "security_list_for_Y:EQCA_CBOE_US",
         Qx::eOption},
        {"UK.LSE.UNKNOWN", "Y", true, "UK", "LSE", "UNKNOWN", "UK.LSE.UNKNOWN", "security_list_for_Y:UNKNOWN_LSE_UK",
         Qx::eStock},
        {"US", "Google", false, "", "", "", "", "", Qx::eStock},
        {".NYSE.STOCK", "Google", false, "", "", "", "", "", Qx::eStock},
        {"US..STOCK", "Google", false, "", "", "", "", "", Qx::eStock},
        {"", "Google", false, "", "", "", "", "", Qx::eStock},
    };
    const std::string path = newDatabasePath();
    QxObjectSmartPtr<TrdDatabase> db = openDb(path);
    ASSERT_TRUE(db);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QxObjectSmartPtr<QxCategory> cat(db->createCategory(c.name, c.provider));
        QxObjectSmartPtr<QxCategory> found(db->findCategory(c.name, c.provider));
        if (!c.ok) {
            EXPECT_FALSE(cat);
            EXPECT_FALSE(found);
            EXPECT_EQ(db->lastError(), eInvalidInput);
            continue;
        }
        ASSERT_TRUE(cat);
        ASSERT_TRUE(found);
        EXPECT_EQ(found->id(), cat->id());
        EXPECT_STREQ(cat->country(), c.country);
        EXPECT_STREQ(cat->exchange(), c.exchange);
        EXPECT_STREQ(static_cast<TrdCategory*>(cat.get())->assetCode().c_str(), c.code);
        EXPECT_STREQ(cat->name(), c.shownName);
        EXPECT_EQ(cat->assetClass()->securityType(), c.type);
        EXPECT_EQ(static_cast<TrdCategory*>(cat.get())->listTable(), std::string("[") + c.listTable + "]");
    }
    EXPECT_EQ(query(db->connection(), "SELECT COUNT(*) FROM security_category"), Rows{"5"});
    std::vector<QxObjectSmartPtr<QxCategory>> all, ofY;
    EXPECT_EQ(db->getCategories(all, nullptr), 0);
    EXPECT_EQ(db->getCategories(ofY, "Y"), 0);
    EXPECT_EQ(all.size(), 5u);
    ASSERT_EQ(ofY.size(), 2u);
    EXPECT_STREQ(ofY[0]->name(), "US.CBOE.EQCA");
    EXPECT_STREQ(ofY[1]->name(), "UK.LSE.UNKNOWN");
}

TEST(TrdCategory, QuotesBracketsAndBarsInNamesAreData)
{
    const std::string path = newDatabasePath();
    QxObjectSmartPtr<TrdDatabase> db = openDb(path);
    ASSERT_TRUE(db);
    QxObjectSmartPtr<QxCategory> cat(db->createCategory("C'A.N\"Y]SE.STOCK", "Pro'v]ider"));
    ASSERT_TRUE(cat) << db->lastError();
    QxObjectSmartPtr<QxCategory> found(db->findCategory("C'A.N\"Y]SE.STOCK", "Pro'v]ider"));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->id(), cat->id());

    struct Case {
        const char* ticker;
        const char* name;
    };
    const Case cases[] = {{"O'NEIL", "O'Neil & Co"}, {"A|B", "bar \"inside\""}, {"X]Y", "bracket"}, {"'); DROP TABLE security_category; --", "n"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ticker);
        QxObjectSmartPtr<QxSecurity> s(cat->addSecurity(c.ticker, c.name));
        ASSERT_TRUE(s);
        QxObjectSmartPtr<QxPriceHistory> h(makeHistory(Qx::eStock, 0, 3));
        EXPECT_EQ(s->saveHistory(h.get()), 0);
        // Found again as typed, by ticker, by id and by key.
        QxObjectSmartPtr<QxSecurity> byTicker(cat->findSecurity(c.ticker));
        ASSERT_TRUE(byTicker);
        EXPECT_EQ(byTicker->id(), s->id());
        EXPECT_STREQ(byTicker->name(), c.name);
        QxObjectSmartPtr<QxSecurity> byId(db->getSecurity(s->id()));
        ASSERT_TRUE(byId);
        EXPECT_STREQ(byId->ticker(), c.ticker);
        const std::string key = makeSecurityKey(s.get());
        EXPECT_EQ(key, std::string("Pro'v]ider|C'A.N\"Y]SE.STOCK|") + c.ticker);
        QxObjectSmartPtr<QxSecurity> byKey(findSecurityByKey(db.get(), key));
        ASSERT_TRUE(byKey);
        EXPECT_EQ(byKey->id(), s->id());
        int64_t from = 0, to = 0;
        QxObjectSmartPtr<QxPriceHistory> back(s->getHistory(Qx::eDaily, from, to));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->numBars(), 3u);
    }
    // Stored exactly as typed, not with doubled quotes.
    const std::string list = static_cast<TrdCategory*>(cat.get())->listTable();
    EXPECT_EQ(query(db->connection(), "SELECT ticker FROM " + list + " WHERE ticker LIKE 'O%'"), Rows{"O'NEIL"});
    EXPECT_EQ(query(db->connection(), "SELECT COUNT(*) FROM security_category"), Rows{"1"});
}

TEST(TrdCategory, SecuritiesAreUniqueByTickerIgnoringCase)
{
    const std::string path = newDatabasePath();
    QxObjectSmartPtr<TrdDatabase> db = openDb(path);
    ASSERT_TRUE(db);
    QxObjectSmartPtr<QxCategory> cat(db->createCategory("US.NYSE.STOCK", "Google"));
    ASSERT_TRUE(cat);
    Recorder recorder;
    QxObjectSmartPtr<QxSecurity> first(cat->addSecurity("IBM", "one"));
    ASSERT_TRUE(first);
    QxObjectSmartPtr<QxSecurity> same(cat->addSecurity("IBM", "two"));
    QxObjectSmartPtr<QxSecurity> otherCase(cat->addSecurity("ibm", "three"));
    QxObjectSmartPtr<QxSecurity> empty(cat->addSecurity("", "four"));
    EXPECT_FALSE(same);
    EXPECT_FALSE(otherCase) << "its price table would be IBM's";
    EXPECT_FALSE(empty);
    EXPECT_EQ(recorder.events, Rows{"securityAdded IBM"});

    for (const char* t : {"MSFT", "AAPL", "GE"})
        QxObjectSmartPtr<QxSecurity>(cat->addSecurity(t, t));
    std::vector<QxObjectSmartPtr<QxSecurity>> list;
    EXPECT_EQ(cat->listSecurities(list), 0);
    EXPECT_EQ(tickers(list), (std::vector<std::string>{"AAPL", "GE", "IBM", "MSFT"}));
    std::vector<QxObjectSmartPtr<QxSecurity>> matched;
    EXPECT_EQ(static_cast<TrdCategory*>(cat.get())->searchSecurities("^[AG]", nullptr, matched), 0);
    EXPECT_EQ(tickers(matched), (std::vector<std::string>{"AAPL", "GE"}));

    // Ids: category in the upper 16 bits, the row below.
    EXPECT_EQ(first->id(), (cat->id() << 16) | 1u);
    QxObjectSmartPtr<QxCategory> other(db->createCategory("US.NASDAQ.STOCK", "Google"));
    ASSERT_TRUE(other);
    QxObjectSmartPtr<QxSecurity> foreign(other->getSecurity(first->id()));
    EXPECT_FALSE(foreign) << "an id of another category";
    QxObjectSmartPtr<QxSecurity> missing(db->getSecurity((77u << 16) | 1u));
    EXPECT_FALSE(missing);
}

TEST(TrdCategory, IdsThatNoLongerFitSixteenBitsAreRefused)
{
    const std::string path = newDatabasePath();
    QxObjectSmartPtr<TrdDatabase> db = openDb(path);
    ASSERT_TRUE(db);
    QxObjectSmartPtr<QxCategory> cat(db->createCategory("US.NYSE.STOCK", "Google"));
    QxObjectSmartPtr<QxSecurity> ibm(cat->addSecurity("IBM", "IBM"));
    ASSERT_TRUE(ibm);
    Recorder recorder;

    query(db->connection(), "UPDATE sqlite_sequence SET seq=65535 WHERE name='security_category'");
    QxObjectSmartPtr<QxCategory> tooMany(db->createCategory("US.NASDAQ.STOCK", "Google"));
    EXPECT_FALSE(tooMany);
    EXPECT_EQ(db->lastError(), eDataOutOfRange);
    EXPECT_EQ(query(db->connection(), "SELECT COUNT(*) FROM security_category"), Rows{"1"});

    query(db->connection(), "UPDATE sqlite_sequence SET seq=65535 WHERE name='security_list_for_Google:STOCK_NYSE_US'");
    QxObjectSmartPtr<QxSecurity> overflow(cat->addSecurity("MSFT", "MSFT"));
    EXPECT_FALSE(overflow);
    EXPECT_EQ(query(db->connection(), "SELECT COUNT(*) FROM [security_list_for_Google:STOCK_NYSE_US]"), Rows{"1"});
    EXPECT_TRUE(recorder.events.empty());
    // The last id that fits still works.
    query(db->connection(), "UPDATE sqlite_sequence SET seq=65534 WHERE name='security_list_for_Google:STOCK_NYSE_US'");
    QxObjectSmartPtr<QxSecurity> last(cat->addSecurity("MSFT", "MSFT"));
    ASSERT_TRUE(last);
    EXPECT_EQ(last->id(), (cat->id() << 16) | 0xFFFFu);
    QxObjectSmartPtr<QxSecurity> back(db->getSecurity(last->id()));
    ASSERT_TRUE(back);
    EXPECT_STREQ(back->ticker(), "MSFT");
}

TEST(TrdCategory, DeletingRemovesSecuritiesTablesAndPrices)
{
    const std::string path = newDatabasePath();
    QxObjectSmartPtr<TrdDatabase> db = openDb(path);
    ASSERT_TRUE(db);
    QxObjectSmartPtr<QxCategory> cat(db->createCategory("US.NYSE.STOCK", "Google"));
    for (const char* t : {"MSFT", "IBM"}) {
        QxObjectSmartPtr<QxSecurity> s(cat->addSecurity(t, t));
        QxObjectSmartPtr<QxPriceHistory> h(makeHistory(Qx::eStock, 0, 10));
        ASSERT_EQ(s->saveHistory(h.get()), 0);
    }
    // A security deleted through a fresh object takes its prices along, so
    // adding the ticker again starts empty.
    {
        QxObjectSmartPtr<QxSecurity> fresh(cat->findSecurity("MSFT"));
        ASSERT_TRUE(fresh);
        EXPECT_EQ(fresh->deleteSecurity(), 0);
        EXPECT_EQ(tablesLike(db.get(), "price_hist_of"), Rows{"price_hist_of_Google:IBM.STOCK.NYSE.US"});
        QxObjectSmartPtr<QxSecurity> again(cat->addSecurity("MSFT", "again"));
        ASSERT_TRUE(again);
        EXPECT_NE(again->id(), fresh->id()) << "ids are not reused";
        int64_t from = 0, to = 0;
        QxObjectSmartPtr<QxPriceHistory> h(again->getHistory(Qx::eDaily, from, to));
        EXPECT_FALSE(h);
        QxObjectSmartPtr<QxPriceHistory> one(makeHistory(Qx::eStock, 50, 1));
        ASSERT_EQ(again->saveHistory(one.get()), 0);
    }

    Recorder recorder;
    EXPECT_EQ(cat->deleteCategory(), 0);
    EXPECT_EQ(recorder.events, (Rows{"securityWillBeDeleted IBM", "securityWillBeDeleted MSFT",
                                     "categoryWillBeDeleted US.NYSE.STOCK"}));
    EXPECT_TRUE(tablesLike(db.get(), "price_hist_of").empty());
    EXPECT_TRUE(tablesLike(db.get(), "security_list").empty());
    EXPECT_EQ(query(db->connection(), "SELECT COUNT(*) FROM security_category"), Rows{"0"});
    QxObjectSmartPtr<QxCategory> gone(db->findCategory("US.NYSE.STOCK", "Google"));
    EXPECT_FALSE(gone);

    // A category that never had a security deletes cleanly too.
    QxObjectSmartPtr<QxCategory> bare(db->createCategory("US.AMEX.STOCK", "Google"));
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->deleteCategory(), 0);
    EXPECT_EQ(query(db->connection(), "SELECT COUNT(*) FROM security_category"), Rows{"0"});
}

TEST(TrdCategory, UpdateTimestampIsStoredWithTheRow)
{
    const std::string path = newDatabasePath();
    QxObjectSmartPtr<TrdDatabase> db = openDb(path);
    ASSERT_TRUE(db);
    QxObjectSmartPtr<QxCategory> cat(db->createCategory("US.NYSE.STOCK", "Google"));
    ASSERT_TRUE(cat);
    EXPECT_EQ(cat->updateTimestamp(), 0);
    EXPECT_EQ(cat->setUpdateTimestamp(20140307150405000LL), 0);
    QxObjectSmartPtr<QxCategory> again(db->getCategory(cat->id()));
    EXPECT_EQ(again->updateTimestamp(), 20140307150405000LL);
}
