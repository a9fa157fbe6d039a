#pragma once
// The mouse cursors of the chart windows: drawn at 32 x 32 and written as
// cursor files (".cur", with their hot spots) or icon files (".ico").
#include "ArtCanvas.h"

#include <functional>
#include <string>
#include <vector>

struct CursorDrawing {
    std::string file;   // "cross.cur", "indic_drop_allow.ico", ...
    int hotX, hotY;     // in pixels of the 32 x 32 image
    std::function<void(ArtCanvas&)> draw;
};

const std::vector<CursorDrawing>& cursorDrawings();
