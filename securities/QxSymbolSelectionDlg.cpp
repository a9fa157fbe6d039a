#include "securities/QxSymbolSelectionDlg.h"

#include "app/QxApplication.h"
#include "core/QxCalculator.h"
#include "core/QxCategory.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxSecurity.h"
#include "core/QxUtils.h"
#include "core/platform/wxConfigEx.h"
#include "securities/QxAddSymbolDlg.h"
#include "ui/QxMessages.h"

#include <wx/artprov.h>
#include <wx/menu.h>
#include <wx/tokenzr.h>
#include <wx/utils.h>

#include <cstring>

namespace {

const char* const kConfigPath = "/dlg/symbol_selection/";
const char* const kDefaultPreferred = "Yahoo!:US.NASDAQ.INDEX;Yahoo!:US.NASDAQ.STOCK";

QxSymbolSelectionDlg* g_instance = nullptr;

wxString utf8(const char* s) { return s ? wxString::FromUTF8(s) : wxString(); }

// Category rows: no provider, no icon; Yahoo! image 1; any other image 0.
int categoryImage(const char* provider)
{
    if (!provider || !*provider)
        return -1;
    return std::strcmp(provider, "Yahoo!") == 0 ? 1 : 0;
}

wxBitmap providerBitmap(const char* artId)
{
    wxBitmap bitmap = wxArtProvider::GetBitmap(artId, wxART_OTHER, wxSize(16, 16));
    if (bitmap.IsOk() && (bitmap.GetWidth() != 16 || bitmap.GetHeight() != 16))
        bitmap = wxBitmap(bitmap.ConvertToImage().Rescale(16, 16, wxIMAGE_QUALITY_HIGH));
    if (!bitmap.IsOk()) {
        // An empty image keeps the indexes of the list in place.
        wxImage blank(16, 16);
        blank.InitAlpha();
        std::memset(blank.GetAlpha(), 0, 16 * 16);
        bitmap = wxBitmap(blank);
    }
    return bitmap;
}

} // namespace

QxSymbolSelectionDlg* QxSymbolSelectionDlg::get(bool single)
{
    if (!g_instance) {
        QxApplication* app = QxApplication::getApp();
        wxWindow* parent = app ? app->appModalParent() : nullptr;
        QxDatabase* database = app ? app->currentDatabase() : nullptr;
        const bool hideParent = parent && !parent->IsShown();
        if (hideParent)
            parent->Show();
        g_instance = new QxSymbolSelectionDlg(parent, database);
        if (hideParent)
            parent->Hide();
    }
    g_instance->setSingleSelection(single);
    return g_instance;
}

QxSymbolSelectionDlg* QxSymbolSelectionDlg::instance() { return g_instance; }

void QxSymbolSelectionDlg::destroy()
{
    // At once, not at idle time: the next get must not find the old one
    // still registered with the hub or holding the old database.
    delete g_instance; // clears g_instance
}

QxSymbolSelectionDlg::QxSymbolSelectionDlg(wxWindow* parent, QxDatabase* database)
    : FBSymbolSelectionDlg(parent), m_database(database), m_promptText(m_prompt->GetLabel())
{
    m_imageList = std::make_unique<wxImageList>(16, 16, true, 2);
    m_imageList->Add(providerBitmap("QxART_google"));
    m_imageList->Add(providerBitmap("QxART_yahoo"));
    m_categoryList->SetImageList(m_imageList.get(), wxIMAGE_LIST_SMALL);
    m_securityList->SetImageList(m_imageList.get(), wxIMAGE_LIST_SMALL);
    m_googleBitmap->SetBitmap(m_imageList->GetBitmap(0));
    m_yahooBitmap->SetBitmap(m_imageList->GetBitmap(1));

    const int width = m_securityList->GetClientSize().x;
    m_securityList->InsertColumn(0, _("Symbol"), wxLIST_FORMAT_LEFT, width / 3);
    m_securityList->InsertColumn(1, _("Name"), wxLIST_FORMAT_LEFT, width - width / 3);
    m_categoryList->InsertColumn(0, _("Category"));

    if (m_database) {
        std::vector<QxObjectSmartPtr<QxCategory>> categories;
        // A database that cannot list its categories shows none.
        (void)m_database->getCategories(categories, nullptr);
        for (const auto& category : categories)
            insertCategoryRow(category.get());
    }
    fitCategoryColumn();

    wxConfigBase& config = wxConfigEx::get();
    restorePreferredCategories(config);
    if (!m_database || m_database->isReadOnly())
        m_addSecurity->Disable();
    restorePlacement(config);

    QxDataChangeReactorMgr::instance()->addDatabaseChangeReactor(this);
}

