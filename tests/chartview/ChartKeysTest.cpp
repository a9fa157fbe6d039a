// A chart window under a user's hands: keys and the wheel typed and turned
// on the real display, reaching the chart view through the toolkit's own
// focus and key handling.
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxZone.h"
#include "chartframe/QxAnnotToolBar.h"
#include "support/ChartUnderHands.h"
#include "chartview/QxChartViewTexts.h"
#include "chartview/QxPointAndFigureView.h"
#include "core/QxErrorCode.h"
#include "core/TaLibIndicator.h"
#include "core/ta/QxTaFunctionSet.h"

#include <wx/statusbr.h>

using namespace TestSupport;

namespace {

class ChartKeysTest : public ChartUnderHands {
protected:
    // The chart, made taller than the window so that it scrolls both ways.
    void makeTall()
    {
        m_view->getChartist()->getChart()->zoneAt(0)->setHeight(1600);
        m_view->refreshChart();
        pumpEvents(100);
        ASSERT_GT(m_view->scrollModel().vMax(), 3 * lineHeight());
    }
    size_t annotations() const { return m_view->getAnnots(0)->size(); }
    // A line of the zones, as the keys and the wheel move them: a tenth of
    // the window, at least a line of text.
    int lineHeight() const { return std::max(m_view->GetCharHeight(), m_view->GetClientSize().y / 10); }
    wxPoint middle() const
    {
        const wxSize c = m_view->GetClientSize();
        return wxPoint(c.x / 2, c.y / 3);
    }
};

} // namespace

TEST_F(ChartKeysTest, HomeEndAndPagesMoveThroughTheBars)
{
    makeTall();
    const unsigned page = visible();
    ASSERT_LT(page, kBars / 2);

    ASSERT_TRUE(pressKeys({"Home"}));
    EXPECT_EQ(first(), 0u);
    EXPECT_EQ(m_view->vertPos(), 0);

    ASSERT_TRUE(pressKeys({"Next"})); // Page Down: a page of later bars
    EXPECT_NEAR(double(first()), double(page), 2.0);
    ASSERT_TRUE(pressKeys({"Right"}));
    EXPECT_NEAR(double(first()), double(page + 1), 2.0);
    ASSERT_TRUE(pressKeys({"Prior", "Prior"})); // Page Up twice stops at the first bar
    EXPECT_EQ(first(), 0u);

    ASSERT_TRUE(pressKeys({"End"}));
    EXPECT_EQ(last(), kBars - 1);
    ASSERT_TRUE(pressKeys({"Left"}));
    EXPECT_EQ(last(), kBars - 2);
    ASSERT_TRUE(pressKeys({"ctrl+Left"})); // a page back
    EXPECT_NEAR(double(last()), double(kBars - 2 - page), 2.0);

    // Up and Down move the zones by a line; with Ctrl, Home and End also
    // go to the top and the bottom.
    ASSERT_TRUE(pressKeys({"Down"}));
    EXPECT_EQ(m_view->vertPos(), lineHeight());
    ASSERT_TRUE(pressKeys({"ctrl+End"}));
    EXPECT_EQ(last(), kBars - 1);
    EXPECT_EQ(m_view->vertPos(), m_view->scrollModel().vMax());
    ASSERT_TRUE(pressKeys({"ctrl+Home"}));
    EXPECT_EQ(first(), 0u);
    EXPECT_EQ(m_view->vertPos(), 0);
    EXPECT_EQ(wxWindow::FindFocus(), m_view) << "the keys stayed with the chart";
}

TEST_F(ChartKeysTest, TheWheelScrollsLinesAndWithShiftBars)
{
    makeTall();
    const int line = lineHeight();
    EXPECT_GE(line, m_view->GetClientSize().y / 10);

    ASSERT_TRUE(turnWheelAt(m_view, middle(), -2)); // towards the user: further down
    EXPECT_EQ(m_view->vertPos(), 2 * line);
    ASSERT_TRUE(turnWheelAt(m_view, middle(), 1));
    EXPECT_EQ(m_view->vertPos(), line);

    // A five-zone-high chart is crossed in a handful of notches.
    const int notches = (m_view->scrollModel().vMax() + line - 1) / line;
    EXPECT_LE(notches, 30);
    ASSERT_TRUE(turnWheelAt(m_view, middle(), -notches));
    EXPECT_EQ(m_view->vertPos(), m_view->scrollModel().vMax());

    // Shift with the wheel moves through the bars instead, the zones stay.
    const int vertical = m_view->vertPos();
    ASSERT_TRUE(pressKeys({"Home"}));
    const unsigned page = visible();
    ASSERT_TRUE(turnWheelAt(m_view, middle(), -1, "shift"));
    EXPECT_NEAR(double(first()), page / 10.0, 2.0) << "a tenth of the window's bars later";
    const unsigned moved = first();
    ASSERT_TRUE(turnWheelAt(m_view, middle(), 1, "shift"));
    EXPECT_EQ(first(), 0u);
    EXPECT_LT(moved, page);
    EXPECT_EQ(m_view->vertPos(), vertical);
}

