#pragma once
// A detected chart pattern held by a zone: painted over the zone's values,
// written into the zone's XML, and asked for the room it needs above and
// below the values.  The detectors of the chart views create them.
#include "core/QxAtom.h"
#include "core/QxObject.h"

#include <wx/gdicmn.h>
#include <wx/string.h>

#include <vector>

class QxCalculator;
class QxScale;
class wxDC;
class wxXmlNode;

class QxPattern : public QxObject {
public:
    ~QxPattern() override;

    // The kind's name: the element name of its XML. The base has none.
    virtual QxAtom getName() const;
    // One line naming the pattern and its settings; empty in the base.
    virtual wxString getDisplayText() const;
    virtual QxPattern* clone() const = 0;
    // Shows the pattern's settings modally; true when they were taken over.
    // A pattern without settings refuses.
    virtual bool configure();
    virtual void display(wxDC& dc, unsigned first, unsigned last, const QxScale& dateScale,
                         const QxScale& valueScale) const = 0;
    // Links the pattern's new element under parent and returns it.
    virtual wxXmlNode* toXml(wxXmlNode* parent) const = 0;
    // Reads the settings from the pattern's element; eNotImplemented in the
    // base, which has none.
    virtual int fromXml(const wxXmlNode* element);
    // 0 when top.y and bottom.y were set to the pixels needed above and
    // below the values; the base needs no room (eNotImplemented, nothing set).
    virtual int getMargins(unsigned first, unsigned last, const QxScale& dateScale, const QxScale& valueScale,
                           wxPoint& top, wxPoint& bottom) const;

    // Whether the pattern marks the bar near value, and its tooltip text
    // for the bar; a kind that shows no tooltips keeps these.
    virtual bool isPatternAt(unsigned bar, double value) const;
    virtual wxString tooltip(unsigned bar) const;

    // The zone hands its calculator over at every layout.
    void setCalculator(QxCalculator* calculator);
    QxCalculator* getCalculator() const { return m_calculator.get(); }

protected:
    QxPattern();
    QxPattern(const QxPattern& other);

private:
    QxObjectSmartPtr<QxCalculator> m_calculator;
};

using QxPatternList = std::vector<QxObjectSmartPtr<QxPattern>>;

// A new pattern (no reference taken) of the registered kind named by the
// element, read from it; null for a kind nobody registered. What the
// pattern's reader made of the element is not looked at: attributes it
// could not read keep their defaults.
QxPattern* createPatternFromXml(const wxXmlNode* element);

// Reads a zone's "Patterns" element: each child of a registered kind with
// an integer "Index" is kept under it and the kept patterns are appended to
// list in ascending order of index (children sharing one index in document
// order). Child elements it cannot use are skipped and counted in leftOut
// when given. Always 0.
int readPatternsFromXml(const wxXmlNode* patterns, QxPatternList& list, unsigned* leftOut = nullptr);
