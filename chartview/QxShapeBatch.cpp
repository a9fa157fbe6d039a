#include "chartview/QxShapeBatch.h"

#include <wx/graphics.h>

QxShapeBatch::QxShapeBatch(wxDC& dc, wxPolygonFillMode fillMode) : m_dc(dc), m_fillMode(fillMode) {}

void QxShapeBatch::addLine(int x1, int y1, int x2, int y2)
{
    m_shapes.push_back({eLine, m_points.size(), 2});
    m_points.emplace_back(x1, y1);
    m_points.emplace_back(x2, y2);
}

void QxShapeBatch::addRectangle(int x, int y, int width, int height)
{
    // The device context draws nothing without width or height.
    if (width == 0 || height == 0)
        return;
    m_shapes.push_back({eRectangle, m_points.size(), 2});
    m_points.emplace_back(x, y);
    m_points.emplace_back(width, height);
}

void QxShapeBatch::addPolygon(int n, const wxPoint points[])
{
    if (n <= 0)
        return;
    m_shapes.push_back({ePolygon, m_points.size(), n});
    m_points.insert(m_points.end(), points, points + n);
}

void QxShapeBatch::draw(const wxPen& pen, const wxBrush& brush)
{
    wxGraphicsContext* gc = m_dc.GetGraphicsContext();
    // Under any other operation the device context decides what is drawn.
    if (!gc || m_dc.GetLogicalFunction() != wxCOPY) {
        drawEach(pen, brush);
        return;
    }
    const bool outlined = pen.IsOk() && pen.GetStyle() != wxPENSTYLE_TRANSPARENT;
    const bool filled = brush.IsOk() && brush.GetStyle() != wxBRUSHSTYLE_TRANSPARENT;
    if (m_shapes.empty() || (!outlined && !filled)) {
        m_shapes.clear();
        m_points.clear();
        return;
    }
    // With a visible pen the device context draws a rectangle one pixel
    // smaller, so that its outline ends on the last row and column.
    const int shrink = outlined && pen.GetWidth() > 0 ? 1 : 0;
    // Lines and rectangles without room inside have nothing to fill: they
    // stay out of the filled path, which at one pixel a bar is all of them.
    wxGraphicsPath outline = gc->CreatePath(), area = gc->CreatePath();
    bool anyArea = false;
    for (const Shape& s : m_shapes) {
        const wxPoint* p = &m_points[s.first];
        switch (s.kind) {
        case eLine:
            outline.MoveToPoint(p[0].x, p[0].y);
            outline.AddLineToPoint(p[1].x, p[1].y);
            break;
        case eRectangle: {
            const int w = p[1].x - shrink, h = p[1].y - shrink;
            outline.AddRectangle(p[0].x, p[0].y, w, h);
            if (w != 0 && h != 0) {
                area.AddRectangle(p[0].x, p[0].y, w, h);
                anyArea = true;
            }
            break;
        }
        case ePolygon:
            // Open, ending on the first point, as the device context draws it.
            for (wxGraphicsPath* path : {&outline, &area}) {
                path->MoveToPoint(p[0].x, p[0].y);
                for (int i = 1; i < s.count; ++i)
                    path->AddLineToPoint(p[i].x, p[i].y);
                if (p[s.count - 1] != p[0])
                    path->AddLineToPoint(p[0].x, p[0].y);
            }
            anyArea = true;
            break;
        }
    }
    if (filled && anyArea) {
        gc->SetBrush(brush);
        gc->FillPath(area, m_fillMode);
    }
    if (outlined) {
        gc->SetPen(pen);
        gc->StrokePath(outline);
    }
    // The context goes back to the device context's pen and brush.
    gc->SetPen(m_dc.GetPen());
    gc->SetBrush(m_dc.GetBrush());
    m_shapes.clear();
    m_points.clear();
}

void QxShapeBatch::drawEach(const wxPen& pen, const wxBrush& brush)
{
    const wxPen oldPen = m_dc.GetPen();
    const wxBrush oldBrush = m_dc.GetBrush();
    m_dc.SetPen(pen);
    m_dc.SetBrush(brush);
    for (const Shape& s : m_shapes) {
        const wxPoint* p = &m_points[s.first];
        switch (s.kind) {
        case eLine:
            m_dc.DrawLine(p[0], p[1]);
            break;
        case eRectangle:
            m_dc.DrawRectangle(p[0].x, p[0].y, p[1].x, p[1].y);
            break;
        case ePolygon:
            m_dc.DrawPolygon(s.count, p, 0, 0, m_fillMode);
            break;
        }
    }
    m_dc.SetBrush(oldBrush);
    m_dc.SetPen(oldPen);
    m_shapes.clear();
    m_points.clear();
}
