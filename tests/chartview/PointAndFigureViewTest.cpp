// Point-and-figure charts opened on a real history database under the
// virtual display: the command of the home frame, the painted columns, the
// frame's menus, zoom and saved size, annotations, and the parameters
// dialog.
#include "app/QxGatewayFrame.h"
#include "app/QxGlobalVars.h"
#include "support/FramesTestSupport.h"
#include "chartframe/QxAnnotToolBar.h"
#include "chartframe/QxChartGeneralToolbar.h"
#include "chartframe/QxGraphicPropsToolbar.h"
#include "chartview/QxAnnot.h"
#include "chartview/QxPointAndFigureConfigDlg.h"
#include "chartview/QxPointAndFigureFrame.h"
#include "chartview/QxPointAndFigureView.h"
#include "support/Fixtures.h"
#include "core/QxCategory.h"
#include "core/QxDataReader.h"
#include "core/QxPriceHistory.h"
#include "core/platform/wxConfigEx.h"
#include "support/ModalScript.h"
#include "support/TestSupport.h"

#include "RenderedView.h"
#include "ScratchDatabase.h"
#include "SecurityChoice.h"

#include <gtest/gtest.h>

#include <wx/clrpicker.h>
#include <wx/dcmemory.h>

#include <algorithm>

using framestest::pump;
using TestSupport::ModalScript;

namespace {

QxPriceHistory* dailyBars(size_t n, const std::function<void(size_t, double&, double&, double&)>& bar)
{
    auto* h = new QxPriceHistory(Qx::eStock, Qx::eDaily);
    h->resize(unsigned(n));
    wxDateTime day(3, wxDateTime::Jan, 1995);
    for (size_t i = 0; i < n; ++i) {
        while (day.GetWeekDay() == wxDateTime::Sat || day.GetWeekDay() == wxDateTime::Sun)
            day += wxDateSpan::Day();
        double high = 0, low = 0, close = 0;
        bar(i, high, low, close);
        h->timestamp()[i] = makeTimestamp(day.GetDay(), day.GetMonth() + 1, day.GetYear());
        h->open()[i] = close;
        h->high()[i] = high;
        h->low()[i] = low;
        h->close()[i] = close;
        h->volume()[i] = 1e6;
        day += wxDateSpan::Day();
    }
    return h;
}

struct PnfViewFixture : ::testing::Test {
    static void SetUpTestSuite()
    {
        scratch.open("pnfview");
        database = scratch.database;
        ASSERT_NE(database.get(), nullptr);
        const TestSupport::OhlcvFixture f = TestSupport::loadOhlcvFixture("orcl-1995-2014.csv");
        orclId = scratch.add("ORCL", "Oracle Corp", dailyBars(f.size(), [&](size_t i, double& h, double& l, double& c) {
            h = f.high[i];
            l = f.low[i];
            c = f.close[i];
        }));
        // One rising column from 10 to 600: far more levels than one
        // picture can be tall at the largest zoom.
        climbId = scratch.add("CLMB", "Steady Climb", dailyBars(600, [](size_t i, double& h, double& l, double& c) {
            c = 10.0 + double(i);
            h = c + 0.5;
            l = c - 0.5;
        }));
        // A rise from 10 to 219 in steps of 1.
        riseId = scratch.add("RISE", "Cent Rise", dailyBars(210, [](size_t i, double& h, double& l, double& c) {
            c = 10.0 + double(i);
            h = c + 0.5;
            l = std::max(10.0, c - 0.5);
        }));
        emptyId = scratch.add("NIL", "Empty Holdings", nullptr);
        ASSERT_TRUE(orclId && climbId && emptyId && riseId);
        scratch.publish();
    }
    static void TearDownTestSuite()
    {
        database = nullptr;
        scratch.close();
    }
    void SetUp() override
    {
        ASSERT_NE(database.get(), nullptr);
        saved = QxGlobalVars::get();
        QxGlobalVars::get().pnfFrameSize = wxSize(1000, 700);
        QxGlobalVars::get().isPnfFrameMaximized = false;
        wxConfigEx::get().DeleteGroup("/preferences/pnf_config");
        QxPnf::currentParams() = QxPointAndFigureParam();
    }
    void TearDown() override
    {
        for (wxWindow* w : wxTopLevelWindows)
            if (dynamic_cast<QxPointAndFigureFrame*>(w) || dynamic_cast<QxGatewayFrame*>(w))
                w->Destroy();
        pump(100);
        QxGlobalVars::get().pnfFrameSize = saved.pnfFrameSize;
        QxGlobalVars::get().isPnfFrameMaximized = saved.isPnfFrameMaximized;
        wxConfigEx::get().DeleteGroup("/preferences/pnf_config");
        QxPnf::currentParams() = QxPointAndFigureParam();
    }

