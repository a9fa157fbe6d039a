// Save Chart and Open Saved Chart on a running application over a history
// database: a chart with its period, hidden volume, indicator zones and
// annotations comes back as it was saved; damaged or foreign files are
// refused with their message and open nothing; a failed save keeps the file
// that was there.
#include "app/QxGlobalVars.h"
#include "app/QxPluginLoader.h"
#include "support/FramesTestSupport.h"
#include "support/ChartFixtures.h"
#include "support/CompositeChart.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxZone.h"
#include "chartframe/QxChartDocument.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxChartView.h"
#include "chartview/QxLineAnnot.h"
#include "chartview/QxTextAnnot.h"
#include "chartview/QxZigZagPattern.h"
#include "configdlg/QxZiagzagConfigDlg.h"
#include "core/QxCalculator.h"
#include "core/QxCategory.h"
#include "core/QxDataReader.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxDatabase.h"
#include "core/QxIndicator.h"
#include "app/QxIndicatorRegistry.h"
#include "core/QxXmlFile.h"
#include "core/platform/QxFileDialogExt.h"
#include "support/ModalScript.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/ffile.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/msgdlg.h>
#include <wx/sstream.h>
#include <wx/wfstream.h>
#include <wx/xml/xml.h>
#include <wx/zipstrm.h>

#include <wx/dir.h>

#include <set>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using framestest::pump;

namespace {

using TestSupport::historyReader;

wxString fileBytes(const wxString& path)
{
    wxString bytes;
    wxFFile(path, "rb").ReadAll(&bytes, wxConvISO8859_1);
    return bytes;
}

void writeBytes(const wxString& path, const wxString& bytes) { wxFFile(path, "wb").Write(bytes, wxConvISO8859_1); }

void writeZip(const wxString& path, const wxString& entry, const std::string& content)
{
    wxFFileOutputStream file(path, "wb");
    wxZipOutputStream zip(file);
    zip.PutNextEntry(entry);
    zip.Write(content.data(), content.size());
    zip.Close();
}

// Answers file dialogs with a path and message boxes with OK (questions
// with the given answer), recording both.
class Answers : public wxModalDialogHook {
public:
    explicit Answers(wxString path, int question = wxID_OK) : m_path(std::move(path)), m_question(question)
    {
        Register();
        qxSetFileChooserResponder([this](wxFileDialog& dialog) {
            dialogs.push_back(&dialog);
            proposed.push_back(dialog.GetFilename());
            styles.push_back(dialog.GetWindowStyle());
            return m_path;
        });
    }
    ~Answers() override
    {
        qxSetFileChooserResponder(nullptr);
        Unregister();
    }
    std::vector<wxFileDialog*> dialogs;
    std::vector<wxString> proposed;
    std::vector<long> styles;
    std::vector<wxString> messages;

protected:
    int Enter(wxDialog* dialog) override
    {
        auto* box = dynamic_cast<wxMessageDialogBase*>(dialog);
        if (box)
            messages.push_back(box->GetMessage());
        return box && (box->GetMessageDialogStyle() & wxYES_NO) ? m_question : wxID_OK;
    }
    void Exit(wxDialog*) override {}

private:
    wxString m_path;
    int m_question;
};

// The chart drawn into a memory bitmap of a fixed size, from a copy so the
// chart on screen keeps its layout.
wxImage picture(const QxChartist& chartist)
{
    QxObjectSmartPtr<QxChartist> copy(new QxChartist(chartist));
    QxChart* chart = copy->getChart();
    chart->setChartWidth(900);
    // Where the chart was scrolled to is not part of the file.
    chart->setLastVisibleBar(QxChart::kLatestBar);
    wxBitmap bitmap(900, 900);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    chart->display(dc, copy->showLegend());
    dc.SelectObject(wxNullBitmap);
    return bitmap.ConvertToImage();
}

struct ChartFileTest : ::testing::Test {
    static void SetUpTestSuite()
    {
        scoped = new framestest::ScopedApplication;
        QxIndicatorRegistry::instance()->addBuiltInIndicators();
        QxDataReader* reader = historyReader();
        ASSERT_NE(reader, nullptr) << "trddb.trdx did not load";
        const std::string dir = TestSupport::makeTempDir("chartfile");
        int error = 0;
        database = reader->openDatabase(wxString::FromUTF8((dir + "/hist.trddb").c_str()), "", &error);
        ASSERT_NE(database.get(), nullptr) << "error " << error;
        QxObjectSmartPtr<QxCategory> category(database->createCategory("USA.NYSE.EQ", ""));
        ASSERT_NE(category.get(), nullptr);
        QxObjectSmartPtr<QxSecurity> security(category->addSecurity("WLK", "Walker Mills"));
        ASSERT_NE(security.get(), nullptr);
        QxObjectSmartPtr<QxPriceHistory> history(charttest::makeWalk(600));
        ASSERT_EQ(security->saveHistory(history.get()), eNoError);
        securityId = security->id();
        scoped->app().changeDatabase(database);
    }
    static void TearDownTestSuite()
    {
        if (scoped)
            scoped->app().changeDatabase(nullptr);
        database = nullptr;
        delete scoped;
        scoped = nullptr;
    }
    void SetUp() override
    {
        ASSERT_NE(database.get(), nullptr);
        m_saved = QxGlobalVars::get();
        QxGlobalVars& g = QxGlobalVars::get();
        g.chartFrameSize = wxSize(1000, 760);
        g.isChartFrameMaximized = false;
        g.chartFramePerspective.clear();
        framesBefore = QxChartFrame::openFrameCount();
        dir = wxString::FromUTF8(TestSupport::makeTempDir("charts"));
    }
    void TearDown() override
    {
        for (wxWindow* w : wxTopLevelWindows)
            if (auto* f = dynamic_cast<QxChartFrame*>(w); f && !wxPendingDelete.Member(f))
                f->Destroy();
        pump(100);
        EXPECT_EQ(QxChartFrame::openFrameCount(), framesBefore);
        QxGlobalVars& g = QxGlobalVars::get();
        g.chartFrameSize = m_saved.chartFrameSize;
        g.isChartFrameMaximized = m_saved.isChartFrameMaximized;
        g.chartFramePerspective = m_saved.chartFramePerspective;
    }

