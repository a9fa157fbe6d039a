// The program as a user starts it: first and later launches, a damaged
// stored choice, and a start-up with no database possible.
#include "ProgramRunner.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <wx/datetime.h>
#include <wx/fileconf.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

namespace fs = std::filesystem;

namespace {

const char* const kHomeTitle = "Corvane Trendoria 2014";
const char* const kSplashTitle = "About Corvane Trendoria";
const int kWindowTimeoutMs = 60000;

std::string configFile(const std::string& home) { return home + "/.Trendoria"; }
std::string dataFolder(const std::string& home) { return home + "/.Corvane/Trendoria/data"; }

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Everything below home except the toolkit's own caches and settings.
std::set<std::string> programFiles(const std::string& home)
{
    std::set<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(home)) {
        const std::string rel = fs::relative(e.path(), home).string();
        if (rel.rfind(".cache", 0) == 0 || rel.rfind(".config", 0) == 0 || rel.rfind(".local", 0) == 0)
            continue;
        files.insert(rel);
    }
    return files;
}

bool holdsOpen(const ProgramRunner& program, const std::string& path)
{
    const std::string canonical = fs::weakly_canonical(path).string();
    const auto files = program.openFiles();
    return std::find(files.begin(), files.end(), canonical) != files.end();
}

// The tables a history database of the program is created with.
std::set<std::string> tablesOf(const std::string& path)
{
    std::set<std::string> tables;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type='table'", -1, &st, nullptr) ==
            SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW)
                tables.insert(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return tables;
}

// The categories of a history database as "name|data provider".
std::set<std::string> categoriesOf(const std::string& path)
{
    std::set<std::string> categories;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db,
                               "SELECT country || '.' || exchange || '.' || security_type || '|' || data_provider "
                               "FROM security_category",
                               -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW)
                if (const unsigned char* text = sqlite3_column_text(st, 0))
                    categories.insert(reinterpret_cast<const char*>(text));
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return categories;
}

// Closes the home frame and expects the program to end cleanly.
void closeHomeAndExpectCleanEnd(ProgramRunner& program, unsigned long home)
{
    ASSERT_TRUE(program.closeWindow(home));
    int code = -1;
    ASSERT_TRUE(program.waitForExit(kWindowTimeoutMs, code)) << "the program did not end";
    EXPECT_EQ(code, 0) << program.stderrText();
}

// The home window and the message box shown over it at start-up, both
// titled with the program's title; 0s when either did not appear.
std::pair<unsigned long, unsigned long> homeAndMessage(ProgramRunner& program)
{
    const unsigned long first = program.waitForWindow(kHomeTitle, kWindowTimeoutMs);
    if (!first)
        return {0, 0};
    const unsigned long second = program.waitForOtherWindow(kHomeTitle, first, kWindowTimeoutMs);
    if (!second)
        return {program.isDialog(first) ? 0 : first, 0};
    return program.isDialog(first) ? std::make_pair(second, first) : std::make_pair(first, second);
}

// Closes a message box as its close button does, and waits until it is gone.
void dismiss(ProgramRunner& program, unsigned long message)
{
    ASSERT_TRUE(program.closeWindow(message));
    for (int i = 0; i < 100 && program.isViewable(message); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(program.isViewable(message));
}

} // namespace

