#pragma once
// One HTML help book shown through wxHtmlHelpController, in place of a
// compiled help file (there is no reader for those here).  A book is a
// wxHTML project (.hhp with its contents and index) or a zip of one
// (.htb/.zip); it is loaded on first use, and a book that failed to load is
// tried again next time.
#include <wx/string.h>

#include <memory>

class wxHtmlHelpController;

class QxHelpBook {
public:
    // bookPath: the book's file, with or without its extension.
    explicit QxHelpBook(const wxString& bookPath);
    ~QxHelpBook();

    const wxString& bookPath() const { return m_bookPath; }
    void setBookPath(const wxString& bookPath);

    // Creates the controller and loads the book unless already done.
    bool load();
    bool isLoaded() const { return m_loaded; }

    // Whether a page (a path below the book's folder, "#anchor" allowed)
    // belongs to the book.  Loads the book.
    bool hasPage(const wxString& page);
    // Shows the book's contents page; false when the book cannot be loaded.
    bool showContents();
    // Shows a page; a page the book lacks shows the contents instead and
    // gives false.
    bool showPage(const wxString& page);

    // The page the viewer shows, empty when none (for tests and diagnostics).
    wxString openedPage() const;
    // Closes the viewer, if open.
    void closeViewer();

    wxHtmlHelpController* controller() const { return m_controller.get(); }

    // Makes the framework's file system read help books: zip archives, and
    // ".htm"/".html" always taken as HTML (the system's MIME table can take
    // ".htm" for XHTML, which HTML windows then show as plain text).  Runs
    // once; load() calls it, and the application may call it at start-up so
    // that every HTML window of the program benefits.
    static void prepareFileSystem();

private:
    wxString m_bookPath;
    std::unique_ptr<wxHtmlHelpController> m_controller;
    bool m_loaded = false;
};
