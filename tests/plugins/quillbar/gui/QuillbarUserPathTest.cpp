// A user's road with a Quillbar folder: Change Database, "Quillbar Format",
// the folder chosen with Browse; New Chart lists the folder's securities and
// opens a chart; Database Info names the format and the folder; what would
// change the folder is off or refused.
#include "app/QxDataSelectorDlg.h"
#include "app/QxGatewayFrame.h"
#include "app/QxPluginLoader.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxChartView.h"
#include "core/QxCalculator.h"
#include "core/QxCategory.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "core/platform/QxFileDialogExt.h"
#include "core/platform/wxConfigEx.h"
#include "securities/QxDatabaseInfoDlg.h"
#include "securities/QxSymbolSelectionDlg.h"

#include "support/QbTestSupport.h"
#include "support/FramesTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/choice.h>
#include <wx/dirdlg.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include <cmath>
#include <filesystem>
#include <ostream>


using framestest::DialogCatcher;
using framestest::ScopedApplication;
namespace fs = std::filesystem;

namespace {

// A folder as a data vendor writes it: EMASTER and MASTER, a year of daily
// bars for two stocks and weekly bars for an index.
std::string writeFolder()
{
    const std::string folder = TestSupport::makeTempDir("qbgui") + "/Borsa Italiana";
    fs::create_directories(folder);
    const std::vector<qbtest::Entry> entries = {
        {"ENI", "ENI SPA", 1, 'D'}, {"LUX", "LUXOTTICA GROUP", 2, 'D'}, {"FTSEMIB", "FTSE MIB INDEX", 3, 'W'}};
    qbtest::writeFile(folder + "/EMASTER", qbtest::emasterBytes(entries));
    qbtest::writeFile(folder + "/MASTER", qbtest::masterBytes(entries));
    for (unsigned file = 1; file <= 3; ++file) {
        std::vector<qbtest::Bar> bars;
        wxDateTime day(2, wxDateTime::Jan, 2013);
        for (int i = 0; bars.size() < 250; ++i, day += wxDateSpan::Days(file == 3 ? 7 : 1)) {
            if (file != 3 && (day.GetWeekDay() == wxDateTime::Sat || day.GetWeekDay() == wxDateTime::Sun))
                continue;
            const float date = float((day.GetYear() - 1900) * 10000 + (day.GetMonth() + 1) * 100 + day.GetDay());
            const float close = float(15 * file + 3 * std::sin(i / 9.0) + i * 0.02);
            const float open = close - float(0.4 * std::cos(i / 3.0));
            bars.push_back({date, open, std::max(open, close) + 0.3f, std::min(open, close) - 0.3f, close,
                            float(1e6 + 5e4 * std::sin(i / 5.0))});
        }
        qbtest::writeFile(folder + "/F" + std::to_string(file) + ".DAT", qbtest::priceBytes(bars));
    }
    return folder;
}

template <class T>
T* findChild(wxWindow* parent)
{
    for (wxWindow* child : parent->GetChildren())
        if (auto* found = dynamic_cast<T*>(child))
            return found;
    return nullptr;
}

wxButton* buttonLabelled(wxWindow* parent, const wxString& label)
{
    for (wxWindow* child : parent->GetChildren())
        if (auto* b = dynamic_cast<wxButton*>(child); b && b->GetLabel() == label)
            return b;
    return nullptr;
}

void click(wxWindow* button)
{
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
}

void command(wxWindow* frame, int id)
{
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(frame);
    frame->ProcessWindowEvent(event);
}

// Ends a modal dialog the steps failed to end.
class ModalGuard {
public:
    ModalGuard()
    {
        m_timer.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
            for (wxWindow* w : wxTopLevelWindows)
                if (auto* d = dynamic_cast<wxDialog*>(w); d && d->IsModal())
                    d->EndModal(-42);
        });
        m_timer.StartOnce(15000);
    }

private:
    wxTimer m_timer;
};

