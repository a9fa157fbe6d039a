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
#include <wx/bitmap.h>
#include <wx/brush.h>
#include <wx/colour.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/dc.h>
#include <wx/gdicmn.h>

#include <algorithm>
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
    // Counts the times the kept paints (and brushes) were let go: a paint
    // or brush pointer held across further calls of `of` holds while this
    // stays the same.
    static unsigned keptGeneration();

    // The paint of colour, made once and kept; null where no picture in
    // memory can be opened to take it from.
    static const QxPixelPaint* of(const wxColour& colour);

    // The paints of the pixels of a picture the graphics context copies
    // (gc->DrawBitmap at whole pixels, unscaled): for each pixel of
    // picture, the index of its paint in paints, or kNoPaint where it is
    // wholly transparent.  Each paint is taken from a copy of its pixel by
    // that context.  False where the picture's pixels cannot be reached.
    static constexpr uint8_t kNoPaint = 255;
    static bool ofPicture(wxGraphicsContext* gc, const wxGraphicsBitmap& picture, std::vector<uint8_t>& indices,
                          std::vector<QxPixelPaint>& paints);

    uint32_t over(uint32_t pixel) const
    {
        if (m_opaque)
            return m_solid;
        return 0xFF000000u | uint32_t(m_red[(pixel >> 16) & 0xFF]) << 16 |
               uint32_t(m_green[(pixel >> 8) & 0xFF]) << 8 | uint32_t(m_blue[pixel & 0xFF]);
    }
    bool isOpaque() const { return m_opaque; }
    // Whether it leaves every pixel as it was (the gaps of a hatch).
    bool isClear() const { return m_clear; }
    uint32_t solid() const { return m_solid; }

private:
    // Fills cells, period by period, with what brush leaves over each grey.
    static bool measureInto(const wxBrush& brush, const wxPen& pen, int period, std::vector<QxPixelPaint>& cells);
    static void take(QxPixelPaint& paint, int grey, uint32_t pixel);

    bool m_opaque = false;
    bool m_clear = false;
    uint32_t m_solid = 0;
    std::array<uint8_t, 256> m_red{}, m_green{}, m_blue{};
    friend class QxPixelBrush;
};

// The same for a hatched brush: its hatch repeats every kPeriod pixels from
// the logical origin, and each pixel of that square lands as a paint of its
// own.  These are the paints of polygons and ellipses: under a pen of odd
// width the device context lays them, and their hatch, half a pixel over,
// so a brush is taken for the width of the pen its shapes have.
class QxPixelBrush {
public:
    static constexpr int kPeriod = 10;
    // The paint of brush (solid or hatched) under a pen of penWidth (0 for
    // none), made once and kept; null where it cannot be taken or its hatch
    // does not repeat as said.
    static const QxPixelBrush* of(const wxBrush& brush, int penWidth);

    bool isSolid() const { return m_cells.size() == 1; }
    // The paint at logical (x, y); the cells of a row follow it.
    const QxPixelPaint& at(int x, int y) const
    {
        if (m_cells.size() == 1)
            return m_cells[0];
        const int cx = ((x % kPeriod) + kPeriod) % kPeriod, cy = ((y % kPeriod) + kPeriod) % kPeriod;
        return m_cells[size_t(cy) * kPeriod + cx];
    }

    // A hatch whose cells each either cover what lies beneath (the lines)
    // or leave it (the gaps): its rows are then only their lines, the
    // columns in a period that cover and with what.
    struct Line {
        int column;
        uint32_t pixel;
    };
    bool isCut() const { return m_cut; }
    const std::vector<Line>& linesOfRow(int y) const
    {
        return m_lines[size_t(((y % kPeriod) + kPeriod) % kPeriod)];
    }

private:
    void cut();

    std::vector<QxPixelPaint> m_cells;
    bool m_cut = false;
    std::array<std::vector<Line>, kPeriod> m_lines;
};

// The whole pixels a shape covers when painted without smoothing, as runs
// of each row, relative to the point it was painted at.  The same shape
// painted at other whole-pixel places covers the same pixels moved along.
class QxPixelMask {
public:
    struct Run {
        int y, left, right; // [left, right)
    };
    // The pixels that paint (drawing with smoothing off at (margin, margin)
    // into a picture of size) turns from black; false when no picture could
    // be made.
    template <class Paint>
    bool make(const wxSize& size, int margin, Paint&& paint);
    const std::vector<Run>& runs() const { return m_runs; }
    // Leaves out the pixels of other (both placed at the same point).
    void subtract(const QxPixelMask& other);
    // The box around every run, [left, right) x [top, bottom); empty
    // (left == right) without runs.
    int left() const { return m_left; }
    int top() const { return m_top; }
    int right() const { return m_right; }
    int bottom() const { return m_bottom; }

private:
    bool read(wxDC& dc, const wxSize& size, int margin);
    void bound();
    std::vector<Run> m_runs;
    int m_left = 0, m_top = 0, m_right = 0, m_bottom = 0;
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
    // Fills the pixels of mask placed at (x, y) with paint, or with brush.
    void fill(const QxPixelMask& mask, int x, int y, const QxPixelPaint& paint);
    void fill(const QxPixelMask& mask, int x, int y, const QxPixelBrush& brush);

