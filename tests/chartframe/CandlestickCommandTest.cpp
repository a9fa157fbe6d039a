// The chart frame's candlestick command on a live chart: Ctrl+Shift+9 opens
// the one selector of the program (every pattern once, alphabetically);
// OK with nothing ticked is refused with a message; a ticked Doji marks the
// doji bars with ellipses and names them in the tooltip; the command again
// edits that same detector, whose stored list may be in any order; and the
// selector still opens after the frame of its first use was closed.
#include "app/QxGlobalVars.h"
#include "support/FramesTestSupport.h"
#include "support/ChartFixtures.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxZone.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxCandlestickPattern.h"
#include "chartview/QxChartView.h"
#include "configdlg/QxCdlPatternSelectorDlg.h"
#include "core/QxCalculator.h"
#include "core/QxPriceHistory.h"
#include "core/ta/QxTaFunctionSet.h"

#include "ChartFrameTestSupport.h"
#include "support/ModalScript.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/uiaction.h>

#include <functional>
#include <set>

using cframetest::pump;
using TestSupport::ModalScript;

namespace {

const TA_FuncInfo* function(const char* name)
{
    const TA_FuncInfo* info = QxTaFunctionSet::findFunction(name);
    EXPECT_NE(info, nullptr) << name;
    return info;
}

// Ticks (only) the items standing for the named functions.
void tickOnly(QxCdlPatternSelectorDlg* d, const std::set<const TA_FuncInfo*>& chosen)
{
    wxCheckListBox* list = d->patternList();
    for (unsigned i = 0; i < list->GetCount(); ++i)
        list->Check(i, chosen.count(d->functionAt(i)) != 0);
}

std::vector<const TA_FuncInfo*> ticked(QxCdlPatternSelectorDlg* d)
{
    std::vector<const TA_FuncInfo*> out;
    for (unsigned i = 0; i < d->patternList()->GetCount(); ++i)
        if (d->patternList()->IsChecked(i))
            out.push_back(d->functionAt(i));
    return out;
}

// 60 bars with bodies of 2 in a range of 4, and dojis (open = close) at
// bars 45 and 52.
QxPriceHistory* dojiHistory()
{
    std::vector<double> opens, closes;
    for (unsigned i = 0; i < 60; ++i) {
        const bool doji = i == 45 || i == 52;
        opens.push_back(doji ? 11 : (i % 2 ? 10 : 12));
        closes.push_back(doji ? 11 : (i % 2 ? 12 : 10));
    }
    return charttest::makeBars(opens, closes);
}

class CandlestickCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QxGlobalVars::get().chartFrameSize = wxSize(1000, 700);
        QxGlobalVars::get().isChartFrameMaximized = false;
        QxGlobalVars::get().showTooltip = true;
    }
    void TearDown() override
    {
        if (m_frame)
            m_frame->Destroy();
        pump(100);
    }
    void open()
    {
        m_security = new charttest::MemSecurity(19, dojiHistory(), "Spinning Tops Ltd", "SPT");
        m_view = QxChartView::createChartView(m_security.get(), Qx::eDaily, Qx::ePriceCandles, nullptr);
        ASSERT_NE(m_view, nullptr);
        m_frame = m_view->getFrame();
        m_frame->Move(0, 0);
        pump(200);
    }
    QxChart* chart() const { return m_view->getChartist()->getChart(); }
    std::vector<QxCandlestickPattern*> detectors() const
    {
        std::vector<QxCandlestickPattern*> out;
        for (const auto& p : chart()->getMainZone()->getPatterns())
            if (auto* c = dynamic_cast<QxCandlestickPattern*>(p.get()))
                out.push_back(c);
        return out;
    }
    void command()
    {
        wxCommandEvent event(wxEVT_MENU, 1014);
        event.SetEventObject(m_frame);
        m_frame->ProcessWindowEvent(event);
        pump(50);
    }
    // Pixels near the detector's green between the bar's high and low.
    int greenAt(const wxImage& image, unsigned bar) const
    {
        const QxPriceHistory* h = chart()->getCalc()->prices(false);
        const int x = m_view->getXMap(0).map(double(bar));
        const int top = m_view->getYMap(0).map(h->high()[bar]);
        const int bottom = m_view->getYMap(0).map(h->low()[bar]);
        return charttest::countNear(image, wxRect(x - 3, top - 1, 7, bottom - top + 3), *wxGREEN, 40);
    }

    QxObjectSmartPtr<QxSecurity> m_security;
    QxChartView* m_view = nullptr;
    QxChartFrame* m_frame = nullptr;
};

} // namespace

