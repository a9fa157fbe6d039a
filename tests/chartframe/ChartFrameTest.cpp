// The chart frame without a chart: its menus inserted into the shared menu
// bar, its docked toolbars, and the size, maximised state and toolbar layout
// that chart frames share through the global settings.
#include "app/QxGlobalVars.h"
#include "chartframe/QxAnnotToolBar.h"
#include "chartframe/QxAnnotationMenu.h"
#include "chartframe/QxChartFrame.h"
#include "chartframe/QxChartGeneralToolbar.h"
#include "chartframe/QxChartOperationsToolbar.h"
#include "chartframe/QxChartOptionsToolbar.h"
#include "chartframe/QxChartPeriodicityToolbar.h"
#include "chartframe/QxPatternRecognitionToolbar.h"
#include "chartframe/QxPortfolioToolbar.h"
#include "chartframe/QxProToolsToolbar.h"
#include "chartframe/QxZoomHorzToolbar.h"
#include "core/QxErrorCode.h"
#include "trading/QxAlertMgr.h"

#include "ChartFrameTestSupport.h"
#include "support/ModalScript.h"

#include <gtest/gtest.h>

#include <wx/uiaction.h>

#include <algorithm>
#include <memory>

using cframetest::pump;

namespace {

void closeFrame(wxFrame* frame)
{
    frame->Destroy();
    pump(50);
}

// Restores the shared chart-frame settings after each test.
class ChartFrameTest : public ::testing::Test {
protected:
    void SetUp() override { m_saved = QxGlobalVars::get(); }
    void TearDown() override
    {
        QxGlobalVars& g = QxGlobalVars::get();
        g.chartFrameSize = m_saved.chartFrameSize;
        g.isChartFrameMaximized = m_saved.isChartFrameMaximized;
        g.chartFramePerspective = m_saved.chartFramePerspective;
        g.showTooltip = m_saved.showTooltip;
        g.showLegends = m_saved.showLegends;
    }

private:
    QxGlobalVars m_saved;
};

// Ids of a toolbar's tools in order, separators as -1, with their kinds.
std::vector<std::pair<int, wxItemKind>> toolsOf(wxAuiToolBar* toolbar)
{
    std::vector<std::pair<int, wxItemKind>> out;
    for (size_t i = 0; i < toolbar->GetToolCount(); ++i) {
        wxAuiToolBarItem* item = toolbar->FindToolByIndex(static_cast<int>(i));
        const wxItemKind kind = static_cast<wxItemKind>(item->GetKind());
        out.emplace_back(kind == wxITEM_SEPARATOR ? -1 : item->GetId(), kind);
    }
    return out;
}

} // namespace

TEST_F(ChartFrameTest, MenusAreInsertedIntoTheSharedMenuBar)
{
    auto* frame = new QxChartFrame();
    wxMenuBar* bar = frame->GetMenuBar();
    const char* titles[] = {"&Trendoria", "&Chart", "&Annotations", "&Data", "&Tools", "&Help"};
    ASSERT_EQ(bar->GetMenuCount(), WXSIZEOF(titles));
    for (size_t i = 0; i < WXSIZEOF(titles); ++i)
        EXPECT_EQ(bar->GetMenuLabel(i), titles[i]);

    // Save Chart sits between the two new-chart items and Open Saved Chart.
    wxMenu* program = bar->GetMenu(0);
    EXPECT_EQ(program->FindItemByPosition(1)->GetId(), 30000);
    wxMenuItem* save = program->FindItemByPosition(2);
    EXPECT_EQ(save->GetId(), 5003);
    EXPECT_EQ(save->GetItemLabel(), "&Save Chart...\tCtrl+S");
    EXPECT_EQ(save->GetHelp(), "Save the chart being displayed.");
    EXPECT_EQ(program->FindItemByPosition(3)->GetId(), 5000);

    // The annotation menu with its advanced tools and the snap switch.
    wxMenu* annots = bar->GetMenu(2);
    EXPECT_EQ(annots, frame->annotationMenu());
    EXPECT_EQ(annots->FindItemByPosition(0)->GetItemLabel(), "Trend &Line");
    EXPECT_TRUE(annots->FindItem(31012) && annots->FindItem(31014));
    EXPECT_EQ(annots->FindItemByPosition(annots->GetMenuItemCount() - 1)->GetId(), 31016);
    EXPECT_EQ(annots->FindItem(31016)->GetKind(), wxITEM_CHECK);
    closeFrame(frame);
}

