#include "chart/QxSarColorScheme.h"

#include <wx/intl.h>

QxSarColorScheme::QxSarColorScheme()
    : QxRiseFallColorScheme(QxColorEntry(QxAtom("ASC_COLOR"), _("Ascending Color"), wxColour(0, 160, 0)),
                            QxColorEntry(QxAtom("DSC_COLOR"), _("Descending Color"), wxColour(160, 0, 0)),
                            QxDataInfo(QxAtom("SAR"), _("SAR Series"), QxSeriesId::eSeriesIndicator),
                            QxDataInfo(QxAtom("CLOSE"), _("Close Series"), QxSeriesId::eSeriesClose))
{
}

QxColorScheme* QxSarColorScheme::clone() const
{
    return new QxSarColorScheme(*this);
}

const QxAtom& QxSarColorScheme::getName() const
{
    static const QxAtom name("SarColorScheme");
    return name;
}

const wxString& QxSarColorScheme::getDisplayText() const
{
    static const wxString text = _("Sar Color Scheme");
    return text;
}
