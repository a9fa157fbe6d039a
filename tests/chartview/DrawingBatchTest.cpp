// Shapes drawn in batches and lines copied from painted pictures must give
// exactly the pixels the device context gives when each is drawn on its
// own: the chart paints through both and its pictures must not change.
#include "chartview/QxLineStamp.h"
#include "chartview/QxShapeBatch.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/image.h>

#include <functional>

namespace {

constexpr int kSize = 120;

// Paints on a fresh white memory bitmap, smoothing off when sharp (as the
// zones paint bars), and returns the picture.
wxImage paint(bool sharp, const std::function<void(wxDC&)>& draw)
{
    wxBitmap bitmap(kSize, kSize, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    if (sharp && dc.GetGraphicsContext())
        dc.GetGraphicsContext()->SetAntialiasMode(wxANTIALIAS_NONE);
    draw(dc);
    dc.SelectObject(wxNullBitmap);
    return bitmap.ConvertToImage();
}

// Number of pixels that differ.
int differences(const wxImage& a, const wxImage& b)
{
    int n = 0;
    for (int i = 0; i < kSize * kSize * 3; ++i)
        n += a.GetData()[i] != b.GetData()[i];
    return n;
}

wxPen pen(const wxColour& colour, int width, wxPenStyle style = wxPENSTYLE_SOLID)
{
    wxPen p(colour, width, style);
    p.SetCap(wxCAP_BUTT);
    p.SetJoin(wxJOIN_MITER);
    return p;
}

} // namespace

TEST(DrawingBatch, BatchedShapesLookAsShapesDrawnOneByOne)
{
    // Rectangles of every degenerate and ordinary size, lines in every
    // direction and of no length, polygons; apart from one another.
    auto shapes = [](auto&& rect, auto&& line, auto&& polygon) {
        const wxSize sizes[] = {{1, 1}, {1, 6}, {6, 1}, {2, 2}, {2, 7}, {7, 2}, {5, 9}, {12, 4}};
        int x = 4;
        for (const wxSize& s : sizes) {
            rect(x, 4, s.GetWidth(), s.GetHeight());
            x += s.GetWidth() + 3;
        }
        line(10, 30, 10, 50);
        line(14, 50, 14, 30);
        line(20, 34, 40, 34);
        line(40, 38, 20, 38);
        line(50, 30, 50, 30);
        line(60, 30, 80, 45); // slanted: no whole-pixel form
        const wxPoint quad[4] = {{10, 70}, {30, 74}, {30, 90}, {10, 84}};
        polygon(4, quad);
    };
    const struct {
        const char* name;
        bool sharp;
        wxPen outline;
        wxBrush fill;
        bool withPolygon;
    } cases[] = {
        {"sharp, opaque pen", true, pen(*wxBLACK, 1), wxBrush(wxColour(200, 40, 40)), false},
        {"sharp, see-through fill", true, pen(wxColour(0, 80, 0), 1), wxBrush(wxColour(0, 160, 0, 192)), false},
        {"sharp, polygons", true, pen(wxColour(100, 100, 60), 1), wxBrush(wxColour(230, 230, 190)), true},
        {"smooth, two-pixel pen", false, pen(*wxBLUE, 2), wxBrush(wxColour(250, 200, 0)), false},
        {"sharp, no outline", true, *wxTRANSPARENT_PEN, wxBrush(wxColour(20, 20, 200)), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const wxImage single = paint(c.sharp, [&](wxDC& dc) {
            dc.SetPen(c.outline);
            dc.SetBrush(c.fill);
            shapes([&](int x, int y, int w, int h) { dc.DrawRectangle(x, y, w, h); },
                   [&](int x1, int y1, int x2, int y2) { dc.DrawLine(x1, y1, x2, y2); },
                   [&](int n, const wxPoint* p) {
                       if (c.withPolygon)
                           dc.DrawPolygon(n, p, 0, 0, wxODDEVEN_RULE);
                   });
        });
        const wxImage batched = paint(c.sharp, [&](wxDC& dc) {
            // Lines first, as the candles draw their wicks.
            QxShapeBatch lines(dc), rest(dc);
            shapes([&](int x, int y, int w, int h) { rest.addRectangle(x, y, w, h); },
                   [&](int x1, int y1, int x2, int y2) { lines.addLine(x1, y1, x2, y2); },
                   [&](int n, const wxPoint* p) {
                       if (c.withPolygon)
                           rest.addPolygon(n, p);
                   });
            lines.draw(c.outline);
            rest.draw(c.outline, c.fill);
            EXPECT_TRUE(lines.empty() && rest.empty());
        });
        EXPECT_EQ(differences(single, batched), 0);
        EXPECT_GT(differences(single, paint(c.sharp, [](wxDC&) {})), 100) << "something was drawn";
    }
}

TEST(DrawingBatch, CopiedLinesLookAsLinesDrawnEachTime)
{
    const struct {
        const char* name;
        wxPen pen;
    } pens[] = {
        {"dotted grid", wxPen(*wxCYAN, 1, wxPENSTYLE_DOT)},
        {"solid, round ends", wxPen(*wxBLACK, 1)},
        {"solid, butt ends", pen(*wxBLACK, 1)},
        // Drawn each time, not copied.
        {"dotted, hair-thin", wxPen(wxColour(90, 0, 90), 0, wxPENSTYLE_DOT)},
        {"dashed", wxPen(wxColour(120, 0, 0), 1, wxPENSTYLE_SHORT_DASH)},
        {"dashed, two pixels", wxPen(wxColour(120, 0, 0), 2, wxPENSTYLE_SHORT_DASH)},
        {"solid, three pixels, see-through", wxPen(wxColour(0, 0, 200, 128), 3)},
    };
    for (const auto& p : pens) {
        SCOPED_TRACE(p.name);
        // Crossing lines, vertical ones first as the zones draw their grid.
        const wxImage single = paint(false, [&](wxDC& dc) {
            dc.SetPen(p.pen);
            for (int x : {5, 37, 80})
                dc.DrawLine(x, 6, x, 6 + 100);
            for (int y : {9, 50, 111})
                dc.DrawLine(3, y, 3 + 90, y);
        });
        const wxImage copied = paint(false, [&](wxDC& dc) {
            QxLineStamp vertical, horizontal;
            for (int x : {5, 37, 80})
                vertical.draw(dc, p.pen, true, 100, wxPoint(x, 6));
            for (int y : {9, 50, 111})
                horizontal.draw(dc, p.pen, false, 90, wxPoint(3, y));
        });
        EXPECT_EQ(differences(single, copied), 0);
        EXPECT_GT(differences(single, paint(false, [](wxDC&) {})), 100) << "something was drawn";
    }
}
