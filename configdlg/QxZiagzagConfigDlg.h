#pragma once
// Edits a zig-zag's filter and pen. Settings that are not usable (a filter
// outside 0..100, an invalid pen) are replaced by the ones last accepted,
// which OK stores for next time.
#include "chartview/QxZigZagPattern.h"
#include "configdlg/FBZiagzagConfigDlg.h"

class wxConfigBase;

class QxZiagzagConfigDlg : public FBZiagzagConfigDlg, public QxZigZagPatternConfig {
public:
    QxZiagzagConfigDlg(wxWindow* parent, const QxZigZagPatternConfig& initial);
    ~QxZiagzagConfigDlg() override;

    bool TransferDataToWindow() override;

    // The stored settings under "/preferences/pattern_configs/zigzag/":
    // "filter" (5 when absent) and "line_style" (the black dashed pen); the
    // store's current path is kept.
    static QxZigZagPatternConfig readZigZagDefaults(wxConfigBase& config);
    static void writeZigZagDefaults(wxConfigBase& config, const QxZigZagPatternConfig& settings);

    wxSpinCtrlDouble* filterField() const { return m_filter; }
    wxPenPicker* penPicker() const { return m_penPicker; }
    wxColourPickerCtrl* colourPicker() const { return m_colourPicker; }

    // The filter a field holds as typed (the spin control itself reports
    // the value clamped to its range) when it lies in 0 < value <= 100;
    // otherwise says so over dialog, selects the field and gives false.
    static bool acceptTypedFilter(wxWindow* dialog, wxSpinCtrlDouble* field, double& value);
    // Shows the picker's pen in a new colour, keeping its width and style.
    static void recolour(wxPenPicker* picker, const wxColour& colour);

protected:
    void onColourChanged(wxColourPickerEvent& event) override;
    void onOK(wxCommandEvent& event) override;
    void onHelp(wxCommandEvent& event) override;
};
