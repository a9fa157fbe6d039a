// The database file: schema of a new file, versions, damaged files,
// read-only files, nested transactions and client data.
#include "support/TestSupport.h"
#include "plugins/trddb/TrdTestSupport.h"

#include "core/QxCategory.h"
#include "core/QxErrorCode.h"
#include "core/platform/CorvAlloc.h"
#include "plugins/trddb/TrdDatabase.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <cstring>

using namespace TrdTest;

namespace {

std::string clientData(TrdDatabase* db, const char* key, size_t* length = nullptr)
{
    size_t len = 0;
    char* data = db->getClientData(key, &len);
    if (length)
        *length = len;
    std::string s = data ? std::string(data) : std::string("<null>");
    CorvFree(data);
    return s;
}

int openCode(const std::string& path)
{
    int rc = -12345;
    QxObjectSmartPtr<TrdDatabase> db(TrdDatabase::open(wxString::FromUTF8(path.c_str()), &rc));
    EXPECT_EQ(rc == 0, bool(db));
    return rc;
}

size_t count(const std::vector<std::string>& v, const std::string& s)
{
    return size_t(std::count(v.begin(), v.end(), s));
}

} // namespace

TEST(TrdDatabaseFile, NewFileHasTheSchemaAndTheCurrentVersion)
{
    const std::string path = newDatabasePath();
    {
        QxObjectSmartPtr<TrdDatabase> db = openDb(path);
        ASSERT_TRUE(db);
        EXPECT_FALSE(db->isReadOnly());
        EXPECT_STREQ(db->path(), path.c_str());
        EXPECT_EQ(db->readerId(), "com.Corvane.Trendoria.trddb");
        size_t length = 0;
        EXPECT_EQ(clientData(db.get(), "VERSION", &length), "3.01");
        EXPECT_EQ(length, 5u); // the text and its NUL
    }
    const std::string schema = sqliteShell(path, ".schema");
    EXPECT_NE(schema.find("CREATE TABLE security_category(category_id INTEGER NOT NULL UNIQUE PRIMARY KEY "
                          "AUTOINCREMENT,security_type TEXT,country TEXT,exchange TEXT,data_provider "
                          "TEXT,update_timestamp INTEGER);"),
              std::string::npos)
        << schema;
    EXPECT_NE(schema.find("CREATE TABLE client_data(key  TEXT NOT NULL UNIQUE, data TEXT);"), std::string::npos)
        << schema;
    EXPECT_EQ(query(path, "SELECT data FROM client_data WHERE key='VERSION'"), std::vector<std::string>{"3.01"});
}

TEST(TrdDatabaseFile, VersionsAreAcceptedMigratedOrRefused)
{
    struct Case {
        const char* stored; // null: no VERSION row at all
        int code;
        const char* after;
    };
    const Case cases[] = {
        {"3.01", 0, "3.01"}, {"3.00", 0, "3.01"},  {"4.00", 0, "4.00"},         {"3.004", 0, "3.01"},
        {"2.99", eDbIncompatible, "2.99"},         {"abc", eDbIncompatible, "abc"}, {nullptr, eDbIncompatible, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(missing)");
        const std::string path = newDatabasePath();
        {
            QxObjectSmartPtr<TrdDatabase> db = openDb(path);
            ASSERT_TRUE(db);
            if (c.stored)
                ASSERT_EQ(db->setClientData("VERSION", c.stored, std::strlen(c.stored)), 0);
            else
                ASSERT_TRUE(query(db->connection(), "DELETE FROM client_data WHERE key='VERSION'").empty());
        }
        const std::string before = fileBytes(path);
        EXPECT_EQ(openCode(path), c.code);
        const auto version = query(path, "SELECT data FROM client_data WHERE key='VERSION'");
        EXPECT_EQ(version.empty() ? std::string() : version[0], c.after);
        if (c.code != 0) {
            EXPECT_EQ(fileBytes(path), before) << "a refused file must stay as it was";
        }
    }
}

TEST(TrdDatabaseFile, MigrationFrom300DropsOnlyTheGoogleHistories)
{
    const std::string path = newDatabasePath();
    unsigned googleId = 0, otherId = 0;
    {
        QxObjectSmartPtr<TrdDatabase> db = openDb(path);
        ASSERT_TRUE(db);
        for (const char* provider : {"Google", "Yahoo"}) {
            QxObjectSmartPtr<QxCategory> cat(db->createCategory("US.NYSE.STOCK", provider));
            ASSERT_TRUE(cat);
            QxObjectSmartPtr<QxSecurity> ibm(cat->addSecurity("IBM", "IBM"));
            ASSERT_TRUE(ibm);
            QxObjectSmartPtr<QxPriceHistory> h(makeHistory(Qx::eStock, 0, 20));
            ASSERT_EQ(ibm->saveHistory(h.get()), 0);
            (std::string(provider) == "Google" ? googleId : otherId) = ibm->id();
        }
        ASSERT_EQ(db->setClientData("VERSION", "3.00", 4), 0);
    }
    QxObjectSmartPtr<TrdDatabase> db = openDb(path);
    ASSERT_TRUE(db);
    EXPECT_EQ(clientData(db.get(), "VERSION"), "3.01");
    int64_t from = 0, to = 0;
    QxObjectSmartPtr<QxSecurity> google(db->getSecurity(googleId));
    QxObjectSmartPtr<QxSecurity> other(db->getSecurity(otherId));
    ASSERT_TRUE(google && other);
    QxObjectSmartPtr<QxPriceHistory> gone(google->getHistory(Qx::eDaily, from, to));
    QxObjectSmartPtr<QxPriceHistory> kept(other->getHistory(Qx::eDaily, from, to));
    EXPECT_FALSE(gone);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->numBars(), 20u);
}

