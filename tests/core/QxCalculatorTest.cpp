// The calculator and the calculation cache: shared entries, one computation
// per distinct indicator, provider updates in the right order, discarding
// through the hub, parked data.
#include "support/CalcFakes.h"
#include "support/MemData.h"

#include "core/QxCalcCache.h"
#include "core/QxCalculator.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxDataProviderRepository.h"
#include "core/platform/CorvAlloc.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace calctest;
using IndPtr = QxObjectSmartPtr<QxIndicator>;

namespace {

class CalculatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MeanIndicator::computations = 0;
        security.reset(new MemSecurity(7));
        security->stored.reset(makeDaily(40));
    }
    void TearDown() override
    {
        security.reset();
        QxDataChangeReactorMgr::destroy();
        EXPECT_EQ(QxCalcCache::size(), 0u);
        EXPECT_EQ(MeanIndicator::alive, 0);
    }

    static IndPtr smaOverClose(int period)
    {
        IndPtr sma(MeanIndicator::sma(period));
        sma->setInputSeries(0, QxSeriesId(QxSeriesId::eSeriesClose));
        return sma;
    }

    QxObjectSmartPtr<MemSecurity> security;
};

// Checks, when called, that the cache no longer holds the daily prices.
struct DiscardWitness : QxPriceHistoryChangeReactor {
    void eodPriceHistoryChanged(unsigned id) override
    {
        QxCalcCacheRepositoryData* entry = QxCalcCache::find(id);
        sawDailyGone = entry && !entry->periodData(Qx::eDaily, false);
        ++calls;
    }
    void intradayPriceHistoryChanged(unsigned) override { ++calls; }
    bool sawDailyGone = false;
    int calls = 0;
};

} // namespace

TEST_F(CalculatorTest, CalculatorsOfOneSecurityShareOneEntry)
{
    EXPECT_FALSE(QxCalculator::hasCacheForSecurity(7));
    {
        QxCalculator first(security.get());
        QxPriceHistory* h = first.prices(false);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(QxCalcCache::find(7)->uses, 1u);
        {
            QxCalculator second(security.get());
            EXPECT_EQ(QxCalcCache::find(7)->uses, 2u);
            EXPECT_EQ(second.prices(false), h); // the same cached history
            EXPECT_EQ(QxCalcCache::size(), 1u);
        }
        EXPECT_TRUE(QxCalculator::hasCacheForSecurity(7));
        EXPECT_EQ(first.prices(false), h);
        EXPECT_EQ(security->log, "update(fg);get;"); // loaded once
    }
    EXPECT_FALSE(QxCalculator::hasCacheForSecurity(7));
    EXPECT_EQ(security->numRefs(), 1); // the entry let go of the security
}

