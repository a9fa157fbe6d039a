// What the condition editor's series lists hold, decided without a window:
// the fresh lists, where indicator outputs and typed constants go in, which
// item shows a series, and the series an item stands for, with exact
// constants and indicator positions beyond 256.
#include "TradingFakes.h"

#include "trading/QxSeriesChoiceItems.h"
#include "trading/QxSignal.h"

#include <gtest/gtest.h>

using tradingtest::catalogueIndicator;

namespace {

std::vector<wxString> texts(const QxSeriesItems& items)
{
    std::vector<wxString> out;
    for (const QxSeriesItem& item : items)
        out.push_back(item.text());
    return out;
}

class SeriesChoiceItems : public ::testing::Test {
protected:
    static void SetUpTestSuite() { QxIndicatorRegistry::instance()->addBuiltInIndicators(); }
};

} // namespace

TEST_F(SeriesChoiceItems, FreshListsOfferPricesOutputsPresetsAndCommands)
{
    QxIndicatorList indicators;
    indicators.push_back(catalogueIndicator("RSI", 14));
    indicators.push_back(catalogueIndicator("MACD", 12));

    const std::vector<wxString> head = {"Open", "High", "Low", "Close", "Volume", "RSI(14)"};
    const std::vector<wxString> macd = {"MACD(12, 26, 9).MACD", "MACD(12, 26, 9).MACDSignal",
                                        "MACD(12, 26, 9).MACDHist"};
    std::vector<wxString> first = head;
    first.insert(first.end(), macd.begin(), macd.end());
    first.push_back("Add indicator");
    EXPECT_EQ(texts(seriesItems(indicators, false)), first);

    std::vector<wxString> second = head;
    second.insert(second.end(), macd.begin(), macd.end());
    for (const char* preset : {"0", "5", "10", "15", "20", "25", "30", "40", "50", "70", "80", "100", "150", "200"})
        second.push_back(preset);
    second.push_back("Other fixed value");
    second.push_back("Add indicator");
    const QxSeriesItems items = seriesItems(indicators, true);
    EXPECT_EQ(texts(items), second);

    // Each item stands for its own series; the commands for none.
    EXPECT_EQ(items[3].seriesId(indicators).kind(), uint32_t(QxSeriesId::eSeriesClose));
    const QxSeriesId signalLine = items[7].seriesId(indicators);
    EXPECT_EQ(signalLine.indicator(), indicators[1].get());
    EXPECT_EQ(signalLine.outputIndex(), 1u);
    EXPECT_EQ(items[9 + 9].seriesId(indicators).value(), 70.0);
    EXPECT_FALSE(items[items.size() - 2].seriesId(indicators).isValid());
    EXPECT_FALSE(items.back().seriesId(indicators).isValid());
}

TEST_F(SeriesChoiceItems, NewOutputsAndConstantsGoWhereTheirKindEnds)
{
    QxIndicatorList indicators;
    indicators.push_back(catalogueIndicator("RSI", 14));
    QxSeriesItems first = seriesItems(indicators, false);
    QxSeriesItems second = seriesItems(indicators, true);
    EXPECT_EQ(outputInsertPosition(first), 6u);
    EXPECT_EQ(outputInsertPosition(second), 6u);
    EXPECT_EQ(outputInsertPosition(seriesItems(QxIndicatorList(), true)), 5u);

    // Typed constants go behind 200, in front of "Other fixed value";
    // the next one behind the last typed one.
    EXPECT_EQ(constantInsertPosition(second), 6u + 14u);
    second.insert(second.begin() + 20, QxSeriesItem::constant(1234.5678));
    EXPECT_EQ(second[21].text(), "Other fixed value");
    EXPECT_EQ(constantInsertPosition(second), 21u);
    // A list without constants takes them behind its outputs.
    EXPECT_EQ(constantInsertPosition(first), 6u);
}

TEST_F(SeriesChoiceItems, ConstantsKeepTheirExactValueBehindTheirText)
{
    QxSeriesItems items = seriesItems(QxIndicatorList(), true);
    struct Case {
        double value;
        const char* text;
    };
    for (const Case& c : {Case{1234.5678, "1234.57"}, Case{0.000123456789, "0.000123457"}, Case{-2.5, "-2.5"}}) {
        SCOPED_TRACE(c.text);
        const QxSeriesItem item = QxSeriesItem::constant(c.value);
        EXPECT_EQ(item.text(), c.text);
        EXPECT_EQ(item.value(), c.value);
        EXPECT_EQ(item.seriesId(QxIndicatorList()).value(), c.value);
        items.insert(items.begin() + long(constantInsertPosition(items)), item);
    }
    EXPECT_EQ(findConstant(items, 1234.5678), 19);
    EXPECT_EQ(findConstant(items, 1234.57), -1) << "the text's value is another number";
    EXPECT_EQ(findConstant(items, 0.000123456789), 20);
    EXPECT_EQ(findConstant(items, 0.000123457), -1);
    EXPECT_EQ(findConstant(items, 70), 14) << "the preset";
    EXPECT_EQ(findSeries(items, QxSeriesId::constant(-2.5), QxIndicatorList()), 21);
    EXPECT_EQ(findConstant(items, 71), -1);
}

