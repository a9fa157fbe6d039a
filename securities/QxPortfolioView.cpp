#include "securities/QxPortfolioView.h"

#include "app/QxApplication.h"
#include "app/QxGlobalVars.h"
#include "chartview/QxChartView.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxDatabase.h"
#include "core/QxTime.h"
#include "securities/QxTransactionDlg.h"

#include <wx/artprov.h>
#include <wx/dataview.h>
#include <wx/dcclient.h>
#include <wx/settings.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <tuple>

namespace {

const char* const kPortfolioColumns[] = {"Name", "Last", "Change", "%Change", "Buy Price",
                                         "Quantity", "Investment", "Value", "Gain", "%Gain"};
const char* const kWatchlistColumns[] = {"Name", "Last", "Change", "%Change", "Watch Start",
                                         "Start Price", "Gain", "%Gain"};

QxDatabase* currentDatabase()
{
    QxApplication* app = QxApplication::getApp();
    return app ? app->currentDatabase() : nullptr;
}

long selectedRow(const wxListCtrl* list) { return list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); }

// Sorting a list by its rows' item data: the texts of the sort column by id.
struct ListSortData {
    std::map<wxIntPtr, wxString> texts;
    wxIntPtr consolidated = -1;
    int column = 0;
    bool ascending = true;
};

ListSortData sortDataOf(const wxListCtrl* list, int column, bool ascending)
{
    ListSortData data;
    data.column = column;
    data.ascending = ascending;
    for (long row = 0; row < list->GetItemCount(); ++row)
        data.texts[static_cast<wxIntPtr>(list->GetItemData(row))] = list->GetItemText(row, column);
    return data;
}

int wxCALLBACK comparePortfolioRows(wxIntPtr a, wxIntPtr b, wxIntPtr sortData)
{
    const auto& data = *reinterpret_cast<const ListSortData*>(sortData);
    return qxComparePortfolioListRows(data.texts.at(a), a == data.consolidated, data.texts.at(b),
                                      b == data.consolidated, data.column, data.ascending);
}

int wxCALLBACK compareWatchlistRows(wxIntPtr a, wxIntPtr b, wxIntPtr sortData)
{
    const auto& data = *reinterpret_cast<const ListSortData*>(sortData);
    const int order = data.texts.at(a).Cmp(data.texts.at(b));
    return data.ascending ? order : -order;
}

// What each column of a list or tree needs to show its header and every
// text whole: the texts measured in the control's font, with the margins the
// controls draw around them (a tree's header keeps room for its sort arrow;
// its first column for the expander, the indent of lot rows and the icon).
// Security names longer than kNameWidth share the width the values leave.
constexpr int kListMargin = 18;
constexpr int kTreeMargin = 16;
constexpr int kTreeHeaderMargin = 36;
constexpr int kTreeFirstColumn = 44;
constexpr int kTreeIndent = 20;
constexpr int kNameWidth = 220;

std::vector<int> neededWidths(wxListCtrl* list)
{
    const int n = list->GetColumnCount();
    std::vector<int> needed(static_cast<size_t>(std::max(n, 0)), 0);
    for (int c = 0; c < n; ++c) {
        wxListItem column;
        column.SetMask(wxLIST_MASK_TEXT);
        if (list->GetColumn(c, column))
            needed[static_cast<size_t>(c)] = list->GetTextExtent(column.GetText()).x + kListMargin;
    }
    for (long row = 0; row < list->GetItemCount(); ++row)
        for (int c = 0; c < n; ++c) {
            int w = list->GetTextExtent(list->GetItemText(row, c)).x + kListMargin;
            if (c == 0)
                w = std::min(w, kNameWidth);
            needed[static_cast<size_t>(c)] = std::max(needed[static_cast<size_t>(c)], w);
        }
    return needed;
}

std::vector<int> neededWidths(wxTreeListCtrl* tree)
{
    wxDataViewCtrl* view = tree->GetDataView();
    const unsigned n = tree->GetColumnCount();
    std::vector<int> needed(n, 0);
    for (unsigned c = 0; c < n; ++c)
        needed[c] = view->GetTextExtent(view->GetColumn(c)->GetTitle()).x + kTreeHeaderMargin;
    for (wxTreeListItem item = tree->GetFirstItem(); item.IsOk(); item = tree->GetNextItem(item)) {
        const bool child = tree->GetItemParent(item) != tree->GetRootItem();
        for (unsigned c = 0; c < n; ++c) {
            int w = view->GetTextExtent(tree->GetItemText(item, c)).x + kTreeMargin;
            if (c == 0)
                w = std::min(w, kNameWidth) + kTreeFirstColumn + (child ? kTreeIndent : 0);
            needed[c] = std::max(needed[c], w);
        }
    }
    return needed;
}

// Whether every column is at least as wide as it needs.
template <class Control>
bool readable(Control* control, const std::vector<int>& needed)
{
    for (size_t i = 0; i < needed.size(); ++i)
        if (control->GetColumnWidth(static_cast<unsigned>(i)) < needed[i])
            return false;
    return true;
}

void applyColumnWidths(wxListCtrl* list, bool onlyWhenCut = false)
{
    const std::vector<int> needed = neededWidths(list);
    if (onlyWhenCut && readable(list, needed))
        return;
    const std::vector<int> widths = qxFitColumnWidths(list->GetClientSize().x, needed);
    for (size_t i = 0; i < widths.size(); ++i)
        list->SetColumnWidth(static_cast<int>(i), widths[i]);
}

void applyColumnWidths(wxTreeListCtrl* tree, bool onlyWhenCut = false)
{
    const std::vector<int> needed = neededWidths(tree);
    if (onlyWhenCut && readable(tree, needed))
        return;
    const std::vector<int> widths = qxFitColumnWidths(tree->GetDataView()->GetClientSize().x, needed);
    for (size_t i = 0; i < widths.size(); ++i)
        tree->SetColumnWidth(static_cast<unsigned>(i), widths[i]);
}

} // namespace

