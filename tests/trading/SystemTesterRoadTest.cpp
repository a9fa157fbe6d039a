// The road a user takes through the system tester: Tools → Simple System
// Tester, a shipped system and a security with a real history, the report
// frame with its page, and the page's two links.
#include "SystemTesterTestSupport.h"

#include "app/QxCommonFrame.h"
#include "app/QxGlobalVars.h"
#include "chartframe/QxChartFrame.h"
#include "core/QxCalculator.h"
#include "core/platform/QxFileDialogExt.h"
#include "trading/QxSimpleSystemTest.h"
#include "trading/QxSimpleSystemTestReportView.h"
#include "trading/QxSimpleSystemTesterDlg.h"

#include <gtest/gtest.h>

#include <wx/filedlg.h>
#include <wx/html/htmlwin.h>
#include <wx/stopwatch.h>
#include <wx/webview.h>

#include <sys/resource.h>

#include <csignal>

using namespace systemtestertest;
using TestSupport::ModalScript;

namespace {

std::vector<wxFrame*> framesOf(const std::function<bool(wxWindow*)>& kind)
{
    std::vector<wxFrame*> out;
    for (wxWindow* w : wxTopLevelWindows)
        if (kind(w) && !w->IsBeingDeleted())
            out.push_back(static_cast<wxFrame*>(w));
    return out;
}

std::vector<wxFrame*> chartFrames()
{
    return framesOf([](wxWindow* w) { return dynamic_cast<QxChartFrame*>(w) != nullptr; });
}

QxSimpleSystemTestReportView* reportView()
{
    std::vector<wxFrame*> views =
        framesOf([](wxWindow* w) { return dynamic_cast<QxSimpleSystemTestReportView*>(w) != nullptr; });
    return views.size() == 1 ? static_cast<QxSimpleSystemTestReportView*>(views[0]) : nullptr;
}

// Runs the event loop until done() holds or ms have passed; done().
bool pumpUntil(const std::function<bool()>& done, int ms = 10000)
{
    wxStopWatch watch;
    while (!done() && watch.Time() < ms)
        framestest::pump(50);
    return done();
}

wxString script(wxWebView* view, const wxString& js)
{
    wxString out;
    view->RunScript(js, &out);
    return out;
}

void clickLink(wxWebView* view, const char* href)
{
    view->RunScript(wxString::Format("document.querySelector(\"a[href='%s']\").click();", href));
}

void closeAll(std::vector<wxFrame*> frames)
{
    for (wxFrame* f : frames)
        f->Destroy();
    framestest::pump(100);
}

} // namespace

