// Annotations as objects: pen texts, segment and shape geometry, hit tests,
// the text layout and the XML form.
#include "AnnotScales.h"
#include "chartview/QxAnnot.h"
#include "chartview/QxLineAnnot.h"
#include "chartview/QxOvalAnnot.h"
#include "chartview/QxRectAnnot.h"
#include "chartview/QxTextAnnot.h"
#include "chartview/QxTextLayout.h"
#include "chartview/QxTriangleAnnot.h"
#include "core/QxErrorCode.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/xml/xml.h>

#include <memory>
#include <vector>

namespace {

using annottest::Scales;

QxLineAnnot* line(QxLineAnnot::Kind kind, QxPoint p0, QxPoint p1 = QxPoint())
{
    auto* l = new QxLineAnnot(kind);
    l->setPoint(0, p0);
    l->setPoint(1, p1);
    return l;
}

template <class Shape>
Shape* shape(std::initializer_list<QxPoint> points)
{
    auto* s = new Shape;
    unsigned i = 0;
    for (const QxPoint& p : points)
        s->setPoint(i++, p);
    return s;
}

// Writes an annotation under a root and reads the element back.
QxObjectSmartPtr<QxAnnot> roundTrip(const QxAnnot& annot, wxXmlNode* root)
{
    wxXmlNode* element = annot.toXml(root);
    return QxObjectSmartPtr<QxAnnot>(createAnnotFromXml(element));
}

} // namespace

TEST(AnnotPenSpec, FormatsAndParsesOnlyWhatAPenCanBe)
{
    EXPECT_EQ(formatPenSpec(wxPen(*wxBLUE, 2, wxPENSTYLE_SOLID)), "Color:16711680;Width:2;Style:100");
    EXPECT_EQ(formatPenSpec(wxPen(wxColour(1, 2, 3), 0, wxPENSTYLE_DOT)), "Color:197121;Width:0;Style:101");

    const struct {
        const char* text;
        bool ok;
    } cases[] = {
        {"Color:16711680;Width:2;Style:100", true},
        {"Color:255;Width:100;Style:116", true},   // widest pen, last hatch
        {"Color:0;Width:0;Style:106", true},       // transparent
        {"Color:16711680;Width:2", false},         // two fields
        {"Color:16711680;Width:101;Style:100", false},
        {"Color:16711680;Width:-1;Style:100", false},
        {"Color:16711680;Width:2;Style:105", false}, // user dashes without dashes
        {"Color:16711680;Width:2;Style:110", false}, // stipple without a bitmap
        {"Color:16711680;Width:2;Style:99", false},
        {"Color:4294967296;Width:2;Style:100", false},
        {"Color:99999999999999999999999;Width:2;Style:100", false},
        {"color:255;Width:2;Style:100", false},
        {"", false},
    };
    for (const auto& c : cases) {
        wxPen pen(*wxGREEN, 7, wxPENSTYLE_SHORT_DASH);
        EXPECT_EQ(parsePenSpec(c.text, pen), c.ok) << c.text;
        if (!c.ok) {
            EXPECT_EQ(pen, wxPen(*wxGREEN, 7, wxPENSTYLE_SHORT_DASH)) << "unchanged: " << c.text;
        }
    }
    wxPen pen;
    ASSERT_TRUE(parsePenSpec("Color:16711680;Width:2;Style:100", pen));
    EXPECT_EQ(pen.GetColour(), *wxBLUE);
    EXPECT_EQ(pen.GetWidth(), 2);
    EXPECT_EQ(pen.GetStyle(), wxPENSTYLE_SOLID);
}

