#include "support/TestSupport.h"

#include "app/QxPluginLoader.h"
#include "core/QxAtom.h"
#include "core/QxDataReaderRepository.h"

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace TestSupport {

bool g_guiAvailable = false;

std::string binDir() { return TRENDORIA_BIN_DIR; }

QxDataReader* historyReader()
{
    // Static, so neither the loader nor the held reader counts as a leak.
    static QxPluginLoader* loader = nullptr;
    static QxDataReader* reader = [] {
        loader = new QxPluginLoader;
        loader->loadPlugin(binDir() + "/trddb.trdx");
        QxDataReader* r = QxDataReaderRepository::instance()->getObj(QxAtom("com.Corvane.Trendoria.trddb"));
        if (r)
            r->addRef();
        return r;
    }();
    return reader;
}

std::string artifactPath(const std::string& fileName)
{
    fs::path dir(TRENDORIA_ARTIFACT_DIR);
    fs::create_directories(dir);
    return (dir / fileName).string();
}

std::string homeDir()
{
    const char* home = std::getenv("HOME");
    return home ? home : "/tmp";
}

std::string makeTempDir(const std::string& hint)
{
    static std::atomic<int> counter{0};
    fs::path dir = fs::path(homeDir()) / "tmp" / (hint + "-" + std::to_string(++counter));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir.string();
}

bool guiAvailable() { return g_guiAvailable; }

ScopedTimeZone::ScopedTimeZone(const char* tz)
{
    const char* old = std::getenv("TZ");
    m_hadOld = old != nullptr;
    if (old)
        m_old = old;
    setenv("TZ", tz, 1);
    tzset();
}

ScopedTimeZone::~ScopedTimeZone()
{
    if (m_hadOld)
        setenv("TZ", m_old.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

std::vector<HiddenDeepXml> hiddenDeepXml(const std::string& root, int levels)
{
    std::string body = "<" + root + ">";
    body.reserve(body.size() + 7u * static_cast<size_t>(levels) + 40);
    for (int i = 0; i < levels; ++i)
        body += "<a>";
    for (int i = 0; i < levels; ++i)
        body += "</a>";
    // The comment a scan believes open closes here.
    body += "</" + root + "><!-- -->";
    return {
        {"entity value", "<!DOCTYPE " + root + " [<!ENTITY e \"]><!--\">]>" + body},
        {"instruction in a document type", "<!DOCTYPE " + root + " [<?hide ]><!-- ?>]>" + body},
        {"instruction", "<?hide ><!-- ?>" + body},
    };
}

} // namespace TestSupport
