// The zig-zag configuration dialog: what it offers with nothing stored and
// for a pattern's own settings, and what OK stores for the next dialog and
// for the price-pattern dialog that shares the filter. Filters typed out of
// range are refused in the chart frame's keyboard test: the spin control
// clamps any value set from here.
#include "chart/QxChartConfiguration.h"
#include "configdlg/QxZiagzagConfigDlg.h"
#include "configdlg/wxPenPicker.h"
#include "core/platform/wxConfigEx.h"
#include "support/ModalScript.h"
#include "support/TestSupport.h"
#include "support/WindowShot.h"

#include <gtest/gtest.h>

#include <wx/clrpicker.h>
#include <wx/spinctrl.h>
#include <wx/uiaction.h>

#include <vector>

using TestSupport::ModalScript;

namespace {

struct ZigzagDlgTest : ::testing::Test {
    void SetUp() override { wxConfigEx::get().DeleteGroup("/preferences/pattern_configs"); }
    void TearDown() override { wxConfigEx::get().DeleteGroup("/preferences/pattern_configs"); }
};

// Types each text into the filter field in turn and presses OK; cancels
// when the dialog is still open after the last.
int typeAndPressOk(QxZiagzagConfigDlg& dlg, const std::vector<wxString>& texts)
{
    ModalScript script;
    for (const wxString& text : texts)
        script.when<QxZiagzagConfigDlg>([text](QxZiagzagConfigDlg* d) {
            d->filterField()->SetValue(text);
            ModalScript::press(d, wxID_OK);
        });
    script.when<QxZiagzagConfigDlg>([](QxZiagzagConfigDlg* d) { d->EndModal(wxID_CANCEL); });
    return dlg.ShowModal();
}

} // namespace

TEST_F(ZigzagDlgTest, UnsetSettingsOfferTheStoredOnesOrFivePercentAndABlackDashedLine)
{
    QxZiagzagConfigDlg dlg(nullptr, QxZigZagPatternConfig());
    EXPECT_EQ(dlg.GetTitle(), "Zigzag configuration");
    EXPECT_EQ(dlg.GetSize(), wxSize(315, 147));
    EXPECT_FALSE(dlg.HasFlag(wxRESIZE_BORDER));
    EXPECT_EQ(dlg.filter, 5.0);
    dlg.TransferDataToWindow();
    EXPECT_EQ(dlg.filterField()->GetValue(), 5.0);
    EXPECT_EQ(dlg.filterField()->GetMin(), 0.1);
    EXPECT_EQ(dlg.filterField()->GetMax(), 100.0);
    EXPECT_EQ(dlg.filterField()->GetDigits(), 1u);
    const wxPen offered = dlg.penPicker()->getPen();
    EXPECT_EQ(offered.GetColour(), *wxBLACK);
    EXPECT_EQ(offered.GetStyle(), wxBLACK_DASHED_PEN->GetStyle());
    EXPECT_EQ(offered.GetWidth(), 1);
    EXPECT_EQ(dlg.colourPicker()->GetColour(), *wxBLACK);

    // A pattern's own usable settings are kept; a filter out of range or a
    // bad pen gives the stored ones instead.
    QxZigZagPatternConfig own{3.5, wxPen(*wxRED, 2, wxPENSTYLE_DOT)};
    EXPECT_EQ(QxZiagzagConfigDlg(nullptr, own).filter, 3.5);
    for (double bad : {0.0, 100.0, -2.0}) {
        QxZigZagPatternConfig c{bad, wxPen(*wxRED, 2, wxPENSTYLE_DOT)};
        QxZiagzagConfigDlg d(nullptr, c);
        EXPECT_EQ(d.filter, 5.0) << bad;
        EXPECT_EQ(d.pen.GetStyle(), wxBLACK_DASHED_PEN->GetStyle()) << bad;
    }
    QxZigZagPatternConfig noPen{3.5, wxPen()};
    EXPECT_EQ(QxZiagzagConfigDlg(nullptr, noPen).filter, 5.0);
}

