#pragma once
// Pictures of shown windows, taken from the screen, for a person to look at.
#include <string>

class wxWindow;

namespace TestSupport {

// Runs the GUI event loop for about ms milliseconds.
void pumpEvents(int ms);

// Lets the window map and paint, then writes its screen area to the test
// artifacts as fileName; false when nothing could be captured.
bool saveWindowShot(wxWindow* window, const std::string& fileName);

} // namespace TestSupport