TEST(StartupProgram, FirstLaunchPreparesEverythingAndASecondLaunchReusesIt)
{
    const std::string home = TestSupport::makeTempDir("first-launch");
    {
        ProgramRunner program(home, {"TRENDORIA_SPLASH_HOLD_MS=3000"});
        ASSERT_TRUE(program.started());
        const unsigned long splash = program.waitForWindow(kSplashTitle, kWindowTimeoutMs);
        ASSERT_NE(splash, 0u) << "no start-up dialog\n" << program.stderrText();
        EXPECT_TRUE(program.screenshot(splash, TestSupport::artifactPath("startup-first-launch.png")));

        const unsigned long frame = program.waitForWindow(kHomeTitle, kWindowTimeoutMs);
        ASSERT_NE(frame, 0u) << "no home frame\n" << program.stderrText();
        EXPECT_FALSE(program.isViewable(splash)) << "the start-up dialog stays up";
        const std::string db = dataFolder(home) + "/hist.trddb";
        EXPECT_TRUE(holdsOpen(program, db)) << "the default database is not open";
        // The docked toolbars settle in the first idle passes; the picture
        // shows the frame as a user sees it.
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        EXPECT_TRUE(program.screenshot(frame, TestSupport::artifactPath("startup-home-frame.png")));
        closeHomeAndExpectCleanEnd(program, frame);
    }

    const std::string db = dataFolder(home) + "/hist.trddb";
    ASSERT_TRUE(fs::is_regular_file(db));
    EXPECT_TRUE(fs::is_regular_file(home + "/.Corvane/Trendoria/alert_repo.xml")) << "alerts not saved at exit";
    const auto tables = tablesOf(db);
    EXPECT_TRUE(tables.count("security_category")) << "not a history database";
    EXPECT_TRUE(tables.count("client_data")) << "not a history database";
    // Both price-download plug-ins were loaded and filled the new database
    // from their shipped symbol lists.
    const auto categories = categoriesOf(db);
    for (const char* expected : {"US.NASDAQ.STOCK|Google", "US.DJX.INDEX|Google", "US.NYSE.STOCK|Yahoo!",
                                 "GB.LSE.STOCK|Yahoo!"})
        EXPECT_TRUE(categories.count(expected)) << expected;

    {
        wxFileConfig config(wxString(), wxString(), configFile(home), wxString(), wxCONFIG_USE_LOCAL_FILE);
        long first = -1;
        EXPECT_TRUE(config.Read("/first_time_launch", &first));
        EXPECT_EQ(first, 0);
        wxDateTime checked;
        wxString stamp = config.Read("/last_update_check/timestamp", wxString());
        EXPECT_TRUE(checked.ParseISOCombined(stamp, 'T')) << stamp;
        EXPECT_LT(std::abs((wxDateTime::Now() - checked).GetMinutes()), 10) << stamp;

        const char* globalKeys[] = {
            "showTooltip", "showLegends", "defaultTemplateFileName", "useDefaultTemplate",
            "priceObjType", "mainZoneHeight", "volmZoneHeight", "indcZoneHeight",
            "gatewayFrameSize/x", "gatewayFrameSize/y", "isGatewayFrameMaximized",
            "chartFrameSize/x", "chartFrameSize/y", "isChartFrameMaximized", "pnfFrameSize/x",
            "pnfFrameSize/y", "isPnfFrameMaximized", "chartFramePerspective",
            "stockIdeaFinderFrameSize/x", "stockIdeaFinderFrameSize/y",
            "stockIdeaFinderFrameMaximized", "simpleSystemTestReportFrameSize/x",
            "simpleSystemTestReportFrameSize/y", "simpleSystemTestReportFrameIsMaximized"};
        for (const char* key : globalKeys)
            EXPECT_TRUE(config.HasEntry(wxString("/global/") + key)) << key;
        // The fallback to the built-in database is never stored as a choice.
        EXPECT_FALSE(config.HasEntry("/app/db/default_data_path"));
    }

    {
        ProgramRunner program(home, {"TRENDORIA_SPLASH_HOLD_MS=3000"});
        const unsigned long splash = program.waitForWindow(kSplashTitle, kWindowTimeoutMs);
        ASSERT_NE(splash, 0u) << program.stderrText();
        EXPECT_TRUE(program.screenshot(splash, TestSupport::artifactPath("startup-second-launch.png")));
        const unsigned long frame = program.waitForWindow(kHomeTitle, kWindowTimeoutMs);
        ASSERT_NE(frame, 0u) << program.stderrText();
        EXPECT_TRUE(holdsOpen(program, db)) << "the second launch opened another database";
        closeHomeAndExpectCleanEnd(program, frame);
    }
    EXPECT_FALSE(fs::exists(dataFolder(home) + "/hist1.trddb"));
}

TEST(StartupProgram, DamagedStoredChoiceFallsBackToTheDefaultDatabase)
{
    const std::string home = TestSupport::makeTempDir("damaged-choice");
    const std::string damaged = home + "/broken.trddb";
    const std::string garbage = "this is not a database\n" + std::string(4096, '\x5a');
    std::ofstream(damaged, std::ios::binary) << garbage;
    {
        wxFileConfig config(wxString(), wxString(), configFile(home), wxString(), wxCONFIG_USE_LOCAL_FILE);
        config.Write("/app/db/default_data_path", wxString(damaged));
        config.Write("/app/db/default_data_provider", "com.Corvane.Trendoria.trddb");
        config.Write("/first_time_launch", 0L);
    }

    ProgramRunner program(home);
    const auto [frame, message] = homeAndMessage(program);
    ASSERT_NE(frame, 0u) << program.stderrText();
    ASSERT_NE(message, 0u) << "the fallback was silent\n" << program.stderrText();
    EXPECT_TRUE(holdsOpen(program, dataFolder(home) + "/hist.trddb"));
    EXPECT_FALSE(holdsOpen(program, damaged));
    dismiss(program, message);
    closeHomeAndExpectCleanEnd(program, frame);

    EXPECT_EQ(readFile(damaged), garbage) << "the damaged file was changed";
    wxFileConfig config(wxString(), wxString(), configFile(home), wxString(), wxCONFIG_USE_LOCAL_FILE);
    EXPECT_EQ(config.Read("/app/db/default_data_path", wxString()), wxString(damaged))
        << "the fallback replaced the stored choice";
}

