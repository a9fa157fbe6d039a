// The trading-system store in the test's private HOME: seeding from the
// shipped systems, recovery from an unreadable index without losing the
// user's definitions, lazy loading and its nesting guard, what a save
// writes, and names that must never become paths.
#include "TradingFakes.h"

#include "support/Fixtures.h"

#include "app/QxIndicatorRegistry.h"
#include "core/QxErrorCode.h"
#include "core/QxUserNotice.h"
#include "core/QxXmlFile.h"
#include "trading/QxTradingSystem.h"
#include "trading/QxTradingSystemMgr.h"

#include "support/FramesTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/msgdlg.h>
#include <wx/xml/xml.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace tradingtest;
namespace fs = std::filesystem;

namespace {

const std::vector<wxString> kShipped = {"SMA 50-200 Cross", "RSI 30-70", "MACD Signal Cross", "Close Over SMA 20"};

void writeFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string definition(const std::string& name, const std::string& desc, const std::string& firstSeries)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TradingSystem Name=\"" + name + "\" Type=\"1\" Desc=\"" +
           desc + "\"><Signals>"
                  "<Signal EvalRule=\"1\" Name=\"LongExit\"><Conditions><Condition Name=\"MovesDown\">" +
           firstSeries +
           "</Condition></Conditions></Signal>"
           "<Signal EvalRule=\"1\" Name=\"LongEntry\"><Conditions><Condition Name=\"MovesUp\">"
           "<FirstSeries Type=\"2048\"/></Condition></Conditions></Signal></Signals></TradingSystem>\n";
}

std::vector<wxString> listed(QxTradingSystemMgr* store)
{
    std::vector<wxString> names;
    for (unsigned i = 0; i < store->getCount(); ++i)
        names.push_back(store->getEntryAt(i).name.string());
    return names;
}

std::vector<wxString> indexNames(const fs::path& index)
{
    std::vector<wxString> names;
    wxXmlDocument doc;
    if (!doc.Load(wxString::FromUTF8(index.string()), "UTF-8"))
        return names;
    for (const wxXmlNode* child = doc.GetRoot()->GetChildren(); child; child = child->GetNext())
        names.push_back(child->GetAttribute("Name"));
    return names;
}

// A long-only system on the close, described as given.
QxObjectSmartPtr<QxTradingSystem> longOnlySystem(const wxString& description)
{
    QxObjectSmartPtr<QxTradingSystem> system(new QxTradingSystem);
    system->setType(Qx::eLongOnly);
    QxObjectSmartPtr<QxSignal> up(new QxSignal), down(new QxSignal);
    up->addCondition(makeCondition("MovesUp", closeId(), QxSeriesId()).get());
    down->addCondition(makeCondition("MovesDown", closeId(), QxSeriesId()).get());
    system->setLongEntrySignal(up.get());
    system->setLongExitSignal(down.get());
    system->setDescription(description);
    return system;
}

std::string descOf(const fs::path& index, const wxString& name)
{
    wxXmlDocument doc;
    if (!doc.Load(wxString::FromUTF8(index.string()), "UTF-8"))
        return "<unreadable>";
    for (const wxXmlNode* child = doc.GetRoot()->GetChildren(); child; child = child->GetNext())
        if (child->GetAttribute("Name") == name)
            return child->GetAttribute("Desc").ToStdString(wxConvUTF8);
    return "<unlisted>";
}

// Collects what the user is told while it lives.
struct Told {
    Told() { qxSetUserNoticeSink([this](const wxString& text) { texts.push_back(text); }); }
    ~Told() { qxSetUserNoticeSink(nullptr); }
    std::vector<wxString> texts;
};

class TradingSystemStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = resetStore(TestSupport::binDir());
        index = folder / "index.xml";
        definitions = folder / "definitions";
    }
    void TearDown() override { QxTradingSystemMgr::destroy(); }

    QxTradingSystemMgr* reopen()
    {
        QxTradingSystemMgr::destroy();
        return QxTradingSystemMgr::getInstance(true);
    }

    fs::path folder, index, definitions;
};

} // namespace

