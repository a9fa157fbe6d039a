#pragma once
// Open-high-low-close bars: a vertical line from low to high with the open
// ticked to the left and the close to the right ("PRICE_BAR").
#include "chart/QxDrawable.h"

#include <cstdint>

// The four price series that bars and candles paint, fetched together and
// clamped to the bars all of them cover.
struct QxOhlcSeries {
    QxSeries open, high, low, close;
    int64_t lo = 0;  // first bar to paint
    int64_t hi = -1; // last bar to paint; below lo when none

    // eSeriesNotAvailable for a role without series, eInvalidData for one
    // without a valid bar; otherwise clamps first..last into lo..hi.
    int fetch(const QxDrawable& drawable, unsigned first, unsigned last);
};

class QxBar : public QxDrawable {
public:
    QxBar() = default;
    QxBar(const QxBar& other) = default;

    QxDrawable* clone() const override;
    const QxAtom& getName() const override;
    const wxString& getDisplayText() const override;
    // "OPEN", "HIGH", "LOW", "CLOSE", each of its price field.
    const std::vector<QxDataInfo>& getParamInfos() const override;
    // eSeriesNotAvailable when a role has no series, eInvalidData when one
    // has no valid bar.  Black without a colour scheme.
    int display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                bool highlight) const override;

    // The four price roles, shared with candles.
    static const std::vector<QxDataInfo>& priceRoles();
};
