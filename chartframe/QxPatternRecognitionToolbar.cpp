#include "chartframe/QxPatternRecognitionToolbar.h"

#include "chartframe/QxToolbarTool.h"

QxPatternRecognitionToolbar::QxPatternRecognitionToolbar(wxWindow* parent, wxWindowID, const wxPoint& pos,
                                                         const wxSize&, long)
    : wxAuiToolBar(parent, wxID_ANY, pos, wxDefaultSize, 0)
{
    const wxSize icons(16, 16);
    qxAddTool(this, icons, 1014, "", "QxART_candle_stick", "Detect candlestick patterns\nCtrl+Shift+9");
    qxAddTool(this, icons, 1015, "", "QxART_zigzag", "Detect zigzag patterns\nCtrl+Shift+1");
    qxAddTool(this, icons, 1016, "", "QxART_double_top", "Detect double top and bottom patterns\nCtrl+Shift+2");
    qxAddTool(this, icons, 1017, "", "QxART_head_and_shoulders", "Detect head and shoulders patterns\nCtrl+Shift+3");
}

QxPatternRecognitionToolbar::~QxPatternRecognitionToolbar() = default;
