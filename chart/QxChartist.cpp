#include "chart/QxChartist.h"

#include "app/QxGlobalVars.h"
#include "chart/QxChart.h"
#include "chart/QxPrice.h"
#include "chart/QxTemplate.h"
#include "chart/QxZone.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "core/QxIndicator.h"
#include "core/QxSecurity.h"

#include <wx/intl.h>

QxChartist::QxChartist(QxSecurity* security, Qx::QxPeriod period, const QxTemplate* tmpl)
    : m_showLegend(QxGlobalVars::get().showLegends)
{
    QxObjectSmartPtr<QxCalculator> calculator(
        new QxCalculator(security, period == 0 ? Qx::eDaily : period));
    m_chart = new QxChart(calculator.get());
    if (security) {
        const char* name = security->name();
        m_title = wxString::FromUTF8(name && *name ? name : security->ticker());
    }
    updateChartTitle();
    if (tmpl)
        addIndicsFromTemplate(tmpl, false);
}

QxChartist::QxChartist(const QxChartist& other)
    : QxObject(), m_chart(other.m_chart ? new QxChart(*other.m_chart) : nullptr), m_title(other.m_title),
      m_showLegend(other.m_showLegend)
{
}

QxChartist& QxChartist::operator=(const QxChartist& other)
{
    if (this != &other) {
        m_chart = other.m_chart;
        m_title = other.m_title;
        m_showLegend = other.m_showLegend;
    }
    return *this;
}

QxChartist::~QxChartist() = default;

wxString QxChartist::periodSuffix(Qx::QxPeriod period)
{
    switch (period) {
    case Qx::eDaily:
        return _(" (Daily)");
    case Qx::eWeekly:
        return _(" (Weekly)");
    case Qx::eMonthly:
        return _(" (Monthly)");
    case Qx::eQuarterly:
        return _(" (Quarterly)");
    case Qx::eYearly:
        return _(" (Yearly)");
    default:
        return wxString();
    }
}

void QxChartist::updateChartTitle()
{
    if (!m_chart || !m_chart->getMainZone())
        return;
    QxCalculator* calc = m_chart->getCalc();
    const wxString text = m_title + (calc ? periodSuffix(calc->currentTimeframe()) : wxString());
    m_chart->getMainZone()->setTitle(text);
    m_chart->getMainZone()->setLayoutNeeded();
}

QxPriceObj* QxChartist::priceObj() const
{
    if (!m_chart || !m_chart->zoneAt(0))
        return nullptr;
    const auto* price = dynamic_cast<const QxPrice*>(m_chart->zoneAt(0)->indicatorAt(0));
    return price ? price->priceObj() : nullptr;
}

int QxChartist::setPriceObjType(Qx::QxPriceObjType type)
{
    if (!m_chart)
        return eInvalidObject;
    QxPriceObj* graphic = priceObj();
    if (!graphic)
        return ePriceObjectNotFound;
    graphic->setType(type);
    graphic->selectPriceDrawable();
    if (QxZone* main = m_chart->getMainZone())
        main->setLayoutNeeded();
    return eNoError;
}

Qx::QxPriceObjType QxChartist::getPriceObjType() const
{
    const QxPriceObj* graphic = priceObj();
    return graphic ? graphic->getType() : Qx::ePriceCandles;
}

QxZone* QxChartist::zoneFor(const QxIndicator& indicator)
{
    if (indicator.getPlacement() != QxIndicator::ePlaceOwnZone)
        return m_chart->getMainZone();
    QxZone* zone = m_chart->addZone();
    zone->setTitle(indicator.getDisplayName());
    zone->setLayoutNeeded();
    return zone;
}

int QxChartist::addIndicator(const QxIndicator* indicator)
{
    if (!indicator)
        return eInvalidInputObject;
    if (!m_chart)
        return eInvalidObject;
    QxZone* target = zoneFor(*indicator);
    if (!target)
        return eMainZoneNotPresent;
    return target->addIndicator(indicator) == eNoError ? eNoError : eInvalidInputObject;
}

int QxChartist::addIndicsFromTemplate(const QxTemplate* tmpl, bool)
{
    if (!tmpl)
        return eInvalidInputObject;
    if (!m_chart)
        return eNoError;
    std::vector<QxZone*> placed;
    for (unsigned i = 0; i < tmpl->numIndics(); ++i) {
        const QxIndicator* indicator = tmpl->indicAt(i);
        if (!indicator) {
            placed.push_back(nullptr);
            continue;
        }
        // The template's indicators hold private copies of their inputs:
        // the one it is computed from is the earlier one that computes the same.
        QxZone* target = nullptr;
        const std::vector<uint32_t>& kinds = indicator->inputInfos();
        for (unsigned k = 0; k < kinds.size() && !target; ++k) {
            const QxSeriesId& id = indicator->getInputSeries(k);
            if (kinds[k] != QxSeriesId::eSeriesIndicator || !id.isValid())
                continue;
            for (unsigned j = i; j-- > 0 && !target;)
                if (placed[j] && (tmpl->indicAt(j) == id.indicator() || tmpl->indicAt(j)->isEquivalent(id.indicator())))
                    target = placed[j];
            break; // the first assigned input decides, as for placement
        }
        if (!target)
            target = zoneFor(*indicator);
        if (target)
            target->addIndicator(indicator);
        placed.push_back(target);
    }
    return eNoError;
}

unsigned QxChartist::getDisplayedIndicators(std::vector<QxObjectSmartPtr<QxIndicator>>& out) const
{
    if (m_chart) {
        for (unsigned z = 0; z < m_chart->numZones(); ++z) {
            const QxZone* zone = m_chart->zoneAt(z);
            const bool builtInFirst = zone == m_chart->getMainZone() || zone == m_chart->getVolumeZone();
            for (unsigned i = builtInFirst ? 1 : 0; i < zone->numIndicator(); ++i)
                out.emplace_back(zone->indicatorAt(i)->clone(QxIndicator::eCloneParams |
                                                             QxIndicator::eCloneDrawables |
                                                             QxIndicator::eCloneInputs));
        }
    }
    return static_cast<unsigned>(out.size());
}

int QxChartist::setPeriod(Qx::QxPeriod period)
{
    QxCalculator* calc = m_chart ? m_chart->getCalc() : nullptr;
    if (calc && period != calc->currentTimeframe()) {
        calc->setCurrentTimeframe(period);
        updateChartTitle();
    }
    return eNoError;
}

Qx::QxPeriod QxChartist::getPeriod() const
{
    const QxCalculator* calc = m_chart ? m_chart->getCalc() : nullptr;
    return calc ? calc->currentTimeframe() : Qx::eDaily;
}

int QxChartist::setup(wxDC& dc)
{
    return m_chart ? m_chart->setup(dc) : eInvalidObject;
}

int QxChartist::display(wxDC& dc)
{
    if (!m_chart)
        return eInvalidObject;
    m_chart->display(dc, m_showLegend);
    return eNoError;
}
