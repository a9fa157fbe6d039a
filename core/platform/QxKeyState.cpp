#include "core/platform/QxKeyState.h"

#include <wx/utils.h>

namespace {
QxKeyState::Probe& probe()
{
    static QxKeyState::Probe p;
    return p;
}
} // namespace

bool QxKeyState::isDown(wxKeyCode key)
{
    if (probe())
        return probe()(key);
    return wxGetKeyState(key);
}

void QxKeyState::setProbe(Probe p) { probe() = std::move(p); }
