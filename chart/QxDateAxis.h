#pragma once
// The horizontal axis of a chart: maps bar indices to x pixels, chooses which
// bars carry a date label at the current zoom (every new day, week, month,
// quarter or year), formats the labels and paints tick marks and labels
// under (or above) a zone.
#include "chart/QxChartConfiguration.h"
#include "chart/QxRange.h"
#include "chart/QxUniformScale.h"
#include "core/QxObject.h"

#include <wx/dc.h>
#include <wx/string.h>

#include <limits>
#include <vector>

class QxPriceHistory;

class QxDateAxis : public QxObject {
public:
    // Takes its look from the current chart configuration.
    QxDateAxis();
    QxDateAxis(const QxDateAxis&) = default;
    QxDateAxis& operator=(const QxDateAxis&) = default;
    ~QxDateAxis() override;

    int setConfig(const QxAxisConfiguration& config);
    const QxAxisConfiguration& getConfig() const { return m_config; }

    int minHeight() const { return m_height; }
    // Bar index to x pixel; unmap gives a fractional bar index.
    const QxScale& scale() const { return m_scale; }
    const std::vector<unsigned>& ticks() const { return m_ticks; }
    const std::vector<wxString>& labels() const { return m_labels; }
    // Whether the labels name whole periods (month, quarter, year) centred in
    // their period's span rather than full dates centred on their tick.
    bool hasPeriodLabels() const { return m_periodLabels; }
    // Length in seconds of the period the labels mark, as chosen by the last
    // setup (0 before any).
    int labelPeriod() const { return m_labelPeriod; }

    // Lays the axis out for the visible bars of history, the first at
    // firstPixel and the last at secondPixel.
    void setup(wxDC& dc, const QxRange<unsigned>& bars, const QxPriceHistory* history, int firstPixel,
               int secondPixel);

    // Orientation 2 paints below origin.y (tick marks pointing down), any
    // other value above it.
    void display(wxDC& dc, const wxPoint& origin, Qx::QxAxisOrientation orientation) const;

private:
    QxAxisConfiguration m_config;
    int m_height = 0;
    int m_firstPixel = 0;
    int m_secondPixel = 0;
    QxRange<unsigned> m_bars{0u, std::numeric_limits<unsigned>::max()};
    QxUniformScale m_scale;
    std::vector<unsigned> m_ticks;
    std::vector<wxString> m_labels;
    int m_tickLength = 0;
    bool m_periodLabels = false;
    bool m_configSet = false;
    int m_labelPeriod = 0;
};
