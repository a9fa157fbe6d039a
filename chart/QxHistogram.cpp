#include "chart/QxHistogram.h"

#include "chart/QxColorScheme.h"
#include "chart/QxScale.h"
#include "chart/QxDrawingHelpers.h"
#include "chart/QxShapeBatch.h"
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

QxDrawable* QxHistogram::clone() const
{
    return new QxHistogram(*this);
}

const QxAtom& QxHistogram::getName() const
{
    static const QxAtom name("HISTOGRAM");
    return name;
}

const wxString& QxHistogram::getDisplayText() const
{
    static const wxString text = _("Histogram");
    return text;
}

const std::vector<QxDataInfo>& QxHistogram::getParamInfos() const
{
    static const std::vector<QxDataInfo> roles{QxDataInfo(dataRole(), _("Data"), QxSeriesId::eSeriesIndicator)};
    return roles;
}

int QxHistogram::display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
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

    auto x = [&xScale](int64_t i) { return xScale.map(static_cast<double>(i)); };
    const int d = x(lo + 1) - x(lo);
    // Bars stay visible however tightly the chart is zoomed out.
    const int w = std::max(1, d - d / 6);
    const int h = w / 2;
    const int y0 = clampedPixel(yScale, 0.0);

    QxRasterOpScope rop(dc, wxAND);
    // One batch per colour; bars never overlap, so the picture is the one
    // bar-by-bar drawing gives.
    const QxColorScheme* scheme = perBarScheme();
    QxColourBatches batches(dc);
    QxShapeBatch* uniform = scheme ? nullptr : &batches.of(uniformColour(*wxBLACK));

    for (int64_t i = lo; i <= hi; ++i) {
        const double v = *series.at(static_cast<int32_t>(i));
        if (std::isnan(v))
            continue; // no value, no bar
        const int y = yScale.map(v);
        int top = y, height = y0 - y;
        // Values below the floor hang down from it.
        if (height < 0) {
            top = y0;
            height = -height;
        }
        if (height == 0)
            continue;
        QxShapeBatch& batch = uniform ? *uniform : batches.of(scheme->colorAt(static_cast<unsigned>(i)));
        batch.addRectangle(x(i) - h, top, w, height);
    }
    for (auto& [colour, batch] : batches) {
        wxPen pen(rop.lineColour(blendColour(colour, 0.5)), 1, wxPENSTYLE_SOLID);
        pen.SetCap(wxCAP_BUTT);
        pen.SetJoin(wxJOIN_MITER);
        batch.draw(pen, wxBrush(rop.fillColour(colour), wxBRUSHSTYLE_SOLID));
    }
    return eNoError;
}
