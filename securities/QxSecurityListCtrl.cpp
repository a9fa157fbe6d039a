#include "securities/QxSecurityListCtrl.h"

#include <wx/settings.h>
#include <wx/utils.h>

#include <algorithm>
#include <cstring>
#include <functional>

namespace {

const char* textOf(const char* s) { return s ? s : ""; }

// Ticker in byte order, then the category key order.
int compareSecurities(const QxSecurity* a, const QxSecurity* b)
{
    const int byTicker = std::strcmp(textOf(a->ticker()), textOf(b->ticker()));
    if (byTicker != 0)
        return byTicker;
    return QxSecurityListCtrl::CategoryLess::compare(a->category(), b->category());
}

} // namespace

int QxSecurityListCtrl::CategoryLess::compare(const QxCategory* a, const QxCategory* b)
{
    if (a == b)
        return 0;
    if (!a || !b)
        return a ? 1 : -1;
    if (a->id() != b->id())
        return a->id() < b->id() ? -1 : 1;
    const QxDatabase* da = a->database();
    const QxDatabase* db = b->database();
    if (da == db)
        return 0;
    return std::less<const QxDatabase*>()(da, db) ? -1 : 1;
}

int qxSecurityProviderImage(const char* provider)
{
    if (!provider || !*provider)
        return -1;
    if (std::strcmp(provider, "Google") == 0)
        return 0;
    if (std::strcmp(provider, "Yahoo!") == 0)
        return 1;
    // No icon rather than another provider's.
    return -1;
}

QxSecurityListCtrl::QxSecurityListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                       long style)
    : wxListView(parent, id, pos, size, style | wxLC_REPORT | wxLC_VIRTUAL)
{
    const wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    m_evenAttr = wxListItemAttr(*wxBLACK, wxColour(255, 255, 185), font);
    m_oddAttr = wxListItemAttr(*wxBLACK, wxColour(170, 255, 255), font);
}

std::size_t QxSecurityListCtrl::sortedPosition(const Securities& list, const QxSecurity* security)
{
    auto it = std::lower_bound(list.begin(), list.end(), security,
                               [](const QxObjectSmartPtr<QxSecurity>& entry, const QxSecurity* s) {
                                   return entry && compareSecurities(entry.get(), s) < 0;
                               });
    return static_cast<std::size_t>(it - list.begin());
}

bool QxSecurityListCtrl::sameSecurity(const QxSecurity* a, const QxSecurity* b)
{
    if (a == b)
        return true;
    return a && b && compareSecurities(a, b) == 0;
}

QxSecurityListCtrl::Securities* QxSecurityListCtrl::entryFor(QxCategory* category)
{
    // The key keeps the category alive as long as its entry.
    return &m_cache[QxObjectSmartPtr<QxCategory>(category)];
}

const QxSecurityListCtrl::Securities* QxSecurityListCtrl::cachedList(const QxCategory* category) const
{
    for (const auto& entry : m_cache)
        if (CategoryLess::compare(entry.first.get(), category) == 0)
            return &entry.second;
    return nullptr;
}

void QxSecurityListCtrl::showCategory(QxCategory* category)
{
    if (!category) {
        clear();
        return;
    }
    Securities* list = entryFor(category);
    // A category that cannot list its securities shows none.
    if (list->empty())
        (void)category->listSecurities(*list);
    m_shown = list;
    SetItemCount(static_cast<long>(list->size()));
    Refresh(false);
}

void QxSecurityListCtrl::clear()
{
    m_shown = nullptr;
    SetItemCount(0);
    Refresh(false);
}

void QxSecurityListCtrl::showCount(std::size_t visibleRow, const Securities& selected)
{
    // The list keeps selections by row number; rows moved by the change get
    // their securities' selection back instead.
    for (long row = GetFirstSelected(); row != -1; row = GetNextSelected(row))
        Select(row, false);
    const long count = static_cast<long>(m_shown->size());
    SetItemCount(count);
    for (const auto& security : selected) {
        const std::size_t pos = sortedPosition(*m_shown, security.get());
        if (pos < m_shown->size() && (*m_shown)[pos].get() == security.get())
            Select(static_cast<long>(pos), true);
    }
    if (count > 0)
        EnsureVisible(visibleRow < m_shown->size() ? static_cast<long>(visibleRow) : 0);
    Refresh(false);
}

void QxSecurityListCtrl::insertSecurity(QxSecurity* security)
{
    if (!security || !security->category())
        return;
    QxCategory* category = security->category();
    auto found = m_cache.find(QxObjectSmartPtr<QxCategory>(category));
    if (found == m_cache.end())
        return; // read in full when the category is first shown
    Securities& list = found->second;
    const Securities selected = m_shown == &list ? selectedSecurities() : Securities();
    std::size_t pos = 0;
    if (list.empty()) {
        // The category lists the new security already (if it can list).
        (void)found->first->listSecurities(list);
        pos = sortedPosition(list, security);
    } else {
        pos = sortedPosition(list, security);
        if (pos >= list.size() || !sameSecurity(list[pos].get(), security))
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(pos), QxObjectSmartPtr<QxSecurity>(security));
    }
    if (m_shown == &list)
        showCount(pos, selected);
}

void QxSecurityListCtrl::removeSecurity(QxSecurity* security)
{
    if (!security || !security->category())
        return;
    auto found = m_cache.find(QxObjectSmartPtr<QxCategory>(security->category()));
    if (found == m_cache.end())
        return;
    Securities& list = found->second;
    const Securities selected = m_shown == &list ? selectedSecurities() : Securities();
    if (list.empty())
        (void)found->first->listSecurities(list); // none when it cannot list
    const std::size_t pos = sortedPosition(list, security);
    // Any object of the same security counts: deletions made elsewhere come
    // with objects of their own.
    if (pos < list.size() && (list[pos].get() == security ||
                              (list[pos]->id() == security->id() && sameSecurity(list[pos].get(), security))))
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(pos));
    if (m_shown == &list)
        showCount(pos, selected);
}

void QxSecurityListCtrl::setSingleSelection(bool single)
{
    long style = GetWindowStyleFlag();
    style = single ? (style | wxLC_SINGLE_SEL) : (style & ~static_cast<long>(wxLC_SINGLE_SEL));
    SetWindowStyleFlag(style);
}

QxSecurity* QxSecurityListCtrl::securityAt(long row) const
{
    if (!m_shown || row < 0 || static_cast<std::size_t>(row) >= m_shown->size())
        return nullptr;
    return (*m_shown)[static_cast<std::size_t>(row)].get();
}

QxSecurityListCtrl::Securities QxSecurityListCtrl::selectedSecurities() const
{
    Securities out;
    for (long row = GetFirstSelected(); row != -1; row = GetNextSelected(row))
        if (QxSecurity* security = securityAt(row))
            out.emplace_back(security);
    return out;
}

wxString QxSecurityListCtrl::OnGetItemText(long item, long column) const
{
    const QxSecurity* security = securityAt(item);
    if (!security)
        return wxString();
    return wxString::FromUTF8(textOf(column == 0 ? security->ticker() : security->name()));
}

wxListItemAttr* QxSecurityListCtrl::OnGetItemAttr(long item) const
{
    return item % 2 == 0 ? &m_evenAttr : &m_oddAttr;
}

int QxSecurityListCtrl::OnGetItemImage(long item) const
{
    const QxSecurity* security = securityAt(item);
    const QxCategory* category = security ? security->category() : nullptr;
    return category ? qxSecurityProviderImage(category->dataProvider()) : -1;
}
