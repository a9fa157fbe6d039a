#pragma once
// Layout of the one-line input dialog: a message, a label beside a
// stretching text field, and OK / Cancel.
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class FBDlgInputTaker : public wxDialog {
public:
    FBDlgInputTaker(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = _("Provide Input"),
                    const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(319, 135),
                    long style = wxDEFAULT_DIALOG_STYLE);
    ~FBDlgInputTaker() override;

protected:
    wxStaticText* m_message;
    wxStaticText* m_label;
    wxTextCtrl* m_field;
    wxButton* m_ok;
    wxButton* m_cancel;

    virtual void onInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void onOK(wxCommandEvent& event) { event.Skip(); }
};
