#pragma once
// Layout of the chart frame: the "&Chart" menu with its submenus, recorded
// as a menu the frame adds to its copy of the shared menu bar, and the
// wiring of its commands to handlers that pass the event on unless a
// subclass overrides them.
#include "app/QxChildFrameForMenuTrick.h"

#include <wx/menu.h>

// Command ids of the chart frame's menus and toolbars.
enum QxChartCommandId : int {
    QxID_PRICE_CANDLE = 1000,
    QxID_PRICE_BAR = 1001,
    QxID_PRICE_LINE = 1002,
    QxID_LOG_SCALE = 1003,
    QxID_SHOW_VOLUME = 1004,
    QxID_PERIOD_DAILY = 1005,
    QxID_PERIOD_WEEKLY = 1006,
    QxID_PERIOD_MONTHLY = 1007,
    QxID_PERIOD_QUARTERLY = 1008,
    QxID_PERIOD_YEARLY = 1009,
    QxID_ADD_INDICATOR = 1010,
    QxID_ADD_TEMPLATE = 1011,
    QxID_SAVE_TEMPLATE = 1012,
    QxID_ADD_SIGNAL_MARKER = 1013,
    QxID_CANDLESTICK = 1014,
    QxID_ZIGZAG = 1015,
    QxID_DOUBLE_TOP = 1016,
    QxID_HEAD_SHOULDERS = 1017,
    QxID_ZOOM_IN = 1018,
    QxID_ZOOM_OUT = 1019,
    QxID_ZOOM_NORMAL = 1020,
    QxID_ZOOM_MAX_OUT = 1021,
    QxID_ZOOM_MAX_IN = 1022,
    QxID_COPY_CHART = 1023,
    QxID_SHOW_TOOLTIP = 1024,
    QxID_SHOW_LEGENDS = 1025,
    QxID_EXPORT_CHART = 1026,
    QxID_CHART_CONFIG = 1027,
    QxID_ANNOT_FIRST = 31000,
    QxID_ANNOT_LAST = 31015,
    QxID_SNAP_TO_PRICE = 31016,
};

class FBChartFrame : public QxChildFrameForMenuTrick {
public:
    FBChartFrame();
    ~FBChartFrame() override;

protected:
    wxMenu* m_chartMenu;
    wxMenu* m_optionsMenu;
    wxMenu* m_periodicityMenu;
    wxMenu* m_patternMenu;
    wxMenu* m_zoomMenu;

    virtual void onCandle(wxCommandEvent& event) { event.Skip(); }
    virtual void onUpdateCandle(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onBar(wxCommandEvent& event) { event.Skip(); }
    virtual void onUpdateBar(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onLine(wxCommandEvent& event) { event.Skip(); }
    virtual void onUpdateLine(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onLogScale(wxCommandEvent& event) { event.Skip(); }
    virtual void onUpdateLogScale(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onShowVolume(wxCommandEvent& event) { event.Skip(); }
    virtual void onUpdateShowVolume(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onAddIndicator(wxCommandEvent& event) { event.Skip(); }
    virtual void onAddIndicatorFromTemplate(wxCommandEvent& event) { event.Skip(); }
    virtual void onSaveIndicatorsAsTemplate(wxCommandEvent& event) { event.Skip(); }
    virtual void onUpdateSaveIndicatorsAsTemplate(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onAddSignalMarkers(wxCommandEvent& event) { event.Skip(); }
    virtual void onCandlestickPatterns(wxCommandEvent& event) { event.Skip(); }
    virtual void onZigZag(wxCommandEvent& event) { event.Skip(); }
    virtual void onDoubleTop(wxCommandEvent& event) { event.Skip(); }
    virtual void onHeadAndShoulders(wxCommandEvent& event) { event.Skip(); }
    virtual void onCreateCopy(wxCommandEvent& event) { event.Skip(); }
    virtual void onShowTooltip(wxCommandEvent& event) { event.Skip(); }
    virtual void onUpdateShowTooltip(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onShowLegends(wxCommandEvent& event) { event.Skip(); }
    virtual void onUpdateShowLegends(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onExportChart(wxCommandEvent& event) { event.Skip(); }
    virtual void onChartConfiguration(wxCommandEvent& event) { event.Skip(); }

private:
    // One table drives connecting and disconnecting alike.
    void connectEvents(bool connect);
};
