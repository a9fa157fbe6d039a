// A user adds the signal markers of the shipped SMA 50-200 crossover system
// to a daily chart of a real history kept in a history database, through
// the chart frame's command and its dialogs. The arrows stand where a
// direct computation of the crossovers puts them; then bars are deleted
// from the stored history, at its start and at its end, and the chart
// redraws with the marks worked out for the shorter history.
#include "support/SecuritiesTestSupport.h"
#include "SignalMarkerScript.h"
#include "TradingFakes.h"

#include "app/QxGlobalVars.h"
#include "app/QxIndicatorRegistry.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxZone.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxChartView.h"
#include "core/QxCalculator.h"
#include "core/QxCategory.h"
#include "core/QxSecurity.h"
#include "trading/QxSignalMarker.h"
#include "trading/QxTradingSystemMgr.h"

#include "support/ModalScript.h"
#include "support/TestSupport.h"
#include "support/WindowShot.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/xml/xml.h>

#include <algorithm>

using TestSupport::ModalScript;

void PrintTo(const wxColour& colour, std::ostream* os);

namespace {

using Bars = std::vector<unsigned>;

// Simple mean of the closes over period bars ending at each bar; NaN
// before the first full window.
std::vector<double> mean(const QxPriceHistory& h, unsigned period)
{
    std::vector<double> out(h.numBars(), tradingtest::NaN);
    for (unsigned i = period - 1; i < h.numBars(); ++i) {
        double sum = 0;
        for (unsigned j = i + 1 - period; j <= i; ++j)
            sum += h.close()[j];
        out[i] = sum / period;
    }
    return out;
}

// The long side's marks of the crossover system worked out from the
// closes: every cross of the 50-bar mean above the 200-bar one is an
// entry, and every cross below after the first entry an exit (crosses of
// one direction alternate with those of the other).
std::pair<Bars, Bars> crossoverMarks(const QxPriceHistory& h)
{
    const std::vector<double> fast = mean(h, 50), slow = mean(h, 200);
    Bars ups, downs;
    for (unsigned i = 200; i < h.numBars(); ++i) {
        if (fast[i - 1] <= slow[i - 1] && fast[i] > slow[i])
            ups.push_back(i);
        if (fast[i - 1] >= slow[i - 1] && fast[i] < slow[i])
            downs.push_back(i);
    }
    Bars exits;
    for (unsigned b : downs)
        if (!ups.empty() && b > ups.front())
            exits.push_back(b);
    return {ups, exits};
}

wxColour pixelAt(const wxImage& image, int x, int y)
{
    if (x < 0 || y < 0 || x >= image.GetWidth() || y >= image.GetHeight())
        return wxColour();
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

class SignalMarkerOnChart : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The shipped systems' conditions name the built-in SMA.
        QxIndicatorRegistry::instance()->addBuiltInIndicators();
        tradingtest::resetStore(TestSupport::binDir());
        m_savedSize = QxGlobalVars::get().chartFrameSize;
        QxGlobalVars::get().chartFrameSize = wxSize(1000, 650);
        QxGlobalVars::get().isChartFrameMaximized = false;
        database = sectest::newDatabase("marker");
        ASSERT_TRUE(database);
        QxObjectSmartPtr<QxCategory> category(database->createCategory("USA.NASDAQ.EQ", ""));
        ASSERT_TRUE(category);
        security = category->addSecurity("ORCL", "Oracle");
        ASSERT_TRUE(security);
        QxObjectSmartPtr<QxPriceHistory> history = TestSupport::fixtureHistory("orcl-1995-2014.csv", 1000);
        ASSERT_EQ(history->numBars(), 1000u);
        ASSERT_EQ(security->saveHistory(history.get()), 0);
        scoped.app().changeDatabase(database);
    }
    void TearDown() override
    {
        for (wxWindow* w : wxTopLevelWindows)
            if (auto* f = dynamic_cast<QxChartFrame*>(w))
                f->Destroy();
        TestSupport::pumpEvents(100);
        scoped.app().changeDatabase(nullptr);
        QxTradingSystemMgr::destroy();
        QxGlobalVars::get().chartFrameSize = m_savedSize;
    }

    void command(QxChartFrame* frame, int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(frame);
        frame->ProcessWindowEvent(event);
        TestSupport::pumpEvents(100);
    }