QxPortfolioView::QxPortfolioView(wxWindow* parent)
    : FBPortfolioMgrPanel(parent), QxCursorMgrMixin<QxPortfolioView>(this),
      m_portfolioComparator(new QxPortfolioDetailsItemComparator),
      m_watchlistComparator(new QxWatchlistDetailsItemComparator)
{
    m_providerImages.addTo(m_images);

    m_portfolioList->AppendColumn(_("Portfolio"));
    m_portfolioList->AppendColumn(_("Investment"), wxLIST_FORMAT_RIGHT);
    m_portfolioList->AppendColumn(_("Value"), wxLIST_FORMAT_RIGHT);
    m_portfolioList->AppendColumn(_("%Gain"), wxLIST_FORMAT_RIGHT);
    m_watchlistList->AppendColumn(_("Watchlists"));
    m_alerts = std::make_unique<QxPortfolioAlerts>(m_alertList, m_alertsLabel, ID_SET_NEW_ALERT);

    m_portfolioList->InsertItem(0, m_book.consolidated().name());
    m_portfolioList->SetItemData(0, kConsolidatedId);
    showPortfolio(kConsolidatedId);

    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
        m_sashDragging = false;
        resetCursor();
    });

    // The sash is drawn, so that the user sees there is one to drag.
    Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxPaintDC dc(this);
        paintSash(dc);
    });

    loadLists();
    fitLeftColumn();
    activateList(false);
}

QxPortfolioView::~QxPortfolioView()
{
    m_alerts.reset();
    if (HasCapture())
        ReleaseMouse();
    withdrawIdleCalls();
    // Every change was written when it was made; a write that failed (and
    // was told) gets a last chance.
    m_book.retryFailedWrites();
    if (QxDataChangeReactorMgr* hub = QxDataChangeReactorMgr::existing())
        for (const auto& entry : m_calculators)
            hub->remPriceHistoryChangeReactor(entry.first->id(), this);

    // The trees call back into this object and use its comparators and
    // images: they go before the rest of it.
    m_detailsSizer->Clear(false);
    for (TreeMap* trees : {&m_portfolioTrees, &m_watchlistTrees}) {
        for (auto& entry : *trees)
            delete entry.second;
        trees->clear();
    }
    m_calculators.clear();
}

void QxPortfolioView::sortTree(wxTreeListCtrl* tree, unsigned column, bool ascending)
{
    if (!tree || column >= tree->GetColumnCount())
        return;
    // GTK counts every column that ever showed a sort arrow as a sort key
    // until it is told otherwise.
    wxDataViewCtrl* view = tree->GetDataView();
    for (unsigned i = 0; i < view->GetColumnCount(); ++i)
        if (i != column && view->GetColumn(i)->IsSortKey())
            view->GetColumn(i)->UnsetAsSortKey();
    tree->SetSortColumn(column, ascending);
    if (wxDataViewModel* model = view->GetModel())
        model->Resort();
}

// ---- the lists

void QxPortfolioView::loadLists()
{
    m_book.load(currentDatabase());
    Freeze();
    for (const auto& [id, p] : m_book.portfolios()) {
        m_portfolioList->InsertItem(0, p->name());
        m_portfolioList->SetItemData(0, id);
        updatePortfolioRow(0);
    }
    if (!m_book.portfolios().empty()) {
        sortPortfolioList();
        const long last = m_portfolioList->GetItemCount() - 1;
        updatePortfolioRow(last);
        fillPortfolioTree(kConsolidatedId);
    }
    for (const auto& [id, w] : m_book.watchlists()) {
        m_watchlistList->InsertItem(0, w->name());
        m_watchlistList->SetItemData(0, id);
    }
    if (!m_book.watchlists().empty()) {
        // The first watchlist is the one the list shows first.
        m_currentWatchlist = static_cast<int>(m_watchlistList->GetItemData(0));
        sortWatchlistList();
        m_currentWatchlist = static_cast<int>(m_watchlistList->GetItemData(0));
    }
    showChosen();
    Thaw();
    sortTree(m_shownPortfolioTree, 0, true);
}

// ---- lookups

wxTreeListCtrl* QxPortfolioView::existingPortfolioTree(int id) const
{
    const auto it = m_portfolioTrees.find(id);
    return it == m_portfolioTrees.end() ? nullptr : it->second;
}

wxTreeListCtrl* QxPortfolioView::existingWatchlistTree(int id) const
{
    const auto it = m_watchlistTrees.find(id);
    return it == m_watchlistTrees.end() ? nullptr : it->second;
}

int QxPortfolioView::portfolioIdOf(const wxTreeListCtrl* tree) const
{
    for (const auto& [id, t] : m_portfolioTrees)
        if (t == tree)
            return id;
    return -1;
}

int QxPortfolioView::watchlistIdOf(const wxTreeListCtrl* tree) const
{
    for (const auto& [id, t] : m_watchlistTrees)
        if (t == tree)
            return id;
    return -1;
}

wxTreeListCtrl* QxPortfolioView::shownTree() const
{
    return m_watchMode ? m_shownWatchlistTree : m_shownPortfolioTree;
}

long QxPortfolioView::portfolioRow(int id) const { return m_portfolioList->FindItem(-1, id); }

long QxPortfolioView::watchlistRow(int id) const { return m_watchlistList->FindItem(-1, id); }

int QxPortfolioView::rowImage(QxSecurity* security) const
{
    const int image = m_providerImages.of(security);
    return image < 0 ? wxTreeListCtrl::NO_IMAGE : image;
}

const QxPosition* QxPortfolioView::positionOf(wxTreeListCtrl* tree, wxTreeListItem row) const
{
    auto* data = row.IsOk() ? dynamic_cast<QxPositionRowData*>(tree->GetItemData(row)) : nullptr;
    const QxPortfolio* p = data ? portfolio(portfolioIdOf(tree)) : nullptr;
    if (!p)
        return nullptr;
    const auto it = p->positions().find(data->key);
    return it == p->positions().end() ? nullptr : &it->second;
}

