#pragma once
// A frame's restored size and maximised state, kept in two settings as the
// user leaves them. Under a window manager a frame's new size arrives
// before its new state: the size event of a frame being maximised still
// reads "not maximised" and carries the size of the screen, the one of a
// frame being restored still reads "maximised". So the state is looked at
// again once the toolkit has taken in the window manager's news (at idle
// time); a size taken on the way into the maximised state is given back,
// and the size a frame is restored to is taken then.
#include <wx/event.h>
#include <wx/gdicmn.h>

class wxTopLevelWindow;

class QxFramePlacement : public wxEvtHandler {
public:
    // size and maximized are the settings (maximized null where a frame
    // keeps only its size); both outlive the frame.
    QxFramePlacement(wxSize& size, bool* maximized);
    ~QxFramePlacement() override;

    // Sizes the frame from the settings and maximises it when they say so;
    // from then on follows the frame. Both settings are read before the
    // frame is sized: sizing sends a size event at once.
    void attach(wxTopLevelWindow* frame);
    // What the frame's size handler was told.
    void sized(const wxSize& size);
    // Whether the settings asked for a maximised frame when it was attached.
    bool openedMaximized() const { return m_openedMaximized; }

private:
    void onIdle(wxIdleEvent& event);
    void takeState();

    wxTopLevelWindow* m_frame = nullptr;
    wxSize& m_size;
    bool* m_maximized;
    wxSize m_before;              // the restored size before the last one taken
    bool m_seenMaximized = false; // the state as last looked at
    bool m_attaching = false;
    bool m_openedMaximized = false;
};
