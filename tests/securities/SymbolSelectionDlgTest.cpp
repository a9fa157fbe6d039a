// The security selection dialog over a real history database: categories
// and preferences, selection results, the delete and remove commands with
// their refusals, and following the database's additions and removals.
#include "app/QxCommonFrame.h"
#include "app/QxGatewayFrame.h"
#include "chartframe/QxChartFrame.h"
#include "core/QxCalculator.h"
#include "core/QxCategory.h"
#include "core/QxDataReader.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "core/platform/wxConfigEx.h"
#include "securities/DlgPriceHistory.h"
#include "securities/QxDatabaseInfoDlg.h"
#include "securities/QxSymbolSelectionDlg.h"

#include "support/FramesTestSupport.h"
#include "support/SecuritiesTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/msgdlg.h>
#include <wx/timer.h>

#include <cstdio>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

using framestest::DialogCatcher;
using framestest::ScopedApplication;

namespace {

using sectest::historyReader;

struct CategoryPlan {
    const char* provider; // "" for none
    const char* name;
    int securities;
    const char* prefix;
};

// The categories most tests work with: a few hundred securities in all.
const std::vector<CategoryPlan> kStandard = {
    {"Yahoo!", "US.NASDAQ.STOCK", 300, "N"},
    {"Yahoo!", "US.NASDAQ.INDEX", 5, "^IX"},
    {"Google", "US.NYSE.STOCK", 40, "G"},
    {"", "IN.NSE.STOCK", 12, "IN"},
    {"", "US.AMEX.STOCK", 0, ""},
};

std::string ticker(const CategoryPlan& plan, int i)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%03d", plan.prefix, i);
    return buffer;
}

QxObjectSmartPtr<QxDatabase> buildDatabase(const std::vector<CategoryPlan>& plans)
{
    QxObjectSmartPtr<QxDatabase> db;
    QxDataReader* reader = historyReader();
    if (!reader)
        return db;
    int error = 0;
    db = reader->openDatabase(wxString::FromUTF8(TestSupport::makeTempDir("symsel") + "/hist.trddb"), wxString(),
                              &error);
    if (!db)
        return db;
    const int token = db->beginTransaction();
    for (const CategoryPlan& plan : plans) {
        QxObjectSmartPtr<QxCategory> category(db->createCategory(plan.name, plan.provider));
        if (!category)
            continue;
        // Added in reverse so that the list's order comes from the database.
        for (int i = plan.securities - 1; i >= 0; --i)
            QxObjectSmartPtr<QxSecurity>(category->addSecurity(ticker(plan, i).c_str(), "Some name"));
    }
    db->commit(token);
    return db;
}

QxObjectSmartPtr<QxCategory> findCategory(QxDatabase* db, const char* name, const char* provider)
{
    return QxObjectSmartPtr<QxCategory>(db->findCategory(name, provider));
}

std::vector<wxString> rowLabels(wxListCtrl* list, int column = 0)
{
    std::vector<wxString> labels;
    for (long row = 0; row < list->GetItemCount(); ++row)
        labels.push_back(list->GetItemText(row, column));
    return labels;
}

std::vector<long> selectedRows(wxListView* list)
{
    std::vector<long> rows;
    for (long row = list->GetFirstSelected(); row != -1; row = list->GetNextSelected(row))
        rows.push_back(row);
    return rows;
}

void selectOnly(QxSecurityListCtrl* list, const std::vector<long>& rows)
{
    for (long row : selectedRows(list))
        list->Select(row, false);
    for (long row : rows)
        list->Select(row, true);
}

void pressKey(wxWindow* window, int key, bool control)
{
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.m_keyCode = key;
    event.m_controlDown = control;
    event.SetEventObject(window);
    window->ProcessWindowEvent(event);
}

class SymbolSelectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(historyReader(), nullptr) << "trddb.trdx did not load";
        wxConfigEx::get().DeleteGroup("/dlg/symbol_selection");
        useDatabase(buildDatabase(kStandard));
    }
    void TearDown() override
    {
        QxSymbolSelectionDlg::destroy();
        db = nullptr;
    }

    void useDatabase(QxObjectSmartPtr<QxDatabase> database)
    {
        QxSymbolSelectionDlg::destroy();
        db = database;
        ASSERT_TRUE(db);
        scoped.app().changeDatabase(db);
    }

    // Answers message boxes with `answer`, recording their texts; the
    // selection dialog itself is shown for real and steps run in its loop.
    DialogCatcher::Handler answering(int answer, const std::function<void(QxSymbolSelectionDlg*)>& steps = {})
    {
        return [this, answer, steps](wxDialog* dialog) {
            if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
                messages.push_back(box->GetMessage());
                return answer;
            }
            if (auto* selection = dynamic_cast<QxSymbolSelectionDlg*>(dialog)) {
                if (!steps)
                    return static_cast<int>(wxID_CANCEL);
                wxTheApp->CallAfter([selection, steps] { steps(selection); });
                return static_cast<int>(wxID_NONE);
            }
            return static_cast<int>(wxID_CANCEL);
        };
    }

    // Runs the dialog modally with steps inside its loop; a guard ends a
    // loop the steps failed to end.
    int runModal(QxSymbolSelectionDlg* dlg, const std::function<void(QxSymbolSelectionDlg*)>& steps)
    {
        DialogCatcher catcher(answering(wxID_OK, steps));
        wxTimer guard;
        guard.Bind(wxEVT_TIMER, [dlg](wxTimerEvent&) {
            if (dlg->IsModal())
                dlg->EndModal(-42);
        });
        guard.StartOnce(10000);
        return dlg->ShowModal();
    }

    static void click(wxDialog* dialog, int id)
    {
        wxWindow* button = dialog->FindWindow(id);
        ASSERT_NE(button, nullptr);
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(button);
        button->ProcessWindowEvent(event);
    }

    ScopedApplication scoped;
    QxObjectSmartPtr<QxDatabase> db;
    std::vector<wxString> messages;
};

} // namespace