    static QxPointAndFigureView* open(unsigned id)
    {
        QxObjectSmartPtr<QxSecurity> security(database->getSecurity(id));
        QxPointAndFigureView* view = QxPointAndFigureView::create(security.get());
        pump(100);
        return view;
    }

    static void command(wxWindow* frame, int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(frame);
        frame->ProcessWindowEvent(event);
    }
    static bool enabled(wxWindow* frame, int id)
    {
        wxUpdateUIEvent event(id);
        event.SetEventObject(frame);
        frame->ProcessWindowEvent(event);
        return !event.GetSetEnabled() || event.GetEnabled();
    }
    static bool checked(wxWindow* frame, int id)
    {
        wxUpdateUIEvent event(id);
        event.SetEventObject(frame);
        frame->ProcessWindowEvent(event);
        return event.GetSetChecked() && event.GetChecked();
    }

    // Pixels of exactly this colour in the picture.
    static int count(const wxImage& img, const wxColour& colour)
    {
        int n = 0;
        for (int y = 0; y < img.GetHeight(); ++y)
            for (int x = 0; x < img.GetWidth(); ++x)
                if (img.GetRed(x, y) == colour.Red() && img.GetGreen(x, y) == colour.Green() &&
                    img.GetBlue(x, y) == colour.Blue())
                    ++n;
        return n;
    }


    static void mouse(QxPointAndFigureView* view, wxEventType type, const wxPoint& at, bool leftDown)
    {
        wxMouseEvent e(type);
        e.SetPosition(at);
        e.SetLeftDown(leftDown);
        e.SetEventObject(view);
        view->ProcessWindowEvent(e);
    }
    static void click(QxPointAndFigureView* view, const wxPoint& at)
    {
        mouse(view, wxEVT_MOTION, at, false);
        mouse(view, wxEVT_LEFT_DOWN, at, true);
        mouse(view, wxEVT_LEFT_UP, at, false);
    }

    static ScratchDatabase scratch;
    static QxObjectSmartPtr<QxDatabase> database;
    static unsigned orclId, climbId, emptyId, riseId;
    QxGlobalVars saved;
};
ScratchDatabase PnfViewFixture::scratch;
QxObjectSmartPtr<QxDatabase> PnfViewFixture::database;
unsigned PnfViewFixture::orclId = 0;
unsigned PnfViewFixture::climbId = 0;
unsigned PnfViewFixture::emptyId = 0;
unsigned PnfViewFixture::riseId = 0;

const wxColour kRising(0, 127, 0);
const wxColour kFalling(127, 0, 0);

} // namespace

