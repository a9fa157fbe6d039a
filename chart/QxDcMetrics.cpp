#include "chart/QxDcMetrics.h"

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kFallbackPpi = 96.0;

double perMm(int pixels, int millimetres, int ppi)
{
    if (pixels > 0 && millimetres > 0)
        return static_cast<double>(pixels) / millimetres;
    return (ppi > 0 ? ppi : kFallbackPpi) / kMmPerInch;
}

} // namespace

double dcPixelsPerMmX(const wxDC& dc)
{
    return perMm(dc.GetSize().x, dc.GetSizeMM().x, dc.GetPPI().x);
}

double dcPixelsPerMmY(const wxDC& dc)
{
    return perMm(dc.GetSize().y, dc.GetSizeMM().y, dc.GetPPI().y);
}
