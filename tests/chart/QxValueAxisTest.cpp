// Tick choice and label texts of the value axis, for the usual ranges and
// for the ones that used to break it: ranges at 0, negative, tiny, huge,
// with equal ends, NaN or infinite.
#include "chart/QxValueAxis.h"

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

class ValueAxisTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_bitmap.Create(400, 400);
        m_dc.SelectObject(m_bitmap);
        m_dc.SetFont(wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS)));
        QxAxisConfiguration c;
        c.tickColor = *wxRED;
        c.labelColor = *wxBLACK;
        c.labelFont = wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS).Bold());
        m_axis.setConfig(c);
        wxFont previous = m_dc.GetFont();
        m_dc.SetFont(c.labelFont);
        m_dc.GetTextExtent("+-0.123456789kMB", nullptr, &m_h);
        m_dc.SetFont(previous);
        ASSERT_GT(m_h, 0);
    }
    void TearDown() override { m_dc.SelectObject(wxNullBitmap); }

    // An axis length that gives n raw ticks (n >= 4): (length - h) / 2h = n.
    int lengthFor(int n) const { return m_h + 2 * m_h * n + m_h / 2; }

    void setup(double lower, double upper, int length)
    {
        m_axis.setup(m_dc, QxRange<double>(lower, upper), 100 + length, 100);
    }

    std::vector<std::string> labels() const
    {
        std::vector<std::string> out;
        for (const wxString& l : m_axis.labels())
            out.push_back(l.ToStdString());
        return out;
    }

    wxBitmap m_bitmap;
    wxMemoryDC m_dc;
    QxValueAxis m_axis;
    wxCoord m_h = 0;
};

struct TickCase {
    const char* what;
    double lower, upper;
    int n;
    std::vector<double> ticks;
    std::vector<std::string> labels;
};

} // namespace

