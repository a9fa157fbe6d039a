// The chart configuration dialog run from the frame's command on a live
// chart: Apply reaching the picture and staying after Cancel, Reset All
// showing the defaults without touching the chart, Help, indicator zones
// sharing one look, and OK with or without storing the look for new charts.
#include "app/QxGlobalVars.h"
#include "support/ChartFixtures.h"
#include "chart/QxChart.h"
#include "chart/QxChartConfiguration.h"
#include "chart/QxChartist.h"
#include "chart/QxPriceObj.h"
#include "chart/QxUniColorScheme.h"
#include "chart/QxValueAxis.h"
#include "chart/QxVolume.h"
#include "chart/QxVolumeObj.h"
#include "chart/QxZone.h"
#include "chartframe/FBChartFrame.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxChartView.h"
#include "configdlg/ChartConfigurationPanels.h"
#include "configdlg/DlgChartConfiguration.h"
#include "core/QxUtils.h"
#include "core/platform/QxHelpBook.h"
#include "core/platform/wxConfigEx.h"

#include "ChartFrameTestSupport.h"
#include "support/ModalScript.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/html/helpfrm.h>
#include <wx/timer.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/msgdlg.h>

using cframetest::pump;
using TestSupport::ModalScript;

namespace {

const char* const kStoreGroup = "/preferences/chart_all_config";

// Answers message boxes without showing them, keeping their texts and
// styles.
class Answerer : public wxModalDialogHook {
public:
    Answerer() { Register(); }
    ~Answerer() override { Unregister(); }
    int answer = wxID_NO;
    std::vector<wxString> texts;
    long lastStyle = 0;

protected:
    int Enter(wxDialog* dialog) override
    {
        auto* box = dynamic_cast<wxMessageDialogBase*>(dialog);
        if (!box)
            return wxID_NONE;
        texts.push_back(box->GetMessage());
        lastStyle = box->GetMessageDialogStyle();
        return answer;
    }
    void Exit(wxDialog*) override {}
};

class ChartConfigDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = QxGlobalVars::get();
        QxGlobalVars& g = QxGlobalVars::get();
        g.chartFrameSize = wxSize(900, 650);
        g.isChartFrameMaximized = false;
        g.chartFramePerspective.clear();
        wxConfigEx::get().DeleteGroup(kStoreGroup);
        releaseChartConfigs();
        m_security = new charttest::MemSecurity(7, charttest::makeWalk(400), "Walker Mills", "WLK");
    }
    void TearDown() override
    {
        for (wxWindow* w : wxTopLevelWindows)
            if (auto* f = dynamic_cast<QxChartFrame*>(w); f && !wxPendingDelete.Member(f))
                f->Destroy();
        pump(100);
        QxGlobalVars& g = QxGlobalVars::get();
        g.chartFrameSize = m_saved.chartFrameSize;
        g.isChartFrameMaximized = m_saved.isChartFrameMaximized;
        g.chartFramePerspective = m_saved.chartFramePerspective;
        wxConfigEx::get().DeleteGroup(kStoreGroup);
        releaseChartConfigs();
    }

    QxChartView* openChart()
    {
        QxChartView* view = QxChartView::createChartView(m_security.get(), Qx::eDaily, Qx::ePriceCandles, nullptr);
        if (view)
            pump(200);
        return view;
    }
    static QxChart* chartOf(QxChartView* view) { return view->getChartist()->getChart(); }
    static QxVolumeObj* volumeGraphicOf(QxChart* chart)
    {
        auto* volume = dynamic_cast<QxVolume*>(chart->getVolumeZone()->indicatorAt(0));
        return volume ? volume->volumeObj() : nullptr;
    }
    static QxChartAllConfiguration storedConfig()
    {
        QxChartAllConfiguration stored = defaultChartConfig();
        readChartConfig(wxConfigEx::get(), stored);
        return stored;
    }
    static void configure(QxChartView* view)
    {
        wxCommandEvent event(wxEVT_MENU, QxID_CHART_CONFIG);
        event.SetEventObject(view->getFrame());
        view->getFrame()->ProcessWindowEvent(event);
        pump(100);
    }
    // Pixels of the view's picture in this colour, once it is painted.
    static int pixelsOf(QxChartView* view, const wxColour& colour)
    {
        view->Refresh();
        view->Update();
        pump(100);
        const wxImage image = view->getChartBitmap().ConvertToImage();
        const unsigned char* p = image.GetData();
        int count = 0;
        for (int i = 0, n = image.GetWidth() * image.GetHeight(); i < n; ++i, p += 3)
            count += p[0] == colour.Red() && p[1] == colour.Green() && p[2] == colour.Blue();
        return count;
    }

    QxObjectSmartPtr<QxSecurity> m_security;

