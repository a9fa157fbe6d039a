#pragma once
// The splits proposed for the history open in the price editor: the user
// looks them over, adds, corrects and deletes proposals and applies them,
// one or all, to the editor's copy of the history. Modeless; the editor
// owns it and keeps it, hidden between uses, for its own life.
#include "core/QxPriceHistory.h"
#include "securities/FBDlgSplitDetailsBase.h"
#include "securities/QxSplitRecord.h"

#include <vector>

class DlgPriceHistory;

struct DlgSplitDetailsData {
    QxObjectSmartPtr<QxPriceHistory> history; // of the last detection
    std::vector<QxSplitRecord> records;       // ascending dates; row k shows record k
};

class DlgSplitDetails : public FBDlgSplitDetailsBase, public DlgSplitDetailsData {
public:
    explicit DlgSplitDetails(DlgPriceHistory* editor);

    // Forgets the previous proposals, detects the splits of h and returns
    // how many there are. The rows are filled when the window is shown.
    size_t detect(QxPriceHistory* h);

    bool Show(bool show = true) override;

    wxListView* list() const { return m_list; }
    wxButton* addButton() const { return m_add; }
    wxButton* modifyButton() const { return m_modify; }
    wxButton* deleteButton() const { return m_delete; }
    wxButton* applyButton() const { return m_apply; }
    wxButton* applyAllButton() const { return m_applyAll; }
    // The row's background: rows alternate by index.
    static wxColour rowColour(long row);

protected:
    void onInitDialog(wxInitDialogEvent& event) override;
    void onListItemDeselected(wxListEvent& event) override;
    void onListItemSelected(wxListEvent& event) override;
    void onAdd(wxCommandEvent& event) override;
    void onModify(wxCommandEvent& event) override;
    void onDelete(wxCommandEvent& event) override;
    void onApply(wxCommandEvent& event) override;
    void onApplyAll(wxCommandEvent& event) override;
    void onHelp(wxCommandEvent& event) override;
    void onClose(wxCommandEvent& event) override;

private:
    void insertRow(long index, const QxSplitRecord& record);
    void colourRows(long first);
    void removeRow(long row);
    void enableRowCommands(bool enable);
    long selectedRow() const;

    DlgPriceHistory* m_editor;
};
