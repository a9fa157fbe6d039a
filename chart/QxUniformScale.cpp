#include "chart/QxUniformScale.h"

#include <cmath>

void QxUniformScale::setup(const double& lower, const double& upper, int firstPixel, int secondPixel,
                           bool logarithmic)
{
    m_min = lower;
    m_max = upper;
    m_logarithmic = logarithmic && lower > 0.0 && upper > 0.0 && lower != upper;
    if (m_logarithmic) {
        m_factor = (secondPixel - firstPixel) / (std::log(upper) - std::log(lower));
        m_offset = firstPixel - std::log(lower) * m_factor;
    } else {
        m_factor = lower == upper ? 0.0 : (firstPixel - secondPixel) / (lower - upper);
        m_offset = firstPixel - lower * m_factor;
    }
}

int QxUniformScale::map(const double& value) const
{
    // NaN sits at the lower end; 0 and below, which have no logarithm, lie
    // beyond it.
    double v = std::isnan(value) ? m_min : value;
    if (m_logarithmic)
        v = v > 0.0 ? std::log(v) : -HUGE_VAL;
    double p = m_factor * v + m_offset + 0.5;
    if (std::isnan(p)) {
        // An infinite value on a degenerate scale, or a scale set up from
        // NaN: the pixel of the offset, or 0 where that is no number either.
        p = std::isnan(m_offset) ? 0.0 : m_offset + 0.5;
    }
    if (p > kPixelLimit)
        p = kPixelLimit;
    else if (p < -kPixelLimit)
        p = -kPixelLimit;
    return static_cast<int>(p); // truncation toward zero
}

double QxUniformScale::unmap(int pixel) const
{
    if (m_factor == 0.0)
        return 0.0;
    const double w = (pixel - m_offset) / m_factor;
    return m_logarithmic ? std::exp(w) : w;
}
