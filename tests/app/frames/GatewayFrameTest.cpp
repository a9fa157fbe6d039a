// The home frame: three toolbar columns, its size rules and saved height,
// and "Goto gateway".
#include "app/QxGatewayFrame.h"
#include "app/QxGlobalVars.h"
#include "chartframe/QxChartGeneralToolbar.h"
#include "chartframe/QxPortfolioToolbar.h"
#include "chartframe/QxProToolsToolbar.h"

#include "support/FramesTestSupport.h"

#include <gtest/gtest.h>

using framestest::ScopedApplication;

namespace {

void closeFrame(wxFrame* frame)
{
    frame->Destroy();
    framestest::pump(100);
}

struct GatewayTest : ::testing::Test {
    void SetUp() override
    {
        saved = QxGlobalVars::get();
        QxGlobalVars::get().gatewayFrameSize = wxSize(-1, 400);
    }
    void TearDown() override
    {
        if (QxGatewayFrame* g = QxGatewayFrame::instance())
            closeFrame(g);
        QxGlobalVars::get() = saved;
    }
    QxGlobalVars saved;
};

} // namespace

TEST_F(GatewayTest, OpensWithThreeColumnsOfLargeTools)
{
    ScopedApplication scoped;
    auto* gateway = new QxGatewayFrame;
    framestest::pump(300);
    EXPECT_EQ(QxGatewayFrame::instance(), gateway);
    EXPECT_EQ(scoped.app().numLiveFrame(), 1u);
    EXPECT_TRUE(gateway->IsShown());
    EXPECT_EQ(gateway->GetTitle(), "Corvane Trendoria 2014");
    EXPECT_FALSE(gateway->GetStatusBar()->IsShown());
    EXPECT_FALSE(gateway->GetMenuBar()->IsEnabled(30003)) << "no Goto gateway in the gateway";

    QxChartGeneralToolbar* chart = gateway->chartGeneralToolbar();
    QxPortfolioToolbar* portfolio = gateway->portfolioToolbar();
    QxProToolsToolbar* tools = gateway->proToolsToolbar();
    ASSERT_TRUE(chart && portfolio && tools);
    std::vector<int> ids;
    EXPECT_EQ(chart->bitmapSize(), wxSize(32, 32));
    EXPECT_EQ(portfolio->bitmapSize(), wxSize(32, 32));
    EXPECT_EQ(tools->bitmapSize(), wxSize(32, 32));
    for (wxAuiToolBar* bar : std::vector<wxAuiToolBar*>{chart, portfolio, tools}) {
        EXPECT_TRUE(bar->HasFlag(wxAUI_TB_TEXT) && bar->HasFlag(wxAUI_TB_HORZ_LAYOUT));
        for (size_t i = 0; i < bar->GetToolCount(); ++i) {
            const wxAuiToolBarItem* tool = bar->FindToolByIndex(static_cast<int>(i));
            ids.push_back(tool->GetId());
            EXPECT_EQ(tool->GetBitmap().GetSize(), wxSize(32, 32)) << tool->GetId();
        }
    }
    EXPECT_EQ(ids, (std::vector<int>{5002, 30000, 5000, 30001, 30002, 30008, 30007, 30009}));

    // Three left-docked rows side by side, each one column wide.
    wxAuiManager& mgr = gateway->auiManager();
    // The column width is that of the widest tool as the toolbars were built;
    // every tool still fits once the columns are docked.
    const int column = mgr.GetPane(chart).min_size.x;
    EXPECT_GT(column, 32 + 40) << "icons with text beside them";
    EXPECT_LE(QxGatewayFrame::widestTool({chart, portfolio, tools}), column);
    {
        wxFrame probe(nullptr, wxID_ANY, "probe");
        const wxSize icons(32, 32);
        auto* c = new QxChartGeneralToolbar(&probe, wxID_ANY, wxDefaultPosition, icons, wxAUI_TB_HORZ_TEXT);
        auto* p = new QxPortfolioToolbar(&probe, wxID_ANY, wxDefaultPosition, icons, 0);
        auto* t = new QxProToolsToolbar(&probe, wxID_ANY, wxDefaultPosition, icons, wxAUI_TB_HORZ_TEXT);
        for (wxAuiToolBar* bar : std::vector<wxAuiToolBar*>{c, p, t})
            bar->Realize();
        EXPECT_EQ(QxGatewayFrame::widestTool({c, p, t}), column);
    }
    int row = 0;
    for (wxAuiToolBar* bar : std::vector<wxAuiToolBar*>{chart, portfolio, tools}) {
        const wxAuiPaneInfo& pane = mgr.GetPane(bar);
        EXPECT_EQ(pane.dock_direction, wxAUI_DOCK_LEFT);
        EXPECT_TRUE(pane.IsToolbar());
        EXPECT_FALSE(pane.HasGripper());
        EXPECT_EQ(pane.dock_row, row == 0 ? 0 : row + 1);
        EXPECT_EQ(pane.min_size, wxSize(column, 0));
        ++row;
    }
    EXPECT_LT(chart->GetScreenPosition().x, portfolio->GetScreenPosition().x);
    EXPECT_LT(portfolio->GetScreenPosition().x, tools->GetScreenPosition().x);

    // 400 high by default, exactly three columns wide, never narrower.
    EXPECT_EQ(gateway->GetSize().y, 400);
    EXPECT_EQ(gateway->GetClientSize().x, QxGatewayFrame::clientWidthForColumns(column));
    const int width = gateway->GetSize().x;
    EXPECT_EQ(gateway->GetMinSize().x, width);
    gateway->SetSize(wxSize(width / 2, 300));
    framestest::pump(100);
    EXPECT_EQ(gateway->GetSize().x, width);

    EXPECT_TRUE(framestest::saveWindowShot(gateway, "home_frame.png"));
}

