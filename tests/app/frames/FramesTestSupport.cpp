#include "FramesTestSupport.h"

#include "core/ArtProvider.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/msgdlg.h>
#include <wx/stopwatch.h>

#include <cstdlib>
#include <cxxabi.h>
#include <typeinfo>

namespace framestest {

namespace {

// The program's art, from beside the program, for every test of this folder.
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

[[maybe_unused]] ::testing::Environment* const g_art = ::testing::AddGlobalTestEnvironment(new ArtEnvironment);

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
    m_seen.push_back(seen);
    if (m_handler)
        return m_handler(dialog);
    return wxID_CANCEL;
}

void pump(int ms)
{
    wxStopWatch watch;
    while (watch.Time() < ms) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
}

bool saveWindowShot(wxWindow* window, const std::string& fileName)
{
    window->Raise();
    window->Refresh();
    window->Update();
    pump(500);
    const wxRect r = window->GetScreenRect();
    if (r.width <= 0 || r.height <= 0)
        return false;
    const std::string path = TestSupport::artifactPath(fileName);
    // The X server holds what is on the screen; ImageMagick reads it back.
    const std::string command = "timeout 30 import -silent -window root -crop " + std::to_string(r.width) + "x" +
                                std::to_string(r.height) + "+" + std::to_string(r.x) + "+" +
                                std::to_string(r.y) + " +repage '" + path + "' 2>/dev/null";
    if (std::system(command.c_str()) == 0)
        return true;
    wxBitmap shot(r.width, r.height);
    wxMemoryDC mem(shot);
    wxScreenDC screen;
    mem.Blit(0, 0, r.width, r.height, &screen, r.x, r.y);
    mem.SelectObject(wxNullBitmap);
    return shot.SaveFile(path, wxBITMAP_TYPE_PNG);
}

} // namespace framestest
