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
#include "support/ChartFixtures.h"

#include <wx/bitmap.h>
#include <wx/datetime.h>
#include <wx/dc.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace benchchart {

constexpr unsigned kBars = 10000;
constexpr int kWidth = 1200;
constexpr int kHeight = 800;

// The benchmark's own walk, from 1975 (the shared test fixtures make it).
inline QxPriceHistory* makeWalk(unsigned n)
{
    return charttest::makeWalk(n, 777, wxDateTime(1, wxDateTime::Jan, 1975));
}

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
            (void)tmpl.addIndicator(indicator, tmpl.numIndics()); // a refusal shows in the count below
        }
        security = new charttest::MemSecurity(90001, makeWalk(kBars), "Bench Corp", "BENCH");
        chartist = new QxChartist(security.get(), Qx::eDaily, &tmpl);
        chart = chartist->getChart();
        chart->setChartWidth(kWidth);
        ok = chart->setZoomWidth(zoom) == eNoError && tmpl.numIndics() == 3 && chartist->setup(dc) == eNoError;
    }
    QxObjectSmartPtr<charttest::MemSecurity> security;
    QxObjectSmartPtr<QxChartist> chartist;
    QxChart* chart = nullptr;
    bool ok = false;
};

} // namespace benchchart
