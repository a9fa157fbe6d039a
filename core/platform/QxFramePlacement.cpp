#include "core/platform/QxFramePlacement.h"

#include <wx/display.h>
#include <wx/toplevel.h>

namespace {

// Whether a frame of this size fills the screen it is on, as a maximised
// one does (a few pixels of frame either way).
bool fillsScreen(const wxTopLevelWindow* frame, const wxSize& size)
{
    const int index = wxDisplay::GetFromWindow(frame);
    const wxRect area = wxDisplay(index == wxNOT_FOUND ? 0u : unsigned(index)).GetClientArea();
    return size.x >= area.width - 16 && size.y >= area.height - 16;
}

} // namespace

QxFramePlacement::QxFramePlacement(wxSize& size, bool* maximized) : m_size(size), m_maximized(maximized), m_before(size)
{
}

QxFramePlacement::~QxFramePlacement()
{
    if (m_frame)
        m_frame->Unbind(wxEVT_IDLE, &QxFramePlacement::onIdle, this);
}

void QxFramePlacement::attach(wxTopLevelWindow* frame)
{
    if (!frame || m_frame)
        return;
    m_frame = frame;
    const wxSize size = m_size;
    m_openedMaximized = m_maximized && *m_maximized;
    m_attaching = true;
    frame->SetSize(size);
    // What the frame took: a stored size below its minimum is not kept.
    m_size = m_before = frame->GetSize();
    if (m_openedMaximized)
        frame->Maximize(true);
    m_attaching = false;
    m_seenMaximized = frame->IsMaximized();
    frame->Bind(wxEVT_IDLE, &QxFramePlacement::onIdle, this);
}

void QxFramePlacement::sized(const wxSize& size)
{
    if (!m_frame || m_attaching || m_frame->IsIconized())
        return;
    if (m_frame->IsMaximized()) {
        if (m_maximized)
            *m_maximized = true;
        // The same size, taken while the state was still on its way, was
        // the screen's.
        if (size == m_size && fillsScreen(m_frame, size))
            m_size = m_before;
        return;
    }
    if (m_maximized)
        *m_maximized = false;
    if (size != m_size) {
        m_before = m_size;
        m_size = size;
    }
}

void QxFramePlacement::onIdle(wxIdleEvent& event)
{
    event.Skip();
    takeState();
}

void QxFramePlacement::takeState()
{
    if (!m_frame || m_frame->IsIconized() || m_frame->IsBeingDeleted())
        return;
    const bool maximized = m_frame->IsMaximized();
    if (maximized == m_seenMaximized)
        return;
    m_seenMaximized = maximized;
    if (m_maximized)
        *m_maximized = maximized;
    const wxSize now = m_frame->GetSize();
    if (maximized) {
        // A size that came before the state and fills the screen was the
        // maximised one. (When the state came first, the frame still has
        // the size to restore to.)
        if (m_size == now && fillsScreen(m_frame, now))
            m_size = m_before;
    } else if (now != m_size && !fillsScreen(m_frame, now)) {
        // Restored: the size the frame went back to, unless the size event
        // is still to come.
        m_before = m_size;
        m_size = now;
    }
}