QxSymbolSelectionDlg::~QxSymbolSelectionDlg()
{
    QxDataChangeReactorMgr::instance()->remDatabaseChangeReactor(this);
    savePreferences(wxConfigEx::get());
    for (long row = 0; row < m_categoryList->GetItemCount(); ++row)
        if (QxCategory* category = categoryAt(row))
            category->release();
    m_categoryList->DeleteAllItems();
    m_securityList->clear();
    m_categoryList->SetImageList(nullptr, wxIMAGE_LIST_SMALL);
    m_securityList->SetImageList(nullptr, wxIMAGE_LIST_SMALL);
    if (g_instance == this)
        g_instance = nullptr;
}

// ---------------------------------------------------------------------------
// Preferences

std::vector<QxPreferredCategory> QxSymbolSelectionDlg::parsePreferredCategories(const wxString& stored)
{
    const wxString value = stored.empty() ? wxString(kDefaultPreferred) : stored;
    std::vector<QxPreferredCategory> entries;
    wxStringTokenizer tokens(value, ";", wxTOKEN_STRTOK);
    while (tokens.HasMoreTokens()) {
        const wxString entry = tokens.GetNextToken();
        QxPreferredCategory preferred;
        const int colon = entry.Find(':');
        if (colon == wxNOT_FOUND) {
            preferred.name = entry;
        } else {
            preferred.provider = entry.Left(static_cast<size_t>(colon));
            preferred.name = entry.Mid(static_cast<size_t>(colon) + 1);
        }
        if (!preferred.name.empty())
            entries.push_back(preferred);
    }
    return entries;
}

wxString QxSymbolSelectionDlg::preferredCategoryEntry(const QxCategory* category)
{
    return utf8(category->dataProvider()) + ":" + utf8(category->name()) + ";";
}

void QxSymbolSelectionDlg::restorePreferredCategories(wxConfigBase& config)
{
    if (!m_database)
        return;
    wxString stored;
    {
        QxConfigPathGuard guard(config);
        config.SetPath(kConfigPath);
        stored = config.Read("preferred_categories", wxString());
    }
    for (const QxPreferredCategory& entry : parsePreferredCategories(stored)) {
        if (entry.provider.empty()) {
            // No provider is a key of its own: the database's lookup without
            // one takes any provider's category of that name, and a user's
            // own "US.NYSE.STOCK" would come back as a web provider's.
            if (QxCategory* own = ownCategoryRow(entry.name))
                selectCategory(own);
            continue;
        }
        const wxScopedCharBuffer name = entry.name.utf8_str();
        const wxScopedCharBuffer provider = entry.provider.utf8_str();
        QxObjectSmartPtr<QxCategory> category(m_database->findCategory(name.data(), provider.data()));
        if (category)
            selectCategory(category.get()); // a category gone since is skipped
    }
}

QxCategory* QxSymbolSelectionDlg::ownCategoryRow(const wxString& name) const
{
    for (long row = 0; row < m_categoryList->GetItemCount(); ++row) {
        QxCategory* category = categoryAt(row);
        const char* provider = category ? category->dataProvider() : nullptr;
        if (category && (!provider || !*provider) && utf8(category->name()) == name)
            return category;
    }
    return nullptr;
}

