// Quillbar folders written by the tests, opened through the reader's
// classes: which index files count, what the category and its securities
// hold, the price files they read, and what a read-only database refuses.
#include "plugins/quillbar/QxQbCategory.h"
#include "plugins/quillbar/QxQbDataReader.h"
#include "plugins/quillbar/QxQbDatabase.h"
#include "plugins/quillbar/QxQbSecurity.h"
#include "plugins/quillbar/QxQbSymbolTable.h"

#include "support/QbTestSupport.h"
#include "support/TestSupport.h"

#include "core/QxErrorCode.h"
#include "core/QxQuote.h"
#include "core/QxUserNotice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;
using qbtest::Entry;
using qbtest::writeFile;

namespace {

QxObjectSmartPtr<QxDatabase> openFolder(const std::string& folder, int* error = nullptr)
{
    int rc = -1;
    QxObjectSmartPtr<QxDatabase> db(QxQbDataReader().openDatabase(wxString::FromUTF8(folder.c_str()), "", &rc));
    if (error)
        *error = rc;
    return db;
}

QxObjectSmartPtr<QxCategory> onlyCategory(QxDatabase* db)
{
    std::vector<QxObjectSmartPtr<QxCategory>> categories;
    EXPECT_EQ(db->getCategories(categories, nullptr), 0);
    EXPECT_EQ(categories.size(), 1u);
    return categories.empty() ? nullptr : categories.front();
}

std::vector<std::string> tickers(QxCategory* category)
{
    std::vector<QxObjectSmartPtr<QxSecurity>> list;
    category->listSecurities(list);
    std::vector<std::string> out;
    for (const auto& s : list)
        out.push_back(s->ticker());
    return out;
}

QxPriceHistory* history(QxSecurity* s, Qx::QxPeriod period = Qx::eDaily)
{
    int64_t from = 0, to = 0;
    return s->getHistory(period, from, to);
}

// A folder named `name` in a fresh temporary folder.
std::string newFolder(const std::string& name)
{
    const std::string folder = TestSupport::makeTempDir("qb") + "/" + name;
    fs::create_directories(folder);
    return folder;
}

} // namespace

TEST(QbDatabase, AFolderOpensAsOneReadOnlyCategory)
{
    const std::string folder = newFolder("Milan Stocks");
    writeFile(folder + "/MASTER", qbtest::masterBytes({{"ENI", "ENI SPA", 1}, {"FIAT", "FIAT CHRYSLER", 2}}));
    writeFile(folder + "/F1.DAT", qbtest::priceBytes(qbtest::dailyBars(30)));
    writeFile(folder + "/F2.DAT", qbtest::priceBytes(qbtest::dailyBars(5, 100)));

    int error = -1;
    QxObjectSmartPtr<QxDatabase> db = openFolder(folder, &error);
    ASSERT_TRUE(db);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(db->readerId(), QxAtom("com.Corvane.Trendoria.quillbar"));
    EXPECT_STREQ(db->path(), folder.c_str());
    EXPECT_TRUE(db->isReadOnly());

    QxObjectSmartPtr<QxCategory> category = onlyCategory(db.get());
    ASSERT_TRUE(category);
    EXPECT_STREQ(category->name(), "Milan Stocks");
    unsigned nameNumber = 0;
    ASSERT_TRUE(QxQbSymbolTable::instance().find("Milan Stocks", &nameNumber));
    EXPECT_EQ(category->id(), nameNumber);
    EXPECT_EQ(category->database(), db.get());
    EXPECT_EQ(db->findCategory("Milan Stocks", "any provider"), category.get());
    EXPECT_EQ(db->findCategory("milan stocks", nullptr), nullptr);
    EXPECT_EQ(db->getCategory(category->id()), category.get());
    EXPECT_EQ(db->getCategory(category->id() + 1), nullptr);
    EXPECT_EQ(category->dataProvider(), nullptr);
    ASSERT_NE(category->assetClass(), nullptr);
    EXPECT_STREQ(category->assetClass()->code(), "");

    EXPECT_EQ(tickers(category.get()), (std::vector<std::string>{"ENI", "FIAT"}));
    QxObjectSmartPtr<QxSecurity> eni(category->findSecurity("ENI"));
    ASSERT_TRUE(eni);
    EXPECT_STREQ(eni->name(), "ENI SPA");
    EXPECT_EQ(eni->category(), category.get());
    // The folder numbers its own symbols from 1, in the order they are read.
    EXPECT_EQ(eni->id(), (category->id() << 16) | 1u);
    // Ids from the list find the same securities through the database.
    std::vector<QxObjectSmartPtr<QxSecurity>> listed;
    category->listSecurities(listed);
    for (const auto& s : listed) {
        QxObjectSmartPtr<QxSecurity> again(db->getSecurity(s->id()));
        ASSERT_TRUE(again);
        EXPECT_STREQ(again->ticker(), s->ticker());
    }
    EXPECT_EQ(db->getSecurity(eni->id() ^ 0x10000), nullptr) << "another category's id";

    QxObjectSmartPtr<QxPriceHistory> bars(history(eni.get()));
    ASSERT_TRUE(bars);
    EXPECT_EQ(bars->numBars(), 30u);
    EXPECT_EQ(bars->timestamp()[0], 20010101000000000LL);
    EXPECT_EQ(bars->close()[29], 39.0);
    QxObjectSmartPtr<QxSecurity> fiat(db->findCategory("Milan Stocks", nullptr)->findSecurity("FIAT"));
    bars = history(fiat.get());
    ASSERT_TRUE(bars);
    EXPECT_EQ(qbtest::closes(bars.get()), (std::vector<double>{100, 101, 102, 103, 104}));
}

