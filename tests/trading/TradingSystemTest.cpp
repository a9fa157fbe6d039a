// Signals and trading systems: "all" and "any", the evaluation mask, the
// result codes of their setters and of the store's, and their XML: mirrored
// systems, reverse sibling order and a golden file.
#include "TradingFakes.h"

#include "app/QxIndicatorRegistry.h"
#include "core/QxErrorCode.h"
#include "core/QxIndicator.h"
#include "core/QxValue.h"
#include "core/QxXmlFile.h"
#include "trading/QxSignal.h"
#include "trading/QxTradingSystem.h"
#include "trading/QxTradingSystemMgr.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/xml/xml.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace tradingtest;
namespace fs = std::filesystem;

namespace {

// Conditions that hold, or not, at every bar from 1 on.
QxObjectSmartPtr<QxCondition> truth(bool holds)
{
    return makeCondition("Above", closeId(), QxSeriesId::constant(holds ? -1e9 : 1e9));
}

QxObjectSmartPtr<QxSignal> signalOf(Qx::QxSignalEvalRule rule, std::initializer_list<bool> conditions)
{
    QxObjectSmartPtr<QxSignal> signal(new QxSignal);
    signal->setSignalEvalRule(rule);
    for (bool holds : conditions)
        signal->addCondition(truth(holds).get());
    return signal;
}

// No store yet, an empty user folder and no shipped systems.
void freshStore() { resetStore(TestSupport::makeTempDir("noprogram")); }

} // namespace

TEST(Signal, AllNeedsEveryConditionAnyNeedsOne)
{
    FakeMarket market({1, 2, 3});
    const struct {
        Qx::QxSignalEvalRule rule;
        std::initializer_list<bool> conditions;
        bool fires;
    } cases[] = {
        {Qx::eEvalAll, {}, false},
        {Qx::eEvalAny, {}, false},
        {Qx::eEvalAny, {false, true}, true},
        {Qx::eEvalAll, {false, true}, false},
        {Qx::eEvalAll, {true, true}, true},
        {Qx::eEvalAny, {false, false}, false},
        {7, {false, true}, true}, // any rule other than 1 is "any"
    };
    for (const auto& c : cases) {
        QxObjectSmartPtr<QxSignal> signal = signalOf(c.rule, c.conditions);
        EXPECT_EQ(signal->evaluate(market.calc(), 2), c.fires)
            << "rule " << c.rule << " over " << ::testing::PrintToString(std::vector<bool>(c.conditions));
    }
}

TEST(TradingSystem, EvaluatesTheMaskedSignalsOnly)
{
    FakeMarket market({1, 2, 3});
    QxObjectSmartPtr<QxTradingSystem> shortOnly(new QxTradingSystem);
    shortOnly->setType(Qx::eShortOnly);
    ASSERT_EQ(shortOnly->setShortEntrySignal(signalOf(Qx::eEvalAll, {true}).get()), eNoError);
    ASSERT_EQ(shortOnly->setShortExitSignal(signalOf(Qx::eEvalAll, {true}).get()), eNoError);
    EXPECT_EQ(shortOnly->evaluate(3, market.calc(), 2), 0u) << "long bits of a short-only system";
    EXPECT_EQ(shortOnly->evaluate(15, market.calc(), 2), 12u);
    EXPECT_EQ(shortOnly->evaluate(0x10 | 4, market.calc(), 2), 4u) << "bits beyond 8 are ignored";

    QxObjectSmartPtr<QxTradingSystem> both(new QxTradingSystem);
    both->setLongEntrySignal(signalOf(Qx::eEvalAll, {true}).get());
    both->setLongExitSignal(signalOf(Qx::eEvalAll, {false}).get());
    both->setShortEntrySignal(both->getLongExitSignal());
    EXPECT_EQ(both->evaluate(15, market.calc(), 2), 1u) << "missing short exit never fires";
    EXPECT_EQ(both->evaluate(15, market.calc(), 0), 0u) << "bar 0";

    // Dropping a side drops its signals for good.
    both->setType(Qx::eLongOnly);
    EXPECT_EQ(both->getShortEntrySignal(), nullptr);
    both->setType(Qx::eLongAndShort);
    EXPECT_EQ(both->getShortEntrySignal(), nullptr);
    EXPECT_NE(both->getLongEntrySignal(), nullptr);
}

