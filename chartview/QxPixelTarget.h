#pragma once
// The pixels a device context paints into, for shapes made of whole pixels
// (candle bodies and wicks, bars, their outlines).  Written straight into
// the picture they cost next to nothing, where a graphics context spends
// microseconds on every rectangle it fills or strokes.
//
// The target only opens where the result is known to be the one the
// device context gives: a graphics context over a 32-bit picture in
// memory, copy mode, whole-pixel offsets without scale, and a clip made of
// rectangles.  Elsewhere (a printer, a window, another raster operation, a
// zoom) it stays closed and the caller draws through the device context.
#include <wx/colour.h>
#include <wx/dc.h>
#include <wx/gdicmn.h>

#include <array>
#include <cstdint>
#include <vector>

struct _cairo_surface;

// How a fill of one colour lands on the pixels beneath it: for each
// channel, the value a fill leaves over each value there was.  The
// channels of such a picture mix independently, so three tables of 256
// hold every case; they are taken from a fill by the device context
// itself, so whatever rounding it does is the one they hold.
class QxPixelPaint {
public:
    // The paint of colour, made once and kept; null where no picture in
    // memory can be opened to take it from.
    static const QxPixelPaint* of(const wxColour& colour);

    uint32_t over(uint32_t pixel) const
    {
        if (m_opaque)
            return m_solid;
        return 0xFF000000u | uint32_t(m_red[(pixel >> 16) & 0xFF]) << 16 |
               uint32_t(m_green[(pixel >> 8) & 0xFF]) << 8 | uint32_t(m_blue[pixel & 0xFF]);
    }
    bool isOpaque() const { return m_opaque; }
    uint32_t solid() const { return m_solid; }

private:
    bool m_opaque = false;
    uint32_t m_solid = 0;
    std::array<uint8_t, 256> m_red{}, m_green{}, m_blue{};
    friend class QxPixelTarget;
};

class QxPixelTarget {
public:
    explicit QxPixelTarget(wxDC& dc);
    // Hands the pixels written back to the device context.
    ~QxPixelTarget();
    QxPixelTarget(const QxPixelTarget&) = delete;
    QxPixelTarget& operator=(const QxPixelTarget&) = delete;

    bool isOpen() const { return m_data != nullptr; }

    // Fills the pixels [left, right) x [top, bottom), in the device
    // context's logical coordinates and within its clip, as a fill of that
    // box by the device context would.  Nothing for an empty box.
    void fill(int left, int top, int right, int bottom, const QxPixelPaint& paint);

    // The pixel at a logical point, 0 outside the picture (for the paints).
    uint32_t pixel(int x, int y) const;
    void setPixel(int x, int y, uint32_t value);

private:
    struct _cairo_surface* m_surface = nullptr;
    unsigned char* m_data = nullptr;
    int m_stride = 0;
    // Logical coordinates plus these are the picture's pixels.
    int m_dx = 0;
    int m_dy = 0;
    // In the picture's pixels, within it.
    std::vector<wxRect> m_clip;
    wxRect m_written;
};
