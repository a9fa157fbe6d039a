#include "chartview/QxFibonacciRetracement.h"

#include "chart/QxScale.h"
#include "core/QxErrorCode.h"

#include <wx/dc.h>

#include <algorithm>

QxAtom QxFibonacciRetracement::getName() const { return QxAtom("QxFibonacciRetracement"); }

bool QxFibonacciRetracement::hasProperty(int property) const
{
    return property == ePropFont || property == ePropPen || property == ePropColour;
}

int QxFibonacciRetracement::setPoint(unsigned index, const QxPoint& point)
{
    const QxPoint p2 = getPoint(2);
    switch (index) {
    case 0:
        if (isPointSet(2) && point.x > p2.x)
            return eNotAllParamsValid;
        return QxShapeAnnot::setPoint(0, point);
    case 1:
        if (!isPointSet(0) || (isPointSet(2) && point.x > p2.x))
            return eNotAllParamsValid;
        QxShapeAnnot::setPoint(1, point);
        // Until p2 is placed the levels end at p1.
        if (isPointSet(2))
            QxShapeAnnot::setPoint(2, QxPoint{p2.x, point.y});
        else
            placePoint(2, point);
        return eNoError;
    case 2:
        if (!isPointSet(0) || !isPointSet(1) || point.x < getPoint(0).x || point.x < getPoint(1).x)
            return eNotAllParamsValid;
        return QxShapeAnnot::setPoint(2, QxPoint{point.x, p2.y});
    default:
        return eInvalidIndex;
    }
}

double QxFibonacciRetracement::levelValue(double ratio) const
{
    const double start = getPoint(0).y, end = getPoint(1).y;
    return end - (end - start) * ratio;
}

wxString QxFibonacciRetracement::levelLabel(double ratio) { return wxString::Format("%3.2f %%", ratio * 100.0); }

std::vector<QxShapeAnnot::Segment> QxFibonacciRetracement::levelSegments(const QxScale& x, const QxScale& y) const
{
    const QxPoint p0 = getPoint(0), p1 = getPoint(1), p2 = getPoint(2);
    const int left = x.map(std::min(p0.x, p1.x));
    const int right = x.map(std::max(p0.x, p2.x));
    std::vector<Segment> out;
    for (double ratio : kRatios) {
        const int row = y.map(levelValue(ratio));
        out.emplace_back(wxPoint(left, row), wxPoint(right, row));
    }
    return out;
}

int QxFibonacciRetracement::draw(wxDC& dc, unsigned, unsigned, const QxScale& x, const QxScale& y) const
{
    if (!pointsSet(2))
        return eNotAllParamsValid;
    const wxPen oldPen = dc.GetPen();
    const wxFont oldFont = dc.GetFont();
    const wxColour oldText = dc.GetTextForeground();
    dc.SetPen(getPen());
    dc.SetFont(getFont().IsOk() ? getFont() : *wxNORMAL_FONT);
    dc.SetTextForeground(getPen().GetColour());

    const wxSize extent = dc.GetTextExtent("100 %");
    const int h = extent.y;
    const std::vector<Segment> levels = levelSegments(x, y);
    for (size_t i = 0; i < levels.size(); ++i) {
        const Segment& level = levels[i];
        dc.DrawLine(level.first, level.second);
        // Right of the label a quarter of its height before the line starts,
        // centred on the level.
        const wxRect label(level.first.x - h / 4 - extent.x + 1, level.first.y - h + h / 2, extent.x, h);
        dc.DrawLabel(levelLabel(kRatios[i]), label, wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL);
    }
    if (isSelected())
        drawHandles(dc, pixels(x, y));

    dc.SetPen(oldPen);
    dc.SetFont(oldFont);
    dc.SetTextForeground(oldText);
    return eNoError;
}

int QxFibonacciRetracement::hitTest(const wxPoint& p, const QxScale& x, const QxScale& y, unsigned* pointIndex,
                                    int tolerance) const
{
    if (!pointsSet(3))
        return eHitNone;
    return hitPointsThenSegments(p, pixels(x, y), levelSegments(x, y), pointIndex, tolerance);
}
