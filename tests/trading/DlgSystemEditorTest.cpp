// The trading-system editor worked as a user would, its condition editor
// and message boxes answered through the modal hook: the OK checks in
// order, switching positions, the same-as boxes, deleting and modifying
// rows, Cancel leaving the system as it was, and the whole road from the
// manager's New to the files the store writes and back into the editor.
#include "EditorTestSupport.h"
#include "TradingFakes.h"

#include "trading/DlgSystemManager.h"
#include "trading/PanelSystemSignal.h"
#include "trading/QxCondition.h"
#include "trading/QxTradingSystem.h"
#include "trading/QxTradingSystemMgr.h"

#include <gtest/gtest.h>

#include <wx/listctrl.h>
#include <wx/sstream.h>
#include <wx/xml/xml.h>

#include <filesystem>

using namespace editortest;
using tradingtest::catalogueIndicator;
using tradingtest::makeCondition;

namespace fs = std::filesystem;

namespace {

using Kind = PanelSystemSignal::Kind;

std::vector<wxString> pageTitles(wxNotebook* notebook)
{
    std::vector<wxString> out;
    for (size_t i = 0; i < notebook->GetPageCount(); ++i)
        out.push_back(notebook->GetPageText(i));
    return out;
}

std::vector<wxString> rowTexts(wxListCtrl* list)
{
    std::vector<wxString> out;
    for (long row = 0; row < list->GetItemCount(); ++row)
        out.push_back(list->GetItemText(row));
    return out;
}

void selectRows(wxListView* list, std::initializer_list<long> rows)
{
    for (long row = 0; row < list->GetItemCount(); ++row)
        list->Select(row, false);
    for (long row : rows)
        list->Select(row, true);
    framestest::pump(20);
}

QxObjectSmartPtr<QxSignal> signalOf(std::initializer_list<QxObjectSmartPtr<QxCondition>> conditions,
                                    Qx::QxSignalEvalRule rule = Qx::eEvalAll)
{
    QxObjectSmartPtr<QxSignal> signal(new QxSignal);
    signal->setSignalEvalRule(rule);
    for (const auto& condition : conditions)
        signal->addCondition(condition.get());
    return signal;
}

QxObjectSmartPtr<QxCondition> closeAbove(double value)
{
    return makeCondition("Above", tradingtest::closeId(), QxSeriesId::constant(value));
}

wxString xmlOf(const QxTradingSystem* system)
{
    wxXmlDocument doc;
    doc.SetRoot(system->toXML(nullptr));
    wxStringOutputStream out;
    doc.Save(out);
    return out.GetString();
}

// Both sides with their own signals; the short exit mirrors the long entry.
QxObjectSmartPtr<QxTradingSystem> fullSystem()
{
    QxObjectSmartPtr<QxTradingSystem> system(new QxTradingSystem);
    system->setDescription("Closes against levels");
    system->setLongEntrySignal(signalOf({closeAbove(10)}).get());
    system->setLongExitSignal(signalOf({closeAbove(20), closeAbove(21)}, Qx::eEvalAny).get());
    system->setShortEntrySignal(signalOf({closeAbove(30), closeAbove(31)}).get());
    system->setShortExitSignal(system->getLongEntrySignal());
    return system;
}

class SystemEditor : public EditorTest {
protected:
    void SetUp() override { folder = tradingtest::resetStore(TestSupport::binDir()); }
    void TearDown() override { QxTradingSystemMgr::destroy(); }

    fs::path folder;
};

} // namespace