TEST(StartupProgram, NoDatabasePossibleEndsWithItsMessageAndWritesNothing)
{
    const std::string home = TestSupport::makeTempDir("no-database");
    // A file where the user data folder belongs: no data folder can be made.
    fs::create_directories(home + "/.Corvane");
    std::ofstream(home + "/.Corvane/Trendoria") << "in the way\n";
    const auto before = programFiles(home);

    ProgramRunner program(home);
    const unsigned long message = program.waitForWindow(kHomeTitle, kWindowTimeoutMs);
    ASSERT_NE(message, 0u) << "no message\n" << program.stderrText();
    EXPECT_TRUE(program.screenshot(message, TestSupport::artifactPath("startup-no-database.png")));
    ASSERT_TRUE(program.closeWindow(message));
    int code = 0;
    ASSERT_TRUE(program.waitForExit(kWindowTimeoutMs, code));
    EXPECT_NE(code, 0);
    const std::string err = program.stderrText();
    EXPECT_NE(err.find("no price history database could be opened"), std::string::npos) << err;
    EXPECT_NE(err.find("could not be created"), std::string::npos) << err;
    EXPECT_EQ(programFiles(home), before) << "start-up wrote files although it failed";
    EXPECT_FALSE(fs::exists(configFile(home)));
}

// The damaged files a user's disk may hold, all at one start: a default
// template binding one role twice (it used to crash every start), a cut-off
// alert file and a stored database that is no database. The program starts,
// says what it could not read and what it used instead, ends cleanly on
// Ctrl+Q, and every one of the user's files is still there byte for byte.
TEST(StartupProgram, DamagedFilesAreToldOnceKeptAndTheProgramRuns)
{
    const std::string home = TestSupport::makeTempDir("damaged-files");
    const std::string userData = home + "/.Corvane/Trendoria";
    fs::create_directories(userData);
    const std::string templ = home + "/double.trdt";
    const std::string templText =
        "<TrendoriaTemplate Version=\"2\"><SMA Index=\"0\"><Drawables><SOLIDLINE Index=\"0\"><Params>"
        "<DATA Value=\"0L\"/><DATA Value=\"1.5D\"/></Params></SOLIDLINE></Drawables></SMA></TrendoriaTemplate>";
    std::ofstream(templ, std::ios::binary) << templText;
    const std::string alerts = userData + "/alert_repo.xml";
    const std::string alertText = "<AlertSettings><AlertSetting Type=\"9\"><Security Name=\"|US Stocks|NVDA\"";
    std::ofstream(alerts, std::ios::binary) << alertText;
    const std::string database = home + "/broken.trddb";
    const std::string databaseText = "this is not a database\n" + std::string(4096, '\x5a');
    std::ofstream(database, std::ios::binary) << databaseText;
    {
        wxFileConfig config(wxString(), wxString(), configFile(home), wxString(), wxCONFIG_USE_LOCAL_FILE);
        config.Write("/app/db/default_data_path", wxString(database));
        config.Write("/app/db/default_data_provider", "com.Corvane.Trendoria.trddb");
        config.Write("/global/defaultTemplateFileName", wxString(templ));
        config.Write("/global/useDefaultTemplate", true);
        config.Write("/first_time_launch", 0L);
    }

    // Keys sent to the window arrive as core X events, which the toolkit
    // reads only when told to.
    ProgramRunner program(home, {"GDK_CORE_DEVICE_EVENTS=1"});
    const auto [frame, message] = homeAndMessage(program);
    ASSERT_NE(frame, 0u) << program.stderrText();
    ASSERT_NE(message, 0u) << "no message\n" << program.stderrText();
    std::this_thread::sleep_for(std::chrono::seconds(1)); // let the box paint
    EXPECT_TRUE(program.screenshot(message, TestSupport::artifactPath("startup-damaged-files.png")));
    const std::string told = program.stderrText();
    EXPECT_NE(told.find(templ), std::string::npos) << told;
    EXPECT_NE(told.find(alerts + "\" could not be read"), std::string::npos) << told;
    EXPECT_NE(told.find(database + "\" could not be opened"), std::string::npos) << told;
    EXPECT_NE(told.find(dataFolder(home) + "/hist.trddb\" is used instead"), std::string::npos) << told;
    dismiss(program, message);

    ASSERT_TRUE(program.pressKey(frame, "q", true));
    int code = -1;
    ASSERT_TRUE(program.waitForExit(kWindowTimeoutMs, code)) << "Ctrl+Q did not end the program";
    EXPECT_EQ(code, 0) << program.stderrText();

    EXPECT_EQ(readFile(templ), templText);
    EXPECT_EQ(readFile(database), databaseText);
    std::string aside;
    for (const auto& e : fs::directory_iterator(userData))
        if (e.path().filename().string().rfind("alert_repo.xml.damaged-", 0) == 0)
            aside = e.path().string();
    ASSERT_FALSE(aside.empty()) << "the damaged alert file was not kept";
    EXPECT_EQ(readFile(aside), alertText);
    EXPECT_NE(told.find(aside), std::string::npos) << told;

    // The alert file is told of once: the next start reads the new one
    // without a word (the template and database are still said, as they
    // are still in use as settings).
    ProgramRunner again(home);
    const auto [second, secondMessage] = homeAndMessage(again);
    ASSERT_NE(second, 0u) << again.stderrText();
    ASSERT_NE(secondMessage, 0u) << again.stderrText();
    EXPECT_EQ(again.stderrText().find("alert_repo.xml"), std::string::npos) << again.stderrText();
    dismiss(again, secondMessage);
    closeHomeAndExpectCleanEnd(again, second);
}