    QxChartView* openSecurity()
    {
        QxChartView* view = QxChartView::createChartView(securityId, Qx::eDaily, Qx::ePriceCandles, nullptr);
        pump(150);
        return view;
    }
    static void command(QxChartFrame* frame, int id, bool checked = false)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetInt(checked ? 1 : 0);
        event.SetEventObject(frame);
        frame->ProcessWindowEvent(event);
        pump(30);
    }
    static std::set<QxChartFrame*> liveFrames()
    {
        std::set<QxChartFrame*> out;
        for (wxWindow* w : wxTopLevelWindows)
            if (auto* f = dynamic_cast<QxChartFrame*>(w); f && !wxPendingDelete.Member(f))
                out.insert(f);
        return out;
    }
    // Opens path through Open Saved Chart: the messages shown and the view
    // opened (null when none).
    std::pair<std::vector<wxString>, QxChartView*> open(const wxString& path)
    {
        const std::set<QxChartFrame*> before = liveFrames();
        Answers answers(path);
        QxChartFrame::openChartFile();
        pump(150);
        QxChartView* view = nullptr;
        for (QxChartFrame* f : liveFrames())
            if (!before.count(f))
                view = f->getChartView();
        EXPECT_EQ(answers.dialogs.size(), 1u);
        return {answers.messages, view};
    }
    // A saved chart of the security: daily, volume shown.
    wxString savedChart(const wxString& name)
    {
        QxChartView* view = openSecurity();
        EXPECT_NE(view, nullptr);
        Answers answers(dir + "/" + name);
        command(view->getFrame(), 5003);
        EXPECT_TRUE(answers.messages.empty());
        return dir + "/" + name;
    }

