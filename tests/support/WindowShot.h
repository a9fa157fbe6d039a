#pragma once
// Pictures of shown windows, taken from the screen, for a person to look at.
#include <functional>
#include <string>

class wxWindow;

namespace TestSupport {

// Runs the GUI event loop for about ms milliseconds.
void pumpEvents(int ms);
// Runs the GUI event loop, calling step every 10 ms, until it returns true
// (then true) or the seconds are up (then false).
bool loopUntil(const std::function<bool()>& step, double seconds);
// Runs the GUI event loop until done() holds (true) or about ms
// milliseconds have passed (false).
bool pumpUntil(const std::function<bool()>& done, int ms);

// Lets the window map and paint, then writes its screen area to the test
// artifacts as fileName; false when nothing could be captured.
bool saveWindowShot(wxWindow* window, const std::string& fileName);

} // namespace TestSupport
