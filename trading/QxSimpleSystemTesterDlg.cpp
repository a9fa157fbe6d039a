#include "trading/QxSimpleSystemTesterDlg.h"

#include "app/QxCommonFrame.h"
#include "ui/QxMessages.h"
#include "ui/QxWindowFit.h"
#include "core/QxSecurity.h"
#include "core/QxUtils.h"
#include "core/platform/wxConfigEx.h"
#include "trading/DlgSystemManager.h"
#include "trading/QxPeriodicityChoice.h"
#include "trading/QxTradingSystem.h"


#include <cmath>

bool parseStopPercent(const wxString& text, double& value)
{
    const wxString trimmed = wxString(text).Trim(true).Trim(false);
    // The field was filled in the user's number format; a decimal point is
    // understood as well.
    double parsed = 0.0;
    if (!trimmed.ToDouble(&parsed) && !trimmed.ToCDouble(&parsed))
        return false;
    if (!std::isfinite(parsed) || !(parsed > 0.0))
        return false;
    value = parsed;
    return true;
}

namespace {

int64_t pickedDate(const wxDatePickerCtrl* picker)
{
    const wxDateTime d = picker->GetValue();
    return d.IsValid() ? makeTimestamp(static_cast<uint8_t>(d.GetDay()), d.GetMonth() + 1,
                                       static_cast<uint16_t>(d.GetYear()))
                       : 0;
}

} // namespace

QxSimpleSystemTesterDlg::QxSimpleSystemTesterDlg(wxWindow* parent)
    : FBSimpleSystemTesterDlg(parent, wxID_ANY, _("Simple System Tester"))
{
    m_startDate->SetValue(wxDateTime::Today() - wxDateSpan::Years(10));
    m_endDate->SetValue(wxDateTime::Today());
    wxConfigBase& config = wxConfigEx::get();
    stopLoss = config.ReadDouble(kStopLossKey, 7.0);
    stopErosion = config.ReadDouble(kStopErosionKey, 20.0);
    m_stopLoss->SetValue(wxString::Format("%.2f", stopLoss));
    m_stopErosion->SetValue(wxString::Format("%.2f", stopErosion));
    growToFittingSize(this);
    m_selectSystem->SetFocus(); // the first thing to do here
}

QxSimpleSystemTesterDlg::~QxSimpleSystemTesterDlg() = default;

void QxSimpleSystemTesterDlg::onSelectSystem(wxCommandEvent&)
{
    for (;;) {
        DlgSystemManager manager(this, true);
        if (manager.ShowModal() != wxID_OK)
            return;
        const QxObjectSmartPtr<QxTradingSystem>& chosen = manager.getSelectedSystem();
        if (!chosen)
            return;
        // Only a system with a long side replaces the one held: a cancel
        // after the message below keeps the last valid choice (or none).
        if (chosen->getType() & Qx::eLongOnly) {
            system = chosen;
            m_systemName->SetValue(chosen->getName().string());
            return;
        }
        qxShowError(_("Selected Trading System does not support Long position."), this);
    }
}

void QxSimpleSystemTesterDlg::onSelectSymbol(wxCommandEvent&)
{
    QxObjectSmartPtr<QxSecurity> chosen = QxCommonFrame::chooseSecurity();
    if (!chosen)
        return;
    security = chosen;
    const char* name = chosen->name();
    m_securityName->SetValue(wxString::FromUTF8(name && *name ? name : chosen->ticker()));
}

void QxSimpleSystemTesterDlg::onHelp(wxCommandEvent&) { QxUtils::showHelp("topics/back_test.htm"); }

void QxSimpleSystemTesterDlg::onOk(wxCommandEvent&)
{
    if (accept())
        EndModal(wxID_OK);
}

void QxSimpleSystemTesterDlg::refuse(const wxString& message, wxWindow* focus)
{
    qxShowError(message, this);
    focus->SetFocus();
}

bool QxSimpleSystemTesterDlg::accept()
{
    if (!system) {
        refuse(_("Please select a system."), m_selectSystem);
        return false;
    }
    if (!security) {
        refuse(_("Please select a symbol."), m_selectSymbol);
        return false;
    }
    double loss = 0.0, erosion = 0.0;
    if (!parseStopPercent(m_stopLoss->GetValue(), loss)) {
        refuse(_("Invalid 'stop loss' value."), m_stopLoss);
        return false;
    }
    if (!parseStopPercent(m_stopErosion->GetValue(), erosion)) {
        refuse(_("Invalid 'stop profit erosion' value."), m_stopErosion);
        return false;
    }
    const int64_t start = pickedDate(m_startDate);
    const int64_t end = pickedDate(m_endDate);
    if (start > end) {
        refuse(_("'Start Date' should always be less than 'End Date'."), m_startDate);
        return false;
    }
    startDate = start;
    endDate = end;
    period = m_period->getPeriodFromChoice();
    wxConfigBase& config = wxConfigEx::get();
    config.Write(kStopLossKey, loss);
    config.Write(kStopErosionKey, erosion);
    stopLoss = loss / 100.0;
    stopErosion = erosion / 100.0;
    return true;
}
