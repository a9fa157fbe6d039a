#include "ArtCanvas.h"

namespace {

constexpr int kSub = 4; // samples per pixel along each axis
constexpr double kPi = 3.14159265358979323846;

double segmentDistance2(double px, double py, const Pt& a, const Pt& b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = a.x + t * dx - px, ey = a.y + t * dy - py;
    return ex * ex + ey * ey;
}

} // namespace

ArtCanvas::ArtCanvas(int size)
    : m_size(size), m_scale(size / 32.0), m_px(static_cast<size_t>(size) * size * 4, 0.0f)
{
}

template <class Inside>
void ArtCanvas::cover(double x0, double y0, double x1, double y1, Colour c, Inside inside)
{
    const int px0 = std::max(0, static_cast<int>(std::floor(x0 * m_scale)) - 1);
    const int py0 = std::max(0, static_cast<int>(std::floor(y0 * m_scale)) - 1);
    const int px1 = std::min(m_size - 1, static_cast<int>(std::ceil(x1 * m_scale)) + 1);
    const int py1 = std::min(m_size - 1, static_cast<int>(std::ceil(y1 * m_scale)) + 1);
    for (int py = py0; py <= py1; ++py) {
        for (int px = px0; px <= px1; ++px) {
            int hits = 0;
            for (int sy = 0; sy < kSub; ++sy) {
                const double y = (py + (sy + 0.5) / kSub) / m_scale;
                for (int sx = 0; sx < kSub; ++sx) {
                    const double x = (px + (sx + 0.5) / kSub) / m_scale;
                    if (inside(x, y))
                        ++hits;
                }
            }
            if (!hits)
                continue;
            const float a = c.a * static_cast<float>(hits) / (kSub * kSub);
            float* d = &m_px[(static_cast<size_t>(py) * m_size + px) * 4];
            d[0] = c.r * a + d[0] * (1 - a);
            d[1] = c.g * a + d[1] * (1 - a);
            d[2] = c.b * a + d[2] * (1 - a);
            d[3] = a + d[3] * (1 - a);
        }
    }
}

void ArtCanvas::fillRect(double x0, double y0, double x1, double y1, Colour c)
{
    cover(x0, y0, x1, y1, c,
          [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; });
}

void ArtCanvas::fillRoundRect(double x0, double y0, double x1, double y1, double r, Colour c)
{
    cover(x0, y0, x1, y1, c, [=](double x, double y) {
        if (x < x0 || x >= x1 || y < y0 || y >= y1)
            return false;
        const double cx = std::clamp(x, x0 + r, x1 - r), cy = std::clamp(y, y0 + r, y1 - r);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
    });
}

void ArtCanvas::fillEllipse(double cx, double cy, double rx, double ry, Colour c)
{
    cover(cx - rx, cy - ry, cx + rx, cy + ry, c, [=](double x, double y) {
        const double u = (x - cx) / rx, v = (y - cy) / ry;
        return u * u + v * v <= 1.0;
    });
}

void ArtCanvas::fillPolygon(const std::vector<Pt>& pts, Colour c)
{
    if (pts.size() < 3)
        return;
    double x0 = pts[0].x, x1 = x0, y0 = pts[0].y, y1 = y0;
    for (const Pt& p : pts) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    cover(x0, y0, x1, y1, c, [&pts](double x, double y) {
        bool in = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const Pt &a = pts[i], &b = pts[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
                in = !in;
        }
        return in;
    });
}

void ArtCanvas::strokePolyline(const std::vector<Pt>& input, double width, Colour c, bool closed)
{
    if (input.empty())
        return;
    std::vector<Pt> pts = input;
    if (closed)
        pts.push_back(input.front());
    const double half = std::max(width, minStroke()) / 2;
    double x0 = pts[0].x, x1 = x0, y0 = pts[0].y, y1 = y0;
    for (const Pt& p : pts) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    const double h2 = half * half;
    cover(x0 - half, y0 - half, x1 + half, y1 + half, c, [&pts, h2](double x, double y) {
        if (pts.size() == 1)
            return segmentDistance2(x, y, pts[0], pts[0]) <= h2;
        for (size_t i = 1; i < pts.size(); ++i)
            if (segmentDistance2(x, y, pts[i - 1], pts[i]) <= h2)
                return true;
        return false;
    });
}

void ArtCanvas::line(double x0, double y0, double x1, double y1, double width, Colour c)
{
    strokePolyline({{x0, y0}, {x1, y1}}, width, c);
}

void ArtCanvas::strokeRect(double x0, double y0, double x1, double y1, double width, Colour c)
{
    strokePolyline({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, width, c, true);
}

void ArtCanvas::strokeEllipse(double cx, double cy, double rx, double ry, double width, Colour c)
{
    strokePolyline(arcPoints(cx, cy, rx, ry, 0, 360, 72), width, c, true);
}

void ArtCanvas::toRgbAlpha(std::vector<uint8_t>& rgb, std::vector<uint8_t>& alpha) const
{
    const size_t n = static_cast<size_t>(m_size) * m_size;
    rgb.assign(n * 3, 0);
    alpha.assign(n, 0);
    for (size_t i = 0; i < n; ++i) {
        const float a = m_px[i * 4 + 3];
        alpha[i] = static_cast<uint8_t>(std::lround(std::clamp(a, 0.0f, 1.0f) * 255));
        if (a <= 0)
            continue;
        for (int k = 0; k < 3; ++k)
            rgb[i * 3 + k] =
                static_cast<uint8_t>(std::lround(std::clamp(m_px[i * 4 + k] / a, 0.0f, 1.0f) * 255));
    }
}

std::vector<Pt> arcPoints(double cx, double cy, double rx, double ry, double fromDeg, double toDeg,
                          int steps)
{
    std::vector<Pt> pts;
    pts.reserve(static_cast<size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const double a = (fromDeg + (toDeg - fromDeg) * i / steps) * kPi / 180.0;
        pts.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
    }
    return pts;
}
