#pragma once
// The framework's standard paths, with folders named after both the vendor
// and the application. On Linux the plug-ins folder is the folder of the
// executable, so that the build tree runs uninstalled.
#include <wx/stdpaths.h>

class wxeStandardPaths : public wxStandardPaths {
public:
    wxeStandardPaths();

    wxString GetPluginsDir() const override;
};
