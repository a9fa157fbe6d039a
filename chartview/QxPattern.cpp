#include "chartview/QxPattern.h"

#include "chartview/QxPatternRegistry.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"

#include <wx/string.h>
#include <wx/xml/xml.h>

#include <map>

QxPattern::QxPattern() = default;
QxPattern::QxPattern(const QxPattern& other) : QxObject(), m_calculator(other.m_calculator) {}
QxPattern::~QxPattern() = default;

void QxPattern::setCalculator(QxCalculator* calculator)
{
    m_calculator = calculator;
}

QxPattern* createPatternFromXml(const wxXmlNode* element)
{
    if (!element || element->GetType() != wxXML_ELEMENT_NODE || element->GetName().empty())
        return nullptr;
    const QxPattern* prototype = QxPatternRegistry::instance().getObj(QxAtom(element->GetName()));
    QxPattern* pattern = prototype ? prototype->clone() : nullptr;
    if (pattern)
        pattern->fromXml(element);
    return pattern;
}

int readPatternsFromXml(const wxXmlNode* patterns, QxPatternList& list, unsigned* leftOut)
{
    if (!patterns)
        return eNoError;
    // Two patterns under one index are both kept, in document order: a
    // repeated number loses nothing the file holds.
    std::multimap<long, QxObjectSmartPtr<QxPattern>> byIndex;
    for (const wxXmlNode* child = patterns->GetChildren(); child; child = child->GetNext()) {
        if (child->GetType() != wxXML_ELEMENT_NODE)
            continue;
        QxObjectSmartPtr<QxPattern> pattern(createPatternFromXml(child));
        // An index that is no integer counts as missing: read as 0 it
        // would be placed before the real first pattern.
        wxString text;
        long index = 0;
        if (!pattern || !child->GetAttribute("Index", &text) || !text.ToLong(&index, 10)) {
            if (leftOut)
                ++*leftOut;
            continue;
        }
        byIndex.emplace(index, pattern);
    }
    for (auto& entry : byIndex)
        list.push_back(entry.second);
    return eNoError;
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
