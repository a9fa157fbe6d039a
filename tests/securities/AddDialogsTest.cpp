// The add-security and add-category dialogs: the road a user takes from the
// selection dialog to a new category and security, its first quotes and
// its first chart; and what the dialogs say when the database refuses.
#include "app/QxCommonFrame.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxChartView.h"
#include "core/QxCalculator.h"
#include "core/QxCategory.h"
#include "core/QxCountryInfoTable.h"
#include "core/QxDataProviderRepository.h"
#include "core/QxSecurity.h"
#include "securities/DlgPriceHistory.h"
#include "securities/DlgQuote.h"
#include "securities/QxAddCategoryDlg.h"
#include "securities/QxAddSymbolDlg.h"
#include "securities/QxSymbolSelectionDlg.h"

#include "support/SecuritiesTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

using framestest::DialogCatcher;
using framestest::ScopedApplication;

namespace {

// A provider that has nothing to download.
class QuietProvider : public QxDataProvider {
public:
    QxAtom name() const override { return QxAtom("Test"); }
    void populateDatabase(QxDatabase*) override {}
    const wxBitmap* icon() const override { return nullptr; }
    void update(QxSecurity*, bool) override {}
    void windup() override {}
};

int countryRow(const char* code)
{
    for (unsigned i = 0; i < QxCountryInfoTable::getNumCountry(); ++i)
        if (std::strcmp(QxCountryInfoTable::getCountryInfoAt(i).code, code) == 0)
            return static_cast<int>(i);
    return -1;
}

long rowOf(wxListCtrl* list, const wxString& text)
{
    for (long r = 0; r < list->GetItemCount(); ++r)
        if (list->GetItemText(r, 0) == text)
            return r;
    return -1;
}

void chooseSecurity(QxSymbolSelectionDlg* d, const wxString& ticker)
{
    QxSecurityListCtrl* list = d->securityList();
    for (long r = 0; r < list->GetItemCount(); ++r)
        list->SetItemState(r, r == rowOf(list, ticker) ? wxLIST_STATE_SELECTED : 0, wxLIST_STATE_SELECTED);
    sectest::click(d, wxID_OK);
}

class AddDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = sectest::newDatabase("road");
        ASSERT_TRUE(db);
        scoped.app().changeDatabase(db);
        QxDataProviderRepository::instance()->addObj(new QuietProvider);
    }
    void TearDown() override
    {
        QxSymbolSelectionDlg::destroy();
        db = nullptr;
    }

    ScopedApplication scoped;
    QxObjectSmartPtr<QxDatabase> db;
    sectest::Script script;
};

} // namespace

