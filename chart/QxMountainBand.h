#pragma once
// The band filled between the values of "LOWER_CLIFF" and "UPPER_CLIFF",
// wherever the lower one does not lie above the upper one.
#include "chart/QxDrawable.h"

class QxMountainBand : public QxDrawable {
public:
    QxMountainBand() = default;
    QxMountainBand(const QxMountainBand& other) = default;

    QxDrawable* clone() const override;
    const QxAtom& getName() const override;
    const wxString& getDisplayText() const override;
    const std::vector<QxDataInfo>& getParamInfos() const override;
    // eSeriesNotAvailable without both series, eInvalidData for an unusable one.
    int display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                bool highlight) const override;
};
