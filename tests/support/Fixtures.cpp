#include "support/Fixtures.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace TestSupport {

std::string fixturesDir()
{
    const char* chosen = std::getenv("TRENDORIA_TEST_FIXTURES");
    if (chosen && *chosen)
        return chosen;
    return TRENDORIA_SOURCE_DIR "/tests/fixtures";
}

std::string fixturePath(const std::string& relative)
{
    const fs::path path = fs::path(fixturesDir()) / relative;
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        // Said on stderr as well, for a caller that is not a test.
        const std::string text = "missing test fixture \"" + relative + "\" (looked for " + path.string() +
                                 "; TRENDORIA_TEST_FIXTURES names another fixture folder)";
        std::fprintf(stderr, "%s\n", text.c_str());
        throw std::runtime_error(text);
    }
    return path.string();
}

} // namespace TestSupport
