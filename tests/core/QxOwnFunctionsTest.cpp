// Trendoria's own indicator functions, called directly: values against
// calculations made here, the library's conventions for codes, begin index
// and lookbacks.
#include "support/Fixtures.h"
#include "core/ta/QxOwnFunctions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace
{

const int kDef = TA_INTEGER_DEFAULT;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Deterministic wavy closes with noise, for swing and oscillator tests.
std::vector<double> wavyCloses(int n)
{
    std::vector<double> c(static_cast<size_t>(n));
    unsigned seed = 12345;
    for (int i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        const double noise = static_cast<double>((seed >> 16) % 1000) / 1000.0 - 0.5;
        c[static_cast<size_t>(i)] = 100.0 + 12.0 * std::sin(i / 6.0) + 0.05 * i + 2.0 * noise;
    }
    return c;
}

// ---------------------------------------------------------------------------
// Independent calculations

// RSI as Wilder defines it, seeded with plain averages of the first
// `period` changes from bar 0; NaN before bar `period`.
std::vector<double> wilderRsi(const std::vector<double>& c, int p)
{
    std::vector<double> rsi(c.size(), kNaN);
    double gain = 0, loss = 0;
    for (int i = 1; i <= p; ++i) {
        const double d = c[i] - c[i - 1];
        (d > 0 ? gain : loss) += std::fabs(d);
    }
    gain /= p;
    loss /= p;
    rsi[p] = 100 * gain / (gain + loss);
    for (size_t i = p + 1; i < c.size(); ++i) {
        const double d = c[i] - c[i - 1];
        gain = (gain * (p - 1) + std::max(d, 0.0)) / p;
        loss = (loss * (p - 1) + std::max(-d, 0.0)) / p;
        rsi[i] = 100 * gain / (gain + loss);
    }
    return rsi;
}

// Mean of v over the n values ending at i; NaN when any is NaN or missing.
double trailingMean(const std::vector<double>& v, int i, int n)
{
    if (i - n + 1 < 0)
        return kNaN;
    double s = 0;
    for (int k = i - n + 1; k <= i; ++k)
        s += v[static_cast<size_t>(k)];
    return s / n;
}

struct SlowStoch
{
    std::vector<double> k, d;
};

// Slow stochastic (simple averages) of one series used as high, low and close.
SlowStoch slowStochastic(const std::vector<double>& x, int fastK, int slowK, int slowD)
{
    const int n = static_cast<int>(x.size());
    std::vector<double> fast(x.size(), kNaN);
    for (int i = fastK - 1; i < n; ++i) {
        double lo = x[i], hi = x[i];
        bool missing = false;
        for (int k = i - fastK + 1; k <= i; ++k) {
            missing = missing || std::isnan(x[k]);
            lo = std::min(lo, x[k]);
            hi = std::max(hi, x[k]);
        }
        fast[i] = missing ? kNaN : hi > lo ? 100 * (x[i] - lo) / (hi - lo) : 0.0;
    }
    SlowStoch s{std::vector<double>(x.size(), kNaN), std::vector<double>(x.size(), kNaN)};
    for (int i = 0; i < n; ++i)
        s.k[i] = trailingMean(fast, i, slowK);
    for (int i = 0; i < n; ++i)
        s.d[i] = trailingMean(s.k, i, slowD);
    return s;
}

// Zigzag swings of the close from bar `start`: each swing bar with the bar
// at which the reversal confirming it was seen.
struct Swings
{
    std::vector<int> bar, confirmedAt;
};

Swings zigzag(const std::vector<double>& c, int start, int end, double filterPercent)
{
    const double f = filterPercent / 100.0;
    Swings s{{start}, {start}};
    int dir = 0, ext = start;
    for (int i = start + 1; i <= end; ++i) {
        if (dir == 0) {
            const double r = c[i] / c[s.bar.back()] - 1;
            if (std::fabs(r) >= f) {
                dir = r > 0 ? 1 : -1;
                ext = i;
            }
        } else if ((dir > 0 && c[i] >= c[ext]) || (dir < 0 && c[i] <= c[ext])) {
            ext = i;
        } else if ((dir > 0 && c[i] <= c[ext] * (1 - f)) || (dir < 0 && c[i] >= c[ext] * (1 + f))) {
            s.bar.push_back(ext);
            s.confirmedAt.push_back(i);
            dir = -dir;
            ext = i;
        }
    }
    return s;
}

double g(double later, double earlier)
{
    return (later - earlier) / (later + earlier);
}

// The trend index of bar i in hindsight: the last 2W swings before i, each
// against the one two before it, plus the close against the swing before
// the latest.
double stxValue(const std::vector<double>& c, const Swings& s, int i, int waves)
{
    int m = 0;
    while (m < static_cast<int>(s.bar.size()) && s.bar[m] < i)
        ++m;
    double sum = 0;
    for (int t = m - 2 * waves; t + 2 <= m - 1; ++t)
        sum += g(c[s.bar[t + 2]], c[s.bar[t]]);
    return 100 * (sum + g(c[i], c[s.bar[m - 2]]));
}

} // namespace

