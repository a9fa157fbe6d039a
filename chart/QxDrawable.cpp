#include "chart/QxDrawable.h"

#include "chart/QxColorScheme.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"

int qxFetchRoleSeries(QxCalculator* calculator, const QxDataInfo& role, const QxSeriesId& binding,
                      QxSeries& out)
{
    if (!calculator)
        return eInvalidCalculatorObject;
    QxSeriesId id = role.kind >= QxSeriesId::eSeriesIndicator ? binding : QxSeriesId(role.kind);
    if (!id.isValid())
        id = QxSeriesId(QxSeriesId::eSeriesClose);
    return calculator->getDataSeries(id, out);
}

QxDrawable::QxDrawable() = default;

QxDrawable::QxDrawable(const QxDrawable& other)
    : QxObject(other), m_bindings(other.m_bindings), m_colorScheme(other.m_colorScheme)
{
}

QxDrawable& QxDrawable::operator=(const QxDrawable& other)
{
    QxObject::operator=(other);
    m_bindings = other.m_bindings;
    m_dataSeries = other.m_dataSeries;
    m_colorScheme = other.m_colorScheme;
    return *this;
}

QxDrawable::~QxDrawable() = default;

int QxDrawable::setup(QxCalculator* calculator)
{
    reset();
    for (const QxDataInfo& role : getParamInfos()) {
        if (role.kind == QxSeriesId::eSeriesConstant)
            continue;
        QxSeries series;
        const int rc = qxFetchRoleSeries(calculator, role, getSeries(role.name), series);
        if (rc != eNoError)
            return rc;
        // An unusable series is left out without failing.
        setDataSeries(role.name, series);
    }
    // The drawable's result reflects its own roles; a scheme that could not
    // fetch its series keeps none and is not read from.
    if (m_colorScheme)
        m_colorScheme->setup(calculator);
    return eNoError;
}

int QxDrawable::setSeries(const QxAtom& role, const QxSeriesId& id)
{
    m_bindings[role] = id;
    return eNoError;
}

const QxSeriesId& QxDrawable::getSeries(const QxAtom& role) const
{
    auto it = m_bindings.find(role);
    return it == m_bindings.end() ? QxSeriesId::null() : it->second;
}

int QxDrawable::getDataSeries(const QxAtom& role, QxSeries& out) const
{
    auto it = m_dataSeries.find(role);
    if (it == m_dataSeries.end())
        return eSeriesNotAvailable;
    out = it->second;
    return eNoError;
}

int QxDrawable::setDataSeries(const QxAtom& role, const QxSeries& series)
{
    if (!series.values || series.first > series.last)
        return eInvalidInput;
    m_dataSeries[role] = series;
    return eNoError;
}

void QxDrawable::reset()
{
    m_dataSeries.clear();
}

int QxDrawable::setColorScheme(QxColorScheme* scheme)
{
    if (!scheme)
        return eInvalidObject;
    m_colorScheme.reset(scheme);
    return eNoError;
}
