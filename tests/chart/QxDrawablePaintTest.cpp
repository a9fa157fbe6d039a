// Painting: every drawable kind over synthetic series into a memory bitmap,
// checked pixel by pixel and saved as a picture; the raster-operation layer
// that keeps AND-painted shapes visible; margins, legends and the drawing
// helpers.
#include "DrawTestSupport.h"

#include "chart/QxColorScheme.h"
#include "chart/QxHistogram.h"
#include "chart/QxHorzLine.h"
#include "chart/QxInvertedMountain.h"
#include "chart/QxMarks.h"
#include "chart/QxMountain.h"
#include "chart/QxMountainBand.h"
#include "chart/QxSolidCurve.h"
#include "chart/QxUniColorScheme.h"
#include "chart/QxUniformScale.h"
#include "chart/QxDrawingHelpers.h"
#include "core/platform/QxRasterOpScope.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <wx/dcgraph.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <cmath>
#include <cstdlib>
#include <memory>

using drawtest::Fed;

namespace {

constexpr int kBars = 22;
constexpr int kWidth = 480;
constexpr int kStrip = 110;

// Colours bars before bar 11 in one colour and the rest in another.
class SplitScheme : public QxColorScheme {
public:
    SplitScheme(const wxColour& early, const wxColour& late)
    {
        m_colors = {QxColorEntry(QxAtom("EARLY"), "Early", early), QxColorEntry(QxAtom("LATE"), "Late", late)};
    }
    QxColorScheme* clone() const override { return new SplitScheme(*this); }
    const QxAtom& getName() const override
    {
        static const QxAtom name("DrawTestSplit");
        return name;
    }
    const wxString& getDisplayText() const override
    {
        static const wxString text("Split");
        return text;
    }
    const std::vector<QxDataInfo>& getDataParamInfos() const override
    {
        static const std::vector<QxDataInfo> none;
        return none;
    }
    const wxColour& colorAt(unsigned bar) const override { return m_colors[bar < 11 ? 0 : 1].colour; }
};

wxColour lightened(const wxColour& c, double f)
{
    auto ch = [f](int v) { return int(v + (255 - v) * f + 0.5); };
    return wxColour(ch(c.Red()), ch(c.Green()), ch(c.Blue()));
}

struct Rgb {
    int r, g, b;
};

::testing::AssertionResult near(const Rgb& got, const wxColour& want, int tolerance = 3)
{
    if (std::abs(got.r - want.Red()) <= tolerance && std::abs(got.g - want.Green()) <= tolerance &&
        std::abs(got.b - want.Blue()) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << got.r << ", " << got.g << ", " << got.b << ") wanted ("
                                         << int(want.Red()) << ", " << int(want.Green()) << ", "
                                         << int(want.Blue()) << ")";
}

// A picture of strips, one per drawable kind, on white.
class Canvas {
public:
    Canvas(int strips) : m_bitmap(kWidth, strips * kStrip, 24), m_dc(m_bitmap)
    {
        m_dc.SetBackground(*wxWHITE_BRUSH);
        m_dc.Clear();
        m_x.setup(0.0, kBars - 1.0, 20, 20 + 20 * (kBars - 1), false);
    }

    wxMemoryDC& dc() { return m_dc; }
    const QxUniformScale& x() const { return m_x; }
    // The value scale of strip n: lower at its bottom, upper at its top.
    QxUniformScale y(int strip, double lower, double upper) const
    {
        QxUniformScale s;
        s.setup(lower, upper, strip * kStrip + 100, strip * kStrip + 5, false);
        return s;
    }

    // What a fill of colour over white looks like: itself under AND, or
    // the layer's partly transparent copy.
    wxColour fillOverWhite(const wxColour& c)
    {
        if (QxRasterOpScope::supports(m_dc, wxAND))
            return c;
        const double a = QxRasterOpScope::kFallbackFillAlpha / 255.0;
        auto ch = [a](int v) { return int(std::lround(v * a + 255 * (1 - a))); };
        return wxColour(ch(c.Red()), ch(c.Green()), ch(c.Blue()));
    }

    void finish(const std::string& artifact)
    {
        m_dc.SelectObject(wxNullBitmap);
        m_image = m_bitmap.ConvertToImage();
        EXPECT_TRUE(m_image.SaveFile(TestSupport::artifactPath(artifact), wxBITMAP_TYPE_PNG));
    }
    Rgb at(int px, int py) const
    {
        return Rgb{m_image.GetRed(px, py), m_image.GetGreen(px, py), m_image.GetBlue(px, py)};
    }
    // The pixel nearest to want within radius (lines are anti-aliased).
    Rgb closest(int px, int py, const wxColour& want, int radius = 2) const
    {
        Rgb best = at(px, py);
        int bestDist = 1 << 30;
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx) {
                const Rgb p = at(px + dx, py + dy);
                const int d = std::abs(p.r - want.Red()) + std::abs(p.g - want.Green()) +
                              std::abs(p.b - want.Blue());
                if (d < bestDist) {
                    bestDist = d;
                    best = p;
                }
            }
        return best;
    }

private:
    wxBitmap m_bitmap;
    wxMemoryDC m_dc;
    QxUniformScale m_x;
    wxImage m_image;
};

double hill(int i)
{
    // Crosses 50 between bars, with runs above and below it.
    static const double v[kBars] = {30, 60, 80, 60, 30, 20, 45, 70, 90, 75, 40,
                                    25, 35, 55, 65, 52, 48, 30, 60, 85, 70, 45};
    return v[i];
}

} // namespace