void QxSymbolSelectionDlg::restorePlacement(wxConfigBase& config)
{
    QxConfigPathGuard guard(config);
    config.SetPath(kConfigPath);
    const long x = config.Read("pos_x", -1L);
    const long y = config.Read("pos_y", -1L);
    if (x != -1 || y != -1)
        Move(static_cast<int>(x), static_cast<int>(y));
    const wxSize current = GetSize();
    long width = config.Read("size_x", static_cast<long>(current.x));
    long height = config.Read("size_y", static_cast<long>(current.y));
    // A damaged entry must not leave an unusable window.
    if (width <= 0 || width > 20000)
        width = current.x;
    if (height <= 0 || height > 20000)
        height = current.y;
    SetSize(static_cast<int>(width), static_cast<int>(height));
}

void QxSymbolSelectionDlg::savePreferences(wxConfigBase& config)
{
    wxString preferred;
    for (long row = m_categoryList->GetFirstSelected(); row != -1; row = m_categoryList->GetNextSelected(row))
        if (const QxCategory* category = categoryAt(row))
            preferred += preferredCategoryEntry(category);
    QxConfigPathGuard guard(config);
    config.SetPath(kConfigPath);
    config.Write("preferred_categories", preferred);
    const wxPoint pos = GetPosition();
    const wxSize size = GetSize();
    config.Write("pos_x", static_cast<long>(pos.x));
    config.Write("pos_y", static_cast<long>(pos.y));
    config.Write("size_x", static_cast<long>(size.x));
    config.Write("size_y", static_cast<long>(size.y));
}

// ---------------------------------------------------------------------------
// Categories

QxCategory* QxSymbolSelectionDlg::categoryAt(long row) const
{
    if (row < 0 || row >= m_categoryList->GetItemCount())
        return nullptr;
    return reinterpret_cast<QxCategory*>(m_categoryList->GetItemData(row));
}

long QxSymbolSelectionDlg::findCategoryRow(const QxCategory* category) const
{
    if (!category)
        return -1;
    for (long row = 0; row < m_categoryList->GetItemCount(); ++row)
        if (QxSecurityListCtrl::CategoryLess::compare(categoryAt(row), category) == 0)
            return row;
    return -1;
}

long QxSymbolSelectionDlg::insertCategoryRow(QxCategory* category)
{
    const wxString label = utf8(category->name());
    // Bisection on the labels: the list is kept sorted ascending.
    long low = 0;
    long high = m_categoryList->GetItemCount();
    while (low < high) {
        const long mid = (low + high) / 2;
        if (m_categoryList->GetItemText(mid).Cmp(label) <= 0)
            low = mid + 1;
        else
            high = mid;
    }
    const long row = m_categoryList->InsertItem(low, label, categoryImage(category->dataProvider()));
    if (row < 0)
        return -1;
    category->addRef(); // released with the row
    m_categoryList->SetItemPtrData(row, reinterpret_cast<wxUIntPtr>(category));
    return row;
}

void QxSymbolSelectionDlg::fitCategoryColumn()
{
    // The header is hidden: a column only as wide as its title would cut
    // the names short, so the widest name counts too.
    m_categoryList->SetColumnWidth(0, wxLIST_AUTOSIZE_USEHEADER);
    const int header = m_categoryList->GetColumnWidth(0);
    if (m_categoryList->GetItemCount() > 0) {
        m_categoryList->SetColumnWidth(0, wxLIST_AUTOSIZE);
        if (m_categoryList->GetColumnWidth(0) < header)
            m_categoryList->SetColumnWidth(0, header);
    }
}

void QxSymbolSelectionDlg::selectRow(long row)
{
    m_categoryList->Select(row, true);
    m_categoryList->EnsureVisible(row);
    // The toolkit's list may or may not report a selection made in code.
    wxBusyCursor busy;
    m_securityList->showCategory(categoryAt(row));
}

bool QxSymbolSelectionDlg::selectCategory(const QxCategory* category)
{
    const long row = findCategoryRow(category);
    if (row < 0)
        return false;
    selectRow(row);
    return true;
}

void QxSymbolSelectionDlg::OnCategorySelected(wxListEvent& event)
{
    wxBusyCursor busy;
    m_securityList->showCategory(categoryAt(event.GetIndex()));
}

