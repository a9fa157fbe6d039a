#pragma once
// The process-wide store of the user's trading systems: an index file
// listing every system by name and description, and one definition file per
// system, in the folder "data/trading_system" of the user data folder.
// Definitions are read when a system is first asked for; systems added or
// changed are written back at exit. On the first run, or when the index
// cannot be read, the shipped systems of the program folder are copied in.
//
// Names become file names: a name that holds "/", "\" or NUL, or is "." or
// "..", is never listed, stored or looked up on disk. An index that cannot
// be read is kept aside under another name and the user is told; it is
// never written over.
#include "core/QxAtom.h"
#include "core/QxObject.h"

#include <wx/string.h>

#include <map>
#include <memory>
#include <vector>

class QxTradingSystem;
class wxXmlDocument;
class wxXmlNode;

struct QxTradingSystemEntry {
    QxAtom name;
    wxString description;                      // from the index, or from the system when added
    QxObjectSmartPtr<QxTradingSystem> system;  // null until first asked for
    bool modified = false;                     // written at exit
    wxXmlNode* indexNode = nullptr;            // the entry's element in the index; null until saved
};

class QxTradingSystemMgr {
public:
    // The store; with create false null unless it was created before.
    static QxTradingSystemMgr* getInstance(bool create);
    // Releases the index document and the systems, and deletes the store.
    static void destroy();

    // Where the shipped copy is looked for ("data/trading_system" below
    // it); empty means the folder of the running executable.
    static void setProgramFolder(const wxString& folder);
    static wxString programFolder();

    // Whether name can be a system's name, and so a file's name: not
    // empty, not "." or "..", and without "/", "\" or NUL.
    static bool isValidSystemName(const wxString& name);

    unsigned getCount() const { return static_cast<unsigned>(m_order.size()); }
    // The entry of the position-th listed name; a shared empty entry for a
    // position out of range.
    const QxTradingSystemEntry& getEntryAt(unsigned position) const;
    // Whether a system of that name is listed (loaded or not).
    bool hasSystem(const QxAtom& name) const { return m_entries.count(name) != 0; }
    // The system, its definition read on first use; null when it is not
    // listed, its definition is missing or unreadable, or while another
    // call is loading a definition.
    QxObjectSmartPtr<QxTradingSystem> getSystem(const QxAtom& name);
    // eInvalidInputObject for null, eInvalidName for an unnamed system,
    // eObjectWithSameNameAlreadyExists for a listed name; otherwise listed
    // last, to be written at exit, and 0.
    int addSystem(const QxObjectSmartPtr<QxTradingSystem>& system);
    // eInvalidName for the null atom, eObjectNotFound when not listed;
    // otherwise forgotten with its index element, and 0. The definition
    // file stays on disk.
    int removeSystem(const QxAtom& name);
    // The listed system will be written at exit; nothing for other names.
    void markModified(const QxAtom& name);
    // Writes the definitions of modified systems, then the index; every
    // file through a temporary file. False when something was not written.
    bool save();

    const wxString& indexFileName() const { return m_indexFileName; }
    const wxString& definitionsFolder() const { return m_definitionsFolder; }
    // Where an unreadable index was kept in this run; empty when none was.
    const wxString& keptAsideIndex() const { return m_keptAsideIndex; }

private:
    QxTradingSystemMgr();
    ~QxTradingSystemMgr();
    QxTradingSystemMgr(const QxTradingSystemMgr&) = delete;
    QxTradingSystemMgr& operator=(const QxTradingSystemMgr&) = delete;

    void loadIndex();
    // Puts the shipped index in place of a missing or unreadable one.
    void copyIndexFromProgramFolder();
    // Copies the shipped definitions the user's folder lacks; a user's
    // definition is never replaced.
    void copyDefinitionsFromProgramFolder();
    // Lists the user's definitions that the index lacks.
    bool relistDefinitions();
    wxXmlNode* indexRoot();
    void listIndex();
    wxString definitionPath(const QxAtom& name) const;
    wxString shippedFolder() const;

    wxString m_indexFileName;
    wxString m_definitionsFolder;
    // Built by the store from the entries of the index it read, never the
    // read tree itself: it is what save writes back.
    std::unique_ptr<wxXmlDocument> m_index;
    std::map<QxAtom, QxTradingSystemEntry> m_entries;
    std::vector<QxAtom> m_order;
    // False when an unreadable index could not be moved out of the way:
    // then it is never written over.
    bool m_indexWritable = true;
    wxString m_keptAsideIndex;
};
