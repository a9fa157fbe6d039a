#include "ChartFrameTestSupport.h"

#include "core/ArtProvider.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/ffile.h>
#include <wx/msgdlg.h>
#include <wx/stopwatch.h>

#include <cstdlib>
#include <unistd.h>

namespace cframetest {

namespace {

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

int MessageCatcher::Enter(wxDialog* dialog)
{
    auto* box = dynamic_cast<wxMessageDialogBase*>(dialog);
    if (!box)
        return wxID_NONE;
    m_messages.push_back(box->GetMessage());
    return wxID_OK;
}

bool runOnPrivateDisplay(const char* testFilter)
{
    if (std::getenv("TRENDORIA_PRIVATE_DISPLAY"))
        return false;
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    EXPECT_GT(n, 0);
    const std::string log = TestSupport::makeTempDir("keys") + "/run.log";
    const std::string command =
        "TRENDORIA_PRIVATE_DISPLAY=1 xvfb-run -a -s '-screen 0 1280x1024x24 -dpi 96 -nolisten tcp' '" +
        std::string(self) + "' --gtest_filter=" + testFilter + " > '" + log + "' 2>&1";
    const int rc = std::system(command.c_str());
    wxString output;
    wxFFile(wxString::FromUTF8(log), "r").ReadAll(&output);
    EXPECT_EQ(rc, 0) << output;
    EXPECT_TRUE(output.Contains("[  PASSED  ] 1 test")) << output;
    return true;
}

} // namespace cframetest
