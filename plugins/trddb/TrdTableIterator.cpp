#include "plugins/trddb/TrdTableIterator.h"

#include "plugins/trddb/TrdCategory.h"
#include "plugins/trddb/TrdDatabase.h"
#include "plugins/trddb/TrdSecurity.h"

#include <regex>

TrdCategoryIterator::TrdCategoryIterator(TrdDatabase* database, const char* provider) : m_database(database)
{
    std::string sql = "SELECT category_id FROM security_category";
    if (provider)
        sql += " WHERE data_provider = ?";
    sql += ";";
    TrdStatement st(database->connection(), sql);
    if (!st.ok())
        return;
    if (provider)
        st.bindText(1, provider);
    while (st.step() == SQLITE_ROW)
        m_ids.push_back(unsigned(st.columnInt64(0)));
}

TrdSecurityIterator::TrdSecurityIterator(TrdCategory* category, const char* tickerPattern,
                                         const char* namePattern)
    : m_category(category)
{
    const bool byTicker = tickerPattern && *tickerPattern;
    const bool byName = namePattern && *namePattern;
    std::string sql = "SELECT " + category->securityColumns() + " FROM " + category->listTable();
    if (byTicker)
        sql += " WHERE ticker REGEXP ?";
    if (byName)
        sql += byTicker ? " AND security_name REGEXP ?" : " WHERE security_name REGEXP ?";
    sql += " ORDER BY ticker;";
    if (statement.prepare(category->connection(), sql) != SQLITE_OK)
        return;
    int param = 1;
    if (byTicker)
        statement.bindText(param++, tickerPattern);
    if (byName)
        statement.bindText(param, namePattern);
    TrdSecurityIteratorData::atEnd = statement.step() != SQLITE_ROW;
}

unsigned TrdSecurityIterator::currentId() const
{
    return TrdSecurityIteratorData::atEnd ? 0 : unsigned(statement.columnInt64(0));
}

void TrdSecurityIterator::next()
{
    if (!TrdSecurityIteratorData::atEnd)
        TrdSecurityIteratorData::atEnd = statement.step() != SQLITE_ROW;
}

TrdSecurity* TrdSecurityIterator::currentSecurity() const
{
    return TrdSecurityIteratorData::atEnd ? nullptr : TrdSecurity::fromRow(m_category.get(), statement);
}

namespace {

void regexpFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (argc != 2)
        return;
    const unsigned char* pattern = sqlite3_value_text(argv[0]);
    const unsigned char* text = sqlite3_value_text(argv[1]);
    if (!pattern || !text) {
        sqlite3_result_null(ctx);
        return;
    }
    // The compiled pattern is kept with the statement while it stays the same.
    auto* re = static_cast<std::regex*>(sqlite3_get_auxdata(ctx, 0));
    if (!re) {
        try {
            re = new std::regex(reinterpret_cast<const char*>(pattern));
        } catch (const std::regex_error&) {
            sqlite3_result_error(ctx, "invalid regular expression", -1);
            return;
        }
        sqlite3_set_auxdata(ctx, 0, re, [](void* p) { delete static_cast<std::regex*>(p); });
        re = static_cast<std::regex*>(sqlite3_get_auxdata(ctx, 0));
        if (!re) {
            sqlite3_result_error_nomem(ctx);
            return;
        }
    }
    sqlite3_result_int(ctx, std::regex_search(reinterpret_cast<const char*>(text), *re) ? 1 : 0);
}

} // namespace

int trdRegisterRegexp(sqlite3* db)
{
    return sqlite3_create_function_v2(db, "regexp", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, regexpFunction,
                                      nullptr, nullptr, nullptr);
}
