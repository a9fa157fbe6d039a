#pragma once
// Helpers of the frame and dialog tests: a QxApplication standing in as the
// running application, a hook that answers modal dialogs and message boxes
// instead of showing them, and screenshots of windows.
#include "app/QxApplication.h"
#include "core/QxDatabase.h"

#include "support/WindowShot.h"

#include <wx/dialog.h>
#include <wx/modalhook.h>

#include <functional>
#include <string>
#include <vector>

namespace framestest {

// Makes a QxApplication the running application for its lifetime (frames
// then register with it and read its current database); the test program's
// own application object and settings come back afterwards.
class ScopedApplication {
public:
    ScopedApplication();
    ~ScopedApplication();
    QxApplication& app() { return *m_app; }

private:
    wxAppConsole* m_previous;
    wxAssertHandler_t m_previousAssertHandler;
    QxApplication* m_app;
};

// A modal dialog or message box the hook saw.
struct SeenDialog {
    std::string className; // the dialog's run-time class, e.g. "QxAboutBox"
    wxString title;
    wxString message;      // a message box's text; empty for other dialogs
};

// While registered, every modal dialog is answered without being shown: the
// handler (when set) may look at it or work with it and returns the result
// ShowModal gives; without a handler the answer is wxID_CANCEL.
class DialogCatcher : public wxModalDialogHook {
public:
    using Handler = std::function<int(wxDialog*)>;
    explicit DialogCatcher(Handler handler = nullptr);
    ~DialogCatcher() override;

    const std::vector<SeenDialog>& seen() const { return m_seen; }
    void clear() { m_seen.clear(); }

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}

private:
    Handler m_handler;
    std::vector<SeenDialog> m_seen;
};

// Makes the program's art (from beside the program) the art of every test
// of the program, once however often it is called; gives true.
bool useProgramArt();

// Lets the toolkit run for about ms milliseconds.
inline void pump(int ms = 100) { TestSupport::pumpEvents(ms); }

using TestSupport::saveWindowShot;

// What is wrong with the layout of the docked toolbars around a frame's
// centre window, one line each: a toolbar shown over the centre, one docked
// at the top that does not lie wholly above it, one docked at a side that is
// not upright or not beside it. Empty when all lie where they are docked.
std::vector<std::string> dockedToolbarFaults(wxWindow* centre);

} // namespace framestest
