// The "Chart Graphics" toolbar on a chart of real prices: the analysis
// annotations drawn by clicks, the pickers editing the selected annotation
// or the default pen, the default pen kept in the store from one frame to
// the next, and the pane shown when a stored layout predates it.
#include "app/QxGlobalVars.h"
#include "support/ChartFixtures.h"
#include "chart/QxChartConfiguration.h"
#include "chart/QxChartist.h"
#include "chartframe/QxChartFrame.h"
#include "chartframe/QxGraphicPropsToolbar.h"
#include "support/ChartHand.h"
#include "chartview/QxAndrewsPitchFork.h"
#include "chartview/QxChartView.h"
#include "chartview/QxFibonacciRetracement.h"
#include "chartview/QxLinearRegressionChannel.h"
#include "chartview/QxTextAnnot.h"
#include "configdlg/wxPenPicker.h"
#include "core/QxCalculator.h"
#include "core/platform/wxConfigEx.h"

#include "ChartFrameTestSupport.h"

#include <gtest/gtest.h>

#include <wx/clrpicker.h>

#include <algorithm>

using cframetest::pump;
using viewtest::Hand;

namespace {

const char* const kPenKey = "/preferences/annot_props/default_pen";

wxPen storedPen()
{
    return readConfigPen(wxConfigEx::get(), kPenKey, wxNullPen);
}

class GraphicsToolbarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = QxGlobalVars::get();
        QxGlobalVars& g = QxGlobalVars::get();
        g.chartFrameSize = wxSize(1000, 700);
        g.isChartFrameMaximized = false;
        g.chartFramePerspective.clear();
        wxConfigEx::get().DeleteGroup("/preferences/annot_props");
        m_security = new charttest::MemSecurity(25, TestSupport::fixtureHistory("orcl-1995-2014.csv", 260).get(),
                                                "Oracle", "ORCL");
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
        wxConfigEx::get().DeleteGroup("/preferences/annot_props");
    }

    QxChartView* openChart()
    {
        QxChartView* view = QxChartView::createChartView(m_security.get(), Qx::eDaily, Qx::ePriceCandles, nullptr);
        if (view)
            pump(200);
        return view;
    }
    static void tool(QxChartView* view, int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(view->getFrame());
        view->getFrame()->ProcessWindowEvent(event);
    }
    // Runs the update rules of every window of the frame, as idle time does.
    static void updateUi(QxChartFrame* frame)
    {
        frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    }
    static void choosePen(QxGraphicPropsToolbar* bar, int entry)
    {
        bar->penPicker()->SetSelection(entry);
        wxCommandEvent event(wxEVT_COMBOBOX, bar->penPicker()->GetId());
        event.SetEventObject(bar->penPicker());
        event.SetInt(entry);
        bar->penPicker()->GetEventHandler()->ProcessEvent(event);
    }
    static void chooseColour(QxGraphicPropsToolbar* bar, const wxColour& colour)
    {
        bar->colourPicker()->SetColour(colour);
        wxColourPickerEvent event(bar->colourPicker(), bar->colourPicker()->GetId(), colour);
        bar->colourPicker()->GetEventHandler()->ProcessEvent(event);
    }
    static QxPriceHistory* history(QxChartView* view) { return view->getCalc()->prices(Qx::eDaily, false); }

    QxObjectSmartPtr<QxSecurity> m_security;

private:
    QxGlobalVars m_saved;
};

size_t annotCount(QxChartView* view) { return view->getAnnots(0) ? view->getAnnots(0)->size() : 0; }
QxAnnot* lastAnnot(QxChartView* view) { return view->getAnnots(0)->back().get(); }

} // namespace

