#pragma once
// One page of the indicator selection dialog: the indicators of one
// registry group (or, for the null group, of every group) as rows of name
// and description in name order. A row maps back to its indicator through
// the name in its first column.
#include "configdlg/FBDlgIndicatorSelector.h"
#include "core/QxAtom.h"
#include "core/QxObject.h"

class QxIndicator;

class QxIndicatorSelectionPanel : public FBIndicatorSelectionPanel {
public:
    QxIndicatorSelectionPanel(const QxAtom& group, wxWindow* parent);

    const QxAtom& group() const { return m_group; }
    wxListCtrl* list() const { return m_list; }
    // The registered indicator of the first selected row; null when no row
    // is selected.
    QxObjectSmartPtr<QxIndicator> getSelectedIndicator() const;
    bool hasSelection() const { return m_list->GetSelectedItemCount() > 0; }
    // Selects the row of an indicator name; false when the page has none.
    bool selectName(const wxString& name);

    // Every second row is tinted, counted from the last, which always is.
    static bool isRowTinted(long row, long rowCount);
    static const wxColour& tint();

protected:
    void onKeyDown(wxListEvent& event) override;

private:
    QxAtom m_group;
};
