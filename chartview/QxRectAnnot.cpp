#include "chartview/QxRectAnnot.h"

#include "core/QxErrorCode.h"

#include <wx/dc.h>

QxAtom QxRectAnnot::getName() const { return QxAtom("QxRectAnnot"); }

int QxRectAnnot::draw(wxDC& dc, unsigned, unsigned, const QxScale& x, const QxScale& y) const
{
    return drawOutline(dc, 2, pixels(x, y), [](wxDC& dc, const std::vector<wxPoint>& corners) {
        dc.DrawRectangle(wxRect(corners[0], corners[1]));
    });
}

int QxRectAnnot::hitTest(const wxPoint& p, const QxScale& x, const QxScale& y, unsigned* pointIndex,
                         int tolerance) const
{
    if (!pointsSet(2))
        return eHitNone;
    const int t = tolerance < 0 ? defaultTolerance() : tolerance;
    const std::vector<wxPoint> corners = pixels(x, y);
    if (pointIndex && hitPixels(corners, p, t, pointIndex))
        return eHitPoint;
    const wxRect outer = wxRect(corners[0], corners[1]).Inflate(t / 2);
    if (!outer.Contains(p))
        return eHitNone;
    // The inside is not the body: a click there leaves the chart to the user.
    wxRect inner = outer;
    inner.Deflate(t);
    return inner.Contains(p) ? eHitNone : eHitBody;
}
