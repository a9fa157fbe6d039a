// The idea finder's dialog as a user meets it, and the private copies its
// worker computes with.
#include "TradingFakes.h"

#include "core/QxCalcCache.h"
#include "core/QxPriceHistory.h"
#include "trading/QxIdeaFinderParams.h"
#include "trading/QxIdeaScan.h"
#include "trading/QxSignal.h"
#include "trading/QxStockIdeaFinderDlg.h"
#include "trading/QxTradingSystem.h"
#include "trading/QxTradingSystemMgr.h"

#include "support/WebProviderTestSupport.h"
#include "support/FramesTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/datectrl.h>
#include <wx/listctrl.h>

#include <fstream>

using framestest::DialogCatcher;
using tradingtest::closeId;
using tradingtest::closeMean;
using tradingtest::makeCondition;

namespace {

// The copy evaluates as the original does over the shared cache, yet shares
// no signal, condition or indicator with it, and reaches no cache entry.
TEST(IdeaScanPrivateCopy, EvaluatesLikeTheOriginalAndSharesNothing)
{
    const std::vector<double> closes = {10, 11, 12, 11, 10, 9, 10, 12, 14, 13, 12, 11, 12, 13};
    tradingtest::FakeMarket market(closes);

    const QxSeriesId mean = closeMean(3);
    QxObjectSmartPtr<QxSignal> up(new QxSignal());
    up->addCondition(makeCondition("CrossOverUp", closeId(), mean).get());
    QxObjectSmartPtr<QxSignal> down(new QxSignal());
    down->addCondition(makeCondition("CrossOverDown", closeId(), mean).get());
    QxObjectSmartPtr<QxTradingSystem> system(new QxTradingSystem());
    system->setLongEntrySignal(up.get());
    system->setShortExitSignal(up.get()); // one signal in two slots
    system->setLongExitSignal(down.get());

    QxObjectSmartPtr<QxTradingSystem> copy = privateSystemCopy(*system);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->getType(), system->getType());
    EXPECT_NE(copy->getLongEntrySignal(), up.get());
    EXPECT_EQ(copy->getLongEntrySignal(), copy->getShortExitSignal());
    EXPECT_EQ(copy->getShortEntrySignal(), nullptr);
    const QxCondition* original = up->getConditionAt(0);
    const QxCondition* own = copy->getLongEntrySignal()->getConditionAt(0);
    ASSERT_TRUE(own);
    EXPECT_NE(own, original);
    ASSERT_TRUE(own->getSecondSeries().indicator());
    EXPECT_NE(own->getSecondSeries().indicator(), mean.indicator());
    EXPECT_TRUE(own->getSecondSeries().indicator()->isEquivalent(mean.indicator()));
    EXPECT_EQ(own->getSecondSeries().indicator(),
              copy->getLongExitSignal()->getConditionAt(0)->getSecondSeries().indicator())
        << "one clone per indicator";

    QxObjectSmartPtr<QxPriceHistory> history(market.calc()->prices(false)->clone());
    const size_t cached = QxCalcCache::size();
    const std::vector<QxIdeaHit> hits = evaluateIdeaScan(*copy, 15, history.get(), 0, INT64_MAX);
    EXPECT_EQ(QxCalcCache::size(), cached) << "no cache entry of its own";
    std::vector<QxIdeaHit> expected;
    for (unsigned bar = 0; bar < closes.size(); ++bar)
        if (const unsigned mask = system->evaluate(15, market.calc(), bar))
            expected.push_back({bar, mask});
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(hits.size(), expected.size());
    for (size_t i = 0; i < hits.size(); ++i) {
        EXPECT_EQ(hits[i].bar, expected[i].bar);
        EXPECT_EQ(hits[i].mask, expected[i].mask);
    }

    // A calculator of its own knows only its history's period.
    QxObjectSmartPtr<QxCalculator> calculator(new QxCalculator(history.get()));
    EXPECT_EQ(calculator->prices(Qx::eDaily, false), history.get());
    EXPECT_EQ(calculator->prices(Qx::eWeekly, false), nullptr);
    QxSeries close;
    ASSERT_EQ(calculator->getDataSeries(closeId(), close), eNoError);
    EXPECT_EQ(close.values, history->close());
    EXPECT_EQ(calculator->getDataSeries(QxSeriesId::constant(1), close), eInvalidSeriesId);
}

