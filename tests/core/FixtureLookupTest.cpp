// Where the tests find their real data: beside the sources, or in the folder
// TRENDORIA_TEST_FIXTURES names; a missing fixture stops its test at once,
// naming the file, instead of leaving an empty history to fail far away.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

// Sets or clears TRENDORIA_TEST_FIXTURES for its lifetime.
class FixtureFolder {
public:
    explicit FixtureFolder(const char* value)
    {
        const char* old = std::getenv("TRENDORIA_TEST_FIXTURES");
        m_had = old != nullptr;
        if (old)
            m_old = old;
        if (value)
            setenv("TRENDORIA_TEST_FIXTURES", value, 1);
        else
            unsetenv("TRENDORIA_TEST_FIXTURES");
    }
    ~FixtureFolder()
    {
        if (m_had)
            setenv("TRENDORIA_TEST_FIXTURES", m_old.c_str(), 1);
        else
            unsetenv("TRENDORIA_TEST_FIXTURES");
    }

private:
    std::string m_old;
    bool m_had;
};

} // namespace

TEST(FixtureLookup, FindsTheCheckoutsFixturesOrTheNamedFolder)
{
    {
        const FixtureFolder unset(nullptr);
        EXPECT_EQ(fs::path(TestSupport::fixturesDir()), fs::path(TRENDORIA_SOURCE_DIR) / "tests" / "fixtures");
        const std::string orcl = TestSupport::fixturePath("ohlcv/orcl-1995-2014.csv");
        EXPECT_GT(fs::file_size(orcl), 300000u) << orcl;
        EXPECT_TRUE(fs::is_directory(TestSupport::fixturePath("quillbar/daily-40")));
    }
    const std::string other = TestSupport::makeTempDir("fixtures");
    fs::create_directories(fs::path(other) / "ohlcv");
    std::ofstream(fs::path(other) / "ohlcv" / "tiny.csv") << "Date,Open,High,Low,Close,Adj Close,Volume\n";
    const FixtureFolder named(other.c_str());
    EXPECT_EQ(TestSupport::fixturesDir(), other);
    EXPECT_EQ(fs::path(TestSupport::fixturePath("ohlcv/tiny.csv")), fs::path(other) / "ohlcv" / "tiny.csv");
}

TEST(FixtureLookup, AMissingFixtureStopsTheTestWithItsName)
{
    const FixtureFolder empty(TestSupport::makeTempDir("no-fixtures").c_str());
    for (const char* name : {"ohlcv/orcl-1995-2014.csv", "quillbar/odd-cases"}) {
        bool stopped = false;
        try {
            (void)TestSupport::fixturePath(name);
        } catch (const std::runtime_error& e) {
            stopped = true;
            EXPECT_NE(std::string(e.what()).find(std::string("\"") + name + "\""), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("TRENDORIA_TEST_FIXTURES"), std::string::npos) << e.what();
        }
        EXPECT_TRUE(stopped) << name;
    }
}