TEST_F(PnfViewFixture, TheHomeFramesCommandOpensTheChosenSecurity)
{
    auto* home = new QxGatewayFrame();
    EXPECT_EQ(runCommandChoosing(home, 30000, database.get(), orclId), orclId);
    QxPointAndFigureFrame* frame = nullptr;
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* f = dynamic_cast<QxPointAndFigureFrame*>(w); f && !f->IsBeingDeleted())
            frame = f;
    ASSERT_NE(frame, nullptr);
    QxPointAndFigureView* view = frame->getView();
    ASSERT_NE(view, nullptr);
    pump(300);
    EXPECT_EQ(frame->GetTitle(), "Corvane Trendoria 2014 [Oracle Corp]");
    EXPECT_TRUE(frame->IsShown());

    QxPointAndFigure& pnf = view->getPointAndFigure();
    EXPECT_EQ(pnf.titleText(), "Oracle Corp (3 box reversal P&F chart)");
    EXPECT_EQ(pnf.params(), QxPointAndFigureParam());
    ASSERT_GT(pnf.numColumns(), pnf.visibleColumns());
    EXPECT_EQ(view->getLastVisibleBar(), pnf.numColumns() - 1) << "the newest columns are shown";
    EXPECT_EQ(view->getFirstVisibleBar(), pnf.numColumns() - pnf.visibleColumns());
    EXPECT_EQ(view->horzPos(), view->scrollModel().hMax());
    EXPECT_EQ(view->getVirtualSize().x, pnf.boxPixels() * int(pnf.numColumns()) + 2 * pnf.plotLeft());

    // X and O columns in their colours.
    const wxImage picture = view->getChartBitmap().ConvertToImage();
    EXPECT_GT(count(picture, kRising), 200);
    EXPECT_GT(count(picture, kFalling), 200);
    EXPECT_TRUE(picture.SaveFile(wxString::FromUTF8(TestSupport::artifactPath("pnf-orcl-picture.png")),
                                 wxBITMAP_TYPE_PNG));
    EXPECT_TRUE(framestest::saveWindowShot(frame, "pnf-orcl-frame.png"));
    EXPECT_EQ(framestest::dockedToolbarFaults(view), std::vector<std::string>());

    // The frame's menus: its own at 1, the basic annotation tools at 2.
    wxMenuBar* bar = frame->GetMenuBar();
    EXPECT_EQ(bar->GetMenuLabel(1), "&Point and Figure");
    EXPECT_EQ(bar->GetMenuLabel(2), "&Annotations");
    EXPECT_EQ(bar->GetMenu(1)->FindItemByPosition(0)->GetId(), 1000);
    EXPECT_EQ(frame->zoomMenu()->FindItem(1018)->GetItemLabel(), "Zoom &In\tCtrl++");
    EXPECT_EQ(frame->zoomMenu()->FindItem(1022)->GetHelp(), "Sets zoom level to minimum");
    EXPECT_TRUE(frame->annotationMenu()->FindItem(31015));
    EXPECT_FALSE(frame->annotationMenu()->FindItem(31012)) << "no advanced tools";
    EXPECT_FALSE(frame->annotationToolbar()->FindTool(31016)) << "no snap";
    for (const char* pane :
         {"Chart_general", "Zoom_Width", "Chart Graphics", "Annots", "Pro Tools", "Point and Figure View"})
        EXPECT_TRUE(frame->auiManager().GetPane(pane).IsOk()) << pane;
    EXPECT_FALSE(frame->chartGeneralToolbar()->FindTool(5003)) << "no save tool";
    EXPECT_TRUE(frame->GetIcon().IsOk());
}

TEST_F(PnfViewFixture, ZoomPresetsStepsAndTheLimitsOfThePicture)
{
    QxPointAndFigureView* view = open(orclId);
    ASSERT_NE(view, nullptr);
    QxPointAndFigureFrame* frame = view->getFrame();
    QxPointAndFigure& pnf = view->getPointAndFigure();
    EXPECT_EQ(pnf.boxPixels(), 20);
    const struct {
        int command;
        int pixels;
        bool zoomOut;
    } steps[] = {
        {1021, 2, false}, // Maximum Zoom Out
        {1019, 2, false}, // a key press past the disabled item changes nothing
        {1018, 4, true},
        {1022, 80, true}, // Maximum Zoom In
        {1018, 82, true}, // no upper limit while the picture fits
        {1019, 80, true},
        {1020, 20, true}, // Normal
    };
    for (const auto& s : steps) {
        command(frame, s.command);
        if (s.command == 1021) {
            EXPECT_TRUE(framestest::saveWindowShot(frame, "pnf-orcl-zoomed-out.png"));
        }
        EXPECT_EQ(pnf.boxPixels(), s.pixels) << s.command;
        EXPECT_EQ(enabled(frame, 1019), s.zoomOut) << s.command;
        EXPECT_TRUE(enabled(frame, 1018));
    }

    // A picture taller than any bitmap takes every zoom: the bitmap holds
    // what the window shows and the rest is painted as it comes into view.
    QxPointAndFigureView* tall = open(climbId);
    ASSERT_NE(tall, nullptr);
    QxPointAndFigure& climb = tall->getPointAndFigure();
    ASSERT_EQ(climb.numColumns(), 1u);
    EXPECT_EQ(climb.boxPixels(), 20);
    command(tall->getFrame(), 1022);
    EXPECT_EQ(climb.boxPixels(), 80);
    command(tall->getFrame(), 1018);
    EXPECT_EQ(climb.boxPixels(), 82) << "Zoom In zooms";
    EXPECT_GT(climb.virtualHeight(), 32767);
    pump(100);
    EXPECT_EQ(tall->getChartBitmap().GetSize(), tall->GetClientSize());
    // Zoom In goes only as far as a column fits the plot and the picture's
    // height can be scrolled.
    const int largest = climb.chartWidth() - 2 * climb.plotLeft();
    ASSERT_GT(largest, 82);
    ASSERT_TRUE(tall->canShowBoxPixels(largest));
    ASSERT_FALSE(tall->canShowBoxPixels(largest + 2));
    climb.setBoxPixels(largest);
    tall->refreshChart();
    pump(50);
    EXPECT_FALSE(enabled(tall->getFrame(), 1018)) << "no zoom beyond what can be shown";
    command(tall->getFrame(), 1018);
    EXPECT_EQ(climb.boxPixels(), largest);
    EXPECT_TRUE(enabled(tall->getFrame(), 1019));
}

