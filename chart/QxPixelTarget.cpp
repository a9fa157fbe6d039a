#include "chart/QxPixelTarget.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/image.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#if defined(__WXGTK3__) && wxUSE_GRAPHICS_CONTEXT
#include <cairo.h>
#define QX_PIXELS_OF_CAIRO 1
#else
#define QX_PIXELS_OF_CAIRO 0
#endif

namespace {

bool whole(double v, int& out)
{
    if (!(std::fabs(v) < 1e9) || v != std::floor(v))
        return false;
    out = static_cast<int>(v);
    return true;
}

} // namespace

QxPixelTarget::QxPixelTarget(wxDC& dc)
{
#if QX_PIXELS_OF_CAIRO
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    if (!gc || gc->GetRenderer() != wxGraphicsRenderer::GetCairoRenderer() || dc.GetLogicalFunction() != wxCOPY ||
        gc->GetContentScaleFactor() != 1.0)
        return;
    cairo_t* cr = static_cast<cairo_t*>(gc->GetNativeContext());
    if (!cr || cairo_status(cr) != CAIRO_STATUS_SUCCESS || cairo_get_operator(cr) != CAIRO_OPERATOR_OVER)
        return;
    cairo_surface_t* surface = cairo_get_group_target(cr);
    // Only a picture without alpha: a fill's result over it depends on the
    // colour beneath alone.
    if (!surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(surface) != CAIRO_FORMAT_RGB24)
        return;
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    double offsetX = 0, offsetY = 0;
    cairo_surface_get_device_offset(surface, &offsetX, &offsetY);
    int dx = 0, dy = 0, ox = 0, oy = 0;
    if (m.xx != 1.0 || m.yy != 1.0 || m.xy != 0.0 || m.yx != 0.0 || !whole(m.x0, dx) || !whole(m.y0, dy) ||
        !whole(offsetX, ox) || !whole(offsetY, oy))
        return;
    const wxRect picture(0, 0, cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface));

    // The clip, in user coordinates, as rectangles of whole pixels.
    std::vector<Box> clip;
    cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(cr);
    bool representable = list && list->status == CAIRO_STATUS_SUCCESS;
    for (int i = 0; representable && i < list->num_rectangles; ++i) {
        const cairo_rectangle_t& r = list->rectangles[i];
        int x = 0, y = 0, w = 0, h = 0;
        if (!whole(r.x, x) || !whole(r.y, y) || !whole(r.width, w) || !whole(r.height, h)) {
            representable = false;
            break;
        }
        const wxRect inPicture = wxRect(x + dx + ox, y + dy + oy, w, h).Intersect(picture);
        if (!inPicture.IsEmpty())
            clip.push_back({inPicture.x, inPicture.y, inPicture.x + inPicture.width, inPicture.y + inPicture.height});
    }
    if (list)
        cairo_rectangle_list_destroy(list);
    if (!representable)
        return;

    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    if (!data)
        return;
    m_surface = cairo_surface_reference(surface);
    m_data = data;
    m_stride = cairo_image_surface_get_stride(surface);
    m_dx = dx + ox;
    m_dy = dy + oy;
    m_clip = std::move(clip);
#else
    (void)dc;
#endif
}

QxPixelTarget::~QxPixelTarget()
{
#if QX_PIXELS_OF_CAIRO
    if (!m_surface)
        return;
    if (!m_written.empty())
        cairo_surface_mark_dirty_rectangle(m_surface, m_written.left, m_written.top, m_written.right - m_written.left,
                                           m_written.bottom - m_written.top);
    cairo_surface_destroy(m_surface);
#endif
}

void QxPixelTarget::fill(int left, int top, int right, int bottom, const QxPixelPaint& paint)
{
    if (!m_data)
        return;
    eachPart(left, top, right, bottom, [&](const Box& r) {
        wrote(r);
        for (int y = r.top; y < r.bottom; ++y) {
            uint32_t* p = row(y);
            if (paint.isOpaque()) {
                std::fill(p + r.left, p + r.right, paint.solid());
            } else {
                for (int x = r.left; x < r.right; ++x)
                    p[x] = paint.over(p[x]);
            }
        }
    });
}

