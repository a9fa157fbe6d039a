// Chart layout: candle size for the zoom codes, visible bars, alignment,
// the narrowest charts, failures, hit tests and the zone stack.
#include "support/ChartFixtures.h"
#include "support/ChartTestSupport.h"
#include "app/QxGlobalVars.h"
#include "chart/QxChart.h"
#include "chart/QxDcMetrics.h"
#include "chart/QxPrice.h"
#include "chart/QxVolume.h"
#include "core/QxCalculator.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>

#include <cmath>

using namespace charttest;

namespace {

struct ChartFixture : ::testing::Test {
    void make(unsigned bars, unsigned id)
    {
        security = new MemSecurity(id, makeWalk(bars));
        calc = new QxCalculator(security.get(), Qx::eDaily);
        chart = new QxChart(calc.get());
        chart->setChartWidth(1200);
    }
    void SetUp() override
    {
        bitmap.Create(1200, 800, 24);
        dc.SelectObject(bitmap);
    }
    void TearDown() override { dc.SelectObject(wxNullBitmap); }

    wxBitmap bitmap;
    wxMemoryDC dc;
    QxObjectSmartPtr<MemSecurity> security;
    QxObjectSmartPtr<QxCalculator> calc;
    QxObjectSmartPtr<QxChart> chart;
};

} // namespace

TEST_F(ChartFixture, StartsWithPriceAndVolumeZones)
{
    make(50, 4201);
    ASSERT_EQ(chart->numZones(), 2u);
    EXPECT_EQ(chart->zoneAt(0), chart->getMainZone());
    EXPECT_EQ(chart->zoneAt(1), chart->getVolumeZone());
    EXPECT_EQ(chart->zoneAt(2), nullptr);
    EXPECT_TRUE(chart->mainZoneOnTop());
    EXPECT_FALSE(chart->mainZoneOnBottom());
    ASSERT_NE(chart->getMainZone()->findIndicator(), nullptr);
    EXPECT_NE(dynamic_cast<QxVolume*>(chart->getVolumeZone()->indicatorAt(0)), nullptr);
    EXPECT_EQ(chart->getVolumeZone()->getTitle(), "VOLUME");
    EXPECT_EQ(chart->getMainZone()->getPlotHeight(), QxGlobalVars::get().mainZoneHeight);
    EXPECT_EQ(chart->getVolumeZone()->getPlotHeight(), QxGlobalVars::get().volmZoneHeight);
    EXPECT_EQ(chart->getZoomWidth(), uint32_t(QxChart::eZoomBase));
    EXPECT_EQ(chart->lastVisibleBar(), QxChart::kLatestBar);
}

