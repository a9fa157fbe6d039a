#pragma once
// Painting in a raster operation where the device context has it, and in
// copy mode where it does not.
//
// Under GTK 3 every wxDC draws through Cairo, which carries out only copy,
// or, xor, clear and no-op; with any other operation selected wx silently
// drops every drawing call, so a painter that asks for wxAND would show
// nothing at all. A painter opens a scope for the operation it wants and
// takes its fill colours through it: where the context supports the
// operation it is selected (and put back when the scope ends); elsewhere
// the same shapes are painted in copy mode, fills partly transparent so that
// what lies beneath still shows through, as it does under AND.
#include <wx/colour.h>
#include <wx/dc.h>

class QxRasterOpScope {
public:
    // Opacity of fills painted in copy mode in place of the operation.
    static constexpr unsigned char kFallbackFillAlpha = 192;

    QxRasterOpScope(wxDC& dc, wxRasterOperationMode mode,
                    unsigned char fallbackFillAlpha = kFallbackFillAlpha);
    ~QxRasterOpScope();
    QxRasterOpScope(const QxRasterOpScope&) = delete;
    QxRasterOpScope& operator=(const QxRasterOpScope&) = delete;

    // Whether dc carries out mode itself instead of dropping what is drawn.
    static bool supports(const wxDC& dc, wxRasterOperationMode mode);

    // True when the operation is in force, false when painting falls back
    // to copy mode.
    bool isNative() const { return m_native; }

    // The colour for a brush: unchanged under the operation, with the
    // fallback opacity in copy mode.
    wxColour fillColour(const wxColour& colour) const;
    // Pens keep their colour in both modes: lines are thin and must stay legible.
    wxColour lineColour(const wxColour& colour) const { return colour; }

private:
    wxDC& m_dc;
    wxRasterOperationMode m_previous;
    bool m_native;
    bool m_changed;
    unsigned char m_fallbackAlpha;
};
