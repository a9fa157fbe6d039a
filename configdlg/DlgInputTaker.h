#pragma once
// Asks for one line of text, such as a name. The caller may give the field a
// validator before showing the dialog, and reads the text after OK.
#include "configdlg/FBDlgInputTaker.h"

class DlgInputTaker : public FBDlgInputTaker {
public:
    DlgInputTaker(const wxString& title, const wxString& message, const wxString& label,
                  const wxString& initialValue, wxWindow* parent);
    DlgInputTaker(const wxString& title, const wxString& message, const wxString& label, wxWindow* parent);
    ~DlgInputTaker() override;

    wxTextCtrl* field() const { return m_field; }
    // The field's text.
    wxString value() const { return m_field->GetValue(); }

    // What OK accepts: a non-empty field that its validator (if any) takes.
    bool inputAccepted();

protected:
    void onInitDialog(wxInitDialogEvent& event) override;
    void onOK(wxCommandEvent& event) override;
};
