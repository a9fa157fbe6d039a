#include "chartframe/QxPortfolioToolbar.h"

#include "chartframe/QxToolbarTool.h"

#include <wx/artprov.h>

QxPortfolioToolbar::QxPortfolioToolbar(wxWindow* parent, wxWindowID, const wxPoint& pos,
                                       const wxSize& size, long)
    : wxAuiToolBar(parent, wxID_ANY, pos, wxDefaultSize, wxAUI_TB_HORZ_TEXT),
      m_bitmapSize(qxToolBitmapSize(size)), m_alertArtId(alertArtId(waitingAlerts()))
{
    qxAddTool(this, m_bitmapSize, 30001, "Portfolios and Watchlists", "QxART_portfolio",
              "Portfolios and Watchlists\nCtrl+Shift+P", wxITEM_NORMAL, false);
    qxAddTool(this, m_bitmapSize, 30002, "Manage Alerts                  ", m_alertArtId,
              "Manage Alerts\nCtrl+Shift+A", wxITEM_NORMAL, false);
    QxAlertMgr::get()->addAlertReactor(this);
}

QxPortfolioToolbar::~QxPortfolioToolbar()
{
    // The manager may already be gone at exit; never create one here.
    if (QxAlertMgr* mgr = QxAlertMgr::existing())
        mgr->removeAlertReactor(this);
}

unsigned QxPortfolioToolbar::waitingAlerts()
{
    const int waiting = QxAlertMgr::get()->numNewAlerts();
    return waiting > 0 ? static_cast<unsigned>(waiting) : 0;
}

const char* QxPortfolioToolbar::alertArtId(unsigned waitingAlerts)
{
    return waitingAlerts > 0 ? "QxART_alert_of_alerts" : "QxART_alert";
}

void QxPortfolioToolbar::updateAlertIcon()
{
    m_alertArtId = alertArtId(waitingAlerts());
    SetToolBitmap(30002, wxArtProvider::GetBitmap(m_alertArtId, wxART_OTHER, m_bitmapSize));
    Refresh(true);
}
