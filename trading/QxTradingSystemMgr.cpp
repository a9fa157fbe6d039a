#include "trading/QxTradingSystemMgr.h"

#include "app/QxApplication.h"
#include "core/QxErrorCode.h"
#include "core/QxXmlFile.h"
#include "core/platform/wxeStandardPaths.h"
#include "trading/QxTradingSystem.h"

#include <wx/app.h>
#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/xml/xml.h>

#include <algorithm>

namespace {

QxTradingSystemMgr* g_store = nullptr;
wxString g_programFolder;
// Nesting depth of getSystem: a definition being loaded never loads another.
int g_getSystemDepth = 0;

// Index and definitions are a few kilobytes and nest about ten elements
// deep; anything far larger or deeper is not one of ours and is refused
// before a tree of it is built.
constexpr QxXmlLimits kFileLimits{16u << 20, 256};

// Loads path into doc; false (doc then empty) when the file is missing or
// the shared reader refuses it, why then saying what is wrong.
bool readXml(const wxString& path, wxXmlDocument& doc, wxString* why = nullptr)
{
    return qxLoadXmlFile(path, doc, kFileLimits, wxString(), why) == QxXmlRead::eRead;
}

// Whether the definition at path reads as a system.
bool isReadableDefinition(const wxString& path)
{
    wxXmlDocument doc;
    if (!readXml(path, doc))
        return false;
    QxObjectSmartPtr<QxTradingSystem> system(QxTradingSystem::fromXML(doc.GetRoot()));
    return static_cast<bool>(system);
}

// The index as this store writes it, from what a read one lists: one flat
// "TradingSystem" element per named child, in document order, with its name
// and description and nothing else. Whatever else a file held (deep or
// bulky content) is never carried into the file written back.
std::unique_ptr<wxXmlDocument> rebuiltIndex(const wxXmlDocument& read)
{
    auto index = std::make_unique<wxXmlDocument>();
    auto* root = new wxXmlNode(wxXML_ELEMENT_NODE, "Systems");
    index->SetRoot(root);
    if (!read.GetRoot())
        return index;
    wxXmlNode* last = nullptr;
    for (const wxXmlNode* child = read.GetRoot()->GetChildren(); child; child = child->GetNext()) {
        const wxString name = child->GetType() == wxXML_ELEMENT_NODE ? child->GetAttribute("Name") : wxString();
        if (name.empty())
            continue;
        auto* node = new wxXmlNode(wxXML_ELEMENT_NODE, "TradingSystem");
        node->AddAttribute("Name", name);
        wxString description;
        if (child->GetAttribute("Desc", &description))
            node->AddAttribute("Desc", description);
        root->InsertChildAfter(node, last);
        last = node;
    }
    return index;
}

// Shown once, after the current event is done, so that no caller is
// interrupted by a window in the middle of its work.
void tellUser(const wxString& message)
{
    if (wxTheApp && wxTheApp->IsGUI())
        wxTheApp->CallAfter([message] {
            wxMessageBox(message, QxApplication::appTitle(), wxOK | wxICON_WARNING | wxCENTRE, nullptr);
        });
    else
        wxLogWarning("%s", message);
}

} // namespace

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

void QxTradingSystemMgr::setProgramFolder(const wxString& folder) { g_programFolder = folder; }

wxString QxTradingSystemMgr::programFolder()
{
    if (!g_programFolder.empty())
        return g_programFolder;
    return wxFileName(wxeStandardPaths().GetExecutablePath()).GetPath();
}

bool QxTradingSystemMgr::isValidSystemName(const wxString& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (wxUniChar c : name)
        if (c == '/' || c == '\\' || c == wxUniChar(0))
            return false;
    return true;
}

QxTradingSystemMgr::QxTradingSystemMgr() : m_index(std::make_unique<wxXmlDocument>())
{
    wxFileName index(wxeStandardPaths().GetUserDataDir(), "index", "xml");
    index.AppendDir("data");
    index.AppendDir("trading_system");
    m_indexFileName = index.GetFullPath();
    wxFileName definitions(index.GetPath(), wxString());
    definitions.AppendDir("definitions");
    m_definitionsFolder = definitions.GetPath();
    {
        wxLogNull quiet; // a folder that cannot be made shows as an empty store
        if (!wxFileName::DirExists(m_definitionsFolder))
            wxFileName::Mkdir(m_definitionsFolder, 0777, wxPATH_MKDIR_FULL);
    }
    loadIndex();
}

QxTradingSystemMgr::~QxTradingSystemMgr() = default;

