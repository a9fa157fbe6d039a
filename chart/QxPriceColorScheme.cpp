#include "chart/QxPriceColorScheme.h"

#include <wx/intl.h>

QxPriceColorScheme::QxPriceColorScheme(const wxColour& rising, const wxColour& falling)
    : QxRiseFallColorScheme(QxColorEntry(QxAtom("ASC_COLOR"), _("Higher Closing Color"), rising),
                            QxColorEntry(QxAtom("DSC_COLOR"), _("Lower Closing Color"), falling),
                            QxDataInfo(QxAtom("OPEN"), _("Open"), QxSeriesId::eSeriesOpen),
                            QxDataInfo(QxAtom("CLOSE"), _("Close"), QxSeriesId::eSeriesClose))
{
}

QxColorScheme* QxPriceColorScheme::clone() const
{
    return new QxPriceColorScheme(*this);
}

const QxAtom& QxPriceColorScheme::getName() const
{
    static const QxAtom name("PriceColorScheme");
    return name;
}

const wxString& QxPriceColorScheme::getDisplayText() const
{
    static const wxString text = _("Price Color Scheme");
    return text;
}
