#pragma once
// Where the user ticks the candlestick patterns a detector marks. One
// dialog serves the whole run: it is built on first use under the
// application's hidden window, so closing a chart frame never takes it
// along, and it is centred on the active frame each time it is shown.
#include "configdlg/FBCdlPatternSelectorDlg.h"

#include <vector>

struct TA_FuncInfo;

class QxCdlPatternSelectorDlg : public FBCdlPatternSelectorDlg {
public:
    explicit QxCdlPatternSelectorDlg(wxWindow* parent);
    ~QxCdlPatternSelectorDlg() override;

    // The process-wide dialog, built on the first call.
    static QxCdlPatternSelectorDlg* instance();

    // Ticks the functions of detectors (in any order, duplicates allowed),
    // runs the dialog modally and, on OK, replaces detectors by the ticked
    // functions in ascending address order. False, detectors untouched,
    // when cancelled; true when at least one pattern was ticked.
    bool choosePatterns(std::vector<const TA_FuncInfo*>& detectors);

    // The function an item stands for.
    const TA_FuncInfo* functionAt(unsigned item) const;
    wxCheckListBox* patternList() const { return m_patterns; }
    wxStaticBitmap* bulb() const { return m_bulb; }

protected:
    void onInitDialog(wxInitDialogEvent& event) override;
    void onOK(wxCommandEvent& event) override;
    void onHelp(wxCommandEvent& event) override;
};
