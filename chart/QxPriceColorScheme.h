#pragma once
// Colours a bar by whether it closed above its open: "ASC_COLOR" when the
// close is above the open, "DSC_COLOR" when it is at or below.
#include "chart/QxRiseFallColorScheme.h"

class QxPriceColorScheme : public QxRiseFallColorScheme {
public:
    QxPriceColorScheme(const wxColour& rising, const wxColour& falling);
    QxPriceColorScheme(const QxPriceColorScheme& other) = default;

    QxColorScheme* clone() const override;
    const QxAtom& getName() const override;
    const wxString& getDisplayText() const override;
};
