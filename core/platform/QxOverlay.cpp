#include "core/platform/QxOverlay.h"

#include <wx/window.h>

#include <algorithm>

void QxOverlay::set(int slot, std::vector<Line> lines)
{
    if (lines.empty())
        m_slots.erase(slot);
    else
        m_slots[slot] = Content{std::move(lines), Painter(), wxRect()};
}

void QxOverlay::setPainter(int slot, Painter painter, const wxRect& area)
{
    if (!painter)
        m_slots.erase(slot);
    else
        m_slots[slot] = Content{{}, std::move(painter), area};
}

void QxOverlay::clear(int slot) { m_slots.erase(slot); }

bool QxOverlay::isShown(int slot) const { return m_slots.count(slot) != 0; }

const std::vector<QxOverlay::Line>& QxOverlay::lines(int slot) const
{
    static const std::vector<Line> none;
    auto it = m_slots.find(slot);
    return it == m_slots.end() ? none : it->second.lines;
}

std::vector<wxRect> QxOverlay::dirtyRects(int slot) const
{
    std::vector<wxRect> out;
    if (auto it = m_slots.find(slot); it != m_slots.end() && it->second.painter && !it->second.area.IsEmpty())
        out.push_back(it->second.area);
    for (const Line& l : lines(slot)) {
        const int grow = std::max(1, l.pen.IsOk() ? l.pen.GetWidth() : 1);
        wxRect r(wxPoint(std::min(l.from.x, l.to.x), std::min(l.from.y, l.to.y)),
                 wxPoint(std::max(l.from.x, l.to.x), std::max(l.from.y, l.to.y)));
        out.push_back(r.Inflate(grow, grow));
    }
    return out;
}

void QxOverlay::paint(wxDC& dc) const
{
    if (m_slots.empty())
        return;
    const wxPen old = dc.GetPen();
    for (const auto& slot : m_slots) {
        for (const Line& l : slot.second.lines) {
            dc.SetPen(l.pen);
            dc.DrawLine(l.from, l.to);
            // DrawLine leaves out the end point.
            dc.DrawPoint(l.to);
        }
        if (slot.second.painter)
            slot.second.painter(dc);
    }
    dc.SetPen(old);
}

void QxOverlay::refresh(wxWindow* window, int slot, const wxPoint& origin) const
{
    if (!window)
        return;
    for (wxRect r : dirtyRects(slot)) {
        r.Offset(origin);
        window->RefreshRect(r, false);
    }
}
