#pragma once
// What a chart window shows: the whole paint path (picture and whatever is
// drawn over it) into a picture of the client area.
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

template <class View>
wxImage renderedView(View* view)
{
    const wxSize size = view->GetClientSize();
    wxBitmap bitmap(size.x, size.y, 24);
    wxMemoryDC dc(bitmap);
    view->PrepareDC(dc);
    view->render(dc);
    dc.SelectObject(wxNullBitmap);
    return bitmap.ConvertToImage();
}