TEST_F(SystemEditor, ANewSystemIsCheckedSignalBySignalAndThenTheDescription)
{
    QxObjectSmartPtr<QxTradingSystem> system(new QxTradingSystem);
    DlgSystemEditor dlg(nullptr, system.get());
    NestedAnswers answers;
    EXPECT_EQ(dlg.GetTitle(), "Trading System Editor");
    EXPECT_TRUE(dlg.bothButton()->GetValue());
    EXPECT_EQ(pageTitles(dlg.notebook()),
              (std::vector<wxString>{"Long Entry", "Long Exit", "Short Entry", "Short Exit"}));
    EXPECT_EQ(dlg.notebook()->GetSelection(), 0);
    EXPECT_FALSE(dlg.page(Kind::eLongEntry)->sameAsBox()->IsShown());
    EXPECT_EQ(dlg.page(Kind::eShortEntry)->sameAsBox()->GetLabel(), "Same as long exit");
    EXPECT_EQ(dlg.page(Kind::eShortExit)->sameAsBox()->GetLabel(), "Same as long entry");
    for (Kind kind : {Kind::eShortEntry, Kind::eShortExit}) {
        PanelSystemSignal* page = dlg.page(kind);
        EXPECT_TRUE(page->isSameAsTicked()) << "two absent signals are the same";
        EXPECT_TRUE(page->sameAsBox()->IsEnabled());
        for (wxWindow* control : {static_cast<wxWindow*>(page->list()), static_cast<wxWindow*>(page->addButton()),
                                  static_cast<wxWindow*>(page->anyButton())})
            EXPECT_FALSE(control->IsEnabled());
    }

    auto addTo = [&](Kind kind, double value) {
        answers.conditions.push_back(define("Close", "Above", "Other fixed value"));
        answers.typed.push_back(wxString::FromCDouble(value));
        click(dlg.page(kind)->addButton());
    };
    struct Step {
        std::function<void()> before;
        const char* message;
        int page; // the page shown after the message, -1 for the description
    };
    const Step steps[] = {
        {[] {}, "Conditions for long entry is not defined.", 0},
        {[&] { addTo(Kind::eLongEntry, 1); }, "Conditions for long exit is not defined.", 1},
        {[&] {
             addTo(Kind::eLongExit, 2);
             toggle(dlg.page(Kind::eShortEntry)->sameAsBox());
         },
         "Conditions for short entry is not defined.", 2},
        {[&] {
             addTo(Kind::eShortEntry, 3);
             toggle(dlg.page(Kind::eShortExit)->sameAsBox());
         },
         "Conditions for short exit is not defined.", 3},
        {[&] { toggle(dlg.page(Kind::eShortExit)->sameAsBox()); }, "Please provide system description", -1},
    };
    dlg.Show(); // focus goes only to a shown window
    for (const Step& step : steps) {
        SCOPED_TRACE(step.message);
        step.before();
        dlg.notebook()->SetSelection(step.page == 0 ? 3 : 0);
        answers.messages.clear();
        EXPECT_EQ(pressOk(&dlg), 0) << "stays open";
        EXPECT_EQ(answers.messages, std::vector<wxString>{step.message});
        if (step.page >= 0) {
            EXPECT_EQ(dlg.notebook()->GetSelection(), step.page);
        } else {
            framestest::pump(50);
            EXPECT_EQ(wxWindow::FindFocus(), dlg.descriptionField());
        }
        EXPECT_EQ(system->getLongEntrySignal(), nullptr) << "nothing reaches the system before OK";
        EXPECT_EQ(system->getDescription(), "");
    }
    dlg.notebook()->SetSelection(3);
    EXPECT_TRUE(TestSupport::saveWindowShot(&dlg, "trading_system_editor_new.png"));

    dlg.descriptionField()->ChangeValue("Levels");
    EXPECT_EQ(pressOk(&dlg), wxID_OK);
    dlg.Hide();
    EXPECT_EQ(system->getDescription(), "Levels");
    EXPECT_EQ(system->getType(), Qx::eLongAndShort);
    ASSERT_NE(system->getLongEntrySignal(), nullptr);
    EXPECT_EQ(system->getLongEntrySignal()->getConditionAt(0)->getSecondSeries().value(), 1.0);
    EXPECT_EQ(system->getLongExitSignal()->getConditionAt(0)->getSecondSeries().value(), 2.0);
    ASSERT_NE(system->getShortEntrySignal(), nullptr);
    EXPECT_NE(system->getShortEntrySignal(), system->getLongExitSignal()) << "unticked: its own";
    EXPECT_EQ(system->getShortEntrySignal()->getConditionAt(0)->getSecondSeries().value(), 3.0);
    EXPECT_EQ(system->getShortExitSignal(), system->getLongEntrySignal()) << "ticked: the very signal";
    EXPECT_EQ(answers.seen()[1].className, "DlgConditionEditor");
    EXPECT_EQ(answers.seen()[1].title, "Define condition for signal");
}