TEST_F(TradingSystemStore, FirstRunSeedsTheShippedSystemsInTheirOrder)
{
    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    EXPECT_EQ(listed(store), kShipped);
    EXPECT_TRUE(store->keptAsideIndex().empty());
    EXPECT_EQ(indexNames(index), kShipped) << "the index is in place from the start";
    for (const wxString& name : kShipped) {
        EXPECT_TRUE(fs::exists(definitions / (name.ToStdString() + ".xml"))) << name;
        QxObjectSmartPtr<QxTradingSystem> system = store->getSystem(QxAtom(name));
        ASSERT_TRUE(system) << name;
        EXPECT_EQ(system->getName(), QxAtom(name));
        EXPECT_EQ(system->getDescription(), store->getEntryAt(0 + (&name - &kShipped[0])).description);
        EXPECT_EQ(store->getSystem(QxAtom(name)), system) << "loaded once, then kept";
    }
    const QxTradingSystemEntry& beyond = store->getEntryAt(store->getCount());
    EXPECT_TRUE(beyond.name.isNull());
    EXPECT_TRUE(beyond.description.empty());
    EXPECT_FALSE(beyond.system);

    // The mirrored shipped system reads back with one signal per pair.
    QxObjectSmartPtr<QxTradingSystem> cross = store->getSystem(QxAtom("SMA 50-200 Cross"));
    EXPECT_EQ(cross->getType(), Qx::eLongAndShort);
    EXPECT_EQ(cross->getShortEntrySignal(), cross->getLongExitSignal());
}

TEST_F(TradingSystemStore, UnreadableIndexIsKeptAsideAndTheUsersDefinitionsSurvive)
{
    QxTradingSystemMgr::getInstance(true); // first run
    QxTradingSystemMgr::destroy();
    // The user changed a shipped system, has one of their own, and lost a
    // shipped definition; then the index is cut short.
    const fs::path rsi = definitions / "RSI 30-70.xml";
    const std::string edited = definition("RSI 30-70", "My own RSI", "<FirstSeries Type=\"2048\"/>");
    writeFile(rsi, edited);
    writeFile(definitions / "Mine.xml", definition("Mine", "Only mine", "<FirstSeries Type=\"1024\"/>"));
    fs::remove(definitions / "MACD Signal Cross.xml");
    const std::string truncated = readFile(index).substr(0, 60);
    writeFile(index, truncated);

    framestest::DialogCatcher catcher([](wxDialog*) { return static_cast<int>(wxID_OK); });
    QxTradingSystemMgr* store = reopen();
    ASSERT_FALSE(store->keptAsideIndex().empty());
    EXPECT_EQ(readFile(store->keptAsideIndex().ToStdString()), truncated) << "the unreadable index is kept";
    std::vector<wxString> expected = kShipped;
    expected.push_back("Mine");
    EXPECT_EQ(listed(store), expected);
    EXPECT_EQ(indexNames(index), expected);
    EXPECT_EQ(readFile(rsi), edited) << "a user's definition is never replaced";
    EXPECT_EQ(store->getSystem(QxAtom("RSI 30-70"))->getDescription(), "My own RSI");
    EXPECT_EQ(store->getEntryAt(4).description, "Only mine");
    EXPECT_TRUE(fs::exists(definitions / "MACD Signal Cross.xml")) << "a missing shipped one comes back";

    // The user is told once, after the current event.
    framestest::pump(50);
    ASSERT_EQ(catcher.seen().size(), 1u);
    EXPECT_NE(catcher.seen()[0].message.find(store->keptAsideIndex()), wxString::npos) << catcher.seen()[0].message;
    reopen();
    framestest::pump(50);
    EXPECT_EQ(catcher.seen().size(), 1u) << "a readable index says nothing";

    // Nested far deeper than any index, also where a scan of the text sees
    // no nesting: refused before a tree is built, kept aside byte for byte
    // under the one name every reader gives such files, and said.
    std::string deep = "<Systems>";
    for (int i = 0; i < 200000; ++i)
        deep += "<a x='/>'>";
    std::vector<TestSupport::HiddenDeepXml> hostile = TestSupport::hiddenDeepXml("Systems");
    hostile.push_back({"plain", deep});
    for (const TestSupport::HiddenDeepXml& damaged : hostile) {
        writeFile(index, damaged.text);
        store = reopen();
        framestest::pump(50);
        ASSERT_FALSE(store->keptAsideIndex().empty()) << damaged.kind;
        EXPECT_TRUE(fs::path(store->keptAsideIndex().ToStdString()).filename().string().rfind("index.xml.damaged-", 0) ==
                    0)
            << store->keptAsideIndex();
        EXPECT_TRUE(readFile(store->keptAsideIndex().ToStdString()) == damaged.text) << damaged.kind;
        EXPECT_EQ(listed(store), expected) << damaged.kind;
        EXPECT_EQ(indexNames(index), expected) << damaged.kind;
        ASSERT_FALSE(catcher.seen().empty());
        EXPECT_NE(catcher.seen().back().message.find(store->keptAsideIndex()), wxString::npos);
        fs::remove(store->keptAsideIndex().ToStdString());
    }
    EXPECT_EQ(catcher.seen().size(), 1 + hostile.size()) << "each told once";

    // A definition so made yields no system, and nothing breaks.
    writeFile(definitions / "Mine.xml", hostile[0].text);
    EXPECT_FALSE(reopen()->getSystem(QxAtom("Mine")));
}

