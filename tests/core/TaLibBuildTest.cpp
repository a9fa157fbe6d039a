// The TA-Lib build links and computes: a simple moving average over a short
// series checked against a mean computed here.
#include <gtest/gtest.h>
#include <ta_libc.h>

#include <numeric>
#include <vector>

TEST(TaLibBuild, SmaMatchesHandComputedMean)
{
    ASSERT_EQ(TA_Initialize(), TA_SUCCESS);
    std::vector<double> in(10);
    std::iota(in.begin(), in.end(), 1.0);
    std::vector<double> out(in.size());
    int begin = -1, count = -1;
    ASSERT_EQ(TA_SMA(0, 9, in.data(), 4, &begin, &count, out.data()), TA_SUCCESS);
    EXPECT_EQ(begin, 3);
    ASSERT_EQ(count, 7);
    for (int i = 0; i < count; ++i)
        EXPECT_DOUBLE_EQ(out[i], (in[i] + in[i + 1] + in[i + 2] + in[i + 3]) / 4.0);
}
