// Date-axis label periods: every day when bars are wide, weeks, then whole
// months, quarters and years as the chart zooms out, with the fall-back to
// full dates when month labels would crowd; and the ranges that give none.
#include "chart/QxDateAxis.h"
#include "core/QxPriceHistory.h"

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include <cmath>
#include <ctime>
#include <string>
#include <vector>

namespace {

int64_t packed(const struct tm& tm)
{
    return ((((int64_t(tm.tm_year + 1900) * 100 + tm.tm_mon + 1) * 100 + tm.tm_mday) * 1000000)) * 1000;
}

// Daily bars on the weekdays from y-m-d on, n of them.
QxObjectSmartPtr<QxPriceHistory> weekdayHistory(int y, int m, int d, unsigned n)
{
    QxObjectSmartPtr<QxPriceHistory> h(new QxPriceHistory(Qx::eStock, Qx::eDaily));
    h->resize(n);
    struct tm tm = {};
    tm.tm_year = y - 1900;
    tm.tm_mon = m - 1;
    tm.tm_mday = d;
    time_t t = timegm(&tm);
    for (unsigned i = 0; i < n; t += 86400) {
        gmtime_r(&t, &tm);
        if (tm.tm_wday == 0 || tm.tm_wday == 6)
            continue;
        h->timestamp()[i] = packed(tm);
        h->close()[i] = 10.0 + i % 7;
        ++i;
    }
    return h;
}

std::string ymd(int64_t ts)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", int(ts / 10000000000000LL), int(ts / 100000000000LL % 100),
                  int(ts / 1000000000LL % 100));
    return buf;
}

class DateAxisTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_bitmap.Create(600, 100);
        m_dc.SelectObject(m_bitmap);
        m_dc.SetFont(wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS)));
        QxAxisConfiguration c;
        c.tickColor = *wxRED;
        c.labelColor = *wxBLACK;
        c.labelFont = wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS));
        m_axis.setConfig(c);
        m_cw = m_dc.GetCharWidth();
        m_dayWidth = m_dc.GetTextExtent("9999/99/99").x + 2 * m_cw;
        m_monthWidth = m_dc.GetTextExtent("9999/99").x + 2 * m_cw;
        m_monthSample = m_dc.GetTextExtent("9999-99").x + m_cw;
    }
    void TearDown() override { m_dc.SelectObject(wxNullBitmap); }

    // Sets the axis up over bars [first, last] at barWidth pixels per bar.
    void setup(const QxPriceHistory* h, unsigned first, unsigned last, double barWidth)
    {
        const int left = 10;
        m_axis.setup(m_dc, QxRange<unsigned>(first, last), h, left,
                     left + static_cast<int>(std::lround((last - first) * barWidth)));
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
    QxDateAxis m_axis;
    int m_cw = 0, m_dayWidth = 0, m_monthWidth = 0, m_monthSample = 0;
};

} // namespace

TEST_F(DateAxisTest, WideBarsLabelEveryDay)
{
    auto h = weekdayHistory(2014, 3, 14, 10); // Friday 14 March on
    setup(h.get(), 0, 9, m_dayWidth + 2);
    EXPECT_EQ(m_axis.labelPeriod(), Qx::eDaily);
    EXPECT_FALSE(m_axis.hasPeriodLabels());
    ASSERT_EQ(m_axis.ticks().size(), 9u) << "every bar but the first starts a new day";
    EXPECT_EQ(m_axis.ticks().front(), 1u);
    EXPECT_EQ(labels().front(), "2014-03-17");
    EXPECT_EQ(labels().back(), "2014-03-27");
    EXPECT_GT(m_axis.minHeight(), m_dc.GetCharHeight());
    EXPECT_EQ(m_axis.scale().map(0.0), 10);
}