TEST_F(ChartFrameTest, ChartMenuItems)
{
    struct Item {
        int id;
        const char* label; // as built, with the accelerator
        const char* help;
        wxItemKind kind;
    };
    const Item items[] = {
        {1000, "&Candle", "Sets chart style to Candle", wxITEM_RADIO},
        {1001, "&Bar", "Sets chart style to Bar", wxITEM_RADIO},
        {1002, "&Line", "Sets chart style to Line", wxITEM_RADIO},
        {1003, "Lo&g scale", "Sets log scale in main zone", wxITEM_CHECK},
        {1004, "Show Volume Bars\tF6", "Show/Hide volume bars", wxITEM_CHECK},
        {1005, "&Daily\tCtrl+D", "Sets periodicity of current chart to Daily", wxITEM_RADIO},
        {1006, "&Weekly\tCtrl+W", "Sets periodicity of current chart to Weekly", wxITEM_RADIO},
        {1007, "&Monthly", "Sets periodicity of current chart to Monthly", wxITEM_RADIO},
        {1008, "&Quarterly", "Sets periodicity of current chart to Quarterly", wxITEM_RADIO},
        {1009, "&Yearly", "Sets periodicity of current chart to Yearly", wxITEM_RADIO},
        {1010, "&Add Indicator...\tCtrl+1", "Add indicator to the current chart.", wxITEM_NORMAL},
        {1011, "Add Indicator from &Template...\tCtrl+2", "Add indicators from template definition.", wxITEM_NORMAL},
        {1012, "&Save Indicators as Template...\tCtrl+3", "Save displayed indiactors as template.", wxITEM_NORMAL},
        {1013, "Add Buy/Sell Signal &Markers...\tCtrl+4", "Adds buy/sell arrows on chart.", wxITEM_NORMAL},
        {1014, "&Candlestick...\tCtrl+Shift+9", "You can detect various candlestick patters", wxITEM_NORMAL},
        {1015, "&ZigZag...\tCtrl+Shift+1", "", wxITEM_NORMAL},
        {1016, "&Double Top or Bottom\tCtrl+Shift+2", "", wxITEM_NORMAL},
        {1017, "&Head and Shoulders\tCtrl+Shift+3", "", wxITEM_NORMAL},
        {1018, "Zoom &In\tCtrl++", "Zooms in", wxITEM_NORMAL},
        {1019, "Zoom &Out\tCtrl+-", "Zooms out", wxITEM_NORMAL},
        {1020, "&Normal\tCtrl+0", "Reset zoom level to 100%", wxITEM_NORMAL},
        {1021, "Maximum Zoom Out\tCtrl+Shift+-", "Sets zoom level to maximum", wxITEM_NORMAL},
        {1022, "Maximum Zoom In\tCtrl+Shift++", "Sets zoom level to minimum", wxITEM_NORMAL},
        {1023, "Create &Copy\tCtrl+Shift+C", "Creates a copy of current chart", wxITEM_NORMAL},
        {1024, "Show T&ooltip\tF10", "Shows price field values and value of indicator as tooltip.", wxITEM_CHECK},
        {1025, "Show &Legends\tF9", "Show legends describing graphic objects displayed on chart.", wxITEM_CHECK},
        {1026, "E&xport Chart...\tF8", "Export chart as an image.", wxITEM_NORMAL},
        {1027, "Chart Confi&guration ...", "Opens chart configuration dialog", wxITEM_NORMAL},
    };
    QxGlobalVars::get().showTooltip = false;
    QxGlobalVars::get().showLegends = true;
    auto* frame = new QxChartFrame();
    wxMenu* chart = frame->chartMenu();
    for (const Item& it : items) {
        wxMenuItem* item = chart->FindItem(it.id);
        ASSERT_NE(item, nullptr) << it.id;
        EXPECT_EQ(item->GetItemLabel(), it.label) << it.id;
        EXPECT_EQ(item->GetHelp(), it.help) << it.id;
        EXPECT_EQ(item->GetKind(), it.kind) << it.id;
        // GTK shows its own marks on check and radio items, never a bitmap.
        if (it.kind != wxITEM_NORMAL) {
            EXPECT_FALSE(item->GetBitmap().IsOk()) << it.id;
        }
    }
    EXPECT_TRUE(chart->FindItem(1010)->GetBitmap().IsOk());
    EXPECT_FALSE(chart->FindItem(1020)->GetBitmap().IsOk());

    // The submenus, by title, in order.
    const char* submenus[] = {"Chart &Options", "&Periodicity", "Add Pattern &Detector", "&Zoom"};
    size_t found = 0;
    for (wxMenuItem* item : chart->GetMenuItems())
        if (item->IsSubMenu() && found < WXSIZEOF(submenus)) {
            EXPECT_EQ(item->GetItemLabel(), submenus[found++]);
        }
    EXPECT_EQ(found, WXSIZEOF(submenus));

    // The two switches start as the shared settings say.
    EXPECT_FALSE(chart->IsChecked(1024));
    EXPECT_TRUE(chart->IsChecked(1025));
    closeFrame(frame);
}

