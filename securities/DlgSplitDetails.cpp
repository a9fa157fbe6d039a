#include "securities/DlgSplitDetails.h"

#include "core/QxTime.h"
#include "core/QxUtils.h"
#include "core/platform/QxModelessInput.h"
#include "securities/DlgPriceHistory.h"
#include "securities/DlgSplit.h"
#include "securities/QxPriceEditMessages.h"

#include <wx/artprov.h>

#include <algorithm>

DlgSplitDetails::DlgSplitDetails(DlgPriceHistory* editor) : FBDlgSplitDetailsBase(editor), m_editor(editor) {}

bool DlgSplitDetails::Show(bool show)
{
    const bool changed = FBDlgSplitDetailsBase::Show(show);
    // Shown while the editor runs modally, and worked with all the same: in
    // a window group of its own it takes input beside the editor and holds
    // no grab over the editor or any other window, shown or hidden.
    if (show)
        qxAcceptInputBesideModal(this);
    return changed;
}

size_t DlgSplitDetails::detect(QxPriceHistory* h)
{
    records.clear();
    m_list->DeleteAllItems();
    enableRowCommands(false);
    history = h;
    if (h)
        detectSplits(*h, records);
    return records.size();
}

wxColour DlgSplitDetails::rowColour(long row)
{
    return row % 2 == 0 ? wxColour(127, 204, 204) : wxColour(204, 127, 204);
}

void DlgSplitDetails::onInitDialog(wxInitDialogEvent& event)
{
    wxDialog::OnInitDialog(event);
    SetIcon(wxArtProvider::GetIcon("QxArt_bulb", wxART_OTHER));
    if (m_list->GetColumnCount() == 0) {
        const int half = m_list->GetClientSize().x / 2;
        m_list->InsertColumn(0, _("Date"), wxLIST_FORMAT_LEFT, half);
        m_list->InsertColumn(1, _("Split Ratio"), wxLIST_FORMAT_CENTRE, half);
    }
    m_list->DeleteAllItems();
    for (size_t k = 0; k < records.size(); ++k)
        insertRow(static_cast<long>(k), records[k]);
    enableRowCommands(false);
}

void DlgSplitDetails::insertRow(long index, const QxSplitRecord& record)
{
    const long row = m_list->InsertItem(index, formatTimestamp(record.date, "%x"));
    m_list->SetItem(row, 1, splitRatioText(record.ratio));
    colourRows(row);
}

void DlgSplitDetails::colourRows(long first)
{
    for (long row = std::max(0L, first); row < m_list->GetItemCount(); ++row)
        m_list->SetItemBackgroundColour(row, rowColour(row));
}

void DlgSplitDetails::removeRow(long row)
{
    m_list->DeleteItem(row);
    records.erase(records.begin() + row);
    enableRowCommands(false);
}

void DlgSplitDetails::enableRowCommands(bool enable)
{
    m_modify->Enable(enable);
    m_delete->Enable(enable);
    m_apply->Enable(enable);
}

long DlgSplitDetails::selectedRow() const
{
    const long row = m_list->GetFirstSelected();
    return row >= 0 && static_cast<size_t>(row) < records.size() ? row : -1;
}

void DlgSplitDetails::onListItemDeselected(wxListEvent&) { enableRowCommands(false); }

void DlgSplitDetails::onListItemSelected(wxListEvent& event)
{
    enableRowCommands(true);
    const long row = event.GetIndex();
    if (row >= 0 && static_cast<size_t>(row) < records.size())
        m_editor->showQuote(records[static_cast<size_t>(row)].date);
}

void DlgSplitDetails::onAdd(wxCommandEvent&)
{
    DlgSplit dialog(this);
    for (;;) {
        if (dialog.ShowModal() != wxID_OK)
            return;
        const QxSplitRecord record = dialog.split;
        const auto at = std::lower_bound(records.begin(), records.end(), record.date,
                                         [](const QxSplitRecord& r, int64_t date) { return r.date < date; });
        if (at != records.end() && at->date == record.date) {
            qxPriceEditError(this, _("There is already an entry for split on date ") +
                                       formatTimestamp(record.date, "%x"));
            // Offered again with the user's values, the date open to correction.
            dialog.setDateEditable(true);
            continue;
        }
        const long index = static_cast<long>(at - records.begin());
        records.insert(at, record);
        insertRow(index, record);
        return;
    }
}

void DlgSplitDetails::onModify(wxCommandEvent&)
{
    const long row = selectedRow();
    if (row < 0)
        return;
    DlgSplit dialog(this);
    dialog.split = records[static_cast<size_t>(row)];
    if (dialog.ShowModal() != wxID_OK)
        return;
    QxSplitRecord& record = records[static_cast<size_t>(row)];
    record.ratio = dialog.split.ratio;
    m_list->SetItem(row, 1, splitRatioText(record.ratio));
}

void DlgSplitDetails::onDelete(wxCommandEvent&)
{
    const long row = selectedRow();
    if (row < 0)
        return;
    removeRow(row);
    colourRows(row);
}

void DlgSplitDetails::onApply(wxCommandEvent&)
{
    const long row = selectedRow();
    if (row < 0)
        return;
    const QxSplitRecord record = records[static_cast<size_t>(row)];
    m_editor->applySplit(record.date, record.ratio.numerator(), record.ratio.denominator());
    removeRow(row);
}

void DlgSplitDetails::onApplyAll(wxCommandEvent&)
{
    for (const QxSplitRecord& record : records)
        m_editor->applySplit(record.date, record.ratio.numerator(), record.ratio.denominator());
    m_list->DeleteAllItems();
    records.clear();
    enableRowCommands(false);
}

void DlgSplitDetails::onHelp(wxCommandEvent&) { QxUtils::showHelp("topics/price_history.htm#split_details_dlg"); }

void DlgSplitDetails::onClose(wxCommandEvent&)
{
    // Hidden, not destroyed: the proposals stay until the next detection.
    SetReturnCode(wxID_OK);
    if (IsModal())
        EndModal(wxID_OK);
    else
        Hide();
}
