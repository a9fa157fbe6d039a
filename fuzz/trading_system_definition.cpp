// A trading-system definition file as Edit of a system or a scan loads it,
// and the exit's save that writes the system back from what was read.
#include "FuzzSupport.h"

#include "trading/QxTradingSystem.h"
#include "trading/QxTradingSystemMgr.h"

#include <wx/filename.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool noShippedCopy = [] {
        QxTradingSystemMgr::setProgramFolder(FuzzSupport::scratchPath("no-program"));
        return true;
    }();
    (void)noShippedCopy;
    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    const wxString folder = wxFileName(store->indexFileName()).GetPath();
    QxTradingSystemMgr::destroy();
    FuzzSupport::removeAll(folder);
    wxFileName::Mkdir(folder + "/definitions", 0777, wxPATH_MKDIR_FULL);
    static const char index[] = "<Systems><TradingSystem Name=\"Fuzz\" Desc=\"f\"/></Systems>";
    FuzzSupport::writeFile(folder + "/index.xml", reinterpret_cast<const uint8_t*>(index), sizeof index - 1);
    if (!FuzzSupport::writeFile(folder + "/definitions/Fuzz.xml", data, size))
        return 0;

    store = QxTradingSystemMgr::getInstance(true);
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
    return 0;
}