void QxSymbolSelectionDlg::OnCategoryDeselected(wxListEvent&)
{
    wxBusyCursor busy;
    if (m_securityList->GetItemCount() > 0)
        m_securityList->EnsureVisible(0);
    m_securityList->clear();
}

void QxSymbolSelectionDlg::OnCategoryRightClick(wxListEvent& event)
{
    const long row = event.GetIndex();
    if (!categoryAt(row))
        return;
    wxMenu menu;
    const int removeId = wxWindow::NewControlId();
    menu.Append(removeId, _("&Remove category"));
    if (m_categoryList->GetPopupMenuSelectionFromUser(menu, event.GetPoint()) == removeId)
        removeCategoryAt(row);
}

void QxSymbolSelectionDlg::removeCategoryAt(long row)
{
    QxObjectSmartPtr<QxCategory> category(categoryAt(row));
    if (!category)
        return;
    std::vector<QxObjectSmartPtr<QxSecurity>> securities;
    // A category whose securities cannot be listed may hold some: it stays.
    if (category->listSecurities(securities) != 0 || !securities.empty()) {
        qxShowError(utf8(category->name()) + _(" is not empty."), this);
        return;
    }
    if (category->deleteCategory() != 0)
        return; // the database said no (read-only): the row stays
    const long current = findCategoryRow(category.get());
    if (current < 0)
        return;
    if (m_securityList->shownList() && m_securityList->shownList() == m_securityList->cachedList(category.get()))
        m_securityList->clear();
    m_categoryList->DeleteItem(current);
    category->release(); // the row's reference
}

// ---------------------------------------------------------------------------
// Securities

void QxSymbolSelectionDlg::setSingleSelection(bool single)
{
    m_promptText = single ? _("Please select a security.") : _("Please select securities.");
    m_prompt->SetLabel(m_promptText);
    const bool several = m_securityList->GetSelectedItemCount() > 1;
    if (single && several) {
        // Deselected while the list still allows several rows: a
        // single-selection list only lets go of its current row.
        m_securityList->EnsureVisible(0);
        for (long row = m_securityList->GetFirstSelected(); row != -1;
             row = m_securityList->GetNextSelected(row))
            m_securityList->Select(row, false);
    }
    m_securityList->setSingleSelection(single);
    if (single && several)
        m_securityList->Select(0, true);
}

bool QxSymbolSelectionDlg::confirmSelection()
{
    m_selectedIds.clear();
    for (const auto& security : m_securityList->selectedSecurities())
        m_selectedIds.push_back(security->id());
    if (m_selectedIds.empty()) {
        qxShowError(_("Please select at-least one symbol."), this);
        return false;
    }
    if (IsModal())
        EndModal(wxID_OK);
    else
        SetReturnCode(wxID_OK);
    return true;
}

void QxSymbolSelectionDlg::OnInitDialog(wxInitDialogEvent& event)
{
    m_selectedIds.clear();
    m_securityList->SetFocus();
    event.Skip();
}

void QxSymbolSelectionDlg::OnOK(wxCommandEvent&) { confirmSelection(); }

void QxSymbolSelectionDlg::OnSecurityKeyDown(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
        if (m_securityList->GetSelectedItemCount() > 0)
            confirmSelection();
        return; // swallowed either way
    }
    if (event.ControlDown() && (key == 'A' || key == 'a') && !m_securityList->isSingleSelection() &&
        m_securityList->GetItemCount() > 0)
        m_securityList->SetItemState(-1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    event.Skip();
}

void QxSymbolSelectionDlg::OnSecurityActivated(wxListEvent&)
{
    if (m_securityList->GetSelectedItemCount() > 0)
        confirmSelection();
}

void QxSymbolSelectionDlg::OnSecurityContextMenu(wxContextMenuEvent& event)
{
    wxMenu menu;
    const int deleteHistoryId = wxWindow::NewControlId();
    const int removeId = wxWindow::NewControlId();
    menu.Append(deleteHistoryId, _("&Delete price history"));
    menu.Append(removeId, _("&Remove security"));
    wxPoint at = event.GetPosition();
    at = at == wxDefaultPosition ? wxDefaultPosition : m_securityList->ScreenToClient(at);
    const int chosen = m_securityList->GetPopupMenuSelectionFromUser(menu, at);
    if (chosen == deleteHistoryId)
        deletePriceHistoryOfSelected();
    else if (chosen == removeId)
        removeSelectedSecurities();
}

