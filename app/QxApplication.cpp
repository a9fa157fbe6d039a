#include "app/QxApplication.h"

#include <wx/frame.h>

bool QxApplication::OnInit()
{
    if (!wxApp::OnInit())
        return false;
    SetVendorName("Corvane");
    SetAppName("Trendoria");
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Corvane Trendoria 2014");
    frame->Show();
    return true;
}
