#pragma once
// Layout of the alert-setting dialog: the security link, the price rule and
// the trading-system rule, and the standard buttons.
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/hyperlink.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class FBAlertSettingsDlg : public wxDialog {
public:
    FBAlertSettingsDlg(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = _("Alert Setting"),
                       const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                       long style = wxDEFAULT_DIALOG_STYLE);
    ~FBAlertSettingsDlg() override;

protected:
    wxBoxSizer* m_headerRow;
    wxStaticText* m_header;
    wxHyperlinkCtrl* m_securityLink;
    wxRadioButton* m_priceOption;
    wxStaticText* m_priceLabel;
    wxChoice* m_direction;
    wxTextCtrl* m_price;
    wxRadioButton* m_systemOption;
    wxStaticText* m_systemLabel;
    wxChoice* m_system;
    wxStaticText* m_generatesLabel;
    wxChoice* m_signal;
    wxStaticText* m_signalLabel;
    wxButton* m_ok;
    wxButton* m_cancel;
    wxButton* m_help;

    virtual void onLinkClick(wxHyperlinkEvent& event) { event.Skip(); }
    virtual void onLinkMouse(wxMouseEvent& event) { event.Skip(); }
    virtual void onPriceOption(wxCommandEvent& event) { event.Skip(); }
    virtual void onSystemOption(wxCommandEvent& event) { event.Skip(); }
    virtual void onOk(wxCommandEvent& event) { event.Skip(); }
};
