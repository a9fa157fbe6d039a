#pragma once
// The zig-zag turning points of a security's closes: the bars at which the
// price reversed by at least a filter percentage. They are the backbone of
// the zig-zag line and of the price-pattern detectors, which share one
// cached list per security, period, filter and price state.
#include "core/QxSeries.h"

#include <cstddef>
#include <vector>

class QxCalculator;

// The turning points of closes[0..n-1] for a filter in percent: bar 0, each
// confirmed reversal, and bar n-1; empty for fewer than 2 bars. A move from
// a close that is not a positive number counts as no move.
std::vector<unsigned> zigZagTurningPoints(const double* closes, std::size_t n, double filter);

// The key under which the list of a filter is cached: the filter's text
// with six decimals, interned, so equal texts give the same key.
const void* zigZagCacheKey(double filter);

// The turning points of the calculator's closes in its period, taken from
// its cache or computed and stored there; a null array when the history
// has fewer than 2 bars. The list is shared and never changed.
QxArrayT<unsigned> computeZigZagTurningPoints(QxCalculator* calculator, double filter);
