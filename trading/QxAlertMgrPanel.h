#pragma once
// The alert manager's window content: the fired alerts and the alert
// settings of every security, kept in step with the alert manager as its
// observer. Rows hold counted references to their security and setting, so
// a row outlives the manager emptying itself at exit.
#include "securities/QxProviderImages.h"
#include "trading/FBAlertMgrPanel.h"
#include "trading/QxAlertMgr.h"

#include <wx/imaglist.h>

class QxAlertMgrPanel : public FBAlertMgrPanel, public QxAlertSettingReactor, public QxAlertReactor {
public:
    explicit QxAlertMgrPanel(wxWindow* parent);
    ~QxAlertMgrPanel() override;

    // The widths of the three columns of a list w pixels wide: w / 5 for the
    // outer ones, the rest for the description.
    static void columnWidths(int w, int widths[3]);

    wxListCtrl* alertsList() const { return m_alertsList; }
    wxListCtrl* settingsList() const { return m_settingsList; }
    wxNotebook* notebook() const { return m_notebook; }

    // The commands of the tools, as the tools run them.
    void markSelectedUnread();
    void deleteSelectedAlerts();
    void setAlert();
    void removeSettings();

    // The row at which a row with this first-column text keeps a list
    // sorted ascending (after the rows of equal text).
    static long sortedPosition(wxListCtrl* list, const wxString& text);

    static wxFont normalListFont();
    static wxFont boldListFont();
    static wxFont boldItalicListFont();

    void onAlertSettingAdded(QxSecurity* security, QxAlertSetting* setting) override;
    void onAlertSettingRemoved(QxSecurity* security, QxAlertSetting* setting) override;
    void onAlertAdded(const QxAlert& alert, QxSecurity* security, QxAlertSetting* setting) override;
    void onAlertStatusChanged(const QxAlert&, unsigned, QxSecurity*, QxAlertSetting*) override {}
    void onAlertRemoved(const QxAlert& alert, QxSecurity* security, QxAlertSetting* setting) override;

protected:
    void onMarkUnread(wxCommandEvent&) override { markSelectedUnread(); }
    void onMarkUnreadUpdate(wxUpdateUIEvent& event) override;
    void onDeleteAlerts(wxCommandEvent&) override { deleteSelectedAlerts(); }
    void onDeleteAlertsUpdate(wxUpdateUIEvent& event) override;
    void onAlertActivated(wxListEvent& event) override;
    void onAlertSelected(wxListEvent& event) override;
    void onAlertsListSize(wxSizeEvent& event) override;
    void onSetAlert(wxCommandEvent&) override { setAlert(); }
    void onRemoveSetting(wxCommandEvent&) override { removeSettings(); }
    void onRemoveSettingUpdate(wxUpdateUIEvent& event) override;
    void onSettingActivated(wxListEvent& event) override;
    void onSettingsListSize(wxSizeEvent& event) override;

private:
    struct SettingRow {
        QxSecurityPtr security;
        QxAlertSettingPtr setting;
        unsigned orphan = 0; // the manager's orphan id; then no security or setting
    };
    struct AlertRow {
        QxAlertSettingPtr setting;
        QxSecurityPtr security;
        QxAlert alert;
    };

    void fillLists();
    long addSettingRow(QxSecurity* security, QxAlertSetting* setting);
    long addAlertRow(const QxAlert& alert, QxSecurity* security, QxAlertSetting* setting);
    // A setting of the file not evaluated in this run, greyed, with why.
    long addOrphanRow(const QxOrphanAlertSetting& orphan);
    int rowImage(QxSecurity* security) const;
    long findSettingRow(QxSecurity* security, QxAlertSetting* setting) const;
    long findAlertRow(QxSecurity* security, QxAlertSetting* setting) const;
    void deleteSettingRow(long row);
    void deleteAlertRow(long row);
    // Sets the settings row's "Last occurred on" from the pair's list.
    void updateLastOccurred(QxSecurity* security, QxAlertSetting* setting);
    static void splitColumns(wxListCtrl* list);
    static void openChart(wxListCtrl* list, QxSecurity* security);

    SettingRow* settingRow(long row) const { return reinterpret_cast<SettingRow*>(m_settingsList->GetItemData(row)); }
    AlertRow* alertRow(long row) const { return reinterpret_cast<AlertRow*>(m_alertsList->GetItemData(row)); }

    bool m_removingSettings = false;
    bool m_deletingAlerts = false;
    bool m_filling = true;
    wxImageList m_images{16, 16, true};
    QxProviderImages m_providerImages;
};
