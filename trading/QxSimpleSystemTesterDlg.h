#pragma once
// The tester dialog: the user picks a trading system with a long side, a
// security, the two stops, a date range and a bar period. The stops are
// remembered in the configuration store, in percent.
#include "core/QxObject.h"
#include "core/QxTime.h"
#include "trading/FBSimpleSystemTesterDlg.h"

#include <cstdint>

class QxSecurity;
class QxTradingSystem;

// What the dialog hands over after OK.
struct QxSimpleSystemTesterDlgData {
    QxObjectSmartPtr<QxTradingSystem> system;
    QxObjectSmartPtr<QxSecurity> security;
    int64_t startDate = 0; // packed timestamps of the chosen dates
    int64_t endDate = 0;
    Qx::QxPeriod period = Qx::eDaily;
    double stopLoss = 0.0; // fractions after OK
    double stopErosion = 0.0;
};

// A stop as the user typed it, in percent: a finite number above 0.
bool parseStopPercent(const wxString& text, double& value);

class QxSimpleSystemTesterDlg : public FBSimpleSystemTesterDlg, public QxSimpleSystemTesterDlgData {
public:
    static constexpr const char* kStopLossKey = "dlg/simple-system-tester/stop-loss";
    static constexpr const char* kStopErosionKey = "dlg/simple-system-tester/stop-erosion";

    explicit QxSimpleSystemTesterDlg(wxWindow* parent);
    ~QxSimpleSystemTesterDlg() override;

    wxTextCtrl* systemField() const { return m_systemName; }
    wxButton* selectSystemButton() const { return m_selectSystem; }
    wxTextCtrl* securityField() const { return m_securityName; }
    wxButton* selectSymbolButton() const { return m_selectSymbol; }
    wxTextCtrl* stopLossField() const { return m_stopLoss; }
    wxTextCtrl* stopErosionField() const { return m_stopErosion; }
    wxDatePickerCtrl* startPicker() const { return m_startDate; }
    wxDatePickerCtrl* endPicker() const { return m_endDate; }
    QxPeriodicityChoice* periodChoice() const { return m_period; }

protected:
    void onSelectSystem(wxCommandEvent& event) override;
    void onSelectSymbol(wxCommandEvent& event) override;
    void onHelp(wxCommandEvent& event) override;
    void onOk(wxCommandEvent& event) override;

private:
    bool accept();
    void refuse(const wxString& message, wxWindow* focus);
};