TEST(AnnotGeometry, SegmentNearPoint)
{
    const struct {
        wxPoint a, b, p;
        int tolerance;
        bool near;
    } cases[] = {
        {{0, 0}, {100, 100}, {50, 50}, 2, true},
        {{0, 0}, {100, 100}, {50, 53}, 2, false},  // 2.1 pixels off the line
        {{0, 0}, {100, 100}, {52, 50}, 2, true},
        {{0, 0}, {100, 100}, {103, 103}, 2, false}, // on the line, past the end
        {{0, 0}, {100, 100}, {101, 101}, 2, true},  // within the tolerance of the end
        {{100, 100}, {0, 0}, {50, 50}, 2, true},    // either order
        {{50, 0}, {50, 100}, {51, 500}, 2, true},   // vertical: only the column bounds it
        {{50, 0}, {50, 100}, {53, 50}, 2, false},
        {{10, 10}, {10, 10}, {11, 11}, 2, true},    // a segment of no length is its pixel
        {{10, 10}, {10, 10}, {13, 10}, 2, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(segmentNearPoint(c.a, c.b, c.p, c.tolerance), c.near)
            << c.a << "-" << c.b << " at " << c.p;
}

TEST(AnnotGeometry, LineSegmentsPerKind)
{
    const Scales s;
    // (20, 20) is pixel (200, 260), (30, 40) is (300, 220): a slope of -0.4.
    // One bar beyond the visible bars: columns 90 and 510.
    const struct {
        QxLineAnnot::Kind kind;
        QxPoint p0, p1;
        wxPoint a, b;
    } cases[] = {
        {QxLineAnnot::eTrendLine, {20, 20}, {30, 40}, {200, 260}, {300, 220}},
        {QxLineAnnot::eArrow, {20, 20}, {30, 40}, {200, 260}, {300, 220}},
        {QxLineAnnot::eRay, {20, 20}, {30, 40}, {200, 260}, {510, 136}},
        {QxLineAnnot::eRay, {30, 40}, {20, 20}, {90, 304}, {300, 220}}, // leftwards: ends at the left edge
        {QxLineAnnot::eRay, {20, 20}, {20, 60}, {200, 300}, {200, 100}}, // one column: full height
        {QxLineAnnot::eExtendedLine, {20, 20}, {30, 40}, {90, 304}, {510, 136}},
        {QxLineAnnot::eExtendedLine, {25, 90}, {25, 10}, {250, 300}, {250, 100}},
        {QxLineAnnot::eVerticalLine, {25, 50}, {}, {250, 300}, {250, 100}},
        {QxLineAnnot::eHorizontalLine, {25, 50}, {}, {90, 200}, {510, 200}},
    };
    for (const auto& c : cases) {
        QxObjectSmartPtr<QxLineAnnot> l(line(c.kind, c.p0, c.p1));
        const QxLineAnnot::Segment seg = l->lineDeviceSegment(s.x, s.y);
        EXPECT_EQ(seg.a, c.a) << "kind " << c.kind;
        EXPECT_EQ(seg.b, c.b) << "kind " << c.kind;
    }

    // A ray steep enough that its row at the edge leaves drawing coordinates
    // ends where it reaches the limiting row, still on its own line.
    QxObjectSmartPtr<QxLineAnnot> steep(line(QxLineAnnot::eRay, {20, 50}, {21, 1e6}));
    const QxLineAnnot::Segment seg = steep->lineDeviceSegment(s.x, s.y);
    EXPECT_EQ(seg.a, wxPoint(200, 200));
    EXPECT_EQ(seg.b.y, -int(QxUniformScale::kPixelLimit));
    EXPECT_NEAR(seg.b.x, 200 + (QxUniformScale::kPixelLimit + 200) / 199990.0, 1.0);
}

TEST(AnnotGeometry, ArrowHeadsPointAtTheirTips)
{
    // 15 degrees either side of the shaft, 16 pixels long.
    const auto right = QxLineAnnot::arrowHeadPoints({100, 100}, {0, 100}, 16);
    EXPECT_EQ(right[0], wxPoint(85, 96));
    EXPECT_EQ(right[1], wxPoint(100, 100));
    EXPECT_EQ(right[2], wxPoint(85, 104));
    const auto left = QxLineAnnot::arrowHeadPoints({0, 100}, {100, 100}, 16);
    EXPECT_EQ(left[0], wxPoint(15, 104));
    EXPECT_EQ(left[2], wxPoint(15, 96));
    const auto up = QxLineAnnot::arrowHeadPoints({50, 0}, {50, 100}, 16);
    EXPECT_EQ(up[0].y, 15);
    EXPECT_EQ(up[2].y, 15);
    EXPECT_EQ(up[0].x + up[2].x, 100) << "symmetric about the shaft";

    // Drawn: a two-headed arrow fills both ends, a plain arrow only its tip.
    const Scales s;
    wxBitmap bitmap(600, 400, 24);
    for (auto kind : {QxLineAnnot::eArrow, QxLineAnnot::eTwoHeadedArrow}) {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        QxObjectSmartPtr<QxLineAnnot> l(line(kind, {20, 50}, {40, 50})); // (200, 200) to (400, 200)
        l->setPen(wxPen(*wxBLACK, 1));
        EXPECT_EQ(l->draw(dc, 0, 0, s.x, s.y), eNoError);
        dc.SelectObject(wxNullBitmap);
        const wxImage img = bitmap.ConvertToImage();
        auto inked = [&](int x, int y) { return img.GetRed(x, y) < 128; };
        EXPECT_TRUE(inked(388, 198) && inked(388, 202)) << "head at the second point";
        EXPECT_EQ(inked(212, 198) && inked(212, 202), kind == QxLineAnnot::eTwoHeadedArrow);
    }
}

TEST(AnnotGeometry, HitTestsOfShapesLinesAndTexts)
{
    const Scales s;
    // Every shape spans pixels (200, 260) to (400, 140): bars 20..40, values 20..80.
    QxObjectSmartPtr<QxAnnot> rect(shape<QxRectAnnot>({{20, 20}, {40, 80}}));
    QxObjectSmartPtr<QxAnnot> oval(shape<QxOvalAnnot>({{20, 20}, {40, 80}}));
    QxObjectSmartPtr<QxAnnot> flat(shape<QxOvalAnnot>({{20, 50}, {40, 50}}));
    QxObjectSmartPtr<QxAnnot> upright(shape<QxOvalAnnot>({{30, 20}, {30, 80}}));
    QxObjectSmartPtr<QxAnnot> triangle(shape<QxTriangleAnnot>({{20, 20}, {40, 20}, {30, 80}}));
    QxObjectSmartPtr<QxAnnot> open(shape<QxTriangleAnnot>({{20, 20}, {40, 20}}));
    QxObjectSmartPtr<QxAnnot> trend(line(QxLineAnnot::eTrendLine, {20, 20}, {40, 80}));
    QxObjectSmartPtr<QxAnnot> extended(line(QxLineAnnot::eExtendedLine, {20, 20}, {40, 80}));
    auto* textAnnot = new QxTextAnnot("note");
    textAnnot->setPoint(0, {20, 80});
    textAnnot->setPoint(1, {40, 20});
    QxObjectSmartPtr<QxAnnot> text(textAnnot);
    // Without a width of its own the box spans the corners' 201 pixels; it
    // hangs from the first corner and is as tall as its text.
    const int textBottom = 140 + QxTextLayout(textAnnot->getFont(), "note", 201).boxHeight() - 1;

    const unsigned none = 99;
    const struct {
        const char* what;
        QxAnnot* annot;
        wxPoint p;
        int hit;
        unsigned index; // with the index asked for
    } cases[] = {
        {"rect inside", rect.get(), {300, 200}, 0, none},
        {"rect left border", rect.get(), {201, 200}, 2, none},
        {"rect just outside", rect.get(), {199, 200}, 2, none}, // within half the tolerance
        {"rect outside", rect.get(), {198, 200}, 0, none},
        {"rect corner", rect.get(), {402, 142}, 1, 1},
        {"oval centre", oval.get(), {300, 200}, 0, none},
        {"oval left", oval.get(), {201, 200}, 2, none},
        {"oval top", oval.get(), {300, 142}, 2, none},
        {"oval box corner", oval.get(), {215, 150}, 0, none},
        {"oval point", oval.get(), {199, 261}, 1, 0},
        {"flat oval on it", flat.get(), {300, 201}, 2, none},
        {"flat oval beside", flat.get(), {300, 210}, 0, none},
        {"flat oval beyond its end", flat.get(), {420, 200}, 0, none},
        {"upright flat oval", upright.get(), {301, 180}, 2, none},
        {"triangle edge", triangle.get(), {300, 259}, 2, none},
        {"triangle slope", triangle.get(), {250, 200}, 2, none},
        {"triangle inside", triangle.get(), {300, 220}, 0, none},
        {"triangle apex", triangle.get(), {300, 140}, 1, 2},
        {"triangle without its third point", open.get(), {300, 260}, 0, none},
        {"trend line", trend.get(), {300, 200}, 2, none},
        {"trend line past its end", trend.get(), {450, 110}, 0, none},
        {"extended line past its end", extended.get(), {450, 110}, 2, none},
        {"trend line end", trend.get(), {401, 141}, 1, 1},
        {"text inside", text.get(), {300, 150}, 2, none},
        {"text margin", text.get(), {197, 150}, 2, none}, // 3 times the pen width
        {"text outside", text.get(), {195, 150}, 0, none},
        {"text below its lines", text.get(), {300, textBottom + 4}, 0, none},
        {"text corner", text.get(), {398, textBottom - 2}, 1, 1},
        {"text first corner", text.get(), {202, 142}, 1, 0},
    };
    for (const auto& c : cases) {
        unsigned index = none;
        const int hit = c.annot->hitTest(c.p, s.x, s.y, c.index == none ? nullptr : &index, -1);
        EXPECT_EQ(hit, c.hit) << c.what;
        EXPECT_EQ(index, c.index) << c.what;
    }

    // A triangle shows as its first side while the third corner is placed;
    // a shape without both corners draws nothing.
    wxBitmap bitmap(600, 400, 24);
    wxMemoryDC dc(bitmap);
    EXPECT_EQ(open->draw(dc, 0, 0, s.x, s.y), eNoError);
    QxObjectSmartPtr<QxAnnot> lone(shape<QxRectAnnot>({{20, 20}}));
    EXPECT_EQ(lone->draw(dc, 0, 0, s.x, s.y), eNotAllParamsValid);
    EXPECT_EQ(lone->hitTest({200, 260}, s.x, s.y, nullptr, 10), 0);
    EXPECT_EQ(lone->setPoint(2, {1, 1}), eInvalidIndex);
}

TEST(AnnotTextLayout, BreaksAtLineBreaksAndWrapsByWord)
{
    wxFont font = *wxNORMAL_FONT;
    font.SetPointSize(12);
    const int m = QxTextLayout::kMargin;
    auto widthOf = [&](const wxString& s) { return QxTextLayout(font, s, 0).boxWidth() - 2 * m; };
    // Room for "alpha beta gamma" and a little, not for another word.
    const int width = widthOf("alpha beta gamma") + 2 * m + 2;
    const wxString text = "Hi\nalpha beta gamma delta epsilon\n\nzetazetazetazetazetazetazetazeta";
    const QxTextLayout layout(font, text, width);
    std::vector<wxString> lines;
    for (size_t i = 0; i < layout.lines().size(); ++i)
        lines.push_back(layout.lineText(i));
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "Hi");
    EXPECT_EQ(lines[1], "alpha beta gamma ");
    EXPECT_EQ(lines[2], "delta epsilon");
    EXPECT_EQ(lines[3], "") << "an empty line between two breaks";
    wxString rejoined;
    for (size_t i = 4; i < lines.size(); ++i) {
        rejoined += lines[i];
        EXPECT_LE(widthOf(lines[i]), width - 2 * m) << "a long word breaks inside: " << lines[i];
    }
    EXPECT_EQ(rejoined, "zetazetazetazetazetazetazetazeta");
    EXPECT_EQ(layout.boxHeight(), int(lines.size()) * layout.lineHeight() + 2 * m);
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(layout.lines()[i].pos, wxPoint(m, m + int(i) * layout.lineHeight()));
    // Without a width only the line breaks break; the narrowest box that
    // breaks no word holds the long word.
    EXPECT_EQ(QxTextLayout(font, text, 0).lines().size(), 4u);
    // The editor keeps a pixel right of its text for the caret.
    EXPECT_EQ(QxTextLayout::wordBoxWidth(font, text), widthOf("zetazetazetazetazetazetazetazeta") + 2 * m + 1);
    EXPECT_EQ(QxTextLayout::wordBoxWidth(font, "ab, cd"), widthOf("ab,") + 2 * m + 1) << "the comma clings";

    // The character under a point: line by line, before or after a
    // character's middle.
    const int lh = layout.lineHeight();
    EXPECT_EQ(layout.charAt({m, m}), 0u);
    EXPECT_EQ(layout.charAt({m + 500, m}), 2u) << "end of the first line";
    const int beta = widthOf("alpha ");
    EXPECT_EQ(layout.charAt({m + beta + 1, m + lh + 2}), 9u) << "the b of beta";
    EXPECT_EQ(layout.charAt({m, m + 100 * lh}), layout.lines().back().start) << "below the last line";
}

TEST(AnnotXml, EveryKindRoundTrips)
{
    wxXmlNode root(wxXML_ELEMENT_NODE, "Annots");
    const wxPen pen(wxColour(10, 20, 30), 3, wxPENSTYLE_DOT);
    std::vector<QxObjectSmartPtr<QxAnnot>> kinds;
    for (unsigned kind = 1; kind <= 7; ++kind)
        kinds.emplace_back(line(static_cast<QxLineAnnot::Kind>(kind), {12.7, 41.25}, {30, -2.5}));
    kinds.emplace_back(shape<QxRectAnnot>({{12, 1.5}, {20, 2.5}}));
    kinds.emplace_back(shape<QxOvalAnnot>({{12, 1.5}, {20, 2.5}}));
    kinds.emplace_back(shape<QxTriangleAnnot>({{12, 1.5}, {20, 2.5}, {16, 9.75}}));
    auto* text = new QxTextAnnot("two\nlines <&>");
    text->setPoint(0, {12, 9});
    text->setPoint(1, {18, 3});
    text->setFont(wxFont(wxFontInfo(9).Bold()));
    text->setBoxWidth(173);
    kinds.emplace_back(text);
    for (auto& annot : kinds)
        annot->setPen(pen);

    for (const auto& annot : kinds) {
        const QxObjectSmartPtr<QxAnnot> back = roundTrip(*annot, &root);
        ASSERT_NE(back.get(), nullptr) << annot->getName().string();
        EXPECT_EQ(back->getName(), annot->getName());
        ASSERT_EQ(back->numPoints(), annot->numPoints());
        for (unsigned i = 0; i < annot->numPoints(); ++i) {
            EXPECT_EQ(back->getPoint(i).x, std::trunc(annot->getPoint(i).x)) << "whole bars";
            EXPECT_DOUBLE_EQ(back->getPoint(i).y, annot->getPoint(i).y);
        }
        EXPECT_EQ(back->getPen().GetColour(), pen.GetColour());
        if (annot->hasProperty(QxAnnot::ePropPen)) {
            EXPECT_EQ(back->getPen().GetWidth(), 3);
            EXPECT_EQ(back->getPen().GetStyle(), wxPENSTYLE_DOT);
        }
        if (auto* l = dynamic_cast<QxLineAnnot*>(annot.get())) {
            EXPECT_EQ(static_cast<QxLineAnnot*>(back.get())->kind(), l->kind());
        }
    }
    // Elements are appended in the order written.
    wxString order;
    for (wxXmlNode* e = root.GetChildren(); e; e = e->GetNext())
        order << e->GetName().Mid(2, 3) << e->GetAttribute("Type", "") << " ";
    EXPECT_EQ(order, "Lin1 Lin2 Lin3 Lin4 Lin5 Lin6 Lin7 Rec Ova Tri Tex ");

    // What the elements carry.
    wxXmlNode* vertical = root.GetChildren()->GetNext()->GetNext()->GetNext();
    EXPECT_EQ(vertical->GetAttribute("Pen"), "Color:1971210;Width:3;Style:101");
    const wxXmlNode* points = findXmlChildNoCase(vertical, "creationpoints");
    ASSERT_NE(points, nullptr);
    ASSERT_NE(points->GetChildren(), nullptr);
    EXPECT_EQ(points->GetChildren()->GetNext(), nullptr) << "one point for a vertical line";
    EXPECT_EQ(points->GetChildren()->GetAttribute("x"), "12");
    EXPECT_EQ(points->GetChildren()->GetAttribute("y"), "41.250000");
    wxXmlNode* textElement = root.GetChildren();
    while (textElement->GetNext())
        textElement = textElement->GetNext();
    EXPECT_FALSE(textElement->HasAttribute("Pen"));
    EXPECT_EQ(textElement->GetAttribute("Color"), "rgb(10, 20, 30)");
    EXPECT_EQ(textElement->GetAttribute("Text"), "two\nlines <&>");
    const QxObjectSmartPtr<QxAnnot> textBack(createAnnotFromXml(textElement));
    EXPECT_EQ(static_cast<QxTextAnnot*>(textBack.get())->getText(), "two\nlines <&>");
    EXPECT_EQ(textBack->getFont().GetPointSize(), 9);
    EXPECT_EQ(textBack->getFont().GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_EQ(textElement->GetAttribute("BoxWidth"), "173");
    EXPECT_EQ(static_cast<QxTextAnnot*>(textBack.get())->boxWidth(), 173) << "the width its lines break at";
}

TEST(AnnotXml, ReadingIsForgiving)
{
    auto element = [](const wxString& name, std::initializer_list<std::pair<const char*, const char*>> attrs,
                      std::initializer_list<std::initializer_list<std::pair<const char*, const char*>>> points) {
        auto* e = new wxXmlNode(wxXML_ELEMENT_NODE, name);
        for (const auto& a : attrs)
            e->AddAttribute(a.first, a.second);
        if (points.size()) {
            auto* list = new wxXmlNode(wxXML_ELEMENT_NODE, "creationPOINTS");
            e->AddChild(list);
            for (const auto& p : points) {
                auto* point = new wxXmlNode(wxXML_ELEMENT_NODE, "Anything");
                list->AddChild(point);
                for (const auto& a : p)
                    point->AddAttribute(a.first, a.second);
            }
        }
        return std::unique_ptr<wxXmlNode>(e);
    };

    // Names in any case; unknown names and bad line types give nothing.
    EXPECT_EQ(QxObjectSmartPtr<QxAnnot>(createAnnotFromXml(element("qxrectannot", {}, {}).get()))->getName(),
              "QxRectAnnot");
    for (const char* type : {"0", "8", "x", "", "1.5"})
        EXPECT_EQ(createAnnotFromXml(element("QxLineAnnot", {{"Type", type}}, {}).get()), nullptr) << type;
    EXPECT_EQ(createAnnotFromXml(element("QxEllipse", {}, {}).get()), nullptr);

    // Points out of order are set 0, 1, 2; a point without a valid index is
    // skipped, and a repeated index overwrites.
    struct Recorder : QxTriangleAnnot {
        int setPoint(unsigned index, const QxPoint& p) override
        {
            order.push_back(index);
            return QxTriangleAnnot::setPoint(index, p);
        }
        std::vector<unsigned> order;
    };
    QxObjectSmartPtr<Recorder> held(new Recorder);
    Recorder& recorder = *held;
    auto e = element("QxTriangleAnnot", {{"Pen", "Color:255;Width:2"}, {"Color", "blue"}},
                     {{{"Index", "2"}, {"x", "7"}, {"y", "3.5"}},
                      {{"Index", "0"}, {"x", "5"}, {"y", "1"}},
                      {{"Index", "abc"}, {"x", "100"}, {"y", "100"}},
                      {{"Index", "1"}, {"x", "9"}, {"y", "nan"}},
                      {{"Index", "0"}, {"x", "6"}, {"y", "2"}}});
    EXPECT_EQ(recorder.fromXml(e.get()), 0);
    EXPECT_EQ(recorder.order, (std::vector<unsigned>{0, 1, 2}));
    EXPECT_EQ(recorder.getPoint(0).x, 6.0);
    EXPECT_EQ(recorder.getPoint(1).x, 9.0);
    EXPECT_EQ(recorder.getPoint(1).y, 0.0) << "a value that is no number stays 0";
    EXPECT_EQ(recorder.getPoint(2).y, 3.5);
    // A pen of two fields changes nothing, and "Color" is not used instead.
    EXPECT_EQ(recorder.getPen(), *wxRED_PEN);

    // A text without "Font" keeps its 12-point font; one with a colour takes it.
    const QxObjectSmartPtr<QxAnnot> text(
        createAnnotFromXml(element("QxTextAnnot", {{"Color", "blue"}, {"Text", "hi"}}, {}).get()));
    ASSERT_NE(text.get(), nullptr);
    EXPECT_EQ(text->getFont().GetPointSize(), 12);
    EXPECT_EQ(text->getPen().GetColour(), *wxBLUE);
    EXPECT_EQ(static_cast<QxTextAnnot*>(text.get())->getText(), "hi");
    EXPECT_EQ(static_cast<QxTextAnnot*>(text.get())->boxWidth(), 0) << "no width kept: across the corners";
    // A box width that no box can have is not taken.
    for (const char* width : {"0", "-40", "32768", "99999999999", "12px", "", "wide"}) {
        const QxObjectSmartPtr<QxAnnot> odd(
            createAnnotFromXml(element("QxTextAnnot", {{"Text", "hi"}, {"BoxWidth", width}}, {}).get()));
        ASSERT_NE(odd.get(), nullptr) << width;
        EXPECT_EQ(static_cast<QxTextAnnot*>(odd.get())->boxWidth(), 0) << width;
    }

    // A rectangle with one readable point draws nothing and is never hit.
    const QxObjectSmartPtr<QxAnnot> lone(createAnnotFromXml(
        element("QxRectAnnot", {}, {{{"Index", "0"}, {"x", "20"}, {"y", "20"}}, {{"x", "30"}, {"y", "30"}}}).get()));
    ASSERT_NE(lone.get(), nullptr);
    const Scales s;
    wxBitmap bitmap(10, 10, 24);
    wxMemoryDC dc(bitmap);
    EXPECT_EQ(lone->draw(dc, 0, 0, s.x, s.y), eNotAllParamsValid);
    EXPECT_EQ(lone->hitTest({200, 260}, s.x, s.y, nullptr, 50), 0);
}

TEST(AnnotXml, PointsLeftOfTheFirstBarWriteBarZero)
{
    QxObjectSmartPtr<QxAnnot> moved(shape<QxRectAnnot>({{-3.5, 1}, {4e12, 2}}));
    wxXmlNode root(wxXML_ELEMENT_NODE, "Annots");
    const wxXmlNode* points = findXmlChildNoCase(moved->toXml(&root), "CreationPoints");
    ASSERT_NE(points, nullptr);
    EXPECT_EQ(points->GetChildren()->GetAttribute("x"), "0");
    EXPECT_EQ(points->GetChildren()->GetNext()->GetAttribute("x"), "4294967295");
}
