#include "plugins/trddb/TrdDatabase.h"

#include "core/QxDataChangeReactorMgr.h"
#include "core/QxErrorCode.h"
#include "core/platform/CorvAlloc.h"
#include "plugins/trddb/TrdCategory.h"
#include "plugins/trddb/TrdDataReader.h"
#include "plugins/trddb/TrdScopedTransaction.h"
#include "plugins/trddb/TrdSecurity.h"
#include "plugins/trddb/TrdSql.h"
#include "plugins/trddb/TrdStatement.h"

#include <sys/stat.h>
#include "plugins/trddb/TrdTableIterator.h"

#include <cstdlib>
#include <cstring>

namespace {

const char* const kCategorySchema =
    "CREATE TABLE IF NOT EXISTS security_category(category_id INTEGER NOT NULL UNIQUE PRIMARY KEY "
    "AUTOINCREMENT,security_type TEXT,country TEXT,exchange TEXT,data_provider TEXT,update_timestamp INTEGER);";
const char* const kClientDataSchema = "CREATE TABLE IF NOT EXISTS client_data(key  TEXT NOT NULL UNIQUE, data TEXT);";

// Security ids carry the category id in their upper 16 bits.
constexpr sqlite3_int64 kMaxRowId = 0xFFFF;

// Process-wide, so tokens differ across databases too.
int s_lastToken = 0;

std::string savepointName(int token)
{
    return "trd_sp" + std::to_string(token);
}

std::string lowerAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

} // namespace

bool trdSplitCategoryName(const char* name, std::string& country, std::string& exchange, std::string& code)
{
    if (!name)
        return false;
    const std::string s(name);
    const size_t dot1 = s.find('.');
    if (dot1 == std::string::npos || dot1 == 0)
        return false;
    country = s.substr(0, dot1);
    const std::string rest = s.substr(dot1 + 1);
    const size_t dot2 = rest.find('.');
    exchange = rest.substr(0, dot2);
    if (exchange.empty())
        return false;
    if (dot2 == std::string::npos || dot2 + 1 == rest.size()) {
        code = exchange;
        return true;
    }
    const std::string tail = rest.substr(dot2 + 1);
    code = tail.substr(0, tail.find('.'));
    return !code.empty();
}

TrdDatabase::TrdDatabase(const wxString& path) : m_path(path), m_pathUtf8(path.utf8_string()) {}

TrdDatabase::~TrdDatabase()
{
    if (m_db && m_announced)
        QxDataChangeReactorMgr::instance()->notifyDatabaseWillBeClosed(this);
    closeConnection();
}

TrdDatabase* TrdDatabase::open(const wxString& path, int* errorOut)
{
    int rc = 0;
    TrdDatabase* db = nullptr;
    // A 3.00 file is upgraded by a first connection that holds a counted
    // reference (the upgrade walks categories and securities, which count
    // their database) and then reopened as a 3.01 file.
    for (int attempt = 0; attempt < 2; ++attempt) {
        db = new TrdDatabase(path);
        rc = db->openFile();
        if (rc != kNeedsMigration)
            break;
        QxObjectSmartPtr<TrdDatabase> upgrading(db);
        db = nullptr;
        rc = upgrading->migrateFrom300();
        if (rc != 0)
            break;
    }
    if (rc == kNeedsMigration)
        rc = eDbIncompatible;
    if (errorOut)
        *errorOut = rc;
    if (rc != 0) {
        if (db)
            db->release(); // never referenced: this deletes it
        return nullptr;
    }
    // Reactors that keep the database take their own reference; the caller
    // gets it with a count of 0 as every data interface hands objects out.
    // It is counted while announced: reactors that fill it make and drop
    // categories, each holding the database, and the first drop to 0 would
    // otherwise delete it under them.
    db->m_announced = true;
    db->addRef();
    QxDataChangeReactorMgr::instance()->notifyDatabaseOpened(db);
    db->releaseForHandOut();
    return db;
}

