#include "chart/QxDottedCurve.h"

#include <wx/intl.h>

QxDottedCurve::QxDottedCurve() : QxCurve(wxPENSTYLE_DOT, 2) {}

QxDrawable* QxDottedCurve::clone() const
{
    // A copy keeps a style or width changed from the class's own.
    return new QxDottedCurve(*this);
}

const QxAtom& QxDottedCurve::getName() const
{
    static const QxAtom name("DOTTEDLINE");
    return name;
}

const wxString& QxDottedCurve::getDisplayText() const
{
    static const wxString text = _("Dotted Line");
    return text;
}
