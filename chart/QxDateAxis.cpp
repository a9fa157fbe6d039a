#include "chart/QxDateAxis.h"

#include "chart/QxTextCache.h"
#include "core/QxPriceHistory.h"
#include "core/QxTime.h"

#include <algorithm>

namespace {

wxString yearLabel(int64_t ts)
{
    const QxSplitTime t = splitTimestamp(ts);
    return wxString::Format("%04d", static_cast<int>(t.year));
}

wxString monthLabel(int64_t ts)
{
    const QxSplitTime t = splitTimestamp(ts);
    return wxString::Format("%04d%c%02d", static_cast<int>(t.year), '-', static_cast<int>(t.month));
}

wxString dayLabel(int64_t ts)
{
    const QxSplitTime t = splitTimestamp(ts);
    return wxString::Format("%04d%c%02d%c%02d", static_cast<int>(t.year), '-', static_cast<int>(t.month),
                            '-', static_cast<int>(t.day));
}

} // namespace

QxDateAxis::QxDateAxis()
{
    const QxAxisConfiguration& c = currentChartConfig().axisConfig;
    m_config.tickColor = c.tickColor;
    m_config.labelColor = c.labelColor;
    m_config.labelFont = c.labelFont;
}

QxDateAxis::~QxDateAxis() = default;

int QxDateAxis::setConfig(const QxAxisConfiguration& config)
{
    m_config.tickColor = config.tickColor;
    m_config.labelColor = config.labelColor;
    m_config.labelFont = config.labelFont;
    m_configSet = true;
    return 0;
}

void QxDateAxis::setup(wxDC& dc, const QxRange<unsigned>& bars, const QxPriceHistory* history,
                       int firstPixel, int secondPixel)
{
    m_ticks.clear();
    m_labels.clear();
    if (!m_config.labelFont.IsOk() || bars.upper <= bars.lower || !history || history->numBars() == 0)
        return;
    // Visible bars past the end of the history (a caller out of step with
    // its data) would be read out of bounds.
    if (bars.upper >= history->numBars())
        return;
    const double period = static_cast<double>(history->getPeriod());
    if (!(period > 0.0))
        return;

    m_bars = bars;
    m_firstPixel = firstPixel;
    m_secondPixel = secondPixel;
    m_scale.setup(static_cast<double>(bars.lower), static_cast<double>(bars.upper), firstPixel, secondPixel,
                  false);

    // Measured in the font display() paints with, not whatever font the
    // caller left in the device: labels judged to fit in a smaller font
    // would all be dropped when painted.
    struct FontScope {
        wxDC& dc;
        const wxFont previous;
        FontScope(wxDC& d, const wxFont& font) : dc(d), previous(d.GetFont()) { dc.SetFont(font); }
        ~FontScope() { dc.SetFont(previous); }
    } fontScope(dc, m_config.labelFont);

    m_tickLength = QxTextCache::extent(dc, "X").x;
    const int charWidth = QxTextCache::charWidth(dc);
    m_height = QxTextCache::charHeight(dc) + 3 * charWidth + m_tickLength;
    const int dayLabelWidth = QxTextCache::extent(dc, "9999/99/99").x + 2 * charWidth;
    const int monthLabelWidth = QxTextCache::extent(dc, "9999/99").x + 2 * charWidth;

    const double zero = 0.0;
    auto periodWidth = [&](double seconds) {
        const double barCount = seconds / period;
        return m_scale.map(barCount) - m_scale.map(zero);
    };
    const double first = bars.lower, next = bars.lower + 1.0;

    Qx::QxPeriod labelPeriod = history->getPeriod();
    m_periodLabels = false;
    if (m_scale.map(next) - m_scale.map(first) >= dayLabelWidth) {
        labelPeriod = history->getPeriod();
    } else if (periodWidth(Qx::eWeekly) > dayLabelWidth) {
        labelPeriod = Qx::eWeekly;
    } else {
        m_periodLabels = true;
        if (periodWidth(Qx::eMonthly) > monthLabelWidth)
            labelPeriod = Qx::eMonthly;
        else if (periodWidth(Qx::eQuarterly) > monthLabelWidth)
            labelPeriod = Qx::eQuarterly;
        else
            labelPeriod = Qx::eYearly;
    }
    m_labelPeriod = labelPeriod;

    // Each tick is the first bar of a new period; the first visible bar
    // never is one.
    const int64_t* stamps = history->timestamp();
    std::vector<int64_t> periodStarts;
    int64_t recorded = QxUtils::alignDate(stamps[bars.lower], labelPeriod);
    for (unsigned bar = bars.lower; bar <= bars.upper; ++bar) {
        const int64_t aligned = QxUtils::alignDate(stamps[bar], labelPeriod);
        if (aligned > recorded) {
            m_ticks.push_back(bar);
            periodStarts.push_back(aligned);
            recorded = aligned;
        }
    }
    if (m_ticks.size() < 2) {
        m_ticks.clear();
        return;
    }

    if (m_periodLabels) {
        const int span = m_scale.map(static_cast<double>(m_ticks.back())) -
                         m_scale.map(static_cast<double>(m_ticks.front()));
        const int meanSpacing = std::max(span, 0) / static_cast<int>(m_ticks.size() - 1);
        const wxString sample = labelPeriod == Qx::eYearly ? wxString("9999") : wxString("9999-99");
        if (meanSpacing <= QxTextCache::extent(dc, sample).x + charWidth)
            m_periodLabels = false;
    }

    m_labels.reserve(m_ticks.size());
    for (size_t i = 0; i < m_ticks.size(); ++i) {
        if (!m_periodLabels)
            m_labels.push_back(dayLabel(stamps[m_ticks[i]]));
        else if (labelPeriod == Qx::eYearly)
            m_labels.push_back(yearLabel(periodStarts[i]));
        else
            m_labels.push_back(monthLabel(periodStarts[i]));
    }
}

