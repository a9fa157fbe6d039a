#pragma once
// Layout of the candlestick-pattern selector: a prompt, the alphabetical
// check list of patterns, a hint under a bulb, and OK / Cancel / Help.
#include <wx/button.h>
#include <wx/checklst.h>
#include <wx/dialog.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

class FBCdlPatternSelectorDlg : public wxDialog {
public:
    FBCdlPatternSelectorDlg(wxWindow* parent, wxWindowID id = wxID_ANY,
                            const wxString& title = _("Select Candlestick Pattern"),
                            const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(436, 469),
                            long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    ~FBCdlPatternSelectorDlg() override;

protected:
    wxStaticText* m_prompt;
    wxCheckListBox* m_patterns;
    wxStaticBitmap* m_bulb;
    wxStaticText* m_hint;
    wxButton* m_ok;
    wxButton* m_cancel;
    wxButton* m_help;

    virtual void onInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void onOK(wxCommandEvent& event) { event.Skip(); }
    virtual void onHelp(wxCommandEvent& event) { event.Skip(); }
};
