#include "chartview/QxRectAnnot.h"

#include "core/QxErrorCode.h"

#include <wx/dc.h>

QxAtom QxRectAnnot::getName() const { return QxAtom("QxRectAnnot"); }

int QxRectAnnot::draw(wxDC& dc, unsigned, unsigned, const QxScale& x, const QxScale& y) const
{
    if (!pointsSet(2))
        return eNotAllParamsValid;
    const std::vector<wxPoint> corners = pixels(x, y);
    const wxPen oldPen = dc.GetPen();
    const wxBrush oldBrush = dc.GetBrush();
    dc.SetPen(getPen());
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(wxRect(corners[0], corners[1]));
    if (isSelected())
        drawHandles(dc, corners);
    dc.SetPen(oldPen);
    dc.SetBrush(oldBrush);
    return eNoError;
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
