#pragma once
// A curve drawn in dots and dashes ("DASHDOTLINE").
#include "chart/QxCurve.h"

class QxDashDotCurve : public QxCurve {
public:
    // Pen style wxPENSTYLE_DOT_DASH, width 2.
    QxDashDotCurve();
    QxDashDotCurve(const QxDashDotCurve& other) = default;

    QxDrawable* clone() const override;
    const QxAtom& getName() const override;
    const wxString& getDisplayText() const override;
};
