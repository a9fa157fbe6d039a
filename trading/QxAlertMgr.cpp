#include "trading/QxAlertMgr.h"

#include "core/QxTime.h"
#include "core/platform/wxeStandardPaths.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/wfstream.h>
#include <wx/xml/xml.h>

#include <algorithm>

namespace {

QxAlertMgr* g_alertMgr = nullptr;

const char* const kRootName = "AlertSettings";

} // namespace

QxAlertMgr* QxAlertMgr::get()
{
    if (!g_alertMgr)
        g_alertMgr = new QxAlertMgr(subtractDateSpan(timestampNow(), wxDateSpan(0, 1, 0, 0)));
    return g_alertMgr;
}

QxAlertMgr* QxAlertMgr::existing() { return g_alertMgr; }

void QxAlertMgr::destroy()
{
    delete g_alertMgr;
    g_alertMgr = nullptr;
}

QxAlertMgr::QxAlertMgr(int64_t evaluationStart) : m_evaluationStart(evaluationStart) { load(); }

QxAlertMgr::~QxAlertMgr() = default;

void QxAlertMgr::addAlertReactor(QxAlertReactor* reactor)
{
    if (reactor && std::find(m_reactors.begin(), m_reactors.end(), reactor) == m_reactors.end())
        m_reactors.push_back(reactor);
}

void QxAlertMgr::removeAlertReactor(QxAlertReactor* reactor)
{
    m_reactors.erase(std::remove(m_reactors.begin(), m_reactors.end(), reactor), m_reactors.end());
}

wxString QxAlertMgr::filePath()
{
    return wxFileName(wxeStandardPaths().GetUserDataDir(), "alert_repo", "xml").GetFullPath();
}

void QxAlertMgr::load()
{
    const wxString path = filePath();
    if (!wxFileName::FileExists(path))
        return;
    wxLogNull quiet; // a damaged file leaves the manager empty, silently
    auto doc = std::make_unique<wxXmlDocument>();
    if (doc->Load(path, "UTF-8") && doc->GetRoot())
        m_loaded = std::move(doc);
}

bool QxAlertMgr::save()
{
    wxXmlDocument doc;
    auto* root = new wxXmlNode(wxXML_ELEMENT_NODE, kRootName);
    doc.SetRoot(root);
    if (m_loaded) {
        for (const wxXmlNode* child = m_loaded->GetRoot()->GetChildren(); child; child = child->GetNext())
            if (child->GetType() == wxXML_ELEMENT_NODE)
                root->AddChild(new wxXmlNode(*child)); // appended: document order kept
    }

    wxLogNull quiet; // a failure to write at exit is not reported
    const wxFileName file(filePath());
    if (!file.DirExists() && !wxFileName::Mkdir(file.GetPath(), 0777, wxPATH_MKDIR_FULL))
        return false;
    wxTempFileOutputStream out(file.GetFullPath());
    if (!out.IsOk() || !doc.Save(out, 2))
        return false;
    return out.Commit();
}
