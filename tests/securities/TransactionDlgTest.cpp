// The transaction dialog: its checks as plain functions, then run for real
// inside the modal hook in both modes, over a history database holding a
// stretch of a real daily history, and the chosen day's close in two time
// zones.
#include "core/QxPriceHistory.h"
#include "core/QxTime.h"
#include "securities/QxSymbolSelectionDlg.h"
#include "securities/QxTransactionDlg.h"

#include "support/SecuritiesTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using framestest::DialogCatcher;
using framestest::ScopedApplication;

namespace {

wxDateTime dateOf(int day, int month, int year)
{
    return wxDateTime(static_cast<wxDateTime::wxDateTime_t>(day), static_cast<wxDateTime::Month>(month - 1), year);
}

// As a click on a day of the calendar does.
void chooseDay(wxGenericCalendarCtrl* calendar, const wxDateTime& day)
{
    calendar->SetDate(day);
    wxCalendarEvent event(calendar, day, wxEVT_CALENDAR_SEL_CHANGED);
    calendar->ProcessWindowEvent(event);
}

class TransactionDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = sectest::newDatabase("transactions");
        ASSERT_TRUE(db);
        scoped.app().changeDatabase(db);
        // No provider: the foreground price request reads what is stored.
        QxObjectSmartPtr<QxCategory> category(db->createCategory("US.NASDAQ.STOCK", ""));
        ASSERT_TRUE(category);
        security = category->addSecurity("NVDA", "Nvidia");
        ASSERT_TRUE(security);
        history = TestSupport::fixtureHistory("nvda-1999-2014.csv", 300);
        ASSERT_EQ(security->saveHistory(history.get()), 0);
        script.on<QxSymbolSelectionDlg>([this](QxSymbolSelectionDlg* d) { sectest::pickSecurity(d, security.get()); });
    }
    void TearDown() override
    {
        QxSymbolSelectionDlg::destroy();
        security = nullptr;
        db = nullptr;
    }

    double lastClose() const { return history->close()[history->numBars() - 1]; }

    ScopedApplication scoped;
    QxObjectSmartPtr<QxDatabase> db;
    QxObjectSmartPtr<QxSecurity> security;
    QxObjectSmartPtr<QxPriceHistory> history;
    sectest::Script script;
};

} // namespace

