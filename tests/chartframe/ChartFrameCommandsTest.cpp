// Chart commands run from the frame on a live chart: price style, weekly and
// back, zoom to its limit, volume, a copy in a second frame; and the shared
// frame settings carried through the configuration store to the next frame.
#include "app/QxGlobalVars.h"
#include "support/ChartFixtures.h"
#include "support/ChartTestSupport.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxPriceObj.h"
#include "chart/QxZone.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxChartView.h"
#include "core/QxCalculator.h"
#include "core/platform/QxFileDialogExt.h"

#include "ChartFrameTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/ffile.h>
#include <wx/filedlg.h>
#include <wx/fileconf.h>
#include <wx/filefn.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>

using cframetest::pump;

namespace {

class ChartCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = QxGlobalVars::get();
        QxGlobalVars& g = QxGlobalVars::get();
        g.chartFrameSize = wxSize(900, 650);
        g.isChartFrameMaximized = false;
        g.chartFramePerspective.clear();
        m_security = new charttest::MemSecurity(7, charttest::makeWalk(600), "Walker Mills", "WLK");
        m_view = QxChartView::createChartView(m_security.get(), Qx::eDaily, Qx::ePriceCandles, nullptr);
        ASSERT_NE(m_view, nullptr);
        m_frame = m_view->getFrame();
        ASSERT_NE(m_frame, nullptr);
        pump(200);
    }
    void TearDown() override
    {
        for (wxTopLevelWindow* w : openChartFrames())
            w->Destroy();
        pump(100);
        QxGlobalVars& g = QxGlobalVars::get();
        g.chartFrameSize = m_saved.chartFrameSize;
        g.isChartFrameMaximized = m_saved.isChartFrameMaximized;
        g.chartFramePerspective = m_saved.chartFramePerspective;
        g.showLegends = m_saved.showLegends;
    }

    static std::vector<wxTopLevelWindow*> openChartFrames()
    {
        std::vector<wxTopLevelWindow*> out;
        for (wxWindow* w : wxTopLevelWindows)
            if (auto* f = dynamic_cast<QxChartFrame*>(w); f && !wxPendingDelete.Member(f))
                out.push_back(f);
        return out;
    }

    void command(int id, bool checked = false)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetInt(checked ? 1 : 0);
        event.SetEventObject(m_frame);
        m_frame->ProcessWindowEvent(event);
        pump(30);
    }
    // What the frame's update rule says of an item: (enabled, checked).
    std::pair<bool, bool> rule(int id)
    {
        wxUpdateUIEvent event(id);
        event.SetEventObject(m_frame);
        m_frame->ProcessWindowEvent(event);
        return {!event.GetSetEnabled() || event.GetEnabled(), event.GetSetChecked() && event.GetChecked()};
    }
    QxChart* chart() const { return m_view->getChartist()->getChart(); }
    int priceType() const { return QxChartFrame::priceGraphicOf(chart())->getType(); }

    QxObjectSmartPtr<QxSecurity> m_security;
    QxChartView* m_view = nullptr;
    QxChartFrame* m_frame = nullptr;

private:
    QxGlobalVars m_saved;
};

} // namespace

TEST_F(ChartCommandsTest, PriceStyleTogglesAndTheRulesFollow)
{
    ASSERT_EQ(priceType(), Qx::ePriceCandles);
    EXPECT_TRUE(rule(1000).second);
    command(1001);
    EXPECT_EQ(priceType(), Qx::ePriceBars);
    EXPECT_TRUE(rule(1001).second);
    EXPECT_FALSE(rule(1000).second);
    // Choosing the style in force hides the price; choosing it again shows it.
    command(1001);
    EXPECT_EQ(priceType(), Qx::ePriceNone);
    for (int id : {1000, 1001, 1002})
        EXPECT_FALSE(rule(id).second) << id;
    command(1001);
    EXPECT_EQ(priceType(), Qx::ePriceBars);
    command(1002);
    EXPECT_EQ(priceType(), Qx::ePriceLine);
    EXPECT_TRUE(cframetest::saveWindowShot(m_frame, "chart_frame_line.png"));
    command(1000);
    EXPECT_EQ(priceType(), Qx::ePriceCandles);
}

TEST_F(ChartCommandsTest, WeeklyAndBack)
{
    const unsigned dailyBars = chart()->getCalc()->prices(Qx::eDaily, false)->numBars();
    command(1006);
    EXPECT_EQ(chart()->getCalc()->currentTimeframe(), Qx::eWeekly);
    EXPECT_TRUE(rule(1006).second);
    EXPECT_FALSE(rule(1005).second);
    QxPriceHistory* weekly = chart()->getCalc()->prices(Qx::eWeekly, false);
    ASSERT_NE(weekly, nullptr);
    EXPECT_LT(weekly->numBars(), dailyBars / 4);
    command(1005);
    EXPECT_EQ(chart()->getCalc()->currentTimeframe(), Qx::eDaily);
    EXPECT_TRUE(rule(1005).second);
    EXPECT_FALSE(rule(1006).second);
}

