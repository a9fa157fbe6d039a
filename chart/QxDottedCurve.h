#pragma once
// A curve drawn as a dotted line ("DOTTEDLINE").
#include "chart/QxCurve.h"

class QxDottedCurve : public QxCurve {
public:
    // Pen style wxPENSTYLE_DOT, width 2.
    QxDottedCurve();
    QxDottedCurve(const QxDottedCurve& other) = default;

    QxDrawable* clone() const override;
    const QxAtom& getName() const override;
    const wxString& getDisplayText() const override;
};
