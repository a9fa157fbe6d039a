// The trading-system manager over a store seeded with the shipped systems:
// what it lists, the name prompt with its duplicate loop, copy, delete, the
// editor's Cancel, selection mode with Enter and OK, and what the store
// writes at exit afterwards.
#include "TradingFakes.h"

#include "trading/DlgSystemEditor.h"
#include "trading/DlgSystemManager.h"
#include "trading/QxTradingSystem.h"
#include "trading/QxTradingSystemMgr.h"

#include "app/QxCommonFrame.h"
#include "app/QxIndicatorRegistry.h"
#include "configdlg/DlgInputTaker.h"

#include "support/FramesTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/aui/auibar.h>
#include <wx/msgdlg.h>
#include <wx/timer.h>
#include <wx/xml/xml.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>


namespace fs = std::filesystem;

namespace {

std::vector<wxString> rows(wxListCtrl* list, int column = 0)
{
    std::vector<wxString> out;
    for (long row = 0; row < list->GetItemCount(); ++row)
        out.push_back(list->GetItemText(row, column));
    return out;
}

long rowOf(wxListCtrl* list, const wxString& name)
{
    for (long row = 0; row < list->GetItemCount(); ++row)
        if (list->GetItemText(row) == name)
            return row;
    return -1;
}

class SystemManagerDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = tradingtest::resetStore(TestSupport::binDir());
    }
    void TearDown() override { QxTradingSystemMgr::destroy(); }

    // Runs dlg modally with steps inside its loop. Prompts take the next
    // of `names` (Cancel when none is left) and record the text they held;
    // message boxes are answered OK and recorded.
    int runModal(DlgSystemManager* dlg, const std::function<void()>& steps)
    {
        // The steps start from a timer of the dialog's own loop.
        wxTimer start;
        start.Bind(wxEVT_TIMER, [steps](wxTimerEvent&) { steps(); });
        framestest::DialogCatcher catcher([this, dlg, &start](wxDialog* dialog) {
            if (dialog == dlg) {
                start.StartOnce(10);
                return static_cast<int>(wxID_NONE); // shown for real
            }
            if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
                messages.push_back(box->GetMessage());
                return static_cast<int>(wxID_OK);
            }
            if (auto* editor = dynamic_cast<DlgSystemEditor*>(dialog)) {
                edited.push_back(editor->descriptionField()->GetValue());
                if (editorDescription.empty())
                    return static_cast<int>(wxID_CANCEL);
                // OK as a click gives it, on a new description.
                editor->descriptionField()->ChangeValue(editorDescription);
                wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
                ok.SetEventObject(editor->FindWindow(wxID_OK));
                editor->FindWindow(wxID_OK)->ProcessWindowEvent(ok);
                return editor->GetReturnCode();
            }
            if (auto* prompt = dynamic_cast<DlgInputTaker*>(dialog)) {
                promptTexts.push_back(prompt->value());
                if (names.empty())
                    return static_cast<int>(wxID_CANCEL);
                prompt->field()->ChangeValue(names.front());
                names.pop_front();
                return static_cast<int>(wxID_OK);
            }
            return static_cast<int>(wxID_CANCEL);
        });
        wxTimer guard;
        guard.Bind(wxEVT_TIMER, [dlg](wxTimerEvent&) {
            if (dlg->IsModal())
                dlg->EndModal(-42);
        });
        guard.StartOnce(20000);
        return dlg->ShowModal();
    }

    template <class T>
    static T* child(wxWindow* parent, const wxString& label)
    {
        for (wxWindow* window : parent->GetChildren())
            if (auto* typed = dynamic_cast<T*>(window); typed && typed->GetLabel() == label)
                return typed;
        return nullptr;
    }
    static wxListView* listOf(wxWindow* dlg)
    {
        for (wxWindow* window : dlg->GetChildren())
            if (auto* list = dynamic_cast<wxListView*>(window))
                return list;
        return nullptr;
    }
    static void click(wxWindow* button)
    {
        ASSERT_NE(button, nullptr);
        wxCommandEvent event(wxEVT_BUTTON, button->GetId());
        event.SetEventObject(button);
        button->ProcessWindowEvent(event);
    }
    static void selectOnly(wxListView* list, std::initializer_list<wxString> names)
    {
        for (long row = list->GetFirstSelected(); row != -1; row = list->GetNextSelected(row))
            list->Select(row, false);
        for (const wxString& name : names)
            list->Select(rowOf(list, name), true);
        framestest::pump(20);
    }
    // Enter as the toolkit delivers it to the list's inner window: a key
    // press, and a character only when the press was not handled.
    static void pressEnter(wxListView* list)
    {
        wxWindow* inner = list->GetChildren().empty() ? list : list->GetChildren().front();
        for (wxWindow* window : list->GetChildren())
            if (window->GetClassInfo()->GetClassName() == wxString("wxListMainWindow"))
                inner = window;
        wxKeyEvent down(wxEVT_KEY_DOWN);
        down.m_keyCode = WXK_RETURN;
        down.SetEventObject(inner);
        if (inner->ProcessWindowEvent(down))
            return;
        wxKeyEvent character(wxEVT_CHAR);
        character.m_keyCode = WXK_RETURN;
        character.m_uniChar = WXK_RETURN;
        character.SetEventObject(inner);
        inner->ProcessWindowEvent(character);
    }

    fs::path folder;
    std::deque<wxString> names;
    std::vector<wxString> promptTexts;
    std::vector<wxString> messages;
    std::vector<wxString> edited; // the descriptions the editor opened with
    wxString editorDescription;   // when set, the editor is answered OK with it
};

} // namespace

