// The condition editor worked as a user would, its nested dialogs answered
// through the modal hook: the lists it offers for a system, indicators
// added on the spot, typed fixed values (kept exact, refused when they are
// no number), single-series kinds, the OK checks, and conditions shown for
// modification that are never changed.
#include "EditorTestSupport.h"
#include "TradingFakes.h"

#include "trading/QxCondition.h"
#include "trading/QxTradingSystem.h"

#include <gtest/gtest.h>

using namespace editortest;
using tradingtest::catalogueIndicator;
using tradingtest::makeCondition;

namespace {

const std::vector<wxString> kPrices = {"Open", "High", "Low", "Close", "Volume"};
const std::vector<wxString> kPresets = {"0",  "5",  "10", "15", "20",  "25",  "30",
                                        "40", "50", "70", "80", "100", "150", "200"};

std::vector<wxString> join(std::initializer_list<std::vector<wxString>> parts)
{
    std::vector<wxString> out;
    for (const auto& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

class ConditionEditor : public EditorTest {
protected:
    // A system reading RSI(14) on both long signals (two equivalent
    // objects) and SMA(50) on its own short entry.
    static QxObjectSmartPtr<QxTradingSystem> systemWithIndicators()
    {
        QxObjectSmartPtr<QxIndicator> rsi = catalogueIndicator("RSI", 14);
        QxObjectSmartPtr<QxIndicator> sameRsi = catalogueIndicator("RSI", 14);
        QxObjectSmartPtr<QxIndicator> sma = catalogueIndicator("SMA", 50);
        auto signal = [](const QxObjectSmartPtr<QxCondition>& condition) {
            QxObjectSmartPtr<QxSignal> s(new QxSignal);
            s->addCondition(condition.get());
            return s;
        };
        QxObjectSmartPtr<QxTradingSystem> system(new QxTradingSystem);
        system->setLongEntrySignal(
            signal(makeCondition("CrossOverUp", QxSeriesId(rsi.get(), 0), QxSeriesId::constant(30))).get());
        system->setLongExitSignal(
            signal(makeCondition("Below", tradingtest::closeId(), QxSeriesId(sameRsi.get(), 0))).get());
        system->setShortEntrySignal(
            signal(makeCondition("Above", QxSeriesId(sma.get(), 0), tradingtest::closeId())).get());
        system->setShortExitSignal(system->getLongEntrySignal());
        return system;
    }
};

} // namespace

TEST_F(ConditionEditor, OffersTheSystemsIndicatorsOnceAndEveryKind)
{
    QxObjectSmartPtr<QxTradingSystem> system = systemWithIndicators();
    DlgConditionEditor dlg(nullptr, system.get());
    EXPECT_EQ(dlg.GetTitle(), "Define condition for signal");
    EXPECT_EQ(itemTexts(dlg.firstSeriesList()), join({kPrices, {"RSI(14)", "SMA(50)", "Add indicator"}}));
    EXPECT_EQ(itemTexts(dlg.secondSeriesList()),
              join({kPrices, {"RSI(14)", "SMA(50)"}, kPresets, {"Other fixed value", "Add indicator"}}));
    std::vector<wxString> kinds;
    for (const QxAtom& name : QxConditionFactory::instance()->names())
        kinds.push_back(name.string());
    EXPECT_EQ(itemTexts(dlg.conditionList()), kinds);
    EXPECT_EQ(kinds.size(), 7u);
    EXPECT_EQ(selectedText(dlg.firstSeriesList()), "<none>") << "nothing chosen at first";
}

// One run through every way of adding to the lists, in the order a user
// might try them.
TEST_F(ConditionEditor, AddsIndicatorsAndTypedValuesWhereTheyBelong)
{
    QxObjectSmartPtr<QxTradingSystem> system = systemWithIndicators();
    DlgConditionEditor dlg(nullptr, system.get());
    wxChoice* first = dlg.firstSeriesList();
    wxChoice* second = dlg.secondSeriesList();
    NestedAnswers answers;

    // An indicator equivalent to a listed one adds nothing and shows its output 0.
    answers.indicators = {wxString("RSI")};
    choose(first, "Add indicator");
    EXPECT_EQ(first->GetCount(), 8u);
    EXPECT_EQ(second->GetCount(), 23u);
    EXPECT_EQ(selectedText(first), "RSI(14)");
    EXPECT_EQ(dlg.indicators().size(), 2u);

    // A new one goes in behind the indicator outputs of both lists and is
    // shown where it was asked for.
    answers.indicators = {wxString("MACD")};
    choose(second, "Add indicator");
    const std::vector<wxString> macd = {"MACD(12, 26, 9).MACD", "MACD(12, 26, 9).MACDSignal",
                                        "MACD(12, 26, 9).MACDHist"};
    EXPECT_EQ(itemTexts(first), join({kPrices, {"RSI(14)", "SMA(50)"}, macd, {"Add indicator"}}));
    EXPECT_EQ(itemTexts(second),
              join({kPrices, {"RSI(14)", "SMA(50)"}, macd, kPresets, {"Other fixed value", "Add indicator"}}));
    EXPECT_EQ(selectedText(second), "MACD(12, 26, 9).MACD");
    EXPECT_EQ(selectedText(first), "RSI(14)") << "the other list keeps its choice";

    // Cancelling the selection goes back to the first item.
    answers.indicators = {std::nullopt};
    choose(first, "Add indicator");
    EXPECT_EQ(first->GetSelection(), 0);

    // A typed preset selects the preset; a new value goes behind 200.
    answers.typed = {wxString("70")};
    choose(second, "Other fixed value");
    EXPECT_EQ(selectedText(second), "70");
    EXPECT_EQ(second->GetCount(), 26u);
    answers.typed = {wxString("1234.5678")};
    choose(second, "Other fixed value");
    EXPECT_EQ(second->GetCount(), 27u);
    EXPECT_EQ(selectedText(second), "1234.57");
    EXPECT_EQ(second->GetString(second->GetSelection() - 1), "200");
    EXPECT_EQ(second->GetString(second->GetSelection() + 1), "Other fixed value");

    // Not a number: refused with a message, the value shown before stays.
    answers.typed = {wxString("12,5x")};
    choose(second, "Other fixed value");
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0], "\"12,5x\" is not a number. Please provide a fixed value such as 70 or 0.5.");
    EXPECT_EQ(selectedText(second), "1234.57");
    EXPECT_EQ(second->GetCount(), 27u);

