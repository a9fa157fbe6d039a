#pragma once
// Mapping between values and pixels that axes and drawables share.  Pixel
// coordinates are device coordinates of the whole chart.

class QxScale {
public:
    virtual ~QxScale() = default;
    virtual int map(const double& value) const = 0;
    virtual double unmap(int pixel) const = 0;

    // The range the scale was last set up with; empty (max below min) before.
    // A bar scale's range is its first and last bar.
    double min() const { return m_min; }
    double max() const { return m_max; }
    bool inRange(double value) const { return value >= m_min && value <= m_max; }

protected:
    double m_min = 0.0;
    double m_max = -1.0;
};

namespace Qx {

// Where an axis is painted: a value axis on the left (1) or right (2) of its
// zone; the date axis above (1) or below (2) the given line.
enum QxAxisOrientation : int {
    eAxisLeft = 1,
    eAxisAbove = 1,
    eAxisRight = 2,
    eAxisBelow = 2,
};

} // namespace Qx
