#include "chartframe/QxChartPeriodicityToolbar.h"

#include "chartframe/QxToolbarTool.h"

QxChartPeriodicityToolbar::QxChartPeriodicityToolbar(wxWindow* parent, wxWindowID, const wxPoint& pos,
                                                     const wxSize& size, long)
    : wxAuiToolBar(parent, wxID_ANY, pos, wxDefaultSize, 0)
{
    const wxSize icons = qxToolBitmapSize(size);
    qxAddTool(this, icons, 1005, "Daily", "QXART_daily", "Daily chart periodicity\nCtrl+D", wxITEM_RADIO);
    qxAddTool(this, icons, 1006, "Weekly", "QXART_weekly", "Weekly chart periodicity\nCtrl+W", wxITEM_RADIO);
}

QxChartPeriodicityToolbar::~QxChartPeriodicityToolbar() = default;
