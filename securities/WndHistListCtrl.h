#pragma once
// The quotes of a price history in a virtual report list, newest first: row
// r shows the quote at index n - 1 - r. A fund's net asset value stands in
// the Close column.
#include "core/QxPriceHistory.h"

#include <wx/listctrl.h>

struct WndHistListCtrlData {
    QxObjectSmartPtr<QxPriceHistory> history;
};

class WndHistListCtrl : public wxListCtrl, public WndHistListCtrlData {
public:
    WndHistListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style);

    // Shows history (null: nothing) and sets the row count to its bars.
    void setPriceHistory(QxPriceHistory* h);
    QxPriceHistory* priceHistory() const { return history.get(); }

    // The history index of a row and back; both are their own inverse.
    long indexOfRow(long row) const;

    wxString OnGetItemText(long row, long column) const override;
    wxListItemAttr* OnGetItemAttr(long row) const override;
};
