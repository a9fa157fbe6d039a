#pragma once
// Whether a key is held down right now, asked of the toolkit at the moment of
// the call (not taken from an event). Tests may pin the answer.
#include <wx/defs.h>

#include <functional>

class QxKeyState {
public:
    static bool isDown(wxKeyCode key);

    // While set, isDown answers from the probe instead of the toolkit.
    using Probe = std::function<bool(wxKeyCode)>;
    static void setProbe(Probe probe);
};
