#include "support/FramesTestSupport.h"

#include "core/ArtProvider.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/filedlg.h>
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
    else if (auto* files = dynamic_cast<wxFileDialog*>(dialog))
        seen.message = files->GetMessage(); // GTK gives an unshown file dialog no title
    m_seen.push_back(seen);
    if (m_handler)
        return m_handler(dialog);
    return wxID_CANCEL;
}

} // namespace framestest
