// What the chart view writes under the pointer, decided without a window:
// the status-bar values of a bar in each kind of zone, pattern tooltips,
// and the height a dragged zone border gives.
#include "support/ChartFixtures.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxZone.h"
#include "chartview/QxChartView.h"
#include "chartview/QxChartViewTexts.h"
#include "support/MarkPattern.h"
#include "core/QxCalculator.h"
#include "core/QxPriceHistory.h"
#include "core/TaLibIndicator.h"
#include "core/ta/QxTaFunctionSet.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>

using namespace QxChartViewTexts;

namespace {

QxIndicator* taIndicator(const char* name)
{
    const TA_FuncHandle* handle = nullptr;
    EXPECT_EQ(QxTaFunctionSet::getFuncHandle(name, &handle), TA_SUCCESS) << name;
    return new TaLibIndicator(handle);
}

// A chart of 300 daily bars with SMA(30) over the prices and RSI in a zone
// of its own, laid out 800 pixels wide so that the newest bars are visible.
struct ChartTexts : ::testing::Test {
    void SetUp() override
    {
        security = new charttest::MemSecurity(5101, charttest::makeWalk(300), "Walker Mills", "WLK");
        chartist = new QxChartist(security.get(), Qx::eDaily, nullptr);
        QxObjectSmartPtr<QxIndicator> sma(taIndicator("SMA"));
        QxObjectSmartPtr<QxIndicator> rsi(taIndicator("RSI"));
        ASSERT_EQ(chartist->addIndicator(sma.get()), eNoError);
        ASSERT_EQ(chartist->addIndicator(rsi.get()), eNoError);
        chart = chartist->getChart();
        chart->setChartWidth(800);
        wxBitmap scratch(800, 1000);
        wxMemoryDC dc(scratch);
        chart->setup(dc);
        ASSERT_EQ(chart->numZones(), 3u);
        ASSERT_EQ(chart->lastVisibleBar(), 299u);
        history = chart->getCalc()->prices(Qx::eDaily, false);
        ASSERT_NE(history.get(), nullptr);
    }
    wxString date(unsigned bar) const { return formatTimestamp(history->timestamp()[bar], "%x"); }

    QxObjectSmartPtr<charttest::MemSecurity> security;
    QxObjectSmartPtr<QxChartist> chartist;
    QxChart* chart = nullptr;
    QxObjectSmartPtr<QxPriceHistory> history;
};

} // namespace

TEST_F(ChartTexts, ValuesOfEachKindOfZone)
{
    const unsigned bar = 290;
    double sum = 0;
    for (unsigned i = bar - 29; i <= bar; ++i)
        sum += history->close()[i];
    const wxString prices = wxString::Format("Open = %.4lf High = %.4lf Low = %.4lf Close = %.4lf ",
                                             history->open()[bar], history->high()[bar], history->low()[bar],
                                             history->close()[bar]);
    EXPECT_EQ(curveValues(*chart, 0, bar), prices + wxString::Format("SMA = %.4lf ", sum / 30));
    EXPECT_EQ(curveValues(*chart, 1, bar), wxString::Format("Volume= %.0lf ", history->volume()[bar]));
    const wxString rsi = curveValues(*chart, 2, bar);
    double value = -1;
    ASSERT_TRUE(rsi.StartsWith("RSI = ")) << rsi;
    ASSERT_TRUE(rsi.Mid(6).BeforeFirst(' ').ToCDouble(&value)) << rsi;
    EXPECT_GT(value, 0.0);
    EXPECT_LT(value, 100.0);

    // The zone under the pointer comes first, then the others in order.
    EXPECT_EQ(statusText(*chart, 2, bar), date(bar) + ": " + rsi + curveValues(*chart, 0, bar) +
                                              curveValues(*chart, 1, bar));
    chart->showVolumeZone(false);
    EXPECT_EQ(statusText(*chart, -1, bar), date(bar) + ": " + curveValues(*chart, 0, bar) + rsi)
        << "a hidden volume zone says nothing";
}