    // The exact value goes into the condition, not the text's.
    choose(first, "Close");
    choose(dlg.conditionList(), "Above");
    EXPECT_EQ(pressOk(&dlg), wxID_OK);
    ASSERT_NE(dlg.getCondition(), nullptr);
    EXPECT_EQ(dlg.getCondition()->getSecondSeries().value(), 1234.5678);

    // Cancelling the prompt goes back to the first item.
    answers.typed = {std::nullopt};
    choose(second, "Other fixed value");
    EXPECT_EQ(second->GetSelection(), 0);

    std::vector<std::string> nested;
    for (const auto& seen : answers.seen())
        nested.push_back(seen.className);
    EXPECT_EQ(nested, (std::vector<std::string>{"QxIndicatorSelectionDlg", "QxIndicConfigDlg",
                                                "QxIndicatorSelectionDlg", "QxIndicConfigDlg",
                                                "QxIndicatorSelectionDlg", "DlgInputTaker", "DlgInputTaker",
                                                "DlgInputTaker", "wxMessageDialog", "DlgInputTaker"}));
    EXPECT_EQ(answers.seen()[5].title, "Fixed value");
}

TEST_F(ConditionEditor, SingleSeriesKindsNeedNoSecondSeries)
{
    DlgConditionEditor dlg(nullptr, nullptr);
    NestedAnswers answers;
    choose(dlg.firstSeriesList(), "Volume");
    choose(dlg.secondSeriesList(), "100");
    choose(dlg.conditionList(), "MovesUp");
    EXPECT_FALSE(dlg.secondSeriesList()->IsEnabled());
    EXPECT_EQ(dlg.secondSeriesList()->GetSelection(), wxNOT_FOUND);
    EXPECT_EQ(pressOk(&dlg), wxID_OK);
    EXPECT_TRUE(answers.messages.empty());
    ASSERT_NE(dlg.getCondition(), nullptr);
    EXPECT_EQ(dlg.getCondition()->getName(), QxAtom("MovesUp"));
    EXPECT_EQ(dlg.getCondition()->getFirstSeries().kind(), uint32_t(QxSeriesId::eSeriesVolume));
    choose(dlg.conditionList(), "Below");
    EXPECT_TRUE(dlg.secondSeriesList()->IsEnabled());
}