TEST_F(CandlestickCommandTest, CtrlShiftNineMarksDojisAndEditsTheSameDetectorAgain)
{
    open();
    m_frame->Raise();
    m_view->SetFocus();
    pump(400);
    const TA_FuncInfo* doji = function("CDLDOJI");
    const TA_FuncInfo* hammer = function("CDLHAMMER");

    TA_StringTable* names = nullptr;
    ASSERT_EQ(QxTaFunctionSet::funcTableAlloc("Pattern Recognition", &names), TA_SUCCESS);
    const unsigned groupSize = names->size;
    QxTaFunctionSet::funcTableFree(names);

    wxString title;
    std::vector<wxString> messages;
    bool stayedOpen = false;
    ModalScript script;
    script.when<QxCdlPatternSelectorDlg>([&](QxCdlPatternSelectorDlg* d) {
        title = d->GetTitle();
        wxCheckListBox* list = d->patternList();
        // Alphabetical (the toolkit's sorted list does sort), each function once.
        EXPECT_EQ(list->GetCount(), groupSize);
        std::set<const TA_FuncInfo*> seen;
        for (unsigned i = 0; i < list->GetCount(); ++i) {
            seen.insert(d->functionAt(i));
            EXPECT_EQ(list->GetString(i), wxString::FromUTF8(d->functionAt(i)->hint)) << i;
            if (i > 0) {
                EXPECT_LE(list->GetString(i - 1).Cmp(list->GetString(i)), 0) << i;
            }
        }
        EXPECT_EQ(seen.size(), groupSize);
        EXPECT_TRUE(ticked(d).empty());
        EXPECT_TRUE(d->bulb()->GetBitmap().IsOk());
        EXPECT_TRUE(cframetest::saveWindowShot(d, "candlestick_selector.png"));
        {
            TestSupport::MessageBoxes boxes;
            ModalScript::press(d, wxID_OK);
            messages = boxes.texts();
        }
        stayedOpen = d->IsModal();
        tickOnly(d, {doji});
        ModalScript::press(d, wxID_OK);
    });
    wxUIActionSimulator().Char('9', wxMOD_CONTROL | wxMOD_SHIFT);
    for (int i = 0; i < 50 && script.pending(); ++i)
        pump(100);
    pump(200);

    ASSERT_EQ(script.pending(), 0u);
    EXPECT_EQ(title, "Select Candlestick Pattern");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "No pattern is selected.");
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(detectors().size(), 1u);
    QxCandlestickPattern* detector = detectors()[0];
    EXPECT_EQ(detector->detectors, std::vector<const TA_FuncInfo*>{doji});

    // Ellipses on the doji bars, none on a plain bar.
    m_view->refreshChart();
    pump(300);
    EXPECT_TRUE(cframetest::saveWindowShot(m_frame, "candlestick_dojis_on_chart.png"));
    const wxImage image = m_view->getChartBitmap().ConvertToImage();
    ASSERT_GE(chart()->firstVisibleBar(), 0u);
    ASSERT_LT(chart()->firstVisibleBar(), 45u);
    EXPECT_GT(greenAt(image, 45), 0);
    EXPECT_GT(greenAt(image, 52), 0);
    EXPECT_EQ(greenAt(image, 48), 0);

    // The tooltip names the pattern once the pointer has rested on the bar.
    const QxPriceHistory* h = chart()->getCalc()->prices(false);
    const wxPoint on(m_view->getXMap(0).map(45.0), m_view->getYMap(0).map(h->close()[45]) - m_view->vertPos());
    m_view->WarpPointer(on.x, on.y);
    wxMouseEvent motion(wxEVT_MOTION);
    motion.SetPosition(on);
    motion.SetEventObject(m_view);
    m_view->ProcessWindowEvent(motion);
    pump(100); // the pointer's own motion from the warp, which starts the rest again
    TestSupport::pumpUntil([&] { return !m_view->isTooltipTimerRunning(); }, 5000);
    pump(50);
    EXPECT_TRUE(m_view->GetToolTipText().Contains("Doji:\n\tBullish")) << m_view->GetToolTipText();

    // A stored list in another order, with a duplicate: both are ticked,
    // and the second command edits this same detector.
    detector->detectors = {std::max(doji, hammer), std::min(doji, hammer), std::max(doji, hammer)};
    std::vector<const TA_FuncInfo*> tickedAgain;
    ModalScript again;
    again.when<QxCdlPatternSelectorDlg>([&](QxCdlPatternSelectorDlg* d) {
        tickedAgain = ticked(d);
        ModalScript::press(d, wxID_OK);
    });
    wxUIActionSimulator().Char('9', wxMOD_CONTROL | wxMOD_SHIFT);
    for (int i = 0; i < 50 && again.pending(); ++i)
        pump(100);
    ASSERT_EQ(again.pending(), 0u);
    EXPECT_EQ(std::set<const TA_FuncInfo*>(tickedAgain.begin(), tickedAgain.end()),
              (std::set<const TA_FuncInfo*>{doji, hammer}));
    EXPECT_EQ(tickedAgain.size(), 2u);
    ASSERT_EQ(detectors().size(), 1u) << "no second detector";
    EXPECT_EQ(detectors()[0], detector);
    EXPECT_EQ(detector->detectors, (std::vector<const TA_FuncInfo*>{std::min(doji, hammer), std::max(doji, hammer)}));

    // Cancelled, with the ticks changed, the detector keeps its list.
    ModalScript cancel;
    cancel.when<QxCdlPatternSelectorDlg>([&](QxCdlPatternSelectorDlg* d) {
        tickOnly(d, {});
        ModalScript::press(d, wxID_CANCEL);
    });
    command();
    EXPECT_EQ(cancel.pending(), 0u);
    ASSERT_EQ(detectors().size(), 1u);
    EXPECT_EQ(detector->detectors.size(), 2u);
}

