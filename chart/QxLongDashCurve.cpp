#include "chart/QxLongDashCurve.h"

#include <wx/intl.h>

QxLongDashCurve::QxLongDashCurve() : QxCurve(wxPENSTYLE_LONG_DASH, 2) {}

QxDrawable* QxLongDashCurve::clone() const
{
    // A copy keeps a style or width changed from the class's own.
    return new QxLongDashCurve(*this);
}

const QxAtom& QxLongDashCurve::getName() const
{
    static const QxAtom name("LONGDASHLINE");
    return name;
}

const wxString& QxLongDashCurve::getDisplayText() const
{
    static const wxString text = _("LongDash Line");
    return text;
}
