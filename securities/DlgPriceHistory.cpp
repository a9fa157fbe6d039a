#include "securities/DlgPriceHistory.h"

#include "app/QxApplication.h"
#include "core/QxAssetClass.h"
#include "core/QxCategory.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxDatabase.h"
#include "core/QxErrorCode.h"
#include "core/QxSecurity.h"
#include "core/QxUtils.h"
#include "securities/DlgQuote.h"
#include "securities/DlgSplit.h"
#include "securities/DlgSplitDetails.h"
#include "securities/QxPriceEditMessages.h"

#include <algorithm>

namespace {

QxDatabase* currentDatabase()
{
    QxApplication* app = QxApplication::getApp();
    return app ? app->currentDatabase() : nullptr;
}

// Index of the first quote at or after date; numBars when every quote is earlier.
unsigned firstIndexAtOrAfter(const QxPriceHistory& h, int64_t date)
{
    const int64_t* ts = h.timestamp();
    return static_cast<unsigned>(std::lower_bound(ts, ts + h.numBars(), date) - ts);
}

} // namespace

int DlgPriceHistory::showFor(unsigned securityId, wxWindow* parent)
{
    QxDatabase* database = currentDatabase();
    QxObjectSmartPtr<QxSecurity> security(database && securityId ? database->getSecurity(securityId) : nullptr);
    if (!security) {
        qxPriceEditError(parent, _("The security could not be found in the current database."));
        return wxID_CANCEL;
    }
    DlgPriceHistory dialog(securityId, parent);
    return dialog.ShowModal();
}

DlgPriceHistory::DlgPriceHistory(unsigned securityId, wxWindow* parent)
    : FBDlgPriceHistoryBase(parent), m_securityId(securityId)
{
    QxDatabase* database = currentDatabase();
    m_readOnly = !database || database->isReadOnly();
    if (m_readOnly) {
        for (wxButton* b : {m_add, m_modify, m_delete, m_detectSplits, m_split})
            b->Disable();
    }
    m_save->Disable();
}

DlgPriceHistory::~DlgPriceHistory()
{
    // It shows and holds the history: it goes first.
    delete m_splitDetails;
    m_splitDetails = nullptr;
}

void DlgPriceHistory::onInitDialog(wxInitDialogEvent& event)
{
    wxDialog::OnInitDialog(event);
    if (m_calc)
        return; // set up on the first showing
    QxDatabase* database = currentDatabase();
    QxObjectSmartPtr<QxSecurity> security(database ? database->getSecurity(m_securityId) : nullptr);
    if (!security) {
        // Gone since the editor was asked for: nothing to edit.
        m_readOnly = true;
        for (wxButton* b : {m_add, m_modify, m_delete, m_detectSplits, m_split, m_save})
            b->Disable();
        return;
    }
    m_calc = new QxCalculator(security.get(), Qx::eDaily);
    SetTitle(wxString::FromUTF8(security->ticker()));

    const int width = m_list->GetClientSize().x / 6;
    m_list->InsertColumn(0, _("Date"), wxLIST_FORMAT_LEFT, width);
    int column = 1;
    for (const wxString& title : {_("Open"), _("High"), _("Low"), _("Close"), _("Volume")})
        m_list->InsertColumn(column++, title, wxLIST_FORMAT_RIGHT, width);
    m_list->setPriceHistory(storedHistory());
}

QxPriceHistory* DlgPriceHistory::storedHistory() const
{
    return m_calc ? m_calc->prices(Qx::eDaily, false) : nullptr;
}

QxPriceHistory* DlgPriceHistory::editableHistory()
{
    if (!m_edited) {
        QxPriceHistory* stored = storedHistory();
        if (!stored)
            return nullptr;
        m_edited = stored->clone();
        m_list->setPriceHistory(m_edited.get());
    }
    return m_edited.get();
}

Qx::QxSecurityType DlgPriceHistory::securityType() const
{
    if (const QxPriceHistory* shown = shownHistory())
        return shown->getSecurityType();
    const QxSecurity* security = m_calc ? m_calc->getSecurity() : nullptr;
    const QxCategory* category = security ? security->category() : nullptr;
    const QxAssetClass* assetClass = category ? category->assetClass() : nullptr;
    return assetClass ? assetClass->securityType() : Qx::eStock;
}

