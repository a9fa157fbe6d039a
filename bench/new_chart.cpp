// New Chart of the ~5,000-bar ORCL history, stored in the history-database
// plug-in: from the chart being asked for (what Return in the security
// picker starts) to a settled chart: the frame with its toolbars shown, the
// chart painted on the screen and no event left waiting.  Every iteration
// opens one chart while the program's first chart stays open, as every
// chart after the first does; the frame is closed outside the timer.
//
// Baseline ("x_plain_frame"): a frame of the same size holding one window
// that paints a bitmap of that size, opened and settled the same way: what
// showing any window costs on this display.  Also "first_chart_ms", the
// first chart the program opened.  Needs a display (run under xvfb-run);
// under Xvfb there is no window manager, as on the test display.
#include "app/QxApplication.h"
#include "app/QxGlobalVars.h"
#include "bench/Baseline.h"
#include "bench/BenchGui.h"
#include "bench/BenchOrcl.h"
#include "bench/BenchPlugins.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxChartView.h"
#include "core/ArtProvider.h"
#include "core/QxCategory.h"
#include "core/QxDatabase.h"
#include "core/QxSecurity.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/utils.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

struct Env {
    std::string dir;
    QxObjectSmartPtr<QxDatabase> db;
    unsigned id = 0;
    double firstChartMs = 0;
    QxChartFrame* firstFrame = nullptr;
};

Env& env()
{
    static Env e;
    return e;
}

// Runs the event loop until nothing is waiting and painted() holds, or a
// few seconds pass.  False when it gave up.
template <class Painted>
bool settle(Painted&& painted)
{
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::seconds(5);
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    for (;;) {
        bool busy = false;
        // Idle handlers may ask for more; the toolkit's own events come in
        // from the display connection.
        while (loop && loop->Pending()) {
            loop->Dispatch();
            busy = true;
        }
        if (wxTheApp->HasPendingEvents()) {
            wxTheApp->ProcessPendingEvents();
            busy = true;
        }
        if (wxTheApp->ProcessIdle())
            busy = true;
        if (!busy && painted())
            return true;
        if (Clock::now() > end)
            return false;
        if (!busy)
            wxMilliSleep(0);
    }
}

// The chart's frame once its view has painted on the screen.
QxChartFrame* openChart(bool& ok)
{
    // Held by the handler too: the view paints again after this returns.
    auto painted = std::make_shared<bool>(false);
    const QxGlobalVars& globals = QxGlobalVars::get();
    QxChartView* view = QxChartView::createChartView(
        env().id, Qx::eDaily, static_cast<Qx::QxPriceObjType>(globals.priceObjType), globals.defaultTemplate.get());
    if (!view) {
        ok = false;
        return nullptr;
    }
    view->Bind(wxEVT_PAINT, [painted](wxPaintEvent& event) {
        *painted = true;
        event.Skip();
    });
    ok = settle([&] { return *painted; });
    return view->getFrame();
}

void closeFrame(wxFrame* frame)
{
    frame->Destroy();
    settle([] { return true; });
}

// A frame of the chart frame's size with a window painting one bitmap.
class PlainFrame : public wxFrame {
public:
    explicit PlainFrame(const wxSize& size) : wxFrame(nullptr, wxID_ANY, "Plain", wxDefaultPosition, size)
    {
        m_window = new wxWindow(this, wxID_ANY);
        m_window->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxPaintDC dc(m_window);
            const wxSize client = m_window->GetClientSize();
            if (!m_bitmap.IsOk() || m_bitmap.GetSize() != client)
                m_bitmap = wxBitmap(std::max(1, client.x), std::max(1, client.y));
            dc.DrawBitmap(m_bitmap, 0, 0, false);
            painted = true;
        });
        Show();
    }
    bool painted = false;

private:
    wxWindow* m_window;
    wxBitmap m_bitmap;
};

void BM_NewChart(benchmark::State& state)
{
    if (!env().firstFrame) {
        state.SkipWithError("the first chart did not open");
        return;
    }
    const wxSize size = env().firstFrame->GetSize();
    Baseline baseline("plain_frame");
    int failures = 0;
    for (auto _ : state) {
        QxChartFrame* frame = nullptr;
        baseline.measured([&] {
            bool ok = false;
            frame = openChart(ok);
            failures += !ok;
        });
        state.PauseTiming();
        if (frame)
            closeFrame(frame);
        state.ResumeTiming();
        PlainFrame* plain = nullptr;
        baseline.baseline(state, [&] {
            plain = new PlainFrame(size);
            if (!settle([&] { return plain->painted; }))
                ++failures;
        });
        state.PauseTiming();
        closeFrame(plain);
        state.ResumeTiming();
    }
    if (failures)
        state.SkipWithError("a chart or frame did not settle");
    state.counters["first_chart_ms"] = env().firstChartMs;
    state.counters["frame_w"] = size.x;
    state.counters["frame_h"] = size.y;
    baseline.reportTime(state);
}
BENCHMARK(BM_NewChart)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(3);

} // namespace

int main(int argc, char** argv)
{
    const std::string home = startBenchmarkGui(argc, argv, "new-chart-bench");
    if (home.empty())
        return 1;
    wxAppConsole* toolkitApp = wxApp::GetInstance();
    auto* app = new QxApplication;
    wxArtProvider::Push(new ArtProvider(wxString::FromUTF8(TRENDORIA_BIN_DIR "/artworks")));

    // The program runs its events in a loop of the toolkit's.
    wxGUIEventLoop loop;
    wxEventLoopActivator activate(&loop);
    benchLoadPlugin("trddb");
    Env& e = env();
    e.db = benchScratchDatabase("new-chart-bench", e.dir);
    QxObjectSmartPtr<QxCategory> category(e.db->createCategory("USA.NYSE.EQ", ""));
    QxObjectSmartPtr<QxSecurity> security(category ? category->addSecurity("ORCL", "Oracle") : nullptr);
    QxObjectSmartPtr<QxPriceHistory> history(benchorcl::loadHistory());
    if (!security || security->saveHistory(history.get()) != eNoError) {
        std::fprintf(stderr, "cannot store the ORCL history\n");
        return 1;
    }
    e.id = security->id();
    app->changeDatabase(e.db);

    // The first chart since the start: kept open while the others open.
    {
        const auto start = std::chrono::steady_clock::now();
        bool ok = false;
        e.firstFrame = openChart(ok);
        e.firstChartMs = 1000.0 * std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!ok)
            e.firstFrame = nullptr;
    }
    benchmark::RunSpecifiedBenchmarks();
    if (e.firstFrame)
        closeFrame(e.firstFrame);
    app->changeDatabase(nullptr);
    security = nullptr;
    category = nullptr;
    e.db = nullptr;
    delete app;
    wxApp::SetInstance(toolkitApp);
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(home, ec);
    std::filesystem::remove_all(e.dir, ec);
    return 0;
}
