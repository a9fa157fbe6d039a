#pragma once
// The process-wide store of the user's trading systems: an index file
// "index.xml" and one definition file per system in the folder
// "data/trading_system" of the user data folder.
//
// Only what the application needs is here so far: the store is created on
// demand, saved at exit when it exists, and destroyed with the application.
// Until systems are kept, saving writes back the index it read, unchanged.
#include <wx/string.h>

#include <memory>

class wxXmlDocument;

class QxTradingSystemMgr {
public:
    // The store; with create false null unless it was created before.
    static QxTradingSystemMgr* getInstance(bool create);
    // Releases the file names, the index document and the systems, and
    // deletes the store.
    static void destroy();

    // Writes the index document back to the index file (through a temporary
    // file). Nothing is written when no index was read.
    bool save();

    const wxString& indexFileName() const { return m_indexFileName; }
    const wxString& definitionsFolder() const { return m_definitionsFolder; }

private:
    QxTradingSystemMgr();
    ~QxTradingSystemMgr();
    QxTradingSystemMgr(const QxTradingSystemMgr&) = delete;
    QxTradingSystemMgr& operator=(const QxTradingSystemMgr&) = delete;

    wxString m_indexFileName;
    wxString m_definitionsFolder;
    std::unique_ptr<wxXmlDocument> m_index;
};