private:
    QxGlobalVars m_saved;
};

} // namespace

TEST_F(ChartConfigDlgTest, ApplyStaysAfterCancelAndResetWaitsForApply)
{
    QxChartView* view = openChart();
    ASSERT_NE(view, nullptr);
    QxChart* chart = chartOf(view);
    // Two indicator zones that look different before the dialog.
    QxZone* third = chart->addZone();
    QxZone* fourth = chart->addZone();
    QxZoneConfiguration odd = third->getConfig();
    odd.hasTitleStrip = false;
    odd.titleBgColor = wxColour(1, 1, 1);
    third->setConfig(odd);
    odd.hasTitleStrip = true;
    odd.titleBgColor = wxColour(2, 2, 2);
    odd.titleAlignment = 1536;
    fourth->setConfig(odd);
    view->refreshChart();
    pump(100);

    const wxColour green(10, 200, 30);
    const wxColour stripColour(250, 120, 0);
    const QxChartAllConfiguration defaults = defaultChartConfig();
    ASSERT_NE(defaults.chartConfig.bg, green);
    EXPECT_EQ(pixelsOf(view, green), 0);
    const QxZoneConfiguration mainBefore = chart->getMainZone()->getConfig();

    QxUtils::setHelpFolder(wxString::FromUTF8(TestSupport::binDir() + "/help"));
    Answerer boxes;
    bool ran = false, helpShown = false;
    ModalScript script;
    DlgChartConfiguration* dialog = nullptr;
    script.when<DlgChartConfiguration>([&](DlgChartConfiguration* d) {
        ran = true;
        dialog = d;
        // The indicator-zone group is the third zone's.
        EXPECT_FALSE(d->record().indicZoneConfig.hasTitleStrip);
        EXPECT_EQ(d->record().indicZoneConfig.titleBgColor, wxColour(1, 1, 1));
        const char* shots[4] = {"chartconfig_general.png", "chartconfig_price.png", "chartconfig_zones.png",
                                "chartconfig_axis.png"};
        for (size_t i = 0; i < 4; ++i) {
            d->m_pages->SetSelection(i);
            pump(60);
            EXPECT_TRUE(cframetest::saveWindowShot(d, shots[i]));
        }

        d->generalPage()->m_background->SetColour(green);
        FBZoneTitleControls& indic = d->zonePage()->m_zones[2];
        indic.strip->SetValue(true);
        indic.background->SetColour(stripColour);
        ModalScript::press(d, wxID_APPLY);
        EXPECT_EQ(chart->getConfig().bg, green);
        for (QxZone* zone : {third, fourth}) {
            EXPECT_TRUE(zone->getConfig().hasTitleStrip);
            EXPECT_EQ(zone->getConfig().titleBgColor, stripColour);
            EXPECT_EQ(zone->valueAxis()->getConfig(), d->record().axisConfig);
        }

        // No keeps the page as it is; Yes shows the defaults, chart untouched.
        boxes.answer = wxID_NO;
        wxButton* reset = d->m_resetAll;
        ModalScript::press(d, reset->GetId());
        EXPECT_EQ(d->generalPage()->m_background->GetColour(), green);
        boxes.answer = wxID_YES;
        ModalScript::press(d, reset->GetId());
        EXPECT_EQ(d->generalPage()->m_background->GetColour(), defaults.chartConfig.bg);
        EXPECT_EQ(d->record(), defaults);
        EXPECT_EQ(chart->getConfig().bg, green);

        // Help, clicked from the queue as the user would.
        auto* click = new wxCommandEvent(wxEVT_BUTTON, wxID_HELP);
        click->SetEventObject(d->m_help);
        d->m_help->GetEventHandler()->QueueEvent(click);
    });
    // The viewer opens beside the dialog: it is closed, then the dialog cancelled.
    wxTimer helpCloser;
    helpCloser.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        for (wxWindow* w : wxTopLevelWindows)
            if (auto* frame = dynamic_cast<wxHtmlHelpFrame*>(w); frame && frame->IsShown() && !helpShown) {
                helpShown = true;
                EXPECT_TRUE(QxUtils::manualBook().openedPage().EndsWith("topics/customize_chart.htm"))
                    << QxUtils::manualBook().openedPage();
                frame->Close(true);
                // Then the user cancels the configuration dialog.
                wxTheApp->CallAfter([&dialog] { ModalScript::press(dialog, wxID_CANCEL); });
            }
    });
    helpCloser.Start(50);
    configure(view);
    helpCloser.Stop();
    EXPECT_TRUE(ran);
    EXPECT_TRUE(helpShown);
    EXPECT_EQ(script.pending(), 0u);

    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], "It will change all configuration parameters to default values.\nDo you want to reset all?");
    EXPECT_TRUE(boxes.lastStyle & wxYES_NO);
    EXPECT_TRUE(boxes.lastStyle & wxICON_QUESTION);

    // Cancel after Apply keeps the applied look; Reset All never reached it.
    EXPECT_EQ(chart->getConfig().bg, green);
    EXPECT_EQ(chart->getMainZone()->getConfig(), mainBefore);
    EXPECT_GT(pixelsOf(view, green), 10000);
    EXPECT_GT(pixelsOf(view, stripColour), 0);
    EXPECT_TRUE(cframetest::saveWindowShot(view->getFrame(), "chartconfig_applied.png"));
    EXPECT_EQ(storedConfig(), defaults);

    QxUtils::closeHelp();
    QxUtils::setHelpFolder(wxString());
}

