#include "core/platform/QxHelpBook.h"

#include "core/platform/QxModelessInput.h"

#include <wx/filesys.h>
#include <wx/fs_zip.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpfrm.h>
#include <wx/html/helpwnd.h>
#include <wx/html/htmlwin.h>
#include <wx/sysopt.h>

namespace {

// The viewer opened while a modal dialog runs (Explain, a dialog's Help):
// the framework would have it grab the input and run a loop of its own
// until it is closed, so that the dialog, and the code that asked for the
// help, wait on the viewer. It takes a window group of its own instead: it
// takes input beside the dialog, the dialog goes on working, and the call
// returns at once.
class QxHelpFrame : public wxHtmlHelpFrame {
public:
    explicit QxHelpFrame(wxHtmlHelpData* data) : wxHtmlHelpFrame(data) {}
#ifdef __WXGTK__
    void AddGrab() override
    {
        qxAcceptInputBesideModal(this);
        m_beside = true;
    }
    void RemoveGrab() override { m_beside = false; }
    // While a modal dialog runs the framework closes, at the window
    // manager's request, only dialogs and grabbing windows: the viewer
    // beside one counts as such, so that the user can close it.
    bool IsGrabbed() const override { return m_beside; }

private:
    bool m_beside = false;
#endif
};

class QxHelpController : public wxHtmlHelpController {
public:
    explicit QxHelpController(int style) : wxHtmlHelpController(style) {}

protected:
    // As the framework makes its own frame, with the class above.
    wxHtmlHelpFrame* CreateHelpFrame(wxHtmlHelpData* data) override
    {
        auto* frame = new QxHelpFrame(data);
        frame->SetController(this);
        frame->SetTitleFormat(m_titleFormat);
        frame->Create(m_parentWindow, -1, wxEmptyString, m_FrameStyle, m_Config, m_ConfigRoot);
        frame->SetShouldPreventAppExit(m_shouldPreventAppExit);
        m_helpFrame = frame;
        return frame;
    }
};

} // namespace

QxHelpBook::QxHelpBook(const wxString& bookPath) : m_bookPath(bookPath) {}

QxHelpBook::~QxHelpBook() { closeViewer(); }

void QxHelpBook::setBookPath(const wxString& bookPath)
{
    closeViewer();
    m_controller.reset();
    m_loaded = false;
    m_bookPath = bookPath;
}

void QxHelpBook::prepareFileSystem()
{
    static bool ready = false;
    if (ready)
        return;
    wxFileSystem::AddHandler(new wxZipFSHandler);
    wxSystemOptions::SetOption("filesys.no-mimetypesmanager", 1);
    ready = true;
}

bool QxHelpBook::load()
{
    if (m_loaded)
        return true;
    prepareFileSystem();
    m_controller = std::make_unique<QxHelpController>(wxHF_DEFAULT_STYLE);
    // No settings of the viewer are kept between runs.
    m_controller->UseConfig(nullptr);
    m_loaded = m_controller->Initialize(m_bookPath);
    if (!m_loaded)
        m_controller.reset();
    return m_loaded;
}

bool QxHelpBook::hasPage(const wxString& page)
{
    return load() && !m_controller->GetHelpData()->FindPageByName(page).empty();
}

bool QxHelpBook::showContents() { return load() && m_controller->DisplayContents(); }

bool QxHelpBook::showPage(const wxString& page)
{
    if (!load())
        return false;
    if (hasPage(page) && m_controller->DisplaySection(page))
        return true;
    m_controller->DisplayContents();
    return false;
}

wxString QxHelpBook::openedPage() const
{
    if (!m_controller || !m_controller->GetHelpWindow())
        return wxString();
    wxHtmlWindow* html = m_controller->GetHelpWindow()->GetHtmlWindow();
    if (!html)
        return wxString();
    // The page's location may carry the anchor asked for; only the anchor
    // actually scrolled to counts.
    const wxString page = html->GetOpenedPage().BeforeFirst('#');
    const wxString anchor = html->GetOpenedAnchor();
    return anchor.empty() ? page : page + "#" + anchor;
}

void QxHelpBook::closeViewer()
{
    // The controller's frame pointer outlives a frame destroyed by others
    // (the framework destroys every top-level window at exit), but its help
    // window pointer is cleared then, so that is the one to trust.
    if (m_controller && m_controller->GetHelpWindow())
        m_controller->Quit();
}
