#pragma once
// Layout of the portfolio manager's panel: on the left the portfolio and
// watchlist lists under their toolbars, on the right the details area (which
// the panel fills with one tree at a time) under its toolbar, and the alert
// settings of the chosen security below it.
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/toolbar.h>

class FBPortfolioMgrPanel : public wxPanel {
public:
    enum {
        ID_ADD_PORTFOLIO = 1000,
        ID_REMOVE_PORTFOLIO = 1001,
        ID_RENAME_PORTFOLIO = 1002,
        ID_ADD_WATCHLIST = 1003,
        ID_REMOVE_WATCHLIST = 1004,
        ID_RENAME_WATCHLIST = 1005,
        ID_ADD_TRANSACTION = 1006,
        ID_REMOVE_TRANSACTION = 1007,
        ID_SET_NEW_ALERT = 1008,
        ID_MANAGE_ALERTS = 1009,
        ID_REMOVE_ALERT_SETTING = 1010,
    };

    FBPortfolioMgrPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                        const wxSize& size = wxSize(736, 445), long style = wxTAB_TRAVERSAL);
    ~FBPortfolioMgrPanel() override;

protected:
    // The panel itself (the gap between the columns).
    virtual void onMouseLeave(wxMouseEvent& event) { event.Skip(); }
    virtual void onLeftDown(wxMouseEvent& event) { event.Skip(); }
    virtual void onLeftUp(wxMouseEvent& event) { event.Skip(); }
    virtual void onMouseMotion(wxMouseEvent& event) { event.Skip(); }
    // Portfolio toolbar and list.
    virtual void onAddPortfolio(wxCommandEvent& event) { event.Skip(); }
    virtual void onRemovePortfolio(wxCommandEvent& event) { event.Skip(); }
    virtual void onRemovePortfolioUpdate(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onRenamePortfolio(wxCommandEvent& event) { event.Skip(); }
    virtual void onRenamePortfolioUpdate(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onPortfolioKillFocus(wxFocusEvent& event) { event.Skip(); }
    virtual void onPortfolioBeginLabelEdit(wxListEvent& event) { event.Skip(); }
    virtual void onPortfolioColClick(wxListEvent& event) { event.Skip(); }
    virtual void onPortfolioEndLabelEdit(wxListEvent& event) { event.Skip(); }
    virtual void onPortfolioDeselected(wxListEvent& event) { event.Skip(); }
    virtual void onPortfolioSelected(wxListEvent& event) { event.Skip(); }
    virtual void onPortfolioSetFocus(wxFocusEvent& event) { event.Skip(); }
    virtual void onPortfolioListSize(wxSizeEvent& event) { event.Skip(); }
    // Watchlist toolbar and list.
    virtual void onAddWatchlist(wxCommandEvent& event) { event.Skip(); }
    virtual void onRemoveWatchlist(wxCommandEvent& event) { event.Skip(); }
    virtual void onRemoveWatchlistUpdate(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onRenameWatchlist(wxCommandEvent& event) { event.Skip(); }
    virtual void onRenameWatchlistUpdate(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onWatchlistKillFocus(wxFocusEvent& event) { event.Skip(); }
    virtual void onWatchlistColClick(wxListEvent& event) { event.Skip(); }
    virtual void onWatchlistEndLabelEdit(wxListEvent& event) { event.Skip(); }
    virtual void onWatchlistDeselected(wxListEvent& event) { event.Skip(); }
    virtual void onWatchlistSelected(wxListEvent& event) { event.Skip(); }
    virtual void onWatchlistSetFocus(wxFocusEvent& event) { event.Skip(); }
    virtual void onWatchlistListSize(wxSizeEvent& event) { event.Skip(); }
    // Details and alerts toolbars, alert list.
    virtual void onAddTransaction(wxCommandEvent& event) { event.Skip(); }
    virtual void onAddTransactionUpdate(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onRemoveTransaction(wxCommandEvent& event) { event.Skip(); }
    virtual void onRemoveTransactionUpdate(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onSetNewAlert(wxCommandEvent& event) { event.Skip(); }
    virtual void onSetNewAlertUpdate(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onManageAlerts(wxCommandEvent& event) { event.Skip(); }
    virtual void onAlertListSize(wxSizeEvent& event) { event.Skip(); }
    virtual void onQuickAlertMenu(wxCommandEvent& event) { event.Skip(); }
    virtual void onRemoveAlertSetting(wxCommandEvent& event) { event.Skip(); }
    virtual void onRemoveAlertSettingUpdate(wxUpdateUIEvent& event) { event.Skip(); }

    wxBoxSizer* m_leftSizer;
    wxToolBar* m_portfolioTools;
    wxListCtrl* m_portfolioList;
    wxToolBar* m_watchlistTools;
    wxListCtrl* m_watchlistList;
    wxBoxSizer* m_rightSizer;
    wxToolBar* m_detailsTools;
    wxBoxSizer* m_detailsSizer;
    wxStaticText* m_alertsLabel;
    wxListCtrl* m_alertList;
    wxToolBar* m_alertTools;
};