const QxWatchItem* QxPortfolioView::watchItemOf(wxTreeListCtrl* tree, wxTreeListItem row) const
{
    auto* data = row.IsOk() ? dynamic_cast<QxWatchRowData*>(tree->GetItemData(row)) : nullptr;
    const QxWatchlist* w = data ? watchlist(watchlistIdOf(tree)) : nullptr;
    if (!w)
        return nullptr;
    const auto it = w->items().find(data->key);
    return it == w->items().end() ? nullptr : &it->second;
}

// ---- calculators and values

QxCalculator* QxPortfolioView::calculatorOf(QxSecurity* security)
{
    if (!security)
        return nullptr;
    auto it = m_calculators.find(security);
    if (it == m_calculators.end()) {
        it = m_calculators.emplace(QxObjectSmartPtr<QxSecurity>(security),
                                   QxObjectSmartPtr<QxCalculator>(new QxCalculator(security, Qx::eDaily)))
                 .first;
        // Refused while the hub is notifying; the next refresh asks again.
        QxDataChangeReactorMgr::instance()->addPriceHistoryChangeReactor(security->id(), this);
    }
    return it->second.get();
}

QxCloses QxPortfolioView::closesOf(QxSecurity* security)
{
    QxCalculator* calculator = calculatorOf(security);
    return qxClosesOf(calculator ? calculator->prices(Qx::eDaily, true) : nullptr);
}

void QxPortfolioView::updatePortfolioRow(long row)
{
    QxPortfolio* p = row >= 0 ? portfolio(static_cast<int>(m_portfolioList->GetItemData(row))) : nullptr;
    if (!p)
        return;
    const auto texts = qxPortfolioListTexts(*p, [this](QxSecurity* s) { return closesOf(s); });
    for (int column = 1; column <= 3; ++column)
        m_portfolioList->SetItem(row, column, texts[static_cast<size_t>(column - 1)]);
    keepReadable();
}

void QxPortfolioView::updatePositionValues(wxTreeListCtrl* tree, wxTreeListItem row)
{
    const QxPosition* found = positionOf(tree, row);
    if (!found)
        return;
    const QxPosition& position = *found;
    const QxCloses closes = closesOf(position.security());
    const QxPositionTexts texts = qxPositionRowTexts(position, closes);
    for (unsigned column = 1; column < texts.size(); ++column)
        tree->SetItemText(row, column, texts[column]);
    for (wxTreeListItem child = tree->GetFirstChild(row); child.IsOk(); child = tree->GetNextSibling(child)) {
        auto* lot = dynamic_cast<QxLotRowData*>(tree->GetItemData(child));
        if (!lot || lot->index >= position.transactions().size())
            continue;
        const QxPositionTexts lotTexts =
            qxLotRowTexts(position.transactions()[lot->index], position.openQuantityOf(lot->index), closes);
        for (unsigned column = 1; column < lotTexts.size(); ++column)
            tree->SetItemText(child, column, lotTexts[column]);
    }
    keepReadable();
}

void QxPortfolioView::updateWatchValues(wxTreeListCtrl* tree, wxTreeListItem row)
{
    const QxWatchItem* item = watchItemOf(tree, row);
    if (!item)
        return;
    QxWatchTexts texts;
    if (!qxWatchRowTexts(*item, closesOf(item->security.get()), texts))
        return;
    for (unsigned column = 1; column < texts.size(); ++column)
        tree->SetItemText(row, column, texts[column]);
    keepReadable();
}

// ---- trees

wxTreeListCtrl* QxPortfolioView::makeTree(bool watchTree)
{
    auto* tree = new wxTreeListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTL_SINGLE);
    tree->Hide();
    // A new tree copies the columns of the tree shown now, so widths the
    // user set carry over.
    wxTreeListCtrl* model = watchTree ? m_shownWatchlistTree : m_shownPortfolioTree;
    if (model) {
        for (unsigned i = 0; i < model->GetColumnCount(); ++i) {
            const wxDataViewColumn* column = model->GetDataView()->GetColumn(i);
            tree->AppendColumn(column->GetTitle(), column->GetWidth(), column->GetAlignment(), column->GetFlags());
        }
    } else {
        bool first = true;
        for (const char* title : watchTree ? std::vector<const char*>(std::begin(kWatchlistColumns),
                                                                        std::end(kWatchlistColumns))
                                           : std::vector<const char*>(std::begin(kPortfolioColumns),
                                                                        std::end(kPortfolioColumns))) {
            tree->AppendColumn(wxGetTranslation(title), wxCOL_WIDTH_DEFAULT, first ? wxALIGN_LEFT : wxALIGN_RIGHT,
                               wxCOL_RESIZABLE | wxCOL_SORTABLE);
            first = false;
        }
    }
    if (watchTree)
        tree->SetItemComparator(m_watchlistComparator.get());
    else
        tree->SetItemComparator(m_portfolioComparator.get());
    tree->SetImageList(&m_images);
    tree->Bind(wxEVT_TREELIST_COLUMN_SORTED, &QxPortfolioView::onTreeSorted, this);
    tree->Bind(wxEVT_TREELIST_SELECTION_CHANGED, &QxPortfolioView::onTreeSelectionChanged, this);
    tree->Bind(wxEVT_TREELIST_ITEM_ACTIVATED, &QxPortfolioView::onTreeActivated, this);
    tree->Bind(wxEVT_SIZE, &QxPortfolioView::onTreeSize, this);
    return tree;
}

wxTreeListCtrl* QxPortfolioView::portfolioTree(int id)
{
    if (wxTreeListCtrl* tree = existingPortfolioTree(id))
        return tree;
    if (!portfolio(id))
        return nullptr;
    m_portfolioTrees[id] = makeTree(false);
    fillPortfolioTree(id);
    return m_portfolioTrees[id];
}

wxTreeListCtrl* QxPortfolioView::watchlistTree(int id)
{
    if (wxTreeListCtrl* tree = existingWatchlistTree(id))
        return tree;
    if (!watchlist(id))
        return nullptr;
    m_watchlistTrees[id] = makeTree(true);
    fillWatchlistTree(id);
    return m_watchlistTrees[id];
}