// Boxes of a cent over a rise from 10 to 219: each price has its level,
// the picture is far taller than a bitmap, and its lowest boxes are drawn
// when the window is scrolled down to them.
TEST_F(PnfViewFixture, BoxesOfACentDrawEveryColumnDownToTheLowest)
{
    QxPointAndFigureView* view = open(riseId);
    ASSERT_NE(view, nullptr);
    QxPointAndFigure& pnf = view->getPointAndFigure();
    QxPointAndFigureParam cents;
    cents.minAbsBoxSize = 0.01;
    cents.minPercChange = 0.0;
    cents.nBoxReversal = 3;
    pnf.setParams(cents);
    view->refreshChart();
    pump(100);
    ASSERT_EQ(pnf.numColumns(), 1u);
    EXPECT_FALSE(pnf.tooManyLevels());
    ASSERT_GT(pnf.levelY().size(), 20000u) << "a level for every cent from 10 to 219";
    EXPECT_NEAR(pnf.levelY().begin()->first, 10.0, 0.011);
    EXPECT_NEAR(pnf.levelY().rbegin()->first, 219.5, 0.011);
    EXPECT_GT(pnf.virtualHeight(), 32767);
    EXPECT_EQ(pnf.boxPixels(), 20) << "no zoom forced on the user";

    auto shown = [&] {
        pump(50);
        wxBitmap screen(view->GetClientSize());
        {
            wxMemoryDC dc(screen);
            view->PrepareDC(dc);
            view->render(dc);
        }
        return screen.ConvertToImage();
    };
    const wxImage top = shown();
    EXPECT_GT(count(top, kRising), 100);
    EXPECT_TRUE(framestest::saveWindowShot(view->getFrame(), "pnf-cents-top.png"));
    // The lowest box, 10.00, at the foot of the picture.
    view->Scroll(-1, view->getVirtualSize().y);
    pump(100);
    ASSERT_GT(view->vertPos(), 32767);
    EXPECT_EQ(view->bitmapTop(), view->vertPos());
    const wxImage bottom = shown();
    EXPECT_GT(count(bottom, kRising), 100) << "the lowest rows are drawn";
    const int lowestRow = pnf.levelY().begin()->second - view->vertPos();
    EXPECT_GT(lowestRow, 0);
    EXPECT_LE(lowestRow, view->GetClientSize().y);
    EXPECT_TRUE(framestest::saveWindowShot(view->getFrame(), "pnf-cents-bottom.png"));
    EXPECT_TRUE(bottom.SaveFile(wxString::FromUTF8(TestSupport::artifactPath("pnf-cents-bottom-picture.png")),
                                wxBITMAP_TYPE_PNG));
}

