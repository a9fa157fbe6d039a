// Shapes drawn in batches and lines copied from painted pictures must give
// exactly the pixels the device context gives when each is drawn on its
// own: the chart paints through both and its pictures must not change.
#include "chart/QxLineStamp.h"
#include "chart/QxPixelTarget.h"
#include "chart/QxShapeBatch.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/image.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

constexpr int kSize = 120;

// How the picture is set up before the shapes are drawn.
struct Scene {
    bool sharp = true;     // smoothing off, as the zones paint bars
    bool noisy = false;    // a background of every shade instead of white
    bool clipped = false;  // drawn through a clip rectangle
    wxPoint origin{0, 0};  // the device origin
};

// Paints on a fresh memory bitmap set up as scene says, and returns the picture.
wxImage paint(const Scene& scene, const std::function<void(wxDC&)>& draw)
{
    wxBitmap bitmap(kSize, kSize, 24);
    if (scene.noisy) {
        wxImage noise(kSize, kSize);
        uint32_t state = 99;
        for (int i = 0; i < kSize * kSize * 3; ++i) {
            state = state * 1664525u + 1013904223u;
            noise.GetData()[i] = static_cast<unsigned char>(state >> 24);
        }
        bitmap = wxBitmap(noise, 24);
    }
    wxMemoryDC dc(bitmap);
    if (!scene.noisy) {
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
    }
    if (scene.sharp && dc.GetGraphicsContext())
        dc.GetGraphicsContext()->SetAntialiasMode(wxANTIALIAS_NONE);
    dc.SetDeviceOrigin(scene.origin.x, scene.origin.y);
    if (scene.clipped)
        dc.SetClippingRegion(7, 5, 60, 77);
    draw(dc);
    dc.DestroyClippingRegion();
    dc.SelectObject(wxNullBitmap);
    return bitmap.ConvertToImage();
}

wxImage paint(bool sharp, const std::function<void(wxDC&)>& draw)
{
    Scene scene;
    scene.sharp = sharp;
    return paint(scene, draw);
}

