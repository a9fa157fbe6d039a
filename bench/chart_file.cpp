// Saving and opening a chart file of the ~5,000-bar ORCL history with three
// indicator zones and 2,000 trend lines: the time of one save (document
// built, zipped and written through a temporary file) and of one open
// (archive read, document parsed, zones read into a new chart; the database
// look-up and the window are left out). The baseline is the same document
// written and read as plain XML without the archive. Needs a display (run
// under xvfb-run).
#include "app/QxIndicatorRegistry.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxTemplate.h"
#include "chart/QxZone.h"
#include "chartframe/QxChartDocument.h"
#include "chartview/QxLineAnnot.h"
#include "bench/BenchOrcl.h"
#include "core/QxErrorCode.h"
#include "core/QxIndicator.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "core/QxXmlFile.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/init.h>
#include <wx/xml/xml.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr unsigned kAnnots = 2000;

using benchorcl::loadHistory;

struct Fixture {
    Fixture()
    {
        QxIndicatorRegistry* registry = QxIndicatorRegistry::instance();
        if (!registry->getIndicator(QxAtom("MACD")))
            registry->addBuiltInIndicators();
        QxTemplate tmpl;
        for (const char* name : {"RSI", "MACD", "STOCH"})
            if (const QxIndicator* prototype = registry->getIndicator(QxAtom(name)))
                (void)tmpl.addIndicator(prototype->clone(7), tmpl.numIndics()); // refuses only null
        history = loadHistory();
        security = new benchorcl::MemSecurity(history->clone(), 90002);
        chartist = new QxChartist(security.get(), Qx::eDaily, &tmpl);
        QxChart* chart = chartist->getChart();
        const unsigned n = history->numBars();
        for (unsigned i = 0; i < kAnnots; ++i) {
            auto* line = new QxLineAnnot(QxLineAnnot::eTrendLine);
            const unsigned a = (i * 7u) % (n - 50), b = a + 40;
            line->setPoint(0, QxPoint{double(a), history->low()[a]});
            line->setPoint(1, QxPoint{double(b), history->high()[b]});
            chart->getMainZone()->addAnnot(line, Qx::eDaily);
        }
        ok = chart->numZones() == 5 && chartFileHeaderOf(*chartist, header);
        dir = wxFileName::CreateTempFileName("chart_file_bench");
        wxRemoveFile(dir);
        wxMkdir(dir);
    }
    ~Fixture() { wxFileName::Rmdir(dir, wxPATH_RMDIR_RECURSIVE); }
    QxObjectSmartPtr<QxPriceHistory> history;
    QxObjectSmartPtr<benchorcl::MemSecurity> security;
    QxObjectSmartPtr<QxChartist> chartist;
    QxChartFileHeader header;
    wxString dir;
    bool ok = false;
};

Fixture* g_fixture = nullptr;

Fixture& fixture()
{
    if (!g_fixture)
        g_fixture = new Fixture;
    return *g_fixture;
}

void BM_SaveChartFile(benchmark::State& state)
{
    Fixture& f = fixture();
    if (!f.ok) {
        state.SkipWithError("chart not built");
        return;
    }
    const wxString path = f.dir + "/bench.trdc";
    for (auto _ : state) {
        wxXmlDocument doc;
        buildChartDocument(doc, f.header, *f.chartist->getChart());
        if (!writeChartFile(doc, path))
            state.SkipWithError("write failed");
    }
    state.counters["file_kB"] = wxFileName::GetSize(path).ToDouble() / 1024.0;
}
BENCHMARK(BM_SaveChartFile)->Unit(benchmark::kMillisecond);

void BM_OpenChartFile(benchmark::State& state)
{
    Fixture& f = fixture();
    const wxString path = f.dir + "/open.trdc";
    {
        wxXmlDocument doc;
        buildChartDocument(doc, f.header, *f.chartist->getChart());
        if (!writeChartFile(doc, path)) {
            state.SkipWithError("write failed");
            return;
        }
    }
    unsigned annots = 0;
    for (auto _ : state) {
        wxXmlDocument doc;
        QxChartFileHeader header;
        const wxXmlNode* zones = nullptr;
        if (readChartFile(path, doc) != QxChartFileRead::eOk || !parseChartDocument(doc, header, &zones)) {
            state.SkipWithError("read failed");
            return;
        }
        QxObjectSmartPtr<QxChartist> chartist(
            new QxChartist(f.security.get(), static_cast<Qx::QxPeriod>(header.period), nullptr));
        readChartZones(*chartist->getChart(), zoneIndexMap(zones));
        annots = static_cast<unsigned>(chartist->getChart()->getMainZone()->getAnnots(Qx::eDaily).size());
    }
    state.counters["annotations"] = annots;
}
BENCHMARK(BM_OpenChartFile)->Unit(benchmark::kMillisecond);

// Baseline: the same document as plain XML, without the archive.
void BM_PlainXmlSaveAndLoad(benchmark::State& state)
{
    Fixture& f = fixture();
    const wxString path = f.dir + "/plain.xml";
    for (auto _ : state) {
        wxXmlDocument doc;
        buildChartDocument(doc, f.header, *f.chartist->getChart());
        qxSaveXmlFile(doc, path, 2);
        wxXmlDocument back;
        benchmark::DoNotOptimize(back.Load(path, "UTF-8"));
    }
}
BENCHMARK(BM_PlainXmlSaveAndLoad)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    delete g_fixture;
    QxIndicatorRegistry::destroy();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
