#pragma once
// The horizontal zoom toolbar: zoom out, and zoom in with a drop-down arrow
// that opens the zoom presets (normal, maximum out, maximum in). The menu's
// commands, like the tools', go to the frame that docks the toolbar.
#include <wx/aui/auibar.h>

class wxMenu;

class QxZoomHorzToolbar : public wxAuiToolBar {
public:
    // The id and the style are not used (any id, style 0); size is the size
    // of the tool bitmaps, 16 by 16 for the default size.
    QxZoomHorzToolbar(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                      const wxSize& size = wxDefaultSize, long style = 0);
    ~QxZoomHorzToolbar() override;

    // The preset menu, built anew for every click on the arrow; the caller
    // owns it.
    static wxMenu* createPresetMenu();

    // A click on the zoom-in tool's arrow pops the preset menu up below the
    // tool; any other drop-down event passes on.
    void onZoomDropDown(wxAuiToolBarEvent& event);
    // Whether a point of the toolbar lies on the zoom-in tool's arrow.
    bool onPresetArrow(const wxPoint& point);

private:
    // The arrow stays a way to the presets while zooming in is disabled.
    void onLeftDown(wxMouseEvent& event);
    void showPresetMenu();
};