namespace {

// An indicator whose reading asks the store for another system, as code
// run while a definition loads might.
class NestingProbe : public calctest::MeanIndicator {
public:
    NestingProbe() : MeanIndicator("NestingProbe", {QxSeriesId::eSeriesClose}, {}, {QxAtom("Real")}) {}
    QxIndicator* clone(unsigned) const override { return new NestingProbe; }
    int fromXml(const wxXmlNode*) override
    {
        ++reads;
        nestedGot = QxTradingSystemMgr::getInstance(true)->getSystem(QxAtom("Other"));
        return eNoError;
    }
    static inline int reads = 0;
    static inline QxObjectSmartPtr<QxTradingSystem> nestedGot;
};

} // namespace

TEST_F(TradingSystemStore, NestedGetSystemGivesNull)
{
    writeFile(index, "<Systems><TradingSystem Name=\"Probe\" Desc=\"p\"/><TradingSystem Name=\"Other\"/>"
                     "<Ghost Desc=\"no name\"/></Systems>");
    writeFile(definitions / "Probe.xml",
              definition("Probe", "p", "<FirstSeries Type=\"16384\" OutputIndex=\"0\"><NestingProbe/></FirstSeries>"));
    writeFile(definitions / "Other.xml", definition("Other", "o", "<FirstSeries Type=\"2048\"/>"));
    ASSERT_EQ(QxIndicatorRegistry::instance()->addIndicator(new NestingProbe), eNoError);

    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    EXPECT_EQ(listed(store), (std::vector<wxString>{"Probe", "Other"})) << "a child without a name is ignored";
    EXPECT_TRUE(store->getEntryAt(1).description.empty());
    EXPECT_TRUE(store->getSystem(QxAtom("Probe")));
    EXPECT_EQ(NestingProbe::reads, 1);
    EXPECT_FALSE(NestingProbe::nestedGot) << "a nested call gives null";
    EXPECT_TRUE(store->getSystem(QxAtom("Other"))) << "and the guard is lifted afterwards";
    QxIndicatorRegistry::instance()->removeIndicator(QxAtom("NestingProbe"));
}

