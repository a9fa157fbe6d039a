#pragma once
// Physical resolution of a device context.  Some contexts (memory bitmaps,
// some printers, a virtual display) report a size of 0 millimetres; they are
// measured by their pixels per inch instead, and by 96 per inch when they
// report none either, so no caller divides by zero.
#include <wx/dc.h>

double dcPixelsPerMmX(const wxDC& dc);
double dcPixelsPerMmY(const wxDC& dc);