bool QxPixelTarget::inClip(int x, int y) const
{
    bool in = false;
    eachPart(x, y, x + 1, y + 1, [&](const Box&) { in = true; });
    return in;
}

uint32_t QxPixelTarget::pixel(int x, int y) const
{
    uint32_t value = 0;
    eachPart(x, y, x + 1, y + 1, [&](const Box& r) { value = row(r.top)[r.left]; });
    return value;
}

void QxPixelTarget::setPixel(int x, int y, uint32_t value)
{
    eachPart(x, y, x + 1, y + 1, [&](const Box& r) {
        wrote(r);
        row(r.top)[r.left] = value;
    });
}

void QxPixelTarget::fill(const QxPixelMask& mask, int x, int y, const QxPixelPaint& paint)
{
    if (!m_data)
        return;
    if (holding(mask, x, y)) {
        // Wholly within one clip rectangle (most marks): no run is cut.
        const int dx = x + m_dx, dy = y + m_dy;
        wrote({dx + mask.left(), dy + mask.top(), dx + mask.right(), dy + mask.bottom()});
        for (const QxPixelMask::Run& run : mask.runs()) {
            uint32_t* p = row(dy + run.y);
            if (paint.isOpaque()) {
                std::fill(p + dx + run.left, p + dx + run.right, paint.solid());
            } else {
                for (int px = dx + run.left; px < dx + run.right; ++px)
                    p[px] = paint.over(p[px]);
            }
        }
        return;
    }
    for (const QxPixelMask::Run& run : mask.runs())
        fill(x + run.left, y + run.y, x + run.right, y + run.y + 1, paint);
}

void QxPixelTarget::fill(const QxPixelMask& mask, int x, int y, const QxPixelBrush& brush)
{
    if (!m_data)
        return;
    constexpr int period = QxPixelBrush::kPeriod;
    if (brush.isSolid() && holding(mask, x, y)) {
        fill(mask, x, y, brush.at(0, 0));
        return;
    }
    if (brush.isCut() && holding(mask, x, y)) {
        // Only the hatch's lines are written, column by column of the
        // period; the gaps keep what lies beneath.
        wrote({x + m_dx + mask.left(), y + m_dy + mask.top(), x + m_dx + mask.right(), y + m_dy + mask.bottom()});
        for (const QxPixelMask::Run& run : mask.runs()) {
            uint32_t* p = row(y + run.y + m_dy) + m_dx;
            const int from = x + run.left, to = x + run.right;
            const int phase = ((from % period) + period) % period;
            for (const QxPixelBrush::Line& line : brush.linesOfRow(y + run.y))
                for (int lx = from + (line.column - phase + period) % period; lx < to; lx += period)
                    p[lx] = line.pixel;
        }
        return;
    }
    if (!brush.isSolid() && holding(mask, x, y)) {
        // Wholly within one clip rectangle: each run's pixels through the
        // hatch cells of its row, the gaps of the hatch left alone.
        const int dx = x + m_dx, dy = y + m_dy;
        wrote({dx + mask.left(), dy + mask.top(), dx + mask.right(), dy + mask.bottom()});
        for (const QxPixelMask::Run& run : mask.runs()) {
            uint32_t* p = row(dy + run.y);
            const QxPixelPaint* cells = &brush.at(0, y + run.y);
            const int lx = x + run.left;
            int cx = ((lx % period) + period) % period;
            for (int px = dx + run.left; px < dx + run.right; ++px) {
                const QxPixelPaint& cell = cells[cx];
                if (cell.isOpaque())
                    p[px] = cell.solid();
                else if (!cell.isClear())
                    p[px] = cell.over(p[px]);
                if (++cx == period)
                    cx = 0;
            }
        }
        return;
    }
    for (const QxPixelMask::Run& run : mask.runs())
        eachPart(x + run.left, y + run.y, x + run.right, y + run.y + 1, [&](const Box& r) {
            wrote(r);
            uint32_t* p = row(r.top);
            // The hatch goes by logical coordinates.
            const int ly = r.top - m_dy;
            int lx = r.left - m_dx;
            if (brush.isSolid()) {
                const QxPixelPaint& paint = brush.at(lx, ly);
                for (int px = r.left; px < r.right; ++px)
                    p[px] = paint.over(p[px]);
                return;
            }
            const QxPixelPaint* cells = &brush.at(0, ly);
            int cx = ((lx % period) + period) % period;
            for (int px = r.left; px < r.right; ++px) {
                p[px] = cells[cx].over(p[px]);
                if (++cx == period)
                    cx = 0;
            }
        });
}

