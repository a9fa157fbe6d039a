#include "chartview/QxTriangleAnnot.h"

#include "core/QxErrorCode.h"

#include <wx/dc.h>

QxAtom QxTriangleAnnot::getName() const { return QxAtom("QxTriangleAnnot"); }

std::vector<wxPoint> QxTriangleAnnot::corners(const QxScale& x, const QxScale& y) const
{
    std::vector<wxPoint> out = pixels(x, y);
    if (!isPointSet(2))
        out[2] = out[1];
    return out;
}

int QxTriangleAnnot::draw(wxDC& dc, unsigned, unsigned, const QxScale& x, const QxScale& y) const
{
    return drawOutline(dc, 2, corners(x, y), [](wxDC& dc, const std::vector<wxPoint>& c) {
        for (int i = 0; i < 3; ++i)
            dc.DrawLine(c[i], c[(i + 1) % 3]);
    });
}

int QxTriangleAnnot::hitTest(const wxPoint& p, const QxScale& x, const QxScale& y, unsigned* pointIndex,
                             int tolerance) const
{
    if (!pointsSet(3))
        return eHitNone;
    const std::vector<wxPoint> c = corners(x, y);
    return hitPointsThenSegments(p, c, {{c[0], c[1]}, {c[1], c[2]}, {c[2], c[0]}}, pointIndex, tolerance);
}
