#include "chart/QxDashDotCurve.h"

#include <wx/intl.h>

QxDashDotCurve::QxDashDotCurve() : QxCurve(wxPENSTYLE_DOT_DASH, 2) {}

QxDrawable* QxDashDotCurve::clone() const
{
    // A copy keeps a style or width changed from the class's own.
    return new QxDashDotCurve(*this);
}

const QxAtom& QxDashDotCurve::getName() const
{
    static const QxAtom name("DASHDOTLINE");
    return name;
}

const wxString& QxDashDotCurve::getDisplayText() const
{
    static const wxString text = _("DashDot Line");
    return text;
}
