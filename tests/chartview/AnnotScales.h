#pragma once
// The scales the annotation model tests draw and hit-test through.
#include "chart/QxUniformScale.h"

#include <ostream>

#include <wx/gdicmn.h>

// For failure messages (wxPoint lives in the global namespace).
inline std::ostream& operator<<(std::ostream& os, const wxPoint& p)
{
    return os << "(" << p.x << ", " << p.y << ")";
}

namespace annottest {

// Bars 10..50 over pixels 100..500 (10 pixels a bar); values 0..100 over
// pixels 300 (bottom) to 100 (top).
struct Scales {
    QxUniformScale x, y;
    Scales()
    {
        x.setup(10.0, 50.0, 100, 500, false);
        y.setup(0.0, 100.0, 300, 100, false);
    }
};

} // namespace annottest
