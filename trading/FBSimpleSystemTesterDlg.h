#pragma once
// Layout of the simple system tester dialog: the system, the security, the
// two stops, the date range and the bar period, and the standard buttons.
#include <wx/button.h>
#include <wx/datectrl.h>
#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class QxPeriodicityChoice;

class FBSimpleSystemTesterDlg : public wxDialog {
public:
    FBSimpleSystemTesterDlg(wxWindow* parent, wxWindowID id = wxID_ANY,
                            const wxString& title = _("Simple System Tester"), const wxPoint& pos = wxDefaultPosition,
                            const wxSize& size = wxDefaultSize, long style = wxDEFAULT_DIALOG_STYLE);
    ~FBSimpleSystemTesterDlg() override;

protected:
    wxTextCtrl* m_systemName;
    wxButton* m_selectSystem;
    wxTextCtrl* m_securityName;
    wxButton* m_selectSymbol;
    wxTextCtrl* m_stopLoss;
    wxTextCtrl* m_stopErosion;
    wxDatePickerCtrl* m_startDate;
    wxDatePickerCtrl* m_endDate;
    QxPeriodicityChoice* m_period;
    wxButton* m_ok;
    wxButton* m_cancel;
    wxButton* m_help;

    virtual void onSelectSystem(wxCommandEvent& event) { event.Skip(); }
    virtual void onSelectSymbol(wxCommandEvent& event) { event.Skip(); }
    virtual void onHelp(wxCommandEvent& event) { event.Skip(); }
    virtual void onOk(wxCommandEvent& event) { event.Skip(); }
};
