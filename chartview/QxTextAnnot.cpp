#include "chartview/QxTextAnnot.h"

#include "chartview/QxTextLayout.h"
#include "core/QxErrorCode.h"

#include <wx/dc.h>
#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/xml/xml.h>

QxTextAnnot::QxTextAnnot(const wxString& text) : m_text(text)
{
    wxFont font = *wxNORMAL_FONT;
    font.SetPointSize(12);
    setFont(font);
}

QxAtom QxTextAnnot::getName() const { return QxAtom("QxTextAnnot"); }

wxString QxTextAnnot::placeholder() { return _("Start typing to add text"); }

int QxTextAnnot::setPoint(unsigned index, const QxPoint& point)
{
    if (index > 1)
        return eInvalidIndex;
    (index == 0 ? m_p0 : m_p1) = point;
    return eNoError;
}

wxXmlNode* QxTextAnnot::toXml(wxXmlNode* parent) const
{
    wxXmlNode* element = QxAnnot::toXml(parent);
    element->AddAttribute("Text", m_text);
    return element;
}

wxRect QxTextAnnot::pixelBox(const QxScale& x, const QxScale& y) const
{
    return wxRect(toPixel(m_p0, x, y), toPixel(m_p1, x, y));
}

int QxTextAnnot::draw(wxDC& dc, unsigned, unsigned, const QxScale& x, const QxScale& y) const
{
    const wxRect box = pixelBox(x, y);
    const wxColour colour = getPen().IsOk() ? getPen().GetColour() : *wxRED;
    if (!m_editing) {
        const wxFont oldFont = dc.GetFont();
        const wxColour oldColour = dc.GetTextForeground();
        if (getFont().IsOk())
            dc.SetFont(getFont());
        dc.SetTextForeground(colour);
        const QxTextLayout layout(dc, m_text, box.width);
        for (size_t i = 0; i < layout.lines().size(); ++i)
            dc.DrawText(layout.lineText(i), box.GetTopLeft() + layout.lines()[i].pos);
        dc.SetFont(oldFont);
        dc.SetTextForeground(oldColour);
    }
    if (isSelected()) {
        if (!m_editing) {
            const wxPen oldPen = dc.GetPen();
            dc.SetPen(wxPen(colour, 1, wxPENSTYLE_DOT));
            const wxPoint corners[] = {{box.x, box.y},
                                       {box.GetRight(), box.y},
                                       {box.GetRight(), box.GetBottom()},
                                       {box.x, box.GetBottom()},
                                       {box.x, box.y}};
            dc.DrawLines(5, corners);
            dc.SetPen(oldPen);
        }
        drawHandles(dc, {toPixel(m_p0, x, y), toPixel(m_p1, x, y)});
    }
    return eNoError;
}

int QxTextAnnot::hitTest(const wxPoint& p, const QxScale& x, const QxScale& y, unsigned* pointIndex,
                         int tolerance) const
{
    const int t = tolerance < 0 ? 3 * (getPen().IsOk() ? getPen().GetWidth() : 1) : tolerance;
    if (pointIndex && hitPixels({toPixel(m_p0, x, y), toPixel(m_p1, x, y)}, p, t, pointIndex))
        return eHitPoint;
    // The whole box is the body: a text is picked anywhere on it.
    return pixelBox(x, y).Inflate(t).Contains(p) ? eHitBody : eHitNone;
}
