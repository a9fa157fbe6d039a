#include "securities/QxWatchlist.h"

#include "core/QxSecurityKey.h"
#include "securities/QxPortfolioFiles.h"

#include <wx/xml/xml.h>

QxWatchlist::QxWatchlist(const wxString& name) : m_name(name) {}

QxWatchlist::~QxWatchlist() = default;

void QxWatchlist::setItem(const QxWatchItem& item)
{
    if (item.security)
        m_items[makeSecurityKey(item.security.get())] = item;
}

bool QxWatchlist::removeItem(const std::string& key) { return m_items.erase(key) > 0; }

QxWatchlist* QxWatchlist::fromXml(const wxXmlNode* element, QxDatabase* database)
{
    if (!element || element->GetAttribute("name").empty())
        return nullptr;
    auto* watchlist = new QxWatchlist(element->GetAttribute("name"));
    for (const wxXmlNode* child = element->GetChildren(); child; child = child->GetNext()) {
        if (child->GetType() != wxXML_ELEMENT_NODE)
            continue;
        const std::string key = child->GetAttribute("security").utf8_string();
        wxLongLong_t time = 0;
        QxWatchItem item;
        if (key.empty() || !child->GetAttribute("time").ToLongLong(&time, 10) ||
            !qxParseFileDouble(child->GetAttribute("price"), &item.price))
            continue;
        item.time = time;
        item.security = database ? findSecurityByKey(database, key) : nullptr;
        if (item.security)
            watchlist->setItem(item);
        else
            watchlist->m_unresolved.emplace_back(qxKeptElement(*child));
    }
    return watchlist;
}

wxXmlNode* QxWatchlist::toXml(wxXmlNode* parent) const
{
    auto* element = new wxXmlNode(wxXML_ELEMENT_NODE, "watchlist");
    for (const auto& [key, item] : m_items) {
        auto* node = new wxXmlNode(wxXML_ELEMENT_NODE, "watchitem");
        node->AddAttribute("security", wxString::FromUTF8(key));
        node->AddAttribute("time", wxString::Format("%lld", static_cast<long long>(item.time)));
        node->AddAttribute("price", qxFileDoubleText(item.price));
        element->AddChild(node);
    }
    for (const auto& kept : m_unresolved)
        element->AddChild(new wxXmlNode(*kept));
    element->AddAttribute("name", m_name);
    if (parent)
        parent->AddChild(element);
    return element;
}
