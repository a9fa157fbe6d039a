// The chart frame's ZigZag command on a live chart: Ctrl+Shift+1 offers the
// stored settings (5 % and a black dashed line with nothing stored), typed
// filters out of range are refused while the dialog stays, and OK adds a
// zig-zag to the main zone that is drawn through the turning points and
// nowhere else.
#include "app/QxGlobalVars.h"
#include "support/ChartFixtures.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxZone.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxChartView.h"
#include "chartview/QxZigZagPattern.h"
#include "chartview/QxZigZagTurningPoints.h"
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

class ZigZagCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wxConfigEx::get().DeleteGroup("/preferences/pattern_configs");
        QxGlobalVars::get().chartFrameSize = wxSize(1000, 700);
        QxGlobalVars::get().isChartFrameMaximized = false;
        m_security = new charttest::MemSecurity(17, charttest::makeWalk(400, 99), "Walker Mills", "WLK");
        m_view = QxChartView::createChartView(m_security.get(), Qx::eDaily, Qx::ePriceCandles, nullptr);
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
    QxZigZagPattern* zigzag(size_t i = 0) const
    {
        const auto& patterns = chart()->getMainZone()->getPatterns();
        return i < patterns.size() ? dynamic_cast<QxZigZagPattern*>(patterns[i].get()) : nullptr;
    }
    void command(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(m_frame);
        m_frame->ProcessWindowEvent(event);
        pump(50);
    }

    QxObjectSmartPtr<QxSecurity> m_security;
    QxChartView* m_view = nullptr;
    QxChartFrame* m_frame = nullptr;
};

} // namespace

// Typed as a user types: the spin control would report 150 as 100.
TEST_F(ZigZagCommandTest, CtrlShiftOneOffersTheDefaultsAndRefusesTypedFiltersOutOfRange)
{
    m_frame->Raise();
    m_view->SetFocus();
    pump(400);

    wxString offeredText;
    wxPen offeredPen;
    TestSupport::MessageBoxes boxes;
    ModalScript script;
    auto typeFilter = [](const char* text) {
        return [text](QxZiagzagConfigDlg* d) {
            d->filterField()->SetFocus();
            d->filterField()->SetSelection(-1, -1);
            pump(100);
            wxUIActionSimulator().Text(text);
            pump(300);
        };
    };
    auto pressOk = [](QxZiagzagConfigDlg* d) { ModalScript::press(d, wxID_OK); };
    script.when<QxZiagzagConfigDlg>([&](QxZiagzagConfigDlg* d) {
        offeredText = d->filterField()->GetTextValue();
        offeredPen = d->penPicker()->getPen();
    });
    script.when<QxZiagzagConfigDlg>(typeFilter("150")).when<QxZiagzagConfigDlg>(pressOk);
    script.when<QxZiagzagConfigDlg>(typeFilter("0")).when<QxZiagzagConfigDlg>(pressOk);
    script.when<QxZiagzagConfigDlg>(typeFilter("2.5")).when<QxZiagzagConfigDlg>(pressOk);
    wxUIActionSimulator().Char('1', wxMOD_CONTROL | wxMOD_SHIFT);
    for (int i = 0; i < 50 && script.pending(); ++i)
        pump(100);
    pump(300);

    EXPECT_EQ(script.pending(), 0u);
    EXPECT_EQ(offeredText, "5.0");
    EXPECT_EQ(offeredPen.GetColour(), *wxBLACK);
    EXPECT_EQ(offeredPen.GetStyle(), wxBLACK_DASHED_PEN->GetStyle());
    EXPECT_EQ(boxes.texts(), std::vector<wxString>(2, "Please provide valid value for noise filter."));
    ASSERT_EQ(chart()->getMainZone()->getPatterns().size(), 1u);
    ASSERT_NE(zigzag(), nullptr);
    EXPECT_EQ(zigzag()->filter, 2.5);
    EXPECT_EQ(zigzag()->getDisplayText(), "ZigZag (filter:2.50%)");
}

TEST_F(ZigZagCommandTest, OkDrawsTheLineThroughTheTurningPointsInTheMainZone)
{
    const wxColour blue(0, 0, 255);
    ModalScript script;
    script.when<QxZiagzagConfigDlg>([&](QxZiagzagConfigDlg* d) {
        d->filterField()->SetValue(3.0);
        d->penPicker()->setPen(wxPen(blue, 3, wxPENSTYLE_SOLID));
        ModalScript::press(d, wxID_OK);
    });
    command(1015);
    EXPECT_EQ(script.pending(), 0u);
    ASSERT_NE(zigzag(), nullptr);
    EXPECT_EQ(zigzag()->filter, 3.0);
    m_view->refreshChart();
    pump(300);
    EXPECT_TRUE(cframetest::saveWindowShot(m_frame, "zigzag_on_chart.png"));

    // A cancelled dialog adds nothing.
    ModalScript cancel;
    cancel.when<QxZiagzagConfigDlg>([](QxZiagzagConfigDlg* d) { ModalScript::press(d, wxID_CANCEL); });
    command(1015);
    EXPECT_EQ(chart()->getMainZone()->getPatterns().size(), 1u);

    const wxImage image = m_view->getChartBitmap().ConvertToImage();
    QxZone* main = chart()->getMainZone();
    const QxScale& x = m_view->getXMap(0);
    const QxScale& y = m_view->getYMap(0);
    const QxPriceHistory* h = chart()->getCalc()->prices(false);
    const QxArrayT<unsigned> tps = computeZigZagTurningPoints(chart()->getCalc(), 3.0);
    ASSERT_GT(tps.size(), 4u);
    const unsigned first = chart()->firstVisibleBar(), last = chart()->lastVisibleBar();
    auto blueAround = [&](wxPoint p) { return charttest::countNear(image, wxRect(p.x - 2, p.y - 2, 5, 5), blue, 60); };
    auto at = [&](double bar, double value) { return wxPoint(x.map(bar), y.map(value)); };
    int checked = 0;
    for (size_t i = 1; i + 1 < tps.size(); ++i) {
        const unsigned t = tps[i], next = tps[i + 1];
        if (t < first || next >= last)
            continue;
        EXPECT_GT(blueAround(at(t, h->close()[t])), 0) << "turning point " << t;
        // Halfway along the leg to the next turning point.
        const wxPoint a = at(t, h->close()[t]), b = at(next, h->close()[next]);
        EXPECT_GT(blueAround((a + b) / 2), 0) << "leg from " << t;
        ++checked;
    }
    EXPECT_GE(checked, 2);
    // The line ends on the last visible close.
    EXPECT_GT(blueAround(at(last, h->close()[last])), 0);
    // Nothing of it outside the main zone: the volume zone below stays free of it.
    const wxRect volume = chart()->getVolumeZone()->getInnerRect();
    EXPECT_EQ(charttest::countNear(image, volume, blue, 60), 0);
    EXPECT_GT(main->getInnerRect().GetHeight(), 0);
}
