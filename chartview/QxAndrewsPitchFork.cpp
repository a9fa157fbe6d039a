#include "chartview/QxAndrewsPitchFork.h"

#include "chart/QxScale.h"
#include "core/QxErrorCode.h"

#include <wx/dc.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>

QxAtom QxAndrewsPitchFork::getName() const { return QxAtom("QxAndrewsPitchFork"); }

int QxAndrewsPitchFork::setPoint(unsigned index, const QxPoint& point)
{
    const double pivot = getPoint(2).x;
    switch (index) {
    case 0:
        if (isPointSet(2) && !(point.x > pivot))
            return eNotAllParamsValid;
        break;
    case 1:
        if (!isPointSet(0) || (isPointSet(2) && !(point.x > pivot)))
            return eNotAllParamsValid;
        break;
    case 2:
        if (!isPointSet(0) || !isPointSet(1) || (point.x >= getPoint(0).x && point.x >= getPoint(1).x))
            return eNotAllParamsValid;
        break;
    default:
        return eInvalidIndex;
    }
    return QxShapeAnnot::setPoint(index, point);
}

QxAndrewsPitchFork::DevicePoints QxAndrewsPitchFork::pitchforkDevicePoints(const QxScale& x, const QxScale& y) const
{
    const std::vector<wxPoint> px = pixels(x, y);
    DevicePoints d{px[0], px[1], px[2], px[2]};
    if (!isPointSet(2))
        return d;
    const QxPoint p0 = getPoint(0), p1 = getPoint(1), p2 = getPoint(2);
    const QxPoint m{(p0.x + p1.x) * 0.5, (p0.y + p1.y) * 0.5};
    // One bar beyond the visible range, as a whole bar.
    const double xe = std::trunc(std::max(0.0, std::min(x.max() + 1.0, double(UINT_MAX))));
    // A median straight up or down rises without bound; the scale saturates it.
    const double ye = m.x == p2.x ? DBL_MAX : p2.y + (xe - p2.x) * (m.y - p2.y) / (m.x - p2.x);
    d.end = wxPoint(x.map(xe), y.map(ye));
    return d;
}

std::vector<QxShapeAnnot::Segment> QxAndrewsPitchFork::forkSegments(const DevicePoints& d) const
{
    if (!isPointSet(2))
        return {};
    const wxPoint offset = d.end - d.p2;
    return {{d.p0, d.p0 + offset}, {d.p1, d.p1 + offset}, {d.p2, d.end}};
}

int QxAndrewsPitchFork::draw(wxDC& dc, unsigned, unsigned, const QxScale& x, const QxScale& y) const
{
    const DevicePoints d = pitchforkDevicePoints(x, y);
    const std::vector<Segment> fork = forkSegments(d);
    // Handles only once the fork is complete.
    const std::vector<wxPoint> handles = fork.empty() ? std::vector<wxPoint>{} : std::vector<wxPoint>{d.p0, d.p1, d.p2};
    return drawOutline(dc, 2, handles, [&](wxDC& dc, const std::vector<wxPoint>&) {
        dc.DrawLine(d.p0, d.p1);
        for (const Segment& s : fork)
            dc.DrawLine(s.first, s.second);
    });
}

int QxAndrewsPitchFork::hitTest(const wxPoint& p, const QxScale& x, const QxScale& y, unsigned* pointIndex,
                                int tolerance) const
{
    if (!pointsSet(3))
        return eHitNone;
    const DevicePoints d = pitchforkDevicePoints(x, y);
    std::vector<Segment> segments{{d.p0, d.p1}};
    for (const Segment& s : forkSegments(d))
        segments.push_back(s);
    return hitPointsThenSegments(p, {d.p0, d.p1, d.p2}, segments, pointIndex, tolerance);
}
