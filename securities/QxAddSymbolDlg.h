#pragma once
// Adds a security to a category of the current database. Categories added
// meanwhile (through "Add category ...") join the list and are selected.
#include "core/QxDataReactors.h"
#include "core/QxDatabase.h"
#include "securities/FBAddSymbolDlg.h"

class QxCategory;

class QxAddSymbolDlg : public FBAddSymbolDlg, public QxDatabaseChangeReactor {
public:
    // ShowModal gives this after a security was added, wxID_CANCEL otherwise.
    static constexpr int kAdded = 4;

    explicit QxAddSymbolDlg(wxWindow* parent);
    ~QxAddSymbolDlg() override;

    // The item text of a category: its provider, ":" and its name (the name
    // alone without a provider).
    static wxString categoryLabel(const QxCategory* category);

    // The category of the selected item, or null.
    QxCategory* selectedCategory() const;

    wxTextCtrl* nameCtrl() const { return m_name; }
    wxTextCtrl* symbolCtrl() const { return m_symbol; }
    wxComboBox* categoryCtrl() const { return m_category; }
    wxButton* addCategoryButton() const { return m_addCategory; }

    // QxDatabaseChangeReactor
    void categoryAdded(QxCategory* category) override;

protected:
    void onAddCategory(wxCommandEvent& event) override;
    void onHelp(wxCommandEvent& event) override;
    void onOK(wxCommandEvent& event) override;

private:
    int findItem(const QxCategory* category) const;
    int appendCategory(QxCategory* category);
    void refuse(wxWindow* field, const wxString& text);

    QxObjectSmartPtr<QxDatabase> m_database;
    bool m_registered = false;
};
