#pragma once
// The ~5,000-bar ORCL daily history of the shared fixtures, and a security
// that serves it from memory, for the benchmarks that want a real history.
#include "support/Fixtures.h"
#include "core/QxAsciiParser.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace benchorcl {

inline QxPriceHistory* loadHistory()
{
    std::ifstream file(TestSupport::fixturePath("ohlcv/orcl-1995-2014.csv"));
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    using F = QxAsciiParser::QxAsciiFieldId;
    const F fields[] = {F::eDate, F::eOpen, F::eHigh, F::eLow, F::eClose, F::eSkip, F::eVolume};
    auto* history = new QxPriceHistory(Qx::eStock, Qx::eDaily);
    std::vector<unsigned> bad;
    QxAsciiParser::parseAsciiStmForHistory(text.data(), static_cast<unsigned>(text.size()), fields, 7, true,
                                           Qx::QxDateFormat::eYearMonthDay, 0, bad, history);
    return history;
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
