#include "support/WindowShot.h"

#include "support/TestSupport.h"

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/evtloop.h>
#include <wx/stopwatch.h>
#include <wx/timer.h>
#include <wx/window.h>

#include <chrono>
#include <cstdlib>

namespace TestSupport {

void pumpEvents(int ms)
{
    wxStopWatch watch;
    while (watch.Time() < ms) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
}

bool loopUntil(const std::function<bool()>& step, double seconds)
{
    using Clock = std::chrono::steady_clock;
    wxGUIEventLoop loop;
    wxTimer timer;
    bool ok = false;
    const auto end = Clock::now() + std::chrono::milliseconds(long(seconds * 1000));
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (step()) {
            ok = true;
            loop.Exit();
        } else if (Clock::now() >= end) {
            loop.Exit();
        }
    });
    timer.Start(10);
    loop.Run();
    return ok;
}

bool pumpUntil(const std::function<bool()>& done, int ms)
{
    wxStopWatch watch;
    for (;;) {
        wxTheApp->Yield(true);
        if (done())
            return true;
        if (watch.Time() >= ms)
            return false;
        wxMilliSleep(1);
    }
}

bool saveWindowShot(wxWindow* window, const std::string& fileName)
{
    window->Raise();
    window->Refresh();
    window->Update();
    // Mapped first (that is what takes long on a busy X server), then a few
    // frames of the toolkit's clock for the paint to reach the screen.
    pumpUntil([window] { return window->IsShownOnScreen(); }, 3000);
    pumpEvents(200);
    const wxRect r = window->GetScreenRect();
    if (r.width <= 0 || r.height <= 0)
        return false;
    const std::string path = artifactPath(fileName);
    // The X server holds what is on the screen; ImageMagick reads it back.
    const std::string command = "timeout 30 import -silent -window root -crop " + std::to_string(r.width) + "x" +
                                std::to_string(r.height) + "+" + std::to_string(r.x) + "+" +
                                std::to_string(r.y) + " +repage '" + path + "' 2>/dev/null";
    if (std::system(command.c_str()) == 0)
        return true;
    wxBitmap shot(r.width, r.height);
    wxMemoryDC mem(shot);
    wxScreenDC screen;
    mem.Blit(0, 0, r.width, r.height, &screen, r.x, r.y);
    mem.SelectObject(wxNullBitmap);
    return shot.SaveFile(path, wxBITMAP_TYPE_PNG);
}

} // namespace TestSupport