// ---------------------------------------------------------------------------

TEST(QxOwnFunctions, VolumeIndicesOverThreeBars)
{
    const double close[] = {10, 11, 12};
    const double volume[] = {100, 90, 95};
    double out[3] = {};
    int beg = -1, n = -1;

    ASSERT_EQ(QX_NVI(0, 2, close, volume, &beg, &n, out), TA_SUCCESS);
    EXPECT_EQ(beg, 0);
    ASSERT_EQ(n, 3);
    EXPECT_DOUBLE_EQ(out[0], 100.0);
    EXPECT_DOUBLE_EQ(out[1], 110.0);   // volume fell: follows 10 -> 11
    EXPECT_DOUBLE_EQ(out[2], 110.0);   // volume rose: stays

    ASSERT_EQ(QX_PVI(0, 2, close, volume, &beg, &n, out), TA_SUCCESS);
    ASSERT_EQ(n, 3);
    EXPECT_DOUBLE_EQ(out[0], 100.0);
    EXPECT_DOUBLE_EQ(out[1], 100.0);
    EXPECT_DOUBLE_EQ(out[2], 100.0 * 12.0 / 11.0);

    // The index starts afresh at the window's first bar.
    ASSERT_EQ(QX_PVI(1, 2, close, volume, &beg, &n, out), TA_SUCCESS);
    EXPECT_EQ(beg, 1);
    ASSERT_EQ(n, 2);
    EXPECT_DOUBLE_EQ(out[0], 100.0);
    EXPECT_DOUBLE_EQ(out[1], 100.0 * 12.0 / 11.0);
}

TEST(QxOwnFunctions, VolumeIndexIgnoresAZeroPreviousClose)
{
    const double close[] = {0, 5, 6};
    const double volume[] = {10, 5, 1};
    double out[3] = {};
    int beg = -1, n = -1;
    ASSERT_EQ(QX_NVI(0, 2, close, volume, &beg, &n, out), TA_SUCCESS);
    EXPECT_DOUBLE_EQ(out[1], 100.0);
    EXPECT_DOUBLE_EQ(out[2], 120.0);
}

TEST(QxOwnFunctions, BalanceOfPowerPerBar)
{
    // Bar 0: (11 - 10) / (12 - 8); bar 1 flat; bar 2 inverted (high below low).
    const double open[] = {10, 5, 5}, high[] = {12, 5, 4}, low[] = {8, 5, 6}, close[] = {11, 5, 7};
    double out[3] = {-1, -1, -1};
    int beg = -1, n = -1;
    ASSERT_EQ(QX_BOP(0, 2, open, high, low, close, 1, 0, &beg, &n, out), TA_SUCCESS);
    EXPECT_EQ(beg, 0);
    ASSERT_EQ(n, 3);
    EXPECT_DOUBLE_EQ(out[0], 0.25);
    EXPECT_DOUBLE_EQ(out[1], 0.0);
    EXPECT_DOUBLE_EQ(out[2], 0.0);
}

