#pragma once
// A trading system bound to one calculator for the evaluation of many bars
// of the same history: each condition's series are fetched from the
// calculator once, on the condition's first evaluation, and every bar after
// that is read from their arrays. The answers are those of
// QxTradingSystem::evaluate bar for bar; conditions that evaluate bars
// their own way are still asked through QxCondition::evaluate.
//
// Valid while the calculator's period and its data stay as they are and
// the system's signals are not edited: for one run of a loop over bars
// (the idea finder's worker, the tester, the chart's markers), not for a
// calculator that lives on.
#include "core/QxObject.h"
#include "core/QxSeries.h"

#include <functional>
#include <vector>

class QxCalculator;
class QxCondition;
class QxSignal;
class QxTradingSystem;

class QxResolvedSystem {
public:
    QxResolvedSystem(const QxTradingSystem& system, QxCalculator* calculator);
    ~QxResolvedSystem();
    QxResolvedSystem(const QxResolvedSystem&) = delete;
    QxResolvedSystem& operator=(const QxResolvedSystem&) = delete;

    // The bits of mask whose signal exists and fires at bar.
    unsigned evaluate(unsigned mask, unsigned bar)
    {
        unsigned result = 0;
        for (unsigned k = 0; k < 4; ++k) {
            const unsigned bit = 1u << k;
            if (!(mask & bit))
                continue;
            Signal& s = m_signals[k];
            // A worked-out answer is read here; only signals with a table have one.
            if (bar - s.tableBegin < s.table.size())
                result |= s.table[bar - s.tableBegin] ? bit : 0;
            else if (s.signal && evaluate(s, bar))
                result |= bit;
        }
        return result;
    }
    // Works out at once, over the series' arrays, the answers of the
    // signals of mask at bars [begin, end) (as far as their series reach),
    // for signals whose conditions all compare series; evaluate then reads
    // them. Signals with a condition that evaluates bars its own way are
    // left to evaluate, bar by bar, as before. The answers stay those of
    // evaluate.
    void tabulate(unsigned mask, unsigned begin, unsigned end);

private:
    struct Condition {
        enum State { Unresolved, OverSeries, Never, ByCondition };
        const QxCondition* condition = nullptr;
        State state = Unresolved;
        bool single = false;
        bool constant = false;
        double value = 0.0;
        QxSeries first;
        QxSeries second;
    };
    struct Signal {
        QxObjectSmartPtr<QxSignal> signal; // holds the conditions
        bool all = true;
        std::vector<Condition> conditions;
        // The answers at bars [tableBegin, tableBegin + table.size()).
        unsigned tableBegin = 0;
        std::vector<unsigned char> table;
    };

    bool evaluate(Condition& c, unsigned bar);
    void resolve(Condition& c);
    // A signal's answer worked out at bar, its table not looked at.
    bool evaluate(Signal& s, unsigned bar);
    void tabulate(Signal& s, unsigned begin, unsigned end);
    // The bars [first, last] at which c can hold; false when there are none.
    static bool validBars(const Condition& c, unsigned& first, unsigned& last);

    QxCalculator* m_calculator;
    Signal m_signals[4];
};

// An evaluator of system over calculator for a loop over bars, in the form
// the tester takes (mask, bar): the series are resolved once for the run.
std::function<unsigned(unsigned, unsigned)> resolvedSystemEvaluator(const QxTradingSystem& system,
                                                                    QxCalculator* calculator);
