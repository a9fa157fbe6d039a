// The signal marker without windows: pairing of entry and exit signals of a
// scripted system, marks kept per period and dropped when the history
// changes, the arrows drawn into a memory bitmap over known scales, and the
// room they ask of the zone.
#include "SignalMarkerFakes.h"
#include "TradingFakes.h"

#include "chart/QxScale.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxPriceHistory.h"
#include "trading/QxSignalMarker.h"
#include "trading/QxTradingSystem.h"

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <cmath>

using namespace tradingtest;

void PrintTo(const wxColour& colour, std::ostream* os) { *os << colour.GetAsString(wxC2S_CSS_SYNTAX).utf8_str(); }

namespace {

using Bars = std::vector<unsigned>;

// value = origin + slope * x, rounded; the range is what the zone set.
class LinearScale : public QxScale {
public:
    LinearScale(double origin, double slope, double lower = 0.0, double upper = -1.0)
        : m_origin(origin), m_slope(slope)
    {
        m_min = lower;
        m_max = upper;
    }
    int map(const double& value) const override { return static_cast<int>(std::lround(m_origin + m_slope * value)); }
    double unmap(int pixel) const override { return (pixel - m_origin) / m_slope; }

private:
    double m_origin, m_slope;
};

} // namespace

TEST(SignalMarkerPairing, AlternatesEntriesAndExitsAndMarksTheLastSignalBeforeEachSwitch)
{
    const struct {
        const char* what;
        unsigned bars;
        std::set<unsigned> entries, exits;
        Bars wantEntries, wantExits;
    } cases[] = {
        {"the example", 20, {5, 6, 7, 15}, {9, 10}, {5, 7, 15}, {9, 10}},
        {"exit before the first entry", 20, {4}, {2, 8}, {4}, {8}},
        {"entries 5 6 7 then an exit", 20, {5, 6, 7}, {9}, {5, 7}, {9}},
        {"the final run's last signal", 20, {3}, {5, 6, 7}, {3}, {5}},
        {"entry and exit on one bar", 20, {4, 6}, {4, 5}, {4, 6}, {5}},
        {"no entry at all", 20, {}, {1, 2}, {}, {}},
        {"signals past the bars", 8, {2, 12}, {4, 10}, {2}, {4}},
        {"no bars", 0, {0}, {1}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeMarket market(std::vector<double>(c.bars, 10.0));
        int evaluations = 0;
        auto system = scriptedSystem(Qx::eLongOnly, {c.entries, c.exits, {}, {}}, &evaluations);
        Bars entries, exits;
        QxSignalMarker::pairSignals(Qx::eLongEntry, Qx::eLongExit, entries, exits, system.get(), market.calc());
        EXPECT_EQ(entries, c.wantEntries);
        EXPECT_EQ(exits, c.wantExits);
    }
}

TEST(SignalMarkerPairing, MarksOnlyTheSidesBothTheSystemAndThePositionsHave)
{
    FakeMarket market(std::vector<double>(20, 10.0));
    const Script script{{2}, {4}, {6}, {8}};
    const struct {
        Qx::QxTradingSystemType type;
        unsigned positions;
        Bars longEntry, longExit, shortEntry, shortExit;
    } cases[] = {
        {Qx::eShortOnly, 3, {}, {}, {}, {}},
        {Qx::eLongOnly, 12, {}, {}, {}, {}},
        {Qx::eLongAndShort, 3, {2}, {4}, {}, {}},
        {Qx::eLongAndShort, 15, {2}, {4}, {6}, {8}},
        {Qx::eShortOnly, 15, {}, {}, {6}, {8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " positions " << c.positions);
        int evaluations = 0;
        QxObjectSmartPtr<QxSignalMarker> marker(new QxSignalMarker(market.calc()));
        marker->system = scriptedSystem(c.type, script, &evaluations);
        marker->positions = c.positions;
        const QxSignalMarker::KindMarks& marks = marker->computeSignals();
        auto of = [&marks](unsigned kind) {
            const auto it = marks.find(kind);
            return it == marks.end() ? Bars{} : it->second;
        };
        EXPECT_EQ(of(Qx::eLongEntry), c.longEntry);
        EXPECT_EQ(of(Qx::eLongExit), c.longExit);
        EXPECT_EQ(of(Qx::eShortEntry), c.shortEntry);
        EXPECT_EQ(of(Qx::eShortExit), c.shortExit);
        if (c.longEntry.empty() && c.shortEntry.empty()) {
            EXPECT_EQ(evaluations, 0) << "a side that is not marked is not scanned";
        }
    }
}

TEST(SignalMarkerPairing, EachPeriodIsScannedOnceAndTheFormerPeriodsMarksAreKept)
{
    FakeMarket market(std::vector<double>(60, 10.0));
    int evaluations = 0;
    QxObjectSmartPtr<QxSignalMarker> marker(new QxSignalMarker(market.calc()));
    marker->system = scriptedSystem(Qx::eLongOnly, {{1, 30}, {12}, {}, {}}, &evaluations);
    marker->positions = 3;

    const Bars daily = marker->computeSignals().at(Qx::eLongEntry);
    EXPECT_EQ(daily, (Bars{1, 30}));
    const int afterDaily = evaluations;
    EXPECT_GT(afterDaily, 0);
    marker->computeSignals();
    EXPECT_EQ(evaluations, afterDaily) << "the daily marks are cached";

    market.calc()->setCurrentTimeframe(Qx::eWeekly);
    marker->computeSignals();
    const int afterWeekly = evaluations;
    EXPECT_GT(afterWeekly, afterDaily) << "the weekly period is scanned";
    marker->computeSignals();
    EXPECT_EQ(evaluations, afterWeekly);
    EXPECT_EQ(marker->numPeriodsMarked(), 2u);

    market.calc()->setCurrentTimeframe(Qx::eDaily);
    EXPECT_EQ(marker->computeSignals().at(Qx::eLongEntry), daily);
    EXPECT_EQ(evaluations, afterWeekly) << "the daily marks were kept";

    // A copy takes the marks along; in the zone of a copied chart it
    // follows that chart's calculator (same security, its own period).
    QxObjectSmartPtr<QxSignalMarker> copy(static_cast<QxSignalMarker*>(marker->clone()));
    copy->computeSignals();
    EXPECT_EQ(evaluations, afterWeekly);
    QxObjectSmartPtr<QxCalculator> copiedChart(new QxCalculator(*market.calc()));
    copiedChart->setCurrentTimeframe(Qx::eMonthly);
    copy->setCalculator(copiedChart.get());
    copy->computeSignals();
    EXPECT_GT(evaluations, afterWeekly) << "the monthly period is scanned";
    EXPECT_EQ(copy->numPeriodsMarked(), 3u);
    EXPECT_EQ(marker->numPeriodsMarked(), 2u);
}

// The marks follow the history: after bars are deleted (in the cached
// history itself, or in storage followed by the end-of-day notice) the
// period is scanned again and no mark lies past the last bar.
TEST(SignalMarkerPairing, MarksOfAChangedHistoryAreWorkedOutAgain)
{
    calctest::MemSecurity* raw = new calctest::MemSecurity(4711);
    QxObjectSmartPtr<calctest::MemSecurity> security(raw);
    security->stored = calctest::makeDaily(30);
    QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(security.get()));
    int evaluations = 0;
    QxObjectSmartPtr<QxSignalMarker> marker(new QxSignalMarker(calc.get()));
    marker->system = scriptedSystem(Qx::eLongOnly, {{3, 25}, {10, 28}, {}, {}}, &evaluations);
    marker->positions = 3;
    EXPECT_EQ(marker->computeSignals().at(Qx::eLongEntry), (Bars{3, 25}));
    EXPECT_EQ(marker->computeSignals().at(Qx::eLongExit), (Bars{10, 28}));

    // The cached history loses its last bars in place.
    calc->prices(false)->resize(27);
    EXPECT_EQ(marker->computeSignals().at(Qx::eLongExit), (Bars{10}));

    // Storage loses bars and says so: the cache loads the shorter history.
    QxObjectSmartPtr<QxPriceHistory> shorter(calctest::makeDaily(20));
    security->stored = shorter;
    QxDataChangeReactorMgr::instance()->notifyEodDataChange(security->id());
    EXPECT_EQ(marker->computeSignals().at(Qx::eLongEntry), (Bars{3}));
    EXPECT_EQ(marker->computeSignals().at(Qx::eLongExit), (Bars{10}));

    // Same number of bars and same last time, yet new data: the notice alone
    // tells.
    const int before = evaluations;
    QxDataChangeReactorMgr::instance()->notifyEodDataChange(security->id());
    marker->computeSignals();
    EXPECT_GT(evaluations, before);
}

// The manager edits a stored system in place: its new signals and a new
// type are marked at the next paint, without a change of prices.
TEST(SignalMarkerPairing, MarksOfAnEditedSystemAreWorkedOutAgain)
{
    QxObjectSmartPtr<calctest::MemSecurity> security(new calctest::MemSecurity(4712));
    security->stored = calctest::makeDaily(30);
    QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(security.get()));
    int evaluations = 0;
    QxObjectSmartPtr<QxSignalMarker> marker(new QxSignalMarker(calc.get()));
    marker->system = scriptedSystem(Qx::eLongAndShort, {{3, 25}, {10, 28}, {5}, {7}}, &evaluations);
    marker->positions = 15;
    EXPECT_EQ(marker->computeSignals().at(Qx::eLongEntry), (Bars{3, 25}));
    EXPECT_EQ(marker->computeSignals().at(Qx::eShortEntry), (Bars{5}));
    const int unchanged = evaluations;
    marker->computeSignals();
    EXPECT_EQ(evaluations, unchanged) << "nothing changed, nothing worked out again";

    // New long signals, as the editor gives them on OK.
    QxObjectSmartPtr<QxTradingSystem> edited = scriptedSystem(Qx::eLongOnly, {{4, 20}, {12}, {}, {}}, &evaluations);
    marker->system->setLongEntrySignal(edited->getLongEntrySignal());
    marker->system->setLongExitSignal(edited->getLongExitSignal());
    EXPECT_EQ(marker->computeSignals().at(Qx::eLongEntry), (Bars{4, 20}));
    EXPECT_EQ(marker->computeSignals().at(Qx::eLongExit), (Bars{12}));

    // Made long-only: the short marks go.
    marker->system->setType(Qx::eLongOnly);
    EXPECT_EQ(marker->computeSignals().count(Qx::eShortEntry), 0u);
    EXPECT_EQ(marker->computeSignals().at(Qx::eLongEntry), (Bars{4, 20}));
}

