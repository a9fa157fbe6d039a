#include "chartview/QxTextLayout.h"

#include "core/platform/QxTextControlLayout.h"

#include <algorithm>

QxTextLayout::QxTextLayout(const wxFont& font, const wxString& text, int boxWidth) : m_text(text)
{
    const int wrap = boxWidth > 0 ? std::max(1, boxWidth - 2 * kMargin) : 0;
    QxControlText laid = QxTextControlLayout::layout(font, text, wrap);
    m_lineHeight = laid.lineHeight;
    m_textHeight = laid.height;
    m_textWidth = laid.width;
    for (QxControlLine& l : laid.lines) {
        QxTextLine line;
        line.start = std::min(l.start, m_text.length());
        line.length = std::min(l.length, m_text.length() - line.start);
        line.pos = l.pos + wxPoint(kMargin, kMargin);
        m_lines.push_back(line);
        m_edges.push_back(std::move(l.edges));
    }
}

wxString QxTextLayout::lineText(size_t line) const
{
    return line < m_lines.size() ? m_text.substr(m_lines[line].start, m_lines[line].length) : wxString();
}

int QxTextLayout::wordBoxWidth(const wxFont& font, const wxString& text)
{
    return QxTextControlLayout::widestWord(font, text) + 2 * kMargin;
}

size_t QxTextLayout::charAt(const wxPoint& inBox) const
{
    if (m_lines.empty())
        return 0;
    // The line whose rows hold the point; above the first, the first, below
    // the last, the last.
    size_t line = 0;
    while (line + 1 < m_lines.size() && inBox.y >= m_lines[line + 1].pos.y)
        ++line;
    const std::vector<int>& edges = m_edges[line];
    const int x = inBox.x - m_lines[line].pos.x;
    size_t i = 0;
    // Before the middle of a character is before the character.
    while (i + 1 < edges.size() && x >= (edges[i] + edges[i + 1]) / 2)
        ++i;
    return m_lines[line].start + i;
}
