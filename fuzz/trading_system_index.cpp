// The trading-system store's "index.xml" as a start finds it: the store
// lists it (keeping a damaged one aside and listing the definitions again),
// every listed system is asked for, and the exit's save writes it back.
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
    // One definition, so that a listed name can load a system.
    static const char definition[] =
        "<TradingSystem Name=\"Alpha\" Type=\"1\" Desc=\"a\"><Signals>"
        "<Signal EvalRule=\"1\" Name=\"LongExit\"><Conditions><Condition Name=\"MovesDown\">"
        "<FirstSeries Type=\"2048\"/></Condition></Conditions></Signal>"
        "<Signal EvalRule=\"1\" Name=\"LongEntry\"><Conditions><Condition Name=\"MovesUp\">"
        "<FirstSeries Type=\"2048\"/></Condition></Conditions></Signal></Signals></TradingSystem>";
    FuzzSupport::writeFile(folder + "/definitions/Alpha.xml", reinterpret_cast<const uint8_t*>(definition),
                           sizeof definition - 1);
    if (!FuzzSupport::writeFile(folder + "/index.xml", data, size))
        return 0;

    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    for (unsigned i = 0; i < store->getCount(); ++i) {
        const QxTradingSystemEntry& entry = store->getEntryAt(i);
        if (QxObjectSmartPtr<QxTradingSystem> system = store->getSystem(entry.name))
            store->markModified(entry.name);
    }
    (void)store->save();
    QxTradingSystemMgr::destroy();
    // The store tells of a damaged file after the current event; no event
    // loop runs here, and the message is not what is tested.
    wxTheApp->DeletePendingEvents();
    return 0;
}