TEST(SystemManagerRows, NamesGoInAscendingOrderIgnoringCase)
{
    const wxArrayString names = [] {
        wxArrayString a;
        for (const char* n : {"alpha", "Beta", "beta", "Gamma"})
            a.push_back(n);
        return a;
    }();
    EXPECT_EQ(sortedRowPosition(names, "Aardvark"), 0);
    EXPECT_EQ(sortedRowPosition(names, "ALPHA"), 0) << "capitals first among equals";
    EXPECT_EQ(sortedRowPosition(names, "alphabet"), 1);
    EXPECT_EQ(sortedRowPosition(names, "BETA"), 1);
    EXPECT_EQ(sortedRowPosition(names, "delta"), 3);
    EXPECT_EQ(sortedRowPosition(names, "zeta"), 4);
    EXPECT_EQ(sortedRowPosition(wxArrayString(), "x"), 0);
}

TEST_F(SystemManagerDialog, TheMenuCommandAndTheToolListTheShippedSystems)
{
    framestest::ScopedApplication scoped;
    auto* frame = new QxCommonFrame(nullptr, wxID_ANY, "systems");
    wxAuiPaneInfo pane;
    pane.Name("tools").Top();
    frame->addProToolsPane(pane);
    std::vector<std::vector<wxString>> listed;
    framestest::DialogCatcher catcher([&listed](wxDialog* dialog) {
        if (auto* manager = dynamic_cast<DlgSystemManager*>(dialog))
            listed.push_back(rows(listOf(manager)));
        return static_cast<int>(wxID_CANCEL);
    });
    wxCommandEvent menu(wxEVT_MENU, 30009);
    menu.SetEventObject(frame);
    frame->ProcessWindowEvent(menu);
    wxAuiToolBar* toolbar = nullptr;
    for (wxWindow* window : frame->GetChildren())
        if (auto* bar = dynamic_cast<wxAuiToolBar*>(window); bar && bar->FindTool(30009))
            toolbar = bar;
    ASSERT_NE(toolbar, nullptr);
    wxCommandEvent tool(wxEVT_TOOL, 30009);
    tool.SetEventObject(toolbar);
    toolbar->ProcessWindowEvent(tool);

    const std::vector<wxString> shipped = {"Close Over SMA 20", "MACD Signal Cross", "RSI 30-70", "SMA 50-200 Cross"};
    EXPECT_EQ(listed, (std::vector<std::vector<wxString>>{shipped, shipped}));
    frame->Destroy();
    framestest::pump(50);
}