TEST_F(GraphicsToolbarTest, AnalysisAnnotationsAreDrawnByClicksOnAChart)
{
    QxChartView* view = openChart();
    ASSERT_NE(view, nullptr);
    QxChartFrame* frame = view->getFrame();
    const Hand hand{view};
    QxPriceHistory* h = history(view);
    const unsigned first = view->getFirstVisibleBar(), last = view->getLastVisibleBar();
    ASSERT_GT(last, first + 60);
    const double span = last - first;
    auto bar = [&](double fraction) { return first + static_cast<unsigned>(span * fraction); };

    // A retracement from the lowest low of the first half of the visible
    // bars to the highest high after it.
    unsigned low = first;
    for (unsigned i = first; i <= bar(0.5); ++i)
        if (h->low()[i] < h->low()[low])
            low = i;
    unsigned high = low + 1;
    for (unsigned i = high; i <= bar(0.75); ++i)
        if (h->high()[i] > h->high()[high])
            high = i;
    tool(view, 31014);
    hand.click(hand.device({double(low), h->low()[low]}));
    hand.click(hand.device({double(high), h->high()[high]}));
    // The right end may not lie left of the move.
    hand.move(hand.device({double(low) - 3, h->high()[high]}));
    EXPECT_FALSE(static_cast<QxShapeAnnot*>(view->getActiveAnnot())->isPointSet(2));
    hand.click(hand.device({double(bar(0.85)), h->high()[high]}));
    ASSERT_EQ(annotCount(view), 1u);
    auto* fib = dynamic_cast<QxFibonacciRetracement*>(lastAnnot(view));
    ASSERT_NE(fib, nullptr);
    EXPECT_TRUE(fib->isPointSet(2));
    EXPECT_EQ(fib->getPoint(2).x, double(bar(0.85)));
    // Clicks within a few pixels of a price snap to it.
    EXPECT_EQ(fib->getPoint(0).y, h->low()[low]);
    EXPECT_EQ(fib->getPoint(1).y, h->high()[high]);
    // The high is labelled 0 %, the low 100 %.
    EXPECT_EQ(fib->levelValue(QxFibonacciRetracement::kRatios[0]), h->high()[high]);
    EXPECT_EQ(QxFibonacciRetracement::levelLabel(QxFibonacciRetracement::kRatios[0]), "0.00 %");
    EXPECT_EQ(fib->levelValue(QxFibonacciRetracement::kRatios[5]), h->low()[low]);
    EXPECT_EQ(QxFibonacciRetracement::levelLabel(QxFibonacciRetracement::kRatios[5]), "100.00 %");
    EXPECT_EQ(view->getAnnotTool(), 0);
    EXPECT_EQ(fib->getPen(), frame->getDefaultPen());
    view->annotHandler().setActiveAnnot(nullptr);
    pump(100);
    // The label stands left of the level line, in the pen's colour.
    const wxPoint highAt = hand.device({double(low), h->high()[high]});
    const wxImage shown = view->getChartBitmap().ConvertToImage();
    int labelPixels = 0;
    for (int y = highAt.y - 6; y <= highAt.y + 6; ++y)
        for (int x = std::max(0, highAt.x - 60); x < highAt.x - 2; ++x)
            labelPixels += shown.GetRed(x, y + view->vertPos()) > 150 && shown.GetGreen(x, y + view->vertPos()) < 100;
    EXPECT_GT(labelPixels, 10);
    EXPECT_TRUE(cframetest::saveWindowShot(frame, "annot_fibonacci.png"));

    // With its right end on the bar of the move's end, the retracement
    // still moves whole to the right.
    const QxPoint end = fib->getPoint(1);
    hand.click(hand.device({double(bar(0.85)), end.y}));
    ASSERT_EQ(view->getActiveAnnot(), fib);
    hand.drag(hand.device({double(bar(0.85)), end.y}), hand.device({end.x, end.y}));
    ASSERT_EQ(fib->getPoint(2).x, end.x);
    const double start = fib->getPoint(0).x;
    const int barPixels = view->scrollModel().barPixels();
    const wxPoint grip = hand.device({(start + end.x) / 2, fib->levelValue(0.5)});
    hand.drag(grip, grip + wxPoint(4 * barPixels, 0));
    EXPECT_EQ(fib->getPoint(0).x, start + 4);
    EXPECT_EQ(fib->getPoint(1).x, end.x + 4);
    EXPECT_EQ(fib->getPoint(2).x, end.x + 4);
    view->removeAnnot(0, fib);

    // A pitchfork: two reaction points in the second half, the pivot left of them.
    const unsigned r0 = bar(0.75), r1 = bar(0.88), pivot = bar(0.55);
    tool(view, 31012);
    hand.click(hand.device({double(r0), h->high()[r0]}));
    hand.click(hand.device({double(r1), h->low()[r1]}));
    // A pivot right of both reaction points is refused while the mouse is there.
    hand.move(hand.device({double(last - 1), h->close()[last - 1]}));
    ASSERT_NE(view->getActiveAnnot(), nullptr);
    EXPECT_FALSE(static_cast<QxShapeAnnot*>(view->getActiveAnnot())->isPointSet(2));
    hand.click(hand.device({double(pivot), h->low()[pivot]}));
    ASSERT_EQ(annotCount(view), 1u);
    auto* fork = dynamic_cast<QxAndrewsPitchFork*>(lastAnnot(view));
    ASSERT_NE(fork, nullptr);
    EXPECT_EQ(fork->getPoint(2).x, double(pivot));
    EXPECT_EQ(fork->getPoint(0).y, h->high()[r0]);
    EXPECT_TRUE(fork->isSelected());
    pump(100);
    EXPECT_TRUE(cframetest::saveWindowShot(frame, "annot_pitchfork.png"));
    view->annotHandler().setActiveAnnot(nullptr);
    view->removeAnnot(0, fork);

    // A channel over the last third, its width from a third click below.
    const unsigned c0 = bar(0.6), c1 = bar(0.97);
    tool(view, 31013);
    hand.click(hand.device({double(c0), h->close()[c0]}));
    hand.click(hand.device({double(c1), h->close()[c1]}));
    double fit0 = 0, fit1 = 0;
    ASSERT_TRUE(fitRegressionLine(h->close(), h->numBars(), c0, c1, fit0, fit1));
    auto* channel = dynamic_cast<QxLinearRegressionChannel*>(view->getActiveAnnot());
    ASSERT_NE(channel, nullptr);
    EXPECT_DOUBLE_EQ(channel->getPoint(0).y, fit0) << "the fit of the closes replaces the clicked values";
    EXPECT_DOUBLE_EQ(channel->getPoint(1).y, fit1);
    const unsigned c2 = bar(0.9);
    const double below = fit0 + (fit1 - fit0) * (c2 - c0) / (c1 - c0) - (h->high()[c0] - h->low()[c0]) * 3;
    hand.click(hand.device({double(c2), below}));
    ASSERT_EQ(annotCount(view), 1u);
    EXPECT_EQ(lastAnnot(view), channel);
    EXPECT_TRUE(channel->isPointSet(2));
    const auto lines = channel->channelLines();
    EXPECT_GT(lines[2].first.y, lines[0].first.y) << "a channel with width";
    pump(100);
    EXPECT_TRUE(cframetest::saveWindowShot(frame, "annot_channel.png"));
}

