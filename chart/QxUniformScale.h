#pragma once
// The chart's one scale: linear, or logarithmic (of the natural logarithm)
// when asked for and both ends of the range are positive and differ.
#include "chart/QxScale.h"

class QxUniformScale : public QxScale {
public:
    QxUniformScale() = default;

    // lower maps to firstPixel and upper to secondPixel.
    void setup(const double& lower, const double& upper, int firstPixel, int secondPixel,
               bool logarithmic);

    // Always some pixel, also for values the scale cannot place (NaN, 0 or
    // below on a logarithmic scale: far beyond the lower end) and for values
    // so far out that the pixel would not fit drawing coordinates.
    int map(const double& value) const override;
    // 0.0 on a degenerate scale (factor 0).
    double unmap(int pixel) const override;

    double lower() const { return m_min; }
    double upper() const { return m_max; }
    double factor() const { return m_factor; }
    double offset() const { return m_offset; }
    bool isLogarithmic() const { return m_logarithmic; }

    // Largest distance from 0 of a mapped pixel; beyond this the drawing
    // layer's fixed-point coordinates would overflow.
    static constexpr double kPixelLimit = 4000000.0;

private:
    double m_factor = 1.0;
    double m_offset = 0.0;
    bool m_logarithmic = false;
};