TEST(DrawablePaint, EveryKindPaintsWhereItsValuesAre)
{
    Canvas canvas(7);
    wxMemoryDC& dc = canvas.dc();
    const QxUniformScale& x = canvas.x();
    QxObjectSmartPtr<QxDrawable> held[8];
    auto keep = [&held](int n, QxDrawable* d) { held[n] = d; };

    std::vector<double> hills(kBars), histo(kBars), lower(kBars), upper(kBars);
    for (int i = 0; i < kBars; ++i) {
        hills[i] = hill(i);
        histo[i] = (i % 7 - 3) * 10.0;
        lower[i] = hills[i] - 15;
        upper[i] = hills[i] + 15;
    }
    // The band is empty over bars 10 to 12.
    for (int i = 10; i <= 12; ++i)
        std::swap(lower[i], upper[i]);
    const QxSeries hillSeries(0, kBars - 1, 0, hills.data());

    // Strip 0: a highlighted solid curve.
    const wxColour blue(0, 0, 255);
    auto* curve = new Fed<QxSolidCurve>;
    keep(0, curve);
    curve->setColorScheme(new QxUniColorScheme(blue));
    ASSERT_EQ(curve->setDataSeries(QxAtom("DATA"), hillSeries), eNoError);
    const QxUniformScale y0 = canvas.y(0, 0, 100);
    ASSERT_EQ(curve->display(dc, 0, kBars - 1, x, y0, true), eNoError);

    // Strip 1: a histogram coloured bar by bar, rising and hanging from zero.
    const wxColour early(230, 120, 0), late(0, 120, 230);
    auto* histogram = new Fed<QxHistogram>;
    keep(1, histogram);
    histogram->setColorScheme(new SplitScheme(early, late));
    ASSERT_EQ(histogram->setDataSeries(QxAtom("DATA"), QxSeries(0, kBars - 1, 0, histo.data())), eNoError);
    const QxUniformScale y1 = canvas.y(1, -40, 40);
    ASSERT_EQ(histogram->display(dc, 0, kBars - 1, x, y1, false), eNoError);

    // Strip 2: a solid green line at 25 and the dotted default at 75.
    const wxColour green(0, 128, 0);
    auto* solid = new QxHorzLine(wxPENSTYLE_SOLID);
    keep(2, solid);
    solid->setColorScheme(new QxUniColorScheme(green));
    solid->setSeries(QxAtom("YOffset"), QxSeriesId::constant(25.0));
    auto* dotted = new QxHorzLine;
    keep(3, dotted);
    dotted->setSeries(QxAtom("YOffset"), QxSeriesId::constant(75.0));
    const QxUniformScale y2 = canvas.y(2, 0, 100);
    ASSERT_EQ(solid->display(dc, 0, kBars - 1, x, y2, false), eNoError);
    ASSERT_EQ(dotted->display(dc, 0, kBars - 1, x, y2, false), eNoError);

    // Strips 3 and 4: mountain and inverted mountain over base 50.
    const wxColour navy(0, 0, 200);
    auto* mountain = new Fed<QxMountain>;
    keep(4, mountain);
    mountain->setColorScheme(new QxUniColorScheme(navy));
    mountain->setSeries(QxAtom("BASE"), QxSeriesId::constant(50.0));
    ASSERT_EQ(mountain->setDataSeries(QxAtom("CLIFF"), hillSeries), eNoError);
    const QxUniformScale y3 = canvas.y(3, 0, 100);
    ASSERT_EQ(mountain->display(dc, 0, kBars - 1, x, y3, false), eNoError);
    auto* inverted = new Fed<QxInvertedMountain>;
    keep(5, inverted);
    inverted->setSeries(QxAtom("BASE"), QxSeriesId::constant(50.0));
    ASSERT_EQ(inverted->setDataSeries(QxAtom("CLIFF"), hillSeries), eNoError);
    const QxUniformScale y4 = canvas.y(4, 0, 100);
    ASSERT_EQ(inverted->display(dc, 0, kBars - 1, x, y4, false), eNoError);

    // Strip 5: a band in its default green.
    auto* band = new Fed<QxMountainBand>;
    keep(6, band);
    ASSERT_EQ(band->setDataSeries(QxAtom("LOWER_CLIFF"), QxSeries(0, kBars - 1, 0, lower.data())), eNoError);
    ASSERT_EQ(band->setDataSeries(QxAtom("UPPER_CLIFF"), QxSeries(0, kBars - 1, 0, upper.data())), eNoError);
    const QxUniformScale y5 = canvas.y(5, -20, 120);
    ASSERT_EQ(band->display(dc, 0, kBars - 1, x, y5, false), eNoError);

    // Strip 6: black marks.
    auto* marks = new Fed<QxMarks>;
    keep(7, marks);
    ASSERT_EQ(marks->setDataSeries(QxAtom("DATA"), hillSeries), eNoError);
    const QxUniformScale y6 = canvas.y(6, 0, 100);
    ASSERT_EQ(marks->display(dc, 0, kBars - 1, x, y6, false), eNoError);

    const wxColour earlyFill = canvas.fillOverWhite(early), lateFill = canvas.fillOverWhite(late);
    const wxColour navyFill = canvas.fillOverWhite(lightened(navy, 0.05));
    const wxColour cyanFill = canvas.fillOverWhite(lightened(*wxCYAN, 0.05));
    const wxColour greenFill = canvas.fillOverWhite(lightened(*wxGREEN, 0.05));
    // The painters leave the logical function as they found it.
    EXPECT_EQ(dc.GetLogicalFunction(), wxCOPY);
    canvas.finish("drawables.png");
    const wxColour white(255, 255, 255);
    auto px = [&x](double bar) { return x.map(bar); };

    // Curve: on its points, and its highlight shadow width + 1 below a flat-ish stretch.
    for (int i : {2, 8, 19})
        EXPECT_TRUE(near(canvas.closest(px(i), y0.map(hills[i]), blue), blue)) << "curve at bar " << i;
    EXPECT_TRUE(near(canvas.at(px(5), y0.map(90)), white));

    // Histogram: bar 4 (value 10) rises from zero, bar 1 (value -20) hangs
    // below it, bar 18 (value 10) is in the late colour; between bars white.
    const int zero = y1.map(0.0);
    EXPECT_TRUE(near(canvas.at(px(4), (zero + y1.map(10)) / 2), earlyFill)) << "bar 4";
    EXPECT_TRUE(near(canvas.at(px(1), (zero + y1.map(-20)) / 2), earlyFill)) << "bar 1 below zero";
    EXPECT_TRUE(near(canvas.at(px(18), (zero + y1.map(10)) / 2), lateFill)) << "bar 18";
    EXPECT_TRUE(near(canvas.at(px(4) + 10, (zero + y1.map(10)) / 2), white)) << "gap after bar 4";
    EXPECT_TRUE(near(canvas.at(px(4), y1.map(10) - 3), white)) << "above bar 4";
    // The outline is half as bright as the fill.
    EXPECT_TRUE(near(canvas.at(px(4) - 8, (zero + y1.map(10)) / 2), blendColour(early, 0.5), 40)) << "outline";

    // Horizontal lines: the solid one at its level along the whole width;
    // the dotted one somewhere near its level in light grey.
    for (int i : {0, 7, 21})
        EXPECT_TRUE(near(canvas.closest(px(i), y2.map(25.0), green, 1), green)) << "line at bar " << i;
    // Dots one pixel long are anti-aliased: some grey, lighter than the colour.
    const Rgb dot = canvas.closest(px(10), y2.map(75.0), *wxLIGHT_GREY, 2);
    EXPECT_TRUE(dot.r == dot.g && dot.g == dot.b && dot.r >= 190 && dot.r < 235) << dot.r;
    EXPECT_TRUE(near(canvas.at(px(10), y2.map(50.0)), white));

    // Mountain: filled inside the run 1..3, up to the crossing after bar 0
    // (at bar 2/3) but not before it.
    const int base3 = y3.map(50.0);
    EXPECT_TRUE(near(canvas.at(px(2), (base3 + y3.map(80)) / 2), navyFill)) << "inside the run";
    EXPECT_TRUE(near(canvas.at(px(0.8), base3 - 2), navyFill)) << "between crossing and bar 1";
    EXPECT_TRUE(near(canvas.at(px(0.4), base3 - 2), white)) << "before the crossing";
    EXPECT_TRUE(near(canvas.at(px(5), (base3 + y3.map(20)) / 2), white)) << "below the base";

    // Inverted mountain: the other way round, in cyan without a scheme.
    const int base4 = y4.map(50.0);
    EXPECT_TRUE(near(canvas.at(px(5), (base4 + y4.map(20)) / 2), cyanFill)) << "below the base";
    EXPECT_TRUE(near(canvas.at(px(2), (base4 + y4.map(80)) / 2), white)) << "above the base";

    // Band: filled between the series, empty where lower lies above upper.
    EXPECT_TRUE(near(canvas.at(px(4.5), y5.map(25.0)), greenFill)) << "band between bars 4 and 5";
    EXPECT_TRUE(near(canvas.at(px(10.5), y5.map((hills[10] + hills[11]) / 2)), white)) << "band gap";
    // Where the series cross between two bars (at 9.5 and 12.5) the band
    // runs to the crossing and no further.
    EXPECT_TRUE(near(canvas.at(px(9.2), y5.map(68.0)), greenFill)) << "band up to the crossing after bar 9";
    EXPECT_TRUE(near(canvas.at(px(12.2), y5.map(35.0)), white)) << "no band before the crossing after bar 12";
    EXPECT_TRUE(near(canvas.at(px(12.8), y5.map(45.0)), greenFill)) << "band from the crossing after bar 12";

    // Marks: a black cross on each value.
    for (int i : {0, 9, 21})
        EXPECT_TRUE(near(canvas.closest(px(i), y6.map(hills[i]), *wxBLACK, 1), *wxBLACK, 60)) << "mark " << i;
    EXPECT_TRUE(near(canvas.at(px(9) + 9, y6.map(hills[9])), white));
}

