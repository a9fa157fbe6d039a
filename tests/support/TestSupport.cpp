#include "support/TestSupport.h"

#include <wx/string.h>

#include <ostream>

#include "app/QxPluginLoader.h"
#include "core/QxAtom.h"
#include "core/QxDataReaderRepository.h"

#include <atomic>
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

void PrintTo(const wxString& text, std::ostream* os) { *os << '"' << text.utf8_str() << '"'; }

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

CommaLocale::CommaLocale()
{
    static const std::string folder = [] {
        const std::string dir = makeTempDir("locale");
        const std::string command = "localedef -i de_DE -f UTF-8 " + dir + "/de_DE.UTF-8 >/dev/null 2>&1";
        return std::system(command.c_str()) == 0 ? dir : std::string();
    }();
    if (folder.empty())
        return;
    setenv("LOCPATH", folder.c_str(), 1);
    m_old = std::setlocale(LC_NUMERIC, nullptr);
    m_ok = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
}

CommaLocale::~CommaLocale()
{
    if (m_ok)
        std::setlocale(LC_NUMERIC, m_old.c_str());
}

} // namespace TestSupport
