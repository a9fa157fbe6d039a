// The price-history editor on a real history database holding a fixture
// history: edits stay in the editor's copy until Save, Save leaves exactly
// the edited bars (or, refused, nothing changed), splits are applied and
// detected, charts re-read, and read-only databases allow no edits.
#include "chartframe/QxChartFrame.h"
#include "chartview/QxChartView.h"
#include "core/QxCalculator.h"
#include "core/QxCategory.h"
#include "core/QxSecurity.h"
#include "securities/DlgPriceHistory.h"
#include "securities/DlgQuote.h"
#include "securities/DlgSplit.h"
#include "securities/DlgSplitDetails.h"

#include "support/RealInput.h"
#include "support/SecuritiesTestSupport.h"
#include "support/WindowShot.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/weakref.h>

#include <ostream>

using framestest::DialogCatcher;
using framestest::ScopedApplication;

namespace {

struct Bar {
    int64_t time;
    double open, high, low, close, volume;
    bool operator==(const Bar& o) const
    {
        return time == o.time && open == o.open && high == o.high && low == o.low && close == o.close &&
               volume == o.volume;
    }
};

std::ostream& operator<<(std::ostream& os, const Bar& b)
{
    return os << b.time << " " << b.open << "/" << b.high << "/" << b.low << "/" << b.close << " " << b.volume;
}

std::vector<Bar> bars(const QxPriceHistory* h)
{
    std::vector<Bar> out;
    for (unsigned i = 0; h && i < h->numBars(); ++i)
        out.push_back({h->timestamp()[i], h->open()[i], h->high()[i], h->low()[i], h->close()[i], h->volume()[i]});
    return out;
}

std::vector<Bar> storedBars(QxSecurity* security)
{
    int64_t from = 0, to = 0;
    QxObjectSmartPtr<QxPriceHistory> h(security->getHistory(Qx::eDaily, from, to));
    return bars(h.get());
}

void selectRows(wxListCtrl* list, const std::vector<long>& rows)
{
    for (long r = list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); r != -1;
         r = list->GetNextItem(r, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        list->SetItemState(r, 0, wxLIST_STATE_SELECTED);
    for (long r : rows)
        list->SetItemState(r, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
}

void setDate(wxDatePickerCtrl* picker, int64_t ts) { picker->SetValue(dateTimeFromTimestamp(ts)); }

// A database that will not be written, over a real one.
class ReadOnlyView : public QxDatabase {
public:
    explicit ReadOnlyView(QxDatabase* db) : m_db(db) {}
    QxAtom readerId() const override { return m_db->readerId(); }
    const char* path() const override { return m_db->path(); }
    int getCategories(std::vector<QxObjectSmartPtr<QxCategory>>& out, const char* p) override
    {
        return m_db->getCategories(out, p);
    }
    QxCategory* findCategory(const char* n, const char* p) override { return m_db->findCategory(n, p); }
    QxCategory* getCategory(unsigned id) override { return m_db->getCategory(id); }
    QxSecurity* getSecurity(unsigned id) override { return m_db->getSecurity(id); }
    bool isReadOnly() const override { return true; }

private:
    QxObjectSmartPtr<QxDatabase> m_db;
};

class PriceEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = sectest::newDatabase("editor");
        ASSERT_TRUE(db);
        scoped.app().changeDatabase(db);
        category = db->createCategory("US.NASDAQ.STOCK", "");
        ASSERT_TRUE(category);
        security = category->addSecurity("NVDA", "Nvidia");
        ASSERT_TRUE(security);
        original = TestSupport::fixtureHistory("nvda-1999-2014.csv", 400);
        ASSERT_EQ(original->numBars(), 400u);
        ASSERT_EQ(security->saveHistory(original.get()), 0);
        script.on<DlgQuote>([this](DlgQuote* d) { quoteAnswer(d); });
        script.on<DlgSplit>([this](DlgSplit* d) { splitAnswer(d); });
    }
    void TearDown() override
    {
        security = nullptr;
        category = nullptr;
        db = nullptr;
    }

    // Runs the editor of the security modally with steps inside its loop.
    int runEditor(const std::function<void(DlgPriceHistory*)>& steps)
    {
        script.on<DlgPriceHistory>(steps);
        DialogCatcher catcher(script.handler());
        return DlgPriceHistory::showFor(security->id(), nullptr);
    }

    // The quote dialog's answer: a new quote's date, then the values.
    void answerQuote(int64_t date, const wxString& close, const wxString& volume = "5000")
    {
        quoteAnswer = [=](DlgQuote* d) {
            if (date)
                setDate(d->dateCtrl(), date);
            d->openCtrl()->ChangeValue("20");
            d->highCtrl()->ChangeValue("22");
            d->lowCtrl()->ChangeValue("19");
            d->closeCtrl()->ChangeValue(close);
            d->volumeCtrl()->ChangeValue(volume);
            sectest::click(d, wxID_OK);
        };
    }

    ScopedApplication scoped;
    QxObjectSmartPtr<QxDatabase> db;
    QxObjectSmartPtr<QxCategory> category;
    QxObjectSmartPtr<QxSecurity> security;
    QxObjectSmartPtr<QxPriceHistory> original;
    sectest::Script script;
    std::function<void(DlgQuote*)> quoteAnswer = [](DlgQuote* d) { sectest::click(d, wxID_CANCEL); };
    std::function<void(DlgSplit*)> splitAnswer = [](DlgSplit* d) { sectest::click(d, wxID_CANCEL); };
};

} // namespace

