#include "chartview/QxOvalAnnot.h"

#include "chart/QxScale.h"
#include "core/QxErrorCode.h"

#include <wx/dc.h>

#include <cmath>
#include <cstdlib>

QxAtom QxOvalAnnot::getName() const { return QxAtom("QxOvalAnnot"); }

int QxOvalAnnot::draw(wxDC& dc, unsigned, unsigned, const QxScale& x, const QxScale& y) const
{
    return drawOutline(dc, 2, pixels(x, y), [](wxDC& dc, const std::vector<wxPoint>& corners) {
        dc.DrawEllipse(wxRect(corners[0], corners[1]));
    });
}

int QxOvalAnnot::hitTest(const wxPoint& p, const QxScale& x, const QxScale& y, unsigned* pointIndex,
                         int tolerance) const
{
    if (!pointsSet(2))
        return eHitNone;
    const int t = tolerance < 0 ? defaultTolerance() : tolerance;
    if (pointIndex && hitPixels(pixels(x, y), p, t, pointIndex))
        return eHitPoint;

    // The ellipse in chart coordinates: centre (cx, cy), semi-axes a and b.
    const QxPoint p0 = getPoint(0), p1 = getPoint(1);
    const double cx = (p0.x + p1.x) / 2, cy = (p0.y + p1.y) / 2;
    const double a = (p1.x - p0.x) / 2, b = (p1.y - p0.y) / 2;
    const double bar = x.unmap(p.x), value = y.unmap(p.y);
    // The outline's two positions along one axis where the other axis has
    // the given offset from the centre; none where the root's argument is
    // negative or undefined (a flat ellipse has no extent across itself, and
    // is found by the other axis instead).
    auto outline = [](double offset, double across, double centre, double along, double out[2]) {
        if (across == 0.0)
            return false;
        const double arg = 1.0 - (offset * offset) / (across * across);
        if (!(arg >= 0.0))
            return false;
        const double root = along * std::sqrt(arg);
        out[0] = centre - root;
        out[1] = centre + root;
        return true;
    };
    double at[2];
    if (outline(value - cy, b, cx, a, at))
        for (double column : at)
            if (std::abs(static_cast<long>(x.map(column)) - p.x) <= t)
                return eHitBody;
    if (outline(bar - cx, a, cy, b, at))
        for (double row : at)
            if (std::abs(static_cast<long>(y.map(row)) - p.y) <= t)
                return eHitBody;
    return eHitNone;
}
