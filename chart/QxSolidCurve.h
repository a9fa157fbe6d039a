#pragma once
// A curve drawn as a solid line ("SOLIDLINE").
#include "chart/QxCurve.h"

class QxSolidCurve : public QxCurve {
public:
    // Pen style wxPENSTYLE_SOLID, width 2.
    QxSolidCurve();
    QxSolidCurve(const QxSolidCurve& other) = default;

    QxDrawable* clone() const override;
    const QxAtom& getName() const override;
    const wxString& getDisplayText() const override;
};