wxString QxTradingSystemMgr::shippedFolder() const
{
    wxFileName folder(programFolder(), wxString());
    folder.AppendDir("data");
    folder.AppendDir("trading_system");
    return folder.GetPath();
}

wxString QxTradingSystemMgr::definitionPath(const QxAtom& name) const
{
    return wxFileName(m_definitionsFolder, name.string() + ".xml").GetFullPath();
}

void QxTradingSystemMgr::loadIndex()
{
    wxXmlDocument read;
    wxString why;
    switch (qxLoadXmlFile(m_indexFileName, read, kFileLimits, wxString(), &why)) {
    case QxXmlRead::eRead:
        m_index = rebuiltIndex(read);
        listIndex();
        return;
    case QxXmlRead::eMissing:
        break;
    case QxXmlRead::eDamaged:
        m_keptAsideIndex = qxSetAsideDamagedFile(m_indexFileName);
        m_indexWritable = !m_keptAsideIndex.empty();
        tellUser(m_indexWritable
                     ? wxString::Format(_("The list of trading systems could not be read. %s It was kept as \"%s\"; "
                                          "the systems found in the folder \"%s\" are listed again."),
                                        why, m_keptAsideIndex, m_definitionsFolder)
                     : wxString::Format(_("The list of trading systems \"%s\" could not be read. %s It is left as "
                                          "it is, and changes to trading systems will not be listed in it."),
                                        m_indexFileName, why));
        break;
    }
    copyIndexFromProgramFolder();
    copyDefinitionsFromProgramFolder();
    listIndex();
    relistDefinitions();
    if (m_indexWritable)
        qxSaveXmlFile(*m_index, m_indexFileName, 2);
}

void QxTradingSystemMgr::copyIndexFromProgramFolder()
{
    wxXmlDocument shipped;
    readXml(wxFileName(shippedFolder(), "index.xml").GetFullPath(), shipped);
    m_index = rebuiltIndex(shipped);
}

void QxTradingSystemMgr::copyDefinitionsFromProgramFolder()
{
    wxLogNull quiet; // failures to copy leave those systems unlisted or unloadable
    wxFileName shipped(shippedFolder(), wxString());
    shipped.AppendDir("definitions");
    if (!shipped.DirExists())
        return;
    wxArrayString files;
    wxDir::GetAllFiles(shipped.GetPath(), &files, "*.xml", wxDIR_FILES);
    for (const wxString& file : files) {
        const wxString target = wxFileName(m_definitionsFolder, wxFileName(file).GetFullName()).GetFullPath();
        if (!wxFileName::Exists(target))
            wxCopyFile(file, target, false);
    }
}

bool QxTradingSystemMgr::relistDefinitions()
{
    wxArrayString files;
    {
        wxLogNull quiet;
        if (wxFileName::DirExists(m_definitionsFolder))
            wxDir::GetAllFiles(m_definitionsFolder, &files, "*.xml", wxDIR_FILES);
    }
    files.Sort();
    wxXmlNode* root = indexRoot();
    bool added = false;
    for (const wxString& file : files) {
        const wxString name = wxFileName(file).GetName();
        if (!isValidSystemName(name) || hasSystem(QxAtom(name)))
            continue;
        wxString description;
        wxXmlDocument doc;
        if (readXml(file, doc))
            description = doc.GetRoot()->GetAttribute("Desc");
        auto* node = new wxXmlNode(wxXML_ELEMENT_NODE, "TradingSystem");
        node->AddAttribute("Name", name);
        node->AddAttribute("Desc", description);
        root->AddChild(node); // after the shipped ones
        QxTradingSystemEntry& entry = m_entries[QxAtom(name)];
        entry.name = QxAtom(name);
        entry.description = description;
        entry.indexNode = node;
        m_order.push_back(entry.name);
        added = true;
    }
    return added;
}

wxXmlNode* QxTradingSystemMgr::indexRoot()
{
    if (!m_index->GetRoot())
        m_index->SetRoot(new wxXmlNode(wxXML_ELEMENT_NODE, "Systems"));
    return m_index->GetRoot();
}

void QxTradingSystemMgr::listIndex()
{
    m_entries.clear();
    m_order.clear();
    for (wxXmlNode* child = indexRoot()->GetChildren(); child; child = child->GetNext()) {
        if (child->GetType() != wxXML_ELEMENT_NODE)
            continue;
        const wxString name = child->GetAttribute("Name");
        if (!isValidSystemName(name))
            continue;
        const QxAtom atom(name);
        QxTradingSystemEntry& entry = m_entries[atom];
        entry.name = atom;
        entry.description = child->GetAttribute("Desc");
        entry.indexNode = child;
        m_order.push_back(atom);
    }
}

