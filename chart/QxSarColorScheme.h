#pragma once
// Colours a bar by whether the close lies above the value of a parabolic SAR
// output (role "SAR"): "ASC_COLOR" above, "DSC_COLOR" at or below.
#include "chart/QxRiseFallColorScheme.h"

class QxSarColorScheme : public QxRiseFallColorScheme {
public:
    // Rising (0, 160, 0), falling (160, 0, 0).
    QxSarColorScheme();
    QxSarColorScheme(const QxSarColorScheme& other) = default;

    QxColorScheme* clone() const override;
    const QxAtom& getName() const override;
    const wxString& getDisplayText() const override;
};
