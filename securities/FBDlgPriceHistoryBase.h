#pragma once
// Layout of the price-history editor: the list of quotes and a row of
// commands below it.
#include "securities/WndHistListCtrl.h"

#include <wx/button.h>
#include <wx/dialog.h>

class FBDlgPriceHistoryBase : public wxDialog {
public:
    FBDlgPriceHistoryBase(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = _("Price History"),
                          const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(772, 467),
                          long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    ~FBDlgPriceHistoryBase() override;

protected:
    WndHistListCtrl* m_list;
    wxButton* m_add;
    wxButton* m_modify;
    wxButton* m_delete;
    wxButton* m_detectSplits;
    wxButton* m_split;
    wxButton* m_save;
    wxButton* m_cancel;
    wxButton* m_help;

    // Each passes the event on unless overridden.
    virtual void onClose(wxCloseEvent& event) { event.Skip(); }
    virtual void onInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void onListItemDeselected(wxListEvent& event) { event.Skip(); }
    virtual void onListItemSelected(wxListEvent& event) { event.Skip(); }
    virtual void onAdd(wxCommandEvent& event) { event.Skip(); }
    virtual void onModify(wxCommandEvent& event) { event.Skip(); }
    virtual void onDelete(wxCommandEvent& event) { event.Skip(); }
    virtual void onDetectSplits(wxCommandEvent& event) { event.Skip(); }
    virtual void onSplit(wxCommandEvent& event) { event.Skip(); }
    virtual void onCancel(wxCommandEvent& event) { event.Skip(); }
    virtual void onHelp(wxCommandEvent& event) { event.Skip(); }
    virtual void onSave(wxCommandEvent& event) { event.Skip(); }
};
