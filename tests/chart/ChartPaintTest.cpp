// Whole charts painted into memory bitmaps: a security of a real history
// database with the default template (BBANDS, RSI and MACD), in three
// periods and three price styles.  Each picture is saved for a person to
// look at.
#include "support/ChartFixtures.h"
#include "app/QxGlobalVars.h"
#include "app/QxIndicatorRegistry.h"
#include "app/QxPluginLoader.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxColorScheme.h"
#include "chart/QxCurve.h"
#include "chart/QxPrice.h"
#include "chart/QxPriceObj.h"
#include "chart/QxTemplate.h"
#include "core/QxCalculator.h"
#include "core/QxCategory.h"
#include "core/QxDataReader.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxDatabase.h"
#include "core/QxIndicator.h"
#include "core/platform/wxConfigEx.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/filename.h>

using namespace charttest;

namespace {

using TestSupport::historyReader;

// A history database with one security of 3000 synthetic daily bars, and
// the default template holding BBANDS, RSI and MACD, loaded the way the
// program loads it: through the global settings.
struct PaintFixture : ::testing::Test {
    static void SetUpTestSuite()
    {
        QxIndicatorRegistry::instance()->addBuiltInIndicators();
        QxDataReader* reader = historyReader();
        ASSERT_NE(reader, nullptr) << "trddb.trdx did not load";
        const std::string dir = TestSupport::makeTempDir("paint");
        int error = 0;
        database = reader->openDatabase(wxString::FromUTF8((dir + "/hist.trddb").c_str()), "", &error);
        ASSERT_NE(database.get(), nullptr) << "error " << error;
        QxObjectSmartPtr<QxCategory> category(database->createCategory("US.NYSE.STOCK", ""));
        ASSERT_NE(category.get(), nullptr);
        security = category->addSecurity("SYNTH", "Synthetic Industries");
        ASSERT_NE(security.get(), nullptr);
        QxObjectSmartPtr<QxPriceHistory> history(makeWalk(3000));
        ASSERT_EQ(security->saveHistory(history.get()), eNoError);

        QxTemplate tmpl;
        for (const char* name : {"BBANDS", "RSI", "MACD"}) {
            const QxIndicator* prototype = QxIndicatorRegistry::instance()->getIndicator(QxAtom(name));
            ASSERT_NE(prototype, nullptr) << name;
            EXPECT_EQ(tmpl.addIndicator(prototype->clone(7), tmpl.numIndics()), eNoError);
        }
        const wxString file = wxString::FromUTF8((dir + "/default.trdt").c_str());
        ASSERT_EQ(tmpl.saveToFile(wxFileName(file)), eNoError);
        wxConfigEx config(wxString::FromUTF8((dir + "/settings.ini").c_str()));
        config.Write("/global/defaultTemplateFileName", file);
        QxGlobalVars::get().readGlobal(config);
        ASSERT_NE(QxGlobalVars::get().defaultTemplate.get(), nullptr);
        ASSERT_EQ(QxGlobalVars::get().defaultTemplate->numIndics(), 3u);
    }
    static void TearDownTestSuite()
    {
        QxGlobalVars::get().defaultTemplate = nullptr;
        security = nullptr;
        database = nullptr;
    }

    static QxObjectSmartPtr<QxDatabase> database;
    static QxObjectSmartPtr<QxSecurity> security;
};
QxObjectSmartPtr<QxDatabase> PaintFixture::database;
QxObjectSmartPtr<QxSecurity> PaintFixture::security;

// Pixels of the zone's plot that show something other than the background
// and the grid.
int drawnPixels(const wxImage& img, const QxZone* zone, const wxColour& background, const wxColour& grid)
{
    const wxRect r = zone->getInnerRect().Deflate(2);
    return countOther(img, r, background) - countNear(img, r, grid, 10);
}

} // namespace

