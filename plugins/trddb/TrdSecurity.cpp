#include "plugins/trddb/TrdSecurity.h"

#include "core/QxAtom.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxDataProvider.h"
#include "core/QxDataProviderRepository.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "plugins/trddb/TrdCategory.h"
#include "plugins/trddb/TrdDatabase.h"
#include "plugins/trddb/TrdScopedTransaction.h"
#include "plugins/trddb/TrdSql.h"
#include "plugins/trddb/TrdStatement.h"

#include <cmath>
#include <limits>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

bool hasOhlc(Qx::QxSecurityType type)
{
    return type == Qx::eStock || type == Qx::eFuture || type == Qx::eOption;
}

bool hasOpenInterest(Qx::QxSecurityType type)
{
    return type == Qx::eFuture || type == Qx::eOption;
}

// NaN is stored as NULL by SQLite; reading NULL back as NaN keeps a missing
// value missing instead of turning it into a price of 0.  Only a 0 can be a
// NULL, so other values are taken without asking for the type.
inline double readValue(sqlite3_stmt* st, int column)
{
    const double v = sqlite3_column_double(st, column);
    if (v == 0.0 && sqlite3_column_type(st, column) == SQLITE_NULL)
        return std::numeric_limits<double>::quiet_NaN();
    return v;
}

// A zero bound is open on its side; both zero select every bar.
std::string rangeCondition(int64_t from, int64_t to)
{
    if (from != 0 && to != 0)
        return " WHERE timestamp >= " + std::to_string(from) + " AND timestamp <= " + std::to_string(to);
    if (from != 0)
        return " WHERE timestamp >= " + std::to_string(from);
    if (to != 0)
        return " WHERE timestamp <= " + std::to_string(to);
    return std::string();
}

// Drops an object nobody has counted yet (count 0), which deletes it.
struct ReleaseObject {
    void operator()(const QxObject* o) const { o->release(); }
};

} // namespace

TrdSecurity::TrdSecurity(TrdCategory* category, unsigned securityRowId) : m_category(category)
{
    TrdStatement st(category->connection(), "SELECT " + category->securityColumns() + " FROM " +
                                                category->listTable() + " WHERE security_id=" +
                                                std::to_string(securityRowId & 0xFFFF) + ";");
    if (category->exists() && st.ok() && st.step() == SQLITE_ROW) {
        const Qx::QxSecurityType type = category->securityType();
        m_ticker = st.columnText(1);
        m_name = st.columnText(2);
        if (hasOpenInterest(type))
            m_expiryDate = st.columnInt64(3);
        if (type == Qx::eOption)
            m_strikePrice = st.columnDouble(4);
        setIdentity(unsigned(st.columnInt64(0)));
    }
    m_priceTable = trdQuoteName(priceTableName());
}

TrdSecurity::TrdSecurity(TrdCategory* category, unsigned securityRowId, const std::string& ticker,
                         const std::string& name, int64_t expiryDate, double strikePrice)
    : m_category(category), m_ticker(ticker), m_name(name), m_expiryDate(expiryDate), m_strikePrice(strikePrice)
{
    setIdentity(securityRowId);
    m_priceTable = trdQuoteName(priceTableName());
}

TrdSecurity::~TrdSecurity()
{
    sqlite3_finalize(m_selectHistory);
}

TrdSecurity* TrdSecurity::fromRow(TrdCategory* category, const TrdStatement& row)
{
    const Qx::QxSecurityType type = category->securityType();
    return new TrdSecurity(category, unsigned(row.columnInt64(0)), row.columnText(1), row.columnText(2),
                           hasOpenInterest(type) ? row.columnInt64(3) : 0,
                           type == Qx::eOption ? row.columnDouble(4) : 0.0);
}

void TrdSecurity::setIdentity(unsigned securityRowId)
{
    m_id = securityRowId == 0 ? 0 : (m_category->id() << 16) | (securityRowId & 0xFFFF);
}

QxCategory* TrdSecurity::category() const
{
    return m_category.get();
}

std::string TrdSecurity::priceTableName() const
{
    std::string name = "price_hist_of_" + std::string(m_category->dataProvider()) + ":" + m_ticker + "." +
                       m_category->assetCode();
    if (m_category->securityType() != Qx::eFund)
        name += "." + std::string(m_category->exchange());
    return name + "." + m_category->country();
}

const char* TrdSecurity::priceColumns() const
{
    switch (m_category->securityType()) {
    case Qx::eStock:
        return "open, high, low, close, volume";
    case Qx::eFuture:
    case Qx::eOption:
        return "open, high, low, close, volume,open_interest";
    case Qx::eFund:
        return "nav";
    default:
        return nullptr;
    }
}

