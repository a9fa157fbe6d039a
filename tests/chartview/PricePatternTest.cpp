// The double-top and head-and-shoulders detectors: their rules over tables
// of turning points, the window around the visible bars with the last one
// standing in for the next turning point, the pixels they draw, and XML.
#include "support/ChartFixtures.h"
#include "chart/QxUniformScale.h"
#include "chartview/QxPatternRegistry.h"
#include "chartview/QxPricePattern.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/xml/xml.h>

#include <vector>

namespace {

struct Shape {
    std::vector<unsigned> bars;
    std::vector<double> closes;
    std::vector<unsigned> found;
    const char* what;
};

// Closes indexed by bar, the given values at the given bars.
std::vector<double> closesAt(const Shape& s)
{
    std::vector<double> c(s.bars.back() + 1, 0.0);
    for (size_t i = 0; i < s.bars.size(); ++i)
        c[s.bars[i]] = s.closes[i];
    return c;
}

using U = std::vector<unsigned>;
const U kFive{0, 10, 20, 30, 40};
const U kSeven{0, 10, 20, 30, 40, 50, 60};

} // namespace

TEST(PricePatternRules, DoubleTopsAndBottoms)
{
    const std::vector<Shape> cases = {
        {kFive, {10, 20, 15, 20, 14}, {4}, "top"},
        {kFive, {10, 20, 15, 20, 16}, {}, "not back to the trough"},
        {kFive, {10, 20, 15, 20, 15}, {4}, "back exactly to the trough"},
        {{0, 10, 12, 30, 40}, {10, 20, 15, 20, 14}, {}, "trough at 12, outside 15..25"},
        {{0, 10, 15, 30, 40}, {10, 20, 15, 20, 14}, {4}, "trough at the edge of the central half"},
        {{0, 10, 25, 30, 40}, {10, 20, 15, 20, 14}, {4}, "trough at the other edge"},
        {{0, 10, 26, 30, 40}, {10, 20, 15, 20, 14}, {}, "trough just beyond it"},
        {kFive, {30, 20, 25, 19, 26}, {4}, "bottom: lower second trough under a lower peak"},
        {kFive, {10, 20, 15, 30, 14}, {4}, "legs of 5 and 15 differ by half their sum"},
        {kFive, {10, 20, 15, 31, 14}, {}, "legs of 5 and 16 differ by more"},
        {kFive, {16, 20, 15, 19.9, 14}, {}, "trough below the start and a lower second peak"},
        {kFive, {16, 20, 15, 20, 14}, {4}, "trough below the start, second peak as high"},
        {kFive, {14, 10, 15, 10.1, 16}, {}, "bottom: peak above the start and a higher second trough"},
        {{0, 10, 20, 30, 40, 50}, {10, 20, 15, 20, 14, 19}, {4}, "index of the last point, not its bar"},
        {{0, 10, 20, 30}, {10, 20, 15, 20}, {}, "four points"},
    };
    for (const Shape& s : cases) {
        const std::vector<double> c = closesAt(s);
        EXPECT_EQ(detectDoubleTops(s.bars, c.data()), s.found) << s.what;
    }
}

TEST(PricePatternRules, HeadsAndShoulders)
{
    const std::vector<Shape> cases = {
        {kSeven, {10, 20, 15, 25, 15, 20, 10}, {6}, "top on a level neckline"},
        {kSeven, {10, 20, 15, 25, 15, 20, 16}, {}, "last point above the neckline"},
        {kSeven, {10, 20, 15, 25, 15, 20, 15}, {}, "last point on the neckline"},
        {kSeven, {20, 10, 15, 5, 15, 10, 20}, {6}, "the mirror: inverse"},
        {{0, 10, 20, 30, 40, 100, 110}, {10, 20, 15, 25, 15, 20, 10}, {}, "right shoulder wider than head / 0.4"},
        {kSeven, {10, 20, 15, 20, 15, 20, 10}, {6}, "head as high as the shoulders"},
        {kSeven, {10, 20, 15, 19.9, 15, 19.9, 10}, {}, "head below the left shoulder"},
        {kSeven, {10, 20, 15, 25, 15, 25.1, 10}, {}, "head below the right shoulder"},
        {kSeven, {10, 20, 15, 25, 20, 24, 10}, {6}, "neckline rising to the left shoulder, head just clear"},
        {kSeven, {10, 20, 15, 25, 20.1, 24, 10}, {}, "second neckline point above the left shoulder"},
        {kSeven, {10, 20, 15, 25, 15, 14, 10}, {}, "right shoulder below the first neckline point"},
        {{0, 20, 30, 55, 80, 100, 110}, {10, 20, 15, 25, 15, 20, 10}, {6}, "left exactly 0.4 of the head"},
        {{0, 20, 30, 55, 81, 101, 111}, {10, 20, 15, 25, 15, 20, 10}, {}, "left under 0.4 of the head"},
        {{0, 10, 20, 30, 40, 50, 60, 70}, {5, 10, 20, 15, 25, 15, 20, 10}, {7}, "found at u = 1"},
        {{0, 10, 20, 30, 40, 50}, {10, 20, 15, 25, 15, 20}, {}, "six points"},
    };
    for (const Shape& s : cases) {
        const std::vector<double> c = closesAt(s);
        EXPECT_EQ(detectHeadAndShoulders(s.bars, c.data()), s.found) << s.what;
    }
}