// A database opened after another hands out the same ids: while a
// calculator of the first one's security lives on (a window of the old
// database not yet gone), the other database's security of that id still
// gets its own bars and series, and the hub's discarding, by id, reaches
// both.
TEST_F(CalculatorTest, SecuritiesOfOneIdInTwoDatabasesKeepTheirOwnData)
{
    QxObjectSmartPtr<TestSupport::MemDatabase> before(new TestSupport::MemDatabase);
    QxObjectSmartPtr<TestSupport::MemDatabase> after(new TestSupport::MemDatabase);
    QxObjectSmartPtr<QxPriceHistory> oldBars(makeDaily(40)), newBars(makeDaily(40));
    for (unsigned i = 0; i < newBars->numBars(); ++i)
        newBars->close()[i] += 30.0;
    TestSupport::MemSecurity* oldAbc = before->add("US.NYSE.STOCK", "")->add(oldBars.get(), {});
    TestSupport::MemSecurity* newAbc = after->add("US.NYSE.STOCK", "")->add(newBars.get(), {});
    ASSERT_EQ(oldAbc->id(), newAbc->id());
    const unsigned id = newAbc->id();
    {
        QxCalculator onOld(oldAbc);
        ASSERT_NE(onOld.prices(false), nullptr);
        QxCalculator onNew(newAbc);
        const QxPriceHistory* prices = onNew.prices(false);
        ASSERT_NE(prices, nullptr);
        EXPECT_DOUBLE_EQ(prices->close()[0], newBars->close()[0]) << "no bar of the old database's security";
        QxSeries closes;
        ASSERT_EQ(onNew.getDataSeries(QxSeriesId(QxSeriesId::eSeriesClose), closes), eNoError);
        EXPECT_DOUBLE_EQ(*closes.at(0), newBars->close()[0]);
        ASSERT_EQ(onOld.getDataSeries(QxSeriesId(QxSeriesId::eSeriesClose), closes), eNoError);
        EXPECT_DOUBLE_EQ(*closes.at(0), oldBars->close()[0]);
        EXPECT_EQ(QxCalcCache::size(), 2u);
        EXPECT_EQ(QxCalcCache::find(QxCalcCache::keyOf(oldAbc))->uses, 1u);
        EXPECT_EQ(QxCalcCache::find(QxCalcCache::keyOf(newAbc))->uses, 1u);

        QxCalculator::discardEodCache(id);
        for (const TestSupport::MemSecurity* s : {oldAbc, newAbc})
            EXPECT_EQ(QxCalcCache::find(QxCalcCache::keyOf(s))->periodData(Qx::eDaily, false), nullptr);
        EXPECT_DOUBLE_EQ(onNew.prices(false)->close()[0], newBars->close()[0]) << "read again, its own";
        EXPECT_DOUBLE_EQ(onOld.prices(false)->close()[0], oldBars->close()[0]);
    }
    EXPECT_FALSE(QxCalculator::hasCacheForSecurity(id));
}

TEST_F(CalculatorTest, CopiesAndAssignmentMoveUses)
{
    QxObjectSmartPtr<MemSecurity> other(new MemSecurity(8));
    QxCalculator a(security.get(), Qx::eWeekly);
    QxCalculator b(a);
    EXPECT_EQ(b.getSecurity(), security.get());
    EXPECT_EQ(b.currentTimeframe(), Qx::eWeekly);
    EXPECT_EQ(QxCalcCache::find(7)->uses, 2u);
    QxCalculator c(other.get());
    b = c;
    EXPECT_EQ(QxCalcCache::find(7)->uses, 1u);
    EXPECT_EQ(QxCalcCache::find(8)->uses, 2u);
    b = b;
    a = a;
    EXPECT_EQ(QxCalcCache::find(7)->uses, 1u);
    EXPECT_EQ(QxCalcCache::find(8)->uses, 2u);
    QxCalculator none;
    a = none; // the last use of security 7 goes
    EXPECT_FALSE(QxCalculator::hasCacheForSecurity(7));
    EXPECT_EQ(a.prices(false), nullptr);
    QxSeries s;
    EXPECT_EQ(a.getDataSeries(QxSeriesId(2048), s), eInvalidInput);
    EXPECT_EQ(a.getDataSeries(&s, s), eInvalidInput);
}

