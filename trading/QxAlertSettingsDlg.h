#pragma once
// The dialog in which the user defines one new alert setting for one
// security: a price alert or a trading-system alert. After OK the caller
// hands the setting and the security to the alert manager.
#include "core/QxSecurity.h"
#include "trading/FBAlertSettingsDlg.h"
#include "trading/QxAlertSetting.h"

class QxAlertSettingsDlg : public FBAlertSettingsDlg {
public:
    // security may be null: the user then chooses one through the link.
    QxAlertSettingsDlg(wxWindow* parent, QxSecurity* security);
    ~QxAlertSettingsDlg() override;

    // Null until OK succeeded.
    QxAlertSetting* getSetting() const { return m_setting.get(); }
    QxSecurity* getSecurity() const { return m_security.get(); }

    // The checks of OK: true with the new setting made; otherwise the user
    // was told and the focus is on the control to mend.
    bool accept();

    // Makes security the dialog's and shows its ticker in the link.
    void setSecurity(QxSecurity* security);

    // Enables the rows of the chosen option and disables the others.
    void updateControls();

    wxHyperlinkCtrl* securityLink() const { return m_securityLink; }
    wxRadioButton* priceOption() const { return m_priceOption; }
    wxRadioButton* systemOption() const { return m_systemOption; }
    wxChoice* direction() const { return m_direction; }
    wxTextCtrl* priceText() const { return m_price; }
    wxChoice* systemChoice() const { return m_system; }
    wxChoice* signalChoice() const { return m_signal; }

protected:
    void onLinkClick(wxHyperlinkEvent& event) override;
    void onLinkMouse(wxMouseEvent&) override {} // the link only reacts to a click
    void onPriceOption(wxCommandEvent&) override { updateControls(); }
    void onSystemOption(wxCommandEvent&) override { updateControls(); }
    void onOk(wxCommandEvent& event) override;

private:
    // An error message box over the dialog; focus then goes to control.
    void refuse(const wxString& message, wxWindow* control, wxWindow* parent);

    QxObjectSmartPtr<QxAlertSetting> m_setting;
    QxObjectSmartPtr<QxSecurity> m_security;
};
