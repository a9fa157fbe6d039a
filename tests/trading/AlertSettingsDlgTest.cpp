// The alert-setting dialog: the security link, the two options, and the
// checks of OK with the setting they make.
#include "AlertTestSupport.h"

#include "core/QxErrorCode.h"
#include "trading/QxAlertSettingsDlg.h"
#include "trading/QxSignal.h"

#include <gtest/gtest.h>

#include <wx/msgdlg.h>

using namespace tradingtest;
using namespace alerttest;

namespace {

class AlertSettingsDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetStore(TestSupport::makeTempDir("noprogram"));
        QxObjectSmartPtr<QxTradingSystem> system(new QxTradingSystem);
        system->setType(Qx::eLongOnly);
        ASSERT_EQ(system->setName(QxAtom("Entry")), eNoError);
        ASSERT_EQ(QxTradingSystemMgr::getInstance(true)->addSystem(system), eNoError);
        security = market->add("IBM", {1, 2, 3});
    }
    void TearDown() override { QxTradingSystemMgr::destroy(); }

    // OK pressed: the messages it gave.
    std::vector<wxString> pressOk(QxAlertSettingsDlg& dlg, bool expectAccepted)
    {
        std::vector<wxString> messages;
        framestest::DialogCatcher catcher([&messages](wxDialog* d) {
            if (auto* box = dynamic_cast<wxMessageDialogBase*>(d))
                messages.push_back(box->GetMessage());
            return static_cast<int>(wxID_OK);
        });
        EXPECT_EQ(dlg.accept(), expectAccepted);
        return messages;
    }

    framestest::ScopedApplication scoped;
    QxObjectSmartPtr<AlertMarket> market{new AlertMarket};
    TickerSecurity* security = nullptr;
};

} // namespace

TEST_F(AlertSettingsDlgTest, PriceAlertsNeedASymbolAndAPositivePrice)
{
    QxAlertSettingsDlg none(nullptr, nullptr);
    EXPECT_EQ(none.GetTitle(), "Alert Setting");
    EXPECT_EQ(none.securityLink()->GetLabel(), "Choose Symbol.");
    EXPECT_EQ(pressOk(none, false), std::vector<wxString>{
                                        "You have not provided the symbol of security for which you want to set the alert."});

    QxAlertSettingsDlg dlg(nullptr, security);
    EXPECT_EQ(dlg.securityLink()->GetLabel(), "IBM");
    EXPECT_TRUE(dlg.priceOption()->GetValue());
    EXPECT_TRUE(dlg.priceText()->IsEnabled());
    EXPECT_FALSE(dlg.systemChoice()->IsEnabled());
    // "inf" would fire "Below inf" at every bar; "nan" never; hexadecimal
    // is no price anybody writes.
    for (const char* bad : {"0", "0.0", "-3", "abc", "", "inf", "-inf", "infinity", "nan", "0x30", "1e400"}) {
        dlg.priceText()->ChangeValue(bad);
        EXPECT_EQ(pressOk(dlg, false), std::vector<wxString>{"Invalid price value."}) << bad;
        EXPECT_EQ(dlg.getSetting(), nullptr);
    }
    const struct {
        int direction;
        unsigned type;
    } cases[] = {{0, 9}, {1, 10}};
    for (const auto& c : cases) {
        dlg.priceText()->ChangeValue("12.5");
        dlg.direction()->SetSelection(c.direction);
        EXPECT_TRUE(pressOk(dlg, true).empty());
        ASSERT_NE(dlg.getSetting(), nullptr);
        EXPECT_EQ(dlg.getSetting()->type(), c.type);
        EXPECT_DOUBLE_EQ(dlg.getSetting()->priceOfInterest(), 12.5);
        EXPECT_EQ(dlg.getSecurity(), security);
    }
}

TEST_F(AlertSettingsDlgTest, SystemAlertsNeedASystemThatStillExists)
{
    QxAlertSettingsDlg dlg(nullptr, security);
    dlg.systemOption()->SetValue(true);
    dlg.updateControls(); // as the radio button's event does
    EXPECT_FALSE(dlg.priceText()->IsEnabled());
    EXPECT_TRUE(dlg.systemChoice()->IsEnabled());
    EXPECT_TRUE(dlg.signalChoice()->IsEnabled());
    ASSERT_EQ(dlg.systemChoice()->GetCount(), 1u);
    EXPECT_EQ(pressOk(dlg, false), std::vector<wxString>{"Please select a trading system."});

    dlg.systemChoice()->SetSelection(0);
    dlg.signalChoice()->SetSelection(3);
    EXPECT_TRUE(pressOk(dlg, true).empty());
    ASSERT_NE(dlg.getSetting(), nullptr);
    EXPECT_EQ(dlg.getSetting()->type(), 8u);
    EXPECT_EQ(dlg.getSetting()->describe(false), "When trading system 'Entry' generates 'short Exit' signal");

    // Deleted from the store while the dialog was open.
    QxAlertSettingsDlg late(nullptr, security);
    late.systemOption()->SetValue(true);
    late.systemChoice()->SetSelection(0);
    ASSERT_EQ(QxTradingSystemMgr::getInstance(true)->removeSystem(QxAtom("Entry")), eNoError);
    const std::vector<wxString> messages = pressOk(late, false);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Contains("\"Entry\" is no longer available"));
    EXPECT_EQ(late.getSetting(), nullptr);
}
