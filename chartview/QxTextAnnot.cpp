#include "chartview/QxTextAnnot.h"

#include "chartview/QxTextLayout.h"
#include "core/QxErrorCode.h"

#include <wx/dc.h>
#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <cstdlib>

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
    if (m_boxWidth > 0)
        element->AddAttribute("BoxWidth", wxString::Format("%d", m_boxWidth));
    return element;
}

void QxTextAnnot::setBoxWidth(int width) { m_boxWidth = width >= 1 && width <= kMaxBoxWidth ? width : 0; }

const QxTextLayout& QxTextAnnot::layout(int boxWidth) const
{
    const wxString key =
        wxString::Format("%d|", boxWidth) + (getFont().IsOk() ? getFont().GetNativeFontInfoDesc() : wxString()) +
        "|" + m_text;
    if (!m_layout || key != m_layoutKey) {
        m_layout = std::make_shared<const QxTextLayout>(getFont(), m_text, boxWidth);
        m_layoutKey = key;
    }
    return *m_layout;
}

wxRect QxTextAnnot::pixelBox(const QxScale& x, const QxScale& y) const
{
    // The box hangs from its first corner.
    const wxPoint topLeft = toPixel(m_p0, x, y);
    int width = m_boxWidth;
    if (width <= 0) {
        // Across the corners at this zoom, but no word broken; a second
        // corner left of the first (never placed) leaves the text unwrapped.
        const int right = toPixel(m_p1, x, y).x;
        width = right > topLeft.x ? std::max(right - topLeft.x + 1, QxTextLayout::wordBoxWidth(getFont(), m_text))
                                  : std::min(layout(0).boxWidth(), kMaxBoxWidth);
    }
    return wxRect(topLeft, wxSize(width, layout(width).boxHeight()));
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
        const QxTextLayout& lines = layout(box.width);
        for (size_t i = 0; i < lines.lines().size(); ++i)
            dc.DrawText(lines.lineText(i), box.GetTopLeft() + lines.lines()[i].pos);
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
        drawHandles(dc, {box.GetTopLeft(), box.GetBottomRight()});
    }
    return eNoError;
}

int QxTextAnnot::hitTest(const wxPoint& p, const QxScale& x, const QxScale& y, unsigned* pointIndex,
                         int tolerance) const
{
    const int t = tolerance < 0 ? 3 * (getPen().IsOk() ? getPen().GetWidth() : 1) : tolerance;
    const wxRect box = pixelBox(x, y);
    if (pointIndex && hitPixels({box.GetTopLeft(), box.GetBottomRight()}, p, t, pointIndex))
        return eHitPoint;
    // The whole box is the body: a text is picked anywhere on it.
    return wxRect(box).Inflate(t).Contains(p) ? eHitBody : eHitNone;
}