std::vector<QxChartFrame*> chartFrames()
{
    std::vector<QxChartFrame*> frames;
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* f = dynamic_cast<QxChartFrame*>(w); f && !f->IsBeingDeleted())
            frames.push_back(f);
    return frames;
}

} // namespace

TEST(QuillbarUserPath, AFolderIsChosenBrowsedChartedAndKeptReadOnly)
{
    ScopedApplication scoped;
    QxPluginLoader loader;
    for (const char* name : {"trddb", "quillbar"})
        ASSERT_EQ(loader.loadPlugin(TestSupport::binDir() + "/" + name + ".trdx"), 0) << name;
    const std::string folder = writeFolder();
    const wxString folderText = wxString::FromUTF8(folder.c_str());
    auto* home = new QxGatewayFrame();

    // Change Database: the format is chosen, Browse picks the folder, OK opens it.
    std::vector<wxString> messages;
    std::vector<wxString> formats;
    wxString browseMessage;
    // GTK's folder chooser reports nothing unless it was really used: the
    // user's choice is answered here.
    qxSetFolderChooserResponder([&](wxDirDialog& browse) {
        browseMessage = browse.GetMessage();
        return folderText;
    });
    {
        DialogCatcher catcher([&](wxDialog* dialog) {
            if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
                messages.push_back(box->GetMessage());
                return static_cast<int>(wxID_OK);
            }
            if (auto* selector = dynamic_cast<QxDataSelectorDlg*>(dialog)) {
                selector->CallAfter([&, selector] {
                    auto* format = findChild<wxChoice>(selector);
                    ASSERT_TRUE(format);
                    for (unsigned i = 0; i < format->GetCount(); ++i)
                        formats.push_back(format->GetString(i));
                    format->SetStringSelection("Quillbar Format");
                    wxCommandEvent chosen(wxEVT_CHOICE, format->GetId());
                    chosen.SetEventObject(format);
                    chosen.SetInt(format->GetSelection());
                    format->ProcessWindowEvent(chosen);
                    click(buttonLabelled(selector, "&Browse ..."));
                    EXPECT_EQ(findChild<wxTextCtrl>(selector)->GetValue(), folderText);
                    framestest::pump(200);
                    EXPECT_TRUE(framestest::saveWindowShot(selector, "quillbar_data_selector.png"));
                    click(selector->FindWindow(wxID_OK));
                });
                return static_cast<int>(wxID_NONE); // shown for real
            }
            return static_cast<int>(wxID_CANCEL);
        });
        ModalGuard guard;
        command(home, QxID_CHANGE_DATABASE);
    }
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_NE(std::find(formats.begin(), formats.end(), "Quillbar Format"), formats.end());
    EXPECT_NE(std::find(formats.begin(), formats.end(), "Trendoria History Database"), formats.end());
    EXPECT_EQ(browseMessage, "Please select folder where (E/X)MASTER file(s) are located");
    QxDatabase* db = scoped.app().currentDatabase();
    ASSERT_TRUE(db);
    EXPECT_EQ(db->readerId(), QxAtom("com.Corvane.Trendoria.quillbar"));
    EXPECT_EQ(wxString::FromUTF8(db->path()), folderText);
    EXPECT_EQ(wxConfigEx::get().Read("/app/db/default_data_provider", wxString()),
              "com.Corvane.Trendoria.quillbar");

    // New Chart: the folder's category and its securities; ENI is charted.
    std::vector<wxString> categories, tickers, names;
    {
        DialogCatcher catcher([&](wxDialog* dialog) {
            if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
                messages.push_back(box->GetMessage());
                return static_cast<int>(wxID_OK);
            }
            auto* selection = dynamic_cast<QxSymbolSelectionDlg*>(dialog);
            if (!selection)
                return static_cast<int>(wxID_CANCEL);
            selection->CallAfter([&, selection] {
                wxListView* categoryList = selection->categoryList();
                for (long r = 0; r < categoryList->GetItemCount(); ++r)
                    categories.push_back(categoryList->GetItemText(r));
                categoryList->Select(0, true);
                wxListEvent picked(wxEVT_LIST_ITEM_SELECTED, categoryList->GetId());
                picked.m_itemIndex = 0;
                picked.SetEventObject(categoryList);
                categoryList->ProcessWindowEvent(picked);
                QxSecurityListCtrl* list = selection->securityList();
                long eni = -1;
                for (long r = 0; r < list->GetItemCount(); ++r) {
                    tickers.push_back(list->GetItemText(r, 0));
                    names.push_back(list->GetItemText(r, 1));
                    if (tickers.back() == "ENI")
                        eni = r;
                }
                ASSERT_GE(eni, 0);
                list->Select(eni, true);
                wxButton* add = buttonLabelled(selection, "&Add security ...");
                ASSERT_TRUE(add);
                EXPECT_FALSE(add->IsEnabled()) << "nothing can be added to a folder";
                framestest::pump(200);
                EXPECT_TRUE(framestest::saveWindowShot(selection, "quillbar_security_selection.png"));
                // The delete commands are refused: the folder stays as it is.
                const auto before = fs::last_write_time(folder + "/F1.DAT");
                selection->deletePriceHistoryOfSelected();
                selection->removeSelectedSecurities();
                EXPECT_EQ(fs::last_write_time(folder + "/F1.DAT"), before);
                EXPECT_EQ(list->GetItemCount(), 3);
                EXPECT_TRUE(selection->confirmSelection());
            });
            return static_cast<int>(wxID_NONE);
        });
        ModalGuard guard;
        command(home, 5002);
    }
    EXPECT_EQ(categories, std::vector<wxString>{"Borsa Italiana"});
    EXPECT_EQ(tickers, (std::vector<wxString>{"ENI", "LUX", "FTSEMIB"}));
    EXPECT_EQ(names, (std::vector<wxString>{"ENI SPA", "LUXOTTICA GROUP", "FTSE MIB INDEX"}));
    // Only the two Yes/No questions of the delete commands were asked.
    EXPECT_EQ(messages, (std::vector<wxString>{
                            "Are you sure you want to delete the price history of selected securities?",
                            "Are you sure you want to delete selected securities?"}));
    const std::vector<QxChartFrame*> frames = chartFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->GetTitle(), "Corvane Trendoria 2014 [ENI SPA]");
    QxObjectSmartPtr<QxSecurity> eni(db->findCategory("Borsa Italiana", nullptr)->findSecurity("ENI"));
    ASSERT_TRUE(eni);
    EXPECT_TRUE(QxCalculator::hasCacheForSecurity(eni->id())) << "the chart holds the prices";
    {
        QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(eni.get(), Qx::eDaily));
        QxPriceHistory* prices = calc->prices(false);
        ASSERT_TRUE(prices);
        EXPECT_EQ(prices->numBars(), 250u);
    }
    framestest::pump(300);
    EXPECT_TRUE(framestest::saveWindowShot(frames[0], "quillbar_chart.png"));

    // Database Info names the format and the folder.
    wxString format, location;
    {
        DialogCatcher catcher([&](wxDialog* dialog) {
            auto* info = dynamic_cast<QxDatabaseInfoDlg*>(dialog);
            if (!info)
                return static_cast<int>(wxID_CANCEL);
            info->CallAfter([&, info] {
                format = info->formatText();
                location = info->locationText();
                framestest::pump(200);
                EXPECT_TRUE(framestest::saveWindowShot(info, "quillbar_database_info.png"));
                info->EndModal(wxID_OK);
            });
            return static_cast<int>(wxID_NONE);
        });
        ModalGuard guard;
        command(frames[0], QxID_DATABASE_INFO);
    }
    EXPECT_EQ(format, "Quillbar Format");
    EXPECT_EQ(location, folderText);

    // The quote editor is off in every frame while the folder is open.
    for (wxWindow* frame : {static_cast<wxWindow*>(home), static_cast<wxWindow*>(frames[0])}) {
        wxUpdateUIEvent update(QxID_QUOTE_EDITOR);
        update.SetEventObject(frame);
        frame->ProcessWindowEvent(update);
        EXPECT_TRUE(update.GetSetEnabled());
        EXPECT_FALSE(update.GetEnabled());
    }

    qxSetFolderChooserResponder(nullptr);
    frames[0]->Destroy();
    home->Destroy();
    framestest::pump(100);
    eni = nullptr;
    QxSymbolSelectionDlg::destroy();
    scoped.app().changeDatabase(nullptr);
}