TEST_F(ChartFixture, CandleSizeForEachZoomCode)
{
    make(3000, 4202);
    const double ppm = dcPixelsPerMmX(dc);
    const int cap = std::max(1, int(10.0 * ppm + 0.5));
    const QxPriceHistory* daily = calc->prices(Qx::eDaily, false);
    const QxPriceHistory* weekly = calc->prices(Qx::eWeekly, false);
    const int asWeekly = std::max(1, int(7.0 * weekly->numBars() / daily->numBars() + 0.5));
    // Applied in order: the relative codes work from the width before them.
    const struct {
        uint32_t code;
        int width;
        bool canIn, canOut;
    } cases[] = {
        {QxChart::eZoomBase, 7, true, true},
        {200, 14, true, true},
        {QxChart::eZoomWider, 15, true, true},
        {QxChart::eZoomNarrower, 14, true, true},
        {50, 4, true, true},
        {QxChart::eZoomOnePixel, 1, true, false},
        {QxChart::eZoomNarrower, 1, true, false},
        {QxChart::eZoomMaximum, cap, false, true},
        {QxChart::eZoomWider, cap, false, true},
        {QxChart::eZoomAsWeekly, asWeekly, true, asWeekly != 1},
        {QxChart::eZoomAsDaily, 7, true, true},
        {1, 1, true, false},
        {0x10009, 7, true, true}, // unknown codes give the base width
    };
    for (const auto& c : cases) {
        ASSERT_EQ(chart->setZoomWidth(c.code), eNoError) << c.code;
        ASSERT_EQ(chart->setup(dc), eNoError) << c.code;
        EXPECT_EQ(chart->candleWidth(), c.width) << c.code;
        EXPECT_EQ(chart->candleSpacing(), c.width / 3) << c.code;
        EXPECT_DOUBLE_EQ(chart->getZoomFactor(), c.width / 7.0) << c.code;
        EXPECT_EQ(chart->canZoomIn(), c.canIn) << c.code;
        EXPECT_EQ(chart->canZoomOut(), c.canOut) << c.code;
        EXPECT_EQ(chart->getZoomWidth(), 0u) << "a zoom request is used once";
        // The width of the visible bars fits the plot.
        const int step = chart->candleWidth() + chart->candleSpacing();
        const int room = chart->getChartWidth() - chart->leftMargin() - chart->rightMargin() - 2;
        EXPECT_EQ(int(chart->numVisibleBars()), (room + chart->candleSpacing()) / step) << c.code;
    }
    // The factor survives layouts without a request.
    ASSERT_EQ(chart->setZoomWidth(200), eNoError);
    ASSERT_EQ(chart->setup(dc), eNoError);
    ASSERT_EQ(chart->setup(dc), eNoError);
    EXPECT_EQ(chart->candleWidth(), 14);

    EXPECT_EQ(chart->setZoomWidth(0), eInvalidInput);
    ASSERT_FALSE(chart->isLayoutDirty());
    EXPECT_EQ(chart->setZoomWidth(0), eInvalidInput);
    EXPECT_EQ(chart->setZoomWidth(300), eNoError);
    EXPECT_TRUE(chart->isLayoutDirty());
}

TEST_F(ChartFixture, ShortHistoryIsRightAligned)
{
    make(10, 4203);
    ASSERT_EQ(chart->setup(dc), eNoError);
    EXPECT_EQ(chart->numVisibleBars(), 10u);
    EXPECT_EQ(chart->lastVisibleBar(), 9u);
    EXPECT_EQ(chart->firstVisibleBar(), 0u);
    const QxZone* main = chart->getMainZone();
    const int used = 7 * 10 + 2 * 9 + 2;
    EXPECT_EQ(main->getWidth(), used);
    EXPECT_EQ(chart->plotWidth(), used);
    EXPECT_EQ(main->getOrigin().x + main->getWidth(), chart->getChartWidth() - chart->rightMargin());
    // Bars sit one pixel in from the plot's edges, 9 pixels apart.
    const QxScale& x = chart->getDateAxis()->scale();
    EXPECT_EQ(x.map(0.0), main->getOrigin().x + 1 + 4);
    EXPECT_EQ(x.map(9.0) - x.map(0.0), 81);
    EXPECT_EQ(chart->getVolumeZone()->getOrigin().x, main->getOrigin().x);
    EXPECT_EQ(chart->getVolumeZone()->getOrigin().y, main->getOrigin().y + main->getHeight());
    // The width that shows every bar is the width they use, padding included.
    EXPECT_EQ(chart->calcWidth(0, 0), chart->leftMargin() + chart->rightMargin() + used);
    EXPECT_EQ(chart->calcWidth(3, 2), 0);
}