namespace {

// Bars 0..50 over pixels 0..500, values 0..30 over pixels 300..0.
struct DrawnShapes : ::testing::Test {
    void use(QxPricePattern* made, const std::vector<std::pair<unsigned, double>>& anchors)
    {
        security = new charttest::MemSecurity(51, charttest::makePiecewise(anchors));
        calc = new QxCalculator(security.get());
        pattern = made;
        pattern->filter = 10;
        pattern->topPen = wxPen(*wxRED, 2);
        pattern->bottomPen = wxPen(wxColour(0, 160, 0), 2);
        pattern->setCalculator(calc.get());
        x.setup(0.0, 60.0, 0, 600, false);
        y.setup(0.0, 30.0, 300, 0, false);
    }
    std::vector<QxPricePattern::Shape> shapes(unsigned first, unsigned last, int rc = 0)
    {
        std::vector<QxPricePattern::Shape> out;
        EXPECT_EQ(pattern->findShapes(first, last, x, y, out), rc);
        return out;
    }
    wxImage paint(unsigned first, unsigned last, const char* name)
    {
        wxBitmap bitmap(620, 310, 24);
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        dc.SetPen(*wxBLUE_PEN);
        EXPECT_EQ(pattern->draw(dc, first, last, x, y), 0);
        EXPECT_EQ(dc.GetPen().GetColour(), *wxBLUE) << "the DC's pen is given back";
        dc.SelectObject(wxNullBitmap);
        wxImage image = bitmap.ConvertToImage();
        image.SaveFile(TestSupport::artifactPath(name), wxBITMAP_TYPE_PNG);
        return image;
    }
    QxObjectSmartPtr<QxSecurity> security;
    QxObjectSmartPtr<QxCalculator> calc;
    QxObjectSmartPtr<QxPricePattern> pattern;
    QxUniformScale x, y;
};

using P = std::vector<wxPoint>;

} // namespace

TEST_F(DrawnShapes, TheLastVisibleBarCompletesADoubleTopOnAnUnfinishedLeg)
{
    // Turning points 0, 10, 20, 30 and the last bar 50; bar 40 closes at 14.
    use(new QxDoubleTop(), {{0, 10}, {10, 20}, {20, 15}, {30, 20}, {50, 8}});
    auto found = shapes(0, 40);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(found[0].top);
    EXPECT_EQ(found[0].points, (P{{0, 198}, {100, 98}, {200, 148}, {300, 98}, {400, 158}})) << "2 px above";
    EXPECT_TRUE(shapes(0, 36).empty()) << "bar 36 closes at 16.4, above the trough";
    EXPECT_EQ(shapes(0, 50).size(), 1u);

    // Starting inside the shape: the first point is cut at the left edge,
    // on the first leg (15 at bar 5), without the shift.
    found = shapes(5, 40);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].points, (P{{50, 150}, {100, 98}, {200, 148}, {300, 98}, {400, 158}}));

    // Pixels: the top pen 2 px above the closes; nothing just under the trough.
    const wxImage image = paint(0, 40, "double_top_drawn.png");
    EXPECT_GT(charttest::countNear(image, wxRect(199, 146, 3, 3), *wxRED, 90), 0);
    EXPECT_EQ(charttest::countNear(image, wxRect(197, 151, 7, 3), *wxRED, 90), 0)
        << "unshifted, the trough would be drawn at y 150";
    EXPECT_EQ(charttest::countOther(image, wxRect(410, 0, 210, 310), *wxWHITE), 0) << "nothing after bar 40";
}

