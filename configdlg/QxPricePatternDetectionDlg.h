#pragma once
// Edits a price-pattern detector's filter and pens. Settings that are not
// usable (a filter outside 0..100, an invalid pen) are replaced by the ones
// last accepted, which OK stores for next time; the filter is the one the
// zig-zag dialog keeps too.
#include "chartview/QxPricePattern.h"
#include "configdlg/FBPricePatternDetectionDlg.h"

class wxConfigBase;

class QxPricePatternDetectionDlg : public FBPricePatternDetectionDlg, public QxPricePatternConfig {
public:
    QxPricePatternDetectionDlg(wxWindow* parent, const QxPricePatternConfig& initial);
    ~QxPricePatternDetectionDlg() override;

    bool TransferDataToWindow() override;
    void setMessage(const wxString& text);

    // The stored settings: the zig-zag "filter" (2.5 when absent) and, under
    // "/preferences/pattern_configs/price_pattern/", "top_pen" (dark red,
    // width 2) and "bot_pen" (dark green, width 2); the store's path is kept.
    static QxPricePatternConfig readPricePatternDefaults(wxConfigBase& config);
    static void writePricePatternDefaults(wxConfigBase& config, const QxPricePatternConfig& settings);

    wxSpinCtrlDouble* filterField() const { return m_filter; }
    wxPenPicker* topPenPicker() const { return m_topPenPicker; }
    wxPenPicker* bottomPenPicker() const { return m_bottomPenPicker; }
    wxColourPickerCtrl* topColourPicker() const { return m_topColour; }
    wxColourPickerCtrl* bottomColourPicker() const { return m_bottomColour; }
    wxStaticText* messageText() const { return m_message; }

protected:
    void onTopColourChanged(wxColourPickerEvent& event) override;
    void onBottomColourChanged(wxColourPickerEvent& event) override;
    void onOK(wxCommandEvent& event) override;
    void onHelp(wxCommandEvent& event) override;
};