TEST_F(SystemManagerDialog, ManagesTheShippedSystemsAndTheStoreWritesTheCopyAtExit)
{
    // A listed system whose definition went missing.
    QxTradingSystemMgr::getInstance(true);
    fs::remove(folder / "definitions" / "MACD Signal Cross.xml");

    DlgSystemManager dlg(nullptr, false);
    wxListView* list = listOf(&dlg);
    ASSERT_NE(list, nullptr);
    wxButton* edit = child<wxButton>(&dlg, "&Edit...");
    wxButton* copy = child<wxButton>(&dlg, "&Copy...");
    wxButton* remove = child<wxButton>(&dlg, "&Delete");
    wxButton* create = child<wxButton>(&dlg, "&New...");
    EXPECT_EQ(dlg.GetTitle(), "Manage Trading Systems");
    EXPECT_EQ(rows(list), (std::vector<wxString>{"Close Over SMA 20", "MACD Signal Cross", "RSI 30-70",
                                                 "SMA 50-200 Cross"}));
    EXPECT_EQ(list->GetItemText(rowOf(list, "RSI 30-70"), 1),
              "Buys when the 14-day RSI rises back through 30, sells when it falls back through 70.");
    EXPECT_FALSE(edit->IsEnabled());
    EXPECT_FALSE(copy->IsEnabled());
    EXPECT_FALSE(remove->IsEnabled());

    const int result = runModal(&dlg, [&] {
        EXPECT_TRUE(TestSupport::saveWindowShot(&dlg, "trading_system_manager.png"));

        selectOnly(list, {"RSI 30-70", "SMA 50-200 Cross"});
        EXPECT_FALSE(edit->IsEnabled()) << "two rows";
        EXPECT_FALSE(copy->IsEnabled());
        EXPECT_TRUE(remove->IsEnabled());

        // Copy under a taken name: refused, asked again with the text kept;
        // a name differing in case only is a different name.
        selectOnly(list, {"RSI 30-70"});
        EXPECT_TRUE(copy->IsEnabled());
        names = {"SMA 50-200 Cross", "rsi 30-70"};
        click(copy);
        EXPECT_EQ(promptTexts, (std::vector<wxString>{"", "SMA 50-200 Cross"}));
        EXPECT_EQ(messages, (std::vector<wxString>{"System name already in use."}));
        EXPECT_EQ(rows(list), (std::vector<wxString>{"Close Over SMA 20", "MACD Signal Cross", "RSI 30-70",
                                                     "rsi 30-70", "SMA 50-200 Cross"}));
        EXPECT_EQ(list->GetFirstSelected(), rowOf(list, "rsi 30-70"));
        EXPECT_EQ(list->GetNextSelected(list->GetFirstSelected()), -1) << "the copy alone is selected";

        // Edit and Copy of a system the store cannot give: a message, nothing more.
        messages.clear();
        promptTexts.clear();
        selectOnly(list, {"MACD Signal Cross"});
        click(copy);
        click(edit);
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[0], "The trading system \"MACD Signal Cross\" could not be read.");
        EXPECT_EQ(messages[1], messages[0]);
        EXPECT_TRUE(promptTexts.empty()) << "no name asked for a copy of nothing";

        // Enter edits the selected system, once.
        messages.clear();
        selectOnly(list, {"RSI 30-70"});
        pressEnter(list);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(edited, (std::vector<wxString>{
                              "Buys when the 14-day RSI rises back through 30, sells when it falls back through 70."}));

        // New: a name, then the editor, cancelled: nothing added.
        names = {"Brand New"};
        click(create);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(edited.size(), 2u);
        EXPECT_EQ(edited.back(), "");
        EXPECT_EQ(rowOf(list, "Brand New"), -1);
        EXPECT_FALSE(QxTradingSystemMgr::getInstance(false)->hasSystem(QxAtom("Brand New")));

        // Delete takes both rows without a question.
        messages.clear();
        selectOnly(list, {"Close Over SMA 20", "SMA 50-200 Cross"});
        click(remove);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(rows(list), (std::vector<wxString>{"MACD Signal Cross", "RSI 30-70", "rsi 30-70"}));
        EXPECT_FALSE(remove->IsEnabled());

        click(dlg.FindWindow(wxID_OK));
    });
    EXPECT_EQ(result, wxID_OK);

    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(false);
    EXPECT_FALSE(store->hasSystem(QxAtom("Close Over SMA 20")));
    QxObjectSmartPtr<QxTradingSystem> source = store->getSystem(QxAtom("RSI 30-70"));
    QxObjectSmartPtr<QxTradingSystem> copied = store->getSystem(QxAtom("rsi 30-70"));
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->getType(), source->getType());
    EXPECT_EQ(copied->getDescription(), source->getDescription());
    EXPECT_NE(copied->getLongEntrySignal(), source->getLongEntrySignal()) << "signals of its own";
    EXPECT_EQ(copied->getLongEntrySignal()->getConditionAt(0), source->getLongEntrySignal()->getConditionAt(0));

    // What the application does at exit.
    ASSERT_TRUE(store->save());
    QxTradingSystemMgr::destroy();
    wxXmlDocument index;
    ASSERT_TRUE(index.Load(wxString::FromUTF8((folder / "index.xml").string()), "UTF-8"));
    std::vector<wxString> indexed;
    for (const wxXmlNode* child = index.GetRoot()->GetChildren(); child; child = child->GetNext())
        indexed.push_back(child->GetAttribute("Name"));
    EXPECT_EQ(indexed, (std::vector<wxString>{"rsi 30-70", "RSI 30-70", "MACD Signal Cross"}));
    wxXmlDocument definition;
    ASSERT_TRUE(definition.Load(wxString::FromUTF8((folder / "definitions" / "rsi 30-70.xml").string()), "UTF-8"));
    EXPECT_EQ(definition.GetRoot()->GetAttribute("Name"), "rsi 30-70");
    EXPECT_EQ(definition.GetRoot()->GetAttribute("Type"), "1");
}