void QxPortfolioView::showDetailsTree(wxTreeListCtrl* tree, bool watchMode)
{
    if (!tree || (m_detailsSizer->GetItemCount() == 1 && m_detailsSizer->GetItem(size_t(0))->GetWindow() == tree))
        return;
    Freeze();
    wxTreeListCtrl* before = watchMode ? m_shownWatchlistTree : m_shownPortfolioTree;
    unsigned column = 0;
    bool ascending = true;
    if (!before || !before->GetSortColumn(&column, &ascending)) {
        column = 0;
        ascending = true;
    }
    while (m_detailsSizer->GetItemCount() > 0) {
        wxWindow* current = m_detailsSizer->GetItem(size_t(0))->GetWindow();
        m_detailsSizer->Detach(0);
        if (current)
            current->Hide();
    }
    m_detailsSizer->Add(tree, 3, wxEXPAND | wxALL, 5);
    tree->Show();
    (watchMode ? m_shownWatchlistTree : m_shownPortfolioTree) = tree;
    Layout();
    Thaw();
    sortTree(tree, column, ascending);
}

wxTreeListItem QxPortfolioView::findTopRow(wxTreeListCtrl* tree, const std::string& key) const
{
    for (wxTreeListItem row = tree->GetFirstChild(tree->GetRootItem()); row.IsOk(); row = tree->GetNextSibling(row)) {
        wxClientData* data = tree->GetItemData(row);
        if (auto* position = dynamic_cast<QxPositionRowData*>(data); position && position->key == key)
            return row;
        if (auto* watch = dynamic_cast<QxWatchRowData*>(data); watch && watch->key == key)
            return row;
    }
    return wxTreeListItem();
}

void QxPortfolioView::refreshPosition(int portfolioId, const std::string& key)
{
    wxTreeListCtrl* tree = existingPortfolioTree(portfolioId);
    const QxPortfolio* p = portfolio(portfolioId);
    if (!tree || !p)
        return;
    const auto it = p->positions().find(key);
    const QxPosition* position = it == p->positions().end() ? nullptr : &it->second;
    // A portfolio shows every position that has transactions, so that any
    // of them, sales too, can be seen and taken back; CONSOLIDATED, never
    // changed directly, shows what is open.
    const bool open = position && (portfolioId == kConsolidatedId ? position->isOpen()
                                                                  : !position->transactions().empty());
    tree->Freeze();
    wxTreeListItem row = findTopRow(tree, key);
    bool expanded = false;
    if (row.IsOk()) {
        expanded = tree->IsExpanded(row);
        while (wxTreeListItem child = tree->GetFirstChild(row))
            tree->DeleteItem(child);
        if (!open) {
            tree->DeleteItem(row);
            row = wxTreeListItem();
        }
    }
    if (open) {
        QxSecurity* security = position->security();
        if (!row.IsOk()) {
            const int image = rowImage(security);
            row = tree->AppendItem(tree->GetRootItem(), wxString::FromUTF8(security ? security->name() : ""), image,
                                   image, new QxPositionRowData(key));
        }
        const auto& transactions = position->transactions();
        for (size_t i = 0; i < transactions.size(); ++i)
            tree->AppendItem(row, "    " + formatTimestamp(transactions[i].time, "%x"), wxTreeListCtrl::NO_IMAGE,
                             wxTreeListCtrl::NO_IMAGE, new QxLotRowData(i, transactions[i].time));
        updatePositionValues(tree, row);
        if (expanded)
            tree->Expand(row);
    }
    tree->Thaw();
}

void QxPortfolioView::fillPortfolioTree(int portfolioId)
{
    wxTreeListCtrl* tree = existingPortfolioTree(portfolioId);
    const QxPortfolio* p = portfolio(portfolioId);
    if (!tree || !p)
        return;
    tree->DeleteAllItems();
    for (const auto& entry : p->positions())
        refreshPosition(portfolioId, entry.first);
}

void QxPortfolioView::fillWatchlistTree(int watchlistId)
{
    wxTreeListCtrl* tree = existingWatchlistTree(watchlistId);
    const QxWatchlist* w = watchlist(watchlistId);
    if (!tree || !w)
        return;
    tree->DeleteAllItems();
    for (const auto& [key, item] : w->items()) {
        QxSecurity* security = item.security.get();
        const int image = rowImage(security);
        const wxTreeListItem row = tree->AppendItem(tree->GetRootItem(), wxString::FromUTF8(security->name()),
                                                    image, image, new QxWatchRowData(key));
        updateWatchValues(tree, row);
    }
}

QxSecurity* QxPortfolioView::selectedSecurity() const
{
    wxTreeListCtrl* tree = shownTree();
    if (!tree)
        return nullptr;
    wxTreeListItem row = tree->GetSelection();
    if (!row.IsOk())
        return nullptr;
    if (dynamic_cast<QxLotRowData*>(tree->GetItemData(row)))
        row = tree->GetItemParent(row);
    if (const QxPosition* position = positionOf(tree, row))
        return position->security();
    if (const QxWatchItem* item = watchItemOf(tree, row))
        return item->security.get();
    return nullptr;
}

void QxPortfolioView::openChartOfSelection()
{
    if (QxSecurity* security = selectedSecurity())
        QxChartView::createChartView(security, Qx::eDaily, Qx::QxPriceObjType(3),
                                     QxGlobalVars::get().defaultTemplate.get());
}

void QxPortfolioView::onTreeActivated(wxTreeListEvent&) { openChartOfSelection(); }

void QxPortfolioView::onTreeSelectionChanged(wxTreeListEvent& event)
{
    if (m_alerts)
        m_alerts->showSettingsOf(selectedSecurity());
    m_rightSizer->Layout();
    event.Skip();
}

void QxPortfolioView::onTreeSorted(wxTreeListEvent& event)
{
    auto* sorted = dynamic_cast<wxTreeListCtrl*>(event.GetEventObject());
    unsigned column = 0;
    bool ascending = true;
    if (m_sortingTrees || !sorted || !sorted->GetSortColumn(&column, &ascending))
        return;
    m_sortingTrees = true;
    const bool watchTree = std::any_of(m_watchlistTrees.begin(), m_watchlistTrees.end(),
                                       [sorted](const auto& entry) { return entry.second == sorted; });
    for (const auto& entry : watchTree ? m_watchlistTrees : m_portfolioTrees)
        if (entry.second != sorted)
            sortTree(entry.second, column, ascending);
    m_sortingTrees = false;
}

