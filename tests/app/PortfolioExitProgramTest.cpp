// Exit from the menu while the Portfolio & Watchlist frame is open: the
// frame goes only as the program ends, after the plug-ins have been told to
// go. Its files are written when the user changes something, so an exit
// after no change leaves both exactly as they were, entries of securities
// the database does not hold included.
#include "ProgramRunner.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/fileconf.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

const int kWindowTimeoutMs = 60000;

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(PortfolioExitProgram, ExitWithTheManagerOpenKeepsBothFiles)
{
    const std::string home = TestSupport::makeTempDir("portfolio-exit");
    const std::string userData = home + "/.Corvane/Trendoria";
    fs::create_directories(userData);
    {
        wxFileConfig config(wxString(), wxString(), home + "/.Trendoria", wxString(), wxCONFIG_USE_LOCAL_FILE);
        config.Write("/first_time_launch", 0L);
    }
    // A security of the new database, whose prices the manager asks for,
    // and securities the database does not hold, on one line.
    const std::string held = "<position security=\"Yahoo!|US.NYSE.STOCK|IBM\">"
                             "<transaction price=\"100\" time=\"20240102000000000\" quantity=\"3\" load=\"0\"/>"
                             "</position>";
    const std::string position = "<position security=\"Yahoo!|US.NYSE.STOCK|NOSUCH\">"
                                 "<transaction price=\"12.5\" time=\"20240102000000000\" quantity=\"4\" load=\"0\"/>"
                                 "</position>";
    const std::string item = "<watchitem security=\"Google|US.NASDAQ.STOCK|NOSUCH\" "
                             "time=\"20240102000000000\" price=\"3.25\"/>";
    std::ofstream(userData + "/portfolios.xml")
        << "<portfolios><portfolio name=\"Kept\">" << held << position << "</portfolio></portfolios>";
    std::ofstream(userData + "/watchlists.xml")
        << "<watchlists><watchlist name=\"Seen\">" << item << "</watchlist></watchlists>";

    // Keys sent to the window arrive as core X events, which the toolkit
    // reads only when told to.
    // Downloads go to a port where nothing listens.
    ProgramRunner program(home, {"GDK_CORE_DEVICE_EVENTS=1", "TRENDORIA_URL_YAHOO=http://127.0.0.1:9",
                                 "TRENDORIA_URL_GOOGLE=http://127.0.0.1:9"});
    const unsigned long homeFrame = program.waitForWindow("Corvane Trendoria 2014", kWindowTimeoutMs);
    ASSERT_NE(homeFrame, 0u) << program.stderrText();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ASSERT_TRUE(program.pressKey(homeFrame, "p", true, true));
    const unsigned long manager =
        program.waitForWindow("Corvane Trendoria 2014 [Portfolio & Watchlist]", kWindowTimeoutMs);
    ASSERT_NE(manager, 0u) << "Ctrl+Shift+P opened no manager\n" << program.stderrText();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(program.screenshot(manager, TestSupport::artifactPath("portfolio-manager-program.png")));

    ASSERT_TRUE(program.pressKey(manager, "q", true));
    int code = -1;
    ASSERT_TRUE(program.waitForExit(kWindowTimeoutMs, code)) << "Ctrl+Q did not end the program";
    EXPECT_EQ(code, 0) << program.stderrText();

    EXPECT_EQ(readFile(userData + "/portfolios.xml"),
              "<portfolios><portfolio name=\"Kept\">" + held + position + "</portfolio></portfolios>");
    EXPECT_EQ(readFile(userData + "/watchlists.xml"),
              "<watchlists><watchlist name=\"Seen\">" + item + "</watchlist></watchlists>");
}
