#include "chartframe/QxChartGeneralToolbar.h"

#include "chartframe/QxToolbarTool.h"

QxChartGeneralToolbar::QxChartGeneralToolbar(wxWindow* parent, wxWindowID, const wxPoint& pos,
                                             const wxSize& size, long style)
    : wxAuiToolBar(parent, wxID_ANY, pos, wxDefaultSize, style), m_bitmapSize(qxToolBitmapSize(size))
{
    // Labels are padded so that text-beside-icon buttons line up.
    qxAddTool(this, m_bitmapSize, 5002, "Create new chart  ", "QXART_new_chart", "Create New chart\nCtrl+N");
    qxAddTool(this, m_bitmapSize, 30000, "New P&F chart     ", "QXART_new_pnf_chart",
              "Create new point & figure chart\nCtrl+Shift+N");
    qxAddTool(this, m_bitmapSize, 5000, "Open saved chart", "QXART_open", "Open saved chart\nCtrl+O");
}

QxChartGeneralToolbar::~QxChartGeneralToolbar() = default;

void QxChartGeneralToolbar::addSaveTool()
{
    qxAddTool(this, m_bitmapSize, 5003, "Save Chart", "QXART_save", "Save chart\nCtrl+S");
}
