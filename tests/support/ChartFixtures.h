#pragma once
// Price histories and a memory security for the chart tests, and a small
// pixel reader for pictures painted into memory bitmaps.
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "core/QxTime.h"
#include "support/Fixtures.h"
#include "support/MemData.h"

#include <wx/bitmap.h>
#include <wx/datetime.h>
#include <wx/image.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace charttest {

// n daily stock bars on weekdays from start (Monday 2001-01-01 unless
// given): a deterministic random walk around 50 with swings, high and low
// around open and close, volumes between 1 and 3 million.
inline QxPriceHistory* makeWalk(unsigned n, uint32_t seed = 12345,
                                const wxDateTime& start = wxDateTime(1, wxDateTime::Jan, 2001))
{
    auto* h = new QxPriceHistory(Qx::eStock, Qx::eDaily);
    h->resize(n);
    wxDateTime day = start;
    uint32_t state = seed;
    auto next = [&state]() {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1u << 24); // 0..1
    };
    double close = 50.0;
    for (unsigned i = 0; i < n; ++i) {
        while (day.GetWeekDay() == wxDateTime::Sat || day.GetWeekDay() == wxDateTime::Sun)
            day += wxDateSpan::Day();
        const double open = close * (1.0 + (next() - 0.5) * 0.02);
        const double drift = 0.0015 * std::sin(i / 90.0);
        close = std::max(1.0, open * (1.0 + drift + (next() - 0.5) * 0.04));
        h->timestamp()[i] = makeTimestamp(day.GetDay(), day.GetMonth() + 1, day.GetYear());
        h->open()[i] = open;
        h->close()[i] = close;
        h->high()[i] = std::max(open, close) * (1.0 + next() * 0.015);
        h->low()[i] = std::min(open, close) * (1.0 - next() * 0.015);
        h->volume()[i] = 1e6 + next() * 2e6;
        day += wxDateSpan::Day();
    }
    return h;
}

// Bars with given opens and closes on weekdays from Monday 2014-08-04; high
// one above and low one below both, volume 1000 + volumeStep * i.
inline QxPriceHistory* makeBars(const std::vector<double>& opens, const std::vector<double>& closes,
                                double volumeStep = 1.0)
{
    auto* h = new QxPriceHistory(Qx::eStock, Qx::eDaily);
    const unsigned n = unsigned(closes.size());
    h->resize(n);
    wxDateTime day(4, wxDateTime::Aug, 2014);
    for (unsigned i = 0; i < n; ++i) {
        while (day.GetWeekDay() == wxDateTime::Sat || day.GetWeekDay() == wxDateTime::Sun)
            day += wxDateSpan::Day();
        h->timestamp()[i] = makeTimestamp(day.GetDay(), day.GetMonth() + 1, day.GetYear());
        h->open()[i] = opens[i];
        h->close()[i] = closes[i];
        h->high()[i] = std::max(opens[i], closes[i]) + 1.0;
        h->low()[i] = std::min(opens[i], closes[i]) - 1.0;
        h->volume()[i] = 1000.0 + volumeStep * i;
        day += wxDateSpan::Day();
    }
    return h;
}

// Bars whose closes (and opens) run straight between the anchors
// (bar, close), from bar 0 to the last anchor's bar.
inline QxPriceHistory* makePiecewise(const std::vector<std::pair<unsigned, double>>& anchors)
{
    std::vector<double> closes;
    for (size_t i = 1; i < anchors.size(); ++i) {
        const auto [b0, c0] = anchors[i - 1];
        const auto [b1, c1] = anchors[i];
        for (unsigned b = b0; b < b1; ++b)
            closes.push_back(c0 + (c1 - c0) * double(b - b0) / double(b1 - b0));
    }
    closes.push_back(anchors.back().second);
    return makeBars(closes, closes);
}

// Kept for tests written before the reader moved to the support library.
using TestSupport::fixtureHistory;

// The tests' memory security, as the chart tests name it.
class MemSecurity : public TestSupport::MemSecurity {
public:
    MemSecurity(unsigned id, QxPriceHistory* history, std::string name = "Memory Corp", std::string ticker = "MEM")
        : TestSupport::MemSecurity(id, history, {std::move(name), std::move(ticker)})
    {
    }
};

// Counts the pixels of a rectangle of the image that differ from colour.
inline int countOther(const wxImage& image, const wxRect& rect, const wxColour& colour)
{
    int n = 0;
    const wxRect r = rect.Intersect(wxRect(0, 0, image.GetWidth(), image.GetHeight()));
    for (int y = r.GetTop(); y <= r.GetBottom(); ++y)
        for (int x = r.GetLeft(); x <= r.GetRight(); ++x)
            if (image.GetRed(x, y) != colour.Red() || image.GetGreen(x, y) != colour.Green() ||
                image.GetBlue(x, y) != colour.Blue())
                ++n;
    return n;
}

// Counts the pixels of a rectangle close to colour (each channel within tolerance).
inline int countNear(const wxImage& image, const wxRect& rect, const wxColour& colour, int tolerance = 40)
{
    int n = 0;
    const wxRect r = rect.Intersect(wxRect(0, 0, image.GetWidth(), image.GetHeight()));
    for (int y = r.GetTop(); y <= r.GetBottom(); ++y)
        for (int x = r.GetLeft(); x <= r.GetRight(); ++x)
            if (std::abs(image.GetRed(x, y) - colour.Red()) <= tolerance &&
                std::abs(image.GetGreen(x, y) - colour.Green()) <= tolerance &&
                std::abs(image.GetBlue(x, y) - colour.Blue()) <= tolerance)
                ++n;
    return n;
}

} // namespace charttest
