#pragma once
// The hidden top-level window the application creates at start-up: never
// shown, placed off-screen, the parent of application-modal dialogs and the
// application's top window. Destroying it ends the program.
#include <wx/toplevel.h>

class QxTopLevelWindow : public wxTopLevelWindow {
public:
    QxTopLevelWindow(wxWindow* parent, wxWindowID id, const wxString& title,
                     const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                     long style = wxDEFAULT_FRAME_STYLE, const wxString& name = wxFrameNameStr);
    // Clears the application's top-window pointer before the window goes.
    ~QxTopLevelWindow() override;
};
