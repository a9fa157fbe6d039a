#pragma once
// Adds a category to the current database: a country, an exchange, a data
// provider and a type (stock or index) make its name.
#include "securities/FBAddCategoryDlg.h"

class QxAddCategoryDlg : public FBAddCategoryDlg {
public:
    // ShowModal gives this after a category was added, wxID_CANCEL otherwise.
    static constexpr int kAdded = 4;

    explicit QxAddCategoryDlg(wxWindow* parent);

    // Country code, ".", the exchange as typed, then ".STOCK" or ".INDEX".
    static wxString categoryName(const wxString& countryCode, const wxString& exchange, bool stock);
    // Every character a letter (the wide-character test of the C library).
    static bool isAlphabetic(const wxString& text);

    wxChoice* countryCtrl() const { return m_country; }
    wxTextCtrl* exchangeCtrl() const { return m_exchange; }
    wxChoice* providerCtrl() const { return m_provider; }
    wxRadioButton* stockCtrl() const { return m_stock; }
    wxRadioButton* indexCtrl() const { return m_index; }

protected:
    void onHelp(wxCommandEvent& event) override;
    void onOK(wxCommandEvent& event) override;

private:
    void refuse(wxWindow* field, const wxString& text);
};
