#pragma once
// Layout of the split-details window: the list of proposed splits, a column
// of commands and a word of caution.
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

class FBDlgSplitDetailsBase : public wxDialog {
public:
    FBDlgSplitDetailsBase(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = _("Split Details"),
                          const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(396, 401),
                          long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    ~FBDlgSplitDetailsBase() override;

protected:
    wxStaticText* m_listLabel;
    wxListView* m_list;
    wxButton* m_add;
    wxButton* m_modify;
    wxButton* m_delete;
    wxButton* m_apply;
    wxButton* m_applyAll;
    wxButton* m_help;
    wxButton* m_close;
    wxStaticBitmap* m_icon;
    wxStaticText* m_caution;

    // Each passes the event on unless overridden.
    virtual void onInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void onListItemDeselected(wxListEvent& event) { event.Skip(); }
    virtual void onListItemSelected(wxListEvent& event) { event.Skip(); }
    virtual void onAdd(wxCommandEvent& event) { event.Skip(); }
    virtual void onModify(wxCommandEvent& event) { event.Skip(); }
    virtual void onDelete(wxCommandEvent& event) { event.Skip(); }
    virtual void onApply(wxCommandEvent& event) { event.Skip(); }
    virtual void onApplyAll(wxCommandEvent& event) { event.Skip(); }
    virtual void onHelp(wxCommandEvent& event) { event.Skip(); }
    virtual void onClose(wxCommandEvent& event) { event.Skip(); }
};
