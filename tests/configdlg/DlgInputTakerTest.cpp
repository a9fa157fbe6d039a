// The one-line input dialog: what OK refuses, what it accepts and returns.
#include "configdlg/DlgInputTaker.h"
#include "support/ModalScript.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/valtext.h>

#include <functional>
#include <vector>

namespace {

// Shows the dialog modally and, once it runs, types each text in turn and
// presses OK; after the last one (or if the dialog is still open) it cancels.
int typeAndPressOk(DlgInputTaker& dlg, std::vector<wxString> texts)
{
    std::function<void(size_t)> step = [&dlg, texts, &step](size_t i) {
        if (!dlg.IsModal())
            return;
        if (i == texts.size()) {
            dlg.EndModal(wxID_CANCEL);
            return;
        }
        dlg.field()->SetValue(texts[i]);
        wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
        ok.SetEventObject(dlg.FindWindow(wxID_OK));
        dlg.FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(ok);
        wxTheApp->CallAfter([&step, i] { step(i + 1); });
    };
    wxTheApp->CallAfter([&step] { step(0); });
    return dlg.ShowModal();
}

} // namespace

TEST(DlgInputTaker, BuildsWithTheCallersTexts)
{
    DlgInputTaker dlg("Trading system name", "Please provide name of new system", "System &name:", "Momentum",
                      nullptr);
    EXPECT_EQ(dlg.GetTitle(), "Trading system name");
    EXPECT_EQ(dlg.value(), "Momentum");
    EXPECT_EQ(dynamic_cast<wxButton*>(dlg.GetDefaultItem()), dlg.FindWindow(wxID_OK));
    EXPECT_EQ(dlg.GetSize(), wxSize(319, 135));

    DlgInputTaker plain("Fixed value", "Provide a fixed value for series", "Fixed &Value:", nullptr);
    EXPECT_TRUE(plain.value().empty());
}

TEST(DlgInputTaker, RefusesWhatItsValidatorRefusesAndReturnsTheText)
{
    DlgInputTaker dlg("Trading system name", "Please provide name of new system", "System &name:", nullptr);
    wxTextValidator names(wxFILTER_EXCLUDE_CHAR_LIST);
    names.SetCharExcludes("/\\^;:\"?*");
    dlg.field()->SetValidator(names);

    TestSupport::MessageBoxes boxes; // the input dialog itself is shown
    EXPECT_EQ(typeAndPressOk(dlg, {"", "a/b", "Breakout 20"}), wxID_OK);
    // The empty field and the refused character each kept the dialog open
    // with the one message.
    EXPECT_EQ(boxes.texts(), (std::vector<wxString>{"Please provide a valid input.", "Please provide a valid input."}));
    EXPECT_EQ(dlg.value(), "Breakout 20");
}

TEST(DlgInputTaker, ShownAgainAfterOk)
{
    DlgInputTaker dlg("Fixed value", "Provide a fixed value for series", "Fixed &Value:", nullptr);
    TestSupport::MessageBoxes boxes; // the input dialog itself is shown
    EXPECT_EQ(typeAndPressOk(dlg, {"12.5"}), wxID_OK);
    EXPECT_EQ(dlg.value(), "12.5");
    EXPECT_EQ(typeAndPressOk(dlg, {"7"}), wxID_OK);
    EXPECT_EQ(dlg.value(), "7");
    EXPECT_TRUE(boxes.texts().empty());
    // Cancel after a refused empty field.
    EXPECT_EQ(typeAndPressOk(dlg, {""}), wxID_CANCEL);
    EXPECT_EQ(boxes.texts().size(), 1u);
}
