// The horizontal scroll model of the chart windows: how a layout places the
// scroll position, how scroll events step, and how positions map to bars.
#include "chartview/QxBaseChartView.h"

#include <gtest/gtest.h>

namespace {

using Input = QxHorzScrollModel::Input;

// 1000 bars of 10 pixels, 50 visible in a 500 pixel wide window.
Input wideChart(int previousWidth, int clientWidth, int hPos, unsigned lastVisible)
{
    Input in;
    in.visibleBars = clientWidth / 10;
    in.totalBars = 1000;
    in.previousWidth = previousWidth;
    in.client = wxSize(clientWidth, 400);
    in.virtualSize = wxSize(10000, 600);
    in.hPos = hPos;
    in.vPos = 0;
    in.lastVisibleBar = lastVisible;
    return in;
}

} // namespace

TEST(HorzScrollModel, LayoutsPlaceThePosition)
{
    struct Case {
        const char* what;
        Input before; // a first layout, or none when visibleBars is 0
        Input in;
        int hPos;          // expected position
        unsigned lastBar;  // the bar at that position
    };
    const Case cases[] = {
        {"first layout shows the newest bar", Input{}, wideChart(0, 500, 0, 999), 9500, 999},
        {"a narrower window keeps the bar shown last", wideChart(0, 500, 0, 999),
         wideChart(500, 600, 4500, 499), 4400, 499},
        {"at the end it stays at the end", wideChart(0, 500, 0, 999), wideChart(500, 600, 9500, 999), 9400, 999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QxHorzScrollModel model;
        if (c.before.visibleBars)
            model.setup(c.before);
        const auto out = model.setup(c.in);
        EXPECT_FALSE(out.relayout);
        EXPECT_EQ(out.hPos, c.hPos);
        EXPECT_EQ(model.posToBar(out.hPos), c.lastBar);
        EXPECT_EQ(model.barOffset(), c.in.visibleBars - 1);
    }
}

TEST(HorzScrollModel, ChartNarrowerThanTheWindowDoesNotScroll)
{
    QxHorzScrollModel model;
    model.setup(wideChart(0, 500, 0, 999));
    const double bpp = model.barsPerPixel();
    Input narrow = wideChart(500, 500, 9500, 999);
    narrow.totalBars = 30;
    narrow.visibleBars = 30;
    narrow.virtualSize = wxSize(300, 600);
    const auto out = model.setup(narrow);
    EXPECT_EQ(out.hPos, 0);
    EXPECT_EQ(model.hMax(), 0);
    EXPECT_EQ(model.barsPerPixel(), bpp) << "kept from the last set-up";
    EXPECT_EQ(model.barOffset(), 49u);
}

TEST(HorzScrollModel, OldMaximumOfZeroNeedsNoDivision)
{
    // The window first showed the whole chart (range equal to thumb), then the
    // chart grew past the window while the position was 0.
    QxHorzScrollModel model;
    Input whole = wideChart(0, 500, 0, 49);
    whole.virtualSize = wxSize(500, 600);
    whole.totalBars = 50;
    model.setup(whole);
    EXPECT_EQ(model.hRange(), model.hThumb());
    const auto out = model.setup(wideChart(500, 500, 0, 49));
    EXPECT_FALSE(out.relayout);
    EXPECT_EQ(out.hPos, 9500) << "the newest bar";
    EXPECT_EQ(model.posToBar(out.hPos), 999u);
}

TEST(HorzScrollModel, AProportionOnAnotherBarAsksForANewLayout)
{
    QxHorzScrollModel model;
    model.setup(wideChart(0, 500, 0, 999));
    // At the end, but the chart still claims an older bar: the end wins.
    const auto out = model.setup(wideChart(500, 600, 9500, 900));
    EXPECT_TRUE(out.relayout);
    EXPECT_EQ(out.bar, 999u);
    EXPECT_EQ(out.hPos, 9400) << "the position of that bar";
}

TEST(HorzScrollModel, StepsClampAtTheEnds)
{
    QxHorzScrollModel model;
    model.setup(wideChart(0, 500, 0, 999)); // 10 pixels a bar, page 500, max 9500
    using M = QxHorzScrollModel;
    struct Case {
        M::Step step;
        int pos;
        int thumb;
        bool ctrl;
        int inc;
    };
    const Case cases[] = {
        {M::eLineDown, 100, 0, false, 10},  {M::eLineUp, 100, 0, false, -10},
        {M::eLineDown, 9495, 0, false, 5},  {M::eLineUp, 0, 0, false, 0},
        {M::eLineDown, 100, 0, true, 500},  {M::eLineUp, 100, 0, true, -100},
        {M::ePageDown, 9000, 0, false, 500}, {M::ePageDown, 9200, 0, false, 300},
        {M::ePageUp, 300, 0, false, -300},  {M::eThumb, 100, 20000, false, 9400},
        {M::eThumb, 100, -5, false, -100},  {M::eThumb, 100, 250, false, 150},
        {M::eTop, 100, 0, false, 0},        {M::eBottom, 100, 0, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "step " << c.step << " at " << c.pos);
        EXPECT_EQ(model.increment(c.step, c.pos, c.thumb, c.ctrl), c.inc);
    }
}

TEST(HorzScrollModel, APageIsTheBarsShownNotTheWindow)
{
    // Value axes take 100 of the 500 pixels: 40 bars are shown.
    Input in = wideChart(0, 500, 0, 999);
    in.visibleBars = 40;
    in.virtualSize = wxSize(10100, 600);
    QxHorzScrollModel model;
    model.setup(in);
    ASSERT_DOUBLE_EQ(model.barsPerPixel(), 0.1);
    using M = QxHorzScrollModel;
    EXPECT_EQ(model.increment(M::ePageDown, 0, 0, false), 400);
    EXPECT_EQ(model.increment(M::ePageUp, 5000, 0, false), -400);
    EXPECT_EQ(model.increment(M::eLineDown, 0, 0, true), 400) << "Ctrl with an arrow";
    EXPECT_EQ(model.posToBar(400) - model.posToBar(0), 40u);
}

TEST(HorzScrollModel, PositionsSnapToBars)
{
    QxHorzScrollModel model;
    model.setup(wideChart(0, 500, 0, 999));
    struct Case {
        int to;
        int pos;
        unsigned bar;
    };
    const Case cases[] = {
        {4504, 4500, 499}, {4506, 4510, 500}, {-20, 0, 49}, {99999, 9500, 999}, {0, 0, 49},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to);
        const auto m = model.moveTo(c.to);
        EXPECT_EQ(m.pos, c.pos);
        EXPECT_EQ(m.bar, c.bar);
    }
    // Bars left of the first position map to 0, never to a wrapped-around number.
    EXPECT_EQ(model.barToPos(3), 0);
    EXPECT_EQ(model.barToPos(499), 4500);
}