// A scheme that is not uniform colours bar by bar: a curve's segment takes
// the colour of its right-hand bar, mountains and bands fill each bar's
// slice in that bar's colour, marks draw each cross in its bar's colour.
TEST(DrawablePaint, PerBarColoursFollowTheScheme)
{
    Canvas canvas(4);
    wxMemoryDC& dc = canvas.dc();
    const QxUniformScale& x = canvas.x();
    const wxColour early(200, 40, 0), late(0, 60, 200);
    std::vector<double> hills(kBars), lower(kBars), upper(kBars);
    for (int i = 0; i < kBars; ++i) {
        hills[i] = hill(i);
        lower[i] = hills[i] - 15;
        upper[i] = hills[i] + 15;
    }
    const QxSeries hillSeries(0, kBars - 1, 0, hills.data());

    QxObjectSmartPtr<Fed<QxSolidCurve>> curve(new Fed<QxSolidCurve>);
    curve->setColorScheme(new SplitScheme(early, late));
    ASSERT_EQ(curve->setDataSeries(QxAtom("DATA"), hillSeries), eNoError);
    const QxUniformScale y0 = canvas.y(0, 0, 100);
    ASSERT_EQ(curve->display(dc, 0, kBars - 1, x, y0, true), eNoError);

    QxObjectSmartPtr<Fed<QxMountain>> mountain(new Fed<QxMountain>);
    mountain->setColorScheme(new SplitScheme(early, late));
    mountain->setSeries(QxAtom("BASE"), QxSeriesId::constant(50.0));
    ASSERT_EQ(mountain->setDataSeries(QxAtom("CLIFF"), hillSeries), eNoError);
    const QxUniformScale y1 = canvas.y(1, 0, 100);
    ASSERT_EQ(mountain->display(dc, 0, kBars - 1, x, y1, false), eNoError);

    QxObjectSmartPtr<Fed<QxMountainBand>> band(new Fed<QxMountainBand>);
    band->setColorScheme(new SplitScheme(early, late));
    ASSERT_EQ(band->setDataSeries(QxAtom("LOWER_CLIFF"), QxSeries(0, kBars - 1, 0, lower.data())), eNoError);
    ASSERT_EQ(band->setDataSeries(QxAtom("UPPER_CLIFF"), QxSeries(0, kBars - 1, 0, upper.data())), eNoError);
    const QxUniformScale y2 = canvas.y(2, -20, 120);
    ASSERT_EQ(band->display(dc, 0, kBars - 1, x, y2, false), eNoError);

    QxObjectSmartPtr<Fed<QxMarks>> marks(new Fed<QxMarks>);
    marks->setColorScheme(new SplitScheme(early, late));
    ASSERT_EQ(marks->setDataSeries(QxAtom("DATA"), hillSeries), eNoError);
    const QxUniformScale y3 = canvas.y(3, 0, 100);
    ASSERT_EQ(marks->display(dc, 0, kBars - 1, x, y3, false), eNoError);

    EXPECT_EQ(dc.GetLogicalFunction(), wxCOPY);
    const wxColour earlyFill = canvas.fillOverWhite(lightened(early, 0.05));
    const wxColour lateFill = canvas.fillOverWhite(lightened(late, 0.05));
    canvas.finish("drawables-per-bar.png");
    auto px = [&x](double bar) { return x.map(bar); };
    auto mid = [](const QxUniformScale& y, double a, double b) { return (y.map(a) + y.map(b)) / 2; };

    // The segment into bar 10 is early, the one into bar 11 already late.
    EXPECT_TRUE(near(canvas.closest(px(9.5), mid(y0, hills[9], hills[10]), early, 2), early, 40));
    EXPECT_TRUE(near(canvas.closest(px(10.5), mid(y0, hills[10], hills[11]), late, 2), late, 40));
    EXPECT_FALSE(near(canvas.closest(px(10.5), mid(y0, hills[10], hills[11]), early, 2), early, 60))
        << "no early pixel on the late segment";

    // Mountain slices just above the base: bars 1..2 early, 13..14 late;
    // nothing between bars 16 and 17, which both lie below the base.
    const int base1 = y1.map(50.0);
    EXPECT_TRUE(near(canvas.at(px(1.5), base1 - 3), earlyFill));
    EXPECT_TRUE(near(canvas.at(px(13.5), base1 - 3), lateFill));
    EXPECT_TRUE(near(canvas.at(px(16.5), base1 - 3), *wxWHITE, 0));
    EXPECT_TRUE(near(canvas.at(px(16.5), base1 + 3), *wxWHITE, 0));
    // A slice next to an outside bar ends at the crossing (2/3 after bar 0,
    // 1/3 after bar 3), on the base's own side only.
    EXPECT_TRUE(near(canvas.at(px(0.3), base1 + 3), *wxWHITE, 0)) << "nothing below the base";
    EXPECT_TRUE(near(canvas.at(px(0.5), base1 - 2), *wxWHITE, 0)) << "nothing before the crossing";
    EXPECT_TRUE(near(canvas.at(px(0.85), base1 - 2), earlyFill)) << "filled after the crossing";
    EXPECT_TRUE(near(canvas.at(px(3.15), base1 - 2), earlyFill)) << "filled up to the crossing";
    EXPECT_TRUE(near(canvas.at(px(3.5), base1 - 2), *wxWHITE, 0)) << "nothing after the crossing";

    // Band slices in the middle of the band.
    EXPECT_TRUE(near(canvas.at(px(4.5), y2.map((hills[4] + hills[5]) / 2)), earlyFill));
    EXPECT_TRUE(near(canvas.at(px(14.5), y2.map((hills[14] + hills[15]) / 2)), lateFill));

    // Marks: the cross of bar 10 early, of bar 11 late.
    EXPECT_TRUE(near(canvas.closest(px(10), y3.map(hills[10]), early, 1), early, 60));
    EXPECT_TRUE(near(canvas.closest(px(11), y3.map(hills[11]), late, 1), late, 60));
}