TEST(TrdDatabaseFile, DamagedOrForeignFilesAreRefusedAndLeftAlone)
{
    // A real database with some bars, for the truncated case.
    const std::string good = newDatabasePath("good.trddb");
    {
        QxObjectSmartPtr<TrdDatabase> db = openDb(good);
        ASSERT_TRUE(db);
        QxObjectSmartPtr<QxCategory> cat(db->createCategory("US.NYSE.STOCK", "Google"));
        QxObjectSmartPtr<QxSecurity> s(cat->addSecurity("IBM", "IBM"));
        QxObjectSmartPtr<QxPriceHistory> h(makeHistory(Qx::eStock, 0, 5000));
        ASSERT_EQ(s->saveHistory(h.get()), 0);
    }
    const std::string full = fileBytes(good);
    ASSERT_GT(full.size(), 65536u);
    std::string garbage(8192, '\0');
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 131 + 7) % 251);
    std::string badHeader = full;
    badHeader.replace(0, 16, "NotSQLiteFormat");

    struct Case {
        const char* name;
        std::string bytes;
        int code;
    };
    const Case cases[] = {
        {"garbage", garbage, eFailedToOpenDatabase},
        {"text", "Date,Open,High,Low,Close,Volume\n2014-01-02,1,2,3,4,5\n", eFailedToOpenDatabase},
        {"wrong header", badHeader, eFailedToOpenDatabase},
        {"truncated", full.substr(0, full.size() / 2), eFailedToOpenDatabase},
        {"empty", "", eDbIncompatible},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = newDatabasePath();
        writeFile(path, c.bytes);
        EXPECT_EQ(openCode(path), c.code);
        EXPECT_EQ(fileBytes(path), c.bytes) << "the file must not be modified";
    }
    // A folder is no database either, nor a pipe (which used to block for ever).
    EXPECT_EQ(openCode(TestSupport::makeTempDir("folder")), eFailedToOpenDatabase);
    const std::string fifo = TestSupport::makeTempDir("fifo") + "/hist.trddb";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(openCode(fifo), eFailedToOpenDatabase);
}

// A database another program is writing is waited for a few seconds, then
// reported in use; the file is neither called incompatible nor touched.
TEST(TrdDatabaseFile, BusyFileIsWaitedForThenReportedInUse)
{
    const std::string path = newDatabasePath();
    {
        int rc = 0;
        QxObjectSmartPtr<TrdDatabase> db(TrdDatabase::open(wxString::FromUTF8(path), &rc));
        ASSERT_EQ(rc, 0);
    }
    sqlite3* writer = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &writer), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(writer, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    const std::string before = fileBytes(path);

    const auto start = std::chrono::steady_clock::now();
    const int code = openCode(path);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(code, -SQLITE_BUSY);
    EXPECT_EQ(qxErrorDesc(code), "The database is in use by another program.");
    EXPECT_GE(waited, std::chrono::milliseconds(TrdDatabase::kBusyTimeoutMs - 100));
    EXPECT_EQ(fileBytes(path), before);

    // Released within the wait, it opens.
    std::thread release([writer] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(writer, "COMMIT", nullptr, nullptr, nullptr);
    });
    EXPECT_EQ(openCode(path), 0);
    release.join();
    sqlite3_close(writer);
}

TEST(TrdDatabaseFile, WriteProtectedFileOpensReadOnlyAndRefusesWrites)
{
    const std::string path = newDatabasePath();
    {
        QxObjectSmartPtr<TrdDatabase> db = openDb(path);
        ASSERT_TRUE(db);
        QxObjectSmartPtr<QxCategory> cat(db->createCategory("US.NYSE.STOCK", "Google"));
        QxObjectSmartPtr<QxSecurity> s(cat->addSecurity("IBM", "IBM"));
        QxObjectSmartPtr<QxPriceHistory> h(makeHistory(Qx::eStock, 0, 10));
        ASSERT_EQ(s->saveHistory(h.get()), 0);
    }
    const std::string before = fileBytes(path);
    // The superuser writes anywhere, so the check runs as an ordinary user.
    const std::string home = TestSupport::homeDir();
    for (std::string d = path.substr(0, path.rfind('/')); d.size() >= home.size(); d = d.substr(0, d.rfind('/')))
        chmod(d.c_str(), 0755);
    chmod(path.c_str(), 0444);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(10);
        int rc = -1;
        TrdDatabase* db = TrdDatabase::open(wxString::FromUTF8(path.c_str()), &rc);
        if (!db || rc != 0)
            _exit(11);
        db->addRef();
        int status = 0;
        if (!db->isReadOnly())
            status = 12;
        QxObjectSmartPtr<QxSecurity> s(db->getSecurity((1u << 16) | 1u));
        int64_t from = 0, to = 0;
        QxObjectSmartPtr<QxPriceHistory> h(s ? s->getHistory(Qx::eDaily, from, to) : nullptr);
        if (!status && (!h || h->numBars() != 10))
            status = 13;
        QxObjectSmartPtr<QxPriceHistory> more(makeHistory(Qx::eStock, 100, 3));
        if (!status && (!s || s->saveHistory(more.get()) != -SQLITE_READONLY))
            status = 14;
        if (!status && db->setClientData("k", "v", 1) == 0)
            status = 15;
        db->release();
        _exit(status);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10 setuid, 11 open, 12 not read-only, 13 read, 14 save, 15 client data";
    chmod(path.c_str(), 0644);
    EXPECT_EQ(fileBytes(path), before);
}