TEST(QxOwnFunctions, BalanceOfPowerSmoothedWithDefaults)
{
    const TestSupport::OhlcvFixture f = TestSupport::loadOhlcvFixture("orcl-1995-2014.csv", 200);
    ASSERT_EQ(f.size(), 200u);
    std::vector<double> raw(f.size()), out(f.size());
    for (size_t i = 0; i < f.size(); ++i) {
        const double range = f.high[i] - f.low[i];
        raw[i] = range < 1e-8 ? 0.0 : (f.close[i] - f.open[i]) / range;
    }
    int beg = -1, n = -1;
    ASSERT_EQ(QX_BOP(0, 199, f.open.data(), f.high.data(), f.low.data(), f.close.data(), kDef,
                     kDef, &beg, &n, out.data()),
              TA_SUCCESS);
    EXPECT_EQ(beg, 13);
    ASSERT_EQ(n, 187);
    for (int j = 0; j < n; ++j)
        ASSERT_NEAR(out[j], trailingMean(raw, beg + j, 14), 1e-12) << "bar " << beg + j;

    // Too few bars: no output, no error.
    ASSERT_EQ(QX_BOP(0, 12, f.open.data(), f.high.data(), f.low.data(), f.close.data(), kDef,
                     kDef, &beg, &n, out.data()),
              TA_SUCCESS);
    EXPECT_EQ(n, 0);
}

TEST(QxOwnFunctions, StochRsiMatchesRsiAndSlowStochastic)
{
    const std::vector<double> c = wavyCloses(120);
    const int last = static_cast<int>(c.size()) - 1;
    struct Case
    {
        int period, fastK, slowK, slowD, start;
    };
    const Case cases[] = {
        {14, 5, 3, 3, 0},    // defaults: first value at bar 14 + 8
        {5, 3, 2, 2, 0},
        {14, 5, 3, 3, 40},   // RSI seeded at 40 - 8 - 14
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::Message() << "period " << k.period << " start " << k.start);
        const int stochLookback = (k.fastK - 1) + (k.slowK - 1) + (k.slowD - 1);
        const int first = std::max(k.start, k.period + stochLookback);
        const int seed = first - stochLookback - k.period;
        const std::vector<double> sub(c.begin() + seed, c.end());
        const SlowStoch expected = slowStochastic(wilderRsi(sub, k.period), k.fastK, k.slowK, k.slowD);

        std::vector<double> outK(c.size()), outD(c.size());
        int beg = -1, n = -1;
        ASSERT_EQ(QX_STOCHRSI(k.start, last, c.data(), k.period, k.fastK, k.slowK, 0, k.slowD, 0,
                              &beg, &n, outK.data(), outD.data()),
                  TA_SUCCESS);
        EXPECT_EQ(beg, first);
        ASSERT_EQ(n, last - first + 1);
        EXPECT_TRUE(std::isnan(expected.d[first - seed - 1]));   // nothing computable before
        for (int j = 0; j < n; ++j) {
            ASSERT_NEAR(outK[j], expected.k[beg + j - seed], 1e-9) << "bar " << beg + j;
            ASSERT_NEAR(outD[j], expected.d[beg + j - seed], 1e-9) << "bar " << beg + j;
        }
    }
    EXPECT_EQ(QX_STOCHRSI_Lookback(kDef, kDef, kDef, kDef, kDef, kDef), 22);
}

TEST(QxOwnFunctions, StochRsiShortWindowGivesNothing)
{
    const std::vector<double> c = wavyCloses(30);
    double k[30], d[30];
    int beg = -1, n = -1;
    ASSERT_EQ(QX_STOCHRSI(0, 21, c.data(), kDef, kDef, kDef, kDef, kDef, kDef, &beg, &n, k, d),
              TA_SUCCESS);
    EXPECT_EQ(beg, 0);
    EXPECT_EQ(n, 0);
    ASSERT_EQ(QX_STOCHRSI(0, 22, c.data(), kDef, kDef, kDef, kDef, kDef, kDef, &beg, &n, k, d),
              TA_SUCCESS);
    EXPECT_EQ(beg, 22);
    EXPECT_EQ(n, 1);
}