TEST(QbDatabase, EverythingThatWouldWriteIsRefused)
{
    const std::string folder = newFolder("ro");
    writeFile(folder + "/EMASTER", qbtest::emasterBytes({{"ENI", "ENI", 1}}));
    const std::string price = qbtest::priceBytes(qbtest::dailyBars(3));
    writeFile(folder + "/F1.DAT", price);
    QxObjectSmartPtr<QxDatabase> db = openFolder(folder);
    ASSERT_TRUE(db);
    QxObjectSmartPtr<QxCategory> category = onlyCategory(db.get());
    QxObjectSmartPtr<QxSecurity> eni(category->findSecurity("ENI"));
    ASSERT_TRUE(eni);

    EXPECT_EQ(QxObjectSmartPtr<QxCategory>(db->createCategory("NEW", nullptr)), nullptr);
    EXPECT_EQ(db->setClientData("k", "v", 1), 0);
    EXPECT_EQ(db->reservedOperation(nullptr, nullptr), 0);
    EXPECT_EQ(db->beginTransaction(), 0);
    EXPECT_EQ(db->commit(0), 0);
    EXPECT_EQ(db->rollback(0), 0);
    EXPECT_FALSE(db->inTransaction());
    EXPECT_EQ(QxObjectSmartPtr<QxSecurity>(category->addSecurity("NEW", "new")), nullptr);
    EXPECT_EQ(category->setUpdateTimestamp(20140101000000000LL), 0);
    EXPECT_EQ(category->updateTimestamp(), INT64_MAX);
    EXPECT_EQ(category->deleteCategory(), eNotImplemented);

    QxQuote quote;
    int64_t since = 0, from = 0, to = 0;
    QxObjectSmartPtr<QxPriceHistory> bars(history(eni.get()));
    EXPECT_EQ(eni->lastQuote(since, quote), eNotImplemented);
    EXPECT_EQ(eni->saveHistory(bars.get()), eNotImplemented);
    EXPECT_EQ(eni->updateFromProvider(false), eNotImplemented);
    EXPECT_EQ(eni->deleteHistory(from, to), eNotImplemented);
    EXPECT_EQ(eni->deleteSecurity(), eNotImplemented);

    EXPECT_EQ(qbtest::times(QxObjectSmartPtr<QxPriceHistory>(history(eni.get())).get()), qbtest::times(bars.get()));
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"EMASTER", "F1.DAT"})) << "nothing is written into the folder";
}