    // Whether a logical point lies in the clip (and the picture); the
    // pixel there (0 outside); a pixel set there (nothing outside).
    bool inClip(int x, int y) const;
    uint32_t pixel(int x, int y) const;
    void setPixel(int x, int y, uint32_t value);

    // Pictures of whole boxes, row by row, of 0xRRGGBB pixels: whether
    // every pixel of box within the clip shows rgb; box's pixels copied
    // in (those within the clip, except those that are skip) and out (0
    // outside the clip).
    bool showsOnly(const wxRect& box, uint32_t rgb) const;
    // What dc.DrawBitmap(bitmap, x, y, false) paints, for an opaque bitmap
    // without mask: its pixels, kept from its first copy.  False where the
    // bitmap is not of that kind; nothing is painted then.
    bool drawOpaqueBitmap(const wxBitmap& bitmap, int x, int y);
    void paste(const wxRect& box, const uint32_t* pixels, uint32_t skip);
    // A picture of box's size as its paints (see QxPixelPaint::ofPicture)
    // lay it over what is there, given as the pixels that have one: each
    // one's place in box and the index of its paint.
    struct PaintedPixel {
        int x, y;
        uint8_t paint;
    };
    void paste(const wxRect& box, const std::vector<PaintedPixel>& pixels, const QxPixelPaint* paints);
    void copy(const wxRect& box, uint32_t* pixels) const;

private:
    // Pixels [left, right) x [top, bottom) of the picture.
    struct Box {
        int left = 0, top = 0, right = 0, bottom = 0;
        bool empty() const { return left >= right || top >= bottom; }
    };
    uint32_t* row(int y) const { return reinterpret_cast<uint32_t*>(m_data + size_t(y) * size_t(m_stride)); }
    // The parts of a logical box within each clip rectangle, in pixels.
    template <class Part>
    void eachPart(int left, int top, int right, int bottom, Part&& part) const
    {
        left += m_dx, right += m_dx, top += m_dy, bottom += m_dy;
        for (const Box& clip : m_clip) {
            const Box r{std::max(left, clip.left), std::max(top, clip.top), std::min(right, clip.right),
                        std::min(bottom, clip.bottom)};
            if (!r.empty())
                part(r);
        }
    }
    template <class Part>
    void eachPart(const wxRect& box, Part&& part) const
    {
        eachPart(box.x, box.y, box.x + box.width, box.y + box.height, part);
    }
    // The clip rectangle that holds the whole of a mask placed at (x, y),
    // null where it is cut by the clip (or has no runs).
    const Box* holding(const QxPixelMask& mask, int x, int y) const
    {
        if (mask.left() >= mask.right())
            return nullptr;
        const int left = x + mask.left() + m_dx, right = x + mask.right() + m_dx;
        const int top = y + mask.top() + m_dy, bottom = y + mask.bottom() + m_dy;
        for (const Box& clip : m_clip)
            if (left >= clip.left && right <= clip.right && top >= clip.top && bottom <= clip.bottom)
                return &clip;
        return nullptr;
    }
    void wrote(const Box& r)
    {
        if (m_written.empty()) {
            m_written = r;
            return;
        }
        m_written = {std::min(m_written.left, r.left), std::min(m_written.top, r.top),
                     std::max(m_written.right, r.right), std::max(m_written.bottom, r.bottom)};
    }

    struct _cairo_surface* m_surface = nullptr;
    unsigned char* m_data = nullptr;
    int m_stride = 0;
    // Logical coordinates plus these are the picture's pixels.
    int m_dx = 0;
    int m_dy = 0;
    // In the picture's pixels, within it.
    std::vector<Box> m_clip;
    Box m_written;
};

template <class Paint>
bool QxPixelMask::make(const wxSize& size, int margin, Paint&& paint)
{
    m_runs.clear();
    wxBitmap picture(size.x, size.y, 24);
    wxMemoryDC dc(picture);
    if (!dc.IsOk() || !dc.GetGraphicsContext())
        return false;
    dc.SetBackground(*wxBLACK_BRUSH);
    dc.Clear();
    dc.GetGraphicsContext()->SetAntialiasMode(wxANTIALIAS_NONE);
    paint(dc);
    return read(dc, size, margin);
}
