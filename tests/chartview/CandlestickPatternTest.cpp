// The candlestick detector: its "Detectors" list and colours in XML, the
// hatch of each strength, the output of a function computed once and then
// taken from the calculator's cache, hit test and tooltip on doji bars,
// marks drawn for every function with output in view, and many marks on
// one bar painted as drawn one over another in the functions' order.
#include "bench/BenchCandlesticks.h"
#include "bench/BenchOrcl.h"
#include "support/ChartFixtures.h"
#include "support/ReferencePicture.h"
#include "chart/QxUniformScale.h"
#include "chartview/QxCandlestickPattern.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "core/QxSeriesId.h"
#include "core/ta/QxTaFunctionSet.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/xml/xml.h>

namespace {

const TA_FuncInfo* function(const char* name)
{
    const TA_FuncInfo* info = QxTaFunctionSet::findFunction(name);
    EXPECT_NE(info, nullptr) << name;
    return info;
}

// 40 bars with bodies of 2 in a range of 4, but dojis (open = close) at
// bars 12 and 25.
struct DojiFixture : ::testing::Test {
    void SetUp() override
    {
        std::vector<double> opens, closes;
        for (unsigned i = 0; i < 40; ++i) {
            const bool doji = i == 12 || i == 25;
            opens.push_back(doji ? 11 : (i % 2 ? 10 : 12));
            closes.push_back(doji ? 11 : (i % 2 ? 12 : 10));
        }
        security = new charttest::MemSecurity(61, charttest::makeBars(opens, closes));
        calc = new QxCalculator(security.get());
        pattern = new QxCandlestickPattern();
        pattern->setCalculator(calc.get());
        x.setup(0.0, 40.0, 0, 400, false);
        y.setup(0.0, 20.0, 200, 0, false);
    }
    QxObjectSmartPtr<QxSecurity> security;
    QxObjectSmartPtr<QxCalculator> calc;
    QxObjectSmartPtr<QxCandlestickPattern> pattern;
    QxUniformScale x, y;
};

} // namespace

TEST(CandlestickPatternXml, DetectorsAndColoursRoundTrip)
{
    QxCandlestickPattern pattern;
    EXPECT_EQ(pattern.getDisplayText(), "Candlestick pattern detector");
    wxXmlNode root(wxXML_ELEMENT_NODE, "Patterns");
    wxXmlNode* empty = pattern.toXml(&root);
    EXPECT_EQ(empty->GetName(), "QxCandlestickPattern");
    EXPECT_EQ(empty->GetAttribute("Detectors", "absent"), "");
    EXPECT_EQ(empty->GetAttribute("BullColor"), "rgb(0, 255, 0)");
    EXPECT_EQ(empty->GetAttribute("BearColor"), "rgb(255, 0, 0)");

    wxXmlNode element(wxXML_ELEMENT_NODE, "QxCandlestickPattern");
    element.AddAttribute("Detectors", "CDLDOJI  XYZ CDLHAMMER");
    element.AddAttribute("BullColor", "rgb(0, 0, 255)");
    QxObjectSmartPtr<QxPattern> read(createPatternFromXml(&element));
    auto* cdl = dynamic_cast<QxCandlestickPattern*>(read.get());
    ASSERT_NE(cdl, nullptr);
    ASSERT_EQ(cdl->detectors.size(), 2u);
    EXPECT_STREQ(cdl->detectors[0]->name, "CDLDOJI");
    EXPECT_STREQ(cdl->detectors[1]->name, "CDLHAMMER");
    EXPECT_EQ(cdl->bullColour, *wxBLUE);
    EXPECT_FALSE(cdl->bearColour.IsOk()) << "absent: unset";

    wxXmlNode again(wxXML_ELEMENT_NODE, "Patterns");
    EXPECT_EQ(cdl->toXml(&again)->GetAttribute("Detectors"), "CDLDOJI CDLHAMMER");
    QxObjectSmartPtr<QxPattern> copy(cdl->clone());
    EXPECT_EQ(static_cast<QxCandlestickPattern*>(copy.get())->detectors, cdl->detectors);
    EXPECT_EQ(copy->getCalculator(), nullptr);
}

