// Paints value and date axes around real daily closes into memory bitmaps
// and saves them as PNG artifacts for a person to look at.
#include "chart/QxDateAxis.h"
#include "chart/QxValueAxis.h"
#include "core/QxPriceHistory.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/filename.h>
#include <wx/image.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Zone {
    wxRect plot;
    const double* values;
    bool log;
    bool fromZero; // a volume zone's range starts at 0
};

// Paints zones stacked as the chart does: value axes left and right of each
// zone, grid at the ticks, the series as a line, and the date axis under the
// last zone.  Returns the number of pixels that are not background.
int paintChart(const QxPriceHistory& h, unsigned first, unsigned last, const std::vector<Zone>& zones,
               const wxSize& size, const std::string& artifact)
{
    wxBitmap bitmap(size);
    int painted = 0;
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        dc.SetFont(*wxNORMAL_FONT);

        QxDateAxis dateAxis;
        const wxRect& bottom = zones.back().plot;
        dateAxis.setup(dc, QxRange<unsigned>(first, last), &h, bottom.GetLeft() + 3, bottom.GetRight() - 3);
        EXPECT_GE(dateAxis.ticks().size(), 2u);

        for (const Zone& z : zones) {
            double lo = z.values[first], hi = z.values[first];
            for (unsigned i = first; i <= last; ++i) {
                lo = std::min(lo, z.values[i]);
                hi = std::max(hi, z.values[i]);
            }
            if (z.fromZero)
                lo = 0.0;
            QxValueAxis axis;
            axis.setLogScale(z.log);
            axis.setup(dc, QxRange<double>(lo, hi), z.plot.GetBottom(), z.plot.GetTop());
            EXPECT_FALSE(axis.ticks().empty());

            dc.SetPen(wxPen(*wxCYAN, 1, wxPENSTYLE_DOT));
            for (double t : axis.ticks()) {
                const int y = axis.scale().map(t);
                dc.DrawLine(z.plot.GetLeft(), y, z.plot.GetRight(), y);
            }
            for (unsigned bar : dateAxis.ticks()) {
                const int x = dateAxis.scale().map(static_cast<double>(bar));
                dc.DrawLine(x, z.plot.GetTop(), x, z.plot.GetBottom());
            }
            dc.SetPen(wxPen(wxColour(0, 0, 160), 1));
            wxPoint previous;
            for (unsigned i = first; i <= last; ++i) {
                const wxPoint p(dateAxis.scale().map(static_cast<double>(i)), axis.scale().map(z.values[i]));
                if (i > first)
                    dc.DrawLine(previous, p);
                previous = p;
            }
            dc.SetPen(*wxBLACK_PEN);
            dc.SetBrush(*wxTRANSPARENT_BRUSH);
            dc.DrawRectangle(z.plot);
            axis.display(dc, wxPoint(z.plot.GetLeft() - axis.getWidth(), 0), Qx::eAxisLeft);
            axis.display(dc, wxPoint(z.plot.GetRight() + 1, 0), Qx::eAxisRight);
        }
        dateAxis.display(dc, wxPoint(bottom.GetLeft(), bottom.GetBottom() + 1), Qx::eAxisBelow);
    }
    const wxImage image = bitmap.ConvertToImage();
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if (image.GetRed(x, y) != 255 || image.GetGreen(x, y) != 255 || image.GetBlue(x, y) != 255)
                ++painted;
    const wxString path = wxString::FromUTF8(TestSupport::artifactPath(artifact).c_str());
    EXPECT_TRUE(image.SaveFile(path, wxBITMAP_TYPE_PNG));
    EXPECT_TRUE(wxFileName::FileExists(path));
    return painted;
}

int paintedIn(const wxImage& image, const wxRect& r)
{
    int n = 0;
    for (int y = r.GetTop(); y <= r.GetBottom(); ++y)
        for (int x = r.GetLeft(); x <= r.GetRight(); ++x)
            if (image.GetRed(x, y) != 255 || image.GetGreen(x, y) != 255 || image.GetBlue(x, y) != 255)
                ++n;
    return n;
}

} // namespace

TEST(AxisPaint, DailyPricesAndVolumeOfOneYear)
{
    ASSERT_TRUE(TestSupport::guiAvailable());
    auto h = TestSupport::fixtureHistory("orcl-1995-2014.csv");
    ASSERT_GT(h->numBars(), 4000u);
    const unsigned last = h->numBars() - 1, first = last - 250;
    const std::vector<Zone> zones = {
        {wxRect(80, 10, 740, 300), h->close(), false, false},
        {wxRect(80, 320, 740, 120), h->volume(), false, true},
    };
    EXPECT_GT(paintChart(*h, first, last, zones, wxSize(900, 480), "axes-daily-orcl-2014.png"), 5000);

    const wxImage image(wxString::FromUTF8(TestSupport::artifactPath("axes-daily-orcl-2014.png").c_str()),
                        wxBITMAP_TYPE_PNG);
    ASSERT_TRUE(image.IsOk());
    EXPECT_GT(paintedIn(image, wxRect(0, 10, 79, 300)), 100) << "left value axis";
    EXPECT_GT(paintedIn(image, wxRect(821, 10, 79, 300)), 100) << "right value axis";
    EXPECT_GT(paintedIn(image, wxRect(80, 441, 740, 38)), 100) << "date axis";
}

TEST(AxisPaint, TwentyYearsOnALogScale)
{
    auto h = TestSupport::fixtureHistory("orcl-1995-2014.csv");
    ASSERT_GT(h->numBars(), 4000u);
    const std::vector<Zone> zones = {{wxRect(80, 10, 740, 380), h->close(), true, false}};
    EXPECT_GT(paintChart(*h, 0, h->numBars() - 1, zones, wxSize(900, 430), "axes-years-log-orcl.png"), 5000);
}
