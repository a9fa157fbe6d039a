#include "chartframe/WndBitmapView.h"

#include <wx/bitmap.h>
#include <wx/dcclient.h>

WndBitmapView::WndBitmapView(wxWindow* parent, wxWindowID id)
    : wxScrolledWindow(parent, id, wxDefaultPosition, wxDefaultSize,
                       wxHSCROLL | wxVSCROLL | wxALWAYS_SHOW_SB | wxSUNKEN_BORDER)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &WndBitmapView::onPaint, this);
}

WndBitmapView::~WndBitmapView() { delete m_bitmap; }

void WndBitmapView::setBitmap(wxBitmap* bitmap)
{
    m_bitmap = bitmap;
    const int w = bitmap ? bitmap->GetWidth() : 0;
    const int h = bitmap ? bitmap->GetHeight() : 0;
    SetScrollbars(1, 1, w, h, 0, 0);
    InvalidateBestSize();
    Refresh();
}

wxSize WndBitmapView::DoGetBestSize() const
{
    if (!m_bitmap || !m_bitmap->IsOk())
        return wxScrolledWindow::DoGetBestSize();
    // Room for the borders and the scroll bars that are always shown.
    const wxSize bars(wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this),
                      wxSystemSettings::GetMetric(wxSYS_HSCROLL_Y, this));
    return m_bitmap->GetSize() + bars + GetWindowBorderSize();
}

void WndBitmapView::onPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    DoPrepareDC(dc);
    if (m_bitmap && m_bitmap->IsOk())
        dc.DrawBitmap(*m_bitmap, 0, 0, false);
}
