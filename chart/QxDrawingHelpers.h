#pragma once
// Drawing helpers shared by the chart graphics and the chart views.
#include <wx/colour.h>

class wxDC;

// A new anti-aliasing graphics-context DC over dc when dc is a window,
// memory or printer DC (the kinds a graphics context can be made over);
// null for any other kind. The caller draws into the returned DC when there
// is one, else into dc, and deletes it when done.
wxDC* createGraphicsDC(wxDC& dc);

// A darker shade of colour: each of red, green and blue times
// (1 - factor), rounded half up; alpha 255.
wxColour blendColour(const wxColour& colour, double factor);
