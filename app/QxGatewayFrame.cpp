#include "app/QxGatewayFrame.h"

#include "app/QxApplication.h"
#include "app/QxGlobalVars.h"
#include "chartframe/QxChartGeneralToolbar.h"
#include "chartframe/QxPortfolioToolbar.h"
#include "chartframe/QxProToolsToolbar.h"

#include <wx/artprov.h>
#include <wx/statusbr.h>

#include <algorithm>

namespace {
QxGatewayFrame* g_gateway = nullptr;

wxString appTitle()
{
    QxApplication* app = QxApplication::getApp();
    return app ? app->getAppName() : QxApplication::appTitle();
}
} // namespace

QxGatewayFrame* QxGatewayFrame::instance() { return g_gateway; }

int QxGatewayFrame::widestTool(const std::vector<wxAuiToolBar*>& toolbars)
{
    int widest = 0;
    for (wxAuiToolBar* toolbar : toolbars) {
        for (size_t i = 0; i < toolbar->GetToolCount(); ++i) {
            const wxAuiToolBarItem* tool = toolbar->FindToolByIndex(static_cast<int>(i));
            if (tool)
                widest = std::max(widest, toolbar->GetToolRect(tool->GetId()).width);
        }
    }
    return widest;
}

QxGatewayFrame::QxGatewayFrame()
    : QxCommonFrame(nullptr, wxID_ANY, appTitle(), wxDefaultPosition, wxDefaultSize)
{
    g_gateway = this;
    GetStatusBar()->Hide();
    SetIcons(wxArtProvider::GetIconBundle("QxArt_trendoria", wxART_OTHER));
    SetSize(QxGlobalVars::get().gatewayFrameSize);

    const wxSize icons(32, 32);
    m_chartGeneralToolbar = new QxChartGeneralToolbar(this, wxID_ANY, wxDefaultPosition, icons, wxAUI_TB_HORZ_TEXT);
    m_chartGeneralToolbar->Realize();
    m_portfolioToolbar = new QxPortfolioToolbar(this, wxID_ANY, wxDefaultPosition, icons, 0);
    m_portfolioToolbar->Realize();
    m_proToolsToolbar = new QxProToolsToolbar(this, wxID_ANY, wxDefaultPosition, icons, wxAUI_TB_HORZ_TEXT);
    m_proToolsToolbar->Realize();

    m_itemGateway->Enable(false); // this is the gateway

    const int column = widestTool({m_chartGeneralToolbar, m_portfolioToolbar, m_proToolsToolbar});
    auto pane = [column](const char* name, int row) {
        return wxAuiPaneInfo().Name(name).ToolbarPane().Left().Gripper(false).Row(row).MinSize(column, 0);
    };
    m_mgr->AddPane(m_chartGeneralToolbar, pane("Chart_general", 0));
    m_mgr->AddPane(m_portfolioToolbar, pane("Portfolio", 2));
    m_mgr->AddPane(m_proToolsToolbar, pane("Pro Tools", 3));
    m_mgr->Update();

    // Exactly three columns wide, and never narrower.
    const int width = GetSize().x + clientWidthForColumns(column) - GetClientSize().x;
    SetMinSize(wxSize(width, -1));
    SetSize(wxSize(width, GetSize().y));
    Show();
}

QxGatewayFrame::~QxGatewayFrame()
{
    if (g_gateway == this)
        g_gateway = nullptr;
}

void QxGatewayFrame::OnClose(wxCloseEvent& event)
{
    event.Skip(); // the framework's default close destroys the frame
}

void QxGatewayFrame::OnSize(wxSizeEvent& event)
{
    // Kept for the next start; written with the global settings at exit.
    QxGlobalVars::get().gatewayFrameSize = event.GetSize();
}
