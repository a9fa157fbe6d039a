// The analysis annotations as objects: the order their points may be placed
// in, Fibonacci levels and labels, the pitchfork's lines, the regression fit
// and channel, hit tests and the XML form.
#include "AnnotScales.h"
#include "support/ChartFixtures.h"
#include "chartview/QxAndrewsPitchFork.h"
#include "chartview/QxFibonacciRetracement.h"
#include "chartview/QxLinearRegressionChannel.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/xml/xml.h>

#include <cmath>
#include <functional>
#include <vector>

using annottest::Scales;

namespace {

struct Step {
    unsigned index;
    QxPoint point;
    int result;
};

// Runs the steps on a fresh annotation and checks each result; a refused
// point leaves every point and flag as it was.
void runSteps(const char* kind, const std::function<QxShapeAnnot*()>& make, const std::vector<Step>& steps)
{
    QxObjectSmartPtr<QxShapeAnnot> a(make());
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        std::vector<QxPoint> before;
        std::vector<bool> setBefore;
        for (unsigned k = 0; k < 3; ++k) {
            before.push_back(a->getPoint(k));
            setBefore.push_back(a->isPointSet(k));
        }
        EXPECT_EQ(a->setPoint(s.index, s.point), s.result) << kind << " step " << i;
        if (s.result != eNoError)
            for (unsigned k = 0; k < 3; ++k) {
                EXPECT_EQ(a->getPoint(k).x, before[k].x) << kind << " step " << i << " point " << k;
                EXPECT_EQ(a->getPoint(k).y, before[k].y) << kind << " step " << i << " point " << k;
                EXPECT_EQ(a->isPointSet(k), setBefore[k]) << kind << " step " << i << " point " << k;
            }
    }
}

template <class Kind>
Kind* make(std::initializer_list<QxPoint> points)
{
    auto* a = new Kind;
    unsigned i = 0;
    for (const QxPoint& p : points)
        EXPECT_EQ(a->setPoint(i++, p), eNoError);
    return a;
}

// Pixels within a rectangle of a picture tinted by a pure colour (red, green
// or blue; smoothed edges count).
int countColour(const wxImage& img, const wxRect& r, const wxColour& c)
{
    int n = 0;
    for (int y = std::max(0, r.y); y <= std::min(img.GetHeight() - 1, r.GetBottom()); ++y)
        for (int x = std::max(0, r.x); x <= std::min(img.GetWidth() - 1, r.GetRight()); ++x) {
            const int rgb[] = {img.GetRed(x, y), img.GetGreen(x, y), img.GetBlue(x, y)};
            const int want[] = {c.Red(), c.Green(), c.Blue()};
            int lit = -1;
            for (int k = 0; k < 3; ++k)
                if (want[k] > 0)
                    lit = k;
            bool tinted = lit >= 0;
            for (int k = 0; k < 3 && tinted; ++k)
                if (k != lit)
                    tinted = rgb[lit] > rgb[k] + 60;
            n += tinted;
        }
    return n;
}

wxImage drawn(const QxAnnot& a, const Scales& s, int* result = nullptr)
{
    wxBitmap bitmap(640, 400, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        const int r = a.draw(dc, 0, 0, s.x, s.y);
        if (result)
            *result = r;
    }
    return bitmap.ConvertToImage();
}

} // namespace

TEST(AnalysisAnnots, PointsArePlacedInTheirOrder)
{
    const int ok = eNoError, no = eNotAllParamsValid, bad = eInvalidIndex;
    runSteps("fibonacci", [] { return new QxFibonacciRetracement; },
             {
                 {1, {20, 80}, no},  // no start yet
                 {2, {30, 80}, no},
                 {0, {10, 20}, ok},
                 {2, {30, 80}, no},  // no end yet
                 {1, {20, 80}, ok},
                 {2, {15, 0}, no},   // left of the end
                 {2, {5, 0}, no},    // left of both
                 {2, {30, 5}, ok},
                 {1, {35, 90}, no},  // right of p2
                 {1, {25, 90}, ok},
                 {0, {31, 10}, no},  // right of p2
                 {0, {30, 10}, ok},  // on p2's bar
                 {3, {10, 10}, bad},
             });
    runSteps("pitchfork", [] { return new QxAndrewsPitchFork; },
             {
                 {1, {30, 70}, no},
                 {2, {10, 40}, no},
                 {0, {20, 50}, ok},
                 {2, {10, 40}, no},
                 {1, {30, 70}, ok},
                 {2, {30, 40}, no},  // at the later reaction point, right of the other
                 {2, {35, 40}, no},  // right of both
                 {2, {25, 40}, ok},  // left of one is enough
                 {0, {25, 50}, no},  // not right of the pivot
                 {1, {24, 70}, no},
                 {0, {26, 50}, ok},
                 {2, {10, 40}, ok},
                 {3, {40, 40}, bad},
             });
    runSteps("channel", [] { return new QxLinearRegressionChannel; },
             {
                 {1, {20, 70}, no},
                 {2, {25, 40}, no},
                 {0, {10, 50}, ok},
                 {2, {25, 40}, no},  // no end yet
                 {1, {10, 70}, no},  // not right of the start
                 {1, {20, 70}, ok},
                 {0, {20, 50}, no},  // not left of the end
                 {0, {15, 50}, ok},
                 {2, {5, -40}, ok},  // anywhere
                 {3, {5, 40}, bad},
             });
}