TEST(QbDatabase, WhichIndexFilesCountAndHowTheyKeepTexts)
{
    // EMASTER is read in place of MASTER, blanks and all; XMASTER adds to it.
    const std::string both = newFolder("both");
    writeFile(both + "/MASTER", qbtest::masterBytes({{"ENI", "ENI SPA", 1}, {"ONLYM", "ONLY IN MASTER", 2}}));
    writeFile(both + "/EMASTER", qbtest::emasterBytes({{"ENI", "ENI SPA   ", 1}}));
    writeFile(both + "/XMASTER", qbtest::xmasterBytes({{"BIG", "BIG FILE", 700}}));
    QxObjectSmartPtr<QxDatabase> db = openFolder(both);
    ASSERT_TRUE(db);
    QxObjectSmartPtr<QxCategory> category = onlyCategory(db.get());
    EXPECT_STREQ(category->name(), "both");
    EXPECT_EQ(tickers(category.get()).size(), 2u);
    QxObjectSmartPtr<QxSecurity> eni(category->findSecurity("ENI"));
    ASSERT_TRUE(eni);
    EXPECT_STREQ(eni->name(), "ENI SPA   ");
    EXPECT_FALSE(QxObjectSmartPtr<QxSecurity>(category->findSecurity("ONLYM")));
    EXPECT_TRUE(QxObjectSmartPtr<QxSecurity>(category->findSecurity("BIG")));

    // MASTER alone: its blanks go.
    const std::string master = newFolder("master");
    writeFile(master + "/MASTER", qbtest::masterBytes({{"ENI", "ENI SPA", 1}}));
    db = openFolder(master);
    ASSERT_TRUE(db);
    EXPECT_STREQ(QxObjectSmartPtr<QxSecurity>(onlyCategory(db.get())->findSecurity("ENI"))->name(), "ENI SPA");

    // XMASTER alone: the category is named after the folder.
    const std::string x = newFolder("Tokyo Indices");
    writeFile(x + "/XMASTER", qbtest::xmasterBytes({{".N225", "NIKKEI 225", 2853}}));
    writeFile(x + "/F2853.MWD", qbtest::priceBytes(qbtest::dailyBars(2)));
    db = openFolder(x + "/");
    ASSERT_TRUE(db);
    category = onlyCategory(db.get());
    EXPECT_STREQ(category->name(), "Tokyo Indices");
    QxObjectSmartPtr<QxSecurity> nikkei(category->findSecurity(".N225"));
    ASSERT_TRUE(nikkei);
    EXPECT_EQ(QxObjectSmartPtr<QxPriceHistory>(history(nikkei.get()))->numBars(), 2u);

    // A damaged EMASTER is passed over: MASTER is read in its place, and
    // XMASTER's securities come in as well.
    const std::string damaged = newFolder("damaged");
    writeFile(damaged + "/EMASTER", "broken file\n");
    writeFile(damaged + "/MASTER", qbtest::masterBytes({{"M1", "m", 1}}));
    writeFile(damaged + "/XMASTER", qbtest::xmasterBytes({{"X1", "x", 300}}));
    db = openFolder(damaged);
    ASSERT_TRUE(db);
    EXPECT_EQ(tickers(onlyCategory(db.get()).get()), (std::vector<std::string>{"M1", "X1"}));
    EXPECT_STREQ(onlyCategory(db.get())->name(), "damaged");
}