TEST(QxOwnFunctions, VolumeIndexAveragesFromALaterStart)
{
    // Outputs sized to the window exactly: the average must read the index's
    // own positions, not bar numbers past their end.
    const TestSupport::OhlcvFixture f = TestSupport::loadOhlcvFixture("yhoo-1996-2014.csv", 80);
    const int start = 30, end = 79, n = end - start + 1, period = 5;
    std::vector<double> nvi(n);
    int b = -1, cnt = -1;
    ASSERT_EQ(QX_NVI(start, end, f.close.data(), f.volume.data(), &b, &cnt, nvi.data()), TA_SUCCESS);

    std::vector<double> outIndex(n), outMa(n);
    ASSERT_EQ(QX_NVIMA(start, end, f.close.data(), f.volume.data(), period, 0, &b, &cnt,
                       outIndex.data(), outMa.data()),
              TA_SUCCESS);
    EXPECT_EQ(b, start + period - 1);
    ASSERT_EQ(cnt, n - period + 1);
    for (int j = 0; j < cnt; ++j) {
        ASSERT_DOUBLE_EQ(outIndex[j], nvi[j + period - 1]);
        ASSERT_NEAR(outMa[j], trailingMean(nvi, j + period - 1, period), 1e-9);
    }

    std::vector<double> pvi(n);
    ASSERT_EQ(QX_PVI(start, end, f.close.data(), f.volume.data(), &b, &cnt, pvi.data()), TA_SUCCESS);
    std::vector<double> m(n), s(n), h(n), em(n), es(n), eh(n);
    int eb = -1, ecnt = -1;
    ASSERT_EQ(TA_MACDEXT(0, n - 1, pvi.data(), 12, TA_MAType_EMA, 26, TA_MAType_SMA, 5,
                         TA_MAType_SMA, &eb, &ecnt, em.data(), es.data(), eh.data()),
              TA_SUCCESS);
    ASSERT_EQ(QX_PVI_MACD(start, end, f.close.data(), f.volume.data(), 12, 1, 26, 0, 5, 0, &b,
                          &cnt, m.data(), s.data(), h.data()),
              TA_SUCCESS);
    EXPECT_EQ(b, start + eb);
    ASSERT_EQ(cnt, ecnt);
    ASSERT_GT(cnt, 0);
    for (int j = 0; j < cnt; ++j) {
        ASSERT_DOUBLE_EQ(m[j], em[j]);
        ASSERT_DOUBLE_EQ(s[j], es[j]);
        ASSERT_DOUBLE_EQ(h[j], eh[j]);
    }

    // A window shorter than the averages: nothing, and no error.
    ASSERT_EQ(QX_PVI_MACD(start, start + 20, f.close.data(), f.volume.data(), kDef, kDef, kDef,
                          kDef, kDef, kDef, &b, &cnt, m.data(), s.data(), h.data()),
              TA_SUCCESS);
    EXPECT_EQ(cnt, 0);
}

TEST(QxOwnFunctions, TrendIndexByHand)
{
    // Swings at bars 0 (start), 1, 2, 3, 4, 5 with a 5% filter; with two
    // waves the fourth swing point (bar 3, confirmed at bar 4) starts output.
    const double c[] = {100, 110, 104, 116, 109, 122, 114};
    const double* ohl = c;   // not used, only required
    double out[7] = {};
    int beg = -1, n = -1;
    ASSERT_EQ(QX_STX(0, 6, ohl, ohl, ohl, c, 5.0, 2, &beg, &n, out), TA_SUCCESS);
    EXPECT_EQ(beg, 4);
    ASSERT_EQ(n, 3);
    EXPECT_NEAR(out[0], 100 * (g(104, 100) + g(116, 110) + g(109, 104)), 1e-12);
    EXPECT_NEAR(out[1], 100 * (g(116, 110) + g(109, 104) + g(122, 116)), 1e-12);
    EXPECT_NEAR(out[2], 100 * (g(109, 104) + g(122, 116) + g(114, 109)), 1e-12);
}

TEST(QxOwnFunctions, TrendIndexMatchesSwingsInHindsight)
{
    const TestSupport::OhlcvFixture f = TestSupport::loadOhlcvFixture("orcl-1995-2014.csv", 600);
    struct Case
    {
        const char* what;
        std::vector<double> close;
        int start;
        double filter;
        int waves;
    };
    const Case cases[] = {
        {"wavy, defaults", wavyCloses(400), 0, 5.0, 3},
        {"wavy, later start", wavyCloses(400), 37, 8.0, 2},
        {"orcl, defaults", f.close, 0, 5.0, 3},
        {"orcl, fine filter", f.close, 10, 2.5, 4},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const std::vector<double>& c = k.close;
        const int end = static_cast<int>(c.size()) - 1;
        const Swings s = zigzag(c, k.start, end, k.filter);
        ASSERT_GE(s.bar.size(), static_cast<size_t>(2 * k.waves + 2)) << "fixture too calm";
        // The first value stands at the bar confirming swing point 2W.
        const int first = s.confirmedAt[2 * k.waves - 1];

        std::vector<double> out(c.size(), kNaN);
        int beg = -1, n = -1;
        ASSERT_EQ(QX_STX(k.start, end, c.data(), c.data(), c.data(), c.data(), k.filter, k.waves,
                         &beg, &n, out.data()),
                  TA_SUCCESS);
        EXPECT_EQ(beg, first);
        ASSERT_EQ(n, end - first + 1);
        for (int j = 0; j < n; ++j)
            ASSERT_NEAR(out[j], stxValue(c, s, beg + j, k.waves), 1e-9) << "bar " << beg + j;
    }
}