    static framestest::ScopedApplication* scoped;
    static QxObjectSmartPtr<QxDatabase> database;
    static unsigned securityId;
    unsigned framesBefore = 0;
    wxString dir;

private:
    QxGlobalVars m_saved;
};

framestest::ScopedApplication* ChartFileTest::scoped = nullptr;
QxObjectSmartPtr<QxDatabase> ChartFileTest::database;
unsigned ChartFileTest::securityId = 0;

using charttest::catalogueIndicator;

} // namespace

TEST_F(ChartFileTest, WeeklyChartWithZonesAndAnnotationsComesBackAsSaved)
{
    QxChartView* view = openSecurity();
    ASSERT_NE(view, nullptr);
    QxChartFrame* frame = view->getFrame();
    QxChartist* chartist = view->getChartist();
    command(frame, 1006); // weekly
    command(frame, 1004, false); // volume hidden
    for (const char* name : {"RSI", "MACD"}) {
        QxObjectSmartPtr<QxIndicator> indicator = catalogueIndicator(name);
        ASSERT_NE(indicator.get(), nullptr) << name;
        ASSERT_EQ(chartist->addIndicator(indicator.get()), eNoError) << name;
    }
    QxChart* chart = chartist->getChart();
    ASSERT_EQ(chart->numZones(), 4u);
    const QxPriceHistory* weekly = chart->getCalc()->prices(Qx::eWeekly, false);
    ASSERT_NE(weekly, nullptr);
    const double last = weekly->numBars() - 1;
    auto* line = new QxLineAnnot(QxLineAnnot::eTrendLine);
    line->setPoint(0, QxPoint{last - 60, weekly->low()[weekly->numBars() - 61]});
    line->setPoint(1, QxPoint{last - 5, weekly->high()[weekly->numBars() - 6]});
    chart->getMainZone()->addAnnot(line, Qx::eWeekly);
    auto* text = new QxTextAnnot("Breakout?");
    text->setPoint(0, QxPoint{last - 30, weekly->high()[weekly->numBars() - 31]});
    chart->getMainZone()->addAnnot(text, Qx::eWeekly);
    chart->getMainZone()->addPattern(new QxZigZagPattern({4.0, wxPen(*wxBLUE, 2, wxPENSTYLE_LONG_DASH)}));
    view->refreshChart();
    pump(150);
    EXPECT_TRUE(framestest::saveWindowShot(frame, "chart_file_saved.png"));

    {
        // Typed without an extension: ".trdc" is added; the ticker is proposed.
        Answers answers(dir + "/weekly");
        command(frame, 5003);
        ASSERT_EQ(answers.dialogs.size(), 1u);
        EXPECT_EQ(answers.proposed[0], "WLK.trdc");
        EXPECT_TRUE(answers.styles[0] & wxFD_OVERWRITE_PROMPT);
        EXPECT_TRUE(answers.messages.empty());
    }
    const wxString path = dir + "/weekly.trdc";
    ASSERT_TRUE(wxFileExists(path));
    {
        wxFFileInputStream file(path, "rb");
        wxZipInputStream zip(file);
        std::unique_ptr<wxZipEntry> entry(zip.GetNextEntry());
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->GetName(), "chart.xml");
        wxXmlDocument doc;
        ASSERT_TRUE(doc.Load(zip, "UTF-8"));
        EXPECT_EQ(std::unique_ptr<wxZipEntry>(zip.GetNextEntry()), nullptr);
        const wxXmlNode* element = doc.GetRoot()->GetChildren();
        EXPECT_EQ(doc.GetRoot()->GetName(), "TrendoriaChart");
        EXPECT_EQ(element->GetAttribute("Category"), "USA.NYSE.EQ");
        EXPECT_EQ(element->GetAttribute("Symbol"), "WLK");
        EXPECT_EQ(element->GetAttribute("Periodicity"), "432000");
        EXPECT_EQ(element->GetAttribute("Volumes"), "Hidden");
        EXPECT_EQ(element->GetAttribute("Style"), "Candle");
        unsigned n = 0;
        for (const wxXmlNode* z = element->GetChildren()->GetChildren(); z; z = z->GetNext(), ++n)
            EXPECT_EQ(z->GetAttribute("Index"), wxString::Format("%u", n));
        EXPECT_EQ(n, 4u);
    }

    const auto [messages, reopened] = open(path);
    EXPECT_TRUE(messages.empty()) << (messages.empty() ? wxString() : messages[0]);
    ASSERT_NE(reopened, nullptr);
    QxChartist* back = reopened->getChartist();
    QxChart* backChart = back->getChart();
    EXPECT_EQ(backChart->getCalc()->currentTimeframe(), Qx::eWeekly);
    EXPECT_FALSE(backChart->isVolZoneVisible());
    EXPECT_EQ(back->getPriceObjType(), Qx::ePriceCandles);
    ASSERT_EQ(backChart->numZones(), 4u);
    for (unsigned i = 2; i < 4; ++i) {
        ASSERT_EQ(backChart->zoneAt(i)->numIndicator(), 1u);
        EXPECT_EQ(backChart->zoneAt(i)->indicatorAt(0)->getName(), chart->zoneAt(i)->indicatorAt(0)->getName());
        EXPECT_EQ(backChart->zoneAt(i)->getTitle(), chart->zoneAt(i)->getTitle());
    }
    EXPECT_EQ(backChart->getMainZone()->getAnnots(Qx::eWeekly).size(), 2u);
    ASSERT_EQ(backChart->getMainZone()->getPatterns().size(), 1u);
    EXPECT_EQ(backChart->getMainZone()->getPatterns()[0]->getDisplayText(), "ZigZag (filter:4.00%)");
    EXPECT_DOUBLE_EQ(backChart->getZoomFactor(), chart->getZoomFactor());
    EXPECT_TRUE(framestest::saveWindowShot(reopened->getFrame(), "chart_file_reopened.png"));

    // Each zone written again gives the same XML.
    for (unsigned i = 0; i < 4; ++i) {
        wxXmlNode a(wxXML_ELEMENT_NODE, "a"), b(wxXML_ELEMENT_NODE, "b");
        chart->zoneAt(i)->toXML(&a);
        backChart->zoneAt(i)->toXML(&b);
        wxXmlDocument da, db;
        da.SetRoot(new wxXmlNode(*a.GetChildren()));
        db.SetRoot(new wxXmlNode(*b.GetChildren()));
        wxStringOutputStream sa, sb;
        da.Save(sa);
        db.Save(sb);
        EXPECT_EQ(std::string(sa.GetString().utf8_str()), std::string(sb.GetString().utf8_str())) << "zone " << i;
    }

    // Drawn the same, pixel for pixel.
    const wxImage before = picture(*chartist);
    const wxImage after = picture(*back);
    ASSERT_EQ(before.GetSize(), after.GetSize());
    before.SaveFile(wxString::FromUTF8(TestSupport::artifactPath("chart_file_before.png")), wxBITMAP_TYPE_PNG);
    after.SaveFile(wxString::FromUTF8(TestSupport::artifactPath("chart_file_after.png")), wxBITMAP_TYPE_PNG);
    EXPECT_EQ(charttest::countOther(before, wxRect(before.GetSize()), *wxWHITE), 
              charttest::countOther(after, wxRect(after.GetSize()), *wxWHITE));
    EXPECT_EQ(0, memcmp(before.GetData(), after.GetData(), size_t(before.GetWidth()) * before.GetHeight() * 3));
}

