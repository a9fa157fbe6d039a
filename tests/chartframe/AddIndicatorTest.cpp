// Adding indicators to a live chart: Add Indicator's dialog, configuring
// the choice, dragging it out of the dialog onto a curve or below the
// zones; and the view's own pointer work: status values, zone borders and
// pattern tooltips.
#include "app/QxGlobalVars.h"
#include "app/QxIndicatorRegistry.h"
#include "support/ChartFixtures.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxZone.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxChartView.h"
#include "support/MarkPattern.h"
#include "chart/QxDrawable.h"
#include "configdlg/DlgGraphicConfigurator.h"
#include "configdlg/QxIndicConfigDlg.h"
#include "configdlg/QxIndicGraphicsConfiguratorPanel.h"
#include "configdlg/QxIndicatorSelectionDlg.h"
#include "configdlg/QxIndicatorSelectionPanel.h"
#include "core/QxCalculator.h"
#include "core/QxIndicator.h"
#include "core/QxPriceHistory.h"

#include "ChartFrameTestSupport.h"
#include "support/ModalScript.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/notebook.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>

using cframetest::pump;
using TestSupport::ModalScript;

namespace {

class AddIndicatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QxIndicatorRegistry::instance()->addBuiltInIndicators();
        m_savedTooltip = QxGlobalVars::get().showTooltip;
        QxGlobalVars::get().chartFrameSize = wxSize(1000, 760);
        QxGlobalVars::get().isChartFrameMaximized = false;
        m_security = new charttest::MemSecurity(11, charttest::makeWalk(500), "Walker Mills", "WLK");
        m_view = QxChartView::createChartView(m_security.get(), Qx::eDaily, Qx::ePriceCandles, nullptr);
        ASSERT_NE(m_view, nullptr);
        m_frame = m_view->getFrame();
        m_frame->Move(0, 0);
        pump(200);
    }
    void TearDown() override
    {
        QxGlobalVars::get().showTooltip = m_savedTooltip;
        if (m_frame)
            m_frame->Destroy();
        pump(100);
    }

    QxChart* chart() const { return m_view->getChartist()->getChart(); }

    void command(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(m_frame);
        m_frame->ProcessWindowEvent(event);
        pump(50);
    }

    void mouse(wxEventType type, const wxPoint& device, bool leftDown)
    {
        wxMouseEvent e(type);
        e.SetPosition(device);
        e.SetLeftDown(leftDown);
        e.SetEventObject(m_view);
        m_view->ProcessWindowEvent(e);
    }

    void key(int code)
    {
        wxKeyEvent e(wxEVT_KEY_DOWN);
        e.m_keyCode = code;
        e.SetEventObject(m_view);
        m_view->ProcessWindowEvent(e);
    }

    // The device point of a value of an indicator output at a bar of a zone.
    wxPoint pointOf(int zone, QxIndicator* indicator, unsigned bar)
    {
        QxSeries series;
        EXPECT_EQ(chart()->getCalc()->getDataSeries(QxSeriesId(indicator, 0), series), 0);
        const wxPoint logical(m_view->getXMap(zone).map(bar), m_view->getYMap(zone).map(*series.at(int32_t(bar))));
        return logical - wxPoint(0, m_view->vertPos());
    }

    // A catalogue indicator for the view to take over as if dragged.
    static QxIndicator* dragged(const char* name)
    {
        return QxIndicatorRegistry::instance()->getIndicator(QxAtom(name))->clone(7);
    }

    QxObjectSmartPtr<QxSecurity> m_security;
    QxChartView* m_view = nullptr;
    QxChartFrame* m_frame = nullptr;
    bool m_savedTooltip = true;
};

} // namespace

