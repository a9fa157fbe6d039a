#pragma once
// The security list of the selection dialog: a virtual report list showing
// the securities of one category, read once per category into a cache so
// that categories with thousands of securities show without list items.
#include "core/QxCategory.h"
#include "core/QxObject.h"
#include "core/QxSecurity.h"

#include <wx/listctrl.h>

#include <cstddef>
#include <map>
#include <vector>

class QxSecurityListCtrl : public wxListView {
public:
    using Securities = std::vector<QxObjectSmartPtr<QxSecurity>>;

    // Orders categories by id, then by the identity of their database: two
    // objects with equal id and database are the same category.
    struct CategoryLess {
        bool operator()(const QxObjectSmartPtr<QxCategory>& a, const QxObjectSmartPtr<QxCategory>& b) const
        {
            return compare(a.get(), b.get()) < 0;
        }
        static int compare(const QxCategory* a, const QxCategory* b);
    };

    QxSecurityListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                       const wxSize& size = wxDefaultSize, long style = wxLC_REPORT | wxLC_VIRTUAL);

    // Shows the securities of category, reading them on the first showing
    // (and again at every showing while the category has none).
    void showCategory(QxCategory* category);
    // Adds a security to its category's cached list, when that category was
    // read already; an entry for the same ticker and category is kept.
    void insertSecurity(QxSecurity* security);
    // Removes a security from its category's cached list.
    void removeSecurity(QxSecurity* security);
    // Shows nothing.
    void clear();

    void setSingleSelection(bool single);
    bool isSingleSelection() const { return HasFlag(wxLC_SINGLE_SEL); }

    // The security of a row; null outside the shown rows.
    QxSecurity* securityAt(long row) const;
    // The selected securities in ascending row order.
    Securities selectedSecurities() const;
    // The cached list of category, or null when it was never read.
    const Securities* cachedList(const QxCategory* category) const;
    const Securities* shownList() const { return m_shown; }

    // Where security belongs in list: by ticker (byte order), then by
    // category; the first position not before it.
    static std::size_t sortedPosition(const Securities& list, const QxSecurity* security);
    // Whether two securities are the same: same ticker and same category.
    static bool sameSecurity(const QxSecurity* a, const QxSecurity* b);

protected:
    wxString OnGetItemText(long item, long column) const override;
    wxListItemAttr* OnGetItemAttr(long item) const override;
    int OnGetItemImage(long item) const override;

private:
    using Cache = std::map<QxObjectSmartPtr<QxCategory>, Securities, CategoryLess>;

    Securities* entryFor(QxCategory* category);
    void showCount(std::size_t visibleRow, const Securities& selected);

    Cache m_cache;
    Securities* m_shown = nullptr;
    mutable wxListItemAttr m_evenAttr;
    mutable wxListItemAttr m_oddAttr;
};

// The image index of the provider icon for a provider name: -1 for none or
// an unknown provider in security rows, 0 Google, 1 Yahoo!.
int qxSecurityProviderImage(const char* provider);
