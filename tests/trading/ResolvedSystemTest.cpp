// A trading system resolved once for a calculator answers as the system
// itself does at every bar: every kind over price columns, an average, a
// constant and series that cannot be had, NaN values, both rules, empty and
// missing signals, and a kind of condition that evaluates bars its own way.
#include "TradingFakes.h"

#include "trading/QxResolvedSystem.h"
#include "trading/QxSignal.h"
#include "trading/QxTradingSystem.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace tradingtest;

namespace {

const char* const kKinds[] = {"Above", "Below", "Equal", "CrossOverUp", "CrossOverDown", "MovesUp", "MovesDown"};

// Above, answering by bar where it holds on every third bar, and counting
// the bars it was asked about.
class EveryThirdBar : public QxAbove {
public:
    explicit EveryThirdBar(std::atomic<unsigned>* asked) : m_asked(asked) {}
    QxCondition* clone() const override { return new EveryThirdBar(*this); }
    bool evaluate(QxCalculator*, unsigned bar) const override
    {
        ++*m_asked;
        return bar % 3 == 0;
    }

private:
    std::atomic<unsigned>* m_asked;
};

QxObjectSmartPtr<QxSignal> signalOf(unsigned rule, std::vector<QxObjectSmartPtr<QxCondition>> conditions)
{
    QxObjectSmartPtr<QxSignal> signal(new QxSignal());
    signal->setSignalEvalRule(rule);
    for (const auto& c : conditions)
        signal->addCondition(c.get());
    return signal;
}

// Both answers at every bar, and a little beyond the last: bar by bar, with
// the signals worked out at once over all bars, over a middle stretch, and
// for some signals only.
void expectSameAnswers(const QxTradingSystem& system, QxCalculator* calc, unsigned bars, const std::string& what)
{
    struct Table {
        unsigned mask, begin, end;
    } const tables[] = {{0, 0, 0}, {15, 0, ~0u}, {15, 3, bars - 4}, {5, 1, bars + 10}, {15, bars + 1, bars + 5}};
    for (const Table& t : tables) {
        QxResolvedSystem resolved(system, calc);
        resolved.tabulate(t.mask, t.begin, t.end);
        for (unsigned mask : {15u, 1u, 6u}) {
            for (unsigned bar = 0; bar < bars + 2; ++bar) {
                ASSERT_EQ(resolved.evaluate(mask, bar), system.evaluate(mask, calc, bar))
                    << what << ", mask " << mask << ", bar " << bar << ", worked out " << t.mask << " over "
                    << t.begin << ".." << t.end;
            }
        }
    }
}

} // namespace

TEST(ResolvedSystem, AnswersAsTheSystemAtEveryBar)
{
    const std::vector<double> close = {5, 6, 6, NaN, 7, 6, 5, 5, 8, 9, 9, 7, 6, 6, 10, NaN, 4, 4, 5, 6};
    const std::vector<double> open = {6, 6, 5, 6, NaN, 6, 6, 5, 7, 9, 10, 8, 6, 5, 9, 9, 5, 4, NaN, 6};
    FakeMarket market(close, open);
    const QxSeriesId mean = closeMean(3);
    // An output the average does not have: the calculator cannot give it.
    const QxSeriesId missing(mean.indicator(), 5);
    const QxSeriesId seconds[] = {openId(), QxSeriesId::constant(6), mean, missing, QxSeriesId()};
    const QxSeriesId firsts[] = {closeId(), mean, missing};

    // Each kind alone, in each slot, with each pair of series.
    for (const char* kind : kKinds)
        for (const QxSeriesId& first : firsts)
            for (const QxSeriesId& second : seconds) {
                QxObjectSmartPtr<QxCondition> c = makeCondition(kind, first, second);
                QxObjectSmartPtr<QxTradingSystem> system(new QxTradingSystem());
                system->setLongEntrySignal(signalOf(Qx::eEvalAll, {c}).get());
                system->setShortExitSignal(signalOf(Qx::eEvalAny, {c}).get());
                expectSameAnswers(*system, market.calc(), close.size(), std::string(kind));
            }

    // Several conditions under both rules, an empty signal, a signal in two
    // slots and slots left empty.
    auto up = makeCondition("CrossOverUp", closeId(), mean);
    auto above = makeCondition("Above", closeId(), QxSeriesId::constant(5.5));
    auto down = makeCondition("MovesDown", mean, QxSeriesId());
    auto never = makeCondition("Below", missing, openId());
    for (unsigned rule : {unsigned(Qx::eEvalAll), unsigned(Qx::eEvalAny), 7u}) {
        QxObjectSmartPtr<QxSignal> both = signalOf(rule, {above, up, down});
        QxObjectSmartPtr<QxTradingSystem> system(new QxTradingSystem());
        system->setLongEntrySignal(both.get());
        system->setLongExitSignal(signalOf(rule, {never, above}).get());
        system->setShortEntrySignal(signalOf(rule, {}).get());
        system->setShortExitSignal(both.get());
        expectSameAnswers(*system, market.calc(), close.size(), "rule " + std::to_string(rule));
    }
    QxObjectSmartPtr<QxTradingSystem> none(new QxTradingSystem());
    expectSameAnswers(*none, market.calc(), close.size(), "no signals");

    // Without a calculator nothing holds.
    QxObjectSmartPtr<QxTradingSystem> plain(new QxTradingSystem());
    plain->setLongEntrySignal(signalOf(Qx::eEvalAny, {above}).get());
    QxResolvedSystem withoutCalculator(*plain, nullptr);
    EXPECT_EQ(withoutCalculator.evaluate(15, 4), 0u);
}

TEST(ResolvedSystem, AKindThatEvaluatesBarsItsOwnWayIsAskedAtEveryBar)
{
    FakeMarket market({1, 2, 3, 4, 5, 6, 7, 8, 9});
    std::atomic<unsigned> asked{0};
    QxObjectSmartPtr<QxCondition> own(new EveryThirdBar(&asked));
    own->setFirstSeries(closeId());
    own->setSecondSeries(QxSeriesId::constant(100)); // the base kind would never hold
    EXPECT_FALSE(own->evaluatesOverSeries());
    EXPECT_TRUE(makeCondition("Above", closeId(), openId())->evaluatesOverSeries());

    QxObjectSmartPtr<QxTradingSystem> system(new QxTradingSystem());
    system->setLongEntrySignal(signalOf(Qx::eEvalAll, {own, makeCondition("MovesUp", closeId(), QxSeriesId())}).get());
    QxResolvedSystem resolved(*system, market.calc());
    std::vector<unsigned> fired;
    for (unsigned bar = 0; bar < 9; ++bar)
        if (resolved.evaluate(Qx::eLongEntry, bar))
            fired.push_back(bar);
    EXPECT_EQ(fired, (std::vector<unsigned>{3, 6})) << "bar 0 is no rise";
    EXPECT_EQ(asked.load(), 9u) << "asked once per bar, first of the two";

    // Working the signals out at once leaves such a signal to be asked bar by bar.
    asked = 0;
    QxResolvedSystem tabulated(*system, market.calc());
    tabulated.tabulate(15, 0, 9);
    EXPECT_EQ(asked.load(), 0u);
    fired.clear();
    for (unsigned bar = 0; bar < 9; ++bar)
        if (tabulated.evaluate(Qx::eLongEntry, bar))
            fired.push_back(bar);
    EXPECT_EQ(fired, (std::vector<unsigned>{3, 6}));
    EXPECT_EQ(asked.load(), 9u);
}
