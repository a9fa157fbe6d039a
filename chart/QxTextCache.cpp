#include "chart/QxTextCache.h"

#include "chart/QxPixelTarget.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/hashmap.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace {

// A painted text over one background: the box around every pixel its
// glyphs touch, relative to the text's position, and the pixels it gave.
struct Stamp {
    uint32_t background = 0;
    wxRect box;
    std::vector<uint32_t> pixels; // the box, row by row
    bool usable = false;
};

// Beyond this many kept texts everything starts again: a chart paints a
// few dozen, scrolling through years of history a few thousand.
constexpr size_t kMaxTexts = 4096;
// Backgrounds kept for one text and colour.
constexpr size_t kMaxBackgrounds = 4;

struct StampKey {
    wxString text;
    uint32_t colour;
    wxAntialiasMode smoothing;
    bool operator==(const StampKey& o) const
    {
        return colour == o.colour && smoothing == o.smoothing && text == o.text;
    }
};
struct StampKeyHash {
    size_t operator()(const StampKey& k) const { return wxStringHash()(k.text) ^ (size_t(k.colour) * 31u + k.smoothing); }
};

// What is kept for one font on one kind of device context.
struct Texts {
    wxFont font;
    wxClassInfo* deviceClass = nullptr;
    int charHeight = -1;
    int charWidth = -1;
    std::unordered_map<wxString, wxSize, wxStringHash, wxStringEqual> extents;
    std::unordered_map<StampKey, std::vector<Stamp>, StampKeyHash> stamps;
};

// A font object met before and the texts of the font it equals.  Each
// holds its font, so no other font can take the place of its data.
struct Alias {
    wxFont font;
    wxClassInfo* deviceClass;
    Texts* texts;
};

struct Kept {
    std::vector<std::unique_ptr<Texts>> texts;
    std::vector<Alias> aliases;
    size_t count = 0;
    size_t copied = 0;
};

Kept& kept()
{
    static Kept k;
    return k;
}

// Whether measures and pictures of texts taken on dc hold for every dc of
// its kind: unscaled, through a graphics context.  A device context
// without a font of its own measures in its default one.
bool cacheable(const wxDC& dc)
{
    if (!dc.IsOk() || !dc.GetGraphicsContext() || dc.GetGraphicsContext()->GetContentScaleFactor() != 1.0)
        return false;
    double ux = 0, uy = 0, lx = 0, ly = 0;
    dc.GetUserScale(&ux, &uy);
    dc.GetLogicalScale(&lx, &ly);
    return ux == 1.0 && uy == 1.0 && lx == 1.0 && ly == 1.0;
}

Texts* textsFor(const wxDC& dc)
{
    if (!cacheable(dc))
        return nullptr;
    const wxFont& font = dc.GetFont();
    wxClassInfo* deviceClass = dc.GetImpl() ? dc.GetImpl()->GetClassInfo() : dc.GetClassInfo();
    Kept& k = kept();
    // Mostly a font object met before (a copy shares its data), so the
    // costly comparison of fonts runs once per font object.
    for (const Alias& a : k.aliases)
        if (a.font.GetRefData() == font.GetRefData() && a.deviceClass == deviceClass)
            return a.texts;
    if (k.aliases.size() >= 256)
        QxTextCache::clear();
    Texts* texts = nullptr;
    for (const auto& t : k.texts)
        if (t->deviceClass == deviceClass && t->font.IsOk() == font.IsOk() && (!font.IsOk() || t->font == font)) {
            texts = t.get();
            break;
        }
    if (!texts) {
        k.texts.push_back(std::make_unique<Texts>());
        texts = k.texts.back().get();
        texts->font = font;
        texts->deviceClass = deviceClass;
    }
    k.aliases.push_back({font, deviceClass, texts});
    return texts;
}

// Everything starts again before a call takes hold of what is kept, never
// while it holds it.
void startAgainWhenFull()
{
    if (kept().count > kMaxTexts)
        QxTextCache::clear();
}