TEST_F(SystemTesterTest, FromTheToolsMenuToTheReportItsChartAndItsFile)
{
    QxGlobalVars& globals = QxGlobalVars::get();
    globals.simpleSystemTestReportFrameSize = wxSize(1000, 760);
    globals.simpleSystemTestReportFrameIsMaximized = false;
    auto* home = new QxCommonFrame(nullptr, wxID_ANY, "home");
    home->Show();
    TestSupport::MessageBoxes boxes;
    {
        ModalScript user;
        user.when<QxSimpleSystemTesterDlg>([](QxSimpleSystemTesterDlg* d) {
                d->CallAfter([d] { ModalScript::press(d, d->selectSystemButton()->GetId()); });
            })
            .when<DlgSystemManager>([](DlgSystemManager* m) { chooseSystem(m, "SMA 50-200 Cross"); })
            .when<QxSimpleSystemTesterDlg>([](QxSimpleSystemTesterDlg* d) {
                d->CallAfter([d] { ModalScript::press(d, d->selectSymbolButton()->GetId()); });
            })
            .when<QxSymbolSelectionDlg>([this](QxSymbolSelectionDlg* s) { chooseSecurity(s, "NVDA"); })
            .when<QxSimpleSystemTesterDlg>([](QxSimpleSystemTesterDlg* d) {
                d->startPicker()->SetValue(wxDateTime(1, wxDateTime::Jan, 2001));
                d->endPicker()->SetValue(wxDateTime(31, wxDateTime::Dec, 2014));
                d->stopLossField()->ChangeValue("15");
                EXPECT_TRUE(TestSupport::saveWindowShot(d, "system_tester_dialog_filled.png"));
                ModalScript::press(d, wxID_OK);
            });
        wxCommandEvent command(wxEVT_MENU, 30008);
        command.SetEventObject(home);
        home->ProcessWindowEvent(command);
        EXPECT_EQ(user.pending(), 0u);
    }
    EXPECT_TRUE(boxes.texts().empty());

    QxSimpleSystemTestReportView* view = reportView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetTitle(), "Corvane Trendoria 2014 [Simple System Test Report]");
    EXPECT_TRUE(view->GetIcons().GetIconCount() > 0);
    EXPECT_EQ(view->GetSize(), wxSize(1000, 760));

    // The page is what the simulation writes for these choices.
    {
        QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(nvda, Qx::eDaily));
        QxObjectSmartPtr<QxTradingSystem> system = QxTradingSystemMgr::getInstance(true)->getSystem(QxAtom("SMA 50-200 Cross"));
        QxSimpleTestParams p;
        p.startDate = makeTimestamp(1, 1, 2001);
        p.endDate = makeTimestamp(31, 12, 2014);
        p.stopLoss = 0.15;
        p.stopErosion = 0.20;
        p.systemName = "SMA 50-200 Cross";
        p.ticker = "NVDA";
        QxSimpleTestResult expected;
        ASSERT_TRUE(simulateSimpleSystemTest(
            *calc->prices(Qx::eDaily, false),
            [&](unsigned mask, unsigned bar) { return system->evaluate(mask, calc.get(), bar); }, p, expected));
        EXPECT_GE(expected.trades.size(), 3u) << "the fixture's crosses trade";
        EXPECT_EQ(view->reportText(), expected.report);
    }

    wxWebView* web = view->webView();
    ASSERT_NE(web, nullptr) << "a web engine is installed";
    ASSERT_TRUE(pumpUntil([&] { return view->pageLoaded(); }));
    EXPECT_EQ(script(web, "document.title"), "Trendoria Simple System Test Report");
    EXPECT_EQ(script(web, "document.querySelector('h1').textContent"), " Analysis of 'SMA 50-200 Cross' for NVDA");
    framestest::pump(300);
    EXPECT_TRUE(TestSupport::saveWindowShot(view, "system_test_report.png"));
    web->RunScript("window.scrollTo(0, document.body.scrollHeight);");
    framestest::pump(300);
    EXPECT_TRUE(TestSupport::saveWindowShot(view, "system_test_report_summary.png"));

    // Show Chart opens a daily chart of the tested security.
    const size_t charts = chartFrames().size();
    clickLink(web, "command:ShowChart");
    ASSERT_TRUE(pumpUntil([&] { return chartFrames().size() == charts + 1; }));
    EXPECT_TRUE(chartFrames().back()->GetTitle().Contains("NVIDIA Corporation"));
    closeAll(chartFrames());

    // Export as HTML writes the report's bytes, as they are.
    const std::string path = TestSupport::makeTempDir("export") + "/Test Report.html";
    wxString message, name, wildcard;
    qxSetFileChooserResponder([&](wxFileDialog& d) {
        message = d.GetMessage();
        name = d.GetFilename();
        wildcard = d.GetWildcard();
        return wxString::FromUTF8(path);
    });
    clickLink(web, "command:ExportHTML");
    const bool exported = pumpUntil([&] { return std::filesystem::exists(path); });
    qxSetFileChooserResponder(nullptr);
    ASSERT_TRUE(exported);
    EXPECT_EQ(message, "Export Simple Test Report");
    EXPECT_EQ(name, "Test Report");
    EXPECT_EQ(wildcard, "HTML File (*.html)|*.html");
    EXPECT_EQ(tradingtest::readFile(path), view->reportText());

    // Any other address leaves the page as it is; so does a command in other letter case.
    web->RunScript("window.location.href = 'https://example.invalid/';");
    const wxString other[] = {"command:showchart", "https://example.invalid/", "about:blank", "file:///etc/passwd"};
    for (const wxString& url : other)
        EXPECT_FALSE(view->allowNavigation(url)) << url;
    framestest::pump(500);
    EXPECT_EQ(script(web, "location.href"), "about:blank");
    EXPECT_EQ(script(web, "document.title"), "Trendoria Simple System Test Report");
    EXPECT_TRUE(chartFrames().empty());
    EXPECT_TRUE(boxes.texts().empty());

    closeAll({view, home});
}