namespace {

// Daily bars whose lows are 98 + i and highs 101 + i, or, for a fund, whose
// net asset value is 100 + i; a long-only system that enters at bar 5 and
// exits at bar 9.
struct DrawnMarker {
    explicit DrawnMarker(Qx::QxSecurityType type = Qx::eStock) : security(new calctest::MemSecurity(++s_ids))
    {
        QxObjectSmartPtr<QxPriceHistory> history(calctest::makeDaily(20));
        if (type == Qx::eFund) {
            QxObjectSmartPtr<QxPriceHistory> fund(new QxPriceHistory(Qx::eFund, Qx::eDaily));
            fund->resize(20);
            for (unsigned i = 0; i < 20; ++i) {
                fund->timestamp()[i] = history->timestamp()[i];
                fund->nav()[i] = 100.0 + i;
            }
            history = fund;
        }
        security->stored = history;
        calc.reset(new QxCalculator(security.get()));
        marker.reset(new QxSignalMarker(calc.get()));
        marker->system = scriptedSystem(Qx::eLongOnly, {{5}, {9}, {}, {}}, &evaluations);
        marker->positions = 3;
        marker->colours[Qx::eLongEntry] = wxColour(0, 0, 200);
    }

    // The arrows over white, as the zone has them drawn.
    wxImage paint(const QxScale& x, const QxScale& y, unsigned first = 0, unsigned last = 19) const
    {
        wxBitmap bitmap(200, 260);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            marker->display(dc, first, last, x, y);
        }
        return bitmap.ConvertToImage();
    }