TEST_F(PriceEditorTest, AddReplaceModifyDeleteAndSaveLeaveExactlyTheEditedBars)
{
    const std::vector<Bar> before = bars(original.get());
    const int64_t newDate = makeTimestamp(5, 1, 2015);
    std::vector<Bar> edited;
    int result = runEditor([&](DlgPriceHistory* ed) {
        framestest::saveWindowShot(ed, "price_history_editor.png");
        WndHistListCtrl* list = ed->list();
        EXPECT_EQ(ed->GetTitle(), "NVDA");
        ASSERT_EQ(list->GetItemCount(), 400);
        EXPECT_EQ(list->GetItemText(0, 0), formatTimestamp(before.back().time, "%x")) << "newest first";
        EXPECT_EQ(list->GetItemText(0, 4), wxString::Format("%4.4lf", before.back().close));
        EXPECT_FALSE(ed->saveButton()->IsEnabled());

        // A new date goes on top; the same date again replaces it.
        answerQuote(newDate, "21");
        sectest::click(ed->addButton());
        ASSERT_EQ(list->GetItemCount(), 401);
        EXPECT_EQ(list->GetItemText(0, 0), formatTimestamp(newDate, "%x"));
        answerQuote(newDate, "21.5");
        sectest::click(ed->addButton());
        EXPECT_EQ(list->GetItemCount(), 401);
        EXPECT_EQ(list->GetItemText(0, 4), "21.5000");
        EXPECT_TRUE(ed->saveButton()->IsEnabled());

        // Modify asks for exactly one row.
        selectRows(list, {});
        sectest::click(ed->modifyButton());
        selectRows(list, {3, 4});
        sectest::click(ed->modifyButton());
        selectRows(list, {5});
        answerQuote(0, "99");
        sectest::click(ed->modifyButton());
        EXPECT_EQ(list->GetItemText(5, 4), "99.0000");
        EXPECT_EQ(list->GetItemText(5, 0), formatTimestamp(before[400 - 5].time, "%x")) << "its date kept";

        // Three rows: one question; No keeps them, Yes deletes them.
        const int64_t middle = before[400 - 11].time; // row 11 once the new quote is on top
        selectRows(list, {10, 11, 12});
        script.answer = wxID_NO;
        sectest::click(ed->deleteButton());
        EXPECT_EQ(list->GetItemCount(), 401);
        script.answer = wxID_YES;
        sectest::click(ed->deleteButton());
        script.answer = wxID_OK;
        EXPECT_EQ(list->GetItemCount(), 398);
        EXPECT_EQ(ed->deletedDates().size(), 3u);
        EXPECT_TRUE(std::is_sorted(ed->deletedDates().begin(), ed->deletedDates().end()));
        // Added again: no longer to be deleted, and back in its place.
        answerQuote(middle, "30");
        sectest::click(ed->addButton());
        EXPECT_EQ(ed->deletedDates().size(), 2u);
        // Rows 10 to 12 went; the date returns as row 10, among the newest-first rows.
        EXPECT_EQ(list->GetItemText(10, 0), formatTimestamp(middle, "%x"));
        EXPECT_EQ(list->GetItemText(10, 4), "30.0000");
        EXPECT_EQ(list->GetItemText(11, 0), formatTimestamp(before[400 - 13].time, "%x"));

        EXPECT_EQ(storedBars(security.get()), before) << "nothing stored before Save";
        sectest::click(ed, wxID_SAVE);
        EXPECT_FALSE(ed->saveButton()->IsEnabled());
        edited = bars(ed->shownHistory());
        sectest::click(ed, wxID_CANCEL); // nothing unsaved: no question
    });
    EXPECT_EQ(result, wxID_CANCEL);
    EXPECT_EQ(script.messages, (std::vector<wxString>{
                                   "No quote is selected.\nPlease select the quote you want to modify.",
                                   "More than one quote is selected.\nYou can modify only one record at a time.",
                                   "More than one quote is selected.\nAre you sure you want to delete each of them?",
                                   "More than one quote is selected.\nAre you sure you want to delete each of them?"}));
    ASSERT_EQ(edited.size(), 399u);
    EXPECT_EQ(storedBars(security.get()), edited) << "read back: exactly the edited bars";
    EXPECT_EQ(edited.back().time, newDate);
    EXPECT_EQ(edited.back().close, 21.5);
}

