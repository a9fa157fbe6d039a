#pragma once
// Layout of the alert manager panel: a notebook with the fired alerts and
// the alert settings, each page a toolbar above a report list.
#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/toolbar.h>

class FBAlertMgrPanel : public wxPanel {
public:
    enum { ID_MARK_UNREAD = 1000, ID_DELETE_ALERTS = 1001, ID_SET_ALERT = 1002, ID_REMOVE_SETTING = 1003 };

    FBAlertMgrPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxSize(630, 400), long style = wxTAB_TRAVERSAL);
    ~FBAlertMgrPanel() override;

protected:
    wxNotebook* m_notebook;
    wxToolBar* m_alertsTools;
    wxListCtrl* m_alertsList;
    wxToolBar* m_settingsTools;
    wxListCtrl* m_settingsList;

    virtual void onMarkUnread(wxCommandEvent& event) { event.Skip(); }
    virtual void onMarkUnreadUpdate(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onDeleteAlerts(wxCommandEvent& event) { event.Skip(); }
    virtual void onDeleteAlertsUpdate(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onAlertActivated(wxListEvent& event) { event.Skip(); }
    virtual void onAlertSelected(wxListEvent& event) { event.Skip(); }
    virtual void onAlertsListSize(wxSizeEvent& event) { event.Skip(); }
    virtual void onSetAlert(wxCommandEvent& event) { event.Skip(); }
    virtual void onRemoveSetting(wxCommandEvent& event) { event.Skip(); }
    virtual void onRemoveSettingUpdate(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onSettingActivated(wxListEvent& event) { event.Skip(); }
    virtual void onSettingsListSize(wxSizeEvent& event) { event.Skip(); }
};