int TrdSecurity::createPriceTable()
{
    const char* columns = nullptr;
    switch (m_category->securityType()) {
    case Qx::eStock:
        columns = "timestamp INTEGER NOT NULL PRIMARY KEY UNIQUE,open FLOAT, high FLOAT, low FLOAT, close FLOAT, "
                  "volume FLOAT";
        break;
    case Qx::eFuture:
    case Qx::eOption:
        columns = "timestamp INTEGER NOT NULL PRIMARY KEY UNIQUE,open FLOAT, high FLOAT, low FLOAT, close FLOAT, "
                  "volume FLOAT,open_interest FLOAT";
        break;
    case Qx::eFund:
        columns = "timestamp INTEGER NOT NULL PRIMARY KEY UNIQUE,nav FLOAT";
        break;
    default:
        return eInvalidInput;
    }
    return trdExec(m_category->connection(),
                   "CREATE TABLE IF NOT EXISTS " + m_priceTable + "(" + std::string(columns) + ");");
}

sqlite3_stmt* TrdSecurity::historyStatement()
{
    if (!m_selectHistory) {
        // Bounds as parameters, so that one statement serves every range.
        const std::string sql = "SELECT timestamp, " + std::string(priceColumns()) + " FROM " + m_priceTable +
                                " WHERE timestamp >= ?1 AND timestamp <= ?2 ORDER BY timestamp ASC;";
        if (sqlite3_prepare_v2(m_category->connection(), sql.c_str(), int(sql.size()), &m_selectHistory,
                               nullptr) != SQLITE_OK) {
            sqlite3_finalize(m_selectHistory);
            m_selectHistory = nullptr; // no price table yet
        }
    }
    return m_selectHistory;
}

QxPriceHistory* TrdSecurity::getHistory(Qx::QxPeriod period, int64_t& from, int64_t& to)
{
    const char* columns = priceColumns();
    if (!columns || !exists())
        return nullptr;
    if (from != 0 && to != 0 && from > to)
        return nullptr;
    sqlite3_stmt* st = historyStatement();
    if (!st)
        return nullptr;
    sqlite3_bind_int64(st, 1, from != 0 ? from : std::numeric_limits<int64_t>::min());
    sqlite3_bind_int64(st, 2, to != 0 ? to : std::numeric_limits<int64_t>::max());

    // The rows go into buffers kept from call to call, so that the history
    // is made once at its size: counting the rows first would read them twice.
    const Qx::QxSecurityType type = m_category->securityType();
    const int values = hasOpenInterest(type) ? 6 : hasOhlc(type) ? 5 : 1;
    thread_local std::vector<int64_t> keptStamps;
    thread_local std::vector<double> keptRows;
    std::vector<int64_t>& stamps = keptStamps;
    std::vector<double>& rows = keptRows;
    stamps.clear();
    rows.clear();
    const size_t limit = std::numeric_limits<unsigned>::max() / 2;
    while (stamps.size() < limit && sqlite3_step(st) == SQLITE_ROW) {
        stamps.push_back(sqlite3_column_int64(st, 0));
        for (int c = 1; c <= values; ++c)
            rows.push_back(readValue(st, c));
    }
    sqlite3_reset(st);
    const unsigned n = unsigned(stamps.size());
    if (n == 0)
        return nullptr;

    // Not counted while it is filled: the caller receives it with a count of 0.
    std::unique_ptr<QxPriceHistory, ReleaseObject> daily(new QxPriceHistory(type, Qx::eDaily));
    daily->resize(n);
    std::copy(stamps.begin(), stamps.end(), daily->timestamp());
    double* targets[6] = {daily->open(), daily->high(), daily->low(), daily->close(), daily->volume(),
                          daily->openInterest()};
    if (!hasOhlc(type))
        targets[0] = daily->nav();
    const double* row = rows.data();
    for (unsigned i = 0; i < n; ++i, row += values)
        for (int c = 0; c < values; ++c)
            targets[c][i] = row[c];

    if (period > Qx::eDaily) {
        QxPriceHistory* longer = daily->transform(period);
        if (longer && longer != daily.get())
            return longer; // daily goes with its guard
    }
    return daily.release();
}

int TrdSecurity::lastQuote(int64_t& since, QxQuote& quote)
{
    const char* columns = priceColumns();
    if (!columns)
        return eInvalidInput;
    if (!exists())
        return eUnknownError;
    // A missing price table fails the statement, and that failure is the answer.
    std::string sql = "SELECT timestamp, " + std::string(columns) + " FROM " + m_priceTable;
    sql += since != 0 ? " WHERE timestamp>=? ORDER BY timestamp ASC LIMIT 1;" : " ORDER BY timestamp DESC LIMIT 1;";
    TrdStatement st(m_category->connection(), sql);
    if (!st.ok())
        return st.error();
    if (since != 0)
        st.bindInt64(1, since);
    if (st.step() != SQLITE_ROW)
        return eUnknownError;
    const Qx::QxSecurityType type = m_category->securityType();
    quote.securityType = type;
    quote.time = st.columnInt64(0);
    if (hasOhlc(type)) {
        quote.open = readValue(st.get(), 1);
        quote.high = readValue(st.get(), 2);
        quote.low = readValue(st.get(), 3);
        quote.close = readValue(st.get(), 4);
        quote.volume = readValue(st.get(), 5);
        if (hasOpenInterest(type))
            quote.openInterest = readValue(st.get(), 6);
    } else {
        quote.nav = readValue(st.get(), 1);
    }
    return 0;
}