TEST_F(ChartFrameTest, ToolbarsAreDockedAsNamedPanes)
{
    auto* frame = new QxChartFrame();
    wxAuiManager& mgr = frame->auiManager();
    struct Pane {
        const char* name;
        const char* caption;
        int direction;
    };
    const Pane panes[] = {
        {"Chart_general", "Open Save Charts", wxAUI_DOCK_TOP},
        {"Chart_Period", "Chart Period", wxAUI_DOCK_TOP},
        {"Chart_Options", "Chart Options", wxAUI_DOCK_TOP},
        {"Zoom_Width", "Zoom Width", wxAUI_DOCK_TOP},
        {"Chart Operations", "Chart Operations", wxAUI_DOCK_TOP},
        {"Chart Graphics", "Chart Graphics", wxAUI_DOCK_TOP},
        {"Annots", "Annotation Tools", wxAUI_DOCK_RIGHT},
        {"Pattern Recognition", "Pattern Recognition", wxAUI_DOCK_RIGHT},
        {"Pro Tools", "Pro Tools", wxAUI_DOCK_TOP},
    };
    for (const Pane& p : panes) {
        wxAuiPaneInfo& info = mgr.GetPane(p.name);
        ASSERT_TRUE(info.IsOk()) << p.name;
        EXPECT_TRUE(info.IsToolbar()) << p.name;
        EXPECT_EQ(info.caption, p.caption) << p.name;
        EXPECT_EQ(info.dock_direction, p.direction) << p.name;
    }

    using T = std::vector<std::pair<int, wxItemKind>>;
    const auto R = wxITEM_RADIO, C = wxITEM_CHECK, N = wxITEM_NORMAL, S = wxITEM_SEPARATOR;
    EXPECT_EQ(toolsOf(frame->chartGeneralToolbar()), (T{{5002, N}, {30000, N}, {5000, N}, {5003, N}}));
    EXPECT_EQ(toolsOf(frame->optionsToolbar()),
              (T{{1000, R}, {1001, R}, {1002, R}, {-1, S}, {1003, C}, {-1, S}, {1004, C}}));
    EXPECT_EQ(toolsOf(frame->periodicityToolbar()), (T{{1005, R}, {1006, R}}));
    EXPECT_EQ(toolsOf(frame->zoomToolbar()), (T{{1019, N}, {1018, N}}));
    EXPECT_EQ(toolsOf(frame->operationsToolbar()),
              (T{{1010, N}, {1011, N}, {1012, N}, {1013, N}, {1023, N}, {1026, N}}));
    EXPECT_EQ(toolsOf(frame->patternToolbar()), (T{{1014, N}, {1015, N}, {1016, N}, {1017, N}}));
    EXPECT_EQ(toolsOf(frame->proToolsToolbar()), (T{{30008, N}, {30007, N}, {30009, N}}));
    const T annots = toolsOf(frame->annotationToolbar());
    ASSERT_EQ(annots.size(), 21u);
    EXPECT_EQ(annots.front(), (std::pair<int, wxItemKind>{31000, C}));
    EXPECT_EQ(annots.back(), (std::pair<int, wxItemKind>{31016, C}));

    // Tools carry 16-pixel icons, labels and tooltips as their toolbar gives them.
    wxAuiToolBarItem* candle = frame->optionsToolbar()->FindTool(1000);
    EXPECT_EQ(candle->GetBitmap().GetSize(), wxSize(16, 16));
    EXPECT_EQ(candle->GetLabel(), "Candle");
    EXPECT_EQ(frame->optionsToolbar()->FindTool(1004)->GetShortHelp(), "Show/Hide volume bars below main zone\nF6");
    EXPECT_EQ(frame->patternToolbar()->FindTool(1014)->GetLabel(), "");
    EXPECT_EQ(frame->annotationToolbar()->FindTool(31012)->GetShortHelp(), "Andrew's Pitch Fork");
    EXPECT_TRUE(frame->zoomToolbar()->FindTool(1018)->HasDropDown());
    EXPECT_FALSE(frame->zoomToolbar()->FindTool(1019)->HasDropDown());
    closeFrame(frame);
}

