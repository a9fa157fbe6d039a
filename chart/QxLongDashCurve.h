#pragma once
// A curve drawn in long dashes ("LONGDASHLINE").
#include "chart/QxCurve.h"

class QxLongDashCurve : public QxCurve {
public:
    // Pen style wxPENSTYLE_LONG_DASH, width 2.
    QxLongDashCurve();
    QxLongDashCurve(const QxLongDashCurve& other) = default;

    QxDrawable* clone() const override;
    const QxAtom& getName() const override;
    const wxString& getDisplayText() const override;
};
