// Symbol-index files: the line rules, writing and merging, seeding the
// user's folder from the shipped copies, and the files following the
// categories and securities of the database.
#include "app/QxPluginLoader.h"
#include "core/QxCategory.h"
#include "core/QxDataProviderRepository.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxUserNotice.h"
#include "plugins/webproviders/QxGoogleDataDownloader.h"
#include "plugins/webproviders/QxYahooDataDownloader.h"

#include "support/WebProviderTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/filename.h>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using wptest::MemDatabase;

namespace {

void writeFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Sets a file's modification time to now plus seconds.
void touch(const fs::path& path, int seconds)
{
    const wxDateTime t = wxDateTime::Now() + wxTimeSpan::Seconds(seconds);
    wxFileName(path.string()).SetTimes(&t, &t, nullptr);
}

QxSymbolMap readMap(const std::string& text)
{
    const fs::path path = fs::path(TestSupport::makeTempDir("idx")) / "US.X.STOCK.txt";
    writeFile(path, text);
    QxSymbolMap map;
    QxWebDataDownloader::readSymbolIndexFile(path.string(), map);
    return map;
}

} // namespace

TEST(SymbolIndexFile, LinesFollowTheReadingRules)
{
    const struct {
        const char* name;
        std::string text;
        QxSymbolMap expected;
    } cases[] = {
        {"blanks around the description", "AAPL   Apple Computer  \n", {{"AAPL", "Apple Computer"}}},
        {"caret symbols count", "^GSPC\tS&P 500\n", {{"^GSPC", "S&P 500"}}},
        {"a leading blank leaves no symbol", " IBM International\nKO\tCoca-Cola\n", {{"KO", "Coca-Cola"}}},
        {"no final line end", "GE\tGeneral Electric\nXOM\tExxon", {{"GE", "General Electric"}, {"XOM", "Exxon"}}},
        {"CR LF line ends", "BA\tBoeing\r\nJNJ\tJohnson\r\n", {{"BA", "Boeing"}, {"JNJ", "Johnson"}}},
        {"CR line ends", "BA\tBoeing\rJNJ\tJohnson\r", {{"BA", "Boeing"}, {"JNJ", "Johnson"}}},
        {"a later line wins", "KO\tfirst\nKO\tsecond\n", {{"KO", "second"}}},
        {"a bare symbol", "WMT\n", {{"WMT", ""}}},
        {"symbols need a letter, digit or underscore", "---\tdashes\n.-.\tdots\nBRK.B\tBerkshire\n_X\tx\n",
         {{"BRK.B", "Berkshire"}, {"_X", "x"}}},
        {"empty lines and leading control characters vanish", "\n\n\r\n\tHD\tHome Depot\n\n\nT\tAT&T\n\n",
         {{"HD", "Home Depot"}, {"T", "AT&T"}}},
        {"multi-byte descriptions are kept", "SAN\tSociété Générale\n", {{"SAN", "Société Générale"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readMap(c.text), c.expected);
    }

    QxSymbolMap kept{{"A", "a"}};
    QxWebDataDownloader::readSymbolIndexFile((fs::path(TestSupport::makeTempDir("none")) / "missing.txt").string(),
                                             kept);
    const fs::path empty = fs::path(TestSupport::makeTempDir("empty")) / "US.E.STOCK.txt";
    writeFile(empty, "");
    QxWebDataDownloader::readSymbolIndexFile(empty.string(), kept);
    EXPECT_EQ(kept, (QxSymbolMap{{"A", "a"}}));
}

TEST(SymbolIndexFile, MergeKeepsTheUsersDescriptionsAndSorts)
{
    const fs::path dir = TestSupport::makeTempDir("merge");
    writeFile(dir / "shipped.txt", "ZZ\tshipped z\nBB\tshipped b\nAA\tshipped a\n");
    writeFile(dir / "user.txt", "CC\tuser c\nBB  user b\n");
    QxWebDataDownloader::mergeSymbolIndexFiles((dir / "shipped.txt").string(), (dir / "user.txt").string());
    EXPECT_EQ(readFile(dir / "user.txt"), "AA\tshipped a\nBB\tuser b\nCC\tuser c\nZZ\tshipped z\n");
}

TEST(SymbolIndexFile, ShippedFilesSeedTheUsersFolder)
{
    const fs::path user = TestSupport::makeTempDir("user"), program = TestSupport::makeTempDir("program");
    const fs::path shipped = program / "data" / "barfetcher";
    const fs::path index = user / "barfetch" / "yahoo_index";
    writeFile(shipped / "US.NASDAQ.STOCK.txt", "AAPL\tApple\n");
    writeFile(shipped / "US.NYSE.STOCK.txt", "IBM\tshipped IBM\nKO\tCoca-Cola\n");
    writeFile(shipped / "GB.LSE.STOCK.txt", "BP.L\tshipped BP\nVOD.L\tVodafone\n");
    writeFile(shipped / "notes.txt", "not an index\n");
    writeFile(shipped / "US.NYSE.txt", "two parts only\n");
    writeFile(index / "US.NYSE.STOCK.txt", "IBM\tmy IBM\n");
    writeFile(index / "GB.LSE.STOCK.txt", "BP.L  my BP\n");
    touch(shipped / "US.NYSE.STOCK.txt", -100); // older than the user's copy: left alone
    touch(index / "US.NYSE.STOCK.txt", -10);
    touch(index / "GB.LSE.STOCK.txt", -100);     // older than the shipped one: merged
    touch(shipped / "GB.LSE.STOCK.txt", -10);

    QxYahooDataDownloader provider(QxWebProviderPaths{wxString(user.string()), wxString(program.string())});
    EXPECT_EQ(provider.indexFolder().GetPath(), wxString(index.string()));
    EXPECT_EQ(readFile(index / "US.NASDAQ.STOCK.txt"), "AAPL\tApple\n");
    EXPECT_EQ(readFile(index / "US.NYSE.STOCK.txt"), "IBM\tmy IBM\n");
    EXPECT_EQ(readFile(index / "GB.LSE.STOCK.txt"), "BP.L\tmy BP\nVOD.L\tVodafone\n");
    EXPECT_FALSE(fs::exists(index / "notes.txt"));
    EXPECT_FALSE(fs::exists(index / "US.NYSE.txt"));
}

namespace {

// A Google provider over scratch folders with an index folder holding files.
class IndexFixture : public testing::Test {
protected:
    void SetUp() override
    {
        user = TestSupport::makeTempDir("user");
        program = TestSupport::makeTempDir("program");
        index = user / "tickpull" / "google_index";
        writeFile(index / "US.NASDAQ.STOCK.txt", "MSFT\tMicrosoft\nAAPL\tApple\n");
        writeFile(index / "US.DJX.INDEX.txt", ".DJI\tDow Jones Industrial Average\n");
        provider = new QxGoogleDataDownloader(QxWebProviderPaths{wxString(user.string()), wxString(program.string())});
        provider->registerProvider();
    }
    void TearDown() override
    {
        provider->unregisterProvider();
        provider.reset();
        QxDataChangeReactorMgr::destroy();
        QxDataProviderRepository::destroy();
    }

    fs::path user, program, index;
    QxObjectSmartPtr<QxGoogleDataDownloader> provider;
};

} // namespace

TEST_F(IndexFixture, OpeningADatabaseFillsTheProvidersCategories)
{
    QxObjectSmartPtr<MemDatabase> db(new MemDatabase);
    // Another provider's category of the same name is not this provider's.
    db->add("US.NASDAQ.STOCK", "Yahoo!");
    QxDataChangeReactorMgr::instance()->notifyDatabaseOpened(db.get());

    auto* nasdaq = db->find("US.NASDAQ.STOCK", "Google");
    auto* djx = db->find("US.DJX.INDEX", "Google");
    ASSERT_TRUE(nasdaq && djx);
    EXPECT_EQ(db->find("US.NASDAQ.STOCK", "Yahoo!")->numSecurities(), 0u);
    ASSERT_EQ(nasdaq->numSecurities(), 2u);
    EXPECT_STREQ(nasdaq->find("AAPL")->name(), "Apple");
    EXPECT_STREQ(djx->find(".DJI")->name(), "Dow Jones Industrial Average");
    EXPECT_EQ(db->commits, 1);
    EXPECT_GT(nasdaq->updateTimestamp(), 0);
    // The securities came from the files and were not appended to them.
    EXPECT_EQ(readFile(index / "US.NASDAQ.STOCK.txt"), "MSFT\tMicrosoft\nAAPL\tApple\n");

    // A category updated after its file changed is not read again; one
    // whose file changed later is.
    nasdaq->removeSecurity(nasdaq->find("MSFT"));
    djx->setUpdateTimestamp(0);
    writeFile(index / "US.DJX.INDEX.txt", ".DJI\tDow Jones Industrial Average\n.DJT\tDow Jones Transportation\n");
    nasdaq->setUpdateTimestamp(timestampFromDateTime(wxDateTime::Now() + wxTimeSpan::Hours(1)));
    provider->populateDatabase(db.get());
    EXPECT_EQ(nasdaq->numSecurities(), 1u);
    EXPECT_EQ(djx->numSecurities(), 2u);

    // A read-only database is left alone.
    QxObjectSmartPtr<MemDatabase> readOnly(new MemDatabase);
    readOnly->readOnly = true;
    QxDataChangeReactorMgr::instance()->notifyDatabaseOpened(readOnly.get());
    EXPECT_EQ(readOnly->numCategories(), 0u);
}

TEST_F(IndexFixture, FilesFollowTheProvidersSecuritiesAndCategories)
{
    QxObjectSmartPtr<MemDatabase> db(new MemDatabase);
    provider->populateDatabase(db.get());
    auto* nasdaq = db->find("US.NASDAQ.STOCK", "Google");
    ASSERT_TRUE(nasdaq);

    // A new security is appended behind a line end, so a file that already
    // ends in one gets an empty line, which reading ignores.
    QxObjectSmartPtr<QxSecurity> added(nasdaq->addSecurity("NVDA", "NVIDIA\tCorp\nInc"));
    EXPECT_EQ(readFile(index / "US.NASDAQ.STOCK.txt"), "MSFT\tMicrosoft\nAAPL\tApple\n\nNVDA\tNVIDIA Corp Inc");
    QxSymbolMap map;
    QxWebDataDownloader::readSymbolIndexFile((index / "US.NASDAQ.STOCK.txt").string(), map);
    EXPECT_EQ(map.size(), 3u);

    // Securities of other providers' categories do not touch the files.
    auto* other = db->add("US.NASDAQ.STOCK", "Yahoo!");
    QxObjectSmartPtr<QxSecurity> foreign(other->addSecurity("ZZZ", "other"));
    QxObjectSmartPtr<QxSecurity> noProvider(db->add("US.NASDAQ.STOCK", "")->addSecurity("YYY", "none"));
    EXPECT_EQ(readFile(index / "US.NASDAQ.STOCK.txt").find("ZZZ"), std::string::npos);

    // A deleted security leaves the file when the database closes.
    nasdaq->find("AAPL")->deleteSecurity();
    other->find("ZZZ")->deleteSecurity();
    QxDataChangeReactorMgr::instance()->notifyDatabaseWillBeClosed(db.get());
    EXPECT_EQ(readFile(index / "US.NASDAQ.STOCK.txt"), "MSFT\tMicrosoft\nNVDA\tNVIDIA Corp Inc\n");

    // Deleting another provider's category of the same name keeps the file;
    // deleting the provider's own removes it.
    other->deleteCategory();
    EXPECT_TRUE(fs::exists(index / "US.NASDAQ.STOCK.txt"));
    nasdaq->deleteCategory();
    EXPECT_FALSE(fs::exists(index / "US.NASDAQ.STOCK.txt"));
    EXPECT_TRUE(fs::exists(index / "US.DJX.INDEX.txt"));
}

TEST_F(IndexFixture, CategoryNamesNeverReachOutsideTheIndexFolder)
{
    writeFile(user / "victim.txt", "keep me\n");
    QxObjectSmartPtr<MemDatabase> db(new MemDatabase);
    auto* evil = db->add("../../victim", "Google");
    QxObjectSmartPtr<QxSecurity> s(evil->addSecurity("EVIL", "x"));
    evil->deleteCategory();
    EXPECT_EQ(readFile(user / "victim.txt"), "keep me\n");
    EXPECT_FALSE(provider->indexFile("a/b").IsOk());
    EXPECT_FALSE(provider->indexFile("..").IsOk());
    EXPECT_TRUE(provider->indexFile("US.NYSE.STOCK").IsOk());
}

// With the real history database: the largest exchange lists add quickly
// in one transaction, and what a category cannot take is said once.
TEST_F(IndexFixture, LargeFilesFillTheHistoryDatabaseQuicklyAndRefusalsAreSaid)
{
    static QxPluginLoader* loader = [] {
        auto* l = new QxPluginLoader;
        l->loadPlugin(TestSupport::binDir() + "/trddb.trdx");
        return l;
    }();
    (void)loader;
    QxDataReader* reader = QxDataReaderRepository::instance()->getObj(QxAtom("com.Corvane.Trendoria.trddb"));
    ASSERT_NE(reader, nullptr);
    auto indexLines = [](int n) {
        std::string text;
        for (int i = 0; i < n; ++i)
            text += "T" + std::to_string(i) + "\tSecurity " + std::to_string(i) + "\n";
        return text;
    };
    std::vector<wxString> told;
    qxSetUserNoticeSink([&](const wxString& text) { told.push_back(text); });
    auto count = [](QxDatabase* db, const char* name) {
        QxObjectSmartPtr<QxCategory> cat(db->findCategory(name, "Google"));
        std::vector<QxObjectSmartPtr<QxSecurity>> list;
        if (cat)
            cat->listSecurities(list);
        return list.size();
    };
    // Opening a new database fills it from the files; the time it takes.
    auto fill = [&](const std::string& path) {
        const auto start = std::chrono::steady_clock::now();
        int error = 0;
        QxObjectSmartPtr<QxDatabase> db(reader->openDatabase(path, wxString(), &error));
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_TRUE(db) << error;
        return std::make_pair(db, std::chrono::duration_cast<std::chrono::milliseconds>(took).count());
    };
    // A quarter of the lines first: filling must grow with the lines, not
    // with their square (the ratio is kept loose for a busy machine).
    writeFile(index / "US.NYSE.STOCK.txt", indexLines(1));
    fill(TestSupport::makeTempDir("warm-up") + "/hist.trddb"); // first-use costs are not the lines
    writeFile(index / "US.NYSE.STOCK.txt", indexLines(2500));
    const auto small = fill(TestSupport::makeTempDir("small") + "/hist.trddb");
    writeFile(index / "US.NYSE.STOCK.txt", indexLines(10000) + "IBM\tupper\nIbm\tmixed\n");
    told.clear();
    const std::string path = TestSupport::makeTempDir("big") + "/hist.trddb";
    {
        const auto big = fill(path);
        ASSERT_TRUE(big.first);
        EXPECT_EQ(count(big.first.get(), "US.NYSE.STOCK"), 10001u);
        std::printf("index lines added: 2,500 in %lld ms, 10,002 in %lld ms\n", static_cast<long long>(small.second),
                    static_cast<long long>(big.second));
        EXPECT_LT(big.second, 8 * std::max<long long>(small.second, 50));
        ASSERT_EQ(told.size(), 1u);
        EXPECT_TRUE(told[0].Contains("Ibm")) << told[0];
        EXPECT_TRUE(told[0].Contains("letter case")) << told[0];
    }

    // A category whose ids are nearly used up takes what fits and says so.
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(raw,
                               "UPDATE sqlite_sequence SET seq=65534 WHERE name LIKE '%NASDAQ%';"
                               "UPDATE security_category SET update_timestamp=0;",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(raw);
    }
    writeFile(index / "US.NASDAQ.STOCK.txt", "MSFT\tMicrosoft\nAAPL\tApple\nA1\ta\nA2\tb\nA3\tc\n");
    told.clear();
    int error = 0;
    QxObjectSmartPtr<QxDatabase> db(reader->openDatabase(path, wxString(), &error));
    ASSERT_TRUE(db) << error;
    EXPECT_EQ(count(db.get(), "US.NASDAQ.STOCK"), 3u);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(told[0].Contains("65,535")) << told[0];
    EXPECT_TRUE(told[0].Contains("2 securities")) << told[0];
    qxSetUserNoticeSink(nullptr);
}
