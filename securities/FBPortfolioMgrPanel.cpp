#include "securities/FBPortfolioMgrPanel.h"

#include <wx/artprov.h>
#include <wx/settings.h>

namespace {

wxBitmap toolBitmap(const char* art) { return wxArtProvider::GetBitmap(art, "wxART_TOOLBAR_C", wxSize(16, 16)); }

// The list tools: the label is the long help too, and there is no tooltip.
void addTool(wxToolBar* tools, int id, const wxString& label, const char* art, wxItemKind kind = wxITEM_NORMAL)
{
    tools->AddTool(id, label, toolBitmap(art), wxNullBitmap, kind, wxEmptyString, label);
}

// Toolbars do not decide how wide their column is: tools that do not fit
// go to the toolbar's overflow menu.
void realize(wxToolBar* tools)
{
    tools->Realize();
    tools->SetMinSize(wxSize(40, tools->GetBestSize().y));
}

wxToolBar* makeToolBar(wxWindow* parent)
{
    return new wxToolBar(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                         wxTB_HORIZONTAL | wxTB_FLAT | wxTB_TEXT | wxTB_HORZ_LAYOUT | wxTB_NODIVIDER);
}

} // namespace

FBPortfolioMgrPanel::FBPortfolioMgrPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                         long style)
    : wxPanel(parent, id, pos, size, style)
{
    auto* top = new wxBoxSizer(wxHORIZONTAL);

    m_leftSizer = new wxBoxSizer(wxVERTICAL);
    m_portfolioTools = makeToolBar(this);
    addTool(m_portfolioTools, ID_ADD_PORTFOLIO, _("Add Portfolio"), "QxART_portfolio_add");
    addTool(m_portfolioTools, ID_REMOVE_PORTFOLIO, _("Remove portfolio"), "QxART_portfolio_remove");
    addTool(m_portfolioTools, ID_RENAME_PORTFOLIO, _("Rename Portfolio"), "QxART_portfolio_rename");
    realize(m_portfolioTools);
    m_leftSizer->Add(m_portfolioTools, 0, wxEXPAND | wxLEFT | wxTOP, 5);
    m_portfolioList = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                     wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_EDIT_LABELS);
    m_portfolioList->SetMinSize(wxSize(40, 80)); // the sash, not the columns, sets the width
    m_leftSizer->Add(m_portfolioList, 1, wxEXPAND | wxLEFT, 5);
    m_watchlistTools = makeToolBar(this);
    addTool(m_watchlistTools, ID_ADD_WATCHLIST, _("Add Watchlist"), "QxART_watchlist_add");
    addTool(m_watchlistTools, ID_REMOVE_WATCHLIST, _("Remove watchlist"), "QxART_watchlist_remove");
    addTool(m_watchlistTools, ID_RENAME_WATCHLIST, _("Rename Watchlist"), "QxART_watchlist_rename");
    realize(m_watchlistTools);
    m_leftSizer->Add(m_watchlistTools, 0, wxEXPAND | wxLEFT | wxTOP, 5);
    m_watchlistList = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                     wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_EDIT_LABELS);
    m_watchlistList->SetMinSize(wxSize(40, 80));
    m_leftSizer->Add(m_watchlistList, 1, wxEXPAND | wxLEFT | wxBOTTOM, 5);
    m_leftSizer->SetMinSize(wxSize(300, -1));
    top->Add(m_leftSizer, 0, wxEXPAND | wxRIGHT, 3);

    m_rightSizer = new wxBoxSizer(wxVERTICAL);
    m_detailsTools = makeToolBar(this);
    addTool(m_detailsTools, ID_ADD_TRANSACTION, _("Add Transaction"), "QxART_transaction_add");
    addTool(m_detailsTools, ID_REMOVE_TRANSACTION, _("Remove Transaction"), "QxART_transaction_remove");
    m_detailsTools->AddSeparator();
    addTool(m_detailsTools, ID_SET_NEW_ALERT, _("Set New Alert"), "QxART_alert_set", wxITEM_DROPDOWN);
    addTool(m_detailsTools, ID_MANAGE_ALERTS, _("Manage Alerts"), "QxART_alert");
    realize(m_detailsTools);
    m_rightSizer->Add(m_detailsTools, 0, wxEXPAND | wxTOP | wxRIGHT, 5);
    m_detailsSizer = new wxBoxSizer(wxVERTICAL);
    m_rightSizer->Add(m_detailsSizer, 3, wxEXPAND);

    m_alertsLabel = new wxStaticText(this, wxID_ANY, _("Alerts"));
    wxFont bold = m_alertsLabel->GetFont();
    bold.SetWeight(wxFONTWEIGHT_BOLD);
    m_alertsLabel->SetFont(bold);
    m_alertsLabel->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_CAPTIONTEXT));
    m_alertsLabel->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_ACTIVECAPTION));
    m_rightSizer->Add(m_alertsLabel, 0, wxEXPAND | wxRIGHT | wxTOP, 5);
    m_alertList = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxSize(-1, 110),
                                 wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_SORT_ASCENDING | wxLC_NO_SORT_HEADER);
    m_rightSizer->Add(m_alertList, 1, wxEXPAND | wxRIGHT, 5);
    m_alertTools = makeToolBar(this);
    m_alertTools->AddTool(ID_SET_NEW_ALERT, wxEmptyString, toolBitmap("QxART_alert_set"), wxNullBitmap,
                          wxITEM_DROPDOWN, _("Add a new alert-setting"));
    m_alertTools->AddTool(ID_REMOVE_ALERT_SETTING, _("Remove Setting"), toolBitmap("QxART_alert_unset"), wxNullBitmap,
                          wxITEM_NORMAL, _("Remove the selected alert-setting"));
    realize(m_alertTools);
    m_rightSizer->Add(m_alertTools, 0, wxEXPAND | wxRIGHT | wxBOTTOM, 5);
    top->Add(m_rightSizer, 1, wxEXPAND | wxLEFT, 3);

    SetSizer(top);
    Layout();

    Bind(wxEVT_LEAVE_WINDOW, &FBPortfolioMgrPanel::onMouseLeave, this);
    Bind(wxEVT_LEFT_DOWN, &FBPortfolioMgrPanel::onLeftDown, this);
    Bind(wxEVT_LEFT_UP, &FBPortfolioMgrPanel::onLeftUp, this);
    Bind(wxEVT_MOTION, &FBPortfolioMgrPanel::onMouseMotion, this);

    m_portfolioTools->Bind(wxEVT_TOOL, &FBPortfolioMgrPanel::onAddPortfolio, this, ID_ADD_PORTFOLIO);
    m_portfolioTools->Bind(wxEVT_TOOL, &FBPortfolioMgrPanel::onRemovePortfolio, this, ID_REMOVE_PORTFOLIO);
    m_portfolioTools->Bind(wxEVT_UPDATE_UI, &FBPortfolioMgrPanel::onRemovePortfolioUpdate, this, ID_REMOVE_PORTFOLIO);
    m_portfolioTools->Bind(wxEVT_TOOL, &FBPortfolioMgrPanel::onRenamePortfolio, this, ID_RENAME_PORTFOLIO);
    m_portfolioTools->Bind(wxEVT_UPDATE_UI, &FBPortfolioMgrPanel::onRenamePortfolioUpdate, this, ID_RENAME_PORTFOLIO);
    m_portfolioList->Bind(wxEVT_KILL_FOCUS, &FBPortfolioMgrPanel::onPortfolioKillFocus, this);
    m_portfolioList->Bind(wxEVT_LIST_BEGIN_LABEL_EDIT, &FBPortfolioMgrPanel::onPortfolioBeginLabelEdit, this);
    m_portfolioList->Bind(wxEVT_LIST_COL_CLICK, &FBPortfolioMgrPanel::onPortfolioColClick, this);
    m_portfolioList->Bind(wxEVT_LIST_END_LABEL_EDIT, &FBPortfolioMgrPanel::onPortfolioEndLabelEdit, this);
    m_portfolioList->Bind(wxEVT_LIST_ITEM_DESELECTED, &FBPortfolioMgrPanel::onPortfolioDeselected, this);
    m_portfolioList->Bind(wxEVT_LIST_ITEM_SELECTED, &FBPortfolioMgrPanel::onPortfolioSelected, this);
    m_portfolioList->Bind(wxEVT_SET_FOCUS, &FBPortfolioMgrPanel::onPortfolioSetFocus, this);
    m_portfolioList->Bind(wxEVT_SIZE, &FBPortfolioMgrPanel::onPortfolioListSize, this);

    m_watchlistTools->Bind(wxEVT_TOOL, &FBPortfolioMgrPanel::onAddWatchlist, this, ID_ADD_WATCHLIST);
    m_watchlistTools->Bind(wxEVT_TOOL, &FBPortfolioMgrPanel::onRemoveWatchlist, this, ID_REMOVE_WATCHLIST);
    m_watchlistTools->Bind(wxEVT_UPDATE_UI, &FBPortfolioMgrPanel::onRemoveWatchlistUpdate, this, ID_REMOVE_WATCHLIST);
    m_watchlistTools->Bind(wxEVT_TOOL, &FBPortfolioMgrPanel::onRenameWatchlist, this, ID_RENAME_WATCHLIST);
    m_watchlistTools->Bind(wxEVT_UPDATE_UI, &FBPortfolioMgrPanel::onRenameWatchlistUpdate, this, ID_RENAME_WATCHLIST);
    m_watchlistList->Bind(wxEVT_KILL_FOCUS, &FBPortfolioMgrPanel::onWatchlistKillFocus, this);
    m_watchlistList->Bind(wxEVT_LIST_COL_CLICK, &FBPortfolioMgrPanel::onWatchlistColClick, this);
    m_watchlistList->Bind(wxEVT_LIST_END_LABEL_EDIT, &FBPortfolioMgrPanel::onWatchlistEndLabelEdit, this);
    m_watchlistList->Bind(wxEVT_LIST_ITEM_DESELECTED, &FBPortfolioMgrPanel::onWatchlistDeselected, this);
    m_watchlistList->Bind(wxEVT_LIST_ITEM_SELECTED, &FBPortfolioMgrPanel::onWatchlistSelected, this);
    m_watchlistList->Bind(wxEVT_SET_FOCUS, &FBPortfolioMgrPanel::onWatchlistSetFocus, this);
    m_watchlistList->Bind(wxEVT_SIZE, &FBPortfolioMgrPanel::onWatchlistListSize, this);

    m_detailsTools->Bind(wxEVT_TOOL, &FBPortfolioMgrPanel::onAddTransaction, this, ID_ADD_TRANSACTION);
    m_detailsTools->Bind(wxEVT_UPDATE_UI, &FBPortfolioMgrPanel::onAddTransactionUpdate, this, ID_ADD_TRANSACTION);
    m_detailsTools->Bind(wxEVT_TOOL, &FBPortfolioMgrPanel::onRemoveTransaction, this, ID_REMOVE_TRANSACTION);
    m_detailsTools->Bind(wxEVT_UPDATE_UI, &FBPortfolioMgrPanel::onRemoveTransactionUpdate, this, ID_REMOVE_TRANSACTION);
    m_detailsTools->Bind(wxEVT_TOOL_DROPDOWN, &FBPortfolioMgrPanel::onQuickAlertMenu, this, ID_SET_NEW_ALERT);
    m_detailsTools->Bind(wxEVT_TOOL, &FBPortfolioMgrPanel::onManageAlerts, this, ID_MANAGE_ALERTS);
    m_alertList->Bind(wxEVT_SIZE, &FBPortfolioMgrPanel::onAlertListSize, this);
    m_alertTools->Bind(wxEVT_TOOL_DROPDOWN, &FBPortfolioMgrPanel::onQuickAlertMenu, this, ID_SET_NEW_ALERT);
    m_alertTools->Bind(wxEVT_TOOL, &FBPortfolioMgrPanel::onRemoveAlertSetting, this, ID_REMOVE_ALERT_SETTING);
    m_alertTools->Bind(wxEVT_UPDATE_UI, &FBPortfolioMgrPanel::onRemoveAlertSettingUpdate, this,
                       ID_REMOVE_ALERT_SETTING);
    for (wxToolBar* tools : {m_detailsTools, m_alertTools}) {
        tools->Bind(wxEVT_TOOL, &FBPortfolioMgrPanel::onSetNewAlert, this, ID_SET_NEW_ALERT);
        tools->Bind(wxEVT_UPDATE_UI, &FBPortfolioMgrPanel::onSetNewAlertUpdate, this, ID_SET_NEW_ALERT);
    }
}

FBPortfolioMgrPanel::~FBPortfolioMgrPanel()
{
    // Events the controls send while they go (focus, deselection) must not
    // reach handlers of a panel that is half gone: they go first.
    DestroyChildren();
}
