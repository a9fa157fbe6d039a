#pragma once
// Layout of the security selection dialog: the categories of the current
// database on the left, the securities of the selected category on the right.
#include "securities/QxSecurityListCtrl.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

class FBSymbolSelectionDlg : public wxDialog {
public:
    FBSymbolSelectionDlg(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = _("Select Security"),
                         const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(651, 636),
                         long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    ~FBSymbolSelectionDlg() override;

protected:
    wxStaticBitmap* m_infoBitmap;
    wxStaticText* m_prompt;
    wxStaticText* m_legendStart;
    wxStaticBitmap* m_googleBitmap;
    wxStaticText* m_legendGoogle;
    wxStaticBitmap* m_yahooBitmap;
    wxStaticText* m_legendYahoo;
    wxStaticText* m_categoriesLabel;
    wxListView* m_categoryList;
    wxButton* m_addSecurity;
    wxStaticText* m_securitiesLabel;
    QxSecurityListCtrl* m_securityList;
    wxButton* m_ok;
    wxButton* m_cancel;
    wxButton* m_help;

    // Each passes the event on unless overridden.
    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void OnCategoryKeyDown(wxKeyEvent& event) { event.Skip(); }
    virtual void OnCategoryDeselected(wxListEvent& event) { event.Skip(); }
    virtual void OnCategoryRightClick(wxListEvent& event) { event.Skip(); }
    virtual void OnCategorySelected(wxListEvent& event) { event.Skip(); }
    virtual void OnAddSecurity(wxCommandEvent& event) { event.Skip(); }
    virtual void OnSecurityKeyDown(wxKeyEvent& event) { event.Skip(); }
    virtual void OnSecurityActivated(wxListEvent& event) { event.Skip(); }
    virtual void OnSecurityContextMenu(wxContextMenuEvent& event) { event.Skip(); }
    virtual void OnSecuritySize(wxSizeEvent& event) { event.Skip(); }
    virtual void OnHelp(wxCommandEvent& event) { event.Skip(); }
    virtual void OnOK(wxCommandEvent& event) { event.Skip(); }
};
