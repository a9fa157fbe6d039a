#include "chartframe/QxZoomHorzToolbar.h"

#include "chartframe/QxToolbarTool.h"

#include <wx/aui/framemanager.h>

#include <wx/intl.h>
#include <wx/menu.h>

#include <wx/image.h>

#include <memory>

namespace {

constexpr int kZoomIn = 1018;

// Draws the zoom-in tool disabled while its arrow stays live: at the
// largest zoom there is nothing to zoom in, but the presets still are.
class ZoomToolbarArt : public wxAuiDefaultToolBarArt {
public:
    wxAuiToolBarArt* Clone() override { return new ZoomToolbarArt(*this); }
    void DrawDropDownButton(wxDC& dc, wxWindow* wnd, const wxAuiToolBarItem& item, const wxRect& rect) override
    {
        if (item.GetId() != kZoomIn || !(item.GetState() & wxAUI_BUTTON_STATE_DISABLED)) {
            wxAuiDefaultToolBarArt::DrawDropDownButton(dc, wnd, item, rect);
            return;
        }
        wxAuiToolBarItem shown(item);
        shown.SetState(item.GetState() & ~wxAUI_BUTTON_STATE_DISABLED);
        wxBitmap greyed = item.GetDisabledBitmapFor(wnd);
        if (!greyed.IsOk()) {
            const wxBitmap plain = item.GetBitmapFor(wnd);
            if (plain.IsOk())
                greyed = wxBitmap(plain.ConvertToImage().ConvertToDisabled());
        }
        if (greyed.IsOk())
            shown.SetBitmap(greyed);
        wxAuiDefaultToolBarArt::DrawDropDownButton(dc, wnd, shown, rect);
    }
};

} // namespace

QxZoomHorzToolbar::QxZoomHorzToolbar(wxWindow* parent, wxWindowID, const wxPoint& pos, const wxSize& size,
                                     long)
    : wxAuiToolBar(parent, wxID_ANY, pos, wxDefaultSize, 0)
{
    SetArtProvider(new ZoomToolbarArt);
    const wxSize icons = qxToolBitmapSize(size);
    qxAddTool(this, icons, 1019, "Zoom -", "QXART_zoom_out_width", "Zoom out\nCtrl+-");
    qxAddTool(this, icons, kZoomIn, "Zoom +", "QXART_zoom_in_width", "Zoom in\nCtrl++");
    SetToolDropDown(kZoomIn, true);
    Bind(wxEVT_AUITOOLBAR_TOOL_DROPDOWN, &QxZoomHorzToolbar::onZoomDropDown, this, kZoomIn);
    Bind(wxEVT_LEFT_DOWN, &QxZoomHorzToolbar::onLeftDown, this);
}

QxZoomHorzToolbar::~QxZoomHorzToolbar()
{
    Unbind(wxEVT_AUITOOLBAR_TOOL_DROPDOWN, &QxZoomHorzToolbar::onZoomDropDown, this, kZoomIn);
    Unbind(wxEVT_LEFT_DOWN, &QxZoomHorzToolbar::onLeftDown, this);
}

bool QxZoomHorzToolbar::onPresetArrow(const wxPoint& point)
{
    const wxRect tool = GetToolRect(kZoomIn);
    const int arrow = GetArtProvider() ? GetArtProvider()->GetElementSize(wxAUI_TBART_DROPDOWN_SIZE) : 10;
    return tool.Contains(point) && point.x >= tool.GetRight() - arrow;
}

void QxZoomHorzToolbar::onLeftDown(wxMouseEvent& event)
{
    // The toolkit ignores presses on a disabled tool, its arrow included.
    if (GetToolEnabled(kZoomIn) || !onPresetArrow(event.GetPosition())) {
        event.Skip();
        return;
    }
    showPresetMenu();
}

void QxZoomHorzToolbar::showPresetMenu()
{
    SetToolSticky(kZoomIn, true);
    std::unique_ptr<wxMenu> menu(createPresetMenu());
    const wxRect rect = GetToolRect(kZoomIn);
    const wxPoint below = ScreenToClient(ClientToScreen(wxPoint(rect.x, rect.y + rect.height - 1)));
    PopupMenu(menu.get(), below);
    SetToolSticky(kZoomIn, false);
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
    showPresetMenu();
}
