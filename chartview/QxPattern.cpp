#include "chartview/QxPattern.h"

#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"

#include <wx/string.h>
#include <wx/xml/xml.h>

#include <map>

namespace {
std::map<wxString, QxPattern::Factory>& factories()
{
    static std::map<wxString, QxPattern::Factory> map;
    return map;
}
} // namespace

QxPattern::QxPattern() = default;
QxPattern::QxPattern(const QxPattern& other) : QxObject(), m_calculator(other.m_calculator) {}
QxPattern::~QxPattern() = default;

void QxPattern::setCalculator(QxCalculator* calculator)
{
    m_calculator = calculator;
}

void QxPattern::registerKind(const wxString& elementName, Factory factory)
{
    factories()[elementName.Lower()] = factory;
}

int readPatternsFromXml(const wxXmlNode* patterns, std::vector<QxObjectSmartPtr<QxPattern>>& list)
{
    int added = 0;
    if (!patterns)
        return added;
    for (const wxXmlNode* child = patterns->GetChildren(); child; child = child->GetNext()) {
        if (child->GetType() != wxXML_ELEMENT_NODE)
            continue;
        const auto it = factories().find(child->GetName().Lower());
        if (it == factories().end() || !it->second)
            continue;
        if (QxPattern* pattern = it->second(child)) {
            list.emplace_back(pattern);
            ++added;
        }
    }
    return added;
}

bool QxPattern::isPatternAt(unsigned, double) const { return false; }

wxString QxPattern::tooltip(unsigned) const { return wxString(); }

QxAtom QxPattern::getName() const { return QxAtom(); }

wxString QxPattern::getDisplayText() const { return wxString(); }

bool QxPattern::configure() { return false; }

int QxPattern::fromXml(const wxXmlNode*) { return eNotImplemented; }

int QxPattern::getMargins(unsigned, unsigned, const QxScale&, const QxScale&, wxPoint&, wxPoint&) const
{
    return eNotImplemented;
}