TEST(QxOwnFunctions, TrendIndexWithoutEnoughSwings)
{
    // Never moves by the filter: no swing, no output.
    std::vector<double> c(50);
    for (size_t i = 0; i < c.size(); ++i)
        c[i] = 100 + (i % 2 ? 4.9 : 0.0);
    std::vector<double> out(c.size());
    int beg = -1, n = -1;
    ASSERT_EQ(QX_STX(0, 49, c.data(), c.data(), c.data(), c.data(), TA_REAL_DEFAULT, kDef, &beg,
                     &n, out.data()),
              TA_SUCCESS);
    EXPECT_EQ(beg, 0);
    EXPECT_EQ(n, 0);
}

TEST(QxOwnFunctions, TrendIndexAcceptsTheCheckedRanges)
{
    // The computation takes a filter of 0 and a single wave, below the
    // published ranges.
    const std::vector<double> c = wavyCloses(60);
    std::vector<double> out(c.size());
    int beg = -1, n = -1;
    EXPECT_EQ(QX_STX(0, 59, c.data(), c.data(), c.data(), c.data(), 0.0, 1, &beg, &n, out.data()),
              TA_SUCCESS);
    EXPECT_GT(n, 0);
    EXPECT_EQ(QX_STX_Lookback(0.0, 1), 0);
    EXPECT_EQ(QX_STX_Lookback(-0.5, 3), -1);
    EXPECT_EQ(QX_STX_Lookback(5.0, 0), -1);
}

TEST(QxOwnFunctions, RahulMohindarOscillator)
{
    const TestSupport::OhlcvFixture f = TestSupport::loadOhlcvFixture("nvda-1999-2014.csv", 400);
    ASSERT_EQ(f.size(), 400u);
    EXPECT_EQ(QX_RMO_Lookback(kDef, kDef, kDef), 80);

    struct Case
    {
        int shortP, mediumP, longP, start;
    };
    const Case cases[] = {{2, 30, 81, 0}, {2, 30, 81, 150}, {3, 10, 20, 0}};
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::Message() << k.shortP << "/" << k.mediumP << "/" << k.longP
                                          << " from " << k.start);
        const int lookback = std::max(k.longP - 1, std::max(10 * (k.shortP - 1), 9));
        ASSERT_EQ(QX_RMO_Lookback(k.shortP, k.mediumP, k.longP), lookback);
        const int begin = std::max(k.start, lookback);
        const int from = begin - lookback;   // the computation looks back this far
        const int end = static_cast<int>(f.size()) - 1;

        // Ten nested simple averages of the close, from bar `from`.
        std::vector<double> level(f.close.begin() + from, f.close.end());
        std::vector<double> sum(level.size(), 0.0);
        for (int l = 0; l < 10; ++l) {
            std::vector<double> next(level.size(), kNaN);
            for (int i = 0; i < static_cast<int>(level.size()); ++i)
                next[i] = trailingMean(level, i, k.shortP);
            for (size_t i = 0; i < sum.size(); ++i)
                sum[i] += next[i];
            level = next;
        }
        const int swingBegin = std::max(10 * (k.shortP - 1), 9);
        std::vector<double> rmo, sig, osc;
        double e1 = 0, e2 = 0, e3 = 0;
        for (int i = swingBegin; i < static_cast<int>(sum.size()); ++i) {
            const auto w = f.close.begin() + from + i - 9;
            const double hh = *std::max_element(w, w + 10), ll = *std::min_element(w, w + 10);
            const double swing = 100 * (f.close[from + i] - sum[i] / 10) / (hh - ll);
            if (i == swingBegin) {
                e1 = e2 = e3 = swing;
            } else {
                e1 += 2.0 / (k.longP + 1) * (swing - e1);
                e2 += 2.0 / (k.mediumP + 1) * (swing - e2);
                e3 += 2.0 / (k.mediumP + 1) * (e2 - e3);
            }
            if (i >= lookback) {
                rmo.push_back(e1);
                sig.push_back(e2);
                osc.push_back(e2 - e3);
            }
        }

        std::vector<double> o1(f.size()), o2(f.size()), o3(f.size());
        int beg = -1, n = -1;
        ASSERT_EQ(QX_RMO(k.start, end, f.high.data(), f.low.data(), f.close.data(), k.shortP,
                         k.mediumP, k.longP, &beg, &n, o1.data(), o2.data(), o3.data()),
                  TA_SUCCESS);
        EXPECT_EQ(beg, begin);
        ASSERT_EQ(n, end - begin + 1);
        ASSERT_EQ(rmo.size(), static_cast<size_t>(n));
        for (int j = 0; j < n; ++j) {
            ASSERT_NEAR(o1[j], rmo[j], 1e-9) << "bar " << beg + j;
            ASSERT_NEAR(o2[j], sig[j], 1e-9) << "bar " << beg + j;
            ASSERT_NEAR(o3[j], osc[j], 1e-9) << "bar " << beg + j;
        }
    }
}