TEST(QbDatabase, FoldersWithoutSecuritiesDoNotOpen)
{
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> files;
        int error;
    };
    const Case cases[] = {
        {"an empty folder", {}, eRequiredFilesNotFound},
        {"price files only", {{"F1.DAT", qbtest::priceBytes(qbtest::dailyBars(2))}}, eRequiredFilesNotFound},
        {"an index folder, not file", {{"MASTER/", ""}}, eRequiredFilesNotFound},
        {"index files without records",
         {{"MASTER", qbtest::masterBytes({})}, {"XMASTER", qbtest::xmasterBytes({})}},
         eUnknownError},
        {"a count of 0 over records", {{"EMASTER", qbtest::emasterBytes({{"A", "a", 1}}, 0)}}, eUnknownError},
        {"short headers", {{"EMASTER", "short"}, {"XMASTER", ""}}, eUnknownError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string folder = newFolder("none");
        for (const auto& [name, bytes] : c.files) {
            if (name.back() == '/')
                fs::create_directories(folder + "/" + name);
            else
                writeFile(folder + "/" + name, bytes);
        }
        int error = -1;
        EXPECT_FALSE(openFolder(folder, &error));
        EXPECT_EQ(error, c.error);
    }
    int error = -1;
    EXPECT_FALSE(openFolder(TestSupport::homeDir() + "/no such folder", &error));
    EXPECT_EQ(error, eRequiredFilesNotFound);
    EXPECT_FALSE(openFolder("", &error)) << "not the working folder";
    EXPECT_EQ(error, eRequiredFilesNotFound);
}

TEST(QbDatabase, PriceFilesFollowTheFileNumber)
{
    const std::string folder = newFolder("numbers");
    writeFile(folder + "/XMASTER",
              qbtest::xmasterBytes({{"N255", "", 255}, {"N256", "", 256}, {"SHORT", "", 3}, {"GONE", "", 4}}));
    // Each file the other number would wrongly pick holds different bars.
    writeFile(folder + "/F255.DAT", qbtest::priceBytes(qbtest::dailyBars(3, 255)));
    writeFile(folder + "/F255.MWD", qbtest::priceBytes(qbtest::dailyBars(3, -1)));
    writeFile(folder + "/F256.MWD", qbtest::priceBytes(qbtest::dailyBars(4, 256)));
    writeFile(folder + "/F256.DAT", qbtest::priceBytes(qbtest::dailyBars(4, -1)));
    // A header promising more records than the file holds.
    writeFile(folder + "/F3.DAT", qbtest::priceBytes(qbtest::dailyBars(6), 90));
    QxObjectSmartPtr<QxDatabase> db = openFolder(folder);
    ASSERT_TRUE(db);
    QxObjectSmartPtr<QxCategory> category = onlyCategory(db.get());

    auto closesOf = [&](const char* ticker) {
        QxObjectSmartPtr<QxSecurity> s(category->findSecurity(ticker));
        EXPECT_TRUE(s) << ticker;
        QxObjectSmartPtr<QxPriceHistory> h(s ? history(s.get()) : nullptr);
        return qbtest::closes(h.get());
    };
    EXPECT_EQ(closesOf("N255"), (std::vector<double>{255, 256, 257}));
    EXPECT_EQ(closesOf("N256"), (std::vector<double>{256, 257, 258, 259}));
    EXPECT_EQ(closesOf("SHORT").size(), 6u);
    QxObjectSmartPtr<QxSecurity> gone(category->findSecurity("GONE"));
    ASSERT_TRUE(gone) << "listed even though its price file is missing";
    EXPECT_FALSE(QxObjectSmartPtr<QxPriceHistory>(history(gone.get())));
    // It says which file is missing, and where.
    EXPECT_EQ(gone->whyNoHistory(),
              "The price file \"F4.DAT\" of this security is missing from the folder \"" + folder + "\".");
    EXPECT_EQ(QxObjectSmartPtr<QxSecurity>(category->findSecurity("N255"))->whyNoHistory(), "")
        << "nothing to tell of a file that reads";
    writeFile(folder + "/F4.DAT", "tiny");
    EXPECT_FALSE(QxObjectSmartPtr<QxPriceHistory>(history(gone.get()))) << "a header cut short";
    EXPECT_EQ(gone->whyNoHistory(),
              "The price file \"F4.DAT\" of this security in the folder \"" + folder + "\" could not be read.");
    writeFile(folder + "/F4.DAT", qbtest::priceBytes({}));
    EXPECT_EQ(gone->whyNoHistory(),
              "The price file \"F4.DAT\" of this security in the folder \"" + folder + "\" holds no prices.");
}

