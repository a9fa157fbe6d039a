// Test main: every test gets a private HOME (so configuration and databases
// never touch a real user's files, nor another test's), UTC unless a test says
// otherwise, logging to stderr (a modal log box would wait forever under
// Xvfb) and an initialised wxWidgets. GUI test processes also get a private
// virtual display, so tests running side by side never click into, take the
// focus from or photograph each other's windows, and a hook that fails a test
// showing a dialog nobody answers instead of letting it wait.
#include "support/ModalScript.h"
#include "support/RealInput.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/image.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <csignal>
#include <filesystem>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace TestSupport {
extern bool g_guiAvailable;
}

namespace {

std::string g_home;
std::vector<std::string> g_homes; // every HOME this process made, removed at its end
char** g_argv = nullptr;

void isolateEnvironment()
{
    char tmpl[] = "/tmp/trendoria-test-XXXXXX";
    const char* dir = mkdtemp(tmpl);
    if (!dir) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    g_home = dir;
    g_homes.push_back(g_home);
    setenv("HOME", dir, 1);
    const std::string config = g_home + "/.config", data = g_home + "/.local/share",
                      cache = g_home + "/.cache";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    setenv("MESA_SHADER_CACHE_DIR", cache.c_str(), 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    setenv("GTK_A11Y", "none", 1);
    setenv("TZ", "UTC", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    tzset();
}

void assertToStderr(const wxString& file, int line, const wxString& func, const wxString& cond,
                    const wxString& msg)
{
    std::fprintf(stderr, "wx assertion %s:%d %s: %s %s\n", (const char*)file.utf8_str(), line,
                 (const char*)func.utf8_str(), (const char*)cond.utf8_str(),
                 (const char*)msg.utf8_str());
}

#if TRENDORIA_TEST_GUI
pid_t g_xvfb = 0;

void stopPrivateDisplay()
{
    if (g_xvfb > 0) {
        kill(g_xvfb, SIGTERM);
        waitpid(g_xvfb, nullptr, 0);
        g_xvfb = 0;
    }
}

// Starts an Xvfb of our own (at the fixed size and DPI the tests expect) and
// points DISPLAY at it. Xvfb picks a free display number itself and reports
// it once it accepts connections, so parallel starts cannot collide. Without
// Xvfb, or with TRENDORIA_TEST_SHARED_DISPLAY set, the given DISPLAY is used.
void startPrivateDisplay()
{
    if (std::getenv("TRENDORIA_TEST_SHARED_DISPLAY"))
        return;
    int fds[2];
    if (pipe(fds) != 0)
        return;
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return;
    }
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM); // never outlive a killed test
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1600x1200x24", "-dpi", "96",
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (number.empty()) { // no Xvfb here: keep the display we were given
        waitpid(pid, nullptr, 0);
        return;
    }
    g_xvfb = pid;
    setenv("DISPLAY", (":" + number).c_str(), 1);
}
#endif

void removeHomes()
{
    if (std::getenv("TRENDORIA_KEEP_TEST_HOME"))
        return;
    for (const std::string& home : g_homes) {
        std::error_code ec;
        std::filesystem::remove_all(home, ec);
    }
    g_homes.clear();
}

// Many tests run in one process: each starts as it would in a process of its
// own, with an empty HOME (what one test saves, another never reads), the
// time zone and locale of the test main and, on the display, the pointer
// where a new display has it.
class FreshEnvironment : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo&) override
    {
        if (m_started) {
            isolateEnvironment();
#if TRENDORIA_TEST_GUI
            TestSupport::xdotool({"mousemove", "800", "600"}); // the screen's centre
            TestSupport::flushDisplay();
#endif
        }
        m_started = true;
    }

private:
    bool m_started = false; // the first test takes the HOME main made
};

class TestApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

} // namespace

int main(int argc, char** argv)
{
    // gtest takes its flags out of argv: keep the original for a restart.
    static std::vector<char*> originalArgv(argv, argv + argc + 1);
    g_argv = originalArgv.data();
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--gtest_list_tests", 18) == 0)
            listing = true;

    isolateEnvironment();
    testing::InitGoogleTest(&argc, argv);
    if (listing)
        return RUN_ALL_TESTS();
    testing::UnitTest::GetInstance()->listeners().Append(new FreshEnvironment);

    wxSetAssertHandler(assertToStderr);
    int rc = 0;
#if TRENDORIA_TEST_GUI
    startPrivateDisplay();
    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        // A display server busy with many test processes now and then refuses
        // a connection: start again a few times before giving up.
        const char* tries = std::getenv("TRENDORIA_TEST_GUI_TRIES");
        const int n = tries ? std::atoi(tries) : 0;
        if (n < 3) {
            std::fprintf(stderr, "cannot start the GUI toolkit, trying again\n");
            const std::string next = std::to_string(n + 1);
            setenv("TRENDORIA_TEST_GUI_TRIES", next.c_str(), 1);
            removeHomes();
            sleep(1 + n);
            stopPrivateDisplay();
            execv("/proc/self/exe", g_argv);
        }
        std::fprintf(stderr, "cannot start the GUI toolkit (is DISPLAY set?)\n");
        return 2;
    }
    TestSupport::g_guiAvailable = true;
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxInitAllImageHandlers();
    {
        const TestSupport::UnansweredDialogs unanswered;
        rc = RUN_ALL_TESTS();
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    stopPrivateDisplay();
#else
    {
        wxInitializer init;
        if (!init.IsOk()) {
            std::fprintf(stderr, "cannot initialise wxWidgets\n");
            return 2;
        }
        delete wxLog::SetActiveTarget(new wxLogStderr);
        rc = RUN_ALL_TESTS();
    }
#endif
    removeHomes();
    return rc;
}
