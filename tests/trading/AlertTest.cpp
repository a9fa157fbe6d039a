// Alert settings and the alert manager: when a setting fires, its texts,
// order and XML; the manager's evaluation at idle time over an in-memory
// database, its counts, and its file, which keeps what it cannot resolve.
#include "AlertTestSupport.h"

#include "core/QxDataChangeReactorMgr.h"
#include "core/QxErrorCode.h"
#include "trading/QxSignal.h"

#include <gtest/gtest.h>

#include <wx/xml/xml.h>

#include <filesystem>
#include <fstream>

using namespace tradingtest;
using namespace alerttest;
namespace fs = std::filesystem;

namespace {

wxXmlNode* element(const wxString& xml)
{
    static wxXmlDocument doc;
    wxStringInputStream in(xml);
    doc.Load(in);
    return doc.GetRoot();
}

} // namespace

TEST(AlertSetting, FiresOnStrictComparisonsAndOnTheWholeSignalMask)
{
    FakeMarket market({9.5, 10.0, 10.5});
    QxObjectSmartPtr<QxTradingSystem> system = entryOnlySystem(nullptr);
    const struct {
        const char* what;
        unsigned type;
        QxTradingSystem* system;
        double price;
        unsigned bar;
        bool fires;
    } cases[] = {
        {"equal close, above", 9, nullptr, 10.0, 1, false},
        {"equal close, below", 10, nullptr, 10.0, 1, false},
        {"higher close", 9, nullptr, 10.0, 2, true},
        {"lower close", 10, nullptr, 10.0, 0, true},
        {"bar n", 9, nullptr, 1.0, 3, false},
        {"long entry", 1, system.get(), 0, 1, true},
        {"long exit", 2, system.get(), 0, 1, false},
        {"entry and exit at once", 3, system.get(), 0, 1, false},
        {"entry and short entry", 5, system.get(), 0, 1, false},
        {"signal without system", 1, nullptr, 0, 1, false},
        {"type 11", 11, nullptr, 1.0, 1, false},
    };
    for (const auto& c : cases) {
        QxAlertSetting setting(c.system, c.type);
        setting.addRef(); // on the stack: never freed by a reference
        setting.setPriceOfInterest(c.price);
        EXPECT_EQ(setting.isTriggered(market.calc(), c.bar), c.fires) << c.what;
    }
}

TEST(AlertSetting, PriceAlertsOfAFundWatchItsNetAssetValue)
{
    QxObjectSmartPtr<calctest::MemSecurity> fund(new calctest::MemSecurity(4242));
    QxObjectSmartPtr<QxPriceHistory> history(new QxPriceHistory(Qx::eFund, Qx::eDaily));
    history->resize(2);
    history->timestamp()[0] = makeTimestamp(4, 8, 2014);
    history->timestamp()[1] = makeTimestamp(5, 8, 2014);
    history->nav()[0] = 8.0;
    history->nav()[1] = 12.0;
    fund->stored = history;
    QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(fund.get()));
    EXPECT_FALSE(priceSetting(9, 10.0)->isTriggered(calc.get(), 0));
    EXPECT_TRUE(priceSetting(9, 10.0)->isTriggered(calc.get(), 1));
    EXPECT_TRUE(priceSetting(10, 10.0)->isTriggered(calc.get(), 0));
}

