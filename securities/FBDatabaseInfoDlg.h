#pragma once
// Layout of the database information dialog: the data format and the
// location of the database in use.
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class FBDatabaseInfoDlg : public wxDialog {
public:
    FBDatabaseInfoDlg(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = _("Database Info"),
                      const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(579, 154),
                      long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    ~FBDatabaseInfoDlg() override;

protected:
    wxStaticText* m_intro;
    wxStaticText* m_formatLabel;
    wxTextCtrl* m_format;
    wxStaticText* m_locationLabel;
    wxTextCtrl* m_location;
    wxButton* m_ok;
    wxButton* m_help;

    // Each passes the event on unless overridden.
    virtual void OnHelp(wxCommandEvent& event) { event.Skip(); }
};
