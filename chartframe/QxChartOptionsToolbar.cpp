#include "chartframe/QxChartOptionsToolbar.h"

#include "chartframe/QxToolbarTool.h"

QxChartOptionsToolbar::QxChartOptionsToolbar(wxWindow* parent, wxWindowID, const wxPoint& pos,
                                             const wxSize& size, long)
    : wxAuiToolBar(parent, wxID_ANY, pos, wxDefaultSize, 0)
{
    const wxSize icons = qxToolBitmapSize(size);
    qxAddTool(this, icons, 1000, "Candle", "QXART_price_candle", "Candle chart style", wxITEM_RADIO);
    qxAddTool(this, icons, 1001, "Bar", "QXART_price_bar", "Bar chart style", wxITEM_RADIO);
    qxAddTool(this, icons, 1002, "Line", "QXART_price_line", "Line chart style", wxITEM_RADIO);
    AddSeparator();
    qxAddTool(this, icons, 1003, "Log Scale", "QXART_log_scale", "Use log scale in main zone", wxITEM_CHECK);
    AddSeparator();
    qxAddTool(this, icons, 1004, "Volume Bars", "QXART_volume_bars", "Show/Hide volume bars below main zone\nF6",
              wxITEM_CHECK);
}

QxChartOptionsToolbar::~QxChartOptionsToolbar() = default;