void QxPortfolioView::onTreeSize(wxSizeEvent& event)
{
    QxIdleTaskQueue::instance()->post(this, 0, eFitColumns);
    event.Skip();
}

// ---- new prices

void QxPortfolioView::eodPriceHistoryChanged(unsigned securityId)
{
    // The hub names the security by its id alone, and ids belong to one
    // database: the rows of each held security of that id are refreshed
    // from its own calculator. Nothing is looked up in the current database,
    // which may no longer be the one the rows were made from.
    std::vector<std::string> keys;
    for (const auto& entry : m_calculators)
        if (entry.first->id() == securityId)
            keys.push_back(makeSecurityKey(entry.first.get()));
    for (const std::string& key : keys) {
        for (const auto& [id, tree] : m_portfolioTrees) {
            const wxTreeListItem row = findTopRow(tree, key);
            if (row.IsOk())
                updatePositionValues(tree, row);
        }
        for (const auto& [id, tree] : m_watchlistTrees) {
            const wxTreeListItem row = findTopRow(tree, key);
            if (row.IsOk())
                updateWatchValues(tree, row);
        }
        // The totals of every portfolio that holds it follow, so that no
        // holding shows two values.
        for (long row = 0; row < m_portfolioList->GetItemCount(); ++row) {
            const QxPortfolio* p = portfolio(static_cast<int>(m_portfolioList->GetItemData(row)));
            if (p && p->positions().count(key) > 0)
                updatePortfolioRow(row);
        }
    }
}

void QxPortfolioView::sortPortfolioList()
{
    ListSortData data = sortDataOf(m_portfolioList, m_portfolioSort.column, m_portfolioSort.ascending);
    const long last = m_portfolioList->GetItemCount() - 1;
    if (last >= 0)
        data.consolidated = static_cast<wxIntPtr>(m_portfolioList->GetItemData(last));
    m_portfolioList->SortItems(comparePortfolioRows, reinterpret_cast<wxIntPtr>(&data));
    showChosen(m_portfolioList);
}

void QxPortfolioView::sortWatchlistList()
{
    ListSortData data = sortDataOf(m_watchlistList, m_watchlistSort.column, m_watchlistSort.ascending);
    m_watchlistList->SortItems(compareWatchlistRows, reinterpret_cast<wxIntPtr>(&data));
    showChosen(m_watchlistList);
}

void QxPortfolioView::showPortfolio(int id)
{
    if (wxTreeListCtrl* tree = portfolioTree(id)) {
        m_currentPortfolio = id;
        setDetailsMode(false);
        showDetailsTree(tree, false);
    }
}

void QxPortfolioView::showWatchlist(int id)
{
    if (wxTreeListCtrl* tree = watchlistTree(id)) {
        m_currentWatchlist = id;
        setDetailsMode(true);
        showDetailsTree(tree, true);
    }
}

void QxPortfolioView::setDetailsMode(bool watchMode)
{
    if (m_watchMode == watchMode)
        return;
    m_watchMode = watchMode;
    const char* addArt = watchMode ? "QxART_add" : "QxART_transaction_add";
    const char* removeArt = watchMode ? "QxART_delete" : "QxART_transaction_remove";
    const wxString addLabel = watchMode ? _("Add Watch Item") : _("Add Transaction");
    const wxString removeLabel = watchMode ? _("Remove Watch Item") : _("Remove Transaction");
    // The tools are made anew: GTK tools cannot change their label.
    size_t position = 0;
    for (const auto& [id, art, label] : {std::make_tuple(int(ID_ADD_TRANSACTION), addArt, addLabel),
                                          std::make_tuple(int(ID_REMOVE_TRANSACTION), removeArt, removeLabel)}) {
        const wxBitmap bitmap = wxArtProvider::GetBitmap(art, "wxART_TOOLBAR_C", wxSize(16, 16));
        m_detailsTools->DeleteTool(id);
        m_detailsTools->InsertTool(position++, id, label, bitmap,
                                   wxBitmap(bitmap.ConvertToImage().ConvertToDisabled()), wxITEM_NORMAL,
                                   wxEmptyString, label);
    }
    m_detailsTools->Realize();
    m_detailsTools->SetMinSize(wxSize(40, m_detailsTools->GetBestSize().y));
}

void QxPortfolioView::activateList(bool watchMode)
{
    if (watchMode)
        showWatchlist(m_currentWatchlist);
    else
        showPortfolio(m_currentPortfolio);
    (watchMode ? static_cast<wxWindow*>(m_watchlistList) : m_portfolioList)->SetFocus();
}

// Each list shows one row as chosen, the row of its current id, and no
// other: selected while one of the lists has the focus, otherwise painted as
// selected (GTK would show nothing of a selection elsewhere). Commands act
// on the current ids, never on rows, so that a re-sort or the focus moving
// to a label editor cannot make them act on another row than the one seen.
void QxPortfolioView::showChosen(wxListCtrl* list)
{
    const int chosen = list == m_portfolioList ? m_currentPortfolio : m_currentWatchlist;
    const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    const wxColour highlightText = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT);
    m_choosing = true;
    for (long row = 0; row < list->GetItemCount(); ++row) {
        const bool isChosen = static_cast<int>(list->GetItemData(row)) == chosen;
        const bool painted = isChosen && !m_listFocused;
        list->SetItemBackgroundColour(row, painted ? highlight : list->GetBackgroundColour());
        list->SetItemTextColour(row, painted ? highlightText : list->GetForegroundColour());
        const long state = isChosen ? (m_listFocused ? wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED
                                                     : wxLIST_STATE_FOCUSED)
                                    : 0;
        if (list->GetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED) != state)
            list->SetItemState(row, state, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    }
    m_choosing = false;
}

void QxPortfolioView::showChosen()
{
    showChosen(m_portfolioList);
    showChosen(m_watchlistList);
}

void QxPortfolioView::onPortfolioKillFocus(wxFocusEvent& event)
{
    onListFocus(false, false);
    event.Skip();
}

