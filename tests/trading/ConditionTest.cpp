// Conditions evaluated bar by bar over a calculator whose columns the test
// chooses: the valid range of each series, NaN on either side, crossover
// ties, constant second series, and the single-series kinds.
#include "TradingFakes.h"

#include "core/QxErrorCode.h"

#include <gtest/gtest.h>

#include <wx/xml/xml.h>

#include <string>

using namespace tradingtest;

namespace {

const char* const kKinds[] = {"Above", "Below", "Equal", "CrossOverUp", "CrossOverDown", "MovesUp", "MovesDown"};

struct Case {
    const char* kind;
    std::vector<double> a; // close: the first series
    std::vector<double> b; // open: the second series (unless constant)
    bool constant;         // the second series is the constant k
    double k;
    unsigned bar;
    bool expected;
};

} // namespace

TEST(Condition, KindsCompareTheBarAndTheBarBefore)
{
    const Case cases[] = {
        // kind, close, open, constant?, k, bar, expected
        {"Above", {0, 2}, {0, 1}, false, 0, 1, true},
        {"Above", {0, 1}, {0, 1}, false, 0, 1, false},
        {"Above", {0, NaN}, {0, 1}, false, 0, 1, false},
        {"Above", {0, 2}, {0, NaN}, false, 0, 1, false},
        {"Above", {0, 2}, {}, true, 1.5, 1, true},
        {"Above", {0, 1}, {}, true, 1.5, 1, false},
        {"Below", {0, 1}, {0, 2}, false, 0, 1, true},
        {"Below", {0, 2}, {0, 2}, false, 0, 1, false},
        {"Below", {0, NaN}, {0, 2}, false, 0, 1, false},
        {"Equal", {0, 1}, {0, 1}, false, 0, 1, true},
        {"Equal", {0, 1}, {0, 1.0000001}, false, 0, 1, false},
        {"Equal", {0, NaN}, {0, NaN}, false, 0, 1, false},
        {"Equal", {0, 3}, {}, true, 3, 1, true},
        // Level before, strictly across now: a crossover.
        {"CrossOverUp", {1, 2}, {1, 1}, false, 0, 1, true},
        {"CrossOverUp", {0, 2}, {1, 1}, false, 0, 1, true},
        {"CrossOverUp", {2, 3}, {1, 1}, false, 0, 1, false}, // already above
        {"CrossOverUp", {0, 1}, {1, 1}, false, 0, 1, false}, // only reaches the tie
        {"CrossOverUp", {NaN, 2}, {1, 1}, false, 0, 1, true}, // unordered before
        {"CrossOverUp", {0, 2}, {1, NaN}, false, 0, 1, false},
        {"CrossOverUp", {1, 2}, {}, true, 1, 1, true},
        {"CrossOverUp", {1.5, 2}, {}, true, 1.5, 1, true},
        {"CrossOverDown", {1, 0}, {1, 1}, false, 0, 1, true},
        {"CrossOverDown", {2, 0}, {1, 1}, false, 0, 1, true},
        {"CrossOverDown", {0, -1}, {1, 1}, false, 0, 1, false}, // already below
        {"CrossOverDown", {2, 1}, {1, 1}, false, 0, 1, false},  // only reaches the tie
        {"CrossOverDown", {NaN, 0}, {1, 1}, false, 0, 1, true},
        {"CrossOverDown", {2, NaN}, {1, 1}, false, 0, 1, false},
        {"CrossOverDown", {2, 0}, {}, true, 1, 1, true},
        // The single-series kinds ignore a second series that was set,
        // also one that has no valid value.
        {"MovesUp", {1, 2}, {NaN, NaN}, false, 0, 1, true},
        {"MovesUp", {2, 2}, {0, 5}, false, 0, 1, false},
        {"MovesUp", {NaN, 2}, {0, 0}, false, 0, 1, false},
        {"MovesUp", {1, NaN}, {0, 0}, false, 0, 1, false},
        {"MovesDown", {2, 1}, {NaN, NaN}, false, 0, 1, true},
        {"MovesDown", {1, 1}, {0, 0}, false, 0, 1, false},
        {"MovesDown", {1, 2}, {5, 0}, false, 0, 1, false},
        // Beyond the last bar nothing holds.
        {"Above", {0, 2}, {0, 1}, false, 0, 2, false},
        {"MovesUp", {1, 2}, {}, false, 0, 7, false},
    };
    for (const Case& c : cases) {
        FakeMarket market(c.a, c.b);
        const QxSeriesId second = c.constant ? QxSeriesId::constant(c.k) : openId();
        QxObjectSmartPtr<QxCondition> condition = makeCondition(c.kind, closeId(), second);
        ASSERT_TRUE(condition) << c.kind;
        EXPECT_EQ(condition->evaluate(market.calc(), c.bar), c.expected)
            << c.kind << " at bar " << c.bar << " of close " << ::testing::PrintToString(c.a) << " and "
            << (c.constant ? "constant " + std::to_string(c.k) : "open " + ::testing::PrintToString(c.b));
    }
}

