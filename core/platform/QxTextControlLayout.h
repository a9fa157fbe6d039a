#pragma once
// The lines the toolkit's multi-line text control shows for a text: where it
// breaks them and where each one starts. A text drawn elsewhere with these
// lines (a chart's text box) wraps exactly as the control that edits it, so
// both the drawing and the editor come here. The control breaks between
// words and, inside a word longer than a line, between characters; it lays
// the text out with the desktop's own font settings, which this layout
// follows too.
#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

#include <utility>
#include <vector>

class wxTextCtrl;

struct QxControlLine {
    size_t start = 0;       // index in the text of the line's first character
    size_t length = 0;      // characters, without a line break
    wxPoint pos;            // the line's top left, relative to the text's top left
    std::vector<int> edges; // left edge of each character from pos.x, the line's end last
};

struct QxControlText {
    std::vector<QxControlLine> lines; // at least one, empty for an empty text
    int width = 0;                    // of the widest line
    int height = 0;                   // of all lines
    int lineHeight = 1;               // of the first line
};

namespace QxTextControlLayout {

// Lays text out in font as the control does when the space between its
// margins is wrapWidth pixels wide; 0 or less: no wrapping, lines end at
// line breaks only.
QxControlText layout(const wxFont& font, const wxString& text, int wrapWidth);

// The text width (between the margins) the control needs to keep the widest
// piece of text on one line that it keeps together while the line has room:
// a word, with what clings to it.
int widestWord(const wxFont& font, const wxString& text);

// Gives a multi-line control margin pixels of free space on every side that
// its wrapping respects, wraps it as layout() does, and keeps it at its
// first line: a control that grows to fit its text has nothing to scroll to,
// and a scroll made before it grows would hide its first line. False when
// the control is not one the toolkit lets us reach.
bool prepareEditor(wxTextCtrl* control, int margin);

// The lines the control shows now: for each, the index of its first
// character and its top left in the control's client pixels.
std::vector<std::pair<size_t, wxPoint>> shownLines(wxTextCtrl* control);

} // namespace QxTextControlLayout
