// What the alert manager keeps of the user's word: every change written when
// it is made, a failed write told once, another program's file never written
// over, a deleted alert staying deleted, equal settings of two securities
// being one setting in every window, and settings that cannot be evaluated
// shown so that they can be removed.
#include "AlertTestSupport.h"

#include "core/QxUserNotice.h"
#include "core/QxXmlFile.h"
#include "trading/QxAlertMgrPanel.h"
#include "trading/QxTradingSystemMgr.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/listctrl.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace alerttest;

namespace {

std::string alertFile()
{
    std::ifstream in(QxAlertMgr::filePath().ToStdString(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Collects what the user is told while it lives.
struct Told {
    Told() { qxSetUserNoticeSink([this](const wxString& text) { texts.push_back(text); }); }
    ~Told() { qxSetUserNoticeSink(nullptr); }
    std::vector<wxString> texts;
};

std::vector<wxString> column(wxListCtrl* list, int col)
{
    std::vector<wxString> texts;
    for (long row = 0; row < list->GetItemCount(); ++row)
        texts.push_back(list->GetItemText(row, col));
    return texts;
}

} // namespace

TEST_F(AlertMgrTest, EveryChangeIsWrittenWhenItIsMadeAndAFailureIsToldOnce)
{
    auto* security = market->add("AAA", {110, 120, 130});
    QxAlertMgr* mgr = startManager();
    Told told;
    QxObjectSmartPtr<QxAlertSetting> setting = priceSetting(9, 100);
    ASSERT_TRUE(mgr->addSetting(security, setting.get(), market->barTime(0)));
    EXPECT_NE(alertFile().find("PriceOfInterest=\"100.0000\""), std::string::npos) << "written as it is set";
    runIdle(500);
    ASSERT_EQ(mgr->numNewAlerts(), 3);

    QxAlert first = mgr->alertsOf(security, setting.get())->begin()->second;
    mgr->setAlertStatus(first, QxAlert::eRead, security, setting.get());
    const std::string afterRead = alertFile();
    EXPECT_NE(afterRead.find("Status=\"0\""), std::string::npos) << "written as it is read";

    // A full disk: told once for two changes, and the file keeps what it had.
    qxSetWriteSpaceForTests(0);
    QxAlert second = std::next(mgr->alertsOf(security, setting.get())->begin())->second;
    mgr->setAlertStatus(second, QxAlert::eRead, security, setting.get());
    EXPECT_TRUE(mgr->removeAlert(first.timestamp, security, setting.get()));
    qxSetWriteSpaceForTests(-1);
    ASSERT_EQ(told.texts.size(), 1u);
    EXPECT_TRUE(told.texts[0].StartsWith("The alert settings could not be written to \"" + QxAlertMgr::filePath() +
                                         "\": writing the file failed (No space left on device)."))
        << told.texts[0];
    EXPECT_EQ(alertFile(), afterRead);
    // The next change writes everything held, and a later failure is told again.
    QxAlert third = std::prev(mgr->alertsOf(security, setting.get())->end(), 2)->second;
    mgr->setAlertStatus(third, QxAlert::eUnread, security, setting.get());
    const std::string held = alertFile();
    EXPECT_EQ(held.find("Status=\"2\""), std::string::npos) << "no new alert left: all read or unread";
    qxSetWriteSpaceForTests(0);
    mgr->removeSetting(security, setting.get());
    qxSetWriteSpaceForTests(-1);
    EXPECT_EQ(told.texts.size(), 2u);
    EXPECT_EQ(alertFile(), held);

    // Another Trendoria wrote the file since: it is not written over, and
    // that is told once.
    const std::string other = "<AlertSettings><AlertSetting Type=\"10\" PriceOfInterest=\"5.0000\"/></AlertSettings>";
    std::ofstream(QxAlertMgr::filePath().ToStdString(), std::ios::binary) << other;
    ASSERT_TRUE(mgr->addSetting(security, priceSetting(10, 50).get(), market->barTime(0)));
    ASSERT_TRUE(mgr->addSetting(security, priceSetting(10, 60).get(), market->barTime(0)));
    EXPECT_EQ(alertFile(), other);
    ASSERT_EQ(told.texts.size(), 3u);
    EXPECT_TRUE(told.texts[2].Contains("was changed by another program")) << told.texts[2];
}

// A deleted alert of today's bar is not fired again when the program starts
// again the same day and evaluates that bar once more.
TEST_F(AlertMgrTest, ADeletedAlertStaysDeletedAfterARestartTheSameDay)
{
    auto* security = market->add("AAA", {40, 49, 50});
    // The last bar is today's, as after a download during the day.
    for (unsigned i = 0; i < 3; ++i)
        security->stored->timestamp()[i] = AlertMarket::barTime(i + 1, 3);
    QxAlertMgr* mgr = startManager();
    QxObjectSmartPtr<QxAlertSetting> above = priceSetting(9, 48);
    ASSERT_TRUE(mgr->addSetting(security, above.get(), security->stored->timestamp()[0]));
    runIdle(500);
    ASSERT_EQ(mgr->alertsOf(security, above.get())->size(), 3u); // two alerts and the marker
    const int64_t today = security->stored->timestamp()[2];
    ASSERT_TRUE(mgr->removeAlert(today, security, above.get()));
    ASSERT_TRUE(mgr->save());

    QxAlertMgr::destroy();
    mgr = startManager();
    runIdle(500);
    const QxAlertList* alerts = mgr->alertsOf(security, above.get());
    ASSERT_NE(alerts, nullptr);
    EXPECT_EQ(alerts->size(), 2u);
    EXPECT_EQ(alerts->count(today), 0u);
    EXPECT_EQ(mgr->numNewAlerts(), 1) << "yesterday's, as it was";
    // And it stays so through a second start.
    ASSERT_TRUE(mgr->save());
    QxAlertMgr::destroy();
    mgr = startManager();
    runIdle(500);
    EXPECT_EQ(mgr->alertsOf(security, above.get())->count(today), 0u);
}

// Two securities with equal settings: the manager holds one setting for
// both and tells every window of that one, so the panel fills "Last occurred
// on" for each and removing one security's setting leaves none of its rows.
TEST_F(AlertMgrTest, EqualSettingsOfTwoSecuritiesAreOneSettingInEveryWindow)
{
    auto* aaa = market->add("AAA", {90, 110, 120});
    auto* bbb = market->add("BBB", {95, 105, 125});
    QxAlertMgr* mgr = startManager();
    auto* frame = new wxFrame(nullptr, wxID_ANY, "alerts", wxDefaultPosition, wxSize(700, 500));
    auto* panel = new QxAlertMgrPanel(frame);
    frame->Show();
    QxObjectSmartPtr<QxAlertSetting> forA = priceSetting(9, 100), forB = priceSetting(9, 100);
    ASSERT_TRUE(mgr->addSetting(aaa, forA.get(), market->barTime(0)));
    ASSERT_TRUE(mgr->addSetting(bbb, forB.get(), market->barTime(0)));
    ASSERT_EQ(mgr->settingsIndex().size(), 1u);
    const auto held = mgr->securitiesIndex().find(QxSecurityPtr(bbb));
    ASSERT_NE(held, mgr->securitiesIndex().end());
    EXPECT_EQ(held->second.begin()->get(), forA.get());
    runIdle(1000);
    framestest::pump(50);

    wxListCtrl* settings = panel->settingsList();
    wxListCtrl* alerts = panel->alertsList();
    EXPECT_EQ(column(settings, 0), (std::vector<wxString>{"AAA", "BBB"}));
    for (long row = 0; row < 2; ++row)
        EXPECT_EQ(settings->GetItemText(row, 2), formatTimestamp(market->barTime(2), "%x")) << row;
    EXPECT_EQ(column(alerts, 0), (std::vector<wxString>{"AAA", "AAA", "BBB", "BBB"}));

    mgr->removeSetting(bbb, forB.get());
    framestest::pump(20);
    EXPECT_EQ(column(settings, 0), std::vector<wxString>{"AAA"});
    EXPECT_EQ(column(alerts, 0), (std::vector<wxString>{"AAA", "AAA"}));
    frame->Destroy();
    framestest::pump(20);
}

// Settings of the file that cannot be evaluated in this run (the system is
// gone or cannot be read, the security is in no database open) are listed
// greyed with the names they were stored with and why; removing them drops
// them from the file for good.
TEST_F(AlertMgrTest, SettingsThatCannotBeEvaluatedAreShownAndCanBeRemoved)
{
    auto* security = market->add("AAA", {90, 110, 120});
    tradingtest::resetStore(TestSupport::makeTempDir("orphans"));
    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    ASSERT_EQ(store->addSystem(entryOnlySystem("Broken")), 0);
    ASSERT_TRUE(store->save());
    // Its definition damaged on disk, as by a crash or a hand.
    std::ofstream(wxString(store->definitionsFolder() + "/Broken.xml").ToStdString()) << "<TradingSystem";
    QxTradingSystemMgr::destroy();

    const wxString key = wxString::FromUTF8(makeSecurityKey(security));
    writeAlertFile("<AlertSettings>"
                   "<AlertSetting Type=\"1\" TradingSystem=\"Gone\">"
                   "<Security Name=\"" + key + "\" LastEvaluationTime=\"20140301000000000\"/></AlertSetting>"
                   "<AlertSetting Type=\"2\" TradingSystem=\"Broken\">"
                   "<Security Name=\"" + key + "\" LastEvaluationTime=\"20140301000000000\"/></AlertSetting>"
                   "<AlertSetting Type=\"9\" PriceOfInterest=\"12.5000\">"
                   "<Security Name=\"Elsewhere|Other Stocks|ZZZ\" LastEvaluationTime=\"20140301000000000\"/>"
                   "</AlertSetting>"
                   "</AlertSettings>");
    QxAlertMgr* mgr = startManager();
    const std::vector<QxOrphanAlertSetting> orphans = mgr->orphans();
    ASSERT_EQ(orphans.size(), 3u);
    EXPECT_EQ(orphans[0].description, "When trading system 'Gone' generates 'Long Entry' signal");
    EXPECT_EQ(orphans[0].reason, "Not evaluated: there is no trading system \"Gone\" any more.");
    EXPECT_EQ(orphans[1].reason, "Not evaluated: the trading system \"Broken\" could not be read.");
    EXPECT_EQ(orphans[2].security, "Elsewhere|Other Stocks|ZZZ");
    EXPECT_EQ(orphans[2].description, "When price goes above 12.50");
    EXPECT_EQ(orphans[2].reason, "Not evaluated: the security is not in the current database.");

    auto* frame = new wxFrame(nullptr, wxID_ANY, "alerts", wxDefaultPosition, wxSize(900, 500));
    auto* panel = new QxAlertMgrPanel(frame);
    frame->Show();
    framestest::pump(50);
    wxListCtrl* settings = panel->settingsList();
    ASSERT_EQ(settings->GetItemCount(), 3);
    EXPECT_EQ(settings->GetItemText(2, 0), "Elsewhere|Other Stocks|ZZZ");
    EXPECT_EQ(settings->GetItemText(2, 1),
              "When price goes above 12.50 - Not evaluated: the security is not in the current database.");
    panel->notebook()->SetSelection(1);
    framestest::pump(50);
    EXPECT_TRUE(framestest::saveWindowShot(frame, "alert_orphans.png"));

    // Removed with the panel's own command: gone from the window and the file.
    settings->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    panel->removeSettings();
    framestest::pump(20);
    EXPECT_EQ(settings->GetItemCount(), 2);
    EXPECT_EQ(mgr->orphans().size(), 2u);
    const std::string written = alertFile();
    EXPECT_EQ(written.find("TradingSystem=\"Gone\""), std::string::npos);
    EXPECT_NE(written.find("TradingSystem=\"Broken\""), std::string::npos);
    frame->Destroy();
    framestest::pump(20);
    QxTradingSystemMgr::destroy();
}

// The price is written with a point whatever the locale, and read so.
TEST(AlertSetting, ThePriceIsWrittenTheSameInEveryLocale)
{
    TestSupport::CommaLocale comma;
    if (!comma.ok())
        GTEST_SKIP() << "no comma locale could be made here";
    QxObjectSmartPtr<QxAlertSetting> setting = priceSetting(10, 48.25);
    wxXmlNode parent(wxXML_ELEMENT_NODE, "AlertSettings");
    wxXmlNode* element = setting->toXml(&parent);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->GetAttribute("PriceOfInterest"), "48.2500");
    QxObjectSmartPtr<QxAlertSetting> back(QxAlertSetting::fromXml(element));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->priceOfInterest(), 48.25);
}