    static inline unsigned s_ids = 9100;
    int evaluations = 0;
    QxObjectSmartPtr<calctest::MemSecurity> security;
    QxObjectSmartPtr<QxCalculator> calc;
    QxObjectSmartPtr<QxSignalMarker> marker;
};

wxColour pixel(const wxImage& image, int x, int y)
{
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

const wxColour kWhite(255, 255, 255);
const wxColour kBuy(0, 0, 200);
const wxColour kSell(255, 0, 0); // the default of a long exit

} // namespace

// Ten pixels a bar: arrows 10 wide with heads and shafts 5 wide. The buy
// arrow's tip stands 5 pixels under the low of bar 5 (pixel 188), its shaft
// runs from 198 to 213; the sell arrow's tip 5 over the high of bar 9
// (pixel 160), its shaft from 150 up to 135. Butt caps end the shafts there.
TEST(SignalMarkerDrawing, ArrowsStandUnderLowsAndOverHighsAndEndWhereTheirShaftsEnd)
{
    DrawnMarker m;
    const LinearScale x(20, 10), y(600, -4);
    const wxImage image = m.paint(x, y);
    const struct {
        int x, y;
        wxColour want;
        const char* what;
    } probes[] = {
        {70, 195, kBuy, "buy head"},
        {70, 205, kBuy, "buy shaft"},
        {68, 205, kBuy, "buy shaft, left edge"},
        {72, 205, kBuy, "buy shaft, right edge"},
        {75, 205, kWhite, "right of the buy shaft"},
        {70, 211, kBuy, "buy shaft near its end"},
        {70, 215, kWhite, "past the buy shaft's end"},
        {70, 186, kWhite, "between the low and the buy tip"},
        {110, 153, kSell, "sell head"},
        {110, 142, kSell, "sell shaft"},
        {110, 137, kSell, "sell shaft near its end"},
        {110, 133, kWhite, "past the sell shaft's end"},
        {110, 162, kWhite, "between the high and the sell tip"},
        {90, 190, kWhite, "a bar without a mark"},
    };
    for (const auto& p : probes)
        EXPECT_EQ(pixel(image, p.x, p.y), p.want) << p.what;
    image.SaveFile(TestSupport::artifactPath("signal_marker_arrows.png"), wxBITMAP_TYPE_PNG);

    // Marks outside the visible bars are not drawn.
    const wxImage part = m.paint(x, y, 6, 19);
    EXPECT_EQ(pixel(part, 70, 205), kWhite);
    EXPECT_EQ(pixel(part, 110, 142), kSell);
}

