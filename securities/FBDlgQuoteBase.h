#pragma once
// Layout of the quote dialog: date, prices, volume, open interest and net
// asset value in a grid of labels and fields.
#include <wx/button.h>
#include <wx/datectrl.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class FBDlgQuoteBase : public wxDialog {
public:
    FBDlgQuoteBase(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = _("Quote"),
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(208, 290),
                   long style = wxDEFAULT_DIALOG_STYLE);
    ~FBDlgQuoteBase() override;

protected:
    wxFlexGridSizer* m_grid;
    wxStaticText* m_dateLabel;
    wxDatePickerCtrl* m_date;
    wxStaticText* m_openLabel;
    wxTextCtrl* m_open;
    wxStaticText* m_highLabel;
    wxTextCtrl* m_high;
    wxStaticText* m_lowLabel;
    wxTextCtrl* m_low;
    wxStaticText* m_closeLabel;
    wxTextCtrl* m_close;
    wxStaticText* m_volumeLabel;
    wxTextCtrl* m_volume;
    wxStaticText* m_openInterestLabel;
    wxTextCtrl* m_openInterest;
    wxStaticText* m_navLabel;
    wxTextCtrl* m_nav;
    wxButton* m_ok;
    wxButton* m_cancel;

    // Passes the event on unless overridden.
    virtual void onInitDialog(wxInitDialogEvent& event) { event.Skip(); }

private:
    wxTextCtrl* addField(const wxString& label, wxStaticText*& labelOut);
};
