// Tagged values: equality across types, conversions, and the text form the
// XML files store.
#include "core/QxDataInfo.h"
#include "core/QxValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(QxValue, EqualityNeedsSameKnownTypeAndNumber)
{
    EXPECT_EQ(QxValue(int32_t(3)), QxValue(int32_t(3)));
    EXPECT_NE(QxValue(int32_t(3)), QxValue(uint32_t(3)));
    EXPECT_NE(QxValue(int32_t(3)), QxValue(3.0));
    EXPECT_NE(QxValue(int32_t(3)), QxValue(int32_t(4)));
    EXPECT_EQ(QxValue(2.5), QxValue(2.5));
    EXPECT_EQ(QxValue(int64_t(1) << 40), QxValue(int64_t(1) << 40));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_NE(QxValue(nan), QxValue(nan));
    // Unknown type numbers are never equal, not even to themselves.
    const QxValue odd = QxValue::fromRaw(9, 5);
    EXPECT_NE(odd, odd);
}

TEST(QxValue, Conversions)
{
    EXPECT_EQ(QxValue(2.9).convert(QxValue::eInt32), QxValue(int32_t(2)));
    EXPECT_EQ(QxValue(2.9).convert(QxValue::eInt64), QxValue(int64_t(2)));
    EXPECT_EQ(QxValue(-2.9).toInt32(), -2);
    EXPECT_EQ(QxValue(int32_t(-1)).convert(QxValue::eUns32), QxValue(uint32_t(4294967295u)));
    EXPECT_EQ(QxValue(int32_t(-1)).toInt64(), -1);
    EXPECT_EQ(QxValue(uint32_t(4294967295u)).toInt64(), 4294967295LL);
    EXPECT_EQ(QxValue(uint64_t(1) << 63).toDouble(), 9223372036854775808.0);
    EXPECT_EQ(QxValue(int32_t(7)).convert(QxValue::eFloat64), QxValue(7.0));
    EXPECT_EQ(QxValue(int32_t(7)).convert(QxValue::eFloat32), QxValue(7.0f));
    // Out of the table: zero of type int32.
    EXPECT_EQ(QxValue(7.5).convert(42), QxValue(int32_t(0)));
    const QxValue odd = QxValue::fromRaw(9, 5);
    EXPECT_EQ(odd.toInt32(), 0);
    EXPECT_EQ(odd.toDouble(), 0.0);
    // Numbers no integer can hold saturate instead of overflowing.
    EXPECT_EQ(QxValue(1e300).toInt32(), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(QxValue(-1e300).toInt64(), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(QxValue(std::nan("")).toInt32(), 0);
}

TEST(QxValue, TextForm)
{
    EXPECT_EQ(QxValue(int32_t(14)).toString(), "14L");
    EXPECT_EQ(QxValue(14.0).toString(), "14.000000D");
    EXPECT_EQ(QxValue(14.0f).toString(), "14.000000D");
    EXPECT_EQ(QxValue(uint32_t(4294967295u)).toString(), "-1L");
    // 2^32 + 5 keeps only its low 32 bits.
    EXPECT_EQ(QxValue((int64_t(1) << 32) + 5).toString(), "5L");
    EXPECT_EQ(QxValue(-0.5).toString(), "-0.500000D");

    struct Case {
        const char* text;
        QxValue expected;
    } cases[] = {
        {"14L", QxValue(int32_t(14))},    {"2.5L", QxValue(int32_t(3))},   {"-2.5l", QxValue(int32_t(-3))},
        {"-2L", QxValue(int32_t(-2))},    {"20.000000D", QxValue(20.0)},   {"20", QxValue(20.0)},
        {"  7.25x", QxValue(7.25)},       {"+3L", QxValue(int32_t(3))},    {"1e3D", QxValue(1000.0)},
        {"0.1234567D", QxValue(0.1234567)},
    };
    for (const Case& c : cases) {
        QxValue v(int32_t(99));
        ASSERT_TRUE(QxValue::fromString(c.text, v)) << c.text;
        EXPECT_EQ(v, c.expected) << c.text;
    }

    // Text that holds no number is refused and the value kept.
    for (const char* bad : {"", "   ", "L", "abc", "D14", "-", "+"}) {
        QxValue v(int32_t(99));
        EXPECT_FALSE(QxValue::fromString(bad, v)) << "'" << bad << "'";
        EXPECT_EQ(v, QxValue(int32_t(99))) << bad;
    }
}

TEST(QxValue, RoundTripThroughText)
{
    QxValue out;
    ASSERT_TRUE(QxValue::fromString(QxValue(int32_t(-123456)).toString(), out));
    EXPECT_EQ(out, QxValue(int32_t(-123456)));
    ASSERT_TRUE(QxValue::fromString(QxValue(3.14159265).toString(), out));
    EXPECT_EQ(out, QxValue(3.141593)); // six decimals
    ASSERT_TRUE(QxValue::fromString(QxValue(uint32_t(8)).toString(), out));
    EXPECT_EQ(out, QxValue(int32_t(8)));
    ASSERT_TRUE(QxValue::fromString(QxValue(1.5f).toString(), out));
    EXPECT_EQ(out, QxValue(1.5));
}

TEST(QxParamInfo, DisplayText)
{
    EXPECT_EQ(QxParamInfo(QxAtom("p"), "P", QxValue(int32_t(30))).displayText(), "30");
    EXPECT_EQ(QxParamInfo(QxAtom("p"), "P", QxValue(2.0)).displayText(), "2.00");
    EXPECT_EQ(QxParamInfo(QxAtom("p"), "P", QxValue(2.0f)).displayText(), "");
    EXPECT_EQ(QxParamInfo(QxAtom("p"), "P", QxValue(uint32_t(3))).displayText(), "");
}
