#pragma once
// The one dialog through which commands ask the user for one or several
// securities of the current database. Created once per run (and again after
// the database changes), hidden between uses, it keeps its category
// selection, its security cache and its place, and follows the database's
// category and security events while it exists.
#include "core/QxDataReactors.h"
#include "core/QxDatabase.h"
#include "securities/FBSymbolSelectionDlg.h"

#include <wx/imaglist.h>

#include <memory>
#include <vector>

class wxConfigBase;

// One entry of the stored preferred categories.
struct QxPreferredCategory {
    wxString provider; // empty: the category of that name that has no provider
    wxString name;
    bool operator==(const QxPreferredCategory& o) const { return provider == o.provider && name == o.name; }
};

class QxSymbolSelectionDlg : public FBSymbolSelectionDlg, public QxDatabaseChangeReactor {
public:
    // The process-wide dialog, created on first use over the application's
    // current database, set to single or multiple selection.
    static QxSymbolSelectionDlg* get(bool single);
    // The process-wide dialog when it exists, else null.
    static QxSymbolSelectionDlg* instance();
    // Destroys the process-wide dialog (its preferences are saved); the next
    // get builds a new one, over whatever database is current then.
    static void destroy();

    // A dialog over database (which may be null: no categories).
    QxSymbolSelectionDlg(wxWindow* parent, QxDatabase* database);
    ~QxSymbolSelectionDlg() override;

    void setSingleSelection(bool single);
    // The ids of the securities selected when the user confirmed, in list order.
    const std::vector<unsigned>& getSelectedIds() const { return m_selectedIds; }

    // Collects the selected ids; with at least one, ends the dialog with
    // wxID_OK and returns true, otherwise tells the user and returns false.
    bool confirmSelection();

    // The context-menu commands.
    void removeCategoryAt(long row);
    void deletePriceHistoryOfSelected();
    void removeSelectedSecurities();

    // Selects the category's row (the securities are shown); false when no
    // row holds it.
    bool selectCategory(const QxCategory* category);
    // The row holding the category, or -1.
    long findCategoryRow(const QxCategory* category) const;
    QxCategory* categoryAt(long row) const;

    wxListView* categoryList() const { return m_categoryList; }
    QxSecurityListCtrl* securityList() const { return m_securityList; }
    wxButton* addSecurityButton() const { return m_addSecurity; }
    const wxString& promptText() const { return m_promptText; }

    // QxDatabaseChangeReactor
    void categoryAdded(QxCategory* category) override;
    void categoryWillBeDeleted(QxCategory*) override {}
    void securityAdded(QxSecurity* security) override;
    void securityWillBeDeleted(QxSecurity* security) override;

    // The stored value cut into entries; an empty value gives the default.
    static std::vector<QxPreferredCategory> parsePreferredCategories(const wxString& value);
    // The value stored for a selected category: provider ":" name ";".
    static wxString preferredCategoryEntry(const QxCategory* category);
    // The first column's width when the list's client width becomes width,
    // keeping the proportion of the two current widths.
    static int proportionalFirstWidth(int width, int first, int second);

protected:
    void OnInitDialog(wxInitDialogEvent& event) override;
    void OnCategoryDeselected(wxListEvent& event) override;
    void OnCategoryRightClick(wxListEvent& event) override;
    void OnCategorySelected(wxListEvent& event) override;
    void OnAddSecurity(wxCommandEvent& event) override;
    void OnSecurityKeyDown(wxKeyEvent& event) override;
    void OnSecurityActivated(wxListEvent& event) override;
    void OnSecurityContextMenu(wxContextMenuEvent& event) override;
    void OnSecuritySize(wxSizeEvent& event) override;
    void OnHelp(wxCommandEvent& event) override;
    void OnOK(wxCommandEvent& event) override;

private:
    long insertCategoryRow(QxCategory* category);
    void selectRow(long row);
    void fitCategoryColumn();
    void restorePreferredCategories(wxConfigBase& config);
    // The row of the category of that name that has no data provider, or null.
    QxCategory* ownCategoryRow(const wxString& name) const;
    void restorePlacement(wxConfigBase& config);
    void savePreferences(wxConfigBase& config);
    bool askYesNo(const wxString& text);

    QxObjectSmartPtr<QxDatabase> m_database;
    std::vector<unsigned> m_selectedIds;
    std::unique_ptr<wxImageList> m_imageList;
    wxString m_promptText;
};