TEST(QxOwnFunctions, RahulMohindarOscillatorFollowsTheTrend)
{
    // A steady rise sits above its averages: every output positive but the
    // histogram, which settles at 0 once the signal line is straight.
    std::vector<double> c(200);
    for (size_t i = 0; i < c.size(); ++i)
        c[i] = 50.0 + i;
    std::vector<double> o1(200), o2(200), o3(200);
    int beg = -1, n = -1;
    ASSERT_EQ(QX_RMO(0, 199, c.data(), c.data(), c.data(), kDef, kDef, kDef, &beg, &n, o1.data(),
                     o2.data(), o3.data()),
              TA_SUCCESS);
    ASSERT_EQ(beg, 80);
    ASSERT_EQ(n, 120);
    for (int j = 0; j < n; ++j) {
        EXPECT_GT(o1[j], 0.0);
        EXPECT_GT(o2[j], 0.0);
        EXPECT_NEAR(o3[j], 0.0, 1e-6);
    }
}

// Every function checks startIdx, endIdx, inputs, parameters and outputs in
// that order, with the library's codes.
TEST(QxOwnFunctions, ResultCodes)
{
    const std::vector<double> v = wavyCloses(100);
    const double* p = v.data();
    std::vector<double> o(100);
    double* q = o.data();
    int b = 0, n = 0;
    using Call = std::function<TA_RetCode()>;
    struct Case
    {
        const char* what;
        Call call;
        TA_RetCode code;
    };
    const Case cases[] = {
        {"BOP start < 0", [&] { return QX_BOP(-1, 9, p, p, p, p, 5, 0, &b, &n, q); }, TA_OUT_OF_RANGE_START_INDEX},
        {"BOP start < 0 before null input", [&] { return QX_BOP(-1, 9, nullptr, p, p, p, 5, 0, &b, &n, q); }, TA_OUT_OF_RANGE_START_INDEX},
        {"BOP end < start", [&] { return QX_BOP(5, 4, p, p, p, p, 5, 0, &b, &n, q); }, TA_OUT_OF_RANGE_END_INDEX},
        {"BOP end < 0", [&] { return QX_BOP(0, -1, p, p, p, p, 5, 0, &b, &n, q); }, TA_OUT_OF_RANGE_END_INDEX},
        {"BOP null input before bad period", [&] { return QX_BOP(0, 9, p, p, nullptr, p, 0, 0, &b, &n, q); }, TA_BAD_PARAM},
        {"BOP period 0", [&] { return QX_BOP(0, 9, p, p, p, p, 0, 0, &b, &n, q); }, TA_BAD_PARAM},
        {"BOP MA type 9", [&] { return QX_BOP(0, 9, p, p, p, p, 5, 9, &b, &n, q); }, TA_BAD_PARAM},
        {"BOP null output", [&] { return QX_BOP(0, 9, p, p, p, p, 5, 0, &b, &n, nullptr); }, TA_BAD_PARAM},
        {"STOCHRSI period 1", [&] { return QX_STOCHRSI(0, 99, p, 1, 5, 3, 0, 3, 0, &b, &n, q, q); }, TA_BAD_PARAM},
        {"STOCHRSI slow-D type -1", [&] { return QX_STOCHRSI(0, 99, p, 14, 5, 3, 0, 3, -1, &b, &n, q, q); }, TA_BAD_PARAM},
        {"STOCHRSI null slow-D", [&] { return QX_STOCHRSI(0, 99, p, 14, 5, 3, 0, 3, 0, &b, &n, q, nullptr); }, TA_BAD_PARAM},
        {"NVI null volume", [&] { return QX_NVI(0, 9, p, nullptr, &b, &n, q); }, TA_BAD_PARAM},
        {"PVI end < start", [&] { return QX_PVI(3, 2, p, p, &b, &n, q); }, TA_OUT_OF_RANGE_END_INDEX},
        {"NVIMA period 100001", [&] { return QX_NVIMA(0, 99, p, p, 100001, 0, &b, &n, q, q); }, TA_BAD_PARAM},
        {"PVIMA null second output", [&] { return QX_PVIMA(0, 99, p, p, 5, 0, &b, &n, q, nullptr); }, TA_BAD_PARAM},
        {"PVI_MACD fast 1", [&] { return QX_PVI_MACD(0, 99, p, p, 1, 0, 50, 0, 5, 0, &b, &n, q, q, q); }, TA_BAD_PARAM},
        {"PVI_MACD signal 0", [&] { return QX_PVI_MACD(0, 99, p, p, 30, 0, 50, 0, 0, 0, &b, &n, q, q, q); }, TA_BAD_PARAM},
        {"RMO long 0", [&] { return QX_RMO(0, 99, p, p, p, 2, 30, 0, &b, &n, q, q, q); }, TA_BAD_PARAM},
        {"RMO null low", [&] { return QX_RMO(0, 99, p, nullptr, p, 2, 30, 81, &b, &n, q, q, q); }, TA_BAD_PARAM},
        {"STX negative filter", [&] { return QX_STX(0, 99, p, p, p, p, -1.0, 3, &b, &n, q); }, TA_BAD_PARAM},
        {"STX no waves", [&] { return QX_STX(0, 99, p, p, p, p, 5.0, 0, &b, &n, q); }, TA_BAD_PARAM},
        {"STX null open", [&] { return QX_STX(0, 99, nullptr, p, p, p, 5.0, 3, &b, &n, q); }, TA_BAD_PARAM},
        {"STX filter beyond 3e37", [&] { return QX_STX(0, 99, p, p, p, p, 4e37, 3, &b, &n, q); }, TA_BAD_PARAM},
    };
    for (const Case& k : cases)
        EXPECT_EQ(k.call(), k.code) << k.what;
}

