#pragma once
// Bars rising from the zero line (or hanging below it) to the values of the
// role "DATA"; also the base of the volume graphic.
#include "chart/QxDrawable.h"

class QxHistogram : public QxDrawable {
public:
    QxHistogram() = default;
    QxHistogram(const QxHistogram& other) = default;

    QxDrawable* clone() const override;
    const QxAtom& getName() const override;
    const wxString& getDisplayText() const override;
    const std::vector<QxDataInfo>& getParamInfos() const override;
    // eSeriesNotAvailable without a "DATA" series, eInvalidData for an
    // unusable one; 0 with nothing drawn when the bars miss the series.
    int display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                bool highlight) const override;
};