// Funds have no close: the report's price columns show the net asset value.
TEST(IdeaScanPrices, FundsShowTheNetAssetValueOthersTheClose)
{
    for (Qx::QxSecurityType type : {Qx::eStock, Qx::eFuture, Qx::eFund}) {
        QxObjectSmartPtr<QxPriceHistory> h(new QxPriceHistory(type, Qx::eDaily));
        h->resize(2);
        // Each type keeps only its own columns.
        (type == Qx::eFund ? h->nav() : h->close())[1] = type == Qx::eFund ? 34 : 12;
        EXPECT_EQ(ideaScanPrices(*h)[1], type == Qx::eFund ? 34 : 12) << type;
    }
}

template <class T>
std::vector<T*> childrenOf(wxWindow* window)
{
    std::vector<T*> out;
    std::function<void(wxWindow*)> walk = [&](wxWindow* w) {
        for (wxWindow* child : w->GetChildren()) {
            if (auto* t = dynamic_cast<T*>(child))
                out.push_back(t);
            walk(child);
        }
    };
    walk(window);
    return out;
}

class IdeaFinderDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        tradingtest::resetStore(TestSupport::binDir());
        scoped.app().changeDatabase(QxObjectSmartPtr<QxDatabase>(db.get()));
        wptest::MemCategory* nyse = db->add("US.NYSE.STOCK", "Yahoo!");
        msft = nyse->add("MSFT", "Microsoft")->id();
        aapl = nyse->add("AAPL", "Apple")->id();
        scoped.app().getConfig().DeleteGroup("/dlg/stock_idea_finder");
        lastFindingSecurityIds().clear();
    }
    void TearDown() override
    {
        scoped.app().changeDatabase(nullptr);
        QxTradingSystemMgr::destroy();
    }

    // Builds a dialog and names its controls.
    std::unique_ptr<QxStockIdeaFinderDlg> makeDialog()
    {
        std::unique_ptr<QxStockIdeaFinderDlg> dlg(new QxStockIdeaFinderDlg(nullptr));
        boxes = childrenOf<wxCheckBox>(dlg.get());
        dates = childrenOf<wxDatePickerCtrl>(dlg.get());
        list = childrenOf<wxListCtrl>(dlg.get()).at(0);
        return dlg;
    }
    std::vector<wxString> tickers() const
    {
        std::vector<wxString> out;
        for (long r = 0; r < list->GetItemCount(); ++r)
            out.push_back(list->GetItemText(r));
        return out;
    }
    wxString lastMessage() const { return catcher.seen().empty() ? wxString() : catcher.seen().back().message; }

    framestest::ScopedApplication scoped;
    QxObjectSmartPtr<wptest::MemDatabase> db{new wptest::MemDatabase};
    unsigned msft = 0;
    unsigned aapl = 0;
    DialogCatcher catcher;
    std::vector<wxCheckBox*> boxes; // long entry, long exit, short entry, short exit
    std::vector<wxDatePickerCtrl*> dates;
    wxListCtrl* list = nullptr;
};