TEST_F(ChartKeysTest, PointAndFigureViewTakesTheSameKeys)
{
    QxObjectSmartPtr<QxSecurity> security(
        new charttest::MemSecurity(8, charttest::fixtureHistory("orcl-1995-2014.csv").get(), "Oracle", "ORCL"));
    QxPointAndFigureView* pnf = QxPointAndFigureView::create(security.get());
    ASSERT_NE(pnf, nullptr);
    wxTopLevelWindow* frame = pnf->getFrame();
    frame->SetSize(700, 500);
    pumpEvents(200);
    ASSERT_TRUE(focusFrame(frame, pnf));
    const unsigned columns = pnf->getPointAndFigure().numColumns();
    ASSERT_GT(columns, 2 * (pnf->getLastVisibleBar() - pnf->getFirstVisibleBar() + 1)) << "it scrolls";

    ASSERT_TRUE(pressKeys({"Home"}));
    EXPECT_EQ(pnf->getFirstVisibleBar(), 0u);
    const unsigned page = pnf->getLastVisibleBar() + 1;
    ASSERT_TRUE(pressKeys({"Next"}));
    EXPECT_NEAR(double(pnf->getFirstVisibleBar()), double(page), 2.0);
    ASSERT_TRUE(pressKeys({"End"}));
    EXPECT_EQ(pnf->getLastVisibleBar(), columns - 1);
    ASSERT_TRUE(pressKeys({"Prior"}));
    EXPECT_NEAR(double(pnf->getLastVisibleBar()), double(columns - 1 - page), 2.0);
    EXPECT_EQ(wxWindow::FindFocus(), pnf);
}

TEST_F(ChartKeysTest, EscapeOrTheSameToolAgainPutsTheToolDown)
{
    QxAnnotToolBar* tools = m_frame->annotationToolbar();
    ASSERT_TRUE(clickTool(tools, 31000));
    EXPECT_EQ(m_view->getAnnotTool(), 31000);
    ASSERT_TRUE(clickTool(tools, 31000)) << "the same tool again";
    EXPECT_EQ(m_view->getAnnotTool(), 0);
    flushDisplay();
    EXPECT_FALSE(tools->GetToolToggled(31000));

    ASSERT_TRUE(clickTool(tools, 31010));
    ASSERT_EQ(m_view->getAnnotTool(), 31010);
    ASSERT_TRUE(focusFrame(m_frame, m_view));
    ASSERT_TRUE(pressKeys({"Escape"}));
    EXPECT_EQ(m_view->getAnnotTool(), 0) << "Escape before anything was drawn";
    EXPECT_EQ(annotations(), 0u);

    // Connected lines go on segment after segment; Escape drops the one
    // still following the pointer and keeps those placed.
    ASSERT_TRUE(clickTool(tools, 31006));
    ASSERT_TRUE(focusFrame(m_frame, m_view));
    const wxSize c = m_view->GetClientSize();
    ASSERT_TRUE(clickAt(m_view, wxPoint(c.x / 4, c.y / 3)));
    ASSERT_TRUE(clickAt(m_view, wxPoint(c.x / 2, c.y / 4)));
    ASSERT_TRUE(moveMouseTo(m_view, wxPoint(c.x / 2 + 40, c.y / 3)));
    EXPECT_EQ(annotations(), 1u);
    ASSERT_NE(m_view->getActiveAnnot(), nullptr) << "the next segment follows";
    ASSERT_TRUE(pressKeys({"Escape"}));
    EXPECT_EQ(m_view->getAnnotTool(), 0);
    EXPECT_EQ(m_view->getActiveAnnot(), nullptr);
    EXPECT_EQ(annotations(), 1u);

    // Chosen again while a segment follows, the tool goes down the same way.
    ASSERT_TRUE(clickTool(tools, 31006));
    ASSERT_TRUE(clickAt(m_view, wxPoint(c.x / 4, c.y / 2)));
    ASSERT_TRUE(clickAt(m_view, wxPoint(c.x / 2, c.y / 2)));
    ASSERT_EQ(annotations(), 2u);
    ASSERT_TRUE(clickTool(tools, 31006));
    EXPECT_EQ(m_view->getAnnotTool(), 0);
    EXPECT_EQ(m_view->getActiveAnnot(), nullptr);
    EXPECT_EQ(annotations(), 2u);
}

