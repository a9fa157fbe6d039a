#pragma once
// Layout of the start-up dialog: the product icon, the title, "Please
// wait ..." and a status line, in one centred column on a light blue
// borderless dialog.
#include <wx/dialog.h>

class wxStaticBitmap;
class wxStaticText;

class FBStartupDlg : public wxDialog {
public:
    FBStartupDlg(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = wxEmptyString,
                 const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                 long style = 0);
    ~FBStartupDlg() override;

protected:
    wxStaticBitmap* m_bitmap;
    wxStaticText* m_title;
    wxStaticText* m_pleaseWait;
    wxStaticText* m_status;
};
