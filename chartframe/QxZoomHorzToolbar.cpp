#include "chartframe/QxZoomHorzToolbar.h"

#include "chartframe/QxToolbarTool.h"

#include <wx/intl.h>
#include <wx/menu.h>

#include <memory>

QxZoomHorzToolbar::QxZoomHorzToolbar(wxWindow* parent, wxWindowID, const wxPoint& pos, const wxSize& size,
                                     long)
    : wxAuiToolBar(parent, wxID_ANY, pos, wxDefaultSize, 0)
{
    const wxSize icons = qxToolBitmapSize(size);
    qxAddTool(this, icons, 1019, "Zoom -", "QXART_zoom_out_width", "Zoom out\nCtrl+-");
    qxAddTool(this, icons, 1018, "Zoom +", "QXART_zoom_in_width", "Zoom in\nCtrl++");
    SetToolDropDown(1018, true);
    Bind(wxEVT_AUITOOLBAR_TOOL_DROPDOWN, &QxZoomHorzToolbar::onZoomDropDown, this, 1018);
}

QxZoomHorzToolbar::~QxZoomHorzToolbar()
{
    Unbind(wxEVT_AUITOOLBAR_TOOL_DROPDOWN, &QxZoomHorzToolbar::onZoomDropDown, this, 1018);
}

wxMenu* QxZoomHorzToolbar::createPresetMenu()
{
    auto* menu = new wxMenu();
    menu->Append(1020, _("Normal\tCtrl+0"));
    menu->Append(1021, _("Maximum Zoom Out\tCtrl+Shift+-"));
    menu->Append(1022, _("Maximum Zoom In\tCtrl+Shift++"));
    menu->AppendSeparator();
    return menu;
}

void QxZoomHorzToolbar::onZoomDropDown(wxAuiToolBarEvent& event)
{
    if (!event.IsDropDownClicked()) {
        event.Skip();
        return;
    }
    SetToolSticky(event.GetId(), true);
    std::unique_ptr<wxMenu> menu(createPresetMenu());
    const wxRect rect = GetToolRect(event.GetId());
    const wxPoint below = ScreenToClient(ClientToScreen(wxPoint(rect.x, rect.y + rect.height - 1)));
    PopupMenu(menu.get(), below);
    SetToolSticky(event.GetId(), false);
}