TEST_F(PnfViewFixture, ATrendLineIsDrawnAndNewParametersRemoveIt)
{
    QxPointAndFigureView* view = open(orclId);
    ASSERT_NE(view, nullptr);
    QxPointAndFigureFrame* frame = view->getFrame();
    QxPointAndFigure& pnf = view->getPointAndFigure();
    const unsigned columns = pnf.numColumns();

    // The tool from the menu, checked there; two clicks draw the line.
    command(frame, 31000);
    EXPECT_EQ(view->getAnnotTool(), 31000);
    EXPECT_TRUE(checked(frame, 31000));
    EXPECT_FALSE(checked(frame, 31001));
    const wxRect plot(pnf.plotLeft(), pnf.titleHeight(), pnf.plotWidth(), pnf.plotHeight());
    const wxPoint a(plot.x + plot.width / 5, plot.y + plot.height / 4);
    const wxPoint b(plot.x + plot.width * 3 / 5, plot.y + plot.height * 3 / 4);
    click(view, a - wxPoint(0, view->vertPos()));
    click(view, b - wxPoint(0, view->vertPos()));
    ASSERT_EQ(pnf.annotations().size(), 1u);
    QxAnnot* line = pnf.annotations()[0].get();
    EXPECT_EQ(line->getName(), "QxLineAnnot");
    EXPECT_EQ(line->getCalculator(), view->getCalc());
    // Its points are columns and prices: they come back where they were put.
    const QxPoint p0 = line->getPoint(0);
    EXPECT_GE(p0.x, view->getFirstVisibleBar());
    EXPECT_LE(line->getPoint(1).x, view->getLastVisibleBar());
    EXPECT_NEAR(view->chartToDevice(0, p0).x, a.x, pnf.boxPixels() / 2 + 1);
    EXPECT_NEAR(view->chartToDevice(0, p0).y, a.y, 2);

    EXPECT_EQ(line->getPen(), frame->getDefaultPen()) << "the chart-graphics toolbar's pen";
    // The toolbar's colour picker recolours the selected line.
    QxGraphicPropsToolbar* bar = frame->graphicsToolbar();
    const wxColour blue(0, 0, 255);
    bar->colourPicker()->SetColour(blue);
    wxColourPickerEvent picked(bar->colourPicker(), bar->colourPicker()->GetId(), blue);
    bar->colourPicker()->GetEventHandler()->ProcessEvent(picked);
    EXPECT_EQ(line->getPen().GetColour(), blue);

    // Once deselected it is part of the picture.
    view->annotHandler().setActiveAnnot(nullptr);
    pump(100);
    const wxImage shown = renderedView(view);
    const wxPoint mid = (view->chartToDevice(0, line->getPoint(0)) + view->chartToDevice(0, line->getPoint(1))) / 2;
    bool drawn = false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int x = mid.x + dx, y = mid.y - view->vertPos() + dy;
            drawn |= shown.GetBlue(x, y) > 200 && shown.GetGreen(x, y) < 80 && shown.GetRed(x, y) < 80;
        }
    EXPECT_TRUE(drawn);
    EXPECT_TRUE(shown.SaveFile(wxString::FromUTF8(TestSupport::artifactPath("pnf-orcl-trendline-view.png")),
                               wxBITMAP_TYPE_PNG));
    EXPECT_TRUE(framestest::saveWindowShot(frame, "pnf-orcl-trendline.png"));

    // Scrolled back to older columns.
    view->scrollHorzTo(0);
    EXPECT_LT(view->getLastVisibleBar(), columns - 1);

    // The dialog: a refused value keeps it open with its message, Cancel
    // changes nothing.
    {
        TestSupport::MessageBoxes boxes;
        ModalScript script;
        script.when<QxPointAndFigureConfigDlg>([](QxPointAndFigureConfigDlg* dlg) {
                  EXPECT_EQ(dlg->GetTitle(), "Point and Figure Configuration");
                  EXPECT_EQ(dlg->field(ePnfMinBox)->GetValue(), "0.2500");
                  EXPECT_EQ(dlg->field(ePnfPercent)->GetValue(), "0.7500");
                  EXPECT_EQ(dlg->field(ePnfReversal)->GetValue(), "3");
                  EXPECT_EQ(dlg->field(ePnfFactor)->GetValue(), "0.0000");
                  EXPECT_FALSE(dlg->defaultCheckBox()->GetValue());
                  dlg->field(ePnfReversal)->SetValue("0");
                  ModalScript::press(dlg, wxID_OK);
                  EXPECT_TRUE(dlg->IsModal()) << "still open";
              })
            .when<QxPointAndFigureConfigDlg>([](QxPointAndFigureConfigDlg* dlg) {
                EXPECT_TRUE(framestest::saveWindowShot(dlg, "pnf-config-dialog.png"));
                dlg->EndModal(wxID_CANCEL);
            });
        command(frame, 1000);
        EXPECT_EQ(script.pending(), 0u);
        ASSERT_EQ(boxes.texts().size(), 1u);
        EXPECT_EQ(boxes.texts()[0],
                  "Please provide valid value for minimum number of box for considering price reversal");
    }
    EXPECT_EQ(pnf.annotations().size(), 1u);
    EXPECT_EQ(pnf.nBoxReversal, 3);

    // New parameters made the default: the line goes, the newest columns
    // come back, and the stored keys are what the next chart starts from.
    {
        ModalScript script;
        script.when<QxPointAndFigureConfigDlg>([](QxPointAndFigureConfigDlg* dlg) {
            dlg->field(ePnfMinBox)->SetValue("0.5");
            dlg->field(ePnfPercent)->SetValue("1");
            dlg->field(ePnfReversal)->SetValue("2");
            dlg->field(ePnfFactor)->SetValue("0.25");
            dlg->defaultCheckBox()->SetValue(true);
            ModalScript::press(dlg, wxID_OK);
        });
        command(frame, 1000);
        EXPECT_EQ(script.pending(), 0u);
    }
    const QxPointAndFigureParam chosen{0.5, 0.01, 0.25, 2};
    EXPECT_EQ(pnf.params(), chosen);
    EXPECT_TRUE(pnf.annotations().empty());
    EXPECT_EQ(view->getLastVisibleBar(), pnf.numColumns() - 1);
    EXPECT_EQ(pnf.titleText(), "Oracle Corp (2 box reversal P&F chart)");
    wxConfigEx& store = wxConfigEx::get();
    EXPECT_EQ(store.ReadDouble("/preferences/pnf_config/minAbsBoxSize", 0), 0.5);
    EXPECT_EQ(store.ReadDouble("/preferences/pnf_config/minPercChange", 0), 0.01);
    EXPECT_EQ(store.ReadDouble("/preferences/pnf_config/boxSizeFactor", 0), 0.25);
    EXPECT_EQ(store.ReadLong("/preferences/pnf_config/nBoxReversal", 0), 2);
    QxPnf::currentParams() = QxPointAndFigureParam(); // read again from the store
    QxPointAndFigureView* next = open(orclId);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->getPointAndFigure().params(), chosen);
}