TEST_F(ChartCommandsTest, ZoomInUntilItRefusesAtTheLimit)
{
    command(1020); // the base width
    const int base = chart()->candleWidth();
    int steps = 0;
    while (rule(1018).first && steps < 500) {
        const int before = chart()->candleWidth();
        command(1018);
        EXPECT_GE(chart()->candleWidth(), before);
        ++steps;
    }
    EXPECT_LT(steps, 500) << "zoom in never refused";
    EXPECT_GT(chart()->candleWidth(), base);
    EXPECT_FALSE(chart()->canZoomIn());
    EXPECT_TRUE(rule(1019).first);
    // At the limit a further Zoom In changes nothing.
    const int atLimit = chart()->candleWidth();
    command(1018);
    EXPECT_EQ(chart()->candleWidth(), atLimit);
    command(1021); // maximum zoom out: one-pixel candles
    EXPECT_FALSE(rule(1019).first);
    EXPECT_TRUE(rule(1018).first);
}

TEST_F(ChartCommandsTest, HideAndShowVolume)
{
    ASSERT_TRUE(chart()->isVolZoneVisible());
    EXPECT_TRUE(rule(1004).second);
    command(1004, false);
    EXPECT_FALSE(chart()->isVolZoneVisible());
    EXPECT_FALSE(rule(1004).second);
    command(1004, true);
    EXPECT_TRUE(chart()->isVolZoneVisible());
}

TEST_F(ChartCommandsTest, CopyChartOpensASecondEqualFrame)
{
    command(1006); // weekly, so the copy is seen to carry the period
    command(1002);
    const unsigned before = QxChartFrame::openFrameCount();
    command(1023);
    ASSERT_EQ(QxChartFrame::openFrameCount(), before + 1);
    QxChartFrame* copy = nullptr;
    for (wxTopLevelWindow* w : openChartFrames())
        if (w != m_frame)
            copy = static_cast<QxChartFrame*>(w);
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy->getChartView(), nullptr);
    QxChart* other = copy->getChartView()->getChartist()->getChart();
    EXPECT_NE(other, chart());
    EXPECT_EQ(copy->GetTitle(), m_frame->GetTitle());
    EXPECT_EQ(other->numZones(), chart()->numZones());
    EXPECT_EQ(other->getCalc()->currentTimeframe(), Qx::eWeekly);
    EXPECT_EQ(QxChartFrame::priceGraphicOf(other)->getType(), Qx::ePriceLine);
    // The copy is independent: its style changes alone.
    wxCommandEvent candle(wxEVT_MENU, 1000);
    copy->ProcessWindowEvent(candle);
    EXPECT_EQ(QxChartFrame::priceGraphicOf(other)->getType(), Qx::ePriceCandles);
    EXPECT_EQ(priceType(), Qx::ePriceLine);
}

TEST_F(ChartCommandsTest, LegendSwitchFollowsTheSharedSetting)
{
    QxGlobalVars::get().showLegends = true;
    m_view->getChartist()->showLegend(true);
    command(1025);
    EXPECT_FALSE(QxGlobalVars::get().showLegends);
    EXPECT_FALSE(m_view->getChartist()->showLegend());
    EXPECT_FALSE(rule(1025).second);
    // A chart whose own flag differs takes the setting's new value.
    m_view->getChartist()->showLegend(true);
    command(1025);
    EXPECT_TRUE(m_view->getChartist()->showLegend());
    EXPECT_TRUE(QxGlobalVars::get().showLegends);
}