TEST(QbDatabase, TheSecurityPeriodBoundsTheRequest)
{
    const std::string folder = newFolder("periods");
    writeFile(folder + "/EMASTER", qbtest::emasterBytes({{"WK", "weekly", 1, 'W'}, {"MIN", "intraday", 2, 'I'}}));
    writeFile(folder + "/F1.DAT", qbtest::priceBytes(qbtest::dailyBars(8)));
    // An intraday file: several records a date, the last one of each kept.
    writeFile(folder + "/F2.DAT", qbtest::priceBytes({{1140102, 1, 1, 1, 1, 1},
                                                      {1140102, 2, 2, 2, 2, 2},
                                                      {1140103, 3, 3, 3, 3, 3},
                                                      {1140102, 4, 4, 4, 4, 4},
                                                      {1140103, 5, 5, 5, 5, 5}}));
    QxObjectSmartPtr<QxDatabase> db = openFolder(folder);
    ASSERT_TRUE(db);
    QxObjectSmartPtr<QxCategory> category = onlyCategory(db.get());
    QxObjectSmartPtr<QxSecurity> weekly(category->findSecurity("WK"));
    ASSERT_TRUE(weekly);

    EXPECT_FALSE(QxObjectSmartPtr<QxPriceHistory>(history(weekly.get(), Qx::eDaily)));
    EXPECT_EQ(weekly->whyNoHistory(),
              "The price file \"F1.DAT\" of this security holds bars longer than a day; only daily prices can be "
              "charted.");
    for (Qx::QxPeriod period : {Qx::eWeekly, Qx::eMonthly, Qx::eYearly}) {
        QxObjectSmartPtr<QxPriceHistory> h(history(weekly.get(), period));
        ASSERT_TRUE(h) << period;
        EXPECT_EQ(h->getPeriod(), Qx::eWeekly) << "the weekly bars as they are";
        EXPECT_EQ(h->numBars(), 8u);
    }

    QxObjectSmartPtr<QxSecurity> intraday(category->findSecurity("MIN"));
    QxObjectSmartPtr<QxPriceHistory> h(history(intraday.get(), Qx::eDaily));
    ASSERT_TRUE(h);
    EXPECT_EQ(h->getPeriod(), Qx::eOneMinute);
    EXPECT_EQ(qbtest::times(h.get()), (std::vector<int64_t>{20140102000000000LL, 20140103000000000LL}));
    EXPECT_EQ(qbtest::closes(h.get()), (std::vector<double>{4, 5}));
}

TEST(QbDatabase, SymbolsNumberTheSecurities)
{
    QxQbSymbolTable& table = QxQbSymbolTable::instance();
    const std::string folder = newFolder("twice");
    // The same symbol in MASTER-style order twice, and again in XMASTER.
    writeFile(folder + "/EMASTER",
              qbtest::emasterBytes({{"DUP", "first", 1}, {"OTHER", "other", 2}, {"DUP", "second", 3}}));
    writeFile(folder + "/XMASTER", qbtest::xmasterBytes({{"OTHER", "from xmaster", 400}}));
    for (int n : {1, 2, 3, 400})
        writeFile(folder + "/" + (n > 255 ? "F400.MWD" : "F" + std::to_string(n) + ".DAT"),
                  qbtest::priceBytes(qbtest::dailyBars(n > 255 ? 2 : n, float(n))));
    QxObjectSmartPtr<QxDatabase> db = openFolder(folder);
    ASSERT_TRUE(db);
    QxObjectSmartPtr<QxCategory> category = onlyCategory(db.get());
    EXPECT_EQ(tickers(category.get()), (std::vector<std::string>{"DUP", "OTHER"}));
    QxObjectSmartPtr<QxSecurity> dup(category->findSecurity("DUP"));
    EXPECT_STREQ(dup->name(), "second") << "the later record replaces the earlier";
    EXPECT_EQ(QxObjectSmartPtr<QxPriceHistory>(history(dup.get()))->numBars(), 3u);
    QxObjectSmartPtr<QxSecurity> other(category->findSecurity("OTHER"));
    EXPECT_STREQ(other->name(), "from xmaster");
    EXPECT_EQ(QxObjectSmartPtr<QxPriceHistory>(history(other.get()))->close()[0], 400.0);

    // Looking up tickers nobody listed numbers nothing.
    const std::size_t before = table.size();
    EXPECT_EQ(category->findSecurity("NEVER-SEEN-TICKER"), nullptr);
    EXPECT_EQ(category->findSecurity(nullptr), nullptr);
    EXPECT_EQ(table.size(), before);
    // A symbol numbered by another folder is not this folder's.
    table.number("ELSEWHERE");
    EXPECT_EQ(category->findSecurity("ELSEWHERE"), nullptr);
}

