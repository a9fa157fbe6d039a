// The quote and split dialogs run for real inside the modal hook: each
// refused field with its message and focus, values that are stored only
// once every field is valid, and the ratio kept in lowest terms.
#include "securities/DlgQuote.h"
#include "securities/DlgSplit.h"

#include "support/SecuritiesTestSupport.h"

#include <gtest/gtest.h>

#include <ostream>

using framestest::DialogCatcher;
using framestest::ScopedApplication;

namespace {

void setDate(wxDatePickerCtrl* picker, int day, int month, int year)
{
    picker->SetValue(wxDateTime(static_cast<wxDateTime::wxDateTime_t>(day), static_cast<wxDateTime::Month>(month - 1),
                                year));
}

} // namespace

TEST(PriceDialogs, EachQuoteFieldIsRefusedWithItsFocusAndACorrectedDateIsStored)
{
    ScopedApplication scoped;
    sectest::Script script;
    struct Refusal {
        const char* field;
        wxString text;
        bool stayedOpen;
        bool focusHere;
    };
    std::vector<Refusal> refusals;
    QxQuote stored;
    script.on<DlgQuote>([&](DlgQuote* d) {
        EXPECT_TRUE(d->dateCtrl()->IsEnabled()) << "a new quote's date can be chosen";
        EXPECT_FALSE(d->navCtrl()->IsShown());
        EXPECT_FALSE(d->openInterestCtrl()->IsShown());
        const std::pair<const char*, wxTextCtrl*> fields[] = {{"open", d->openCtrl()},
                                                               {"high", d->highCtrl()},
                                                               {"low", d->lowCtrl()},
                                                               {"close", d->closeCtrl()},
                                                               {"volume", d->volumeCtrl()}};
        const wxString bad[] = {"", "abc", "0", "-1", "nan"};
        setDate(d->dateCtrl(), 3, 2, 2014); // the first attempt's date
        for (size_t k = 0; k < 5; ++k) {
            for (const auto& f : fields)
                f.second->ChangeValue("12.5");
            fields[k].second->ChangeValue(bad[k]);
            sectest::click(d, wxID_OK);
            refusals.push_back({fields[k].first, fields[k].second->GetStringSelection(), d->IsModal(),
                                sectest::focused(fields[k].second)});
        }
        // Corrected: every field valid and another date.
        d->volumeCtrl()->ChangeValue("1500");
        setDate(d->dateCtrl(), 5, 2, 2014);
        sectest::click(d, wxID_OK);
    });
    {
        DialogCatcher catcher(script.handler());
        DlgQuote dialog(nullptr);
        dialog.quote.securityType = Qx::eStock;
        ASSERT_EQ(dialog.ShowModal(), wxID_OK);
        stored = dialog.quote;
    }
    ASSERT_EQ(refusals.size(), 5u);
    const wxString expectedSelection[] = {"", "abc", "0", "-1", "nan"};
    for (size_t k = 0; k < 5; ++k) {
        SCOPED_TRACE(refusals[k].field);
        EXPECT_TRUE(refusals[k].stayedOpen);
        EXPECT_TRUE(refusals[k].focusHere);
        EXPECT_EQ(refusals[k].text, expectedSelection[k]) << "all its text selected";
    }
    EXPECT_EQ(script.messages, std::vector<wxString>(5, "Invalid data in quote price"));
    EXPECT_EQ(stored.time, makeTimestamp(5, 2, 2014)) << "the date of the attempt that succeeded";
    EXPECT_EQ(stored.open, 12.5);
    EXPECT_EQ(stored.volume, 1500);
}