TEST(AnalysisAnnots, FibonacciLevelsLabelsAndHits)
{
    const Scales s;
    // From a low at bar 20 to a high at bar 30: the high is 0 %, the low 100 %.
    QxObjectSmartPtr<QxFibonacciRetracement> fib(make<QxFibonacciRetracement>({{20, 20}, {30, 80}}));
    EXPECT_FALSE(fib->isPointSet(2));
    EXPECT_EQ(fib->getPoint(2).x, 30.0) << "the levels end at p1 until p2 is placed";
    const std::vector<const char*> labels = {"0.00 %", "23.61 %", "38.20 %", "50.00 %", "61.80 %", "100.00 %"};
    const std::vector<double> values = {80, 65.83592135, 57.08203932, 50, 42.91796068, 20};
    for (size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(QxFibonacciRetracement::levelLabel(QxFibonacciRetracement::kRatios[i]), labels[i]);
        EXPECT_NEAR(fib->levelValue(QxFibonacciRetracement::kRatios[i]), values[i], 1e-8);
    }
    EXPECT_EQ(fib->hitTest({250, 180}, s.x, s.y, nullptr, -1), QxAnnot::eHitNone) << "p2 not placed";

    ASSERT_EQ(fib->setPoint(2, {40, 0}), eNoError);
    EXPECT_EQ(fib->getPoint(2).y, 80.0) << "only p2's bar counts";
    const auto levels = fib->levelSegments(s.x, s.y);
    ASSERT_EQ(levels.size(), 6u);
    EXPECT_EQ(levels[0].first, wxPoint(200, 140));  // the high, from the left point
    EXPECT_EQ(levels[0].second, wxPoint(400, 140)); // to p2's bar
    EXPECT_EQ(levels[5].first, wxPoint(200, 260));  // the low
    unsigned index = 9;
    // Level rows: 140, 168, 186, 200, 214, 260.
    EXPECT_EQ(fib->hitTest({351, 140}, s.x, s.y, &index, -1), QxAnnot::eHitBody);
    EXPECT_EQ(fib->hitTest({351, 202}, s.x, s.y, &index, -1), QxAnnot::eHitBody); // 50 %
    EXPECT_EQ(fib->hitTest({351, 154}, s.x, s.y, &index, -1), QxAnnot::eHitNone); // between levels
    EXPECT_EQ(fib->hitTest({405, 140}, s.x, s.y, &index, -1), QxAnnot::eHitNone); // past the end
    EXPECT_EQ(fib->hitTest({351, 261}, s.x, s.y, &index, -1), QxAnnot::eHitBody);
    EXPECT_EQ(fib->hitTest({201, 258}, s.x, s.y, &index, -1), QxAnnot::eHitPoint);
    EXPECT_EQ(index, 0u);
    EXPECT_EQ(fib->hitTest({400, 140}, s.x, s.y, &index, -1), QxAnnot::eHitPoint);
    EXPECT_EQ(index, 2u) << "p2 at p1's value";

    // Drawn: each level and its label left of it, in the pen's colour.
    const wxColour blue(0, 0, 255);
    fib->setPen(wxPen(blue, 1));
    int result = -1;
    const wxImage img = drawn(*fib, s, &result);
    EXPECT_EQ(result, eNoError);
    for (const auto& level : levels) {
        EXPECT_GT(countColour(img, wxRect(level.first.x + 5, level.first.y, 190, 1), blue), 185);
        EXPECT_GT(countColour(img, wxRect(120, level.first.y - 6, 78, 13), blue), 10) << "label at " << level.first.y;
    }
    EXPECT_EQ(countColour(img, wxRect(196, 0, 3, 400), blue), 0) << "labels end before the line starts";

    QxObjectSmartPtr<QxFibonacciRetracement> lone(make<QxFibonacciRetracement>({{20, 20}}));
    drawn(*lone, s, &result);
    EXPECT_EQ(result, eNotAllParamsValid);
}