TEST_F(ConditionEditor, OkChecksTheListsInOrder)
{
    DlgConditionEditor dlg(nullptr, nullptr);
    NestedAnswers answers;
    struct Step {
        std::function<void()> before;
        const char* message;
        wxWindow* focus;
    };
    const Step steps[] = {
        {[] {}, "Please select valid value for first series.", dlg.firstSeriesList()},
        {[&] { choose(dlg.firstSeriesList(), "High"); }, "Please select valid value for condition you want to test.",
         dlg.conditionList()},
        {[&] { choose(dlg.conditionList(), "CrossOverDown"); }, "Please select valid value for second series.",
         dlg.secondSeriesList()},
    };
    dlg.Show(); // focus goes only to a shown window
    for (const Step& step : steps) {
        SCOPED_TRACE(step.message);
        answers.messages.clear();
        step.before();
        EXPECT_EQ(pressOk(&dlg), 0) << "stays open";
        EXPECT_EQ(answers.messages, std::vector<wxString>{step.message});
        framestest::pump(50);
        EXPECT_EQ(wxWindow::FindFocus(), step.focus);
    }
    EXPECT_EQ(dlg.getCondition(), nullptr);
    choose(dlg.secondSeriesList(), "Low");
    EXPECT_EQ(pressOk(&dlg), wxID_OK);
    ASSERT_NE(dlg.getCondition(), nullptr);
    EXPECT_EQ(dlg.getCondition()->getDescription(), QxObjectSmartPtr<QxCondition>(makeCondition(
        "CrossOverDown", QxSeriesId(QxSeriesId::eSeriesHigh), QxSeriesId(QxSeriesId::eSeriesLow)))->getDescription());
    dlg.Hide();
}

TEST_F(ConditionEditor, ModifyShowsTheConditionAndOkBuildsANewOne)
{
    QxObjectSmartPtr<QxTradingSystem> system = systemWithIndicators();
    DlgConditionEditor dlg(nullptr, system.get());
    NestedAnswers answers;
    // A stored constant that is not listed, with more digits than its text.
    QxObjectSmartPtr<QxIndicator> rsi = catalogueIndicator("RSI", 14);
    QxObjectSmartPtr<QxCondition> shown =
        makeCondition("CrossOverUp", QxSeriesId(rsi.get(), 0), QxSeriesId::constant(0.000123456789));

    dlg.setCondition(shown.get());
    EXPECT_EQ(dlg.getCondition(), shown.get());
    EXPECT_EQ(selectedText(dlg.firstSeriesList()), "RSI(14)") << "an equivalent listed indicator";
    EXPECT_EQ(selectedText(dlg.conditionList()), "CrossOverUp");
    EXPECT_EQ(selectedText(dlg.secondSeriesList()), "0.000123457");
    EXPECT_EQ(dlg.secondSeriesList()->GetString(dlg.secondSeriesList()->GetSelection() + 1), "Other fixed value");

    // Changed choices, then OK: a new condition; the shown one is untouched.
    choose(dlg.conditionList(), "Above");
    EXPECT_EQ(pressOk(&dlg), wxID_OK);
    QxObjectSmartPtr<QxCondition> result = dlg.getCondition();
    ASSERT_NE(result.get(), shown.get());
    EXPECT_EQ(result->getName(), QxAtom("Above"));
    EXPECT_EQ(result->getSecondSeries().value(), 0.000123456789) << "not cut to the text's digits";
    EXPECT_EQ(shown->getName(), QxAtom("CrossOverUp"));
    EXPECT_EQ(shown->getSecondSeries().value(), 0.000123456789);
    EXPECT_EQ(shown->getFirstSeries().indicator(), rsi.get());

    // A constant no number can show (from a damaged file) is not listed.
    const unsigned count = dlg.secondSeriesList()->GetCount();
    QxObjectSmartPtr<QxCondition> damaged =
        makeCondition("Below", tradingtest::closeId(), QxSeriesId::constant(tradingtest::NaN));
    dlg.setCondition(damaged.get());
    EXPECT_EQ(selectedText(dlg.secondSeriesList()), "<none>");
    EXPECT_EQ(dlg.secondSeriesList()->GetCount(), count);

    // Shown again, then a single-series kind: the second list is off.
    QxObjectSmartPtr<QxCondition> single = makeCondition("MovesDown", tradingtest::openId(), QxSeriesId());
    dlg.setCondition(single.get());
    EXPECT_EQ(selectedText(dlg.firstSeriesList()), "Open");
    EXPECT_FALSE(dlg.secondSeriesList()->IsEnabled());
    // Nothing to show keeps the lists as they are (an Add after a Modify).
    dlg.setCondition(nullptr);
    EXPECT_EQ(selectedText(dlg.firstSeriesList()), "Open");
    EXPECT_EQ(selectedText(dlg.conditionList()), "MovesDown");
    EXPECT_TRUE(answers.messages.empty());
}
