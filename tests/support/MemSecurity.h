#pragma once
// The tests' in-memory security: a daily history held in memory, handed out
// as a copy, and a log of what a calculator asks of it ("get;",
// "update(fg);", "update(bg);"). The chart, drawable and calculator tests
// name it their own way (charttest::, drawtest::, calctest::).
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"

#include <functional>
#include <string>
#include <utility>

namespace TestSupport {

class MemSecurity : public QxSecurity {
public:
    struct Options {
        std::string name = "Memory";
        std::string ticker = "MEM";
        QxCategory* category = nullptr;
        // Whether only a request for the whole history (from and to both 0)
        // gets bars.
        bool wholeHistoryOnly = false;
        // Whether saveHistory replaces the history (else it is refused).
        bool savable = true;
    };

    MemSecurity(unsigned id, QxPriceHistory* history, Options options)
        : stored(history), m_id(id), m_options(std::move(options))
    {
    }
    unsigned id() const override { return m_id; }
    QxCategory* category() const override { return m_options.category; }
    const char* ticker() const override { return m_options.ticker.c_str(); }
    const char* name() const override { return m_options.name.c_str(); }
    QxPriceHistory* getHistory(Qx::QxPeriod period, int64_t& from, int64_t& to) override
    {
        log += "get;";
        if (period != Qx::eDaily || !stored || (m_options.wholeHistoryOnly && (from != 0 || to != 0)))
            return nullptr;
        return stored->clone();
    }
    int lastQuote(int64_t&, QxQuote&) override { return eDataNotFound; }
    int saveHistory(QxPriceHistory* h) override
    {
        if (!m_options.savable)
            return eNotImplemented;
        stored.reset(h ? h->clone() : nullptr);
        return eNoError;
    }
    int updateFromProvider(bool inBackground) override
    {
        log += inBackground ? "update(bg);" : "update(fg);";
        if (onUpdate)
            onUpdate(inBackground);
        return eNoError;
    }
    int deleteHistory(int64_t&, int64_t&) override { return eNotImplemented; }
    int deleteSecurity() override { return eNotImplemented; }

    QxObjectSmartPtr<QxPriceHistory> stored;
    std::string log;
    std::function<void(bool)> onUpdate;

private:
    unsigned m_id;
    Options m_options;
};

} // namespace TestSupport
