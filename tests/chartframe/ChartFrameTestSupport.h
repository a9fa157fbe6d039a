#pragma once
// Helpers of the chart frame tests: the program's art for every test,
// letting the toolkit run, and screenshots.
#include "support/WindowShot.h"

#include <wx/dialog.h>
#include <wx/modalhook.h>

#include <string>
#include <vector>

namespace cframetest {

// Lets the toolkit run for about ms milliseconds.
inline void pump(int ms = 100) { TestSupport::pumpEvents(ms); }

using TestSupport::saveWindowShot;

} // namespace cframetest