std::vector<long> DlgPriceHistory::selectedRows() const
{
    std::vector<long> rows;
    for (long row = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row != -1;
         row = m_list->GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        rows.push_back(row);
    return rows;
}

void DlgPriceHistory::markEdited()
{
    if (!m_readOnly)
        m_save->Enable();
}

void DlgPriceHistory::refreshFrom(long row)
{
    const long count = m_list->GetItemCount();
    row = std::max(0L, row);
    if (row < count)
        m_list->RefreshItems(row, count - 1);
}

void DlgPriceHistory::onListItemSelected(wxListEvent&)
{
    if (m_readOnly)
        return;
    m_modify->Enable();
    m_delete->Enable();
}

void DlgPriceHistory::onListItemDeselected(wxListEvent&)
{
    if (m_readOnly || m_list->GetSelectedItemCount() > 0)
        return;
    m_modify->Disable();
    m_delete->Disable();
}

void DlgPriceHistory::onAdd(wxCommandEvent&)
{
    DlgQuote dialog(this);
    dialog.quote.securityType = securityType();
    if (dialog.ShowModal() != wxID_OK)
        return;
    QxPriceHistory* h = editableHistory();
    if (!h) {
        // The first prices of the security, in the columns of its own type.
        m_edited = new QxPriceHistory(securityType(), Qx::eDaily);
        m_list->setPriceHistory(m_edited.get());
        h = m_edited.get();
    }
    QxQuote quote = dialog.quote;
    quote.securityType = h->getSecurityType();
    const unsigned index = h->insertOrReplaceQuote(quote);
    const long count = static_cast<long>(h->numBars());
    const long row = count - 1 - static_cast<long>(index);
    m_list->SetItemCount(count);
    refreshFrom(row);
    m_list->EnsureVisible(row);
    markEdited();
    // Stored again: the date is no longer to be deleted.
    const auto deleted = std::find(m_deletedDates.begin(), m_deletedDates.end(), quote.time);
    if (deleted != m_deletedDates.end())
        m_deletedDates.erase(deleted);
}

void DlgPriceHistory::onModify(wxCommandEvent&)
{
    const std::vector<long> rows = selectedRows();
    if (rows.size() > 1) {
        qxPriceEditError(this, _("More than one quote is selected.\nYou can modify only one record at a time."));
        return;
    }
    if (rows.empty()) {
        qxPriceEditError(this, _("No quote is selected.\nPlease select the quote you want to modify."));
        return;
    }
    const QxPriceHistory* shown = shownHistory();
    if (!shown)
        return;
    DlgQuote dialog(this);
    if (shown->getQuote(static_cast<unsigned>(m_list->indexOfRow(rows.front())), dialog.quote) != 0)
        return;
    if (dialog.ShowModal() != wxID_OK)
        return;
    QxPriceHistory* h = editableHistory();
    if (!h)
        return;
    h->insertOrReplaceQuote(dialog.quote); // same date: replaced in place
    m_list->RefreshItem(rows.front());
    markEdited();
}

void DlgPriceHistory::onDelete(wxCommandEvent&)
{
    const std::vector<long> rows = selectedRows();
    if (rows.empty()) {
        qxPriceEditError(this, _("No quote is selected.\nPlease select the quote you want to delete."));
        return;
    }
    if (rows.size() > 1 &&
        !qxPriceEditAsk(this, _("More than one quote is selected.\nAre you sure you want to delete each of them?"),
                        qxProductName()))
        return;
    // The dates the user selected, read from the history the rows show: the
    // first edit may switch the list to a copy of a cache that a download
    // has refreshed since, where the same rows hold other quotes.
    std::vector<int64_t> dates;
    if (const QxPriceHistory* shown = shownHistory()) {
        for (long row : rows) {
            const long index = m_list->indexOfRow(row);
            if (index >= 0 && static_cast<unsigned>(index) < shown->numBars())
                dates.push_back(shown->timestamp()[index]);
        }
    }
    for (long row : rows)
        m_list->SetItemState(row, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    QxPriceHistory* h = editableHistory();
    if (!h)
        return;
    for (int64_t date : dates) {
        const unsigned index = firstIndexAtOrAfter(*h, date);
        if (index >= h->numBars() || h->timestamp()[index] != date)
            continue; // gone from the copy already
        m_deletedDates.insert(std::upper_bound(m_deletedDates.begin(), m_deletedDates.end(), date), date);
        h->deleteQuote(index);
        markEdited();
    }
    m_list->SetItemCount(static_cast<long>(h->numBars()));
    refreshFrom(rows.front());
    if (!m_readOnly) {
        m_modify->Disable();
        m_delete->Disable();
    }
}

void DlgPriceHistory::onSplit(wxCommandEvent&)
{
    if (!m_edited && !storedHistory())
        return; // no prices to adjust
    DlgSplit dialog(this);
    if (dialog.ShowModal() != wxID_OK)
        return;
    applySplit(dialog.split.date, dialog.split.ratio.numerator(), dialog.split.ratio.denominator());
}

void DlgPriceHistory::applySplit(int64_t date, int oldShares, int newShares)
{
    if (oldShares == newShares || oldShares < 1 || newShares < 1)
        return;
    QxPriceHistory* h = editableHistory();
    if (!h)
        return;
    h->updateForSplit(date, oldShares, newShares);
    const long count = static_cast<long>(h->numBars());
    const long row = std::max(0L, count - 1 - static_cast<long>(firstIndexAtOrAfter(*h, date)));
    refreshFrom(row);
    if (row < count)
        m_list->EnsureVisible(row);
    markEdited();
}

void DlgPriceHistory::showQuote(int64_t date)
{
    const QxPriceHistory* h = shownHistory();
    if (!h)
        return;
    const unsigned index = firstIndexAtOrAfter(*h, date);
    if (index >= h->numBars())
        return;
    const long row = static_cast<long>(h->numBars()) - 1 - static_cast<long>(index);
    m_list->EnsureVisible(row);
    m_list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                         wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
}

void DlgPriceHistory::onDetectSplits(wxCommandEvent&)
{
    QxPriceHistory* h = m_edited ? m_edited.get() : storedHistory();
    if (!h)
        return;
    if (!m_splitDetails)
        m_splitDetails = new DlgSplitDetails(this);
    if (m_splitDetails->IsShown()) {
        m_splitDetails->Raise();
        m_splitDetails->SetFocus();
        return;
    }
    if (m_splitDetails->detect(h) > 0)
        m_splitDetails->Show();
    else
        qxPriceEditInfo(this, _("No split detected"));
}

void DlgPriceHistory::onSave(wxCommandEvent&)
{
    if (!m_edited || m_readOnly)
        return;
    QxObjectSmartPtr<QxDatabase> database(currentDatabase());
    QxObjectSmartPtr<QxSecurity> security(database ? database->getSecurity(m_securityId) : nullptr);
    const int code = security ? writeChanges(database.get(), security.get()) : eObjectNotFound;
    if (code != 0) {
        // Save stays enabled: the edits are kept for another attempt.
        qxPriceEditError(this, _("The changes could not be saved to the database.\nThe stored prices are unchanged."));
        return;
    }
    m_deletedDates.clear();
    m_save->Disable();
}

int DlgPriceHistory::writeChanges(QxDatabase* database, QxSecurity* security)
{
    // All or nothing: a refused save must not leave the deletions behind.
    const int token = database->beginTransaction(); // 0: the database has none to give
    int code = 0;
    for (int64_t date : m_deletedDates) {
        int64_t from = date, to = date;
        code = security->deleteHistory(from, to);
        if (code != 0)
            break;
    }
    // A history emptied by deletions is stored by the deletions alone.
    if (code == 0 && m_edited->numBars() > 0)
        code = security->saveHistory(m_edited.get());
    if (token != 0) {
        if (code == 0)
            code = database->commit(token);
        else
            (void)database->rollback(token); // the failure that led here is told
    }
    if (code != 0) {
        // Views re-read what the deletions announced before the rollback.
        QxDataChangeReactorMgr::instance()->notifyEodDataChange(m_securityId);
    }
    return code;
}

bool DlgPriceHistory::confirmClose()
{
    if (!m_save->IsEnabled())
        return true;
    return qxPriceEditAsk(this, _("Changes have not been saved.\nAre you sure to close and loose the changes?"),
                          QxApplication::appTitle());
}

void DlgPriceHistory::onCancel(wxCommandEvent&)
{
    if (!confirmClose())
        return;
    if (IsModal())
        EndModal(wxID_CANCEL);
    else
        Hide();
}

void DlgPriceHistory::onClose(wxCloseEvent& event)
{
    if (!confirmClose() && event.CanVeto()) {
        event.Veto();
        return;
    }
    if (IsModal())
        EndModal(wxID_CANCEL); // asked once: the framework's close would ask again through Cancel
    else
        event.Skip();
}

void DlgPriceHistory::onHelp(wxCommandEvent&) { QxUtils::showHelp("topics/price_history.htm#price_history_dialog"); }