// The status bar under the pointer: the values that fit the frame, whole,
// with "..." where more would follow; nothing where there is no bar.
TEST_F(ChartKeysTest, TheStatusBarFitsTheFrameAndIsEmptyWhereNoBarIs)
{
    for (const char* name : {"BBANDS", "MACD", "RSI", "STOCH"}) {
        const TA_FuncHandle* handle = nullptr;
        ASSERT_EQ(QxTaFunctionSet::getFuncHandle(name, &handle), TA_SUCCESS) << name;
        QxObjectSmartPtr<QxIndicator> indicator(new TaLibIndicator(handle));
        ASSERT_EQ(m_view->getChartist()->addIndicator(indicator.get()), eNoError) << name;
    }
    m_view->refreshChart();
    ASSERT_TRUE(pressKeys({"Home"}));
    wxStatusBar* status = m_frame->GetStatusBar();
    ASSERT_NE(status, nullptr);
    auto fieldWidth = [status] {
        wxRect rect;
        status->GetFieldRect(0, rect);
        return rect.width;
    };
    const int field = fieldWidth();
    QxChart* chart = m_view->getChartist()->getChart();

    // A bar where every indicator has a value: past the longest start-up
    // (MACD's, 33 bars), clear of the right edge.
    const unsigned into = visible() * 3 / 4;
    ASSERT_GT(into, 40u);
    const wxPoint onBar(m_view->chartToDevice(0, QxPoint{double(first() + into), 0.0}).x, middle().y);
    const int64_t bar = QxChartViewTexts::barAt(m_view->getXMap(0).unmap(onBar.x));
    // From elsewhere in the view: a pointer already resting there moves nothing.
    ASSERT_TRUE(moveMouseTo(m_view, wxPoint(onBar.x / 2, onBar.y)));
    ASSERT_TRUE(moveMouseTo(m_view, onBar));
    pumpEvents(200);
    ASSERT_EQ(m_view->zoneAtPoint(onBar), 0);
    const wxString full = QxChartViewTexts::statusText(*chart, 0, bar);
    ASSERT_GT(status->GetTextExtent(full).x, field) << "the values of five zones are wider than the frame";
    const wxString shown = status->GetStatusText(0);
    EXPECT_TRUE(shown.EndsWith("...")) << shown;
    EXPECT_TRUE(full.StartsWith(shown.Left(shown.length() - 3))) << shown;
    EXPECT_TRUE(shown.Contains("Close = ")) << "the prices come first";
    EXPECT_LT(status->GetTextExtent(shown).x, field);
    EXPECT_TRUE(saveWindowShot(m_frame, "chart-status-bar-fitted.png"));

    // Left of the first bar, over the axis: nothing is shown.
    const wxPoint leftOfFirst(m_view->chartToDevice(0, QxPoint{-1.0, 0.0}).x, middle().y);
    ASSERT_GE(leftOfFirst.x, 0) << "the chart leaves room left of its first bar";
    ASSERT_TRUE(moveMouseTo(m_view, leftOfFirst));
    pumpEvents(200);
    EXPECT_EQ(status->GetStatusText(0), "");

    // A wider frame shows every value.
    m_frame->SetSize(wxSize(2400, 600));
    pumpEvents(200);
    ASSERT_GT(fieldWidth(), status->GetTextExtent(full).x + 40);
    ASSERT_TRUE(moveMouseTo(m_view, onBar));
    pumpEvents(200);
    const int64_t barNow = QxChartViewTexts::barAt(m_view->getXMap(0).unmap(onBar.x));
    EXPECT_EQ(status->GetStatusText(0), QxChartViewTexts::statusText(*chart, 0, barNow));
}