// The text painted as dc would over background, in a picture of the same
// kind, with the pixels its glyphs touch: those that differ from the
// background there or over a second, far-off background.
Stamp makeStamp(const Texts& texts, const wxString& text, const wxColour& colour, wxAntialiasMode smoothing,
                uint32_t background, const wxSize& extent)
{
    Stamp stamp;
    stamp.background = background;
    // Room for glyphs that reach out of the measured box.
    const int margin = std::max(4, extent.y);
    const wxSize size(extent.x + 2 * margin, extent.y + 2 * margin);
    auto paint = [&](uint32_t under, std::vector<uint32_t>& out) {
        wxBitmap picture(size.x, size.y, 24);
        wxMemoryDC dc(picture);
        if (!dc.IsOk() || !dc.GetGraphicsContext())
            return false;
        dc.SetBackground(wxBrush(wxColour((under >> 16) & 0xFF, (under >> 8) & 0xFF, under & 0xFF)));
        dc.Clear();
        dc.GetGraphicsContext()->SetAntialiasMode(smoothing);
        dc.SetFont(texts.font);
        dc.SetTextForeground(colour);
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        dc.DrawText(text, margin, margin);
        QxPixelTarget pixels(dc);
        if (!pixels.isOpen())
            return false;
        out.resize(size_t(size.x) * size_t(size.y));
        pixels.copy(wxRect(wxPoint(0, 0), size), out.data());
        return true;
    };
    std::vector<uint32_t> over, overOther;
    const uint32_t other = background ^ 0x808080u;
    if (!paint(background, over) || !paint(other, overOther))
        return stamp;
    int left = size.x, top = size.y, right = -1, bottom = -1;
    for (int y = 0; y < size.y; ++y)
        for (int x = 0; x < size.x; ++x) {
            const size_t i = size_t(y) * size.x + x;
            if (over[i] == background && overOther[i] == other)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    if (right < 0)
        return stamp; // nothing to see: no pixels to copy either
    // One pixel of background all round; touched pixels on the picture's
    // edge may have had neighbours cut off.
    --left, --top, ++right, ++bottom;
    if (left < 0 || top < 0 || right >= size.x || bottom >= size.y)
        return stamp;
    stamp.box = wxRect(left - margin, top - margin, right - left + 1, bottom - top + 1);
    stamp.pixels.reserve(size_t(stamp.box.width) * size_t(stamp.box.height));
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            stamp.pixels.push_back(over[size_t(y) * size.x + x]);
    stamp.usable = true;
    return stamp;
}

// Copies stamp to (x, y) when every pixel of its box in the clip shows its
// background; false otherwise.
bool paste(QxPixelTarget& target, const Stamp& stamp, int x, int y)
{
    if (!stamp.usable)
        return false;
    const wxRect box(stamp.box.x + x, stamp.box.y + y, stamp.box.width, stamp.box.height);
    if (!target.showsOnly(box, stamp.background))
        return false;
    target.paste(box, stamp.pixels.data(), stamp.background);
    ++kept().copied;
    return true;
}

} // namespace

wxSize QxTextCache::extent(wxDC& dc, const wxString& text)
{
    startAgainWhenFull();
    Texts* texts = textsFor(dc);
    if (!texts)
        return dc.GetTextExtent(text);
    const auto it = texts->extents.find(text);
    if (it != texts->extents.end())
        return it->second;
    const wxSize size = dc.GetTextExtent(text);
    texts->extents.emplace(text, size);
    ++kept().count;
    return size;
}

int QxTextCache::charHeight(wxDC& dc)
{
    startAgainWhenFull();
    Texts* texts = textsFor(dc);
    if (!texts)
        return dc.GetCharHeight();
    if (texts->charHeight < 0)
        texts->charHeight = dc.GetCharHeight();
    return texts->charHeight;
}

int QxTextCache::charWidth(wxDC& dc)
{
    startAgainWhenFull();
    Texts* texts = textsFor(dc);
    if (!texts)
        return dc.GetCharWidth();
    if (texts->charWidth < 0)
        texts->charWidth = dc.GetCharWidth();
    return texts->charWidth;
}

void QxTextCache::draw(wxDC& dc, const wxString& text, int x, int y)
{
    const wxSize size = extent(dc, text);
    Texts* texts = textsFor(dc);
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    if (!texts || !gc || text.empty() || text.find('\n') != wxString::npos ||
        dc.GetBackgroundMode() != wxBRUSHSTYLE_TRANSPARENT) {
        dc.DrawText(text, x, y);
        return;
    }
    QxPixelTarget target(dc);
    if (!target.isOpen()) {
        dc.DrawText(text, x, y);
        return;
    }
    const wxColour colour = dc.GetTextForeground();
    const StampKey key{text, colour.GetRGBA(), gc->GetAntialiasMode()};
    std::vector<Stamp>& stamps = texts->stamps[key];
    for (const Stamp& stamp : stamps)
        if (paste(target, stamp, x, y))
            return;
    // A new background: what lies at the text's corner.
    if (stamps.size() < kMaxBackgrounds && target.inClip(x, y)) {
        stamps.push_back(makeStamp(*texts, text, colour, key.smoothing, target.pixel(x, y) & 0xFFFFFFu, size));
        ++kept().count;
        if (paste(target, stamps.back(), x, y))
            return;
    }
    dc.DrawText(text, x, y);
}

void QxTextCache::drawLabel(wxDC& dc, const wxString& text, const wxRect& rect, int alignment)
{
    if (text.empty() || text.find('\n') != wxString::npos) {
        dc.DrawLabel(text, rect, alignment);
        return;
    }
    // Placed as the device context places one line in the box.
    const wxSize size = extent(dc, text);
    int x = rect.GetLeft(), y = rect.GetTop();
    if (alignment & wxALIGN_RIGHT)
        x = rect.GetRight() - size.x + 1;
    else if (alignment & wxALIGN_CENTRE_HORIZONTAL)
        x = (rect.GetLeft() + rect.GetRight() + 1 - size.x) / 2;
    if (alignment & wxALIGN_BOTTOM)
        y = rect.GetBottom() - size.y + 1;
    else if (alignment & wxALIGN_CENTRE_VERTICAL)
        y = (rect.GetTop() + rect.GetBottom() + 1 - size.y) / 2;
    draw(dc, text, x, y);
}

void QxTextCache::clear()
{
    Kept& k = kept();
    k.aliases.clear();
    k.texts.clear();
    k.count = 0;
}

size_t QxTextCache::copiedCount()
{
    return kept().copied;
}
