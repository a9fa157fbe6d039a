#pragma once
// The cursor stack of a window (the chart views, the portfolio view): a
// window sets the cursor of what it is doing, and returning to the cursor
// it came from pops back instead of pushing, so nested modes unwind in
// order. Cursors are built from the files in the "artworks" folder on first
// use and kept until exit.
#include <wx/cursor.h>
#include <wx/string.h>
#include <wx/window.h>

#include <cstdint>
#include <deque>

struct QxCursorIds {
    enum QxCursorId : int8_t {
        eCursorDefault = 0,
        eCursorOpenHand = 1,     // "open_hand.cur"
        eCursorClosedHand = 2,   // "close_hand.cur": panning
        eCursorCross = 3,        // "cross.cur": an annotation tool is selected
        eCursorArrow = 4,        // "black_arrow.cur": over an annotation's body
        eCursorPointer = 5,      // "black_pointer.cur": over a creation point
        eCursorSizeNS = 6,       // stock vertical resize
        eCursorSizeWE = 7,       // stock horizontal resize
        eCursorText = 8,         // stock I-beam
        eCursorDropAllow = 9,    // "indic_drop_allow.ico"
        eCursorDropDisallow = 10 // "indic_drop_disallow.ico"
    };
};

namespace QxCursors {
// The cursor of an id from the process-wide table; ids outside 1-10 give the
// null cursor (the window's default), a missing or damaged file the stock
// cursor nearest to it.
const wxCursor& cursorFromCache(int id);
// Builds the cursor of an id afresh.
wxCursor loadCursor(int id);
// The folder the files are read from: "artworks" beside the executable
// unless set (the table is emptied when it changes).
wxString cursorFolder();
void setCursorFolder(const wxString& folder);
} // namespace QxCursors

template <class Window>
class QxCursorMgrMixin : public QxCursorIds {
public:
    explicit QxCursorMgrMixin(Window* window) : m_window(window) {}

    // Nothing when id is current; back to the previous cursor when id is
    // the one below on the stack; otherwise id is pushed over the current one.
    void setCursor(int id)
    {
        if (id == m_current)
            return;
        if (!m_stack.empty() && m_stack.back() == id) {
            resetCursor();
            return;
        }
        apply(id);
        m_stack.push_back(m_current);
        m_current = static_cast<int8_t>(id);
    }

    // Back to the previous cursor; with nothing below, the window's default
    // cursor while the id stays.
    void resetCursor()
    {
        if (m_stack.empty()) {
            apply(eCursorDefault);
            return;
        }
        m_current = m_stack.back();
        m_stack.pop_back();
        apply(m_current);
    }

    int currentCursor() const { return m_current; }
    size_t cursorDepth() const { return m_stack.size(); }

protected:
    // Sets the current cursor on the window again (once it exists).
    void applyCurrentCursor() { apply(m_current); }

private:
    void apply(int id)
    {
        if (m_window && m_window->GetHandle())
            m_window->SetCursor(QxCursors::cursorFromCache(id));
    }

    Window* m_window;
    int8_t m_current = eCursorDefault;
    std::deque<int8_t> m_stack;
};
