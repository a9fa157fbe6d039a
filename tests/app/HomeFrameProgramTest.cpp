// The home frame of the real program: its size at the first start, and its
// height kept across restarts while its width follows the toolbars.
#include "ProgramRunner.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/fileconf.h>
#include <wx/gdicmn.h>

#include <X11/Xlib.h>

#include <chrono>
#include <thread>

namespace {

const char* const kHomeTitle = "Corvane Trendoria 2014";
const int kWindowTimeoutMs = 60000;

wxSize windowSize(unsigned long window)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return wxSize();
    XWindowAttributes attributes{};
    const bool ok = XGetWindowAttributes(display, window, &attributes) != 0;
    XCloseDisplay(display);
    return ok ? wxSize(attributes.width, attributes.height) : wxSize();
}

// Resizes the window as a window manager would and waits until it has the size.
bool resizeWindow(unsigned long window, const wxSize& size)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    XResizeWindow(display, window, static_cast<unsigned>(size.x), static_cast<unsigned>(size.y));
    XSync(display, False);
    XCloseDisplay(display);
    for (int i = 0; i < 100; ++i) {
        if (windowSize(window) == size) {
            std::this_thread::sleep_for(std::chrono::milliseconds(500)); // let the program see it
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

void closeAndWait(ProgramRunner& program, unsigned long window)
{
    ASSERT_TRUE(program.closeWindow(window));
    int code = -1;
    ASSERT_TRUE(program.waitForExit(kWindowTimeoutMs, code)) << "the program did not end";
    EXPECT_EQ(code, 0) << program.stderrText();
}

} // namespace

TEST(HomeFrameProgram, HeightIsKeptAcrossRestartsAndWidthFitsTheToolbars)
{
    const std::string home = TestSupport::makeTempDir("home-frame");
    wxSize first;
    {
        ProgramRunner program(home);
        ASSERT_TRUE(program.started());
        const unsigned long frame = program.waitForWindow(kHomeTitle, kWindowTimeoutMs);
        ASSERT_NE(frame, 0u) << "no home frame\n" << program.stderrText();
        first = windowSize(frame);
        EXPECT_EQ(first.y, 400) << "400 pixels high by default";
        EXPECT_GT(first.x, 3 * (32 + 2)) << "three columns of 32-pixel tools with their labels";
        std::this_thread::sleep_for(std::chrono::milliseconds(1500)); // the first layout settles
        EXPECT_TRUE(program.screenshot(frame, TestSupport::artifactPath("home_frame_program.png")));
        ASSERT_TRUE(resizeWindow(frame, wxSize(first.x + 100, 520)));
        closeAndWait(program, frame);
    }
    {
        wxFileConfig config(wxString(), wxString(), home + "/.Trendoria", wxString(), wxCONFIG_USE_LOCAL_FILE);
        long height = 0;
        EXPECT_TRUE(config.Read("/global/gatewayFrameSize/y", &height));
        EXPECT_EQ(height, 520);
    }
    {
        ProgramRunner program(home);
        const unsigned long frame = program.waitForWindow(kHomeTitle, kWindowTimeoutMs);
        ASSERT_NE(frame, 0u) << program.stderrText();
        EXPECT_EQ(windowSize(frame), wxSize(first.x, 520)) << "height restored, width recomputed";
        closeAndWait(program, frame);
    }
}