// The user's way through Add Indicator: OK without a row is refused, SMA is
// chosen and configured and shows on the chart; a cancelled configuration
// adds nothing.
TEST_F(AddIndicatorTest, ChosenAndConfiguredIndicatorJoinsTheChart)
{
    QxZone* main = chart()->getMainZone();
    const unsigned before = main->numIndicator();
    TestSupport::MessageBoxes messages;
    bool stayedOpen = false, configured = false;
    wxString title, firstTab;
    {
        ModalScript script;
        script
            .when<QxIndicatorSelectionDlg>([&](QxIndicatorSelectionDlg* dlg) {
                title = dlg->GetTitle();
                firstTab = dlg->notebook()->GetPageText(0);
                EXPECT_TRUE(dlg->isHintShown()) << "dragging is allowed from the chart frame";
                EXPECT_TRUE(cframetest::saveWindowShot(dlg, "add-indicator-dialog.png"));
                for (size_t i = 0; i < dlg->pageCount(); ++i)
                    dlg->page(i)->list()->SetItemState(-1, 0, wxLIST_STATE_SELECTED);
                ModalScript::press(dlg, wxID_OK);
                stayedOpen = dlg->IsModal();
                ASSERT_TRUE(dlg->page(0)->selectName("SMA"));
                EXPECT_TRUE(dlg->isExplainEnabled());
                ModalScript::press(dlg, wxID_OK);
            })
            .when<QxIndicConfigDlg>([&](QxIndicConfigDlg* dlg) {
                configured = dlg->getParamPanel() && dlg->getGraphicsPanel() && dlg->getInputPanel();
                ModalScript::press(dlg, wxID_OK);
            });
        command(1010);
        EXPECT_EQ(script.pending(), 0u);
    }
    EXPECT_EQ(title, "Select Indicator");
    EXPECT_EQ(firstTab, "All");
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(messages.texts()[0], "Please select an indicator to continue");
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(configured) << "all three pages";
    ASSERT_EQ(main->numIndicator(), before + 1);
    EXPECT_EQ(main->indicatorAt(before)->getName().string(), "SMA");
    pump(300);
    EXPECT_TRUE(cframetest::saveWindowShot(m_frame, "add-indicator-sma.png"));

    // The dialog kept its selection; this time the configuration is cancelled.
    {
        ModalScript script;
        script
            .when<QxIndicatorSelectionDlg>([&](QxIndicatorSelectionDlg* dlg) {
                EXPECT_TRUE(dlg->currentPage()->hasSelection());
                ModalScript::press(dlg, wxID_OK);
            })
            .when<QxIndicConfigDlg>([](QxIndicConfigDlg* dlg) { ModalScript::press(dlg, wxID_CANCEL); });
        command(1010);
        EXPECT_EQ(script.pending(), 0u);
    }
    EXPECT_EQ(main->numIndicator(), before + 1) << "nothing added";
    EXPECT_EQ(messages.texts().size(), 1u);
}

// A drag out of the dialog ends it; the view then waits with the drop
// cursor, highlights the RSI curve under the pointer and builds SMA over RSI.
TEST_F(AddIndicatorTest, DraggedIndicatorDroppedOnACurveTakesItAsInput)
{
    QxObjectSmartPtr<QxIndicator> rsi(dragged("RSI"));
    ASSERT_EQ(m_view->getChartist()->addIndicator(rsi.get()), eNoError);
    m_view->refreshChart();
    pump(200);
    ASSERT_EQ(chart()->numZones(), 3u);
    QxZone* rsiZone = chart()->zoneAt(2);

    {
        ModalScript script;
        script.when<QxIndicatorSelectionDlg>([](QxIndicatorSelectionDlg* dlg) {
            dlg->notebook()->SetSelection(0);
            ASSERT_TRUE(dlg->page(0)->selectName("SMA"));
            wxListEvent drag(wxEVT_LIST_BEGIN_DRAG, dlg->page(0)->list()->GetId());
            drag.SetEventObject(dlg->page(0)->list());
            dlg->page(0)->list()->GetEventHandler()->ProcessEvent(drag);
        });
        command(1010);
        EXPECT_EQ(script.pending(), 0u);
    }
    EXPECT_TRUE(QxIndicatorSelectionDlg::get()->endedByDrag());
    EXPECT_FALSE(QxIndicatorSelectionDlg::get()->IsShown());
    ASSERT_NE(m_view->pendingIndicator(), nullptr);
    EXPECT_EQ(m_view->pendingIndicator()->getName().string(), "SMA");
    EXPECT_EQ(m_view->currentCursor(), QxBaseChartView::eCursorDropAllow);

    const unsigned bar = m_view->getLastVisibleBar() - 8;
    const wxPoint onCurve = pointOf(2, rsiZone->indicatorAt(0), bar);
    mouse(wxEVT_MOTION, onCurve + wxPoint(0, 40), true);
    mouse(wxEVT_MOTION, onCurve, true);
    EXPECT_EQ(m_view->highlightedZone(), 2);
    ASSERT_NE(m_view->highlightedCurve(), nullptr);
    pump(200);
    EXPECT_TRUE(cframetest::saveWindowShot(m_frame, "add-indicator-highlight.png"));

    bool inputPage = true;
    {
        ModalScript script;
        script.when<QxIndicConfigDlg>([&](QxIndicConfigDlg* dlg) {
            inputPage = dlg->getInputPanel() != nullptr;
            ModalScript::press(dlg, wxID_OK);
        });
        mouse(wxEVT_LEFT_UP, onCurve, false);
        EXPECT_EQ(script.pending(), 0u);
    }
    EXPECT_FALSE(inputPage) << "the input comes from the drop";
    ASSERT_EQ(rsiZone->numIndicator(), 2u);
    QxIndicator* built = rsiZone->indicatorAt(1);
    EXPECT_EQ(built->getName().string(), "SMA");
    const QxSeriesId& input = built->getInputSeries(0);
    ASSERT_NE(input.indicator(), nullptr);
    EXPECT_EQ(input.indicator()->getName().string(), "RSI");
    EXPECT_EQ(m_view->pendingIndicator(), nullptr);
    EXPECT_EQ(m_view->highlightedCurve(), nullptr);
    EXPECT_EQ(m_view->currentCursor(), QxBaseChartView::eCursorOpenHand);
    EXPECT_EQ(chart()->numZones(), 3u);
    pump(300);
    EXPECT_TRUE(cframetest::saveWindowShot(m_frame, "add-indicator-composite.png"));
}

