#include "chart/QxInvertedMountain.h"

#include <wx/intl.h>

QxDrawable* QxInvertedMountain::clone() const
{
    return new QxInvertedMountain(*this);
}

const QxAtom& QxInvertedMountain::getName() const
{
    static const QxAtom name("INVERTEDMOUNTAIN");
    return name;
}

const wxString& QxInvertedMountain::getDisplayText() const
{
    static const wxString text = _("Inverted Mountain");
    return text;
}

int QxInvertedMountain::display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale,
                                const QxScale& yScale, bool) const
{
    return paint(dc, first, last, xScale, yScale, true);
}
