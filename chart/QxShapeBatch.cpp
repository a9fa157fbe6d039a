#include "chart/QxShapeBatch.h"

#include "chart/QxPixelTarget.h"

#include <wx/graphics.h>

#include <algorithm>

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

void QxShapeBatch::addPolygon(int n, const wxPoint points[]) { add(ePolygon, n, points); }

void QxShapeBatch::addArea(int n, const wxPoint points[]) { add(eArea, n, points); }

void QxShapeBatch::addOutline(int n, const wxPoint points[]) { add(eOutline, n, points); }

void QxShapeBatch::add(Kind kind, int n, const wxPoint points[])
{
    if (n <= 0)
        return;
    m_shapes.push_back({kind, m_points.size(), n});
    m_points.insert(m_points.end(), points, points + n);
}

void QxShapeBatch::clear()
{
    m_shapes.clear();
    m_points.clear();
}

bool QxShapeBatch::draw(const wxPen& pen, const wxBrush& brush)
{
    wxGraphicsContext* gc = m_dc.GetGraphicsContext();
    // Under any other operation the device context decides what is drawn.
    if (!gc || m_dc.GetLogicalFunction() != wxCOPY) {
        drawEach(pen, brush);
        return false;
    }
    const bool outlined = pen.IsOk() && pen.GetStyle() != wxPENSTYLE_TRANSPARENT;
    const bool filled = brush.IsOk() && brush.GetStyle() != wxBRUSHSTYLE_TRANSPARENT;
    if (m_shapes.empty() || (!outlined && !filled)) {
        clear();
        return false;
    }
    if (gc->GetAntialiasMode() == wxANTIALIAS_NONE && drawAsPixels(outlined ? &pen : nullptr, filled ? &brush : nullptr)) {
        clear();
        return true;
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
        case eArea:
        case eOutline:
            // Open, ending on the first point, as the device context draws it.
            for (wxGraphicsPath* path : {&outline, &area}) {
                if ((path == &outline && s.kind == eArea) || (path == &area && s.kind == eOutline))
                    continue;
                path->MoveToPoint(p[0].x, p[0].y);
                for (int i = 1; i < s.count; ++i)
                    path->AddLineToPoint(p[i].x, p[i].y);
                if (p[s.count - 1] != p[0])
                    path->AddLineToPoint(p[0].x, p[0].y);
            }
            anyArea = anyArea || s.kind != eOutline;
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
    clear();
    return false;
}

bool QxShapeBatch::drawAsPixels(const wxPen* pen, const wxBrush* brush)
{
    // A pen of one pixel (0 draws as 1) whose lines end flat and whose
    // corners are square covers whole pixels; opaque, so that where its
    // lines cross, one pixel drawn twice looks as drawn once.
    if (pen && (pen->GetStyle() != wxPENSTYLE_SOLID || pen->GetWidth() < 0 || pen->GetWidth() > 1 ||
                pen->GetCap() != wxCAP_BUTT || pen->GetJoin() != wxJOIN_MITER ||
                pen->GetColour().Alpha() != wxALPHA_OPAQUE))
        return false;
    if (brush && brush->GetStyle() != wxBRUSHSTYLE_SOLID)
        return false;
    for (const Shape& s : m_shapes) {
        const wxPoint* p = &m_points[s.first];
        if (s.kind == ePolygon || s.kind == eArea || s.kind == eOutline || (s.kind == eLine && p[0].x != p[1].x && p[0].y != p[1].y) ||
            (s.kind == eRectangle && (p[1].x < 0 || p[1].y < 0)))
            return false;
    }
    const QxPixelPaint* line = pen ? QxPixelPaint::of(pen->GetColour()) : nullptr;
    const QxPixelPaint* area = brush ? QxPixelPaint::of(brush->GetColour()) : nullptr;
    if ((pen && !line) || (brush && !area))
        return false;
    QxPixelTarget target(m_dc);
    if (!target.isOpen())
        return false;

    // As the graphics context draws them: a rectangle with a visible pen
    // one pixel smaller, its fill from its corner without the last row and
    // column, its outline centred on the pixels of its edges; a line the
    // pixels from its first point up to, not including, its last.
    const int shrink = pen && pen->GetWidth() > 0 ? 1 : 0;
    if (area)
        for (const Shape& s : m_shapes)
            if (s.kind == eRectangle) {
                const wxPoint* p = &m_points[s.first];
                const int w = p[1].x - shrink, h = p[1].y - shrink;
                target.fill(p[0].x, p[0].y, p[0].x + w, p[0].y + h, *area);
            }
    if (!line)
        return true;
    for (const Shape& s : m_shapes) {
        const wxPoint* p = &m_points[s.first];
        if (s.kind == eLine) {
            if (p[0].x == p[1].x)
                target.fill(p[0].x, std::min(p[0].y, p[1].y), p[0].x + 1, std::max(p[0].y, p[1].y), *line);
            else
                target.fill(std::min(p[0].x, p[1].x), p[0].y, std::max(p[0].x, p[1].x), p[0].y + 1, *line);
            continue;
        }
        const int x = p[0].x, y = p[0].y, w = p[1].x - shrink, h = p[1].y - shrink;
        if (w == 0 || h == 0) {
            // Flat: the line there and back, without its far end; a
            // point is nothing.
            if (w != 0 || h != 0)
                target.fill(x, y, x + std::max(w, 1), y + std::max(h, 1), *line);
            continue;
        }
        target.fill(x, y, x + w + 1, y + 1, *line);
        target.fill(x, y + h, x + w + 1, y + h + 1, *line);
        target.fill(x, y + 1, x + 1, y + h, *line);
        target.fill(x + w, y + 1, x + w + 1, y + h, *line);
    }
    return true;
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
        case eArea:
        case eOutline:
            if (s.kind == eArea)
                m_dc.SetPen(*wxTRANSPARENT_PEN);
            else
                m_dc.SetBrush(*wxTRANSPARENT_BRUSH);
            m_dc.DrawPolygon(s.count, p, 0, 0, m_fillMode);
            m_dc.SetPen(pen);
            m_dc.SetBrush(brush);
            break;
        }
    }
    m_dc.SetBrush(oldBrush);
    m_dc.SetPen(oldPen);
    clear();
}
