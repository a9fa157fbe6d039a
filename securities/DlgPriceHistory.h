#pragma once
// The modal editor of one security's daily price history. Every edit goes
// to a private copy; Save writes the changes to the database in one
// transaction, and the database's change notice makes charts re-read.
#include "core/QxCalculator.h"
#include "core/QxPriceHistory.h"
#include "securities/FBDlgPriceHistoryBase.h"

#include <cstdint>
#include <vector>

class DlgSplitDetails;
class QxDatabase;
class QxSecurity;

class DlgPriceHistory : public FBDlgPriceHistoryBase {
public:
    // The editor of a security of the current database, run modally over
    // parent. Every command that edits prices starts here: an id the
    // database no longer knows is reported and opens nothing. Returns the
    // result of ShowModal, or wxID_CANCEL when nothing opened.
    static int showFor(unsigned securityId, wxWindow* parent);

    DlgPriceHistory(unsigned securityId, wxWindow* parent);
    ~DlgPriceHistory() override;

    // Adjusts the quotes before date for a split of oldShares to newShares
    // and shows them; ignored unless both are at least 1 and differ.
    void applySplit(int64_t date, int oldShares, int newShares);
    // Scrolls to the first quote at or after date and selects it.
    void showQuote(int64_t date);

    // The private copy, made from the stored history on first need; null
    // while the security has no prices at all.
    QxPriceHistory* editableHistory();
    // What the list shows: the private copy, else the stored history.
    QxPriceHistory* shownHistory() const { return m_list->priceHistory(); }
    const std::vector<int64_t>& deletedDates() const { return m_deletedDates; }
    bool isReadOnly() const { return m_readOnly; }
    bool hasUnsavedChanges() const { return m_save->IsEnabled(); }

    WndHistListCtrl* list() const { return m_list; }
    wxButton* addButton() const { return m_add; }
    wxButton* modifyButton() const { return m_modify; }
    wxButton* deleteButton() const { return m_delete; }
    wxButton* detectSplitsButton() const { return m_detectSplits; }
    wxButton* splitButton() const { return m_split; }
    wxButton* saveButton() const { return m_save; }
    DlgSplitDetails* splitDetails() const { return m_splitDetails; }

protected:
    void onClose(wxCloseEvent& event) override;
    void onInitDialog(wxInitDialogEvent& event) override;
    void onListItemDeselected(wxListEvent& event) override;
    void onListItemSelected(wxListEvent& event) override;
    void onAdd(wxCommandEvent& event) override;
    void onModify(wxCommandEvent& event) override;
    void onDelete(wxCommandEvent& event) override;
    void onDetectSplits(wxCommandEvent& event) override;
    void onSplit(wxCommandEvent& event) override;
    void onCancel(wxCommandEvent& event) override;
    void onHelp(wxCommandEvent& event) override;
    void onSave(wxCommandEvent& event) override;

private:
    QxPriceHistory* storedHistory() const;
    // The type new quotes get: the shown history's, else the security's own.
    Qx::QxSecurityType securityType() const;
    std::vector<long> selectedRows() const;
    void markEdited();
    void refreshFrom(long row);
    bool confirmClose();
    // Deletions and the copy in one transaction; 0 or why it failed (then
    // nothing was changed).
    int writeChanges(QxDatabase* database, QxSecurity* security);

    unsigned m_securityId;
    QxObjectSmartPtr<QxCalculator> m_calc;
    QxObjectSmartPtr<QxPriceHistory> m_edited;
    std::vector<int64_t> m_deletedDates; // ascending
    DlgSplitDetails* m_splitDetails = nullptr;
    bool m_readOnly = false;
};
