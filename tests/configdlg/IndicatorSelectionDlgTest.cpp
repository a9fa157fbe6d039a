// The indicator selection dialog over the real catalogue: its pages and
// rows, Explain following the page's selection, the drag switch, and the
// copies chooseIndicator hands back.
#include "app/QxIndicatorRegistry.h"
#include "configdlg/QxIndicConfigDlg.h"
#include "configdlg/QxIndicatorSelectionDlg.h"
#include "configdlg/QxIndicatorSelectionPanel.h"
#include "core/QxIndicator.h"
#include "core/QxUtils.h"
#include "core/platform/QxHelpBook.h"
#include "support/ModalScript.h"
#include "support/RealInput.h"
#include "support/TestSupport.h"
#include "support/WindowShot.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpwnd.h>
#include <wx/timer.h>
#include <wx/treectrl.h>


#include <set>

using TestSupport::ModalScript;

namespace {

struct SelectionDlg : ::testing::Test {
    static void SetUpTestSuite()
    {
        QxIndicatorRegistry::instance()->addBuiltInIndicators();
        // No help books: Explain and Help open no viewer.
        QxUtils::setHelpFolder(wxString::FromUTF8(TestSupport::makeTempDir("nohelp")));
    }
    static void TearDownTestSuite() { QxUtils::setHelpFolder(wxString()); }

    static void clearSelections(QxIndicatorSelectionDlg* dlg)
    {
        for (size_t i = 0; i < dlg->pageCount(); ++i)
            dlg->page(i)->list()->SetItemState(-1, 0, wxLIST_STATE_SELECTED);
    }
    static void beginDrag(QxIndicatorSelectionPanel* page)
    {
        wxListEvent drag(wxEVT_LIST_BEGIN_DRAG, page->list()->GetId());
        drag.SetEventObject(page->list());
        page->list()->GetEventHandler()->ProcessEvent(drag);
    }
    static long rowOf(QxIndicatorSelectionPanel* page, const char* name)
    {
        return page->list()->FindItem(-1, name);
    }
};

} // namespace

TEST(IndicatorSelectionRows, EverySecondRowFromTheLastIsTinted)
{
    struct Case {
        long rows;
        std::vector<bool> tinted;
    };
    for (const Case& c : {Case{1, {true}}, Case{2, {false, true}}, Case{3, {true, false, true}},
                          Case{4, {false, true, false, true}}})
        for (long i = 0; i < c.rows; ++i)
            EXPECT_EQ(QxIndicatorSelectionPanel::isRowTinted(i, c.rows), c.tinted[size_t(i)]) << c.rows << " " << i;
    EXPECT_FALSE(QxIndicatorSelectionPanel::isRowTinted(-1, 3));
    EXPECT_FALSE(QxIndicatorSelectionPanel::isRowTinted(3, 3));
}

TEST_F(SelectionDlg, PagesListEveryIndicatorOnceInNameOrder)
{
    QxIndicatorSelectionDlg* dlg = QxIndicatorSelectionDlg::get();
    EXPECT_EQ(QxIndicatorSelectionDlg::get(), dlg) << "one dialog for the process";
    EXPECT_EQ(dlg->GetTitle(), "Select Indicator");
    std::vector<QxAtom> groups;
    QxIndicatorRegistry::instance()->getIndicatorGroups(groups);
    ASSERT_EQ(dlg->pageCount(), groups.size() + 1);
    EXPECT_EQ(dlg->notebook()->GetPageText(0), "All");

    std::multiset<wxString> inGroups;
    for (size_t p = 1; p < dlg->pageCount(); ++p) {
        QxIndicatorSelectionPanel* page = dlg->page(p);
        EXPECT_EQ(dlg->notebook()->GetPageText(p), groups[p - 1].string());
        std::vector<QxAtom> names;
        QxIndicatorRegistry::instance()->getIndicatorNames(groups[p - 1], names);
        EXPECT_EQ(page->list()->GetItemCount(), long(names.size()));
        for (long r = 0; r < page->list()->GetItemCount(); ++r)
            inGroups.insert(page->list()->GetItemText(r, 0));
    }
    wxListCtrl* all = dlg->page(0)->list();
    ASSERT_EQ(size_t(all->GetItemCount()), inGroups.size());
    std::set<wxString> once;
    for (long r = 0; r < all->GetItemCount(); ++r) {
        const wxString name = all->GetItemText(r, 0);
        EXPECT_TRUE(once.insert(name).second) << name << " twice";
        EXPECT_EQ(inGroups.count(name), 1u) << name;
        if (r > 0) {
            EXPECT_LE(all->GetItemText(r - 1, 0).CmpNoCase(name), 0) << "rows in name order at " << r;
        }
        const QxIndicator* ind = QxIndicatorRegistry::instance()->getIndicator(QxAtom(name));
        ASSERT_NE(ind, nullptr) << name;
        EXPECT_EQ(all->GetItemText(r, 1), ind->getDescription());
        EXPECT_EQ(all->GetItemBackgroundColour(r) == QxIndicatorSelectionPanel::tint(),
                  QxIndicatorSelectionPanel::isRowTinted(r, all->GetItemCount()));
    }
    EXPECT_TRUE(once.count("SMA") && once.count("RSI"));
}

