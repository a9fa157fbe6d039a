// Asset-class and country tables: lookups, fallbacks and clamping.
#include <gtest/gtest.h>

#include "core/QxAssetClass.h"
#include "core/QxCountryInfoTable.h"

#include <cstring>
#include <set>

TEST(QxAssetClassTable, LookupByCodeFallsBackToStock)
{
    QxAssetClassTable table;
    const struct {
        const char* code;
        const char* expectedCode;
        const char* name;
        Qx::QxSecurityType type;
    } cases[] = {
        {"EQ", "EQ", "Equity", Qx::eStock},
        {"EQFU", "EQFU", "Stock Future", Qx::eFuture},
        {"COPE", "COPE", "Commodity Option Put European", Qx::eOption},
        {"MF", "MF", "Mutual Fund", Qx::eFund},
        {"SPOT", "SPOT", "Spot traded", Qx::eStock},
        {"FUND", "FUND", "Fund", Qx::eFund},
        {"XYZ", "STOCK", "Stock", Qx::eStock},
        {"stock", "STOCK", "Stock", Qx::eStock}, // codes are case-sensitive
        {"", "STOCK", "Stock", Qx::eStock},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const QxAssetClass& ac = table.getAssestClassFromCode(c.code);
        EXPECT_STREQ(ac.code(), c.expectedCode);
        EXPECT_EQ(ac.name(), wxString(c.name));
        EXPECT_EQ(ac.securityType(), c.type);
    }
}

TEST(QxAssetClassTable, InsertionOrderAndSharedTable)
{
    QxAssetClassTable table, another;
    ASSERT_EQ(table.numAssetClass(), 28u);
    EXPECT_STREQ(table.assetClassAt(0).code(), "EQ");
    EXPECT_STREQ(table.assetClassAt(1).code(), "STOCK");
    EXPECT_STREQ(table.assetClassAt(27).code(), "FUND");
    EXPECT_STREQ(table.assetClassAt(28).code(), "EQ");
    EXPECT_STREQ(table.assetClassAt(1000).code(), "EQ");
    EXPECT_EQ(&table.assetClassAt(5), &another.assetClassAt(5));

    std::set<std::string> codes, funds;
    int perType[5] = {};
    for (unsigned i = 0; i < table.numAssetClass(); ++i) {
        const QxAssetClass& ac = table.assetClassAt(i);
        codes.insert(ac.code());
        ASSERT_GE(ac.securityType(), 1);
        ASSERT_LE(ac.securityType(), 4);
        ++perType[ac.securityType()];
        if (ac.securityType() == Qx::eFund)
            funds.insert(ac.code());
        EXPECT_EQ(&table.getAssestClassFromCode(ac.code()), &ac);
    }
    EXPECT_EQ(codes.size(), 28u);
    EXPECT_EQ(funds, (std::set<std::string>{"MF", "FUND"}));
    EXPECT_EQ(perType[1], 6);
    EXPECT_EQ(perType[2], 3);
    EXPECT_EQ(perType[3], 17);

    // A copied record keeps its fields (categories keep copies).
    QxAssetClass copy = table.assetClassAt(3);
    EXPECT_STREQ(copy.code(), "EQFU");
    EXPECT_EQ(copy.securityType(), Qx::eFuture);
}

TEST(QxCountryInfoTable, RowsAndClamping)
{
    EXPECT_EQ(QxCountryInfoTable::getNumCountry(), 240u);
    const struct {
        int id;
        const char* name;
        const char* code;
    } cases[] = {
        {0, "CANADA", "CA"},
        {3, "UNITED KINGDOM", "UK"},
        {6, "JAPAN", "JP"},
        {7, "AFGHANISTAN", "AF"},
        {74, "European Union", "EU"},
        {239, "ZIMBABWE", "ZW"},
        {240, "NO COUNTRY", "ZZ"},
        {241, "NO COUNTRY", "ZZ"},
        {500, "NO COUNTRY", "ZZ"},
        {-1, "NO COUNTRY", "ZZ"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const QxCountryInfo& byId = QxCountryInfoTable::getCountryInfoFromId(c.id);
        EXPECT_EQ(byId.name, wxString(c.name));
        EXPECT_STREQ(byId.code, c.code);
        EXPECT_EQ(byId.code[2], '\0');
        EXPECT_EQ(byId.code[3], '\0');
        if (c.id >= 0) {
            EXPECT_EQ(&QxCountryInfoTable::getCountryInfoAt(static_cast<unsigned>(c.id)), &byId);
        }
    }

    // Every real row has a distinct two-letter code.
    std::set<std::string> codes;
    for (unsigned i = 0; i < QxCountryInfoTable::getNumCountry(); ++i) {
        const QxCountryInfo& row = QxCountryInfoTable::getCountryInfoAt(i);
        EXPECT_EQ(std::strlen(row.code), 2u) << i;
        EXPECT_FALSE(row.name.empty()) << i;
        codes.insert(row.code);
    }
    EXPECT_EQ(codes.size(), 240u);
    EXPECT_EQ(codes.count("ZZ"), 0u);
}

TEST(QxCountryInfoTable, NameFromCode)
{
    const struct {
        const char* code;
        const char* name;
    } cases[] = {
        {"US", "UNITED STATES"},
        {"UK", "UNITED KINGDOM"},
        {"GB", "NO COUNTRY"},
        {"TP", "EAST TIMOR"},
        {"CI", "COTE D'IVOIRE"},
        {"FX", "FRANCE, METROPOLITAN"},
        {"ZZ", "NO COUNTRY"},
        {"us", "NO COUNTRY"},
        {"USA", "NO COUNTRY"},
        {"", "NO COUNTRY"},
        {nullptr, "NO COUNTRY"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code ? c.code : "(null)");
        EXPECT_EQ(QxCountryInfoTable::getCountryNameFromCode(c.code), wxString(c.name));
    }
}
