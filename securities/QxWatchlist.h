#pragma once
// A named set of watched securities, at most one item per security: when
// the watch began and the price it had then. Like portfolios, items whose
// security is not in the current database are kept as read and written back.
#include "core/QxObject.h"
#include "core/QxSecurity.h"

#include <wx/string.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QxDatabase;
class wxXmlNode;

struct QxWatchItem {
    QxObjectSmartPtr<QxSecurity> security;
    int64_t time = 0;  // packed timestamp of the start of the watch
    double price = 0;  // the price at the start
};

class QxWatchlist : public QxObject {
public:
    using Items = std::map<std::string, QxWatchItem>;

    explicit QxWatchlist(const wxString& name);
    ~QxWatchlist() override;

    const wxString& name() const { return m_name; }
    void setName(const wxString& name) { m_name = name; }

    // Stores the item under its security's key, replacing that security's
    // item; an item without a security is ignored.
    void setItem(const QxWatchItem& item);
    // Removes the item of the security key; false when there is none.
    bool removeItem(const std::string& key);

    const Items& items() const { return m_items; }
    size_t numUnresolved() const { return m_unresolved.size(); }

    // A new watchlist from a "watchlist" element, or null when its name is
    // empty or missing; items resolved against database.
    static QxWatchlist* fromXml(const wxXmlNode* element, QxDatabase* database);
    // Appends a "watchlist" element: the items in key order, then the
    // unresolved ones as they came.
    wxXmlNode* toXml(wxXmlNode* parent) const;

private:
    wxString m_name;
    Items m_items;
    std::vector<std::unique_ptr<wxXmlNode>> m_unresolved;
};