TEST(TrdDatabaseTransactions, OnlyTheOutermostLevelReachesSqlite)
{
    const std::string path = newDatabasePath();
    QxObjectSmartPtr<TrdDatabase> db = openDb(path);
    ASSERT_TRUE(db);
    std::vector<std::string> statements;
    sqlite3_trace_v2(
        db->connection(), SQLITE_TRACE_STMT,
        [](unsigned, void* ctx, void* p, void*) {
            static_cast<std::vector<std::string>*>(ctx)->push_back(sqlite3_sql(static_cast<sqlite3_stmt*>(p)));
            return 0;
        },
        &statements);

    EXPECT_EQ(db->commit(0), eNoActiveTransaction);
    EXPECT_EQ(db->rollback(0), eNoActiveTransaction);

    // begin, begin, commit, rollback: the inner commit keeps nothing.
    const int outer = db->beginTransaction();
    QxObjectSmartPtr<QxCategory> a(db->createCategory("US.NYSE.STOCK", "A"));
    const int inner = db->beginTransaction();
    EXPECT_GT(outer, 0);
    EXPECT_GT(inner, outer);
    QxObjectSmartPtr<QxCategory> b(db->createCategory("US.NYSE.STOCK", "B"));
    EXPECT_TRUE(db->inTransaction());
    EXPECT_EQ(db->commit(inner), 0);
    EXPECT_TRUE(db->inTransaction());
    EXPECT_EQ(db->rollback(outer), 0);
    EXPECT_FALSE(db->inTransaction());
    EXPECT_EQ(count(statements, "BEGIN;"), 1u);
    EXPECT_EQ(count(statements, "ROLLBACK;"), 1u);
    EXPECT_EQ(count(statements, "COMMIT;"), 0u);
    EXPECT_TRUE(query(db->connection(), "SELECT category_id FROM security_category").empty());

    // An inner rollback undoes exactly the inner work; the outer commit keeps the rest.
    const int t1 = db->beginTransaction();
    QxObjectSmartPtr<QxCategory> c(db->createCategory("US.NYSE.STOCK", "C"));
    const int t2 = db->beginTransaction();
    QxObjectSmartPtr<QxCategory> d(db->createCategory("US.NYSE.STOCK", "D"));
    EXPECT_EQ(db->rollback(t2), 0);
    EXPECT_EQ(db->commit(t1), 0);
    EXPECT_EQ(query(db->connection(), "SELECT data_provider FROM security_category"),
              std::vector<std::string>{"C"});
    sqlite3_trace_v2(db->connection(), 0, nullptr, nullptr);
}

TEST(TrdDatabaseClientData, KeysAreBoundAsTyped)
{
    const std::string path = newDatabasePath();
    QxObjectSmartPtr<TrdDatabase> db = openDb(path);
    ASSERT_TRUE(db);
    struct Case {
        const char* key;
        const char* data;
    };
    const Case cases[] = {
        {"plain", "value"},
        {"with \"double\" quotes", "dq"},
        {"it's", "single quote"},
        {"\" OR 1=1 --", "not an injection"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(db->setClientData(c.key, c.data, std::strlen(c.data)), 0) << c.key;
    for (const Case& c : cases) {
        size_t length = 0;
        EXPECT_EQ(clientData(db.get(), c.key, &length), c.data) << c.key;
        EXPECT_EQ(length, std::strlen(c.data) + 1);
    }
    // Replacing, a length shorter than the text, empty data and absent keys.
    EXPECT_EQ(db->setClientData("plain", "second value", 6), 0);
    EXPECT_EQ(clientData(db.get(), "plain"), "second");
    EXPECT_EQ(db->setClientData("empty", "", 0), 0);
    size_t length = 99;
    EXPECT_EQ(clientData(db.get(), "empty", &length), "<null>");
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(clientData(db.get(), "absent"), "<null>");
    EXPECT_EQ(clientData(db.get(), "VERSION"), "3.01");
    EXPECT_EQ(query(db->connection(), "SELECT COUNT(*) FROM client_data"), std::vector<std::string>{"6"});
}
