// The chart frame's double-top and head-and-shoulders commands on a live
// chart: Ctrl+Shift+2 offers the stored settings (2.5 %, dark red and dark
// green of width 2 with nothing stored), OK stores the filter for the
// zig-zag dialog too and adds the detector to the main zone, which marks a
// double top 2 px above its closes in the top pen and an inverse head and
// shoulders 2 px below in the bottom pen.
#include "app/QxGlobalVars.h"
#include "support/ChartFixtures.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxZone.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxChartView.h"
#include "chartview/QxPricePattern.h"
#include "configdlg/QxPricePatternDetectionDlg.h"
#include "configdlg/QxZiagzagConfigDlg.h"
#include "configdlg/wxPenPicker.h"
#include "core/QxCalculator.h"
#include "core/QxPriceHistory.h"
#include "core/platform/wxConfigEx.h"

#include "ChartFrameTestSupport.h"
#include "support/ModalScript.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/uiaction.h>

using cframetest::pump;
using TestSupport::ModalScript;

namespace {

class PricePatternCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wxConfigEx::get().DeleteGroup("/preferences/pattern_configs");
        QxGlobalVars::get().chartFrameSize = wxSize(1000, 700);
        QxGlobalVars::get().isChartFrameMaximized = false;
    }
    void open(QxPriceHistory* history)
    {
        m_security = new charttest::MemSecurity(18, history, "Shapes Ltd", "SHP");
        m_view = QxChartView::createChartView(m_security.get(), Qx::eDaily, Qx::ePriceLine, nullptr);
        ASSERT_NE(m_view, nullptr);
        m_frame = m_view->getFrame();
        m_frame->Move(0, 0);
        pump(200);
    }
    void TearDown() override
    {
        if (m_frame)
            m_frame->Destroy();
        pump(100);
        wxConfigEx::get().DeleteGroup("/preferences/pattern_configs");
    }

    QxChart* chart() const { return m_view->getChartist()->getChart(); }
    QxPricePattern* detector(size_t i = 0) const
    {
        const auto& patterns = chart()->getMainZone()->getPatterns();
        return i < patterns.size() ? dynamic_cast<QxPricePattern*>(patterns[i].get()) : nullptr;
    }
    void command(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(m_frame);
        m_frame->ProcessWindowEvent(event);
        pump(50);
    }
    // Configures a detector through the command's dialog with a 10 % filter
    // and the given pens, then paints.
    void addDetector(int id, const wxColour& top, const wxColour& bottom)
    {
        ModalScript script;
        script.when<QxPricePatternDetectionDlg>([&](QxPricePatternDetectionDlg* d) {
            d->filterField()->SetValue(10.0);
            d->topPenPicker()->setPen(wxPen(top, 2));
            d->bottomPenPicker()->setPen(wxPen(bottom, 2));
            ModalScript::press(d, wxID_OK);
        });
        command(id);
        EXPECT_EQ(script.pending(), 0u);
        m_view->refreshChart();
        pump(300);
    }
    wxPoint at(unsigned bar) const
    {
        const QxPriceHistory* h = chart()->getCalc()->prices(false);
        return wxPoint(m_view->getXMap(0).map(double(bar)), m_view->getYMap(0).map(h->close()[bar]));
    }

    QxObjectSmartPtr<QxSecurity> m_security;
    QxChartView* m_view = nullptr;
    QxChartFrame* m_frame = nullptr;
};

const wxColour kMagenta(255, 0, 255), kOrange(255, 140, 0);

} // namespace

TEST_F(PricePatternCommandTest, CtrlShiftTwoOffersTheDefaultsAndStoresTheFilterForTheZigZagToo)
{
    open(charttest::makeWalk(300, 7));
    m_frame->Raise();
    m_view->SetFocus();
    pump(400);

    wxString offered, title, message;
    wxPen top, bottom;
    ModalScript script;
    script.when<QxPricePatternDetectionDlg>([&](QxPricePatternDetectionDlg* d) {
        offered = d->filterField()->GetTextValue();
        top = d->topPenPicker()->getPen();
        bottom = d->bottomPenPicker()->getPen();
        title = d->GetTitle();
        message = d->messageText()->GetLabel();
        EXPECT_TRUE(cframetest::saveWindowShot(d, "double_top_dialog.png"));
        d->filterField()->SetFocus();
        d->filterField()->SetSelection(-1, -1);
        pump(100);
        wxUIActionSimulator().Text("4");
        pump(300);
        ModalScript::press(d, wxID_OK);
    });
    wxUIActionSimulator().Char('2', wxMOD_CONTROL | wxMOD_SHIFT);
    for (int i = 0; i < 50 && script.pending(); ++i)
        pump(100);
    pump(200);

    EXPECT_EQ(script.pending(), 0u);
    EXPECT_EQ(offered, "2.5");
    EXPECT_EQ(top.GetColour(), wxColour(117, 0, 0));
    EXPECT_EQ(bottom.GetColour(), wxColour(0, 127, 0));
    EXPECT_EQ(top.GetWidth(), 2);
    EXPECT_EQ(bottom.GetWidth(), 2);
    EXPECT_EQ(title, "Double Top detection configuration");
    EXPECT_EQ(message, "Please provide configuration parameters for detecting\ndouble top patterns in price movement.");
    ASSERT_NE(detector(), nullptr);
    EXPECT_EQ(detector()->getName().string(), "QxDoubleTop");
    EXPECT_EQ(detector()->filter, 4.0);
    EXPECT_EQ(QxZiagzagConfigDlg::readZigZagDefaults(wxConfigEx::get()).filter, 4.0);
    EXPECT_EQ(QxPricePatternDetectionDlg::readPricePatternDefaults(wxConfigEx::get()).filter, 4.0);
}

