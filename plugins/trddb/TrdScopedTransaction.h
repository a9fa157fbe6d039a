#pragma once
// One level of a database's nested transactions held for the length of an
// operation that changes several rows: it commits when the operation
// succeeded and rolls back otherwise, also on an early return.
class TrdDatabase;

class TrdScopedTransaction {
public:
    explicit TrdScopedTransaction(TrdDatabase* db);
    ~TrdScopedTransaction();
    TrdScopedTransaction(const TrdScopedTransaction&) = delete;
    TrdScopedTransaction& operator=(const TrdScopedTransaction&) = delete;

    // 0 when the level was opened, else why not.
    int result() const { return m_result; }
    // Commits on code 0 (returning what the commit gives), otherwise rolls
    // back and returns code.
    int finish(int code);

private:
    TrdDatabase* m_db;
    int m_token = 0;
    int m_result = 0;
    bool m_open = false;
};
