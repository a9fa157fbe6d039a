// The benchmark's chart (10,000 bars, candles, volume, BBANDS, RSI, MACD,
// 1200x800) painted and compared pixel by pixel with reference pictures kept
// beside this file: at the base candle width, at one-pixel candles, and at
// one-pixel candles scrolled back into the history (see
// support/ReferencePicture.h).
#include "bench/BenchChart.h"
#include "support/ReferencePicture.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/image.h>

namespace {

struct PictureFixture : ::testing::Test {
    TestSupport::BuiltInLook look;
};

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
        EXPECT_EQ(TestSupport::comparePictures(painted, first).pixels, 0) << "the second paint differs from the first";
        TestSupport::expectReferencePicture(painted, "tests/chart/pictures", c.file);
    }
}
