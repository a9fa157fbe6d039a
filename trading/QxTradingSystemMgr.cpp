#include "trading/QxTradingSystemMgr.h"

#include "core/platform/wxeStandardPaths.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/wfstream.h>
#include <wx/xml/xml.h>

namespace {
QxTradingSystemMgr* g_store = nullptr;
}

QxTradingSystemMgr* QxTradingSystemMgr::getInstance(bool create)
{
    if (!g_store && create)
        g_store = new QxTradingSystemMgr;
    return g_store;
}

void QxTradingSystemMgr::destroy()
{
    delete g_store;
    g_store = nullptr;
}

QxTradingSystemMgr::QxTradingSystemMgr()
{
    wxFileName index(wxeStandardPaths().GetUserDataDir(), "index", "xml");
    index.AppendDir("data");
    index.AppendDir("trading_system");
    m_indexFileName = index.GetFullPath();
    wxFileName definitions(index.GetPath(), wxString());
    definitions.AppendDir("definitions");
    m_definitionsFolder = definitions.GetPath();

    wxLogNull quiet;
    if (wxFileName::FileExists(m_indexFileName)) {
        auto doc = std::make_unique<wxXmlDocument>();
        if (doc->Load(m_indexFileName, "UTF-8") && doc->GetRoot())
            m_index = std::move(doc);
    }
}

QxTradingSystemMgr::~QxTradingSystemMgr() = default;

bool QxTradingSystemMgr::save()
{
    if (!m_index)
        return false;
    wxLogNull quiet; // failures to save are not reported
    wxTempFileOutputStream out(m_indexFileName);
    if (!out.IsOk() || !m_index->Save(out, 2))
        return false;
    return out.Commit();
}