// A floor outside the zone's values is held at the zone's edge: histogram
// bars then rise from the bottom edge or hang from the top one.
TEST(DrawablePaint, HistogramFloorOutsideTheScaleIsTheZoneEdge)
{
    Canvas canvas(2);
    wxMemoryDC& dc = canvas.dc();
    double above[] = {60, 60, 60};
    double below[] = {-60, -60, -60};
    QxObjectSmartPtr<Fed<QxHistogram>> rising(new Fed<QxHistogram>);
    ASSERT_EQ(rising->setDataSeries(QxAtom("DATA"), QxSeries(0, 2, 0, above)), eNoError);
    const QxUniformScale y0 = canvas.y(0, 20, 100);
    ASSERT_EQ(rising->display(dc, 0, 2, canvas.x(), y0, false), eNoError);
    QxObjectSmartPtr<Fed<QxHistogram>> hanging(new Fed<QxHistogram>);
    ASSERT_EQ(hanging->setDataSeries(QxAtom("DATA"), QxSeries(0, 2, 0, below)), eNoError);
    const QxUniformScale y1 = canvas.y(1, -100, -20);
    ASSERT_EQ(hanging->display(dc, 0, 2, canvas.x(), y1, false), eNoError);
    const wxColour fill = canvas.fillOverWhite(*wxBLACK);
    canvas.finish("histogram-floors.png");

    const int px = canvas.x().map(1.0);
    EXPECT_TRUE(near(canvas.at(px, y0.map(20.0) - 2), fill)) << "bar reaches the bottom edge";
    EXPECT_TRUE(near(canvas.at(px, y0.map(60.0) + 2), fill)) << "bar up to its value";
    EXPECT_TRUE(near(canvas.at(px, y0.map(60.0) - 3), *wxWHITE, 0)) << "nothing above the value";
    EXPECT_TRUE(near(canvas.at(px, y0.map(20.0) + 3), *wxWHITE, 0)) << "nothing below the zone";
    EXPECT_TRUE(near(canvas.at(px, y1.map(-20.0) + 2), fill)) << "bar hangs from the top edge";
    EXPECT_TRUE(near(canvas.at(px, y1.map(-60.0) - 2), fill)) << "bar down to its value";
    EXPECT_TRUE(near(canvas.at(px, y1.map(-60.0) + 3), *wxWHITE, 0)) << "nothing below the value";
    EXPECT_TRUE(near(canvas.at(px, y1.map(-20.0) - 3), *wxWHITE, 0)) << "nothing above the zone";
}

