#pragma once
// The role-to-series bindings of a drawable or colour scheme, with the XML
// form both share: one child per role, named by the role, whose "Value" is
// a constant ("%lfD") or an output index of the owning indicator ("%dL").
#include "core/QxAtom.h"
#include "core/QxDataInfo.h"
#include "core/QxSeriesId.h"

#include <wx/string.h>

#include <map>
#include <vector>

class QxIndicator;
class wxXmlNode;

class QxSeriesBindings {
public:
    // Binds (or rebinds) role.
    void set(const QxAtom& role, const QxSeriesId& id) { m_ids[role] = id; }
    // The bound id, or the null id when role is not bound.
    const QxSeriesId& get(const QxAtom& role) const;
    // Ordered by the roles' atom ids.
    const std::map<QxAtom, QxSeriesId>& all() const { return m_ids; }

    // Adds under container one child per role of roles whose binding is a
    // valid constant or a valid output of owner; any other binding is not
    // written. Children appear in the order of roles.
    void toXml(const std::vector<QxDataInfo>& roles, const QxIndicator* owner, wxXmlNode* container) const;
    // Binds a role of roles for every child of container named by it whose
    // "Value" parses: a float or double as a constant; an integer as that
    // output of owner, or as an invalid indicator output when owner has no
    // such output. Other children are skipped: a binding of a role the
    // graphic does not have would hold its owner alive for ever. False when
    // a role is bound twice: the container is damaged and the caller refuses it.
    bool fromXml(const wxXmlNode* container, const std::vector<QxDataInfo>& roles, const QxIndicator* owner);

    // The first child element of node whose name equals name, ignoring case.
    static const wxXmlNode* findChild(const wxXmlNode* node, const wxString& name);

private:
    std::map<QxAtom, QxSeriesId> m_ids;
};