TEST_F(SystemEditor, SwitchingPositionsKeepsPagesInOrderAndTheirConditions)
{
    QxObjectSmartPtr<QxTradingSystem> system = fullSystem();
    DlgSystemEditor dlg(nullptr, system.get());
    NestedAnswers answers;
    PanelSystemSignal* shortEntry = dlg.page(Kind::eShortEntry);
    PanelSystemSignal* shortExit = dlg.page(Kind::eShortExit);
    EXPECT_FALSE(shortEntry->isSameAsTicked());
    EXPECT_TRUE(shortExit->isSameAsTicked());
    EXPECT_EQ(rowTexts(dlg.page(Kind::eLongExit)->list()).size(), 2u);
    EXPECT_TRUE(dlg.page(Kind::eLongExit)->anyButton()->GetValue()) << "the signal's rule";
    EXPECT_TRUE(dlg.page(Kind::eLongEntry)->allButton()->GetValue());

    pick(dlg.onlyShortButton());
    EXPECT_EQ(pageTitles(dlg.notebook()), (std::vector<wxString>{"Short Entry", "Short Exit"}));
    for (PanelSystemSignal* page : {shortEntry, shortExit}) {
        EXPECT_FALSE(page->isSameAsTicked());
        EXPECT_FALSE(page->sameAsBox()->IsEnabled());
        EXPECT_TRUE(page->addButton()->IsEnabled());
    }
    EXPECT_EQ(shortEntry->rowCount(), 2);
    EXPECT_FALSE(dlg.page(Kind::eLongEntry)->IsShown()) << "kept, hidden";

    pick(dlg.bothButton());
    EXPECT_EQ(pageTitles(dlg.notebook()),
              (std::vector<wxString>{"Long Entry", "Long Exit", "Short Entry", "Short Exit"}));
    EXPECT_EQ(dlg.notebook()->GetSelection(), 0);
    EXPECT_EQ(dlg.page(Kind::eLongEntry)->rowCount(), 1) << "the hidden page kept its conditions";
    EXPECT_EQ(dlg.page(Kind::eLongExit)->rowCount(), 2);
    EXPECT_TRUE(shortExit->sameAsBox()->IsEnabled());
    EXPECT_FALSE(shortExit->isSameAsTicked());

    pick(dlg.onlyLongButton());
    EXPECT_EQ(pageTitles(dlg.notebook()), (std::vector<wxString>{"Long Entry", "Long Exit"}));
    pick(dlg.bothButton());
    EXPECT_EQ(pageTitles(dlg.notebook()),
              (std::vector<wxString>{"Long Entry", "Long Exit", "Short Entry", "Short Exit"}));
    EXPECT_EQ(dlg.notebook()->GetSelection(), 2) << "the short pages come into view";
    EXPECT_EQ(shortEntry->rowCount(), 2);

    // Conditions of a side the type lacks are not written.
    pick(dlg.onlyLongButton());
    EXPECT_EQ(pressOk(&dlg), wxID_OK);
    EXPECT_TRUE(answers.messages.empty());
    EXPECT_EQ(system->getType(), Qx::eLongOnly);
    EXPECT_EQ(system->getShortEntrySignal(), nullptr);
    EXPECT_EQ(system->getShortExitSignal(), nullptr);
    ASSERT_NE(system->getLongExitSignal(), nullptr);
    EXPECT_EQ(system->getLongExitSignal()->getNumConditions(), 2u);
    EXPECT_EQ(system->getLongExitSignal()->getSignalEvalRule(), Qx::eEvalAny);
}

TEST_F(SystemEditor, TickingSameAsEmptiesThePageForGood)
{
    QxObjectSmartPtr<QxTradingSystem> system = fullSystem();
    DlgSystemEditor dlg(nullptr, system.get());
    PanelSystemSignal* page = dlg.page(Kind::eShortEntry);
    ASSERT_EQ(page->rowCount(), 2);
    toggle(page->sameAsBox());
    EXPECT_EQ(page->rowCount(), 0);
    EXPECT_FALSE(page->list()->IsEnabled());
    EXPECT_FALSE(page->addButton()->IsEnabled());
    toggle(page->sameAsBox());
    EXPECT_EQ(page->rowCount(), 0) << "unticking brings nothing back";
    EXPECT_TRUE(page->list()->IsEnabled());
    EXPECT_TRUE(page->addButton()->IsEnabled());
    EXPECT_FALSE(dlg.isSignalDefined(page));
}

