#pragma once
// A calculator over a few bars whose close and open columns the test
// chooses (NaN included), and conditions of a named kind over them.
#include "support/CalcFakes.h"
#include "core/QxCalculator.h"
#include "trading/QxCondition.h"
#include "trading/QxConditionFactory.h"

#include "trading/QxTradingSystemMgr.h"

#include "app/QxIndicatorRegistry.h"
#include "core/QxIndicator.h"

#include "support/TestSupport.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace tradingtest {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// A security whose close column is `a` and open column `b` (b defaults to
// a's length of zeros), and a calculator over it.
class FakeMarket {
public:
    FakeMarket(const std::vector<double>& a, std::vector<double> b = {})
        : m_security(new calctest::MemSecurity(++s_ids))
    {
        if (b.empty())
            b.assign(a.size(), 0.0);
        QxObjectSmartPtr<QxPriceHistory> history(calctest::makeDaily(static_cast<unsigned>(a.size())));
        for (size_t i = 0; i < a.size(); ++i) {
            history->close()[i] = a[i];
            history->open()[i] = i < b.size() ? b[i] : 0.0;
        }
        m_security->stored = history;
        m_calculator.reset(new QxCalculator(m_security.get()));
    }
    QxCalculator* calc() const { return m_calculator.get(); }

private:
    static inline unsigned s_ids = 1000;
    QxObjectSmartPtr<calctest::MemSecurity> m_security;
    QxObjectSmartPtr<QxCalculator> m_calculator;
};

inline QxSeriesId closeId() { return QxSeriesId(QxSeriesId::eSeriesClose); }
inline QxSeriesId openId() { return QxSeriesId(QxSeriesId::eSeriesOpen); }

// A new condition of kind over first and second.
inline QxObjectSmartPtr<QxCondition> makeCondition(const char* kind, const QxSeriesId& first,
                                                   const QxSeriesId& second)
{
    QxCondition* prototype = QxConditionFactory::instance()->find(QxAtom(kind));
    QxObjectSmartPtr<QxCondition> condition(prototype ? prototype->clone() : nullptr);
    if (condition) {
        condition->setFirstSeries(first);
        condition->setSecondSeries(second);
    }
    return condition;
}

// The mean of the close over `period` bars: its first valid bar is period - 1.
inline QxSeriesId closeMean(int period)
{
    QxObjectSmartPtr<calctest::MeanIndicator> mean(calctest::MeanIndicator::sma(period));
    mean->setInputSeries(0, closeId());
    return QxSeriesId(mean.get(), 0);
}

// A private copy of a catalogue indicator whose first parameter is period
// (the built-in indicators must be registered).
inline QxObjectSmartPtr<QxIndicator> catalogueIndicator(const char* name, int period)
{
    QxObjectSmartPtr<QxIndicator> indicator(
        QxIndicatorRegistry::instance()->getIndicator(QxAtom(name))->clone(QxIndicator::eCloneParams));
    indicator->setParam(0, QxValue(int32_t(period)));
    return indicator;
}

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// No store, and an empty trading-system folder in the user data folder;
// the next store seeds from programFolder. The folder.
inline std::filesystem::path resetStore(const std::string& programFolder)
{
    QxTradingSystemMgr::destroy();
    QxTradingSystemMgr::setProgramFolder(wxString::FromUTF8(programFolder));
    QxTradingSystemMgr* probe = QxTradingSystemMgr::getInstance(true);
    const std::filesystem::path folder = std::filesystem::path(probe->indexFileName().ToStdString()).parent_path();
    QxTradingSystemMgr::destroy();
    std::filesystem::remove_all(folder);
    return folder;
}

} // namespace tradingtest