TEST(CandlestickPatternMarks, HatchByStrengthAndSign)
{
    const std::vector<std::pair<double, wxBrushStyle>> cases = {
        {200, wxBRUSHSTYLE_BDIAGONAL_HATCH},  {100, wxBRUSHSTYLE_HORIZONTAL_HATCH},
        {-100, wxBRUSHSTYLE_VERTICAL_HATCH}, {-200, wxBRUSHSTYLE_FDIAGONAL_HATCH},
        {-300, wxBRUSHSTYLE_SOLID},
    };
    for (const auto& [value, style] : cases)
        EXPECT_EQ(candlestickHatch(value), style) << value;
}

TEST_F(DojiFixture, TheOutputIsComputedOnceAndMarksTheDojis)
{
    const TA_FuncInfo* doji = function("CDLDOJI");
    const QxCandlestickPattern::Output first = pattern->computeCandlestickSeries(doji);
    ASSERT_FALSE(first.series.empty());
    EXPECT_EQ(first.series.last, 39);
    EXPECT_EQ(first.owned, nullptr) << "the cache owns it";
    std::vector<int> hits;
    for (int b = first.series.first; b <= first.series.last; ++b)
        if (*first.series.at(b) != 0)
            hits.push_back(b);
    EXPECT_EQ(hits, (std::vector<int>{12, 25}));
    EXPECT_EQ(*first.series.at(12), 100.0);
    EXPECT_EQ(pattern->computeCandlestickSeries(doji).series.values, first.series.values) << "from the cache";

    pattern->detectors = {doji};
    EXPECT_EQ(pattern->tooltip(12), "Doji:\n\tBullish");
    EXPECT_EQ(pattern->tooltip(13), "");
    pattern->detectors = {doji, function("CDLHAMMER"), doji};
    EXPECT_EQ(pattern->tooltip(25), "Doji:\n\tBullish\nDoji:\n\tBullish") << "two hits, one line break";

    // Bar 12 ranges from 10 to 12.
    EXPECT_TRUE(pattern->isPatternAt(12, 10));
    EXPECT_TRUE(pattern->isPatternAt(12, 12));
    EXPECT_FALSE(pattern->isPatternAt(12, 12.5));
    EXPECT_FALSE(pattern->isPatternAt(12, 9.5));
    EXPECT_FALSE(pattern->isPatternAt(13, 11));
    EXPECT_FALSE(pattern->isPatternAt(0, 11)) << "bar 0 is never a hit";
}

TEST_F(DojiFixture, DrawsEveryFunctionWithOutputInViewAndSaysWhenOneHasNone)
{
    const auto paint = [&](unsigned first, unsigned last, int rc, const char* name) {
        wxBitmap bitmap(410, 210, 24);
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        EXPECT_EQ(pattern->draw(dc, first, last, x, y), rc);
        dc.SelectObject(wxNullBitmap);
        wxImage image = bitmap.ConvertToImage();
        image.SaveFile(TestSupport::artifactPath(name), wxBITMAP_TYPE_PNG);
        return image;
    };
    EXPECT_EQ(charttest::countOther(paint(0, 39, 0, "cdl_none.png"), wxRect(0, 0, 410, 210), *wxWHITE), 0)
        << "no detectors: nothing drawn";

    // A function whose output starts after bar 12 draws nothing in 0..12;
    // listed first, it must not stop the doji at bar 12 from being drawn.
    const TA_FuncInfo* late = nullptr;
    int lateFirst = 0;
    for (const char* name : {"CDLHAMMER", "CDLMATHOLD", "CDLLADDERBOTTOM", "CDLCONCEALBABYSWALL", "CDLBREAKAWAY",
                             "CDLRISEFALL3METHODS", "CDLXSIDEGAP3METHODS", "CDLHIKKAKEMOD"}) {
        const QxSeries s = pattern->computeCandlestickSeries(function(name)).series;
        if (!s.empty() && s.first > lateFirst)
            late = function(name), lateFirst = s.first;
    }
    ASSERT_GT(lateFirst, 12) << "no function starts late enough";
    pattern->detectors = {late, function("CDLDOJI")};
    const wxImage early = paint(0, 12, eInvalidIndex, "cdl_first_bars.png");
    EXPECT_GT(charttest::countNear(early, wxRect(114, 78, 13, 24), *wxGREEN, 60), 0) << "the doji at bar 12";

    const wxImage dojis = paint(0, 39, 0, "cdl_dojis.png");
    // The ellipses around bars 12 and 25 (values 10..12 at y 100..80).
    EXPECT_GT(charttest::countNear(dojis, wxRect(244, 78, 13, 24), *wxGREEN, 60), 0);
    EXPECT_EQ(charttest::countNear(dojis, wxRect(0, 0, 110, 210), *wxGREEN, 60), 0);
    EXPECT_EQ(charttest::countNear(dojis, wxRect(130, 0, 110, 210), *wxGREEN, 60), 0);
}

