#pragma once
// The texts the chart view shows under the pointer: the values of the
// hovered bar for the status bar, and the tooltip of the patterns at a bar.
// Plain functions of the chart, so they are decided without a window.
#include <wx/string.h>

#include <cstdint>
#include <functional>
#include <vector>

class QxChart;

namespace QxChartViewTexts {

// The bar a scale position stands for (plus 0.5, truncated); -1 for
// positions left of bar 0 and for positions that are not a number, so
// that no negative position is ever taken as a huge unsigned bar.
int64_t barAt(double position);

// The values of one zone at a bar: for the main zone "Open = %.4lf " and
// the other prices, then the outputs of its indicators after the price; for
// the volume zone "Volume= %.0lf " and then its indicators after the volume;
// for other zones the outputs of all their indicators, "name = %.4lf ".
// Empty for a zone that does not exist or a bar outside the visible bars.
wxString curveValues(QxChart& chart, int zone, int64_t bar);

// The status-bar text of a bar: its date ("%x"), ": ", the values of the
// zone under the pointer (none for -1), then those of every other zone in
// order, the volume zone only while it is shown. Empty for a bar beyond the
// last visible bar or left of bar 0.
wxString statusText(QxChart& chart, int currentZone, int64_t bar);
// The same text in its entries: the date with ": ", then each value
// ("Open = %.4lf ", an indicator output's "name = %.4lf ").
std::vector<wxString> statusEntries(QxChart& chart, int currentZone, int64_t bar);
// The entries that fit into width as widthOf measures them, whole ones
// only, followed by "..." when some were left out; the date is always
// kept.
wxString fitEntries(const std::vector<wxString>& entries, int width,
                    const std::function<int(const wxString&)>& widthOf);

// The tooltip of the zone's patterns at a bar and value: the bar's date
// ("%x"), ":" and the tooltip of every pattern that marks the point, in
// order; empty when none does, for a bar outside the visible bars or for
// a zone that does not exist.
wxString patternTooltip(QxChart& chart, int zone, int64_t bar, double value);

} // namespace QxChartViewTexts
