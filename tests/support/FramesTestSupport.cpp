#include "support/FramesTestSupport.h"

#include "core/ArtProvider.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/filedlg.h>
#include <wx/app.h>
#include <wx/aui/auibar.h>
#include <wx/aui/framemanager.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/msgdlg.h>
#include <wx/stopwatch.h>

#include <cstdlib>
#include <cxxabi.h>
#include <typeinfo>

namespace framestest {

namespace {

// The program's art, from beside the program.
class ArtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        m_provider = new ArtProvider(wxString::FromUTF8(TestSupport::binDir() + "/artworks"));
        wxArtProvider::Push(m_provider);
    }
    void TearDown() override { wxArtProvider::Delete(m_provider); }

private:
    ArtProvider* m_provider = nullptr;
};

} // namespace

bool useProgramArt()
{
    static const bool added = ::testing::AddGlobalTestEnvironment(new ArtEnvironment) != nullptr;
    return added;
}

namespace {
// Every program of frame tests shows the program's art.
[[maybe_unused]] const bool g_art = useProgramArt();
} // namespace

ScopedApplication::ScopedApplication()
    : m_previous(wxApp::GetInstance()), m_previousAssertHandler(wxSetAssertHandler(nullptr))
{
    wxSetAssertHandler(m_previousAssertHandler);
    m_app = new QxApplication; // becomes wxTheApp
}

ScopedApplication::~ScopedApplication()
{
    delete m_app;
    wxApp::SetInstance(m_previous);
    wxIdleEvent::SetMode(wxIDLE_PROCESS_ALL);
    wxSetAssertHandler(m_previousAssertHandler);
}

DialogCatcher::DialogCatcher(Handler handler) : m_handler(std::move(handler)) { Register(); }

DialogCatcher::~DialogCatcher() { Unregister(); }

int DialogCatcher::Enter(wxDialog* dialog)
{
    SeenDialog seen;
    int status = 0;
    char* name = abi::__cxa_demangle(typeid(*dialog).name(), nullptr, nullptr, &status);
    seen.className = status == 0 && name ? name : typeid(*dialog).name();
    std::free(name);
    seen.title = dialog->GetTitle();
    if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog))
        seen.message = box->GetMessage();
    else if (auto* files = dynamic_cast<wxFileDialog*>(dialog))
        seen.message = files->GetMessage(); // GTK gives an unshown file dialog no title
    m_seen.push_back(seen);
    if (m_handler)
        return m_handler(dialog);
    return wxID_CANCEL;
}

std::vector<std::string> dockedToolbarFaults(wxWindow* centre)
{
    std::vector<std::string> faults;
    wxAuiManager* manager = centre ? wxAuiManager::GetManager(centre) : nullptr;
    if (!manager) {
        faults.push_back("the window has no toolbar manager");
        return faults;
    }
    const wxRect c = centre->GetRect();
    auto describe = [](const wxRect& r) {
        return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
               std::to_string(r.height);
    };
    const wxAuiPaneInfoArray& panes = manager->GetAllPanes();
    for (size_t i = 0; i < panes.size(); ++i) {
        const wxAuiPaneInfo& pane = panes[i];
        if (!pane.IsShown() || !pane.IsDocked() || !dynamic_cast<wxAuiToolBar*>(pane.window))
            continue;
        const wxRect t = pane.window->GetRect();
        const std::string what = pane.name.ToStdString() + " at " + describe(t) + ", centre at " + describe(c);
        if (t.Intersects(c))
            faults.push_back(what + ": over the centre");
        switch (pane.dock_direction) {
        case wxAUI_DOCK_TOP:
            if (t.GetBottom() >= c.GetTop() || t.width <= t.height)
                faults.push_back(what + ": not lying above the centre");
            break;
        case wxAUI_DOCK_RIGHT:
            if (t.GetLeft() <= c.GetRight() || t.height <= t.width)
                faults.push_back(what + ": not upright right of the centre");
            break;
        case wxAUI_DOCK_LEFT:
            if (t.GetRight() >= c.GetLeft() || t.height <= t.width)
                faults.push_back(what + ": not upright left of the centre");
            break;
        default:
            break;
        }
    }
    return faults;
}

} // namespace framestest
