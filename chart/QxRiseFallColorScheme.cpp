#include "chart/QxRiseFallColorScheme.h"

#include "core/QxErrorCode.h"

QxRiseFallColorScheme::QxRiseFallColorScheme(const QxColorEntry& rising, const QxColorEntry& falling,
                                             const QxDataInfo& firstRole, const QxDataInfo& secondRole)
    : m_roles{firstRole, secondRole}
{
    m_colors = {rising, falling};
}

QxRiseFallColorScheme::QxRiseFallColorScheme(const QxRiseFallColorScheme& other)
    : QxColorScheme(other), m_roles(other.m_roles)
{
}

const std::vector<QxDataInfo>& QxRiseFallColorScheme::getDataParamInfos() const
{
    return m_roles;
}

bool QxRiseFallColorScheme::covers(const QxSeries& series, unsigned bar)
{
    return !series.empty() && bar >= static_cast<unsigned>(series.first) &&
           bar <= static_cast<unsigned>(series.last);
}

const wxColour& QxRiseFallColorScheme::colorAt(unsigned bar) const
{
    const wxColour& falling = m_colors[1].colour;
    // Outside either series (or before a successful setup) there is no
    // value to read; such a bar takes the falling colour.
    if (!covers(m_first, bar) || !covers(m_second, bar))
        return falling;
    const double a = *m_first.at(static_cast<int32_t>(bar));
    const double b = *m_second.at(static_cast<int32_t>(bar));
    return b > a ? m_colors[0].colour : falling;
}

int QxRiseFallColorScheme::setup(QxCalculator* calculator)
{
    // Until this setup succeeds nothing may be read through the old pointers.
    m_first = QxSeries();
    m_second = QxSeries();
    const int rc = QxColorScheme::setup(calculator);
    if (rc != eNoError)
        return rc;
    QxSeries first, second;
    if (getDataSeries(m_roles[0].name, first) != eNoError || getDataSeries(m_roles[1].name, second) != eNoError)
        return eSeriesNotAvailable;
    m_first = first;
    m_second = second;
    return eNoError;
}
