#pragma once
// A drawing the user puts on a chart zone (lines, shapes, texts and the
// analysis tools). Annotations live in chart coordinates (bar position,
// value) and reach pixels only through the zone's two scales, so they move
// and stretch with the chart. The zone holds them per bar period, draws
// those that are not selected into the chart picture (the selected one is
// drawn over it by the view's annotation handler) and stores them in its
// XML.
#include "chartview/QxPoint.h"
#include "core/QxAtom.h"
#include "core/QxObject.h"

#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/pen.h>
#include <wx/string.h>

#include <vector>

class QxCalculator;
class QxScale;
class wxDC;
class wxXmlNode;

// Two corners in chart coordinates.
struct QxAnnotBox {
    double x1 = 1.0;
    double y1 = 1.0;
    double x2 = 0.0;
    double y2 = 0.0;
};

class QxAnnot : public QxObject {
public:
    // What a kind uses; decides the attributes of its XML element.
    enum Property { ePropFont = 1, ePropPen = 2, ePropColour = 3 };
    // hitTest results.
    enum Hit { eHitNone = 0, eHitPoint = 1, eHitBody = 2 };

    ~QxAnnot() override;

    virtual QxAnnot* clone() const = 0;
    // The kind's class name, also its XML element name.
    virtual QxAtom getName() const = 0;
    virtual unsigned numPoints() const = 0;
    // 0, eInvalidIndex for an index the kind has no point for, or
    // eNotAllParamsValid when the kind refuses the point.
    virtual int setPoint(unsigned index, const QxPoint& point) = 0;
    virtual QxPoint getPoint(unsigned index) const = 0;
    // The box a text is laid out in; an empty box (x2 < x1) for kinds
    // without text.
    virtual QxAnnotBox getTextBox() const;
    // p in logical pixels. Gives eHitPoint (with *pointIndex set) only when
    // pointIndex is given; tolerance -1 is the kind's default.
    virtual int hitTest(const wxPoint& p, const QxScale& x, const QxScale& y, unsigned* pointIndex,
                        int tolerance) const = 0;
    virtual bool hasProperty(int property) const = 0;
    // 0, or eNotAllParamsValid when points the kind needs are not set.
    virtual int draw(wxDC& dc, unsigned firstBar, unsigned lastBar, const QxScale& x,
                     const QxScale& y) const = 0;
    // Appends the annotation's element as the last child of parent.
    virtual wxXmlNode* toXml(wxXmlNode* parent) const;

    // Reads the attributes and points the base form writes; always 0.
    int fromXml(const wxXmlNode* element);

    const wxPen& getPen() const { return m_pen; }
    void setPen(const wxPen& pen) { m_pen = pen; }
    const wxFont& getFont() const { return m_font; }
    void setFont(const wxFont& font) { m_font = font; }
    // Set while the annotation is the active one of its view: the zone
    // leaves it out of the chart picture and it shows its handles.
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected) { m_selected = selected; }

    // The chart's calculator; the zone hands it over at every layout.
    void setCalculator(QxCalculator* calculator);
    QxCalculator* getCalculator() const { return m_calculator.get(); }

    // The default hit tolerance of most kinds, from the pen width.
    int defaultTolerance() const;

protected:
    QxAnnot();
    QxAnnot(const QxAnnot& other);

    // A point's pixel through the two scales.
    static wxPoint toPixel(const QxPoint& point, const QxScale& x, const QxScale& y);
    // Whether p lies within tolerance of pixel on both axes.
    static bool nearPixel(const wxPoint& pixel, const wxPoint& p, int tolerance);
    // The first of pixels near p (its index in *index); false when none is.
    static bool hitPixels(const std::vector<wxPoint>& pixels, const wxPoint& p, int tolerance,
                          unsigned* index);
    // Handle squares of the selected annotation, filled in the pen's colour.
    void drawHandles(wxDC& dc, const std::vector<wxPoint>& pixels) const;

private:
    QxObjectSmartPtr<QxCalculator> m_calculator;
    wxFont m_font;
    wxPen m_pen;
    bool m_selected = false;
};

// "Color:<rgb>;Width:<w>;Style:<s>", red in the low byte of the colour.
wxString formatPenSpec(const wxPen& pen);
// Sets the pen from such a text when all three numbers read, the width is
// 0 to 100 and the style one the framework draws without extra data;
// otherwise leaves it alone and gives false.
bool parsePenSpec(const wxString& text, wxPen& pen);

// Whether p lies within tolerance of the line through a and b, tested only
// inside the x range of a and b widened by the tolerance.
bool segmentNearPoint(const wxPoint& a, const wxPoint& b, const wxPoint& p, int tolerance);

// The first child element of node named name, compared without case.
wxXmlNode* findXmlChildNoCase(const wxXmlNode* node, const wxString& name);

// A new annotation (no reference taken) read from an element named by one
// of the kinds, compared without regard to case; null for any other element,
// or a line of an unknown type.
QxAnnot* createAnnotFromXml(const wxXmlNode* element);