TEST_F(PriceEditorTest, SplitsAreAppliedBeforeTheirDateAndDetectedGapsProposed)
{
    // Planted: a 2-for-1 split at bar 100 (prices halve) and a 1-for-2
    // reverse split at bar 300 (prices double).
    const std::vector<Bar> plain = bars(original.get());
    const int64_t d1 = plain[100].time, d2 = plain[300].time;
    QxObjectSmartPtr<QxPriceHistory> planted(original->clone());
    planted->updateForSplit(d2, 1, 2);
    planted->updateForSplit(d1, 2, 1);
    ASSERT_EQ(security->saveHistory(planted.get()), 0);
    const std::vector<Bar> stored = bars(planted.get());

    std::vector<wxString> proposed;
    long selectedAfterShow = -1;
    size_t rowsAfterSecondDetect = 0;
    std::vector<Bar> afterApplyAll, afterSplit;
    runEditor([&](DlgPriceHistory* ed) {
        sectest::click(ed->detectSplitsButton());
        DlgSplitDetails* details = ed->splitDetails();
        ASSERT_TRUE(details && details->IsShown());
        wxListView* rows = details->list();
        for (long r = 0; r < rows->GetItemCount(); ++r)
            proposed.push_back(rows->GetItemText(r, 0) + " " + rows->GetItemText(r, 1));
        framestest::saveWindowShot(details, "split_details.png");

        // Selecting a proposal shows its quote in the editor.
        rows->Select(0);
        wxListEvent picked(wxEVT_LIST_ITEM_SELECTED, rows->GetId());
        picked.m_itemIndex = 0;
        picked.SetEventObject(rows);
        rows->ProcessWindowEvent(picked);
        selectedAfterShow = ed->list()->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);

        sectest::click(details->applyButton());
        EXPECT_EQ(rows->GetItemCount(), 1);
        sectest::click(ed->detectSplitsButton()); // shown: only brought to the front
        rowsAfterSecondDetect = static_cast<size_t>(rows->GetItemCount());
        sectest::click(details->applyAllButton());
        EXPECT_EQ(rows->GetItemCount(), 0);
        afterApplyAll = bars(ed->shownHistory());
        EXPECT_TRUE(ed->saveButton()->IsEnabled());

        // A 1:2 split through the split dialog.
        splitAnswer = [&](DlgSplit* d) {
            setDate(d->dateCtrl(), d2);
            d->oldSharesCtrl()->ChangeValue("1");
            d->newSharesCtrl()->ChangeValue("2");
            sectest::click(d, wxID_OK);
        };
        sectest::click(ed->splitButton());
        afterSplit = bars(ed->shownHistory());

        // Unsaved: Cancel asks; No stays, Yes leaves without storing.
        script.answer = wxID_NO;
        sectest::click(ed, wxID_CANCEL);
        EXPECT_TRUE(ed->IsModal());
        script.answer = wxID_YES;
        sectest::click(ed, wxID_CANCEL);
    });
    const std::vector<wxString> expectedProposals = {formatTimestamp(d1, "%x") + " 1:2",
                                                     formatTimestamp(d2, "%x") + " 2:1"};
    EXPECT_EQ(proposed, expectedProposals);
    EXPECT_EQ(selectedAfterShow, 400 - 1 - 100) << "the proposal's quote is selected in the editor";
    EXPECT_EQ(rowsAfterSecondDetect, 1u) << "not detected again while shown";
    ASSERT_EQ(afterApplyAll.size(), plain.size());
    for (size_t i = 0; i < plain.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(afterApplyAll[i].close, plain[i].close, 1e-9);
        EXPECT_NEAR(afterApplyAll[i].volume, plain[i].volume, 1e-6);
    }
    ASSERT_EQ(afterSplit.size(), plain.size());
    for (size_t i = 0; i < plain.size(); ++i) {
        const double factor = i < 300 ? 0.5 : 1.0;
        EXPECT_NEAR(afterSplit[i].open, afterApplyAll[i].open * factor, 1e-9) << i;
        EXPECT_NEAR(afterSplit[i].low, afterApplyAll[i].low * factor, 1e-9) << i;
        EXPECT_NEAR(afterSplit[i].volume, afterApplyAll[i].volume / factor, 1e-6) << i;
    }
    EXPECT_EQ(script.messages,
              std::vector<wxString>(2, "Changes have not been saved.\nAre you sure to close and loose the changes?"));
    EXPECT_EQ(storedBars(security.get()), stored) << "closed without Save: nothing stored";
}


