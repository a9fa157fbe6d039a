#include "ProgramRunner.h"

#include "support/TestSupport.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <wx/image.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace fs = std::filesystem;

namespace {

Display* dpy(void* p) { return static_cast<Display*>(p); }

// The _NET_WM_PID of a window, or 0.
long windowPid(Display* d, Window w)
{
    static Atom pidAtom = XInternAtom(d, "_NET_WM_PID", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    long pid = 0;
    if (XGetWindowProperty(d, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data && count == 1 && format == 32)
        pid = *reinterpret_cast<long*>(data);
    if (data)
        XFree(data);
    return pid;
}

std::string windowTitle(Display* d, Window w)
{
    static Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    static Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(d, w, netName, 0, 1024, False, utf8, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
    }
    if (data)
        XFree(data);
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(d, w, &name) && name) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

} // namespace

ProgramRunner::ProgramRunner(const std::string& home, const std::vector<std::string>& extraEnv)
{
    m_stderrPath = home + "/../" + fs::path(home).filename().string() + "-stderr.txt";
    std::vector<std::string> env;
    const char* overridden[] = {"HOME=", "XDG_CONFIG_HOME=", "XDG_DATA_HOME=", "XDG_CACHE_HOME="};
    for (char** e = environ; *e; ++e) {
        bool skip = false;
        for (const char* o : overridden)
            skip = skip || std::strncmp(*e, o, std::strlen(o)) == 0;
        for (const std::string& x : extraEnv)
            skip = skip || std::strncmp(*e, x.c_str(), x.find('=') + 1) == 0;
        if (!skip)
            env.emplace_back(*e);
    }
    env.push_back("HOME=" + home);
    env.push_back("XDG_CONFIG_HOME=" + home + "/.config");
    env.push_back("XDG_DATA_HOME=" + home + "/.local/share");
    env.push_back("XDG_CACHE_HOME=" + home + "/.cache");
    for (const std::string& x : extraEnv)
        env.push_back(x);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    const std::string exe = TestSupport::binDir() + "/trendoria";
    std::vector<char*> argv{const_cast<char*>(exe.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, m_stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (posix_spawn(&m_pid, exe.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
        m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);

    XSetErrorHandler(ignoreXErrors); // windows may vanish while we look at them
    m_display = XOpenDisplay(nullptr);
}

ProgramRunner::~ProgramRunner()
{
    if (m_pid > 0 && !m_reaped) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    if (m_display)
        XCloseDisplay(dpy(m_display));
}

unsigned long ProgramRunner::waitForWindow(const std::string& title, int timeoutMs)
{
    return waitForOtherWindow(title, 0, timeoutMs);
}

unsigned long ProgramRunner::waitForOtherWindow(const std::string& title, unsigned long except, int timeoutMs)
{
    if (!m_display || m_pid <= 0)
        return 0;
    Display* d = dpy(m_display);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!m_reaped && std::chrono::steady_clock::now() < end) {
        Window root = DefaultRootWindow(d), parent, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (XQueryTree(d, root, &root, &parent, &children, &count)) {
            for (unsigned i = 0; i < count && !found; ++i) {
                if (windowPid(d, children[i]) != m_pid)
                    continue;
                XWindowAttributes attrs;
                if (children[i] != except && XGetWindowAttributes(d, children[i], &attrs) &&
                    attrs.map_state == IsViewable && windowTitle(d, children[i]) == title)
                    found = children[i];
            }
            if (children)
                XFree(children);
        }
        if (found)
            return found;
        if (!m_reaped && waitpid(m_pid, &m_status, WNOHANG) == m_pid) {
            m_reaped = true;
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return 0;
}

bool ProgramRunner::isDialog(unsigned long window) const
{
    Window owner = 0;
    return m_display && XGetTransientForHint(dpy(m_display), window, &owner) != 0;
}

bool ProgramRunner::isViewable(unsigned long window) const
{
    XWindowAttributes attrs;
    return m_display && XGetWindowAttributes(dpy(m_display), window, &attrs) &&
           attrs.map_state == IsViewable;
}

bool ProgramRunner::closeWindow(unsigned long window)
{
    if (!m_display)
        return false;
    Display* d = dpy(m_display);
    XEvent ev;
    std::memset(&ev, 0, sizeof ev);
    ev.xclient.type = ClientMessage;
    ev.xclient.window = window;
    ev.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    ev.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(d, window, False, NoEventMask, &ev) != 0;
    XFlush(d);
    return sent;
}

bool ProgramRunner::pressKey(unsigned long window, const std::string& keysym, bool control, bool shift)
{
    if (!m_display)
        return false;
    Display* d = dpy(m_display);
    const KeySym sym = XStringToKeysym(keysym.c_str());
    const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(d, sym);
    if (!code)
        return false;
    XEvent ev;
    std::memset(&ev, 0, sizeof ev);
    ev.xkey.display = d;
    ev.xkey.window = window;
    ev.xkey.root = DefaultRootWindow(d);
    ev.xkey.subwindow = None;
    ev.xkey.time = CurrentTime;
    ev.xkey.same_screen = True;
    ev.xkey.keycode = code;
    ev.xkey.state = (control ? ControlMask : 0) | (shift ? ShiftMask : 0);
    ev.xkey.type = KeyPress;
    bool sent = XSendEvent(d, window, True, KeyPressMask, &ev) != 0;
    ev.xkey.type = KeyRelease;
    sent = XSendEvent(d, window, True, KeyReleaseMask, &ev) != 0 && sent;
    XFlush(d);
    return sent;
}

bool ProgramRunner::screenshot(unsigned long window, const std::string& pngPath)
{
    if (!m_display)
        return false;
    Display* d = dpy(m_display);
    // A window that was just mapped may not have painted yet: until it has,
    // X hands back black. Wait a few seconds for anything else.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (true) {
        XWindowAttributes attrs;
        if (!XGetWindowAttributes(d, window, &attrs) || attrs.width <= 0 || attrs.height <= 0)
            return false;
        XImage* img = XGetImage(d, window, 0, 0, attrs.width, attrs.height, AllPlanes, ZPixmap);
        if (!img)
            return false;
        wxImage out(attrs.width, attrs.height);
        bool painted = false;
        for (int y = 0; y < attrs.height; ++y)
            for (int x = 0; x < attrs.width; ++x) {
                const unsigned long p = XGetPixel(img, x, y);
                painted = painted || (p & 0xffffff) != 0;
                out.SetRGB(x, y, (p & img->red_mask) >> 16, (p & img->green_mask) >> 8, p & img->blue_mask);
            }
        XDestroyImage(img);
        if (painted || std::chrono::steady_clock::now() >= end)
            return out.SaveFile(pngPath, wxBITMAP_TYPE_PNG);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

bool ProgramRunner::waitForExit(int timeoutMs, int& exitCode)
{
    if (m_pid <= 0)
        return false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int& status = m_status;
    while (!m_reaped) {
        const pid_t r = waitpid(m_pid, &status, WNOHANG);
        if (r == m_pid)
            break;
        if (r < 0)
            return false;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    m_reaped = true;
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

std::vector<std::string> ProgramRunner::openFiles() const
{
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(m_pid) + "/fd", ec)) {
        std::error_code ec2;
        const fs::path target = fs::read_symlink(fd.path(), ec2);
        if (!ec2)
            files.push_back(target.string());
    }
    return files;
}

std::string ProgramRunner::stderrText() const
{
    std::ifstream in(m_stderrPath);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
