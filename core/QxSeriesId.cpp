#include "core/QxSeriesId.h"

#include "core/QxIndicatorLinks.h"

#include "core/QxIndicator.h"

#include <wx/xml/xml.h>

#include <set>

QxSeriesId::QxSeriesId() : m_kind(eSeriesIndicator), m_outputIndex(eNoOutput), m_value(0.0) {}

QxSeriesId::QxSeriesId(uint32_t kind) : m_kind(kind), m_outputIndex(eNoOutput), m_value(0.0) {}

QxSeriesId::QxSeriesId(QxIndicator* indicator, uint32_t outputIndex)
    : m_kind(eSeriesIndicator), m_outputIndex(outputIndex), m_value(0.0)
{
    if (indicator && outputIndex < indicator->outputInfos().size())
        m_indicator.reset(indicator);
}

QxSeriesId QxSeriesId::constant(double value)
{
    QxSeriesId id(eSeriesConstant);
    id.m_value = value;
    return id;
}

QxSeriesId::QxSeriesId(const QxSeriesId& other) = default;
QxSeriesId& QxSeriesId::operator=(const QxSeriesId& other) = default;
QxSeriesId::~QxSeriesId() = default;

const QxSeriesId& QxSeriesId::null()
{
    static const QxSeriesId s_null;
    return s_null;
}

bool QxSeriesId::isPriceField() const
{
    switch (m_kind) {
    case eSeriesOpen:
    case eSeriesHigh:
    case eSeriesLow:
    case eSeriesClose:
    case eSeriesVolume:
    case eSeriesOpenInterest:
        return true;
    default:
        return false;
    }
}

bool QxSeriesId::isValid() const
{
    if (m_kind == 0 || (m_kind & (m_kind - 1)) != 0)
        return false;
    if (m_kind < eSeriesIndicator || m_kind == eSeriesConstant)
        return true;
    if (m_kind == eSeriesIndicator)
        return m_indicator && m_outputIndex < m_indicator->outputInfos().size();
    return false;
}

bool QxSeriesId::differsFrom(const QxSeriesId& other) const
{
    if (m_kind != other.m_kind)
        return true;
    if (m_kind < eSeriesIndicator)
        return false;
    if (m_kind == eSeriesConstant)
        return !(m_value == other.m_value);
    if (m_kind == eSeriesIndicator) {
        if (m_outputIndex != other.m_outputIndex)
            return true;
        if (m_indicator.get() == other.m_indicator.get())
            return false;
        if (!m_indicator || !other.m_indicator)
            return true;
        return !m_indicator->isEquivalent(other.m_indicator.get());
    }
    return true;
}

namespace {

bool leadsToImpl(const QxSeriesId& id, const QxIndicator* target, std::set<const QxIndicator*>& visited)
{
    const QxIndicator* ind = id.indicator();
    if (!ind)
        return false;
    if (ind == target)
        return true;
    // A diamond of shared inputs is searched once.
    if (!visited.insert(ind).second)
        return false;
    const size_t n = ind->inputInfos().size();
    for (unsigned i = 0; i < n; ++i)
        if (leadsToImpl(ind->getInputSeries(i), target, visited))
            return true;
    return false;
}

} // namespace

bool QxSeriesId::leadsTo(const QxIndicator* indicator) const
{
    if (!indicator)
        return false;
    std::set<const QxIndicator*> visited;
    return leadsToImpl(*this, indicator, visited);
}

wxXmlNode* QxSeriesId::toXml(wxXmlNode* parent) const
{
    auto* node = new wxXmlNode(parent, wxXML_ELEMENT_NODE, "SeriesId");
    node->AddAttribute("Type", wxString::Format("%u", m_kind));
    if (m_kind == eSeriesIndicator && m_indicator) {
        // Its own inputs go with it: an average of an RSI stays one.
        QxIndicatorLinks::writeInputs(*m_indicator, m_indicator->toXml(node, QxIndicator::eXmlParams), nullptr);
        node->AddAttribute("OutputIndex", wxString::Format("%d", static_cast<int>(m_outputIndex)));
    } else if (m_kind == eSeriesConstant) {
        node->AddAttribute("Value", wxString::FromCDouble(m_value, 6));
    }
    return node;
}

QxSeriesId QxSeriesId::fromXml(const wxXmlNode* node)
{
    wxString typeText;
    if (!node || !node->GetAttribute("Type", &typeText))
        return null();
    unsigned long kind = 0;
    if (!typeText.ToULong(&kind, 10) || kind > 0xFFFFFFFFul)
        kind = 0;

    if (kind == eSeriesIndicator) {
        const wxXmlNode* child = node->GetChildren();
        while (child && child->GetType() != wxXML_ELEMENT_NODE)
            child = child->GetNext();
        // Held here so that an id refused below still frees the indicator.
        QxObjectSmartPtr<QxIndicator> indicator(child ? QxIndicator::createFromXml(child) : nullptr);
        long index = 0;
        if (!node->GetAttribute("OutputIndex", "0").ToLong(&index, 10))
            index = 0;
        return QxSeriesId(indicator.get(), static_cast<uint32_t>(index));
    }
    if (kind == eSeriesConstant) {
        double value = 0.0;
        if (!node->GetAttribute("Value", "0").ToCDouble(&value))
            value = 0.0;
        return constant(value);
    }
    return QxSeriesId(static_cast<uint32_t>(kind));
}