TEST_F(DateAxisTest, LabelPeriodFollowsTheZoom)
{
    auto h = weekdayHistory(1995, 1, 2, 5300); // twenty years of weekdays
    // Widths per bar that put each label period on; the daily bars of a
    // calendar period are counted in seconds (30.4 bars a month).
    const double week = m_dayWidth / 5.0 + 1.0;
    const double month = std::max(m_monthWidth / 30.4375, (m_monthSample + 1.0) / 19.0) + 0.5;
    const double quarter = std::max(m_monthWidth / 91.3125, (m_monthSample + 1.0) / 60.0) + 0.1;
    const double year = m_monthWidth / 91.3125 * 0.5;
    ASSERT_LT(week, m_dayWidth);
    ASSERT_LE(5 * month, m_dayWidth) << "the font makes month labels unreachable";
    ASSERT_LE(30.4375 * quarter, m_monthWidth);

    const struct {
        const char* what;
        double barWidth;
        unsigned first, last;
        int period;
        bool periodLabels;
        const char* firstLabel;
        unsigned firstTick;
    } cases[] = {
        {"weeks", week, 0, 60, Qx::eWeekly, false, "1995-01-09", 5},
        {"months", month, 0, 300, Qx::eMonthly, true, "1995-02", 22},
        {"quarters", quarter, 0, 800, Qx::eQuarterly, true, "1995-04", 65},
        {"years", year, 0, 5299, Qx::eYearly, true, "1996", 260},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        setup(h.get(), c.first, c.last, c.barWidth);
        EXPECT_EQ(m_axis.labelPeriod(), c.period);
        EXPECT_EQ(m_axis.hasPeriodLabels(), c.periodLabels);
        ASSERT_GE(m_axis.ticks().size(), 2u);
        EXPECT_EQ(labels().front(), c.firstLabel);
        EXPECT_EQ(m_axis.ticks().front(), c.firstTick);
        for (size_t i = 1; i < m_axis.ticks().size(); ++i)
            EXPECT_GT(m_axis.ticks()[i], m_axis.ticks()[i - 1]);
    }
    // Years: one label per calendar year after the first.
    setup(h.get(), 0, 5299, year);
    EXPECT_EQ(labels().back(), "2015");
    EXPECT_EQ(m_axis.ticks().size(), 20u);
}

TEST_F(DateAxisTest, CrowdedMonthLabelsFallBackToFullDates)
{
    auto h = weekdayHistory(2012, 1, 2, 520);
    // A month of seconds (30.4 bars) is wide enough, but about 21 trading
    // bars a month leave too little room between month labels.
    const double low = m_monthWidth / 30.4375, high = m_monthSample / 22.0;
    ASSERT_LT(low, high) << "this font leaves no such zoom";
    setup(h.get(), 0, 519, (low + high) / 2);
    EXPECT_EQ(m_axis.labelPeriod(), Qx::eMonthly);
    EXPECT_FALSE(m_axis.hasPeriodLabels());
    ASSERT_GE(m_axis.ticks().size(), 20u);
    EXPECT_EQ(labels().front(), "2012-02-01");
    for (size_t i = 0; i < m_axis.ticks().size(); ++i)
        EXPECT_EQ(labels()[i], ymd(h->timestamp()[m_axis.ticks()[i]])) << i;
}

TEST_F(DateAxisTest, RangesWithoutTicks)
{
    auto h = weekdayHistory(2014, 3, 3, 40);
    QxObjectSmartPtr<QxPriceHistory> empty(new QxPriceHistory(Qx::eStock, Qx::eDaily));
    const struct {
        const char* what;
        const QxPriceHistory* history;
        unsigned first, last;
        double barWidth;
    } cases[] = {
        {"one visible bar", h.get(), 5, 5, 100},
        {"reversed range", h.get(), 6, 5, 100},
        {"no history", nullptr, 0, 10, 100},
        {"empty history", empty.get(), 0, 10, 100},
        {"bars past the history", h.get(), 0, 40, 100},
        {"all bars in one month", h.get(), 0, 18, 1.0}, // 3 to 27 March, month labels
        {"two bars, one tick", h.get(), 0, 1, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        setup(h.get(), 0, 39, m_dayWidth + 2); // something to clear
        ASSERT_FALSE(m_axis.ticks().empty());
        setup(c.history, c.first, c.last, c.barWidth);
        EXPECT_TRUE(m_axis.ticks().empty());
        EXPECT_TRUE(m_axis.labels().empty());
    }
}

TEST_F(DateAxisTest, PaintsOnlyWhatFits)
{
    auto h = weekdayHistory(2014, 3, 3, 40);
    auto painted = [&](const wxPoint& origin) {
        m_dc.SetBackground(*wxWHITE_BRUSH);
        m_dc.Clear();
        m_axis.display(m_dc, origin, Qx::eAxisBelow);
        m_dc.SelectObject(wxNullBitmap); // flush the drawing into the bitmap
        const wxImage img = m_bitmap.ConvertToImage();
        m_dc.SelectObject(m_bitmap);
        m_dc.SetFont(wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS)));
        int dark = 0;
        for (int y = 0; y < img.GetHeight(); ++y)
            for (int x = 0; x < img.GetWidth(); ++x)
                if (img.GetRed(x, y) < 128 || img.GetGreen(x, y) < 128)
                    ++dark;
        return dark;
    };
    setup(h.get(), 0, 5, m_dayWidth + 2);
    ASSERT_EQ(m_axis.ticks().size(), 5u);
    EXPECT_GT(painted(wxPoint(0, 10)), 0);
    EXPECT_EQ(painted(wxPoint(1000, 10)), 0) << "ticks left of the origin are skipped";
    setup(h.get(), 5, 5, m_dayWidth + 2);
    EXPECT_EQ(painted(wxPoint(0, 10)), 0);
}

