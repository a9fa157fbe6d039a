#include "chart/QxTemplate.h"

#include "core/QxErrorCode.h"
#include "core/QxIndicator.h"
#include "core/QxIndicatorLinks.h"
#include "core/QxXmlFile.h"

#include <wx/xml/xml.h>


QxTemplate::QxTemplate() : m_modified(false) {}

QxTemplate::QxTemplate(const QxTemplate& other) : QxObject(), m_modified(true)
{
    m_indicators.reserve(other.m_indicators.size());
    for (const auto& indicator : other.m_indicators)
        m_indicators.emplace_back(indicator->clone(QxIndicator::eCloneParams | QxIndicator::eCloneDrawables |
                                                   QxIndicator::eCloneInputs));
}

QxTemplate& QxTemplate::operator=(const QxTemplate& other)
{
    if (this != &other) {
        m_indicators = other.m_indicators;
        m_modified = other.m_modified;
    }
    return *this;
}

QxTemplate::~QxTemplate() = default;

const QxIndicator* QxTemplate::indicAt(unsigned index) const
{
    return index < m_indicators.size() ? m_indicators[index].get() : nullptr;
}

int QxTemplate::addIndicator(QxIndicator* indicator, unsigned index)
{
    if (!indicator)
        return eInvalidInput;
    if (index >= m_indicators.size())
        m_indicators.emplace_back(indicator);
    else
        m_indicators.emplace(m_indicators.begin() + index, indicator);
    m_modified = true;
    return eNoError;
}

int QxTemplate::addIndicators(const IndicatorList& list)
{
    for (const auto& indicator : list) {
        if (!indicator)
            return eInvalidInput;
        m_indicators.push_back(indicator);
        m_modified = true;
    }
    return eNoError;
}

int QxTemplate::removeAt(unsigned index)
{
    if (index >= m_indicators.size())
        return eInvalidIndex;
    m_indicators.erase(m_indicators.begin() + index);
    m_modified = true;
    return eNoError;
}

int QxTemplate::loadFromFile(const wxFileName& file)
{
    // A template holds a few indicators; a file far larger or deeper is
    // not one and is never parsed into a tree.
    static const QxXmlLimits limits{16u << 20, 256};
    wxXmlDocument doc;
    if (qxLoadXmlFile(file.GetFullPath(), doc, limits, wxString(), nullptr) != QxXmlRead::eRead)
        return eErrorInOpeningTemplateFile;
    // Read into a fresh list first so a bad file changes nothing.
    IndicatorList read;
    std::vector<const wxXmlNode*> elements;
    const int rc = QxIndicator::fromXml(doc.GetRoot(), read, &elements);
    if (rc != eNoError)
        return rc;
    // Composites: an average of the template's RSI is over that RSI again.
    QxIndicatorLinks links;
    for (size_t i = 0; i < read.size(); ++i)
        links.noteRead(elements[i], read[i].get());
    links.join();
    m_indicators.swap(read);
    m_modified = false;
    return eNoError;
}

bool QxTemplate::isTemplateFile(const wxFileName& file)
{
    QxObjectSmartPtr<QxTemplate> probe(new QxTemplate);
    return probe->loadFromFile(file) == eNoError && probe->numIndics() > 0;
}

int QxTemplate::saveToFile(const wxFileName& file)
{
    if (m_indicators.empty())
        return eEmptyIndicatorList;

    wxXmlDocument doc;
    auto* root = new wxXmlNode(wxXML_ELEMENT_NODE, "TrendoriaTemplate");
    root->AddAttribute("Version", "2");
    doc.SetRoot(root);
    QxIndicator::toXml(m_indicators, root);

    if (!qxSaveXmlFile(doc, file.GetFullPath(), 2))
        return eErrorInSavingTemplate;
    m_modified = false;
    return eNoError;
}
