#pragma once
// Real input on the test's own virtual display: keys, clicks and the wheel
// go through the X server (xdotool, over the XTEST extension), so they take
// the toolkit's whole way - input focus, key maps, accelerators, menus -
// as a user's hands do. Each call returns once the command has ended and
// the events it caused have been handled; the GUI loop runs meanwhile, so
// menus and dialogs opened by the input can be worked on by the next call.
#include <wx/gdicmn.h>
#include <wx/modalhook.h>

#include <functional>
#include <string>
#include <vector>

class wxTopLevelWindow;
class wxWindow;

namespace TestSupport {

// Runs xdotool with these arguments; false when it could not run or failed.
bool xdotool(const std::vector<std::string>& args);
// Presses (and releases) key chords in the keyboard's own names, one
// argument each: "ctrl+shift+1", "Home", "KP_Add".
bool pressKeys(const std::vector<std::string>& chords);
// The mouse: moves to a point of a window (client coordinates) and clicks,
// or turns the wheel there by notches (positive away from the user, up;
// negative down), with modifier keys held ("shift", "ctrl") when given.
bool moveMouseTo(wxWindow* window, const wxPoint& client);
bool clickAt(wxWindow* window, const wxPoint& client, int button = 1);
bool turnWheelAt(wxWindow* window, const wxPoint& client, int notches, const std::string& held = "");

// Starts xdotool without waiting for it: for input into a menu or a dialog
// whose own loop is running while the caller's code is not. It is waited
// for by the next blocking call, or by waitForInput.
bool xdotoolLater(const std::vector<std::string>& args);
// Waits (the GUI loop running) until every xdotool started later has ended.
bool waitForInput(int timeoutMs = 20000);

// While it lives, every modal dialog that opens gets these key chords
// typed into it once it is shown and has the keyboard (Escape, say, or
// Return), and the dialogs are counted.
class KeysIntoDialogs : public wxModalDialogHook {
public:
    explicit KeysIntoDialogs(std::vector<std::string> chords);
    ~KeysIntoDialogs() override;
    int shown() const { return m_shown; }

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}

private:
    std::vector<std::string> m_chords;
    int m_shown = 0;
};

// Waits (the GUI loop running) until the window is on the screen, taken by
// the window manager when one runs, and its place on the screen has held
// for 200 ms: a window manager places and decorates a new or moved window
// some time after the program asks, and a click computed before that lands
// beside the window. True once so.
bool waitUntilPlaced(wxTopLevelWindow* frame, int timeoutMs = 5000);
// Makes the frame the active window and gives focus the keyboard focus
// (the frame's own choice when null); true once the toolkit reports both.
bool focusFrame(wxTopLevelWindow* frame, wxWindow* focus = nullptr);
// Closes a window as a user's Alt+F4 does, through the window manager: the
// window (window() asked each time; null once it is closed) is made active
// and the keys are pressed. Beside many other test processes the window
// manager now and then lets an Alt+F4 go by, so the keys are pressed again,
// up to three times, each waited on for five seconds. True once window()
// gives null.
bool closeWithAltF4(const std::function<wxTopLevelWindow*()>& window);
// Handles what has arrived from the X server so far (a round trip first).
void flushDisplay();

// The display's keyboard layout while the object lives ("fr", "de");
// the US layout comes back afterwards.
class ScopedKeyboardLayout {
public:
    explicit ScopedKeyboardLayout(const std::string& layout);
    ~ScopedKeyboardLayout();
    bool ok() const { return m_ok; }
    ScopedKeyboardLayout(const ScopedKeyboardLayout&) = delete;
    ScopedKeyboardLayout& operator=(const ScopedKeyboardLayout&) = delete;

private:
    bool m_ok = false;
};

// A window manager (openbox) on the test's display while the object lives,
// so frames are decorated, maximised and restored as on a desktop.
class ScopedWindowManager {
public:
    ScopedWindowManager();
    ~ScopedWindowManager();
    bool ok() const { return m_pid > 0; }
    ScopedWindowManager(const ScopedWindowManager&) = delete;
    ScopedWindowManager& operator=(const ScopedWindowManager&) = delete;

private:
    int m_pid = 0;
};

} // namespace TestSupport