    // The marks equal the direct computation over the history the chart
    // shows now, and every visible mark has its arrow painted: the middle
    // of its shaft, under the low of an entry and over the high of an exit,
    // has the kind's colour.
    void expectArrowsAtTheCrossovers(QxChart* chart, QxSignalMarker* marker, unsigned* visibleArrows)
    {
        QxCalculator* calc = chart->getCalc();
        const QxPriceHistory* history = calc->prices(false);
        ASSERT_NE(history, nullptr);
        const auto [entries, exits] = crossoverMarks(*history);
        ASSERT_FALSE(entries.empty());
        const QxSignalMarker::KindMarks& marks = marker->computeSignals();
        EXPECT_EQ(marks.at(Qx::eLongEntry), entries);
        EXPECT_EQ(marks.at(Qx::eLongExit), exits);

        wxBitmap bitmap(chart->getChartWidth(), std::max(chart->chartHeight(), 100));
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            chart->display(dc, false);
        }
        const wxImage image = bitmap.ConvertToImage();
        QxZone* zone = chart->getMainZone();
        const QxScale& x = chart->getDateAxis()->scale();
        const QxScale& y = zone->getValueScale();
        const int w = std::max(6, x.map(1.0) - x.map(0.0));
        const int h = w / 2;
        const unsigned first = zone->getVisibleRange().lower, last = zone->getVisibleRange().upper;
        EXPECT_LT(last, history->numBars());
        *visibleArrows = 0;
        for (const auto& [kind, bars, below] : {std::tuple{Qx::eLongEntry, entries, true},
                                                std::tuple{Qx::eLongExit, exits, false}}) {
            for (unsigned b : bars) {
                if (b < first || b > last)
                    continue;
                ++*visibleArrows;
                const int dir = below ? 1 : -1;
                const int tip = y.map(below ? history->low()[b] : history->high()[b]) + dir * h;
                const int mid = tip + dir * (h + 2 * w) / 2;
                EXPECT_EQ(pixelAt(image, x.map(double(b)), mid), marker->colours.at(kind))
                    << "kind " << kind << " at bar " << b;
            }
        }
    }

    framestest::ScopedApplication scoped;
    QxObjectSmartPtr<QxDatabase> database;
    QxObjectSmartPtr<QxSecurity> security;
    wxSize m_savedSize;
};

} // namespace

TEST_F(SignalMarkerOnChart, ArrowsOfTheCrossoverSystemFollowTheHistoryWhenBarsAreDeleted)
{
    QxChartView* view = QxChartView::createChartView(security.get(), Qx::eDaily, Qx::ePriceCandles, nullptr);
    ASSERT_NE(view, nullptr);
    QxChartFrame* frame = view->getFrame();
    TestSupport::pumpEvents(200);
    command(frame, QxID_ZOOM_MAX_OUT);
    QxChart* chart = view->getChartist()->getChart();

    // A cancelled dialog adds nothing.
    {
        ModalScript cancel;
        cancel.when<QxSignalMarkerConfigDlg>([](QxSignalMarkerConfigDlg* d) { d->EndModal(wxID_CANCEL); });
        command(frame, 1013);
        EXPECT_EQ(cancel.pending(), 0u);
    }
    EXPECT_TRUE(chart->getMainZone()->getPatterns().empty());

    // Add Buy/Sell Signal Markers: choose the system, mark long positions.
    ModalScript script;
    script
        .when<QxSignalMarkerConfigDlg>(tradingtest::openManagerLater)
        .when<DlgSystemManager>([](DlgSystemManager* m) { tradingtest::chooseInManager(m, "SMA 50-200 Cross"); })
        .when<QxSignalMarkerConfigDlg>([](QxSignalMarkerConfigDlg* d) {
            d->longPositionsBox()->SetValue(true);
            ModalScript::press(d, wxID_OK);
        });
    command(frame, 1013);
    EXPECT_EQ(script.pending(), 0u);
    ASSERT_EQ(chart->getMainZone()->getPatterns().size(), 1u);
    auto* marker = dynamic_cast<QxSignalMarker*>(chart->getMainZone()->getPatterns()[0].get());
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->system->getName().string(), "SMA 50-200 Cross");
    EXPECT_EQ(marker->positions, 3u);
    // The marker is not kept with the chart.
    {
        wxXmlNode root(wxXML_ELEMENT_NODE, "Chart");
        const wxXmlNode* zone = chart->getMainZone()->toXML(&root);
        ASSERT_NE(zone, nullptr);
        unsigned written = 0;
        for (const wxXmlNode* child = zone->GetChildren(); child; child = child->GetNext())
            if (child->GetName() == "Patterns")
                for (const wxXmlNode* pattern = child->GetChildren(); pattern; pattern = pattern->GetNext())
                    ++written;
        EXPECT_EQ(written, 0u);
    }

    unsigned visible = 0;
    expectArrowsAtTheCrossovers(chart, marker, &visible);
    EXPECT_GE(visible, 6u);
    EXPECT_TRUE(TestSupport::saveWindowShot(frame, "signal_marker_chart.png"));

    // Bars deleted through the security at the start (every later bar moves)
    // and at the end (marks there are gone); the database tells the chart.
    QxCalculator* calc = chart->getCalc();
    const QxPriceHistory* before = calc->prices(false);
    int64_t from = before->timestamp()[0], to = before->timestamp()[59];
    ASSERT_EQ(security->deleteHistory(from, to), 0);
    TestSupport::pumpEvents(200);
    ASSERT_EQ(calc->prices(false)->numBars(), 940u);
    expectArrowsAtTheCrossovers(chart, marker, &visible);

    const QxPriceHistory* shorter = calc->prices(false);
    from = shorter->timestamp()[600];
    to = shorter->timestamp()[939];
    ASSERT_EQ(security->deleteHistory(from, to), 0);
    TestSupport::pumpEvents(200);
    ASSERT_EQ(calc->prices(false)->numBars(), 600u);
    expectArrowsAtTheCrossovers(chart, marker, &visible);
    EXPECT_GE(visible, 4u);
    EXPECT_TRUE(TestSupport::saveWindowShot(frame, "signal_marker_chart_after_deletion.png"));
}
