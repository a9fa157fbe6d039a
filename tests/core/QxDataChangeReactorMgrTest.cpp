// The notification hub: call order, refusal of same-kind registration while
// notifying, and the cache discard that precedes price-history reactors.
#include "core/QxDataChangeReactorMgr.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace {

std::string g_log;

void logDiscardEod(unsigned id) { g_log += "discardEod(" + std::to_string(id) + ");"; }
void logDiscardIntraday(unsigned id) { g_log += "discardIntraday(" + std::to_string(id) + ");"; }

class Hub : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        m_savedEod = QxDataChangeReactorMgr::eodCacheDiscarder();
        m_savedIntraday = QxDataChangeReactorMgr::intradayCacheDiscarder();
        QxDataChangeReactorMgr::setCacheDiscarders(logDiscardEod, logDiscardIntraday);
    }
    void TearDown() override
    {
        QxDataChangeReactorMgr::destroy();
        QxDataChangeReactorMgr::setCacheDiscarders(m_savedEod, m_savedIntraday);
    }
    QxDataChangeReactorMgr* hub() { return QxDataChangeReactorMgr::instance(); }

private:
    QxDataChangeReactorMgr::CacheDiscardFn m_savedEod = nullptr;
    QxDataChangeReactorMgr::CacheDiscardFn m_savedIntraday = nullptr;
};

// Each reactor logs its name and then runs an optional action.
struct DbReactor : QxDatabaseReactor {
    explicit DbReactor(std::string n) : name(std::move(n)) {}
    void databaseOpened(QxDatabase*) override { g_log += name + ".opened;"; act(); }
    void databaseWillBeClosed(QxDatabase*) override { g_log += name + ".closing;"; act(); }
    void act() { if (action) action(); }
    std::string name;
    std::function<void()> action;
};

struct ChangeReactor : QxDatabaseChangeReactor {
    explicit ChangeReactor(std::string n) : name(std::move(n)) {}
    void categoryAdded(QxCategory*) override { g_log += name + ".catAdded;"; act(); }
    void categoryWillBeDeleted(QxCategory*) override { g_log += name + ".catDeleting;"; act(); }
    void securityAdded(QxSecurity*) override { g_log += name + ".secAdded;"; act(); }
    void securityWillBeDeleted(QxSecurity*) override { g_log += name + ".secDeleting;"; act(); }
    void act() { if (action) action(); }
    std::string name;
    std::function<void()> action;
};

struct PriceReactor : QxPriceHistoryChangeReactor {
    explicit PriceReactor(std::string n) : name(std::move(n)) {}
    void eodPriceHistoryChanged(unsigned id) override { g_log += name + ".eod(" + std::to_string(id) + ");"; act(); }
    void intradayPriceHistoryChanged(unsigned id) override
    {
        g_log += name + ".intraday(" + std::to_string(id) + ");";
        act();
    }
    void act() { if (action) action(); }
    std::string name;
    std::function<void()> action;
};

TEST_F(Hub, ReactorsAreCalledInRegistrationOrderOncePerRegistration)
{
    DbReactor a("a"), b("b");
    ChangeReactor c("c"), d("d");
    EXPECT_TRUE(hub()->addDatabaseReactor(&b));
    EXPECT_TRUE(hub()->addDatabaseReactor(&a));
    EXPECT_TRUE(hub()->addDatabaseReactor(&b));
    EXPECT_TRUE(hub()->addDatabaseChangeReactor(&d));
    EXPECT_TRUE(hub()->addDatabaseChangeReactor(&c));

    hub()->notifyDatabaseOpened(nullptr);
    hub()->notifyDatabaseWillBeClosed(nullptr);
    hub()->notifyCategoryAdded(nullptr);
    hub()->notifySecurityAdded(nullptr);
    hub()->notifySecurityWillBeDeleted(nullptr);
    hub()->notifyCategoryWillBeDeleted(nullptr);
    EXPECT_EQ(g_log, "b.opened;a.opened;b.opened;b.closing;a.closing;b.closing;"
                     "d.catAdded;c.catAdded;d.secAdded;c.secAdded;d.secDeleting;c.secDeleting;"
                     "d.catDeleting;c.catDeleting;");

    // Removing takes out the first entry only; an unknown reactor changes nothing.
    g_log.clear();
    EXPECT_TRUE(hub()->remDatabaseReactor(&b));
    DbReactor stranger("x");
    EXPECT_TRUE(hub()->remDatabaseReactor(&stranger));
    EXPECT_TRUE(hub()->remDatabaseChangeReactor(&d));
    hub()->notifyDatabaseOpened(nullptr);
    hub()->notifyCategoryAdded(nullptr);
    EXPECT_EQ(g_log, "a.opened;b.opened;c.catAdded;");
}