bool QxPixelMask::read(wxDC& dc, const wxSize& size, int margin)
{
    QxPixelTarget pixels(dc);
    if (!pixels.isOpen())
        return false;
    std::vector<uint32_t> picture(size_t(size.x) * size_t(size.y));
    pixels.copy(wxRect(wxPoint(0, 0), size), picture.data());
    for (int y = 0; y < size.y; ++y)
        for (int x = 0; x < size.x;) {
            if (!picture[size_t(y) * size.x + x]) {
                ++x;
                continue;
            }
            const int left = x;
            while (x < size.x && picture[size_t(y) * size.x + x])
                ++x;
            m_runs.push_back({y - margin, left - margin, x - margin});
        }
    bound();
    return true;
}

void QxPixelMask::subtract(const QxPixelMask& other)
{
    // Both lists run row by row, left to right, without overlaps.
    std::vector<Run> kept;
    auto cut = other.m_runs.begin();
    for (const Run& run : m_runs) {
        while (cut != other.m_runs.end() && (cut->y < run.y || (cut->y == run.y && cut->right <= run.left)))
            ++cut;
        int left = run.left;
        for (auto c = cut; c != other.m_runs.end() && c->y == run.y && c->left < run.right; ++c) {
            if (c->left > left)
                kept.push_back({run.y, left, c->left});
            left = std::max(left, c->right);
        }
        if (left < run.right)
            kept.push_back({run.y, left, run.right});
    }
    m_runs = std::move(kept);
    bound();
}

void QxPixelMask::bound()
{
    m_left = m_top = m_right = m_bottom = 0;
    if (!m_runs.empty()) {
        m_left = m_runs.front().left, m_right = m_runs.front().right;
        m_top = m_runs.front().y, m_bottom = m_runs.back().y + 1;
        for (const Run& run : m_runs)
            m_left = std::min(m_left, run.left), m_right = std::max(m_right, run.right);
    }
}

bool QxPixelTarget::showsOnly(const wxRect& box, uint32_t rgb) const
{
    bool only = true;
    eachPart(box, [&](const Box& r) {
        for (int y = r.top; only && y < r.bottom; ++y) {
            const uint32_t* p = row(y);
            for (int x = r.left; x < r.right; ++x)
                if ((p[x] & 0xFFFFFFu) != rgb) {
                    only = false;
                    break;
                }
        }
    });
    return only;
}

void QxPixelTarget::paste(const wxRect& box, const uint32_t* pixels, uint32_t skip)
{
    const int left = box.x + m_dx, top = box.y + m_dy;
    eachPart(box, [&](const Box& r) {
        wrote(r);
        for (int y = r.top; y < r.bottom; ++y) {
            uint32_t* p = row(y);
            const uint32_t* from = pixels + size_t(y - top) * size_t(box.width) - left;
            for (int x = r.left; x < r.right; ++x)
                if (from[x] != skip)
                    p[x] = 0xFF000000u | from[x];
        }
    });
}

void QxPixelTarget::paste(const wxRect& box, const std::vector<PaintedPixel>& pixels, const QxPixelPaint* paints)
{
    const int left = box.x + m_dx, top = box.y + m_dy;
    // The clip rectangles do not overlap: each pixel lies in one at most.
    eachPart(box, [&](const Box& r) {
        wrote(r);
        const bool whole = r.left == left && r.top == top && r.right == left + box.width && r.bottom == top + box.height;
        for (const PaintedPixel& pixel : pixels) {
            const int x = left + pixel.x, y = top + pixel.y;
            if (whole || (x >= r.left && x < r.right && y >= r.top && y < r.bottom)) {
                uint32_t& p = row(y)[x];
                p = paints[pixel.paint].over(p);
            }
        }
    });
}