TEST_F(ChartFileTest, DamagedAndForeignFilesOpenNothing)
{
    const wxString good = savedChart("good.trdc");
    ASSERT_TRUE(wxFileExists(good));
    const wxString bytes = fileBytes(good);
    const wxString corrupt = "Could not open because file supplied appears to be corrupt.";

    writeBytes(dir + "/other.zip", bytes);
    writeBytes(dir + "/cut.trdc", bytes.Left(bytes.length() / 2));
    writeZip(dir + "/capital.trdc", "Chart.xml", "<TrendoriaChart><CHART Category=\"USA.NYSE.EQ\" Symbol=\"WLK\"/></TrendoriaChart>");
    writeZip(dir + "/text.trdc", "chart.xml", "just some text");
    writeZip(dir + "/nocat.trdc", "chart.xml", "<TrendoriaChart><CHART Symbol=\"WLK\"/></TrendoriaChart>");
    writeZip(dir + "/cat.trdc", "chart.xml",
             "<TrendoriaChart><CHART Category=\"USA.NYSE.EQ\" Symbol=\"WLK\" DataProvider=\"Google\"/></TrendoriaChart>");
    writeZip(dir + "/sec.trdc", "chart.xml",
             "<TrendoriaChart><CHART Category=\"USA.NYSE.EQ\" Symbol=\"ZZZ\" DataProvider=\"\"/></TrendoriaChart>");
    writeBytes(dir + "/plain.trdc", "not a zip at all");
    const unsigned before = QxChartFrame::openFrameCount();

    struct Case {
        const char* file;
        wxString message;
    } cases[] = {
        {"missing.trdc", "File does not exist.\nPlease select an existing file."},
        {"other.zip", "Invalid format."},
        {"capital.trdc", corrupt},
        {"cut.trdc", corrupt},
        {"plain.trdc", corrupt},
        {"text.trdc", corrupt},
        {"nocat.trdc", corrupt},
        // The category is there, but bound to no provider.
        {"cat.trdc", "Category USA.NYSE.EQ could not be found."},
        {"sec.trdc", "Security ZZZ could not be found."},
    };
    for (const Case& c : cases) {
        const auto [messages, view] = open(dir + "/" + c.file);
        EXPECT_EQ(messages, std::vector<wxString>{c.message}) << c.file;
        EXPECT_EQ(view, nullptr) << c.file;
        EXPECT_EQ(QxChartFrame::openFrameCount(), before) << c.file;
    }

    // The extension in capitals is the chart extension.
    writeBytes(dir + "/UPPER.TRDC", bytes);
    const auto [messages, view] = open(dir + "/UPPER.TRDC");
    EXPECT_TRUE(messages.empty());
    EXPECT_NE(view, nullptr);
}

