#pragma once
// Layout of the add-category dialog: country, exchange, data provider and
// type of the new category.
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class FBAddCategoryDlg : public wxDialog {
public:
    FBAddCategoryDlg(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = _("Add category"),
                     const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(263, 214),
                     long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    ~FBAddCategoryDlg() override;

protected:
    wxStaticText* m_intro;
    wxStaticText* m_countryLabel;
    wxChoice* m_country;
    wxStaticText* m_exchangeLabel;
    wxTextCtrl* m_exchange;
    wxStaticText* m_providerLabel;
    wxChoice* m_provider;
    wxStaticText* m_typeLabel;
    wxRadioButton* m_stock;
    wxRadioButton* m_index;
    wxButton* m_ok;
    wxButton* m_cancel;
    wxButton* m_help;

    // Each passes the event on unless overridden.
    virtual void onHelp(wxCommandEvent& event) { event.Skip(); }
    virtual void onOK(wxCommandEvent& event) { event.Skip(); }

private:
    // Holds the group's selection while neither type is chosen: the
    // toolkit keeps one button of a radio group selected at all times.
    wxRadioButton* m_noType;
};
