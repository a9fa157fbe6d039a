#pragma once
// A curve drawn in short dashes ("SHORTDASHLINE").
#include "chart/QxCurve.h"

class QxShortDashCurve : public QxCurve {
public:
    // Pen style wxPENSTYLE_SHORT_DASH, width 2.
    QxShortDashCurve();
    QxShortDashCurve(const QxShortDashCurve& other) = default;

    QxDrawable* clone() const override;
    const QxAtom& getName() const override;
    const wxString& getDisplayText() const override;
};
