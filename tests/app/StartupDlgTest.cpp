// The start-up dialog: its texts, the product icon at 128 x 128, the first
// launch status line, and a picture of it.
#include "app/QxStartupDlg.h"
#include "core/ArtProvider.h"
#include "support/TestSupport.h"

#include "support/WindowShot.h"

#include <gtest/gtest.h>

#include <wx/stattext.h>

namespace {

std::vector<wxString> labelsOf(wxWindow* dialog)
{
    std::vector<wxString> labels;
    for (wxWindow* child : dialog->GetChildren())
        if (auto* text = dynamic_cast<wxStaticText*>(child))
            labels.push_back(text->GetLabel());
    return labels;
}

} // namespace

TEST(StartupDlg, ShowsTheProductAndItsStatus)
{
    auto* provider = new ArtProvider(wxString::FromUTF8(TestSupport::binDir() + "/artworks"));
    wxArtProvider::Push(provider);

    auto* dialog = new QxStartupDlg(nullptr);
    EXPECT_EQ(dialog->GetTitle(), "About Corvane Trendoria");
    EXPECT_EQ(dialog->GetSize(), wxSize(605, 362));
    EXPECT_EQ(dialog->GetBackgroundColour(), wxColour(222, 233, 244));
    EXPECT_EQ(dialog->GetWindowStyleFlag() & (wxCAPTION | wxBORDER_MASK), 0);
    EXPECT_EQ(labelsOf(dialog), (std::vector<wxString>{"Corvane Trendoria 2014", "Please wait ...",
                                                       "Trendoria is initializing ..."}));
    const wxBitmap icon = dialog->iconBitmap();
    ASSERT_TRUE(icon.IsOk());
    EXPECT_EQ(icon.GetSize(), wxSize(128, 128));

    dialog->Show();
    EXPECT_TRUE(TestSupport::saveWindowShot(dialog, "startup_dialog.png"));

    dialog->setStatus(_("Trendoria is preparing for first time launch ..."));
    EXPECT_EQ(dialog->status(), "Trendoria is preparing for first time launch ...");
    EXPECT_EQ(dialog->titleText(), "Corvane Trendoria 2014");
    EXPECT_TRUE(TestSupport::saveWindowShot(dialog, "startup_dialog_first_launch.png"));

    // The texts stay centred in the dialog.
    for (wxWindow* child : dialog->GetChildren()) {
        const wxRect r = child->GetRect();
        EXPECT_NEAR(r.x + r.width / 2.0, dialog->GetClientSize().x / 2.0, 3.0) << child->GetLabel();
    }

    dialog->Destroy();
    wxArtProvider::Delete(provider);
}