TEST_F(ChartFixture, ScrollingAndPeriodChanges)
{
    make(3000, 4204);
    ASSERT_EQ(chart->setup(dc), eNoError);
    const uint32_t visible = chart->numVisibleBars();
    EXPECT_EQ(chart->lastVisibleBar(), 2999u);
    EXPECT_EQ(chart->firstVisibleBar(), 3000u - visible);

    chart->setLastVisibleBar(1000);
    ASSERT_EQ(chart->setup(dc), eNoError);
    EXPECT_EQ(chart->lastVisibleBar(), 1000u);
    EXPECT_EQ(chart->getMainZone()->getVisibleRange(), QxRange<unsigned>(1001 - visible, 1000));
    chart->setLastVisibleBar(3); // not enough bars before it: the first page
    ASSERT_EQ(chart->setup(dc), eNoError);
    EXPECT_EQ(chart->lastVisibleBar(), visible - 1);
    EXPECT_EQ(chart->firstVisibleBar(), 0u);
    chart->setLastVisibleBar(50000);
    ASSERT_EQ(chart->setup(dc), eNoError);
    EXPECT_EQ(chart->lastVisibleBar(), 2999u);

    chart->setLastVisibleBar(1000);
    ASSERT_EQ(chart->setup(dc), eNoError);
    calc->setCurrentTimeframe(Qx::eWeekly);
    ASSERT_EQ(chart->setup(dc), eNoError);
    EXPECT_EQ(chart->lastVisibleBar(), calc->prices(Qx::eWeekly, false)->numBars() - 1)
        << "a new period starts at the latest bar";
}

TEST_F(ChartFixture, NarrowestCharts)
{
    make(100, 4205);
    const wxColour marker(1, 2, 3);
    auto paintedNothing = [&]() {
        dc.SetBackground(wxBrush(marker));
        dc.Clear();
        chart->display(dc, true);
        dc.SelectObject(wxNullBitmap);
        const wxImage img = bitmap.ConvertToImage();
        dc.SelectObject(bitmap);
        return countOther(img, wxRect(0, 0, 1200, 800), marker) == 0;
    };
    chart->setChartWidth(0);
    EXPECT_EQ(chart->setup(dc), eWidthOfChartTooSmall);
    EXPECT_TRUE(paintedNothing());

    chart->setChartWidth(1200);
    ASSERT_EQ(chart->setup(dc), eNoError);
    const int margins = chart->leftMargin() + chart->rightMargin();
    chart->setChartWidth(margins + 2); // two pixels: only the padding
    EXPECT_EQ(chart->setup(dc), eWidthOfChartTooSmall);
    EXPECT_EQ(chart->candleWidth(), 0);
    EXPECT_TRUE(paintedNothing());
    chart->setChartWidth(margins + 3); // room for one pixel, not for a 7-pixel candle
    EXPECT_EQ(chart->setup(dc), eWidthOfChartTooSmall);
    EXPECT_EQ(chart->setZoomWidth(QxChart::eZoomOnePixel), eNoError);
    ASSERT_EQ(chart->setup(dc), eNoError);
    EXPECT_EQ(chart->numVisibleBars(), 1u);
    EXPECT_EQ(chart->lastVisibleBar(), 99u);
    EXPECT_EQ(chart->getMainZone()->getWidth(), 3);
    EXPECT_FALSE(paintedNothing());
}

TEST_F(ChartFixture, LayoutFailures)
{
    {
        QxObjectSmartPtr<QxChart> noCalc(new QxChart(nullptr));
        noCalc->setChartWidth(500);
        EXPECT_EQ(noCalc->setup(dc), eInvalidCalculatorObject);
    }
    {
        QxObjectSmartPtr<MemSecurity> empty(new MemSecurity(4206, nullptr));
        QxObjectSmartPtr<QxCalculator> emptyCalc(new QxCalculator(empty.get(), Qx::eDaily));
        QxObjectSmartPtr<QxChart> noPrices(new QxChart(emptyCalc.get()));
        noPrices->setChartWidth(500);
        EXPECT_EQ(noPrices->setup(dc), eInvalidPriceHistory);
    }
    make(100, 4207);
    chart->getMainZone()->removeIndicatorAt(0);
    EXPECT_EQ(chart->setup(dc), ePriceObjectNotFound);
    EXPECT_EQ(chart->deleteZone(2), eInvalidIndex);
    EXPECT_EQ(chart->deleteZone(0), eNoError);
    EXPECT_EQ(chart->getMainZone(), nullptr);
    EXPECT_EQ(chart->numZones(), 1u);
    EXPECT_EQ(chart->setup(dc), eMainZoneNotPresent);
    EXPECT_EQ(chart->moveZone(0, 1), eNotImplemented);
}

