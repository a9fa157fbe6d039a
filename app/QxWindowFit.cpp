#include "app/QxWindowFit.h"

#include <wx/sizer.h>
#include <wx/window.h>

#include <algorithm>

void fitWindowToSizer(wxWindow* window)
{
    wxSizer* sizer = window ? window->GetSizer() : nullptr;
    if (!sizer)
        return;
    const wxSize fitting = sizer->ComputeFittingWindowSize(window);
    const wxSize current = window->GetSize();
    window->SetSize(wxSize(std::max(current.x, fitting.x), std::max(current.y, fitting.y)));
}
