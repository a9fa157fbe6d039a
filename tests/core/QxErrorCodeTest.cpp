// Result codes and their texts.
#include <gtest/gtest.h>

#include "core/QxErrorCode.h"

#include <limits>
#include <set>

TEST(QxErrorCode, Descriptions)
{
    const struct {
        int code;
        const char* text;
    } cases[] = {
        {eNoError, "No Error"},
        {eInvalidIndicatorName, "eInvalidIndicatorName"},
        {eNotInvalidPlugin, "eNotInvalidPlugin"},
        {eValueStoredIsOfDifferentType, "eValueStoredIsOfDifferentType"},
        {eNoActiveTransaction, "eNoActiveTransaction"},
        {eInvalidSecurityType, "eInvalidSecurityType"},
        {eCancelledByUser, "eCancelledByUser"},
        {eBadFormat, "eBadFormat"},
        {eUnknownError, "eUnknownError"},
        {69, "UNKNOWN ERROR"},
        {-1, "UNKNOWN ERROR"},
        {-5, "The database is in use by another program."},
        {-8, "The database is read-only."},
        {-11, "The database file is damaged or is not a database."},
        {-13, "The disk is full."},
        {1000000, "UNKNOWN ERROR"},
        {std::numeric_limits<int>::min(), "UNKNOWN ERROR"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(qxErrorDesc(c.code), wxString(c.text));
    }
}

TEST(QxErrorCode, NumbersOthersRelyOn)
{
    EXPECT_EQ(eFailedToLoadPlugin, 6);
    EXPECT_EQ(eNotInvalidPlugin, 7);
    EXPECT_EQ(eDataNotFound, 28);
    EXPECT_EQ(eInvalidSecurityType, 38);
    EXPECT_EQ(eCancelledByUser, 48);
    EXPECT_EQ(eInvalidCountry, 65);
    EXPECT_EQ(eUnknownError, 68);

    // Every code has its own text, and it is its name.
    std::set<wxString> texts;
    for (int code = 1; code <= eUnknownError; ++code) {
        const wxString text = qxErrorDesc(code);
        EXPECT_TRUE(text.StartsWith("e")) << code;
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), size_t(eUnknownError));
}
