#include "chartview/QxShapeAnnot.h"

#include "core/QxErrorCode.h"

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
