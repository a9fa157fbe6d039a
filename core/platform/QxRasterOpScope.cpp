#include "core/platform/QxRasterOpScope.h"

#include <wx/graphics.h>

QxRasterOpScope::QxRasterOpScope(wxDC& dc, wxRasterOperationMode mode, unsigned char fallbackFillAlpha)
    : m_dc(dc), m_previous(dc.GetLogicalFunction()), m_native(supports(dc, mode)), m_changed(false),
      m_fallbackAlpha(fallbackFillAlpha)
{
    if (m_native) {
        if (m_previous != mode) {
            m_dc.SetLogicalFunction(mode);
            m_changed = true;
        }
    } else if (m_previous != wxCOPY) {
        // Whatever was selected may be one the context drops as well.
        m_dc.SetLogicalFunction(wxCOPY);
        m_changed = true;
    }
}

QxRasterOpScope::~QxRasterOpScope()
{
    if (m_changed)
        m_dc.SetLogicalFunction(m_previous);
}

bool QxRasterOpScope::supports(const wxDC& dc, wxRasterOperationMode mode)
{
#if wxUSE_GRAPHICS_CONTEXT
    // A context that paints through a graphics context maps raster
    // operations to its composition modes, and only these have one.
    if (dc.GetGraphicsContext()) {
        switch (mode) {
        case wxCOPY:
        case wxOR:
        case wxXOR:
        case wxCLEAR:
        case wxNO_OP:
            return true;
        default:
            return false;
        }
    }
#else
    (void)dc;
#endif
    (void)mode;
    return true;
}

wxColour QxRasterOpScope::fillColour(const wxColour& colour) const
{
    if (m_native || !colour.IsOk())
        return colour;
    const unsigned alpha = static_cast<unsigned>(colour.Alpha()) * m_fallbackAlpha / 255u;
    return wxColour(colour.Red(), colour.Green(), colour.Blue(), static_cast<unsigned char>(alpha));
}