// The chart lays its axis out in whatever font its device holds and paints
// the labels in the axis's own (bold) font: the choice of labels must follow
// the painting font, or a daily chart zoomed out to one pixel a bar gets
// period labels that are then too wide to paint, and shows none at all.
TEST_F(DateAxisTest, LabelsAreChosenInThePaintingFont)
{
    auto h = weekdayHistory(1995, 1, 2, 2000);
    const wxFont small(wxFontInfo(6).Family(wxFONTFAMILY_SWISS));
    QxAxisConfiguration c;
    c.tickColor = *wxRED;
    c.labelColor = *wxBLACK;
    c.labelFont = wxFont(wxFontInfo(12).Family(wxFONTFAMILY_SWISS).Bold());
    m_axis.setConfig(c);
    struct Layout {
        int period;
        bool periodLabels;
        std::vector<unsigned> ticks;
        std::vector<std::string> labels;
        int height;
    };
    auto layout = [&](const wxFont& deviceFont, unsigned last, double barWidth) {
        m_dc.SetFont(deviceFont);
        setup(h.get(), 0, last, barWidth);
        EXPECT_TRUE(m_dc.GetFont() == deviceFont) << "the device keeps its font";
        return Layout{m_axis.labelPeriod(), m_axis.hasPeriodLabels(), m_axis.ticks(), labels(), m_axis.minHeight()};
    };
    // One-pixel bars (the widest zoom out), a few steps in, weekly labels.
    const struct {
        unsigned last;
        double barWidth;
    } cases[] = {{579, 1.0}, {289, 2.0}, {193, 3.0}, {60, 25.0}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.barWidth);
        const Layout painting = layout(c.labelFont, k.last, k.barWidth);
        const Layout other = layout(small, k.last, k.barWidth);
        EXPECT_EQ(other.period, painting.period);
        EXPECT_EQ(other.periodLabels, painting.periodLabels);
        EXPECT_EQ(other.ticks, painting.ticks);
        EXPECT_EQ(other.labels, painting.labels);
        EXPECT_EQ(other.height, painting.height);
    }

    // Painted from a device in the small font, the one-pixel axis shows
    // labels, not only ticks.
    m_dc.SetFont(small);
    setup(h.get(), 0, 579, 1.0);
    ASSERT_GE(m_axis.ticks().size(), 2u);
    m_dc.SetBackground(*wxWHITE_BRUSH);
    m_dc.Clear();
    m_axis.display(m_dc, wxPoint(0, 0), Qx::eAxisBelow);
    m_dc.SelectObject(wxNullBitmap);
    const wxImage img = m_bitmap.ConvertToImage();
    m_dc.SelectObject(m_bitmap);
    // Label text is black; tick marks are red.
    int text = 0;
    for (int y = 0; y < img.GetHeight(); ++y)
        for (int x = 0; x < img.GetWidth(); ++x)
            text += img.GetRed(x, y) < 100 && img.GetGreen(x, y) < 100;
    EXPECT_GT(text, 30) << "labels painted at one pixel a bar";
}