// Each folder numbers its own symbols: a second folder of 60,000 securities
// after a first one lists them all, with ids that lead back to them. A folder
// of more symbols than the low half of an id can number lists 65,535 and
// tells the user how many it left out.
TEST(QbDatabase, EveryFolderListsAllItsSecurities)
{
    // Category numbers from 32768 on are kept unsigned in the id's high bits.
    EXPECT_EQ(qxQbSecurityId(0x8001, 5), 0x80010005u);
    EXPECT_EQ(qxQbSecurityId(0xFFFF, 0xFFFF), 0xFFFFFFFFu);

    std::vector<wxString> notices;
    qxSetUserNoticeSink([&notices](const wxString& text) { notices.push_back(text); });
    auto entries = [](const std::string& prefix, unsigned count, unsigned firstFile) {
        std::vector<Entry> list;
        for (unsigned i = 0; i < count; ++i)
            list.push_back({prefix + std::to_string(i), "", firstFile + i % 60000});
        return list;
    };
    auto allFound = [](QxDatabase* db, QxCategory* category, const std::string& prefix, unsigned count) {
        std::vector<QxObjectSmartPtr<QxSecurity>> listed;
        category->listSecurities(listed);
        std::set<unsigned> ids;
        for (const auto& s : listed) {
            ids.insert(s->id());
            QxObjectSmartPtr<QxSecurity> again(db->getSecurity(s->id()));
            if (!again || std::string(again->ticker()) != s->ticker())
                return false;
        }
        for (unsigned i : {0u, count / 2, count - 1})
            if (!QxObjectSmartPtr<QxSecurity>(category->findSecurity((prefix + std::to_string(i)).c_str())))
                return false;
        return ids.size() == listed.size();
    };

    const std::string first = newFolder("first");
    writeFile(first + "/XMASTER", qbtest::xmasterBytes(entries("A", 60000, 1)));
    QxObjectSmartPtr<QxDatabase> one = openFolder(first);
    ASSERT_TRUE(one);
    QxObjectSmartPtr<QxCategory> firstCategory = onlyCategory(one.get());
    EXPECT_EQ(static_cast<QxQbCategory*>(firstCategory.get())->numSecurities(), 60000u);

    const std::string second = newFolder("second");
    writeFile(second + "/XMASTER", qbtest::xmasterBytes(entries("B", 60000, 1)));
    QxObjectSmartPtr<QxDatabase> two = openFolder(second);
    ASSERT_TRUE(two);
    QxObjectSmartPtr<QxCategory> secondCategory = onlyCategory(two.get());
    EXPECT_EQ(static_cast<QxQbCategory*>(secondCategory.get())->numSecurities(), 60000u);
    EXPECT_TRUE(allFound(two.get(), secondCategory.get(), "B", 60000));
    EXPECT_TRUE(allFound(one.get(), firstCategory.get(), "A", 60000));
    EXPECT_NE(firstCategory->id(), secondCategory->id());
    EXPECT_EQ(secondCategory->findSecurity("A7"), nullptr) << "the first folder's symbol";
    EXPECT_TRUE(notices.empty());

    // 65,535 symbols in XMASTER and 300 more in EMASTER, 10 of them also in
    // XMASTER: 290 cannot be numbered.
    const std::string full = newFolder("full");
    writeFile(full + "/XMASTER", qbtest::xmasterBytes(entries("X", 65535, 1)));
    std::vector<Entry> extra = entries("E", 290, 1);
    for (unsigned i = 0; i < 10; ++i)
        extra.push_back({"X" + std::to_string(i * 1000), "again", 1});
    for (Entry& e : extra)
        e.file = 1 + e.file % 250;
    writeFile(full + "/EMASTER", qbtest::emasterBytes(extra));
    QxObjectSmartPtr<QxDatabase> three = openFolder(full);
    ASSERT_TRUE(three);
    QxObjectSmartPtr<QxCategory> fullCategory = onlyCategory(three.get());
    auto* fullQb = static_cast<QxQbCategory*>(fullCategory.get());
    EXPECT_EQ(fullQb->numSecurities(), 65535u);
    EXPECT_EQ(fullQb->numNotListed(), 290u);
    EXPECT_TRUE(allFound(three.get(), fullCategory.get(), "E", 290)) << "EMASTER is read first";
    EXPECT_EQ(fullCategory->findSecurity("X65534"), nullptr) << "read after the folder's numbers ran out";
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].Find("290 securities"), wxNOT_FOUND) << notices[0];
    EXPECT_NE(notices[0].Find("full"), wxNOT_FOUND) << notices[0];
    qxSetUserNoticeSink(nullptr);
}

