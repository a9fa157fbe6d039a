#include "chartframe/FBChartFrame.h"

#include "core/platform/QxMenuArt.h"

#include <wx/intl.h>

namespace {

enum Kind { Normal, Check, Radio };

struct ChartMenuEntry {
    int id;
    Kind kind;
    const char* label;
    const char* accel; // empty: none
    const char* help;  // empty: none
    const char* art;   // empty: no bitmap
};

wxString translated(const char* text) { return *text ? wxGetTranslation(text) : wxString(); }

wxMenuItem* addItem(wxMenu* menu, const ChartMenuEntry& e)
{
    wxString label = translated(e.label);
    if (*e.accel)
        label << '\t' << e.accel;
    const wxItemKind kind = e.kind == Check ? wxITEM_CHECK : e.kind == Radio ? wxITEM_RADIO : wxITEM_NORMAL;
    auto* item = new wxMenuItem(menu, e.id, label, translated(e.help), kind);
    qxSetMenuItemArt(item, wxString::FromUTF8(e.art));
    menu->Append(item);
    return item;
}

void addItems(wxMenu* menu, std::initializer_list<ChartMenuEntry> entries)
{
    for (const ChartMenuEntry& e : entries) {
        if (e.id == wxID_SEPARATOR)
            menu->AppendSeparator();
        else
            addItem(menu, e);
    }
}

const ChartMenuEntry kSeparator{wxID_SEPARATOR, Normal, "", "", "", ""};

} // namespace

FBChartFrame::FBChartFrame() : QxChildFrameForMenuTrick()
{
    m_chartMenu = new wxMenu();

    m_optionsMenu = new wxMenu();
    addItems(m_optionsMenu,
             {{1000, Radio, "&Candle", "", "Sets chart style to Candle", "QxART_price_candle"},
              {1001, Radio, "&Bar", "", "Sets chart style to Bar", "QxART_price_bar"},
              {1002, Radio, "&Line", "", "Sets chart style to Line", "QxART_price_line"},
              kSeparator,
              {1003, Check, "Lo&g scale", "", "Sets log scale in main zone", "QxART_log_scale"},
              kSeparator,
              {1004, Check, "Show Volume Bars", "F6", "Show/Hide volume bars", "QxART_volume_bars"}});
    m_chartMenu->AppendSubMenu(m_optionsMenu, _("Chart &Options"), wxEmptyString);

    m_periodicityMenu = new wxMenu();
    addItems(m_periodicityMenu,
             {{1005, Radio, "&Daily", "Ctrl+D", "Sets periodicity of current chart to Daily", "QxART_daily"},
              {1006, Radio, "&Weekly", "Ctrl+W", "Sets periodicity of current chart to Weekly", "QxART_weekly"},
              {1007, Radio, "&Monthly", "", "Sets periodicity of current chart to Monthly", "QxART_monthly"},
              {1008, Radio, "&Quarterly", "", "Sets periodicity of current chart to Quarterly", "QxART_quarterly"},
              {1009, Radio, "&Yearly", "", "Sets periodicity of current chart to Yearly", "QxART_yearly"}});
    m_chartMenu->AppendSubMenu(m_periodicityMenu, _("&Periodicity"), wxEmptyString);

    m_chartMenu->AppendSeparator();
    addItems(m_chartMenu,
             {{1010, Normal, "&Add Indicator...", "Ctrl+1", "Add indicator to the current chart.", "QxART_indicator"},
              {1011, Normal, "Add Indicator from &Template...", "Ctrl+2", "Add indicators from template definition.",
               "QxART_template"},
              {1012, Normal, "&Save Indicators as Template...", "Ctrl+3", "Save displayed indiactors as template.",
               "QxART_save_template"},
              {1013, Normal, "Add Buy/Sell Signal &Markers...", "Ctrl+4", "Adds buy/sell arrows on chart.",
               "QxART_signal_marker"}});
    m_chartMenu->AppendSeparator();

    m_patternMenu = new wxMenu();
    addItems(m_patternMenu,
             {{1014, Normal, "&Candlestick...", "Ctrl+Shift+9", "You can detect various candlestick patters",
               "QxART_candle_stick"},
              {1015, Normal, "&ZigZag...", "Ctrl+Shift+1", "", "QxART_zigzag"},
              {1016, Normal, "&Double Top or Bottom", "Ctrl+Shift+2", "", "QxART_double_top"},
              {1017, Normal, "&Head and Shoulders", "Ctrl+Shift+3", "", "QxART_head_and_shoulders"}});
    m_chartMenu->AppendSubMenu(m_patternMenu, _("Add Pattern &Detector"), wxEmptyString);
    m_chartMenu->AppendSeparator();

    m_zoomMenu = new wxMenu();
    addItems(m_zoomMenu, {{1018, Normal, "Zoom &In", "Ctrl++", "Zooms in", "QxART_zoom_in_width"},
                          {1019, Normal, "Zoom &Out", "Ctrl+-", "Zooms out", "QxART_zoom_out_width"},
                          kSeparator,
                          {1020, Normal, "&Normal", "Ctrl+0", "Reset zoom level to 100%", ""},
                          {1021, Normal, "Maximum Zoom Out", "Ctrl+Shift+-", "Sets zoom level to maximum", ""},
                          {1022, Normal, "Maximum Zoom In", "Ctrl+Shift++", "Sets zoom level to minimum", ""}});
    m_chartMenu->AppendSubMenu(m_zoomMenu, _("&Zoom"), wxEmptyString);
    m_chartMenu->AppendSeparator();

    addItems(m_chartMenu,
             {{1023, Normal, "Create &Copy", "Ctrl+Shift+C", "Creates a copy of current chart", "QxART_copy_chart"},
              kSeparator,
              {1024, Check, "Show T&ooltip", "F10", "Shows price field values and value of indicator as tooltip.",
               ""},
              {1025, Check, "Show &Legends", "F9", "Show legends describing graphic objects displayed on chart.", ""},
              kSeparator,
              {1026, Normal, "E&xport Chart...", "F8", "Export chart as an image.", "QxART_export_chart"},
              kSeparator,
              {1027, Normal, "Chart Confi&guration ...", "", "Opens chart configuration dialog", ""}});
    m_chartMenu->Check(1025, true);

    m_addedMenus.push_back(m_chartMenu);
    m_addedMenuTitles.push_back(_("&Chart"));

    connectEvents(true);
}

