#pragma once
// The ~5,000-bar ORCL daily history of the test fixtures, and a security
// that serves it from memory, for the benchmarks that want a real history.
#include "support/Fixtures.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"

#include <string>
#include <vector>

namespace benchorcl {

// The whole history, owned by the caller.
inline QxPriceHistory* loadHistory()
{
    QxObjectSmartPtr<QxPriceHistory> history = TestSupport::fixtureHistory("orcl-1995-2014.csv");
    return history->clone();
}

// Hands out copies of its daily history; stores nothing.
class MemSecurity : public QxSecurity {
public:
    MemSecurity(QxPriceHistory* history, unsigned id) : m_history(history), m_id(id) {}
    unsigned id() const override { return m_id; }
    QxCategory* category() const override { return nullptr; }
    const char* ticker() const override { return "ORCL"; }
    const char* name() const override { return "Oracle"; }
    QxPriceHistory* getHistory(Qx::QxPeriod period, int64_t&, int64_t&) override
    {
        return period == Qx::eDaily ? m_history->clone() : nullptr;
    }
    int lastQuote(int64_t&, QxQuote&) override { return eDataNotFound; }
    int saveHistory(QxPriceHistory*) override { return eNotImplemented; }
    int updateFromProvider(bool) override { return eNoError; }
    int deleteHistory(int64_t&, int64_t&) override { return eNotImplemented; }
    int deleteSecurity() override { return eNotImplemented; }

private:
    QxObjectSmartPtr<QxPriceHistory> m_history;
    unsigned m_id;
};

} // namespace benchorcl
