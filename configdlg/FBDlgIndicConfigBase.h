#pragma once
// Layout of the indicator configuration dialog: a notebook of pages above a
// row of Reset, then OK, Cancel and Help.
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/notebook.h>

class FBDlgIndicConfigBase : public wxDialog {
public:
    FBDlgIndicConfigBase(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = _("Indicator Configuration"),
                         const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(465, 359),
                         long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    ~FBDlgIndicConfigBase() override;

protected:
    wxNotebook* m_notebook;
    wxButton* m_reset;
    wxButton* m_ok;
    wxButton* m_cancel;
    wxButton* m_help;

    virtual void onInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void onPageChanged(wxNotebookEvent& event) { event.Skip(); }
    virtual void onPageChanging(wxNotebookEvent& event) { event.Skip(); }
    virtual void onReset(wxCommandEvent& event) { event.Skip(); }
    virtual void onHelp(wxCommandEvent& event) { event.Skip(); }
    virtual void onOK(wxCommandEvent& event) { event.Skip(); }
};
