#pragma once
// The alert panel of the portfolio manager: the alert settings of one
// security (the one chosen in the details tree) in a list below the tree,
// kept in step with the alert manager, and the commands that add settings
// for that security (the alert-setting dialog and the quick-alert menu) or
// remove the one selected. The list and its label belong to the manager's
// layout; this object fills them.
#include "core/QxSecurity.h"
#include "trading/QxAlertMgr.h"

#include <map>
#include <memory>

class wxListCtrl;
class wxMenu;
class wxStaticText;
class wxWindow;

class QxPortfolioAlerts : public QxAlertSettingReactor, public QxAlertReactor {
public:
    // The quick-alert menu: the trading-system settings the manager knows
    // and the security lacks (at most 30, ids 6000 + the setting's place in
    // the manager's order), then "New Alert" (the Set New Alert command).
    static constexpr int kQuickAlertBase = 6000;
    static constexpr int kQuickAlertMax = 30;

    // Sets up the list's columns and registers with the alert manager.
    QxPortfolioAlerts(wxListCtrl* list, wxStaticText* label, int newAlertId);
    ~QxPortfolioAlerts();
    QxPortfolioAlerts(const QxPortfolioAlerts&) = delete;
    QxPortfolioAlerts& operator=(const QxPortfolioAlerts&) = delete;

    // Lists the alert settings of security (none: an empty list); nothing
    // changes when it is the security already listed.
    void showSettingsOf(QxSecurity* security);
    QxSecurity* security() const { return m_security.get(); }

    // Asks for a new alert setting of security, in a dialog over parent.
    static void setNewAlert(wxWindow* parent, QxSecurity* security);
    // The quick-alert menu of security; null without one.
    std::unique_ptr<wxMenu> quickMenu(QxSecurity* security) const;
    // What choosing an item of that menu does.
    void chooseQuick(wxWindow* parent, QxSecurity* security, int itemId);
    // Shows the menu at the pointer over parent and does what is chosen.
    void popUpQuickMenu(wxWindow* parent, QxSecurity* security);

    // Removes the selected row's setting from the manager.
    void removeSelected();
    bool hasSelection() const;
    // "Alert Setting" takes 3/5 of width, "Last occurred on" the rest.
    void fitColumns(int width);

    void onAlertSettingAdded(QxSecurity* security, QxAlertSetting* setting) override;
    void onAlertSettingRemoved(QxSecurity* security, QxAlertSetting* setting) override;
    void onAlertAdded(const QxAlert& alert, QxSecurity* security, QxAlertSetting* setting) override;
    void onAlertStatusChanged(const QxAlert&, unsigned, QxSecurity*, QxAlertSetting*) override {}
    void onAlertRemoved(const QxAlert& alert, QxSecurity* security, QxAlertSetting* setting) override;

private:
    bool isListed(const QxSecurity* security) const;
    // The row of a setting, or -1.
    long rowOf(const QxAlertSetting* setting) const;
    void addRow(QxAlertSetting* setting);
    void clearRows();

    wxListCtrl* m_list;
    wxStaticText* m_label;
    int m_newAlertId;
    QxSecurityPtr m_security;
    // The settings the rows stand for, held so that a row never points at a
    // setting the manager let go.
    std::map<const QxAlertSetting*, QxAlertSettingPtr> m_rowSettings;
    // Set while this panel itself removes a setting.
    bool m_removing = false;
};