TEST(SymbolSelectionPrefs, StoredValuesAreCutIntoProviderAndCategory)
{
    using P = QxPreferredCategory;
    const struct {
        const char* stored;
        std::vector<P> expected;
    } cases[] = {
        {"", {{"Yahoo!", "US.NASDAQ.INDEX"}, {"Yahoo!", "US.NASDAQ.STOCK"}}},
        {"Google:US.NYSE.STOCK;", {{"Google", "US.NYSE.STOCK"}}},
        {"US.FUND", {{"", "US.FUND"}}},
        {":IN.NSE.STOCK;", {{"", "IN.NSE.STOCK"}}},
        {"a:b:c;;Yahoo!:X.Y", {{"a", "b:c"}, {"Yahoo!", "X.Y"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QxSymbolSelectionDlg::parsePreferredCategories(c.stored), c.expected) << c.stored;
}

TEST(SymbolSelectionPrefs, ColumnsKeepTheirProportion)
{
    EXPECT_EQ(QxSymbolSelectionDlg::proportionalFirstWidth(600, 100, 200), 200);
    EXPECT_EQ(QxSymbolSelectionDlg::proportionalFirstWidth(100, 1, 2), 33);  // 33.3 + 0.5 truncated
    EXPECT_EQ(QxSymbolSelectionDlg::proportionalFirstWidth(101, 1, 1), 51);  // 50.5 + 0.5
    EXPECT_EQ(QxSymbolSelectionDlg::proportionalFirstWidth(300, 0, 0), 100); // nothing to keep
}

TEST_F(SymbolSelectionTest, ListsCategoriesSortedAndRestoresTheFirstRunChoice)
{
    QxSymbolSelectionDlg* dlg = QxSymbolSelectionDlg::get(true);
    EXPECT_EQ(dlg, QxSymbolSelectionDlg::get(false)) << "one dialog per run";
    const std::vector<wxString> expected = {"IN.NSE.STOCK", "US.AMEX.STOCK", "US.NASDAQ.INDEX", "US.NASDAQ.STOCK",
                                            "US.NYSE.STOCK"};
    EXPECT_EQ(rowLabels(dlg->categoryList()), expected);
    // No stored value: the default names INDEX, then STOCK; the last found wins.
    ASSERT_EQ(selectedRows(dlg->categoryList()), std::vector<long>{3});
    QxSecurityListCtrl* list = dlg->securityList();
    ASSERT_EQ(list->GetItemCount(), 300);
    EXPECT_EQ(list->GetItemText(0, 0), "N000");
    EXPECT_EQ(list->GetItemText(299, 0), "N299");
    EXPECT_EQ(list->GetItemText(5, 1), "Some name");
    EXPECT_TRUE(dlg->addSecurityButton()->IsEnabled());

    // Without STOCK the index category is chosen; without either, nothing.
    QxSymbolSelectionDlg::destroy();
    wxConfigEx::get().DeleteGroup("/dlg/symbol_selection"); // what it stored
    useDatabase(buildDatabase({{"Yahoo!", "US.NASDAQ.INDEX", 5, "^IX"}, {"Google", "US.NYSE.STOCK", 4, "G"}}));
    dlg = QxSymbolSelectionDlg::get(true);
    EXPECT_EQ(rowLabels(dlg->categoryList()), (std::vector<wxString>{"US.NASDAQ.INDEX", "US.NYSE.STOCK"}));
    EXPECT_EQ(selectedRows(dlg->categoryList()), std::vector<long>{0});
    EXPECT_EQ(dlg->securityList()->GetItemCount(), 5);

    QxSymbolSelectionDlg::destroy();
    wxConfigEx::get().DeleteGroup("/dlg/symbol_selection");
    useDatabase(buildDatabase({{"Google", "US.NASDAQ.STOCK", 4, "G"}}));
    dlg = QxSymbolSelectionDlg::get(true);
    EXPECT_TRUE(selectedRows(dlg->categoryList()).empty()) << "a Google category is not Yahoo!'s";
    EXPECT_EQ(dlg->securityList()->GetItemCount(), 0);
}

TEST_F(SymbolSelectionTest, PreferencesPersistAcrossRuns)
{
    wxConfigBase& config = wxConfigEx::get();
    const wxString path = config.GetPath();
    {
        QxSymbolSelectionDlg* dlg = QxSymbolSelectionDlg::get(true);
        ASSERT_TRUE(dlg->selectCategory(findCategory(db.get(), "US.NYSE.STOCK", "Google").get()));
        dlg->SetSize(720, 480);
        dlg->Move(40, 30);
        QxSymbolSelectionDlg::destroy();
        EXPECT_EQ(QxSymbolSelectionDlg::instance(), nullptr);
    }
    EXPECT_EQ(config.Read("/dlg/symbol_selection/preferred_categories", "?"), "Google:US.NYSE.STOCK;");
    EXPECT_EQ(config.Read("/dlg/symbol_selection/size_x", 0L), 720);
    EXPECT_EQ(config.Read("/dlg/symbol_selection/size_y", 0L), 480);
    EXPECT_EQ(config.GetPath(), path) << "the store's path is given back";
    config.Flush();

    {
        // The next run: a new application reads the settings file afresh.
        ScopedApplication next;
        next.app().changeDatabase(db);
        QxSymbolSelectionDlg* dlg = QxSymbolSelectionDlg::get(true);
        const long row = dlg->findCategoryRow(findCategory(db.get(), "US.NYSE.STOCK", "Google").get());
        EXPECT_EQ(selectedRows(dlg->categoryList()), std::vector<long>{row});
        EXPECT_EQ(dlg->securityList()->GetItemCount(), 40);
        EXPECT_EQ(dlg->GetSize(), wxSize(720, 480));
        QxSymbolSelectionDlg::destroy();
    }

    // A category without provider, and a damaged size, on the next run.
    wxConfigBase& store = wxConfigEx::get(); // the store the program has now
    store.Write("/dlg/symbol_selection/preferred_categories", "IN.NSE.STOCK;Nobody:XX.YY.ZZ");
    store.Write("/dlg/symbol_selection/size_x", -5L);
    QxSymbolSelectionDlg* dlg = QxSymbolSelectionDlg::get(true);
    EXPECT_EQ(selectedRows(dlg->categoryList()), std::vector<long>{0});
    EXPECT_EQ(dlg->securityList()->GetItemCount(), 12);
    EXPECT_GT(dlg->GetSize().x, 100);
    QxSymbolSelectionDlg::destroy(); // saves into that store
    // The next run's application gave the store back to the one still running.
    EXPECT_EQ(&store, &scoped.app().getConfig());
}

// A user's own category and a web provider's of the same name: the one
// chosen comes back on the next run, whichever the database lists first.
TEST_F(SymbolSelectionTest, TheChosenCategoryComesBackByItsProviderAndName)
{
    useDatabase(buildDatabase({{"Yahoo!", "US.NYSE.STOCK", 3, "Y"}, {"", "US.NYSE.STOCK", 7, "OWN"}}));
    ASSERT_TRUE(db);
    wxConfigBase& config = wxConfigEx::get();
    const struct {
        const char* provider; // null: the user's own
        const char* stored;
        int securities;
    } cases[] = {{nullptr, ":US.NYSE.STOCK;", 7}, {"Yahoo!", "Yahoo!:US.NYSE.STOCK;", 3}, {nullptr, ":US.NYSE.STOCK;", 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        QxObjectSmartPtr<QxCategory> chosen;
        {
            std::vector<QxObjectSmartPtr<QxCategory>> categories;
            db->getCategories(categories, nullptr);
            for (const auto& category : categories)
                if ((c.provider == nullptr) == (category->dataProvider() == nullptr || !*category->dataProvider()))
                    chosen = category;
        }
        ASSERT_TRUE(chosen);
        QxSymbolSelectionDlg* dlg = QxSymbolSelectionDlg::get(true);
        ASSERT_TRUE(dlg->selectCategory(chosen.get()));
        QxSymbolSelectionDlg::destroy();
        EXPECT_EQ(config.Read("/dlg/symbol_selection/preferred_categories", "?"), c.stored);

        dlg = QxSymbolSelectionDlg::get(true);
        EXPECT_EQ(selectedRows(dlg->categoryList()), std::vector<long>{dlg->findCategoryRow(chosen.get())});
        ASSERT_EQ(dlg->securityList()->GetItemCount(), c.securities);
        EXPECT_EQ(dlg->securityList()->GetItemText(0, 0), c.provider ? "Y000" : "OWN000");
        QxSymbolSelectionDlg::destroy();
    }
    // A user's own category that is gone is not replaced by a provider's.
    config.Write("/dlg/symbol_selection/preferred_categories", ":US.NYSE.STOCK;");
    useDatabase(buildDatabase({{"Yahoo!", "US.NYSE.STOCK", 3, "Y"}}));
    QxSymbolSelectionDlg* dlg = QxSymbolSelectionDlg::get(true);
    EXPECT_TRUE(selectedRows(dlg->categoryList()).empty());
}

TEST_F(SymbolSelectionTest, SingleAndMultipleSelectionReturnTheChosenIds)
{
    QxSymbolSelectionDlg* dlg = QxSymbolSelectionDlg::get(false);
    EXPECT_EQ(dlg->promptText(), "Please select securities.");
    QxSecurityListCtrl* list = dlg->securityList();
    ASSERT_EQ(list->GetItemCount(), 300);
    const unsigned id3 = list->securityAt(3)->id();
    const unsigned id7 = list->securityAt(7)->id();
    const unsigned id250 = list->securityAt(250)->id();

    int result = runModal(dlg, [&](QxSymbolSelectionDlg* d) {
        selectOnly(d->securityList(), {250, 3, 7});
        click(d, wxID_OK);
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(dlg->getSelectedIds(), (std::vector<unsigned>{id3, id7, id250})) << "in list order";
    EXPECT_TRUE(messages.empty());

    // Back in single mode: the several rows give way to row 0 alone.
    EXPECT_EQ(QxSymbolSelectionDlg::get(true), dlg);
    EXPECT_EQ(dlg->promptText(), "Please select a security.");
    EXPECT_EQ(selectedRows(list), std::vector<long>{0});
    EXPECT_TRUE(list->isSingleSelection());
    pressKey(list, 'A', true);
    EXPECT_EQ(list->GetSelectedItemCount(), 1) << "Ctrl+A selects nothing extra in single mode";

    // Enter confirms the one selected row.
    result = runModal(dlg, [&](QxSymbolSelectionDlg* d) {
        selectOnly(d->securityList(), {7});
        pressKey(d->securityList(), WXK_RETURN, false);
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(dlg->getSelectedIds(), std::vector<unsigned>{id7});

    // Nothing selected: Enter does nothing, OK complains and stays open.
    result = runModal(dlg, [&](QxSymbolSelectionDlg* d) {
        selectOnly(d->securityList(), {});
        pressKey(d->securityList(), WXK_RETURN, false);
        EXPECT_TRUE(messages.empty());
        EXPECT_TRUE(d->IsModal());
        click(d, wxID_OK);
        EXPECT_TRUE(d->IsModal());
        click(d, wxID_CANCEL);
    });
    EXPECT_EQ(result, wxID_CANCEL);
    EXPECT_EQ(messages, std::vector<wxString>{"Please select at-least one symbol."});

    QxSymbolSelectionDlg::get(false);
    pressKey(list, 'A', true);
    EXPECT_EQ(list->GetSelectedItemCount(), 300);
}

TEST_F(SymbolSelectionTest, RemovingACategoryIsRefusedUnlessItIsEmpty)
{
    QxSymbolSelectionDlg* dlg = QxSymbolSelectionDlg::get(true);
    DialogCatcher catcher(answering(wxID_OK));
    const long full = dlg->findCategoryRow(findCategory(db.get(), "IN.NSE.STOCK", nullptr).get());
    dlg->removeCategoryAt(full);
    EXPECT_EQ(messages, std::vector<wxString>{"IN.NSE.STOCK is not empty."});
    EXPECT_EQ(dlg->categoryList()->GetItemCount(), 5);
    EXPECT_TRUE(findCategory(db.get(), "IN.NSE.STOCK", nullptr));

    messages.clear();
    dlg->removeCategoryAt(dlg->findCategoryRow(findCategory(db.get(), "US.AMEX.STOCK", nullptr).get()));
    EXPECT_TRUE(messages.empty()) << "an empty category goes without a question";
    EXPECT_EQ(rowLabels(dlg->categoryList()),
              (std::vector<wxString>{"IN.NSE.STOCK", "US.NASDAQ.INDEX", "US.NASDAQ.STOCK", "US.NYSE.STOCK"}));
    EXPECT_FALSE(findCategory(db.get(), "US.AMEX.STOCK", nullptr));
}

TEST_F(SymbolSelectionTest, SecuritiesInUseAreNeitherRemovedNorEmptied)
{
    QxSymbolSelectionDlg* dlg = QxSymbolSelectionDlg::get(false);
    QxSecurityListCtrl* list = dlg->securityList();
    QxObjectSmartPtr<QxSecurity> busy(list->securityAt(1));
    QxObjectSmartPtr<QxSecurity> idle(list->securityAt(2));
    for (QxSecurity* s : {busy.get(), idle.get()}) {
        QxObjectSmartPtr<QxPriceHistory> h(new QxPriceHistory(Qx::eStock, Qx::eDaily));
        QxQuote q{};
        q.securityType = Qx::eStock;
        q.time = 20140102000000000LL;
        q.open = q.high = q.low = q.close = 10;
        q.volume = 100;
        h->insertOrReplaceQuote(q);
        ASSERT_EQ(s->saveHistory(h.get()), 0);
    }
    QxObjectSmartPtr<QxCalculator> chart(new QxCalculator(busy.get(), Qx::eDaily)); // as an open chart holds it
    ASSERT_TRUE(QxCalculator::hasCacheForSecurity(busy->id()));
    const unsigned busyId = busy->id();
    const unsigned idleId = idle->id();

    DialogCatcher catcher(answering(wxID_YES));
    selectOnly(list, {1, 2});
    dlg->deletePriceHistoryOfSelected();
    EXPECT_EQ(messages, (std::vector<wxString>{
                            "Are you sure you want to delete the price history of selected securities?",
                            "Security 'N001' is in use, and it's price history cannot be deleted."}));
    QxQuote last{};
    int64_t since = 0;
    EXPECT_EQ(busy->lastQuote(since, last), 0);
    EXPECT_EQ(last.time, 20140102000000000LL) << "history of the security in use is kept";
    since = 0;
    last = QxQuote{};
    idle->lastQuote(since, last);
    EXPECT_EQ(last.time, 0) << "the other's history is gone";

    messages.clear();
    selectOnly(list, {1, 2, 4});
    const unsigned id4 = list->securityAt(4)->id();
    dlg->removeSelectedSecurities();
    EXPECT_EQ(messages, (std::vector<wxString>{"Are you sure you want to delete selected securities?",
                                                 "Security 'N001' is in use, and it cannot be deleted."}));
    EXPECT_NE(QxObjectSmartPtr<QxSecurity>(db->getSecurity(busyId)), nullptr);
    EXPECT_EQ(QxObjectSmartPtr<QxSecurity>(db->getSecurity(idleId)), nullptr);
    EXPECT_EQ(QxObjectSmartPtr<QxSecurity>(db->getSecurity(id4)), nullptr);
    ASSERT_EQ(list->GetItemCount(), 298);
    EXPECT_EQ(list->GetItemText(1, 0), "N001");
    EXPECT_EQ(list->GetItemText(2, 0), "N003");
    EXPECT_EQ(list->GetItemText(3, 0), "N005");
    EXPECT_EQ(selectedRows(list), std::vector<long>{1}) << "the kept security stays selected, alone";

    // Nothing selected: both commands ask, then change nothing.
    messages.clear();
    selectOnly(list, {});
    dlg->deletePriceHistoryOfSelected();
    dlg->removeSelectedSecurities();
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(list->GetItemCount(), 298);

    // A No keeps everything.
    DialogCatcher no(answering(wxID_NO));
    selectOnly(list, {0});
    dlg->removeSelectedSecurities();
    EXPECT_EQ(list->GetItemCount(), 298);
}

TEST_F(SymbolSelectionTest, AdditionsAndRemovalsThroughTheDatabaseShowAtOnce)
{
    QxSymbolSelectionDlg* dlg = QxSymbolSelectionDlg::get(true);
    QxSecurityListCtrl* list = dlg->securityList();
    ASSERT_EQ(list->GetItemCount(), 300);

    QxObjectSmartPtr<QxCategory> nasdaq = findCategory(db.get(), "US.NASDAQ.STOCK", "Yahoo!");
    QxObjectSmartPtr<QxSecurity> added(nasdaq->addSecurity("N150A", "Inserted"));
    ASSERT_TRUE(added);
    ASSERT_EQ(list->GetItemCount(), 301);
    EXPECT_EQ(list->GetItemText(151, 0), "N150A");
    EXPECT_EQ(list->GetItemText(152, 0), "N151");

    // Removed through other objects than the dialog's own.
    QxObjectSmartPtr<QxSecurity> other(nasdaq->findSecurity("N010"));
    ASSERT_EQ(other->deleteSecurity(), 0);
    EXPECT_EQ(list->GetItemCount(), 300);
    EXPECT_EQ(list->GetItemText(10, 0), "N011");

    // A category never shown: its row is selected and its securities are
    // listed once, the new one among them.
    QxObjectSmartPtr<QxCategory> nyse = findCategory(db.get(), "US.NYSE.STOCK", "Google");
    EXPECT_EQ(list->cachedList(nyse.get()), nullptr);
    QxObjectSmartPtr<QxSecurity> g(nyse->addSecurity("G000A", "New"));
    ASSERT_TRUE(g);
    EXPECT_EQ(selectedRows(dlg->categoryList()), std::vector<long>{dlg->findCategoryRow(nyse.get())});
    ASSERT_EQ(list->GetItemCount(), 41);
    EXPECT_EQ(list->GetItemText(1, 0), "G000A");
    EXPECT_EQ(list->GetItemText(2, 0), "G001");

    // A new category gets its sorted row and is selected.
    QxObjectSmartPtr<QxCategory> fresh(db->createCategory("DE.XETRA.STOCK", "Yahoo!"));
    ASSERT_TRUE(fresh);
    EXPECT_EQ(dlg->categoryList()->GetItemText(0), "DE.XETRA.STOCK");
    EXPECT_EQ(selectedRows(dlg->categoryList()), std::vector<long>{0});
    EXPECT_EQ(list->GetItemCount(), 0);

    // Another database's events are not this dialog's.
    QxObjectSmartPtr<QxDatabase> elsewhere = buildDatabase({{"Yahoo!", "FR.PAR.STOCK", 2, "F"}});
    EXPECT_EQ(dlg->categoryList()->GetItemCount(), 6);
}

TEST_F(SymbolSelectionTest, ChangingTheDatabaseBuildsANewDialog)
{
    QxSymbolSelectionDlg* first = QxSymbolSelectionDlg::get(true);
    ASSERT_EQ(first->categoryList()->GetItemCount(), 5);
    useDatabase(buildDatabase({{"Yahoo!", "US.NASDAQ.STOCK", 3, "X"}}));
    EXPECT_EQ(QxSymbolSelectionDlg::instance(), nullptr);
    QxSymbolSelectionDlg* second = QxSymbolSelectionDlg::get(true);
    EXPECT_EQ(rowLabels(second->categoryList()), std::vector<wxString>{"US.NASDAQ.STOCK"});
    EXPECT_EQ(rowLabels(second->securityList()), (std::vector<wxString>{"X000", "X001", "X002"}));
}

TEST_F(SymbolSelectionTest, ScreenshotOfTheDialog)
{
    QxSymbolSelectionDlg* dlg = QxSymbolSelectionDlg::get(false);
    selectOnly(dlg->securityList(), {2, 4, 5});
    dlg->Show();
    framestest::pump(300);
    EXPECT_TRUE(framestest::saveWindowShot(dlg, "symbol_selection_dialog.png"));
    dlg->Hide();
}

TEST_F(SymbolSelectionTest, DatabaseInfoNamesTheFormatAndLocation)
{
    QxDataReaderRepository::instance()->addObj(historyReader());
    {
        QxDatabaseInfoDlg info(nullptr);
        EXPECT_EQ(info.formatText(), historyReader()->displayName());
        EXPECT_FALSE(info.formatText().empty());
        EXPECT_EQ(info.locationText(), wxString::FromUTF8(db->path()));
        EXPECT_TRUE(info.locationText().EndsWith("/hist.trddb"));
    }
    QxDataReaderRepository::instance()->delObj(historyReader());
    {
        QxDatabaseInfoDlg info(nullptr);
        EXPECT_TRUE(info.formatText().empty()) << "no registered reader, no format";
        EXPECT_EQ(info.locationText(), wxString::FromUTF8(db->path()));
    }
    scoped.app().changeDatabase(nullptr);
    QxDatabaseInfoDlg none(nullptr);
    EXPECT_TRUE(none.formatText().empty());
    EXPECT_TRUE(none.locationText().empty());
}

TEST_F(SymbolSelectionTest, QuoteEditorCommandAsksForTheSecurityFirst)
{
    auto* frame = new QxCommonFrame(nullptr, wxID_ANY, "commands");
    bool confirm = false;
    unsigned chosen = 0;
    std::vector<wxString> editorTitles;
    DialogCatcher catcher([&](wxDialog* dialog) {
        if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
            messages.push_back(box->GetMessage());
            return static_cast<int>(wxID_OK);
        }
        if (dynamic_cast<DlgPriceHistory*>(dialog)) {
            dialog->InitDialog();
            editorTitles.push_back(dialog->GetTitle());
            return static_cast<int>(wxID_CANCEL);
        }
        auto* selection = dynamic_cast<QxSymbolSelectionDlg*>(dialog);
        if (!selection || !confirm)
            return static_cast<int>(wxID_CANCEL);
        EXPECT_TRUE(selection->securityList()->isSingleSelection());
        selectOnly(selection->securityList(), {4});
        chosen = selection->securityList()->securityAt(4)->id();
        return selection->confirmSelection() ? static_cast<int>(wxID_OK) : static_cast<int>(wxID_CANCEL);
    });
    wxCommandEvent command(wxEVT_MENU, 30004);
    frame->ProcessWindowEvent(command);
    EXPECT_TRUE(editorTitles.empty()) << "cancelled: nothing follows";
    confirm = true;
    frame->ProcessWindowEvent(command);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(editorTitles, std::vector<wxString>{"N004"}) << "the editor of the chosen security";
    EXPECT_NE(chosen, 0u);
    frame->Destroy();
    framestest::pump(50);
}

// The road a new user takes: New Chart on the home frame, a category and a
// security chosen in the dialog, Enter, and the chart opens in its frame.
TEST_F(SymbolSelectionTest, NewChartOpensTheChosenSecurity)
{
    QxObjectSmartPtr<QxCategory> nyse = findCategory(db.get(), "US.NYSE.STOCK", "Google");
    QxObjectSmartPtr<QxSecurity> walker(nyse->addSecurity("WALK", "Walker Mills"));
    ASSERT_TRUE(walker);
    QxObjectSmartPtr<QxPriceHistory> history(new QxPriceHistory(Qx::eStock, Qx::eDaily));
    for (int i = 0; i < 250; ++i) {
        QxQuote q;
        q.securityType = Qx::eStock;
        q.time = makeTimestamp(1 + i % 28, 1 + i / 28, 2013);
        q.open = 40 + (i % 7);
        q.close = 40 + (i % 5);
        q.high = 48;
        q.low = 38;
        q.volume = 1e6 + i;
        history->insertOrReplaceQuote(q);
    }
    ASSERT_EQ(walker->saveHistory(history.get()), 0);

    auto chartFrames = [] {
        std::vector<QxChartFrame*> frames;
        for (wxWindow* w : wxTopLevelWindows)
            if (auto* f = dynamic_cast<QxChartFrame*>(w); f && !f->IsBeingDeleted())
                frames.push_back(f);
        return frames;
    };
    auto* home = new QxGatewayFrame();
    auto newChart = [&](const std::function<void(QxSymbolSelectionDlg*)>& steps) {
        DialogCatcher catcher(answering(wxID_OK, steps));
        wxTimer guard;
        guard.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
            if (QxSymbolSelectionDlg* d = QxSymbolSelectionDlg::instance(); d && d->IsModal())
                d->EndModal(-42);
        });
        guard.StartOnce(10000);
        wxCommandEvent command(wxEVT_MENU, 5002);
        command.SetEventObject(home);
        home->ProcessWindowEvent(command);
    };

    // Cancelled: nothing opens.
    newChart([](QxSymbolSelectionDlg* d) { click(d, wxID_CANCEL); });
    EXPECT_TRUE(chartFrames().empty());

    newChart([&](QxSymbolSelectionDlg* d) {
        // The user picks the category, then the security, and presses Enter.
        const long row = d->findCategoryRow(nyse.get());
        d->categoryList()->Select(row, true);
        wxListEvent picked(wxEVT_LIST_ITEM_SELECTED, d->categoryList()->GetId());
        picked.m_itemIndex = row;
        picked.SetEventObject(d->categoryList());
        d->categoryList()->ProcessWindowEvent(picked);
        QxSecurityListCtrl* list = d->securityList();
        long at = -1;
        for (long r = 0; r < list->GetItemCount(); ++r)
            if (list->GetItemText(r, 0) == "WALK")
                at = r;
        selectOnly(list, {at});
        pressKey(list, WXK_RETURN, false);
    });
    EXPECT_TRUE(messages.empty());
    const std::vector<QxChartFrame*> frames = chartFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->GetTitle(), "Corvane Trendoria 2014 [Walker Mills]");
    framestest::pump(300);
    EXPECT_TRUE(framestest::saveWindowShot(frames[0], "new_chart_from_selection.png"));
    frames[0]->Destroy();
    home->Destroy();
    framestest::pump(100);
}