bool QxPixelTarget::drawOpaqueBitmap(const wxBitmap& bitmap, int x, int y)
{
    if (!m_data || !bitmap.IsOk() || bitmap.GetMask() || bitmap.HasAlpha() || bitmap.GetDepth() != 24)
        return false;
    // Legends and the like: a few pictures painted again and again.  Each
    // is kept with the bitmap it came from, so no other bitmap can take the
    // place of its data.
    struct Kept {
        wxBitmap bitmap;
        std::vector<uint32_t> pixels;
    };
    static std::vector<Kept> kept;
    const Kept* found = nullptr;
    for (const Kept& k : kept)
        if (k.bitmap.GetRefData() == bitmap.GetRefData()) {
            found = &k;
            break;
        }
    if (!found) {
        const wxImage image = bitmap.ConvertToImage();
        if (!image.IsOk() || image.HasAlpha() || image.HasMask())
            return false;
        if (kept.size() >= 64)
            kept.clear();
        Kept k{bitmap, std::vector<uint32_t>(size_t(image.GetWidth()) * size_t(image.GetHeight()))};
        const unsigned char* rgb = image.GetData();
        for (size_t i = 0; i < k.pixels.size(); ++i, rgb += 3)
            k.pixels[i] = uint32_t(rgb[0]) << 16 | uint32_t(rgb[1]) << 8 | rgb[2];
        kept.push_back(std::move(k));
        found = &kept.back();
    }
    // 0xFF000000 is no pixel of the copy: every pixel is pasted.
    paste(wxRect(x, y, bitmap.GetWidth(), bitmap.GetHeight()), found->pixels.data(), 0xFF000000u);
    return true;
}

void QxPixelTarget::copy(const wxRect& box, uint32_t* pixels) const
{
    std::fill_n(pixels, size_t(box.width) * size_t(box.height), 0u);
    const int left = box.x + m_dx, top = box.y + m_dy;
    eachPart(box, [&](const Box& r) {
        for (int y = r.top; y < r.bottom; ++y) {
            const uint32_t* p = row(y);
            uint32_t* to = pixels + size_t(y - top) * size_t(box.width) - left;
            for (int x = r.left; x < r.right; ++x)
                to[x] = p[x] & 0xFFFFFFu;
        }
    });
}

// ---------------------------------------------------------------------------

namespace {

unsigned g_keptGeneration = 0;

// The paints a brush leaves over every grey, for each pixel of a square of
// period pixels from the origin: a fill by the device context of a picture
// whose columns run through the greys, period columns each.
bool measure(const wxBrush& brush, const wxPen& pen, int period, std::vector<QxPixelPaint>& cells,
             void (*take)(QxPixelPaint&, int grey, uint32_t pixel))
{
    // Two periods each way, so that the repetition is seen, not assumed.
    const int reach = 2 * period;
    wxBitmap picture(256 * reach, reach, 24);
    wxMemoryDC dc(picture);
    {
        QxPixelTarget greys(dc);
        if (!greys.isOpen())
            return false;
        for (int y = 0; y < reach; ++y)
            for (int x = 0; x < 256 * reach; ++x)
                greys.setPixel(x, y, 0xFF000000u | uint32_t(x / reach) * 0x010101u);
    }
    // Filled as the device context fills polygons and ellipses: under a
    // pen of odd width it lays them, and their hatch, half a pixel over
    // (rectangles it fills apart).
    dc.SetPen(pen);
    dc.SetBrush(brush);
    const wxPoint all[4] = {{-1, -1}, {256 * reach + 1, -1}, {256 * reach + 1, reach + 1}, {-1, reach + 1}};
    dc.DrawPolygon(4, all);
    QxPixelTarget filled(dc);
    if (!filled.isOpen())
        return false;
    cells.assign(size_t(period) * size_t(period), QxPixelPaint());
    for (int y = 0; y < reach; ++y)
        for (int x = 0; x < 256 * reach; ++x) {
            const int grey = x / reach, cx = (x % reach) % period, cy = y % period;
            const uint32_t pixel = filled.pixel(x, y);
            if ((x % reach) >= period || y >= period) {
                // The second period must repeat the first.
                const uint32_t first = filled.pixel(grey * reach + cx, cy);
                if ((pixel & 0xFFFFFFu) != (first & 0xFFFFFFu))
                    return false;
                continue;
            }
            take(cells[size_t(cy) * period + cx], grey, pixel);
        }
    return true;
}

} // namespace