TEST(DrawablePaint, FailuresDrawNothingAndReportWhy)
{
    Canvas canvas(1);
    wxMemoryDC& dc = canvas.dc();
    const QxUniformScale y = canvas.y(0, 0, 100);

    QxObjectSmartPtr<Fed<QxSolidCurve>> curve(new Fed<QxSolidCurve>);
    EXPECT_EQ(curve->display(dc, 0, 5, canvas.x(), y, false), eSeriesNotAvailable);
    double values[] = {10, 20, 30};
    ASSERT_EQ(curve->setDataSeries(QxAtom("DATA"), QxSeries(5, 7, 5, values)), eNoError);
    EXPECT_EQ(curve->display(dc, 0, 4, canvas.x(), y, false), eInvalidIndex);
    EXPECT_EQ(curve->display(dc, 8, 20, canvas.x(), y, false), eInvalidIndex);

    QxObjectSmartPtr<QxHorzLine> line(new QxHorzLine(wxPENSTYLE_SOLID));
    EXPECT_EQ(line->display(dc, 0, 5, canvas.x(), y, false), eHorzLineOffsetNotSet);
    line->setSeries(QxAtom("YOffset"), QxSeriesId(QxSeriesId::eSeriesClose));
    EXPECT_EQ(line->display(dc, 0, 5, canvas.x(), y, false), eHorzLineOffsetNotSet);
    line->setSeries(QxAtom("YOffset"), QxSeriesId::constant(100.5));
    EXPECT_EQ(line->display(dc, 0, 5, canvas.x(), y, false), eDataOutOfRange);
    line->setSeries(QxAtom("YOffset"), QxSeriesId::constant(100.0)); // the upper value itself is drawn
    EXPECT_EQ(line->display(dc, 0, 5, canvas.x(), y, false), eNoError);

    QxObjectSmartPtr<Fed<QxMountain>> mountain(new Fed<QxMountain>);
    EXPECT_EQ(mountain->display(dc, 0, 5, canvas.x(), y, false), eSeriesNotAvailable);
    ASSERT_EQ(mountain->setDataSeries(QxAtom("CLIFF"), QxSeries(5, 7, 5, values)), eNoError);
    EXPECT_EQ(mountain->display(dc, 0, 5, canvas.x(), y, false), eMountainBaseNotSet);
    QxObjectSmartPtr<QxMountainBand> band(new QxMountainBand);
    EXPECT_EQ(band->display(dc, 0, 5, canvas.x(), y, false), eSeriesNotAvailable);
    QxObjectSmartPtr<QxMarks> marks(new QxMarks);
    EXPECT_EQ(marks->display(dc, 0, 5, canvas.x(), y, false), eSeriesNotAvailable);
    QxObjectSmartPtr<QxHistogram> histogram(new QxHistogram);
    EXPECT_EQ(histogram->display(dc, 0, 5, canvas.x(), y, false), eSeriesNotAvailable);
    wxPoint top, bottom;
    EXPECT_EQ(histogram->getMargins(0, 5, canvas.x(), y, top, bottom), eNotImplemented);

    canvas.finish("drawable-failures.png");
    // Only the line at the top edge was painted.
    const int edge = y.map(100.0);
    for (int py = edge + 3; py < 100; py += 7)
        for (int px = 0; px < kWidth; px += 11)
            ASSERT_TRUE(near(canvas.at(px, py), *wxWHITE, 0)) << px << "," << py;
    EXPECT_FALSE(near(canvas.at(canvas.x().map(2.0), edge), *wxWHITE, 0));
}

