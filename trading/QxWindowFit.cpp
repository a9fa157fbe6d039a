#include "trading/QxWindowFit.h"

#include <wx/sizer.h>

#include <algorithm>
#include <wx/window.h>

void growToFittingSize(wxWindow* window)
{
    if (!window || !window->GetSizer())
        return;
    const wxSize fitting = window->GetSizer()->ComputeFittingWindowSize(window);
    const wxSize now = window->GetSize();
    const wxSize grown(std::max(now.x, fitting.x), std::max(now.y, fitting.y));
    if (grown != now)
        window->SetSize(grown);
}
