// The benchmark's chart (10,000 bars, candles, volume, BBANDS, RSI, MACD,
// 1200x800) painted and compared pixel by pixel with reference pictures kept
// beside this file: at the base candle width, at one-pixel candles, and at
// one-pixel candles scrolled back into the history.  Painting may get
// faster; the pictures must not change.  On a difference the painted
// picture and a map of the differing pixels are saved as test artifacts; a
// deliberate change of the look is taken over by copying the painted
// picture over the reference.
#include "app/QxGlobalVars.h"
#include "bench/BenchChart.h"
#include "chart/QxChartConfiguration.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/image.h>

#include <algorithm>
#include <string>

namespace {

std::string referencePath(const std::string& name)
{
    return std::string(TRENDORIA_SOURCE_DIR) + "/tests/chart/pictures/" + name;
}

// The look comes from process-wide settings other tests change: the
// pictures are made with the built-in ones, and the test's settings are put
// back afterwards.
struct PictureFixture : ::testing::Test {
    void SetUp() override
    {
        savedVars = QxGlobalVars::get();
        savedConfig = currentChartConfig();
        QxGlobalVars::get() = QxGlobalVars();
        wxFileConfig store(wxEmptyString, wxEmptyString,
                           wxString::FromUTF8((TestSupport::makeTempDir("look") + "/look.ini").c_str()));
        writeChartConfig(store, defaultChartConfig());
    }
    void TearDown() override
    {
        QxGlobalVars::get() = savedVars;
        wxFileConfig store(wxEmptyString, wxEmptyString,
                           wxString::FromUTF8((TestSupport::makeTempDir("look") + "/look.ini").c_str()));
        writeChartConfig(store, savedConfig);
    }
    QxGlobalVars savedVars;
    QxChartAllConfiguration savedConfig;
};

// Differences between two pictures of the same size: how many pixels, and
// the rectangle holding them.
struct Difference {
    int pixels = 0;
    wxRect box;
};

Difference compare(const wxImage& got, const wxImage& want, wxImage* map)
{
    Difference d;
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
                // Differences red on a faded copy of the reference.
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

} // namespace

TEST_F(PictureFixture, BenchmarkChartPaintsAsTheReferencePictures)
{
    const struct {
        uint32_t zoom;
        int scrollBack; // bars between the last visible bar and the last bar
        const char* file;
    } cases[] = {
        {QxChart::eZoomBase, 0, "bench-chart-base.png"},
        {QxChart::eZoomOnePixel, 0, "bench-chart-one-pixel.png"},
        {QxChart::eZoomOnePixel, 4321, "bench-chart-one-pixel-scrolled.png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        wxBitmap bitmap(benchchart::kWidth, benchchart::kHeight, 24);
        wxMemoryDC dc(bitmap);
        benchchart::Chart chart(dc, c.zoom);
        ASSERT_TRUE(chart.ok);
        if (c.scrollBack) {
            chart.chart->setLastVisibleBar(benchchart::kBars - 1 - c.scrollBack);
            ASSERT_EQ(chart.chartist->setup(dc), eNoError);
        }
        // Painted twice: the view paints the same chart again and again, so
        // nothing one paint leaves behind may change the next.
        ASSERT_EQ(chart.chartist->display(dc), eNoError);
        const wxImage first = bitmap.ConvertToImage();
        ASSERT_EQ(chart.chartist->display(dc), eNoError);
        dc.SelectObject(wxNullBitmap);
        const wxImage painted = bitmap.ConvertToImage();
        EXPECT_EQ(chart.chart->lastVisibleBar(), benchchart::kBars - 1 - c.scrollBack);
        const std::string artifact = TestSupport::artifactPath(c.file);
        ASSERT_TRUE(painted.SaveFile(wxString::FromUTF8(artifact.c_str()), wxBITMAP_TYPE_PNG));
        EXPECT_EQ(compare(painted, first, nullptr).pixels, 0) << "the second paint differs from the first";

        wxImage reference;
        const wxString referenceFile = wxString::FromUTF8(referencePath(c.file).c_str());
        if (!wxFileName::FileExists(referenceFile)) {
            ADD_FAILURE() << "no reference picture; the painted one is " << artifact;
            continue;
        }
        ASSERT_TRUE(reference.LoadFile(referenceFile, wxBITMAP_TYPE_PNG));
        ASSERT_EQ(reference.GetSize(), painted.GetSize());
        wxImage map;
        const Difference d = compare(painted, reference, &map);
        if (d.pixels) {
            const std::string mapFile = TestSupport::artifactPath(std::string("diff-") + c.file);
            map.SaveFile(wxString::FromUTF8(mapFile.c_str()), wxBITMAP_TYPE_PNG);
            ADD_FAILURE() << d.pixels << " pixels differ from the reference, within x " << d.box.GetLeft() << ".."
                          << d.box.GetRight() << ", y " << d.box.GetTop() << ".." << d.box.GetBottom()
                          << "; painted: " << artifact << ", differences: " << mapFile;
        }
    }
}
