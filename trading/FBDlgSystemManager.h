#pragma once
// Layout of the trading-system manager: the list of systems with their
// commands beside it and the standard buttons below.
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

class FBDlgSystemManager : public wxDialog {
public:
    FBDlgSystemManager(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = _("Manage Trading Systems"),
                       const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(778, 470),
                       long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    ~FBDlgSystemManager() override;

protected:
    wxStaticBitmap* m_bitmap;
    wxStaticText* m_message;
    wxListView* m_list;
    wxButton* m_new;
    wxButton* m_edit;
    wxButton* m_copy;
    wxButton* m_delete;
    wxButton* m_ok;
    wxButton* m_cancel;
    wxButton* m_help;

    virtual void onListKeyDown(wxListEvent& event) { event.Skip(); }
    virtual void onListDoubleClick(wxListEvent& event) { event.Skip(); }
    virtual void onListSelectionChanged(wxListEvent& event) { event.Skip(); }
    virtual void onNew(wxCommandEvent& event) { event.Skip(); }
    virtual void onEdit(wxCommandEvent& event) { event.Skip(); }
    virtual void onCopy(wxCommandEvent& event) { event.Skip(); }
    virtual void onDelete(wxCommandEvent& event) { event.Skip(); }
    virtual void onHelp(wxCommandEvent& event) { event.Skip(); }
    virtual void onOk(wxCommandEvent& event) { event.Skip(); }
};