TEST(Condition, TheFirstValidBarOfASeriesIsNeverEvaluated)
{
    // Rising closes, so every kind that looks at bar and bar - 1 would hold
    // at bar 0 if a bar -1 were read.
    FakeMarket market({5, 6, 7, 8, 9, 10}, {9, 0, 0, 0, 0, 0});
    for (const char* kind : kKinds) {
        for (const QxSeriesId& second : {openId(), QxSeriesId::constant(5.5)}) {
            QxObjectSmartPtr<QxCondition> condition = makeCondition(kind, closeId(), second);
            EXPECT_FALSE(condition->evaluate(market.calc(), 0)) << kind << " at bar 0";
        }
    }

    // The mean of 3 closes is valid from bar 2: bar 2 is its first and is
    // not evaluated, bar 3 is.
    const QxSeriesId mean = closeMean(3);
    QxObjectSmartPtr<QxCondition> moves = makeCondition("MovesUp", mean, QxSeriesId());
    EXPECT_FALSE(moves->evaluate(market.calc(), 1));
    EXPECT_FALSE(moves->evaluate(market.calc(), 2));
    EXPECT_TRUE(moves->evaluate(market.calc(), 3));
    // As a second series it limits the range the same way: close is above
    // its mean from bar 2 on, but bar 2 is the mean's first.
    QxObjectSmartPtr<QxCondition> above = makeCondition("Above", closeId(), mean);
    EXPECT_FALSE(above->evaluate(market.calc(), 2));
    EXPECT_TRUE(above->evaluate(market.calc(), 3));
    // A constant second series has no range: bar 1 is evaluated.
    QxObjectSmartPtr<QxCondition> aboveConstant = makeCondition("Above", closeId(), QxSeriesId::constant(5.5));
    EXPECT_TRUE(aboveConstant->evaluate(market.calc(), 1));

    // A condition whose first series was never set holds nowhere and is
    // not written.
    QxObjectSmartPtr<QxCondition> unset(QxConditionFactory::instance()->find(QxAtom("Above"))->clone());
    unset->setSecondSeries(openId());
    EXPECT_FALSE(unset->evaluate(market.calc(), 3));
    EXPECT_EQ(unset->toXml(nullptr), nullptr);
    EXPECT_FALSE(unset->evaluate(nullptr, 3));
}

