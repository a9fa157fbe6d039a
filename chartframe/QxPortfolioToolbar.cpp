#include "chartframe/QxPortfolioToolbar.h"

#include "chartframe/QxToolbarTool.h"

#include <wx/artprov.h>

QxPortfolioToolbar::QxPortfolioToolbar(wxWindow* parent, wxWindowID, const wxPoint& pos,
                                       const wxSize& size, long)
    : wxAuiToolBar(parent, wxID_ANY, pos, wxDefaultSize, wxAUI_TB_HORZ_TEXT),
      m_bitmapSize(qxToolBitmapSize(size))
{
    qxAddTool(this, m_bitmapSize, 30001, "Portfolios and Watchlists", "QxART_portfolio",
              "Portfolios and Watchlists\nCtrl+Shift+P", wxITEM_NORMAL, false);
    // The alert manager does not count waiting alerts yet: none are waiting.
    qxAddTool(this, m_bitmapSize, 30002, "Manage Alerts                  ", alertArtId(0),
              "Manage Alerts\nCtrl+Shift+A", wxITEM_NORMAL, false);
}

QxPortfolioToolbar::~QxPortfolioToolbar() = default;

const char* QxPortfolioToolbar::alertArtId(unsigned waitingAlerts)
{
    return waitingAlerts > 0 ? "QxART_alert_of_alerts" : "QxART_alert";
}

void QxPortfolioToolbar::updateAlertIcon(unsigned waitingAlerts)
{
    SetToolBitmap(30002, wxArtProvider::GetBitmap(alertArtId(waitingAlerts), wxART_OTHER, m_bitmapSize));
    Refresh(true);
}