// The user's hands on the X server, not events sent to the windows: a
// window that keeps the toolkit's input grab shows here. Detect Splits opens
// Split Details beside the modal editor; both take clicks while it is open;
// Apply, then Close; the editor's Save and Cancel work after it, and so does
// the window the editor was opened from.
TEST_F(PriceEditorTest, AfterSplitDetailsEveryWindowTakesClicksAgain)
{
    const std::vector<Bar> plain = bars(original.get());
    const int64_t splitDay = plain[200].time;
    QxObjectSmartPtr<QxPriceHistory> planted(original->clone());
    planted->updateForSplit(splitDay, 2, 1);
    ASSERT_EQ(security->saveHistory(planted.get()), 0);

    // A desktop's window manager, as the user has one.
    TestSupport::ScopedWindowManager manager;
    ASSERT_TRUE(manager.ok());
    // The window the editor is opened from, with a button of its own.
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Home", wxPoint(0, 0), wxSize(300, 200));
    auto* homeButton = new wxButton(frame, wxID_ANY, "Press", wxPoint(20, 20), wxSize(120, 40));
    int homePresses = 0;
    homeButton->Bind(wxEVT_BUTTON, [&](wxCommandEvent&) { ++homePresses; });
    frame->Show();
    ASSERT_TRUE(TestSupport::waitUntilPlaced(frame));
    ASSERT_TRUE(TestSupport::clickAt(homeButton, wxPoint(60, 20)));
    ASSERT_EQ(homePresses, 1) << "the home window takes a click before the editor";

    auto centre = [](wxWindow* w) { return wxPoint(w->GetClientSize().x / 2, w->GetClientSize().y / 2); };
    bool detailsShown = false, editorRowTaken = false, detailsRowTaken = false, applied = false;
    bool hiddenAfterClose = false, saveEnabledAfterApply = false, savedByClick = false;
    std::vector<Bar> shownAfterApply;
    script.on<DlgPriceHistory>([&](DlgPriceHistory* ed) {
        ed->Move(0, 0);
        ASSERT_TRUE(TestSupport::waitUntilPlaced(ed));
        ASSERT_TRUE(TestSupport::clickAt(ed->detectSplitsButton(), centre(ed->detectSplitsButton())));
        DlgSplitDetails* details = ed->splitDetails();
        ASSERT_TRUE(TestSupport::pumpUntil([&] { return details && details->IsShownOnScreen(); }, 5000));
        detailsShown = true;
        // Beside the editor, so that a click meant for one never lands on the other.
        details->Move(ed->GetRect().GetRight() + 20, 0);
        ASSERT_TRUE(TestSupport::waitUntilPlaced(details));
        framestest::saveWindowShot(details, "split_details_beside_editor.png");

        // While Split Details is open the editor answers a click in its list.
        WndHistListCtrl* list = ed->list();
        selectRows(list, {});
        wxRect rect;
        ASSERT_TRUE(list->GetItemRect(3, rect));
        ASSERT_TRUE(TestSupport::clickAt(list, rect.GetPosition() + wxPoint(20, rect.height / 2)));
        editorRowTaken = list->GetItemState(3, wxLIST_STATE_SELECTED) != 0;

        // The proposal's row, then Apply.
        wxListView* rows = details->list();
        ASSERT_EQ(rows->GetItemCount(), 1);
        ASSERT_TRUE(rows->GetItemRect(0, rect));
        ASSERT_TRUE(TestSupport::clickAt(rows, rect.GetPosition() + wxPoint(20, rect.height / 2)));
        detailsRowTaken = rows->GetFirstSelected() == 0;
        ASSERT_TRUE(TestSupport::clickAt(details->applyButton(), centre(details->applyButton())));
        applied = rows->GetItemCount() == 0;
        saveEnabledAfterApply = ed->saveButton()->IsEnabled();
        shownAfterApply = bars(ed->shownHistory());

        wxWindow* close = details->FindWindow(wxID_CANCEL);
        ASSERT_NE(close, nullptr);
        ASSERT_TRUE(TestSupport::clickAt(close, centre(close)));
        hiddenAfterClose = TestSupport::pumpUntil([&] { return !details->IsShown(); }, 3000);
        TestSupport::pumpEvents(200);

        // The editor takes clicks again: Save, then Cancel.
        ASSERT_TRUE(TestSupport::clickAt(ed->saveButton(), centre(ed->saveButton())));
        savedByClick = !ed->saveButton()->IsEnabled();
        wxWindow* cancel = ed->FindWindow(wxID_CANCEL);
        ASSERT_NE(cancel, nullptr);
        ASSERT_TRUE(TestSupport::clickAt(cancel, centre(cancel)));
        TestSupport::pumpUntil([&] { return !ed->IsModal(); }, 3000);
    });
    DialogCatcher catcher(script.handler());
    const int result = DlgPriceHistory::showFor(security->id(), frame);

    EXPECT_TRUE(detailsShown);
    EXPECT_TRUE(editorRowTaken) << "the editor answers while Split Details is open";
    EXPECT_TRUE(detailsRowTaken);
    EXPECT_TRUE(applied);
    EXPECT_TRUE(saveEnabledAfterApply);
    EXPECT_TRUE(hiddenAfterClose);
    EXPECT_TRUE(savedByClick) << "Save after Close";
    EXPECT_EQ(result, wxID_CANCEL) << "Cancel after Close ends the editor";
    EXPECT_TRUE(script.messages.empty()) << script.messages.front();
    ASSERT_EQ(shownAfterApply.size(), plain.size());
    const std::vector<Bar> stored = storedBars(security.get());
    ASSERT_EQ(stored.size(), plain.size());
    for (size_t i = 0; i < plain.size(); ++i)
        ASSERT_NEAR(stored[i].close, plain[i].close, 1e-9) << "the applied split is saved, bar " << i;

    // The home window takes clicks again and closes.
    TestSupport::pumpEvents(200);
    EXPECT_TRUE(TestSupport::clickAt(homeButton, wxPoint(60, 20)));
    EXPECT_EQ(homePresses, 2) << "the home window takes a click after the editor";
    // Alt+F4 through the window manager closes it.
    wxWeakRef<wxFrame> home(frame);
    EXPECT_TRUE(TestSupport::closeWithAltF4(
        [&]() -> wxTopLevelWindow* { return !home || home->IsBeingDeleted() ? nullptr : home.get(); }))
        << "the home window closes";
    if (home)
        home->Destroy();
    TestSupport::pumpEvents(200);
}

