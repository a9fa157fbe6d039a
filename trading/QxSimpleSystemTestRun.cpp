// runSimpleSystemTest: the dialog, the simulation over the security's bars
// through the trading system, and the report frame.
#include "app/QxApplication.h"
#include "core/QxCalculator.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "trading/QxResolvedSystem.h"
#include "trading/QxSimpleSystemTest.h"
#include "trading/QxSimpleSystemTestReportView.h"
#include "trading/QxSimpleSystemTesterDlg.h"
#include "trading/QxTradingSystem.h"

#include <wx/utils.h>

bool runSimpleSystemTest()
{
    QxApplication* app = QxApplication::getApp();
    QxSimpleSystemTesterDlgData chosen;
    {
        QxSimpleSystemTesterDlg dialog(app ? app->activeFrame() : nullptr);
        if (dialog.ShowModal() != wxID_OK)
            return false;
        chosen = dialog;
    }
    wxBusyCursor busy;
    QxObjectSmartPtr<QxCalculator> calculator(new QxCalculator(chosen.security.get(), Qx::eDaily));
    calculator->setCurrentTimeframe(chosen.period);
    QxPriceHistory* history = calculator->prices(chosen.period, false);
    if (!history || history->numBars() == 0)
        return false;

    QxSimpleTestParams params;
    params.startDate = chosen.startDate;
    params.endDate = chosen.endDate;
    params.stopLoss = chosen.stopLoss;
    params.stopErosion = chosen.stopErosion;
    params.systemName = chosen.system->getName().string();
    params.ticker = wxString::FromUTF8(chosen.security->ticker());
    QxSimpleTestResult result;
    if (!simulateSimpleSystemTest(*history, resolvedSystemEvaluator(*chosen.system, calculator.get()), params,
                                  result))
        return false;
    auto* view = new QxSimpleSystemTestReportView(chosen.security->id(), chosen.period, std::move(result.report));
    view->Show();
    return true;
}
