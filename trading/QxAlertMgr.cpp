#include "trading/QxAlertMgr.h"

#include "core/QxTime.h"
#include "core/QxXmlFile.h"
#include "core/platform/wxeStandardPaths.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/wfstream.h>
#include <wx/xml/xml.h>

#include <algorithm>

namespace {

QxAlertMgr* g_alertMgr = nullptr;

const char* const kRootName = "AlertSettings";

// The alert file is shallow: settings, their securities, their alerts, with
// room for the conditions a setting carries. Anything deeper or larger was
// not written by the program.
const QxXmlLimits kAlertFileLimits = {64u << 20, 32};

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
    auto doc = std::make_unique<wxXmlDocument>();
    wxString why;
    switch (qxLoadXmlFile(path, *doc, kAlertFileLimits, wxString(), &why)) {
    case QxXmlRead::eRead:
        m_loaded = std::move(doc);
        break;
    case QxXmlRead::eMissing:
        break;
    case QxXmlRead::eDamaged:
        // Kept aside so the file written at exit does not replace it; when
        // it cannot be moved, nothing is written over it.
        m_keepOldFile = qxKeepDamagedFileAside(path, why).empty();
        break;
    }
}

bool QxAlertMgr::save()
{
    if (m_keepOldFile)
        return false;
    // The settings read are written back as they came, in their own
    // document: a tree read from disk is never copied node by node.
    wxXmlDocument fresh;
    wxXmlDocument* doc = m_loaded ? m_loaded.get() : &fresh;
    if (!doc->GetRoot())
        doc->SetRoot(new wxXmlNode(wxXML_ELEMENT_NODE, kRootName));
    wxXmlNode* root = doc->GetRoot();
    root->SetName(kRootName);
    for (wxXmlNode* child = root->GetChildren(); child;) {
        wxXmlNode* next = child->GetNext();
        if (child->GetType() != wxXML_ELEMENT_NODE) {
            root->RemoveChild(child);
            delete child;
        }
        child = next;
    }

    wxLogNull quiet; // a failure to write at exit is not reported
    const wxFileName file(filePath());
    if (!file.DirExists() && !wxFileName::Mkdir(file.GetPath(), 0777, wxPATH_MKDIR_FULL))
        return false;
    return qxSaveXmlFile(*doc, file.GetFullPath(), 2);
}
