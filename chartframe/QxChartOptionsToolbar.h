#pragma once
// The chart options toolbar: price style (candle, bar, line), log scale and
// volume bars. The frame that docks it runs the commands and sets the marks.
#include <wx/aui/auibar.h>

class QxChartOptionsToolbar : public wxAuiToolBar {
public:
    // The id and the style are not used (any id, style 0); size is the size
    // of the tool bitmaps, 16 by 16 for the default size.
    QxChartOptionsToolbar(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                          const wxSize& size = wxDefaultSize, long style = 0);
    ~QxChartOptionsToolbar() override;
};