unsigned QxPixelPaint::keptGeneration() { return g_keptGeneration; }

const QxPixelPaint* QxPixelPaint::of(const wxColour& colour)
{
    if (!colour.IsOk())
        return nullptr;
    // A chart has a handful of colours; a long-running program that went
    // through many starts the list again.
    static std::vector<std::pair<wxColour, std::unique_ptr<QxPixelPaint>>> made;
    for (const auto& [c, paint] : made)
        if (c == colour)
            return paint.get();
    if (made.size() >= 256) {
        made.clear();
        ++g_keptGeneration;
    }

    std::vector<QxPixelPaint> cells;
    if (!QxPixelPaint::measureInto(wxBrush(colour, wxBRUSHSTYLE_SOLID), *wxTRANSPARENT_PEN, 1, cells))
        return nullptr;
    auto paint = std::make_unique<QxPixelPaint>(cells[0]);
    made.emplace_back(colour, std::move(paint));
    return made.back().second.get();
}

void QxPixelPaint::take(QxPixelPaint& paint, int grey, uint32_t pixel)
{
    paint.m_red[grey] = uint8_t(pixel >> 16);
    paint.m_green[grey] = uint8_t(pixel >> 8);
    paint.m_blue[grey] = uint8_t(pixel);
    if (grey != 255)
        return;
    // The last grey completes the tables.
    auto constant = [](const std::array<uint8_t, 256>& t) {
        return std::all_of(t.begin(), t.end(), [&](uint8_t v) { return v == t[0]; });
    };
    paint.m_solid = 0xFF000000u | uint32_t(paint.m_red[0]) << 16 | uint32_t(paint.m_green[0]) << 8 |
                    uint32_t(paint.m_blue[0]);
    paint.m_opaque = constant(paint.m_red) && constant(paint.m_green) && constant(paint.m_blue);
    auto identity = [](const std::array<uint8_t, 256>& t) {
        for (int g = 0; g < 256; ++g)
            if (t[size_t(g)] != g)
                return false;
        return true;
    };
    paint.m_clear = identity(paint.m_red) && identity(paint.m_green) && identity(paint.m_blue);
}