// Below the zones a dropped indicator gets a zone of its own, but only once
// its configuration is confirmed; Escape drops a waiting indicator.
TEST_F(AddIndicatorTest, DropBelowTheZonesMakesAZoneOnlyAfterOk)
{
    const unsigned zones = chart()->numZones();
    QxZone* last = chart()->zoneAt(zones - 1);
    const wxPoint below(m_view->GetClientSize().x / 2, last->getOrigin().y + last->getHeight() + 12 - m_view->vertPos());
    ASSERT_LT(below.y, m_view->GetClientSize().y) << "room below the zones";

    m_view->receiveDraggedIndic(dragged("SMA"));
    EXPECT_EQ(m_view->currentCursor(), QxBaseChartView::eCursorDropAllow);
    for (int answer : {wxID_CANCEL, wxID_CANCEL, wxID_OK}) {
        ModalScript script;
        script.when<QxIndicConfigDlg>([answer](QxIndicConfigDlg* dlg) { ModalScript::press(dlg, answer); });
        mouse(wxEVT_LEFT_DOWN, below, true);
        EXPECT_FALSE(m_view->isPanning()) << "a click while an indicator waits places it";
        mouse(wxEVT_LEFT_UP, below, false);
        EXPECT_EQ(script.pending(), 0u);
        EXPECT_EQ(m_view->currentZone(), -1);
        if (answer == wxID_CANCEL) {
            EXPECT_EQ(chart()->numZones(), zones) << "no empty zone for a cancelled configuration";
            EXPECT_NE(m_view->pendingIndicator(), nullptr) << "still waiting";
            EXPECT_EQ(m_view->currentCursor(), QxBaseChartView::eCursorDropAllow);
        }
    }
    ASSERT_EQ(chart()->numZones(), zones + 1);
    QxZone* made = chart()->zoneAt(zones);
    ASSERT_EQ(made->numIndicator(), 1u);
    EXPECT_EQ(made->indicatorAt(0)->getName().string(), "SMA");
    EXPECT_TRUE(made->getTitle().StartsWith("SMA")) << made->getTitle();
    EXPECT_EQ(m_view->pendingIndicator(), nullptr);

    m_view->receiveDraggedIndic(dragged("EMA"));
    key('A');
    EXPECT_NE(m_view->pendingIndicator(), nullptr) << "other keys leave it waiting";
    key(WXK_ESCAPE);
    EXPECT_EQ(m_view->pendingIndicator(), nullptr);
    EXPECT_EQ(m_view->currentCursor(), QxBaseChartView::eCursorOpenHand);
    mouse(wxEVT_LEFT_DOWN, below, true);
    mouse(wxEVT_LEFT_UP, below, false);
    EXPECT_EQ(chart()->numZones(), zones + 1) << "nothing placed after Escape";
}

