#include "chart/QxBar.h"

#include "chart/QxColorScheme.h"
#include "chart/QxScale.h"
#include "core/QxErrorCode.h"

#include <wx/dc.h>
#include <wx/intl.h>

#include <algorithm>

int QxOhlcSeries::fetch(const QxDrawable& drawable, unsigned first, unsigned last)
{
    const std::vector<QxDataInfo>& roles = QxBar::priceRoles();
    QxSeries* targets[] = {&open, &high, &low, &close};
    lo = first;
    hi = last;
    for (size_t i = 0; i < 4; ++i) {
        const int rc = drawable.getDataSeries(roles[i].name, *targets[i]);
        if (rc != eNoError)
            return rc;
        if (targets[i]->empty())
            return eInvalidData;
        lo = std::max<int64_t>(lo, targets[i]->first);
        hi = std::min<int64_t>(hi, targets[i]->last);
    }
    return eNoError;
}

const std::vector<QxDataInfo>& QxBar::priceRoles()
{
    static const std::vector<QxDataInfo> roles{
        QxDataInfo(QxAtom("OPEN"), _("Open"), QxSeriesId::eSeriesOpen),
        QxDataInfo(QxAtom("HIGH"), _("High"), QxSeriesId::eSeriesHigh),
        QxDataInfo(QxAtom("LOW"), _("Low"), QxSeriesId::eSeriesLow),
        QxDataInfo(QxAtom("CLOSE"), _("Close"), QxSeriesId::eSeriesClose),
    };
    return roles;
}

QxDrawable* QxBar::clone() const
{
    return new QxBar(*this);
}

const QxAtom& QxBar::getName() const
{
    static const QxAtom name("PRICE_BAR");
    return name;
}

const wxString& QxBar::getDisplayText() const
{
    static const wxString text = _("Price Bar");
    return text;
}

const std::vector<QxDataInfo>& QxBar::getParamInfos() const
{
    return priceRoles();
}

int QxBar::display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                   bool) const
{
    QxOhlcSeries s;
    const int rc = s.fetch(*this, first, last);
    if (rc != eNoError)
        return rc;
    if (s.lo > s.hi)
        return eNoError;

    auto x = [&xScale](int64_t i) { return xScale.map(static_cast<double>(i)); };
    const int step = x(s.lo + 1) - x(s.lo);
    const int penWidth = std::max(1, step / 6);
    const int tick = (step - step / 6) / 2;

    const wxPen oldPen = dc.GetPen();
    wxPen pen(*wxBLACK, penWidth, wxPENSTYLE_SOLID);
    pen.SetCap(wxCAP_BUTT);
    pen.SetJoin(wxJOIN_MITER);
    const QxColorScheme* scheme = getColorScheme();
    const bool perBar = scheme && !scheme->isUniform();
    if (scheme && !perBar)
        pen.SetColour(scheme->colorAt(0));
    dc.SetPen(pen);

    for (int64_t i = s.lo; i <= s.hi; ++i) {
        const int32_t bar = static_cast<int32_t>(i);
        if (perBar) {
            const wxColour& c = scheme->colorAt(static_cast<unsigned>(bar));
            if (c != pen.GetColour()) {
                pen.SetColour(c);
                dc.SetPen(pen);
            }
        }
        const int xi = x(i);
        const int yOpen = yScale.map(*s.open.at(bar));
        const int yHigh = yScale.map(*s.high.at(bar));
        const int yLow = yScale.map(*s.low.at(bar));
        const int yClose = yScale.map(*s.close.at(bar));
        dc.DrawLine(xi, yLow, xi, yHigh + 1);
        dc.DrawLine(xi - tick, yOpen, xi + 1, yOpen);
        dc.DrawLine(xi, yClose, xi + tick + 1, yClose);
    }
    dc.SetPen(oldPen);
    return eNoError;
}
