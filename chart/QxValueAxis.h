#pragma once
// The vertical axis of one zone: owns the zone's value scale, chooses round
// tick values for the zone's value range, formats their labels (with a k, M
// or B suffix for large values), reports the width it needs and paints tick
// marks and labels on the left or right of the zone.
#include "chart/QxChartConfiguration.h"
#include "chart/QxRange.h"
#include "chart/QxUniformScale.h"
#include "core/QxObject.h"

#include <wx/dc.h>
#include <wx/string.h>

#include <vector>

class QxValueAxis : public QxObject {
public:
    // Takes its look from the current chart configuration.
    QxValueAxis();
    QxValueAxis(const QxValueAxis&) = default;
    QxValueAxis& operator=(const QxValueAxis&) = default;
    ~QxValueAxis() override;

    void setConfig(const QxAxisConfiguration& config);
    const QxAxisConfiguration& getConfig() const { return m_config; }

    int minWidth() const { return m_requiredWidth; }
    // Takes effect at the next setup.
    void setLogScale(bool logScale);
    void setWidth(int width) { m_fixedWidth = width; }
    int getWidth() const { return m_fixedWidth > m_requiredWidth ? m_fixedWidth : m_requiredWidth; }

    const QxScale& scale() const { return m_scale; }
    const QxUniformScale& uniformScale() const { return m_scale; }
    const std::vector<double>& ticks() const { return m_ticks; }
    const std::vector<wxString>& labels() const { return m_labels; }
    const QxRange<double>& range() const { return m_range; }
    bool isLogScale() const { return m_logScale; }

    // Recomputes scale, ticks, labels and required width.  firstPixel is the
    // pixel of range.lower (bottom of the plotting area), secondPixel the one
    // of range.upper (top).
    void setup(wxDC& dc, const QxRange<double>& range, int firstPixel, int secondPixel);

    // origin is the top-left corner of the axis area; orientation 1 paints an
    // axis left of the zone, 2 one right of it.
    void display(wxDC& dc, const wxPoint& origin, Qx::QxAxisOrientation orientation) const;

    // The round step for a raw step x > 0: 1, 2, 4, 5 or 10 times a power of
    // ten; 0 for 0 and for anything that is no positive finite number.
    static double niceNumber(double x);

private:
    void setupTicks(wxDC& dc);

    QxAxisConfiguration m_config;
    int m_requiredWidth = 0;
    int m_fixedWidth = 0;
    int m_length = 0;
    QxRange<double> m_range{0.0, -1.0};
    bool m_logScale = false;
    QxUniformScale m_scale;
    std::vector<double> m_ticks;
    std::vector<wxString> m_labels;
    int m_tickLength = 0;
    bool m_configSet = false;
    bool m_logScaleSet = false;
};