TEST_F(TradingSystemStore, SaveWritesAdditionsFirstAndRemovalTakesTheDefinitionAlong)
{
    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    const std::string shippedCross = readFile(definitions / "SMA 50-200 Cross.xml");
    // An unreadable file under the name a new system will take.
    writeFile(definitions / "Zulu.xml", "<TradingSystem");

    QxObjectSmartPtr<QxTradingSystem> added(new QxTradingSystem);
    added->setType(Qx::eLongOnly);
    QxObjectSmartPtr<QxSignal> up(new QxSignal), down(new QxSignal);
    up->addCondition(makeCondition("MovesUp", closeId(), QxSeriesId()).get());
    down->addCondition(makeCondition("MovesDown", closeId(), QxSeriesId()).get());
    added->setLongEntrySignal(up.get());
    added->setLongExitSignal(down.get());
    added->setDescription("Added in this run");
    ASSERT_EQ(added->setName(QxAtom("Zulu")), eNoError);
    ASSERT_EQ(store->addSystem(added), eNoError);
    EXPECT_EQ(listed(store).back(), "Zulu") << "listed last in this run";
    ASSERT_EQ(store->removeSystem(QxAtom("RSI 30-70")), eNoError);
    EXPECT_FALSE(store->getSystem(QxAtom("RSI 30-70")));
    // Only the type changed: nothing tells the store, nothing is rewritten.
    store->getSystem(QxAtom("SMA 50-200 Cross"))->setType(Qx::eLongOnly);

    ASSERT_TRUE(store->save());
    EXPECT_EQ(indexNames(index), (std::vector<wxString>{"Zulu", "SMA 50-200 Cross", "MACD Signal Cross",
                                                        "Close Over SMA 20"}));
    EXPECT_FALSE(fs::exists(definitions / "RSI 30-70.xml"))
        << "a removed system's definition goes, or the next start would list it again";
    EXPECT_EQ(readFile(definitions / "SMA 50-200 Cross.xml"), shippedCross);
    std::vector<fs::path> zulu;
    for (const auto& e : fs::directory_iterator(definitions))
        if (e.path().filename().string().rfind("Zulu.xml.damaged-", 0) == 0)
            zulu.push_back(e.path());
    ASSERT_EQ(zulu.size(), 1u);
    EXPECT_EQ(readFile(zulu[0]), "<TradingSystem") << "kept, not written over";

    store = reopen();
    EXPECT_EQ(listed(store).front(), "Zulu") << "first in the next run";
    QxObjectSmartPtr<QxTradingSystem> back = store->getSystem(QxAtom("Zulu"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->getDescription(), "Added in this run");
    EXPECT_EQ(back->getType(), Qx::eLongOnly);

    // A changed description is written to the index and the definition.
    ASSERT_EQ(back->setDescription("Changed"), eNoError);
    ASSERT_TRUE(store->save());
    EXPECT_EQ(reopen()->getEntryAt(0).description, "Changed");
    EXPECT_EQ(QxTradingSystemMgr::getInstance(true)->getSystem(QxAtom("Zulu"))->getDescription(), "Changed");
}

// An index the reader accepts may still carry anything beside its entries
// (a 210 KB one nested near the limit once grew to 1.8 GB written back with
// its indentation). What the store writes is its own flat list of names and
// descriptions, in the order read.
TEST_F(TradingSystemStore, WritesBackItsOwnIndexNotTheTreeItRead)
{
    std::string crafted = "<Systems>\n";
    std::vector<wxString> names;
    for (int i = 0; i < 40; ++i) {
        names.push_back(wxString::Format("S%02d", i));
        crafted += "<TradingSystem Name=\"" + names.back().ToStdString() + "\" Desc=\"d\" Extra=\"x\">";
        for (int level = 0; level < 250; ++level)
            crafted += "<a>";
        crafted += "text";
        for (int level = 0; level < 250; ++level)
            crafted += "</a>";
        crafted += "</TradingSystem><!-- note --><?note x?>text\n";
    }
    crafted += "<Other Name=\"Last\"/></Systems>";
    names.push_back("Last");
    writeFile(index, crafted);

    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    ASSERT_EQ(listed(store), names);
    EXPECT_EQ(store->getEntryAt(0).description, "d");
    ASSERT_TRUE(store->save());
    EXPECT_LT(fs::file_size(index), crafted.size() / 10);
    wxXmlDocument doc;
    ASSERT_TRUE(doc.Load(wxString::FromUTF8(index.string()), "UTF-8"));
    for (const wxXmlNode* child = doc.GetRoot()->GetChildren(); child; child = child->GetNext()) {
        EXPECT_EQ(child->GetName(), "TradingSystem");
        EXPECT_EQ(child->GetChildren(), nullptr) << child->GetAttribute("Name");
        EXPECT_FALSE(child->HasAttribute("Extra"));
    }
    EXPECT_EQ(indexNames(index), names);
    EXPECT_EQ(listed(reopen()), names);
    EXPECT_EQ(QxTradingSystemMgr::getInstance(true)->getEntryAt(0).description, "d");
}

TEST_F(TradingSystemStore, NamesThatAreNotFileNamesTouchNothingOutsideTheFolder)
{
    const std::string outside = definition("x", "outside", "<FirstSeries Type=\"2048\"/>");
    writeFile(folder / "x.xml", outside);
    writeFile(index, "<Systems><TradingSystem Name=\"../x\"/><TradingSystem Name=\"..\"/>"
                     "<TradingSystem Name=\"a\\b\"/><TradingSystem Name=\"Fine\"/></Systems>");
    writeFile(definitions / "Fine.xml", definition("Fine", "f", "<FirstSeries Type=\"2048\"/>"));

    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    EXPECT_EQ(listed(store), (std::vector<wxString>{"Fine"}));
    EXPECT_FALSE(store->getSystem(QxAtom("../x")));

    // A definition may carry any name; the store refuses to file it.
    wxXmlDocument doc;
    std::istringstream text(definition("../x", "hostile", "<FirstSeries Type=\"2048\"/>"));
    writeFile(folder / "hostile.tmp", text.str());
    ASSERT_TRUE(doc.Load(wxString::FromUTF8((folder / "hostile.tmp").string()), "UTF-8"));
    fs::remove(folder / "hostile.tmp");
    QxObjectSmartPtr<QxTradingSystem> hostile(QxTradingSystem::fromXML(doc.GetRoot()));
    ASSERT_TRUE(hostile);
    EXPECT_EQ(store->addSystem(hostile), eInvalidName);
    store->markModified(QxAtom("../x"));
    EXPECT_TRUE(store->save());

    EXPECT_EQ(readFile(folder / "x.xml"), outside);
    std::vector<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        entries.push_back(fs::relative(entry.path(), folder).string());
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"definitions", "definitions/Fine.xml", "index.xml", "x.xml"}));
}

