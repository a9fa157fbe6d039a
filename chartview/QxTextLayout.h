#pragma once
// How a text annotation's text is laid out in its box: the one layout that
// the chart drawing, the size of a new box and the in-place editor's growth
// all use. The lines break where the editor breaks them (the text control's
// own layout, core/platform/QxTextControlLayout), kMargin pixels inside the
// box on every side, so the text wraps alike wherever it shows.
#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

#include <vector>

struct QxTextLine {
    size_t start = 0;  // index of the line's first character in the text
    size_t length = 0; // characters, without the line break
    wxPoint pos;       // of the first character, relative to the box's top left
};

class QxTextLayout {
public:
    // Free space between the box's edges and its text.
    static constexpr int kMargin = 3;

    // Lays text out in font for a box boxWidth pixels wide; for 0 or less
    // lines end at line breaks only.
    QxTextLayout(const wxFont& font, const wxString& text, int boxWidth);

    const std::vector<QxTextLine>& lines() const { return m_lines; }
    wxString lineText(size_t line) const;
    int lineHeight() const { return m_lineHeight; }
    // The height of a box showing every line.
    int boxHeight() const { return m_textHeight + 2 * kMargin; }
    // The width of a box whose widest line just fits.
    int boxWidth() const { return m_textWidth + 2 * kMargin; }

    // The narrowest box that breaks no word of text inside: its widest word
    // on a line of its own.
    static int wordBoxWidth(const wxFont& font, const wxString& text);

    // The index in the text of the character at a point relative to the
    // box's top left (the end of a line right of its last character).
    size_t charAt(const wxPoint& inBox) const;

private:
    wxString m_text;
    int m_lineHeight = 1;
    int m_textHeight = 1;
    int m_textWidth = 0;
    std::vector<QxTextLine> m_lines;
    // Left edge of every character of each line, from the line's start, and
    // the line's width last.
    std::vector<std::vector<int>> m_edges;
};
