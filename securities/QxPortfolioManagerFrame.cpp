#include "securities/QxPortfolioManagerFrame.h"

#include "app/QxApplication.h"
#include "app/QxGlobalVars.h"
#include "securities/QxPortfolioView.h"

#include <wx/artprov.h>

QxPortfolioManagerFrame::QxPortfolioManagerFrame()
    : QxCommonFrame(nullptr, wxID_ANY, QxApplication::appTitle() + _(" [Portfolio & Watchlist]")),
      m_placement(QxGlobalVars::get().portfolioMgrFrameSize, nullptr)
{
    Freeze();
    SetIcons(wxArtProvider::GetIconBundle("QxArt_portfolio_app_icon", "wxART_OTHER_C"));
    if (GetStatusBar())
        GetStatusBar()->Hide();
    m_placement.attach(this);
    s_instance = this;

    addToolPanesRight();

    m_view = new QxPortfolioView(this);
    auiManager().AddPane(m_view, wxAuiPaneInfo().Name("portfolios").CenterPane().PaneBorder(false));
    auiManager().Update();
    Bind(wxEVT_SIZE, &QxPortfolioManagerFrame::onSize, this);
    Thaw();
    Show();
}

QxPortfolioManagerFrame::~QxPortfolioManagerFrame()
{
    if (s_instance == this)
        s_instance = nullptr;
}

void QxPortfolioManagerFrame::onSize(wxSizeEvent& event)
{
    m_placement.sized(event.GetSize());
    event.Skip();
}

QxPortfolioManagerFrame* QxPortfolioManagerFrame::showFrame()
{
    if (!s_instance)
        new QxPortfolioManagerFrame();
    s_instance->Raise();
    s_instance->SetFocus();
    return s_instance;
}
