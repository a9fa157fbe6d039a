#include "FuzzSupport.h"

#include "app/QxIndicatorRegistry.h"
#include "chart/QxChartConfiguration.h"
#include "chartframe/QxChartDocument.h"
#include "core/QxCalculator.h"
#include "core/QxPriceHistory.h"
#include "core/QxTime.h"
#include "core/QxUserNotice.h"
#include "core/QxXmlFile.h"
#include "tests/support/FakeDataObjects.h"

#include <wx/app.h>
#include <wx/ffile.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace FuzzSupport {
namespace {

std::string g_home;

void removeHome()
{
    std::error_code ec;
    std::filesystem::remove_all(g_home, ec);
}

// A wx assertion in a reader is a fault the fuzzer should report, not a
// message box nobody answers.
void assertAborts(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg)
{
    std::fprintf(stderr, "wx assertion %s:%d %s: %s %s\n", (const char*)file.utf8_str(), line,
                 (const char*)func.utf8_str(), (const char*)cond.utf8_str(), (const char*)msg.utf8_str());
    std::abort();
}

class FuzzApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

} // namespace

void initialise()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // Targets that go through files spend most of their time in the file
    // system: fuzz.sh points TMPDIR at a memory-backed one where there is.
    const char* tmp = std::getenv("TMPDIR");
    std::string tmpl = std::string(tmp && *tmp ? tmp : "/tmp") + "/trendoria-fuzz-XXXXXX";
    if (!mkdtemp(tmpl.data())) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    g_home = tmpl;
    std::atexit(removeHome);
    setenv("HOME", g_home.c_str(), 1);
    const std::string data = g_home + "/.local/share", config = g_home + "/.config";
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("TZ", "UTC", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    tzset();

    // The readers fill in chart defaults (system fonts and colours), so the
    // toolkit runs as in the program: on a display (xvfb-run), for the life
    // of the process.
    static int argc = 1;
    static char name[] = "trendoria-fuzz";
    static char* argv[] = {name, nullptr};
    wxApp::SetInstance(new FuzzApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "cannot start the GUI toolkit (is DISPLAY set?)\n");
        std::exit(2);
    }
    wxSetAssertHandler(assertAborts);
    // Readers tell the user of each damaged file; here that is every other
    // input, and not what is tested.
    qxSetUserNoticeSink([](const wxString&) {});
    wxLog::EnableLogging(false);
    QxIndicatorRegistry::instance()->addBuiltInIndicators();
    // What the toolkit sets up on first use is made now, so that the leak
    // check of each input sees only what the reader itself allocated.
    const QxZoneConfiguration defaults;
    const wxColour named("red");
}

std::unique_ptr<wxXmlDocument> parseXml(const uint8_t* data, size_t size)
{
    // As the program reads the chart files and templates these parts come in.
    static const QxXmlLimits limits{kMaxChartDocumentBytes, kMaxChartDocumentDepth};
    auto doc = std::make_unique<wxXmlDocument>();
    if (qxParseXml(reinterpret_cast<const char*>(data), size, *doc, limits, wxString(), nullptr) != QxXmlRead::eRead)
        return nullptr;
    return doc;
}

bool writeFile(const wxString& path, const uint8_t* data, size_t size)
{
    wxFFile f(path, "wb");
    return f.IsOpened() && f.Write(data, size) == size && f.Close();
}

wxString scratchPath(const char* name)
{
    return wxString::FromUTF8((g_home + "/" + name).c_str());
}

void removeAll(const wxString& path)
{
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(static_cast<const char*>(path.fn_str())), ec);
}

QxDatabase* database()
{
    // Held for the whole process, so never counted as a leak of an input.
    static FakeDatabase* db = [] {
        auto* made = new FakeDatabase;
        made->addRef();
        FakeCategory* category = made->add(1, "US.FUZZ.STOCK", "Yahoo!");
        category->add(11, "AAA");
        category->add(12, "BBB");
        category->add(13, "CCC");
        return made;
    }();
    return db;
}

QxCalculator* calculator()
{
    static QxCalculator* calc = [] {
        QxObjectSmartPtr<QxPriceHistory> history(new QxPriceHistory(Qx::eStock, Qx::eDaily));
        history->resize(60);
        wxDateTime day(2, wxDateTime::Jan, 2014);
        for (unsigned i = 0; i < 60; ++i, day += wxDateSpan::Day()) {
            const double close = 50.0 + (i % 7) - (i % 5) * 0.5;
            history->timestamp()[i] = makeTimestamp(day.GetDay(), day.GetMonth() + 1, day.GetYear());
            history->open()[i] = close - 0.5;
            history->high()[i] = close + 1.0;
            history->low()[i] = close - 1.0;
            history->close()[i] = close;
            history->volume()[i] = 1000.0 * (1 + i % 3);
        }
        auto* made = new QxCalculator(history.get());
        made->addRef();
        return made;
    }();
    return calc;
}

} // namespace FuzzSupport

// libFuzzer calls this before the first input; the replay main does too.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::initialise();
    return 0;
}
