#include "chart/QxSolidCurve.h"

#include <wx/intl.h>

QxSolidCurve::QxSolidCurve() : QxCurve(wxPENSTYLE_SOLID, 2) {}

QxDrawable* QxSolidCurve::clone() const
{
    // A copy keeps a style or width changed from the class's own.
    return new QxSolidCurve(*this);
}

const QxAtom& QxSolidCurve::getName() const
{
    static const QxAtom name("SOLIDLINE");
    return name;
}

const wxString& QxSolidCurve::getDisplayText() const
{
    static const wxString text = _("Solid Line");
    return text;
}
