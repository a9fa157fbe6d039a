// A trading-system definition file as Edit of a system or a scan loads it,
// and the exit's save that writes the system back from what was read.
#include "FuzzSupport.h"

#include "trading/QxTradingSystem.h"
#include "trading/QxTradingSystemMgr.h"

#include <wx/app.h>
#include <wx/filename.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The store's folder, found once; no shipped copy to seed from, so what
    // is listed comes from the input.
    static const wxString folder = [] {
        QxTradingSystemMgr::setProgramFolder(FuzzSupport::scratchPath("no-program"));
        const wxString path = wxFileName(QxTradingSystemMgr::getInstance(true)->indexFileName()).GetPath();
        QxTradingSystemMgr::destroy();
        return path;
    }();
    FuzzSupport::removeAll(folder);
    wxFileName::Mkdir(folder + "/definitions", 0777, wxPATH_MKDIR_FULL);
    static const char index[] = "<Systems><TradingSystem Name=\"Fuzz\" Desc=\"f\"/></Systems>";
    FuzzSupport::writeFile(folder + "/index.xml", reinterpret_cast<const uint8_t*>(index), sizeof index - 1);
    if (!FuzzSupport::writeFile(folder + "/definitions/Fuzz.xml", data, size))
        return 0;

    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    if (QxObjectSmartPtr<QxTradingSystem> system = store->getSystem(QxAtom("Fuzz"))) {
        (void)system->getDescription();
        store->markModified(QxAtom("Fuzz"));
        // A second read sees what the save wrote.
        (void)store->save();
    }
    QxTradingSystemMgr::destroy();
    store = QxTradingSystemMgr::getInstance(true);
    (void)store->getSystem(QxAtom("Fuzz"));
    QxTradingSystemMgr::destroy();
    // The store tells of a damaged file after the current event; no event
    // loop runs here, and the message is not what is tested.
    wxTheApp->DeletePendingEvents();
    return 0;
}
