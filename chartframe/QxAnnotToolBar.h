#pragma once
// The annotation toolbar: one check tool per annotation kind and, in the
// chart frame, the advanced kinds and the snap-to-price switch. The frame
// runs the tools' commands and sets their marks.
#include <wx/aui/auibar.h>

class QxAnnotToolBar : public wxAuiToolBar {
public:
    // The id, size and style are not used (any id, 16 by 16 icons, style 0).
    QxAnnotToolBar(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = 0);
    ~QxAnnotToolBar() override;

    // Appends pitchfork, regression channel, Fibonacci retracement and snap.
    void addAdvancedTools();
};
