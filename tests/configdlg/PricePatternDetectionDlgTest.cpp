// The price-pattern detection dialog: a detector's own usable settings are
// shown instead of the stored ones, a colour picker recolours only its own
// pen, and Cancel stores nothing. The defaults with nothing stored and the
// shared filter are shown in the chart frame's command test.
#include "configdlg/QxPricePatternDetectionDlg.h"
#include "configdlg/wxPenPicker.h"
#include "core/platform/wxConfigEx.h"
#include "support/ModalScript.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/clrpicker.h>

using TestSupport::ModalScript;

namespace {

struct PricePatternDlgTest : ::testing::Test {
    void SetUp() override { wxConfigEx::get().DeleteGroup("/preferences/pattern_configs"); }
    void TearDown() override { wxConfigEx::get().DeleteGroup("/preferences/pattern_configs"); }
};

} // namespace

TEST_F(PricePatternDlgTest, OwnSettingsAreShownAndUnusableOnesGiveTheStoredOnes)
{
    const QxPricePatternConfig own{3, wxPen(*wxBLUE, 3, wxPENSTYLE_DOT), wxPen(*wxCYAN, 1)};
    QxPricePatternDetectionDlg dlg(nullptr, own);
    EXPECT_EQ(dlg.GetTitle(), "Price pattern detection configuration");
    EXPECT_GE(dlg.GetSize().x, 415);
    EXPECT_GE(dlg.GetSize().y, 203);
    EXPECT_GE(dlg.GetSize().y, dlg.GetSizer()->ComputeFittingWindowSize(&dlg).y) << "grown to fit";
    dlg.TransferDataToWindow();
    EXPECT_EQ(dlg.filterField()->GetValue(), 3.0);
    EXPECT_EQ(dlg.topPenPicker()->getPen().GetStyle(), wxPENSTYLE_DOT);
    EXPECT_EQ(dlg.bottomColourPicker()->GetColour(), *wxCYAN);

    for (QxPricePatternConfig bad : {QxPricePatternConfig{100, own.topPen, own.bottomPen},
                                     QxPricePatternConfig{0, own.topPen, own.bottomPen},
                                     QxPricePatternConfig{3, own.topPen, wxPen()}}) {
        QxPricePatternDetectionDlg d(nullptr, bad);
        EXPECT_EQ(d.filter, 2.5);
        EXPECT_EQ(d.topPen.GetColour(), wxColour(117, 0, 0));
        EXPECT_EQ(d.bottomPen.GetColour(), wxColour(0, 127, 0));
    }
}

TEST_F(PricePatternDlgTest, AColourPickerRecoloursOnlyItsPenAndCancelStoresNothing)
{
    QxPricePatternDetectionDlg dlg(nullptr, QxPricePatternConfig());
    wxPen top, bottom;
    ModalScript script;
    script.when<QxPricePatternDetectionDlg>([&](QxPricePatternDetectionDlg* d) {
        d->bottomPenPicker()->setPen(wxPen(*wxBLACK, 3, wxPENSTYLE_SHORT_DASH));
        d->bottomColourPicker()->SetColour(*wxBLUE);
        wxColourPickerEvent changed(d->bottomColourPicker(), d->bottomColourPicker()->GetId(), *wxBLUE);
        d->bottomColourPicker()->GetEventHandler()->ProcessEvent(changed);
        top = d->topPenPicker()->getPen();
        bottom = d->bottomPenPicker()->getPen();
        d->filterField()->SetValue(7.0);
        ModalScript::press(d, wxID_CANCEL);
    });
    EXPECT_EQ(dlg.ShowModal(), wxID_CANCEL);
    EXPECT_EQ(bottom.GetColour(), *wxBLUE);
    EXPECT_EQ(bottom.GetWidth(), 3);
    EXPECT_EQ(bottom.GetStyle(), wxPENSTYLE_SHORT_DASH);
    EXPECT_EQ(top.GetColour(), wxColour(117, 0, 0)) << "the other pen keeps its colour";
    EXPECT_FALSE(wxConfigEx::get().HasEntry("/preferences/pattern_configs/zigzag/filter"));
    EXPECT_FALSE(wxConfigEx::get().HasGroup("/preferences/pattern_configs/price_pattern/top_pen"));
}