TEST_F(AddDialogsTest, FromTheSelectionDialogToANewSecurityItsQuotesAndItsChart)
{
    wxString categoryShown, categoryRow;
    bool listed = false;
    std::function<void(QxSymbolSelectionDlg*)> selectionSteps = [&](QxSymbolSelectionDlg* d) {
        sectest::click(d->addSecurityButton());
        const long row = d->categoryList()->GetFirstSelected();
        categoryRow = row >= 0 ? d->categoryList()->GetItemText(row) : wxString();
        listed = rowOf(d->securityList(), "ROAD") >= 0;
        sectest::click(d, wxID_CANCEL);
    };
    script.on<QxSymbolSelectionDlg>([&](QxSymbolSelectionDlg* d) { selectionSteps(d); });
    script.on<QxAddSymbolDlg>([&](QxAddSymbolDlg* d) {
        EXPECT_EQ(d->categoryCtrl()->GetCount(), 0u) << "a new database has no categories";
        sectest::click(d, wxID_OK);
        sectest::click(d->addCategoryButton());
        categoryShown = d->categoryCtrl()->GetStringSelection();
        framestest::saveWindowShot(d, "add_security_dialog.png");
        sectest::click(d, wxID_OK);
        d->symbolCtrl()->ChangeValue("RO AD");
        sectest::click(d, wxID_OK);
        d->symbolCtrl()->ChangeValue("ROAD");
        sectest::click(d, wxID_OK);
        d->nameCtrl()->ChangeValue("Road Works Inc");
        sectest::click(d, wxID_OK);
    });
    script.on<QxAddCategoryDlg>([&](QxAddCategoryDlg* d) {
        EXPECT_EQ(d->countryCtrl()->GetCount(), 240u);
        EXPECT_EQ(d->providerCtrl()->GetStringSelection(), "Test");
        sectest::click(d, wxID_OK);
        d->countryCtrl()->SetSelection(countryRow("US"));
        sectest::click(d, wxID_OK);
        d->exchangeCtrl()->ChangeValue("nas.daq");
        sectest::click(d, wxID_OK);
        d->exchangeCtrl()->ChangeValue("nasdaq");
        sectest::click(d, wxID_OK);
        d->stockCtrl()->SetValue(true);
        framestest::saveWindowShot(d, "add_category_dialog.png");
        sectest::click(d, wxID_OK);
    });
    {
        DialogCatcher catcher(script.handler());
        QxSymbolSelectionDlg::get(true)->ShowModal();
    }
    EXPECT_EQ(script.messages, (std::vector<wxString>{
                                   "Please select a category where you want to add security.",
                                   "Please select country.",
                                   "Please provide short name of exchange.",
                                   "Exchange name should contain only alphabets.",
                                   "Please select type.",
                                   "Please provider symbol of security.",
                                   "Symbol of security must not contain any space or tab character.",
                                   "Please provider name of security.",
                               }));
    EXPECT_EQ(categoryShown, "Test:US.nasdaq.STOCK") << "the new category, selected, its exchange as typed";
    EXPECT_EQ(categoryRow, "US.nasdaq.STOCK");
    EXPECT_TRUE(listed) << "the new security is listed in the selection dialog";
    QxObjectSmartPtr<QxCategory> category(db->findCategory("US.nasdaq.STOCK", "Test"));
    ASSERT_TRUE(category);
    QxObjectSmartPtr<QxSecurity> road(category->findSecurity("ROAD"));
    ASSERT_TRUE(road);
    EXPECT_STREQ(road->name(), "Road Works Inc");

    // The quote editor on it: three quotes, Save.
    script.messages.clear();
    selectionSteps = [](QxSymbolSelectionDlg* d) { chooseSecurity(d, "ROAD"); };
    int day = 6;
    script.on<DlgQuote>([&](DlgQuote* d) {
        d->dateCtrl()->SetValue(wxDateTime(static_cast<wxDateTime::wxDateTime_t>(day++), wxDateTime::Jan, 2014));
        d->openCtrl()->ChangeValue(day % 2 ? "10" : "12");
        d->highCtrl()->ChangeValue("13");
        d->lowCtrl()->ChangeValue("9");
        d->closeCtrl()->ChangeValue(day % 2 ? "12" : "10");
        d->volumeCtrl()->ChangeValue("1000");
        sectest::click(d, wxID_OK);
    });
    int rows = 0;
    script.on<DlgPriceHistory>([&](DlgPriceHistory* ed) {
        for (int i = 0; i < 3; ++i)
            sectest::click(ed->addButton());
        rows = ed->list()->GetItemCount();
        framestest::saveWindowShot(ed, "price_history_new_security.png");
        sectest::click(ed, wxID_SAVE);
        sectest::click(ed, wxID_CANCEL);
    });
    auto* frame = new QxCommonFrame(nullptr, wxID_ANY, "road");
    {
        DialogCatcher catcher(script.handler());
        wxCommandEvent quoteEditor(wxEVT_MENU, 30004);
        frame->ProcessWindowEvent(quoteEditor);
        wxCommandEvent newChart(wxEVT_MENU, 5002);
        frame->ProcessWindowEvent(newChart);
    }
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(rows, 3);
    QxChartFrame* chart = nullptr;
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* f = dynamic_cast<QxChartFrame*>(w); f && !f->IsBeingDeleted())
            chart = f;
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->GetTitle(), "Corvane Trendoria 2014 [Road Works Inc]");
    QxCalculator calc(road.get(), Qx::eDaily);
    ASSERT_NE(calc.prices(Qx::eDaily, false), nullptr);
    EXPECT_EQ(calc.prices(Qx::eDaily, false)->numBars(), 3u) << "three candles";
    framestest::pump(300);
    EXPECT_TRUE(framestest::saveWindowShot(chart, "chart_of_new_security.png"));
    chart->Destroy();
    frame->Destroy();
    framestest::pump(50);
}

TEST_F(AddDialogsTest, WhatTheDatabaseRefusesIsReportedAndTheDialogStaysOpen)
{
    QxObjectSmartPtr<QxCategory> category(db->createCategory("US.NASDAQ.STOCK", "Test"));
    ASSERT_TRUE(category);
    ASSERT_TRUE(QxObjectSmartPtr<QxSecurity>(category->addSecurity("TAKEN", "First")));

    bool symbolStayed = false, categoryStayed = false;
    script.on<QxAddSymbolDlg>([&](QxAddSymbolDlg* d) {
        EXPECT_EQ(d->categoryCtrl()->GetCount(), 1u);
        d->categoryCtrl()->SetSelection(0);
        d->symbolCtrl()->ChangeValue("taken"); // differs only in case: refused by the database
        d->nameCtrl()->ChangeValue("Second");
        sectest::click(d, wxID_OK);
        symbolStayed = d->IsModal();
        sectest::click(d, wxID_CANCEL);
    });
    script.on<QxAddCategoryDlg>([&](QxAddCategoryDlg* d) {
        d->countryCtrl()->SetSelection(countryRow("US"));
        d->exchangeCtrl()->ChangeValue("nasdaq"); // the same tables as US.NASDAQ.STOCK
        d->stockCtrl()->SetValue(true);
        sectest::click(d, wxID_OK);
        categoryStayed = d->IsModal();
        sectest::click(d, wxID_CANCEL);
    });
    DialogCatcher catcher(script.handler());
    {
        QxAddSymbolDlg dialog(nullptr);
        EXPECT_EQ(dialog.ShowModal(), wxID_CANCEL);
    }
    {
        QxAddCategoryDlg dialog(nullptr);
        EXPECT_EQ(dialog.ShowModal(), wxID_CANCEL);
    }
    EXPECT_TRUE(symbolStayed);
    EXPECT_TRUE(categoryStayed);
    EXPECT_EQ(script.messages, (std::vector<wxString>{"The security could not be added to the database.",
                                                       "The category could not be added to the database."}));
    EXPECT_EQ(QxAddCategoryDlg::categoryName("IN", "nse", false), "IN.nse.INDEX");
    EXPECT_FALSE(QxAddCategoryDlg::isAlphabetic("nyse1"));
    EXPECT_TRUE(QxAddCategoryDlg::isAlphabetic("Xetra"));
}