TEST(TransactionChecks, FieldsAreReadAsWholeFiniteNumbersWithinTheirRanges)
{
    const wxString quantityMessage = "Please provide valid quantity.";
    const wxString priceMessage = "Please provide valid transaction price.";
    const wxString commissionMessage = "Please provide valid commission value for transaction.";
    const struct {
        wxString (*check)(const wxString&, double*);
        const char* text;
        wxString message; // empty: accepted
        double value;
    } cases[] = {
        {qxCheckQuantity, "10", "", 10},         {qxCheckQuantity, " 2.5 ", "", 2.5},
        {qxCheckQuantity, "0", quantityMessage, 0}, {qxCheckQuantity, "-1", quantityMessage, 0},
        {qxCheckQuantity, "x", quantityMessage, 0}, {qxCheckQuantity, "10x", quantityMessage, 0},
        {qxCheckQuantity, "inf", quantityMessage, 0}, {qxCheckQuantity, "", quantityMessage, 0},
        {qxCheckPrice, "0", "", 0},              {qxCheckPrice, "12.5", "", 12.5},
        {qxCheckPrice, "-0.01", priceMessage, 0}, {qxCheckPrice, "nan", priceMessage, 0},
        {qxCheckCommission, "", "", 0},          {qxCheckCommission, "  ", "", 0},
        {qxCheckCommission, "1.5", "", 1.5},     {qxCheckCommission, "-1", commissionMessage, 0},
        {qxCheckCommission, "free", commissionMessage, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        double value = -99;
        EXPECT_EQ(c.check(c.text, &value), c.message);
        EXPECT_EQ(value, c.message.empty() ? c.value : -99) << "a refused field sets nothing";
    }
}

TEST(TransactionChecks, TheDayPriceIsTheCloseOfTheFirstBarFromThatDay)
{
    QxPriceHistory stock(Qx::eStock, Qx::eDaily);
    for (int day : {3, 4, 7}) {
        QxQuote q;
        q.securityType = Qx::eStock;
        q.time = makeTimestamp(static_cast<uint8_t>(day), 3, 2014);
        q.open = q.high = q.low = 1;
        q.close = day;
        q.volume = 1;
        stock.insertOrReplaceQuote(q);
    }
    const struct {
        int day;
        bool lastIfAfter;
        QxDayPrice result;
        double price;
    } cases[] = {
        {1, false, QxDayPrice::eFound, 3}, {4, false, QxDayPrice::eFound, 4},
        {5, false, QxDayPrice::eFound, 7}, {8, false, QxDayPrice::eAfterLastBar, -1},
        {8, true, QxDayPrice::eFound, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.day);
        double price = -1;
        EXPECT_EQ(qxPriceOfDay(&stock, makeTimestamp(static_cast<uint8_t>(c.day), 3, 2014), c.lastIfAfter, &price),
                  c.result);
        EXPECT_EQ(price, c.price);
    }
    double price = -1;
    QxPriceHistory empty(Qx::eStock, Qx::eDaily);
    EXPECT_EQ(qxPriceOfDay(&empty, makeTimestamp(1, 3, 2014), true, &price), QxDayPrice::eNoPrices);
    EXPECT_EQ(qxPriceOfDay(nullptr, makeTimestamp(1, 3, 2014), true, &price), QxDayPrice::eNoPrices);

    // A fund has no close: its net asset value is its price.
    QxPriceHistory fund(Qx::eFund, Qx::eDaily);
    QxQuote q;
    q.securityType = Qx::eFund;
    q.time = makeTimestamp(3, 3, 2014);
    q.nav = 23.75;
    fund.insertOrReplaceQuote(q);
    EXPECT_EQ(qxPriceOfDay(&fund, makeTimestamp(3, 3, 2014), false, &price), QxDayPrice::eFound);
    EXPECT_EQ(price, 23.75);
}

TEST_F(TransactionDlgTest, ASellIsCheckedFieldByFieldAndTakesTheCloseOfItsDay)
{
    struct Refusal {
        wxString field;
        bool stayedOpen;
        bool focusHere;
    };
    std::vector<Refusal> refusals;
    const QxCalculator* firstCalculator = nullptr;
    const QxCalculator* calculatorAfterSameChoice = nullptr;
    wxString title, symbol, fetched;
    int64_t dateAfterFuture = 0;
    const wxDateTime day = dateOf(7, 3, 2014);
    script.on<QxTransactionDlg>([&](QxTransactionDlg* d) {
        title = d->GetTitle();
        EXPECT_EQ(d->chosenDate(), todayTimestamp()) << "the calendar starts at today";
        EXPECT_TRUE(d->buyButton()->GetValue());
        auto refusedAt = [&](const char* name, wxWindow* field) {
            sectest::click(d, wxID_OK);
            refusals.push_back({name, d->IsModal(), sectest::focused(field)});
        };
        refusedAt("symbol", d->symbolCtrl());

        sectest::click(d->selectButton());
        symbol = d->symbolCtrl()->GetValue();
        firstCalculator = d->calculator();
        sectest::click(d->selectButton()); // the same security again
        calculatorAfterSameChoice = d->calculator();

        for (const char* bad : {"0", "-1", "x"}) {
            d->quantityCtrl()->ChangeValue(bad);
            refusedAt("quantity", d->quantityCtrl());
        }
        d->quantityCtrl()->ChangeValue("10");
        d->sellButton()->SetValue(true);
        d->priceCtrl()->ChangeValue("-1");
        refusedAt("price", d->priceCtrl());
        // Today lies after the last stored bar.
        d->priceCtrl()->ChangeValue("");
        refusedAt("no quote", d->priceCtrl());

        chooseDay(d->calendar(), wxDateTime::Today() + wxDateSpan::Days(1));
        dateAfterFuture = d->chosenDate();
        chooseDay(d->calendar(), day);
        sectest::click(d->getPriceButton());
        fetched = d->priceCtrl()->GetValue();
        d->commissionCtrl()->ChangeValue("-2");
        refusedAt("commission", d->commissionCtrl());
        d->commissionCtrl()->ChangeValue("");
        d->priceCtrl()->ChangeValue(""); // taken again at OK
        framestest::saveWindowShot(d, "transaction_dialog.png");
        sectest::click(d, wxID_OK);
    });
    DialogCatcher catcher(script.handler());
    QxTransactionDlg dialog(nullptr, false);
    ASSERT_EQ(dialog.ShowModal(), wxID_OK);

    EXPECT_EQ(title, "Add Transaction");
    EXPECT_EQ(symbol, "NVDA");
    ASSERT_NE(firstCalculator, nullptr);
    EXPECT_EQ(calculatorAfterSameChoice, firstCalculator);
    EXPECT_EQ(script.messages,
              (std::vector<wxString>{"Please provide symbol of security for which transaction is being added.",
                                     "Please provide valid quantity.", "Please provide valid quantity.",
                                     "Please provide valid quantity.", "Please provide valid transaction price.",
                                     "No price quote available for selected transaction date.",
                                     "Transaction date cannot be greater than today",
                                     "Please provide valid commission value for transaction."}));
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.field);
        EXPECT_TRUE(r.stayedOpen);
        if (r.field != "no quote") {
            EXPECT_TRUE(r.focusHere);
        }
    }
    EXPECT_EQ(dateAfterFuture, todayTimestamp()) << "a future day puts the calendar back";
    const double close = sectest::closeOn(*history, makeTimestamp(7, 3, 2014));
    ASSERT_FALSE(std::isnan(close));
    EXPECT_EQ(fetched, wxString::Format("%lf", close));
    ASSERT_NE(dialog.getSecurity(), nullptr);
    EXPECT_EQ(dialog.getSecurity()->id(), security->id());
    const QxTransaction& t = dialog.getTransaction();
    EXPECT_EQ(t.quantity, -10);
    EXPECT_DOUBLE_EQ(t.price, close);
    EXPECT_EQ(t.time, makeTimestamp(7, 3, 2014));
    EXPECT_EQ(t.load, 0);
}

