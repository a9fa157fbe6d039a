#pragma once
// A drawn annotation held by a zone under the bar period it was drawn in:
// painted over the zone's values unless its do-not-draw flag is set, and
// written into the zone's XML.  The chart views create them.
#include "core/QxObject.h"

#include <wx/string.h>

class QxCalculator;
class QxScale;
class wxDC;
class wxXmlNode;

class QxAnnot : public QxObject {
public:
    ~QxAnnot() override;

    virtual QxAnnot* clone() const = 0;
    virtual void draw(wxDC& dc, unsigned first, unsigned last, const QxScale& dateScale,
                      const QxScale& valueScale) const = 0;
    // Writes the annotation's element under parent.
    virtual void toXml(wxXmlNode* parent) const = 0;

    // While set, the zone does not draw the annotation (it is being edited).
    bool doNotDraw() const { return m_doNotDraw; }
    void setDoNotDraw(bool value) { m_doNotDraw = value; }

    // The zone hands its calculator over at every layout.
    void setCalculator(QxCalculator* calculator);
    QxCalculator* getCalculator() const { return m_calculator.get(); }

    // Makes an annotation of one kind from its element.
    using Factory = QxAnnot* (*)(const wxXmlNode* element);
    // Registers the maker of one of the annotation kinds ("QxLineAnnot",
    // "QxTextAnnot", "QxAndrewsPitchFork", "QxLinearRegressionChannel",
    // "QxFibonacciRetracement"); false for any other name.
    static bool registerKind(const wxString& kind, Factory factory);

protected:
    QxAnnot();
    QxAnnot(const QxAnnot& other);

private:
    bool m_doNotDraw = false;
    QxObjectSmartPtr<QxCalculator> m_calculator;
};

// A new annotation (no reference taken) read from an element named by one
// of the annotation kinds, compared without regard to case; null for any
// other element or a kind whose maker is not registered.
QxAnnot* createAnnotFromXml(const wxXmlNode* element);