TEST_F(GatewayTest, HeightIsKeptAndWidthRecomputed)
{
    ScopedApplication scoped;
    auto* gateway = new QxGatewayFrame;
    framestest::pump(200);
    const int width = gateway->GetSize().x;
    gateway->SetSize(wxSize(width + 150, 520));
    framestest::pump(200);
    EXPECT_EQ(QxGlobalVars::get().gatewayFrameSize, wxSize(width + 150, 520));
    closeFrame(gateway);
    EXPECT_EQ(QxGatewayFrame::instance(), nullptr);

    gateway = new QxGatewayFrame;
    framestest::pump(200);
    EXPECT_EQ(gateway->GetSize(), wxSize(width, 520));
}

TEST_F(GatewayTest, GotoGatewayBringsItBackFromAnyOtherFrame)
{
    ScopedApplication scoped;
    auto* gateway = new QxGatewayFrame;
    auto* other = new QxCommonFrame(nullptr, wxID_ANY, "other");
    other->DoMenuUpdates();
    EXPECT_TRUE(other->GetMenuBar()->IsEnabled(30003));

    // With the home frame open the command only brings it forward.
    wxCommandEvent go(wxEVT_MENU, 30003);
    other->ProcessWindowEvent(go);
    EXPECT_EQ(QxGatewayFrame::instance(), gateway);
    EXPECT_EQ(scoped.app().numLiveFrame(), 2u);

    // Closing the home frame leaves the other frame; the command makes a new one.
    gateway->Close();
    framestest::pump(200);
    EXPECT_EQ(QxGatewayFrame::instance(), nullptr);
    EXPECT_EQ(scoped.app().numLiveFrame(), 1u);
    other->ProcessWindowEvent(go);
    ASSERT_NE(QxGatewayFrame::instance(), nullptr);
    EXPECT_EQ(scoped.app().numLiveFrame(), 2u);
    EXPECT_FALSE(QxGatewayFrame::instance()->GetMenuBar()->IsEnabled(30003));
    closeFrame(other);
}