TEST_F(ZigzagDlgTest, OkStoresWhatItAcceptsForTheNextDialog)
{
    QxZiagzagConfigDlg dlg(nullptr, QxZigZagPatternConfig());
    TestSupport::MessageBoxes boxes;
    ModalScript script;
    script.when<QxZiagzagConfigDlg>([](QxZiagzagConfigDlg* d) {
        // The colour picker recolours the picker's pen.
        d->penPicker()->setPen(wxPen(*wxBLACK, 3, wxPENSTYLE_SOLID));
        d->colourPicker()->SetColour(*wxBLUE);
        wxColourPickerEvent changed(d->colourPicker(), d->colourPicker()->GetId(), *wxBLUE);
        d->colourPicker()->GetEventHandler()->ProcessEvent(changed);
        TestSupport::pumpEvents(50);
        EXPECT_TRUE(TestSupport::saveWindowShot(d, "zigzag_config_dialog.png"));
    });
    script.when<QxZiagzagConfigDlg>([](QxZiagzagConfigDlg* d) {
        d->filterField()->SetValue("7.5");
        ModalScript::press(d, wxID_OK);
    });
    script.when<QxZiagzagConfigDlg>([](QxZiagzagConfigDlg* d) { d->EndModal(wxID_CANCEL); });
    EXPECT_EQ(dlg.ShowModal(), wxID_OK);
    EXPECT_TRUE(boxes.texts().empty());
    EXPECT_EQ(dlg.filter, 7.5);
    EXPECT_EQ(dlg.pen.GetColour(), *wxBLUE);
    EXPECT_EQ(dlg.pen.GetWidth(), 3);
    EXPECT_EQ(dlg.pen.GetStyle(), wxPENSTYLE_SOLID);

    // Stored for the next dialog, with the store's path left where it was.
    wxConfigBase& config = wxConfigEx::get();
    config.SetPath("/somewhere/else");
    QxZiagzagConfigDlg next(nullptr, QxZigZagPatternConfig());
    EXPECT_EQ(config.GetPath(), "/somewhere/else");
    config.SetPath("/");
    EXPECT_EQ(next.filter, 7.5);
    EXPECT_EQ(next.pen.GetColour(), *wxBLUE);
    EXPECT_EQ(next.pen.GetWidth(), 3);
    // The price-pattern dialog reads the filter relative to its own path.
    {
        QxConfigPathGuard guard(config);
        config.SetPath("/preferences/pattern_configs/price_pattern/");
        double shared = 0;
        EXPECT_TRUE(config.Read("../zigzag/filter", &shared));
        EXPECT_EQ(shared, 7.5);
    }
    EXPECT_EQ(readConfigPen(config, "/preferences/pattern_configs/zigzag/line_style", wxPen()).GetColour(), *wxBLUE);
}

TEST_F(ZigzagDlgTest, TheLimitsAreAcceptedAndCancelStoresNothing)
{
    QxZiagzagConfigDlg dlg(nullptr, QxZigZagPatternConfig());
    TestSupport::MessageBoxes boxes;
    EXPECT_EQ(typeAndPressOk(dlg, {"100"}), wxID_OK);
    EXPECT_EQ(dlg.filter, 100.0);
    EXPECT_EQ(typeAndPressOk(dlg, {"0.1"}), wxID_OK);
    EXPECT_EQ(dlg.filter, 0.1);
    EXPECT_TRUE(boxes.texts().empty());

    wxConfigEx::get().DeleteGroup("/preferences/pattern_configs");
    QxZiagzagConfigDlg cancelled(nullptr, QxZigZagPatternConfig());
    EXPECT_EQ(typeAndPressOk(cancelled, {}), wxID_CANCEL);
    EXPECT_FALSE(wxConfigEx::get().HasEntry("/preferences/pattern_configs/zigzag/filter"));
    EXPECT_FALSE(wxConfigEx::get().HasGroup("/preferences/pattern_configs/zigzag/line_style"));
}

