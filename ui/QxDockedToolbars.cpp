#include "ui/QxDockedToolbars.h"

#include <wx/aui/auibar.h>
#include <wx/aui/framemanager.h>

namespace {

// The orientation is the toolbar's own; its idle handler sets it the same way.
struct ToolbarOrientation : wxAuiToolBar {
    static void set(wxAuiToolBar* toolbar, int orientation)
    {
        (toolbar->*(&ToolbarOrientation::SetOrientation))(orientation);
    }
};

} // namespace

void turnSideToolbarsUpright(wxAuiManager& manager)
{
    wxAuiPaneInfoArray& panes = manager.GetAllPanes();
    for (size_t i = 0; i < panes.size(); ++i) {
        wxAuiPaneInfo& pane = panes[i];
        auto* toolbar = dynamic_cast<wxAuiToolBar*>(pane.window);
        const bool side = pane.dock_direction == wxAUI_DOCK_LEFT || pane.dock_direction == wxAUI_DOCK_RIGHT;
        if (!toolbar || !pane.IsDocked() || !side || !toolbar->IsPaneValid(pane))
            continue;
        ToolbarOrientation::set(toolbar, wxVERTICAL);
        toolbar->Realize();
        pane.best_size = toolbar->GetHintSize(wxAUI_DOCK_LEFT);
        pane.floating_size = wxDefaultSize;
    }
}