TEST_F(ChartFileTest, FailedSaveReportsAndKeepsTheOldFile)
{
    const wxString path = savedChart("kept.trdc");
    const wxString before = fileBytes(path);
    ASSERT_FALSE(before.empty());

    // No folder to write into: the user is told.
    QxChartView* view = openSecurity();
    ASSERT_NE(view, nullptr);
    {
        Answers answers(dir + "/no/such/folder/x.trdc");
        command(view->getFrame(), 5003);
        ASSERT_EQ(answers.messages.size(), 1u);
        EXPECT_EQ(answers.messages[0], "Failed to save chart to \"" + dir + "/no/such/folder/x.trdc\": "
                                       "no file can be made in the folder \"" + dir + "/no/such/folder\" "
                                       "(No such file or directory).");
    }
    // A full disk, at the start or in the middle of the file: said so, and
    // the file that was there is kept.
    for (long long space : {0LL, 10LL, 200LL}) {
        Answers answers(path);
        qxSetWriteSpaceForTests(space);
        command(view->getFrame(), 5003);
        qxSetWriteSpaceForTests(-1);
        ASSERT_EQ(answers.messages.size(), 1u) << space;
        EXPECT_EQ(answers.messages[0],
                  "Failed to save chart to \"" + path + "\": writing the file failed (No space left on device).")
            << space;
        EXPECT_EQ(fileBytes(path), before) << space;
    }

    // A write-protected folder, written as an ordinary user (the superuser
    // writes anywhere): refused, the old file byte for byte as it was.
    QxChartFileHeader header;
    ASSERT_TRUE(chartFileHeaderOf(*view->getChartist(), header));
    wxXmlDocument doc;
    buildChartDocument(doc, header, *view->getChartist()->getChart());
    const std::string home = TestSupport::homeDir();
    const std::string folder(dir.utf8_str());
    for (std::string d = folder; d.size() >= home.size(); d = d.substr(0, d.rfind('/')))
        chmod(d.c_str(), 0755);
    chmod(folder.c_str(), 0555);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(10);
        _exit(writeChartFile(doc, path) ? 11 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    chmod(folder.c_str(), 0755);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10 setuid, 11 written";
    EXPECT_EQ(fileBytes(path), before);
    wxArrayString left;
    wxDir::GetAllFiles(dir, &left, "*", wxDIR_FILES | wxDIR_HIDDEN);
    EXPECT_EQ(left.size(), 1u);
}

// A chart that has a file asks, when it is closed after a change, whether to
// save it; Cancel keeps it open, No closes it leaving the file as it was,
// Yes writes the change. Unchanged, or without a file, it closes at once.
TEST_F(ChartFileTest, ClosingAChangedChartAsksWhetherToSaveIt)
{
    QxChartView* fresh = openSecurity();
    ASSERT_NE(fresh, nullptr);
    fresh->getChartist()->addIndicator(catalogueIndicator("RSI").get());
    {
        Answers answers(wxString(), wxID_CANCEL);
        EXPECT_TRUE(fresh->getFrame()->Close());
        EXPECT_TRUE(answers.messages.empty());
    }
    const wxString path = savedChart("asked.trdc");
    for (QxChartFrame* f : liveFrames()) {
        Answers answers(wxString(), wxID_CANCEL);
        EXPECT_FALSE(f->hasUnsavedChanges());
        EXPECT_TRUE(f->Close()); // just saved: nothing to ask
        EXPECT_TRUE(answers.messages.empty());
    }
    pump(100);
    const wxString saved = fileBytes(path);

    // Opened, laid out and shown, it has nothing to save.
    QxChartView* view = open(path).second;
    ASSERT_NE(view, nullptr);
    QxChartFrame* frame = view->getFrame();
    EXPECT_EQ(frame->chartFile(), path);
    pump(200);
    EXPECT_FALSE(frame->hasUnsavedChanges());
    auto* text = new QxTextAnnot("Look here");
    text->setPoint(0, QxPoint{500, 50});
    view->getChartist()->getChart()->getMainZone()->addAnnot(text, Qx::eDaily);
    view->refreshChart();
    pump(100);
    EXPECT_TRUE(frame->hasUnsavedChanges());

    const wxString question = "The chart has changed since it was saved to \"asked.trdc\".\nSave the changes?";
    {
        Answers answers(wxString(), wxID_CANCEL);
        EXPECT_FALSE(frame->Close());
        // Exit asks the same, and Cancel keeps the program running.
        EXPECT_FALSE(frame->mayEndProgram());
        EXPECT_EQ(answers.messages, std::vector<wxString>(2, question));
    }
    pump(50);
    ASSERT_TRUE(liveFrames().count(frame));
    {
        Answers answers(wxString(), wxID_NO);
        EXPECT_TRUE(frame->Close());
        EXPECT_EQ(answers.messages, std::vector<wxString>{question});
    }
    pump(100);
    EXPECT_FALSE(liveFrames().count(frame));
    EXPECT_EQ(fileBytes(path), saved);

    view = open(path).second;
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->getChartist()->getChart()->getMainZone()->getAnnots(Qx::eDaily).empty());
    text = new QxTextAnnot("Kept this time");
    text->setPoint(0, QxPoint{500, 50});
    view->getChartist()->getChart()->getMainZone()->addAnnot(text, Qx::eDaily);
    {
        Answers answers(wxString(), wxID_YES);
        EXPECT_TRUE(view->getFrame()->Close());
        EXPECT_EQ(answers.messages, std::vector<wxString>{question});
    }
    pump(100);
    view = open(path).second;
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->getChartist()->getChart()->getMainZone()->getAnnots(Qx::eDaily).size(), 1u);

    // A save that fails when closing keeps the frame and the change.
    text = new QxTextAnnot("Not on a full disk");
    text->setPoint(0, QxPoint{400, 50});
    view->getChartist()->getChart()->getMainZone()->addAnnot(text, Qx::eDaily);
    {
        Answers answers(wxString(), wxID_YES);
        qxSetWriteSpaceForTests(10);
        EXPECT_FALSE(view->getFrame()->Close());
        qxSetWriteSpaceForTests(-1);
        ASSERT_EQ(answers.messages.size(), 2u);
        EXPECT_TRUE(answers.messages[1].Contains("No space left on device")) << answers.messages[1];
    }
    pump(50);
    EXPECT_TRUE(view->getFrame()->hasUnsavedChanges());
}

