#pragma once
// The common part of the price and SAR schemes: a bar takes the rising
// colour (first entry, "ASC_COLOR") when the value of its second series lies
// above that of its first, and the falling colour ("DSC_COLOR") otherwise.
#include "chart/QxColorScheme.h"

class QxRiseFallColorScheme : public QxColorScheme {
public:
    const std::vector<QxDataInfo>& getDataParamInfos() const override;
    // Rising when second > first at bar; falling otherwise, also for NaN and
    // for a bar outside either series or before a successful setup().
    const wxColour& colorAt(unsigned bar) const override;
    // The common fetch, then the first and second role's series are taken
    // for colorAt(); eSeriesNotAvailable when one is missing.
    int setup(QxCalculator* calculator) override;

protected:
    // Entries rising then falling; roles first then second.
    QxRiseFallColorScheme(const QxColorEntry& rising, const QxColorEntry& falling,
                          const QxDataInfo& firstRole, const QxDataInfo& secondRole);
    // The series read by colorAt() start empty.
    QxRiseFallColorScheme(const QxRiseFallColorScheme& other);

private:
    static bool covers(const QxSeries& series, unsigned bar);

    std::vector<QxDataInfo> m_roles;
    QxSeries m_first;
    QxSeries m_second;
};
