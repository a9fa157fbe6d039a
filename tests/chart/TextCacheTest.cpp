// Texts measured and painted from what earlier paints made of them must
// give the measures and the pixels the device context gives, wherever the
// texts land.
#include "chart/QxTextCache.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/image.h>

#include <functional>

namespace {

constexpr int kWidth = 260;
constexpr int kHeight = 150;

// A picture with a plain top half and a bottom half of every shade.
wxImage paint(const std::function<void(wxDC&)>& draw)
{
    wxImage start(kWidth, kHeight);
    uint32_t state = 7;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            state = state * 1664525u + 1013904223u;
            const unsigned char v = y < kHeight / 2 ? 250 : static_cast<unsigned char>(state >> 24);
            start.SetRGB(x, y, v, y < kHeight / 2 ? 245 : v, v);
        }
    wxBitmap bitmap(start, 24);
    wxMemoryDC dc(bitmap);
    draw(dc);
    dc.SelectObject(wxNullBitmap);
    return bitmap.ConvertToImage();
}

int differences(const wxImage& a, const wxImage& b)
{
    int n = 0;
    for (int i = 0; i < kWidth * kHeight * 3; ++i)
        n += a.GetData()[i] != b.GetData()[i];
    return n;
}

} // namespace

TEST(TextCache, TextsLookAsTheDeviceContextDrawsThemWhereverTheyLand)
{
    const wxFont fonts[] = {wxFont(9, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD),
                            wxFont(15, wxFONTFAMILY_ROMAN, wxFONTSTYLE_ITALIC, wxFONTWEIGHT_NORMAL)};
    const int alignments[] = {wxALIGN_LEFT | wxALIGN_TOP, wxALIGN_RIGHT | wxALIGN_BOTTOM,
                              wxALIGN_CENTRE_HORIZONTAL | wxALIGN_CENTRE_VERTICAL, wxALIGN_RIGHT | wxALIGN_TOP,
                              wxALIGN_CENTRE_HORIZONTAL | wxALIGN_BOTTOM};
    const wxString texts[] = {"+12.75", "2014-12", "VOLUME", "Wy&fj", ""};
    // Boxes on the plain half, across a line drawn first, across the edge
    // of the shaded half, and through a clip.
    auto scene = [&](wxDC& dc, auto&& label) {
        dc.SetPen(wxPen(*wxBLUE, 1));
        dc.DrawLine(0, 40, kWidth, 40);
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        int i = 0;
        for (const wxFont& font : fonts) {
            dc.SetFont(font);
            for (const int alignment : alignments)
                for (const wxString& text : texts) {
                    dc.SetTextForeground(i % 3 ? wxColour(20, 20, 120) : wxColour(200, 0, 0, 160));
                    const wxRect box(7 + (i * 37) % 200, 2 + (i * 11) % 130, 50, 20);
                    if (i % 5 == 4)
                        dc.SetClippingRegion(box.x + 4, box.y, 20, 14);
                    label(text, box, alignment);
                    if (i % 5 == 4)
                        dc.DestroyClippingRegion();
                    ++i;
                }
        }
    };
    QxTextCache::clear();
    const wxImage drawn =
        paint([&](wxDC& dc) { scene(dc, [&](const wxString& t, const wxRect& r, int a) { dc.DrawLabel(t, r, a); }); });
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "first paint" : "from what the first kept");
        const size_t copiedBefore = QxTextCache::copiedCount();
        const wxImage cached = paint([&](wxDC& dc) {
            scene(dc, [&](const wxString& t, const wxRect& r, int a) { QxTextCache::drawLabel(dc, t, r, a); });
        });
        EXPECT_EQ(differences(drawn, cached), 0);
        EXPECT_GE(QxTextCache::copiedCount(), copiedBefore + 5) << "texts on the plain half are copied";
    }

    // Measures, with and without a font of the device context's own.
    wxBitmap bitmap(10, 10, 24);
    wxMemoryDC dc(bitmap);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(QxTextCache::charHeight(dc), dc.GetCharHeight());
        EXPECT_EQ(QxTextCache::charWidth(dc), dc.GetCharWidth());
        for (const wxString& text : texts)
            EXPECT_EQ(QxTextCache::extent(dc, text), dc.GetTextExtent(text)) << text;
        dc.SetFont(fonts[1]);
    }
}
