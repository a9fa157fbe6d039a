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
#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/graphics.h>
#include <wx/pen.h>

class QxLineStamp {
public:
    // Draws what dc.DrawLine(from, to) draws with pen, for a line from
    // `from` length pixels down (vertical) or to the right.
    void draw(wxDC& dc, const wxPen& pen, bool vertical, int length, const wxPoint& from);

private:
    bool make(wxGraphicsContext* gc, const wxPen& pen, bool vertical, int length);

    wxPen m_pen;
    bool m_vertical = false;
    int m_length = -1;
    int m_margin = 0;
    wxGraphicsBitmap m_picture;
};
