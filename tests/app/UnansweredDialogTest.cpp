// The test main's last-resort hook: a dialog no test answers fails the test
// with what it says and is closed, so a test never waits on it.
#include "support/ModalScript.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <wx/dialog.h>
#include <wx/msgdlg.h>
#include <wx/stopwatch.h>

TEST(UnansweredDialogs, AMessageBoxFailsTheTestWithItsTextAtOnce)
{
    wxStopWatch watch;
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = wxMessageBox("The file could not be read.", "Trendoria", wxOK | wxICON_ERROR),
                            "a message box nobody answers: \"Trendoria\": \"The file could not be read.\"");
    EXPECT_EQ(answer, wxCANCEL);
    EXPECT_NONFATAL_FAILURE(answer = wxMessageBox("Save the changes?", "Trendoria", wxYES_NO),
                            "\"Save the changes?\"");
    EXPECT_NE(answer, wxYES) << "nobody said yes";
    EXPECT_LT(watch.Time(), 20000) << "answered without being shown";
}

TEST(UnansweredDialogs, AnyOtherDialogIsClosedAfterItsTimeWithItsClassAndTitle)
{
    // A hook of the same kind with a short time, in front of the main's.
    const TestSupport::UnansweredDialogs quick(200);
    wxDialog dialog(nullptr, wxID_ANY, "Forgotten options");
    int result = 0;
    EXPECT_NONFATAL_FAILURE(result = dialog.ShowModal(), "a dialog nobody answers: wxDialog \"Forgotten options\"");
    EXPECT_EQ(result, wxID_CANCEL);
    EXPECT_FALSE(dialog.IsModal());
}

TEST(UnansweredDialogs, AnsweredDialogsPassUntouched)
{
    // A message box a test's own hook answers never reaches the last resort.
    TestSupport::MessageBoxes boxes(wxID_YES);
    EXPECT_EQ(wxMessageBox("Save the changes?", "Trendoria", wxYES_NO), wxYES);
    ASSERT_EQ(boxes.texts().size(), 1u);
    // A dialog a script drives is shown and left to it.
    TestSupport::ModalScript script;
    script.when<wxDialog>([](wxDialog* d) { d->EndModal(wxID_OK); });
    wxDialog dialog(nullptr, wxID_ANY, "Driven");
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    EXPECT_EQ(script.pending(), 0u);
}