TEST_F(CandlestickCommandTest, TheSelectorOutlivesTheFrameOfItsFirstUse)
{
    framestest::ScopedApplication scoped;
    open();
    scoped.app().setActiveFrame(m_frame);
    ModalScript first;
    first.when<QxCdlPatternSelectorDlg>([](QxCdlPatternSelectorDlg* d) { ModalScript::press(d, wxID_CANCEL); });
    command();
    ASSERT_EQ(first.pending(), 0u);
    EXPECT_TRUE(detectors().empty()) << "a cancelled new detector is dropped";
    QxCdlPatternSelectorDlg* selector = QxCdlPatternSelectorDlg::instance();
    EXPECT_NE(selector->GetParent(), m_frame);

    m_frame->Destroy();
    m_frame = nullptr;
    pump(300);
    ASSERT_EQ(QxCdlPatternSelectorDlg::instance(), selector) << "closing the frame took the selector along";

    open();
    m_frame->Move(200, 100);
    pump(200);
    scoped.app().setActiveFrame(m_frame);
    wxRect shownAt;
    ModalScript second;
    second.when<QxCdlPatternSelectorDlg>([&](QxCdlPatternSelectorDlg* d) {
        shownAt = d->GetScreenRect();
        tickOnly(d, {function("CDLDOJI")});
        ModalScript::press(d, wxID_OK);
    });
    command();
    ASSERT_EQ(second.pending(), 0u);
    ASSERT_EQ(detectors().size(), 1u);
    // Centred on the frame it serves now.
    const wxRect frame = m_frame->GetScreenRect();
    EXPECT_NEAR(shownAt.x + shownAt.width / 2, frame.x + frame.width / 2, 40);
    EXPECT_NEAR(shownAt.y + shownAt.height / 2, frame.y + frame.height / 2, 40);
}