TEST_F(PricePatternCommandTest, ADoubleTopIsMarkedAboveItsClosesInTheTopPen)
{
    // 100 bars: turning points 0, 25, 50, 75, 99.
    open(charttest::makePiecewise({{0, 10}, {25, 20}, {50, 15}, {75, 20}, {99, 12}}));
    addDetector(1016, kMagenta, kOrange);
    ASSERT_NE(detector(), nullptr);
    EXPECT_TRUE(cframetest::saveWindowShot(m_frame, "double_top_on_chart.png"));
    // The view opens on the last bars: the shape starts before the left edge.
    ASSERT_GT(chart()->firstVisibleBar(), 0u);
    ASSERT_LT(chart()->firstVisibleBar(), 25u);
    ASSERT_EQ(chart()->lastVisibleBar(), 99u);

    const wxImage image = m_view->getChartBitmap().ConvertToImage();
    const auto count = [&](wxPoint p, int dy, int h, const wxColour& c) {
        return charttest::countNear(image, wxRect(p.x - 1, p.y + dy, 3, h), c, 60);
    };
    // The trough at bar 50: the line's lowest row is 1 px above the close;
    // unshifted it would reach the rows below.
    EXPECT_GT(count(at(50), -2, 2, kMagenta), 0);
    EXPECT_EQ(count(at(50), 1, 3, kMagenta), 0);
    // The peaks: the line's highest rows lie 3 and 4 px above them.
    EXPECT_GT(count(at(25), -4, 2, kMagenta), 0);
    EXPECT_GT(count(at(75), -4, 2, kMagenta), 0);
    EXPECT_EQ(charttest::countNear(image, chart()->getMainZone()->getInnerRect(), kOrange, 60), 0)
        << "no bottom found";

    // A cancelled second command adds nothing.
    ModalScript cancel;
    cancel.when<QxPricePatternDetectionDlg>([](QxPricePatternDetectionDlg* d) { ModalScript::press(d, wxID_CANCEL); });
    command(1017);
    EXPECT_EQ(chart()->getMainZone()->getPatterns().size(), 1u);
}

TEST_F(PricePatternCommandTest, AnInverseHeadAndShouldersIsMarkedBelowItsClosesInTheBottomPen)
{
    open(charttest::makePiecewise({{0, 20}, {15, 10}, {30, 15}, {45, 5}, {60, 15}, {75, 10}, {90, 20}}));
    addDetector(1017, kMagenta, kOrange);
    ASSERT_NE(detector(), nullptr);
    EXPECT_EQ(detector()->getName().string(), "QxHeadAndShoulder");
    EXPECT_TRUE(cframetest::saveWindowShot(m_frame, "inverse_head_and_shoulders_on_chart.png"));

    const wxImage image = m_view->getChartBitmap().ConvertToImage();
    const auto count = [&](wxPoint p, int dy, int h, const wxColour& c) {
        return charttest::countNear(image, wxRect(p.x - 1, p.y + dy, 3, h), c, 60);
    };
    // The head at bar 45 and the left shoulder at 15: the line's lowest
    // rows lie 2 and 3 px below the close; unshifted they would be 0 and 1.
    for (unsigned bar : {45u, 15u}) {
        EXPECT_GT(count(at(bar), 2, 2, kOrange), 0) << bar;
        EXPECT_EQ(count(at(bar), 4, 3, kOrange), 0) << bar;
    }
    EXPECT_EQ(charttest::countNear(image, chart()->getMainZone()->getInnerRect(), kMagenta, 60), 0);
}
