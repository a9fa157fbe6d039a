#pragma once
// Texts that name series for the user: price fields, constants and
// indicator outputs, as legends, zone titles and series lists show them.
#include <wx/string.h>

#include <cstdint>

class QxIndicator;
class QxSeriesId;

// "Open", "High", "Low", "Close", "Volume" or "Open Interest" (translated)
// for the six price kinds; false and text untouched for any other kind.
bool priceFieldName(uint32_t kind, wxString& text);

// The indicator's display name, followed by "." and the output's name when
// the indicator has several outputs and outputIndex names one of them.
bool indicatorSeriesText(QxIndicator* indicator, uint32_t outputIndex, wxString& text);

// The text of a price field, a constant or an indicator output; false and
// text untouched for any other kind.
bool seriesIdText(const QxSeriesId& id, wxString& text);