TEST_F(CalculatorTest, ProviderUpdateOrder)
{
    enum Mode { eForeground, eBackground, eStoredOnly };
    struct Case {
        const char* name;
        Mode mode;
        bool stored;
        bool providerSaves; // a foreground update stores bars
        const char* log;
        bool result;
    } cases[] = {
        {"foreground", eForeground, true, false, "update(fg);get;", true},
        {"background with data", eBackground, true, false, "get;update(bg);", true},
        {"background without data, download works", eBackground, false, true, "get;update(fg);get;", true},
        {"background without data, nothing comes", eBackground, false, false, "get;update(fg);get;", false},
        {"foreground without data", eForeground, false, false, "update(fg);get;", false},
        {"stored only", eStoredOnly, true, true, "get;", true},
        {"stored only without data: the provider is not asked", eStoredOnly, false, true, "get;", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QxObjectSmartPtr<MemSecurity> sec(new MemSecurity(11));
        if (c.stored)
            sec->stored.reset(makeDaily(10));
        MemSecurity* raw = sec.get();
        if (c.providerSaves)
            sec->onUpdate = [raw](bool bg) {
                if (!bg)
                    raw->stored.reset(makeDaily(10));
            };
        QxCalculator calc(sec.get());
        const auto load = [&] {
            return c.mode == eStoredOnly ? calc.storedPrices(Qx::eDaily)
                                         : calc.prices(Qx::eDaily, c.mode == eBackground);
        };
        EXPECT_EQ(load() != nullptr, c.result);
        EXPECT_EQ(sec->log, c.log);
        // Without a history nothing is cached and the next call tries again.
        sec->log.clear();
        load();
        EXPECT_EQ(sec->log.empty(), c.result);
    }
}

TEST_F(CalculatorTest, LongerPeriodsDeriveFromTheCachedDailyHistory)
{
    QxCalculator calc(security.get());
    QxPriceHistory* weekly = calc.prices(Qx::eWeekly, true);
    ASSERT_NE(weekly, nullptr);
    EXPECT_EQ(weekly->getPeriod(), Qx::eWeekly);
    EXPECT_EQ(weekly->numBars(), 8u); // 40 weekdays
    EXPECT_EQ(weekly->close()[0], 104.0);
    EXPECT_EQ(security->log, "get;update(bg);");
    EXPECT_EQ(calc.prices(Qx::eWeekly, true), weekly);
    EXPECT_EQ(calc.prices(Qx::eMonthly, true)->getPeriod(), Qx::eMonthly);
    EXPECT_EQ(security->log, "get;update(bg);"); // no further load or update
    // Intraday periods cannot come from daily bars.
    EXPECT_EQ(calc.prices(Qx::eOneMinute, false), nullptr);
}

TEST_F(CalculatorTest, PriceFieldsAndBadIds)
{
    QxCalculator calc(security.get());
    QxSeries close;
    ASSERT_EQ(calc.getDataSeries(QxSeriesId(QxSeriesId::eSeriesClose), close), eNoError);
    QxPriceHistory* h = calc.prices(false);
    EXPECT_EQ(close.first, 0);
    EXPECT_EQ(close.last, 39);
    EXPECT_EQ(close.base, 0);
    EXPECT_EQ(close.values, h->close());
    QxSeries open;
    ASSERT_EQ(calc.getDataSeries(QxSeriesId(QxSeriesId::eSeriesOpen), open), eNoError);
    EXPECT_EQ(*open.at(3), 102.0);
    // A stock has no open interest: the view has no values.
    QxSeries oi;
    ASSERT_EQ(calc.getDataSeries(QxSeriesId(QxSeriesId::eSeriesOpenInterest), oi), eNoError);
    EXPECT_EQ(oi.values, nullptr);

    IndPtr macd(MeanIndicator::macd());
    for (const QxSeriesId& bad : {QxSeriesId(128), QxSeriesId(768), QxSeriesId::constant(5), QxSeriesId::null(),
                                  QxSeriesId(macd.get(), 3)}) {
        QxSeries s;
        EXPECT_EQ(calc.getDataSeries(bad, s), eInvalidSeriesId) << bad.kind();
    }

    // A security without any prices: a clear failure, nothing touched.
    QxObjectSmartPtr<MemSecurity> empty(new MemSecurity(9));
    QxCalculator nothing(empty.get());
    QxSeries s;
    EXPECT_EQ(nothing.getDataSeries(QxSeriesId(QxSeriesId::eSeriesClose), s), eFailedToGetHistory);
    EXPECT_EQ(nothing.getDataSeries(QxSeriesId(macd.get(), 0), s), eFailedToGetHistory);
}

TEST_F(CalculatorTest, EqualIndicatorsAreComputedOnceAcrossCalculators)
{
    QxCalculator chart1(security.get()), chart2(security.get());
    IndPtr a = smaOverClose(14), b = smaOverClose(14), c = smaOverClose(15);
    QxSeries sa, sb, sc;
    ASSERT_EQ(chart1.getDataSeries(QxSeriesId(a.get(), 0), sa), eNoError);
    ASSERT_EQ(chart2.getDataSeries(QxSeriesId(b.get(), 0), sb), eNoError);
    EXPECT_EQ(MeanIndicator::computations, 1);
    EXPECT_EQ(sa.values, sb.values);
    EXPECT_EQ(sa.first, 13);
    EXPECT_EQ(sa.last, 39);
    // Mean of closes 100..113.
    EXPECT_DOUBLE_EQ(*sa.at(13), 106.5);
    ASSERT_EQ(chart1.getDataSeries(QxSeriesId(c.get(), 0), sc), eNoError);
    EXPECT_EQ(MeanIndicator::computations, 2);
    EXPECT_EQ(sc.first, 14);

    // The cache keeps its own clone: changing the caller's indicator later
    // neither moves nor changes the cached entry.
    a->setParam(0, QxValue(int32_t(15)));
    QxSeries again;
    ASSERT_EQ(chart1.getDataSeries(QxSeriesId(b.get(), 0), again), eNoError);
    EXPECT_EQ(again.values, sb.values);
    ASSERT_EQ(chart1.getDataSeries(QxSeriesId(a.get(), 0), again), eNoError);
    EXPECT_EQ(again.values, sc.values);
    EXPECT_EQ(MeanIndicator::computations, 2);
}

TEST_F(CalculatorTest, DistinctInputsAreDistinctKeys)
{
    QxCalculator calc(security.get());
    IndPtr macd(MeanIndicator::macd());
    IndPtr over0(MeanIndicator::sma(3)), over1(MeanIndicator::sma(3)), again0(MeanIndicator::sma(3));
    over0->setInputSeries(0, QxSeriesId(macd.get(), 0));
    over1->setInputSeries(0, QxSeriesId(macd.get(), 1));
    again0->setInputSeries(0, QxSeriesId(macd.get(), 0));
    QxSeries s0, s1, s2;
    ASSERT_EQ(calc.getDataSeries(QxSeriesId(over0.get(), 0), s0), eNoError);
    EXPECT_EQ(MeanIndicator::computations, 2); // the MACD first, then the mean over it
    ASSERT_EQ(calc.getDataSeries(QxSeriesId(over1.get(), 0), s1), eNoError);
    EXPECT_EQ(MeanIndicator::computations, 3); // the MACD is reused
    ASSERT_EQ(calc.getDataSeries(QxSeriesId(again0.get(), 0), s2), eNoError);
    EXPECT_EQ(MeanIndicator::computations, 3);
    EXPECT_NE(s0.values, s1.values);
    EXPECT_EQ(s0.values, s2.values);
    // MACD(3) over the close starts at bar 2; the mean of 3 of it at bar 4,
    // and output 1 is output 0 plus one.
    EXPECT_EQ(s0.first, 4);
    EXPECT_DOUBLE_EQ(*s1.at(10), *s0.at(10) + 1.0);
    const double* meanOverMacd = s0.values;

    IndPtr k50(MeanIndicator::sma(3)), k70(MeanIndicator::sma(3));
    k50->setInputSeries(0, QxSeriesId::constant(50));
    k70->setInputSeries(0, QxSeriesId::constant(70));
    ASSERT_EQ(calc.getDataSeries(QxSeriesId(k50.get(), 0), s0), eNoError);
    ASSERT_EQ(calc.getDataSeries(QxSeriesId(k70.get(), 0), s1), eNoError);
    EXPECT_EQ(MeanIndicator::computations, 5);
    // MACD, the means over its outputs 0 and 1, and the two over constants.
    EXPECT_EQ(QxCalcCache::find(7)->periodData(Qx::eDaily, false)->numIndicators(), 5u);

    // An entry keeps its own copy of its input indicators too: changing the
    // caller's MACD later makes the mean over it a new entry and leaves the
    // old one as it was.
    macd->setParam(0, QxValue(int32_t(4)));
    QxSeries changed;
    ASSERT_EQ(calc.getDataSeries(QxSeriesId(again0.get(), 0), changed), eNoError);
    EXPECT_EQ(MeanIndicator::computations, 7); // MACD(4), then the mean over it
    EXPECT_EQ(changed.first, 5);
    IndPtr oldMacd(MeanIndicator::macd()), overOld(MeanIndicator::sma(3));
    overOld->setInputSeries(0, QxSeriesId(oldMacd.get(), 0));
    ASSERT_EQ(calc.getDataSeries(QxSeriesId(overOld.get(), 0), s2), eNoError);
    EXPECT_EQ(s2.values, meanOverMacd);
    EXPECT_EQ(MeanIndicator::computations, 7);
}

TEST_F(CalculatorTest, FailedComputationGivesEmptyOutputs)
{
    QxCalculator calc(security.get());
    IndPtr sma = smaOverClose(5);
    // The flag travels with the cache's clone of the indicator.
    static_cast<MeanIndicator*>(sma.get())->failNextCompute = true;
    QxSeries s;
    ASSERT_EQ(calc.getDataSeries(QxSeriesId(sma.get(), 0), s), eNoError);
    EXPECT_TRUE(s.empty());
    // Too few bars for the period: empty as well, and still success.
    IndPtr longer = smaOverClose(41);
    ASSERT_EQ(calc.getDataSeries(QxSeriesId(longer.get(), 0), s), eNoError);
    EXPECT_TRUE(s.empty());
}

TEST_F(CalculatorTest, HubDiscardsEndOfDayDataBeforeTellingReactors)
{
    QxCalculator daily(security.get()), weekly(security.get(), Qx::eWeekly), minute(security.get(), Qx::eOneMinute);
    IndPtr sma = smaOverClose(3);
    QxSeries s;
    ASSERT_EQ(daily.getDataSeries(QxSeriesId(sma.get(), 0), s), eNoError);
    ASSERT_EQ(weekly.getDataSeries(QxSeriesId(sma.get(), 0), s), eNoError);
    // Intraday data exists only as parked data here.
    minute.setDataSeries(&s, QxSeries(0, 0, 0, static_cast<double*>(CorvMalloc(sizeof(double)))));
    EXPECT_EQ(MeanIndicator::computations, 2);
    const std::string loadsBefore = security->log;

    DiscardWitness witness;
    QxDataChangeReactorMgr* hub = QxDataChangeReactorMgr::instance();
    ASSERT_TRUE(hub->addPriceHistoryChangeReactor(7, &witness));
    security->stored.reset(makeDaily(41)); // a new bar arrived
    hub->notifyEodDataChange(7);
    EXPECT_EQ(witness.calls, 1);
    EXPECT_TRUE(witness.sawDailyGone);
    QxCalcCacheRepositoryData* entry = QxCalcCache::find(7);
    EXPECT_EQ(entry->periodData(Qx::eDaily, false), nullptr);
    EXPECT_EQ(entry->periodData(Qx::eWeekly, false), nullptr);
    QxSeries parked;
    EXPECT_EQ(minute.getDataSeries(&s, parked), eNoError); // intraday stays

    // The next request loads and computes again, over the new bar.
    ASSERT_EQ(daily.getDataSeries(QxSeriesId(sma.get(), 0), s), eNoError);
    EXPECT_EQ(s.last, 40);
    EXPECT_EQ(MeanIndicator::computations, 3);
    EXPECT_EQ(security->log, loadsBefore + "update(fg);get;");

    hub->notifyIntraDayDataChange(7);
    EXPECT_EQ(minute.getDataSeries(&s, parked), eInvalidSeriesId);
    EXPECT_NE(entry->periodData(Qx::eDaily, false), nullptr); // end-of-day data stays
    hub->remPriceHistoryChangeReactor(7, &witness);

    // Securities without an entry are simply passed over.
    hub->notifyEodDataChange(12345);
    QxCalculator::discardIntradayCache(12345);
}

TEST_F(CalculatorTest, ParkedDataBelongsToTheCache)
{
    QxCalculator calc(security.get());
    int owner1 = 0, owner2 = 0;
    QxSeries s;
    EXPECT_EQ(calc.getDataSeries(&owner1, s), eInvalidSeriesId);

    auto* values = static_cast<double*>(CorvMalloc(4 * sizeof(double)));
    values[2] = 42.0;
    calc.setDataSeries(&owner1, QxSeries(1, 3, 0, values));
    // Parked again with new bounds: the same buffer is kept, not freed.
    calc.setDataSeries(&owner1, QxSeries(2, 3, 0, values));
    ASSERT_EQ(calc.getDataSeries(&owner1, s), eNoError);
    EXPECT_EQ(s.first, 2);
    EXPECT_EQ(*s.at(2), 42.0);
    // Replaced by another buffer: the old one is freed (the leak checker
    // would see it otherwise).
    calc.setDataSeries(&owner1, QxSeries(0, 0, 0, static_cast<double*>(CorvMalloc(sizeof(double)))));
    // Parked values are period data: another period does not see them.
    QxCalculator weekly(security.get(), Qx::eWeekly);
    EXPECT_EQ(weekly.getDataSeries(&owner1, s), eInvalidSeriesId);

    QxArrayT<double> doubles(5);
    doubles[4] = 1.5;
    calc.setUserFloat64Array(&owner2, doubles);
    QxArrayT<unsigned> uns(3);
    calc.setUserUns32Array(&owner2, uns);
    EXPECT_EQ(doubles.useCount(), 2);
    QxArrayT<double> gotD;
    QxArrayT<unsigned> gotU;
    ASSERT_EQ(calc.getUserFloat64Array(&owner2, gotD), eNoError);
    EXPECT_EQ(gotD.data(), doubles.data());
    EXPECT_EQ(gotD[4], 1.5);
    ASSERT_EQ(calc.getUserUns32Array(&owner2, gotU), eNoError);
    EXPECT_EQ(gotU.data(), uns.data());
    EXPECT_EQ(calc.getUserUns32Array(&owner1, gotU), eInvalidSeriesId);

    // Discarding the period frees what was parked in it.
    gotD = QxArrayT<double>();
    QxCalculator::discardEodCache(7);
    EXPECT_EQ(doubles.useCount(), 1);
    EXPECT_EQ(calc.getDataSeries(&owner1, s), eInvalidSeriesId);
    // What is parked after that goes with the entry.
    calc.setDataSeries(&owner1, QxSeries(0, 0, 0, static_cast<double*>(CorvMalloc(sizeof(double)))));
}

TEST_F(CalculatorTest, EntryIdleCallAsksTheProviderForABackgroundUpdate)
{
    QxObjectSmartPtr<LogProvider> provider(new LogProvider);
    ASSERT_EQ(QxDataProviderRepository::instance()->addObj(provider.get()), eNoError);
    QxObjectSmartPtr<MemCategory> bound(new MemCategory("calctest.provider")), unbound(new MemCategory(""));
    QxObjectSmartPtr<MemSecurity> a(new MemSecurity(21, bound.get())), b(new MemSecurity(22, unbound.get()));
    QxCalculator ca(a.get()), cb(b.get()), cc(security.get());
    QxCalcCache::find(21)->onIdle(0, 0);
    QxCalcCache::find(22)->onIdle(0, 0);
    QxCalcCache::find(7)->onIdle(0, 0); // no category
    EXPECT_EQ(provider->log, "21(bg);");
    QxDataProviderRepository::destroy();
}

TEST_F(CalculatorTest, DrawablesFetchTheirSeriesThroughTheIndicator)
{
    QxCalculator calc(security.get());
    IndPtr sma = smaOverClose(4);
    auto* line = new LineDrawable;
    line->setSeries(QxAtom("DATA"), QxSeriesId(sma.get(), 0));
    auto* fallback = new LineDrawable; // unbound: takes the close
    sma->setDrawables({QxObjectSmartPtr<QxDrawable>(line), QxObjectSmartPtr<QxDrawable>(fallback)});
    EXPECT_EQ(sma->setupDrawables(nullptr), eInvalidInputObject);
    ASSERT_EQ(sma->setupDrawables(&calc), eNoError);
    EXPECT_EQ(line->data().first, 3);
    QxSeries close;
    calc.getDataSeries(QxSeriesId(QxSeriesId::eSeriesClose), close);
    EXPECT_EQ(fallback->data().values, close.values);

    // A calculator without a cache entry fails the set-up with its code.
    QxCalculator none;
    EXPECT_EQ(sma->setupDrawables(&none), eInvalidInput);
    sma->setDrawables({});
}
