#include "support/ReferencePicture.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/fileconf.h>
#include <wx/filename.h>

#include <algorithm>

namespace TestSupport {

namespace {

// The chart look is put in place by writing it to a store and reading it
// back, as the program does.
void writeLook(const QxChartAllConfiguration& look)
{
    wxFileConfig store(wxEmptyString, wxEmptyString, wxString::FromUTF8((makeTempDir("look") + "/look.ini").c_str()));
    writeChartConfig(store, look);
}

} // namespace

BuiltInLook::BuiltInLook() : m_savedVars(QxGlobalVars::get()), m_savedConfig(currentChartConfig())
{
    QxGlobalVars::get() = QxGlobalVars();
    writeLook(defaultChartConfig());
}

BuiltInLook::~BuiltInLook()
{
    QxGlobalVars::get() = m_savedVars;
    writeLook(m_savedConfig);
}

PictureDifference comparePictures(const wxImage& got, const wxImage& want, wxImage* map)
{
    PictureDifference d;
    int left = got.GetWidth(), top = got.GetHeight(), right = -1, bottom = -1;
    if (map)
        *map = wxImage(got.GetWidth(), got.GetHeight());
    const unsigned char* a = got.GetData();
    const unsigned char* b = want.GetData();
    for (int y = 0; y < got.GetHeight(); ++y)
        for (int x = 0; x < got.GetWidth(); ++x) {
            const size_t i = 3 * (size_t(y) * got.GetWidth() + x);
            const bool same = a[i] == b[i] && a[i + 1] == b[i + 1] && a[i + 2] == b[i + 2];
            if (map) {
                const unsigned char grey = static_cast<unsigned char>(200 + (b[i] + b[i + 1] + b[i + 2]) / 3 / 5);
                map->SetRGB(x, y, same ? grey : 255, same ? grey : 0, same ? grey : 0);
            }
            if (same)
                continue;
            ++d.pixels;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    if (d.pixels)
        d.box = wxRect(wxPoint(left, top), wxPoint(right, bottom));
    return d;
}

void expectReferencePicture(const wxImage& painted, const std::string& folder, const std::string& file)
{
    const std::string artifact = artifactPath(file);
    ASSERT_TRUE(painted.SaveFile(wxString::FromUTF8(artifact.c_str()), wxBITMAP_TYPE_PNG));
    const wxString referenceFile = wxString::FromUTF8((std::string(TRENDORIA_SOURCE_DIR) + "/" + folder + "/" + file).c_str());
    if (!wxFileName::FileExists(referenceFile)) {
        ADD_FAILURE() << "no reference picture " << file << "; the painted one is " << artifact;
        return;
    }
    wxImage reference;
    ASSERT_TRUE(reference.LoadFile(referenceFile, wxBITMAP_TYPE_PNG));
    ASSERT_EQ(reference.GetSize(), painted.GetSize()) << file;
    wxImage map;
    const PictureDifference d = comparePictures(painted, reference, &map);
    if (!d.pixels)
        return;
    const std::string mapFile = artifactPath("diff-" + file);
    map.SaveFile(wxString::FromUTF8(mapFile.c_str()), wxBITMAP_TYPE_PNG);
    ADD_FAILURE() << d.pixels << " pixels of " << file << " differ from the reference, within x " << d.box.GetLeft()
                  << ".." << d.box.GetRight() << ", y " << d.box.GetTop() << ".." << d.box.GetBottom()
                  << "; painted: " << artifact << ", differences: " << mapFile;
}

} // namespace TestSupport
