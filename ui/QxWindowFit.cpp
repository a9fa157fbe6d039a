#include "ui/QxWindowFit.h"

#include <wx/sizer.h>
#include <wx/window.h>

#include <algorithm>

void growToFittingSize(wxWindow* window)
{
    wxSizer* sizer = window ? window->GetSizer() : nullptr;
    if (!sizer)
        return;
    const wxSize fitting = sizer->ComputeFittingWindowSize(window);
    const wxSize now = window->GetSize();
    const wxSize grown(std::max(now.x, fitting.x), std::max(now.y, fitting.y));
    if (grown != now)
        window->SetSize(grown);
}
