#include "trading/QxTradingSystemMgr.h"

#include "core/QxErrorCode.h"
#include "core/QxXmlFile.h"
#include "core/platform/wxeStandardPaths.h"
#include "trading/QxTradingSystem.h"
#include "ui/QxMessages.h"

#include <wx/app.h>
#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <set>

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

// Whether bytes read as a system's definition.
bool isReadableDefinition(const std::string& bytes)
{
    wxXmlDocument doc;
    if (qxParseXml(bytes.data(), bytes.size(), doc, kFileLimits, wxString(), nullptr) != QxXmlRead::eRead)
        return false;
    QxObjectSmartPtr<QxTradingSystem> system(QxTradingSystem::fromXML(doc.GetRoot()));
    return static_cast<bool>(system);
}

std::string xmlText(const wxXmlDocument& doc)
{
    wxMemoryOutputStream out;
    doc.Save(out, 2);
    std::string text(out.GetLength(), '\0');
    out.CopyTo(text.data(), text.size());
    return text;
}

// The longest file name the file system takes, in bytes.
constexpr size_t kMaxFileName = 255;
// What a definition's file name adds to the system's name: ".xml", and
// "." before it and "." with six characters after it for the temporary file
// the definition is written to first.
constexpr size_t kDefinitionNameExtra = 4 + 1 + 7;

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
            qxShowWarning(message, nullptr);
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
    const wxScopedCharBuffer bytes = name.utf8_str();
    return bytes.length() > 0 && bytes.length() + kDefinitionNameExtra <= kMaxFileName;
}

