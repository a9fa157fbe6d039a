// The signal-marker configuration dialog through the marker's configure, as
// a user goes through it: a new marker's defaults, the two refusals of OK,
// choosing systems in the trading-system manager, colours set through the
// pickers, Cancel, and which changes keep the marks already worked out.
#include "SignalMarkerFakes.h"
#include "SignalMarkerScript.h"
#include "TradingFakes.h"

#include "core/QxUtils.h"
#include "core/platform/QxHelpBook.h"
#include "trading/QxSignalMarker.h"
#include "trading/QxTradingSystemMgr.h"

#include "support/TestSupport.h"
#include "support/WindowShot.h"

#include <gtest/gtest.h>

#include <wx/timer.h>

using namespace tradingtest;
using TestSupport::ModalScript;

void PrintTo(const wxColour& colour, std::ostream* os);

namespace {

using Dlg = QxSignalMarkerConfigDlg;

class SignalMarkerDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetStore(TestSupport::binDir());
        QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
        for (auto [name, type] : {std::pair{"Scripted Both", Qx::eLongAndShort}, std::pair{"Scripted Shorts", Qx::eShortOnly},
                                  std::pair{"Scripted Longs", Qx::eLongOnly}}) {
            QxObjectSmartPtr<QxTradingSystem> system = scriptedSystem(type, {{2, 12}, {6}, {3}, {9}}, &evaluations);
            ASSERT_EQ(system->setName(QxAtom(name)), 0);
            ASSERT_EQ(store->addSystem(system), 0);
        }
        marker.reset(new QxSignalMarker(market.calc()));
    }
    void TearDown() override { QxTradingSystemMgr::destroy(); }

    static QxTradingSystem* stored(const char* name)
    {
        return QxTradingSystemMgr::getInstance(true)->getSystem(QxAtom(name)).get();
    }

    FakeMarket market{std::vector<double>(20, 10.0)};
    int evaluations = 0;
    QxObjectSmartPtr<QxSignalMarker> marker;
};

} // namespace

// A new marker: nothing to tick, the default colours. OK without a system,
// then OK without a side, each says why and puts the focus where the user
// has to act; Cancel leaves the marker as it was.
TEST_F(SignalMarkerDialog, ANewMarkerIsRefusedUntilASystemAndASideAreChosenAndCancelKeepsItEmpty)
{
    TestSupport::MessageBoxes boxes;
    bool sawDefaults = false;
    // Labels of the window that had the focus after each refusal.
    wxString focusAfterFirst = "none", focusAfterSecond = "none";
    auto focused = [] {
        wxWindow* focus = wxWindow::FindFocus();
        return focus ? focus->GetLabel() : wxString("none");
    };
    ModalScript script;
    script
        .when<Dlg>([&](Dlg* d) {
            EXPECT_FALSE(d->longPositionsBox()->IsEnabled());
            EXPECT_FALSE(d->shortPositionsBox()->IsEnabled());
            EXPECT_FALSE(d->longPositionsBox()->IsChecked());
            EXPECT_FALSE(d->shortPositionsBox()->IsChecked());
            EXPECT_EQ(d->systemNameField()->GetValue(), "");
            EXPECT_EQ(d->GetTitle(), "Signal Marker Configuration");
            for (unsigned kind : {1u, 2u, 4u, 8u})
                EXPECT_EQ(d->colourPicker(kind)->GetColour(), QxSignalMarker::defaultColour(kind)) << kind;
            sawDefaults = true;
            TestSupport::saveWindowShot(d, "signal_marker_dialog_new.png");
            ModalScript::press(d, wxID_OK);
            focusAfterFirst = focused();
            EXPECT_TRUE(d->IsModal());
            openManagerLater(d);
        })
        .when<DlgSystemManager>([](DlgSystemManager* m) { chooseInManager(m, "SMA 50-200 Cross"); })
        .when<Dlg>([&](Dlg* d) {
            EXPECT_EQ(d->systemNameField()->GetValue(), "SMA 50-200 Cross");
            EXPECT_TRUE(d->longPositionsBox()->IsEnabled());
            EXPECT_TRUE(d->shortPositionsBox()->IsEnabled());
            ModalScript::press(d, wxID_OK);
            focusAfterSecond = focused();
            EXPECT_TRUE(d->IsModal());
            TestSupport::saveWindowShot(d, "signal_marker_dialog_system.png");
            d->EndModal(wxID_CANCEL);
        });
    EXPECT_FALSE(marker->configure());
    EXPECT_EQ(script.pending(), 0u);
    EXPECT_TRUE(sawDefaults);
    ASSERT_EQ(boxes.texts().size(), 2u);
    EXPECT_EQ(boxes.texts()[0], "Please specify what trading system you want to use to generate signals.");
    EXPECT_EQ(boxes.texts()[1], "Please specify what kind of trading positions you want to mark for on chart.");
    EXPECT_EQ(focusAfterFirst, "Select &System...");
    EXPECT_EQ(focusAfterSecond, "&Long Positions");

    EXPECT_FALSE(marker->system);
    EXPECT_EQ(marker->positions, 0u);
    EXPECT_TRUE(marker->colours.empty());
}