TEST_F(ZigzagDlgTest, APatternsConfigureStartsFromItsOwnSettingsAndTakesThemOnlyOnOk)
{
    QxObjectSmartPtr<QxZigZagPattern> pattern(new QxZigZagPattern({3.5, wxPen(*wxRED, 2, wxPENSTYLE_DOT)}));
    wxString shown;
    ModalScript script;
    script.when<QxZiagzagConfigDlg>([&](QxZiagzagConfigDlg* d) {
        shown = d->filterField()->GetTextValue();
        d->filterField()->SetValue("6");
        ModalScript::press(d, wxID_CANCEL);
    });
    EXPECT_FALSE(pattern->configure());
    EXPECT_EQ(shown, "3.5");
    EXPECT_EQ(pattern->filter, 3.5);

    script.when<QxZiagzagConfigDlg>([&](QxZiagzagConfigDlg* d) {
        EXPECT_EQ(d->penPicker()->getPen().GetStyle(), wxPENSTYLE_DOT);
        d->filterField()->SetValue("6");
        ModalScript::press(d, wxID_OK);
    });
    EXPECT_TRUE(pattern->configure());
    EXPECT_EQ(pattern->filter, 6.0);
    EXPECT_EQ(pattern->pen.GetColour(), *wxRED);
    EXPECT_EQ(pattern->pen.GetWidth(), 2);
    EXPECT_EQ(pattern->getDisplayText(), "ZigZag (filter:6.00%)");
}

// OK clicked with the mouse takes the focus from the filter field first,
// and GTK then puts a typed 150 back to 100.0 and a typed 0 up to 0.1: what
// was typed is what is checked, and refused. Typed and clicked as a user
// does, and once more through the scripts' own press of OK.
TEST_F(ZigzagDlgTest, WhatWasTypedIsCheckedWhenOkTakesTheFocus)
{
    QxZiagzagConfigDlg dlg(nullptr, QxZigZagPatternConfig());
    TestSupport::MessageBoxes boxes;
    ModalScript script;
    std::vector<wxString> shown;
    auto type = [](QxZiagzagConfigDlg* d, const char* text) {
        wxUIActionSimulator user;
        const wxRect field = d->filterField()->GetScreenRect();
        user.MouseMove(field.GetLeft() + 5, field.GetTop() + field.GetHeight() / 2);
        user.MouseClick();
        TestSupport::pumpEvents(100);
        d->filterField()->SetFocus();
        d->filterField()->SetSelection(-1, -1);
        TestSupport::pumpEvents(50);
        user.Text(text);
        TestSupport::pumpEvents(200);
    };
    auto clickOk = [](QxZiagzagConfigDlg* d) {
        wxUIActionSimulator user;
        const wxPoint ok = d->FindWindow(wxID_OK)->GetScreenRect().GetPosition() + wxPoint(8, 8);
        user.MouseMove(ok);
        user.MouseClick();
        TestSupport::pumpEvents(200);
    };
    script.when<QxZiagzagConfigDlg>([&](QxZiagzagConfigDlg* d) {
        type(d, "150");
        clickOk(d);
    });
    script.when<QxZiagzagConfigDlg>([&](QxZiagzagConfigDlg* d) {
        shown.push_back(d->filterField()->GetTextValue());
        type(d, "0");
        ModalScript::press(d, wxID_OK);
    });
    script.when<QxZiagzagConfigDlg>([&](QxZiagzagConfigDlg* d) {
        shown.push_back(d->filterField()->GetTextValue());
        type(d, "7.5");
        clickOk(d);
    });
    script.when<QxZiagzagConfigDlg>([](QxZiagzagConfigDlg* d) { d->EndModal(wxID_CANCEL); });
    EXPECT_EQ(dlg.ShowModal(), wxID_OK);
    EXPECT_EQ(script.pending(), 1u);
    // The control did put what was typed within its range.
    EXPECT_EQ(shown, (std::vector<wxString>{"100.0", "0.1"}));
    EXPECT_EQ(boxes.texts(), std::vector<wxString>(2, "Please provide valid value for noise filter."));
    EXPECT_EQ(dlg.filter, 7.5);
}
