#include "trading/QxResolvedSystem.h"

#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "core/QxSeriesId.h"
#include "trading/QxCondition.h"
#include "trading/QxSignal.h"
#include "trading/QxTradingSystem.h"

#include <memory>

QxResolvedSystem::QxResolvedSystem(const QxTradingSystem& system, QxCalculator* calculator)
    : m_calculator(calculator)
{
    QxSignal* const signals[] = {system.getLongEntrySignal(), system.getLongExitSignal(),
                                 system.getShortEntrySignal(), system.getShortExitSignal()};
    for (unsigned k = 0; k < 4; ++k) {
        Signal& s = m_signals[k];
        s.signal = signals[k];
        if (!signals[k])
            continue;
        s.all = signals[k]->getSignalEvalRule() == Qx::eEvalAll;
        s.conditions.resize(signals[k]->getNumConditions());
        for (unsigned i = 0; i < s.conditions.size(); ++i)
            s.conditions[i].condition = signals[k]->getConditionAt(i);
    }
}

QxResolvedSystem::~QxResolvedSystem() = default;

void QxResolvedSystem::resolve(Condition& c)
{
    // What QxCondition::evaluate fetches at every bar, fetched once.
    if (!c.condition->evaluatesOverSeries()) {
        c.state = Condition::ByCondition;
        return;
    }
    c.state = Condition::Never;
    if (!m_calculator)
        return;
    if (m_calculator->getDataSeries(c.condition->getFirstSeries(), c.first) != eNoError)
        return;
    c.single = c.condition->isSingleSeries();
    if (!c.single) {
        const QxSeriesId& second = c.condition->getSecondSeries();
        if (second.kind() == QxSeriesId::eSeriesConstant) {
            c.constant = true;
            c.value = second.value();
        } else if (m_calculator->getDataSeries(second, c.second) != eNoError) {
            return;
        }
    }
    c.state = Condition::OverSeries;
}

bool QxResolvedSystem::evaluate(Condition& c, unsigned bar)
{
    if (c.state == Condition::Unresolved)
        resolve(c);
    switch (c.state) {
    case Condition::OverSeries: {
        double a = 0, a1 = 0, b = 0, b1 = 0;
        if (!QxCondition::barValues(c.first, bar, a, a1))
            return false;
        if (c.constant)
            b = b1 = c.value;
        else if (!c.single && !QxCondition::barValues(c.second, bar, b, b1))
            return false;
        return c.condition->test(a, a1, b, b1);
    }
    case Condition::ByCondition:
        return c.condition->evaluate(m_calculator, bar);
    default:
        return false;
    }
}

bool QxResolvedSystem::evaluate(Signal& s, unsigned bar)
{
    // As QxSignal::evaluate: none never fires, "all" stops at the first
    // that fails, "any" at the first that holds.
    if (s.conditions.empty())
        return false;
    for (Condition& c : s.conditions)
        if (evaluate(c, bar) != s.all)
            return !s.all;
    return s.all;
}

unsigned QxResolvedSystem::evaluate(unsigned mask, unsigned bar)
{
    unsigned result = 0;
    for (unsigned k = 0; k < 4; ++k) {
        const unsigned bit = 1u << k;
        if ((mask & bit) && m_signals[k].signal && evaluate(m_signals[k], bar))
            result |= bit;
    }
    return result;
}

std::function<unsigned(unsigned, unsigned)> resolvedSystemEvaluator(const QxTradingSystem& system,
                                                                    QxCalculator* calculator)
{
    auto resolved = std::make_shared<QxResolvedSystem>(system, calculator);
    return [resolved](unsigned mask, unsigned bar) { return resolved->evaluate(mask, bar); };
}