TEST(DrawableMargins, RoomForLineWidthAndMarksAtTheEdges)
{
    QxUniformScale x, y;
    x.setup(0.0, 10.0, 0, 120, false); // 12 pixels a bar
    y.setup(0.0, 100.0, 200, 100, false);
    wxPoint top(7, 7), bottom(7, 7);

    QxObjectSmartPtr<Fed<QxSolidCurve>> curve(new Fed<QxSolidCurve>);
    EXPECT_EQ(curve->getMargins(0, 2, x, y, top, bottom), eSetupNotCalled);
    double touching[] = {0, 50, 100};
    ASSERT_EQ(curve->setDataSeries(QxAtom("DATA"), QxSeries(0, 2, 0, touching)), eNoError);
    ASSERT_EQ(curve->getMargins(0, 2, x, y, top, bottom), eNoError);
    EXPECT_EQ(bottom, wxPoint(0, 2));
    EXPECT_EQ(top, wxPoint(0, 2));
    double above[] = {1, 50, 60};
    ASSERT_EQ(curve->setDataSeries(QxAtom("DATA"), QxSeries(0, 2, 0, above)), eNoError);
    ASSERT_EQ(curve->getMargins(0, 2, x, y, top, bottom), eNoError);
    EXPECT_EQ(bottom.y, 1);
    EXPECT_EQ(top.y, 0);
    QxUniformScale unset;
    EXPECT_EQ(curve->getMargins(0, 2, x, unset, top, bottom), eInvalidInput);

    QxObjectSmartPtr<Fed<QxMarks>> marks(new Fed<QxMarks>);
    ASSERT_EQ(marks->setDataSeries(QxAtom("DATA"), QxSeries(0, 2, 0, touching)), eNoError);
    ASSERT_EQ(marks->getMargins(0, 2, x, y, top, bottom), eNoError);
    EXPECT_EQ(bottom, wxPoint(0, 12));
    EXPECT_EQ(top, wxPoint(0, 12));
    ASSERT_EQ(marks->setDataSeries(QxAtom("DATA"), QxSeries(0, 2, 0, above)), eNoError);
    ASSERT_EQ(marks->getMargins(0, 2, x, y, top, bottom), eNoError);
    EXPECT_EQ(bottom.y, 11);
    EXPECT_EQ(top.y, 0);
}