// Explain takes the selection of the page shown; with none it is disabled
// and explains nothing. Double-click and Enter act as OK.
TEST_F(SelectionDlg, ExplainFollowsThePageAndEnterActsAsOk)
{
    QxIndicatorSelectionDlg* dlg = QxIndicatorSelectionDlg::get();
    TestSupport::MessageBoxes messages;
    std::vector<wxString> explained;
    std::vector<bool> enabled;
    ModalScript script;
    script.when<QxIndicatorSelectionDlg>([&](QxIndicatorSelectionDlg* d) {
        clearSelections(d);
        d->notebook()->SetSelection(0);
        ASSERT_TRUE(d->page(0)->selectName("RSI"));
        enabled.push_back(d->isExplainEnabled());
        d->explain();
        explained.push_back(d->selectedIndicator() ? d->selectedIndicator()->getName().string() : "-");
        // Another page with nothing selected.
        d->notebook()->SetSelection(1);
        enabled.push_back(d->isExplainEnabled());
        d->explain();
        explained.push_back(d->selectedIndicator() ? d->selectedIndicator()->getName().string() : "-");
        const wxString first = d->page(1)->list()->GetItemText(0, 0);
        ASSERT_TRUE(d->page(1)->selectName(first));
        enabled.push_back(d->isExplainEnabled());
        d->explain();
        explained.push_back(d->selectedIndicator() ? d->selectedIndicator()->getName().string() : "-");
        EXPECT_TRUE(d->IsModal()) << "Explain leaves the dialog open";
        EXPECT_TRUE(TestSupport::saveWindowShot(d, "indicator-selection.png"));
        // Enter in the list closes the dialog as OK does.
        wxListEvent enter(wxEVT_LIST_KEY_DOWN, d->page(1)->list()->GetId());
        enter.SetEventObject(d->page(1)->list());
        enter.m_code = WXK_RETURN;
        d->page(1)->list()->GetEventHandler()->ProcessEvent(enter);
    });
    script.when<QxIndicConfigDlg>([](QxIndicConfigDlg* c) { ModalScript::press(c, wxID_CANCEL); });
    EXPECT_EQ(dlg->chooseIndicator(5, false), nullptr) << "configuration cancelled";
    EXPECT_EQ(script.pending(), 0u) << "Enter ended the selection and the configuration was shown";
    EXPECT_EQ(enabled, (std::vector<bool>{true, false, true}));
    ASSERT_EQ(explained.size(), 3u);
    EXPECT_EQ(explained[0], "RSI");
    EXPECT_EQ(explained[1], "-");
    EXPECT_EQ(explained[2], dlg->page(1)->list()->GetItemText(0, 0));
    EXPECT_TRUE(messages.texts().empty());

    // A double-click on a row is OK too; the copy comes back configured and
    // independent of the catalogue's indicator.
    ModalScript again;
    again.when<QxIndicatorSelectionDlg>([&](QxIndicatorSelectionDlg* d) {
        d->notebook()->SetSelection(0);
        ASSERT_TRUE(d->page(0)->selectName("SMA"));
        wxListEvent activate(wxEVT_LIST_ITEM_ACTIVATED, d->page(0)->list()->GetId());
        activate.SetEventObject(d->page(0)->list());
        activate.m_itemIndex = rowOf(d->page(0), "SMA");
        d->page(0)->list()->GetEventHandler()->ProcessEvent(activate);
    });
    again.when<QxIndicConfigDlg>([](QxIndicConfigDlg* c) { ModalScript::press(c, wxID_OK); });
    QxObjectSmartPtr<QxIndicator> chosen(dlg->chooseIndicator(5, false));
    ASSERT_NE(chosen.get(), nullptr);
    EXPECT_FALSE(dlg->endedByDrag());
    EXPECT_EQ(chosen->getName().string(), "SMA");
    EXPECT_NE(chosen.get(), QxIndicatorRegistry::instance()->getIndicator(QxAtom("SMA")));
    EXPECT_EQ(chosen->numRefs(), 1) << "nobody else holds the copy";
}

