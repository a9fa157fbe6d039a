#include "plugins/trddb/TrdCategory.h"

#include "core/QxDataChangeReactorMgr.h"
#include "core/QxErrorCode.h"
#include "plugins/trddb/TrdDatabase.h"
#include "plugins/trddb/TrdScopedTransaction.h"
#include "plugins/trddb/TrdSecurity.h"
#include "plugins/trddb/TrdSql.h"
#include "plugins/trddb/TrdStatement.h"
#include "plugins/trddb/TrdTableIterator.h"

namespace {
// Security ids keep the row id in their low 16 bits.
constexpr sqlite3_int64 kMaxRowId = 0xFFFF;
} // namespace

TrdCategory::TrdCategory(unsigned categoryId, TrdDatabase* database)
    : m_id(categoryId), m_database(database), m_assetClass(QxAssetClassTable().getAssestClassFromCode(wxString())),
      m_securityType(m_assetClass.securityType())
{
    TrdStatement st(connection(), "SELECT security_type, exchange, country, data_provider, update_timestamp FROM "
                                  "security_category WHERE category_id =" +
                                      std::to_string(categoryId) + ";");
    if (!st.ok() || st.step() != SQLITE_ROW)
        return;
    m_exists = true;
    m_assetCode = st.columnText(0);
    m_exchange = st.columnText(1);
    m_country = st.columnText(2);
    m_provider = st.columnText(3);
    m_listTable = trdQuoteName(listTableName(m_provider, m_assetCode, m_exchange, m_country));
    // A code the table does not know reads as a stock category.
    m_assetClass = QxAssetClassTable().getAssestClassFromCode(wxString::FromUTF8(m_assetCode.c_str()));
    m_securityType = m_assetClass.securityType();
    m_name = m_country;
    if (m_securityType != Qx::eFund)
        m_name += "." + m_exchange;
    m_name += "." + m_assetCode;
}

TrdCategory::~TrdCategory()
{
    sqlite3_finalize(m_insert);
}

std::string TrdCategory::listTableName(const std::string& provider, const std::string& assetCode,
                                       const std::string& exchange, const std::string& country)
{
    std::string name = "security_list_for_" + provider + ":" + assetCode;
    if (!exchange.empty())
        name += "_" + exchange;
    return name + "_" + country;
}

QxDatabase* TrdCategory::database() const
{
    return m_database.get();
}

sqlite3* TrdCategory::connection() const
{
    return m_database ? m_database->connection() : nullptr;
}

std::string TrdCategory::securityColumns() const
{
    std::string columns = "security_id,ticker,security_name";
    if (m_securityType == Qx::eFuture || m_securityType == Qx::eOption)
        columns += ",expiry_date";
    if (m_securityType == Qx::eOption)
        columns += ",strike_price";
    return columns;
}

int TrdCategory::createSecurityTable()
{
    if (!m_exists)
        return eObjectNotFound;
    std::string sql = "CREATE TABLE IF NOT EXISTS " + m_listTable +
                      "(security_id INTEGER NOT NULL UNIQUE PRIMARY KEY AUTOINCREMENT,category_id INTEGER NOT "
                      "NULL,ticker TEXT UNIQUE,security_name TEXT,";
    if (m_securityType == Qx::eFuture || m_securityType == Qx::eOption)
        sql += "expiry_date INTEGER,";
    if (m_securityType == Qx::eOption)
        sql += "strike_price FLOAT,";
    sql += "last_update_time_stamp INTEGER);";
    const int rc = trdExec(connection(), sql);
    if (rc != 0)
        return rc;
    // The letter-case check of addSecurity looks tickers up ignoring case;
    // without an index of that collation every addition scans the list.
    return trdExec(connection(), "CREATE INDEX IF NOT EXISTS " +
                                     trdQuoteName(listTableName(m_provider, m_assetCode, m_exchange, m_country) +
                                                  "_ticker_nocase") +
                                     " ON " + m_listTable + "(ticker COLLATE NOCASE);");
}

int TrdCategory::listSecurities(std::vector<QxObjectSmartPtr<QxSecurity>>& out)
{
    return searchSecurities(nullptr, nullptr, out);
}

int TrdCategory::searchSecurities(const char* tickerPattern, const char* namePattern,
                                  std::vector<QxObjectSmartPtr<QxSecurity>>& out)
{
    if (!m_exists)
        return 0;
    QxObjectSmartPtr<TrdSecurityIterator> it(new TrdSecurityIterator(this, tickerPattern, namePattern));
    for (; !it->atEnd(); it->next())
        out.emplace_back(it->currentSecurity());
    return 0;
}

QxSecurity* TrdCategory::findSecurity(const char* ticker)
{
    if (!m_exists || !ticker)
        return nullptr;
    TrdStatement st(connection(), "SELECT " + securityColumns() + " FROM " + m_listTable + " WHERE ticker=?;");
    if (!st.ok())
        return nullptr;
    st.bindText(1, ticker);
    if (st.step() != SQLITE_ROW)
        return nullptr;
    return TrdSecurity::fromRow(this, st);
}

