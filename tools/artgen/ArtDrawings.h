#pragma once
// The drawings of the program's art, by file base name (the art id without
// its "QxART_" prefix, in lower case).
#include "ArtCanvas.h"

#include <functional>
#include <map>
#include <string>

using ArtDrawing = std::function<void(ArtCanvas&)>;

const std::map<std::string, ArtDrawing>& artDrawings();
