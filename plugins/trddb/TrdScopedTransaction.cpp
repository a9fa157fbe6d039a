#include "plugins/trddb/TrdScopedTransaction.h"

#include "plugins/trddb/TrdDatabase.h"

TrdScopedTransaction::TrdScopedTransaction(TrdDatabase* db) : m_db(db)
{
    m_result = m_db->begin(&m_token);
    m_open = m_result == 0;
}

TrdScopedTransaction::~TrdScopedTransaction()
{
    if (m_open)
        m_db->rollback(m_token);
}

int TrdScopedTransaction::finish(int code)
{
    if (!m_open)
        return code != 0 ? code : m_result;
    m_open = false;
    if (code == 0)
        return m_db->commit(m_token);
    m_db->rollback(m_token);
    return code;
}