TEST_F(TradingSystemStore, ShippedSystemsFireNowAndThenOnARealHistory)
{
    QxIndicatorRegistry::instance()->addBuiltInIndicators();
    const TestSupport::OhlcvFixture nvda = TestSupport::loadOhlcvFixture("nvda-1999-2014.csv");
    ASSERT_GT(nvda.size(), 1000u);
    QxObjectSmartPtr<calctest::MemSecurity> security(new calctest::MemSecurity(4242));
    QxObjectSmartPtr<QxPriceHistory> history(calctest::makeDaily(static_cast<unsigned>(nvda.size())));
    for (size_t i = 0; i < nvda.size(); ++i) {
        history->open()[i] = nvda.open[i];
        history->high()[i] = nvda.high[i];
        history->low()[i] = nvda.low[i];
        history->close()[i] = nvda.close[i];
        history->volume()[i] = nvda.volume[i];
    }
    security->stored = history;
    QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(security.get()));

    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    for (const wxString& name : kShipped) {
        QxObjectSmartPtr<QxTradingSystem> system = store->getSystem(QxAtom(name));
        ASSERT_TRUE(system) << name;
        unsigned fired[16] = {};
        for (unsigned bar = 0; bar < nvda.size(); ++bar)
            for (unsigned bit : {1u, 2u, 4u, 8u})
                if (system->evaluate(bit, calc.get(), bar))
                    ++fired[bit];
        for (unsigned bit : {1u, 2u}) {
            EXPECT_GT(fired[bit], 2u) << name << " signal " << bit;
            EXPECT_LT(fired[bit], nvda.size() / 10) << name << " signal " << bit << " fires on crossings only";
        }
        // Crossings of one pair of series alternate up and down.
        if (name != "RSI 30-70") {
            EXPECT_LE(std::abs(int(fired[1]) - int(fired[2])), 1) << name;
        }
        if (system->getType() == Qx::eLongAndShort) {
            EXPECT_EQ(fired[4], fired[2]) << name << ": short entry mirrors long exit";
            EXPECT_EQ(fired[8], fired[1]) << name;
        }
    }
}

