#pragma once
// Layout of the about box: a borderless dialog with the program's icon,
// title, build date, the maker's logo, the legal notice and the buttons
// "Third party license ..." and "Close".
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

class FBAboutBoxBase : public wxDialog {
public:
    FBAboutBoxBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                   const wxString& title = _("About Corvane Trendoria"),
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(605, 362),
                   long style = 0);
    ~FBAboutBoxBase() override;

protected:
    wxStaticBitmap* m_icon;
    wxStaticText* m_title;
    wxStaticText* m_build;
    wxStaticBitmap* m_logo;
    wxStaticText* m_notice;
    wxButton* m_thirdPartyLicense;
    wxButton* m_close;

    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void OnThirdPartyLicense(wxCommandEvent& event) { event.Skip(); }
};
