#pragma once
// Layout of the licence dialog: an introduction, a list book with one page
// per licence text (list on the left) and an OK button.
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listbook.h>
#include <wx/stattext.h>

class FBDlgThirdPartyLicenseBase : public wxDialog {
public:
    FBDlgThirdPartyLicenseBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                               const wxString& title = _("Third party licences"),
                               const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(650, 563),
                               long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    ~FBDlgThirdPartyLicenseBase() override;

protected:
    wxStaticText* m_intro;
    wxListbook* m_listbook;
    wxButton* m_ok;
};
