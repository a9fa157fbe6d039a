// "alert_repo.xml" as the alert manager finds it at start-up, and the save
// at exit that carries its contents over.
#include "FuzzSupport.h"

#include "trading/QxAlertMgr.h"

#include <wx/filename.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const wxFileName file(QxAlertMgr::filePath());
    // A fresh folder: damaged inputs are kept aside beside the file, and a
    // folder full of those leaves nowhere to keep the next.
    FuzzSupport::removeAll(file.GetPath());
    wxFileName::Mkdir(file.GetPath(), 0777, wxPATH_MKDIR_FULL);
    if (!FuzzSupport::writeFile(file.GetFullPath(), data, size))
        return 0;
    // Whether the write succeeds is the writer's business; the target is
    // the reader, which ran when the manager loaded.
    (void)QxAlertMgr::get()->save();
    QxAlertMgr::destroy();
    return 0;
}