TEST(AlertSetting, DescribesComparesAndReadsItsElement)
{
    QxObjectSmartPtr<QxTradingSystem> system = entryOnlySystem("Breakout");
    QxAlertSetting shortExit(system.get(), 8);
    shortExit.addRef();
    EXPECT_EQ(shortExit.describe(false), "When trading system 'Breakout' generates 'short Exit' signal");
    EXPECT_EQ(shortExit.describe(true), "Trading system 'Breakout' generated 'short Exit' signal");
    EXPECT_EQ(priceSetting(9, 12.345678)->describe(false), "When price goes above 12.35");
    EXPECT_EQ(priceSetting(10, 3.0)->describe(true), "Price went below 3.00");
    EXPECT_EQ(QxAlertSetting(nullptr, 1).describe(false), "Invalid Alert Settings");
    EXPECT_EQ(signalKindText(1), "Long Entry");
    EXPECT_EQ(signalKindText(3), "Long Entry");

    EXPECT_NE(priceSetting(9, 10.0)->compare(*priceSetting(9, 10.00001)), 0);
    EXPECT_LT(priceSetting(9, 10.0)->compare(*priceSetting(9, 10.00001)), 0);
    EXPECT_EQ(priceSetting(9, 10.0)->compare(*priceSetting(9, 10.0)), 0);
    EXPECT_LT(priceSetting(9, 99.0)->compare(*priceSetting(10, 1.0)), 0) << "by type first";
    QxObjectSmartPtr<QxTradingSystem> twin = entryOnlySystem("Breakout");
    QxObjectSmartPtr<QxAlertSetting> a(new QxAlertSetting(system.get(), 1)), b(new QxAlertSetting(twin.get(), 1));
    EXPECT_EQ(a->compare(*b), 0) << "same-named systems";
    QxObjectSmartPtr<QxAlertSetting> price1(new QxAlertSetting(nullptr, 1));
    EXPECT_NE(a->compare(*price1), 0);

    // Written and read back; a price keeps four decimals.
    wxXmlNode root(wxXML_ELEMENT_NODE, "AlertSettings");
    wxXmlNode* written = priceSetting(9, 12.345678)->toXml(&root);
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(written->GetAttribute("PriceOfInterest"), "12.3457");
    EXPECT_EQ(QxAlertSetting(nullptr, 0).toXml(&root), nullptr);
    QxObjectSmartPtr<QxAlertSetting> back(QxAlertSetting::fromXml(written));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->type(), 9u);
    EXPECT_DOUBLE_EQ(back->priceOfInterest(), 12.3457);

    resetStore(TestSupport::makeTempDir("noprogram"));
    const struct {
        const char* xml;
        bool valid;
        bool unresolved;
    } elements[] = {
        {"<AlertSetting Type=\"11\" PriceOfInterest=\"5\"/>", false, false},
        {"<AlertSetting Type=\"1\" TradingSystem=\"\"/>", false, false},
        {"<AlertSetting Type=\"9\" PriceOfInterest=\"0\"/>", false, false},
        {"<AlertSetting Type=\"10\" PriceOfInterest=\"-2\"/>", false, false},
        {"<AlertSetting Type=\"x\" PriceOfInterest=\"2\"/>", false, false},
        {"<AlertSetting Type=\"1\" TradingSystem=\"Gone\"/>", false, true},
        {"<Anything Type=\"10\" PriceOfInterest=\"2.5\"/>", true, false},
    };
    for (const auto& e : elements) {
        bool unresolved = false;
        QxObjectSmartPtr<QxAlertSetting> read(QxAlertSetting::fromXml(element(e.xml), &unresolved));
        EXPECT_EQ(static_cast<bool>(read), e.valid) << e.xml;
        EXPECT_EQ(unresolved, e.unresolved) << e.xml;
    }
    EXPECT_EQ(QxAlert::fromXml(element("<Alert TimeStamp=\"20140805000000000\" Status=\"7\"/>")).status, 3u);
    const QxAlert alert = QxAlert::fromXml(element("<Alert TimeStamp=\"20140805000000000\" Status=\"1\"/>"));
    EXPECT_EQ(alert.timestamp, 20140805000000000LL);
    EXPECT_EQ(alert.status, 1u);
    QxTradingSystemMgr::destroy();
}

TEST_F(AlertMgrTest, ThreeSettingsOfASecurityAreEvaluatedHalfASecondApartAndWatchedOnce)
{
    auto* security = market->add("AAA", {90, 110, 120, 95, 130});
    QxAlertMgr* mgr = startManager();
    const int64_t day1 = market->barTime(1);
    ASSERT_TRUE(mgr->addSetting(security, priceSetting(9, 100).get(), day1 + 150000000)); // 15:00 that day
    ASSERT_TRUE(mgr->addSetting(security, priceSetting(10, 100).get(), day1));
    ASSERT_TRUE(mgr->addSetting(security, priceSetting(9, 125).get(), day1));
    EXPECT_FALSE(mgr->addSetting(security, priceSetting(9, 125).get(), day1)) << "an equal setting";
    EXPECT_EQ(mgr->pendingEvaluations(), 3);
    EXPECT_EQ(security->log.find("update(bg);"), 0u) << "asked to update in the background";
    EXPECT_EQ(QxDataChangeReactorMgr::instance()->numPriceHistoryReactors(security->id()), 1u);

    // Due at 500, 1000 and 1500 ms.
    const int pendingAt[][2] = {{499, 3}, {500, 2}, {999, 2}, {1000, 1}, {1500, 0}};
    for (const auto& step : pendingAt) {
        runIdle(step[0]);
        EXPECT_EQ(mgr->pendingEvaluations(), step[1]) << "at " << step[0] << " ms";
    }
    // Bars from the marker's day on: above 100 at bars 1, 2, 4; below 100
    // at bar 3; above 125 at bar 4.
    EXPECT_EQ(mgr->numNewAlerts(), 5);
    EXPECT_EQ(reactor.added, 5);
    const QxAlertList* above = mgr->alertsOf(security, priceSetting(9, 100).get());
    ASSERT_NE(above, nullptr);
    ASSERT_EQ(above->size(), 4u);
    EXPECT_EQ(above->begin()->first, day1);
    EXPECT_EQ(above->rbegin()->second.status, QxAlert::eMarker);
    EXPECT_GT(above->rbegin()->first, market->barTime(4)) << "the marker moves to now";

    // A price change posts one task per setting, not one per registration.
    QxDataChangeReactorMgr::instance()->notifyEodDataChange(security->id());
    EXPECT_EQ(mgr->pendingEvaluations(), 3);
    runIdle(3000);
    EXPECT_EQ(mgr->numNewAlerts(), 5) << "nothing new since the last evaluation";

    for (unsigned type : {9u, 10u})
        mgr->removeSetting(security, priceSetting(type, 100).get());
    EXPECT_EQ(QxDataChangeReactorMgr::instance()->numPriceHistoryReactors(security->id()), 1u);
    mgr->removeSetting(security, priceSetting(9, 125).get());
    EXPECT_EQ(QxDataChangeReactorMgr::instance()->numPriceHistoryReactors(security->id()), 0u)
        << "unwatched with its last setting";
    EXPECT_EQ(mgr->numNewAlerts(), 0);
    EXPECT_EQ(reactor.removed, 5);
    EXPECT_EQ(reactor.settingsRemoved, 3);
    EXPECT_TRUE(mgr->settingsIndex().empty());
    EXPECT_TRUE(mgr->securitiesIndex().empty());
}

