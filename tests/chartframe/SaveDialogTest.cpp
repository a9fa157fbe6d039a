// Save dialogs add the filter's extension after the dialog has asked about
// the name typed: a file of the name with its extension is asked about
// before it is replaced, in the dialogs of Save Chart, Save Template and
// Export alike.
#include "core/platform/QxFileDialogExt.h"
#include "support/ModalScript.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/ffile.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>

#include <vector>

TEST(SaveDialog, ANameThatGetsItsExtensionIsAskedAboutBeforeReplacing)
{
    const wxString dir = wxString::FromUTF8(TestSupport::makeTempDir("save-dialog"));
    for (const char* name : {"ibm.trdc", "ibm.trdt", "ibm.png"})
        wxFFile(dir + "/" + name, "w").Write("kept");
    struct Case {
        const char* wildcard;
        wxString typed;
        int answer;      // to the question, when one comes
        bool asked;
        wxString result; // empty: nothing chosen yet, the dialog comes again
    } cases[] = {
        {"Trendoria Chart (*.trdc)|*.trdc", dir + "/ibm", wxID_YES, true, dir + "/ibm.trdc"},
        {"Trendoria Chart (*.trdc)|*.trdc", dir + "/ibm", wxID_NO, true, ""},
        {"Trendoria Template (*.trdt)|*.trdt", dir + "/ibm", wxID_NO, true, ""},
        {"PNG Image (*.png)|*.png|JPG Image (*.jpg)|*.jpg", dir + "/ibm", wxID_NO, true, ""},
        // The dialog asked about a name typed whole; a new name needs no question.
        {"Trendoria Chart (*.trdc)|*.trdc", dir + "/ibm.trdc", wxID_NO, false, dir + "/ibm.trdc"},
        {"Trendoria Chart (*.trdc)|*.trdc", dir + "/new", wxID_NO, false, dir + "/new.trdc"},
    };
    for (const Case& c : cases) {
        wxFileDialog dialog(nullptr, "Save", wxEmptyString, wxEmptyString, c.wildcard,
                            wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        // First the typed name; shown again after a No, the user cancels.
        std::vector<wxString> offered;
        qxSetFileChooserResponder([&](wxFileDialog& d) {
            offered.push_back(d.GetPath());
            return offered.size() == 1 ? c.typed : wxString();
        });
        TestSupport::MessageBoxes boxes(c.answer);
        const wxString path = qxChooseFile(dialog);
        qxSetFileChooserResponder(nullptr);
        EXPECT_EQ(path, c.result) << c.typed << " " << c.wildcard;
        ASSERT_EQ(boxes.texts().size(), c.asked ? 1u : 0u) << c.typed << " " << c.wildcard;
        if (c.asked) {
            EXPECT_TRUE(boxes.texts()[0].StartsWith("A file named \"ibm.")) << boxes.texts()[0];
            // After No the dialog comes back (holding the whole name, which
            // the toolkit reports only from a dialog really shown).
            EXPECT_EQ(offered.size(), c.answer == wxID_NO ? 2u : 1u);
        }
    }
    for (const char* name : {"ibm.trdc", "ibm.trdt", "ibm.png"}) {
        wxString text;
        wxFFile(dir + "/" + name, "r").ReadAll(&text);
        EXPECT_EQ(text, "kept") << name;
    }
}
