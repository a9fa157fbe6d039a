// The pattern base's XML list and registry, and the zig-zag pattern: its
// text, XML form, clone, line points and pixels in a clipped, shifted DC.
#include "support/ChartFixtures.h"
#include "chart/QxUniformScale.h"
#include "chartview/QxPatternRegistry.h"
#include "chartview/QxZigZagPattern.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/xml/xml.h>

#include <memory>
#include <vector>

namespace {

wxXmlNode* child(wxXmlNode* parent, const wxString& name, std::vector<std::pair<wxString, wxString>> attributes)
{
    auto* node = new wxXmlNode(wxXML_ELEMENT_NODE, name);
    parent->AddChild(node); // appended: document order as written
    for (const auto& [key, value] : attributes)
        node->AddAttribute(key, value);
    return node;
}

wxXmlNode* zigzag(wxXmlNode* parent, const wxString& filter, const wxString& index)
{
    return child(parent, "QxZigZagPattern", {{"Filter", filter}, {"Pen", "Color:255;Width:2;Style:100"}, {"Index", index}});
}

std::vector<double> filters(const QxPatternList& list)
{
    std::vector<double> out;
    for (const auto& p : list)
        out.push_back(static_cast<const QxZigZagPattern*>(p.get())->filter);
    return out;
}

QxZigZagPattern* zigzagOf(const QxPatternList& list, size_t i)
{
    return dynamic_cast<QxZigZagPattern*>(list.at(i).get());
}

} // namespace

TEST(PatternXml, ReadsTheListInIndexOrderAndSkipsWhatItCannotUse)
{
    wxXmlNode patterns(wxXML_ELEMENT_NODE, "Patterns");
    zigzag(&patterns, "2.000000", "2");
    child(&patterns, "QxRectAnnot", {{"Index", "5"}}); // not a pattern kind
    zigzag(&patterns, "0.500000", "0");
    zigzag(&patterns, "7.000000", "");  // no usable index
    zigzag(&patterns, "8.000000", "x"); // not a number: as missing, not as 0
    child(&patterns, "QxZigZagPattern", {{"Filter", "9"}}); // no index at all
    zigzag(&patterns, "1.000000", "1");

    QxPatternList list;
    EXPECT_EQ(readPatternsFromXml(&patterns, list), 0);
    EXPECT_EQ(filters(list), (std::vector<double>{0.5, 1.0, 2.0}));
    EXPECT_EQ(zigzagOf(list, 0)->pen.GetColour(), *wxRED);
    EXPECT_EQ(zigzagOf(list, 0)->pen.GetWidth(), 2);

    // A second read appends.
    EXPECT_EQ(readPatternsFromXml(&patterns, list), 0);
    EXPECT_EQ(list.size(), 6u);
}

TEST(PatternXml, ADuplicateIndexKeepsBothInDocumentOrder)
{
    wxXmlNode patterns(wxXML_ELEMENT_NODE, "Patterns");
    zigzag(&patterns, "1", "0");
    zigzag(&patterns, "2", "1");
    zigzag(&patterns, "3", "1");
    child(&patterns, "QxZigZagPattern", {{"Filter", "9"}}); // no index: left out, counted
    QxPatternList list;
    list.emplace_back(new QxZigZagPattern());
    unsigned leftOut = 0;
    EXPECT_EQ(readPatternsFromXml(&patterns, list, &leftOut), 0);
    ASSERT_EQ(list.size(), 4u);
    list.erase(list.begin());
    EXPECT_EQ(filters(list), (std::vector<double>{1.0, 2.0, 3.0}));
    EXPECT_EQ(leftOut, 1u);

    wxXmlNode empty(wxXML_ELEMENT_NODE, "Patterns");
    QxPatternList none;
    EXPECT_EQ(readPatternsFromXml(&empty, none), 0);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(readPatternsFromXml(nullptr, none), 0);
    EXPECT_TRUE(none.empty());
}