TEST_F(AlertMgrTest, CountsFollowStatusChangesAndDeletions)
{
    auto* security = market->add("AAA", {110, 120, 130});
    QxAlertMgr* mgr = startManager();
    QxObjectSmartPtr<QxAlertSetting> setting = priceSetting(9, 100);
    ASSERT_TRUE(mgr->addSetting(security, setting.get(), market->barTime(0)));
    runIdle(500);
    ASSERT_EQ(mgr->numNewAlerts(), 3);

    QxAlert first = mgr->alertsOf(security, setting.get())->begin()->second;
    mgr->setAlertStatus(first, QxAlert::eRead, security, setting.get());
    EXPECT_EQ(first.status, QxAlert::eRead) << "the record passed in follows";
    QxAlert second = std::next(mgr->alertsOf(security, setting.get())->begin())->second;
    mgr->setAlertStatus(second, QxAlert::eUnread, security, setting.get());
    EXPECT_EQ(reactor.statusChanges, 2);
    EXPECT_EQ(std::make_tuple(mgr->numNewAlerts(), mgr->numUnreadAlerts(), mgr->numReadAlerts()),
              std::make_tuple(1, 1, 1));

    // Its own status, or the marker's: nothing changes, nobody is told.
    mgr->setAlertStatus(first, QxAlert::eRead, security, setting.get());
    QxAlert marker = mgr->alertsOf(security, setting.get())->rbegin()->second;
    mgr->setAlertStatus(marker, QxAlert::eRead, security, setting.get());
    EXPECT_EQ(marker.status, QxAlert::eMarker);
    EXPECT_EQ(reactor.statusChanges, 2);

    EXPECT_TRUE(mgr->removeAlert(second.timestamp, security, setting.get()));
    EXPECT_FALSE(mgr->removeAlert(second.timestamp, security, setting.get()));
    EXPECT_FALSE(mgr->removeAlert(marker.timestamp, security, setting.get())) << "the marker stays";
    EXPECT_EQ(std::make_tuple(mgr->numNewAlerts(), mgr->numUnreadAlerts(), mgr->numReadAlerts()),
              std::make_tuple(1, 0, 1));
    mgr->removeSetting(security, setting.get());
    EXPECT_EQ(std::make_tuple(mgr->numNewAlerts(), mgr->numUnreadAlerts(), mgr->numReadAlerts()),
              std::make_tuple(0, 0, 0));
}