TEST_F(PriceEditorTest, ARefusedSaveChangesNothingAndAnOpenChartRedrawsAfterSave)
{
    QxChartView* view = QxChartView::createChartView(security.get(), Qx::eDaily, Qx::ePriceCandles, nullptr);
    ASSERT_NE(view, nullptr);
    auto chartBars = [&] { return view->getCalc()->prices(Qx::eDaily, false)->numBars(); };
    ASSERT_EQ(chartBars(), 400u);

    // Every insert into the price table is refused from now on.
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(db->path(), &raw), SQLITE_OK);
    auto exec = [&](const std::string& sql) { return sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr); };
    std::string table;
    sqlite3_exec(
        raw, "SELECT name FROM sqlite_master WHERE type='table' AND name LIKE 'price_hist_of_%';",
        [](void* out, int, char** values, char**) {
            *static_cast<std::string*>(out) = values[0];
            return 0;
        },
        &table, nullptr);
    ASSERT_FALSE(table.empty());

    const std::vector<Bar> before = bars(original.get());
    bool enabledAfterRefusal = false;
    std::vector<Bar> storedAfterRefusal, edited;
    unsigned chartAfterRefusal = 0;
    runEditor([&](DlgPriceHistory* ed) {
        selectRows(ed->list(), {0, 1, 2});
        script.answer = wxID_YES;
        sectest::click(ed->deleteButton());
        script.answer = wxID_OK;
        answerQuote(makeTimestamp(5, 1, 2015), "25");
        sectest::click(ed->addButton());
        ASSERT_EQ(exec("CREATE TRIGGER refuse BEFORE INSERT ON \"" + table +
                       "\" BEGIN SELECT RAISE(ABORT, 'refused'); END;"),
                  SQLITE_OK);
        sectest::click(ed, wxID_SAVE);
        enabledAfterRefusal = ed->saveButton()->IsEnabled();
        storedAfterRefusal = storedBars(security.get());
        chartAfterRefusal = chartBars();

        ASSERT_EQ(exec("DROP TRIGGER refuse;"), SQLITE_OK);
        sectest::click(ed, wxID_SAVE);
        EXPECT_FALSE(ed->saveButton()->IsEnabled());
        edited = bars(ed->shownHistory());
        sectest::click(ed, wxID_CANCEL);
    });
    sqlite3_close(raw);
    EXPECT_EQ(script.messages, (std::vector<wxString>{
                                   "More than one quote is selected.\nAre you sure you want to delete each of them?",
                                   "The changes could not be saved to the database.\nThe stored prices are unchanged."}));
    EXPECT_TRUE(enabledAfterRefusal) << "the edits wait for another Save";
    EXPECT_EQ(storedAfterRefusal, before) << "the deletions were rolled back with the refused save";
    EXPECT_EQ(chartAfterRefusal, 400u) << "the chart re-read the unchanged prices";
    ASSERT_EQ(edited.size(), 398u);
    EXPECT_EQ(storedBars(security.get()), edited);
    EXPECT_EQ(chartBars(), 398u) << "the open chart shows the saved prices";
    view->GetParent()->Destroy();
    framestest::pump(50);
}

