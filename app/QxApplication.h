#pragma once
#include <wx/app.h>

// The one application object.
class QxApplication : public wxApp {
public:
    bool OnInit() override;
};

wxDECLARE_APP(QxApplication);
