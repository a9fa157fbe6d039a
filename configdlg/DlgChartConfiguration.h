#pragma once
// Configures the look of one open chart: a working record filled from the
// chart, edited on four pages, written into the chart on Apply and OK, and
// on OK optionally stored as the look every new chart starts from.
#include "chart/QxChartConfiguration.h"
#include "configdlg/FBDlgChartConfigurationBase.h"
#include "core/QxObject.h"

class QxChart;
class QxChartView;
class PanelChartConfiguration;
class PanelPriceConfiguration;
class PanelZoneConfiguration;
class PanelAxisConfiguration;

class DlgChartConfiguration : public FBDlgChartConfigurationBase {
public:
    DlgChartConfiguration(QxChartView* view, wxWindow* parent);
    ~DlgChartConfiguration() override;

    // Every page in notebook order; always true.
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    // Writes the working record into the chart and refreshes the view.
    void applyToChart();

    const QxChartAllConfiguration& record() const { return m_record; }
    PanelChartConfiguration* generalPage() const { return m_general; }
    PanelPriceConfiguration* pricePage() const { return m_price; }
    PanelZoneConfiguration* zonePage() const { return m_zones; }
    PanelAxisConfiguration* axisPage() const { return m_axis; }

    // The working record as the chart shows it now.
    static QxChartAllConfiguration recordOfChart(const QxChart& chart);

protected:
    void onInitDialog(wxInitDialogEvent& event) override;
    void onResetAll(wxCommandEvent& event) override;
    void onOK(wxCommandEvent& event) override;
    void onApply(wxCommandEvent& event) override;
    void onHelp(wxCommandEvent& event) override;

private:
    QxChartView* m_view;
    QxObjectSmartPtr<QxChart> m_chart;
    QxChartAllConfiguration m_record;
    PanelChartConfiguration* m_general;
    PanelPriceConfiguration* m_price;
    PanelZoneConfiguration* m_zones;
    PanelAxisConfiguration* m_axis;
};
