#include "securities/QxPortfolio.h"

#include "core/QxSecurityKey.h"
#include "securities/QxPortfolioFiles.h"

#include <wx/xml/xml.h>


QxPortfolio::QxPortfolio(const wxString& name) : m_name(name) {}

QxPortfolio::~QxPortfolio() = default;

QxPosition* QxPortfolio::getPosition(QxSecurity* security, bool create)
{
    if (!security)
        return nullptr;
    std::string key = makeSecurityKey(security);
    auto it = m_positions.find(key);
    if (it == m_positions.end()) {
        if (!create)
            return nullptr;
        it = m_positions.emplace(key, QxPosition(security, key)).first;
    }
    return &it->second;
}

QxPortfolio* QxPortfolio::fromXml(const wxXmlNode* element, QxDatabase* database)
{
    if (!element)
        return nullptr;
    auto* portfolio = new QxPortfolio(element->GetAttribute("name"));
    for (const wxXmlNode* child = element->GetChildren(); child; child = child->GetNext()) {
        if (child->GetType() != wxXML_ELEMENT_NODE)
            continue;
        const std::string key = child->GetAttribute("security").utf8_string();
        QxSecurity* security = database && !key.empty() ? findSecurityByKey(database, key) : nullptr;
        if (!security) {
            portfolio->m_unresolved.emplace_back(qxKeptElement(*child));
            continue;
        }
        portfolio->getPosition(security, true)->fromXml(child);
    }
    return portfolio;
}

wxXmlNode* QxPortfolio::toXml(wxXmlNode* parent) const
{
    auto* element = new wxXmlNode(wxXML_ELEMENT_NODE, "portfolio");
    element->AddAttribute("name", m_name);
    for (const auto& [key, position] : m_positions)
        if (!position.transactions().empty())
            position.toXml(element);
    for (const auto& kept : m_unresolved)
        element->AddChild(new wxXmlNode(*kept));
    if (parent)
        parent->AddChild(element);
    return element;
}
