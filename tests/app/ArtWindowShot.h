#pragma once
// Saves a picture of a shown top-level window, taken from the screen, for
// a person to look at.
#include <string>

class wxWindow;

namespace arttest {

// Lets the window map and paint, then writes its screen area to the test
// artifacts as fileName; false when nothing could be captured.
bool saveWindowShot(wxWindow* window, const std::string& fileName);

} // namespace arttest