// Without dragging the hint row is hidden and a drag does nothing; with it
// the row comes back, and a drag ends the run with an unconfigured copy, or
// with nothing when no row is selected.
TEST_F(SelectionDlg, DraggingOnlyWhenAllowed)
{
    QxIndicatorSelectionDlg* dlg = QxIndicatorSelectionDlg::get();
    bool hintShown = true, stillOpen = false;
    ModalScript script;
    script.when<QxIndicatorSelectionDlg>([&](QxIndicatorSelectionDlg* d) {
        hintShown = d->isHintShown();
        d->notebook()->SetSelection(0);
        ASSERT_TRUE(d->page(0)->selectName("EMA"));
        beginDrag(d->page(0));
        stillOpen = d->IsModal();
        ModalScript::press(d, wxID_CANCEL);
    });
    EXPECT_EQ(dlg->chooseIndicator(5, false), nullptr);
    EXPECT_FALSE(hintShown);
    EXPECT_TRUE(stillOpen) << "no drag without permission";
    EXPECT_FALSE(dlg->endedByDrag());

    bool configShown = false;
    ModalScript dragging;
    dragging.when<QxIndicatorSelectionDlg>([&](QxIndicatorSelectionDlg* d) {
        hintShown = d->isHintShown();
        EXPECT_TRUE(TestSupport::saveWindowShot(d, "indicator-selection-drag-hint.png"));
        beginDrag(d->page(0));
    });
    dragging.when<QxIndicConfigDlg>([&](QxIndicConfigDlg* c) {
        configShown = true;
        ModalScript::press(c, wxID_CANCEL);
    });
    QxObjectSmartPtr<QxIndicator> copy(dlg->chooseIndicator(7, true));
    EXPECT_TRUE(hintShown);
    EXPECT_TRUE(dlg->endedByDrag());
    ASSERT_NE(copy.get(), nullptr);
    EXPECT_EQ(copy->getName().string(), "EMA");
    TestSupport::pumpEvents(200);
    EXPECT_FALSE(configShown) << "a dragged copy is not configured";

    ModalScript empty;
    empty.when<QxIndicatorSelectionDlg>([&](QxIndicatorSelectionDlg* d) {
        clearSelections(d);
        beginDrag(d->page(0));
    });
    EXPECT_EQ(dlg->chooseIndicator(7, true), nullptr);
    EXPECT_TRUE(dlg->endedByDrag());
    EXPECT_EQ(dlg->selectedIndicator(), nullptr);
}