TEST_F(TransactionDlgTest, AWatchItemAsksForNoQuantityAndTakesTheLastCloseAfterTheLastBar)
{
    wxString title, box;
    bool noQuantityRows = false;
    script.on<QxTransactionDlg>([&](QxTransactionDlg* d) {
        title = d->GetTitle();
        box = d->dateBox()->GetLabel();
        noQuantityRows = !d->quantityCtrl() && !d->commissionCtrl() && !d->buyButton() && !d->sellButton();
        framestest::saveWindowShot(d, "watch_item_dialog.png");
        sectest::click(d->selectButton());
        sectest::click(d, wxID_OK); // blank price, today: after the last bar
    });
    {
        DialogCatcher catcher(script.handler());
        QxTransactionDlg dialog(nullptr, true);
        ASSERT_EQ(dialog.ShowModal(), wxID_OK);
        EXPECT_TRUE(script.messages.empty()) << script.messages.front();
        EXPECT_DOUBLE_EQ(dialog.getTransaction().price, std::stod(wxString::Format("%lf", lastClose()).ToStdString()));
        EXPECT_EQ(dialog.getTransaction().time, todayTimestamp());
        EXPECT_EQ(dialog.getTransaction().quantity, 0) << "a watch item has no quantity";
    }
    EXPECT_EQ(title, "Add Watch Item");
    EXPECT_EQ(box, "Watch Start Date");
    EXPECT_TRUE(noQuantityRows);

    // A start price of 0 is a price.
    sectest::Script zero;
    zero.on<QxSymbolSelectionDlg>([this](QxSymbolSelectionDlg* d) { sectest::pickSecurity(d, security.get()); });
    zero.on<QxTransactionDlg>([&](QxTransactionDlg* d) {
        sectest::click(d->selectButton());
        d->priceCtrl()->ChangeValue("0");
        sectest::click(d, wxID_OK);
    });
    DialogCatcher catcher(zero.handler());
    QxTransactionDlg dialog(nullptr, true);
    ASSERT_EQ(dialog.ShowModal(), wxID_OK);
    EXPECT_TRUE(zero.messages.empty());
    EXPECT_EQ(dialog.getTransaction().price, 0);
}

TEST_F(TransactionDlgTest, TheChosenDayIsTheSameDayInEveryTimeZone)
{
    for (const char* zone : {"America/New_York", "Asia/Tokyo"}) {
        SCOPED_TRACE(zone);
        TestSupport::ScopedTimeZone tz(zone);
        QxTransactionDlg dialog(nullptr, false);
        dialog.setSecurity(security.get());
        // Three days of different closes: a neighbour's close would show.
        for (int day : {6, 7, 10}) {
            dialog.calendar()->SetDate(dateOf(day, 3, 2014));
            const int64_t packed = makeTimestamp(static_cast<uint8_t>(day), 3, 2014);
            EXPECT_EQ(dialog.chosenDate(), packed);
            ASSERT_TRUE(dialog.fetchPrice());
            EXPECT_EQ(dialog.priceCtrl()->GetValue(), wxString::Format("%lf", sectest::closeOn(*history, packed))) << day;
        }
    }
}
