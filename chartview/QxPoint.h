#pragma once
// A point of a zone in chart coordinates: x a bar position (fractions
// allowed), y a value on the zone's value scale.
struct QxPoint {
    double x = 0.0;
    double y = 0.0;
};
