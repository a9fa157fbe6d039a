#pragma once
// The program's typed configuration store.
//
// Settings live in an INI-style file per user (read and written) with an
// optional machine-wide file of the same layout as a read-only fallback.  A
// plain file keeps only text, yet the readers of fonts, pens, brushes and
// configuration bags must tell an integer entry from a string entry, so the
// store keeps the type with the value:
//
//   * an integer (and a boolean, stored as 0 or 1) is written as its decimal
//     text:                       width=3
//   * a string is written as it is, unless its text would read as an integer
//     or begins with an apostrophe; then one apostrophe is put in front:
//                                  face=Sans     face='42     note=''quoted
//
// An entry whose text is an optionally signed run of decimal digits (blanks
// around it ignored) is an integer entry; every other entry is a string
// entry, with one leading apostrophe removed when read.  A hand-written file
// therefore reads as one would expect.  Floating-point numbers are string
// entries, as they were in the platform store this replaces.
#include <wx/fileconf.h>

class wxConfigEx : public wxFileConfig {
public:
    // The per-user file of vendor "Corvane", application "Trendoria", with the
    // machine-wide file as read-only fallback.
    wxConfigEx();
    // A store over the given files (tests, tools); an empty global file name
    // means no machine-wide fallback.
    explicit wxConfigEx(const wxString& localFile, const wxString& globalFile = wxString());
    ~wxConfigEx() override;

    // Type of the entry as stored: Type_Integer, Type_String or Type_Unknown
    // when the entry does not exist.
    EntryType GetEntryType(const wxString& name) const override;

    // The application's store: the one installed as the framework's current
    // configuration when it is a wxConfigEx, else a default store created and
    // installed on first use (the framework deletes it at exit).
    static wxConfigEx& get();

    // Whether stored text reads as an integer entry.
    static bool isIntegerText(const wxString& text);

    // Writes the per-user file unless something that is no file (a folder)
    // stands at its path: then nothing is written, not even a temporary
    // file beside it, and false is returned.
    bool Flush(bool currentOnly = false) override;

protected:
    bool DoReadString(const wxString& key, wxString* str) const override;
    bool DoReadLong(const wxString& key, long* value) const override;
    bool DoReadLongLong(const wxString& key, wxLongLong_t* value) const override;
    bool DoReadDouble(const wxString& key, double* value) const override;
    bool DoReadBool(const wxString& key, bool* value) const override;

    bool DoWriteString(const wxString& key, const wxString& value) override;
    bool DoWriteLong(const wxString& key, long value) override;
    bool DoWriteLongLong(const wxString& key, wxLongLong_t value) override;
    bool DoWriteDouble(const wxString& key, double value) override;
    bool DoWriteBool(const wxString& key, bool value) override;

private:
    void init(const wxString& localFile);
    wxString m_localPath;
    // The entry's text exactly as kept in the file (after the file format's
    // own unquoting); false when the entry does not exist.
    bool readRaw(const wxString& key, wxString& raw) const;
};

// Remembers a store's current path and restores it when leaving the scope;
// code that changes the path uses it so callers see their path unchanged.
class QxConfigPathGuard {
public:
    explicit QxConfigPathGuard(wxConfigBase& config) : m_config(config), m_path(config.GetPath()) {}
    ~QxConfigPathGuard() { m_config.SetPath(m_path); }
    QxConfigPathGuard(const QxConfigPathGuard&) = delete;
    QxConfigPathGuard& operator=(const QxConfigPathGuard&) = delete;

private:
    wxConfigBase& m_config;
    wxString m_path;
};