TEST(QxOwnFunctions, LookbacksAndTheirRanges)
{
    EXPECT_EQ(QX_BOP_Lookback(kDef, kDef), 13);
    EXPECT_EQ(QX_BOP_Lookback(1, 0), 0);
    EXPECT_EQ(QX_BOP_Lookback(0, 0), -1);
    EXPECT_EQ(QX_BOP_Lookback(14, 9), -1);
    EXPECT_EQ(QX_STOCHRSI_Lookback(kDef, kDef, kDef, kDef, kDef, kDef), 22);
    EXPECT_EQ(QX_STOCHRSI_Lookback(1, 5, 3, 0, 3, 0), -1);
    EXPECT_EQ(QX_NVI_Lookback(), 0);
    EXPECT_EQ(QX_PVI_Lookback(), 0);
    EXPECT_EQ(QX_NVIMA_Lookback(kDef, kDef), 29);
    EXPECT_EQ(QX_PVIMA_Lookback(10, 0), 9);
    EXPECT_EQ(QX_PVIMA_Lookback(10, 12), -1);
    EXPECT_EQ(QX_PVI_MACD_Lookback(kDef, kDef, kDef, kDef, kDef, kDef),
              TA_MACDEXT_Lookback(30, TA_MAType_SMA, 50, TA_MAType_SMA, 5, TA_MAType_SMA));
    EXPECT_EQ(QX_PVI_MACD_Lookback(30, 0, 1, 0, 5, 0), -1);
    EXPECT_EQ(QX_RMO_Lookback(kDef, kDef, kDef), 80);
    EXPECT_EQ(QX_RMO_Lookback(2, 30, 0), -1);
    EXPECT_EQ(QX_STX_Lookback(TA_REAL_DEFAULT, kDef), 0);
}