TEST(PriceDialogs, AModifiedQuoteKeepsItsDateAndAFundEditsItsNetAssetValue)
{
    ScopedApplication scoped;
    sectest::Script script;
    bool dateEnabled = true;
    wxString shownOpen, shownVolume;
    script.on<DlgQuote>([&](DlgQuote* d) {
        dateEnabled = d->dateCtrl()->IsEnabled();
        shownOpen = d->openCtrl()->GetValue();
        shownVolume = d->volumeCtrl()->GetValue();
        setDate(d->dateCtrl(), 1, 1, 2000); // cannot happen through the disabled picker
        d->closeCtrl()->ChangeValue("11");
        sectest::click(d, wxID_OK);
    });
    {
        DialogCatcher catcher(script.handler());
        DlgQuote modify(nullptr);
        modify.quote = QxQuote{Qx::eStock, makeTimestamp(7, 3, 2014), 10.25, 12, 9, 10, 123456, 0, 0};
        ASSERT_EQ(modify.ShowModal(), wxID_OK);
        EXPECT_FALSE(dateEnabled);
        EXPECT_EQ(shownOpen, "10.2500");
        EXPECT_EQ(shownVolume, "123456");
        EXPECT_EQ(modify.quote.time, makeTimestamp(7, 3, 2014));
        EXPECT_EQ(modify.quote.close, 11);
    }

    // A fund shows its net asset value only.
    sectest::Script fundScript;
    bool layoutOfFund = false;
    fundScript.on<DlgQuote>([&](DlgQuote* d) {
        layoutOfFund = d->navCtrl()->IsShown() && !d->openCtrl()->IsShown() && !d->volumeCtrl()->IsShown();
        framestest::saveWindowShot(d, "quote_dialog_fund.png");
        d->navCtrl()->ChangeValue("0");
        sectest::click(d, wxID_OK);
        d->navCtrl()->ChangeValue("23.75");
        sectest::click(d, wxID_OK);
    });
    DialogCatcher fundCatcher(fundScript.handler());
    DlgQuote fund(nullptr);
    fund.quote.securityType = Qx::eFund;
    ASSERT_EQ(fund.ShowModal(), wxID_OK);
    EXPECT_TRUE(layoutOfFund);
    EXPECT_EQ(fundScript.messages, std::vector<wxString>{"Invalid data in quote price"});
    EXPECT_EQ(fund.quote.nav, 23.75);
    EXPECT_EQ(fund.quote.time, todayTimestamp());
}

TEST(PriceDialogs, SplitSharesAreCheckedAndKeptInLowestTerms)
{
    ScopedApplication scoped;
    sectest::Script script;
    wxString startOld, startNew;
    bool startsToday = false, oldFocused = false, newFocused = false;
    script.on<DlgSplit>([&](DlgSplit* d) {
        framestest::saveWindowShot(d, "split_dialog.png");
        startOld = d->oldSharesCtrl()->GetValue();
        startNew = d->newSharesCtrl()->GetValue();
        startsToday = timestampFromDateTime(d->dateCtrl()->GetValue()) == todayTimestamp();
        sectest::click(d, wxID_OK); // old shares still 0
        oldFocused = sectest::focused(d->oldSharesCtrl());
        d->oldSharesCtrl()->ChangeValue("3000000000"); // beyond the int range of a ratio
        sectest::click(d, wxID_OK);
        d->oldSharesCtrl()->ChangeValue("3");
        d->newSharesCtrl()->ChangeValue("x");
        sectest::click(d, wxID_OK);
        newFocused = sectest::focused(d->newSharesCtrl());
        d->newSharesCtrl()->ChangeValue("3");
        sectest::click(d, wxID_OK);
        d->oldSharesCtrl()->ChangeValue("2");
        d->newSharesCtrl()->ChangeValue("4");
        setDate(d->dateCtrl(), 2, 6, 2014);
        sectest::click(d, wxID_OK);
    });
    DlgSplit dialog(nullptr);
    {
        DialogCatcher catcher(script.handler());
        ASSERT_EQ(dialog.ShowModal(), wxID_OK);
    }
    EXPECT_EQ(startOld, "0");
    EXPECT_EQ(startNew, "1");
    EXPECT_TRUE(startsToday);
    EXPECT_TRUE(oldFocused);
    EXPECT_TRUE(newFocused);
    EXPECT_EQ(script.messages, (std::vector<wxString>{"Invalid value of 'Old number of shares'",
                                                       "Invalid value of 'Old number of shares'",
                                                       "Invalid value of 'New number of shares'",
                                                       "'New number of shares' can not be same as 'Old number of shares'"}));
    EXPECT_EQ(dialog.split.ratio, boost::rational<int>(1, 2));
    EXPECT_EQ(dialog.split.date, makeTimestamp(2, 6, 2014));

    // Reopened with the record: 1 and 2, the date fixed.
    sectest::Script again;
    wxString shownOld, shownNew;
    bool dateEnabled = true;
    again.on<DlgSplit>([&](DlgSplit* d) {
        shownOld = d->oldSharesCtrl()->GetValue();
        shownNew = d->newSharesCtrl()->GetValue();
        dateEnabled = d->dateCtrl()->IsEnabled();
        sectest::click(d, wxID_CANCEL);
    });
    DialogCatcher second(again.handler());
    DlgSplit reopened(nullptr);
    reopened.split = dialog.split;
    EXPECT_EQ(reopened.ShowModal(), wxID_CANCEL);
    EXPECT_EQ(shownOld, "1");
    EXPECT_EQ(shownNew, "2");
    EXPECT_FALSE(dateEnabled);
}
