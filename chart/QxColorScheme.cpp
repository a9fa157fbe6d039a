#include "chart/QxColorScheme.h"

#include "chart/QxDrawable.h"
#include "core/QxErrorCode.h"

QxColorScheme::QxColorScheme() = default;

QxColorScheme::QxColorScheme(const QxColorScheme& other) : QxObject(other), m_bindings(other.m_bindings) {}

QxColorScheme& QxColorScheme::operator=(const QxColorScheme& other)
{
    QxObject::operator=(other);
    m_bindings = other.m_bindings;
    m_dataSeries.clear();
    return *this;
}

QxColorScheme::~QxColorScheme() = default;

int QxColorScheme::setup(QxCalculator* calculator)
{
    m_dataSeries.clear();
    for (const QxDataInfo& role : getDataParamInfos()) {
        if (role.kind == QxSeriesId::eSeriesConstant)
            continue;
        QxSeries series;
        const int rc = qxFetchRoleSeries(calculator, role, getSeries(role.name), series);
        if (rc != eNoError) {
            // Half a set of series would be read as if complete.
            m_dataSeries.clear();
            return rc;
        }
        m_dataSeries[role.name] = series;
    }
    return eNoError;
}

int QxColorScheme::setSeries(const QxAtom& role, const QxSeriesId& id)
{
    m_bindings[role] = id;
    return eNoError;
}

const QxSeriesId& QxColorScheme::getSeries(const QxAtom& role) const
{
    auto it = m_bindings.find(role);
    return it == m_bindings.end() ? QxSeriesId::null() : it->second;
}

int QxColorScheme::getDataSeries(const QxAtom& role, QxSeries& out) const
{
    auto it = m_dataSeries.find(role);
    if (it == m_dataSeries.end())
        return eSeriesNotAvailable;
    out = it->second;
    return eNoError;
}
