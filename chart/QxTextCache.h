#pragma once
// The short texts of a chart (axis labels, titles, price levels) measured
// and painted from what earlier paints made of them.  Every measure and
// every text a graphics context draws lays the text out anew, which costs
// more than the bars of a chart; the same labels come back paint after
// paint.
//
// A measure is kept per font, text and kind of device context.  A painted
// text is kept as the pixels it gave over one background colour, with every
// pixel its glyphs touch: it is copied into a picture only where all those
// pixels still show that colour, so the copy is what drawing it would have
// given.  Anywhere else (another background, a device context whose pixels
// cannot be reached, a scale) the text is drawn as before.
#include <wx/dc.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class QxTextCache {
public:
    // dc.GetTextExtent(text) with the dc's font.
    static wxSize extent(wxDC& dc, const wxString& text);
    // dc.GetCharHeight() and dc.GetCharWidth() with the dc's font.
    static int charHeight(wxDC& dc);
    static int charWidth(wxDC& dc);

    // What dc.DrawText(text, x, y) paints, with the dc's font and text
    // colour.
    static void draw(wxDC& dc, const wxString& text, int x, int y);
    // What dc.DrawLabel(text, rect, alignment) paints.
    static void drawLabel(wxDC& dc, const wxString& text, const wxRect& rect, int alignment);

    // Forgets everything kept.
    static void clear();
    // How many texts were copied from earlier paints since the start.
    static size_t copiedCount();
};