void QxDateAxis::display(wxDC& dc, const wxPoint& origin, Qx::QxAxisOrientation orientation) const
{
    if (m_ticks.empty())
        return;

    const bool below = orientation == Qx::eAxisBelow;
    const int direction = below ? 1 : -1;
    const int baseY = below ? origin.y : origin.y - m_height;

    const wxPen previousPen = dc.GetPen();
    const wxFont previousFont = dc.GetFont();
    const wxColour previousText = dc.GetTextForeground();
    const int previousMode = dc.GetBackgroundMode();

    wxPen pen(m_config.tickColor, 1, wxPENSTYLE_SOLID);
    pen.SetCap(wxCAP_BUTT);
    dc.SetPen(pen);
    dc.SetTextForeground(m_config.labelColor);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetFont(m_config.labelFont);
    const int charWidth = QxTextCache::charWidth(dc);

    const int labelY = baseY + charWidth + m_tickLength;
    const int alignment = wxALIGN_CENTER_HORIZONTAL | (below ? 0 : wxALIGN_BOTTOM);
    int limit = m_scale.map(static_cast<double>(m_bars.lower));
    for (size_t i = 0; i < m_ticks.size(); ++i) {
        const wxSize text = QxTextCache::extent(dc, m_labels[i]);
        const int w = text.x + charWidth;
        const int h = text.y + charWidth;
        const int x = m_scale.map(static_cast<double>(m_ticks[i]));
        if (x < origin.x)
            continue;
        int boxX, boxWidth;
        if (m_periodLabels) {
            const double end = i + 1 < m_ticks.size() ? m_ticks[i + 1] : m_bars.upper;
            boxX = x;
            boxWidth = m_scale.map(end) - x;
            if (boxWidth < w)
                continue;
        } else {
            boxX = x - w / 2;
            boxWidth = w;
            if (boxX < limit)
                continue;
        }
        QxTextCache::drawLabel(dc, m_labels[i], wxRect(boxX, labelY, boxWidth, h), alignment);
        limit = boxX + boxWidth;
        dc.DrawLine(x, baseY, x, baseY + direction * m_tickLength);
    }

    dc.SetFont(previousFont);
    dc.SetPen(previousPen);
    dc.SetTextForeground(previousText);
    dc.SetBackgroundMode(previousMode);
}
