#include "support/RealInput.h"

#include "support/WindowShot.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/stopwatch.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/utils.h>
#include <wx/weakref.h>
#include <wx/window.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <dlfcn.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace TestSupport {

namespace {

Display* appDisplay() { return static_cast<Display*>(wxGetDisplay()); }

pid_t spawn(const std::vector<std::string>& argv, bool quiet)
{
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : 0;
}

std::vector<pid_t>& started()
{
    static std::vector<pid_t> pids;
    return pids;
}

// Runs a program to its end while the GUI loop keeps going: input it
// causes may open a menu or a dialog whose own loop must run meanwhile.
bool runPumping(const std::vector<std::string>& argv, int timeoutMs = 20000)
{
    if (!waitForInput(timeoutMs))
        return false;
    const pid_t pid = spawn(argv, false);
    if (pid <= 0)
        return false;
    int status = 0;
    bool ended = pumpUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, timeoutMs);
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return false;
    }
    flushDisplay();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

wxPoint screenPoint(wxWindow* window, const wxPoint& client) { return window->ClientToScreen(client); }

std::vector<std::string> moveArgs(wxWindow* window, const wxPoint& client)
{
    const wxPoint p = screenPoint(window, client);
    return {"mousemove", std::to_string(p.x), std::to_string(p.y)};
}

// The X window of a top-level window, asked of the toolkit the program runs on.
unsigned long xWindowOf(wxTopLevelWindow* frame)
{
    using GetWindow = void* (*)(void*);
    using GetXid = unsigned long (*)(void*);
    static auto getWindow = reinterpret_cast<GetWindow>(dlsym(RTLD_DEFAULT, "gtk_widget_get_window"));
    static auto getXid = reinterpret_cast<GetXid>(dlsym(RTLD_DEFAULT, "gdk_x11_window_get_xid"));
    if (!getWindow || !getXid || !frame->GetHandle())
        return 0;
    void* gdk = getWindow(frame->GetHandle());
    return gdk ? getXid(gdk) : 0;
}

// Whether the window has the property, with at least one item.
bool hasProperty(Display* d, unsigned long window, Atom property)
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const bool has = XGetWindowProperty(d, window, property, 0, 1, False, AnyPropertyType, &type, &format, &items,
                                        &after, &data) == Success &&
                     type != None && items > 0;
    if (data)
        XFree(data);
    return has;
}

bool windowManagerRuns(Display* d) { return XGetSelectionOwner(d, XInternAtom(d, "WM_S0", False)) != None; }

} // namespace

void flushDisplay()
{
    if (Display* d = appDisplay())
        XSync(d, False);
    // Twice: handling an event may ask the server for more (a repaint, a grab).
    for (int i = 0; i < 2; ++i) {
        wxTheApp->Yield(true);
        if (Display* d = appDisplay())
            XSync(d, False);
    }
    wxTheApp->Yield(true);
}

bool xdotool(const std::vector<std::string>& args)
{
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return runPumping(argv);
}

bool xdotoolLater(const std::vector<std::string>& args)
{
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    const pid_t pid = spawn(argv, false);
    if (pid > 0)
        started().push_back(pid);
    return pid > 0;
}

bool waitForInput(int timeoutMs)
{
    bool ok = true;
    const bool ended = pumpUntil(
        [&] {
            auto& pids = started();
            for (size_t i = 0; i < pids.size();) {
                int status = 0;
                if (waitpid(pids[i], &status, WNOHANG) == pids[i]) {
                    ok = ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
                    pids.erase(pids.begin() + long(i));
                } else {
                    ++i;
                }
            }
            return pids.empty();
        },
        timeoutMs);
    if (!ended) {
        for (pid_t pid : started()) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        started().clear();
        return false;
    }
    flushDisplay();
    return ok;
}

KeysIntoDialogs::KeysIntoDialogs(std::vector<std::string> chords) : m_chords(std::move(chords)) { Register(); }

KeysIntoDialogs::~KeysIntoDialogs() { Unregister(); }

int KeysIntoDialogs::Enter(wxDialog* dialog)
{
    ++m_shown;
    // The keys go in once the dialog is up and holds the keyboard, from a
    // timer that runs inside the dialog's own loop.
    auto* timer = new wxTimer();
    const std::vector<std::string> chords = m_chords;
    wxWeakRef<wxDialog> weak(dialog);
    const long start = wxGetLocalTimeMillis().GetValue();
    timer->Bind(wxEVT_TIMER, [timer, weak, chords, start](wxTimerEvent&) {
        const bool ready = weak && weak->IsShownOnScreen() && weak->IsActive();
        const bool late = wxGetLocalTimeMillis().GetValue() - start > 10000;
        if (!ready && !late && weak)
            return;
        timer->Stop();
        if (weak) {
            std::vector<std::string> args{"key", "--delay", "30"};
            args.insert(args.end(), chords.begin(), chords.end());
            xdotoolLater(args);
        }
        wxTheApp->CallAfter([timer] { delete timer; });
    });
    timer->Start(20);
    return wxID_NONE;
}

