// The point-and-figure model without a window: box sizes, the ladder, the
// columns of small hand-made series and of long real histories, the cache,
// the layout with its value map, and the parameters' checks on reading and
// in the dialog.
#include "chartview/QxPointAndFigure.h"
#include "chartview/QxPointAndFigureConfigDlg.h"
#include "support/CalcFakes.h"
#include "support/Fixtures.h"
#include "core/QxCalculator.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/platform/wxConfigEx.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/fileconf.h>

#include <cmath>
#include <limits>
#include <memory>
#include <set>

namespace {

using Levels = std::vector<double>;
using Starts = std::vector<unsigned>;

// Boxes of exactly one price unit: level k is k.
QxPointAndFigureParam unitBoxes(int reversal = 3)
{
    QxPointAndFigureParam p;
    p.minAbsBoxSize = 1.0;
    p.minPercChange = 0.0;
    p.boxSizeFactor = 0.0;
    p.nBoxReversal = reversal;
    return p;
}

struct Bars {
    std::vector<double> high, low, close;
    Bars& add(double h, double l, double c)
    {
        high.push_back(h);
        low.push_back(l);
        close.push_back(c);
        return *this;
    }
};

struct Columns {
    Levels levels;
    Starts starts;
};

Columns columnsOf(const Bars& b, const QxPointAndFigureParam& p)
{
    Columns c;
    QxPnf::buildColumns(p, b.close.size(), b.high.data(), b.low.data(), b.close.data(), c.levels, c.starts);
    return c;
}

QxPriceHistory* historyOf(const Bars& b)
{
    auto* h = calctest::makeDaily(unsigned(b.close.size()));
    for (size_t i = 0; i < b.close.size(); ++i) {
        h->open()[i] = b.close[i];
        h->high()[i] = b.high[i];
        h->low()[i] = b.low[i];
        h->close()[i] = b.close[i];
    }
    return h;
}

QxPriceHistory* historyOf(const TestSupport::OhlcvFixture& f)
{
    Bars b;
    for (size_t i = 0; i < f.size(); ++i)
        b.add(f.high[i], f.low[i], f.close[i]);
    return historyOf(b);
}

// A configuration store of the test's own while it lives.
class ScopedStore {
public:
    ScopedStore()
        : m_store(new wxConfigEx(wxString::FromUTF8(TestSupport::makeTempDir("pnfcfg") + "/store.ini"))),
          m_previous(wxConfigBase::Set(m_store.get())), m_params(QxPnf::currentParams())
    {
    }
    ~ScopedStore()
    {
        wxConfigBase::Set(m_previous);
        QxPnf::currentParams() = m_params;
    }
    wxConfigBase& store() { return *m_store; }

private:
    std::unique_ptr<wxConfigEx> m_store;
    wxConfigBase* m_previous;
    QxPointAndFigureParam m_params;
};

class PnfModel : public ::testing::Test {
protected:
    void SetUp() override { security.reset(new calctest::MemSecurity(41)); }
    void TearDown() override
    {
        calc.reset();
        security.reset();
        QxDataChangeReactorMgr::destroy();
    }

    // A model of the security's history laid out at width with the given
    // parameters.
    std::unique_ptr<QxPointAndFigure> laidOut(const QxPointAndFigureParam& p, int width = 1200)
    {
        calc.reset(new QxCalculator(security.get(), Qx::eDaily));
        auto model = std::make_unique<QxPointAndFigure>(calc.get());
        model->setParams(p);
        wxBitmap bitmap(width, 100);
        wxMemoryDC dc(bitmap);
        model->layout(dc, width);
        return model;
    }

    ScopedStore store;
    QxObjectSmartPtr<calctest::MemSecurity> security;
    QxObjectSmartPtr<QxCalculator> calc;
};

} // namespace