TEST(AnalysisAnnots, PitchforkLines)
{
    const Scales s;
    // Reaction points at bar 30 (values 80 and 40), pivot at bar 20 value 40:
    // the median rises 2 a bar to one bar beyond the visible bars (bar 51).
    QxObjectSmartPtr<QxAndrewsPitchFork> fork(make<QxAndrewsPitchFork>({{30, 80}, {30, 40}, {20, 40}}));
    auto d = fork->pitchforkDevicePoints(s.x, s.y);
    EXPECT_EQ(d.p0, wxPoint(300, 140));
    EXPECT_EQ(d.p1, wxPoint(300, 220));
    EXPECT_EQ(d.p2, wxPoint(200, 220));
    EXPECT_EQ(d.end, wxPoint(510, 96)); // value 40 + 31 * 2 = 102
    const auto lines = fork->forkSegments(d);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::make_pair(wxPoint(300, 140), wxPoint(610, 16)));
    EXPECT_EQ(lines[1], std::make_pair(wxPoint(300, 220), wxPoint(610, 96)));
    EXPECT_EQ(lines[2], std::make_pair(wxPoint(200, 220), wxPoint(510, 96)));

    unsigned index = 9;
    EXPECT_EQ(fork->hitTest({300, 180}, s.x, s.y, &index, -1), QxAnnot::eHitBody); // p0-p1
    EXPECT_EQ(fork->hitTest({455, 78}, s.x, s.y, &index, -1), QxAnnot::eHitBody);  // upper tine
    EXPECT_EQ(fork->hitTest({355, 158}, s.x, s.y, &index, -1), QxAnnot::eHitBody); // median
    EXPECT_EQ(fork->hitTest({355, 100}, s.x, s.y, &index, -1), QxAnnot::eHitNone);
    EXPECT_EQ(fork->hitTest({199, 221}, s.x, s.y, &index, -1), QxAnnot::eHitPoint);
    EXPECT_EQ(index, 2u);

    // A horizontal median when the pivot is level with the midpoint.
    ASSERT_EQ(fork->setPoint(2, {20, 60}), eNoError);
    d = fork->pitchforkDevicePoints(s.x, s.y);
    EXPECT_EQ(d.end, wxPoint(510, 180));

    // The pivot on the midpoint's bar: the median goes straight up, which
    // the scale holds at its pixel limit.
    QxObjectSmartPtr<QxAndrewsPitchFork> upright(make<QxAndrewsPitchFork>({{25, 80}, {35, 40}, {30, 50}}));
    d = upright->pitchforkDevicePoints(s.x, s.y);
    EXPECT_EQ(d.end.y, -static_cast<int>(QxUniformScale::kPixelLimit));
    int result = -1;
    drawn(*upright, s, &result);
    EXPECT_EQ(result, eNoError);

    // Before the pivot only the line between the reaction points is drawn.
    QxObjectSmartPtr<QxAndrewsPitchFork> open(make<QxAndrewsPitchFork>({{30, 80}, {40, 40}}));
    EXPECT_TRUE(open->forkSegments(open->pitchforkDevicePoints(s.x, s.y)).empty());
    const wxColour red(255, 0, 0);
    const wxImage img = drawn(*open, s, &result);
    EXPECT_EQ(result, eNoError);
    EXPECT_GT(countColour(img, wxRect(300, 140, 101, 81), red), 90);
    EXPECT_EQ(countColour(img, wxRect(410, 0, 230, 400), red), 0);
    EXPECT_EQ(open->hitTest({350, 180}, s.x, s.y, nullptr, -1), QxAnnot::eHitNone) << "pivot not placed";
}

