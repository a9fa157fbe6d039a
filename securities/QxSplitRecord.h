#pragma once
// Stock splits proposed from price jumps: a record names the first bar that
// trades after the split and the ratio of old to new shares, the factor the
// bars before it are adjusted by (QxPriceHistory::updateForSplit).
#include <boost/rational.hpp>

#include <cstdint>
#include <vector>

#include <wx/string.h>

class QxPriceHistory;

struct QxSplitRecord {
    int64_t date = 0;                // packed timestamp
    boost::rational<int> ratio{0, 1}; // old shares : new shares (2-for-1 is 1:2)
};

// A positive x as a small fraction; the split test's notion of a price ratio.
// x must be finite and below the int range.
boost::rational<int> approximateRatio(double x);

// Appends one record per detected split of history, in date order; the
// vector is not cleared first. Bars whose level or ratio is not a usable
// positive number are passed over.
void detectSplits(const QxPriceHistory& history, std::vector<QxSplitRecord>& records);

// "numerator:denominator", as the ratio is shown.
wxString splitRatioText(const boost::rational<int>& ratio);
