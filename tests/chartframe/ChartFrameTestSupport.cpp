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

} // namespace cframetest
