#pragma once
// Layout of the signal-marker configuration dialog: the trading system, the
// sides to mark, the four marker colours and the standard buttons.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/clrpicker.h>
#include <wx/dialog.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class FBSignalMarkerConfigDlg : public wxDialog {
public:
    FBSignalMarkerConfigDlg(wxWindow* parent, wxWindowID id = wxID_ANY,
                            const wxString& title = _("Signal Marker Configuration"),
                            const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(486, 259),
                            long style = wxDEFAULT_DIALOG_STYLE);
    ~FBSignalMarkerConfigDlg() override;

protected:
    wxTextCtrl* m_systemName;
    wxButton* m_selectSystem;
    wxCheckBox* m_longPositions;
    wxCheckBox* m_shortPositions;
    wxColourPickerCtrl* m_longEntryColour;
    wxColourPickerCtrl* m_longExitColour;
    wxColourPickerCtrl* m_shortEntryColour;
    wxColourPickerCtrl* m_shortExitColour;
    wxButton* m_ok;
    wxButton* m_cancel;
    wxButton* m_help;

    virtual void onSelectSystem(wxCommandEvent& event) { event.Skip(); }
    virtual void onLongPositions(wxCommandEvent& event) { event.Skip(); }
    virtual void onShortPositions(wxCommandEvent& event) { event.Skip(); }
    virtual void onHelp(wxCommandEvent& event) { event.Skip(); }
    virtual void onOk(wxCommandEvent& event) { event.Skip(); }
};