void QxPortfolioView::onWatchlistKillFocus(wxFocusEvent& event)
{
    onListFocus(false, true);
    event.Skip();
}

void QxPortfolioView::onPortfolioSetFocus(wxFocusEvent& event)
{
    onListFocus(true, false);
    event.Skip();
}

void QxPortfolioView::onWatchlistSetFocus(wxFocusEvent& event)
{
    onListFocus(true, true);
    event.Skip();
}

void QxPortfolioView::onListFocus(bool gained, bool watchList)
{
    if (m_choosing)
        return;
    m_listFocused = gained;
    if (gained) {
        // The list taken up switches the details to its current portfolio
        // (watchlist).
        if (watchList)
            showWatchlist(m_currentWatchlist);
        else
            showPortfolio(m_currentPortfolio);
    }
    showChosen();
}

void QxPortfolioView::onPortfolioSelected(wxListEvent& event)
{
    if (!m_choosing) {
        showPortfolio(static_cast<int>(m_portfolioList->GetItemData(event.GetIndex())));
        showChosen(m_portfolioList);
    }
    event.Skip();
}

void QxPortfolioView::onWatchlistSelected(wxListEvent& event)
{
    if (!m_choosing) {
        showWatchlist(static_cast<int>(m_watchlistList->GetItemData(event.GetIndex())));
        showChosen(m_watchlistList);
    }
    event.Skip();
}

void QxPortfolioView::onPortfolioDeselected(wxListEvent& event)
{
    // A click into the empty part of the list: the chosen row stays chosen.
    if (!m_choosing && m_listFocused)
        QxIdleTaskQueue::instance()->post(this, 0, eKeepPortfolioSelection);
    event.Skip();
}

void QxPortfolioView::onWatchlistDeselected(wxListEvent& event)
{
    if (!m_choosing && m_listFocused)
        QxIdleTaskQueue::instance()->post(this, 0, eKeepWatchlistSelection);
    event.Skip();
}

void QxPortfolioView::onPortfolioColClick(wxListEvent& event)
{
    const int column = event.GetColumn();
    if (column < 0)
        return;
    m_portfolioSort.ascending = column == m_portfolioSort.column ? !m_portfolioSort.ascending : true;
    m_portfolioSort.column = column;
    sortPortfolioList();
}

void QxPortfolioView::onWatchlistColClick(wxListEvent& event)
{
    const int column = event.GetColumn();
    if (column < 0)
        return;
    m_watchlistSort.ascending = column == m_watchlistSort.column ? !m_watchlistSort.ascending : true;
    m_watchlistSort.column = column;
    sortWatchlistList();
}

void QxPortfolioView::onPortfolioListSize(wxSizeEvent& event)
{
    QxIdleTaskQueue::instance()->post(this, 0, eFitColumns);
    event.Skip();
}

void QxPortfolioView::onWatchlistListSize(wxSizeEvent& event)
{
    QxIdleTaskQueue::instance()->post(this, 0, eFitColumns);
    event.Skip();
}

void QxPortfolioView::onAlertListSize(wxSizeEvent& event)
{
    if (m_alerts)
        m_alerts->fitColumns(event.GetSize().x);
    event.Skip();
}

void QxPortfolioView::fitColumns(bool onlyWhenCut)
{
    if (m_fitting)
        return;
    m_fitting = true;
    fitLeftColumn();
    applyColumnWidths(m_portfolioList, onlyWhenCut);
    applyColumnWidths(m_watchlistList, onlyWhenCut);
    for (wxTreeListCtrl* tree : {m_shownPortfolioTree, m_shownWatchlistTree})
        if (tree)
            applyColumnWidths(tree, onlyWhenCut);
    m_fitting = false;
}

void QxPortfolioView::keepReadable()
{
    if (m_readablePosted)
        return;
    m_readablePosted = true;
    QxIdleTaskQueue::instance()->post(this, 0, eKeepReadable);
}

int QxPortfolioView::leftColumnWidth() const
{
    int width = 300;
    // The toolbars sit 5 pixels in from the column's left edge.
    for (wxToolBar* tools : {m_portfolioTools, m_watchlistTools})
        width = std::max(width, tools->GetBestSize().x + 5);
    int columns = 0;
    for (int w : neededWidths(m_portfolioList))
        columns += w;
    // The list's border and a vertical scroll bar beside the columns.
    const int scrollBar = wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, m_portfolioList);
    width = std::max(width, columns + std::max(scrollBar, 12) + 4);
    return width;
}

wxSize QxPortfolioView::fittingSize() const
{
    // The shown tree, with room in each value column for one more digit or
    // a sign: the other portfolios' values differ from CONSOLIDATED's.
    int tree = 0;
    if (m_shownPortfolioTree) {
        const std::vector<int> needed = neededWidths(m_shownPortfolioTree);
        const int digit = m_shownPortfolioTree->GetDataView()->GetTextExtent("0").x;
        for (int w : needed)
            tree += w + digit;
    }
    const int scrollBar = std::max(wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, m_portfolioList), 12);
    // The tree's border of 5 on each side and its own frame.
    const int right = std::max(m_detailsTools->GetBestSize().x, tree + scrollBar + 14);
    // Borders of 5 outside the columns, 3 on each side of the sash.
    return wxSize(5 + leftColumnWidth() + 6 + right + 5, 600);
}

void QxPortfolioView::fitLeftColumn()
{
    // Until the user moves the sash, the lists and their tools are as wide
    // as their texts need.
    if (m_sashMoved)
        return;
    const int width = leftColumnWidth();
    if (width == m_leftSizer->GetMinSize().x)
        return;
    m_leftSizer->SetMinSize(wxSize(width, -1));
    Layout();
}

