#pragma once
// The general chart toolbar: New Chart, New P&F chart, Open saved chart and,
// when asked, Save Chart. Its tools carry the command ids of the shared menu
// bar, so the frame that docks it runs them. The creator calls Realize.
#include <wx/aui/auibar.h>

class QxChartGeneralToolbar : public wxAuiToolBar {
public:
    // The id is not used (any id); size is the size of the tool bitmaps,
    // 16 by 16 for the default size; style goes to the AUI toolbar.
    QxChartGeneralToolbar(wxWindow* parent, wxWindowID id = wxID_ANY,
                          const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                          long style = 0);
    ~QxChartGeneralToolbar() override;

    // Appends Save Chart (5003) at the end.
    void addSaveTool();

    // The size of the tool bitmaps.
    wxSize bitmapSize() const { return m_bitmapSize; }

private:
    wxSize m_bitmapSize;
};
