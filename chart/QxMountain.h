#pragma once
// The area between the values of the role "CLIFF" and the constant level
// bound to "BASE", filled where the values lie at or above the base. Its
// inverted form fills where they lie at or below it.
#include "chart/QxDrawable.h"

class QxMountain : public QxDrawable {
public:
    // A stretch of consecutive bars s..e that lie inside, with the bar
    // positions (fractional) where the filled area starts and stops: the
    // crossings of the base next to the stretch, or s and e themselves at
    // the ends of the visible bars.
    struct Run {
        int32_t s;
        int32_t e;
        double start;
        double stop;
    };

    QxMountain() = default;
    QxMountain(const QxMountain& other) = default;

    QxDrawable* clone() const override;
    const QxAtom& getName() const override;
    const wxString& getDisplayText() const override;
    const std::vector<QxDataInfo>& getParamInfos() const override;
    // eSeriesNotAvailable without a "CLIFF" series, eMountainBaseNotSet
    // unless "BASE" is bound to a constant, eInvalidData for an unusable
    // series; 0 with nothing drawn when the bars miss the series.
    int display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                bool highlight) const override;

    // The runs of bars lo..hi of series that lie inside: value >= base, or
    // value <= base when inverted. A missing value (NaN) lies outside, and
    // next to one a run ends at its own bar.
    static std::vector<Run> findRuns(const QxSeries& series, int32_t lo, int32_t hi, double base, bool inverted);

protected:
    // The painter of both forms.
    int paint(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
              bool inverted) const;
};
