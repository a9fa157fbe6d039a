#include "securities/QxPortfolioManagerFrame.h"

#include "app/QxGlobalVars.h"
#include "securities/QxPortfolioView.h"
#include "ui/QxMessages.h"

#include <wx/artprov.h>
#include <wx/display.h>

#include <algorithm>

QxPortfolioManagerFrame::QxPortfolioManagerFrame()
    : QxCommonFrame(nullptr, wxID_ANY, qxProgramTitle() + _(" [Portfolio & Watchlist]")),
      m_placement(QxGlobalVars::get().portfolioMgrFrameSize, nullptr)
{
    Freeze();
    SetIcons(wxArtProvider::GetIconBundle("QxArt_portfolio_app_icon", "wxART_OTHER_C"));
    if (GetStatusBar())
        GetStatusBar()->Hide();
    const wxSize stored = QxGlobalVars::get().portfolioMgrFrameSize;
    m_placement.attach(this);
    s_instance = this;

    addToolPanesRight();

    m_view = new QxPortfolioView(this);
    auiManager().AddPane(m_view, wxAuiPaneInfo().Name("portfolios").CenterPane().PaneBorder(false));
    auiManager().Update();
    // Until the user gives it a size of their own, the frame is as large as
    // its texts and tools need, within the screen.
    if (stored.x <= 0 || stored.y <= 0) {
        const wxSize needed = m_view->fittingSize() + (GetSize() - m_view->GetSize());
        const wxRect screen = wxDisplay(static_cast<wxWindow*>(this)).GetClientArea();
        SetSize(wxSize(std::min(needed.x, screen.width), std::min(needed.y, screen.height)));
        Layout();
        m_placement.sized(GetSize());
    }
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
