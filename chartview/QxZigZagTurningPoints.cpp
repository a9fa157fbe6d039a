#include "chartview/QxZigZagTurningPoints.h"

#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"

#include <wx/string.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace {

// The move from one close to another in percent; 0 when the base is not a
// positive number, so a zero close never yields an infinite or undefined
// move.
double percentMove(double from, double to)
{
    if (!(from > 0) || !std::isfinite(from))
        return 0.0;
    return (to / from - 1.0) * 100.0;
}

} // namespace

std::vector<unsigned> zigZagTurningPoints(const double* c, std::size_t n, double filter)
{
    std::vector<unsigned> points;
    if (!c || n < 2)
        return points;
    unsigned last = 0; // the last confirmed turning point
    unsigned cand = 0; // the extreme of the leg being followed
    double dir = 0.0;
    points.push_back(0);
    for (unsigned i = 1; i < n; ++i) {
        if (cand <= last) {
            dir = percentMove(c[last], c[i]);
            if (dir >= filter || dir <= -filter)
                cand = i;
            continue;
        }
        const double chg = percentMove(c[cand], c[i]);
        if (chg * dir >= 0) {
            cand = i;
        } else if (chg >= filter || chg <= -filter) {
            // The leg reversed: its extreme is confirmed, and bar i may open
            // the next leg measured from it.
            last = cand;
            points.push_back(last);
            --i;
        }
    }
    if (points.back() < n - 1)
        points.push_back(static_cast<unsigned>(n - 1));
    return points;
}

const void* zigZagCacheKey(double filter)
{
    static std::set<wxString> keys;
    return &*keys.insert(wxString::Format("%.6f", filter)).first;
}

QxArrayT<unsigned> computeZigZagTurningPoints(QxCalculator* calculator, double filter)
{
    if (!calculator)
        return QxArrayT<unsigned>();
    const void* key = zigZagCacheKey(filter);
    QxArrayT<unsigned> cached;
    if (calculator->getUserUns32Array(key, cached) == eNoError && !cached.isNull())
        return cached;
    QxPriceHistory* history = calculator->prices(false);
    if (!history || history->numBars() < 2)
        return QxArrayT<unsigned>();
    const std::vector<unsigned> points = zigZagTurningPoints(history->close(), history->numBars(), filter);
    QxArrayT<unsigned> list(points.size());
    std::copy(points.begin(), points.end(), list.data());
    calculator->setUserUns32Array(key, list);
    return list;
}