TEST(PatternXml, OnlyRegisteredKindsAreCreated)
{
    wxXmlNode unknown(wxXML_ELEMENT_NODE, "QxDoesNotExist");
    EXPECT_EQ(createPatternFromXml(&unknown), nullptr);
    wxXmlNode unnamed(wxXML_ELEMENT_NODE, "");
    EXPECT_EQ(createPatternFromXml(&unnamed), nullptr);
    wxXmlNode text(wxXML_TEXT_NODE, "QxZigZagPattern");
    EXPECT_EQ(createPatternFromXml(&text), nullptr);
    EXPECT_EQ(createPatternFromXml(nullptr), nullptr);

    // A bare element keeps the prototype's settings for what it lacks.
    wxXmlNode bare(wxXML_ELEMENT_NODE, "QxZigZagPattern");
    QxObjectSmartPtr<QxPattern> made(createPatternFromXml(&bare));
    ASSERT_NE(made.get(), nullptr);
    EXPECT_NE(made.get(), QxPatternRegistry::instance().getObj(QxAtom("QxZigZagPattern"))) << "a clone";
    EXPECT_EQ(made->getDisplayText(), "ZigZag (filter:0.00%)");
}

TEST(ZigZagPattern, TextXmlAndClone)
{
    QxZigZagPatternConfig config;
    config.filter = 5;
    config.pen = wxPen(wxColour(0, 128, 255), 3, wxPENSTYLE_SHORT_DASH);
    QxObjectSmartPtr<QxZigZagPattern> pattern(new QxZigZagPattern(config));
    EXPECT_EQ(pattern->getName().string(), "QxZigZagPattern");
    EXPECT_EQ(pattern->getDisplayText(), "ZigZag (filter:5.00%)");
    pattern->filter = 12.345;
    EXPECT_EQ(pattern->getDisplayText(), "ZigZag (filter:12.35%)");

    wxXmlNode root(wxXML_ELEMENT_NODE, "Patterns");
    wxXmlNode* element = pattern->toXml(&root);
    ASSERT_EQ(element->GetParent(), &root);
    EXPECT_EQ(element->GetName(), "QxZigZagPattern");
    EXPECT_EQ(element->GetAttribute("Filter"), "12.345000");
    EXPECT_EQ(element->GetAttribute("Pen"), "Color:16744448;Width:3;Style:103");

    QxObjectSmartPtr<QxPattern> back(createPatternFromXml(element));
    auto* read = dynamic_cast<QxZigZagPattern*>(back.get());
    ASSERT_NE(read, nullptr);
    EXPECT_DOUBLE_EQ(read->filter, 12.345);
    EXPECT_EQ(read->pen.GetColour(), wxColour(0, 128, 255));
    EXPECT_EQ(read->pen.GetWidth(), 3);
    EXPECT_EQ(read->pen.GetStyle(), wxPENSTYLE_SHORT_DASH);

    // An unreadable filter reads as 0; a malformed pen leaves the pen alone.
    element->DeleteAttribute("Filter");
    element->AddAttribute("Filter", "lots");
    element->DeleteAttribute("Pen");
    element->AddAttribute("Pen", "Color:red");
    EXPECT_EQ(read->fromXml(element), 0);
    EXPECT_EQ(read->filter, 0.0);
    EXPECT_EQ(read->pen.GetWidth(), 3);

    QxObjectSmartPtr<QxSecurity> security(new charttest::MemSecurity(41, charttest::makeWalk(10)));
    QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(security.get()));
    pattern->setCalculator(calc.get());
    QxObjectSmartPtr<QxPattern> copy(pattern->clone());
    auto* z = static_cast<QxZigZagPattern*>(copy.get());
    EXPECT_EQ(z->filter, 12.345);
    EXPECT_EQ(z->pen.GetStyle(), wxPENSTYLE_SHORT_DASH);
    EXPECT_EQ(copy->getCalculator(), calc.get());
}

