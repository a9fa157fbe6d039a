#pragma once
// A chart of the three composites a user builds first: an SMA(20) of the
// highs and a BBANDS of the lows on the prices, and an SMA(9) dropped onto
// the curve of an RSI(14) in that RSI's zone; and what the chart files and
// templates tests compare of two such charts.
#include "app/QxIndicatorRegistry.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxZone.h"
#include "core/QxCalculator.h"
#include "core/QxIndicator.h"
#include "core/QxSeries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace charttest {

inline QxObjectSmartPtr<QxIndicator> catalogueIndicator(const char* name)
{
    const QxIndicator* prototype = QxIndicatorRegistry::instance()->getIndicator(QxAtom(name));
    return QxObjectSmartPtr<QxIndicator>(
        prototype ? prototype->clone(QxIndicator::eCloneParams | QxIndicator::eCloneDrawables) : nullptr);
}

// Adds the three composites to the chartist's chart (the built-in
// indicators must be registered): the RSI's zone is the last one.
inline void addComposites(QxChartist& chartist)
{
    QxObjectSmartPtr<QxIndicator> high = catalogueIndicator("SMA");
    ASSERT_TRUE(high);
    ASSERT_EQ(high->setParam(0, QxValue(int32_t(20))), 0);
    ASSERT_EQ(high->setInputSeries(0, QxSeriesId(QxSeriesId::eSeriesHigh)), 0);
    ASSERT_EQ(chartist.addIndicator(high.get()), 0);

    QxObjectSmartPtr<QxIndicator> bands = catalogueIndicator("BBANDS");
    ASSERT_TRUE(bands);
    ASSERT_EQ(bands->setInputSeries(0, QxSeriesId(QxSeriesId::eSeriesLow)), 0);
    ASSERT_EQ(chartist.addIndicator(bands.get()), 0);

    QxObjectSmartPtr<QxIndicator> rsi = catalogueIndicator("RSI");
    ASSERT_TRUE(rsi);
    ASSERT_EQ(chartist.addIndicator(rsi.get()), 0);
    QxChart* chart = chartist.getChart();
    QxZone* rsiZone = chart->zoneAt(chart->numZones() - 1);
    ASSERT_EQ(rsiZone->numIndicator(), 1u);

    // As a drop onto the RSI curve makes it: the curve's series is the
    // zone's own RSI.
    QxObjectSmartPtr<QxIndicator> average = catalogueIndicator("SMA");
    ASSERT_TRUE(average);
    ASSERT_EQ(average->setParam(0, QxValue(int32_t(9))), 0);
    ASSERT_EQ(average->setInputSeries(0, QxSeriesId(rsiZone->indicatorAt(0), 0)), 0);
    ASSERT_EQ(rsiZone->addIndicator(average.get()), 0);
}

// Every output of an indicator as the chart's calculator computes it.
inline std::vector<std::vector<double>> outputsOf(QxCalculator* calc, QxIndicator* indicator)
{
    std::vector<std::vector<double>> out;
    for (uint32_t k = 0; k < indicator->outputInfos().size(); ++k) {
        QxSeries series;
        std::vector<double> values;
        if (calc->getDataSeries(QxSeriesId(indicator, k), series) == 0 && !series.empty())
            for (int32_t bar = series.first; bar <= series.last; ++bar)
                values.push_back(*series.at(bar));
        out.push_back(values);
    }
    return out;
}

// Zone by zone, the display names of the indicators ("SMA(9)[RSI(14)]").
inline std::vector<std::vector<std::string>> zoneContents(const QxChart& chart)
{
    std::vector<std::vector<std::string>> out;
    for (unsigned z = 0; z < chart.numZones(); ++z) {
        std::vector<std::string> names;
        for (unsigned i = 0; i < chart.zoneAt(z)->numIndicator(); ++i)
            names.push_back(chart.zoneAt(z)->indicatorAt(i)->getDisplayName().ToStdString());
        out.push_back(names);
    }
    return out;
}

// The two charts hold the same indicators in the same zones, computing the
// same values.
inline void expectSameIndicators(const QxChart& expected, const QxChart& actual)
{
    ASSERT_EQ(zoneContents(actual), zoneContents(expected));
    for (unsigned z = 0; z < expected.numZones(); ++z)
        for (unsigned i = 0; i < expected.zoneAt(z)->numIndicator(); ++i) {
            const auto want = outputsOf(expected.getCalc(), expected.zoneAt(z)->indicatorAt(i));
            const auto got = outputsOf(actual.getCalc(), actual.zoneAt(z)->indicatorAt(i));
            EXPECT_EQ(got, want) << "zone " << z << " indicator " << i;
            for (const auto& values : want)
                EXPECT_FALSE(values.empty()) << "zone " << z << " indicator " << i;
        }
}

} // namespace charttest