// A complete configuration opens with its own colours; choosing a
// short-only system unticks and disables the long side however it was
// ticked, and OK takes the short side and the pickers' colours. Help opens
// the marker's page of the manual.
TEST_F(SignalMarkerDialog, AShortOnlySystemTakesTheLongSideAwayAndOkTakesThePickersColours)
{
    marker->system = stored("Scripted Both");
    marker->positions = 3;
    const wxColour own[] = {wxColour(1, 2, 3), wxColour(4, 5, 6), wxColour(7, 8, 9), wxColour(10, 11, 12)};
    for (unsigned i = 0; i < 4; ++i)
        marker->colours[1u << i] = own[i];
    const wxColour chosen(200, 100, 50);
    QxUtils::setHelpFolder(wxString::FromUTF8(TestSupport::binDir() + "/help"));
    wxString helpPage;

    ModalScript script;
    script
        .when<Dlg>([&](Dlg* d) {
            for (unsigned i = 0; i < 4; ++i)
                EXPECT_EQ(d->colourPicker(1u << i)->GetColour(), own[i]) << i;
            EXPECT_TRUE(d->longPositionsBox()->IsChecked());
            EXPECT_FALSE(d->shortPositionsBox()->IsChecked());
            // Help opens its viewer beside the dialog and returns at once.
            ModalScript::press(d, wxID_HELP);
            TestSupport::pumpUntil([] { return !QxUtils::manualBook().openedPage().empty(); }, 10000);
            helpPage = QxUtils::manualBook().openedPage();
            QxUtils::closeHelp();
            openManagerLater(d);
        })
        .when<DlgSystemManager>([](DlgSystemManager* m) { chooseInManager(m, "Scripted Shorts"); })
        .when<Dlg>([&](Dlg* d) {
            EXPECT_EQ(d->systemNameField()->GetValue(), "Scripted Shorts");
            EXPECT_FALSE(d->longPositionsBox()->IsEnabled());
            EXPECT_FALSE(d->longPositionsBox()->IsChecked());
            EXPECT_TRUE(d->shortPositionsBox()->IsEnabled());
            d->shortPositionsBox()->SetValue(true);
            d->colourPicker(Qx::eShortExit)->SetColour(chosen);
            ModalScript::press(d, wxID_OK);
        });
    EXPECT_TRUE(marker->configure());
    EXPECT_EQ(script.pending(), 0u);
    EXPECT_EQ(marker->system.get(), stored("Scripted Shorts"));
    EXPECT_EQ(marker->positions, 12u);
    EXPECT_EQ(marker->colours[Qx::eShortExit], chosen);
    EXPECT_EQ(marker->colours[Qx::eLongEntry], own[0]);
    EXPECT_EQ(marker->getDisplayText(), "Buy/Sell signal from Scripted Shorts");
    EXPECT_TRUE(helpPage.EndsWith("topics/signal_marker.htm")) << helpPage;
    QxUtils::setHelpFolder(wxString());
}

// Marks stay while only a colour changes and are worked out again for a
// new system; a cancelled change of system changes nothing.
TEST_F(SignalMarkerDialog, OnlyANewSystemOrSideMakesTheMarksBeWorkedOutAgain)
{
    marker->system = stored("Scripted Longs");
    marker->positions = 3;
    EXPECT_EQ(marker->computeSignals().at(Qx::eLongEntry), (std::vector<unsigned>{2, 12}));
    const int scanned = evaluations;
    ASSERT_GT(scanned, 0);

    {
        ModalScript script;
        script.when<Dlg>([](Dlg* d) {
            d->colourPicker(Qx::eLongEntry)->SetColour(wxColour(0, 0, 128));
            ModalScript::press(d, wxID_OK);
        });
        EXPECT_TRUE(marker->configure());
    }
    EXPECT_EQ(marker->colours[Qx::eLongEntry], wxColour(0, 0, 128));
    marker->computeSignals();
    EXPECT_EQ(evaluations, scanned) << "a new colour draws the same marks";

    {
        ModalScript script;
        script.when<Dlg>([](Dlg* d) { openManagerLater(d); })
            .when<DlgSystemManager>([](DlgSystemManager* m) { chooseInManager(m, "Scripted Both"); })
            .when<Dlg>([](Dlg* d) {
                EXPECT_TRUE(d->longPositionsBox()->IsChecked()) << "the long side stays ticked";
                d->EndModal(wxID_CANCEL);
            });
        EXPECT_FALSE(marker->configure());
    }
    EXPECT_EQ(marker->system.get(), stored("Scripted Longs"));
    marker->computeSignals();
    EXPECT_EQ(evaluations, scanned);

    {
        ModalScript script;
        script.when<Dlg>([](Dlg* d) { openManagerLater(d); })
            .when<DlgSystemManager>([](DlgSystemManager* m) { chooseInManager(m, "Scripted Both"); })
            .when<Dlg>([](Dlg* d) { ModalScript::press(d, wxID_OK); });
        EXPECT_TRUE(marker->configure());
    }
    EXPECT_EQ(marker->system.get(), stored("Scripted Both"));
    marker->computeSignals();
    EXPECT_GT(evaluations, scanned) << "a new system is scanned";
}