bool pressKeys(const std::vector<std::string>& chords)
{
    std::vector<std::string> args{"key", "--delay", "30"};
    args.insert(args.end(), chords.begin(), chords.end());
    return xdotool(args);
}

bool moveMouseTo(wxWindow* window, const wxPoint& client) { return xdotool(moveArgs(window, client)); }

bool clickAt(wxWindow* window, const wxPoint& client, int button)
{
    std::vector<std::string> args = moveArgs(window, client);
    args.insert(args.end(), {"click", std::to_string(button)});
    return xdotool(args);
}

bool turnWheelAt(wxWindow* window, const wxPoint& client, int notches, const std::string& held)
{
    std::vector<std::string> args = moveArgs(window, client);
    if (!held.empty())
        args.insert(args.end(), {"keydown", held});
    // Buttons 4 and 5 are the wheel's two directions on X.
    args.insert(args.end(), {"click", "--delay", "30", "--repeat", std::to_string(notches < 0 ? -notches : notches),
                             notches > 0 ? "4" : "5"});
    if (!held.empty())
        args.insert(args.end(), {"keyup", held});
    return xdotool(args);
}

bool waitUntilPlaced(wxTopLevelWindow* frame, int timeoutMs)
{
    wxStopWatch watch;
    if (!pumpUntil([&] { return frame->IsShownOnScreen(); }, timeoutMs))
        return false;
    Display* d = appDisplay();
    const unsigned long xid = xWindowOf(frame);
    if (!d || !xid)
        return true;
    const bool managed = windowManagerRuns(d);
    const Atom wmState = XInternAtom(d, "WM_STATE", False);
    auto place = [&] {
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(d, xid, DefaultRootWindow(d), 0, 0, &x, &y, &child);
        return wxPoint(x, y);
    };
    wxPoint last = place();
    long since = watch.Time();
    return pumpUntil(
        [&] {
            if (managed && !hasProperty(d, xid, wmState))
                return false;
            const wxPoint now = place();
            if (now != last) {
                last = now;
                since = watch.Time();
                return false;
            }
            return watch.Time() - since >= 200;
        },
        std::max(int(timeoutMs - watch.Time()), 500));
}

bool focusFrame(wxTopLevelWindow* frame, wxWindow* focus)
{
    waitUntilPlaced(frame);
    frame->Raise();
    const unsigned long xid = xWindowOf(frame);
    if (xid) {
        // With a window manager the frame is activated through it; without
        // one the X input focus is simply set on it.
        char id[32];
        std::snprintf(id, sizeof id, "%lu", xid);
        if (!windowManagerRuns(appDisplay()) || !xdotool({"windowactivate", "--sync", id}))
            xdotool({"windowfocus", "--sync", id});
    }
    pumpUntil([&] { return frame->IsActive(); }, 5000);
    if (focus)
        focus->SetFocus();
    flushDisplay();
    return pumpUntil([&] { return frame->IsActive() && (!focus || wxWindow::FindFocus() == focus); }, 5000);
}

bool closeWithAltF4(const std::function<wxTopLevelWindow*()>& window)
{
    auto closed = [&] { return window() == nullptr; };
    for (int attempt = 0; attempt < 3; ++attempt) {
        wxTopLevelWindow* still = window();
        if (!still)
            return true;
        if (focusFrame(still) && pressKeys({"alt+F4"}) && pumpUntil(closed, 5000))
            return true;
    }
    return closed();
}

ScopedKeyboardLayout::ScopedKeyboardLayout(const std::string& layout)
{
    m_ok = runPumping({"setxkbmap", "-layout", layout});
    // The toolkit reads the new key map when the server tells it.
    pumpEvents(200);
}

ScopedKeyboardLayout::~ScopedKeyboardLayout()
{
    runPumping({"setxkbmap", "-layout", "us"});
    pumpEvents(200);
}

ScopedWindowManager::ScopedWindowManager()
{
    Display* d = appDisplay();
    if (!d)
        return;
    m_pid = spawn({"openbox", "--sm-disable"}, true);
    if (m_pid <= 0) {
        m_pid = 0;
        return;
    }
    // It manages the screen once it owns the screen's manager selection and
    // has said what it supports.
    const Atom supported = XInternAtom(d, "_NET_SUPPORTED", False);
    if (!pumpUntil([&] { return windowManagerRuns(d) && hasProperty(d, DefaultRootWindow(d), supported); }, 10000)) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
        m_pid = 0;
    }
}

ScopedWindowManager::~ScopedWindowManager()
{
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
    Display* d = appDisplay();
    const Atom manager = XInternAtom(d, "WM_S0", False);
    pumpUntil([&] { return XGetSelectionOwner(d, manager) == None; }, 5000);
    pumpEvents(100);
}

} // namespace TestSupport
