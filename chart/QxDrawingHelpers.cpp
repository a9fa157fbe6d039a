#include "chart/QxDrawingHelpers.h"

#include <wx/dcgraph.h>
#include <wx/dcmemory.h>
#include <wx/dcprint.h>
#include <wx/dcclient.h>

wxDC* createGraphicsDC(wxDC& dc)
{
#if wxUSE_GRAPHICS_CONTEXT
    if (!dc.IsOk())
        return nullptr;
    if (auto* windowDC = dynamic_cast<wxWindowDC*>(&dc))
        return new wxGCDC(*windowDC);
    if (auto* memoryDC = dynamic_cast<wxMemoryDC*>(&dc)) {
        // A memory DC without a bitmap has nothing a context could paint on.
        if (!memoryDC->GetSelectedBitmap().IsOk())
            return nullptr;
        return new wxGCDC(*memoryDC);
    }
#if wxUSE_PRINTING_ARCHITECTURE
    if (auto* printerDC = dynamic_cast<wxPrinterDC*>(&dc))
        return new wxGCDC(*printerDC);
#endif
#else
    (void)dc;
#endif
    return nullptr;
}

wxColour blendColour(const wxColour& colour, double factor)
{
    if (!colour.IsOk())
        return colour;
    auto channel = [factor](unsigned char c) {
        const double v = c * (1.0 - factor) + 0.5;
        // Factors outside 0..1 would leave the byte range.
        if (!(v > 0.0))
            return static_cast<unsigned char>(0);
        if (v >= 255.0)
            return static_cast<unsigned char>(255);
        return static_cast<unsigned char>(v);
    };
    return wxColour(channel(colour.Red()), channel(colour.Green()), channel(colour.Blue()), 255);
}