TEST_F(ChartFixture, ZoneStack)
{
    make(100, 4208);
    QxZone* a = chart->addZone();
    QxZone* b = chart->insertZone(0); // always at the end
    ASSERT_EQ(chart->numZones(), 4u);
    EXPECT_EQ(chart->zoneAt(2), a);
    EXPECT_EQ(chart->zoneAt(3), b);
    EXPECT_EQ(a->getPlotHeight(), QxGlobalVars::get().indcZoneHeight);
    // Later zones copy the look of the first indicator zone.
    QxZoneConfiguration look = a->getConfig();
    look.titleBgColor = wxColour(1, 2, 3);
    a->setConfig(look);
    EXPECT_EQ(chart->addZone()->getConfig().titleBgColor, wxColour(1, 2, 3));
    EXPECT_EQ(a->getDateAxis(), chart->getDateAxis());

    ASSERT_EQ(chart->setup(dc), eNoError);
    int y = chart->origin().y;
    for (unsigned i = 0; i < chart->numZones(); ++i) {
        EXPECT_EQ(chart->zoneAt(i)->getOrigin().y, y) << i;
        y += chart->zoneAt(i)->getHeight();
    }
    const int border = chart->getConfig().borderPen.GetWidth();
    EXPECT_EQ(chart->chartHeight(), y + 2 * border + chart->getDateAxis()->minHeight());
    const wxRect box = chart->getInnerBox();
    EXPECT_EQ(box.GetTop(), chart->getMainZone()->getInnerRect().GetTop());
    EXPECT_EQ(box.GetBottom() + 1, y);

    // A deep copy has zones of its own over a calculator of its own, and
    // keeps their scales; an assignment shares them.
    chart->getMainZone()->setLogScale(true);
    QxObjectSmartPtr<QxChart> copy(new QxChart(*chart));
    EXPECT_TRUE(copy->getMainZone()->getLogScale());
    EXPECT_FALSE(copy->getVolumeZone()->getLogScale());
    ASSERT_EQ(copy->numZones(), chart->numZones());
    EXPECT_NE(copy->getMainZone(), chart->getMainZone());
    EXPECT_EQ(copy->zoneAt(0), copy->getMainZone());
    EXPECT_EQ(copy->zoneAt(1), copy->getVolumeZone());
    EXPECT_NE(copy->getCalc(), chart->getCalc());
    EXPECT_EQ(copy->getCalc()->getSecurity(), security.get());
    EXPECT_EQ(copy->getMainZone()->numIndicator(), 1u);
    copy->setChartWidth(1200);
    EXPECT_EQ(copy->setup(dc), eNoError);
    QxObjectSmartPtr<QxChart> shared(new QxChart(nullptr));
    *shared = *chart;
    EXPECT_EQ(shared->getMainZone(), chart->getMainZone());
}

// Zones taller than a bitmap can be are shrunk in proportion, so the chart
// always draws; a chart that fits keeps its heights.
TEST_F(ChartFixture, ZonesShrinkToADrawableHeight)
{
    make(60, 4231);
    ASSERT_EQ(chart->setup(dc), eNoError);
    const int volume = chart->getVolumeZone()->getPlotHeight();
    QxZone* main = chart->getMainZone();
    main->setHeight(30000 + main->getTitleHeight());
    ASSERT_EQ(chart->setup(dc), eNoError);
    EXPECT_EQ(main->getPlotHeight(), 30000) << "fits: unchanged";
    EXPECT_EQ(chart->getVolumeZone()->getPlotHeight(), volume);

    // Each zone alone stays within a bitmap; together they do not.
    main->setHeight(QxZone::kMaxHeight);
    chart->getVolumeZone()->setHeight(3000);
    ASSERT_EQ(chart->setup(dc), eNoError);
    EXPECT_LE(chart->chartHeight(), QxChart::kMaxChartHeight);
    EXPECT_GT(chart->chartHeight(), QxChart::kMaxChartHeight - 100) << "no more shrinking than needed";
    EXPECT_GT(main->getPlotHeight(), 9 * chart->getVolumeZone()->getPlotHeight()) << "in proportion";
    EXPECT_LT(chart->getVolumeZone()->getPlotHeight(), 3000) << "every zone gives up its share";
    EXPECT_GE(chart->getVolumeZone()->getPlotHeight(), 1);
}

