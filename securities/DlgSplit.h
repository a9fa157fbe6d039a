#pragma once
// Asks for a stock split: the first day after it and the old and new number
// of shares. The caller may copy a record in (a modification keeps its
// date), runs ShowModal and, on OK, reads the record back with the ratio in
// lowest terms.
#include "securities/FBDlgSplitBase.h"
#include "securities/QxSplitRecord.h"

struct DlgSplitData {
    QxSplitRecord split; // date 0: not set
};

class DlgSplit : public FBDlgSplitBase, public DlgSplitData {
public:
    explicit DlgSplit(wxWindow* parent);

    bool TransferDataToWindow() override;
    // Reads every field on each attempt; the record changes only when all
    // of them are valid.
    bool TransferDataFromWindow() override;

    // Lets the date of a record that has one be changed too, as when a
    // refused date is offered again for correction.
    void setDateEditable(bool editable) { m_dateEditable = editable; }

    wxDatePickerCtrl* dateCtrl() const { return m_date; }
    wxTextCtrl* oldSharesCtrl() const { return m_oldShares; }
    wxTextCtrl* newSharesCtrl() const { return m_newShares; }

protected:
    void onInitDialog(wxInitDialogEvent& event) override;

private:
    bool m_keepDate = false;
    bool m_dateEditable = false;
};
