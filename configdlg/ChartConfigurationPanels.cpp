#include "configdlg/ChartConfigurationPanels.h"

#include "chart/QxChartConfiguration.h"
#include "configdlg/ChartConfigTransfer.h"
#include "configdlg/wxPenPicker.h"
#include "configdlg/wxeFontPickerCtrl.h"

PanelChartConfiguration::PanelChartConfiguration(wxWindow* parent, QxChartAllConfiguration* record)
    : FBPanelChartConfigurationBase(parent), m_record(record)
{
}

bool PanelChartConfiguration::TransferDataToWindow()
{
    const QxChartConfiguration& c = m_record->chartConfig;
    penToWindow(c.borderPen, m_borderPen, m_borderColour);
    m_background->SetColour(c.bg);
    return true;
}

bool PanelChartConfiguration::TransferDataFromWindow()
{
    QxChartConfiguration& c = m_record->chartConfig;
    c.borderPen = penFromWindow(m_borderPen, m_borderColour);
    c.bg = m_background->GetColour();
    return true;
}

PanelPriceConfiguration::PanelPriceConfiguration(wxWindow* parent, QxChartAllConfiguration* record)
    : FBPanelPriceConfigurationBase(parent), m_record(record)
{
}

bool PanelPriceConfiguration::TransferDataToWindow()
{
    const QxPriceObjConfiguration& p = m_record->priceObjConfig;
    m_tickWidth->SetValue(p.tickWidth);
    m_lineColour->SetColour(p.lineColor);
    m_candleUp->SetColour(p.candleUpColor);
    m_candleDown->SetColour(p.candleDownColor);
    m_barUp->SetColour(p.barUpColor);
    m_barDown->SetColour(p.barDownColor);
    m_volumeUp->SetColour(m_record->volumeObjConfig.priceUpColor);
    m_volumeDown->SetColour(m_record->volumeObjConfig.priceDownColor);
    return true;
}

bool PanelPriceConfiguration::TransferDataFromWindow()
{
    QxPriceObjConfiguration& p = m_record->priceObjConfig;
    p.tickWidth = m_tickWidth->GetValue();
    p.lineColor = m_lineColour->GetColour();
    p.candleUpColor = m_candleUp->GetColour();
    p.candleDownColor = m_candleDown->GetColour();
    p.barUpColor = m_barUp->GetColour();
    p.barDownColor = m_barDown->GetColour();
    m_record->volumeObjConfig.priceUpColor = m_volumeUp->GetColour();
    m_record->volumeObjConfig.priceDownColor = m_volumeDown->GetColour();
    return true;
}

namespace {

QxZoneConfiguration* zoneGroups(QxChartAllConfiguration* record, int box)
{
    QxZoneConfiguration* groups[3] = {&record->mainZoneConfig, &record->volumeZoneConfig, &record->indicZoneConfig};
    return groups[box];
}

} // namespace

PanelZoneConfiguration::PanelZoneConfiguration(wxWindow* parent, QxChartAllConfiguration* record)
    : FBPanelZoneConfigurationBase(parent), m_record(record)
{
    for (FBZoneTitleControls& z : m_zones) {
        z.alignment->Append(alignmentChoices());
        linkFontColour(z.font, z.textColour);
    }
}

bool PanelZoneConfiguration::TransferDataToWindow()
{
    for (int i = 0; i < 3; ++i) {
        const QxZoneConfiguration& c = *zoneGroups(m_record, i);
        FBZoneTitleControls& z = m_zones[i];
        z.background->SetColour(c.titleBgColor);
        fontToWindow(c.titleFont, c.titleTextColor, z.font, z.textColour);
        z.alignment->SetSelection(alignmentToChoice(c.titleAlignment));
        z.strip->SetValue(c.hasTitleStrip);
    }
    return true;
}

bool PanelZoneConfiguration::TransferDataFromWindow()
{
    for (int i = 0; i < 3; ++i) {
        QxZoneConfiguration& c = *zoneGroups(m_record, i);
        FBZoneTitleControls& z = m_zones[i];
        c.titleBgColor = z.background->GetColour();
        fontFromWindow(z.font, c.titleFont, c.titleTextColor);
        c.titleAlignment = choiceToAlignment(z.alignment->GetSelection());
        c.hasTitleStrip = z.strip->GetValue();
    }
    return true;
}

PanelAxisConfiguration::PanelAxisConfiguration(wxWindow* parent, QxChartAllConfiguration* record)
    : FBPanelAxisConfigurationBase(parent), m_record(record)
{
    linkFontColour(m_labelFont, m_labelColour);
}

bool PanelAxisConfiguration::TransferDataToWindow()
{
    const QxAxisConfiguration& a = m_record->axisConfig;
    fontToWindow(a.labelFont, a.labelColor, m_labelFont, m_labelColour);
    m_tickColour->SetColour(a.tickColor);
    const QxChartConfiguration& c = m_record->chartConfig;
    for (int i = 0; i < 5; ++i)
        m_locations[i]->SetValue((c.axisLocation & kAxisLocationBits[i]) != 0);
    penToWindow(c.gridPen, m_gridPen, m_gridColour);
    return true;
}

bool PanelAxisConfiguration::TransferDataFromWindow()
{
    QxAxisConfiguration& a = m_record->axisConfig;
    fontFromWindow(m_labelFont, a.labelFont, a.labelColor);
    a.tickColor = m_tickColour->GetColour();
    QxChartConfiguration& c = m_record->chartConfig;
    bool on[5];
    for (int i = 0; i < 5; ++i)
        on[i] = m_locations[i]->GetValue();
    c.axisLocation = axisLocationFromBoxes(on);
    c.gridPen = penFromWindow(m_gridPen, m_gridColour);
    return true;
}
