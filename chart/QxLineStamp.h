#pragma once
// A straight line of one pen and one length drawn again and again at other
// places (the grid lines of a zone): painted once into a transparent
// picture and afterwards copied.  A graphics context dashes and smooths a
// dotted line dot by dot on every paint, which costs more than all the
// bars of a chart; copying the picture costs almost nothing and gives the
// same pixels, as the line lands on whole pixels wherever it is drawn.
// Pens whose copies would differ by a shade (wide, see-through or dashed
// ones) and device contexts that cannot copy pictures that way (no graphics
// context, another raster operation, a scale) get the line drawn as before.
//
// Where the picture lies in memory (see QxPixelTarget) the copies are
// written straight into its pixels, each pixel of the line's picture laid
// as the graphics context lays it (a paint taken from a copy by that
// context), without the context's cost for every copy.
#include "chart/QxPixelTarget.h"

#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/graphics.h>
#include <wx/pen.h>

#include <cstdint>
#include <vector>

class QxLineStamp {
public:
    // Draws what dc.DrawLine(from, to) draws with pen, for a line from
    // `from` length pixels down (vertical) or to the right.
    void draw(wxDC& dc, const wxPen& pen, bool vertical, int length, const wxPoint& from);
    // The same for a line from each of starts, in their order.
    void draw(wxDC& dc, const wxPen& pen, bool vertical, int length, const std::vector<wxPoint>& starts);

private:
    bool make(wxGraphicsContext* gc, const wxPen& pen, bool vertical, int length);

    wxPen m_pen;
    bool m_vertical = false;
    int m_length = -1;
    int m_margin = 0;
    wxGraphicsBitmap m_picture;
    // The picture as paints (see QxPixelPaint::ofPicture); none where they
    // could not be taken.
    std::vector<QxPixelTarget::PaintedPixel> m_pixels;
    std::vector<QxPixelPaint> m_paints;
};
