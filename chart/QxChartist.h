#pragma once
// Binds one security, one period and optionally one template to a chart:
// creates the calculator and the chart over it, titles the chart, places
// indicators into zones, and switches the price style and the period.
#include "chart/QxPriceObj.h"
#include "core/QxObject.h"
#include "core/QxTime.h"

#include <wx/string.h>

#include <vector>

class QxChart;
class QxIndicator;
class QxPriceObj;
class QxSecurity;
class QxTemplate;
class QxZone;
class wxDC;

class QxChartist : public QxObject {
public:
    // A period of 0 means daily.  The template's indicators are added.
    QxChartist(QxSecurity* security, Qx::QxPeriod period, const QxTemplate* tmpl);
    // A deep copy of the source's chart.
    QxChartist(const QxChartist& other);
    // Shares the source's chart.
    QxChartist& operator=(const QxChartist& other);
    ~QxChartist() override;

    QxChart* getChart() const { return m_chart.get(); }
    // The security's name (its ticker when the name is empty), without the
    // period.
    const wxString& title() const { return m_title; }
    bool showLegend() const { return m_showLegend; }
    void showLegend(bool show) { m_showLegend = show; }

    // eInvalidObject without a chart, ePriceObjectNotFound when the first
    // zone does not start with the price indicator.
    [[nodiscard]] int setPriceObjType(Qx::QxPriceObjType type);
    // Candles when there is no price graphic to ask.
    Qx::QxPriceObjType getPriceObjType() const;

    // An indicator of its own zone's placement goes into a new zone titled
    // with its display name, any other into the main zone; eInvalidInputObject
    // for null.
    int addIndicator(const QxIndicator* indicator);
    // Adds each indicator of the template as addIndicator does, except that
    // one computed from another of the template (an average of its RSI)
    // joins the zone that one went to.
    int addIndicsFromTemplate(const QxTemplate* tmpl, bool unused = false);
    // Appends clones of the indicators shown, the built-in price and volume
    // indicators left out; returns the list's size.
    unsigned getDisplayedIndicators(std::vector<QxObjectSmartPtr<QxIndicator>>& out) const;

    // Takes effect at the next layout, which then shows the latest bar.
    int setPeriod(Qx::QxPeriod period);
    Qx::QxPeriod getPeriod() const;

    int setup(wxDC& dc);
    // eInvalidObject without a chart.
    int display(wxDC& dc);

    // What the main zone's title adds to the title for a period: " (Daily)"
    // and so on, translated; nothing for a period without a name.
    static wxString periodSuffix(Qx::QxPeriod period);

private:
    // The zone addIndicator puts the indicator in (a new one for its own
    // zone's placement); null without a main zone.
    QxZone* zoneFor(const QxIndicator& indicator);
    void updateChartTitle();
    QxPriceObj* priceObj() const;

    QxObjectSmartPtr<QxChart> m_chart;
    wxString m_title;
    bool m_showLegend;
};
