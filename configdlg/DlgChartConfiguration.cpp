#include "configdlg/DlgChartConfiguration.h"

#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxDateAxis.h"
#include "chart/QxPrice.h"
#include "chart/QxPriceObj.h"
#include "chart/QxValueAxis.h"
#include "chart/QxVolume.h"
#include "chart/QxVolumeObj.h"
#include "chart/QxZone.h"
#include "chartview/QxChartView.h"
#include "configdlg/ChartConfigurationPanels.h"
#include "core/QxUtils.h"
#include "ui/QxMessages.h"


namespace {

// The graphics of the chart's built-in indicators: the first indicator of
// the main zone and of the volume zone.
QxPriceObj* priceGraphic(const QxChart& chart)
{
    QxZone* zone = chart.getMainZone();
    auto* price = zone && zone->numIndicator() ? dynamic_cast<QxPrice*>(zone->indicatorAt(0)) : nullptr;
    return price ? price->priceObj() : nullptr;
}

QxVolumeObj* volumeGraphic(const QxChart& chart)
{
    QxZone* zone = chart.getVolumeZone();
    auto* volume = zone && zone->numIndicator() ? dynamic_cast<QxVolume*>(zone->indicatorAt(0)) : nullptr;
    return volume ? volume->volumeObj() : nullptr;
}

} // namespace

QxChartAllConfiguration DlgChartConfiguration::recordOfChart(const QxChart& chart)
{
    // Whatever the chart lacks shows as the configuration new charts get.
    QxChartAllConfiguration record = currentChartConfig();
    if (QxPriceObj* price = priceGraphic(chart))
        record.priceObjConfig = price->getConfig();
    if (QxVolumeObj* volume = volumeGraphic(chart)) {
        record.volumeObjConfig.priceUpColor = volume->priceUpColor();
        record.volumeObjConfig.priceDownColor = volume->priceDownColor();
    }
    if (chart.getMainZone())
        record.mainZoneConfig = chart.getMainZone()->getConfig();
    if (chart.getVolumeZone())
        record.volumeZoneConfig = chart.getVolumeZone()->getConfig();
    if (chart.numZones() >= 3)
        record.indicZoneConfig = chart.zoneAt(2)->getConfig();
    if (chart.getDateAxis())
        record.axisConfig = chart.getDateAxis()->getConfig();
    record.chartConfig = chart.getConfig();
    return record;
}

DlgChartConfiguration::DlgChartConfiguration(QxChartView* view, wxWindow* parent)
    : FBDlgChartConfigurationBase(parent), m_view(view)
{
    QxChartist* chartist = view ? view->getChartist() : nullptr;
    m_chart = chartist ? chartist->getChart() : nullptr;
    m_record = m_chart ? recordOfChart(*m_chart) : currentChartConfig();

    m_general = new PanelChartConfiguration(m_pages, &m_record);
    m_price = new PanelPriceConfiguration(m_pages, &m_record);
    m_zones = new PanelZoneConfiguration(m_pages, &m_record);
    m_axis = new PanelAxisConfiguration(m_pages, &m_record);
    m_pages->AddPage(m_general, _("General"), false);
    m_pages->AddPage(m_price, _("Price and Volume"), false);
    m_pages->AddPage(m_zones, _("Zone Titles"), false);
    m_pages->AddPage(m_axis, _("Axis and Grid"), false);
    // The fixed height of the layout may be less than the pages need.
    const wxSize needed = GetSizer()->GetMinSize() + (GetSize() - GetClientSize());
    SetSize(std::max(GetSize().x, needed.x), std::max(GetSize().y, needed.y));
    Centre(wxBOTH);
}

DlgChartConfiguration::~DlgChartConfiguration() = default;

bool DlgChartConfiguration::TransferDataToWindow()
{
    m_general->TransferDataToWindow();
    m_price->TransferDataToWindow();
    m_zones->TransferDataToWindow();
    m_axis->TransferDataToWindow();
    return true;
}

bool DlgChartConfiguration::TransferDataFromWindow()
{
    m_general->TransferDataFromWindow();
    m_price->TransferDataFromWindow();
    m_zones->TransferDataFromWindow();
    m_axis->TransferDataFromWindow();
    return true;
}

void DlgChartConfiguration::applyToChart()
{
    if (!m_chart)
        return;
    QxChart& chart = *m_chart;
    if (QxPriceObj* price = priceGraphic(chart))
        price->setConfig(m_record.priceObjConfig);
    if (QxVolumeObj* volume = volumeGraphic(chart))
        volume->setColours(m_record.volumeObjConfig.priceUpColor, m_record.volumeObjConfig.priceDownColor);
    for (unsigned i = 0; i < chart.numZones(); ++i) {
        QxZone* zone = chart.zoneAt(i);
        if (zone == chart.getMainZone())
            zone->setConfig(m_record.mainZoneConfig);
        else if (zone == chart.getVolumeZone())
            zone->setConfig(m_record.volumeZoneConfig);
        else
            zone->setConfig(m_record.indicZoneConfig);
        if (zone->valueAxis())
            zone->valueAxis()->setConfig(m_record.axisConfig);
    }
    if (chart.getDateAxis())
        chart.getDateAxis()->setConfig(m_record.axisConfig);
    chart.setConfig(m_record.chartConfig);
    if (m_view)
        m_view->refreshChart();
}

void DlgChartConfiguration::onInitDialog(wxInitDialogEvent& event)
{
    event.Skip();
    TransferDataToWindow();
    m_ok->SetDefault();
}

void DlgChartConfiguration::onResetAll(wxCommandEvent&)
{
    if (!qxAskYesNo(_("It will change all configuration parameters to default values.\nDo you want "
                      "to reset all?"),
                    this))
        return;
    m_record = defaultChartConfig();
    TransferDataToWindow();
}

void DlgChartConfiguration::onApply(wxCommandEvent&)
{
    TransferDataFromWindow();
    applyToChart();
}

void DlgChartConfiguration::onOK(wxCommandEvent&)
{
    TransferDataFromWindow();
    applyToChart();
    if (m_saveAsDefault->GetValue())
        writeChartConfig(m_record);
    EndModal(wxID_OK);
}

void DlgChartConfiguration::onHelp(wxCommandEvent&) { QxUtils::showHelp("topics/customize_chart.htm"); }