TEST_F(GraphicsToolbarTest, PickersEditTheSelectedAnnotationOrTheDefaultPen)
{
    QxChartView* view = openChart();
    ASSERT_NE(view, nullptr);
    QxChartFrame* frame = view->getFrame();
    QxGraphicPropsToolbar* bar = frame->graphicPropsToolbar();
    ASSERT_NE(bar, nullptr);
    const Hand hand{view};

    // First run: nothing stored, the stock red pen.
    updateUi(frame);
    EXPECT_EQ(bar->defaultPen(), *wxRED_PEN);
    EXPECT_EQ(bar->colourPicker()->GetColour(), *wxRED);
    EXPECT_EQ(bar->penPicker()->GetSelection(), 0);
    EXPECT_TRUE(bar->penPicker()->IsEnabled());
    EXPECT_TRUE(bar->colourPicker()->IsEnabled());

    // A line drawn and still selected: the pickers change it alone.
    tool(view, 31000);
    hand.click(hand.at(0.2, 0.3));
    hand.click(hand.at(0.5, 0.6));
    QxAnnot* line = view->getActiveAnnot();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->getPen().GetColour(), *wxRED);
    choosePen(bar, 12); // width 3, long dash
    EXPECT_EQ(line->getPen().GetWidth(), 3);
    EXPECT_EQ(line->getPen().GetStyle(), wxPENSTYLE_LONG_DASH);
    chooseColour(bar, *wxBLUE);
    EXPECT_EQ(line->getPen().GetColour(), *wxBLUE);
    EXPECT_EQ(line->getPen().GetWidth(), 3);
    EXPECT_EQ(bar->defaultPen(), *wxRED_PEN) << "the default pen stays";
    updateUi(frame);
    EXPECT_EQ(bar->penPicker()->getPen().GetColour(), *wxBLUE);

    // Deselected, the pickers show the default pen again and set it.
    hand.key(WXK_ESCAPE);
    ASSERT_EQ(view->getActiveAnnot(), nullptr);
    updateUi(frame);
    EXPECT_EQ(bar->colourPicker()->GetColour(), *wxRED);
    EXPECT_EQ(bar->penPicker()->GetSelection(), 0);
    EXPECT_EQ(bar->penPicker()->getPen().GetColour(), *wxRED);
    choosePen(bar, 6); // width 2, dotted
    chooseColour(bar, wxColour(0, 128, 0));
    updateUi(frame);
    EXPECT_EQ(bar->defaultPen().GetWidth(), 2);
    EXPECT_EQ(bar->defaultPen().GetStyle(), wxPENSTYLE_DOT);
    EXPECT_EQ(bar->defaultPen().GetColour(), wxColour(0, 128, 0));
    EXPECT_EQ(line->getPen().GetColour(), *wxBLUE) << "the line keeps its pen";
    const wxPen drawWith = frame->getDefaultPen();
    EXPECT_EQ(drawWith.GetWidth(), 2);
    EXPECT_EQ(drawWith.GetColour(), wxColour(0, 128, 0));

    // A new retracement gets that pen; selected, both pickers serve it.
    tool(view, 31014);
    hand.click(hand.at(0.55, 0.7));
    hand.click(hand.at(0.65, 0.2));
    hand.click(hand.at(0.8, 0.2));
    QxAnnot* fib = view->getActiveAnnot();
    ASSERT_NE(fib, nullptr);
    EXPECT_EQ(fib->getName(), "QxFibonacciRetracement");
    EXPECT_EQ(fib->getPen().GetWidth(), 2);
    EXPECT_EQ(fib->getPen().GetColour(), wxColour(0, 128, 0));
    updateUi(frame);
    EXPECT_TRUE(bar->penPicker()->IsEnabled());
    EXPECT_TRUE(bar->colourPicker()->IsEnabled());
    pump(100);
    EXPECT_TRUE(cframetest::saveWindowShot(frame, "graphics_toolbar_selected_fibonacci.png"));

    // A text has no pen: its colour only.
    QxObjectSmartPtr<QxTextAnnot> text(new QxTextAnnot("note"));
    text->setPoint(0, hand.chart(hand.at(0.1, 0.8)));
    text->setPoint(1, hand.chart(hand.at(0.2, 0.9)));
    view->addAnnot(0, text.get());
    view->annotHandler().setActiveAnnot(text.get());
    updateUi(frame);
    EXPECT_FALSE(bar->penPicker()->IsEnabled());
    EXPECT_TRUE(bar->colourPicker()->IsEnabled());
    chooseColour(bar, *wxBLUE);
    EXPECT_EQ(text->getPen().GetColour(), *wxBLUE);
    EXPECT_EQ(bar->defaultPen().GetColour(), wxColour(0, 128, 0));

    view->annotHandler().setActiveAnnot(nullptr);
    updateUi(frame);
    EXPECT_TRUE(bar->penPicker()->IsEnabled());
    EXPECT_EQ(bar->penPicker()->GetSelection(), 6);

    // While its list is open the picker is left alone.
    bar->penPicker()->ShowPopup();
    pump(200);
    ASSERT_TRUE(bar->penPicker()->IsPopupShown());
    view->annotHandler().setActiveAnnot(line);
    updateUi(frame);
    EXPECT_EQ(bar->penPicker()->GetSelection(), 6);
    EXPECT_TRUE(cframetest::saveWindowShot(bar->penPicker()->GetPopupWindow(), "pen_picker_list.png"));
    bar->penPicker()->HidePopup();
    pump(50);
    updateUi(frame);
    EXPECT_EQ(bar->penPicker()->GetSelection(), 12) << "then it shows the selected line's pen";
}

