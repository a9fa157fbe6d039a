#pragma once
// Runs the real trendoria executable as a child process on the test's X
// display, with its own HOME, and lets a test find, photograph and close the
// program's windows the way a user's window manager would.
#include <sys/types.h>

#include <string>
#include <vector>

class ProgramRunner {
public:
    // Starts trendoria from the build's program folder with HOME (and the
    // XDG folders below it) set to home; extraEnv entries are "NAME=value".
    // stderr goes to a file the test can read.
    ProgramRunner(const std::string& home, const std::vector<std::string>& extraEnv = {});
    ~ProgramRunner(); // kills the program if it is still running

    bool started() const { return m_pid > 0; }
    pid_t pid() const { return m_pid; }

    // The first viewable top-level window of the program whose title equals
    // title, waiting up to timeoutMs; 0 when none appeared (or the program
    // ended).
    unsigned long waitForWindow(const std::string& title, int timeoutMs);
    // Whether the window is a dialog (transient for another window), as a
    // message box is; the home window is not.
    bool isDialog(unsigned long window) const;
    // Whether the window is still there and viewable.
    bool isViewable(unsigned long window) const;
    // Asks the window to close (WM_DELETE_WINDOW), as the close button does.
    bool closeWindow(unsigned long window);
    // Sends the window a key press and release of keysym ("q", "Escape"),
    // with Ctrl (and Shift) held when control (shift) is true, as the
    // keyboard would.
    bool pressKey(unsigned long window, const std::string& keysym, bool control, bool shift = false);
    // The first viewable top-level window titled title other than except.
    unsigned long waitForOtherWindow(const std::string& title, unsigned long except, int timeoutMs);
    // Saves what the window shows as a PNG, once it has painted (at most a
    // few seconds after it appeared).
    bool screenshot(unsigned long window, const std::string& pngPath);

    // Waits for the program to end; true with its exit code (a signal gives
    // 128 + the signal), false on timeout.
    bool waitForExit(int timeoutMs, int& exitCode);
    // Paths of the files the program holds open now.
    std::vector<std::string> openFiles() const;
    std::string stderrText() const;

private:
    pid_t m_pid = -1;
    bool m_reaped = false;
    int m_status = 0;
    std::string m_stderrPath;
    void* m_display = nullptr;
};