TEST_F(PnfViewFixture, ASecurityWithoutPricesShowsTheNoDataText)
{
    QxPointAndFigureView* view = open(emptyId);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->getPointAndFigure().numColumns(), 0u);
    EXPECT_EQ(view->getLastVisibleBar(), QxPointAndFigure::kNotPlaced);
    const wxImage picture = view->getChartBitmap().ConvertToImage();
    EXPECT_GT(count(picture, *wxRED), 20) << "the red no-data text";
    EXPECT_EQ(count(picture, kRising), 0);
}

TEST_F(PnfViewFixture, FramesOpenWithTheSizeAndStateOfTheLastOne)
{
    QxGlobalVars& g = QxGlobalVars::get();
    g.pnfFrameSize = wxSize(820, 610);
    auto* frame = new QxPointAndFigureFrame();
    frame->Show();
    pump(200);
    EXPECT_EQ(frame->GetSize(), wxSize(820, 610));
    frame->SetSize(700, 520);
    pump(200);
    EXPECT_EQ(g.pnfFrameSize, wxSize(700, 520));
    EXPECT_FALSE(g.isPnfFrameMaximized);
    EXPECT_FALSE(enabled(frame, 1019)) << "no view to zoom";
    frame->Destroy();
    pump(50);

    auto* next = new QxPointAndFigureFrame();
    EXPECT_EQ(next->GetSize(), wxSize(700, 520));
    EXPECT_FALSE(next->openedMaximized());
    next->Destroy();
    pump(50);

    // Without a window manager nothing is ever maximised: the request is
    // what can be seen.
    g.isPnfFrameMaximized = true;
    auto* maximised = new QxPointAndFigureFrame();
    EXPECT_TRUE(maximised->openedMaximized());
    maximised->Destroy();
    pump(50);
}