namespace {

// Closes 10, 11, 12, 10.5, 11 (turning points 0, 2, 4 at filter 10) on
// bars 0..4 over pixels 20..180, values 9..13 over pixels 220..20.
struct LineFixture : ::testing::Test {
    void SetUp() override
    {
        security = new charttest::MemSecurity(42, charttest::makeBars({10, 11, 12, 10.5, 11}, {10, 11, 12, 10.5, 11}));
        calc = new QxCalculator(security.get());
        QxZigZagPatternConfig config;
        config.filter = 10;
        config.pen = wxPen(*wxBLACK, 3);
        pattern = new QxZigZagPattern(config);
        pattern->setCalculator(calc.get());
        x.setup(0.0, 4.0, 20, 180, false);
        y.setup(9.0, 13.0, 220, 20, false);
    }
    std::vector<wxPoint> points(unsigned first, unsigned last, int expectedRc = 0)
    {
        std::vector<wxPoint> out;
        EXPECT_EQ(pattern->linePoints(first, last, x, y, out), expectedRc);
        return out;
    }
    QxObjectSmartPtr<QxSecurity> security;
    QxObjectSmartPtr<QxCalculator> calc;
    QxObjectSmartPtr<QxZigZagPattern> pattern;
    QxUniformScale x, y;
};

} // namespace

TEST_F(LineFixture, PointsRunThroughTheTurningPointsToTheLastVisibleClose)
{
    using P = std::vector<wxPoint>;
    // Starting on a turning point draws it twice; the last close ends the line.
    EXPECT_EQ(points(0, 4), (P{{20, 170}, {20, 170}, {100, 70}, {180, 120}}));
    // Between turning points the line starts at its own height there: 11 at bar 1.
    EXPECT_EQ(points(1, 3), (P{{60, 120}, {100, 70}, {140, 145}}));
    EXPECT_EQ(points(3, 4), (P{{140, 95}, {180, 120}})) << "the line at bar 3 is 11.5, not its close";
    points(2, 9, eInvalidIndex);

    QxObjectSmartPtr<QxSecurity> one(new charttest::MemSecurity(43, charttest::makeBars({10}, {10})));
    QxObjectSmartPtr<QxCalculator> calcOfOne(new QxCalculator(one.get()));
    pattern->setCalculator(calcOfOne.get());
    EXPECT_TRUE(points(0, 0).empty()) << "one bar: nothing to draw";
    wxBitmap bitmap(50, 50, 24);
    wxMemoryDC dc(bitmap);
    EXPECT_EQ(pattern->draw(dc, 0, 0, x, y), 0);
}

TEST_F(LineFixture, DrawsInsideTheClipAtTheDeviceOrigin)
{
    wxBitmap bitmap(220, 240, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    // The zone's clip and a shifted origin, as the chart paints zones.
    dc.SetDeviceOrigin(10, 5);
    dc.SetClippingRegion(0, 0, 120, 240);
    const wxPen before(*wxGREEN, 1);
    dc.SetPen(before);
    EXPECT_EQ(pattern->draw(dc, 0, 4, x, y), 0);
    EXPECT_EQ(dc.GetPen().GetColour(), *wxGREEN) << "the DC's pen is given back";
    dc.SelectObject(wxNullBitmap);
    const wxImage image = bitmap.ConvertToImage();
    image.SaveFile(TestSupport::artifactPath("zigzag_line_clipped.png"), wxBITMAP_TYPE_PNG);

    auto darkAround = [&](int px, int py) { return charttest::countNear(image, wxRect(px - 1, py - 1, 3, 3), *wxBLACK, 90); };
    // On the first leg, (20,170)-(100,70), shifted by the origin.
    EXPECT_GT(darkAround(60 + 10, 120 + 5), 0);
    EXPECT_GT(darkAround(90 + 10, 82 + 5), 0);
    // The second leg, (100,70)-(180,120), lies beyond the clip from x 120 on.
    EXPECT_EQ(darkAround(140 + 10, 95 + 5), 0);
    EXPECT_EQ(charttest::countOther(image, wxRect(121 + 10, 0, 220 - 131, 240), *wxWHITE), 0);
    // Away from the line nothing is drawn.
    EXPECT_EQ(darkAround(60 + 10, 200 + 5), 0);
}
