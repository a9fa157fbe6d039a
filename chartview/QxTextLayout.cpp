#include "chartview/QxTextLayout.h"

#include <wx/dc.h>

#include <algorithm>

QxTextLayout::QxTextLayout(wxDC& dc, const wxString& text, int boxWidth) : m_text(text)
{
    m_lineHeight = std::max(1, dc.GetCharHeight());
    const int avail = std::max(1, boxWidth - 2 * kMargin);
    size_t paraStart = 0;
    while (true) {
        size_t paraEnd = m_text.find('\n', paraStart);
        if (paraEnd == wxString::npos)
            paraEnd = m_text.length();
        const wxString para = m_text.substr(paraStart, paraEnd - paraStart);
        wxArrayInt ends; // right edge of each character from the paragraph's start
        if (!para.empty())
            dc.GetPartialTextExtents(para, ends);
        auto edge = [&](size_t i) { return i == 0 || ends.IsEmpty() ? 0 : ends[std::min(i, ends.size()) - 1]; };
        size_t start = 0;
        do {
            // The most characters from start that fit, at least one.
            size_t end = start;
            while (end < para.length() && (end == start || edge(end + 1) - edge(start) <= avail))
                ++end;
            if (end < para.length()) {
                // Break after the last space that still fits (or the space
                // that does not); a word longer than the line breaks where
                // the line is full.
                size_t space = end;
                while (space > start && para[space] != ' ')
                    --space;
                if (para[space] == ' ')
                    end = space + 1;
            }
            QxTextLine line;
            line.start = paraStart + start;
            line.length = end - start;
            line.pos = wxPoint(kMargin, kMargin + static_cast<int>(m_lines.size()) * m_lineHeight);
            std::vector<int> edges;
            for (size_t i = start; i <= end; ++i)
                edges.push_back(edge(i) - edge(start));
            m_lines.push_back(line);
            m_edges.push_back(std::move(edges));
            start = end;
        } while (start < para.length());
        if (paraEnd >= m_text.length())
            break;
        paraStart = paraEnd + 1;
    }
}

wxString QxTextLayout::lineText(size_t line) const
{
    return line < m_lines.size() ? m_text.substr(m_lines[line].start, m_lines[line].length) : wxString();
}

int QxTextLayout::heightFor(size_t lines, int lineHeight)
{
    return static_cast<int>(std::max<size_t>(lines, 1)) * lineHeight + 2 * kMargin;
}

size_t QxTextLayout::charAt(const wxPoint& inBox) const
{
    if (m_lines.empty())
        return 0;
    const int row = (inBox.y - kMargin) / m_lineHeight;
    const size_t line = inBox.y < kMargin ? 0 : std::min<size_t>(row, m_lines.size() - 1);
    const std::vector<int>& edges = m_edges[line];
    const int x = inBox.x - kMargin;
    size_t i = 0;
    // Before the middle of a character is before the character.
    while (i + 1 < edges.size() && x >= (edges[i] + edges[i + 1]) / 2)
        ++i;
    return m_lines[line].start + i;
}