TEST_F(IdeaFinderDialog, ValidatesInOrderKeepsTheListSortedAndRemembersTheDayRange)
{
    const wxDateTime today = wxDateTime::Today();
    QxObjectSmartPtr<QxTradingSystem> longOnly(new QxTradingSystem());
    longOnly->setType(Qx::eLongOnly);
    {
        auto dlg = makeDialog();
        ASSERT_EQ(boxes.size(), 4u);
        ASSERT_EQ(dates.size(), 2u);
        EXPECT_EQ(dates[0]->GetValue(), today - wxDateSpan::Days(3)) << "three days without a stored range";
        EXPECT_EQ(dates[1]->GetValue(), today);
        EXPECT_TRUE(dlg->GetSize().x >= 651 && dlg->GetSize().y >= 520) << "grown to fit, never below";

        EXPECT_FALSE(dlg->validate());
        EXPECT_EQ(lastMessage(), "You need to specify what signals you are looking for.");
        for (wxCheckBox* box : boxes)
            box->SetValue(true);
        EXPECT_FALSE(dlg->validate());
        EXPECT_EQ(lastMessage(), "Please specify what systems you want to use.");

        // A long-only system unchecks and disables the short boxes.
        dlg->setSystem(longOnly.get());
        EXPECT_FALSE(boxes[2]->IsChecked() || boxes[3]->IsChecked());
        EXPECT_FALSE(boxes[2]->IsEnabled() || boxes[3]->IsEnabled());
        EXPECT_TRUE(boxes[0]->IsChecked() && boxes[0]->IsEnabled());
        EXPECT_FALSE(dlg->validate());
        EXPECT_EQ(lastMessage(), "Please specify symbols to look for ideas.");

        dlg->addSecurity(msft);
        dlg->addSecurity(aapl);
        dlg->addSecurity(msft);
        dlg->addSecurity(4242); // no such security
        EXPECT_EQ(tickers(), (std::vector<wxString>{"AAPL", "MSFT", "MSFT"}));
        EXPECT_EQ(list->GetItemText(0, 1), "Apple");
        dates[0]->SetValue(today - wxDateSpan::Days(10));
        ASSERT_TRUE(dlg->validate());
        EXPECT_EQ(dlg->lookFor(), 3u);
        EXPECT_EQ(dlg->from(), today - wxDateSpan::Days(10));
        EXPECT_EQ(dlg->periodicity(), Qx::eDaily);
        std::vector<unsigned> ids;
        dlg->getSecurityIds(ids);
        EXPECT_EQ(ids, (std::vector<unsigned>{aapl, msft, msft}));

        // A type 3 system enables the short boxes again, unchecked.
        dlg->setSystem(new QxTradingSystem());
        EXPECT_TRUE(boxes[2]->IsEnabled() && !boxes[2]->IsChecked());

        dates[0]->SetValue(today + wxDateSpan::Days(1));
        catcher.clear();
        EXPECT_FALSE(dlg->validate());
        EXPECT_EQ(lastMessage(), "Invalid date range.");
        dates[0]->SetValue(today - wxDateSpan::Days(10));
    }
    {
        auto dlg = makeDialog();
        EXPECT_EQ(dates[0]->GetValue(), today - wxDateSpan::Days(10)) << "the last range, back from today";
        dates[0]->SetValue(today + wxDateSpan::Days(2));
    }
    auto dlg = makeDialog();
    EXPECT_EQ(dates[0]->GetValue(), today + wxDateSpan::Days(2)) << "a reversed range is kept too";

    // Symbols from the last finding: a message while there is none, then
    // each security of the last report once, also when asked again.
    catcher.clear();
    wxCommandEvent click(wxEVT_BUTTON);
    auto* fromLast = dynamic_cast<wxButton*>(wxWindow::FindWindowByLabel("Add Symbols From Last &Finding", dlg.get()));
    ASSERT_TRUE(fromLast);
    click.SetEventObject(fromLast);
    fromLast->ProcessWindowEvent(click);
    EXPECT_EQ(lastMessage(), "There is no data from last report.");
    lastFindingSecurityIds() = {msft, msft, aapl, msft, 4242, aapl};
    fromLast->ProcessWindowEvent(click);
    EXPECT_EQ(tickers(), (std::vector<wxString>{"AAPL", "MSFT"}));
    fromLast->ProcessWindowEvent(click);
    EXPECT_EQ(tickers(), (std::vector<wxString>{"AAPL", "MSFT"}));

    // "Remove Symbol(s)" follows the rows selected now: after the selected
    // rows are removed nothing is, and the button is off.
    auto* remove = dynamic_cast<wxButton*>(wxWindow::FindWindowByLabel("&Remove Symbol(s)", dlg.get()));
    ASSERT_TRUE(remove);
    EXPECT_FALSE(remove->IsEnabled());
    dlg->addSecurity(msft);
    list->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    list->SetItemState(1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    EXPECT_TRUE(remove->IsEnabled());
    wxCommandEvent removeClick(wxEVT_BUTTON, remove->GetId());
    removeClick.SetEventObject(remove);
    remove->ProcessWindowEvent(removeClick);
    EXPECT_EQ(tickers(), (std::vector<wxString>{"MSFT"}));
    EXPECT_FALSE(remove->IsEnabled()) << "no row is selected after Remove";
    list->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    EXPECT_TRUE(remove->IsEnabled());

    dlg->Show();
    TestSupport::saveWindowShot(dlg.get(), "idea_finder_dialog.png");
}

TEST_F(IdeaFinderDialog, ParameterFilesLoadBackAndTellWhatTheyLack)
{
    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    QxObjectSmartPtr<QxTradingSystem> stored = store->getSystem(QxAtom("RSI 30-70"));
    ASSERT_TRUE(stored) << "a shipped system";
    const wxString dir = TestSupport::makeTempDir("ideadlg");
    const wxDateTime today = wxDateTime::Today();
    {
        auto dlg = makeDialog();
        dlg->setSystem(stored.get());
        boxes[1]->SetValue(true);
        boxes[3]->SetValue(true);
        dates[0]->SetValue(today - wxDateSpan::Days(20));
        dates[1]->SetValue(today - wxDateSpan::Days(5));
        childrenOf<QxPeriodicityChoice>(dlg.get()).at(0)->setPeriodChoice(Qx::eWeekly);
        dlg->addSecurity(msft);
        dlg->addSecurity(aapl);
        ASSERT_TRUE(dlg->validate());
        ASSERT_TRUE(dlg->saveTo(dir + "/ideas.xml"));
    }
    auto dlg = makeDialog();
    dlg->loadFrom(dir + "/ideas.xml");
    EXPECT_TRUE(catcher.seen().empty());
    ASSERT_TRUE(dlg->validate());
    EXPECT_EQ(dlg->system(), stored.get());
    EXPECT_EQ(dlg->lookFor(), 2u | 8u);
    EXPECT_EQ(dlg->from(), today - wxDateSpan::Days(20));
    EXPECT_EQ(dlg->till(), today - wxDateSpan::Days(5));
    EXPECT_EQ(dlg->periodicity(), Qx::eWeekly);
    EXPECT_EQ(tickers(), (std::vector<wxString>{"AAPL", "MSFT"}));

    // An unknown system is said and the rest applies; unknown symbols are skipped.
    std::ofstream(std::string(dir.utf8_str()) + "/other.xml")
        << "<TrendoriaIdeaFinder Version=\"1\"><Data System=\"Gone\" LookFor=\"4\" From=\"1\" Till=\"0\" "
           "Periodicity=\"2629800\"><Symbols>"
           "<Symbol Category=\"US.NYSE.STOCK\" DataProvider=\"Yahoo!\" Symbol=\"MSFT\"/>"
           "<Symbol Category=\"US.NYSE.STOCK\" DataProvider=\"Yahoo!\" Symbol=\"GONE\"/>"
           "<Symbol Category=\"Elsewhere\" DataProvider=\"Yahoo!\" Symbol=\"AAPL\"/>"
           "</Symbols></Data></TrendoriaIdeaFinder>";
    dlg->loadFrom(dir + "/other.xml");
    ASSERT_EQ(catcher.seen().size(), 1u);
    EXPECT_EQ(lastMessage(), "System mentioned does not exist");
    EXPECT_EQ(dlg->system(), nullptr);
    EXPECT_TRUE(boxes[2]->IsChecked()) << "checked even where the last system's type disabled it";
    EXPECT_EQ(tickers(), (std::vector<wxString>{"MSFT"}));
    EXPECT_EQ(dates[0]->GetValue(), today - wxDateSpan::Days(1));
    EXPECT_EQ(childrenOf<QxPeriodicityChoice>(dlg.get()).at(0)->getPeriodFromChoice(), Qx::eMonthly);

    // A file without "Data" says so and changes nothing.
    std::ofstream(std::string(dir.utf8_str()) + "/nodata.xml") << "<TrendoriaIdeaFinder Version=\"1\"/>";
    dlg->loadFrom(dir + "/nodata.xml");
    EXPECT_EQ(lastMessage(), "Error reading details of idea finding parameters.");
    EXPECT_EQ(tickers(), (std::vector<wxString>{"MSFT"}));

    // Day counts no date can hold say the same and change nothing either;
    // a far one that is a date shows as that date.
    auto writeDays = [&](const char* days) {
        std::ofstream(std::string(dir.utf8_str()) + "/days.xml")
            << "<TrendoriaIdeaFinder Version=\"1\"><Data System=\"RSI 30-70\" LookFor=\"1\" " << days
            << " Periodicity=\"86400\"><Symbols><Symbol Category=\"US.NYSE.STOCK\" DataProvider=\"Yahoo!\" "
               "Symbol=\"AAPL\"/></Symbols></Data></TrendoriaIdeaFinder>";
    };
    for (const char* days : {"From=\"2147483647\" Till=\"0\"", "From=\"1\" Till=\"-2147483648\"",
                             "From=\"1\" Till=\"-10000000\""}) {
        writeDays(days);
        const size_t seen = catcher.seen().size();
        dlg->loadFrom(dir + "/days.xml");
        ASSERT_EQ(catcher.seen().size(), seen + 1) << days;
        EXPECT_EQ(lastMessage(), "Error reading details of idea finding parameters.");
        EXPECT_EQ(tickers(), (std::vector<wxString>{"MSFT"})) << days;
        EXPECT_EQ(dates[0]->GetValue(), today - wxDateSpan::Days(1)) << days;
    }
    writeDays("From=\"1\" Till=\"-1000000\"");
    dlg->loadFrom(dir + "/days.xml");
    EXPECT_EQ(tickers(), (std::vector<wxString>{"AAPL"}));
    EXPECT_EQ(ideaFinderDaysBefore(today, dates[1]->GetValue()), -1000000);
    EXPECT_GT(dates[1]->GetValue().GetYear(), 4700);
}

} // namespace
