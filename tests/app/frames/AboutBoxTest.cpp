// The about box and the licence texts it leads to.
#include "app/DlgThirdPartyLicense.h"
#include "app/PanelThirdPartyLicense.h"
#include "app/QxAboutBox.h"
#include "app/QxCommonFrame.h"
#include "app/QxLicenseTexts.h"

#include "support/FramesTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/ffile.h>

#include <set>

using framestest::DialogCatcher;

TEST(AboutBox, ShowsTitleAndBuildDateAndOpensTheLicences)
{
    // The shipped licences, from beside the program rather than the test.
    setLicenseFolder(licenseFolder(wxString::FromUTF8(TestSupport::binDir())));
    auto* box = new QxAboutBox(nullptr);
    EXPECT_EQ(box->GetTitle(), "About Corvane Trendoria");
    EXPECT_EQ(box->GetSize(), wxSize(605, 362));
    EXPECT_EQ(box->GetBackgroundColour(), wxColour(222, 233, 244));
    EXPECT_EQ(box->GetWindowStyleFlag() & (wxCAPTION | wxRESIZE_BORDER | wxSYSTEM_MENU), 0);
    EXPECT_EQ(box->titleText(), "Corvane Trendoria 2014");
    box->Show(); // initialises the dialog
    EXPECT_EQ(box->buildText(), "Build date: 2014-11-09");
    EXPECT_TRUE(framestest::saveWindowShot(box, "about_box.png"));

    // "Third party license ..." opens the licence dialog with one page per
    // shipped licence file.
    std::set<wxString> labels;
    std::vector<size_t> lengths;
    DialogCatcher catcher([&](wxDialog* dialog) {
        auto* licences = dynamic_cast<DlgThirdPartyLicense*>(dialog);
        if (!licences)
            return static_cast<int>(wxID_CANCEL);
        wxListbook* book = licences->listbook();
        for (size_t i = 0; i < book->GetPageCount(); ++i) {
            labels.insert(book->GetPageText(i));
            auto* page = dynamic_cast<PanelThirdPartyLicense*>(book->GetPage(i));
            lengths.push_back(page ? page->text().length() : 0);
        }
        wxTheApp->CallAfter([licences] {
            wxListbook* pages = licences->listbook();
            for (size_t i = 0; i < pages->GetPageCount(); ++i)
                if (pages->GetPageText(i) == "wxWidgets")
                    pages->SetSelection(i);
            EXPECT_TRUE(framestest::saveWindowShot(licences, "third_party_licences.png"));
            licences->EndModal(wxID_OK);
        });
        return static_cast<int>(wxID_NONE);
    });
    wxWindow* button = nullptr;
    for (wxWindow* child : box->GetChildren())
        if (child->GetLabel() == "Third party license ...")
            button = child;
    ASSERT_NE(button, nullptr);
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);

    ASSERT_EQ(catcher.seen().size(), 1u);
    EXPECT_EQ(catcher.seen()[0].title, "Third party licences");
    EXPECT_EQ(labels, (std::set<wxString>{"Boost", "SQLite", "TA-Lib", "libcurl", "wxWidgets"}));
    for (size_t length : lengths)
        EXPECT_GT(length, 200u);
    box->Destroy();
    framestest::pump(50);
    setLicenseFolder(wxString());
}

TEST(AboutBox, LicenceDialogHasOnePagePerTextFile)
{
    const wxString dir = wxString::FromUTF8(TestSupport::makeTempDir("licence-pages"));
    wxFFile(dir + "/Small.txt", "w").Write(wxString('a', 10239));
    wxFFile(dir + "/Large.txt", "w").Write(wxString('b', 10240));
    wxFFile(dir + "/notes.html", "w").Write("not listed");

    DlgThirdPartyLicense dialog(nullptr, dir);
    EXPECT_EQ(dialog.GetSize(), wxSize(650, 563));
    wxListbook* book = dialog.listbook();
    ASSERT_EQ(book->GetPageCount(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        auto* page = dynamic_cast<PanelThirdPartyLicense*>(book->GetPage(i));
        ASSERT_NE(page, nullptr);
        if (book->GetPageText(i) == "Small")
            EXPECT_EQ(page->text().length(), 10239u);
        else
            EXPECT_TRUE(page->text().empty()) << "a file of 10240 bytes shows an empty page";
    }

    DlgThirdPartyLicense empty(nullptr, dir + "/missing");
    EXPECT_EQ(empty.listbook()->GetPageCount(), 0u);
}

TEST(AboutBox, OpensFromTheHelpMenu)
{
    auto* frame = new QxCommonFrame(nullptr, wxID_ANY, "about");
    wxString build;
    DialogCatcher catcher([&](wxDialog* dialog) {
        if (auto* box = dynamic_cast<QxAboutBox*>(dialog)) {
            box->InitDialog();
            build = box->buildText();
        }
        return static_cast<int>(wxID_OK);
    });
    wxCommandEvent about(wxEVT_MENU, 5014);
    frame->ProcessWindowEvent(about);
    ASSERT_EQ(catcher.seen().size(), 1u);
    EXPECT_EQ(catcher.seen()[0].className, "QxAboutBox");
    EXPECT_EQ(build, "Build date: 2014-11-09");
    frame->Destroy();
    framestest::pump(50);
}