TEST(CurveLegend, ShowsASampleInTheSchemeColourAndTheSeriesText)
{
    QxObjectSmartPtr<QxSolidCurve> curve(new QxSolidCurve);
    const wxFont font(wxFontInfo(12));
    EXPECT_FALSE(curve->getLegend(font, *wxBLACK, *wxWHITE, 30).IsOk()); // unbound

    curve->setSeries(QxAtom("DATA"), QxSeriesId::constant(42.5));
    curve->setColorScheme(new QxUniColorScheme(wxColour(200, 0, 0)));
    const wxBitmap legend = curve->getLegend(font, *wxBLACK, wxColour(255, 255, 224), 30);
    ASSERT_TRUE(legend.IsOk());
    wxCoord tw = 0, th = 0;
    {
        wxBitmap probe(1, 1);
        wxMemoryDC measure(probe);
        measure.SetFont(font);
        measure.GetTextExtent("42.5", &tw, &th);
    }
    EXPECT_EQ(legend.GetHeight(), 12 + 6);
    EXPECT_EQ(legend.GetWidth(), tw + 3 * 3 + 30);
    wxImage image = legend.ConvertToImage();
    ASSERT_TRUE(image.SaveFile(TestSupport::artifactPath("curve-legend.png"), wxBITMAP_TYPE_PNG));
    const int sampleY = legend.GetHeight() / 2 - 1;
    EXPECT_TRUE(near(Rgb{image.GetRed(15, sampleY), image.GetGreen(15, sampleY), image.GetBlue(15, sampleY)},
                     wxColour(200, 0, 0), 10));
    EXPECT_TRUE(near(Rgb{image.GetRed(1, 1), image.GetGreen(1, 1), image.GetBlue(1, 1)}, wxColour(255, 255, 224), 0));
    // Some text pixel is dark.
    bool dark = false;
    for (int px = 30 + 6; px < legend.GetWidth() && !dark; ++px)
        for (int py = 0; py < legend.GetHeight() && !dark; ++py)
            dark = image.GetRed(px, py) < 100 && image.GetBlue(px, py) < 100;
    EXPECT_TRUE(dark);

    // The legend is kept between paints, but never past a change of what it
    // shows: another colour, value or background makes a new one.
    curve->getColorScheme()->setColor(QxAtom("COLOR"), wxColour(0, 0, 200));
    curve->setSeries(QxAtom("DATA"), QxSeriesId::constant(7.25));
    const wxImage changed = curve->getLegend(font, *wxBLACK, *wxWHITE, 30).ConvertToImage();
    EXPECT_TRUE(near(Rgb{changed.GetRed(15, sampleY), changed.GetGreen(15, sampleY), changed.GetBlue(15, sampleY)},
                     wxColour(0, 0, 200), 10));
    EXPECT_TRUE(near(Rgb{changed.GetRed(1, 1), changed.GetGreen(1, 1), changed.GetBlue(1, 1)}, *wxWHITE, 0));
    wxCoord narrower = 0;
    {
        wxBitmap probe(1, 1);
        wxMemoryDC measure(probe);
        measure.SetFont(font);
        measure.GetTextExtent("7.25", &narrower, &th);
    }
    EXPECT_EQ(changed.GetWidth(), narrower + 3 * 3 + 30);
}

