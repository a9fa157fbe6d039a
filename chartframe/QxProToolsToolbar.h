#pragma once
// The tools toolbar: Simple System Tester, Stock Idea Finder and Manage
// Trading Systems, with the command ids of the shared menu bar. The creator
// calls Realize.
#include <wx/aui/auibar.h>

class QxProToolsToolbar : public wxAuiToolBar {
public:
    // The id is not used (any id); size is the size of the tool bitmaps,
    // 16 by 16 for the default size; style goes to the AUI toolbar.
    QxProToolsToolbar(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                      const wxSize& size = wxDefaultSize, long style = 0);
    ~QxProToolsToolbar() override;

    // The size of the tool bitmaps.
    wxSize bitmapSize() const { return m_bitmapSize; }

private:
    wxSize m_bitmapSize;
};
