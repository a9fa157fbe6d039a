#include "chartview/QxChartViewTexts.h"

#include "chart/QxChart.h"
#include "chart/QxZone.h"
#include "chartview/QxPattern.h"
#include "core/QxCalculator.h"
#include "core/QxIndicator.h"
#include "core/QxPriceHistory.h"
#include "core/QxTime.h"

#include <cmath>
#include <vector>

namespace QxChartViewTexts {

namespace {

bool isVisible(const QxChart& chart, int64_t bar)
{
    return bar >= 0 && chart.numVisibleBars() > 0 && bar >= int64_t(chart.firstVisibleBar()) &&
           bar <= int64_t(chart.lastVisibleBar());
}

const QxPriceHistory* history(QxChart& chart)
{
    QxCalculator* calc = chart.getCalc();
    return calc ? calc->prices(calc->currentTimeframe(), false) : nullptr;
}

wxString dateOf(QxChart& chart, int64_t bar)
{
    const QxPriceHistory* h = history(chart);
    if (!h || bar < 0 || bar >= int64_t(h->numBars()))
        return wxString();
    return formatTimestamp(h->timestamp()[bar], "%x");
}

} // namespace

int64_t barAt(double position)
{
    const double bar = std::floor(position + 0.5);
    if (!(bar >= 0.0))
        return -1;
    return bar > 4294967295.0 ? int64_t(4294967295LL) : int64_t(bar);
}

namespace {

// The values of one zone at a bar, one entry for each value.
void addCurveEntries(std::vector<wxString>& entries, QxChart& chart, int zoneIndex, int64_t bar)
{
    QxZone* zone = zoneIndex >= 0 ? chart.zoneAt(unsigned(zoneIndex)) : nullptr;
    QxCalculator* calc = chart.getCalc();
    if (!zone || !calc || !isVisible(chart, bar))
        return;
    const QxPriceHistory* h = history(chart);
    const bool inHistory = h && bar < int64_t(h->numBars());
    unsigned from = 0;
    if (zone == chart.getMainZone()) {
        if (inHistory) {
            entries.push_back(wxString::Format("%s = %.4lf ", "Open", h->open()[bar]));
            entries.push_back(wxString::Format("%s = %.4lf ", "High", h->high()[bar]));
            entries.push_back(wxString::Format("%s = %.4lf ", "Low", h->low()[bar]));
            entries.push_back(wxString::Format("%s = %.4lf ", "Close", h->close()[bar]));
        }
        from = 1;
    } else if (zone == chart.getVolumeZone()) {
        if (inHistory)
            entries.push_back(wxString::Format("%s= %.0lf ", "Volume", h->volume()[bar]));
        from = 1;
    }
    const int32_t at = int32_t(bar);
    for (unsigned i = from; i < zone->numIndicator(); ++i) {
        QxIndicator* indicator = zone->indicatorAt(i);
        if (!indicator)
            continue;
        const auto& outputs = indicator->outputInfos();
        for (unsigned o = 0; o < outputs.size(); ++o) {
            QxSeries series;
            if (calc->getDataSeries(QxSeriesId(indicator, o), series) != 0 || series.empty())
                continue;
            if (at < series.first || at > series.last)
                continue;
            entries.push_back(outputs[o].string() + " = " + wxString::Format("%.4lf ", *series.at(at)));
        }
    }
}

wxString joined(const std::vector<wxString>& entries, size_t count)
{
    wxString text;
    for (size_t i = 0; i < count && i < entries.size(); ++i)
        text << entries[i];
    return text;
}

} // namespace

wxString curveValues(QxChart& chart, int zoneIndex, int64_t bar)
{
    std::vector<wxString> entries;
    addCurveEntries(entries, chart, zoneIndex, bar);
    return joined(entries, entries.size());
}

std::vector<wxString> statusEntries(QxChart& chart, int currentZone, int64_t bar)
{
    std::vector<wxString> entries;
    if (bar < 0 || bar > int64_t(chart.lastVisibleBar()))
        return entries;
    entries.push_back(dateOf(chart, bar) + ": ");
    if (currentZone != -1)
        addCurveEntries(entries, chart, currentZone, bar);
    for (unsigned i = 0; i < chart.numZones(); ++i) {
        if (int(i) == currentZone)
            continue;
        const QxZone* zone = chart.zoneAt(i);
        if (zone == chart.getVolumeZone() && !chart.isVolZoneVisible())
            continue;
        addCurveEntries(entries, chart, int(i), bar);
    }
    return entries;
}

wxString statusText(QxChart& chart, int currentZone, int64_t bar)
{
    const std::vector<wxString> entries = statusEntries(chart, currentZone, bar);
    return joined(entries, entries.size());
}

wxString fitEntries(const std::vector<wxString>& entries, int width, const std::function<int(const wxString&)>& widthOf)
{
    const wxString all = joined(entries, entries.size());
    if (widthOf(all) <= width)
        return all;
    // Whole entries only: a value cut in the middle reads as another value.
    static const wxString more = "...";
    for (size_t count = entries.size(); count-- > 1;) {
        const wxString text = joined(entries, count) + more;
        if (widthOf(text) <= width)
            return text;
    }
    return entries.empty() ? wxString() : entries.front() + more;
}

wxString patternTooltip(QxChart& chart, int zoneIndex, int64_t bar, double value)
{
    QxZone* zone = zoneIndex >= 0 ? chart.zoneAt(unsigned(zoneIndex)) : nullptr;
    if (!zone || !isVisible(chart, bar))
        return wxString();
    wxString texts;
    for (const auto& pattern : zone->getPatterns())
        if (pattern && pattern->isPatternAt(unsigned(bar), value))
            texts << pattern->tooltip(unsigned(bar));
    if (texts.empty())
        return wxString();
    return dateOf(chart, bar) + ":" + texts;
}

} // namespace QxChartViewTexts