TEST(RasterOpScope, KeepsShapesVisibleWhereTheContextCannotAnd)
{
    wxBitmap bitmap(60, 20, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    const wxColour red(200, 0, 0);
    const bool native = QxRasterOpScope::supports(dc, wxAND);

    // Left: AND selected directly. Right: the same through the scope.
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(red));
    dc.SetLogicalFunction(wxAND);
    dc.DrawRectangle(0, 0, 30, 20);
    dc.SetLogicalFunction(wxCOPY);
    wxColour fill;
    {
        QxRasterOpScope scope(dc, wxAND);
        EXPECT_EQ(scope.isNative(), native);
        fill = scope.fillColour(red);
        dc.SetBrush(wxBrush(fill));
        dc.DrawRectangle(30, 0, 30, 20);
    }
    EXPECT_EQ(dc.GetLogicalFunction(), wxCOPY);
    dc.SelectObject(wxNullBitmap);
    const wxImage image = bitmap.ConvertToImage();
    const Rgb direct{image.GetRed(15, 10), image.GetGreen(15, 10), image.GetBlue(15, 10)};
    const Rgb scoped{image.GetRed(45, 10), image.GetGreen(45, 10), image.GetBlue(45, 10)};
    if (native) {
        EXPECT_TRUE(near(direct, red, 0));
        EXPECT_TRUE(near(scoped, red, 0));
    } else {
        // What the scope guards against: the context drops the drawing.
        EXPECT_TRUE(near(direct, *wxWHITE, 0));
        EXPECT_LT(fill.Alpha(), 255);
        const double a = fill.Alpha() / 255.0;
        EXPECT_TRUE(near(scoped, wxColour(int(200 * a + 255 * (1 - a) + 0.5), int(255 * (1 - a) + 0.5),
                                          int(255 * (1 - a) + 0.5)), 2));
    }
}

TEST(DrawingHelpers, BlendDarkensAndGraphicsContextsAreMadeOverMemoryDCs)
{
    EXPECT_EQ(blendColour(wxColour(100, 0, 255), 0.5), wxColour(50, 0, 128));
    EXPECT_EQ(blendColour(wxColour(200, 100, 20), 0.05), wxColour(190, 95, 19));
    EXPECT_EQ(blendColour(wxColour(10, 20, 30, 40), 0.0).Alpha(), 255);
    EXPECT_EQ(blendColour(wxColour(10, 20, 30), 2.0), wxColour(0, 0, 0));

    wxBitmap bitmap(10, 10, 24);
    wxMemoryDC memory(bitmap);
    std::unique_ptr<wxDC> graphics(createGraphicsDC(memory));
    ASSERT_NE(graphics, nullptr);
    EXPECT_NE(dynamic_cast<wxGCDC*>(graphics.get()), nullptr);
    // A graphics-context DC is none of the kinds one is made over.
    EXPECT_EQ(createGraphicsDC(*graphics), nullptr);
    wxMemoryDC empty;
    EXPECT_EQ(createGraphicsDC(empty), nullptr);
}