TEST(Condition, SettersRefuseInvalidIdsAndFactoryListsTheSevenKinds)
{
    QxObjectSmartPtr<QxCondition> condition = makeCondition("Above", closeId(), openId());
    EXPECT_EQ(condition->setFirstSeries(QxSeriesId()), eInvalidSeriesId);
    EXPECT_EQ(condition->setSecondSeries(QxSeriesId(QxSeriesId::eSeriesOpen | QxSeriesId::eSeriesHigh)),
              eInvalidSeriesId);
    EXPECT_EQ(condition->getFirstSeries().kind(), QxSeriesId::eSeriesClose) << "unchanged after a refusal";
    EXPECT_EQ(condition->getSecondSeries().kind(), QxSeriesId::eSeriesOpen);
    // A single-series kind takes a second series too.
    QxObjectSmartPtr<QxCondition> moves = makeCondition("MovesUp", closeId(), QxSeriesId());
    EXPECT_EQ(moves->setSecondSeries(QxSeriesId::constant(2)), eNoError);

    std::vector<wxString> names;
    for (const QxAtom& name : QxConditionFactory::instance()->names()) {
        names.push_back(name.string());
        QxCondition* prototype = QxConditionFactory::instance()->find(name);
        ASSERT_NE(prototype, nullptr);
        EXPECT_EQ(prototype->getName(), name);
        EXPECT_EQ(prototype->isSingleSeries(), name == "MovesUp" || name == "MovesDown");
    }
    EXPECT_EQ(names.size(), 7u);
    for (const char* kind : kKinds)
        EXPECT_NE(std::find(names.begin(), names.end(), wxString(kind)), names.end()) << kind;
}

TEST(Condition, DescriptionsNameTheirSeries)
{
    QxObjectSmartPtr<QxCondition> cross = makeCondition("CrossOverUp", closeId(), QxSeriesId::constant(30));
    EXPECT_EQ(cross->getDescription(), "Close CrossOverUp 30 from below.");
    QxObjectSmartPtr<QxCondition> equal = makeCondition("Equal", openId(), QxSeriesId());
    EXPECT_EQ(equal->getDescription(), "Tests if first series is equal to second one.") << "second never set";
    QxObjectSmartPtr<QxCondition> moves = makeCondition("MovesDown", closeMean(3), QxSeriesId());
    EXPECT_EQ(moves->getDescription(), "SMA(3)[Close] MovesDown.") << "an indicator by its name, period and input";
}

TEST(Condition, XmlKeepsUntranslatedNamesAndReadsSeriesNamesInAnyCase)
{
    QxObjectSmartPtr<QxCondition> cross = makeCondition("CrossOverDown", closeId(), QxSeriesId::constant(70));
    wxXmlNode parent(wxXML_ELEMENT_NODE, "Conditions");
    wxXmlNode* node = cross->toXml(&parent);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->GetAttribute("Name"), "CrossOverDown");
    // Put in front of each other: the second series stands first.
    ASSERT_NE(node->GetChildren(), nullptr);
    EXPECT_EQ(node->GetChildren()->GetName(), "SecondSeries");
    ASSERT_NE(node->GetChildren()->GetNext(), nullptr);
    EXPECT_EQ(node->GetChildren()->GetNext()->GetName(), "FirstSeries");

    node->GetChildren()->GetNext()->SetName("firstseries");
    QxObjectSmartPtr<QxCondition> back(QxCondition::fromXml(node));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->getName(), QxAtom("CrossOverDown"));
    EXPECT_EQ(back->getFirstSeries().kind(), QxSeriesId::eSeriesClose);
    EXPECT_EQ(back->getSecondSeries().kind(), QxSeriesId::eSeriesConstant);
    EXPECT_EQ(back->getSecondSeries().value(), 70.0);

    // Single-series kinds write no second series; unknown kinds read as null.
    QxObjectSmartPtr<QxCondition> moves = makeCondition("MovesUp", closeId(), openId());
    wxXmlNode* movesNode = moves->toXml(&parent);
    ASSERT_NE(movesNode->GetChildren(), nullptr);
    EXPECT_EQ(movesNode->GetChildren()->GetNext(), nullptr);
    movesNode->DeleteAttribute("Name");
    movesNode->AddAttribute("Name", "MovesSideways");
    EXPECT_EQ(QxCondition::fromXml(movesNode), nullptr);
    movesNode->DeleteAttribute("Name");
    EXPECT_EQ(QxCondition::fromXml(movesNode), nullptr);
}
