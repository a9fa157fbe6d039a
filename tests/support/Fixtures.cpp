#include "support/Fixtures.h"

#include "core/QxAsciiParser.h"
#include "core/QxQuote.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
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

std::string fixtureText(const std::string& relative)
{
    std::ifstream in(fixturePath(relative), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

QxObjectSmartPtr<QxPriceHistory> fixtureHistory(const std::string& name, unsigned maxBars, FixtureBars which)
{
    const std::string text = fixtureText("ohlcv/" + name);
    using F = QxAsciiParser::QxAsciiFieldId;
    std::vector<F> fields;
    std::istringstream header(text.substr(0, text.find('\n')));
    for (std::string cell; std::getline(header, cell, ',');) {
        if (!cell.empty() && cell.back() == '\r')
            cell.pop_back();
        fields.push_back(cell == "Date"     ? F::eDate
                         : cell == "Open"   ? F::eOpen
                         : cell == "High"   ? F::eHigh
                         : cell == "Low"    ? F::eLow
                         : cell == "Close"  ? F::eClose
                         : cell == "Volume" ? F::eVolume
                                            : F::eSkip);
    }
    QxObjectSmartPtr<QxPriceHistory> all(new QxPriceHistory(Qx::eStock, Qx::eDaily));
    std::vector<unsigned> bad;
    QxAsciiParser::parseAsciiStmForHistory(text.data(), static_cast<unsigned>(text.size()), fields.data(),
                                           static_cast<unsigned>(fields.size()), true,
                                           Qx::QxDateFormat::eYearMonthDay, 0, bad, all.get());
    if (maxBars == 0 || all->numBars() <= maxBars)
        return all;
    QxObjectSmartPtr<QxPriceHistory> part(new QxPriceHistory(Qx::eStock, Qx::eDaily));
    const unsigned first = which == FixtureBars::eLast ? all->numBars() - maxBars : 0;
    for (unsigned i = first; i < first + maxBars; ++i) {
        QxQuote q;
        all->getQuote(i, q);
        part->insertOrReplaceQuote(q);
    }
    return part;
}

OhlcvFixture loadOhlcvFixture(const std::string& name, size_t maxBars, FixtureBars which)
{
    const QxObjectSmartPtr<QxPriceHistory> h = fixtureHistory(name, static_cast<unsigned>(maxBars), which);
    OhlcvFixture f;
    const unsigned n = h->numBars();
    f.time.assign(h->timestamp(), h->timestamp() + n);
    f.open.assign(h->open(), h->open() + n);
    f.high.assign(h->high(), h->high() + n);
    f.low.assign(h->low(), h->low() + n);
    f.close.assign(h->close(), h->close() + n);
    f.volume.assign(h->volume(), h->volume() + n);
    return f;
}

} // namespace TestSupport