FBChartFrame::~FBChartFrame() { connectEvents(false); }

void FBChartFrame::connectEvents(bool connect)
{
    auto wire = [this, connect](auto type, auto method, int id) {
        if (connect)
            Bind(type, method, this, id);
        else
            Unbind(type, method, this, id);
    };
    wire(wxEVT_MENU, &FBChartFrame::onCandle, 1000);
    wire(wxEVT_UPDATE_UI, &FBChartFrame::onUpdateCandle, 1000);
    wire(wxEVT_MENU, &FBChartFrame::onBar, 1001);
    wire(wxEVT_UPDATE_UI, &FBChartFrame::onUpdateBar, 1001);
    wire(wxEVT_MENU, &FBChartFrame::onLine, 1002);
    wire(wxEVT_UPDATE_UI, &FBChartFrame::onUpdateLine, 1002);
    wire(wxEVT_MENU, &FBChartFrame::onLogScale, 1003);
    wire(wxEVT_UPDATE_UI, &FBChartFrame::onUpdateLogScale, 1003);
    wire(wxEVT_MENU, &FBChartFrame::onShowVolume, 1004);
    wire(wxEVT_UPDATE_UI, &FBChartFrame::onUpdateShowVolume, 1004);
    wire(wxEVT_MENU, &FBChartFrame::onAddIndicator, 1010);
    wire(wxEVT_MENU, &FBChartFrame::onAddIndicatorFromTemplate, 1011);
    wire(wxEVT_MENU, &FBChartFrame::onSaveIndicatorsAsTemplate, 1012);
    wire(wxEVT_UPDATE_UI, &FBChartFrame::onUpdateSaveIndicatorsAsTemplate, 1012);
    wire(wxEVT_MENU, &FBChartFrame::onAddSignalMarkers, 1013);
    wire(wxEVT_MENU, &FBChartFrame::onCandlestickPatterns, 1014);
    wire(wxEVT_MENU, &FBChartFrame::onZigZag, 1015);
    wire(wxEVT_MENU, &FBChartFrame::onDoubleTop, 1016);
    wire(wxEVT_MENU, &FBChartFrame::onHeadAndShoulders, 1017);
    wire(wxEVT_MENU, &FBChartFrame::onCreateCopy, 1023);
    wire(wxEVT_MENU, &FBChartFrame::onShowTooltip, 1024);
    wire(wxEVT_UPDATE_UI, &FBChartFrame::onUpdateShowTooltip, 1024);
    wire(wxEVT_MENU, &FBChartFrame::onShowLegends, 1025);
    wire(wxEVT_UPDATE_UI, &FBChartFrame::onUpdateShowLegends, 1025);
    wire(wxEVT_MENU, &FBChartFrame::onExportChart, 1026);
    wire(wxEVT_MENU, &FBChartFrame::onChartConfiguration, 1027);
}
