#include "chartframe/QxProToolsToolbar.h"

#include "chartframe/QxToolbarTool.h"

QxProToolsToolbar::QxProToolsToolbar(wxWindow* parent, wxWindowID, const wxPoint& pos,
                                     const wxSize& size, long style)
    : wxAuiToolBar(parent, wxID_ANY, pos, wxDefaultSize, style), m_bitmapSize(qxToolBitmapSize(size))
{
    // Labels as written (not translated), padded to line up beside the icons.
    qxAddTool(this, m_bitmapSize, 30008, "Simple System Tester         ", "QxART_system_tester",
              "Simple System Tester\nCtrl+T", wxITEM_NORMAL, false);
    qxAddTool(this, m_bitmapSize, 30007, "Stock Idea Finder              ", "QxART_stock_idea",
              "Find Stock Ideas\nCtrl+F", wxITEM_NORMAL, false);
    qxAddTool(this, m_bitmapSize, 30009, "Manage Trading Systems", "QxART_manage_systems",
              "Manage Trading Systems\nCtrl+Shift+M", wxITEM_NORMAL, false);
}

QxProToolsToolbar::~QxProToolsToolbar() = default;