TEST_F(Hub, SameKindRegistrationIsRefusedDuringNotification)
{
    DbReactor db("db");
    ChangeReactor change("change"), other("other");
    PriceReactor price("price");
    std::vector<bool> results;

    // A database reactor cannot remove itself while being told of a close.
    db.action = [&] {
        results.push_back(hub()->remDatabaseReactor(&db));
        results.push_back(hub()->addDatabaseReactor(&db));
        // Other kinds are free.
        results.push_back(hub()->addDatabaseChangeReactor(&other));
        results.push_back(hub()->addPriceHistoryChangeReactor(5, &price));
    };
    hub()->addDatabaseReactor(&db);
    hub()->notifyDatabaseWillBeClosed(nullptr);
    EXPECT_EQ(results, (std::vector<bool>{false, false, true, true}));

    db.action = nullptr;
    g_log.clear();
    hub()->notifyDatabaseOpened(nullptr);
    EXPECT_EQ(g_log, "db.opened;") << "still registered, exactly once";

    // A price-history reactor may register a database-change reactor but not
    // another price-history reactor, for any security.
    results.clear();
    price.action = [&] {
        results.push_back(hub()->addDatabaseChangeReactor(&change));
        results.push_back(hub()->addPriceHistoryChangeReactor(6, &price));
        results.push_back(hub()->remPriceHistoryChangeReactor(5, &price));
    };
    hub()->notifyEodDataChange(5);
    hub()->notifyIntraDayDataChange(5);
    EXPECT_EQ(results, (std::vector<bool>{true, false, false, true, false, false}));
    EXPECT_EQ(hub()->numPriceHistoryReactors(5), 1u);
    EXPECT_EQ(hub()->numPriceHistoryReactors(6), 0u);

    // And after the notification everything is allowed again.
    EXPECT_TRUE(hub()->remDatabaseReactor(&db));
    EXPECT_TRUE(hub()->remPriceHistoryChangeReactor(5, &price));
}

TEST_F(Hub, NestedNotificationKeepsTheOuterWalkGuarded)
{
    // Adding a category announces it; a reactor reacting by adding a
    // security causes a nested notification of the same kind. When that
    // nested one ends, the outer walk is still running and must stay guarded.
    ChangeReactor outer("outer"), late("late");
    std::vector<bool> results;
    outer.action = [&] {
        if (g_log.find("outer.secAdded") != std::string::npos)
            return;
        hub()->notifySecurityAdded(nullptr);
        results.push_back(hub()->addDatabaseChangeReactor(&late));
    };
    hub()->addDatabaseChangeReactor(&outer);
    hub()->notifyCategoryAdded(nullptr);
    EXPECT_EQ(results, (std::vector<bool>{false}));
    EXPECT_TRUE(hub()->addDatabaseChangeReactor(&late));
}

TEST_F(Hub, BusyFlagIsClearedWhenAReactorThrows)
{
    DbReactor thrower("t");
    thrower.action = [] { throw std::runtime_error("reactor failed"); };
    hub()->addDatabaseReactor(&thrower);
    EXPECT_THROW(hub()->notifyDatabaseOpened(nullptr), std::runtime_error);
    EXPECT_TRUE(hub()->remDatabaseReactor(&thrower));
}

TEST_F(Hub, PriceChangesDiscardTheCacheFirstThenTellTheSecuritysReactors)
{
    PriceReactor p("p"), q("q");
    hub()->addPriceHistoryChangeReactor(7, &p);
    hub()->addPriceHistoryChangeReactor(7, &q);
    hub()->addPriceHistoryChangeReactor(7, &p);
    hub()->addPriceHistoryChangeReactor(8, &q);

    hub()->notifyEodDataChange(7);
    hub()->notifyIntraDayDataChange(8);
    // Nobody listens to 9, yet its cache goes.
    hub()->notifyEodDataChange(9);
    EXPECT_EQ(g_log, "discardEod(7);p.eod(7);q.eod(7);p.eod(7);"
                     "discardIntraday(8);q.intraday(8);"
                     "discardEod(9);");
    EXPECT_TRUE(hub()->addPriceHistoryChangeReactor(9, &p));
}

TEST_F(Hub, RemovingTheLastReactorOfASecurityDropsTheSecurity)
{
    PriceReactor p("p"), q("q");
    hub()->addPriceHistoryChangeReactor(3, &p);
    hub()->addPriceHistoryChangeReactor(3, &p);
    EXPECT_TRUE(hub()->remPriceHistoryChangeReactor(3, &q)) << "not registered: nothing changes";
    EXPECT_EQ(hub()->numPriceHistoryReactors(3), 2u);
    EXPECT_TRUE(hub()->remPriceHistoryChangeReactor(3, &p));
    EXPECT_EQ(hub()->numPriceHistoryReactors(3), 1u);
    EXPECT_TRUE(hub()->remPriceHistoryChangeReactor(3, &p));
    EXPECT_EQ(hub()->numPriceHistoryReactors(3), 0u);
    EXPECT_TRUE(hub()->remPriceHistoryChangeReactor(3, &p));

    g_log.clear();
    hub()->notifyEodDataChange(3);
    EXPECT_EQ(g_log, "discardEod(3);");
}

TEST_F(Hub, DestroyGivesAFreshHub)
{
    DbReactor a("a");
    hub()->addDatabaseReactor(&a);
    QxDataChangeReactorMgr::destroy();
    hub()->notifyDatabaseOpened(nullptr);
    EXPECT_EQ(g_log, "");
}

} // namespace
