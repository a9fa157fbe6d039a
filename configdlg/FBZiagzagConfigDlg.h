#pragma once
// Layout of the zig-zag configuration dialog: the noise filter in percent,
// the line's pen and colour, and OK / Cancel / Help.
#include <wx/button.h>
#include <wx/clrpicker.h>
#include <wx/dialog.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

class wxPenPicker;

class FBZiagzagConfigDlg : public wxDialog {
public:
    FBZiagzagConfigDlg(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = _("Zigzag configuration"),
                       const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(315, 147),
                       long style = wxDEFAULT_DIALOG_STYLE);
    ~FBZiagzagConfigDlg() override;

protected:
    wxStaticText* m_filterLabel;
    wxSpinCtrlDouble* m_filter;
    wxStaticText* m_percent;
    wxStaticText* m_lineLabel;
    wxPenPicker* m_penPicker;
    wxColourPickerCtrl* m_colourPicker;
    wxButton* m_ok;
    wxButton* m_cancel;
    wxButton* m_help;

    virtual void onColourChanged(wxColourPickerEvent& event) { event.Skip(); }
    virtual void onOK(wxCommandEvent& event) { event.Skip(); }
    virtual void onHelp(wxCommandEvent& event) { event.Skip(); }
};
