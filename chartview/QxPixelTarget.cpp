#include "chartview/QxPixelTarget.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>

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
    std::vector<wxRect> clip;
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
            clip.push_back(inPicture);
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
    if (!m_written.IsEmpty())
        cairo_surface_mark_dirty_rectangle(m_surface, m_written.x, m_written.y, m_written.width, m_written.height);
    cairo_surface_destroy(m_surface);
#endif
}

void QxPixelTarget::fill(int left, int top, int right, int bottom, const QxPixelPaint& paint)
{
    if (!m_data || left >= right || top >= bottom)
        return;
    const wxRect box(left + m_dx, top + m_dy, right - left, bottom - top);
    for (const wxRect& clip : m_clip) {
        const wxRect r = box.Intersect(clip);
        if (r.IsEmpty())
            continue;
        m_written = m_written.IsEmpty() ? r : m_written.Union(r);
        for (int y = r.y; y < r.y + r.height; ++y) {
            uint32_t* row = reinterpret_cast<uint32_t*>(m_data + size_t(y) * size_t(m_stride)) + r.x;
            if (paint.isOpaque()) {
                std::fill_n(row, r.width, paint.solid());
            } else {
                for (int x = 0; x < r.width; ++x)
                    row[x] = paint.over(row[x]);
            }
        }
    }
}

uint32_t QxPixelTarget::pixel(int x, int y) const
{
    for (const wxRect& clip : m_clip)
        if (clip.Contains(x + m_dx, y + m_dy))
            return reinterpret_cast<const uint32_t*>(m_data + size_t(y + m_dy) * size_t(m_stride))[x + m_dx];
    return 0;
}

void QxPixelTarget::setPixel(int x, int y, uint32_t value)
{
    for (const wxRect& clip : m_clip)
        if (clip.Contains(x + m_dx, y + m_dy)) {
            reinterpret_cast<uint32_t*>(m_data + size_t(y + m_dy) * size_t(m_stride))[x + m_dx] = value;
            const wxRect r(x + m_dx, y + m_dy, 1, 1);
            m_written = m_written.IsEmpty() ? r : m_written.Union(r);
            return;
        }
}

// ---------------------------------------------------------------------------

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
    if (made.size() >= 256)
        made.clear();

    // A fill over a row of every grey.
    wxBitmap row(256, 1, 24);
    wxMemoryDC dc(row);
    auto paint = std::make_unique<QxPixelPaint>();
    {
        QxPixelTarget greys(dc);
        if (!greys.isOpen())
            return nullptr;
        for (int i = 0; i < 256; ++i)
            greys.setPixel(i, 0, 0xFF000000u | uint32_t(i) * 0x010101u);
    }
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(colour, wxBRUSHSTYLE_SOLID));
    dc.DrawRectangle(0, 0, 256, 1);
    {
        QxPixelTarget filled(dc);
        if (!filled.isOpen())
            return nullptr;
        for (int i = 0; i < 256; ++i) {
            const uint32_t p = filled.pixel(i, 0);
            paint->m_red[i] = uint8_t(p >> 16);
            paint->m_green[i] = uint8_t(p >> 8);
            paint->m_blue[i] = uint8_t(p);
        }
    }
    paint->m_solid = 0xFF000000u | uint32_t(paint->m_red[0]) << 16 | uint32_t(paint->m_green[0]) << 8 |
                     uint32_t(paint->m_blue[0]);
    auto constant = [](const std::array<uint8_t, 256>& t) {
        return std::all_of(t.begin(), t.end(), [&](uint8_t v) { return v == t[0]; });
    };
    paint->m_opaque = constant(paint->m_red) && constant(paint->m_green) && constant(paint->m_blue);
    made.emplace_back(colour, std::move(paint));
    return made.back().second.get();
}