TEST_F(PaintFixture, DefaultTemplateChartsInEveryPeriodAndStyle)
{
    const struct {
        Qx::QxPeriod period;
        Qx::QxPriceObjType style;
        const char* file;
    } cases[] = {
        {Qx::eDaily, Qx::ePriceCandles, "chart-daily-candles.png"},
        {Qx::eWeekly, Qx::ePriceCandles, "chart-weekly-candles.png"},
        {Qx::eMonthly, Qx::ePriceCandles, "chart-monthly-candles.png"},
        {Qx::eDaily, Qx::ePriceBars, "chart-daily-bars.png"},
        {Qx::eDaily, Qx::ePriceLine, "chart-daily-line.png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        QxObjectSmartPtr<QxChartist> chartist(
            new QxChartist(security.get(), c.period, QxGlobalVars::get().defaultTemplate.get()));
        ASSERT_EQ(chartist->setPriceObjType(c.style), eNoError);
        QxChart* chart = chartist->getChart();
        ASSERT_EQ(chart->numZones(), 4u);
        EXPECT_EQ(chart->getMainZone()->getTitle(),
                  wxString("Synthetic Industries") + QxChartist::periodSuffix(c.period));
        chart->setChartWidth(1200);

        wxBitmap bitmap(1200, 800, 24);
        wxMemoryDC dc(bitmap);
        ASSERT_EQ(chartist->display(dc), eNoError);
        ASSERT_FALSE(chart->isLayoutDirty()) << "the layout succeeded";
        dc.SelectObject(wxNullBitmap);
        ASSERT_TRUE(bitmap.SaveFile(wxString::FromUTF8(TestSupport::artifactPath(c.file).c_str()),
                                    wxBITMAP_TYPE_PNG));
        const wxImage img = bitmap.ConvertToImage();

        const wxColour bg = chart->getConfig().bg;
        const wxColour grid = chart->getConfig().gridPen.GetColour();
        EXPECT_EQ(chart->lastVisibleBar(), chart->getCalc()->prices(c.period, false)->numBars() - 1);
        // Every zone shows its graphics.
        for (unsigned z = 0; z < chart->numZones(); ++z) {
            const QxZone* zone = chart->zoneAt(z);
            EXPECT_LE(zone->getOrigin().y + zone->getHeight(), 800) << "zone " << z;
            EXPECT_GT(drawnPixels(img, zone, bg, grid), zone->getInnerRect().GetWidth()) << "zone " << z;
        }
        // The price graphic in its style's colours.
        const QxZone* main = chart->getMainZone();
        const QxPriceObjConfiguration& look = main->findIndicator()->priceObj()->getConfig();
        const wxColour priceColour = c.style == Qx::ePriceLine ? look.lineColor : *wxBLACK;
        EXPECT_GT(countNear(img, main->getInnerRect(), priceColour, 30), 1000) << "prices";
        // The overlay and the indicators' curves, each in its colour.
        for (unsigned z = 0; z < chart->numZones(); ++z) {
            const QxZone* zone = chart->zoneAt(z);
            for (unsigned i = 0; i < zone->numIndicator(); ++i)
                for (const auto& d : zone->indicatorAt(i)->drawables(false)) {
                    const auto* curve = dynamic_cast<const QxCurve*>(d.get());
                    if (!curve || !curve->getColorScheme() || !curve->getColorScheme()->isUniform())
                        continue;
                    const wxColour colour = curve->getColorScheme()->colorAt(0);
                    if (colour == priceColour)
                        continue;
                    EXPECT_GT(countNear(img, zone->getInnerRect(), colour, 60), 200)
                        << zone->indicatorAt(i)->getDisplayName() << " in zone " << z;
                }
        }
        // Volume bars in the rising and falling colours (painted see-through).
        const QxZone* volume = chart->getVolumeZone();
        const wxRect vr = volume->getInnerRect().Deflate(2);
        EXPECT_GT(countOther(img, vr, bg) - countNear(img, vr, grid, 10), 2000) << "volume";
    }
}