TEST_F(PriceEditorTest, OnAReadOnlyDatabaseNothingCanBeEdited)
{
    QxObjectSmartPtr<QxDatabase> readOnly(new ReadOnlyView(db.get()));
    scoped.app().changeDatabase(readOnly);
    bool anyEnabled = true, modifyAfterSelect = true;
    int rows = 0;
    const int result = runEditor([&](DlgPriceHistory* ed) {
        rows = ed->list()->GetItemCount();
        anyEnabled = false;
        for (wxButton* b : {ed->addButton(), ed->modifyButton(), ed->deleteButton(), ed->detectSplitsButton(),
                            ed->splitButton(), ed->saveButton()})
            anyEnabled = anyEnabled || b->IsEnabled();
        selectRows(ed->list(), {2});
        wxListEvent picked(wxEVT_LIST_ITEM_SELECTED, ed->list()->GetId());
        picked.m_itemIndex = 2;
        picked.SetEventObject(ed->list());
        ed->list()->ProcessWindowEvent(picked);
        modifyAfterSelect = ed->modifyButton()->IsEnabled();
        ed->applySplit(makeTimestamp(1, 1, 2014), 1, 2); // a caller that tries anyway
        EXPECT_FALSE(ed->saveButton()->IsEnabled());
        sectest::click(ed, wxID_CANCEL);
    });
    EXPECT_EQ(result, wxID_CANCEL);
    EXPECT_EQ(rows, 400);
    EXPECT_FALSE(anyEnabled);
    EXPECT_FALSE(modifyAfterSelect);
    EXPECT_TRUE(script.messages.empty()) << "closing never asks";
}

