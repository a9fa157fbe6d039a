#pragma once
// Layout of the trading-system editor: name, description, the positions the
// system trades, a notebook for the signal pages and the standard buttons.
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/notebook.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class FBDlgSystemEditor : public wxDialog {
public:
    FBDlgSystemEditor(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = _("Trading System Editor"),
                      const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(471, 428),
                      long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    ~FBDlgSystemEditor() override;

protected:
    wxTextCtrl* m_name;
    wxTextCtrl* m_description;
    wxRadioButton* m_onlyLong;
    wxRadioButton* m_onlyShort;
    wxRadioButton* m_both;
    wxNotebook* m_pages;
    wxButton* m_ok;
    wxButton* m_cancel;
    wxButton* m_help;

    virtual void onOnlyLong(wxCommandEvent& event) { event.Skip(); }
    virtual void onOnlyShort(wxCommandEvent& event) { event.Skip(); }
    virtual void onBoth(wxCommandEvent& event) { event.Skip(); }
    virtual void onHelp(wxCommandEvent& event) { event.Skip(); }
    virtual void onOk(wxCommandEvent& event) { event.Skip(); }
};