TEST_F(SeriesChoiceItems, SeriesAreFoundByKindAndIndicatorsByEquivalence)
{
    QxIndicatorList indicators;
    indicators.push_back(catalogueIndicator("MACD", 12));
    indicators.push_back(catalogueIndicator("RSI", 14));
    const QxSeriesItems items = seriesItems(indicators, true);

    EXPECT_EQ(findSeries(items, QxSeriesId(QxSeriesId::eSeriesVolume), indicators), 4);
    EXPECT_EQ(findSeries(items, QxSeriesId(QxSeriesId::eSeriesOpenInterest), indicators), -1);
    // Another object with the same parameters is the listed indicator.
    QxObjectSmartPtr<QxIndicator> rsi = catalogueIndicator("RSI", 14);
    EXPECT_EQ(findSeries(items, QxSeriesId(rsi.get(), 0), indicators), 8);
    QxObjectSmartPtr<QxIndicator> macd = catalogueIndicator("MACD", 12);
    EXPECT_EQ(findSeries(items, QxSeriesId(macd.get(), 2), indicators), 7);
    EXPECT_EQ(findSeries(items, QxSeriesId(catalogueIndicator("RSI", 9).get(), 0), indicators), -1);
    EXPECT_EQ(findSeries(items, QxSeriesId(), indicators), -1) << "the null id";

    bool added = true;
    EXPECT_EQ(addIndicator(indicators, rsi.get(), &added), 1u);
    EXPECT_FALSE(added);
    EXPECT_EQ(addIndicator(indicators, catalogueIndicator("RSI", 9).get(), &added), 2u);
    EXPECT_TRUE(added);
    EXPECT_EQ(indicators.size(), 3u);
}

TEST_F(SeriesChoiceItems, PositionsBeyond256AddressTheirOwnIndicator)
{
    QxIndicatorList indicators;
    for (int period = 2; period < 2 + 300; ++period)
        indicators.push_back(catalogueIndicator("SMA", period));
    const QxSeriesItems items = seriesItems(indicators, false);
    ASSERT_EQ(items.size(), 5u + 300u + 1u);
    for (size_t position : {0u, 255u, 256u, 257u, 299u}) {
        const QxSeriesId id = items[5 + position].seriesId(indicators);
        EXPECT_EQ(id.indicator(), indicators[position].get()) << position;
        EXPECT_EQ(findSeries(items, id, indicators), int(5 + position));
    }
}

TEST_F(SeriesChoiceItems, IndicatorsAreCollectedFromConditionsOnce)
{
    QxObjectSmartPtr<QxIndicator> rsi = catalogueIndicator("RSI", 14);
    QxObjectSmartPtr<QxIndicator> sameRsi = catalogueIndicator("RSI", 14);
    QxObjectSmartPtr<QxIndicator> sma = catalogueIndicator("SMA", 50);
    QxObjectSmartPtr<QxSignal> signal(new QxSignal);
    signal->addCondition(tradingtest::makeCondition("CrossOverUp", QxSeriesId(rsi.get(), 0),
                                                    QxSeriesId::constant(30)).get());
    signal->addCondition(tradingtest::makeCondition("Above", tradingtest::closeId(), QxSeriesId(sma.get(), 0)).get());
    signal->addCondition(tradingtest::makeCondition("Below", QxSeriesId(sameRsi.get(), 0), QxSeriesId(sma.get(), 0))
                             .get());
    QxIndicatorList indicators;
    collectIndicators(signal.get(), indicators);
    collectIndicators(nullptr, indicators);
    ASSERT_EQ(indicators.size(), 2u);
    EXPECT_EQ(indicators[0].get(), rsi.get());
    EXPECT_EQ(indicators[1].get(), sma.get());
}

TEST(SeriesChoiceFixedValue, OnlyFiniteNumbersAreTaken)
{
    struct Case {
        const char* text;
        bool taken;
        double value;
    };
    for (const Case& c : {Case{"70", true, 70}, Case{" 1234.5678 ", true, 1234.5678}, Case{"-0.5", true, -0.5},
                          Case{"1e3", true, 1000}, Case{"", false, 0}, Case{"abc", false, 0},
                          Case{"12abc", false, 0}, Case{"nan", false, 0}, Case{"inf", false, 0}}) {
        double value = -99;
        EXPECT_EQ(parseFixedValue(c.text, value), c.taken) << c.text;
        EXPECT_EQ(value, c.taken ? c.value : -99) << c.text << ": a refused text leaves the value alone";
    }
}