QxDatabase* TrdDatabase::openReader()
{
    if (!m_db)
        return nullptr;
    // The file is known to be one of ours at the current version: this
    // handle opened it. The reader only reads, so it needs neither checks
    // nor an upgrade, and tells no reactor about itself.
    auto* reader = new TrdDatabase(m_path);
    // One thread uses the reader at a time (the one that owns it), so its
    // connection needs no mutex of its own.
    if (sqlite3_open_v2(m_pathUtf8.c_str(), &reader->m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK) {
        sqlite3_close_v2(reader->m_db);
        reader->m_db = nullptr;
        reader->release();
        return nullptr;
    }
    trdConnectionOpened();
    sqlite3_busy_timeout(reader->m_db, kBusyTimeoutMs);
    trdRegisterRegexp(reader->m_db);
    sqlite3_extended_result_codes(reader->m_db, 0);
    reader->m_readOnly = true;
    return reader;
}

void TrdDatabase::closeConnection()
{
    if (!m_db)
        return;
    // An open transaction of a closing database is abandoned, not committed.
    if (!sqlite3_get_autocommit(m_db))
        trdExec(m_db, "ROLLBACK;");
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_transactions.clear();
    trdConnectionClosed();
}

int TrdDatabase::openFile()
{
    const char* file = m_pathUtf8.c_str();
    // Only a regular file (or none yet): opening a pipe or device would
    // block or read from it.
    struct stat info;
    if (::stat(file, &info) == 0 && !S_ISREG(info.st_mode))
        return eFailedToOpenDatabase;
    bool created = false;
    int rc = sqlite3_open_v2(file, &m_db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        rc = sqlite3_open_v2(file, &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        if (rc == SQLITE_OK) {
            created = true;
        } else {
            sqlite3_close_v2(m_db);
            m_db = nullptr;
            rc = sqlite3_open_v2(file, &m_db, SQLITE_OPEN_READONLY, nullptr);
            if (rc != SQLITE_OK) {
                sqlite3_close_v2(m_db);
                m_db = nullptr;
                return eFailedToOpenDatabase;
            }
        }
    }
    trdConnectionOpened();
    // Another program writing the file holds it a moment: wait for it
    // rather than failing at once.
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    trdRegisterRegexp(m_db);
    sqlite3_extended_result_codes(m_db, 0);
    // A write-protected file opens "read-write" but accepts no writes.
    m_readOnly = sqlite3_db_readonly(m_db, "main") == 1;

    if (created) {
        const int code = createSchema();
        if (code != 0)
            closeConnection();
        return code;
    }

    std::string version;
    int readRc = SQLITE_OK;
    if (!readClientData("VERSION", version, &readRc)) {
        closeConnection();
        // Still held by another program after the wait: in use, not bad.
        if ((readRc & 0xff) == SQLITE_BUSY || (readRc & 0xff) == SQLITE_LOCKED)
            return -SQLITE_BUSY;
        // Not SQLite, damaged or unreadable: nothing was written to it.
        return trdIsDamagedFileCode(readRc) ? eFailedToOpenDatabase : eDbIncompatible;
    }
    const int v = versionNumber(version.c_str());
    if (v < 300) {
        closeConnection();
        return eDbIncompatible;
    }
    // A read-only 3.00 file cannot be upgraded; it is read as it stands.
    if (v == 300 && !m_readOnly)
        return kNeedsMigration;
    return 0;
}

int TrdDatabase::createSchema()
{
    // One transaction, so an interrupted creation leaves no half-made schema.
    TrdScopedTransaction tx(this);
    if (tx.result() != 0)
        return tx.result();
    int code = trdExec(m_db, kCategorySchema);
    if (code == 0)
        code = setClientData("VERSION", currentVersion, std::strlen(currentVersion));
    return tx.finish(code);
}

int TrdDatabase::migrateFrom300()
{
    // The prices of the "Google" categories of 3.00 files are unusable and go;
    // the deletes and the new version are one transaction.
    TrdScopedTransaction tx(this);
    if (tx.result() != 0)
        return tx.result();
    // A step that fails leaves the file as it was (the transaction is
    // rolled back) and is the result.
    std::vector<QxObjectSmartPtr<QxCategory>> categories;
    if (const int code = getCategories(categories, "Google"))
        return tx.finish(code);
    for (const auto& category : categories) {
        std::vector<QxObjectSmartPtr<QxSecurity>> securities;
        if (const int code = category->listSecurities(securities))
            return tx.finish(code);
        for (const auto& security : securities) {
            int64_t from = 0, to = 0;
            if (const int code = security->deleteHistory(from, to))
                return tx.finish(code);
        }
    }
    return tx.finish(setClientData("VERSION", currentVersion, std::strlen(currentVersion)));
}

int TrdDatabase::versionNumber(const char* text)
{
    if (!text)
        return 0;
    const double value = std::strtod(text, nullptr);
    if (!(value > 0) || value > 1e6)
        return 0;
    return int(value * 100 + 0.5);
}

QxAtom TrdDatabase::readerId() const
{
    return TrdDataReader::readerAtom();
}

int TrdDatabase::getCategories(std::vector<QxObjectSmartPtr<QxCategory>>& out, const char* provider)
{
    QxObjectSmartPtr<TrdCategoryIterator> it(new TrdCategoryIterator(this, provider));
    for (; !it->atEnd(); it->next())
        out.emplace_back(new TrdCategory(it->currentId(), this));
    return 0;
}

QxCategory* TrdDatabase::findCategory(const char* name, const char* provider)
{
    std::string country, exchange, code;
    if (!trdSplitCategoryName(name, country, exchange, code))
        return nullptr;
    const unsigned id = findCategoryId(country.c_str(), code.c_str(), exchange.c_str(), provider);
    return id ? new TrdCategory(id, this) : nullptr;
}

QxCategory* TrdDatabase::getCategory(unsigned categoryId)
{
    return new TrdCategory(categoryId, this);
}

QxSecurity* TrdDatabase::getSecurity(unsigned securityId)
{
    QxObjectSmartPtr<TrdCategory> category(new TrdCategory(securityId >> 16, this));
    if (!category->exists())
        return nullptr;
    return category->getSecurity(securityId);
}

QxCategory* TrdDatabase::createCategory(const char* name, const char* provider)
{
    std::string country, exchange, code;
    if (!trdSplitCategoryName(name, country, exchange, code)) {
        m_lastError = eInvalidInput;
        return nullptr;
    }
    return insertCategoryRow(country.c_str(), code.c_str(), exchange.c_str(), provider ? provider : "");
}

TrdCategory* TrdDatabase::insertCategoryRow(const char* country, const char* assetCode, const char* exchange,
                                            const char* provider)
{
    if (!m_db) {
        m_lastError = eFailedToOpenDatabase;
        return nullptr;
    }
    if (!country || !assetCode || !exchange) {
        m_lastError = eInvalidInput;
        return nullptr;
    }
    if (!provider)
        provider = "";
    // The category is known by these four texts: creating it again hands out
    // the existing one instead of a twin sharing its tables.
    if (unsigned existing = findCategoryId(country, assetCode, exchange, provider)) {
        m_lastError = 0;
        return new TrdCategory(existing, this);
    }
    // Table names ignore letter case, so a category whose list table would
    // coincide with another's is refused.
    const std::string newTable = lowerAscii(TrdCategory::listTableName(provider, assetCode, exchange, country));
    {
        TrdStatement all(m_db, "SELECT category_id, security_type, exchange, country, data_provider FROM "
                               "security_category;");
        if (all.ok()) {
            while (all.step() == SQLITE_ROW) {
                const std::string table = TrdCategory::listTableName(all.columnText(4), all.columnText(1),
                                                                     all.columnText(2), all.columnText(3));
                if (lowerAscii(table) == newTable) {
                    m_lastError = eObjectWithSameNameAlreadyExists;
                    return nullptr;
                }
            }
        }
    }

    TrdScopedTransaction tx(this);
    if (tx.result() != 0) {
        m_lastError = tx.result();
        return nullptr;
    }
    TrdStatement insert(m_db, "INSERT INTO security_category (country, security_type, exchange, data_provider) "
                              "VALUES(?,?,?,?);");
    if (!insert.ok()) {
        m_lastError = tx.finish(insert.error());
        return nullptr;
    }
    insert.bindText(1, country);
    insert.bindText(2, assetCode);
    insert.bindText(3, exchange);
    insert.bindText(4, provider);
    const int rc = insert.step();
    if (rc != SQLITE_DONE) {
        m_lastError = tx.finish(-rc);
        return nullptr;
    }
    const sqlite3_int64 rowId = sqlite3_last_insert_rowid(m_db);
    if (rowId <= 0 || rowId > kMaxRowId) {
        tx.finish(eDataOutOfRange);
        m_lastError = eDataOutOfRange;
        return nullptr;
    }
    const int code = tx.finish(0);
    if (code != 0) {
        m_lastError = code;
        return nullptr;
    }
    m_lastError = 0;
    {
        // Reactors get an object of their own, held for the call, so one that
        // takes and drops a reference cannot delete what the caller receives.
        QxObjectSmartPtr<TrdCategory> announced(new TrdCategory(unsigned(rowId), this));
        QxDataChangeReactorMgr::instance()->notifyCategoryAdded(announced.get());
    }
    return new TrdCategory(unsigned(rowId), this);
}

unsigned TrdDatabase::findCategoryId(const char* country, const char* assetCode, const char* exchange,
                                     const char* provider)
{
    if (!country || !assetCode || !exchange)
        return 0;
    std::string sql = "SELECT category_id FROM security_category WHERE country =? AND security_type =? AND "
                      "exchange =?";
    if (provider)
        sql += " AND data_provider =?";
    sql += ";";
    TrdStatement st(m_db, sql);
    if (!st.ok())
        return 0;
    st.bindText(1, country);
    st.bindText(2, assetCode);
    st.bindText(3, exchange);
    if (provider)
        st.bindText(4, provider);
    return st.step() == SQLITE_ROW ? unsigned(st.columnInt64(0)) : 0;
}

int TrdDatabase::deleteCategoryRow(unsigned categoryId)
{
    return trdExec(m_db, "DELETE FROM security_category WHERE category_id =" + std::to_string(categoryId) + ";");
}

int TrdDatabase::setClientData(const char* key, const char* data, std::size_t length)
{
    if (!key)
        return eInvalidInput;
    const int created = trdExec(m_db, kClientDataSchema);
    if (created != 0)
        return created;
    TrdStatement st(m_db, "INSERT OR REPLACE INTO client_data VALUES(?, ?);");
    if (!st.ok())
        return st.error();
    st.bindText(1, key);
    st.bindText(2, data ? data : "", data ? int(length) : 0);
    return st.step() == SQLITE_DONE ? 0 : eSqliteError;
}

bool TrdDatabase::readClientData(const char* key, std::string& data, int* rc)
{
    TrdStatement st(m_db, "SELECT data FROM client_data WHERE key = ?;");
    if (!st.ok()) {
        *rc = -st.error();
        return false;
    }
    st.bindText(1, key);
    *rc = st.step();
    if (*rc != SQLITE_ROW)
        return false;
    data = st.columnText(0);
    return true;
}

char* TrdDatabase::getClientData(const char* key, std::size_t* lengthOut)
{
    if (lengthOut)
        *lengthOut = 0;
    if (!key || !m_db)
        return nullptr;
    std::string data;
    int rc = 0;
    if (!readClientData(key, data, &rc) || data.empty())
        return nullptr;
    char* buffer = static_cast<char*>(CorvMalloc(data.size() + 1));
    if (!buffer)
        return nullptr;
    std::memcpy(buffer, data.c_str(), data.size() + 1);
    if (lengthOut)
        *lengthOut = data.size() + 1;
    return buffer;
}

// Nesting: the outermost level is the SQLite transaction; inner levels are
// savepoints, so an inner rollback undoes exactly its own work and the
// outermost end decides whether the rest is kept.
int TrdDatabase::beginTransaction()
{
    int token = 0;
    begin(&token);
    return token;
}

int TrdDatabase::begin(int* token)
{
    *token = 0;
    if (!m_db)
        return eFailedToOpenDatabase;
    const int next = ++s_lastToken;
    const int rc = trdExec(m_db, m_transactions.empty() ? std::string("BEGIN;")
                                                        : "SAVEPOINT " + savepointName(next) + ";");
    if (rc != 0)
        return rc;
    m_transactions.push_back(next);
    *token = next;
    return 0;
}

int TrdDatabase::commit(int)
{
    if (m_transactions.empty())
        return eNoActiveTransaction;
    const int token = m_transactions.back();
    m_transactions.pop_back();
    if (!m_transactions.empty())
        return trdExec(m_db, "RELEASE " + savepointName(token) + ";");
    const int rc = trdExec(m_db, "COMMIT;");
    // A commit that failed must not leave SQLite inside a transaction the
    // stack no longer knows of.
    if (rc != 0 && !sqlite3_get_autocommit(m_db))
        trdExec(m_db, "ROLLBACK;");
    return rc;
}

int TrdDatabase::rollback(int)
{
    if (m_transactions.empty())
        return eNoActiveTransaction;
    const int token = m_transactions.back();
    m_transactions.pop_back();
    if (!m_transactions.empty()) {
        const std::string name = savepointName(token);
        const int rc = trdExec(m_db, "ROLLBACK TO " + name + ";");
        trdExec(m_db, "RELEASE " + name + ";");
        return rc;
    }
    // SQLite may have ended the transaction itself after an I/O error.
    if (sqlite3_get_autocommit(m_db))
        return 0;
    return trdExec(m_db, "ROLLBACK;");
}
