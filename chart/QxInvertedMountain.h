#pragma once
// The mountain filled where the values of "CLIFF" lie at or below the base.
#include "chart/QxMountain.h"

class QxInvertedMountain : public QxMountain {
public:
    QxInvertedMountain() = default;
    QxInvertedMountain(const QxInvertedMountain& other) = default;

    QxDrawable* clone() const override;
    const QxAtom& getName() const override;
    const wxString& getDisplayText() const override;
    int display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                bool highlight) const override;
};
