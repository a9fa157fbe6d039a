#pragma once
// A small diagonal cross on each value of the role "DATA".
#include "chart/QxDrawable.h"

class QxMarks : public QxDrawable {
public:
    QxMarks() = default;
    QxMarks(const QxMarks& other) = default;

    QxDrawable* clone() const override;
    const QxAtom& getName() const override;
    const wxString& getDisplayText() const override;
    const std::vector<QxDataInfo>& getParamInfos() const override;
    // eSeriesNotAvailable without a "DATA" series, eInvalidData for an
    // unusable one; 0 with nothing drawn when the bars miss the series.
    int display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                bool highlight) const override;
    // Room for a whole mark where values touch the zone's edges;
    // eSetupNotCalled for an empty value range, eInvalidInput for a scale
    // without a range.
    int getMargins(unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale, wxPoint& top,
                   wxPoint& bottom) const override;

private:
    // The mark width for the bar spacing of xScale.
    static int markWidth(const QxScale& xScale);
};
