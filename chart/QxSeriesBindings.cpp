#include "chart/QxSeriesBindings.h"

#include "core/QxIndicator.h"
#include "core/QxValue.h"

#include <algorithm>

#include <wx/xml/xml.h>

#include <set>

const QxSeriesId& QxSeriesBindings::get(const QxAtom& role) const
{
    auto it = m_ids.find(role);
    return it == m_ids.end() ? QxSeriesId::null() : it->second;
}

void QxSeriesBindings::toXml(const std::vector<QxDataInfo>& roles, const QxIndicator* owner,
                             wxXmlNode* container) const
{
    if (!container)
        return;
    // A node made with its parent becomes the parent's first child, so the
    // roles are walked from the last to keep their order in the document.
    for (auto role = roles.rbegin(); role != roles.rend(); ++role) {
        const QxSeriesId& id = get(role->name);
        if (!id.isValid())
            continue;
        QxValue value;
        if (id.kind() == QxSeriesId::eSeriesConstant)
            value = QxValue(id.value());
        else if (id.kind() == QxSeriesId::eSeriesIndicator && owner && id.indicator() == owner)
            value = QxValue(static_cast<uint32_t>(id.outputIndex()));
        else
            continue; // price fields and other indicators' outputs are not stored
        auto* child = new wxXmlNode(container, wxXML_ELEMENT_NODE, role->name.string());
        child->AddAttribute("Value", value.toString());
    }
}

bool QxSeriesBindings::fromXml(const wxXmlNode* container, const std::vector<QxDataInfo>& roles,
                               const QxIndicator* owner)
{
    if (!container)
        return true;
    std::set<QxAtom> seen;
    for (const wxXmlNode* child = container->GetChildren(); child; child = child->GetNext()) {
        if (child->GetType() != wxXML_ELEMENT_NODE)
            continue;
        const QxAtom role(child->GetName());
        if (role.isNull() || std::none_of(roles.begin(), roles.end(),
                                          [&role](const QxDataInfo& info) { return info.name == role; }))
            continue;
        if (!seen.insert(role).second)
            return false;
        QxValue value;
        if (!QxValue::fromString(child->GetAttribute("Value", wxEmptyString), value))
            continue;
        if (value.type() == QxValue::eFloat32 || value.type() == QxValue::eFloat64) {
            set(role, QxSeriesId::constant(value.toDouble()));
            continue;
        }
        const uint32_t index = value.toUns32();
        if (owner && index < owner->outputInfos().size())
            // The id holds a counted reference; the owner is not changed through it.
            set(role, QxSeriesId(const_cast<QxIndicator*>(owner), index));
        else
            set(role, QxSeriesId());
    }
    return true;
}

const wxXmlNode* QxSeriesBindings::findChild(const wxXmlNode* node, const wxString& name)
{
    if (!node)
        return nullptr;
    for (const wxXmlNode* child = node->GetChildren(); child; child = child->GetNext())
        if (child->GetType() == wxXML_ELEMENT_NODE && child->GetName().CmpNoCase(name) == 0)
            return child;
    return nullptr;
}