TEST_F(TradingSystemStore, ChangesAreOnDiskWhenMadeAndAFailedWriteIsToldOnceAndRetried)
{
    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    Told told;

    // Added: definition and index at once, with no save in between.
    QxObjectSmartPtr<QxTradingSystem> zulu = longOnlySystem("Added");
    ASSERT_EQ(zulu->setName(QxAtom("Zulu")), eNoError);
    ASSERT_EQ(store->addSystem(zulu), eNoError);
    EXPECT_TRUE(fs::exists(definitions / "Zulu.xml"));
    EXPECT_EQ(indexNames(index).front(), "Zulu");
    // Edited, then saved as the manager does after the editor's OK.
    ASSERT_EQ(zulu->setDescription("Edited"), eNoError);
    EXPECT_TRUE(store->save());
    EXPECT_EQ(descOf(index, "Zulu"), "Edited");
    EXPECT_NE(readFile(definitions / "Zulu.xml").find("Desc=\"Edited\""), std::string::npos);
    // Removed: gone from the index and the folder at once.
    ASSERT_EQ(store->removeSystem(QxAtom("RSI 30-70")), eNoError);
    EXPECT_EQ(descOf(index, "RSI 30-70"), "<unlisted>");
    EXPECT_FALSE(fs::exists(definitions / "RSI 30-70.xml"));
    EXPECT_TRUE(told.texts.empty());

    // A full disk: nothing stored changes, the user is told once, and the
    // changes are written with the first change after the disk has room.
    const std::string indexBefore = readFile(index);
    const std::string zuluBefore = readFile(definitions / "Zulu.xml");
    qxSetWriteSpaceForTests(0);
    QxObjectSmartPtr<QxTradingSystem> yankee = longOnlySystem("Second");
    ASSERT_EQ(yankee->setName(QxAtom("Yankee")), eNoError);
    EXPECT_EQ(store->addSystem(yankee), eNoError);
    ASSERT_EQ(zulu->setDescription("Edited on a full disk"), eNoError);
    EXPECT_FALSE(store->save());
    ASSERT_EQ(store->removeSystem(QxAtom("MACD Signal Cross")), eNoError);
    qxSetWriteSpaceForTests(-1);
    ASSERT_EQ(told.texts.size(), 1u) << "told once";
    EXPECT_NE(told.texts[0].find("The trading systems could not be written"), wxString::npos) << told.texts[0];
    EXPECT_EQ(readFile(index), indexBefore);
    EXPECT_EQ(readFile(definitions / "Zulu.xml"), zuluBefore);
    EXPECT_FALSE(fs::exists(definitions / "Yankee.xml"));
    EXPECT_TRUE(fs::exists(definitions / "MACD Signal Cross.xml")) << "still listed on disk: kept with its entry";
    EXPECT_TRUE(store->hasSystem(QxAtom("Yankee"))) << "kept in this run";
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder))
        EXPECT_NE(e.path().filename().string()[0], '.') << "no temporary file left: " << e.path();

    ASSERT_EQ(yankee->setDescription("Second, now written"), eNoError);
    EXPECT_TRUE(store->save());
    EXPECT_EQ(descOf(index, "Yankee"), "Second, now written");
    EXPECT_EQ(descOf(index, "Zulu"), "Edited on a full disk");
    EXPECT_EQ(descOf(index, "MACD Signal Cross"), "<unlisted>");
    EXPECT_FALSE(fs::exists(definitions / "MACD Signal Cross.xml")) << "goes once the index is written";
    EXPECT_EQ(told.texts.size(), 1u) << "a success says nothing";

    store = reopen();
    EXPECT_EQ(listed(store), (std::vector<wxString>{"Yankee", "Zulu", "SMA 50-200 Cross", "Close Over SMA 20"}));
    EXPECT_EQ(store->getSystem(QxAtom("Zulu"))->getDescription(), "Edited on a full disk");
}