// Hovering writes the bar's date and values into the status bar; the main
// zone's bottom border shows the sizing cursor and drags the zone's height.
TEST_F(AddIndicatorTest, HoverShowsValuesAndBordersResizeZones)
{
    QxZone* main = chart()->getMainZone();
    const wxRect plot = main->getInnerRect();
    const wxPoint inside(plot.x + plot.width / 2, plot.y + plot.height / 2 - m_view->vertPos());
    mouse(wxEVT_MOTION, inside, false);
    const wxString status = m_frame->GetStatusBar()->GetStatusText(0);
    const unsigned bar = unsigned(std::floor(m_view->getXMap(0).unmap(inside.x) + 0.5));
    QxPriceHistory* h = chart()->getCalc()->prices(Qx::eDaily, false);
    EXPECT_TRUE(status.StartsWith(formatTimestamp(h->timestamp()[bar], "%x") + ": Open = ")) << status;
    EXPECT_TRUE(status.Contains(wxString::Format("Close = %.4lf ", h->close()[bar]))) << status;
    EXPECT_TRUE(status.Contains("Volume= ")) << status;
    EXPECT_TRUE(m_view->isCrosshairShown());

    const int height = main->getHeight();
    const wxPoint border(inside.x, main->getOrigin().y + height - m_view->vertPos());
    mouse(wxEVT_MOTION, border, false);
    EXPECT_EQ(m_view->currentCursor(), QxBaseChartView::eCursorSizeNS);
    EXPECT_FALSE(m_view->isCrosshairShown());
    // Over the value axis, right of the zones, the border still counts.
    mouse(wxEVT_MOTION, wxPoint(main->getOrigin().x + main->getWidth() + 20, border.y), false);
    EXPECT_EQ(m_view->currentCursor(), QxBaseChartView::eCursorSizeNS);

    mouse(wxEVT_LEFT_DOWN, border, true);
    EXPECT_TRUE(m_view->isResizingZone());
    EXPECT_FALSE(m_view->isPanning());
    mouse(wxEVT_MOTION, border - wxPoint(0, 20), true);
    EXPECT_TRUE(m_view->overlay().isShown(QxOverlay::eResizeLine));
    mouse(wxEVT_LEFT_UP, border - wxPoint(0, 20), false);
    EXPECT_FALSE(m_view->isResizingZone());
    EXPECT_FALSE(m_view->overlay().isShown(QxOverlay::eResizeLine));
    pump(200);
    EXPECT_EQ(main->getHeight(), height - 20);
    EXPECT_TRUE(cframetest::saveWindowShot(m_frame, "add-indicator-resized.png"));

    // Dragged far above its top the zone keeps its title and a few pixels.
    const wxPoint moved(inside.x, main->getOrigin().y + main->getHeight() - m_view->vertPos());
    mouse(wxEVT_MOTION, moved, false);
    mouse(wxEVT_LEFT_DOWN, moved, true);
    mouse(wxEVT_LEFT_UP, wxPoint(moved.x, -400), false);
    EXPECT_EQ(main->getHeight(), main->getTitleHeight() + QxChartView::kMinPlotHeight);
}

// The pattern tooltip shows after the pointer rested a second on the marked
// bar, and never while tooltips are switched off.
TEST_F(AddIndicatorTest, PatternTooltipAfterTheTimerOnlyWhenSwitchedOn)
{
    m_frame->Raise();
    pump(300);
    const unsigned bar = m_view->getLastVisibleBar() - 5;
    chart()->getMainZone()->addPattern(new charttest::MarkPattern(bar, "Test mark"));
    const wxRect plot = chart()->getMainZone()->getInnerRect();
    const wxPoint on(m_view->getXMap(0).map(bar), plot.y + plot.height / 2 - m_view->vertPos());
    const wxPoint off(m_view->getXMap(0).map(bar - 3), on.y);
    QxPriceHistory* h = chart()->getCalc()->prices(Qx::eDaily, false);
    const wxString expected = formatTimestamp(h->timestamp()[bar], "%x") + ":Test mark";

    auto restAt = [&](const wxPoint& at) {
        m_view->WarpPointer(at.x, at.y);
        mouse(wxEVT_MOTION, at, false);
        pump(100); // the pointer's own motion from the warp, which starts the rest again
        TestSupport::pumpUntil([&] { return !m_view->isTooltipTimerRunning(); }, 5000);
        pump(50);
        return m_view->GetToolTipText();
    };
    QxGlobalVars::get().showTooltip = true;
    EXPECT_EQ(restAt(on), expected);
    EXPECT_EQ(m_view->tooltipText(), expected);
    EXPECT_EQ(restAt(off), "") << "no pattern at that bar";

    QxGlobalVars::get().showTooltip = false;
    EXPECT_EQ(restAt(on), "");
    EXPECT_FALSE(m_view->isTooltipTimerRunning());
}

// Ctrl+1, as the keyboard sends it, opens the selection dialog on "All".
TEST_F(AddIndicatorTest, CtrlOneOpensTheSelectionDialog)
{
    m_frame->Raise();
    m_view->SetFocus();
    pump(400);
    wxString title, tab;
    ModalScript script;
    script.when<QxIndicatorSelectionDlg>([&](QxIndicatorSelectionDlg* dlg) {
        title = dlg->GetTitle();
        tab = dlg->notebook()->GetPageText(dlg->notebook()->GetSelection());
        ModalScript::press(dlg, wxID_CANCEL);
    });
    wxUIActionSimulator sim;
    sim.Char('1', wxMOD_CONTROL);
    TestSupport::pumpUntil([&] { return script.pending() == 0u; }, 5000);
    pump(100);
    EXPECT_EQ(script.pending(), 0u);
    EXPECT_EQ(title, "Select Indicator");
    EXPECT_EQ(tab, "All");
}

