#pragma once
// Layout of the preferences dialog: a notebook of pages and the buttons OK,
// Cancel and Help.
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/notebook.h>

class FBPreferencesDlg : public wxDialog {
public:
    FBPreferencesDlg(wxWindow* parent, wxWindowID id = wxID_ANY,
                     const wxString& title = _("Trendoria Preferences"),
                     const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                     long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    ~FBPreferencesDlg() override;

protected:
    wxNotebook* m_notebook;
    wxButton* m_ok;
    wxButton* m_cancel;
    wxButton* m_help;

    virtual void OnHelp(wxCommandEvent& event) { event.Skip(); }
    virtual void OnOK(wxCommandEvent& event) { event.Skip(); }
};