TEST_F(DrawnShapes, AnInverseHeadAndShouldersIsDrawnBelowInTheBottomPen)
{
    use(new QxHeadAndShoulder(), {{0, 20}, {10, 10}, {20, 15}, {30, 5}, {40, 15}, {50, 10}, {60, 20}});
    auto found = shapes(0, 60);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_FALSE(found[0].top);
    EXPECT_EQ(found[0].points.size(), 7u);
    EXPECT_EQ(found[0].points[3], wxPoint(300, 252)) << "the head, 2 px below 5";

    const wxImage image = paint(0, 60, "inverse_head_and_shoulders.png");
    const wxColour green(0, 160, 0);
    // The head's vertex ends at row 252; unshifted it would end at row 250.
    EXPECT_GT(charttest::countNear(image, wxRect(298, 252, 4, 1), green, 90), 0);
    EXPECT_EQ(charttest::countNear(image, wxRect(294, 253, 12, 4), green, 90), 0);
    EXPECT_EQ(charttest::countNear(image, wxRect(0, 0, 620, 310), *wxRED, 90), 0) << "no top pen";

    // Too few turning points before the last visible bar: nothing, and no error.
    EXPECT_TRUE(shapes(0, 45).empty());
    EXPECT_EQ(paint(0, 45, "no_shape.png").GetData()[0], 255);
    // Nothing at or after a range beyond the history.
    shapes(0, 61, eUnknownError);
}

TEST(PricePatternXml, RoundTripsThroughTheRegistry)
{
    for (QxPricePattern* made : {static_cast<QxPricePattern*>(new QxDoubleTop()),
                                 static_cast<QxPricePattern*>(new QxHeadAndShoulder())}) {
        QxObjectSmartPtr<QxPricePattern> pattern(made);
        pattern->filter = 3.25;
        pattern->topPen = wxPen(wxColour(117, 0, 0), 2);
        pattern->bottomPen = wxPen(wxColour(0, 127, 0), 3, wxPENSTYLE_SHORT_DASH);
        wxXmlNode root(wxXML_ELEMENT_NODE, "Patterns");
        wxXmlNode* element = pattern->toXml(&root);
        EXPECT_EQ(element->GetName(), pattern->getName().string());
        EXPECT_EQ(element->GetAttribute("Filter"), "3.250000");
        EXPECT_EQ(element->GetAttribute("BullReversalPen"), "Color:117;Width:2;Style:100");

        QxObjectSmartPtr<QxPattern> back(createPatternFromXml(element));
        auto* read = dynamic_cast<QxPricePattern*>(back.get());
        ASSERT_NE(read, nullptr) << element->GetName();
        EXPECT_EQ(read->getName(), pattern->getName());
        EXPECT_DOUBLE_EQ(read->filter, 3.25);
        EXPECT_EQ(read->topPen.GetColour(), wxColour(117, 0, 0));
        EXPECT_EQ(read->bottomPen.GetColour(), wxColour(0, 127, 0));
        EXPECT_EQ(read->bottomPen.GetWidth(), 3);
        EXPECT_EQ(read->bottomPen.GetStyle(), wxPENSTYLE_SHORT_DASH);

        // A bare element: filter 0, pens left unset for the dialog to fill.
        wxXmlNode bare(wxXML_ELEMENT_NODE, pattern->getName().string());
        QxObjectSmartPtr<QxPattern> fresh(createPatternFromXml(&bare));
        auto* unset = dynamic_cast<QxPricePattern*>(fresh.get());
        ASSERT_NE(unset, nullptr);
        EXPECT_EQ(unset->filter, 0.0);
        EXPECT_FALSE(unset->topPen.IsOk());
    }
    QxDoubleTop top;
    top.filter = 2.5;
    EXPECT_EQ(top.getDisplayText(), "Double Top detector (filter:2.50%)");
    QxHeadAndShoulder hs;
    hs.filter = 12.345;
    EXPECT_EQ(hs.getDisplayText(), "Head and Shoulder detector (filter:12.35%)");
}
