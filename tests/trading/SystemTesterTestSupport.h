#pragma once
// The system tester's dialog and road tests: a database holding one security
// with a fixture's daily history, the shipped trading systems plus
// a short-only one, and answers for the manager and selection dialogs.
#include "AlertTestSupport.h"

#include "app/QxIndicatorRegistry.h"
#include "core/QxErrorCode.h"
#include "core/platform/wxConfigEx.h"
#include "securities/QxSecurityListCtrl.h"
#include "securities/QxSymbolSelectionDlg.h"
#include "trading/DlgSystemManager.h"

#include "support/ModalScript.h"

#include <wx/listctrl.h>

namespace systemtestertest {

class SystemTesterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QxIndicatorRegistry::instance()->addBuiltInIndicators(); // the shipped systems' indicators
        wxConfigEx::get().DeleteGroup("dlg/simple-system-tester");
        tradingtest::resetStore(TestSupport::binDir());
        QxObjectSmartPtr<QxTradingSystem> shorts(new QxTradingSystem);
        shorts->setType(Qx::eShortOnly);
        ASSERT_EQ(shorts->setName(QxAtom("Shorts Only")), eNoError);
        ASSERT_EQ(QxTradingSystemMgr::getInstance(true)->addSystem(shorts), eNoError);

        market->lastSecurityId = 499;
        nvda = market->addSecurity(TestSupport::fixtureHistory("nvda-1999-2014.csv").get(), "NVDA",
                                   "NVIDIA Corporation");
        ASSERT_GT(nvda->stored->numBars(), 3000u);
        scoped.app().changeDatabase(QxObjectSmartPtr<QxDatabase>(market.get()));
        QxSymbolSelectionDlg::destroy(); // built over this database when asked
    }
    void TearDown() override
    {
        QxSymbolSelectionDlg::destroy();
        QxTradingSystemMgr::destroy();
    }

    // In the manager's selection mode: the row of name, then OK.
    static void chooseSystem(DlgSystemManager* manager, const wxString& name)
    {
        wxListView* list = nullptr;
        for (wxWindow* w : manager->GetChildren())
            if (auto* l = dynamic_cast<wxListView*>(w))
                list = l;
        ASSERT_NE(list, nullptr);
        const long row = list->FindItem(-1, name);
        ASSERT_NE(row, -1) << name;
        list->Select(row);
        TestSupport::ModalScript::press(manager, wxID_OK);
    }

    // In the selection dialog: the security of ticker in the first category.
    void chooseSecurity(QxSymbolSelectionDlg* dialog, const char* ticker)
    {
        ASSERT_TRUE(dialog->selectCategory(market->getCategory(1)));
        QxSecurityListCtrl* list = dialog->securityList();
        for (long row = 0; row < list->GetItemCount(); ++row)
            list->Select(row, std::strcmp(list->securityAt(row)->ticker(), ticker) == 0);
        EXPECT_TRUE(dialog->confirmSelection());
    }

    framestest::ScopedApplication scoped;
    QxObjectSmartPtr<alerttest::AlertMarket> market{new alerttest::AlertMarket};
    alerttest::TickerSecurity* nvda = nullptr;
};

} // namespace systemtestertest
