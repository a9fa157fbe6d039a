#pragma once
// The pattern recognition toolbar: candlestick, zig-zag, double top or
// bottom and head-and-shoulders detectors, as icons without labels.
#include <wx/aui/auibar.h>

class QxPatternRecognitionToolbar : public wxAuiToolBar {
public:
    // The id, size and style are not used (any id, 16 by 16 icons, style 0).
    QxPatternRecognitionToolbar(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                                const wxSize& size = wxDefaultSize, long style = 0);
    ~QxPatternRecognitionToolbar() override;
};