TEST_F(SystemEditor, DeletingRowsRecoloursTheRestAndModifyEditsTheRowsOwnCondition)
{
    QxObjectSmartPtr<QxCondition> c0 = closeAbove(100), c1 = closeAbove(101), c2 = closeAbove(102);
    QxObjectSmartPtr<QxTradingSystem> system = fullSystem();
    system->setLongEntrySignal(signalOf({c0, c1, c2}).get());
    DlgSystemEditor dlg(nullptr, system.get());
    NestedAnswers answers;
    PanelSystemSignal* page = dlg.page(Kind::eLongEntry);
    wxListView* list = page->list();

    selectRows(list, {0, 2});
    EXPECT_FALSE(page->modifyButton()->IsEnabled()) << "two rows";
    EXPECT_TRUE(page->deleteButton()->IsEnabled());
    selectRows(list, {0});
    EXPECT_TRUE(page->modifyButton()->IsEnabled());
    click(page->deleteButton());
    EXPECT_EQ(rowTexts(list), (std::vector<wxString>{c1->getDescription(), c2->getDescription()}));
    for (long row = 0; row < list->GetItemCount(); ++row)
        EXPECT_EQ(list->GetItemBackgroundColour(row), PanelSystemSignal::rowColour(row)) << row;
    EXPECT_NE(PanelSystemSignal::rowColour(0), PanelSystemSignal::rowColour(1));

    // Modify on the second row shows its own condition.
    QxCondition* shown = nullptr;
    answers.conditions.push_back([&](DlgConditionEditor* editor) {
        shown = editor->getCondition();
        EXPECT_EQ(selectedText(editor->secondSeriesList()), "102");
        choose(editor->secondSeriesList(), "150");
        click(editor->FindWindow(wxID_OK));
    });
    selectRows(list, {1});
    click(page->modifyButton());
    EXPECT_EQ(shown, c2.get());
    EXPECT_EQ(c2->getSecondSeries().value(), 102.0) << "never changed";
    EXPECT_EQ(list->GetItemText(0), c1->getDescription());
    EXPECT_EQ(list->GetItemText(1), closeAbove(150)->getDescription());

    // A double click and Enter modify the selected row too; Cancel there
    // changes nothing.
    std::vector<QxCondition*> shownAgain;
    auto cancelled = [&](DlgConditionEditor* editor) { shownAgain.push_back(editor->getCondition()); };
    answers.conditions = {cancelled, cancelled};
    selectRows(list, {0});
    wxListEvent activated(wxEVT_LIST_ITEM_ACTIVATED, list->GetId());
    activated.SetEventObject(list);
    activated.m_itemIndex = 0;
    list->ProcessWindowEvent(activated);
    wxListEvent enter(wxEVT_LIST_KEY_DOWN, list->GetId());
    enter.SetEventObject(list);
    enter.m_code = WXK_RETURN;
    list->ProcessWindowEvent(enter);
    EXPECT_EQ(shownAgain, (std::vector<QxCondition*>{c1.get(), c1.get()}));
    EXPECT_EQ(list->GetItemText(0), c1->getDescription());

    EXPECT_EQ(pressOk(&dlg), wxID_OK);
    QxSignal* entry = system->getLongEntrySignal();
    ASSERT_EQ(entry->getNumConditions(), 2u);
    EXPECT_EQ(entry->getConditionAt(0), c1.get()) << "shared, not copied";
    EXPECT_EQ(entry->getConditionAt(1)->getSecondSeries().value(), 150.0);
}