TEST_F(GraphicsToolbarTest, TheDefaultPenOutlivesItsFrame)
{
    QxChartView* view = openChart();
    ASSERT_NE(view, nullptr);
    QxGraphicPropsToolbar* bar = view->getFrame()->graphicPropsToolbar();
    choosePen(bar, 19); // width 4, dot-dash
    chooseColour(bar, wxColour(10, 20, 200));
    EXPECT_FALSE(storedPen().IsOk()) << "written when the frame closes";
    view->getFrame()->Destroy();
    pump(100);
    const wxPen stored = storedPen();
    ASSERT_TRUE(stored.IsOk());
    EXPECT_EQ(stored.GetWidth(), 4);
    EXPECT_EQ(stored.GetStyle(), wxPENSTYLE_DOT_DASH);
    EXPECT_EQ(stored.GetColour(), wxColour(10, 20, 200));

    QxChartView* next = openChart();
    ASSERT_NE(next, nullptr);
    QxChartFrame* frame = next->getFrame();
    updateUi(frame);
    EXPECT_EQ(frame->graphicPropsToolbar()->defaultPen(), stored);
    EXPECT_EQ(frame->graphicPropsToolbar()->colourPicker()->GetColour(), wxColour(10, 20, 200));
    const wxPen pen = frame->getDefaultPen();
    EXPECT_EQ(pen.GetWidth(), 4);
    EXPECT_EQ(pen.GetStyle(), wxPENSTYLE_DOT_DASH);
    EXPECT_EQ(pen.GetColour(), wxColour(10, 20, 200));
    EXPECT_TRUE(cframetest::saveWindowShot(frame, "graphics_toolbar_stored_pen.png"));
}

