// The tester dialog as a user meets it, modal: the checks of OK in their
// order with their messages, the search for a system with a long side, the
// security from the selection dialog, and the stops it remembers.
#include "SystemTesterTestSupport.h"

#include "core/platform/wxConfigEx.h"
#include "trading/QxPeriodicityChoice.h"
#include "trading/QxSimpleSystemTesterDlg.h"

#include <gtest/gtest.h>

using namespace systemtestertest;
using TestSupport::ModalScript;

TEST(SystemTesterDlg, StopsAreFiniteNumbersAboveZero)
{
    struct Case {
        const char* text;
        bool ok;
        double value;
    } cases[] = {{"7", true, 7},     {" 12.5 ", true, 12.5}, {"150", true, 150}, {"0", false, 0},
                 {"-1", false, 0},   {"abc", false, 0},      {"", false, 0},     {"7abc", false, 0},
                 {"inf", false, 0},  {"nan", false, 0},      {"1e-3", true, 0.001}};
    for (const Case& c : cases) {
        double value = -99;
        EXPECT_EQ(parseStopPercent(c.text, value), c.ok) << c.text;
        EXPECT_DOUBLE_EQ(value, c.ok ? c.value : -99) << c.text;
    }
}

TEST_F(SystemTesterTest, OkChecksInOrderAndTheStopsAreKept)
{
    TestSupport::MessageBoxes boxes;
    auto lastMessage = [&boxes] { return boxes.texts().empty() ? wxString() : boxes.texts().back(); };
    QxSimpleSystemTesterDlg dlg(nullptr);
    int okPresses = 0;
    auto pressOk = [&](QxSimpleSystemTesterDlg* d) {
        ModalScript::press(d, wxID_OK);
        ++okPresses;
        return d->IsModal();
    };
    const wxDateTime today = wxDateTime::Today();
    ModalScript script;
    script
        .when<QxSimpleSystemTesterDlg>([&](QxSimpleSystemTesterDlg* d) {
            EXPECT_EQ(d->GetTitle(), "Simple System Tester");
            EXPECT_EQ(d->stopLossField()->GetValue(), "7.00");
            EXPECT_EQ(d->stopErosionField()->GetValue(), "20.00");
            EXPECT_EQ(d->startPicker()->GetValue(), today - wxDateSpan::Years(10));
            EXPECT_EQ(d->endPicker()->GetValue(), today);
            EXPECT_EQ(d->periodChoice()->GetStringSelection(), "Daily");
            EXPECT_EQ(d->GetDefaultItem(), d->FindWindow(wxID_OK));
            EXPECT_TRUE(TestSupport::saveWindowShot(d, "system_tester_dialog.png"));
            EXPECT_TRUE(pressOk(d));
            EXPECT_EQ(lastMessage(), "Please select a system.");
            d->CallAfter([d] { ModalScript::press(d, d->selectSystemButton()->GetId()); });
        })
        .when<DlgSystemManager>([&](DlgSystemManager* m) { chooseSystem(m, "Shorts Only"); })
        .when<DlgSystemManager>([&](DlgSystemManager* m) {
            // Asked again after the message; the user gives up.
            EXPECT_EQ(lastMessage(), "Selected Trading System does not support Long position.");
            ModalScript::press(m, wxID_CANCEL);
        })
        .when<QxSimpleSystemTesterDlg>([&](QxSimpleSystemTesterDlg* d) {
            EXPECT_FALSE(d->system) << "a short-only system is never kept";
            EXPECT_EQ(d->systemField()->GetValue(), "");
            EXPECT_TRUE(pressOk(d));
            EXPECT_EQ(lastMessage(), "Please select a system.");
            d->CallAfter([d] { ModalScript::press(d, d->selectSystemButton()->GetId()); });
        })
        .when<DlgSystemManager>([&](DlgSystemManager* m) { chooseSystem(m, "Close Over SMA 20"); })
        .when<QxSimpleSystemTesterDlg>([&](QxSimpleSystemTesterDlg* d) {
            EXPECT_EQ(d->systemField()->GetValue(), "Close Over SMA 20");
            EXPECT_TRUE(pressOk(d));
            EXPECT_EQ(lastMessage(), "Please select a symbol.");
            d->CallAfter([d] { ModalScript::press(d, d->selectSymbolButton()->GetId()); });
        })
        .when<QxSymbolSelectionDlg>([&](QxSymbolSelectionDlg* s) { chooseSecurity(s, "NVDA"); })
        .when<QxSimpleSystemTesterDlg>([&](QxSimpleSystemTesterDlg* d) {
            EXPECT_EQ(d->securityField()->GetValue(), "NVIDIA Corporation");
            struct Case {
                const char* loss;
                const char* erosion;
                const char* message;
                wxWindow* focus;
            } cases[] = {
                {"0", "20", "Invalid 'stop loss' value.", d->stopLossField()},
                {"-1", "20", "Invalid 'stop loss' value.", d->stopLossField()},
                {"abc", "20", "Invalid 'stop loss' value.", d->stopLossField()},
                {"150", "0", "Invalid 'stop profit erosion' value.", d->stopErosionField()},
                {"150", "abc", "Invalid 'stop profit erosion' value.", d->stopErosionField()},
            };
            for (const Case& c : cases) {
                d->stopLossField()->ChangeValue(c.loss);
                d->stopErosionField()->ChangeValue(c.erosion);
                EXPECT_TRUE(pressOk(d)) << c.loss << " " << c.erosion;
                EXPECT_EQ(lastMessage(), c.message);
                EXPECT_EQ(wxWindow::FindFocus(), c.focus) << c.message;
            }
            d->stopErosionField()->ChangeValue("12.5");
            d->startPicker()->SetValue(wxDateTime(2, wxDateTime::Mar, 2010));
            d->endPicker()->SetValue(wxDateTime(1, wxDateTime::Mar, 2010));
            EXPECT_TRUE(pressOk(d));
            EXPECT_EQ(lastMessage(), "'Start Date' should always be less than 'End Date'.");
            EXPECT_EQ(wxWindow::FindFocus(), d->startPicker());
            d->periodChoice()->SetSelection(1);
            d->endPicker()->SetValue(wxDateTime(2, wxDateTime::Mar, 2010));
            EXPECT_FALSE(pressOk(d)) << "equal dates are accepted";
        });
    EXPECT_EQ(dlg.ShowModal(), wxID_OK);
    EXPECT_EQ(script.pending(), 0u);
    // One message per refused OK, and the long-side message.
    EXPECT_EQ(boxes.texts().size(), static_cast<size_t>(okPresses));
    ASSERT_TRUE(dlg.system);
    EXPECT_EQ(dlg.system->getName(), QxAtom("Close Over SMA 20"));
    ASSERT_TRUE(dlg.security);
    EXPECT_STREQ(dlg.security->ticker(), "NVDA");
    EXPECT_DOUBLE_EQ(dlg.stopLoss, 1.5);
    EXPECT_DOUBLE_EQ(dlg.stopErosion, 0.125);
    EXPECT_EQ(dlg.startDate, makeTimestamp(2, 3, 2010));
    EXPECT_EQ(dlg.endDate, dlg.startDate);
    EXPECT_EQ(dlg.period, Qx::eWeekly);

    // The stops entered, in percent, are the next dialog's.
    EXPECT_DOUBLE_EQ(wxConfigEx::get().ReadDouble("dlg/simple-system-tester/stop-loss", 0), 150);
    EXPECT_DOUBLE_EQ(wxConfigEx::get().ReadDouble("dlg/simple-system-tester/stop-erosion", 0), 12.5);
    QxSimpleSystemTesterDlg next(nullptr);
    EXPECT_EQ(next.stopLossField()->GetValue(), "150.00");
    EXPECT_EQ(next.stopErosionField()->GetValue(), "12.50");
}
