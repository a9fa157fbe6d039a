#include "chart/QxCandle.h"

#include "chart/QxBar.h"
#include "chart/QxColorScheme.h"
#include "chart/QxScale.h"
#include "chart/QxShapeBatch.h"
#include "core/QxErrorCode.h"

#include <wx/dc.h>
#include <wx/intl.h>

#include <algorithm>
#include <cstdlib>

QxDrawable* QxCandle::clone() const
{
    return new QxCandle(*this);
}

const QxAtom& QxCandle::getName() const
{
    static const QxAtom name("PRICE_CANDLE");
    return name;
}

const wxString& QxCandle::getDisplayText() const
{
    static const wxString text = _("Price Candle");
    return text;
}

const std::vector<QxDataInfo>& QxCandle::getParamInfos() const
{
    return QxBar::priceRoles();
}

int QxCandle::display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                      bool) const
{
    QxOhlcSeries s;
    const int rc = s.fetch(*this, first, last);
    if (rc != eNoError)
        return rc;
    const QxColorScheme* scheme = getColorScheme();
    if (!scheme)
        return eNoError;
    if (s.lo > s.hi)
        return eInvalidIndex;

    auto x = [&xScale](int64_t i) { return xScale.map(static_cast<double>(i)); };
    const int step = x(s.lo + 1) - x(s.lo);
    const int gap = step / 6;
    const int bodyWidth = step - gap;
    const int half = bodyWidth / 2;

    wxPen outline(*wxBLACK, 1, wxPENSTYLE_SOLID);
    outline.SetCap(wxCAP_BUTT);
    outline.SetJoin(wxJOIN_MITER);
    // Wicks and one-row bodies are all outline; the other bodies go by
    // their fill colour, a few colours for all the bars.  Bars never
    // overlap, so drawing them colour by colour looks as bar by bar.
    QxShapeBatch lines(dc);
    QxColourBatches bodies(dc);
    for (int64_t i = s.lo; i <= s.hi; ++i) {
        const int32_t bar = static_cast<int32_t>(i);
        const int xi = x(i);
        const int yOpen = yScale.map(*s.open.at(bar));
        const int yHigh = yScale.map(*s.high.at(bar));
        const int yLow = yScale.map(*s.low.at(bar));
        const int yClose = yScale.map(*s.close.at(bar));
        lines.addLine(xi, yLow, xi, yClose);
        lines.addLine(xi, yHigh, xi, yOpen);
        // The body's fill covers the wicks running through it.  A body one
        // row high is all outline; drawn as a rectangle, the device would
        // collapse it and lose a column at one end.
        const int bodyHeight = std::abs(yClose - yOpen) + 1;
        if (bodyHeight == 1)
            lines.addLine(xi - half, yOpen, xi - half + bodyWidth, yOpen);
        else
            bodies.of(scheme->colorAt(static_cast<unsigned>(bar)))
                .addRectangle(xi - half, std::min(yOpen, yClose), bodyWidth, bodyHeight);
    }
    lines.draw(outline);
    for (auto& [colour, batch] : bodies)
        batch.draw(outline, wxBrush(colour, wxBRUSHSTYLE_SOLID));
    return eNoError;
}
