// Value-to-pixel mapping, linear and logarithmic, vertical and horizontal.
#include "chart/QxUniformScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct MapCase {
    const char* what;
    double lower, upper;
    int firstPixel, secondPixel;
    bool log;
    double value;
    int pixel;
};

} // namespace

TEST(QxUniformScale, MapsAndUnmaps)
{
    const MapCase cases[] = {
        // vertical: lower at the bottom (larger y)
        {"vertical linear, lower end", 0, 100, 500, 100, false, 0, 500},
        {"vertical linear, upper end", 0, 100, 500, 100, false, 100, 100},
        {"vertical linear, middle", 0, 100, 500, 100, false, 50, 300},
        {"vertical linear, negative range", -20, -10, 300, 100, false, -15, 200},
        {"vertical linear, beyond upper", 0, 100, 500, 100, false, 150, -99}, // trunc(-99.5)
        // horizontal: bars left to right
        {"horizontal linear", 10, 20, 100, 300, false, 15, 200},
        {"horizontal linear, fraction rounds half up", 0, 10, 0, 21, false, 5, 11},
        {"horizontal log", 1, 100, 0, 400, true, 10, 200},
        {"vertical log", 1, 1000, 600, 0, true, 10, 400},
        {"vertical log, upper end", 1, 1000, 600, 0, true, 1000, 0},
        {"log asked, lower 0: linear", 0, 100, 500, 100, true, 50, 300},
        {"log asked, negative: linear", -50, 50, 500, 100, true, 0, 300},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QxUniformScale s;
        s.setup(c.lower, c.upper, c.firstPixel, c.secondPixel, c.log);
        EXPECT_EQ(s.isLogarithmic(), c.log && c.lower > 0 && c.upper > 0);
        EXPECT_EQ(s.map(c.value), c.pixel);
        // (Below pixel 0 truncation toward zero moves half-way values up.)
        if (c.pixel >= 0) {
            EXPECT_EQ(s.map(s.unmap(c.pixel)), c.pixel) << "unmap is the inverse";
        }
    }
}

TEST(QxUniformScale, UnmapGivesFractionalValues)
{
    struct Case {
        double lower, upper;
        int firstPixel, secondPixel;
        bool log;
        int pixel;
        double value;
    } cases[] = {
        {0, 100, 500, 100, false, 300, 50.0},
        {0, 100, 500, 100, false, 301, 49.75},
        {0, 10, 0, 21, false, 11, 11.0 / 2.1},
        {1, 100, 0, 400, true, 200, 10.0},
        {1, 1000, 600, 0, true, 300, std::sqrt(1000.0)},
    };
    for (const auto& c : cases) {
        QxUniformScale s;
        s.setup(c.lower, c.upper, c.firstPixel, c.secondPixel, c.log);
        EXPECT_NEAR(s.unmap(c.pixel), c.value, 1e-9 * (1 + std::fabs(c.value))) << c.pixel;
    }
}

TEST(QxUniformScale, RoundsTowardZeroAfterAddingAHalf)
{
    QxUniformScale s; // factor 1, offset 0
    s.setup(0, 100, 0, 100, false);
    EXPECT_EQ(s.map(10.5), 11);
    EXPECT_EQ(s.map(10.49), 10);
    EXPECT_EQ(s.map(-3.7), -3); // trunc(-3.2)
}

TEST(QxUniformScale, DegenerateScales)
{
    QxUniformScale def;
    EXPECT_EQ(def.lower(), 0.0);
    EXPECT_EQ(def.upper(), -1.0);
    EXPECT_EQ(def.map(7.0), 7);

    QxUniformScale flat;
    flat.setup(5, 5, 300, 100, false);
    EXPECT_EQ(flat.factor(), 0.0);
    EXPECT_EQ(flat.unmap(123), 0.0);
    EXPECT_EQ(flat.map(1e6), 300);
    EXPECT_FALSE((flat.setup(5, 5, 300, 100, true), flat.isLogarithmic()));
}

TEST(QxUniformScale, ValuesItCannotPlaceStillGetAPixel)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QxUniformScale log;
    log.setup(1, 100, 500, 100, true);
    ASSERT_TRUE(log.isLogarithmic());
    // Zero and negative values lie below the bottom of the zone.
    for (double v : {0.0, -5.0, -inf})
        EXPECT_GT(log.map(v), 500) << v;
    EXPECT_EQ(log.map(nan), 500);

    QxUniformScale lin;
    lin.setup(0, 1, 1000, 0, false);
    EXPECT_EQ(lin.map(1e300), -static_cast<int>(QxUniformScale::kPixelLimit));
    EXPECT_EQ(lin.map(-1e300), static_cast<int>(QxUniformScale::kPixelLimit));
    EXPECT_EQ(lin.map(inf), -static_cast<int>(QxUniformScale::kPixelLimit));
    EXPECT_EQ(lin.map(nan), 1000);

    QxUniformScale broken;
    broken.setup(-inf, inf, 500, 100, false);
    (void)broken.map(3.0); // any pixel, no failure
    (void)broken.unmap(200);
    broken.setup(nan, nan, 500, 100, true);
    EXPECT_FALSE(broken.isLogarithmic());
    (void)broken.map(3.0);
}