int TrdSecurity::saveHistory(QxPriceHistory* history)
{
    if (!history || history->numBars() == 0)
        return eInvalidInputObject;
    const Qx::QxSecurityType type = history->getSecurityType();
    if (type != m_category->securityType() || type < Qx::eStock || type > Qx::eFund)
        return eInvalidObject;
    if (!exists())
        return eObjectNotFound;

    // One transaction for the whole history: a failure or a crash midway
    // leaves the stored bars as they were.
    TrdScopedTransaction tx(m_category->trdDatabase());
    if (tx.result() != 0)
        return tx.result();
    // Run in every call: the table may have gone with a rolled-back
    // transaction since this object last made it.
    int code = createPriceTable();
    if (code != 0)
        return tx.finish(code);

    const int values = type == Qx::eStock ? 6 : type == Qx::eFund ? 2 : 7;
    std::string placeholders = "?";
    for (int v = 1; v < values; ++v)
        placeholders += ",?";
    TrdStatement insert(m_category->connection(),
                        "INSERT OR REPLACE INTO " + m_priceTable + " VALUES(" + placeholders + ");");
    if (!insert.ok())
        return tx.finish(insert.error());

    sqlite3_stmt* st = insert.get();
    const unsigned n = history->numBars();
    const int64_t* ts = history->timestamp();
    const double *open = history->open(), *high = history->high(), *low = history->low(),
                 *close = history->close(), *volume = history->volume(), *oi = history->openInterest(),
                 *nav = history->nav();
    for (unsigned i = 0; i < n; ++i) {
        sqlite3_bind_int64(st, 1, ts[i]);
        if (type == Qx::eFund) {
            sqlite3_bind_double(st, 2, nav[i]);
        } else {
            sqlite3_bind_double(st, 2, open[i]);
            sqlite3_bind_double(st, 3, high[i]);
            sqlite3_bind_double(st, 4, low[i]);
            sqlite3_bind_double(st, 5, close[i]);
            sqlite3_bind_double(st, 6, volume[i]);
            if (values == 7)
                sqlite3_bind_double(st, 7, oi[i]);
        }
        const int rc = sqlite3_step(st);
        sqlite3_reset(st);
        if (rc != SQLITE_DONE)
            return tx.finish(-rc);
    }
    code = tx.finish(0);
    if (code != 0)
        return code;
    QxDataChangeReactorMgr::instance()->notifyEodDataChange(m_id);
    return 0;
}

int TrdSecurity::updateFromProvider(bool inBackground)
{
    QxDataProvider* provider = QxDataProviderRepository::instance()->getObj(QxAtom(m_category->dataProvider()));
    if (!provider)
        return eInvalidOperation;
    provider->update(this, inBackground);
    return 0;
}

int TrdSecurity::deleteHistory(int64_t& from, int64_t& to)
{
    if (!exists())
        return eObjectNotFound;
    if (from != 0 && to != 0 && from > to)
        return eInvalidInput;
    // A security that never had prices has no price table: nothing to delete.
    TrdStatement table(m_category->connection(),
                       "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?1;");
    if (!table.ok())
        return table.error();
    table.bindText(1, priceTableName());
    if (table.step() != SQLITE_ROW)
        return 0;
    const int code =
        trdExec(m_category->connection(), "DELETE FROM " + m_priceTable + rangeCondition(from, to) + ";");
    if (code != 0)
        return code;
    QxDataChangeReactorMgr::instance()->notifyEodDataChange(m_id);
    return 0;
}

int TrdSecurity::deleteSecurity()
{
    if (!exists())
        return eObjectNotFound;
    QxDataChangeReactorMgr::instance()->notifySecurityWillBeDeleted(this);
    TrdScopedTransaction tx(m_category->trdDatabase());
    if (tx.result() != 0)
        return tx.result();
    int code = m_category->deleteSecurityRow(rowId());
    // The prices go with the security, whichever object created them, so a
    // security added later under the same ticker starts empty.
    if (code == 0)
        code = trdExec(m_category->connection(), "DROP TABLE IF EXISTS " + m_priceTable + ";");
    return tx.finish(code);
}
