#pragma once
// Layout of the price-pattern detection dialog: a message under an
// information icon, the noise filter in percent, the pens of uptrend and
// down-trend reversal shapes with their colours, and OK / Cancel / Help.
#include <wx/button.h>
#include <wx/clrpicker.h>
#include <wx/dialog.h>
#include <wx/spinctrl.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

class wxPenPicker;

class FBPricePatternDetectionDlg : public wxDialog {
public:
    FBPricePatternDetectionDlg(wxWindow* parent, wxWindowID id = wxID_ANY,
                               const wxString& title = _("Price pattern detection configuration"),
                               const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(415, 203),
                               long style = wxDEFAULT_DIALOG_STYLE);
    ~FBPricePatternDetectionDlg() override;

protected:
    wxStaticBitmap* m_icon;
    wxStaticText* m_message;
    wxSpinCtrlDouble* m_filter;
    wxPenPicker* m_topPenPicker;
    wxColourPickerCtrl* m_topColour;
    wxPenPicker* m_bottomPenPicker;
    wxColourPickerCtrl* m_bottomColour;
    wxButton* m_ok;
    wxButton* m_cancel;
    wxButton* m_help;

    virtual void onTopColourChanged(wxColourPickerEvent& event) { event.Skip(); }
    virtual void onBottomColourChanged(wxColourPickerEvent& event) { event.Skip(); }
    virtual void onOK(wxCommandEvent& event) { event.Skip(); }
    virtual void onHelp(wxCommandEvent& event) { event.Skip(); }
};
