#include "core/platform/wxeStandardPaths.h"

#include <wx/filename.h>

wxeStandardPaths::wxeStandardPaths()
{
    UseAppInfo(AppInfo_AppName | AppInfo_VendorName);
}

wxString wxeStandardPaths::GetPluginsDir() const
{
    return wxFileName(GetExecutablePath()).GetPath();
}
