#pragma once
// Layout of the data selector dialog: the data format (one of the
// registered data readers) and the location of the database.
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class FBDataSelectorDlg : public wxDialog {
public:
    FBDataSelectorDlg(wxWindow* parent, wxWindowID id = wxID_ANY,
                      const wxString& title = _("Select Price History Data"),
                      const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(556, 166),
                      long style = wxDEFAULT_DIALOG_STYLE);
    ~FBDataSelectorDlg() override;

protected:
    wxStaticBitmap* m_bitmap;
    wxStaticText* m_headline;
    wxStaticText* m_formatLabel;
    wxChoice* m_format;
    wxButton* m_details;
    wxStaticText* m_locationLabel;
    wxTextCtrl* m_location;
    wxButton* m_browse;
    wxButton* m_ok;
    wxButton* m_cancel;
    wxButton* m_help;

    // Each passes the event on unless overridden.
    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void OnFormatChoice(wxCommandEvent& event) { event.Skip(); }
    virtual void OnDetails(wxCommandEvent& event) { event.Skip(); }
    virtual void OnBrowse(wxCommandEvent& event) { event.Skip(); }
    virtual void OnCancel(wxCommandEvent& event) { event.Skip(); }
    virtual void OnHelp(wxCommandEvent& event) { event.Skip(); }
    virtual void OnOK(wxCommandEvent& event) { event.Skip(); }
};
