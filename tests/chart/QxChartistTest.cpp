// The chartist: titles, indicator placement, the price style and periods.
#include "support/ChartFixtures.h"
#include "support/ChartTestSupport.h"
#include "app/QxGlobalVars.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxTemplate.h"
#include "core/QxCalculator.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/graphics.h>

using namespace charttest;

namespace {

struct ChartistFixture : ::testing::Test {
    void SetUp() override
    {
        ParamIndicator::registerPrototype("OVER");
        ParamIndicator::registerPrototype("OWN", QxIndicator::ePlaceOwnZone);
        security = new MemSecurity(4301, makeWalk(400), "Acme Tools", "ACME");
    }
    QxObjectSmartPtr<MemSecurity> security;
};

} // namespace

TEST_F(ChartistFixture, TitlesCarryThePeriod)
{
    QxObjectSmartPtr<QxChartist> chartist(new QxChartist(security.get(), static_cast<Qx::QxPeriod>(0), nullptr));
    EXPECT_EQ(chartist->getPeriod(), Qx::eDaily);
    EXPECT_EQ(chartist->title(), "Acme Tools");
    QxZone* main = chartist->getChart()->getMainZone();
    EXPECT_EQ(main->getTitle(), "Acme Tools (Daily)");
    EXPECT_EQ(chartist->showLegend(), QxGlobalVars::get().showLegends);

    const struct {
        Qx::QxPeriod period;
        const char* title;
    } cases[] = {
        {Qx::eWeekly, "Acme Tools (Weekly)"},     {Qx::eMonthly, "Acme Tools (Monthly)"},
        {Qx::eQuarterly, "Acme Tools (Quarterly)"}, {Qx::eYearly, "Acme Tools (Yearly)"},
        {static_cast<Qx::QxPeriod>(3600), "Acme Tools"}, {Qx::eDaily, "Acme Tools (Daily)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chartist->setPeriod(c.period), eNoError);
        EXPECT_EQ(chartist->getPeriod(), c.period);
        EXPECT_EQ(main->getTitle(), c.title);
    }

    QxObjectSmartPtr<MemSecurity> unnamed(new MemSecurity(4302, makeWalk(10), "", "NONAME"));
    QxObjectSmartPtr<QxChartist> byTicker(new QxChartist(unnamed.get(), Qx::eWeekly, nullptr));
    EXPECT_EQ(byTicker->title(), "NONAME");
    EXPECT_EQ(byTicker->getChart()->getMainZone()->getTitle(), "NONAME (Weekly)");
}

TEST_F(ChartistFixture, IndicatorsGoWhereTheySay)
{
    QxTemplate tmpl;
    EXPECT_EQ(tmpl.addIndicator(new ParamIndicator("OVER", QxIndicator::ePlaceOverPrice, 20), 9), eNoError);
    EXPECT_EQ(tmpl.addIndicator(new ParamIndicator("OWN", QxIndicator::ePlaceOwnZone, 9), 9), eNoError);
    EXPECT_EQ(tmpl.addIndicator(new ParamIndicator("OWN", QxIndicator::ePlaceOwnZone, 12), 9), eNoError);
    QxObjectSmartPtr<QxChartist> chartist(new QxChartist(security.get(), Qx::eDaily, &tmpl));
    QxChart* chart = chartist->getChart();
    ASSERT_EQ(chart->numZones(), 4u);
    EXPECT_EQ(chart->getMainZone()->numIndicator(), 2u);
    EXPECT_EQ(chart->zoneAt(2)->getTitle(), "OWN(9)");
    EXPECT_EQ(chart->zoneAt(3)->getTitle(), "OWN(12)");
    EXPECT_NE(chart->zoneAt(2)->indicatorAt(0), tmpl.indicAt(1)) << "zones hold clones";
    EXPECT_EQ(chartist->addIndicator(nullptr), eInvalidInputObject);
    EXPECT_EQ(chartist->addIndicsFromTemplate(nullptr), eInvalidInputObject);

    std::vector<QxObjectSmartPtr<QxIndicator>> shown;
    EXPECT_EQ(chartist->getDisplayedIndicators(shown), 3u);
    wxString names;
    for (const auto& ind : shown)
        names << ind->getDisplayName() << " ";
    EXPECT_EQ(names, "OVER(20) OWN(9) OWN(12) ");
    EXPECT_NE(shown[0].get(), chart->getMainZone()->indicatorAt(1));
    EXPECT_EQ(chartist->getDisplayedIndicators(shown), 6u) << "entries already there count";

    QxObjectSmartPtr<QxChartist> fresh(new QxChartist(security.get(), Qx::eDaily, nullptr));
    std::vector<QxObjectSmartPtr<QxIndicator>> none;
    EXPECT_EQ(fresh->getDisplayedIndicators(none), 0u);

    // A copy draws the same indicators on a chart of its own.
    QxObjectSmartPtr<QxChartist> copy(new QxChartist(*chartist));
    EXPECT_NE(copy->getChart(), chart);
    EXPECT_EQ(copy->getChart()->numZones(), 4u);
    EXPECT_EQ(copy->getChart()->zoneAt(3)->getTitle(), "OWN(12)");
    EXPECT_EQ(copy->title(), "Acme Tools");
}

TEST_F(ChartistFixture, PriceStyle)
{
    QxObjectSmartPtr<QxChartist> chartist(new QxChartist(security.get(), Qx::eDaily, nullptr));
    EXPECT_EQ(chartist->getPriceObjType(), Qx::ePriceCandles);
    for (Qx::QxPriceObjType type : {Qx::ePriceBars, Qx::ePriceLine, Qx::ePriceNone, Qx::ePriceCandles}) {
        EXPECT_EQ(chartist->setPriceObjType(type), eNoError);
        EXPECT_EQ(chartist->getPriceObjType(), type);
    }
    // Without the price indicator in the first zone nothing is dereferenced.
    chartist->getChart()->getMainZone()->removeIndicatorAt(0);
    EXPECT_EQ(chartist->setPriceObjType(Qx::ePriceBars), ePriceObjectNotFound);
    EXPECT_EQ(chartist->getPriceObjType(), Qx::ePriceCandles);
    chartist->getChart()->deleteZone(0);
    chartist->getChart()->deleteZone(0);
    EXPECT_EQ(chartist->getChart()->numZones(), 0u);
    EXPECT_EQ(chartist->setPriceObjType(Qx::ePriceBars), ePriceObjectNotFound);
    EXPECT_EQ(chartist->getPriceObjType(), Qx::ePriceCandles);
    QxObjectSmartPtr<QxIndicator> over(new ParamIndicator("OVER"));
    EXPECT_EQ(chartist->addIndicator(over.get()), eMainZoneNotPresent);
}

TEST_F(ChartistFixture, DisplayLaysOutAndPaints)
{
    QxObjectSmartPtr<QxChartist> chartist(new QxChartist(security.get(), Qx::eDaily, nullptr));
    chartist->getChart()->setChartWidth(600);
    wxBitmap bitmap(600, 700, 24);
    wxMemoryDC dc(bitmap);
    EXPECT_EQ(chartist->setup(dc), eNoError);
    // Bars are painted with sharp edges, and the device's smoothing is
    // given back afterwards.
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    ASSERT_NE(gc, nullptr);
    gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
    EXPECT_EQ(chartist->display(dc), eNoError);
    EXPECT_EQ(gc->GetAntialiasMode(), wxANTIALIAS_DEFAULT);
    dc.SelectObject(wxNullBitmap);
    const QxZone* main = chartist->getChart()->getMainZone();
    EXPECT_GT(countOther(bitmap.ConvertToImage(), main->getInnerRect(), *wxWHITE), 500);
}
