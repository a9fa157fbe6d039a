// Security keys across runs and the ordering of categories and securities.
#include "support/FakeDataObjects.h"

#include "core/QxSecurityKey.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(SecurityKey, KeysJoinProviderCategoryAndTicker)
{
    QxObjectSmartPtr<FakeDatabase> db(new FakeDatabase);
    FakeCategory* nyse = db->add(1, "US.NYSE.STOCK", "Google");
    FakeCategory* unbound = db->add(2, "US.NYSE.STOCK", "");
    FakeCategory* odd = db->add(3, "X'Y.Z", "Yahoo!");

    const struct {
        FakeCategory* category;
        const char* ticker;
        const char* key;
    } cases[] = {
        {nyse, "IBM", "Google|US.NYSE.STOCK|IBM"},
        {unbound, "IBM", "|US.NYSE.STOCK|IBM"},
        {odd, "O'NEIL", "Yahoo!|X'Y.Z|O'NEIL"},
        {odd, "A|B", "Yahoo!|X'Y.Z|A|B"},
        {odd, "", "Yahoo!|X'Y.Z|"},
    };
    unsigned id = 100;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        FakeSecurity* security = c.category->add(++id, c.ticker);
        EXPECT_EQ(makeSecurityKey(security), c.key);
        // Every key leads back to its own security, not to a namesake in
        // another provider's category.
        EXPECT_EQ(findSecurityByKey(db.get(), c.key), security);
    }
}

TEST(SecurityKey, MalformedOrUnknownKeysFindNothing)
{
    QxObjectSmartPtr<FakeDatabase> db(new FakeDatabase);
    db->add(1, "NYSE", "Google")->add(11, "IBM");
    for (const char* key : {"", "Google", "Google|NYSE", "Google|NYSE|", "Google|NYSE|IB", "Yahoo|NYSE|IBM",
                            "Google|NYS|IBM", "|NYSE|IBM"}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(findSecurityByKey(db.get(), key), nullptr);
    }
    EXPECT_EQ(findSecurityByKey(nullptr, "Google|NYSE|IBM"), nullptr);
    EXPECT_NE(findSecurityByKey(db.get(), "Google|NYSE|IBM"), nullptr);
}

TEST(SecurityKey, OrderingIsByIdThenByOwner)
{
    QxObjectSmartPtr<FakeDatabase> db1(new FakeDatabase), db2(new FakeDatabase);
    // db1 < db2 as identities decides between equal ids.
    if (std::less<FakeDatabase*>()(db2.get(), db1.get()))
        db1.swap(db2);
    FakeCategory* c1 = db1->add(1, "A", "");
    FakeCategory* c2 = db1->add(2, "B", "");
    FakeCategory* c1other = db2->add(1, "A", "");
    QxObjectSmartPtr<FakeCategory> c1copy(new FakeCategory(1, db1.get(), "A again", ""));

    EXPECT_EQ(compareDataObjects(c1, c1), 0);
    EXPECT_EQ(compareDataObjects(c1, c1copy.get()), 0) << "same id, same database: the same category";
    EXPECT_EQ(compareDataObjects(c1, c2), -1);
    EXPECT_EQ(compareDataObjects(c2, c1), 1);
    EXPECT_EQ(compareDataObjects(c2, c1other), 1) << "id first";
    EXPECT_EQ(compareDataObjects(c1, c1other), -1) << "then database identity";
    EXPECT_EQ(compareDataObjects(c1other, c1), 1);

    FakeSecurity* s5 = c2->add(5, "X");
    FakeSecurity* s7 = c1->add(7, "Y");
    FakeSecurity* s7other = c1other->add(7, "Y");
    QxObjectSmartPtr<FakeSecurity> s7copy(new FakeSecurity(7, c1copy.get(), "Y"));

    EXPECT_EQ(compareSecurities(s5, s5), 0);
    EXPECT_EQ(compareSecurities(s5, s7), -1);
    EXPECT_EQ(compareSecurities(s7, s5), 1);
    EXPECT_EQ(compareSecurities(s7, s7other), -1);
    EXPECT_EQ(compareSecurities(s7, s7copy.get()), 0);
    EXPECT_FALSE(lessSecurity(s5, s5));
    EXPECT_TRUE(lessSecurity(s5, s7));
    EXPECT_TRUE(lessSecurity(s7, s7other));
    EXPECT_FALSE(lessSecurity(s7other, s7));

    // As a container order: two objects of one security are one element.
    std::set<QxObjectSmartPtr<QxSecurity>, QxLessSecurity> securities;
    for (QxSecurity* s : std::initializer_list<QxSecurity*>{s7other, s7, s5, s7copy.get()})
        securities.insert(QxObjectSmartPtr<QxSecurity>(s));
    ASSERT_EQ(securities.size(), 3u);
    auto it = securities.begin();
    EXPECT_EQ(it->get(), s5);
    EXPECT_EQ((++it)->get(), s7);
    EXPECT_EQ((++it)->get(), s7other);
}

} // namespace