QxTradingSystemMgr::QxTradingSystemMgr()
    : m_index(std::make_unique<wxXmlDocument>()), m_writeNotice(_("The trading systems"))
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
    qxRemoveLeftoverTemporaryFiles(m_indexFileName);
    removeLeftoverDefinitionWrites();
    // Read as bytes first: they are what a later write compares the file
    // with, to tell whether another program wrote it meanwhile.
    std::string bytes;
    wxXmlDocument read;
    wxString why;
    QxXmlRead result = QxXmlRead::eMissing;
    if (qxReadWholeFile(m_indexFileName, kFileLimits.maxBytes, &bytes))
        result = qxParseXml(bytes.data(), bytes.size(), read, kFileLimits, wxString(), &why);
    else if (wxFileName::Exists(m_indexFileName))
        result = qxLoadXmlFile(m_indexFileName, read, kFileLimits, wxString(), &why);
    switch (result) {
    case QxXmlRead::eRead:
        m_indexFile.present = true;
        m_indexFile.content = bytes;
        m_index = rebuiltIndex(read);
        listIndex();
        // Definitions an interrupted save left unlisted come back.
        if (relistDefinitions())
            writeListedIndex();
        return;
    case QxXmlRead::eMissing:
        break;
    case QxXmlRead::eDamaged:
        m_keptAsideIndex = qxSetAsideDamagedFile(m_indexFileName);
        m_indexFile.writable = !m_keptAsideIndex.empty();
        tellUser(m_indexFile.writable
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
    (void)relistDefinitions(); // the index is written next, whatever it added
    writeListedIndex();
}

void QxTradingSystemMgr::writeListedIndex()
{
    WriteFailure failure;
    report(writeIndex(failure), failure);
}

void QxTradingSystemMgr::removeLeftoverDefinitionWrites()
{
    std::vector<wxString> targets;
    {
        wxLogNull quiet;
        wxDir dir(m_definitionsFolder);
        wxString name;
        // ".<name>.xml.XXXXXX": the temporary file of a write of <name>.xml.
        for (bool more = dir.IsOpened() && dir.GetFirst(&name, ".*.xml.*", wxDIR_FILES | wxDIR_HIDDEN); more;
             more = dir.GetNext(&name))
            if (name.length() > 1 + 4 + 7 && name[name.length() - 7] == '.')
                targets.push_back(wxFileName(m_definitionsFolder, name.Mid(1, name.length() - 8)).GetFullPath());
    }
    std::sort(targets.begin(), targets.end());
    targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
    for (const wxString& target : targets)
        qxRemoveLeftoverTemporaryFiles(target); // only what no running write holds
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
        m_indexChanges.push_back({entry.name, description, false});
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
    std::string bytes;
    wxXmlDocument doc;
    if (!qxReadWholeFile(definitionPath(name), kFileLimits.maxBytes, &bytes) ||
        qxParseXml(bytes.data(), bytes.size(), doc, kFileLimits, wxString(), nullptr) != QxXmlRead::eRead)
        return nullptr; // tried again on the next call
    // The file's name is the system's name, whatever the definition says
    // inside (a copied or renamed file): changes then reach this entry.
    doc.GetRoot()->DeleteAttribute("Name");
    doc.GetRoot()->AddAttribute("Name", name.string());
    QxObjectSmartPtr<QxTradingSystem> system(QxTradingSystem::fromXML(doc.GetRoot()));
    // Loading may have run code that removed the entry.
    it = m_entries.find(name);
    if (it == m_entries.end())
        return system;
    it->second.system = system;
    if (system) {
        QxOwnedFile& file = m_definitionFiles[name];
        file.present = true;
        file.content = bytes;
    }
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
    (void)save(); // a failure is told, and the system stays listed for the next try
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
    m_indexChanges.push_back({name, wxString(), true});
    // The definition goes once the index no longer lists it.
    m_removedDefinitions.insert(name);
    WriteFailure failure;
    const bool ok = writeIndex(failure);
    report(ok, failure);
    return eNoError;
}

bool QxTradingSystemMgr::hasDefinitionFile(const QxAtom& name) const
{
    return !name.isNull() && isValidSystemName(name.string()) && wxFileName::FileExists(definitionPath(name));
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
    WriteFailure failure;
    for (auto& item : m_entries) {
        QxTradingSystemEntry& entry = item.second;
        if (!entry.modified || !entry.system)
            continue;
        if (!writeDefinition(entry, failure)) {
            ok = false; // stays modified, and unlisted in the index until written
            continue;
        }
        entry.modified = false;
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
        m_indexChanges.push_back({entry.name, entry.description, false});
    }
    ok = writeIndex(failure) && ok;
    report(ok, failure);
    return ok;
}

void QxTradingSystemMgr::report(bool ok, const WriteFailure& failure)
{
    // A file left alone for another program's sake was told of on its own.
    if (ok || !failure.path.empty())
        m_writeNotice.report(ok, failure.path, failure.why);
}

bool QxTradingSystemMgr::writeDefinition(QxTradingSystemEntry& entry, WriteFailure& failure)
{
    wxXmlNode* xml = entry.system->toXML(nullptr);
    if (!xml)
        return true; // a side of its type lacks a signal: there is nothing to write
    wxXmlDocument doc;
    doc.SetRoot(xml);
    const std::string text = xmlText(doc);
    const wxString path = definitionPath(entry.name);
    QxOwnedFile& file = m_definitionFiles[entry.name];
    // A file there that does not read as a definition holds no one's system:
    // it is kept aside, not written over.
    std::string onDisk;
    if (qxReadWholeFile(path, kFileLimits.maxBytes, &onDisk) && (!file.present || onDisk != file.content) &&
        !isReadableDefinition(onDisk)) {
        if (qxSetAsideDamagedFile(path).empty())
            return failure.set(path, _("a damaged file there could not be moved aside"));
        file.present = false;
        file.content.clear();
    }
    wxString why;
    switch (qxWriteOwnedFile(path, text, kFileLimits.maxBytes, file, &why)) {
    case QxOwnedWrite::eWritten:
        return true;
    case QxOwnedWrite::eFailed:
        return failure.set(path, why);
    case QxOwnedWrite::eChangedElsewhere:
        tellChangedElsewhere(path);
        return false;
    case QxOwnedWrite::eRefused:
        break;
    }
    return false;
}

bool QxTradingSystemMgr::writeIndex(WriteFailure& failure)
{
    if (!m_indexFile.writable)
        return false; // the user was told when the index could not be read
    std::string onDisk;
    const bool present = qxReadWholeFile(m_indexFileName, kFileLimits.maxBytes, &onDisk);
    if (present && (!m_indexFile.present || onDisk != m_indexFile.content)) {
        // Another program wrote the index since this one read it: what it
        // lists now stays, with this store's changes made to it.
        wxXmlDocument theirs;
        if (qxParseXml(onDisk.data(), onDisk.size(), theirs, kFileLimits, wxString(), nullptr) !=
            QxXmlRead::eRead) {
            tellChangedElsewhere(m_indexFileName);
            return false;
        }
        m_index = rebuiltIndex(theirs);
        wxXmlNode* root = indexRoot();
        for (const IndexChange& change : m_indexChanges) {
            bool listed = false;
            for (wxXmlNode* child = root->GetChildren(); child;) {
                wxXmlNode* next = child->GetNext();
                if (child->GetAttribute("Name") == change.name.string()) {
                    if (change.removed) {
                        root->RemoveChild(child);
                        delete child;
                    } else {
                        child->DeleteAttribute("Desc");
                        child->AddAttribute("Desc", change.description);
                        listed = true;
                    }
                }
                child = next;
            }
            if (!change.removed && !listed) {
                auto* node = new wxXmlNode(root, wxXML_ELEMENT_NODE, "TradingSystem");
                node->AddAttribute("Name", change.name.string());
                node->AddAttribute("Desc", change.description);
            }
        }
        relistKeepingSystems();
        m_indexFile.present = true;
        m_indexFile.content = onDisk;
    }
    const std::string text = xmlText(*m_index);
    wxString why;
    QxOwnedWrite result = QxOwnedWrite::eWritten; // the file already is as it should be
    if (!present || !m_indexFile.present || text != m_indexFile.content)
        result = qxWriteOwnedFile(m_indexFileName, text, kFileLimits.maxBytes, m_indexFile, &why);
    switch (result) {
    case QxOwnedWrite::eWritten:
        m_indexChanges.clear();
        removeUnlistedDefinitions();
        return true;
    case QxOwnedWrite::eFailed:
        return failure.set(m_indexFileName, why);
    case QxOwnedWrite::eChangedElsewhere:
        // Changed again between the read above and the write.
        tellChangedElsewhere(m_indexFileName);
        return false;
    case QxOwnedWrite::eRefused:
        break;
    }
    return false;
}

void QxTradingSystemMgr::removeUnlistedDefinitions()
{
    const std::set<QxAtom> removed = std::move(m_removedDefinitions);
    m_removedDefinitions.clear();
    for (const QxAtom& name : removed) {
        if (hasSystem(name) || !isValidSystemName(name.string()))
            continue; // listed again since it was removed
        const wxString path = definitionPath(name);
        auto known = m_definitionFiles.find(name);
        std::string onDisk;
        const bool present = qxReadWholeFile(path, kFileLimits.maxBytes, &onDisk);
        // Another program wrote it since this one read it: it stays theirs.
        if (known != m_definitionFiles.end() && known->second.present && present && onDisk != known->second.content)
            continue;
        {
            wxLogNull quiet; // a file that stays is listed again at the next start
            if (wxFileName::FileExists(path))
                wxRemoveFile(path);
        }
        QxOwnedFile& file = m_definitionFiles[name];
        file.present = qxReadWholeFile(path, kFileLimits.maxBytes, &file.content);
    }
}

void QxTradingSystemMgr::relistKeepingSystems()
{
    std::map<QxAtom, QxTradingSystemEntry> before = std::move(m_entries);
    const std::vector<QxAtom> order = std::move(m_order);
    listIndex();
    for (auto& [name, entry] : m_entries) {
        auto old = before.find(name);
        if (old == before.end())
            continue;
        entry.system = old->second.system;
        entry.modified = old->second.modified;
    }
    // Changes not written yet stay listed, to be written with the next save.
    for (const QxAtom& name : order) {
        auto old = before.find(name);
        if (old == before.end() || !old->second.modified || !old->second.system || m_entries.count(name))
            continue;
        QxTradingSystemEntry& entry = m_entries[name];
        entry = old->second;
        entry.indexNode = nullptr;
        m_order.push_back(name);
    }
}

void QxTradingSystemMgr::tellChangedElsewhere(const wxString& path)
{
    if (m_toldChangedElsewhere)
        return;
    m_toldChangedElsewhere = true;
    qxNotifyUser(wxString::Format(
        _("\"%s\" was changed by another program (another Trendoria, perhaps) since this one read it. The "
          "trading-system changes made here are not saved over it, so that nothing of the other program's is "
          "lost: start Trendoria again to work with the trading systems as they are now."),
        path));
}
