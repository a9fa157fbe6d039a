#include "trading/QxResolvedSystem.h"

#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "core/QxSeriesId.h"
#include "trading/QxCondition.h"
#include "trading/QxSignal.h"
#include "trading/QxTradingSystem.h"

#include <algorithm>
#include <cstdint>
#include <limits>
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

bool QxResolvedSystem::validBars(const Condition& c, unsigned& first, unsigned& last)
{
    // As barValues: strictly after a series' first valid bar and after its
    // first stored one, and up to its last.
    int64_t lo = 1, hi = INT32_MAX;
    for (const QxSeries* series : {&c.first, &c.second}) {
        if (series == &c.second && (c.single || c.constant))
            break;
        if (!series->values || series->first < 0)
            return false;
        lo = std::max({lo, int64_t(series->first) + 1, int64_t(series->base) + 1});
        hi = std::min(hi, int64_t(series->last));
    }
    if (lo > hi)
        return false;
    first = static_cast<unsigned>(lo);
    last = static_cast<unsigned>(hi);
    return true;
}

void QxResolvedSystem::tabulate(Signal& s, unsigned begin, unsigned end)
{
    s.table.clear();
    if (s.conditions.empty() || begin >= end)
        return;
    // Beyond the last bar any condition could hold at, nothing fires: the
    // table stops there, and evaluate answers the rest as it always did.
    unsigned reach = 0;
    for (Condition& c : s.conditions) {
        if (c.state == Condition::Unresolved)
            resolve(c);
        if (c.state == Condition::ByCondition)
            return;
        // A series that ends before it starts is left to evaluate.
        for (const QxSeries* series : {&c.first, &c.second})
            if (c.state == Condition::OverSeries && series->values && series->last < 0)
                return;
        unsigned first = 0, last = 0;
        if (c.state == Condition::OverSeries && validBars(c, first, last))
            reach = std::max(reach, last);
    }
    end = std::min(end, reach + 1);
    if (begin >= end)
        return;
    // "All" holds where none fails, "any" where one holds; the conditions
    // have no effects, so the order they are asked in does not matter.
    s.table.assign(end - begin, s.all ? 1 : 0);
    std::vector<unsigned char> holds(end - begin);
    for (const Condition& c : s.conditions) {
        std::fill(holds.begin(), holds.end(), 0);
        unsigned first = 0, last = 0;
        if (c.state == Condition::OverSeries && validBars(c, first, last) && first < end && last >= begin) {
            const unsigned from = std::max(first, begin), till = std::min(last, end - 1);
            const auto at = static_cast<int32_t>(from);
            const double* b = c.single || c.constant ? nullptr : c.second.at(at);
            c.condition->testBars(c.first.at(at), b, c.value, till - from + 1, holds.data() + (from - begin));
        }
        if (s.all)
            for (size_t k = 0; k < holds.size(); ++k)
                s.table[k] &= holds[k];
        else
            for (size_t k = 0; k < holds.size(); ++k)
                s.table[k] |= holds[k];
    }
    s.tableBegin = begin;
}

void QxResolvedSystem::tabulate(unsigned mask, unsigned begin, unsigned end)
{
    for (unsigned k = 0; k < 4; ++k)
        if ((mask & (1u << k)) && m_signals[k].signal)
            tabulate(m_signals[k], begin, end);
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

std::function<unsigned(unsigned, unsigned)> resolvedSystemEvaluator(const QxTradingSystem& system,
                                                                    QxCalculator* calculator)
{
    auto resolved = std::make_shared<QxResolvedSystem>(system, calculator);
    // A loop over bars asks for most of them: each signal is worked out
    // for every bar the first time it is asked about.
    auto tabulated = std::make_shared<unsigned>(0);
    return [resolved, tabulated](unsigned mask, unsigned bar) {
        if (const unsigned fresh = mask & 15 & ~*tabulated) {
            resolved->tabulate(fresh, 0, std::numeric_limits<unsigned>::max());
            *tabulated |= fresh;
        }
        return resolved->evaluate(mask, bar);
    };
}