TEST(RegressionFit, LeastSquaresOverTheBarsThereAre)
{
    const std::vector<double> closes = {10, 12, 11, 15, 14, 18};
    const struct {
        double x0, x1;
        bool fitted;
        double y0, y1;
    } cases[] = {
        {0, 6, true, 9.761904761904761, 18.333333333333332}, // every bar
        {1.7, 5.2, true, 12.2, 15.7},                          // bars 1..4, values at the untruncated bars
        {3, 40, true, 14.166666666666666, 69.66666666666667},  // past the last bar: bars 3..5
        {-5, 3, true, 8.0, 12.0},                              // before the first bar: bars 0..2
        {2, 3, false, -1, -1},                                 // one bar
        {5, 100, false, -1, -1},                               // one bar left in the history
        {10, 20, false, -1, -1},                               // none
        {NAN, 4, false, -1, -1},
    };
    for (const auto& c : cases) {
        double y0 = -1, y1 = -1;
        EXPECT_EQ(fitRegressionLine(closes.data(), unsigned(closes.size()), c.x0, c.x1, y0, y1), c.fitted)
            << c.x0 << ".." << c.x1;
        EXPECT_NEAR(y0, c.y0, 1e-9) << c.x0 << ".." << c.x1;
        EXPECT_NEAR(y1, c.y1, 1e-9) << c.x0 << ".." << c.x1;
    }
    double y0 = -1, y1 = -1;
    EXPECT_FALSE(fitRegressionLine(nullptr, 0, 0, 5, y0, y1));
}

TEST(AnalysisAnnots, ChannelRefitsThroughItsCalculator)
{
    const Scales s;
    QxObjectSmartPtr<QxSecurity> security(
        new charttest::MemSecurity(31, charttest::makeBars({10, 12, 11, 15, 14, 18}, {10, 12, 11, 15, 14, 18})));
    QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(security.get()));
    QxObjectSmartPtr<QxLinearRegressionChannel> channel(new QxLinearRegressionChannel);
    channel->setCalculator(calc.get());

    ASSERT_EQ(channel->setPoint(0, {1.7, 99}), eNoError);
    EXPECT_EQ(channel->getPoint(0).y, 99.0) << "no range yet";
    ASSERT_EQ(channel->setPoint(1, {5.2, 99}), eNoError);
    EXPECT_NEAR(channel->getPoint(0).y, 12.2, 1e-9);
    EXPECT_NEAR(channel->getPoint(1).y, 15.7, 1e-9);
    // Dragging the end past the history refits the start too: bars 1..5,
    // 9.5 + 1.5 a bar.
    ASSERT_EQ(channel->setPoint(1, {40, 0}), eNoError);
    EXPECT_NEAR(channel->getPoint(0).y, 12.05, 1e-9);
    EXPECT_NEAR(channel->getPoint(1).y, 69.5, 1e-9);
    // A range of one bar fits nothing: the values stand as they are.
    ASSERT_EQ(channel->setPoint(0, {5, 7}), eNoError);
    EXPECT_EQ(channel->getPoint(0).x, 5.0);
    EXPECT_EQ(channel->getPoint(0).y, 7.0);
    EXPECT_NEAR(channel->getPoint(1).y, 69.5, 1e-9);

    // Width from p2: 3 below the centre line at bar 20 gives lines 3 either side.
    ASSERT_EQ(channel->setPoint(0, {0, 0}), eNoError);
    ASSERT_EQ(channel->setPoint(1, {6, 0}), eNoError);
    const double slope = 1.4285714285714286, at0 = 9.761904761904761;
    ASSERT_EQ(channel->setPoint(2, {20, at0 + slope * 20 - 3}), eNoError);
    auto lines = channel->channelLines();
    EXPECT_NEAR(lines[0].second.x, 20, 1e-9) << "to the later of p1 and p2";
    EXPECT_NEAR(lines[0].second.y, at0 + slope * 20, 1e-9);
    EXPECT_NEAR(lines[1].first.y, at0 - 3, 1e-9);
    EXPECT_NEAR(lines[2].first.y, at0 + 3, 1e-9);
    EXPECT_NEAR(lines[2].second.y, at0 + slope * 20 + 3, 1e-9);

    // On the centre line: no width, three coincident lines, still hit.
    ASSERT_EQ(channel->setPoint(2, {20, at0 + slope * 20}), eNoError);
    lines = channel->channelLines();
    for (const auto& l : lines) {
        EXPECT_NEAR(l.first.y, lines[0].first.y, 1e-9);
        EXPECT_NEAR(l.second.y, lines[0].second.y, 1e-9);
    }
    QxUniformScale x, y;
    x.setup(0.0, 40.0, 100, 500, false);
    y.setup(0.0, 50.0, 300, 100, false);
    const wxPoint mid(x.map(10), y.map(at0 + slope * 10));
    EXPECT_EQ(channel->hitTest(mid, x, y, nullptr, -1), QxAnnot::eHitBody);
    EXPECT_EQ(channel->hitTest(mid + wxPoint(0, 8), x, y, nullptr, -1), QxAnnot::eHitNone);

    // Without a calculator (read from a file) the values stand.
    QxObjectSmartPtr<QxLinearRegressionChannel> stored(make<QxLinearRegressionChannel>({{1, 30}, {4, 60}}));
    EXPECT_EQ(stored->getPoint(0).y, 30.0);
    EXPECT_EQ(stored->getPoint(1).y, 60.0);
    int result = -1;
    drawn(*stored, s, &result);
    EXPECT_EQ(result, eNoError);
    QxObjectSmartPtr<QxLinearRegressionChannel> lone(make<QxLinearRegressionChannel>({{1, 30}}));
    drawn(*lone, s, &result);
    EXPECT_EQ(result, eNotAllParamsValid);
}

