#pragma once
// Candlesticks: wicks from low and high to the body, and a body between open
// and close filled in the colour scheme's colour of the bar
// ("PRICE_CANDLE").
#include "chart/QxDrawable.h"

class QxCandle : public QxDrawable {
public:
    QxCandle() = default;
    QxCandle(const QxCandle& other) = default;

    QxDrawable* clone() const override;
    const QxAtom& getName() const override;
    const wxString& getDisplayText() const override;
    const std::vector<QxDataInfo>& getParamInfos() const override;
    // As for bars; without a colour scheme nothing is drawn, and bars that
    // miss the series give eInvalidIndex.
    int display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                bool highlight) const override;
};
