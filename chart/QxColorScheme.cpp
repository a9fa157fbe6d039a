#include "chart/QxColorScheme.h"

#include "chart/QxChartConfiguration.h"
#include "chart/QxColorSchemeRegistry.h"
#include "chart/QxDrawable.h"
#include "core/QxErrorCode.h"

#include <wx/xml/xml.h>

QxColorScheme::QxColorScheme() = default;

QxColorScheme::QxColorScheme(const QxColorScheme& other)
    : QxObject(other), m_colors(other.m_colors), m_bindings(other.m_bindings)
{
}

QxColorScheme& QxColorScheme::operator=(const QxColorScheme& other)
{
    QxObject::operator=(other);
    m_colors = other.m_colors;
    m_bindings = other.m_bindings;
    m_dataSeries.clear();
    return *this;
}

QxColorScheme::~QxColorScheme() = default;

bool QxColorScheme::isUniform() const
{
    return false;
}

const std::vector<QxColorEntry>& QxColorScheme::getColorParamInfos() const
{
    return m_colors;
}

const wxColour& QxColorScheme::colorAt(unsigned) const
{
    static const wxColour black(0, 0, 0);
    return black;
}

int QxColorScheme::setColor(const QxAtom& name, const wxColour& colour)
{
    for (QxColorEntry& entry : m_colors) {
        if (entry.name == name) {
            entry.colour = colour;
            return eNoError;
        }
    }
    return eInvalidInput;
}

int QxColorScheme::getColor(const QxAtom& name, wxColour& colour) const
{
    for (const QxColorEntry& entry : m_colors) {
        if (entry.name == name) {
            colour = entry.colour;
            return eNoError;
        }
    }
    return eInvalidInput;
}

int QxColorScheme::setup(QxCalculator* calculator)
{
    m_dataSeries.clear();
    for (const QxDataInfo& role : getDataParamInfos()) {
        if (role.kind == QxSeriesId::eSeriesConstant)
            continue;
        QxSeries series;
        const int rc = qxFetchRoleSeries(calculator, role, getSeries(role.name), series);
        if (rc != eNoError) {
            // Half a set of series would be read as if complete.
            m_dataSeries.clear();
            return rc;
        }
        m_dataSeries[role.name] = series;
    }
    return eNoError;
}

int QxColorScheme::setSeries(const QxAtom& role, const QxSeriesId& id)
{
    m_bindings.set(role, id);
    return eNoError;
}

const QxSeriesId& QxColorScheme::getSeries(const QxAtom& role) const
{
    return m_bindings.get(role);
}

int QxColorScheme::getDataSeries(const QxAtom& role, QxSeries& out) const
{
    auto it = m_dataSeries.find(role);
    if (it == m_dataSeries.end())
        return eSeriesNotAvailable;
    out = it->second;
    return eNoError;
}

wxXmlNode* QxColorScheme::toXml(const QxIndicator* owner, wxXmlNode* parent) const
{
    auto* element = new wxXmlNode(parent, wxXML_ELEMENT_NODE, "ColorScheme");
    element->AddAttribute("Name", getName().string());

    // Each node made with its parent becomes the parent's first child:
    // "Colors" ends up before "DataParams", and lists are walked from the
    // last entry so that they keep their order.
    const std::vector<QxDataInfo>& roles = getDataParamInfos();
    if (!roles.empty()) {
        auto* params = new wxXmlNode(element, wxXML_ELEMENT_NODE, "DataParams");
        m_bindings.toXml(roles, owner, params);
    }
    const std::vector<QxColorEntry>& entries = getColorParamInfos();
    if (!entries.empty()) {
        auto* colors = new wxXmlNode(element, wxXML_ELEMENT_NODE, "Colors");
        for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
            wxColour colour;
            if (getColor(entry->name, colour) != eNoError || !colour.IsOk())
                continue;
            auto* child = new wxXmlNode(colors, wxXML_ELEMENT_NODE, entry->name.string());
            // A name only where it reads back as the same colour.
            child->AddAttribute("Color", colourToConfigString(colour));
        }
    }
    return element;
}

int QxColorScheme::fromXml(const QxIndicator* owner, const wxXmlNode* node)
{
    if (!m_bindings.fromXml(QxSeriesBindings::findChild(node, "DataParams"), getDataParamInfos(), owner))
        return eInconsistentData;
    if (const wxXmlNode* colors = QxSeriesBindings::findChild(node, "Colors")) {
        for (const wxXmlNode* child = colors->GetChildren(); child; child = child->GetNext()) {
            if (child->GetType() != wxXML_ELEMENT_NODE)
                continue;
            wxColour colour;
            if (!colour.Set(child->GetAttribute("Color", "BLACK")))
                continue; // not a colour: the entry keeps its own
            setColor(QxAtom(child->GetName()), colour); // unknown names are ignored
        }
    }
    return eNoError;
}

QxColorScheme* QxColorScheme::createFromXml(const QxIndicator* owner, const wxXmlNode* node, int* rc)
{
    if (rc)
        *rc = eNoError;
    if (!node)
        return nullptr;
    const QxAtom name(node->GetAttribute("Name", wxEmptyString));
    const QxColorScheme* prototype = QxColorSchemeRegistry::instance().find(name);
    if (!prototype)
        return nullptr;
    QxColorScheme* scheme = prototype->clone();
    if (!scheme)
        return nullptr;
    const int read = scheme->fromXml(owner, node);
    if (read != eNoError) {
        if (rc)
            *rc = read;
        QxObjectSmartPtr<QxColorScheme> dropped(scheme);
        return nullptr;
    }
    return scheme;
}
