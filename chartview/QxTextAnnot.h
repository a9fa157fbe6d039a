#pragma once
// A block of free text on a chart zone. Its two points are the corners of
// the text box in chart coordinates as the editor left them; the box hangs
// from the first one and moves with the chart. Its width is kept in pixels,
// like its font, so the text shows the editor's line breaks at every zoom;
// its height is the text's. The text's colour is the pen's colour; the pen
// is not stored otherwise.
#include "chartview/QxAnnot.h"

#include <memory>

class QxTextLayout;

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

    // The width in pixels the text is laid out for; 0 when unknown (a chart
    // file that did not keep it): the box then spans both corners at the
    // current zoom, never so narrow that a word breaks.
    int boxWidth() const { return m_boxWidth; }
    // Widths outside 1 .. kMaxBoxWidth are unknown.
    void setBoxWidth(int width);
    static constexpr int kMaxBoxWidth = 32767;

    // The text box in logical pixels.
    wxRect pixelBox(const QxScale& x, const QxScale& y) const;
    // The lines of the text in a box that wide, as drawn.
    const QxTextLayout& layout(int boxWidth) const;

    // What a new text box shows until the user types.
    static wxString placeholder();

private:
    QxPoint m_p0;
    QxPoint m_p1;
    wxString m_text;
    int m_boxWidth = 0;
    bool m_editing = false;
    // The last layout made, for as long as text, font and width stay.
    mutable std::shared_ptr<const QxTextLayout> m_layout;
    mutable wxString m_layoutKey;
};