TEST_F(SystemManagerDialog, SelectionModeTakesOneRowWithEnterOrOk)
{
    QxTradingSystemMgr::getInstance(true);
    fs::remove(folder / "definitions" / "MACD Signal Cross.xml");

    DlgSystemManager dlg(nullptr, true);
    wxListView* list = listOf(&dlg);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(dlg.GetTitle(), "Trading System");
    EXPECT_TRUE(list->HasFlag(wxLC_SINGLE_SEL));
    EXPECT_NE(child<wxStaticText>(&dlg, "Please select trading system(s)."), nullptr);

    const int result = runModal(&dlg, [&] {
        EXPECT_TRUE(TestSupport::saveWindowShot(&dlg, "trading_system_selection.png"));
        click(dlg.FindWindow(wxID_OK));
        EXPECT_EQ(messages, (std::vector<wxString>{"Please select at-least one system."}));
        EXPECT_TRUE(dlg.IsModal());

        // A listed system whose file is there but cannot be read stays
        // listed, in the store too: the user may mend the file.
        messages.clear();
        const fs::path rsi = folder / "definitions" / "RSI 30-70.xml";
        const std::string good = tradingtest::readFile(rsi);
        { std::ofstream(rsi, std::ios::binary) << "<TradingSystem"; }
        selectOnly(list, {"RSI 30-70"});
        click(dlg.FindWindow(wxID_OK));
        EXPECT_EQ(messages, (std::vector<wxString>{"The trading system \"RSI 30-70\" could not be read."}));
        EXPECT_NE(rowOf(list, "RSI 30-70"), -1);
        EXPECT_TRUE(QxTradingSystemMgr::getInstance(false)->hasSystem(QxAtom("RSI 30-70")));
        EXPECT_TRUE(dlg.IsModal());
        { std::ofstream(rsi, std::ios::binary) << good; }

        // A listed system without a file leaves the list and the store.
        messages.clear();
        selectOnly(list, {"MACD Signal Cross"});
        click(dlg.FindWindow(wxID_OK));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], "There was an error is accessing selected Trading System, it will now be deleted "
                               "from this list.");
        EXPECT_EQ(rowOf(list, "MACD Signal Cross"), -1);
        EXPECT_FALSE(QxTradingSystemMgr::getInstance(false)->hasSystem(QxAtom("MACD Signal Cross")));
        EXPECT_TRUE(dlg.IsModal());

        selectOnly(list, {"SMA 50-200 Cross"});
        pressEnter(list);
    });
    EXPECT_EQ(result, wxID_OK);
    ASSERT_TRUE(dlg.getSelectedSystem());
    EXPECT_EQ(dlg.getSelectedSystem()->getName(), QxAtom("SMA 50-200 Cross"));
}

