// The alert manager and the trading-system store as the application uses
// them at start-up and exit: what a run cannot resolve passes through it
// unchanged.
#include "core/QxTime.h"
#include "core/QxUserNotice.h"
#include "trading/QxAlertMgr.h"
#include "trading/QxTradingSystemMgr.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/filename.h>
#include <wx/xml/xml.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

TEST(AlertMgr, StartsAMonthBackAndKeepsTheSettingsOfTheFile)
{
    const std::string path = QxAlertMgr::filePath().ToStdString();
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<AlertSettings>\n"
                           "  <AlertSetting Type=\"9\" PriceOfInterest=\"12.3457\">\n"
                           "    <Security Name=\"|US Stocks|NVDA\" LastEvaluationTime=\"20140301000000000\">\n"
                           "      <Alert TimeStamp=\"20140228000000000\" Status=\"2\"/>\n"
                           "    </Security>\n"
                           "  </AlertSetting>\n"
                           "</AlertSettings>\n";

    const int64_t before = subtractDateSpan(timestampNow(), wxDateSpan(0, 1, 0, 0));
    QxAlertMgr* mgr = QxAlertMgr::get();
    EXPECT_EQ(QxAlertMgr::get(), mgr) << "one manager per process";
    EXPECT_GE(mgr->evaluationStart(), before);
    EXPECT_LE(mgr->evaluationStart(), subtractDateSpan(timestampNow(), wxDateSpan(0, 1, 0, 0)));
    ASSERT_TRUE(mgr->save());
    QxAlertMgr::destroy();
    EXPECT_EQ(QxAlertMgr::existing(), nullptr);

    wxXmlDocument doc;
    ASSERT_TRUE(doc.Load(path, "UTF-8"));
    ASSERT_EQ(doc.GetRoot()->GetName(), "AlertSettings");
    const wxXmlNode* setting = doc.GetRoot()->GetChildren();
    ASSERT_NE(setting, nullptr);
    EXPECT_EQ(setting->GetName(), "AlertSetting");
    EXPECT_EQ(setting->GetAttribute("PriceOfInterest"), "12.3457");
    const wxXmlNode* security = setting->GetChildren();
    ASSERT_NE(security, nullptr);
    EXPECT_EQ(security->GetAttribute("Name"), "|US Stocks|NVDA");
    ASSERT_NE(security->GetChildren(), nullptr);
    EXPECT_EQ(security->GetChildren()->GetAttribute("TimeStamp"), "20140228000000000");

}

// Damaged alert files as a user's disk holds them: each is kept aside byte
// for byte, the user is told once, and the new file holds nothing of it.
TEST(AlertMgr, KeepsADamagedFileAsideAndTellsTheUserOnce)
{
    const std::string path = QxAlertMgr::filePath().ToStdString();
    fs::create_directories(fs::path(path).parent_path());
    std::string deep;
    for (int i = 0; i < 200000; ++i)
        deep += "<a>";
    std::vector<std::string> cases = {"<AlertSettings><AlertSetting", "", "\x01\xff binary", "<AlertSettings>" + deep};
    for (const TestSupport::HiddenDeepXml& hidden : TestSupport::hiddenDeepXml("AlertSettings"))
        cases.push_back(hidden.text);
    std::vector<wxString> told;
    qxSetUserNoticeSink([&](const wxString& text) { told.push_back(text); });
    for (const std::string& damaged : cases) {
        for (const auto& e : fs::directory_iterator(fs::path(path).parent_path()))
            fs::remove(e.path());
        std::ofstream(path, std::ios::binary) << damaged;
        told.clear();

        QxAlertMgr* mgr = QxAlertMgr::get();
        ASSERT_EQ(told.size(), 1u) << damaged.substr(0, 40);
        EXPECT_TRUE(told[0].Contains(wxString(path))) << told[0];
        ASSERT_TRUE(mgr->save());
        QxAlertMgr::destroy();
        EXPECT_EQ(told.size(), 1u) << "told once";

        std::vector<fs::path> aside;
        for (const auto& e : fs::directory_iterator(fs::path(path).parent_path()))
            if (e.path().filename().string().rfind("alert_repo.xml.damaged-", 0) == 0)
                aside.push_back(e.path());
        ASSERT_EQ(aside.size(), 1u) << damaged.substr(0, 40);
        std::ifstream in(aside[0], std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), damaged);
        EXPECT_TRUE(told[0].Contains(aside[0].string())) << told[0];
        wxXmlDocument doc;
        ASSERT_TRUE(doc.Load(path, "UTF-8"));
        EXPECT_EQ(doc.GetRoot()->GetChildren(), nullptr);
        // The next start reads the new file without a word.
        QxAlertMgr::get();
        QxAlertMgr::destroy();
        EXPECT_EQ(told.size(), 1u);
    }
    qxSetUserNoticeSink(nullptr);
}

TEST(TradingSystemMgr, ExistsOnlyOnDemandAndWritesBackItsIndex)
{
    // No shipped systems to seed from.
    QxTradingSystemMgr::setProgramFolder(wxString::FromUTF8(TestSupport::makeTempDir("noprogram")));
    EXPECT_EQ(QxTradingSystemMgr::getInstance(false), nullptr) << "created without being asked for";
    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(QxTradingSystemMgr::getInstance(false), store);
    const std::string index = store->indexFileName().ToStdString();
    EXPECT_EQ(fs::path(index).filename(), "index.xml");
    EXPECT_EQ(fs::path(index).parent_path().filename(), "trading_system");
    EXPECT_EQ(fs::path(store->definitionsFolder().ToStdString()).filename(), "definitions");
    // None read: the store is empty and still writes its index.
    fs::remove(index);
    EXPECT_EQ(store->getCount(), 0u);
    EXPECT_TRUE(store->save());
    wxXmlDocument empty;
    ASSERT_TRUE(empty.Load(index, "UTF-8"));
    EXPECT_EQ(empty.GetRoot()->GetName(), "Systems");
    EXPECT_EQ(empty.GetRoot()->GetChildren(), nullptr);
    QxTradingSystemMgr::destroy();

    fs::create_directories(fs::path(index).parent_path());
    const std::string content = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Systems>\n"
                                "  <TradingSystem Name=\"Golden Cross\" Desc=\"SMA 50 over SMA 200\"/>\n"
                                "</Systems>\n";
    std::ofstream(index) << content;
    store = QxTradingSystemMgr::getInstance(true);
    ASSERT_TRUE(store->save());
    QxTradingSystemMgr::destroy();
    wxXmlDocument doc;
    ASSERT_TRUE(doc.Load(index, "UTF-8"));
    ASSERT_NE(doc.GetRoot()->GetChildren(), nullptr);
    EXPECT_EQ(doc.GetRoot()->GetChildren()->GetAttribute("Name"), "Golden Cross");
    EXPECT_EQ(doc.GetRoot()->GetChildren()->GetAttribute("Desc"), "SMA 50 over SMA 200");
}
