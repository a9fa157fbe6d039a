#pragma once
// A list of conditions joined by "all" (rule 1) or "any" (any other rule;
// the editors write 0). A trading system names up to four of them.
#include "core/QxObject.h"

#include <vector>

class QxCalculator;
class QxCondition;
class QxTradingSystem;
class wxXmlNode;

namespace Qx {
// 1: every condition must hold; any other value: one suffices.
using QxSignalEvalRule = unsigned;
enum : unsigned { eEvalAny = 0, eEvalAll = 1 };
// The bits of QxTradingSystem::evaluate's mask and result.
enum QxSignalKind : unsigned { eLongEntry = 1, eLongExit = 2, eShortEntry = 4, eShortExit = 8 };
} // namespace Qx

class QxSignal : public QxObject {
public:
    // No conditions, rule "all".
    QxSignal();
    // The same rule and the same (shared) condition objects.
    QxSignal(const QxSignal& other);
    ~QxSignal() override;

    // eInvalidInputObject for null; otherwise appended and 0.
    int addCondition(QxCondition* condition);
    // eInvalidIndex when index >= count; later conditions move down.
    int removeConditionAt(unsigned index);
    unsigned getNumConditions() const { return static_cast<unsigned>(m_conditions.size()); }
    // Null when out of range.
    QxCondition* getConditionAt(unsigned index) const;

    Qx::QxSignalEvalRule getSignalEvalRule() const { return m_rule; }
    void setSignalEvalRule(Qx::QxSignalEvalRule rule) { m_rule = rule; }

    // A signal without conditions never fires.
    bool evaluate(QxCalculator* calculator, unsigned bar) const;

    // A "Signal" element under parent. Its "Condition" elements stand in
    // the reverse of the list's order (each is put in front of the others).
    wxXmlNode* toXML(wxXmlNode* parent) const;
    // A new signal, or null when there is no "Conditions" child or no
    // condition of it loads.
    static QxSignal* fromXML(const wxXmlNode* node);

private:
    // Takes over the conditions by swapping them in.
    QxSignal(std::vector<QxObjectSmartPtr<QxCondition>>& conditions, Qx::QxSignalEvalRule rule);

    Qx::QxSignalEvalRule m_rule;
    std::vector<QxObjectSmartPtr<QxCondition>> m_conditions;
};
