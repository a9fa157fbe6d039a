#pragma once
// A prepared SQLite statement that finalizes itself, so that every early
// return of an operation leaves no statement behind.
#include <sqlite3.h>

#include <cstdint>
#include <string>

class TrdStatement {
public:
    TrdStatement() = default;
    TrdStatement(sqlite3* db, const std::string& sql) { prepare(db, sql); }
    ~TrdStatement() { sqlite3_finalize(m_stmt); }
    TrdStatement(const TrdStatement&) = delete;
    TrdStatement& operator=(const TrdStatement&) = delete;

    // The SQLite result code of preparing.
    int prepare(sqlite3* db, const std::string& sql)
    {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        m_rc = db ? sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &m_stmt, nullptr) : SQLITE_MISUSE;
        if (m_rc == SQLITE_OK && !m_stmt)
            m_rc = SQLITE_MISUSE;
        return m_rc;
    }
    bool ok() const { return m_rc == SQLITE_OK; }
    // 0 when prepared, else the negated SQLite code.
    int error() const { return m_rc == SQLITE_OK ? 0 : -m_rc; }
    sqlite3_stmt* get() const { return m_stmt; }

    int step() { return sqlite3_step(m_stmt); }
    void reset() { sqlite3_reset(m_stmt); }

    // Texts are copied by SQLite, so the caller's buffers may go at once.
    void bindText(int i, const char* s, int length = -1)
    {
        if (s)
            sqlite3_bind_text(m_stmt, i, s, length, SQLITE_TRANSIENT);
        else
            sqlite3_bind_null(m_stmt, i);
    }
    void bindText(int i, const std::string& s) { sqlite3_bind_text(m_stmt, i, s.data(), int(s.size()), SQLITE_TRANSIENT); }
    void bindInt64(int i, int64_t v) { sqlite3_bind_int64(m_stmt, i, v); }
    void bindDouble(int i, double v) { sqlite3_bind_double(m_stmt, i, v); }

    int64_t columnInt64(int i) const { return sqlite3_column_int64(m_stmt, i); }
    double columnDouble(int i) const { return sqlite3_column_double(m_stmt, i); }
    // The column as text; empty for NULL.
    std::string columnText(int i) const
    {
        const unsigned char* t = sqlite3_column_text(m_stmt, i);
        return t ? std::string(reinterpret_cast<const char*>(t), size_t(sqlite3_column_bytes(m_stmt, i)))
                 : std::string();
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_rc = SQLITE_MISUSE;
};