TEST_F(ChartFixture, HitTests)
{
    make(500, 4209);
    ASSERT_EQ(chart->setup(dc), eNoError);
    const QxZone* main = chart->getMainZone();
    const QxZone* volume = chart->getVolumeZone();
    const int L = main->getOrigin().x, T = main->getOrigin().y, W = main->getWidth();
    const int S = main->getTitleHeight(), B = T + main->getHeight();
    ASSERT_GT(S, 4);
    const int VB = volume->getOrigin().y + volume->getHeight();
    const struct {
        wxPoint p;
        int zone;
        QxZoneHitTest hit;
    } cases[] = {
        {{L, T}, 0, eZoneHitTitle},                // in the strip, though on a corner
        {{L - 2, T - 2}, 0, eZoneHitTopLeft},
        {{L + W + 1, T + S}, 0, eZoneHitTopRight},
        {{L + W, B - 1}, 0, eZoneHitBottomRight},
        {{L, B}, 0, eZoneHitBottomLeft},           // exactly on the bottom-left corner
        {{L - 3, T + 100}, 0, eZoneHitLeft},
        {{L + W + 3, T + 100}, 0, eZoneHitRight},
        {{L + 100, B + 2}, 0, eZoneHitBottom},     // the first zone takes the shared edge
        {{L + 100, T + 100}, 0, eZoneHitInside},
        {{L + 100, B + 30}, 1, eZoneHitInside},
        {{L + 100, VB + 10}, -1, eZoneHitOutside},
        {{L - 10, T + 100}, -1, eZoneHitOutside},
    };
    for (const auto& c : cases) {
        QxZoneHitTest hit = eZoneHitTitle;
        EXPECT_EQ(chart->zoneNearPoint(c.p, hit, 3), c.zone) << c.p.x << "," << c.p.y;
        EXPECT_EQ(hit, c.hit) << c.p.x << "," << c.p.y;
    }

    // A hidden volume zone takes no part in layout, painting or hit tests.
    chart->showVolumeZone(false);
    ASSERT_EQ(chart->setup(dc), eNoError);
    QxZoneHitTest hit;
    EXPECT_EQ(chart->zoneNearPoint(wxPoint(L + 100, B + 30), hit, 3), -1);
    EXPECT_EQ(hit, eZoneHitOutside);
}

TEST_F(ChartFixture, HiddenVolumeZoneEndsTheFrameAtTheMainZone)
{
    make(500, 4210);
    chart->showVolumeZone(false);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    chart->display(dc, false);
    dc.SelectObject(wxNullBitmap);
    const wxImage img = bitmap.ConvertToImage();
    const QxZone* main = chart->getMainZone();
    const int bottom = main->getOrigin().y + main->getHeight();
    const int x = main->getOrigin().x + main->getWidth() / 2;
    // The border runs along the main zone's bottom; below the date axis the
    // chart holds only background.
    EXPECT_GT(countNear(img, wxRect(x - 20, bottom, 40, 1), *wxBLACK, 60), 30);
    // The box the crosshair spans ends there too.
    EXPECT_EQ(chart->getInnerBox().GetBottom(), bottom - 1);
    const int axis = chart->getDateAxis()->minHeight();
    EXPECT_EQ(countOther(img, wxRect(0, bottom + axis + 5, 1200, 60), chart->getConfig().bg), 0);
}