// Number of pixels that differ.
int differences(const wxImage& a, const wxImage& b)
{
    int n = 0;
    for (int i = 0; i < kSize * kSize * 3; ++i) {
        n += a.GetData()[i] != b.GetData()[i];
    }
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
    Scene sharp, smooth, noisy, clipped;
    smooth.sharp = false;
    noisy.noisy = true;
    clipped.clipped = true;
    clipped.origin = wxPoint(3, -2);
    const struct {
        const char* name;
        Scene scene;
        wxPen outline;
        wxBrush fill;
        bool withPolygon;
        bool asPixels; // the batch goes straight into the picture's pixels
        bool mixed;    // also drawn with the shapes the context must draw
    } cases[] = {
        {"sharp, opaque pen", sharp, pen(*wxBLACK, 1), wxBrush(wxColour(200, 40, 40)), false, true, true},
        {"sharp, see-through fill", sharp, pen(wxColour(0, 80, 0), 1), wxBrush(wxColour(0, 160, 0, 192)), false, true,
         true},
        {"see-through fill on every shade", noisy, pen(wxColour(0, 80, 0), 1), wxBrush(wxColour(30, 160, 220, 192)),
         false, true, true},
        // The context's own batch outlines rectangles with such a pen one
        // pixel further in than it draws them one by one.
        {"hair-thin pen on every shade", noisy, pen(wxColour(90, 20, 20), 0), wxBrush(wxColour(250, 250, 0, 40)), false,
         true, false},
        {"clipped and shifted", clipped, pen(wxColour(10, 10, 120), 1), wxBrush(wxColour(240, 120, 0, 100)), false,
         true, true},
        {"sharp, no outline", sharp, *wxTRANSPARENT_PEN, wxBrush(wxColour(20, 20, 200)), false, true, true},
        {"sharp, polygons", sharp, pen(wxColour(100, 100, 60), 1), wxBrush(wxColour(230, 230, 190)), true, true, true},
        {"sharp, see-through pen", sharp, pen(wxColour(0, 0, 0, 128), 1), wxBrush(wxColour(200, 40, 40)), false, false,
         true},
        {"sharp, round ends", sharp, wxPen(*wxBLACK, 1), wxBrush(wxColour(200, 40, 40)), false, false, true},
        {"smooth, two-pixel pen", smooth, pen(*wxBLUE, 2), wxBrush(wxColour(250, 200, 0)), false, false, true},
    };
    auto straight = [](int x1, int y1, int x2, int y2) { return x1 == x2 || y1 == y2; };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Drawn one by one by the device context; straightOnly leaves out
        // the slanted line and the polygons.
        auto oneByOne = [&](bool straightOnly) {
            return paint(c.scene, [&](wxDC& dc) {
                dc.SetPen(c.outline);
                dc.SetBrush(c.fill);
                shapes([&](int x, int y, int w, int h) { dc.DrawRectangle(x, y, w, h); },
                       [&](int x1, int y1, int x2, int y2) {
                           if (!straightOnly || straight(x1, y1, x2, y2))
                               dc.DrawLine(x1, y1, x2, y2);
                       },
                       [&](int n, const wxPoint* p) {
                           if (c.withPolygon && !straightOnly)
                               dc.DrawPolygon(n, p, 0, 0, wxODDEVEN_RULE);
                       });
            });
        };
        if (c.mixed) {
            const wxImage batched = paint(c.scene, [&](wxDC& dc) {
                // Lines first, as the candles draw their wicks; the slanted
                // one with the rest, which the context draws.
                QxShapeBatch lines(dc), rest(dc);
                shapes([&](int x, int y, int w, int h) { rest.addRectangle(x, y, w, h); },
                       [&](int x1, int y1, int x2, int y2) {
                           (straight(x1, y1, x2, y2) ? lines : rest).addLine(x1, y1, x2, y2);
                       },
                       [&](int n, const wxPoint* p) {
                           if (c.withPolygon)
                               rest.addPolygon(n, p);
                       });
                EXPECT_EQ(lines.draw(c.outline), c.asPixels && c.outline.GetStyle() != wxPENSTYLE_TRANSPARENT);
                EXPECT_FALSE(rest.draw(c.outline, c.fill));
                EXPECT_TRUE(lines.empty() && rest.empty());
            });
            const wxImage single = oneByOne(false);
            EXPECT_EQ(differences(single, batched), 0);
            EXPECT_GT(differences(single, paint(c.scene, [](wxDC&) {})), 100) << "something was drawn";
        }
        if (c.withPolygon)
            continue;
        // Straight shapes alone go into the pixels where the pen and the
        // picture allow it.
        const wxImage batched = paint(c.scene, [&](wxDC& dc) {
            QxShapeBatch all(dc);
            shapes([&](int x, int y, int w, int h) { all.addRectangle(x, y, w, h); },
                   [&](int x1, int y1, int x2, int y2) {
                       if (straight(x1, y1, x2, y2))
                           all.addLine(x1, y1, x2, y2);
                   },
                   [](int, const wxPoint*) {});
            EXPECT_EQ(all.draw(c.outline, c.fill), c.asPixels);
        });
        EXPECT_EQ(differences(oneByOne(true), batched), 0) << "straight shapes only";
    }
}