TEST_F(SystemTesterTest, ReportFrameWithoutAWebEngineAndItsFailures)
{
    QxGlobalVars& globals = QxGlobalVars::get();
    globals.simpleSystemTestReportFrameSize = wxSize(700, 500);
    globals.simpleSystemTestReportFrameIsMaximized = false;
    const std::string page = "<html><title>Trendoria Simple System Test Report</title><body>"
                             "<a href='command:ShowChart'>Show Chart</a> <a href='http://example.invalid/'>away</a>"
                             " Gr\xC3\xB6\xC3\x9F" "e</body></html>\n";
    QxSimpleSystemTestReportView::setWebViewEnabled(false);
    auto* view = new QxSimpleSystemTestReportView(nvda->id(), Qx::eDaily, page);
    QxSimpleSystemTestReportView::setWebViewEnabled(true);
    view->Show();
    framestest::pump(100);
    ASSERT_NE(view->htmlWindow(), nullptr);
    EXPECT_EQ(view->webView(), nullptr);
    EXPECT_EQ(view->GetSize(), wxSize(700, 500));
    EXPECT_EQ(view->htmlWindow()->ToText().Trim(), wxString::FromUTF8("Show Chart away Gr\xC3\xB6\xC3\x9F" "e"));

    auto followLink = [view](const char* href) {
        wxHtmlLinkEvent event(view->htmlWindow()->GetId(), wxHtmlLinkInfo(href));
        event.SetEventObject(view->htmlWindow());
        view->htmlWindow()->ProcessWindowEvent(event);
        framestest::pump(100);
    };
    followLink("http://example.invalid/");
    EXPECT_TRUE(view->htmlWindow()->GetOpenedPage().empty()) << "the window stays on the report";
    EXPECT_TRUE(chartFrames().empty());
    followLink("command:ShowChart");
    ASSERT_EQ(chartFrames().size(), 1u);
    closeAll(chartFrames());
    // The shared menu's Open command is Show Chart here.
    wxCommandEvent open(wxEVT_MENU, wxID_OPEN);
    open.SetEventObject(view);
    view->ProcessWindowEvent(open);
    EXPECT_EQ(chartFrames().size(), 1u);
    closeAll(chartFrames());

    // A security gone from the database opens nothing.
    auto* orphan = new QxSimpleSystemTestReportView(4242, Qx::eDaily, page);
    orphan->showChart();
    framestest::pump(50);
    EXPECT_TRUE(chartFrames().empty());

    // The frame's size is kept for the next one.
    view->SetSize(wxSize(820, 610));
    framestest::pump(200);
    EXPECT_FALSE(globals.simpleSystemTestReportFrameIsMaximized);
    EXPECT_EQ(globals.simpleSystemTestReportFrameSize, wxSize(820, 610));

    // Export failures: a place where no file can be made, and a write that fails midway.
    TestSupport::MessageBoxes boxes;
    const std::string dir = TestSupport::makeTempDir("export-fail");
    std::filesystem::create_directory(dir + "/folder.html");
    std::string target;
    qxSetFileChooserResponder([&target](wxFileDialog&) { return wxString::FromUTF8(target); });
    struct Case {
        const char* what;
        std::string path;
        rlim_t fileSizeLimit;
        const char* message;
    } cases[] = {
        {"missing folder", dir + "/missing/report.html", RLIM_INFINITY,
         "An error occurred while opening file for write."},
        {"a folder at the path", dir + "/folder.html", RLIM_INFINITY, "An error occurred while opening file for write."},
        {"the disk refuses the bytes", dir + "/report.html", 16,
         "An error occurred while writing the file. The report was not saved."},
        {"written", dir + "/report.html", RLIM_INFINITY, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        target = c.path;
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limited = old;
        limited.rlim_cur = c.fileSizeLimit;
        const size_t messagesBefore = boxes.texts().size();
        auto* previous = std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a killed process
        setrlimit(RLIMIT_FSIZE, &limited);
        view->exportReport();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
        if (c.message) {
            ASSERT_EQ(boxes.texts().size(), messagesBefore + 1);
            EXPECT_EQ(boxes.texts().back(), c.message);
            EXPECT_FALSE(std::filesystem::is_regular_file(c.path));
        } else {
            EXPECT_EQ(boxes.texts().size(), messagesBefore);
            EXPECT_EQ(tradingtest::readFile(c.path), page);
        }
        size_t leftovers = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            leftovers += entry.path().filename() != "report.html" && entry.path().filename() != "folder.html";
        EXPECT_EQ(leftovers, 0u) << "no temporary file stays behind";
    }
    qxSetFileChooserResponder(nullptr);
    closeAll({view, orphan});
}
