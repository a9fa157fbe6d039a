#pragma once
// The process-wide store of the user's trading systems: an index file
// listing every system by name and description, and one definition file per
// system, in the folder "data/trading_system" of the user data folder.
// Definitions are read when a system is first asked for. What the user
// changes is written when it is changed: an added system (New, Copy) at
// once, an edited one when save is called after the editor's OK, a removed
// one's index entry and definition file at once. Every file goes through a
// temporary file; a failed write is told once and tried again with the next
// change. On the first run, or when the index cannot be read, the shipped
// systems of the program folder are copied in; at every start definitions
// the index lacks are listed again and what interrupted writes left behind
// is removed.
//
// Two programs on one home: a definition another program wrote since this
// one read it is never written over (the user is told), and the index is
// written as the other program left it with this one's changes made to it.
//
// Names become file names: a name that holds "/", "\" or NUL, is "." or
// "..", or is too long for a file name, is never listed, stored or looked up
// on disk. An index that cannot be read is kept aside under another name and
// the user is told; it is never written over.
#include "core/QxAtom.h"
#include "core/QxObject.h"
#include "core/QxUserNotice.h"
#include "core/QxXmlFile.h"

#include <wx/string.h>

#include <map>
#include <set>
#include <memory>
#include <vector>

class QxTradingSystem;
class wxXmlDocument;
class wxXmlNode;

struct QxTradingSystemEntry {
    QxAtom name;
    wxString description;                      // from the index, or from the system when added
    QxObjectSmartPtr<QxTradingSystem> system;  // null until first asked for
    bool modified = false;                     // to be written with the next save
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
    // empty, not "." or "..", without "/", "\" or NUL, and short enough that
    // its definition file and the temporary file written beside it fit the
    // file system's 255 bytes of a file name.
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
    // last, written at once (see save), and 0.
    [[nodiscard]] int addSystem(const QxObjectSmartPtr<QxTradingSystem>& system);
    // eInvalidName for the null atom, eObjectNotFound when not listed;
    // otherwise forgotten with its index element, the index written, and 0.
    // Once the index no longer lists it, its definition file is deleted too
    // (unless another program rewrote it since), so that the next start,
    // which lists every definition the index lacks, does not bring it back.
    [[nodiscard]] int removeSystem(const QxAtom& name);
    // Whether a definition file of that name is on disk.
    bool hasDefinitionFile(const QxAtom& name) const;
    // The listed system will be written with the next save; nothing for
    // other names.
    void markModified(const QxAtom& name);
    // Writes the definitions of modified systems, then the index; every
    // file through a temporary file. False when something was not written:
    // the first failure since the last success is told, and what was not
    // written stays marked for the next save.
    [[nodiscard]] bool save();

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
    [[nodiscard]] bool relistDefinitions();
    // Removes what interrupted writes of definitions left in their folder.
    void removeLeftoverDefinitionWrites();
    // A write that failed: the file and why, for the user; empty while none
    // did (a file left alone for another program is told of on its own).
    struct WriteFailure {
        wxString path, why;
        bool set(const wxString& p, const wxString& w)
        {
            if (path.empty()) {
                path = p;
                why = w;
            }
            return false;
        }
    };
    // Writes the index (see the class comment); false when it was not.
    [[nodiscard]] bool writeIndex(WriteFailure& failure);
    void writeListedIndex();
    // A modified entry's definition; false when it was not written.
    [[nodiscard]] bool writeDefinition(QxTradingSystemEntry& entry, WriteFailure& failure);
    // Tells the user of the first failure since the last success.
    void report(bool ok, const WriteFailure& failure);
    // Deletes the definitions of removed systems the index no longer lists.
    void removeUnlistedDefinitions();
    // The entries again from the index document, keeping the systems read
    // and the changes not yet written.
    void relistKeepingSystems();
    void tellChangedElsewhere(const wxString& path);
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
    // The index as this store last read or wrote it; not writable when an
    // unreadable index could not be moved out of the way.
    QxOwnedFile m_indexFile;
    // The definitions as this store last read or wrote them.
    std::map<QxAtom, QxOwnedFile> m_definitionFiles;
    // What this store changed in the index since it last wrote it: made
    // again on the index another program wrote meanwhile.
    struct IndexChange {
        QxAtom name;
        wxString description;
        bool removed;
    };
    std::vector<IndexChange> m_indexChanges;
    std::set<QxAtom> m_removedDefinitions;
    QxWriteFailureNotice m_writeNotice;
    bool m_toldChangedElsewhere = false;
    wxString m_keptAsideIndex;
};
