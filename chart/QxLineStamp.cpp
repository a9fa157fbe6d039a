#include "chart/QxLineStamp.h"

#include <wx/dcmemory.h>
#include <wx/image.h>

#include <cstring>

namespace {

// Whether pictures copied into the context land on whole pixels unscaled
// and composited as the line itself would be.
bool copiesExactly(wxDC& dc, wxGraphicsContext* gc)
{
    if (!gc || dc.GetLogicalFunction() != wxCOPY || gc->GetAntialiasMode() != wxANTIALIAS_DEFAULT ||
        gc->GetContentScaleFactor() != 1.0)
        return false;
    double ux = 0, uy = 0, lx = 0, ly = 0;
    dc.GetUserScale(&ux, &uy);
    dc.GetLogicalScale(&lx, &ly);
    return ux == 1.0 && uy == 1.0 && lx == 1.0 && ly == 1.0;
}

} // namespace

void QxLineStamp::draw(wxDC& dc, const wxPen& pen, bool vertical, int length, const wxPoint& from)
{
    draw(dc, pen, vertical, length, std::vector<wxPoint>{from});
}

void QxLineStamp::draw(wxDC& dc, const wxPen& pen, bool vertical, int length, const std::vector<wxPoint>& starts)
{
    if (starts.empty())
        return;
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    // Only one-pixel, opaque, solid or dotted lines come out exactly the
    // same when copied; hair-thin, wider, see-through or dashed ones differ
    // by a shade in some smoothed pixels, and are drawn.
    const bool copyable = pen.GetWidth() == 1 && pen.GetColour().Alpha() == wxALPHA_OPAQUE &&
                          (pen.GetStyle() == wxPENSTYLE_SOLID || pen.GetStyle() == wxPENSTYLE_DOT);
    if (length <= 0 || !copyable || !copiesExactly(dc, gc) || !make(gc, pen, vertical, length)) {
        const wxPen old = dc.GetPen();
        dc.SetPen(pen);
        for (const wxPoint& from : starts)
            dc.DrawLine(from, vertical ? wxPoint(from.x, from.y + length) : wxPoint(from.x + length, from.y));
        dc.SetPen(old);
        return;
    }
    const wxSize size = vertical ? wxSize(2 * m_margin + 1, length + 2 * m_margin + 1)
                                 : wxSize(length + 2 * m_margin + 1, 2 * m_margin + 1);
    if (!m_paints.empty()) {
        QxPixelTarget target(dc);
        if (target.isOpen()) {
            for (const wxPoint& from : starts)
                target.paste(wxRect(wxPoint(from.x - m_margin, from.y - m_margin), size), m_pixels, m_paints.data());
            return;
        }
    }
    for (const wxPoint& from : starts)
        gc->DrawBitmap(m_picture, from.x - m_margin, from.y - m_margin, size.GetWidth(), size.GetHeight());
}

bool QxLineStamp::make(wxGraphicsContext* gc, const wxPen& pen, bool vertical, int length)
{
    if (!m_picture.IsNull() && pen == m_pen && vertical == m_vertical && length == m_length)
        return true;
    m_picture = wxGraphicsBitmap();
    m_pixels.clear();
    m_paints.clear();
    m_pen = pen;
    m_vertical = vertical;
    m_length = length;
    // Room for the pen and its caps on every side.
    m_margin = 3;
    const int across = 2 * m_margin + 1, along = length + 2 * m_margin + 1;
    wxImage image(vertical ? across : along, vertical ? along : across);
    image.InitAlpha();
    std::memset(image.GetAlpha(), 0, size_t(image.GetWidth()) * size_t(image.GetHeight()));
    wxBitmap picture(image, 32);
    {
        wxMemoryDC paint(picture);
        if (!paint.IsOk())
            return false;
        paint.SetPen(pen);
        paint.DrawLine(m_margin, m_margin, vertical ? m_margin : m_margin + length,
                       vertical ? m_margin + length : m_margin);
    }
    m_picture = gc->CreateBitmap(picture);
    if (m_picture.IsNull())
        return false;
    // Copies into the pixels only where each pixel of the picture has its paint.
    std::vector<uint8_t> indices;
    if (QxPixelPaint::ofPicture(gc, m_picture, indices, m_paints) &&
        indices.size() == size_t(image.GetWidth()) * size_t(image.GetHeight())) {
        for (int y = 0; y < image.GetHeight(); ++y)
            for (int x = 0; x < image.GetWidth(); ++x) {
                const uint8_t paint = indices[size_t(y) * size_t(image.GetWidth()) + size_t(x)];
                if (paint != QxPixelPaint::kNoPaint)
                    m_pixels.push_back({x, y, paint});
            }
    } else {
        m_paints.clear();
    }
    return true;
}
