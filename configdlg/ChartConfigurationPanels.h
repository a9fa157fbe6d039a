#pragma once
// The four pages of the chart configuration dialog, each editing its part
// of the dialog's working record (which outlives them).
#include "configdlg/FBChartConfigurationPanels.h"

struct QxChartAllConfiguration;

// Border pen and background.
class PanelChartConfiguration : public FBPanelChartConfigurationBase {
public:
    PanelChartConfiguration(wxWindow* parent, QxChartAllConfiguration* record);
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

private:
    QxChartAllConfiguration* m_record;
};

// Tick width and colours of the price and volume graphics.
class PanelPriceConfiguration : public FBPanelPriceConfigurationBase {
public:
    PanelPriceConfiguration(wxWindow* parent, QxChartAllConfiguration* record);
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

private:
    QxChartAllConfiguration* m_record;
};

// Title strips of the main, volume and indicator zones.
class PanelZoneConfiguration : public FBPanelZoneConfigurationBase {
public:
    PanelZoneConfiguration(wxWindow* parent, QxChartAllConfiguration* record);
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

private:
    QxChartAllConfiguration* m_record;
};

// Axis look, axis locations and the grid pen.
class PanelAxisConfiguration : public FBPanelAxisConfigurationBase {
public:
    PanelAxisConfiguration(wxWindow* parent, QxChartAllConfiguration* record);
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

private:
    QxChartAllConfiguration* m_record;
};
