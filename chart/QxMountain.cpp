#include "chart/QxMountain.h"

#include "chart/QxColorScheme.h"
#include "chart/QxScale.h"
#include "chart/QxDrawingHelpers.h"
#include "core/QxErrorCode.h"
#include "core/QxUtils.h"
#include "core/platform/QxRasterOpScope.h"

#include <wx/dc.h>
#include <wx/intl.h>

#include <algorithm>
#include <cmath>

namespace {
const QxAtom& cliffRole()
{
    static const QxAtom role("CLIFF");
    return role;
}

const QxAtom& baseRole()
{
    static const QxAtom role("BASE");
    return role;
}

bool inside(double v, double base, bool inverted)
{
    return inverted ? v <= base : v >= base; // false for NaN
}

// Where the line from bar `from` (value a) to bar `to` (value b) meets base,
// as a bar position; `to` itself when the crossing cannot be placed.
double crossing(int32_t to, double b, int32_t from, double a, double base)
{
    const double span = b - a;
    if (!std::isfinite(a) || !std::isfinite(span) || span == 0.0)
        return to;
    const double t = std::clamp((b - base) / span, 0.0, 1.0);
    return to + (from - to) * t;
}
} // namespace

QxDrawable* QxMountain::clone() const
{
    return new QxMountain(*this);
}

const QxAtom& QxMountain::getName() const
{
    static const QxAtom name("MOUNTAIN");
    return name;
}

const wxString& QxMountain::getDisplayText() const
{
    static const wxString text = _("Mountain");
    return text;
}

const std::vector<QxDataInfo>& QxMountain::getParamInfos() const
{
    static const std::vector<QxDataInfo> roles{
        QxDataInfo(cliffRole(), _("Cliff"), QxSeriesId::eSeriesIndicator),
        QxDataInfo(baseRole(), _("Base"), QxSeriesId::eSeriesConstant)};
    return roles;
}

int QxMountain::display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                        bool) const
{
    return paint(dc, first, last, xScale, yScale, false);
}

std::vector<QxMountain::Run> QxMountain::findRuns(const QxSeries& series, int32_t lo, int32_t hi, double base,
                                                  bool inverted)
{
    std::vector<Run> runs;
    if (series.empty())
        return runs;
    lo = std::max(lo, series.first);
    hi = std::min(hi, series.last);
    auto v = [&series](int32_t i) { return *series.at(i); };
    for (int32_t i = lo; i <= hi; ++i) {
        if (!inside(v(i), base, inverted))
            continue;
        Run run{i, i, static_cast<double>(i), static_cast<double>(i)};
        while (run.e < hi && inside(v(run.e + 1), base, inverted))
            ++run.e;
        run.stop = run.e;
        // Between an outside bar and an inside one the series crosses base:
        // s - (v(s) - base) / (v(s) - v(s - 1)), and likewise at the end.
        if (run.s > lo)
            run.start = crossing(run.s, v(run.s), run.s - 1, v(run.s - 1), base);
        if (run.e < hi)
            run.stop = crossing(run.e, v(run.e), run.e + 1, v(run.e + 1), base);
        runs.push_back(run);
        i = run.e;
    }
    return runs;
}

int QxMountain::paint(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                      bool inverted) const
{
    QxSeries series;
    if (getDataSeries(cliffRole(), series) != eNoError)
        return eSeriesNotAvailable;
    const QxSeriesId& baseId = getSeries(baseRole());
    if (!baseId.isValid() || baseId.kind() != QxSeriesId::eSeriesConstant)
        return eMountainBaseNotSet;
    if (series.empty())
        return eInvalidData;
    const int64_t lo64 = std::max<int64_t>(first, series.first);
    const int64_t hi64 = std::min<int64_t>(last, series.last);
    if (lo64 > hi64)
        return eNoError;
    const int32_t lo = static_cast<int32_t>(lo64), hi = static_cast<int32_t>(hi64);

    const double base = baseId.value();
    const int yb = clampedPixel(yScale, base);
    auto x = [&xScale](double position) { return xScale.map(position); };
    auto y = [&yScale, &series](int32_t i) { return yScale.map(*series.at(i)); };

    QxRasterOpScope rop(dc, wxAND);
    const wxPen oldPen = dc.GetPen();
    const wxBrush oldBrush = dc.GetBrush();
    wxColour current;
    auto useColour = [&](const wxColour& colour) {
        if (current.IsOk() && colour == current)
            return;
        current = colour;
        wxPen pen(rop.lineColour(blendColour(colour, 0.05)), 0, wxPENSTYLE_SOLID);
        pen.SetCap(wxCAP_BUTT);
        pen.SetJoin(wxJOIN_MITER);
        dc.SetPen(pen);
        dc.SetBrush(wxBrush(rop.fillColour(lightenColour(colour, 0.05)), wxBRUSHSTYLE_SOLID));
    };

    if (const QxColorScheme* scheme = perBarScheme()) {
        // Bar by bar, each slice between two bars in the colour of the bar
        // inside. A slice whose other end lies outside stops where the
        // series crosses the base: drawn through to the outside value, the
        // quadrangle would twist and fill a triangle on the wrong side of
        // the base.
        for (int32_t i = lo + 1; i <= hi; ++i) {
            const double a = *series.at(i - 1), b = *series.at(i);
            if (std::isnan(a) || std::isnan(b))
                continue;
            const bool inA = inside(a, base, inverted), inB = inside(b, base, inverted);
            if (inA && inB) {
                useColour(scheme->colorAt(static_cast<unsigned>(i)));
                const wxPoint quad[4] = {wxPoint(x(i - 1), yb), wxPoint(x(i), yb), wxPoint(x(i), y(i)),
                                         wxPoint(x(i - 1), y(i - 1))};
                dc.DrawPolygon(4, quad, 0, 0, wxODDEVEN_RULE);
            } else if (inB) {
                useColour(scheme->colorAt(static_cast<unsigned>(i)));
                const wxPoint triangle[3] = {wxPoint(x(crossing(i, b, i - 1, a, base)), yb), wxPoint(x(i), yb),
                                             wxPoint(x(i), y(i))};
                dc.DrawPolygon(3, triangle, 0, 0, wxODDEVEN_RULE);
            } else if (inA) {
                useColour(scheme->colorAt(static_cast<unsigned>(i - 1)));
                const wxPoint triangle[3] = {wxPoint(x(i - 1), yb), wxPoint(x(crossing(i - 1, a, i, b, base)), yb),
                                             wxPoint(x(i - 1), y(i - 1))};
                dc.DrawPolygon(3, triangle, 0, 0, wxODDEVEN_RULE);
            }
        }
    } else {
        useColour(uniformColour(*wxCYAN));
        std::vector<wxPoint> points;
        for (const Run& run : findRuns(series, lo, hi, base, inverted)) {
            points.reserve(static_cast<size_t>(run.e - run.s) + 4);
            points.emplace_back(x(run.start), yb);
            for (int32_t i = run.s; i <= run.e; ++i)
                points.emplace_back(x(i), y(i));
            points.emplace_back(x(run.stop), yb);
            dc.DrawPolygon(static_cast<int>(points.size()), points.data(), 0, 0, wxODDEVEN_RULE);
            points.clear();
        }
    }
    dc.SetBrush(oldBrush);
    dc.SetPen(oldPen);
    return eNoError;
}