// The user's path: the chart of the three composites (an SMA of the highs,
// a BBANDS of the lows, an SMA dropped onto the RSI) with a zig-zag and two
// annotations is saved, changed and closed without saving; reopened it is
// as saved, and so it is after the program is quit and started again.
TEST_F(ChartFileTest, ACompositeChartComesBackAfterCloseAndAfterARestart)
{
    QxChartView* view = openSecurity();
    ASSERT_NE(view, nullptr);
    QxChartFrame* frame = view->getFrame();
    QxObjectSmartPtr<QxChartist> built(view->getChartist());
    charttest::addComposites(*built);
    {
        TestSupport::ModalScript script;
        script.when<QxZiagzagConfigDlg>([](QxZiagzagConfigDlg* d) {
            d->filterField()->SetValue(4.0);
            TestSupport::ModalScript::press(d, wxID_OK);
        });
        command(frame, 1015);
        EXPECT_EQ(script.pending(), 0u);
    }
    QxChart* chart = built->getChart();
    const QxPriceHistory* daily = chart->getCalc()->prices(Qx::eDaily, false);
    ASSERT_NE(daily, nullptr);
    const unsigned n = daily->numBars();
    auto* line = new QxLineAnnot(QxLineAnnot::eTrendLine);
    line->setPoint(0, QxPoint{n - 80.0, daily->low()[n - 80]});
    line->setPoint(1, QxPoint{n - 10.0, daily->high()[n - 10]});
    chart->getMainZone()->addAnnot(line, Qx::eDaily);
    auto* note = new QxTextAnnot("Over the RSI");
    note->setPoint(0, QxPoint{n - 40.0, 40.0});
    chart->zoneAt(chart->numZones() - 1)->addAnnot(note, Qx::eDaily);
    view->refreshChart();
    pump(200);
    EXPECT_TRUE(framestest::saveWindowShot(frame, "composites_built.png"));
    const auto names = charttest::zoneContents(*chart);

    // Saved under a name typed without its extension.
    {
        Answers answers(dir + "/composites");
        command(frame, 5003);
        EXPECT_TRUE(answers.messages.empty());
    }
    const wxString path = dir + "/composites.trdc";
    ASSERT_TRUE(wxFileExists(path));
    const wxString saved = fileBytes(path);
    // Changed, then closed: the question comes, No keeps the file.
    auto* extra = new QxTextAnnot("Not to be kept");
    extra->setPoint(0, QxPoint{n - 20.0, daily->close()[n - 20]});
    chart->getMainZone()->addAnnot(extra, Qx::eDaily);
    {
        Answers answers(wxString(), wxID_NO);
        EXPECT_TRUE(frame->Close());
        ASSERT_EQ(answers.messages.size(), 1u);
        EXPECT_TRUE(answers.messages[0].StartsWith("The chart has changed since it was saved")) << answers.messages[0];
    }
    pump(100);
    EXPECT_EQ(fileBytes(path), saved);
    chart->getMainZone()->getAnnots(Qx::eDaily).pop_back(); // the chart as saved, to compare with

    auto expectAsSaved = [&](QxChartView* back, const char* shot) {
        ASSERT_NE(back, nullptr);
        QxChart* again = back->getChartist()->getChart();
        charttest::expectSameIndicators(*chart, *again);
        EXPECT_EQ(charttest::zoneContents(*again), names);
        EXPECT_EQ(again->getMainZone()->getAnnots(Qx::eDaily).size(), 1u);
        EXPECT_EQ(again->zoneAt(again->numZones() - 1)->getAnnots(Qx::eDaily).size(), 1u);
        ASSERT_EQ(again->getMainZone()->getPatterns().size(), 1u);
        EXPECT_EQ(again->getMainZone()->getPatterns()[0]->getDisplayText(), "ZigZag (filter:4.00%)");
        back->refreshChart();
        pump(200);
        EXPECT_TRUE(framestest::saveWindowShot(back->getFrame(), shot));
        EXPECT_FALSE(back->getFrame()->hasUnsavedChanges());
    };
    {
        const auto [messages, back] = open(path);
        EXPECT_TRUE(messages.empty());
        expectAsSaved(back, "composites_reopened.png");
    }

    // Quit and start again: a new application over the same home.
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* f = dynamic_cast<QxChartFrame*>(w); f && !wxPendingDelete.Member(f))
            f->Close(true);
    pump(200);
    scoped->app().changeDatabase(nullptr);
    delete scoped;
    scoped = new framestest::ScopedApplication;
    QxIndicatorRegistry::instance()->addBuiltInIndicators();
    scoped->app().changeDatabase(database);
    {
        const auto [messages, back] = open(path);
        EXPECT_TRUE(messages.empty());
        expectAsSaved(back, "composites_after_restart.png");
    }
}