TEST(QbDatabase, NamesMatchWhateverTheirCase)
{
    const std::string folder = newFolder("Cases");
    writeFile(folder + "/Master", qbtest::masterBytes({{"LOW", "", 1}, {"MID", "", 300}}));
    writeFile(folder + "/f1.dat", qbtest::priceBytes(qbtest::dailyBars(2)));
    writeFile(folder + "/F300.mwd", qbtest::priceBytes(qbtest::dailyBars(3)));
    QxObjectSmartPtr<QxDatabase> db = openFolder(folder);
    ASSERT_TRUE(db);
    QxObjectSmartPtr<QxCategory> category = onlyCategory(db.get());
    EXPECT_STREQ(category->name(), "Cases");
    EXPECT_EQ(QxObjectSmartPtr<QxPriceHistory>(history(QxObjectSmartPtr<QxSecurity>(category->findSecurity("LOW")).get()))
                  ->numBars(),
              2u);

    // The exact name wins over a differently cased one.
    writeFile(folder + "/F1.DAT", qbtest::priceBytes(qbtest::dailyBars(5)));
    EXPECT_EQ(QxObjectSmartPtr<QxPriceHistory>(history(QxObjectSmartPtr<QxSecurity>(category->findSecurity("LOW")).get()))
                  ->numBars(),
              5u);
}

TEST(QbDatabase, ObjectsOutliveTheirHoldersInAnyOrder)
{
    // The database and its category refer to each other; whichever is let
    // go of last, both are freed (the leak checker of this test program
    // tells otherwise), and what is still held keeps working.
    const std::string folder = newFolder("lifetimes");
    writeFile(folder + "/MASTER", qbtest::masterBytes({{"A", "", 1}, {"B", "", 2}}));
    writeFile(folder + "/F1.DAT", qbtest::priceBytes(qbtest::dailyBars(4)));
    for (int order = 0; order < 4; ++order) {
        SCOPED_TRACE(order);
        QxObjectSmartPtr<QxDatabase> db = openFolder(folder);
        ASSERT_TRUE(db);
        QxObjectSmartPtr<QxCategory> category = onlyCategory(db.get());
        QxObjectSmartPtr<QxSecurity> security(category->findSecurity("A"));
        ASSERT_TRUE(security);
        if (order == 0) {
            db = nullptr;
            category = nullptr;
            EXPECT_EQ(QxObjectSmartPtr<QxPriceHistory>(history(security.get()))->numBars(), 4u);
            EXPECT_STREQ(security->category()->name(), "lifetimes");
        } else if (order == 1) {
            security = nullptr;
            db = nullptr;
            EXPECT_EQ(tickers(category.get()).size(), 2u);
        } else if (order == 2) {
            category = nullptr;
            security = nullptr;
            EXPECT_EQ(onlyCategory(db.get())->database(), db.get());
        } else {
            db = nullptr;
            security = nullptr;
        }
    }
}