TEST(DrawingBatch, SlicesFilledAsTheirUnionLookAsSlicesFilledEach)
{
    // A band of slices side by side, from one bar a pixel to bars far
    // apart, with edges steep, flat and crossing rows between the bars.
    const struct {
        const char* name;
        int step;
        Scene scene;
        wxPen outline;
        wxBrush fill;
    } cases[] = {
        {"bars a pixel apart, see-through fill", 1, Scene(), pen(wxColour(219, 219, 180), 0),
         wxBrush(wxColour(231, 231, 190, 192))},
        {"bars apart, see-through fill on every shade", 7, [] {
             Scene s;
             s.noisy = true;
             return s;
         }(),
         pen(wxColour(40, 0, 0), 0), wxBrush(wxColour(0, 200, 90, 192))},
        {"bars two pixels apart, opaque, clipped and shifted", 2, [] {
             Scene s;
             s.clipped = true;
             s.origin = wxPoint(3, -2);
             return s;
         }(),
         pen(*wxBLACK, 1), wxBrush(wxColour(200, 200, 0))},
        {"smoothed", 5, [] {
             Scene s;
             s.sharp = false;
             return s;
         }(),
         pen(wxColour(0, 0, 90), 0), wxBrush(wxColour(90, 90, 250, 192))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<wxPoint> lower, upper;
        uint32_t state = 5;
        for (int x = 4; x < kSize - 4; x += c.step) {
            state = state * 1664525u + 1013904223u;
            const int mid = 40 + int(state >> 27), width = 4 + int((state >> 20) & 31);
            lower.emplace_back(x, mid + width);
            upper.emplace_back(x, mid - width / 3);
        }
        auto slices = [&](auto&& each) {
            for (size_t i = 1; i < lower.size(); ++i) {
                const wxPoint quad[4] = {lower[i - 1], lower[i], upper[i], upper[i - 1]};
                each(quad);
            }
        };
        const wxImage each = paint(c.scene, [&](wxDC& dc) {
            QxShapeBatch batch(dc);
            slices([&](const wxPoint* quad) { batch.addPolygon(4, quad); });
            batch.draw(c.outline, c.fill);
        });
        const wxImage united = paint(c.scene, [&](wxDC& dc) {
            QxShapeBatch batch(dc);
            std::vector<wxPoint> area(lower);
            area.insert(area.end(), upper.rbegin(), upper.rend());
            batch.addArea(int(area.size()), area.data());
            slices([&](const wxPoint* quad) { batch.addOutline(4, quad); });
            batch.draw(c.outline, c.fill);
            EXPECT_TRUE(batch.empty());
        });
        EXPECT_EQ(differences(each, united), 0);
        EXPECT_GT(differences(each, paint(c.scene, [](wxDC&) {})), 1000) << "something was drawn";
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

TEST(DrawingBatch, CopiedLinesWrittenIntoThePixelsLookAsTheContextCopiesThem)
{
    // The line's picture copied by the graphics context, as the stamp does
    // where it cannot reach the pixels: painted into a transparent picture
    // with room for the pen all round, copied to each place.
    const auto contextCopies = [](wxDC& dc, const wxPen& pen, bool vertical, int length,
                                  const std::vector<wxPoint>& starts) {
        constexpr int margin = 3;
        const wxSize size = vertical ? wxSize(2 * margin + 1, length + 2 * margin + 1)
                                     : wxSize(length + 2 * margin + 1, 2 * margin + 1);
        wxImage image(size);
        image.InitAlpha();
        std::fill_n(image.GetAlpha(), size.x * size.y, 0);
        wxBitmap picture(image, 32);
        {
            wxMemoryDC line(picture);
            line.SetPen(pen);
            line.DrawLine(margin, margin, vertical ? margin : margin + length, vertical ? margin + length : margin);
        }
        wxGraphicsContext* gc = dc.GetGraphicsContext();
        const wxGraphicsBitmap copy = gc->CreateBitmap(picture);
        for (const wxPoint& from : starts)
            gc->DrawBitmap(copy, from.x - margin, from.y - margin, size.x, size.y);
    };
    Scene noisy, moved;
    noisy.sharp = moved.sharp = false;
    noisy.noisy = moved.noisy = moved.clipped = true;
    moved.origin = wxPoint(-4, 3);
    const std::vector<wxPoint> columns{{5, 6}, {37, 6}, {80, 6}, {-2, 0}}, rows{{3, 9}, {3, 50}, {3, 111}, {30, 118}};
    for (const wxPen& pen : {wxPen(*wxCYAN, 1, wxPENSTYLE_DOT), pen(wxColour(90, 0, 40), 1)})
        for (const Scene* scene : {&noisy, &moved}) {
            SCOPED_TRACE(testing::Message() << "style " << pen.GetStyle() << (scene == &moved ? ", clipped and shifted" : ""));
            const wxImage copied = paint(*scene, [&](wxDC& dc) {
                contextCopies(dc, pen, true, 100, columns);
                contextCopies(dc, pen, false, 90, rows);
            });
            const wxImage written = paint(*scene, [&](wxDC& dc) {
                QxLineStamp vertical, horizontal;
                vertical.draw(dc, pen, true, 100, columns);
                horizontal.draw(dc, pen, false, 90, rows);
            });
            EXPECT_EQ(differences(copied, written), 0);
            EXPECT_GT(differences(copied, paint(*scene, [](wxDC&) {})), 200) << "something was drawn";
        }
}

TEST(DrawingBatch, MarksPaintedIntoThePixelsLookAsTheDeviceContextDrawsThem)
{
    const wxBrushStyle styles[] = {wxBRUSHSTYLE_SOLID, wxBRUSHSTYLE_HORIZONTAL_HATCH, wxBRUSHSTYLE_VERTICAL_HATCH,
                                   wxBRUSHSTYLE_FDIAGONAL_HATCH, wxBRUSHSTYLE_BDIAGONAL_HATCH};
    const wxColour colours[] = {*wxGREEN, wxColour(200, 30, 90), wxColour(40, 40, 200, 150)};
    Scene noisy;
    noisy.noisy = true;
    for (const wxBrushStyle style : styles)
        for (const wxColour& colour : colours) {
            SCOPED_TRACE(testing::Message() << "style " << style << ", colour " << colour.GetAsString().ToStdString());
            auto marks = [&](auto&& mark) {
                int n = 0;
                for (int y = 3; y < 100; y += 23)
                    for (int x = 2; x < 100; x += 17, ++n)
                        mark(x + n % 3, y + n % 7, 9 + n % 4, 8 + (n * 5) % 13);
            };
            const wxImage drawn = paint(noisy, [&](wxDC& dc) {
                wxPen pen(colour, 1);
                pen.SetCap(wxCAP_BUTT);
                pen.SetJoin(wxJOIN_MITER);
                dc.SetPen(pen);
                dc.SetBrush(wxBrush(colour, style));
                marks([&](int x, int y, int w, int h) { dc.DrawEllipse(x, y, w, h); });
            });
            const wxImage written = paint(noisy, [&](wxDC& dc) {
                QxPixelTarget target(dc);
                ASSERT_TRUE(target.isOpen());
                const QxPixelBrush* brush = QxPixelBrush::of(wxBrush(colour, style), 1);
                const QxPixelPaint* pen = QxPixelPaint::of(colour);
                ASSERT_TRUE(brush && pen);
                marks([&](int x, int y, int w, int h) {
                    QxPixelMask fill, outline;
                    wxPen none(wxColour(255, 255, 255, 0), 1), white(*wxWHITE, 1);
                    for (wxPen* p : {&none, &white}) {
                        p->SetCap(wxCAP_BUTT);
                        p->SetJoin(wxJOIN_MITER);
                    }
                    ASSERT_TRUE(fill.make(wxSize(w + 4, h + 4), 2, [&](wxDC& mask) {
                        mask.SetPen(none);
                        mask.SetBrush(*wxWHITE_BRUSH);
                        mask.DrawEllipse(2, 2, w, h);
                    }));
                    ASSERT_TRUE(outline.make(wxSize(w + 4, h + 4), 2, [&](wxDC& mask) {
                        mask.SetPen(white);
                        mask.SetBrush(*wxTRANSPARENT_BRUSH);
                        mask.DrawEllipse(2, 2, w, h);
                    }));
                    target.fill(fill, x, y, *brush);
                    target.fill(outline, x, y, *pen);
                });
            });
            EXPECT_EQ(differences(drawn, written), 0);
        }
}
