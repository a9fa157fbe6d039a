#pragma once
// Layout of the stock-split dialog: a hint, the split date and the old and
// new number of shares.
#include <wx/button.h>
#include <wx/datectrl.h>
#include <wx/dialog.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class FBDlgSplitBase : public wxDialog {
public:
    FBDlgSplitBase(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = _("Stock Split"),
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(276, 205),
                   long style = wxDEFAULT_DIALOG_STYLE);
    ~FBDlgSplitBase() override;

protected:
    wxStaticBitmap* m_icon;
    wxStaticText* m_hint;
    wxStaticText* m_dateLabel;
    wxDatePickerCtrl* m_date;
    wxStaticText* m_oldSharesLabel;
    wxTextCtrl* m_oldShares;
    wxStaticText* m_newSharesLabel;
    wxTextCtrl* m_newShares;
    wxButton* m_ok;
    wxButton* m_cancel;

    // Passes the event on unless overridden.
    virtual void onInitDialog(wxInitDialogEvent& event) { event.Skip(); }
};