// A copy chosen in Select Indicator and configured before anybody holds it:
// the Graphics page's Add... and Modify... (OK or Cancel in the graphic's
// dialog), then Cancel or OK in Indicator Configuration. Cancel adds nothing
// and frees the copy once; OK adds SMA with its graphics.
TEST_F(AddIndicatorTest, GraphicsEditedOnAFreshCopyThenCancelledOrTaken)
{
    QxZone* main = chart()->getMainZone();
    struct Case {
        const char* what;
        bool modify;     // Modify... on the first row, else Add... of a line
        int graphicEnd;  // OK or Cancel in the graphic's dialog
        int configEnd;   // OK or Cancel in Indicator Configuration
    };
    const Case cases[] = {
        {"Add, OK, Cancel", false, wxID_OK, wxID_CANCEL},
        {"Add, Cancel, Cancel", false, wxID_CANCEL, wxID_CANCEL},
        {"Modify, OK, Cancel", true, wxID_OK, wxID_CANCEL},
        {"Modify, Cancel, Cancel", true, wxID_CANCEL, wxID_CANCEL},
        {"Add, OK, OK", false, wxID_OK, wxID_OK},
        {"Add, Cancel, OK", false, wxID_CANCEL, wxID_OK},
        {"Modify, Cancel, OK", true, wxID_CANCEL, wxID_OK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const unsigned before = main->numIndicator();
        size_t rowsShown = 0, rowsAfter = 0, ownGraphics = 0;
        bool graphicShown = false;
        {
            ModalScript script;
            script
                .when<QxIndicatorSelectionDlg>([&](QxIndicatorSelectionDlg* dlg) {
                    ASSERT_TRUE(dlg->page(0)->selectName("SMA"));
                    ModalScript::press(dlg, wxID_OK);
                })
                .when<QxIndicConfigDlg>([&](QxIndicConfigDlg* dlg) {
                    QxIndicGraphicsConfiguratorPanel* graphics = dlg->getGraphicsPanel();
                    ASSERT_NE(graphics, nullptr);
                    wxNotebook* pages = nullptr;
                    for (wxWindow* child : dlg->GetChildren())
                        if (auto* book = dynamic_cast<wxNotebook*>(child))
                            pages = book;
                    ASSERT_NE(pages, nullptr);
                    pages->SetSelection(static_cast<size_t>(pages->FindPage(graphics)));
                    pump(100);
                    rowsShown = graphics->getGraphics().size();
                    ModalScript inner;
                    inner.when<DlgGraphicConfigurator>([&](DlgGraphicConfigurator* graphic) {
                        graphicShown = true;
                        ModalScript::press(graphic, c.graphicEnd);
                    });
                    if (c.modify)
                        graphics->modifySelected();
                    else
                        graphics->addGraphic(QxAtom("SOLIDLINE"));
                    pump(50);
                    rowsAfter = graphics->getGraphics().size();
                    // The copy being configured keeps its own graphics.
                    ownGraphics = graphics->indicator()->drawables(false).size();
                    ModalScript::press(dlg, c.configEnd);
                });
            command(1010);
            EXPECT_EQ(script.pending(), 0u);
        }
        EXPECT_TRUE(graphicShown);
        ASSERT_GE(rowsShown, 1u);
        EXPECT_EQ(rowsAfter, rowsShown + (!c.modify && c.graphicEnd == wxID_OK ? 1 : 0));
        EXPECT_EQ(ownGraphics, rowsShown);
        if (c.configEnd == wxID_CANCEL) {
            EXPECT_EQ(main->numIndicator(), before) << "nothing added";
            continue;
        }
        ASSERT_EQ(main->numIndicator(), before + 1);
        QxIndicator* added = main->indicatorAt(before);
        EXPECT_EQ(added->getName().string(), "SMA");
        EXPECT_EQ(added->drawables(false).size(), rowsAfter) << "the graphics of the page";
        for (const auto& drawable : added->drawables(false))
            for (const QxDataInfo& role : drawable->getParamInfos())
                EXPECT_EQ(drawable->getSeries(role.name).indicator(), added) << role.name.string();
        pump(200);
    }
    EXPECT_TRUE(cframetest::saveWindowShot(m_frame, "add-indicator-graphics-edited.png"));
}
