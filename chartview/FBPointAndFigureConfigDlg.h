#pragma once
// Layout of the point-and-figure configuration dialog: four labelled text
// fields in a two-column grid, a line, the default check box and the
// OK / Cancel / Help row.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/intl.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class FBPointAndFigureConfigDlg : public wxDialog {
public:
    FBPointAndFigureConfigDlg(wxWindow* parent, wxWindowID id = wxID_ANY,
                              const wxString& title = _("Point and Figure Configuration"),
                              const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                              long style = wxDEFAULT_DIALOG_STYLE);
    ~FBPointAndFigureConfigDlg() override;

protected:
    wxStaticText* m_minBoxLabel;
    wxTextCtrl* m_minBox;
    wxStaticText* m_percentLabel;
    wxTextCtrl* m_percent;
    wxStaticText* m_reversalLabel;
    wxTextCtrl* m_reversal;
    wxStaticText* m_factorLabel;
    wxTextCtrl* m_factor;
    wxStaticLine* m_line;
    wxCheckBox* m_setDefault;
    wxButton* m_ok;
    wxButton* m_cancel;
    wxButton* m_help;

    virtual void onOK(wxCommandEvent& event) { event.Skip(); }
    virtual void onHelp(wxCommandEvent& event) { event.Skip(); }
};
