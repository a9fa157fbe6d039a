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

protected:
    void onColourChanged(wxColourPickerEvent& event) override;
    void onOK(wxCommandEvent& event) override;
    void onHelp(wxCommandEvent& event) override;

private:
    // The filter the field holds as typed (the spin control itself reports
    // the value clamped to its range); false when it is no number.
    bool typedFilter(double& value) const;
};
