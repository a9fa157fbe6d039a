#include "chartview/QxShapeAnnot.h"

#include "core/QxErrorCode.h"

#include <wx/dc.h>

int QxShapeAnnot::setPoint(unsigned index, const QxPoint& point)
{
    if (index >= m_points.size())
        return eInvalidIndex;
    m_points[index] = point;
    m_set[index] = true;
    return eNoError;
}

QxPoint QxShapeAnnot::getPoint(unsigned index) const
{
    return index < m_points.size() ? m_points[index] : QxPoint();
}

void QxShapeAnnot::placePoint(unsigned index, const QxPoint& point)
{
    if (index < m_points.size())
        m_points[index] = point;
}

bool QxShapeAnnot::pointsSet(unsigned count) const
{
    for (unsigned i = 0; i < count; ++i)
        if (!isPointSet(i))
            return false;
    return true;
}

std::vector<wxPoint> QxShapeAnnot::pixels(const QxScale& x, const QxScale& y) const
{
    std::vector<wxPoint> out;
    out.reserve(m_points.size());
    for (const QxPoint& p : m_points)
        out.push_back(toPixel(p, x, y));
    return out;
}

int QxShapeAnnot::drawOutline(wxDC& dc, unsigned needed, const std::vector<wxPoint>& pixels,
                              const Outline& outline) const
{
    if (!pointsSet(needed))
        return eNotAllParamsValid;
    const wxPen oldPen = dc.GetPen();
    const wxBrush oldBrush = dc.GetBrush();
    dc.SetPen(getPen());
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    outline(dc, pixels);
    if (isSelected())
        drawHandles(dc, pixels);
    dc.SetPen(oldPen);
    dc.SetBrush(oldBrush);
    return eNoError;
}

int QxShapeAnnot::hitPointsThenSegments(const wxPoint& p, const std::vector<wxPoint>& points,
                                        const std::vector<Segment>& segments, unsigned* pointIndex,
                                        int tolerance) const
{
    const int t = tolerance < 0 ? defaultTolerance() : tolerance;
    if (pointIndex && hitPixels(points, p, t, pointIndex))
        return eHitPoint;
    for (const Segment& s : segments)
        if (segmentNearPoint(s.first, s.second, p, t))
            return eHitBody;
    return eHitNone;
}
