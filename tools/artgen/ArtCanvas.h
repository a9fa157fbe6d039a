#pragma once
// A tiny anti-aliased rasteriser for the program's icons.  Drawings are made
// on a 32 x 32 design grid and scaled to the size being drawn, so one
// drawing serves every size.  Coverage is found by 4 x 4 supersampling.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

struct Colour {
    float r, g, b, a;
    constexpr Colour(float r_, float g_, float b_, float a_ = 1.0f) : r(r_), g(g_), b(b_), a(a_) {}
    Colour withAlpha(float alpha) const { return Colour(r, g, b, alpha); }
};

struct Pt {
    double x, y;
};

class ArtCanvas {
public:
    explicit ArtCanvas(int size);

    int size() const { return m_size; }
    // Design units per pixel is 32 / size; strokes never get thinner than a pixel.
    double minStroke() const { return 1.0 / m_scale; }

    void fillRect(double x0, double y0, double x1, double y1, Colour c);
    void fillRoundRect(double x0, double y0, double x1, double y1, double radius, Colour c);
    void fillEllipse(double cx, double cy, double rx, double ry, Colour c);
    void fillPolygon(const std::vector<Pt>& pts, Colour c);
    // Round-capped, round-joined strokes.
    void strokePolyline(const std::vector<Pt>& pts, double width, Colour c, bool closed = false);
    void line(double x0, double y0, double x1, double y1, double width, Colour c);
    void strokeRect(double x0, double y0, double x1, double y1, double width, Colour c);
    void strokeEllipse(double cx, double cy, double rx, double ry, double width, Colour c);

    // Premultiplied RGBA, rows from the top.
    const std::vector<float>& pixels() const { return m_px; }
    // Straight (not premultiplied) 8-bit RGB and alpha planes.
    void toRgbAlpha(std::vector<uint8_t>& rgb, std::vector<uint8_t>& alpha) const;

private:
    template <class Inside>
    void cover(double x0, double y0, double x1, double y1, Colour c, Inside inside);

    int m_size;
    double m_scale; // pixels per design unit
    std::vector<float> m_px;
};

// Points of an elliptical arc; angles in degrees, counter-clockwise as on
// paper (y grows downwards on the canvas, so sin is subtracted).
std::vector<Pt> arcPoints(double cx, double cy, double rx, double ry, double fromDeg, double toDeg,
                          int steps = 48);