void QxPortfolioView::onIdle(unsigned, long arg)
{
    switch (arg) {
    case eFitColumns:
        fitColumns();
        break;
    case eKeepReadable:
        m_readablePosted = false;
        fitColumns(true);
        break;
    case eKeepPortfolioSelection:
        if (selectedRow(m_portfolioList) < 0)
            showChosen(m_portfolioList);
        break;
    case eKeepWatchlistSelection:
        if (selectedRow(m_watchlistList) < 0)
            showChosen(m_watchlistList);
        break;
    case eEditPortfolioLabel:
        if (m_currentPortfolio != kConsolidatedId && portfolioRow(m_currentPortfolio) >= 0)
            m_portfolioList->EditLabel(portfolioRow(m_currentPortfolio));
        break;
    case eEditWatchlistLabel:
        if (watchlistRow(m_currentWatchlist) >= 0)
            m_watchlistList->EditLabel(watchlistRow(m_currentWatchlist));
        break;
    default:
        break;
    }
}

// ---- the sash

wxRect QxPortfolioView::sashRect() const
{
    const int left = m_leftSizer->GetPosition().x + m_leftSizer->GetSize().x;
    const int right = m_rightSizer->GetPosition().x;
    return wxRect(left, 0, std::max(right - left, 1), GetClientSize().y);
}

void QxPortfolioView::paintSash(wxDC& dc) const
{
    const wxRect gap = sashRect();
    const int x = gap.x + gap.width / 2;
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW)));
    dc.DrawLine(x, gap.y + 5, x, gap.GetBottom() - 5);
    // A grip of dots in the middle.
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT)));
    const int middle = gap.y + gap.height / 2;
    for (int dot = -2; dot <= 2; ++dot)
        dc.DrawRectangle(x - 1, middle + dot * 5 - 1, 3, 3);
}

void QxPortfolioView::moveSash(int x)
{
    const wxRect gap = sashRect();
    const int leftWidth = x - gap.width / 2 - m_leftSizer->GetPosition().x;
    const int rightWidth = m_rightSizer->GetPosition().x + m_rightSizer->GetSize().x - (x + (gap.width + 1) / 2);
    if (leftWidth < 0 || rightWidth < 0)
        return;
    m_leftSizer->SetMinSize(wxSize(leftWidth, -1));
    m_rightSizer->SetMinSize(wxSize(rightWidth, -1));
    m_sashMoved = true;
    Layout();
    Refresh();
}

void QxPortfolioView::onMouseMotion(wxMouseEvent& event)
{
    if (m_sashDragging) {
        moveSash(event.GetX());
    } else if (sashRect().Contains(event.GetPosition())) {
        setCursor(eCursorSizeWE);
    } else if (currentCursor() == eCursorSizeWE) {
        resetCursor();
    }
    event.Skip();
}

void QxPortfolioView::onLeftDown(wxMouseEvent& event)
{
    if (sashRect().Contains(event.GetPosition())) {
        setCursor(eCursorSizeWE);
        m_sashDragging = true;
        if (!HasCapture())
            CaptureMouse();
    }
    event.Skip();
}

void QxPortfolioView::onLeftUp(wxMouseEvent& event)
{
    if (HasCapture())
        ReleaseMouse();
    m_sashDragging = false;
    event.Skip();
}

void QxPortfolioView::onMouseLeave(wxMouseEvent& event)
{
    if (!m_sashDragging && currentCursor() == eCursorSizeWE)
        resetCursor();
    event.Skip();
}

// ---- the commands of the toolbars

bool QxPortfolioView::toolEnabled(int toolId) const
{
    const bool portfolioCurrent = m_currentPortfolio != kConsolidatedId && portfolio(m_currentPortfolio);
    const bool watchlistCurrent = m_currentWatchlist != -1 && watchlist(m_currentWatchlist);
    const bool watchRowSelected = watchlistCurrent && m_shownWatchlistTree && m_shownWatchlistTree->GetSelection().IsOk();
    switch (toolId) {
    case ID_REMOVE_PORTFOLIO:
    case ID_RENAME_PORTFOLIO:
        return portfolioCurrent;
    case ID_REMOVE_WATCHLIST:
    case ID_RENAME_WATCHLIST:
        return watchlistCurrent;
    case ID_ADD_TRANSACTION:
        return m_watchMode ? watchlistCurrent : portfolioCurrent;
    case ID_REMOVE_TRANSACTION:
        return m_watchMode ? watchRowSelected : portfolioCurrent && selectedLot(nullptr, nullptr);
    case ID_SET_NEW_ALERT:
        return m_watchMode ? watchRowSelected
                           : m_shownPortfolioTree && m_shownPortfolioTree->GetSelection().IsOk();
    case ID_REMOVE_ALERT_SETTING:
        return m_alerts && m_alerts->hasSelection();
    default:
        return true;
    }
}

void QxPortfolioView::addPortfolio()
{
    activateList(false);
    const int id = m_book.addPortfolio();
    m_portfolioList->InsertItem(0, portfolio(id)->name());
    m_portfolioList->SetItemData(0, id);
    showPortfolio(id);
    sortPortfolioList();
    updatePortfolioRow(portfolioRow(id));
    // The label can be edited only once the list shows the new row.
    QxIdleTaskQueue::instance()->post(this, 0, eEditPortfolioLabel);
}

void QxPortfolioView::removePortfolio()
{
    const int id = m_currentPortfolio;
    const long row = portfolioRow(id);
    if (id == kConsolidatedId || row < 0 || row + 1 >= m_portfolioList->GetItemCount())
        return;
    Freeze();
    // The next row (CONSOLIDATED at the latest) becomes current.
    showPortfolio(static_cast<int>(m_portfolioList->GetItemData(row + 1)));
    m_choosing = true;
    m_portfolioList->DeleteItem(row);
    m_choosing = false;
    showChosen(m_portfolioList);
    dropTree(m_portfolioTrees, m_shownPortfolioTree, id);
    if (m_book.removePortfolio(id))
        fillPortfolioTree(kConsolidatedId);
    updatePortfolioRow(m_portfolioList->GetItemCount() - 1);
    Thaw();
}

void QxPortfolioView::dropTree(TreeMap& trees, wxTreeListCtrl*& shown, int id)
{
    const auto it = trees.find(id);
    if (it == trees.end())
        return;
    wxTreeListCtrl* tree = it->second;
    trees.erase(it);
    if (m_detailsSizer->GetItem(tree))
        m_detailsSizer->Detach(tree);
    if (shown == tree)
        shown = nullptr;
    tree->Destroy();
}

