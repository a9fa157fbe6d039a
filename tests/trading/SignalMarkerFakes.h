#pragma once
// A trading system whose signals fire at scripted bars and count how often
// they are asked, for the signal-marker tests.
#include "trading/QxCondition.h"
#include "trading/QxSignal.h"
#include "trading/QxTradingSystem.h"

#include <set>
#include <utility>

namespace tradingtest {

// Holds exactly at the scripted bars; counts how often it is asked.
class ScriptedCondition : public QxCondition {
public:
    ScriptedCondition(std::set<unsigned> bars, int* evaluations) : m_bars(std::move(bars)), m_evaluations(evaluations)
    {
    }
    QxAtom getName() const override { return QxAtom("Scripted"); }
    wxString getDescription() const override { return "scripted"; }
    QxCondition* clone() const override { return new ScriptedCondition(*this); }
    bool evaluate(QxCalculator*, unsigned bar) const override
    {
        ++*m_evaluations;
        return m_bars.count(bar) != 0;
    }

protected:
    bool holds(double, double, double, double) const override { return false; }

private:
    std::set<unsigned> m_bars;
    int* m_evaluations;
};

// Signals of a system whose four signals fire at the scripted bars.
struct Script {
    std::set<unsigned> longEntry, longExit, shortEntry, shortExit;
};

inline QxObjectSmartPtr<QxTradingSystem> scriptedSystem(Qx::QxTradingSystemType type, const Script& script,
                                                        int* evaluations)
{
    QxObjectSmartPtr<QxTradingSystem> system(new QxTradingSystem);
    system->setType(type);
    auto signalAt = [evaluations](const std::set<unsigned>& bars) {
        QxObjectSmartPtr<QxSignal> signal(new QxSignal);
        signal->addCondition(new ScriptedCondition(bars, evaluations));
        return signal;
    };
    if (type & Qx::eLongOnly) {
        system->setLongEntrySignal(signalAt(script.longEntry).get());
        system->setLongExitSignal(signalAt(script.longExit).get());
    }
    if (type & Qx::eShortOnly) {
        system->setShortEntrySignal(signalAt(script.shortEntry).get());
        system->setShortExitSignal(signalAt(script.shortExit).get());
    }
    return system;
}

} // namespace tradingtest