// A chart file with a damaged indicator and an annotation of no known kind
// opens with everything else (the other indicator, the drawings, the
// pattern) and says what was left out.
TEST_F(ChartFileTest, ADamagedPartIsLeftOutAndToldTheRestOpens)
{
    QxChartView* view = openSecurity();
    ASSERT_NE(view, nullptr);
    QxChart* chart = view->getChartist()->getChart();
    view->getChartist()->addIndicator(catalogueIndicator("SMA").get());
    auto* line = new QxLineAnnot(QxLineAnnot::eTrendLine);
    line->setPoint(0, QxPoint{500, 40});
    line->setPoint(1, QxPoint{580, 45});
    chart->getMainZone()->addAnnot(line, Qx::eDaily);
    chart->getMainZone()->addPattern(new QxZigZagPattern({3.0, wxPen(*wxBLUE, 2, wxPENSTYLE_SOLID)}));
    QxChartFileHeader header;
    ASSERT_TRUE(chartFileHeaderOf(*view->getChartist(), header));
    wxXmlDocument doc;
    buildChartDocument(doc, header, *chart);
    wxXmlNode* main = doc.GetRoot()->GetChildren()->GetChildren()->GetChildren();
    ASSERT_EQ(main->GetAttribute("Index"), "0");
    for (wxXmlNode* child = main->GetChildren(); child; child = child->GetNext()) {
        if (child->GetName() == "Indicators") {
            wxStringInputStream in(R"(<RSI Index="9"><Drawables><SOLIDLINE Index="0"><Params>
                <DATA Value="0L"/><DATA Value="0L"/></Params></SOLIDLINE></Drawables></RSI>)");
            wxXmlDocument damaged(in);
            child->AddChild(new wxXmlNode(*damaged.GetRoot()));
        } else if (child->GetName() == "Annots") {
            new wxXmlNode(child, wxXML_ELEMENT_NODE, "QxCloudAnnot");
        }
    }
    wxStringOutputStream text;
    ASSERT_TRUE(doc.Save(text, 2));
    writeZip(dir + "/damaged.trdc", "chart.xml", std::string(text.GetString().utf8_str()));

    const auto [messages, back] = open(dir + "/damaged.trdc");
    EXPECT_EQ(messages, std::vector<wxString>{"Some parts of this chart file could not be read and were left out: "
                                              "1 indicator, 1 annotation.\nEverything else was opened. The file "
                                              "itself is unchanged."});
    ASSERT_NE(back, nullptr);
    QxZone* backMain = back->getChartist()->getChart()->getMainZone();
    ASSERT_EQ(backMain->numIndicator(), 2u);
    EXPECT_EQ(backMain->indicatorAt(1)->getDisplayName(), "SMA(30)");
    EXPECT_EQ(backMain->getAnnots(Qx::eDaily).size(), 1u);
    EXPECT_EQ(backMain->getPatterns().size(), 1u);
}
