#include "chartview/QxLinearRegressionChannel.h"

#include "chart/QxScale.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"

#include <wx/dc.h>

#include <algorithm>
#include <cfloat>
#include <cmath>

bool fitRegressionLine(const double* closes, unsigned count, double x0, double x1, double& y0, double& y1)
{
    if (!closes || count == 0 || !std::isfinite(x0) || !std::isfinite(x1))
        return false;
    // Points dragged past either end of the history (or read from a file of
    // another period) fit the bars there are.
    const double first = std::max(0.0, std::trunc(x0));
    const double last = std::min(double(count) - 1.0, std::trunc(x1) - 1.0);
    if (last - first + 1.0 < 2.0)
        return false;
    double sx = 0, sy = 0, sxy = 0, sxx = 0;
    const unsigned s = static_cast<unsigned>(first), e = static_cast<unsigned>(last);
    for (unsigned i = s; i <= e; ++i) {
        const double x = i;
        sx += x;
        sy += closes[i];
        sxy += closes[i] * x;
        sxx += x * x;
    }
    const double n = e - s + 1;
    const double slope = (n * sxy - sy * sx) / (n * sxx - sx * sx);
    const double intercept = (sy - slope * sx) / n;
    y0 = intercept + slope * x0;
    y1 = intercept + slope * x1;
    return true;
}

QxAtom QxLinearRegressionChannel::getName() const { return QxAtom("QxLinearRegressionChannel"); }

int QxLinearRegressionChannel::setPoint(unsigned index, const QxPoint& point)
{
    switch (index) {
    case 0:
        if (isPointSet(1) && !(point.x < getPoint(1).x))
            return eNotAllParamsValid;
        break;
    case 1:
        if (!isPointSet(0) || !(point.x > getPoint(0).x))
            return eNotAllParamsValid;
        break;
    case 2:
        if (!isPointSet(1))
            return eNotAllParamsValid;
        return QxShapeAnnot::setPoint(2, point);
    default:
        return eInvalidIndex;
    }
    QxShapeAnnot::setPoint(index, point);
    refit();
    return eNoError;
}

void QxLinearRegressionChannel::refit()
{
    QxCalculator* calc = getCalculator();
    if (!calc)
        return; // read from a file: the stored values stand
    QxPriceHistory* history = calc->prices(false);
    if (!history)
        return;
    QxPoint p0 = getPoint(0), p1 = getPoint(1);
    if (!fitRegressionLine(history->close(), history->numBars(), p0.x, p1.x, p0.y, p1.y))
        return;
    placePoint(0, p0);
    placePoint(1, p1);
}

std::array<std::pair<QxPoint, QxPoint>, 3> QxLinearRegressionChannel::channelLines() const
{
    const QxPoint p0 = getPoint(0), p1 = getPoint(1);
    const QxPoint p2 = isPointSet(2) ? getPoint(2) : p1;
    const double xEnd = std::max(p1.x, p2.x);
    // A line of no width in bars stands for a vertical one; the scales
    // saturate the largest double.
    auto centre = [&](double x) {
        return p0.x == p1.x ? DBL_MAX : p0.y + (x - p0.x) * (p1.y - p0.y) / (p1.x - p0.x);
    };
    const double yEnd = centre(xEnd);
    const double d = centre(p2.x) - p2.y;
    return {{{{p0.x, p0.y}, {xEnd, yEnd}}, {{p0.x, p0.y - d}, {xEnd, yEnd - d}}, {{p0.x, p0.y + d}, {xEnd, yEnd + d}}}};
}

namespace {
std::vector<QxShapeAnnot::Segment> toPixels(const std::array<std::pair<QxPoint, QxPoint>, 3>& lines,
                                            const QxScale& x, const QxScale& y)
{
    std::vector<QxShapeAnnot::Segment> out;
    for (const auto& l : lines)
        out.emplace_back(wxPoint(x.map(l.first.x), y.map(l.first.y)), wxPoint(x.map(l.second.x), y.map(l.second.y)));
    return out;
}
} // namespace

int QxLinearRegressionChannel::draw(wxDC& dc, unsigned, unsigned, const QxScale& x, const QxScale& y) const
{
    const std::vector<Segment> segments = toPixels(channelLines(), x, y);
    std::vector<wxPoint> handles = pixels(x, y);
    if (!isPointSet(2))
        handles[2] = handles[1];
    return drawOutline(dc, 2, handles, [&](wxDC& dc, const std::vector<wxPoint>&) {
        for (const Segment& s : segments)
            dc.DrawLine(s.first, s.second);
    });
}

int QxLinearRegressionChannel::hitTest(const wxPoint& p, const QxScale& x, const QxScale& y, unsigned* pointIndex,
                                       int tolerance) const
{
    if (!pointsSet(3))
        return eHitNone;
    return hitPointsThenSegments(p, pixels(x, y), toPixels(channelLines(), x, y), pointIndex, tolerance);
}