void QxPortfolioView::renamePortfolio()
{
    if (m_watchMode) {
        activateList(false);
        QxIdleTaskQueue::instance()->post(this, 0, eEditPortfolioLabel);
    } else if (m_currentPortfolio != kConsolidatedId && portfolioRow(m_currentPortfolio) >= 0) {
        m_portfolioList->EditLabel(portfolioRow(m_currentPortfolio));
    }
}

void QxPortfolioView::onPortfolioBeginLabelEdit(wxListEvent& event)
{
    if (m_currentPortfolio == kConsolidatedId ||
        static_cast<int>(m_portfolioList->GetItemData(event.GetIndex())) == kConsolidatedId)
        event.Veto();
}

void QxPortfolioView::onPortfolioEndLabelEdit(wxListEvent& event)
{
    if (event.IsEditCancelled())
        return;
    // The list is sorted by name: the row's text is set here, not by the control.
    event.Veto();
    const long row = event.GetIndex();
    if (row < 0 || !m_book.renamePortfolio(static_cast<int>(m_portfolioList->GetItemData(row)), event.GetLabel()))
        return;
    m_portfolioList->SetItemText(row, event.GetLabel());
    sortPortfolioList();
}

void QxPortfolioView::addWatchlist()
{
    activateList(true);
    const int id = m_book.addWatchlist();
    m_watchlistList->InsertItem(0, watchlist(id)->name());
    m_watchlistList->SetItemData(0, id);
    showWatchlist(id);
    sortWatchlistList();
    QxIdleTaskQueue::instance()->post(this, 0, eEditWatchlistLabel);
}

void QxPortfolioView::removeWatchlist()
{
    const int id = m_currentWatchlist;
    const long row = watchlistRow(id);
    if (row < 0)
        return;
    Freeze();
    if (row + 1 < m_watchlistList->GetItemCount())
        showWatchlist(static_cast<int>(m_watchlistList->GetItemData(row + 1)));
    else
        m_currentWatchlist = QxPortfolioBook::kNoWatchlist;
    m_choosing = true;
    m_watchlistList->DeleteItem(row);
    m_choosing = false;
    showChosen(m_watchlistList);
    dropTree(m_watchlistTrees, m_shownWatchlistTree, id);
    m_book.removeWatchlist(id);
    Layout();
    Thaw();
}

void QxPortfolioView::renameWatchlist()
{
    if (!m_watchMode) {
        activateList(true);
        QxIdleTaskQueue::instance()->post(this, 0, eEditWatchlistLabel);
    } else if (watchlistRow(m_currentWatchlist) >= 0) {
        m_watchlistList->EditLabel(watchlistRow(m_currentWatchlist));
    }
}

void QxPortfolioView::onWatchlistEndLabelEdit(wxListEvent& event)
{
    if (event.IsEditCancelled())
        return;
    const long row = event.GetIndex();
    // The control keeps the new label itself.
    if (row < 0 || !m_book.renameWatchlist(static_cast<int>(m_watchlistList->GetItemData(row)), event.GetLabel()))
        event.Veto();
}

void QxPortfolioView::addTransactionOrItem()
{
    if (!toolEnabled(ID_ADD_TRANSACTION))
        return;
    QxTransactionDlg dialog(this, m_watchMode);
    if (dialog.ShowModal() != wxID_OK || !dialog.getSecurity())
        return;
    const QxTransaction& t = dialog.getTransaction();
    if (m_watchMode)
        setWatchItem(dialog.getSecurity(), t.time, t.price);
    else
        addTransaction(dialog.getSecurity(), t);
}

void QxPortfolioView::addTransaction(QxSecurity* security, const QxTransaction& transaction)
{
    if (!m_book.addTransaction(m_currentPortfolio, security, transaction))
        return;
    const std::string key = makeSecurityKey(security);
    refreshPosition(m_currentPortfolio, key);
    updatePortfolioRow(portfolioRow(m_currentPortfolio));
    refreshPosition(kConsolidatedId, key);
    updatePortfolioRow(m_portfolioList->GetItemCount() - 1);
}

void QxPortfolioView::setWatchItem(QxSecurity* security, int64_t time, double price)
{
    if (m_book.setWatchItem(m_currentWatchlist, QxWatchItem{security, time, price}))
        fillWatchlistTree(m_currentWatchlist);
}

bool QxPortfolioView::selectedLot(std::string* key, size_t* index) const
{
    wxTreeListCtrl* tree = m_shownPortfolioTree;
    const wxTreeListItem row = tree ? tree->GetSelection() : wxTreeListItem();
    auto* lot = row.IsOk() ? dynamic_cast<QxLotRowData*>(tree->GetItemData(row)) : nullptr;
    const QxPosition* position = lot ? positionOf(tree, tree->GetItemParent(row)) : nullptr;
    if (!position || lot->index >= position->transactions().size())
        return false;
    if (key)
        *key = position->key();
    if (index)
        *index = lot->index;
    return true;
}

void QxPortfolioView::removeTransactionOrItem()
{
    if (m_watchMode) {
        const QxWatchItem* item = m_shownWatchlistTree == existingWatchlistTree(m_currentWatchlist)
                                      ? watchItemOf(m_shownWatchlistTree, m_shownWatchlistTree->GetSelection())
                                      : nullptr;
        if (item && m_book.removeWatchItem(m_currentWatchlist, makeSecurityKey(item->security.get())))
            fillWatchlistTree(m_currentWatchlist);
    } else {
        std::string key;
        size_t index = 0;
        if (m_shownPortfolioTree != existingPortfolioTree(m_currentPortfolio) || !selectedLot(&key, &index) ||
            !m_book.removeTransaction(m_currentPortfolio, key, index))
            return;
        refreshPosition(m_currentPortfolio, key);
        updatePortfolioRow(portfolioRow(m_currentPortfolio));
        refreshPosition(kConsolidatedId, key);
        updatePortfolioRow(m_portfolioList->GetItemCount() - 1);
    }
    m_alerts->showSettingsOf(selectedSecurity());
}
