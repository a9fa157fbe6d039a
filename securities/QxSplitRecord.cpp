#include "securities/QxSplitRecord.h"

#include "core/QxPriceHistory.h"

#include <cmath>

namespace {

using Ratio = boost::rational<int>;

// Ratios at or above this would overflow the int terms of the fraction.
constexpr double kLargestRatio = 2147483000.0;

double level(const QxPriceHistory& h, bool fund, unsigned i)
{
    if (fund)
        return h.nav()[i];
    return h.open()[i] + h.high()[i] + h.low()[i] + h.close()[i];
}

bool usableRatio(double r) { return std::isfinite(r) && r > 0.0 && r < kLargestRatio; }

// The proposal for the move from bar i-1 to bar i; false when none.
bool proposeSplit(const QxPriceHistory& h, bool fund, unsigned i, Ratio& out)
{
    const double before = level(h, fund, i - 1);
    const double after = level(h, fund, i);
    if (!(before > 0.0) || !(after > 0.0))
        return false;
    const double r = after / before;
    if (!usableRatio(r))
        return false;

    const Ratio one(1);
    Ratio R = approximateRatio(r);
    if (R == one) {
        // A fall is judged on its reciprocal: 0.68 alone rounds to 1, 1/0.68 to 3/2.
        const double inverse = 1.0 / r;
        if (!usableRatio(inverse))
            return false;
        const Ratio back = approximateRatio(inverse);
        if (back.numerator() == 0)
            return false;
        R = one / back;
        if (R == one)
            return false;
    }
    if (R > one && R < Ratio(3, 2))
        return false;
    if (R < one && R > Ratio(2, 3))
        return false;

    const double highBefore = fund ? h.nav()[i - 1] : h.high()[i - 1];
    const double lowBefore = fund ? h.nav()[i - 1] : h.low()[i - 1];
    const double highAfter = fund ? h.nav()[i] : h.high()[i];
    const double lowAfter = fund ? h.nav()[i] : h.low()[i];
    if (R > one) {
        // Only a gap upwards and at least a doubling count as a reverse split.
        if (!(lowAfter > highBefore) || R < Ratio(2))
            return false;
        if (R.denominator() > 1)
            R = Ratio(static_cast<int>(static_cast<double>(R.numerator()) / R.denominator() + 0.5), 1);
    } else {
        if (!(highAfter < lowBefore))
            return false;
        if (R < Ratio(1, 2) && R.numerator() != 0)
            R = Ratio(1, static_cast<int>(static_cast<double>(R.denominator()) / R.numerator() + 0.5));
    }
    out = R;
    return true;
}

} // namespace

boost::rational<int> approximateRatio(double x)
{
    const int n = static_cast<int>(x);
    const double f = x - n;
    const double t = f < 0.05 ? 0.0 : 10.0 / static_cast<int>(f * 10.0 + 0.5);
    const int numerator = static_cast<int>(n + t + 0.5);
    int denominator = static_cast<int>(numerator / x + 0.5);
    if (denominator == 0)
        denominator = 1;
    return Ratio(numerator, denominator);
}

void detectSplits(const QxPriceHistory& history, std::vector<QxSplitRecord>& records)
{
    const unsigned n = history.numBars();
    if (n < 2)
        return;
    const bool fund = history.getSecurityType() == Qx::eFund;
    if (fund ? !history.nav() : !history.open())
        return; // a history without the columns of its type
    const int64_t* ts = history.timestamp();
    for (unsigned i = 1; i < n; ++i) {
        Ratio ratio;
        if (proposeSplit(history, fund, i, ratio))
            records.push_back({ts[i], ratio});
    }
}

wxString splitRatioText(const boost::rational<int>& ratio)
{
    return wxString::Format("%d:%d", ratio.numerator(), ratio.denominator());
}