TEST_F(ValueAxisTest, ChoosesTicksAndLabels)
{
    const TickCase cases[] = {
        {"thousands with k", 11000, 19000, 5, {12000, 14000, 16000, 18000},
         {" 12.0k", " 14.0k", " 16.0k", " 18.0k"}},
        {"halves", 0.9, 2.9, 5, {1.0, 1.5, 2.0, 2.5}, {" 1.0", " 1.5", " 2.0", " 2.5"}},
        {"around zero", -2.5, 2.5, 5, {-2, -1, 0, 1, 2}, {"-2", "-1", "+0", "+1", "+2"}},
        {"second tick below 10000: in full", 1400, 4100, 5, {1500, 2000, 2500, 3000, 3500, 4000},
         {" 1500", " 2000", " 2500", " 3000", " 3500", " 4000"}},
        {"volume zone starting at 0", 0, 1000000, 5, {0, 200000, 400000, 600000, 800000},
         {"+0.0k", "+200.0k", "+400.0k", "+600.0k", "+800.0k"}},
        {"millions", 1.1e6, 1.9e6, 5, {1.2e6, 1.4e6, 1.6e6, 1.8e6}, {" 1.2M", " 1.4M", " 1.6M", " 1.8M"}},
        {"billions", 1.1e9, 1.9e9, 5, {1.2e9, 1.4e9, 1.6e9, 1.8e9}, {" 1.2B", " 1.4B", " 1.6B", " 1.8B"}},
        {"fine steps of millions", 1.0e6, 1.01e6, 5, {1.0e6, 1.002e6, 1.004e6, 1.006e6, 1.008e6},
         {" 1.000M", " 1.002M", " 1.004M", " 1.006M", " 1.008M"}},
        {"negative only", -19000, -11000, 5, {-18000, -16000, -14000, -12000},
         {"-18000", "-16000", "-14000", "-12000"}},
        {"negative fractions", -0.95, -0.15, 5, {-0.8, -0.6, -0.4, -0.2}, {"-0.8", "-0.6", "-0.4", "-0.2"}},
        {"range ending at 0", -100, 0, 5, {-100, -80, -60, -40, -20}, {"-100", "-80", "-60", "-40", "-20"}},
        {"two decimals", 0.1, 0.3, 5, {0.1, 0.15, 0.2, 0.25}, {" 0.10", " 0.15", " 0.20", " 0.25"}},
        {"start at the nearer round value", 0.1, 1.1, 5, {0.1, 0.3, 0.5, 0.7, 0.9},
         {" 0.1", " 0.3", " 0.5", " 0.7", " 0.9"}},
        {"tiny values keep their digits", 0.00011, 0.00019, 5, {0.00012, 0.00014, 0.00016, 0.00018},
         {" 0.00012", " 0.00014", " 0.00016", " 0.00018"}},
        {"equal ends 5", 5, 5, 5, {4.96, 4.98, 5.0, 5.02, 5.04}, {" 4.96", " 4.98", " 5.00", " 5.02", " 5.04"}},
        {"equal ends 0", 0, 0, 5, {-1.0, -0.5, 0.0, 0.5}, {"-1.0", "-0.5", "+0.0", "+0.5"}},
        {"equal negative ends", -5, -5, 5, {-5.04, -5.02, -5.0, -4.98, -4.96},
         {"-5.04", "-5.02", "-5.00", "-4.98", "-4.96"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        setup(c.lower, c.upper, lengthFor(c.n));
        ASSERT_EQ(m_axis.ticks().size(), c.ticks.size());
        for (size_t i = 0; i < c.ticks.size(); ++i)
            EXPECT_NEAR(m_axis.ticks()[i], c.ticks[i], std::fabs(c.ticks[i]) * 1e-12 + 1e-15) << i;
        EXPECT_EQ(labels(), c.labels);
        EXPECT_GT(m_axis.minWidth(), 0);
    }
}

TEST_F(ValueAxisTest, WidensEqualEnds)
{
    setup(5, 5, lengthFor(5));
    EXPECT_DOUBLE_EQ(m_axis.range().lower, 4.95);
    EXPECT_DOUBLE_EQ(m_axis.range().upper, 5.05);
    setup(0, 0, lengthFor(5));
    EXPECT_EQ(m_axis.range(), QxRange<double>(-1.0, 1.0));
    setup(-5, -5, lengthFor(5));
    EXPECT_DOUBLE_EQ(m_axis.range().lower, -5.05);
    EXPECT_DOUBLE_EQ(m_axis.range().upper, -4.95);
}

TEST_F(ValueAxisTest, RangesWithoutTicksDoNotHangOrCrash)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double max = std::numeric_limits<double>::max();
    const struct {
        const char* what;
        double lower, upper;
    } cases[] = {
        {"reversed", 10, 0},
        {"empty zone", 1e100, -1e100},
        {"NaN lower", nan, 10},
        {"NaN both", nan, nan},
        {"infinite upper", 0, inf},
        {"infinite both", -inf, inf},
        {"difference overflows", -max, max},
        {"subnormal", 0, 1e-320},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        setup(c.lower, c.upper, lengthFor(5));
        EXPECT_TRUE(m_axis.ticks().empty());
        EXPECT_EQ(m_axis.labels().size(), m_axis.ticks().size());
    }
}

TEST_F(ValueAxisTest, ExtremeRangesStayBounded)
{
    const struct {
        const char* what;
        double lower, upper;
        size_t minTicks;
    } cases[] = {
        {"huge", 0, 1e300, 3},
        {"huge negative", -1e300, 0, 3},
        {"tiny", 1e-300, 3e-300, 3},
        {"tiny at zero", 0, 1e-12, 3},
        {"wide", -1e15, 1e15, 3},
        // the step is lost in the precision of the values: whatever ticks
        // come out, the search ends
        {"below the precision of the values", 1e20, std::nextafter(1e20, 2e20), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        setup(c.lower, c.upper, lengthFor(6));
        ASSERT_GE(m_axis.ticks().size(), c.minTicks);
        ASSERT_LE(m_axis.ticks().size(), 12u);
        EXPECT_EQ(m_axis.labels().size(), m_axis.ticks().size());
        for (size_t i = 0; i < m_axis.ticks().size(); ++i) {
            EXPECT_GE(m_axis.ticks()[i], c.lower);
            EXPECT_LT(m_axis.ticks()[i], c.upper);
            if (i > 0) {
                EXPECT_GT(m_axis.ticks()[i], m_axis.ticks()[i - 1]);
            }
            EXPECT_LE(m_axis.labels()[i].length(), 100u);
            EXPECT_FALSE(m_axis.labels()[i].Contains("nan") || m_axis.labels()[i].Contains("inf"));
        }
    }
    setup(-1e15, 1e15, lengthFor(6));
    EXPECT_EQ(labels().front(), "-800000.0B");
    setup(0, 1e-12, lengthFor(6));
    EXPECT_NE(labels()[1], labels()[2]) << "tiny steps keep distinct labels";
}

TEST_F(ValueAxisTest, ShortAxisHasNoTicksAndKeepsItsWidth)
{
    setup(11000, 19000, lengthFor(5));
    const int width = m_axis.minWidth();
    ASSERT_GT(width, 0);
    for (int length : {static_cast<int>(m_h), static_cast<int>(m_h) - 1, 0, -50}) {
        setup(0, 100, length);
        EXPECT_TRUE(m_axis.ticks().empty()) << length;
        EXPECT_EQ(m_axis.minWidth(), width);
    }
    // Just longer than the measuring text: the spacing shrinks until ticks fit.
    setup(0, 100, m_h + 1);
    EXPECT_FALSE(m_axis.ticks().empty());
}

TEST_F(ValueAxisTest, WidthAndLogScale)
{
    setup(11000, 19000, lengthFor(5));
    EXPECT_EQ(m_axis.getWidth(), m_axis.minWidth());
    m_axis.setWidth(m_axis.minWidth() + 40);
    EXPECT_EQ(m_axis.getWidth(), m_axis.minWidth() + 40);

    m_axis.setLogScale(true);
    setup(1, 1000, lengthFor(5));
    EXPECT_TRUE(m_axis.uniformScale().isLogarithmic());
    for (double lower : {0.0, -10.0}) {
        setup(lower, 1000, lengthFor(5));
        EXPECT_FALSE(m_axis.uniformScale().isLogarithmic()) << lower;
        EXPECT_FALSE(m_axis.ticks().empty());
    }
    setup(7, 7, lengthFor(5)); // widened to [6.93, 7.07], still positive
    EXPECT_TRUE(m_axis.uniformScale().isLogarithmic());
}

TEST_F(ValueAxisTest, InvalidLabelFontLeavesTheAxisAlone)
{
    setup(11000, 19000, lengthFor(5));
    const int mapped = m_axis.scale().map(15000.0);
    QxAxisConfiguration c = m_axis.getConfig();
    c.labelFont = wxNullFont;
    m_axis.setConfig(c);
    setup(0, 1, lengthFor(5));
    EXPECT_TRUE(m_axis.ticks().empty());
    EXPECT_EQ(m_axis.scale().map(15000.0), mapped);
}

TEST(QxValueAxis, NiceNumbers)
{
    const struct {
        double x, nice;
    } cases[] = {
        {1.0, 1.0},    {1.49, 1.0},  {1.5, 2.0},     {2.99, 2.0},  {3.0, 4.0},    {4.49, 4.0},
        {4.5, 5.0},    {6.99, 5.0},  {7.0, 10.0},    {2500, 2000}, {0.0042, 0.004}, {0.0, 0.0},
        {-3.0, 0.0},   {std::numeric_limits<double>::infinity(), 0.0},
        {std::numeric_limits<double>::quiet_NaN(), 0.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(QxValueAxis::niceNumber(c.x), c.nice) << c.x;
}