TEST_F(ChartConfigDlgTest, OkChangesOneChartUnlessStoredForNewCharts)
{
    const QxChartAllConfiguration before = currentChartConfig();
    QxChartView* first = openChart();
    ASSERT_NE(first, nullptr);
    const wxColour up = before.volumeObjConfig.priceUpColor, down = before.volumeObjConfig.priceDownColor;
    ASSERT_NE(up, down);

    // OK without the box: this chart only; equal volume colours give
    // one-colour bars.
    const wxColour candleUp(255, 240, 0);
    ModalScript script;
    script.when<DlgChartConfiguration>([&](DlgChartConfiguration* d) {
        d->pricePage()->m_volumeDown->SetColour(up);
        d->pricePage()->m_candleUp->SetColour(candleUp);
        d->pricePage()->m_tickWidth->SetValue(9);
        ModalScript::press(d, wxID_OK);
    });
    configure(first);
    EXPECT_EQ(script.pending(), 0u);
    const QxPriceObj* price = QxChartFrame::priceGraphicOf(chartOf(first));
    EXPECT_EQ(price->getConfig().candleUpColor, candleUp);
    EXPECT_EQ(price->getConfig().tickWidth, 9);
    const QxVolumeObj* volume = volumeGraphicOf(chartOf(first));
    EXPECT_EQ(volume->priceDownColor(), up);
    EXPECT_NE(dynamic_cast<QxUniColorScheme*>(volume->getColorScheme()), nullptr);
    EXPECT_GT(pixelsOf(first, candleUp), 0);
    EXPECT_TRUE(cframetest::saveWindowShot(first->getFrame(), "chartconfig_one_volume_colour.png"));
    EXPECT_EQ(storedConfig(), before);
    EXPECT_EQ(currentChartConfig(), before);

    QxChartView* second = openChart();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(QxChartFrame::priceGraphicOf(chartOf(second))->getConfig(), before.priceObjConfig);
    EXPECT_EQ(pixelsOf(second, candleUp), 0);

    // OK with the box: stored, and the next chart opens with this look.
    const wxColour bg(230, 230, 250);
    script.when<DlgChartConfiguration>([&](DlgChartConfiguration* d) {
        d->generalPage()->m_background->SetColour(bg);
        d->m_saveAsDefault->SetValue(true);
        ModalScript::press(d, wxID_OK);
    });
    configure(second);
    EXPECT_EQ(script.pending(), 0u);
    EXPECT_EQ(storedConfig().chartConfig.bg, bg);
    EXPECT_EQ(currentChartConfig().chartConfig.bg, bg);

    QxChartView* third = openChart();
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(chartOf(third)->getConfig().bg, bg);
    EXPECT_GT(pixelsOf(third, bg), 10000);
    // The first chart keeps its own look.
    EXPECT_NE(chartOf(first)->getConfig().bg, bg);
}