void QxSymbolSelectionDlg::deletePriceHistoryOfSelected()
{
    if (!askYesNo(_("Are you sure you want to delete the price history of selected securities?")))
        return;
    for (const auto& security : m_securityList->selectedSecurities()) {
        if (QxCalculator::hasCacheForSecurity(security->id())) {
            qxShowError(_("Security '") + utf8(security->ticker()) +
                            _("' is in use, and it's price history cannot be deleted."),
                        this);
            continue;
        }
        int64_t from = 0;
        int64_t to = 0;
        // A refusal leaves everything as it is, and the list keeps showing it.
        (void)security->deleteHistory(from, to);
    }
}

void QxSymbolSelectionDlg::removeSelectedSecurities()
{
    if (!askYesNo(_("Are you sure you want to delete selected securities?")))
        return;
    // Taken before the first deletion: each one reaches this dialog through
    // the hub and changes the rows while the list is walked.
    const QxSecurityListCtrl::Securities selected = m_securityList->selectedSecurities();
    for (const auto& security : selected) {
        if (QxCalculator::hasCacheForSecurity(security->id())) {
            qxShowError(_("Security '") + utf8(security->ticker()) + _("' is in use, and it cannot be deleted."),
                        this);
            continue;
        }
        // A security the database refuses to delete keeps its row: only a
        // deletion announced through the hub removes it.
        (void)security->deleteSecurity();
    }
}

void QxSymbolSelectionDlg::OnSecuritySize(wxSizeEvent& event)
{
    event.Skip();
    const int width = m_securityList->GetClientSize().x;
    if (width <= 0 || m_securityList->GetColumnCount() < 2)
        return;
    const int first = proportionalFirstWidth(width, m_securityList->GetColumnWidth(0),
                                             m_securityList->GetColumnWidth(1));
    m_securityList->SetColumnWidth(0, first);
    m_securityList->SetColumnWidth(1, width - first);
}

int QxSymbolSelectionDlg::proportionalFirstWidth(int width, int first, int second)
{
    // Columns squeezed to nothing get the initial third back instead of a
    // division by zero.
    if (first < 0 || second < 0 || first + second <= 0)
        return width / 3;
    return static_cast<int>(static_cast<double>(width) / (first + second) * first + 0.5);
}

void QxSymbolSelectionDlg::OnAddSecurity(wxCommandEvent&)
{
    // What it adds comes back through securityAdded and categoryAdded.
    QxAddSymbolDlg dialog(this);
    dialog.ShowModal();
}

void QxSymbolSelectionDlg::OnHelp(wxCommandEvent&) { QxUtils::showHelp("topics/creating_charts.htm#symbol_selection_dlg"); }

// ---------------------------------------------------------------------------
// Database events

void QxSymbolSelectionDlg::categoryAdded(QxCategory* category)
{
    // The hub reports every open database; only this dialog's own counts.
    if (!category || !m_database || category->database() != m_database.get())
        return;
    long row = findCategoryRow(category);
    if (row < 0) {
        row = insertCategoryRow(category);
        fitCategoryColumn();
    }
    if (row >= 0)
        selectRow(row);
}

void QxSymbolSelectionDlg::securityAdded(QxSecurity* security)
{
    if (!security)
        return;
    categoryAdded(security->category());
    m_securityList->insertSecurity(security);
}

void QxSymbolSelectionDlg::securityWillBeDeleted(QxSecurity* security) { m_securityList->removeSecurity(security); }

// ---------------------------------------------------------------------------

bool QxSymbolSelectionDlg::askYesNo(const wxString& text)
{
    return qxTell(QxMessage(QxMessageKind::Warning, text, this, QxMessageButtons::YesNo)) == QxAnswer::Yes;
}
