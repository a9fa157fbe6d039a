#include "trading/QxSignal.h"

#include "core/QxErrorCode.h"
#include "trading/QxCondition.h"

#include <wx/xml/xml.h>

QxSignal::QxSignal() : m_rule(Qx::eEvalAll) {}

QxSignal::QxSignal(const QxSignal& other) : QxObject(other), m_rule(other.m_rule), m_conditions(other.m_conditions) {}

QxSignal::QxSignal(std::vector<QxObjectSmartPtr<QxCondition>>& conditions, Qx::QxSignalEvalRule rule) : m_rule(rule)
{
    m_conditions.swap(conditions);
}

QxSignal::~QxSignal() = default;

int QxSignal::addCondition(QxCondition* condition)
{
    if (!condition)
        return eInvalidInputObject;
    m_conditions.emplace_back(condition);
    return eNoError;
}

int QxSignal::removeConditionAt(unsigned index)
{
    if (index >= m_conditions.size())
        return eInvalidIndex;
    m_conditions.erase(m_conditions.begin() + index);
    return eNoError;
}

QxCondition* QxSignal::getConditionAt(unsigned index) const
{
    return index < m_conditions.size() ? m_conditions[index].get() : nullptr;
}

bool QxSignal::evaluate(QxCalculator* calculator, unsigned bar) const
{
    if (m_conditions.empty())
        return false;
    if (m_rule == Qx::eEvalAll) {
        for (const auto& condition : m_conditions)
            if (!condition->evaluate(calculator, bar))
                return false;
        return true;
    }
    for (const auto& condition : m_conditions)
        if (condition->evaluate(calculator, bar))
            return true;
    return false;
}

wxXmlNode* QxSignal::toXML(wxXmlNode* parent) const
{
    auto* node = new wxXmlNode(parent, wxXML_ELEMENT_NODE, "Signal");
    node->AddAttribute("EvalRule", wxString::Format("%u", m_rule));
    auto* conditions = new wxXmlNode(node, wxXML_ELEMENT_NODE, "Conditions");
    for (const auto& condition : m_conditions)
        condition->toXml(conditions);
    return node;
}

QxSignal* QxSignal::fromXML(const wxXmlNode* node)
{
    if (!node)
        return nullptr;
    unsigned long rule = 0;
    if (!node->GetAttribute("EvalRule").ToULong(&rule, 10) || rule > 0xFFFFFFFFul)
        rule = Qx::eEvalAny;
    const wxXmlNode* list = node->GetChildren();
    while (list && !(list->GetType() == wxXML_ELEMENT_NODE && list->GetName().IsSameAs("Conditions", false)))
        list = list->GetNext();
    if (!list)
        return nullptr;
    std::vector<QxObjectSmartPtr<QxCondition>> conditions;
    for (const wxXmlNode* child = list->GetChildren(); child; child = child->GetNext())
        if (QxCondition* condition = QxCondition::fromXml(child))
            conditions.emplace_back(condition);
    if (conditions.empty())
        return nullptr;
    return new QxSignal(conditions, static_cast<Qx::QxSignalEvalRule>(rule));
}