TEST_F(SystemEditor, CancelAfterAnyEditingLeavesTheSystemByteForByte)
{
    // A stored system, read back in a later run: nothing to write yet.
    {
        QxObjectSmartPtr<QxTradingSystem> stored = fullSystem();
        ASSERT_EQ(stored->setName(QxAtom("Untouched")), eNoError);
        ASSERT_EQ(QxTradingSystemMgr::getInstance(true)->addSystem(stored), eNoError);
        ASSERT_TRUE(QxTradingSystemMgr::getInstance(false)->save());
        QxTradingSystemMgr::destroy();
    }
    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    QxObjectSmartPtr<QxTradingSystem> system = store->getSystem(QxAtom("Untouched"));
    ASSERT_TRUE(system);
    auto modified = [store] {
        for (unsigned i = 0; i < store->getCount(); ++i)
            if (store->getEntryAt(i).name == QxAtom("Untouched"))
                return store->getEntryAt(i).modified;
        return true;
    };
    ASSERT_FALSE(modified());
    const wxString before = xmlOf(system.get());
    ASSERT_FALSE(before.empty());
    {
        DlgSystemEditor dlg(nullptr, system.get());
        NestedAnswers answers;
        EXPECT_EQ(dlg.FindWindow(wxID_CANCEL)->GetLabel(), "&Cancel");
        answers.conditions = {define("Open", "MovesUp", ""), define("High", "Below", "Low"),
                              define("Low", "Equal", "0")};
        click(dlg.page(Kind::eLongEntry)->addButton());
        selectRows(dlg.page(Kind::eLongExit)->list(), {1});
        click(dlg.page(Kind::eLongExit)->modifyButton());
        selectRows(dlg.page(Kind::eShortEntry)->list(), {0, 1});
        click(dlg.page(Kind::eShortEntry)->deleteButton());
        toggle(dlg.page(Kind::eShortExit)->sameAsBox());
        click(dlg.page(Kind::eShortExit)->addButton());
        pick(dlg.onlyShortButton());
        dlg.page(Kind::eShortExit)->anyButton()->SetValue(true);
        dlg.descriptionField()->ChangeValue("Something else");
        EXPECT_EQ(dlg.page(Kind::eLongEntry)->rowCount(), 2);
        EXPECT_EQ(dlg.page(Kind::eShortExit)->rowCount(), 1);
        EXPECT_TRUE(answers.conditions.empty()) << "every script ran";
    } // Cancel: the editor goes without OK
    EXPECT_EQ(xmlOf(system.get()), before);
    EXPECT_FALSE(modified()) << "nothing to write at exit";
}

