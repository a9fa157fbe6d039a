#pragma once
// Layout of the chart configuration dialog: the pages' notebook, the
// "save as default" box, Reset All and the standard buttons.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/notebook.h>

class FBDlgChartConfigurationBase : public wxDialog {
public:
    FBDlgChartConfigurationBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                                const wxString& title = _("Chart Configuration"),
                                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(-1, 419),
                                long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    ~FBDlgChartConfigurationBase() override;

    wxNotebook* m_pages;
    wxCheckBox* m_saveAsDefault;
    wxButton* m_resetAll;
    wxButton* m_ok;
    wxButton* m_apply;
    wxButton* m_cancel;
    wxButton* m_help;

protected:
    virtual void onInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void onResetAll(wxCommandEvent& event) { event.Skip(); }
    virtual void onOK(wxCommandEvent& event) { event.Skip(); }
    virtual void onApply(wxCommandEvent& event) { event.Skip(); }
    virtual void onHelp(wxCommandEvent& event) { event.Skip(); }
};
