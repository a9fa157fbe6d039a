#include "chartview/QxAnnot.h"

#include "core/QxCalculator.h"

#include <wx/xml/xml.h>

#include <map>

namespace {
// The annotation kinds, by lower-case element name.
std::map<wxString, QxAnnot::Factory>& kinds()
{
    static std::map<wxString, QxAnnot::Factory> map{
        {"qxlineannot", nullptr},
        {"qxtextannot", nullptr},
        {"qxandrewspitchfork", nullptr},
        {"qxlinearregressionchannel", nullptr},
        {"qxfibonacciretracement", nullptr},
    };
    return map;
}
} // namespace

QxAnnot::QxAnnot() = default;
QxAnnot::QxAnnot(const QxAnnot& other)
    : QxObject(), m_doNotDraw(other.m_doNotDraw), m_calculator(other.m_calculator)
{
}
QxAnnot::~QxAnnot() = default;

void QxAnnot::setCalculator(QxCalculator* calculator)
{
    m_calculator = calculator;
}

bool QxAnnot::registerKind(const wxString& kind, Factory factory)
{
    const auto it = kinds().find(kind.Lower());
    if (it == kinds().end())
        return false;
    it->second = factory;
    return true;
}

QxAnnot* createAnnotFromXml(const wxXmlNode* element)
{
    if (!element || element->GetType() != wxXML_ELEMENT_NODE)
        return nullptr;
    const auto it = kinds().find(element->GetName().Lower());
    if (it == kinds().end() || !it->second)
        return nullptr;
    return it->second(element);
}