TEST_F(PriceEditorTest, AnUnknownIdOpensNothingAndAFundStartsWithItsOwnType)
{
    {
        DialogCatcher catcher(script.handler());
        EXPECT_EQ(DlgPriceHistory::showFor(0xFFFFFFu, nullptr), wxID_CANCEL);
    }
    EXPECT_EQ(script.messages, std::vector<wxString>{"The security could not be found in the current database."});

    QxObjectSmartPtr<QxCategory> funds(db->createCategory("US.FUND", ""));
    ASSERT_TRUE(funds);
    security = funds->addSecurity("FND", "A fund");
    ASSERT_TRUE(security);
    std::vector<wxString> firstRow;
    script.messages.clear();
    runEditor([&](DlgPriceHistory* ed) {
        EXPECT_EQ(ed->list()->GetItemCount(), 0);
        sectest::click(ed->detectSplitsButton()); // no prices: nothing happens
        sectest::click(ed->splitButton());
        quoteAnswer = [](DlgQuote* d) {
            setDate(d->dateCtrl(), makeTimestamp(2, 1, 2014));
            d->navCtrl()->ChangeValue("17.25");
            sectest::click(d, wxID_OK);
        };
        sectest::click(ed->addButton());
        for (long c = 0; c < 6; ++c)
            firstRow.push_back(ed->list()->GetItemText(0, c));
        sectest::click(ed, wxID_SAVE);
        sectest::click(ed, wxID_CANCEL);
    });
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(firstRow, (std::vector<wxString>{formatTimestamp(makeTimestamp(2, 1, 2014), "%x"), "", "", "",
                                                "17.2500", ""}));
    int64_t from = 0, to = 0;
    QxObjectSmartPtr<QxPriceHistory> stored(security->getHistory(Qx::eDaily, from, to));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->getSecurityType(), Qx::eFund);
    ASSERT_EQ(stored->numBars(), 1u);
    EXPECT_EQ(stored->nav()[0], 17.25);
}