// An alert file nested 200,000 levels deep where a scan of its text sees
// no nesting (a document type whose entity value opens a comment) crashed
// the program at every start. Now the start says so and goes on, Ctrl+Q
// ends it cleanly, and the file is kept aside byte for byte.
TEST(StartupProgram, AnAlertFileNestedOutOfSightIsToldAndKept)
{
    const std::string home = TestSupport::makeTempDir("hidden-deep-alerts");
    const std::string userData = home + "/.Corvane/Trendoria";
    fs::create_directories(userData);
    const std::string alerts = userData + "/alert_repo.xml";
    const std::string alertText = TestSupport::hiddenDeepXml("AlertSettings").at(0).text;
    std::ofstream(alerts, std::ios::binary) << alertText;
    {
        wxFileConfig config(wxString(), wxString(), configFile(home), wxString(), wxCONFIG_USE_LOCAL_FILE);
        config.Write("/first_time_launch", 0L);
    }

    ProgramRunner program(home, {"GDK_CORE_DEVICE_EVENTS=1"});
    const auto [frame, message] = homeAndMessage(program);
    ASSERT_NE(frame, 0u) << program.stderrText();
    ASSERT_NE(message, 0u) << "no message\n" << program.stderrText();
    std::this_thread::sleep_for(std::chrono::seconds(1)); // let the box paint
    EXPECT_TRUE(program.screenshot(message, TestSupport::artifactPath("startup-hidden-deep-alerts.png")));
    const std::string told = program.stderrText();
    EXPECT_NE(told.find(alerts + "\" could not be read"), std::string::npos) << told;
    EXPECT_NE(told.find("document type"), std::string::npos) << told;
    dismiss(program, message);

    ASSERT_TRUE(program.pressKey(frame, "q", true));
    int code = -1;
    ASSERT_TRUE(program.waitForExit(kWindowTimeoutMs, code)) << "Ctrl+Q did not end the program";
    EXPECT_EQ(code, 0) << program.stderrText();
    std::string aside;
    for (const auto& e : fs::directory_iterator(userData))
        if (e.path().filename().string().rfind("alert_repo.xml.damaged-", 0) == 0)
            aside = e.path().string();
    ASSERT_FALSE(aside.empty()) << "the alert file was not kept";
    EXPECT_TRUE(readFile(aside) == alertText) << "kept byte for byte";
    wxXmlDocument written;
    EXPECT_TRUE(written.Load(wxString::FromUTF8(alerts), "UTF-8")) << "a new alert file is in its place";
}