TEST(PnfBoxSize, PercentageBlendRoundingAndFloor)
{
    QxPointAndFigureParam def; // 0.25, 0.75 %, no rounding
    QxPointAndFigureParam flat = def;
    flat.minPercChange = 0.0;
    QxPointAndFigureParam rounded = def;
    rounded.boxSizeFactor = 0.25;
    QxPointAndFigureParam flatRounded = flat;
    flatRounded.minAbsBoxSize = 0.375;
    flatRounded.boxSizeFactor = 0.25;
    const struct {
        const QxPointAndFigureParam* p;
        double level;
        double box;
    } cases[] = {
        {&def, 0.0, 0.25},                                           // level 0: the minimum
        {&def, 1.0, 0.0075 / (1.0 - std::exp(-0.0075 / 0.25))},      // near the minimum for small prices
        {&def, 100.0, 0.75 / (1.0 - std::exp(-3.0))},                // 0.7893
        {&def, 10000.0, 75.0},                                       // the percentage for large prices
        {&flat, 100.0, 0.25},                                        // percentage 0: always the minimum
        {&flat, 5000.0, 0.25},
        {&rounded, 100.0, 0.75},                                     // 0.7893 to the nearest 0.25
        {&rounded, 1.0, 0.25},
        {&flatRounded, 50.0, 0.5},                                   // 1.5 steps round half up to 2
    };
    for (const auto& c : cases)
        EXPECT_NEAR(QxPnf::boxSize(*c.p, c.level), c.box, 1e-9) << "level " << c.level;

    // Never below the minimum, with or without rounding.
    for (const QxPointAndFigureParam* p : {&def, &rounded})
        for (double level = 0.0; level < 500.0; level += 0.37)
            ASSERT_GE(QxPnf::boxSize(*p, level), p->minAbsBoxSize - 1e-12) << level;
}