// Every function over the ORCL history: bars with up to a dozen marks of
// both colours and every hatch.  Without smoothing the marks go into the
// pixels, each bar's outlines and the fills beneath them only once where
// the last mark's outline is opaque; the picture must be the one of every
// mark drawn by the device context, fill and outline, one after another.
TEST(CandlestickPatternMarks, ManyMarksOnABarPaintAsDrawnOneOverAnother)
{
    QxObjectSmartPtr<QxSecurity> security(new benchorcl::MemSecurity(benchorcl::loadHistory(), 90211));
    QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(security.get()));
    QxObjectSmartPtr<QxCandlestickPattern> pattern(new QxCandlestickPattern());
    pattern->setCalculator(calc.get());
    pattern->detectors = benchcandles::candlestickFunctions();
    ASSERT_GT(pattern->detectors.size(), 50u);
    QxSeries high, low;
    ASSERT_EQ(calc->getDataSeries(QxSeriesId(QxSeriesId::eSeriesHigh), high), eNoError);
    ASSERT_EQ(calc->getDataSeries(QxSeriesId(QxSeriesId::eSeriesLow), low), eNoError);
    const unsigned first = 4000, last = 4100;
    QxUniformScale x, y;
    double lowest = 1e9, highest = 0;
    for (unsigned b = first; b <= last; ++b)
        lowest = std::min(lowest, *low.at(int(b))), highest = std::max(highest, *high.at(int(b)));
    x.setup(first - 0.5, last + 0.5, 0, 1010, false);
    y.setup(lowest, highest, 390, 10, false);

    const struct {
        wxColour bull, bear;
    } cases[] = {
        {*wxGREEN, *wxRED},
        {wxColour(20, 160, 60), wxColour(200, 30, 90, 140)}, // see-through bear marks: nothing left out under them
        {wxColour(40, 40, 200, 150), wxColour(90, 60, 10)},
    };
    const auto picture = [](auto&& paint) {
        wxBitmap bitmap(1020, 400, 24);
        wxMemoryDC dc(bitmap);
        // Stripes beneath, so that a fill left out or put in shows.
        for (int i = 0; i < 1020; i += 6) {
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(wxBrush(wxColour(255 - i / 8, 230, 130 + i / 10)));
            dc.DrawRectangle(i, 0, 6, 400);
        }
        dc.GetGraphicsContext()->SetAntialiasMode(wxANTIALIAS_NONE);
        paint(dc);
        dc.SelectObject(wxNullBitmap);
        return bitmap.ConvertToImage();
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bear.GetAsString().ToStdString());
        pattern->bullColour = c.bull;
        pattern->bearColour = c.bear;
        int marks = 0, crowded = 0;
        const wxImage drawn = picture([&](wxDC& dc) {
            const int half = (x.map(1.0) - x.map(0.0) + 1) / 2;
            std::vector<int> perBar(last - first + 1);
            for (const TA_FuncInfo* function : pattern->detectors) {
                const QxSeries s = pattern->computeCandlestickSeries(function).series;
                for (int b = std::max(int(first), s.first); s.values && b <= std::min(int(last), s.last); ++b) {
                    const double v = *s.at(b);
                    if (v == 0)
                        continue;
                    const wxColour& colour = v > 0 ? c.bull : c.bear;
                    wxPen pen(colour, 1);
                    pen.SetCap(wxCAP_BUTT);
                    pen.SetJoin(wxJOIN_MITER);
                    dc.SetPen(pen);
                    dc.SetBrush(wxBrush(colour, candlestickHatch(v)));
                    const int left = x.map(double(b)) - half, top = y.map(*high.at(b));
                    dc.DrawEllipse(left, top, x.map(double(b)) + half - left, y.map(*low.at(b)) - top);
                    ++marks;
                    crowded += ++perBar[size_t(b) - first] == 3;
                }
            }
        });
        const wxImage written = picture([&](wxDC& dc) { EXPECT_EQ(pattern->draw(dc, first, last, x, y), eNoError); });
        EXPECT_GT(marks, 150);
        EXPECT_GT(crowded, 10) << "bars with three marks or more";
        EXPECT_EQ(TestSupport::comparePictures(written, drawn).pixels, 0);
    }
}
