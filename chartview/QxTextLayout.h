#pragma once
// How a text annotation's text is laid out in its box: the one layout that
// the chart drawing, the size of a new box and the in-place editor's growth
// all use, so the text wraps alike wherever it shows. Lines break at
// explicit line breaks and, by word (by character for a word longer than a
// line), where the text would pass the box's right margin.
#include <wx/gdicmn.h>
#include <wx/string.h>

#include <vector>

class wxDC;

struct QxTextLine {
    size_t start = 0;  // index of the line's first character in the text
    size_t length = 0; // characters, without the line break
    wxPoint pos;       // of the first character, relative to the box's top left
};

class QxTextLayout {
public:
    // Free space between the box's edges and its text.
    static constexpr int kMargin = 3;

    // Lays text out for a box boxWidth pixels wide, measured with the dc's
    // current font.
    QxTextLayout(wxDC& dc, const wxString& text, int boxWidth);

    const std::vector<QxTextLine>& lines() const { return m_lines; }
    wxString lineText(size_t line) const;
    int lineHeight() const { return m_lineHeight; }
    // The height of a box showing every line.
    int boxHeight() const { return heightFor(m_lines.size(), m_lineHeight); }
    static int heightFor(size_t lines, int lineHeight);

    // The index in the text of the character at a point relative to the
    // box's top left (the end of a line right of its last character).
    size_t charAt(const wxPoint& inBox) const;

private:
    wxString m_text;
    int m_lineHeight = 1;
    std::vector<QxTextLine> m_lines;
    // Left edge of every character of each line, from the line's start, and
    // the line's width last.
    std::vector<std::vector<int>> m_edges;
};
