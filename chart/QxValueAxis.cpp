#include "chart/QxValueAxis.h"

#include "chart/QxTextCache.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Bounds on the tick search, so that no range (huge, tiny, NaN, infinite)
// and no axis length can make it run away.
constexpr int kMaxTickCount = 1000;
constexpr int kMaxSpacingRounds = 200;
constexpr int kMaxDecimals = 30;

// 10^e built from an exact power of ten, so that 10^-2 is the double nearest
// to 0.01; 0 or infinity where the power leaves the double range.
double powerOfTen(int e)
{
    double p = 1.0;
    for (int i = 0; i < std::abs(e); ++i)
        p *= 10.0;
    return e < 0 ? 1.0 / p : p;
}

// Integer part of log10 |x|; 0 has no magnitude and counts as 0 here, which
// is what a value below 1 gives as well.
int magnitude(double x)
{
    const double a = std::fabs(x);
    if (!(a > 0.0) || !std::isfinite(a))
        return 0;
    return static_cast<int>(std::log10(a));
}

wxString formatLabel(const char* format, char sign, double value)
{
    char buf[101];
    std::snprintf(buf, sizeof buf, format, sign, value);
    return wxString::FromAscii(buf);
}

} // namespace

QxValueAxis::QxValueAxis()
{
    const QxAxisConfiguration& c = currentChartConfig().axisConfig;
    m_config.tickColor = c.tickColor;
    m_config.labelColor = c.labelColor;
    m_config.labelFont = c.labelFont;
}

QxValueAxis::~QxValueAxis() = default;

void QxValueAxis::setConfig(const QxAxisConfiguration& config)
{
    m_config.tickColor = config.tickColor;
    m_config.labelColor = config.labelColor;
    m_config.labelFont = config.labelFont;
    m_configSet = true;
}

void QxValueAxis::setLogScale(bool logScale)
{
    m_logScale = logScale;
    m_logScaleSet = true;
}

double QxValueAxis::niceNumber(double x)
{
    if (!(x > 0.0) || !std::isfinite(x))
        return 0.0;
    const int e = static_cast<int>(std::floor(std::log10(x)));
    const double p = powerOfTen(e);
    if (!(p > 0.0) || !std::isfinite(p))
        return 0.0;
    const double f = x / p;
    double nice;
    if (f < 1.5)
        nice = 1.0;
    else if (f < 3.0)
        nice = 2.0;
    else if (f < 4.5)
        nice = 4.0;
    else if (f < 7.0)
        nice = 5.0;
    else
        nice = 10.0;
    return nice * p;
}

void QxValueAxis::setup(wxDC& dc, const QxRange<double>& range, int firstPixel, int secondPixel)
{
    m_ticks.clear();
    m_labels.clear();
    if (!m_config.labelFont.IsOk())
        return;

    m_length = firstPixel - secondPixel;
    m_range = range;
    if (m_range.lower == m_range.upper) {
        const double v = m_range.lower;
        if (v == 0.0) {
            m_range = QxRange<double>(-1.0, 1.0);
        } else {
            // Ordered so that a single negative value gets a usable range too.
            const double a = v * 0.99, b = v * 1.01;
            m_range = QxRange<double>(std::min(a, b), std::max(a, b));
        }
    }

    const bool logarithmic = m_logScale && m_range.lower > 0.0 && m_range.upper > 0.0 &&
                             m_range.lower != m_range.upper;
    m_scale.setup(m_range.lower, m_range.upper, firstPixel, secondPixel, logarithmic);

    setupTicks(dc);

    if (!m_ticks.empty()) {
        m_tickLength = QxTextCache::extent(dc, "X").x;
        const int first = QxTextCache::extent(dc, m_labels.front()).x;
        const int last = QxTextCache::extent(dc, m_labels.back()).x;
        m_requiredWidth = std::max(first, last) + 3 * QxTextCache::charWidth(dc) + m_tickLength;
    }
}

