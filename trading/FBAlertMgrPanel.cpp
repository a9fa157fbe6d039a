#include "trading/FBAlertMgrPanel.h"

#include <wx/artprov.h>
#include <wx/sizer.h>

namespace {

// A page of the notebook: a toolbar above a report list.
wxPanel* makePage(wxNotebook* notebook, wxToolBar*& tools, wxListCtrl*& list)
{
    auto* page = new wxPanel(notebook, wxID_ANY);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    tools = new wxToolBar(page, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTB_HORIZONTAL | wxTB_TEXT);
    sizer->Add(tools, 0, wxEXPAND, 5);
    // Rows are put in order of their first column by the code that inserts
    // them: the GTK list does not sort itself.
    list = new wxListCtrl(page, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT);
    sizer->Add(list, 1, wxEXPAND, 5);
    page->SetSizer(sizer);
    return page;
}

void addTool(wxToolBar* tools, int id, const wxString& label, const char* art, const wxString& help)
{
    tools->AddTool(id, label, wxArtProvider::GetBitmap(art, "wxART_OTHER_C", wxSize(16, 16)), help);
}

} // namespace

FBAlertMgrPanel::FBAlertMgrPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                 long style)
    : wxPanel(parent, id, pos, size, style)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    m_notebook = new wxNotebook(this, wxID_ANY);
    top->Add(m_notebook, 1, wxEXPAND, 5);

    wxPanel* alerts = makePage(m_notebook, m_alertsTools, m_alertsList);
    addTool(m_alertsTools, ID_MARK_UNREAD, _("Mark Unread"), "QxART_alert_unseen", _("Mark selected alerts as unread"));
    addTool(m_alertsTools, ID_DELETE_ALERTS, _("Delete"), "QxART_alert_unset", _("Delete selected alerts"));
    m_alertsTools->Realize();
    m_notebook->AddPage(alerts, _("Alerts"), true);

    wxPanel* settings = makePage(m_notebook, m_settingsTools, m_settingsList);
    addTool(m_settingsTools, ID_SET_ALERT, _("Set Alert"), "QxART_alert", _("Set a new alert"));
    addTool(m_settingsTools, ID_REMOVE_SETTING, _("Remove Setting"), "QxART_alert_unset",
            _("Delete selected alert settings"));
    m_settingsTools->Realize();
    m_notebook->AddPage(settings, _("Alert Settings"), false);

    SetSizer(top);
    Layout();

    m_alertsTools->Bind(wxEVT_TOOL, &FBAlertMgrPanel::onMarkUnread, this, ID_MARK_UNREAD);
    m_alertsTools->Bind(wxEVT_UPDATE_UI, &FBAlertMgrPanel::onMarkUnreadUpdate, this, ID_MARK_UNREAD);
    m_alertsTools->Bind(wxEVT_TOOL, &FBAlertMgrPanel::onDeleteAlerts, this, ID_DELETE_ALERTS);
    m_alertsTools->Bind(wxEVT_UPDATE_UI, &FBAlertMgrPanel::onDeleteAlertsUpdate, this, ID_DELETE_ALERTS);
    m_alertsList->Bind(wxEVT_LIST_ITEM_ACTIVATED, &FBAlertMgrPanel::onAlertActivated, this);
    m_alertsList->Bind(wxEVT_LIST_ITEM_SELECTED, &FBAlertMgrPanel::onAlertSelected, this);
    m_alertsList->Bind(wxEVT_SIZE, &FBAlertMgrPanel::onAlertsListSize, this);
    m_settingsTools->Bind(wxEVT_TOOL, &FBAlertMgrPanel::onSetAlert, this, ID_SET_ALERT);
    m_settingsTools->Bind(wxEVT_TOOL, &FBAlertMgrPanel::onRemoveSetting, this, ID_REMOVE_SETTING);
    m_settingsTools->Bind(wxEVT_UPDATE_UI, &FBAlertMgrPanel::onRemoveSettingUpdate, this, ID_REMOVE_SETTING);
    m_settingsList->Bind(wxEVT_LIST_ITEM_ACTIVATED, &FBAlertMgrPanel::onSettingActivated, this);
    m_settingsList->Bind(wxEVT_SIZE, &FBAlertMgrPanel::onSettingsListSize, this);
}

FBAlertMgrPanel::~FBAlertMgrPanel()
{
    m_alertsTools->Unbind(wxEVT_TOOL, &FBAlertMgrPanel::onMarkUnread, this, ID_MARK_UNREAD);
    m_alertsTools->Unbind(wxEVT_UPDATE_UI, &FBAlertMgrPanel::onMarkUnreadUpdate, this, ID_MARK_UNREAD);
    m_alertsTools->Unbind(wxEVT_TOOL, &FBAlertMgrPanel::onDeleteAlerts, this, ID_DELETE_ALERTS);
    m_alertsTools->Unbind(wxEVT_UPDATE_UI, &FBAlertMgrPanel::onDeleteAlertsUpdate, this, ID_DELETE_ALERTS);
    m_alertsList->Unbind(wxEVT_LIST_ITEM_ACTIVATED, &FBAlertMgrPanel::onAlertActivated, this);
    m_alertsList->Unbind(wxEVT_LIST_ITEM_SELECTED, &FBAlertMgrPanel::onAlertSelected, this);
    m_alertsList->Unbind(wxEVT_SIZE, &FBAlertMgrPanel::onAlertsListSize, this);
    m_settingsTools->Unbind(wxEVT_TOOL, &FBAlertMgrPanel::onSetAlert, this, ID_SET_ALERT);
    m_settingsTools->Unbind(wxEVT_TOOL, &FBAlertMgrPanel::onRemoveSetting, this, ID_REMOVE_SETTING);
    m_settingsTools->Unbind(wxEVT_UPDATE_UI, &FBAlertMgrPanel::onRemoveSettingUpdate, this, ID_REMOVE_SETTING);
    m_settingsList->Unbind(wxEVT_LIST_ITEM_ACTIVATED, &FBAlertMgrPanel::onSettingActivated, this);
    m_settingsList->Unbind(wxEVT_SIZE, &FBAlertMgrPanel::onSettingsListSize, this);
}
