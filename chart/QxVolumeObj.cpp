#include "chart/QxVolumeObj.h"

#include "chart/QxChartConfiguration.h"
#include "chart/QxPriceColorScheme.h"
#include "chart/QxUniColorScheme.h"
#include "core/QxErrorCode.h"

#include <wx/intl.h>

QxVolumeObj::QxVolumeObj()
    : m_priceUpColor(currentChartConfig().volumeObjConfig.priceUpColor),
      m_priceDownColor(currentChartConfig().volumeObjConfig.priceDownColor), m_schemePending(true)
{
}

QxVolumeObj::QxVolumeObj(const QxVolumeObj& other)
    : QxHistogram(other), m_priceUpColor(other.m_priceUpColor), m_priceDownColor(other.m_priceDownColor),
      m_schemePending(true)
{
}

QxDrawable* QxVolumeObj::clone() const
{
    return new QxVolumeObj(*this);
}

const QxAtom& QxVolumeObj::getName() const
{
    static const QxAtom name("VOLUMEOBJ");
    return name;
}

const wxString& QxVolumeObj::getDisplayText() const
{
    static const wxString text = _("Volume Graphic");
    return text;
}

const std::vector<QxDataInfo>& QxVolumeObj::getParamInfos() const
{
    static const std::vector<QxDataInfo> roles{QxDataInfo(QxAtom("DATA"), _("Volume"), QxSeriesId::eSeriesVolume)};
    return roles;
}

void QxVolumeObj::setColours(const wxColour& up, const wxColour& down)
{
    m_priceUpColor = up;
    m_priceDownColor = down;
    m_schemePending = true;
}

int QxVolumeObj::setup(QxCalculator* calculator)
{
    const int rc = QxHistogram::setup(calculator);
    if (rc != eNoError)
        return rc;
    QxColorScheme* scheme = getColorScheme();
    if (!m_schemePending && scheme)
        return scheme->setup(calculator);
    QxObjectSmartPtr<QxColorScheme> fresh;
    if (m_priceUpColor == m_priceDownColor)
        fresh = new QxUniColorScheme(m_priceDownColor);
    else
        fresh = new QxPriceColorScheme(m_priceUpColor, m_priceDownColor);
    setColorScheme(fresh.get());
    m_schemePending = false;
    return fresh->setup(calculator);
}