// What a user is told: a folder without index files, in words; a listed
// security whose price file is missing, by the file's name, not as a
// download that failed.
TEST(QuillbarUserPath, AFolderWithoutIndexFilesAndAMissingPriceFileAreToldInWords)
{
    ScopedApplication scoped;
    QxPluginLoader loader;
    for (const char* name : {"trddb", "quillbar"})
        ASSERT_EQ(loader.loadPlugin(TestSupport::binDir() + "/" + name + ".trdx"), 0) << name;
    const std::string folder = writeFolder();
    fs::remove(folder + "/F2.DAT");
    const std::string empty = TestSupport::makeTempDir("qbempty");
    auto* home = new QxGatewayFrame();

    std::vector<wxString> messages;
    wxString chosen = wxString::FromUTF8(empty.c_str());
    qxSetFolderChooserResponder([&](wxDirDialog&) { return chosen; });
    {
        DialogCatcher catcher([&](wxDialog* dialog) {
            if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
                messages.push_back(box->GetMessage());
                return static_cast<int>(wxID_OK);
            }
            if (auto* selector = dynamic_cast<QxDataSelectorDlg*>(dialog)) {
                selector->CallAfter([&, selector] {
                    auto* format = findChild<wxChoice>(selector);
                    ASSERT_TRUE(format);
                    format->SetStringSelection("Quillbar Format");
                    wxCommandEvent picked(wxEVT_CHOICE, format->GetId());
                    picked.SetEventObject(format);
                    picked.SetInt(format->GetSelection());
                    format->ProcessWindowEvent(picked);
                    click(buttonLabelled(selector, "&Browse ..."));
                    click(selector->FindWindow(wxID_OK)); // the empty folder: told, the dialog stays
                    EXPECT_TRUE(selector->IsModal());
                    chosen = wxString::FromUTF8(folder.c_str());
                    click(buttonLabelled(selector, "&Browse ..."));
                    click(selector->FindWindow(wxID_OK));
                });
                return static_cast<int>(wxID_NONE);
            }
            return static_cast<int>(wxID_CANCEL);
        });
        ModalGuard guard;
        command(home, QxID_CHANGE_DATABASE);
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "There was an error while trying to open database:\n"
                           "The chosen location holds none of the files this data format needs.");
    QxDatabase* db = scoped.app().currentDatabase();
    ASSERT_TRUE(db);
    ASSERT_EQ(db->readerId(), QxAtom("com.Corvane.Trendoria.quillbar"));

    // LUX is listed by the index, but F2.DAT is not in the folder.
    messages.clear();
    QxObjectSmartPtr<QxSecurity> lux(db->findCategory("Borsa Italiana", nullptr)->findSecurity("LUX"));
    ASSERT_TRUE(lux);
    {
        DialogCatcher catcher([&](wxDialog* dialog) {
            if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog))
                messages.push_back(box->GetMessage());
            return static_cast<int>(wxID_OK);
        });
        EXPECT_EQ(QxChartView::createChartView(lux.get(), Qx::eDaily, Qx::ePriceCandles, nullptr), nullptr);
    }
    EXPECT_EQ(messages, std::vector<wxString>{"Failed to get price history.\nThe price file \"F2.DAT\" of this "
                                              "security is missing from the folder \"" +
                                              wxString::FromUTF8(folder.c_str()) + "\"."});
    EXPECT_TRUE(chartFrames().empty());

    qxSetFolderChooserResponder(nullptr);
    home->Destroy();
    framestest::pump(100);
    lux = nullptr;
    scoped.app().changeDatabase(nullptr);
}