TEST_F(TradingSystemStore, AnotherProgramsWritesAreNeverWrittenOver)
{
    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    Told told;
    QxObjectSmartPtr<QxTradingSystem> rsi = store->getSystem(QxAtom("RSI 30-70"));
    ASSERT_TRUE(rsi);

    // A second program on the same home adds a system and changes one.
    const std::string theirRsi = definition("RSI 30-70", "Their RSI", "<FirstSeries Type=\"2048\"/>");
    writeFile(definitions / "RSI 30-70.xml", theirRsi);
    writeFile(definitions / "Theirs.xml", definition("Theirs", "Their own", "<FirstSeries Type=\"1024\"/>"));
    std::string theirIndex = readFile(index);
    theirIndex.insert(theirIndex.find("<Systems>") + 9, "\n  <TradingSystem Name=\"Theirs\" Desc=\"Their own\"/>");
    writeFile(index, theirIndex);

    // This one adds a system: both additions are listed.
    QxObjectSmartPtr<QxTradingSystem> mine = longOnlySystem("My own");
    ASSERT_EQ(mine->setName(QxAtom("Mine")), eNoError);
    ASSERT_EQ(store->addSystem(mine), eNoError);
    EXPECT_EQ(indexNames(index), (std::vector<wxString>{"Mine", "Theirs", "SMA 50-200 Cross", "RSI 30-70",
                                                        "MACD Signal Cross", "Close Over SMA 20"}));
    EXPECT_TRUE(store->hasSystem(QxAtom("Theirs"))) << "what the other listed is listed here too";
    EXPECT_TRUE(told.texts.empty());

    // This one's edit of the system the other rewrote is not saved over it.
    ASSERT_EQ(rsi->setDescription("My RSI"), eNoError);
    EXPECT_FALSE(store->save());
    EXPECT_EQ(readFile(definitions / "RSI 30-70.xml"), theirRsi);
    ASSERT_EQ(told.texts.size(), 1u);
    EXPECT_NE(told.texts[0].find("was changed by another program"), wxString::npos) << told.texts[0];
    EXPECT_NE(told.texts[0].find("RSI 30-70.xml"), wxString::npos) << told.texts[0];
    EXPECT_EQ(descOf(index, "RSI 30-70"), store->getEntryAt(3).description.ToStdString())
        << "the index does not claim what was not written";

    // Nor does deleting it delete their definition.
    ASSERT_EQ(store->removeSystem(QxAtom("RSI 30-70")), eNoError);
    EXPECT_EQ(readFile(definitions / "RSI 30-70.xml"), theirRsi);

    // The other program takes a name this one then picks for a new system.
    writeFile(definitions / "Both.xml", definition("Both", "Theirs first", "<FirstSeries Type=\"1024\"/>"));
    QxObjectSmartPtr<QxTradingSystem> both = longOnlySystem("Mine second");
    ASSERT_EQ(both->setName(QxAtom("Both")), eNoError);
    EXPECT_EQ(store->addSystem(both), eNoError);
    EXPECT_NE(readFile(definitions / "Both.xml").find("Theirs first"), std::string::npos);
}

