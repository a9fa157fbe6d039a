#pragma once
// The periodicity toolbar: daily and weekly bars.
#include <wx/aui/auibar.h>

class QxChartPeriodicityToolbar : public wxAuiToolBar {
public:
    // The id and the style are not used (any id, style 0); size is the size
    // of the tool bitmaps, 16 by 16 for the default size.
    QxChartPeriodicityToolbar(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                              const wxSize& size = wxDefaultSize, long style = 0);
    ~QxChartPeriodicityToolbar() override;
};