TEST(PnfLadder, PricesOnALevelAndBothWays)
{
    QxPnf::Ladder ladder(unitBoxes());
    const struct {
        size_t from;
        bool up;
        double price;
        size_t box;
    } cases[] = {
        {0, true, 5.0, 5},    // a price on a level reaches it
        {0, true, 4.999, 4},
        {2, true, 2.5, 2},    // not up to the next level: stays
        {5, false, 5.0, 4},   // falling, the current level itself is one box down
        {5, false, 4.5, 4},
        {5, false, 5.5, 5},   // above the current level: stays
        {5, false, 0.0, 0},   // never below the first level
        {5, false, -3.0, 0},
        {3, true, std::numeric_limits<double>::infinity(), 3},
        {3, false, std::nan(""), 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ladder.findBox(c.from, c.up, c.price), c.box)
            << "from " << c.from << (c.up ? " up " : " down ") << c.price;
    EXPECT_EQ(ladder.size(), 7u) << "grown lazily, one level beyond the highest reached";

    // A price the ladder cannot reach with levels of its own is told, not
    // put on the top level as if it were there.
    QxPnf::Ladder capped(unitBoxes());
    capped.findBox(0, true, 1e12);
    EXPECT_TRUE(capped.overrun());
    EXPECT_FALSE(ladder.overrun());
    EXPECT_FALSE(QxPnf::ladderReaches(unitBoxes(), 1e12));
    EXPECT_TRUE(QxPnf::ladderReaches(unitBoxes(), 4.9e6));
    Columns none = columnsOf(Bars().add(10, 9, 10).add(1e12, 9, 12).add(20, 9, 11), unitBoxes());
    EXPECT_TRUE(none.levels.empty()) << "no wrong chart";
    EXPECT_FALSE(QxPnf::buildColumns(unitBoxes(), 3, std::vector<double>{10, 1e12, 20}.data(),
                                     std::vector<double>{9, 9, 9}.data(), std::vector<double>{10, 12, 11}.data(),
                                     none.levels, none.starts));

    // Boxes of 0.01 around 20,000 without a percentage: two million levels
    // below, and every price still has its own.
    QxPointAndFigureParam cents = unitBoxes();
    cents.minAbsBoxSize = 0.01;
    Bars around; // prices inside boxes, away from the levels
    around.add(20000.005, 19999.985, 20000.005)
        .add(20000.105, 20000.005, 20000.1)
        .add(20000.105, 20000.045, 20000.05)
        .add(20000.205, 20000.055, 20000.2);
    const Columns fine = columnsOf(around, cents);
    ASSERT_EQ(fine.starts, (Starts{0, 11, 17})) << "up to 20,000.10, down to 20,000.04, up to 20,000.20";
    ASSERT_EQ(fine.levels.size(), 33u);
    EXPECT_NEAR(fine.levels.front(), 20000.00, 0.001);
    EXPECT_NEAR(fine.levels[10], 20000.10, 0.001);
    EXPECT_NEAR(fine.levels[16], 20000.04, 0.001);
    EXPECT_NEAR(fine.levels.back(), 20000.20, 0.001);

    // Parameters outside the rules cannot make the search endless.
    QxPointAndFigureParam zero = unitBoxes();
    zero.minAbsBoxSize = 0.0;
    QxPnf::Ladder flat(zero);
    EXPECT_EQ(flat.findBox(0, true, 10.0), 0u);
}

TEST(PnfColumns, HandMadeSeries)
{
    const struct {
        const char* what;
        Bars bars;
        int reversal;
        Levels levels;
        Starts starts;
    } cases[] = {
        {"no move of 3 boxes: one column of one box",
         Bars().add(10.5, 9.5, 10.2).add(12.9, 8.1, 11).add(11.5, 9.0, 10), 3, {10}, {0}},
        {"both ways at once: a falling first column",
         Bars().add(10.5, 9.5, 10.2).add(13.5, 6.5, 8), 3, {10, 9, 8, 7, 6}, {0}},
        {"an extension is never also a reversal",
         Bars().add(10.5, 9.5, 10.2).add(10, 6.5, 7).add(20, 4.5, 6), 3, {10, 9, 8, 7, 6, 5, 4}, {0}},
        {"a reversal starts one box beyond the old column",
         Bars().add(10.5, 9.5, 10.2).add(10, 6.5, 7).add(9.0, 7.5, 8), 3, {10, 9, 8, 7, 6, 7, 8, 9}, {0, 5}},
        {"two boxes back are not enough; a rising first column; then a falling one",
         Bars().add(10.5, 9.5, 10).add(13.2, 10, 13).add(13, 11.1, 12).add(13.5, 10.0, 11), 3,
         {10, 11, 12, 13, 12, 11, 10, 9}, {0, 4}},
        {"reversal of 1: columns of one box",
         Bars().add(10.5, 9.5, 10).add(11.2, 10.1, 11).add(11.5, 10.6, 11).add(12.0, 11.0, 11.5), 1,
         {10, 11, 10, 11, 12}, {0, 2, 3}},
        {"bars without numbers change nothing",
         Bars().add(10.5, 9.5, std::nan("")).add(10.5, 9.5, 10.2).add(std::nan(""), 2, 5).add(13, 9.9, 13), 3,
         {10, 11, 12, 13}, {0}},
        {"prices of 0 and below stop at the first level",
         Bars().add(3.5, 2.5, 3).add(3, -1, 0), 3, {3, 2, 1, 0}, {0}},
    };
    for (const auto& c : cases) {
        const Columns got = columnsOf(c.bars, unitBoxes(c.reversal));
        EXPECT_EQ(got.levels, c.levels) << c.what;
        EXPECT_EQ(got.starts, c.starts) << c.what;
    }
}

// Long real histories: the columns keep their invariants and each box was
// reached by a bar.
TEST(PnfColumns, RealHistoriesKeepTheInvariants)
{
    QxPointAndFigureParam rounded;
    rounded.boxSizeFactor = 0.05;
    QxPointAndFigureParam one;
    one.nBoxReversal = 1;
    QxPointAndFigureParam flat;
    flat.minPercChange = 0.0;
    flat.minAbsBoxSize = 0.5;
    const struct {
        const char* file;
        const QxPointAndFigureParam p;
    } cases[] = {
        {"orcl-1995-2014.csv", QxPointAndFigureParam()},
        {"yhoo-1996-2014.csv", rounded},
        {"nvda-1999-2014.csv", one},
        {"2006-day-001-optix.csv", flat},
    };
    for (const auto& c : cases) {
        const TestSupport::OhlcvFixture f = TestSupport::loadOhlcvFixture(c.file);
        ASSERT_GT(f.size(), 200u) << c.file;
        Columns got;
        QxPnf::buildColumns(c.p, f.size(), f.high.data(), f.low.data(), f.close.data(), got.levels, got.starts);
        ASSERT_GT(got.starts.size(), 20u) << c.file;
        ASSERT_EQ(got.starts[0], 0u);
        double lowest = f.low[0], highest = f.high[0];
        for (size_t i = 0; i < f.size(); ++i) {
            lowest = std::min(lowest, f.low[i]);
            highest = std::max(highest, f.high[i]);
        }
        QxPnf::Ladder grown(c.p);
        grown.findBox(0, true, highest);
        std::vector<double> ladder;
        for (size_t i = 0; i < grown.size(); ++i)
            ladder.push_back(grown[i]);
        auto step = [&](double level) {
            const auto it = std::lower_bound(ladder.begin(), ladder.end(), level);
            EXPECT_TRUE(it != ladder.end() && *it == level) << c.file << ": a box off the ladder";
            return it - ladder.begin();
        };
        bool previousRises = false;
        for (size_t k = 0; k < got.starts.size(); ++k) {
            const size_t from = got.starts[k];
            const size_t to = k + 1 < got.starts.size() ? got.starts[k + 1] : got.levels.size();
            ASSERT_LT(from, to) << c.file << " column " << k << " is empty";
            // A later column starts one box beyond the end of the one before.
            const bool rises = k == 0 ? got.levels[1] > got.levels[0] : got.levels[from] > got.levels[from - 1];
            if (k > 0) {
                EXPECT_GE(to - from, size_t(c.p.nBoxReversal)) << c.file << " column " << k;
                EXPECT_NE(rises, previousRises) << c.file << " column " << k;
            } else {
                EXPECT_GE(to - from, size_t(c.p.nBoxReversal) + 1) << c.file;
            }
            for (size_t i = (k == 0 ? from + 1 : from); i < to; ++i) {
                const ptrdiff_t moved = step(got.levels[i]) - step(got.levels[i - 1]);
                EXPECT_EQ(moved, rises ? 1 : -1) << c.file << " column " << k << " box " << i;
            }
            previousRises = rises;
        }
        for (double level : got.levels) {
            EXPECT_LE(level, highest) << c.file;
            EXPECT_GE(level + QxPnf::boxSize(c.p, level), lowest) << c.file;
        }
    }
}

TEST(PnfCache, KeysNameTheParameters)
{
    EXPECT_EQ(QxPnf::cacheKey(QxPointAndFigureParam()), "0.250000:0.007500:3.000000:0.000000");
    QxPointAndFigureParam p = unitBoxes(2);
    p.boxSizeFactor = 0.5;
    EXPECT_EQ(QxPnf::cacheKey(p), "1.000000:0.000000:2.000000:0.500000");
    EXPECT_EQ(QxPnf::internCacheKey("data:x"), QxPnf::internCacheKey(std::string("data:") + "x"));
    EXPECT_NE(QxPnf::internCacheKey("data:x"), QxPnf::internCacheKey("newColIdx:x"));
}

TEST_F(PnfModel, ColumnsAreCachedPerParametersInTheCalculator)
{
    security->stored.reset(historyOf(TestSupport::loadOhlcvFixture("orcl-1995-2014.csv")));
    auto model = laidOut(QxPointAndFigureParam());
    QxArrayT<double> levels;
    QxArrayT<unsigned> starts;
    model->buildColumns(levels, starts);
    ASSERT_GT(starts.size(), 20u);
    EXPECT_EQ(levels.data(), model->boxLevels().data()) << "the second build comes from the cache";

    // A second chart of the security with the same parameters shares them.
    QxObjectSmartPtr<QxCalculator> other(new QxCalculator(security.get(), Qx::eDaily));
    QxPointAndFigure again(other.get());
    again.setParams(QxPointAndFigureParam());
    QxArrayT<double> shared;
    QxArrayT<unsigned> sharedStarts;
    again.buildColumns(shared, sharedStarts);
    EXPECT_EQ(shared.data(), levels.data());

    // Other parameters are other columns.
    QxPointAndFigureParam two;
    two.nBoxReversal = 2;
    again.setParams(two);
    again.buildColumns(shared, sharedStarts);
    EXPECT_NE(shared.data(), levels.data());
    EXPECT_GT(sharedStarts.size(), starts.size()) << "a smaller reversal turns more often";
}

TEST_F(PnfModel, LayoutPlacesTheNewestColumnsAndMapsValues)
{
    // Up 10 boxes, down 6, up 8: three columns on unit boxes.
    Bars bars;
    bars.add(10.5, 9.5, 10).add(20.0, 10, 20).add(20, 14.0, 14).add(22.0, 15, 22);
    security->stored.reset(historyOf(bars));
    auto model = laidOut(unitBoxes());
    ASSERT_EQ(model->numColumns(), 3u);
    EXPECT_EQ(model->lastColumn(), 2u);
    EXPECT_EQ(model->visibleColumns(), 3u);
    const int bp = model->boxPixels();
    EXPECT_EQ(bp, 20);
    EXPECT_EQ(model->plotWidth() % bp, 0);
    // Levels 10 to 22: 13 box rows below the title strip.
    ASSERT_EQ(model->levelY().size(), 13u);
    const int t = model->titleHeight();
    EXPECT_EQ(model->plotHeight(), 13 * bp);
    EXPECT_EQ(model->virtualHeight(), 13 * bp + 2 * t);
    EXPECT_EQ(model->levelY().at(10.0), t + 13 * bp);
    EXPECT_EQ(model->levelY().at(22.0), t + bp);
    EXPECT_EQ(model->min(), 10.0);
    EXPECT_EQ(model->max(), 22.0);
    EXPECT_TRUE(model->columnRises(0));
    EXPECT_FALSE(model->columnRises(1));
    EXPECT_EQ(model->columnScale().map(0.0), model->plotLeft());
    EXPECT_EQ(model->columnScale().map(2.0), model->plotLeft() + 2 * bp);

    const int y15 = model->levelY().at(15.0);
    const struct {
        double value;
        int y;
    } maps[] = {
        {15.0, y15},            // on a level
        {14.5, y15 + bp / 2 - 1}, // half a box below: -9.5 truncates toward zero
        {14.75, y15 + 4},       // a quarter box below 15
        {22.0, t + bp},         // the top level
        {30.0, t + bp},         // above the top: the top
        {10.0, t + 13 * bp},
        {9.0, t + 14 * bp - 1}, // below the lowest, one box further
    };
    for (const auto& m : maps)
        EXPECT_EQ(model->map(m.value), m.y) << m.value;
    EXPECT_EQ(model->map(-1e300), int(QxUniformScale::kPixelLimit)) << "saturates";
    EXPECT_EQ(model->map(std::numeric_limits<double>::infinity()), t + bp);

    const struct {
        int y;
        double value;
    } unmaps[] = {
        {y15, 15.0},
        {y15 + bp / 2, 14.5},
        {y15 - bp / 4, 15.25},
        {t, 23.0},              // above the top row's edge
        {t + 14 * bp, 9.0},     // below the lowest level
    };
    for (const auto& u : unmaps)
        EXPECT_DOUBLE_EQ(model->unmap(u.y), u.value) << u.y;

    // Scrolled back, the first column alone.
    model->setLastColumn(0);
    wxBitmap bitmap(1200, 100);
    wxMemoryDC dc(bitmap);
    model->layout(dc, 1200);
    EXPECT_EQ(model->lastColumn(), 2u) << "all columns fit: the last one stays in view";

    // A window too narrow for one column: no levels, maps give 0.
    model->layout(dc, 2 * model->plotLeft() + bp - 1);
    EXPECT_EQ(model->visibleColumns(), 0u);
    EXPECT_TRUE(model->levelY().empty());
    EXPECT_EQ(model->map(15.0), 0);
    EXPECT_EQ(model->unmap(100), 0.0);
}

// With a reversal of 1 a later column can hold one box: directions come
// from column 0 and alternate, whatever a column's own length. A lone box
// is drawn as an X.
TEST_F(PnfModel, ColumnDirectionsWithOneBoxColumns)
{
    Bars bars;
    bars.add(10.5, 9.5, 10).add(11.2, 10.1, 11).add(11.5, 10.6, 11).add(12.0, 11.0, 11.5).add(12.5, 10.9, 11);
    security->stored.reset(historyOf(bars));
    auto model = laidOut(unitBoxes(1));
    ASSERT_EQ(model->numColumns(), 4u);
    ASSERT_EQ(model->columnStarts()[2] - model->columnStarts()[1], 1u) << "column 1 holds one box";
    const bool rises[] = {true, false, true, false};
    for (unsigned k = 0; k < 4; ++k)
        EXPECT_EQ(model->columnRises(k), rises[k]) << k;

    // The first visible column may be the one-box column.
    model->setLastColumn(2);
    wxBitmap narrow(200, 100);
    wxMemoryDC dc(narrow);
    model->layout(dc, 2 * model->plotLeft() + 2 * model->boxPixels());
    ASSERT_EQ(model->firstVisibleColumn(), 1u);
    EXPECT_FALSE(model->columnRises(model->firstVisibleColumn()));

    Bars flat;
    flat.add(10.5, 9.5, 10).add(11.5, 9.0, 10);
    security.reset(new calctest::MemSecurity(42));
    security->stored.reset(historyOf(flat));
    auto lone = laidOut(unitBoxes(3));
    ASSERT_EQ(lone->boxLevels().size(), 1u);
    EXPECT_TRUE(lone->columnRises(0));
    wxBitmap picture(600, 200);
    {
        wxMemoryDC paint(picture);
        paint.SetBrush(*wxWHITE_BRUSH);
        lone->display(paint);
    }
    const wxImage img = picture.ConvertToImage();
    int green = 0, red = 0;
    for (int y = 0; y < img.GetHeight(); ++y)
        for (int x = 0; x < img.GetWidth(); ++x) {
            green += img.GetRed(x, y) == 0 && img.GetGreen(x, y) == 127 && img.GetBlue(x, y) == 0;
            red += img.GetRed(x, y) == 127 && img.GetGreen(x, y) == 0 && img.GetBlue(x, y) == 0;
        }
    EXPECT_GT(green, 10);
    EXPECT_EQ(red, 0);
}

TEST_F(PnfModel, ScrolledWindowShowsTheColumnsEndingAtTheLastOne)
{
    security->stored.reset(historyOf(TestSupport::loadOhlcvFixture("nvda-1999-2014.csv")));
    auto model = laidOut(QxPointAndFigureParam(), 800);
    const unsigned n = model->numColumns();
    ASSERT_GT(n / 2, model->visibleColumns());
    EXPECT_EQ(model->lastColumn(), n - 1);
    model->setLastColumn(n / 2);
    wxBitmap bitmap(800, 100);
    wxMemoryDC dc(bitmap);
    model->layout(dc, 800);
    EXPECT_EQ(model->lastColumn(), n / 2);
    EXPECT_EQ(model->firstVisibleColumn(), n / 2 - model->visibleColumns() + 1);
    // Exactly the levels of the visible columns are laid out.
    const unsigned first = model->firstVisibleColumn();
    std::set<double> visible(model->boxLevels().data() + model->columnStarts()[first],
                             model->boxLevels().data() + model->columnStarts()[n / 2 + 1]);
    ASSERT_EQ(model->levelY().size(), visible.size());
    EXPECT_EQ(model->levelY().begin()->first, *visible.begin());
    // Parameters from the dialog bring the newest columns back.
    model->setParams(model->params());
    model->layout(dc, 800);
    EXPECT_EQ(model->lastColumn(), n - 1);
}

TEST_F(PnfModel, NoHistoryGivesNoColumns)
{
    auto model = laidOut(QxPointAndFigureParam());
    EXPECT_EQ(model->numColumns(), 0u);
    EXPECT_EQ(model->visibleColumns(), 0u);
    EXPECT_EQ(model->lastColumn(), QxPointAndFigure::kNotPlaced);
    EXPECT_EQ(model->map(10.0), 0) << "no layout to map onto";
    EXPECT_EQ(model->unmap(10), 0.0);
}

TEST_F(PnfModel, AFundBuildsFromItsNetAssetValue)
{
    auto* fund = new QxPriceHistory(Qx::eFund, Qx::eDaily);
    fund->resize(3);
    const double nav[] = {10.2, 14.1, 9.0};
    for (int i = 0; i < 3; ++i) {
        fund->timestamp()[i] = makeTimestamp(4 + i, 8, 2014);
        fund->nav()[i] = nav[i];
    }
    security->stored.reset(fund);
    auto model = laidOut(unitBoxes());
    ASSERT_EQ(model->numColumns(), 2u);
    EXPECT_EQ(std::vector<double>(model->boxLevels().data(), model->boxLevels().data() + model->boxLevels().size()),
              (Levels{10, 11, 12, 13, 14, 13, 12, 11, 10, 9, 8}));
}

TEST_F(PnfModel, StoredParametersAreCheckedOnReading)
{
    security->stored.reset(historyOf(TestSupport::loadOhlcvFixture("orcl-1995-2014.csv")));
    const struct {
        double minBox, percent, factor;
        long reversal;
        QxPointAndFigureParam expected;
    } cases[] = {
        // A minimum box of 0 could never grow the ladder: the default.
        {0.0, 0.01, 0.0, 2, {0.25, 0.01, 0.0, 2}},
        {-1.0, 1.5, -0.5, 0, {0.25, 0.0075, 0.0, 3}},
        {0.5, 0.02, 0.25, 4, {0.5, 0.02, 0.25, 4}},
        {0.25, 0.0, 0.1, 1, {0.25, 0.0, 0.0, 1}}, // not a multiple: no rounding
    };
    for (const auto& c : cases) {
        QxPnf::currentParams() = QxPointAndFigureParam();
        wxConfigBase& s = store.store();
        s.Write("/preferences/pnf_config/minAbsBoxSize", c.minBox);
        s.Write("/preferences/pnf_config/minPercChange", c.percent);
        s.Write("/preferences/pnf_config/boxSizeFactor", c.factor);
        s.Write("/preferences/pnf_config/nBoxReversal", c.reversal);
        calc.reset(new QxCalculator(security.get(), Qx::eDaily));
        QxPointAndFigure model(calc.get());
        EXPECT_EQ(model.params(), c.expected) << c.minBox << " " << c.percent << " " << c.factor << " " << c.reversal;
        EXPECT_EQ(QxPnf::currentParams(), c.expected);
        wxBitmap bitmap(1000, 100);
        wxMemoryDC dc(bitmap);
        model.layout(dc, 1000);
        EXPECT_GT(model.numColumns(), 1u);
    }

    // The default written is what the next chart starts from.
    QxPointAndFigureParam mine{0.5, 0.01, 0.25, 2};
    QxPnf::storeAsDefault(&store.store(), mine);
    QxPnf::currentParams() = QxPointAndFigureParam();
    QxPointAndFigure next(calc.get());
    EXPECT_EQ(next.params(), mine);
}

TEST(PnfConfigChecks, TheDialogsSixChecksInOrder)
{
    const struct {
        const char* minBox;
        const char* percent;
        const char* reversal;
        const char* factor;
        int failed;
    } cases[] = {
        {"0.25", "0.75", "3", "0", 0},
        {"0.25", "0", "3", "0", 0},        // percentage 0 accepted
        {"0.25", "100", "3", "0", 2},      // 100 refused
        {"0.25", "99.99", "3", "0", 0},
        {"0.25", "-1", "3", "0", 2},
        {"0", "0.75", "3", "0", 1},
        {"abc", "0.75", "3", "0", 1},
        {"0.25", "0.75", "0", "0", 3},     // reversal 0 refused
        {"0.25", "0.75", "1.5", "0", 3},   // not an integer
        {"0.25", "0.75", "-2", "0", 3},
        {"0.25", "0.75", "1", "0", 0},
        {"0.25", "0.75", "3", "-0.1", 4},
        {"0.25", "0.75", "3", "0.1", 5},   // 0.25 is no multiple of 0.1
        {"0.25", "0.75", "3", "0.05", 0},  // five times 0.05
        {"0.25", "0.75", "3", "0.5", 5},   // larger than the box
        {" 2 ", "1", "2", "1", 0},
    };
    for (const auto& c : cases) {
        QxPointAndFigureParam p;
        EXPECT_EQ(checkPnfConfigTexts(c.minBox, c.percent, c.reversal, c.factor, p), c.failed)
            << c.minBox << " " << c.percent << " " << c.reversal << " " << c.factor;
    }
    // Settings that cannot give every price of the history a box of its
    // own are refused, with the field of the minimum box.
    const struct {
        const char* minBox;
        const char* percent;
        double highest;
        int failed;
    } reach[] = {
        {"0.01", "0", 20000.0, 0},
        {"0.01", "0", 60000.0, 6},
        {"0.01", "0.75", 1e9, 0}, // a percentage climbs fast
        {"0.0001", "0", 600.0, 6},
        {"0.0001", "0", 400.0, 0},
    };
    for (const auto& c : reach) {
        QxPointAndFigureParam p;
        EXPECT_EQ(checkPnfConfigTexts(c.minBox, c.percent, "3", "0", p, c.highest), c.failed)
            << c.minBox << " " << c.percent << " " << c.highest;
    }
    EXPECT_EQ(pnfCheckField(6), ePnfMinBox);
    EXPECT_EQ(pnfCheckMessage(6), QxPointAndFigure::tooManyLevelsText());
    QxPointAndFigureParam p;
    ASSERT_EQ(checkPnfConfigTexts("0.5", "1.25", "2", "0.25", p), 0);
    EXPECT_EQ(p, (QxPointAndFigureParam{0.5, 0.0125, 0.25, 2}));
    EXPECT_EQ(pnfCheckField(5), ePnfMinBox);
    EXPECT_EQ(pnfCheckField(3), ePnfReversal);
    EXPECT_EQ(pnfCheckMessage(3), "Please provide valid value for minimum number of box for considering price reversal");
}