// New in the manager, two conditions through the condition editor, OK; the
// store writes the definition at exit and reads it back; Edit then changes
// a constant that keeps all its digits through the next exit and reload.
TEST_F(SystemEditor, UserPathFromNewToTheDefinitionFileAndBack)
{
    NestedAnswers answers;
    answers.typed = {wxString("My RSI")}; // the name prompt
    answers.indicators = {wxString("RSI")};
    answers.conditions = {define("Add indicator", "CrossOverUp", "30"), define("RSI(14)", "CrossOverDown", "70")};
    answers.systemEditors.push_back([&](DlgSystemEditor* editor) {
        EXPECT_EQ(editor->GetParent()->GetClassInfo()->GetClassName(), wxString("wxDialog"));
        EXPECT_EQ(pageTitles(editor->notebook()).size(), 4u);
        for (Kind kind : {Kind::eShortEntry, Kind::eShortExit}) {
            EXPECT_TRUE(editor->page(kind)->isSameAsTicked());
            EXPECT_FALSE(editor->page(kind)->list()->IsEnabled());
            EXPECT_FALSE(editor->page(kind)->addButton()->IsEnabled());
        }
        click(editor->page(Kind::eLongEntry)->addButton());
        editor->notebook()->SetSelection(1);
        click(editor->page(Kind::eLongExit)->addButton());
        editor->descriptionField()->ChangeValue("RSI back through 30, out through 70");
        editor->Show();
        EXPECT_TRUE(TestSupport::saveWindowShot(editor, "trading_system_editor.png"));
        click(editor->FindWindow(wxID_OK));
        editor->Hide();
    });
    {
        DlgSystemManager manager(nullptr, false);
        click(childOf<wxButton>(&manager, "&New..."));
        wxListView* rows = childOf<wxListView>(&manager);
        ASSERT_NE(rows, nullptr);
        const long row = rows->FindItem(-1, "My RSI");
        ASSERT_NE(row, -1) << "the manager lists the new system";
        EXPECT_EQ(rows->GetItemText(row, 1), "RSI back through 30, out through 70");
        EXPECT_TRUE(answers.systemEditors.empty() && answers.conditions.empty() && answers.indicators.empty());
    }
    EXPECT_TRUE(answers.messages.empty()) << answers.messages.front().utf8_str();

    // Exit, then the definition file.
    ASSERT_TRUE(QxTradingSystemMgr::getInstance(false)->save());
    QxTradingSystemMgr::destroy();
    wxXmlDocument definition;
    ASSERT_TRUE(definition.Load(wxString::FromUTF8((folder / "definitions" / "My RSI.xml").string()), "UTF-8"));
    std::vector<wxString> signalNames;
    for (const wxXmlNode* signal = definition.GetRoot()->GetChildren()->GetChildren(); signal;
         signal = signal->GetNext())
        signalNames.push_back(signal->GetAttribute("Name"));
    EXPECT_EQ(signalNames, (std::vector<wxString>{"LongExit", "LongEntry"}));

    // Read back: the short signals are the long ones.
    QxObjectSmartPtr<QxTradingSystem> back = QxTradingSystemMgr::getInstance(true)->getSystem(QxAtom("My RSI"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->getType(), Qx::eLongAndShort);
    EXPECT_EQ(back->getShortEntrySignal(), back->getLongExitSignal());
    EXPECT_EQ(back->getShortExitSignal(), back->getLongEntrySignal());
    const QxCondition* entry = back->getLongEntrySignal()->getConditionAt(0);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->getName(), QxAtom("CrossOverUp"));
    EXPECT_EQ(entry->getFirstSeries().indicator()->getDisplayName(), "RSI(14)");
    EXPECT_EQ(entry->getSecondSeries().value(), 30.0);
    EXPECT_EQ(back->getLongExitSignal()->getConditionAt(0)->getName(), QxAtom("CrossOverDown"));
    EXPECT_EQ(back->getLongExitSignal()->getConditionAt(0)->getSecondSeries().value(), 70.0);

    // Edit: the entry's level becomes a typed 1234.5678.
    answers.typed = {wxString("1234.5678")};
    answers.conditions = {[](DlgConditionEditor* editor) {
        EXPECT_EQ(selectedText(editor->firstSeriesList()), "RSI(14)");
        EXPECT_EQ(selectedText(editor->secondSeriesList()), "30");
        choose(editor->secondSeriesList(), "Other fixed value");
        editor->Show();
        EXPECT_TRUE(TestSupport::saveWindowShot(editor, "condition_editor.png"));
        editor->Hide();
        click(editor->FindWindow(wxID_OK));
    }};
    answers.systemEditors.push_back([](DlgSystemEditor* editor) {
        selectRows(editor->page(Kind::eLongEntry)->list(), {0});
        click(editor->page(Kind::eLongEntry)->modifyButton());
        click(editor->FindWindow(wxID_OK));
    });
    {
        DlgSystemManager manager(nullptr, false);
        wxListView* rows = childOf<wxListView>(&manager);
        ASSERT_NE(rows, nullptr);
        selectRows(rows, {rows->FindItem(-1, "My RSI")});
        click(childOf<wxButton>(&manager, "&Edit..."));
        EXPECT_TRUE(answers.systemEditors.empty() && answers.conditions.empty());
    }
    back = nullptr;
    ASSERT_TRUE(QxTradingSystemMgr::getInstance(false)->save());
    QxTradingSystemMgr::destroy();
    back = QxTradingSystemMgr::getInstance(true)->getSystem(QxAtom("My RSI"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->getLongEntrySignal()->getConditionAt(0)->getSecondSeries().value(), 1234.5678);
    EXPECT_EQ(back->getShortExitSignal(), back->getLongEntrySignal());

    // Shown again, the value keeps its short text and its exact number.
    DlgConditionEditor editor(nullptr, back.get());
    editor.setCondition(back->getLongEntrySignal()->getConditionAt(0));
    EXPECT_EQ(selectedText(editor.secondSeriesList()), "1234.57");
    EXPECT_EQ(pressOk(&editor), wxID_OK);
    EXPECT_EQ(editor.getCondition()->getSecondSeries().value(), 1234.5678);
}