TEST_F(ChartTexts, BarsOutsideTheSeriesOrTheVisibleRange)
{
    // Chart width 800 shows fewer than 300 bars: bar 5 is scrolled away.
    ASSERT_GT(chart->firstVisibleBar(), 5u);
    EXPECT_EQ(curveValues(*chart, 0, 5), "");
    EXPECT_EQ(curveValues(*chart, 0, 300), "") << "past the newest bar";
    EXPECT_EQ(curveValues(*chart, 3, 290), "") << "no such zone";
    EXPECT_EQ(curveValues(*chart, -1, 290), "");
    EXPECT_EQ(statusText(*chart, 0, 300), "");

    // Left of bar 0 the scale gives negative positions: never a bar.
    struct Case {
        double position;
        int64_t bar;
    };
    for (const Case& c : {Case{-0.6, -1}, Case{-0.4, 0}, Case{-1e12, -1}, Case{std::nan(""), -1}, Case{2.5, 3},
                          Case{2.49, 2}})
        EXPECT_EQ(barAt(c.position), c.bar) << c.position;
    EXPECT_EQ(statusText(*chart, 0, barAt(-3.0)), "");
    EXPECT_EQ(patternTooltip(*chart, 0, barAt(-3.0), 10.0), "");

    // SMA(30) has no value before bar 29: only the prices show there. The
    // first bars are made visible by moving the chart's end.
    chart->setLastVisibleBar(chart->numVisibleBars() - 1);
    wxBitmap scratch(800, 1000);
    wxMemoryDC dc(scratch);
    chart->setup(dc);
    ASSERT_EQ(chart->firstVisibleBar(), 0u);
    const wxString early = curveValues(*chart, 0, 10);
    EXPECT_TRUE(early.StartsWith("Open = ")) << early;
    EXPECT_FALSE(early.Contains("SMA")) << early;
}

TEST_F(ChartTexts, TooltipListsThePatternsAtTheBar)
{
    QxZone* main = chart->getMainZone();
    main->addPattern(new charttest::MarkPattern(295, "Doji"));
    main->addPattern(new charttest::MarkPattern(296, "Hammer"));
    main->addPattern(new charttest::MarkPattern(295, "Engulfing"));
    EXPECT_EQ(patternTooltip(*chart, 0, 295, 40.0), date(295) + ":DojiEngulfing");
    EXPECT_EQ(patternTooltip(*chart, 0, 296, 40.0), date(296) + ":Hammer");
    EXPECT_EQ(patternTooltip(*chart, 0, 297, 40.0), "") << "no pattern answers";
    EXPECT_EQ(patternTooltip(*chart, 1, 295, 40.0), "") << "the patterns of another zone";
}

TEST(ZoneResize, HeightFollowsTheBorderAndStopsAboveTheTitle)
{
    struct Case {
        int height, title, y0, y1, expected;
    };
    const int least = 18 + QxChartView::kMinPlotHeight;
    for (const Case& c : {
             Case{200, 18, 400, 380, 180},   // up 20 pixels: 20 shorter
             Case{200, 18, 400, 430, 230},   // down 30: 30 taller
             Case{200, 18, 400, 400, 200},   // not moved
             Case{200, 18, 400, 210, least}, // up to just above the top: the least height
             Case{200, 18, 400, -50, least}, // far above the zone: not mirrored
             Case{200, 0, 400, 150, QxChartView::kMinPlotHeight},
         })
        EXPECT_EQ(QxChartView::resizedZoneHeight(c.height, c.title, c.y0, c.y1), c.expected)
            << c.height << " " << c.title << " " << c.y0 << " -> " << c.y1;
}

// The status text that does not fit its field keeps whole values only and
// says that more would follow; the date stays whatever the width.
TEST(StatusFit, WholeValuesOnlyAndTheDateAlways)
{
    const std::vector<wxString> entries = {"01/02/20: ", "Open = 1.5000 ", "High = 2.2500 ", "RSI = 55.1000 "};
    auto chars = [](const wxString& s) { return int(s.length()); };
    const wxString all = "01/02/20: Open = 1.5000 High = 2.2500 RSI = 55.1000 ";
    const struct {
        int width;
        const char* text;
    } cases[] = {
        {1000, "01/02/20: Open = 1.5000 High = 2.2500 RSI = 55.1000 "},
        {int(all.length()), "01/02/20: Open = 1.5000 High = 2.2500 RSI = 55.1000 "},
        {int(all.length()) - 1, "01/02/20: Open = 1.5000 High = 2.2500 ..."},
        {41, "01/02/20: Open = 1.5000 High = 2.2500 ..."},
        {40, "01/02/20: Open = 1.5000 ..."},
        {27, "01/02/20: Open = 1.5000 ..."},
        {26, "01/02/20: ..."},
        {5, "01/02/20: ..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fitEntries(entries, c.width, chars), c.text) << c.width;
    EXPECT_EQ(fitEntries({}, 10, chars), "");
}
