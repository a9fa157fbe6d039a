#pragma once
// An ordered list of configured indicators that can be saved to a "*.trdt"
// file and applied to any chart.
#include "core/QxObject.h"

#include <wx/filename.h>

#include <vector>

class QxIndicator;

class QxTemplate : public QxObject {
public:
    using IndicatorList = std::vector<QxObjectSmartPtr<QxIndicator>>;

    QxTemplate();
    // Clones of the source's indicators (parameters, drawables and inputs);
    // the copy counts as modified.
    QxTemplate(const QxTemplate& other);
    // Shares the source's indicator objects.
    QxTemplate& operator=(const QxTemplate& other);
    ~QxTemplate() override;

    unsigned numIndics() const { return static_cast<unsigned>(m_indicators.size()); }
    // Null past the end.
    const QxIndicator* indicAt(unsigned index) const;
    // eInvalidInput for null; an index at or past the end appends.
    [[nodiscard]] int addIndicator(QxIndicator* indicator, unsigned index);
    // Appends in order; at the first null entry returns eInvalidInput,
    // keeping those already appended.
    [[nodiscard]] int addIndicators(const IndicatorList& list);
    [[nodiscard]] int removeAt(unsigned index);

    bool isModified() const { return m_modified; }

    // Reads the indicators of a template file.  A file that is missing, does
    // not parse or holds an inconsistent indicator list leaves the template
    // as it was: eErrorInOpeningTemplateFile, or the list reader's code.
    [[nodiscard]] int loadFromFile(const wxFileName& file);
    // Whether the file loads and yields at least one indicator: the program
    // never writes an empty template, so a file that yields none (any other
    // XML file) is no template.
    static bool isTemplateFile(const wxFileName& file);
    // eEmptyIndicatorList (nothing written) for an empty template.  The file
    // is written beside the target and renamed over it, so a failed save
    // (eErrorInSavingTemplate) keeps the old file.
    [[nodiscard]] int saveToFile(const wxFileName& file);

private:
    IndicatorList m_indicators;
    bool m_modified;
};