TEST_F(AlertMgrTest, TheFileRoundTripsAndKeepsWhatDoesNotResolve)
{
    auto* security = market->add("AAA", {90, 110, 120, 95, 130});
    resetStore(TestSupport::makeTempDir("noprogram"));
    ASSERT_EQ(QxTradingSystemMgr::getInstance(true)->addSystem(entryOnlySystem("Entry")), eNoError);

    const int64_t old = 20140805000000000LL; // long before the evaluation start
    const wxString key = wxString::FromUTF8(makeSecurityKey(security));
    const wxString bar2 = wxString::Format("%lld", static_cast<long long>(market->barTime(2)));
    const wxString bar2Later = wxString::Format("%lld", static_cast<long long>(market->barTime(2) + 10000000));
    writeAlertFile("<AlertSettings>"
                   "<AlertSetting Type=\"9\" PriceOfInterest=\"100.0000\">"
                   "<Security Name=\"" + key + "\" LastEvaluationTime=\"" + bar2Later + "\">"
                   "<Alert TimeStamp=\"" + bar2 + "\" Status=\"0\"/>"
                   "<Alert TimeStamp=\"" + wxString::Format("%lld", static_cast<long long>(old)) + "\" Status=\"1\"/>"
                   "<Alert TimeStamp=\"18991231000000000\" Status=\"1\"/>"
                   "<Alert TimeStamp=\"" + bar2 + "\" Status=\"2\"/>"
                   "</Security>"
                   "<Security Name=\"Elsewhere|Other Stocks|ZZZ\" LastEvaluationTime=\"20140301000000000\">"
                   "<Alert TimeStamp=\"20140228000000000\" Status=\"2\"/>"
                   "</Security>"
                   "</AlertSetting>"
                   "<AlertSetting Type=\"1\" TradingSystem=\"Entry\">"
                   "<Security Name=\"" + key + "\" LastEvaluationTime=\"" + bar2Later + "\"/>"
                   "</AlertSetting>"
                   "<AlertSetting Type=\"2\" TradingSystem=\"Deleted\">"
                   "<Security Name=\"" + key + "\" LastEvaluationTime=\"20140301000000000\"/>"
                   "</AlertSetting>"
                   "<AlertSetting Type=\"9\" PriceOfInterest=\"100\">"
                   "<Security Name=\"" + key + "\" LastEvaluationTime=\"20140301000000000\"/>"
                   "</AlertSetting>"
                   "<AlertSetting Type=\"11\"/>"
                   "</AlertSettings>");
    QxAlertMgr* mgr = startManager();
    QxObjectSmartPtr<QxAlertSetting> above = priceSetting(9, 100);
    // The old alert and the one at bar 2 load (once); the one before 1900
    // and the duplicate setting's do not.
    EXPECT_EQ(mgr->alertsOf(security, above.get())->size(), 3u);
    EXPECT_EQ(mgr->numReadAlerts(), 1);
    EXPECT_EQ(mgr->numUnreadAlerts(), 1);
    EXPECT_EQ(mgr->numNewAlerts(), 0);
    EXPECT_EQ(mgr->settingsIndex().size(), 2u);

    // Evaluation starts at bar 2's day without testing bar 2 again: the
    // price setting adds bar 4 only, the system every bar from 2 on.
    runIdle(2000);
    EXPECT_EQ(mgr->alertsOf(security, above.get())->size(), 4u);
    EXPECT_EQ(mgr->numNewAlerts(), 1 + 3);

    ASSERT_TRUE(mgr->save());
    EXPECT_TRUE(mgr->settingsIndex().empty()) << "emptied by saving";
    const std::string first = readFile(QxAlertMgr::filePath().ToStdString());
    EXPECT_EQ(first.find("20140805000000000"), std::string::npos) << "dropped: not after the evaluation start";
    EXPECT_NE(first.find("Elsewhere|Other Stocks|ZZZ"), std::string::npos) << "another database's security";
    EXPECT_NE(first.find("20140228000000000"), std::string::npos) << "with its alert";
    EXPECT_NE(first.find("TradingSystem=\"Deleted\""), std::string::npos) << "a system the store lacks";
    EXPECT_EQ(first.find("Type=\"11\""), std::string::npos) << "no setting at all";

    // A round trip is equal, and with no database at all nothing is lost.
    QxAlertMgr::destroy();
    startManager();
    ASSERT_TRUE(QxAlertMgr::get()->save());
    EXPECT_EQ(readFile(QxAlertMgr::filePath().ToStdString()), first);
    QxAlertMgr::destroy();
    scoped.app().changeDatabase(nullptr);
    QxAlertMgr* none = QxAlertMgr::get();
    EXPECT_TRUE(none->settingsIndex().empty());
    ASSERT_TRUE(none->save());
    const std::string unresolved = readFile(QxAlertMgr::filePath().ToStdString());
    for (const char* kept : {"Elsewhere|Other Stocks|ZZZ", "TradingSystem=\"Entry\"", "TradingSystem=\"Deleted\"",
                             "PriceOfInterest=\"100.0000\""})
        EXPECT_NE(unresolved.find(kept), std::string::npos) << kept;
    EXPECT_NE(unresolved.find(key.utf8_string()), std::string::npos);
    QxTradingSystemMgr::destroy();
}