TEST_F(ChartFrameTest, ZoomPresetMenu)
{
    std::unique_ptr<wxMenu> menu(QxZoomHorzToolbar::createPresetMenu());
    ASSERT_EQ(menu->GetMenuItemCount(), 4u);
    EXPECT_EQ(menu->FindItemByPosition(0)->GetId(), 1020);
    EXPECT_EQ(menu->FindItemByPosition(0)->GetItemLabel(), "Normal\tCtrl+0");
    EXPECT_EQ(menu->FindItemByPosition(1)->GetItemLabel(), "Maximum Zoom Out\tCtrl+Shift+-");
    EXPECT_EQ(menu->FindItemByPosition(2)->GetId(), 1022);
    EXPECT_TRUE(menu->FindItemByPosition(3)->IsSeparator());
}

TEST_F(ChartFrameTest, AnnotationMenuWithoutAdvancedTools)
{
    std::unique_ptr<wxMenu> basic(createAnnotationMenu(false));
    for (int id : {31012, 31013, 31014, 31016})
        EXPECT_EQ(basic->FindItem(id), nullptr) << id;
    EXPECT_EQ(basic->GetMenuItemCount(), 15u); // 13 tools and 2 separators
    EXPECT_EQ(basic->FindItemByPosition(14)->GetItemLabel(), "&Text");
}

TEST_F(ChartFrameTest, OperationsToolsAreEnabledOnlyInAChartFrame)
{
    auto state = [](wxAuiToolBar* toolbar, int id) {
        wxUpdateUIEvent event(id);
        event.SetEventObject(toolbar);
        toolbar->ProcessWindowEvent(event);
        EXPECT_TRUE(event.GetSetEnabled()) << id;
        return event.GetEnabled();
    };
    auto* other = new QxCommonFrame(nullptr, wxID_ANY, "other");
    auto* foreign = new QxChartOperationsToolbar(other);
    auto* frame = new QxChartFrame();
    for (int id : {1010, 1011, 1012, 1013, 1023, 1026}) {
        EXPECT_FALSE(state(foreign, id)) << id;
        EXPECT_TRUE(state(frame->operationsToolbar(), id)) << id;
    }
    closeFrame(frame);
    closeFrame(other);
}

TEST_F(ChartFrameTest, OpenFramesAreCounted)
{
    const unsigned before = QxChartFrame::openFrameCount();
    auto* a = new QxChartFrame();
    auto* b = new QxChartFrame();
    EXPECT_EQ(QxChartFrame::openFrameCount(), before + 2);
    closeFrame(a);
    EXPECT_EQ(QxChartFrame::openFrameCount(), before + 1);
    closeFrame(b);
    EXPECT_EQ(QxChartFrame::openFrameCount(), before);
}

TEST_F(ChartFrameTest, OpensWithTheSizeOfTheLastFrameResized)
{
    QxGlobalVars& g = QxGlobalVars::get();
    g.chartFrameSize = wxSize(820, 610);
    g.isChartFrameMaximized = false;
    auto* frame = new QxChartFrame();
    frame->Show();
    pump(200);
    EXPECT_EQ(frame->GetSize(), wxSize(820, 610));

    frame->SetSize(700, 520);
    pump(200);
    EXPECT_EQ(g.chartFrameSize, wxSize(700, 520));
    EXPECT_FALSE(g.isChartFrameMaximized);
    closeFrame(frame);

    auto* next = new QxChartFrame();
    EXPECT_EQ(next->GetSize(), wxSize(700, 520));
    closeFrame(next);
}