// Explain opens the indicator's help beside the modal dialog: the help
// window takes clicks, the dialog answers while it is open, the help window
// closes through the window manager, and OK ends the dialog at once. Clicks
// and keys go through the X server, as a user's do.
TEST_F(SelectionDlg, ExplainedHelpTakesInputClosesAndLeavesTheDialogWorking)
{
    QxUtils::setHelpFolder(wxString::FromUTF8(TestSupport::binDir() + "/help"));
    TestSupport::ScopedWindowManager desktop;
    ASSERT_TRUE(desktop.ok());
    auto helpWindow = []() -> wxFrame* {
        wxHtmlHelpController* controller = QxUtils::indicatorBook().controller();
        return controller && controller->GetHelpWindow() ? controller->GetFrame() : nullptr;
    };
    auto centre = [](wxWindow* w) { return wxPoint(w->GetClientSize().x / 2, w->GetClientSize().y / 2); };
    // A help window that keeps the dialog from working would hang the test:
    // it is closed after a while, and the test fails instead.
    bool guardFired = false;
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (wxFrame* help = helpWindow()) {
            guardFired = true;
            help->Close();
        }
    });

    // As in the program, the dialog is opened from the active chart window,
    // the one it is modal for.
    auto* chart = new wxFrame(nullptr, wxID_ANY, "Chart", wxPoint(0, 0), wxSize(300, 200));
    chart->Show();
    ASSERT_TRUE(TestSupport::focusFrame(chart));

    QxIndicatorSelectionDlg* dlg = QxIndicatorSelectionDlg::get();
    bool explainReturned = false, helpOpenAfterExplain = false, helpTookClick = false, dialogAnswered = false,
         helpClosed = false, configShown = false;
    wxString pageBefore, pageAfter, configured;
    ModalScript script(60000);
    script.when<QxIndicatorSelectionDlg>([&](QxIndicatorSelectionDlg* d) {
        ASSERT_TRUE(TestSupport::waitUntilPlaced(d));
        clearSelections(d);
        d->notebook()->SetSelection(0);
        ASSERT_TRUE(d->page(0)->selectName("SMA"));
        guard.StartOnce(15000);
        ASSERT_TRUE(TestSupport::clickAt(d->explainButton(), centre(d->explainButton())));
        // Only a viewer that holds the click until it is closed is closed by the guard.
        guard.Stop();
        explainReturned = !guardFired;
        // A busy machine may take a while to read the book and open the viewer.
        helpOpenAfterExplain = TestSupport::pumpUntil([&] { return helpWindow() != nullptr; }, 10000);
        wxFrame* help = helpWindow();
        ASSERT_NE(help, nullptr);
        ASSERT_TRUE(TestSupport::pumpUntil([&] { return help->IsShownOnScreen(); }, 5000));
        // Beside the dialog, so that no click meant for one lands on the other.
        help->SetSize(d->GetRect().GetRight() + 20, 0, 700, 600);
        ASSERT_TRUE(TestSupport::waitUntilPlaced(help));
        TestSupport::saveWindowShot(help, "help-beside-selection-dialog.png");

        // The help window takes a click: its contents tree shows another page.
        wxTreeCtrl* tree = QxUtils::indicatorBook().controller()->GetHelpWindow()->GetTreeCtrl();
        ASSERT_NE(tree, nullptr);
        pageBefore = QxUtils::indicatorBook().openedPage();
        // The row below the page shown: the tree keeps that one in view.
        const wxTreeItemId shown = tree->GetSelection();
        ASSERT_TRUE(shown.IsOk());
        const wxTreeItemId item = tree->GetNextSibling(shown);
        ASSERT_TRUE(item.IsOk());
        wxRect rect;
        ASSERT_TRUE(tree->GetBoundingRect(item, rect, true));
        ASSERT_TRUE(wxRect(tree->GetClientSize()).Contains(rect.GetPosition() + wxPoint(rect.width / 2, rect.height / 2)));
        ASSERT_TRUE(TestSupport::clickAt(tree, rect.GetPosition() + wxPoint(rect.width / 2, rect.height / 2)));
        TestSupport::pumpEvents(300);
        pageAfter = QxUtils::indicatorBook().openedPage();
        helpTookClick = !pageAfter.empty() && pageAfter != pageBefore;

        // The dialog answers a click in its list while the help is open.
        wxListCtrl* list = d->page(0)->list();
        const long rsi = rowOf(d->page(0), "RSI");
        ASSERT_GE(rsi, 0);
        list->EnsureVisible(rsi);
        TestSupport::pumpEvents(100);
        ASSERT_TRUE(list->GetItemRect(rsi, rect));
        ASSERT_TRUE(TestSupport::clickAt(list, rect.GetPosition() + wxPoint(20, rect.height / 2)));
        dialogAnswered = list->GetItemState(rsi, wxLIST_STATE_SELECTED) != 0;

        // Closed through the window manager.
        helpClosed = TestSupport::closeWithAltF4([&]() -> wxTopLevelWindow* { return helpWindow(); }) && !guardFired;
        TestSupport::pumpEvents(200);

        // OK works at once.
        wxWindow* ok = d->FindWindow(wxID_OK);
        ASSERT_NE(ok, nullptr);
        EXPECT_TRUE(TestSupport::focusFrame(d));
        ASSERT_TRUE(TestSupport::clickAt(ok, centre(ok)));
    });
    script.when<QxIndicConfigDlg>([&](QxIndicConfigDlg* c) {
        configShown = true;
        configured = dlg->selectedIndicator() ? dlg->selectedIndicator()->getName().string() : wxString();
        ModalScript::press(c, wxID_CANCEL);
    });
    EXPECT_EQ(dlg->chooseIndicator(5, false), nullptr) << "configuration cancelled";
    guard.Stop();
    EXPECT_TRUE(explainReturned) << "Explain returns while the help stays open";
    EXPECT_TRUE(helpOpenAfterExplain);
    EXPECT_TRUE(helpTookClick) << pageBefore << " -> " << pageAfter;
    EXPECT_TRUE(dialogAnswered) << "the dialog takes a click while the help is open";
    EXPECT_TRUE(helpClosed);
    EXPECT_FALSE(guardFired);
    EXPECT_TRUE(configShown) << "OK after the help closed ends the dialog";
    EXPECT_EQ(configured, "RSI");
    EXPECT_EQ(script.pending(), 0u);
    QxUtils::closeHelp();
    chart->Destroy();
    TestSupport::pumpEvents(100);
    QxUtils::setHelpFolder(wxString::FromUTF8(TestSupport::makeTempDir("nohelp")));
}