bool QxPixelPaint::ofPicture(wxGraphicsContext* gc, const wxGraphicsBitmap& picture, std::vector<uint8_t>& indices,
                             std::vector<QxPixelPaint>& paints)
{
    indices.clear();
    paints.clear();
#if QX_PIXELS_OF_CAIRO
    if (!gc || gc->GetRenderer() != wxGraphicsRenderer::GetCairoRenderer() || picture.IsNull())
        return false;
    // The picture's own pixels, premultiplied, as the context copies them.
    auto* surface = static_cast<cairo_surface_t*>(picture.GetNativeBitmap());
    if (!surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32)
        return false;
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    if (!data || width <= 0 || height <= 0)
        return false;
    std::vector<uint32_t> values; // the distinct pixels that are not wholly transparent
    indices.resize(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < width; ++x) {
            uint8_t& index = indices[size_t(y) * size_t(width) + size_t(x)];
            if ((row[x] >> 24) == 0 && (row[x] & 0xFFFFFFu) == 0) {
                index = kNoPaint;
                continue;
            }
            const auto found = std::find(values.begin(), values.end(), row[x]);
            if (found == values.end() && values.size() >= kNoPaint) {
                indices.clear();
                return false;
            }
            index = uint8_t(found - values.begin());
            if (found == values.end())
                values.push_back(row[x]);
        }
    }
    if (values.empty())
        return true;

    // A row of each value over a picture whose columns run through the
    // greys, copied by the context as it copies the picture.
    const int rows = int(values.size());
    cairo_surface_t* swatch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 256, rows);
    if (cairo_surface_status(swatch) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(swatch);
        indices.clear();
        return false;
    }
    cairo_surface_flush(swatch);
    for (int y = 0; y < rows; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(swatch) +
                                                    size_t(y) * size_t(cairo_image_surface_get_stride(swatch)));
        std::fill(row, row + 256, values[size_t(y)]);
    }
    cairo_surface_mark_dirty(swatch);
    wxBitmap greys(256, rows, 24);
    bool ok = false;
    {
        wxMemoryDC dc(greys);
        QxPixelTarget target(dc);
        if (target.isOpen()) {
            for (int y = 0; y < rows; ++y)
                for (int x = 0; x < 256; ++x)
                    target.setPixel(x, y, 0xFF000000u | uint32_t(x) * 0x010101u);
        }
        ok = target.isOpen();
    }
    if (ok) {
        wxMemoryDC dc(greys);
        wxGraphicsContext* into = dc.GetGraphicsContext();
        // The context's bitmap takes over the reference it is given.
        const wxGraphicsBitmap copy =
            into ? into->GetRenderer()->CreateBitmapFromNativeBitmap(cairo_surface_reference(swatch)) : wxGraphicsBitmap();
        ok = into && !copy.IsNull();
        if (ok) {
            into->DrawBitmap(copy, 0, 0, 256, rows);
            QxPixelTarget copied(dc);
            ok = copied.isOpen();
            paints.assign(values.size(), QxPixelPaint());
            for (int y = 0; ok && y < rows; ++y)
                for (int x = 0; x < 256; ++x)
                    take(paints[size_t(y)], x, copied.pixel(x, y));
        }
    }
    cairo_surface_destroy(swatch);
    if (!ok) {
        indices.clear();
        paints.clear();
    }
    return ok;
#else
    (void)gc;
    (void)picture;
    return false;
#endif
}

bool QxPixelPaint::measureInto(const wxBrush& brush, const wxPen& pen, int period, std::vector<QxPixelPaint>& cells)
{
    return measure(brush, pen, period, cells, &QxPixelPaint::take);
}

const QxPixelBrush* QxPixelBrush::of(const wxBrush& brush, int penWidth)
{
    if (!brush.IsOk() || penWidth < 0)
        return nullptr;
    const bool solid = brush.GetStyle() == wxBRUSHSTYLE_SOLID;
    if (!solid && !brush.IsHatch())
        return nullptr;
    struct Made {
        wxBrushStyle style;
        wxColour colour;
        int penWidth;
        std::unique_ptr<QxPixelBrush> paint;
    };
    static std::vector<Made> made;
    for (const Made& m : made)
        if (m.style == brush.GetStyle() && m.colour == brush.GetColour() && m.penWidth == penWidth)
            return m.paint.get();
    if (made.size() >= 64) {
        made.clear();
        ++g_keptGeneration;
    }
    auto paint = std::make_unique<QxPixelBrush>();
    // A pen that leaves nothing itself, of the width the shapes are drawn with.
    const wxPen pen = penWidth > 0 ? wxPen(wxColour(0, 0, 0, 0), penWidth, wxPENSTYLE_SOLID) : *wxTRANSPARENT_PEN;
    if (!QxPixelPaint::measureInto(brush, pen, solid ? 1 : kPeriod, paint->m_cells))
        return nullptr;
    paint->cut();
    made.push_back({brush.GetStyle(), brush.GetColour(), penWidth, std::move(paint)});
    return made.back().paint.get();
}

void QxPixelBrush::cut()
{
    m_cut = m_cells.size() == size_t(kPeriod) * kPeriod;
    for (const QxPixelPaint& cell : m_cells)
        m_cut = m_cut && (cell.isOpaque() || cell.isClear());
    if (!m_cut)
        return;
    for (int cy = 0; cy < kPeriod; ++cy)
        for (int cx = 0; cx < kPeriod; ++cx) {
            const QxPixelPaint& cell = m_cells[size_t(cy) * kPeriod + cx];
            if (cell.isOpaque())
                m_lines[size_t(cy)].push_back({cx, cell.solid()});
        }
}