TEST(TradingSystem, SettersAndStoreGiveTheirResultCodes)
{
    freshStore();
    QxObjectSmartPtr<QxCondition> condition = truth(true);
    QxObjectSmartPtr<QxSignal> signal(new QxSignal);
    QxObjectSmartPtr<QxTradingSystem> shortOnly(new QxTradingSystem);
    shortOnly->setType(Qx::eShortOnly);
    QxObjectSmartPtr<QxTradingSystem> named(new QxTradingSystem);
    ASSERT_EQ(named->setName(QxAtom("Codes")), eNoError);
    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    ASSERT_EQ(store->addSystem(named), eNoError);
    QxObjectSmartPtr<QxTradingSystem> unnamed(new QxTradingSystem);
    // Named while the name was free, added after another took it.
    QxObjectSmartPtr<QxTradingSystem> first(new QxTradingSystem), second(new QxTradingSystem);
    ASSERT_EQ(first->setName(QxAtom("Twin")), eNoError);
    ASSERT_EQ(second->setName(QxAtom("Twin")), eNoError);
    ASSERT_EQ(store->addSystem(first), eNoError);

    const struct {
        const char* what;
        int code;
        int expected;
    } cases[] = {
        {"invalid first series", condition->setFirstSeries(QxSeriesId()), eInvalidSeriesId},
        {"long entry on a short-only system", shortOnly->setLongEntrySignal(signal.get()), eInvalidSignal},
        {"long exit on a short-only system", shortOnly->setLongExitSignal(signal.get()), eInvalidSignal},
        {"a second name", named->setName(QxAtom("Other")), eInvalidOperation},
        {"the same name again", named->setName(QxAtom("Codes")), eInvalidOperation},
        {"the null atom as name", unnamed->setName(QxAtom()), eInvalidName},
        {"a name with a slash", unnamed->setName(QxAtom("../x")), eInvalidName},
        {"a name that is ..", unnamed->setName(QxAtom("..")), eInvalidName},
        {"condition index out of range", signal->removeConditionAt(0), eInvalidIndex},
        {"empty description", named->setDescription(wxString()), eInvalidInput},
        {"null condition", signal->addCondition(nullptr), eInvalidInputObject},
        {"null system for the store", store->addSystem(nullptr), eInvalidInputObject},
        {"unnamed system for the store", store->addSystem(unnamed), eInvalidName},
        {"a name the store holds", unnamed->setName(QxAtom("Codes")), eObjectWithSameNameAlreadyExists},
        {"a system of a held name", store->addSystem(second), eObjectWithSameNameAlreadyExists},
        {"removing the null atom", store->removeSystem(QxAtom()), eInvalidName},
        {"removing an unknown name", store->removeSystem(QxAtom("Nowhere")), eObjectNotFound},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.code, c.expected) << c.what;
    EXPECT_TRUE(unnamed->getName().isNull()) << "refused names are not taken";
    EXPECT_EQ(shortOnly->getLongEntrySignal(), nullptr);

    // A copy is unnamed until a free name is given.
    QxObjectSmartPtr<QxTradingSystem> copy(named->clone());
    EXPECT_TRUE(copy->getName().isNull());
    EXPECT_EQ(copy->setName(QxAtom("Codes")), eObjectWithSameNameAlreadyExists);
    EXPECT_EQ(copy->setName(QxAtom("Codes 2")), eNoError);
    QxTradingSystemMgr::destroy();
}

TEST(TradingSystemXml, MirroredSystemWritesTwoSignalsAndReadsBackShared)
{
    QxObjectSmartPtr<QxTradingSystem> system(new QxTradingSystem);
    QxObjectSmartPtr<QxSignal> entry = signalOf(Qx::eEvalAll, {true, false});
    QxObjectSmartPtr<QxSignal> exit = signalOf(Qx::eEvalAny, {false});
    system->setLongEntrySignal(entry.get());
    system->setLongExitSignal(exit.get());
    system->setShortEntrySignal(exit.get());
    system->setShortExitSignal(entry.get());
    system->setDescription("Mirror");

    std::unique_ptr<wxXmlNode> node(system->toXML(nullptr));
    ASSERT_NE(node, nullptr);
    const wxXmlNode* signals = node->GetChildren();
    ASSERT_NE(signals, nullptr);
    std::vector<wxString> written;
    for (const wxXmlNode* s = signals->GetChildren(); s; s = s->GetNext())
        written.push_back(s->GetAttribute("Name"));
    EXPECT_EQ(written, (std::vector<wxString>{"LongExit", "LongEntry"}));

    QxObjectSmartPtr<QxTradingSystem> back(QxTradingSystem::fromXML(node.get()));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->getType(), Qx::eLongAndShort);
    EXPECT_EQ(back->getShortEntrySignal(), back->getLongExitSignal());
    EXPECT_EQ(back->getShortExitSignal(), back->getLongEntrySignal());
    EXPECT_EQ(back->getLongEntrySignal()->getNumConditions(), 2u);
    EXPECT_EQ(back->getLongExitSignal()->getSignalEvalRule(), Qx::eEvalAny);
    EXPECT_EQ(back->getDescription(), "Mirror");

    // A copy keeps the mirror with signals of its own over the same conditions.
    QxObjectSmartPtr<QxTradingSystem> copy(back->clone());
    EXPECT_NE(copy->getLongEntrySignal(), back->getLongEntrySignal());
    EXPECT_EQ(copy->getShortExitSignal(), copy->getLongEntrySignal());
    EXPECT_EQ(copy->getLongEntrySignal()->getConditionAt(0), back->getLongEntrySignal()->getConditionAt(0));

    // A side of the type without a signal writes nothing; a first child
    // other than "Signals" reads as nothing.
    system->setShortExitSignal(nullptr);
    EXPECT_EQ(system->toXML(nullptr), nullptr);
    wxXmlNode wrong(wxXML_ELEMENT_NODE, "TradingSystem");
    new wxXmlNode(&wrong, wxXML_ELEMENT_NODE, "signals");
    EXPECT_EQ(QxTradingSystem::fromXML(&wrong), nullptr);
}

