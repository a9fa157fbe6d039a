#pragma once
// A block of free text on a chart zone. Its two points are the corners of
// the text box in chart coordinates, so the box moves and stretches with
// the chart; the text is laid out in it as the in-place editor shows it.
// The text's colour is the pen's colour; the pen is not stored otherwise.
#include "chartview/QxAnnot.h"

class QxTextAnnot : public QxAnnot {
public:
    explicit QxTextAnnot(const wxString& text = wxString());

    QxAnnot* clone() const override { return new QxTextAnnot(*this); }
    QxAtom getName() const override;
    unsigned numPoints() const override { return 2; }
    int setPoint(unsigned index, const QxPoint& point) override;
    QxPoint getPoint(unsigned index) const override { return index == 0 ? m_p0 : m_p1; }
    QxAnnotBox getTextBox() const override { return {m_p0.x, m_p0.y, m_p1.x, m_p1.y}; }
    int hitTest(const wxPoint& p, const QxScale& x, const QxScale& y, unsigned* pointIndex,
                int tolerance) const override;
    bool hasProperty(int property) const override { return property == ePropFont || property == ePropColour; }
    int draw(wxDC& dc, unsigned firstBar, unsigned lastBar, const QxScale& x, const QxScale& y) const override;
    wxXmlNode* toXml(wxXmlNode* parent) const override;

    const wxString& getText() const { return m_text; }
    void setText(const wxString& text) { m_text = text; }
    // Set while the in-place editor is open over the annotation: the editor
    // shows the text, the chart only the handles.
    bool isEditing() const { return m_editing; }
    void setEditing(bool editing) { m_editing = editing; }

    // The text box in logical pixels.
    wxRect pixelBox(const QxScale& x, const QxScale& y) const;

    // What a new text box shows until the user types.
    static wxString placeholder();

private:
    QxPoint m_p0;
    QxPoint m_p1;
    wxString m_text;
    bool m_editing = false;
};