QxSecurity* TrdCategory::getSecurity(unsigned securityId)
{
    // The upper bits, when given, must name this category.
    const unsigned owner = securityId >> 16;
    if (!m_exists || (owner != 0 && owner != m_id))
        return nullptr;
    TrdSecurity* security = new TrdSecurity(this, securityId & 0xFFFF);
    if (!security->exists()) {
        security->release(); // never referenced: this deletes it
        return nullptr;
    }
    return security;
}

QxSecurity* TrdCategory::addSecurity(const char* ticker, const char* name)
{
    m_lastAddError = eInvalidInput;
    if (!m_exists || !ticker || !*ticker)
        return nullptr;
    if (!m_tableEnsured) {
        if ((m_lastAddError = createSecurityTable()) != 0)
            return nullptr;
        m_tableEnsured = true;
    }
    sqlite3* db = connection();
    {
        // Price tables are named after the ticker and SQLite ignores letter
        // case in table names: tickers differing only in case would share one.
        TrdStatement same(db, "SELECT 1 FROM " + m_listTable + " WHERE ticker = ? COLLATE NOCASE LIMIT 1;");
        if (!same.ok())
            return nullptr;
        same.bindText(1, ticker);
        const int found = same.step();
        if (found != SQLITE_DONE) {
            m_lastAddError = found == SQLITE_ROW ? eObjectWithSameNameAlreadyExists : -found;
            return nullptr;
        }
    }

    TrdScopedTransaction tx(m_database.get());
    if ((m_lastAddError = tx.result()) != 0)
        return nullptr;
    if (!m_insert) {
        const std::string sql = "INSERT INTO " + m_listTable + "(category_id,ticker,security_name) VALUES(?,?,?);";
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &m_insert, nullptr) != SQLITE_OK) {
            sqlite3_finalize(m_insert);
            m_insert = nullptr;
            m_lastAddError = tx.finish(eSqliteError);
            return nullptr;
        }
    }
    // Bound as typed: quotes in tickers and names are data, not syntax.
    sqlite3_bind_int64(m_insert, 1, m_id);
    sqlite3_bind_text(m_insert, 2, ticker, -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(m_insert, 3, name ? name : "", -1, SQLITE_TRANSIENT);
    const int rc = sqlite3_step(m_insert);
    const sqlite3_int64 rowId = sqlite3_last_insert_rowid(db);
    sqlite3_clear_bindings(m_insert);
    sqlite3_reset(m_insert);
    if (rc != SQLITE_DONE) {
        m_lastAddError = -rc;
        tx.finish(-rc);
        return nullptr;
    }
    if (rowId <= 0 || rowId > kMaxRowId) {
        m_lastAddError = eDataOutOfRange;
        tx.finish(eDataOutOfRange);
        return nullptr;
    }
    if ((m_lastAddError = tx.finish(0)) != 0)
        return nullptr;
    {
        // Reactors get their own object, held for the call.
        QxObjectSmartPtr<TrdSecurity> announced(new TrdSecurity(this, unsigned(rowId), ticker, name ? name : "", 0, 0));
        QxDataChangeReactorMgr::instance()->notifySecurityAdded(announced.get());
    }
    return new TrdSecurity(this, unsigned(rowId), ticker, name ? name : "", 0, 0);
}

int TrdCategory::setUpdateTimestamp(int64_t timestamp)
{
    TrdStatement st(connection(), "UPDATE security_category SET update_timestamp = ? WHERE category_id =" +
                                      std::to_string(m_id) + ";");
    if (!st.ok())
        return st.error();
    st.bindInt64(1, timestamp);
    const int rc = st.step();
    return rc == SQLITE_DONE ? 0 : -rc;
}

int64_t TrdCategory::updateTimestamp() const
{
    TrdStatement st(connection(),
                    "SELECT update_timestamp FROM security_category WHERE category_id =" + std::to_string(m_id) + ";");
    if (!st.ok() || st.step() != SQLITE_ROW)
        return 0;
    return st.columnInt64(0);
}

int TrdCategory::deleteSecurityRow(unsigned securityId)
{
    return trdExec(connection(),
                   "DELETE FROM " + m_listTable + " WHERE security_id =" + std::to_string(securityId & 0xFFFF) + ";");
}

int TrdCategory::deleteCategory()
{
    if (!m_exists)
        return eObjectNotFound;
    TrdScopedTransaction tx(m_database.get());
    if (tx.result() != 0)
        return tx.result();
    std::vector<QxObjectSmartPtr<QxSecurity>> securities;
    listSecurities(securities);
    for (const auto& security : securities) {
        const int code = security->deleteSecurity();
        // A category whose securities could not all go stays whole.
        if (code != 0)
            return tx.finish(code);
    }
    QxDataChangeReactorMgr::instance()->notifyCategoryWillBeDeleted(this);
    int code = m_database->deleteCategoryRow(m_id);
    if (code == 0)
        code = trdExec(connection(), "DROP TABLE IF EXISTS " + m_listTable + ";");
    code = tx.finish(code);
    if (code == 0) {
        m_exists = false;
        m_tableEnsured = false;
        sqlite3_finalize(m_insert);
        m_insert = nullptr;
    }
    return code;
}
