#pragma once
// The chart the paint benchmark times and the reference-picture test keeps:
// 10,000 daily bars of a deterministic random walk from 1975, candles and
// volume, with BBANDS, RSI and MACD, 1200 pixels wide.  One definition, so
// that the picture the test compares is the one the benchmark paints.
#include "app/QxIndicatorRegistry.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxColorScheme.h"
#include "chart/QxDrawable.h"
#include "chart/QxTemplate.h"
#include "core/QxErrorCode.h"
#include "core/QxIndicator.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "core/QxTime.h"

#include <wx/bitmap.h>
#include <wx/datetime.h>
#include <wx/dc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace benchchart {

constexpr unsigned kBars = 10000;
constexpr int kWidth = 1200;
constexpr int kHeight = 800;

inline QxPriceHistory* makeWalk(unsigned n)
{
    auto* h = new QxPriceHistory(Qx::eStock, Qx::eDaily);
    h->resize(n);
    wxDateTime day(1, wxDateTime::Jan, 1975);
    uint32_t state = 777;
    auto next = [&state]() {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1u << 24);
    };
    double close = 50.0;
    for (unsigned i = 0; i < n; ++i) {
        while (day.GetWeekDay() == wxDateTime::Sat || day.GetWeekDay() == wxDateTime::Sun)
            day += wxDateSpan::Day();
        const double open = close * (1.0 + (next() - 0.5) * 0.02);
        close = std::max(1.0, open * (1.0 + 0.0015 * std::sin(i / 90.0) + (next() - 0.5) * 0.04));
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

class MemSecurity : public QxSecurity {
public:
    explicit MemSecurity(QxPriceHistory* history) : m_history(history) {}
    unsigned id() const override { return 90001; }
    QxCategory* category() const override { return nullptr; }
    const char* ticker() const override { return "BENCH"; }
    const char* name() const override { return "Bench Corp"; }
    QxPriceHistory* getHistory(Qx::QxPeriod period, int64_t&, int64_t&) override
    {
        return period == Qx::eDaily ? m_history->clone() : nullptr;
    }
    int lastQuote(int64_t&, QxQuote&) override { return eDataNotFound; }
    int saveHistory(QxPriceHistory*) override { return eNotImplemented; }
    int updateFromProvider(bool) override { return eNoError; }
    int deleteHistory(int64_t&, int64_t&) override { return eNotImplemented; }
    int deleteSecurity() override { return eNotImplemented; }

private:
    QxObjectSmartPtr<QxPriceHistory> m_history;
};

// The chartist of the chart at a zoom code of QxChart (eZoomBase,
// eZoomOnePixel ...), laid out on dc; ok is false when it did not lay out.
struct Chart {
    Chart(wxDC& dc, uint32_t zoom)
    {
        QxIndicatorRegistry* registry = QxIndicatorRegistry::instance();
        if (!registry->getIndicator(QxAtom("MACD")))
            registry->addBuiltInIndicators();
        QxTemplate tmpl;
        for (const char* name : {"BBANDS", "RSI", "MACD"}) {
            const QxIndicator* prototype = registry->getIndicator(QxAtom(name));
            if (!prototype)
                continue;
            QxIndicator* indicator = prototype->clone(7);
            // The MACD line takes a colour picked at random every second;
            // a picture to compare needs the same one every time.
            const QxDrawableList& drawables = indicator->drawables(true);
            if (std::string(name) == "MACD" && !drawables.empty() && drawables[0]->getColorScheme())
                drawables[0]->getColorScheme()->setColor(QxAtom("COLOR"), wxColour(40, 110, 160));
            tmpl.addIndicator(indicator, tmpl.numIndics());
        }
        security = new MemSecurity(makeWalk(kBars));
        chartist = new QxChartist(security.get(), Qx::eDaily, &tmpl);
        chart = chartist->getChart();
        chart->setChartWidth(kWidth);
        chart->setZoomWidth(zoom);
        ok = tmpl.numIndics() == 3 && chartist->setup(dc) == eNoError;
    }
    QxObjectSmartPtr<MemSecurity> security;
    QxObjectSmartPtr<QxChartist> chartist;
    QxChart* chart = nullptr;
    bool ok = false;
};

} // namespace benchchart
