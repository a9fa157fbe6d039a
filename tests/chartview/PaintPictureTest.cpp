// Point-and-figure charts and a chart marked by every candlestick function,
// over the ORCL history the benchmarks paint, compared pixel by pixel with
// reference pictures kept beside this file (see support/ReferencePicture.h).
#include "bench/BenchCandlesticks.h"
#include "bench/BenchOrcl.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxZone.h"
#include "chartview/QxCandlestickPattern.h"
#include "chartview/QxPointAndFigure.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "support/ReferencePicture.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/image.h>

#include <algorithm>

namespace {

constexpr int kWidth = 1200;
constexpr int kHeight = 800;

struct PaintPictureFixture : ::testing::Test {
    TestSupport::BuiltInLook look;
    QxObjectSmartPtr<QxSecurity> security{new benchorcl::MemSecurity(benchorcl::loadHistory(), 90210)};
};

// Painted twice into one bitmap, as a window paints again and again:
// nothing one paint leaves behind may change the next.
template <class Paint>
wxImage paintTwice(wxBitmap& bitmap, Paint&& paint)
{
    wxMemoryDC dc(bitmap);
    paint(dc);
    const wxImage first = bitmap.ConvertToImage();
    paint(dc);
    dc.SelectObject(wxNullBitmap);
    const wxImage second = bitmap.ConvertToImage();
    EXPECT_EQ(TestSupport::comparePictures(second, first).pixels, 0) << "the second paint differs from the first";
    return second;
}

} // namespace

TEST_F(PaintPictureFixture, PointAndFigureChartsPaintAsTheReferencePictures)
{
    const struct {
        int boxPixels;
        unsigned lastColumn; // kNotPlaced: the newest columns
        const char* file;
    } cases[] = {
        {QxPointAndFigure::kDefaultBoxPixels, QxPointAndFigure::kNotPlaced, "pnf-orcl.png"},
        {QxPointAndFigure::kDefaultBoxPixels, 300, "pnf-orcl-column-300.png"},
        {7, 600, "pnf-orcl-small-boxes.png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(security.get(), Qx::eDaily));
        QxObjectSmartPtr<QxPointAndFigure> pnf(new QxPointAndFigure(calc.get()));
        pnf->setParams(QxPointAndFigureParam());
        pnf->setBoxPixels(c.boxPixels);
        pnf->setLastColumn(c.lastColumn);
        // As the view does it: laid out on a scratch picture, then painted
        // into one as tall as the chart.
        {
            wxBitmap scratch(kWidth, 1000);
            wxMemoryDC dc(scratch);
            pnf->layout(dc, kWidth);
        }
        ASSERT_GT(pnf->visibleColumns(), 20u);
        wxBitmap bitmap(kWidth, std::max(kHeight, pnf->virtualHeight()), 24);
        const wxImage painted = paintTwice(bitmap, [&](wxDC& dc) {
            dc.SetPen(*wxBLACK_PEN);
            dc.SetBrush(*wxWHITE_BRUSH);
            pnf->display(dc);
        });
        TestSupport::expectReferencePicture(painted, "tests/chartview/pictures", c.file);
    }
}

TEST_F(PaintPictureFixture, CandlestickMarksPaintAsTheReferencePictures)
{
    const struct {
        uint32_t zoom;
        unsigned scrollBack; // bars between the last visible bar and the last bar
        const char* file;
    } cases[] = {
        {QxChart::eZoomBase, 0, "candlesticks-orcl.png"},
        {QxChart::eZoomBase, 1234, "candlesticks-orcl-scrolled.png"},
        {QxChart::eZoomOnePixel, 0, "candlesticks-orcl-one-pixel.png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        auto* detector = new QxCandlestickPattern();
        detector->detectors = benchcandles::candlestickFunctions();
        ASSERT_EQ(detector->detectors.size(), 61u);
        QxObjectSmartPtr<QxChartist> chartist(new QxChartist(security.get(), Qx::eDaily, nullptr));
        QxChart* chart = chartist->getChart();
        chart->setChartWidth(kWidth);
        EXPECT_EQ(chart->setZoomWidth(c.zoom), eNoError);
        chart->getMainZone()->addPattern(detector);
        wxBitmap bitmap(kWidth, kHeight, 24);
        {
            wxMemoryDC dc(bitmap);
            ASSERT_EQ(chartist->setup(dc), eNoError);
            if (c.scrollBack) {
                chart->setLastVisibleBar(chart->lastVisibleBar() - c.scrollBack);
                ASSERT_EQ(chartist->setup(dc), eNoError);
            }
        }
        const wxImage painted = paintTwice(bitmap, [&](wxDC& dc) { EXPECT_EQ(chartist->display(dc), eNoError); });
        TestSupport::expectReferencePicture(painted, "tests/chartview/pictures", c.file);
    }
}