// Two pixels a bar would give arrows 2 wide; they stay 6 wide: shaft 3 wide
// and 12 long from the tip 3 under the low (pixel 188).
TEST(SignalMarkerDrawing, NarrowBarsStillGetArrowsSixPixelsWide)
{
    DrawnMarker m;
    const LinearScale x(20, 2), y(600, -4);
    const wxImage image = m.paint(x, y);
    const int bx = 30;
    EXPECT_EQ(pixel(image, bx, 192), kBuy) << "head";
    EXPECT_EQ(pixel(image, bx, 201), kBuy) << "shaft 2w long";
    EXPECT_EQ(pixel(image, bx, 205), kWhite) << "past the shaft";
    int wide = 0;
    for (int px = bx - 5; px <= bx + 5; ++px)
        wide += pixel(image, px, 199) == kBuy;
    EXPECT_EQ(wide, 3) << "shaft h = w / 2 wide";
}

TEST(SignalMarkerDrawing, MarginsMakeRoomForTheVisibleArrowsOnly)
{
    DrawnMarker m;
    // Values 100 to 115 between pixels 200 and 140.
    const LinearScale y(600, -4, 100, 115);
    const struct {
        double pixelsPerBar;
        unsigned first, last;
        int top, bottom;
    } cases[] = {
        // buy: 188 + 2w + h = 213, 13 under 200; sell: 160 - 25 = 135, 5 over 140
        {10, 0, 19, 5, 13},
        {10, 0, 8, 0, 13},
        {10, 6, 19, 5, 0},
        {10, 10, 19, 0, 0},
        // w = 6: 188 + 15 = 203; 160 - 15 = 145, within the range
        {2, 0, 19, 0, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pixelsPerBar << " px, bars " << c.first << ".." << c.last);
        wxPoint top(-1, -1), bottom(-1, -1);
        EXPECT_EQ(m.marker->getMargins(c.first, c.last, LinearScale(20, c.pixelsPerBar), y, top, bottom), 0);
        EXPECT_EQ(top, wxPoint(0, c.top));
        EXPECT_EQ(bottom, wxPoint(0, c.bottom));
    }
}

// A fund has no lows or highs: its arrows stand on the net asset value
// (105 at bar 5, pixel 180; 109 at bar 9, pixel 164).
TEST(SignalMarkerDrawing, FundArrowsStandOnTheNetAssetValue)
{
    DrawnMarker m(Qx::eFund);
    const LinearScale x(20, 10), y(600, -4, 100, 115);
    const wxImage image = m.paint(x, y);
    EXPECT_EQ(pixel(image, 70, 187), kBuy);
    EXPECT_EQ(pixel(image, 110, 157), kSell);
    wxPoint top, bottom;
    EXPECT_EQ(m.marker->getMargins(0, 19, x, y, top, bottom), 0);
    EXPECT_EQ(bottom.y, 180 + 25 - 200);
    EXPECT_EQ(top.y, 140 - (164 - 25));
}
