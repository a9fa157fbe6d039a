#pragma once
// The chart operations toolbar: indicators, templates, signal markers, copy
// and export of the chart. Its tools are enabled only inside a chart frame.
#include <wx/aui/auibar.h>

class QxChartOperationsToolbar : public wxAuiToolBar {
public:
    // The id, size and style are not used (any id, 16 by 16 icons, style 0).
    QxChartOperationsToolbar(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                             const wxSize& size = wxDefaultSize, long style = 0);
    ~QxChartOperationsToolbar() override;

    // Enabled exactly when the parent is a chart frame; Save Indicators as
    // Template follows that frame's own rule.
    void onUpdateTool(wxUpdateUIEvent& event);
};
