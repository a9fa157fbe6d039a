#include "chart/QxPriceObj.h"

#include "chart/QxBar.h"
#include "chart/QxCandle.h"
#include "chart/QxColorScheme.h"
#include "chart/QxPriceColorScheme.h"
#include "chart/QxSolidCurve.h"
#include "chart/QxUniColorScheme.h"
#include "core/QxErrorCode.h"

#include <wx/intl.h>

namespace {
const QxAtom& colorEntry()
{
    static const QxAtom name("COLOR");
    return name;
}
const QxAtom& risingEntry()
{
    static const QxAtom name("ASC_COLOR");
    return name;
}
const QxAtom& fallingEntry()
{
    static const QxAtom name("DSC_COLOR");
    return name;
}
} // namespace

QxPriceObj::QxPriceObj()
    : m_config(currentChartConfig().priceObjConfig), m_type(Qx::ePriceCandles), m_bar(new QxBar()),
      m_candle(new QxCandle()), m_line(new QxSolidCurve())
{
    // Bars and candles share one price scheme; colours come from the
    // configuration at each setup.
    QxObjectSmartPtr<QxColorScheme> priceScheme(new QxPriceColorScheme(*wxGREEN, *wxRED));
    m_bar->setColorScheme(priceScheme.get());
    m_candle->setColorScheme(priceScheme.get());
    QxObjectSmartPtr<QxColorScheme> lineScheme(new QxUniColorScheme(*wxBLACK));
    m_line->setColorScheme(lineScheme.get()); // its unbound role draws the close
    selectPriceDrawable();
}

QxPriceObj::QxPriceObj(const QxPriceObj& other)
    : QxDrawable(other), m_config(other.m_config), m_type(other.m_type),
      m_bar(static_cast<QxBar*>(other.m_bar->clone())), m_candle(static_cast<QxCandle*>(other.m_candle->clone())),
      m_line(static_cast<QxSolidCurve*>(other.m_line->clone()))
{
    // A drawable's clone shares its scheme; the copy gets schemes of its
    // own so that two charts never colour each other's bars.
    if (QxColorScheme* scheme = other.m_candle->getColorScheme()) {
        QxObjectSmartPtr<QxColorScheme> copy(scheme->clone());
        m_candle->setColorScheme(copy.get());
        if (other.m_bar->getColorScheme() == scheme)
            m_bar->setColorScheme(copy.get());
    }
    if (QxColorScheme* scheme = other.m_bar->getColorScheme(); scheme && scheme != other.m_candle->getColorScheme()) {
        QxObjectSmartPtr<QxColorScheme> copy(scheme->clone());
        m_bar->setColorScheme(copy.get());
    }
    if (QxColorScheme* scheme = other.m_line->getColorScheme()) {
        QxObjectSmartPtr<QxColorScheme> copy(scheme->clone());
        m_line->setColorScheme(copy.get());
    }
    selectPriceDrawable();
}

QxPriceObj::~QxPriceObj() = default;

QxDrawable* QxPriceObj::clone() const
{
    return new QxPriceObj(*this);
}

const QxAtom& QxPriceObj::getName() const
{
    static const QxAtom name("PRICEOBJ");
    return name;
}

const wxString& QxPriceObj::getDisplayText() const
{
    static const wxString text = _("Price Graphic");
    return text;
}

const std::vector<QxDataInfo>& QxPriceObj::getParamInfos() const
{
    return m_candle->getParamInfos();
}

int QxPriceObj::display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                        bool highlight) const
{
    return m_active ? m_active->display(dc, first, last, xScale, yScale, highlight) : eNoError;
}

void QxPriceObj::selectPriceDrawable()
{
    switch (m_type) {
    case Qx::ePriceNone:
        m_active = nullptr;
        break;
    case Qx::ePriceLine:
        m_active = m_line.get();
        break;
    case Qx::ePriceBars:
        m_active = m_bar.get();
        break;
    case Qx::ePriceCandles:
        m_active = m_candle.get();
        break;
    default:
        break;
    }
}

int QxPriceObj::setup(QxCalculator* calculator)
{
    const int rc = QxDrawable::setup(calculator);
    if (rc != eNoError)
        return rc;
    if (!m_active)
        return eNoError;
    if (QxColorScheme* scheme = m_active->getColorScheme()) {
        switch (m_type) {
        case Qx::ePriceLine:
            scheme->setColor(colorEntry(), m_config.lineColor);
            break;
        case Qx::ePriceBars:
            scheme->setColor(risingEntry(), m_config.barUpColor);
            scheme->setColor(fallingEntry(), m_config.barDownColor);
            break;
        case Qx::ePriceCandles:
            scheme->setColor(risingEntry(), m_config.candleUpColor);
            scheme->setColor(fallingEntry(), m_config.candleDownColor);
            break;
        default:
            break;
        }
    }
    return m_active->setup(calculator);
}
