#pragma once
// A pair lower, upper; a range whose upper is below its lower is empty.
// Axes, zones and drawables exchange value ranges (double) and visible bar
// ranges (unsigned) in this form.
template <class T>
struct QxRange {
    T lower{};
    T upper{};

    QxRange() = default;
    QxRange(T lo, T up) : lower(lo), upper(up) {}

    bool isEmpty() const { return upper < lower; }
    bool operator==(const QxRange& o) const { return lower == o.lower && upper == o.upper; }
    bool operator!=(const QxRange& o) const { return !(*this == o); }
};