TEST(TradingSystemXml, DefinitionMatchesTheGoldenFileByteForByte)
{
    QxIndicatorRegistry::instance()->addBuiltInIndicators();
    auto indicator = [](const char* name, int period) {
        QxObjectSmartPtr<QxIndicator> ind(QxIndicatorRegistry::instance()->getIndicator(QxAtom(name))->clone(
            QxIndicator::eCloneParams));
        ind->setParam(0, QxValue(int32_t(period)));
        return ind;
    };
    QxObjectSmartPtr<QxIndicator> rsi = indicator("RSI", 14);
    QxObjectSmartPtr<QxIndicator> sma = indicator("SMA", 50);

    QxObjectSmartPtr<QxSignal> entry(new QxSignal);
    entry->addCondition(makeCondition("CrossOverUp", QxSeriesId(rsi.get(), 0), QxSeriesId::constant(30)).get());
    entry->addCondition(makeCondition("Above", closeId(), QxSeriesId(sma.get(), 0)).get());
    QxObjectSmartPtr<QxSignal> exit(new QxSignal);
    exit->setSignalEvalRule(Qx::eEvalAny);
    exit->addCondition(makeCondition("CrossOverDown", QxSeriesId(rsi.get(), 0), QxSeriesId::constant(70.5)).get());
    exit->addCondition(makeCondition("MovesDown", QxSeriesId(QxSeriesId::eSeriesVolume), QxSeriesId()).get());
    QxObjectSmartPtr<QxTradingSystem> system(new QxTradingSystem);
    system->setType(Qx::eLongOnly);
    system->setLongEntrySignal(entry.get());
    system->setLongExitSignal(exit.get());
    system->setDescription("RSI & trend <golden>");
    freshStore();
    ASSERT_EQ(system->setName(QxAtom("Golden RSI")), eNoError);
    QxTradingSystemMgr::destroy();

    wxXmlDocument doc;
    doc.SetRoot(system->toXML(nullptr));
    const std::string out = TestSupport::artifactPath("golden_system_written.xml");
    ASSERT_TRUE(qxSaveXmlFile(doc, wxString::FromUTF8(out), 2));
    const std::string golden = std::string(TRENDORIA_SOURCE_DIR) + "/tests/trading/data/golden_system.xml";
    EXPECT_EQ(readFile(out), readFile(golden)) << "written to " << out;

    // Read back, it evaluates like the original (its conditions in reverse).
    wxXmlDocument read;
    ASSERT_TRUE(read.Load(wxString::FromUTF8(golden), "UTF-8"));
    QxObjectSmartPtr<QxTradingSystem> back(QxTradingSystem::fromXML(read.GetRoot()));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->getType(), Qx::eLongOnly);
    EXPECT_EQ(back->getShortEntrySignal(), nullptr);
    ASSERT_EQ(back->getLongExitSignal()->getNumConditions(), 2u);
    EXPECT_EQ(back->getLongExitSignal()->getConditionAt(0)->getName(), QxAtom("MovesDown"));
    EXPECT_EQ(back->getLongExitSignal()->getConditionAt(1)->getSecondSeries().value(), 70.5);
    EXPECT_TRUE(back->getLongEntrySignal()->getConditionAt(1)->getFirstSeries().indicator()->isEquivalent(rsi.get()));
}