void QxValueAxis::setupTicks(wxDC& dc)
{
    wxCoord h = 0;
    {
        const wxFont previous = dc.GetFont();
        dc.SetFont(m_config.labelFont);
        h = QxTextCache::extent(dc, "+-0.123456789kMB").y;
        dc.SetFont(previous);
    }
    if (h <= 0 || m_length <= h)
        return;

    // Aim at no fewer than four ticks.
    double spacing = 2.0 * h;
    int n = static_cast<int>(std::min<double>((m_length - h) / spacing, kMaxTickCount));
    for (int round = 0; n < 4 && round < kMaxSpacingRounds; ++round) {
        spacing *= 0.75;
        n = static_cast<int>(std::min<double>((m_length - h) / spacing, kMaxTickCount));
    }
    if (n < 2)
        return;

    const double lower = m_range.lower, upper = m_range.upper;
    const double rawStep = (upper - lower) / (n - 1);
    // Also an empty or reversed range, and NaN or infinite ends.
    if (!(rawStep > 0.0) || !std::isfinite(rawStep))
        return;
    const double step = niceNumber(rawStep);
    if (!(step > 0.0))
        return;

    double s = std::floor(lower / step) * step;
    if (!std::isfinite(s))
        return;
    const double a = niceNumber(std::fabs(lower)); // 0 for a range starting at 0
    if (std::fabs(lower - s) > std::fabs(lower - a))
        s = a;
    for (int i = 0; s < lower && i < kMaxTickCount; ++i) {
        const double next = s + step;
        if (next == s)
            return; // the step is below the precision of the values
        s = next;
    }
    if (s < lower)
        return;

    bool allWhole = true;
    for (int k = 0; k < kMaxTickCount; ++k) {
        double t = s + k * step;
        if (!(t < upper))
            break;
        if (!m_ticks.empty() && t <= m_ticks.back())
            break; // no progress: the step is lost in the values' precision
        if (std::fabs(t) < step * 1e-9)
            t = 0.0; // not -0.0 or 1e-17 from rounding
        if (t != std::trunc(t))
            allWhole = false;
        m_ticks.push_back(t);
    }
    if (m_ticks.empty())
        return;

    const double firstTick = m_ticks.front(), lastTick = m_ticks.back();
    const int m = std::max(magnitude(firstTick), magnitude(lastTick));
    const int d = static_cast<int>(std::log10(step));

    double divisor = 1.0;
    wxString format;
    if (m >= 9) {
        divisor = 1e9;
        format = wxString::Format("%%c%%.%dlfB", d > 8 ? 1 : 9 - d);
    } else if (m >= 6) {
        divisor = 1e6;
        format = wxString::Format("%%c%%.%dlfM", d > 5 ? 1 : 6 - d);
    } else if (m >= 3 && m_ticks.size() >= 2 && m_ticks[1] >= 10000.0) {
        divisor = 1e3;
        format = wxString::Format("%%c%%.%dlfk", d > 2 ? 1 : 3 - d);
    } else if (allWhole) {
        format = "%c%.0lf";
    } else {
        int decimals = 4;
        for (int p = 1; p <= 3; ++p) {
            const double scale = powerOfTen(p);
            const bool fits = std::all_of(m_ticks.begin(), m_ticks.end(), [&](double t) {
                const double v = std::fabs(t) * scale;
                return std::fabs(v - std::trunc(v + 0.5)) <= 0.0001;
            });
            if (fits) {
                decimals = p;
                break;
            }
        }
        // At least the decimals the step needs: the closeness test above is
        // absolute, so ticks of a tiny range would otherwise all read "0.0".
        const int stepDecimals = static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
        decimals = std::min(std::max(decimals, stepDecimals), kMaxDecimals);
        format = wxString::Format("%%c%%.%dlf", decimals);
    }

    const bool mixedSigns = !(firstTick * lastTick > 0.0);
    const wxScopedCharBuffer fmt = format.ToAscii();
    m_labels.reserve(m_ticks.size());
    for (double t : m_ticks) {
        const char sign = t < 0.0 ? '-' : (mixedSigns ? '+' : ' ');
        m_labels.push_back(formatLabel(fmt.data(), sign, std::fabs(t) / divisor));
    }
}

void QxValueAxis::display(wxDC& dc, const wxPoint& origin, Qx::QxAxisOrientation orientation) const
{
    if (m_ticks.empty())
        return;

    const bool right = orientation == Qx::eAxisRight;
    const int direction = right ? 1 : -1;
    const int tickX = right ? origin.x : origin.x + getWidth();

    const wxPen previousPen = dc.GetPen();
    const wxFont previousFont = dc.GetFont();
    const wxColour previousText = dc.GetTextForeground();
    const int previousMode = dc.GetBackgroundMode();

    wxPen pen(m_config.tickColor, 1, wxPENSTYLE_SOLID);
    pen.SetCap(wxCAP_BUTT);
    dc.SetPen(pen);
    dc.SetTextForeground(m_config.labelColor);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const int charHeight = QxTextCache::charHeight(dc);
    const int charWidth = QxTextCache::charWidth(dc);
    dc.SetFont(m_config.labelFont);

    const int boxX = right ? origin.x + m_tickLength + charWidth : origin.x;
    const int boxWidth = m_requiredWidth - m_tickLength - charWidth;

    int limit = m_scale.map(m_range.lower) + origin.y;
    for (size_t i = 0; i < m_ticks.size(); ++i) {
        const int y = m_scale.map(m_ticks[i]) + origin.y;
        const wxSize text = QxTextCache::extent(dc, m_labels[i]);
        const int tw = text.x, th = text.y;
        if (y + th / 2 >= limit)
            continue; // would overlap the label below
        dc.DrawLine(tickX, y, tickX + direction * m_tickLength, y);
        // Placed as DrawLabel places one line in the box, with the size just
        // measured: DrawLabel would measure the text twice more.
        const wxRect box(boxX, y - charHeight, boxWidth, 2 * charHeight);
        const int textX = right ? box.GetLeft() : box.GetRight() + 1 - tw;
        const int textY = (box.GetTop() + box.GetBottom() + 1 - th) / 2;
        QxTextCache::draw(dc, m_labels[i], textX, textY);
        limit = y - th / 2;
    }

    dc.SetFont(previousFont);
    dc.SetPen(previousPen);
    dc.SetTextForeground(previousText);
    dc.SetBackgroundMode(previousMode);
}