TEST_F(ChartCommandsTest, SettingsReachTheNextFrameThroughTheStore)
{
    m_frame->SetSize(870, 640);
    pump(200);
    m_frame->auiManager().GetPane("Chart_Options").Hide();
    m_frame->auiManager().Update();
    for (wxTopLevelWindow* w : openChartFrames())
        w->Destroy();
    pump(200);
    ASSERT_EQ(QxChartFrame::openFrameCount(), 0u);

    const wxString path = wxString::FromUTF8(TestSupport::makeTempDir("store")) + "/trendoria.cfg";
    {
        wxFileConfig store(wxEmptyString, wxEmptyString, path, wxEmptyString, wxCONFIG_USE_LOCAL_FILE);
        QxGlobalVars::get().writeGlobal(store);
        store.Flush();
    }
    QxGlobalVars& g = QxGlobalVars::get();
    g.chartFrameSize = wxSize(1, 1);
    g.chartFramePerspective.clear();
    g.isChartFrameMaximized = true;
    {
        wxFileConfig store(wxEmptyString, wxEmptyString, path, wxEmptyString, wxCONFIG_USE_LOCAL_FILE);
        g.readGlobal(store);
    }
    EXPECT_EQ(g.chartFrameSize, wxSize(870, 640));
    EXPECT_FALSE(g.isChartFrameMaximized);
    EXPECT_TRUE(g.chartFramePerspective.Contains("name=Chart_Options"));

    QxChartView* next = QxChartView::createChartView(m_security.get(), Qx::eDaily, Qx::ePriceCandles, nullptr);
    ASSERT_NE(next, nullptr);
    m_frame = next->getFrame();
    pump(200);
    EXPECT_EQ(m_frame->GetSize(), wxSize(870, 640));
    EXPECT_FALSE(m_frame->auiManager().GetPane("Chart_Options").IsShown());
    EXPECT_TRUE(m_frame->auiManager().GetPane("Chart View").IsShown());
}

namespace {

// Answers file dialogs with the given path (through the file chooser's
// responder: GTK's chooser gives no path unless shown) and message boxes
// with OK, recording their texts.
class FileDialogAnswer : public wxModalDialogHook {
public:
    explicit FileDialogAnswer(wxString path) : m_path(std::move(path))
    {
        Register();
        qxSetFileChooserResponder([this](wxFileDialog& dialog) {
            ++fileDialogs;
            styles.push_back(dialog.GetWindowStyle());
            return m_path;
        });
    }
    ~FileDialogAnswer() override
    {
        qxSetFileChooserResponder(nullptr);
        Unregister();
    }
    int fileDialogs = 0;
    std::vector<long> styles;
    std::vector<wxString> messages;

protected:
    int Enter(wxDialog* dialog) override
    {
        if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog))
            messages.push_back(box->GetMessage());
        return wxID_OK;
    }
    void Exit(wxDialog*) override {}

private:
    wxString m_path;
};

} // namespace

TEST_F(ChartCommandsTest, IndicatorTemplatesSavedAndLoadedFromTheFrame)
{
    const wxString dir = wxString::FromUTF8(TestSupport::makeTempDir("templates"));
    std::vector<QxObjectSmartPtr<QxIndicator>> shown;
    {
        // Nothing to save: the message, and no file dialog.
        FileDialogAnswer answer(dir + "/empty");
        command(1012);
        EXPECT_EQ(answer.fileDialogs, 0);
        EXPECT_EQ(answer.messages, std::vector<wxString>{"This chart does not contain any indicator."});
    }

    charttest::ParamIndicator::registerPrototype("OVER");
    QxObjectSmartPtr<QxIndicator> over(new charttest::ParamIndicator("OVER"));
    ASSERT_EQ(m_view->getChartist()->addIndicator(over.get()), eNoError);
    {
        // Typed without an extension: saved with ".trdt", so the open
        // dialog's filter finds it.
        FileDialogAnswer answer(dir + "/mine");
        command(1012);
        ASSERT_EQ(answer.fileDialogs, 1);
        EXPECT_TRUE(answer.styles[0] & wxFD_OVERWRITE_PROMPT);
        EXPECT_TRUE(answer.messages.empty()) << (answer.messages.empty() ? wxString() : answer.messages[0]);
        EXPECT_TRUE(wxFileExists(dir + "/mine.trdt"));
        EXPECT_FALSE(wxFileExists(dir + "/mine"));
    }
    {
        const unsigned before = m_view->getChartist()->getDisplayedIndicators(shown);
        shown.clear();
        FileDialogAnswer answer(dir + "/mine.trdt");
        command(1011);
        EXPECT_TRUE(answer.messages.empty()) << (answer.messages.empty() ? wxString() : answer.messages[0]);
        EXPECT_EQ(m_view->getChartist()->getDisplayedIndicators(shown), before + 1);
    }
    // A damaged file and well-formed XML that is no template are reported
    // alike and change nothing.
    for (const char* text : {"not a template", "<AlertSettings><AlertSetting Type=\"9\"/></AlertSettings>"}) {
        SCOPED_TRACE(text);
        wxFFile(dir + "/bad.trdt", "w").Write(text);
        shown.clear();
        const unsigned before = m_view->getChartist()->getDisplayedIndicators(shown);
        FileDialogAnswer answer(dir + "/bad.trdt");
        command(1011);
        ASSERT_EQ(answer.messages.size(), 1u);
        EXPECT_TRUE(answer.messages[0].StartsWith("Failed to open template\nError description: "))
            << answer.messages[0];
        shown.clear();
        EXPECT_EQ(m_view->getChartist()->getDisplayedIndicators(shown), before);
    }
}