TEST_F(GraphicsToolbarTest, WithoutAViewThePickersAreDisabled)
{
    auto* frame = new QxChartFrame();
    frame->Show();
    pump(50);
    updateUi(frame);
    QxGraphicPropsToolbar* bar = frame->graphicPropsToolbar();
    EXPECT_FALSE(bar->penPicker()->IsEnabled());
    EXPECT_FALSE(bar->colourPicker()->IsEnabled());
    choosePen(bar, 7);
    EXPECT_EQ(bar->defaultPen(), *wxRED_PEN) << "nothing to edit";
}

TEST_F(GraphicsToolbarTest, ALayoutStoredBeforeTheToolbarStillShowsIt)
{
    auto* first = new QxChartFrame();
    wxAuiManager& mgr = first->auiManager();
    ASSERT_TRUE(mgr.GetPane("Chart Graphics").IsOk());
    EXPECT_TRUE(mgr.GetPane("Chart Graphics").IsToolbar());
    EXPECT_EQ(mgr.GetPane("Chart Graphics").dock_direction, wxAUI_DOCK_TOP);
    mgr.GetPane("Pattern Recognition").Hide();
    mgr.Update();
    wxString layout = mgr.SavePerspective();
    first->Destroy();
    pump(50);

    // The same layout as an older program stored it: no "Chart Graphics".
    const wxArrayString panes = wxSplit(layout, '|');
    wxString older;
    for (const wxString& pane : panes)
        if (!pane.Contains("name=Chart Graphics;"))
            older += pane + "|";
    ASSERT_FALSE(older.Contains("Chart Graphics"));
    QxGlobalVars::get().chartFramePerspective = older;
    auto* next = new QxChartFrame();
    EXPECT_TRUE(next->auiManager().GetPane("Chart Graphics").IsShown());
    EXPECT_FALSE(next->auiManager().GetPane("Pattern Recognition").IsShown()) << "the stored layout still holds";
    next->Destroy();
    pump(50);
}