TEST(AnalysisAnnots, XmlRoundTrips)
{
    wxXmlNode root(wxXML_ELEMENT_NODE, "Annots");
    wxFont font = *wxNORMAL_FONT;
    font.SetPointSize(9);
    const wxPen pen(wxColour(0, 128, 0), 3, wxPENSTYLE_SHORT_DASH);

    std::vector<QxObjectSmartPtr<QxShapeAnnot>> written;
    written.emplace_back(make<QxFibonacciRetracement>({{20.9, 20.5}, {30, 80.25}, {40, 0}}));
    written.emplace_back(make<QxAndrewsPitchFork>({{30, 80}, {35, 40}, {20, 40}}));
    written.emplace_back(make<QxLinearRegressionChannel>({{10, 11.5}, {20, 22.5}, {25, 15}}));
    for (auto& a : written) {
        a->setPen(pen);
        a->setFont(font);
        wxXmlNode* element = a->toXml(&root);
        EXPECT_EQ(element->GetAttribute("Pen"), "Color:32768;Width:3;Style:103");
        EXPECT_EQ(element->HasAttribute("Font"), a->getName() == "QxFibonacciRetracement");
        EXPECT_FALSE(element->HasAttribute("Color"));

        QxObjectSmartPtr<QxAnnot> back(createAnnotFromXml(element));
        ASSERT_NE(back.get(), nullptr) << a->getName().string();
        EXPECT_EQ(back->getName(), a->getName());
        EXPECT_EQ(back->getPen(), pen);
        if (a->hasProperty(QxAnnot::ePropFont)) {
            EXPECT_EQ(back->getFont(), font);
        }
        auto* shape = static_cast<QxShapeAnnot*>(back.get());
        for (unsigned i = 0; i < 3; ++i) {
            EXPECT_TRUE(shape->isPointSet(i)) << a->getName().string() << " " << i;
            EXPECT_EQ(back->getPoint(i).x, std::trunc(a->getPoint(i).x)) << a->getName().string() << " " << i;
            EXPECT_EQ(back->getPoint(i).y, a->getPoint(i).y) << a->getName().string() << " " << i;
        }
    }

    // Names in any case; a pivot right of both reaction points stays unset.
    wxXmlNode* element = written[1]->toXml(&root);
    element->SetName("qxandrewspitchfork");
    element->GetChildren()->GetChildren()->GetNext()->GetNext()->DeleteAttribute("x");
    element->GetChildren()->GetChildren()->GetNext()->GetNext()->AddAttribute("x", "36");
    QxObjectSmartPtr<QxAnnot> fork(createAnnotFromXml(element));
    ASSERT_NE(fork.get(), nullptr);
    EXPECT_TRUE(static_cast<QxShapeAnnot*>(fork.get())->isPointSet(1));
    EXPECT_FALSE(static_cast<QxShapeAnnot*>(fork.get())->isPointSet(2));
    const Scales s;
    EXPECT_EQ(fork->hitTest({300, 140}, s.x, s.y, nullptr, -1), QxAnnot::eHitNone);
}
