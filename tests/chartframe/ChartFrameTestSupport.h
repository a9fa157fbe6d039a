#pragma once
// Helpers of the chart frame tests: the program's art for every test, a hook
// that answers message boxes without showing them, letting the toolkit run,
// and screenshots.
#include "support/WindowShot.h"

#include <wx/dialog.h>
#include <wx/modalhook.h>

#include <string>
#include <vector>

namespace cframetest {

// Records the text of every message box and answers it with OK; other
// dialogs are shown as usual.
class MessageCatcher : public wxModalDialogHook {
public:
    MessageCatcher() { Register(); }
    ~MessageCatcher() override { Unregister(); }
    const std::vector<wxString>& messages() const { return m_messages; }

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}

private:
    std::vector<wxString> m_messages;
};

// Lets the toolkit run for about ms milliseconds.
inline void pump(int ms = 100) { TestSupport::pumpEvents(ms); }

using TestSupport::saveWindowShot;

// Runs the current test again in a child process on an X display of its own
// (keystrokes reach whichever window has the keyboard). In the child it
// returns false and the test goes on; in the parent it checks the child's
// outcome and returns true, and the test stops there.
bool runOnPrivateDisplay(const char* testFilter);

} // namespace cframetest