TEST_F(ChartFrameTest, OpensMaximisedWhenTheLastFrameWas)
{
    // Without a window manager (as under Xvfb) nothing is ever maximised, so
    // the request itself is what can be seen here.
    QxGlobalVars& g = QxGlobalVars::get();
    g.chartFrameSize = wxSize(640, 480);
    g.isChartFrameMaximized = true;
    auto* frame = new QxChartFrame();
    EXPECT_TRUE(frame->openedMaximized());
    EXPECT_EQ(frame->GetSize(), wxSize(640, 480));
    closeFrame(frame);

    g.isChartFrameMaximized = false;
    auto* plain = new QxChartFrame();
    EXPECT_FALSE(plain->openedMaximized());
    closeFrame(plain);
}

TEST_F(ChartFrameTest, OnlyTheLastFrameClosedStoresTheToolbarLayout)
{
    QxGlobalVars& g = QxGlobalVars::get();
    g.chartFramePerspective.clear();
    ASSERT_EQ(QxChartFrame::openFrameCount(), 0u);
    QxChartFrame* frames[] = {new QxChartFrame(), new QxChartFrame(), new QxChartFrame()};
    for (QxChartFrame* f : frames) {
        f->auiManager().GetPane("Pattern Recognition").Hide();
        f->auiManager().Update();
    }
    closeFrame(frames[0]);
    closeFrame(frames[1]);
    EXPECT_TRUE(g.chartFramePerspective.empty());
    closeFrame(frames[2]);
    EXPECT_TRUE(g.chartFramePerspective.Contains("name=Pattern Recognition"));

    auto* next = new QxChartFrame();
    EXPECT_FALSE(next->auiManager().GetPane("Pattern Recognition").IsShown());
    EXPECT_TRUE(next->auiManager().GetPane("Annots").IsShown());
    closeFrame(next);

    // A damaged layout text is ignored: every pane is shown.
    g.chartFramePerspective = "not a layout";
    auto* fresh = new QxChartFrame();
    EXPECT_TRUE(fresh->auiManager().GetPane("Pattern Recognition").IsShown());
    closeFrame(fresh);
}

TEST_F(ChartFrameTest, OperationFailedMessage)
{
    EXPECT_EQ(operationFailedText(eInvalidInput, L"Failed to open template"),
              "Failed to open template\nError description: " + qxErrorDesc(eInvalidInput));
    EXPECT_EQ(operationFailedText(eNotImplemented, nullptr),
              "Operation Failed.\nError description: " + qxErrorDesc(eNotImplemented));

    TestSupport::MessageBoxes catcher;
    showOperationFailed(eInvalidInput, L"Failed to add template");
    ASSERT_EQ(catcher.texts().size(), 1u);
    EXPECT_EQ(catcher.texts()[0], operationFailedText(eInvalidInput, L"Failed to add template"));
}

TEST_F(ChartFrameTest, PortfolioToolbarWatchesTheAlertManager)
{
    QxAlertMgr* mgr = QxAlertMgr::get();
    const size_t before = mgr->numAlertReactors();
    auto* frame = new QxCommonFrame(nullptr, wxID_ANY, "home", wxDefaultPosition, wxDefaultSize);
    auto* toolbar = new QxPortfolioToolbar(frame, wxID_ANY, wxDefaultPosition, wxSize(32, 32), 0);
    toolbar->Realize();
    EXPECT_EQ(mgr->numAlertReactors(), before + 1);
    toolbar->onAlertStatusChanged(QxAlert{}, QxAlert::eNew, nullptr, nullptr);
    EXPECT_STREQ(toolbar->currentAlertArtId(), "QxART_alert");
    EXPECT_EQ(toolbar->FindTool(30002)->GetBitmap().GetSize(), wxSize(32, 32));
    EXPECT_EQ(QxPortfolioToolbar::alertArtId(1), std::string("QxART_alert_of_alerts"));
    closeFrame(frame);
    EXPECT_EQ(mgr->numAlertReactors(), before);
}

TEST_F(ChartFrameTest, Screenshot)
{
    QxGlobalVars::get().chartFrameSize = wxSize(1000, 700);
    QxGlobalVars::get().isChartFrameMaximized = false;
    auto* frame = new QxChartFrame();
    frame->SetTitle("Corvane Trendoria 2014 [chart frame]");
    frame->Move(0, 0);
    frame->Show();
    pump(300);
    EXPECT_TRUE(cframetest::saveWindowShot(frame, "chart_frame_empty.png"));
    closeFrame(frame);
}
