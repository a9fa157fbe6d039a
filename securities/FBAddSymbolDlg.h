#pragma once
// Layout of the add-security dialog: name, symbol and category of the new
// security.
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class FBAddSymbolDlg : public wxDialog {
public:
    FBAddSymbolDlg(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = _("Add security"),
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(377, 194),
                   long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    ~FBAddSymbolDlg() override;

protected:
    wxStaticText* m_intro;
    wxStaticText* m_nameLabel;
    wxTextCtrl* m_name;
    wxStaticText* m_symbolLabel;
    wxTextCtrl* m_symbol;
    wxStaticText* m_categoryLabel;
    wxComboBox* m_category;
    wxButton* m_addCategory;
    wxButton* m_ok;
    wxButton* m_cancel;
    wxButton* m_help;

    // Each passes the event on unless overridden.
    virtual void onAddCategory(wxCommandEvent& event) { event.Skip(); }
    virtual void onHelp(wxCommandEvent& event) { event.Skip(); }
    virtual void onOK(wxCommandEvent& event) { event.Skip(); }
};
