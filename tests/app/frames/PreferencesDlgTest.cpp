// The preferences dialog run as the user runs it: opened from the menu,
// refusing a zone height of 0 with its message, storing valid values on OK
// and nothing on Cancel.
#include "chart/QxChart.h"
#include "app/QxChartPrefPanel.h"
#include "app/QxCommonFrame.h"
#include "app/QxGlobalVars.h"
#include "app/QxPreferencesDlg.h"

#include "support/FramesTestSupport.h"

#include <gtest/gtest.h>

#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/spinctrl.h>

using framestest::DialogCatcher;

namespace {

struct PreferencesTest : ::testing::Test {
    void SetUp() override
    {
        saved = QxGlobalVars::get();
        QxGlobalVars& vars = QxGlobalVars::get();
        vars.priceObjType = 3;
        vars.mainZoneHeight = 400;
        vars.volmZoneHeight = 100;
        vars.indcZoneHeight = 100;
        vars.defaultTemplateFileName.clear();
        frame = new QxCommonFrame(nullptr, wxID_ANY, "prefs");
    }
    void TearDown() override
    {
        frame->Destroy();
        framestest::pump(50);
        QxGlobalVars::get() = saved;
    }

    // Opens the dialog from the menu, shown for real; steps run inside its
    // modal loop. Message boxes are answered with OK and recorded.
    void runDialog(const std::function<void(QxPreferencesDlg*)>& steps)
    {
        DialogCatcher catcher([&](wxDialog* dialog) {
            auto* prefs = dynamic_cast<QxPreferencesDlg*>(dialog);
            if (!prefs) {
                if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog))
                    messages.push_back(box->GetMessage());
                return static_cast<int>(wxID_OK);
            }
            wxTheApp->CallAfter([prefs, steps] { steps(prefs); });
            return static_cast<int>(wxID_NONE); // shown modally
        });
        wxCommandEvent open(wxEVT_MENU, 5022);
        frame->ProcessWindowEvent(open);
    }

    static void click(wxDialog* dialog, int id)
    {
        wxWindow* button = dialog->FindWindow(id);
        ASSERT_NE(button, nullptr);
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(button);
        button->ProcessWindowEvent(event);
    }

    QxGlobalVars saved;
    QxCommonFrame* frame = nullptr;
    std::vector<wxString> messages;
};

} // namespace

TEST_F(PreferencesTest, RefusesAZeroHeightThenStoresValidValues)
{
    bool stayedOpen = false, focusOnSpin = false, pageShown = false;
    wxString pageTitle;
    runDialog([&](QxPreferencesDlg* dialog) {
        QxChartPrefPanel* page = dialog->chartPage();
        // Loaded from the settings.
        const QxChartPrefValues loaded = page->values();
        EXPECT_TRUE(loaded.candle);
        EXPECT_EQ(loaded.mainZoneHeight, 400);
        auto* book = dynamic_cast<wxNotebook*>(page->GetParent());
        if (book) {
            pageTitle = book->GetPageText(0);
            book->SetSelection(0);
        }
        framestest::saveWindowShot(dialog, "preferences_dialog.png");

        QxChartPrefValues edited = loaded;
        edited.candle = false;
        edited.line = true;
        edited.mainZoneHeight = 0;
        edited.volmZoneHeight = 120;
        edited.indcZoneHeight = 150;
        page->setValues(edited);
        click(dialog, wxID_OK);
        stayedOpen = dialog->IsModal();
        focusOnSpin = wxWindow::FindFocus() == page->controlFor(QxChartPrefField::eMainZoneHeight) ||
                      (wxWindow::FindFocus() &&
                       wxWindow::FindFocus()->GetParent() == page->controlFor(QxChartPrefField::eMainZoneHeight));
        pageShown = book && book->GetSelection() == 0;
        EXPECT_EQ(QxGlobalVars::get().mainZoneHeight, 400) << "nothing stored before every check passes";
        EXPECT_EQ(QxGlobalVars::get().priceObjType, 3);

        edited.mainZoneHeight = 1;
        page->setValues(edited);
        click(dialog, wxID_OK);
    });
    EXPECT_EQ(pageTitle, "Chart");
    EXPECT_TRUE(stayedOpen) << "a refused value keeps the dialog open";
    EXPECT_TRUE(focusOnSpin) << "the focus goes to the offending control";
    EXPECT_TRUE(pageShown);
    EXPECT_EQ(messages, (std::vector<wxString>{"Incorrect main zone height."}));

    const QxGlobalVars& vars = QxGlobalVars::get();
    EXPECT_EQ(vars.priceObjType, 1);
    EXPECT_EQ(vars.mainZoneHeight, 1);
    EXPECT_EQ(vars.volmZoneHeight, 120);
    EXPECT_EQ(vars.indcZoneHeight, 150);
}

TEST_F(PreferencesTest, MissingTemplateIsRefusedAndCancelChangesNothing)
{
    runDialog([&](QxPreferencesDlg* dialog) {
        QxChartPrefPanel* page = dialog->chartPage();
        QxChartPrefValues edited = page->values();
        edited.bar = true;
        edited.candle = false;
        edited.volmZoneHeight = 7;
        edited.templateFile = "/nowhere/default.trdt";
        page->setValues(edited);
        click(dialog, wxID_OK);
        EXPECT_TRUE(dialog->IsModal());
        click(dialog, wxID_CANCEL);
    });
    EXPECT_EQ(messages, (std::vector<wxString>{"File '/nowhere/default.trdt' is not valid."}));
    const QxGlobalVars& vars = QxGlobalVars::get();
    EXPECT_EQ(vars.priceObjType, 3);
    EXPECT_EQ(vars.volmZoneHeight, 100);
    EXPECT_TRUE(vars.defaultTemplateFileName.empty());
}

TEST_F(PreferencesTest, SpinControlsAcceptEveryDrawableHeight)
{
    QxPreferencesDlg dialog(frame);
    EXPECT_EQ(dialog.GetTitle(), "Trendoria Preferences");
    EXPECT_TRUE(dialog.HasFlag(wxRESIZE_BORDER));
    auto* spin = dynamic_cast<wxSpinCtrl*>(dialog.chartPage()->controlFor(QxChartPrefField::eIndcZoneHeight));
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->GetMin(), 0);
    // Taller zones would make charts no bitmap can hold.
    EXPECT_EQ(spin->GetMax(), QxChart::kMaxZoneHeight);
}