TEST_F(SystemManagerDialog, EditCopyAndDeleteAreOnDiskBeforeTheDialogClosesAndBadNamesAreRefused)
{
    // The editor rebuilds the RSI from the indicators the program knows.
    QxIndicatorRegistry::instance()->addBuiltInIndicators();
    QxTradingSystemMgr::getInstance(true);
    const fs::path definitions = folder / "definitions";
    auto indexed = [&] {
        std::vector<wxString> out;
        wxXmlDocument index;
        if (index.Load(wxString::FromUTF8((folder / "index.xml").string()), "UTF-8"))
            for (const wxXmlNode* child = index.GetRoot()->GetChildren(); child; child = child->GetNext())
                out.push_back(child->GetAttribute("Name") + "=" + child->GetAttribute("Desc"));
        return out;
    };
    wxString tooLong;
    for (int i = 0; i < 130; ++i)
        tooLong += wxString::FromUTF8("\xc3\xa9");

    DlgSystemManager dlg(nullptr, false);
    wxListView* list = listOf(&dlg);
    ASSERT_NE(list, nullptr);
    std::vector<wxString> afterEdit, afterCopy, afterDelete;
    bool copyWritten = false, rsiGone = true;
    runModal(&dlg, [&] {
        selectOnly(list, {"RSI 30-70"});
        editorDescription = "Edited and kept";
        click(child<wxButton>(&dlg, "&Edit..."));
        editorDescription.clear();
        afterEdit = indexed();

        // A name no file can take is refused as the field refuses one, and asked again.
        names = {tooLong, "Copied"};
        click(child<wxButton>(&dlg, "&Copy..."));
        EXPECT_EQ(messages, (std::vector<wxString>{"Please provide a valid input."}));
        EXPECT_EQ(promptTexts.size(), 2u);
        copyWritten = fs::exists(definitions / "Copied.xml");
        afterCopy = indexed();

        selectOnly(list, {"RSI 30-70"});
        click(child<wxButton>(&dlg, "&Delete"));
        rsiGone = !fs::exists(definitions / "RSI 30-70.xml");
        afterDelete = indexed();
        click(dlg.FindWindow(wxID_CANCEL));
    });
    EXPECT_EQ(edited.size(), 1u);
    ASSERT_GE(afterEdit.size(), 2u);
    EXPECT_EQ(afterEdit[1], "RSI 30-70=Edited and kept") << "written at the editor's OK";
    EXPECT_TRUE(copyWritten);
    ASSERT_FALSE(afterCopy.empty());
    EXPECT_EQ(afterCopy[0], "Copied=Edited and kept");
    EXPECT_TRUE(rsiGone);
    EXPECT_EQ(std::count(afterDelete.begin(), afterDelete.end(), "RSI 30-70=Edited and kept"), 0);
    for (const fs::directory_entry& e : fs::directory_iterator(definitions))
        EXPECT_LT(e.path().filename().string().size(), 200u) << "no file of the refused name";

    // The next start lists what the dialog left, with no save at exit.
    QxTradingSystemMgr::destroy();
    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    EXPECT_FALSE(store->hasSystem(QxAtom("RSI 30-70")));
    ASSERT_TRUE(store->getSystem(QxAtom("Copied"))) << tradingtest::readFile(definitions / "Copied.xml");
    EXPECT_EQ(store->getSystem(QxAtom("Copied"))->getDescription(), "Edited and kept");
}