TEST_F(PriceEditorTest, ANewSecuritysTypedQuotesAreSavedAfterOneOfThemIsDeleted)
{
    security = category->addSecurity("AMD", "Advanced Micro Devices");
    ASSERT_TRUE(security);
    std::vector<int64_t> dates;
    for (int day = 5; day <= 9; ++day)
        dates.push_back(makeTimestamp(day, 1, 2015));
    std::vector<Bar> edited;
    bool savePending = true;
    runEditor([&](DlgPriceHistory* ed) {
        EXPECT_EQ(ed->list()->GetItemCount(), 0);
        for (size_t i = 0; i < dates.size(); ++i) {
            answerQuote(dates[i], wxString::Format("%d", int(20 + i)));
            sectest::click(ed->addButton());
        }
        ASSERT_EQ(ed->list()->GetItemCount(), 5);
        selectRows(ed->list(), {1}); // the 8th, newest first
        sectest::click(ed->deleteButton());
        ASSERT_EQ(ed->list()->GetItemCount(), 4);
        sectest::click(ed, wxID_SAVE);
        savePending = ed->saveButton()->IsEnabled();
        edited = bars(ed->shownHistory());
        sectest::click(ed, wxID_CANCEL);
    });
    EXPECT_TRUE(script.messages.empty()) << "saved at the first attempt, without a question";
    EXPECT_FALSE(savePending);
    ASSERT_EQ(edited.size(), 4u);
    EXPECT_EQ(storedBars(security.get()), edited);
    std::vector<int64_t> storedDates;
    for (const Bar& b : storedBars(security.get()))
        storedDates.push_back(b.time);
    EXPECT_EQ(storedDates, (std::vector<int64_t>{dates[0], dates[1], dates[2], dates[4]}));
}

TEST_F(PriceEditorTest, DeleteTakesTheSelectedQuotesWhenADownloadRefreshedThePricesMeanwhile)
{
    const std::vector<Bar> before = bars(original.get());
    // Two newer days arrive while the editor is open, before its first edit.
    QxObjectSmartPtr<QxPriceHistory> downloaded(original->clone());
    for (int day = 5; day <= 6; ++day) {
        QxQuote quote;
        quote.securityType = Qx::eStock;
        quote.time = makeTimestamp(day, 1, 2015);
        quote.open = quote.high = quote.low = quote.close = 30 + day;
        quote.volume = 1000;
        downloaded->insertOrReplaceQuote(quote);
    }
    std::vector<int64_t> shownDates, deleted;
    std::vector<Bar> edited;
    runEditor([&](DlgPriceHistory* ed) {
        WndHistListCtrl* list = ed->list();
        ASSERT_EQ(list->GetItemCount(), 400);
        ASSERT_EQ(security->saveHistory(downloaded.get()), 0);
        framestest::pump(20);
        // What the user sees at rows 3 and 7, newest first.
        for (long row : {3L, 7L})
            shownDates.push_back(ed->shownHistory()->timestamp()[list->indexOfRow(row)]);
        selectRows(list, {3, 7});
        script.answer = wxID_YES;
        sectest::click(ed->deleteButton());
        script.answer = wxID_OK;
        deleted = ed->deletedDates();
        edited = bars(ed->shownHistory());
        sectest::click(ed, wxID_SAVE);
        sectest::click(ed, wxID_CANCEL);
    });
    ASSERT_EQ(shownDates.size(), 2u);
    EXPECT_EQ(shownDates[0], before[400 - 1 - 3].time);
    EXPECT_EQ(shownDates[1], before[400 - 1 - 7].time);
    EXPECT_EQ(deleted, (std::vector<int64_t>{shownDates[1], shownDates[0]})) << "exactly the selected quotes";
    std::vector<Bar> expected = bars(downloaded.get());
    expected.erase(std::remove_if(expected.begin(), expected.end(),
                                  [&](const Bar& b) { return b.time == shownDates[0] || b.time == shownDates[1]; }),
                   expected.end());
    ASSERT_EQ(expected.size(), 400u);
    EXPECT_EQ(edited, expected) << "the downloaded days kept, the two selected quotes gone";
    EXPECT_EQ(storedBars(security.get()), expected);
}
