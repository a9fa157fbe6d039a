#pragma once
// The price graphic of a chart ("PRICEOBJ"): holds a bar, a candle and a
// close-line drawable and shows the one its type selects, coloured from its
// copy of the price object configuration.
#include "chart/QxChartConfiguration.h"
#include "chart/QxDrawable.h"

class QxBar;
class QxCandle;
class QxSolidCurve;

namespace Qx {
enum QxPriceObjType : int {
    ePriceNone = 0,
    ePriceLine = 1,
    ePriceBars = 2,
    ePriceCandles = 3,
};
} // namespace Qx

class QxPriceObj : public QxDrawable {
public:
    // Candles, in the current configuration's colours.
    QxPriceObj();
    // Clones the three drawables; the clone colours its own schemes.
    QxPriceObj(const QxPriceObj& other);
    QxPriceObj& operator=(const QxPriceObj&) = delete;
    ~QxPriceObj() override;

    QxDrawable* clone() const override;
    const QxAtom& getName() const override;
    const wxString& getDisplayText() const override;
    // Those of the candle drawable: the four price fields.
    const std::vector<QxDataInfo>& getParamInfos() const override;
    // The shown drawable's painting; 0 with nothing shown.
    int display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                bool highlight) const override;
    // Fetches the prices (for the value range), colours the shown drawable
    // from the configuration and sets it up.
    int setup(QxCalculator* calculator) override;

    Qx::QxPriceObjType getType() const { return m_type; }
    // Takes effect at once; call selectPriceDrawable() after it.
    void setType(Qx::QxPriceObjType type) { m_type = type; }
    // Makes the drawable of the type the shown one: none for 0, the line for
    // 1, bars for 2, candles for 3; any other type keeps the shown one.
    void selectPriceDrawable();

    const QxPriceObjConfiguration& getConfig() const { return m_config; }
    void setConfig(const QxPriceObjConfiguration& config) { m_config = config; }
    // Base width in pixels of one bar at zoom factor 1.
    int tickWidth() const { return m_config.tickWidth; }

    QxDrawable* activeDrawable() const { return m_active.get(); }
    QxBar* barDrawable() const { return m_bar.get(); }
    QxCandle* candleDrawable() const { return m_candle.get(); }
    QxSolidCurve* lineDrawable() const { return m_line.get(); }

private:
    QxPriceObjConfiguration m_config;
    Qx::QxPriceObjType m_type;
    QxObjectSmartPtr<QxBar> m_bar;
    QxObjectSmartPtr<QxCandle> m_candle;
    QxObjectSmartPtr<QxSolidCurve> m_line;
    QxObjectSmartPtr<QxDrawable> m_active;
};
