#pragma once
// Feedback drawn over a window's finished picture (crosshair, highlighted
// curve, resize line, an annotation being drawn). The toolkit neither honours
// XOR or INVERT drawing reliably nor keeps drawing done outside a paint
// event, so instead of toggling pixels on the screen the owner records what
// to show here, asks for the few pixels that change to be repainted, and its
// paint handler draws the layer after copying the picture.
#include <wx/dc.h>
#include <wx/gdicmn.h>
#include <wx/pen.h>

#include <functional>
#include <map>
#include <vector>

class wxWindow;

class QxOverlay {
public:
    // Independent pieces of feedback; each slot is set and cleared alone.
    enum Slot { eCrosshair = 0, eHighlight = 1, eResizeLine = 2, eAnnotation = 3 };

    struct Line {
        wxPoint from;
        wxPoint to; // inclusive end point
        wxPen pen;
    };

    // Draws a slot's feedback that is more than lines (an annotation being
    // drawn) into the paint handler's device context.
    using Painter = std::function<void(wxDC&)>;

    // Replaces what a slot shows. Coordinates are those of the paint handler's
    // (prepared) device context.
    void set(int slot, std::vector<Line> lines);
    // Replaces what a slot shows by what painter draws within area.
    void setPainter(int slot, Painter painter, const wxRect& area);
    void clear(int slot);
    void clearAll() { m_slots.clear(); }
    bool isShown(int slot) const;
    const std::vector<Line>& lines(int slot) const;

    // The rectangles covering what a slot shows, widened by the pen widths:
    // the parts of the window to repaint when it changes.
    std::vector<wxRect> dirtyRects(int slot) const;

    // Draws every slot, lowest first.
    void paint(wxDC& dc) const;

    // Repaints the slot's rectangles of window, shifted by origin (logical to
    // device: the negated scroll offset).
    void refresh(wxWindow* window, int slot, const wxPoint& origin = wxPoint()) const;

private:
    struct Content {
        std::vector<Line> lines;
        Painter painter;
        wxRect area;
    };
    std::map<int, Content> m_slots;
};