const QxTradingSystemEntry& QxTradingSystemMgr::getEntryAt(unsigned position) const
{
    static const QxTradingSystemEntry empty;
    if (position >= m_order.size())
        return empty;
    auto it = m_entries.find(m_order[position]);
    return it == m_entries.end() ? empty : it->second;
}

QxObjectSmartPtr<QxTradingSystem> QxTradingSystemMgr::getSystem(const QxAtom& name)
{
    if (g_getSystemDepth > 0)
        return nullptr;
    struct Depth {
        Depth() { ++g_getSystemDepth; }
        ~Depth() { --g_getSystemDepth; }
    } depth;

    auto it = m_entries.find(name);
    if (it == m_entries.end())
        return nullptr;
    QxTradingSystemEntry& entry = it->second;
    if (entry.system)
        return entry.system;
    if (!isValidSystemName(name.string()))
        return nullptr;
    wxXmlDocument doc;
    if (!readXml(definitionPath(name), doc))
        return nullptr; // tried again on the next call
    QxObjectSmartPtr<QxTradingSystem> system(QxTradingSystem::fromXML(doc.GetRoot()));
    // Loading may have run code that removed the entry.
    it = m_entries.find(name);
    if (it == m_entries.end())
        return system;
    it->second.system = system;
    return system;
}

int QxTradingSystemMgr::addSystem(const QxObjectSmartPtr<QxTradingSystem>& system)
{
    if (!system)
        return eInvalidInputObject;
    const QxAtom name = system->getName();
    if (name.isNull() || !isValidSystemName(name.string()))
        return eInvalidName;
    if (hasSystem(name))
        return eObjectWithSameNameAlreadyExists;
    QxTradingSystemEntry& entry = m_entries[name];
    entry.name = name;
    entry.description = system->getDescription();
    entry.system = system;
    entry.modified = true;
    entry.indexNode = nullptr;
    m_order.push_back(name);
    return eNoError;
}

int QxTradingSystemMgr::removeSystem(const QxAtom& name)
{
    if (name.isNull())
        return eInvalidName;
    auto it = m_entries.find(name);
    if (it == m_entries.end())
        return eObjectNotFound;
    // Every element of the name goes, so that a name listed twice does not
    // come back in the next run.
    wxXmlNode* root = indexRoot();
    for (wxXmlNode* child = root->GetChildren(); child;) {
        wxXmlNode* next = child->GetNext();
        const bool named = child->GetType() == wxXML_ELEMENT_NODE && child->GetAttribute("Name") == name.string();
        if (child == it->second.indexNode || named) {
            root->RemoveChild(child);
            delete child;
        }
        child = next;
    }
    m_entries.erase(it);
    m_order.erase(std::remove(m_order.begin(), m_order.end(), name), m_order.end());
    return eNoError;
}

void QxTradingSystemMgr::markModified(const QxAtom& name)
{
    auto it = m_entries.find(name);
    if (it != m_entries.end())
        it->second.modified = true;
}

bool QxTradingSystemMgr::save()
{
    wxXmlNode* root = indexRoot();
    bool ok = true;
    for (auto& item : m_entries) {
        QxTradingSystemEntry& entry = item.second;
        if (!entry.modified || !entry.system)
            continue;
        if (entry.indexNode) {
            entry.indexNode->DeleteAttribute("Desc");
        } else {
            // In front of the others: systems added in a run come first in
            // the next.
            entry.indexNode = new wxXmlNode(root, wxXML_ELEMENT_NODE, "TradingSystem");
            entry.indexNode->AddAttribute("Name", entry.system->getName().string());
        }
        entry.indexNode->AddAttribute("Desc", entry.system->getDescription());
        entry.description = entry.system->getDescription();

        wxXmlNode* xml = entry.system->toXML(nullptr);
        if (!xml)
            continue; // a side of its type lacks a signal
        wxXmlDocument doc;
        doc.SetRoot(xml);
        const wxString path = definitionPath(entry.name);
        // A definition that could not be read is kept, not replaced.
        if (wxFileName::FileExists(path) && !isReadableDefinition(path) && qxSetAsideDamagedFile(path).empty()) {
            ok = false;
            continue;
        }
        ok = qxSaveXmlFile(doc, path, 2) && ok;
    }
    if (!m_indexWritable)
        return false;
    {
        wxLogNull quiet;
        const wxFileName index(m_indexFileName);
        if (!index.DirExists())
            wxFileName::Mkdir(index.GetPath(), 0777, wxPATH_MKDIR_FULL);
    }
    return qxSaveXmlFile(*m_index, m_indexFileName, 2) && ok;
}