TEST_F(TradingSystemStore, NamesTooLongForAFileNameAreRefused)
{
    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    wxString e130, e121;
    for (int i = 0; i < 130; ++i)
        e130 += wxString::FromUTF8("\xc3\xa9");
    e121 = e130.Left(121);
    const struct {
        wxString name;
        bool valid;
    } cases[] = {
        {e130, false},                    // 260 bytes
        {e121, true},                     // 242 bytes: with ".xml" and a temporary file's 8, 254
        {e121 + "x", true},               // 243: 255 exactly
        {e121 + "xy", false},             // 244
        {wxString('a', 243), true},
        {wxString('a', 244), false},
        {"", false},
        {"..", false},
        {"a/b", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.utf8_str().length());
        EXPECT_EQ(QxTradingSystemMgr::isValidSystemName(c.name), c.valid);
        QxObjectSmartPtr<QxTradingSystem> system = longOnlySystem("d");
        EXPECT_EQ(system->setName(QxAtom(c.name)) == eNoError, c.valid);
    }
    // The longest name a file takes round-trips.
    QxObjectSmartPtr<QxTradingSystem> longest = longOnlySystem("Longest");
    ASSERT_EQ(longest->setName(QxAtom(e121 + "x")), eNoError);
    ASSERT_EQ(store->addSystem(longest), eNoError);
    QxObjectSmartPtr<QxTradingSystem> back = reopen()->getSystem(QxAtom(e121 + "x"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->getDescription(), "Longest");
}

TEST_F(TradingSystemStore, AStartListsDefinitionsTheIndexLacksKeepsUnreadableOnesAndRemovesLeftovers)
{
    QxTradingSystemMgr::getInstance(true);
    QxTradingSystemMgr::destroy();
    // Stopped after a Copy had written its definition and while it renamed
    // the index: the copy is unlisted, temporary files stay behind.
    writeFile(definitions / "Copied.xml", definition("Copied", "The copy", "<FirstSeries Type=\"1024\"/>"));
    writeFile(folder / ".index.xml.Ab12Cd", "<Systems>");
    writeFile(definitions / ".Copied.xml.x9Y8z7", "<Trading");
    writeFile(definitions / ".Never.xml.Qq11Rr", "<Trading"); // a first write that never reached its rename
    writeFile(definitions / ".notes.txt", "the user's own");
    // And a listed system's definition became unreadable.
    const std::string macd = readFile(definitions / "MACD Signal Cross.xml");
    writeFile(definitions / "MACD Signal Cross.xml", "<TradingSystem");

    QxTradingSystemMgr* store = reopen();
    EXPECT_EQ(listed(store), (std::vector<wxString>{"SMA 50-200 Cross", "RSI 30-70", "MACD Signal Cross",
                                                    "Close Over SMA 20", "Copied"}));
    EXPECT_EQ(store->getEntryAt(4).description, "The copy");
    EXPECT_EQ(indexNames(index).back(), "Copied") << "listed in the index again";
    std::vector<std::string> hidden;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder))
        if (e.path().filename().string()[0] == '.')
            hidden.push_back(e.path().filename().string());
    EXPECT_EQ(hidden, std::vector<std::string>{".notes.txt"}) << "only leftovers of writes are removed";

    EXPECT_FALSE(store->getSystem(QxAtom("MACD Signal Cross")));
    EXPECT_TRUE(store->hasDefinitionFile(QxAtom("MACD Signal Cross")));
    EXPECT_TRUE(store->save());
    store = reopen();
    EXPECT_TRUE(store->hasSystem(QxAtom("MACD Signal Cross"))) << "kept while its file exists";
    writeFile(definitions / "MACD Signal Cross.xml", macd);
    EXPECT_TRUE(store->getSystem(QxAtom("MACD Signal Cross"))) << "a restored file is read";
}

TEST_F(TradingSystemStore, EditsReachADefinitionWhoseInnerNameDiffersFromItsFileName)
{
    QxTradingSystemMgr::getInstance(true);
    QxTradingSystemMgr::destroy();
    const std::string rsi = readFile(definitions / "RSI 30-70.xml");
    writeFile(definitions / "Renamed.xml", rsi); // a copied file: its Name says "RSI 30-70"

    QxTradingSystemMgr* store = reopen();
    ASSERT_TRUE(store->hasSystem(QxAtom("Renamed")));
    QxObjectSmartPtr<QxTradingSystem> renamed = store->getSystem(QxAtom("Renamed"));
    ASSERT_TRUE(renamed);
    EXPECT_EQ(renamed->getName(), QxAtom("Renamed"));
    ASSERT_EQ(renamed->setDescription("Edited under its file's name"), eNoError);
    EXPECT_TRUE(store->save());
    EXPECT_EQ(readFile(definitions / "RSI 30-70.xml"), rsi) << "the system it was copied from is untouched";

    // No indicator is registered in this program: the RSI of the copied
    // definition cannot be made, and its conditions are written back as read.
    const std::string written = readFile(definitions / "Renamed.xml");
    EXPECT_NE(written.find("<Condition Name=\"CrossOverUp\">"), std::string::npos) << written;
    EXPECT_NE(written.find("<OptParam Name=\"Time Period\" Value=\"14L\"/>"), std::string::npos) << written;

    store = reopen();
    EXPECT_EQ(store->getSystem(QxAtom("Renamed"))->getDescription(), "Edited under its file's name");
    EXPECT_EQ(store->getSystem(QxAtom("RSI 30-70"))->getDescription(),
              store->getEntryAt(1).description);
}
