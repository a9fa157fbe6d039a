#include "chart/QxMarks.h"

#include "chart/QxColorScheme.h"
#include "chart/QxScale.h"
#include "core/QxErrorCode.h"
#include "core/platform/QxRasterOpScope.h"

#include <wx/dc.h>
#include <wx/intl.h>

#include <algorithm>
#include <cmath>

namespace {
const QxAtom& dataRole()
{
    static const QxAtom role("DATA");
    return role;
}
} // namespace

QxDrawable* QxMarks::clone() const
{
    return new QxMarks(*this);
}

const QxAtom& QxMarks::getName() const
{
    static const QxAtom name("MARKS");
    return name;
}

const wxString& QxMarks::getDisplayText() const
{
    static const wxString text = _("Marks");
    return text;
}

const std::vector<QxDataInfo>& QxMarks::getParamInfos() const
{
    static const std::vector<QxDataInfo> roles{QxDataInfo(dataRole(), _("Data"), QxSeriesId::eSeriesIndicator)};
    return roles;
}

int QxMarks::markWidth(const QxScale& xScale)
{
    const int d = xScale.map(1.0) - xScale.map(0.0);
    return d - d / 6;
}

int QxMarks::display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                     bool) const
{
    QxSeries series;
    if (getDataSeries(dataRole(), series) != eNoError)
        return eSeriesNotAvailable;
    if (series.empty())
        return eInvalidData;
    const int64_t lo = std::max<int64_t>(first, series.first);
    const int64_t hi = std::min<int64_t>(last, series.last);
    if (lo > hi)
        return eNoError;
    const int r = (markWidth(xScale) + 1) / 2;

    QxRasterOpScope rop(dc, wxAND);
    const wxPen oldPen = dc.GetPen();
    const QxColorScheme* scheme = perBarScheme();
    wxPen pen(rop.lineColour(uniformColour(*wxBLACK)), 2, wxPENSTYLE_SOLID);
    pen.SetCap(wxCAP_BUTT);
    pen.SetJoin(wxJOIN_MITER);
    if (scheme)
        pen.SetColour(rop.lineColour(scheme->colorAt(static_cast<unsigned>(lo))));
    dc.SetPen(pen);
    for (int64_t i = lo; i <= hi; ++i) {
        const double v = *series.at(static_cast<int32_t>(i));
        if (std::isnan(v))
            continue;
        if (scheme) {
            const wxColour c = rop.lineColour(scheme->colorAt(static_cast<unsigned>(i)));
            if (c != pen.GetColour()) {
                pen.SetColour(c);
                dc.SetPen(pen);
            }
        }
        const int cx = xScale.map(static_cast<double>(i)), cy = yScale.map(v);
        dc.DrawLine(cx - r, cy - r, cx + r, cy + r);
        dc.DrawLine(cx - r, cy + r, cx + r, cy - r);
    }
    dc.SetPen(oldPen);
    return eNoError;
}

int QxMarks::getMargins(unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                        wxPoint& top, wxPoint& bottom) const
{
    const QxRange<double> range = getDataRange(first, last);
    if (range.isEmpty())
        return eSetupNotCalled;
    const QxRange<double> scale = scaleRange(yScale);
    if (scale.isEmpty())
        return eInvalidInput;
    top.x = bottom.x = 0;
    const int m = markWidth(xScale) + 2;
    int d = yScale.map(scale.lower) - yScale.map(range.lower);
    bottom.y = d < m ? m - d : 0;
    d = yScale.map(range.upper) - yScale.map(scale.upper);
    top.y = d < m ? m - d : 0;
    return eNoError;
}
