#include "chart/QxShortDashCurve.h"

#include <wx/intl.h>

QxShortDashCurve::QxShortDashCurve() : QxCurve(wxPENSTYLE_SHORT_DASH, 2) {}

QxDrawable* QxShortDashCurve::clone() const
{
    // A copy keeps a style or width changed from the class's own.
    return new QxShortDashCurve(*this);
}

const QxAtom& QxShortDashCurve::getName() const
{
    static const QxAtom name("SHORTDASHLINE");
    return name;
}

const wxString& QxShortDashCurve::getDisplayText() const
{
    static const wxString text = _("ShortDash Line");
    return text;
}
