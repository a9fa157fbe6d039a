// Price histories: round trips of every security type, replacing bars,
// reading and deleting ranges, weekly bars, the last quote, failed saves and
// a save interrupted by a killed process.
#include "support/TestSupport.h"
#include "plugins/trddb/TrdTestSupport.h"

#include "core/QxCategory.h"
#include "core/QxDataProvider.h"
#include "core/QxDataProviderRepository.h"
#include "core/QxErrorCode.h"
#include "plugins/trddb/TrdDatabase.h"
#include "plugins/trddb/TrdSecurity.h"
#include "plugins/trddb/TrdSql.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <limits>
#include <thread>

using namespace TrdTest;
using Rows = std::vector<std::string>;

namespace {

struct Fixture {
    std::string path;
    QxObjectSmartPtr<TrdDatabase> db;
    QxObjectSmartPtr<QxCategory> category;
    QxObjectSmartPtr<QxSecurity> security;

    explicit Fixture(const char* categoryName = "US.NYSE.STOCK", const char* ticker = "IBM")
        : path(newDatabasePath()), db(openDb(path))
    {
        if (db)
            category = db->createCategory(categoryName, "Google");
        if (category)
            security = category->addSecurity(ticker, "name");
        EXPECT_TRUE(security);
    }

    QxPriceHistory* read(int64_t from = 0, int64_t to = 0, Qx::QxPeriod period = Qx::eDaily)
    {
        return security->getHistory(period, from, to);
    }
};

void expectSameBars(const QxPriceHistory* a, const QxPriceHistory* b)
{
    ASSERT_TRUE(a && b);
    ASSERT_EQ(a->numBars(), b->numBars());
    ASSERT_EQ(a->getSecurityType(), b->getSecurityType());
    const auto type = a->getSecurityType();
    for (unsigned i = 0; i < a->numBars(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(a->timestamp()[i], b->timestamp()[i]);
        if (type == Qx::eFund) {
            EXPECT_EQ(a->nav()[i], b->nav()[i]);
            continue;
        }
        EXPECT_EQ(a->open()[i], b->open()[i]);
        EXPECT_EQ(a->high()[i], b->high()[i]);
        EXPECT_EQ(a->low()[i], b->low()[i]);
        EXPECT_EQ(a->close()[i], b->close()[i]);
        EXPECT_EQ(a->volume()[i], b->volume()[i]);
        if (type != Qx::eStock) {
            EXPECT_EQ(a->openInterest()[i], b->openInterest()[i]);
        }
    }
}

} // namespace

TEST(TrdHistory, EverySecurityTypeRoundTripsThroughItsPriceTable)
{
    struct Case {
        const char* category;
        Qx::QxSecurityType type;
        const char* table;
        const char* columns;
    };
    const Case cases[] = {
        {"US.NYSE.STOCK", Qx::eStock, "price_hist_of_Google:IBM.STOCK.NYSE.US",
         "(timestamp INTEGER NOT NULL PRIMARY KEY UNIQUE,open FLOAT, high FLOAT, low FLOAT, close FLOAT, volume "
         "FLOAT);"},
        {"US.CME.EQFU", Qx::eFuture, "price_hist_of_Google:IBM.EQFU.CME.US",
         "(timestamp INTEGER NOT NULL PRIMARY KEY UNIQUE,open FLOAT, high FLOAT, low FLOAT, close FLOAT, volume "
         "FLOAT,open_interest FLOAT);"},
        {"US.CBOE.EQCA", Qx::eOption, "price_hist_of_Google:IBM.EQCA.CBOE.US",
         "(timestamp INTEGER NOT NULL PRIMARY KEY UNIQUE,open FLOAT, high FLOAT, low FLOAT, close FLOAT, volume "
         "FLOAT,open_interest FLOAT);"},
        {"US.MF", Qx::eFund, "price_hist_of_Google:IBM.MF.US",
         "(timestamp INTEGER NOT NULL PRIMARY KEY UNIQUE,nav FLOAT);"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.category);
        Fixture f(c.category);
        ASSERT_TRUE(f.security);
        QxObjectSmartPtr<QxPriceHistory> none(f.read());
        EXPECT_FALSE(none) << "no price table yet";
        QxObjectSmartPtr<QxPriceHistory> saved(makeHistory(c.type, 0, 300));
        ASSERT_EQ(f.security->saveHistory(saved.get()), 0);
        QxObjectSmartPtr<QxPriceHistory> back(f.read());
        ASSERT_TRUE(back);
        EXPECT_EQ(back->getPeriod(), Qx::eDaily);
        expectSameBars(saved.get(), back.get());
        const std::string schema = sqliteShell(f.path, ".schema");
        EXPECT_NE(schema.find(std::string("CREATE TABLE [") + c.table + "]" + c.columns), std::string::npos)
            << schema;
    }
}

TEST(TrdHistory, SavingReplacesBarsOfTheSameTimeAndKeepsTheOthers)
{
    Fixture f;
    ASSERT_TRUE(f.security);
    Recorder recorder;
    recorder.watch(f.security->id());
    const std::vector<int64_t> june1to4 = {date(2014, 6, 1), date(2014, 6, 2), date(2014, 6, 3), date(2014, 6, 4)};
    const std::vector<int64_t> june2to6 = {date(2014, 6, 2), date(2014, 6, 3), date(2014, 6, 4), date(2014, 6, 5),
                                           date(2014, 6, 6)};
    QxObjectSmartPtr<QxPriceHistory> first(makeHistoryAt(Qx::eStock, june1to4, 10.0));
    QxObjectSmartPtr<QxPriceHistory> second(makeHistoryAt(Qx::eStock, june2to6, 500.0));
    ASSERT_EQ(f.security->saveHistory(first.get()), 0);
    ASSERT_EQ(f.security->saveHistory(second.get()), 0);
    const std::string eod = "eod " + std::to_string(f.security->id());
    EXPECT_EQ(recorder.events, (Rows{eod, eod}));

    QxObjectSmartPtr<QxPriceHistory> back(f.read());
    ASSERT_TRUE(back);
    EXPECT_EQ(times(back.get()), (std::vector<int64_t>{date(2014, 6, 1), date(2014, 6, 2), date(2014, 6, 3),
                                                       date(2014, 6, 4), date(2014, 6, 5), date(2014, 6, 6)}));
    EXPECT_EQ(back->open()[0], 10.0);
    for (unsigned i = 1; i < 6; ++i)
        EXPECT_EQ(back->open()[i], 500.0 + i - 1) << i;
}

TEST(TrdHistory, ZeroBoundsAreOpenWhenReadingAndDeleting)
{
    struct Case {
        int from; // day index, -1 for a zero bound
        int to;
        std::vector<int> read; // first and last day read, empty for none
        int deleteCode;
        unsigned left; // bars left after deleting the same range
    };
    const Case cases[] = {
        {-1, -1, {0, 9}, 0, 0},  {3, -1, {3, 9}, 0, 3},  {-1, 3, {0, 3}, 0, 6},  {2, 5, {2, 5}, 0, 6},
        {4, 4, {4, 4}, 0, 9},    {20, -1, {}, 0, 10},    {-1, -5, {}, 0, 10},    {5, 2, {}, eInvalidInput, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + ".." + std::to_string(c.to));
        Fixture f;
        ASSERT_TRUE(f.security);
        QxObjectSmartPtr<QxPriceHistory> all(makeHistory(Qx::eStock, 0, 10));
        ASSERT_EQ(f.security->saveHistory(all.get()), 0);
        const int64_t from = c.from < 0 ? 0 : dayTimestamp(c.from);
        const int64_t to = c.to < 0 ? (c.to == -1 ? 0 : dayTimestamp(c.to)) : dayTimestamp(c.to);
        QxObjectSmartPtr<QxPriceHistory> got(f.read(from, to));
        if (c.read.empty()) {
            EXPECT_FALSE(got);
        } else {
            ASSERT_TRUE(got);
            EXPECT_EQ(got->numBars(), unsigned(c.read[1] - c.read[0] + 1));
            EXPECT_EQ(got->timestamp()[0], dayTimestamp(c.read[0]));
            EXPECT_EQ(got->timestamp()[got->numBars() - 1], dayTimestamp(c.read[1]));
        }
        Recorder recorder;
        recorder.watch(f.security->id());
        int64_t dFrom = from, dTo = to;
        EXPECT_EQ(f.security->deleteHistory(dFrom, dTo), c.deleteCode);
        EXPECT_EQ(recorder.events.size(), c.deleteCode == 0 ? 1u : 0u);
        QxObjectSmartPtr<QxPriceHistory> left(f.read());
        EXPECT_EQ(left ? left->numBars() : 0u, c.left);
    }
}

TEST(TrdHistory, WeeklyBarsAreBuiltFromTheStoredDays)
{
    Fixture f;
    ASSERT_TRUE(f.security);
    std::vector<int64_t> days;
    for (int d : {4, 5, 6, 7, 8, 11, 12, 13, 14, 15})
        days.push_back(date(2014, 8, d));
    QxObjectSmartPtr<QxPriceHistory> daily(makeHistoryAt(Qx::eStock, days, 10.0));
    ASSERT_EQ(f.security->saveHistory(daily.get()), 0);
    QxObjectSmartPtr<QxPriceHistory> weekly(f.read(0, 0, Qx::eWeekly));
    ASSERT_TRUE(weekly);
    EXPECT_EQ(weekly->getPeriod(), Qx::eWeekly);
    ASSERT_EQ(weekly->numBars(), 2u);
    EXPECT_EQ(times(weekly.get()), (std::vector<int64_t>{date(2014, 8, 3), date(2014, 8, 10)}));
    EXPECT_EQ(weekly->open()[0], 10.0);
    EXPECT_EQ(weekly->open()[1], 15.0);
    EXPECT_EQ(weekly->close()[0], 14.75);
    EXPECT_EQ(weekly->close()[1], 19.75);
    EXPECT_EQ(weekly->high()[1], 21.5);
    EXPECT_EQ(weekly->low()[0], 8.5);
    EXPECT_EQ(weekly->volume()[0], 1000.0 * (1 + 2 + 3 + 4 + 5));
}

TEST(TrdHistory, LastQuoteIsTheLatestBarOrTheFirstAtOrAfterATime)
{
    Fixture f;
    ASSERT_TRUE(f.security);
    QxQuote quote;
    int64_t since = 0;
    // No price table yet: the failed statement is the answer for a quote; a
    // deletion has nothing to delete (and tells nobody of a change).
    EXPECT_EQ(f.security->lastQuote(since, quote), -SQLITE_ERROR);
    {
        Recorder recorder;
        recorder.watch(f.security->id());
        int64_t from = 0, to = 0;
        EXPECT_EQ(f.security->deleteHistory(from, to), 0);
        EXPECT_TRUE(recorder.events.empty());
    }
    const std::vector<int64_t> stamps = {date(2014, 6, 2), date(2014, 6, 4), date(2014, 6, 6)};
    QxObjectSmartPtr<QxPriceHistory> h(makeHistoryAt(Qx::eStock, stamps, 10.0));
    ASSERT_EQ(f.security->saveHistory(h.get()), 0);

    struct Case {
        int64_t since;
        int code;
        int64_t time;
        double close;
    };
    const Case cases[] = {
        {0, 0, date(2014, 6, 6), 12.75},
        {date(2014, 6, 3), 0, date(2014, 6, 4), 11.75},
        {date(2014, 6, 4), 0, date(2014, 6, 4), 11.75},
        {date(2014, 6, 7), eUnknownError, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.since);
        QxQuote q;
        int64_t s = c.since;
        EXPECT_EQ(f.security->lastQuote(s, q), c.code);
        EXPECT_EQ(q.time, c.time);
        EXPECT_EQ(q.close, c.close);
        if (c.code == 0) {
            EXPECT_EQ(q.securityType, Qx::eStock);
            EXPECT_EQ(q.open, c.close - 0.75);
            EXPECT_GT(q.volume, 0);
        }
    }

    Fixture fund("US.MF", "FUNDX");
    ASSERT_TRUE(fund.security);
    QxObjectSmartPtr<QxPriceHistory> navs(makeHistory(Qx::eFund, 0, 3, 7.0));
    ASSERT_EQ(fund.security->saveHistory(navs.get()), 0);
    QxQuote q;
    since = 0;
    EXPECT_EQ(fund.security->lastQuote(since, q), 0);
    EXPECT_EQ(q.securityType, Qx::eFund);
    EXPECT_EQ(q.nav, 9.25);
}

TEST(TrdHistory, InvalidHistoriesAreRefusedWithoutChanges)
{
    Fixture f;
    ASSERT_TRUE(f.security);
    Recorder recorder;
    recorder.watch(f.security->id());
    QxObjectSmartPtr<QxPriceHistory> empty(new QxPriceHistory(Qx::eStock, Qx::eDaily));
    QxObjectSmartPtr<QxPriceHistory> fund(makeHistory(Qx::eFund, 0, 3));
    QxObjectSmartPtr<QxPriceHistory> badType(makeHistory(Qx::eStock, 0, 3));
    badType->init(static_cast<Qx::QxSecurityType>(9), Qx::eDaily);
    EXPECT_EQ(f.security->saveHistory(nullptr), eInvalidInputObject);
    EXPECT_EQ(f.security->saveHistory(empty.get()), eInvalidInputObject);
    EXPECT_EQ(f.security->saveHistory(fund.get()), eInvalidObject);
    EXPECT_EQ(f.security->saveHistory(badType.get()), eInvalidObject);
    EXPECT_TRUE(recorder.events.empty());
    EXPECT_TRUE(query(f.db->connection(), "SELECT name FROM sqlite_master WHERE name LIKE 'price_hist%'").empty());
}

TEST(TrdHistory, AFailedStepRollsTheWholeSaveBack)
{
    Fixture f;
    ASSERT_TRUE(f.security);
    QxObjectSmartPtr<QxPriceHistory> original(makeHistory(Qx::eStock, 0, 4, 10.0));
    ASSERT_EQ(f.security->saveHistory(original.get()), 0);
    // The fourth bar of the next save cannot be stored.
    const std::string table = "[price_hist_of_Google:IBM.STOCK.NYSE.US]";
    query(f.db->connection(), "CREATE TRIGGER refuse BEFORE INSERT ON " + table + " WHEN NEW.timestamp = " +
                                  std::to_string(dayTimestamp(5)) + " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    Recorder recorder;
    recorder.watch(f.security->id());
    QxObjectSmartPtr<QxPriceHistory> update(makeHistory(Qx::eStock, 2, 6, 900.0));

    EXPECT_EQ(f.security->saveHistory(update.get()), -SQLITE_CONSTRAINT);
    EXPECT_FALSE(f.db->inTransaction());
    QxObjectSmartPtr<QxPriceHistory> back(f.read());
    expectSameBars(original.get(), back.get());

    // Inside a caller's transaction only the failed save is undone.
    const int token = f.db->beginTransaction();
    QxObjectSmartPtr<QxPriceHistory> extra(makeHistory(Qx::eStock, 10, 1, 50.0));
    EXPECT_EQ(f.security->saveHistory(extra.get()), 0);
    EXPECT_EQ(f.security->saveHistory(update.get()), -SQLITE_CONSTRAINT);
    EXPECT_EQ(f.db->commit(token), 0);
    QxObjectSmartPtr<QxPriceHistory> after(f.read());
    ASSERT_TRUE(after);
    EXPECT_EQ(times(after.get()), (std::vector<int64_t>{dayTimestamp(0), dayTimestamp(1), dayTimestamp(2),
                                                        dayTimestamp(3), dayTimestamp(10)}));
    EXPECT_EQ(after->open()[2], 12.0);
    const std::string eod = "eod " + std::to_string(f.security->id());
    EXPECT_EQ(recorder.events, Rows{eod}) << "only the successful save is announced";
}

TEST(TrdHistory, MissingValuesStayMissing)
{
    Fixture f;
    ASSERT_TRUE(f.security);
    QxObjectSmartPtr<QxPriceHistory> h(makeHistory(Qx::eStock, 0, 3));
    h->volume()[1] = std::numeric_limits<double>::quiet_NaN();
    h->high()[2] = std::numeric_limits<double>::infinity();
    h->low()[1] = 0.0; // a price of 0 is a value, not a missing one
    ASSERT_EQ(f.security->saveHistory(h.get()), 0);
    QxObjectSmartPtr<QxPriceHistory> back(f.read());
    ASSERT_TRUE(back);
    EXPECT_TRUE(std::isnan(back->volume()[1]));
    EXPECT_EQ(back->volume()[0], h->volume()[0]);
    EXPECT_TRUE(std::isinf(back->high()[2]));
    EXPECT_EQ(back->low()[1], 0.0);
}

TEST(TrdHistory, OneSecurityReadsRangesInTurnAndSeesWhatWasSavedBetween)
{
    // The security keeps its prepared reading between calls: every read
    // must take its own bounds and the rows as they are now.
    Fixture f;
    ASSERT_TRUE(f.security);
    QxObjectSmartPtr<QxPriceHistory> first(makeHistory(Qx::eStock, 0, 10));
    ASSERT_EQ(f.security->saveHistory(first.get()), 0);
    const struct {
        int from, to; // day indexes, -1 for a zero bound
        unsigned bars;
    } reads[] = {{2, 5, 4}, {-1, -1, 10}, {7, -1, 3}, {-1, 0, 1}};
    for (const auto& r : reads) {
        QxObjectSmartPtr<QxPriceHistory> got(
            f.read(r.from < 0 ? 0 : dayTimestamp(r.from), r.to < 0 ? 0 : dayTimestamp(r.to)));
        ASSERT_TRUE(got) << r.from << ".." << r.to;
        EXPECT_EQ(got->numBars(), r.bars) << r.from << ".." << r.to;
    }
    QxObjectSmartPtr<QxPriceHistory> more(makeHistory(Qx::eStock, 10, 2500));
    ASSERT_EQ(f.security->saveHistory(more.get()), 0);
    QxObjectSmartPtr<QxPriceHistory> all(f.read());
    ASSERT_TRUE(all);
    ASSERT_EQ(all->numBars(), 2510u);
    EXPECT_EQ(all->timestamp()[2509], dayTimestamp(2509));
    EXPECT_EQ(all->close()[2509], more->close()[2499]);
}

TEST(TrdHistory, AReaderOfItsOwnReadsOnAnotherThreadWhatIsCommittedAndWritesNothing)
{
    Fixture f;
    ASSERT_TRUE(f.security);
    QxObjectSmartPtr<QxPriceHistory> stored(makeHistory(Qx::eStock, 0, 400));
    ASSERT_EQ(f.security->saveHistory(stored.get()), 0);
    const unsigned id = f.security->id();
    const int connectionsBefore = trdOpenConnections();

    Recorder recorder;
    QxObjectSmartPtr<QxDatabase> reader(f.db->openReader());
    ASSERT_TRUE(reader);
    EXPECT_TRUE(reader->isReadOnly());
    EXPECT_TRUE(recorder.events.empty()) << "the reader is announced to no one";
    EXPECT_EQ(trdOpenConnections(), connectionsBefore + 1);

    // What the reader's thread reads: bars of both periods, and whether a
    // save through it was refused.
    struct Read {
        QxObjectSmartPtr<QxPriceHistory> daily, weekly;
        int saveRc = 0;
    };
    auto readOnItsThread = [&](bool trySave) {
        Read r;
        std::thread([&] {
            QxObjectSmartPtr<QxSecurity> s(reader->getSecurity(id));
            ASSERT_TRUE(s);
            int64_t from = 0, to = 0;
            r.daily.reset(s->getHistory(Qx::eDaily, from, to));
            r.weekly.reset(s->getHistory(Qx::eWeekly, from, to));
            if (trySave) {
                QxObjectSmartPtr<QxPriceHistory> more(makeHistory(Qx::eStock, 400, 5));
                r.saveRc = s->saveHistory(more.get());
            }
        }).join();
        return r;
    };

    Read first = readOnItsThread(true);
    expectSameBars(first.daily.get(), QxObjectSmartPtr<QxPriceHistory>(f.read()).get());
    expectSameBars(first.weekly.get(), QxObjectSmartPtr<QxPriceHistory>(f.read(0, 0, Qx::eWeekly)).get());
    EXPECT_NE(first.saveRc, 0) << "a reader writes nothing";
    EXPECT_EQ(QxObjectSmartPtr<QxPriceHistory>(f.read())->numBars(), 400u);

    // Bars saved in an open transaction of the database are not the
    // reader's until they are committed.
    const int token = f.db->beginTransaction();
    ASSERT_GT(token, 0);
    QxObjectSmartPtr<QxPriceHistory> later(makeHistory(Qx::eStock, 400, 10));
    ASSERT_EQ(f.security->saveHistory(later.get()), 0);
    ASSERT_EQ(QxObjectSmartPtr<QxPriceHistory>(f.read())->numBars(), 410u);
    EXPECT_EQ(readOnItsThread(false).daily->numBars(), 400u);
    ASSERT_EQ(f.db->commit(token), 0);
    EXPECT_EQ(readOnItsThread(false).daily->numBars(), 410u);

    reader.reset();
    EXPECT_EQ(trdOpenConnections(), connectionsBefore);
    EXPECT_TRUE(recorder.events.empty());
}

namespace {
int s_signalFd = -1;
long s_progressCalls = 0;
} // namespace

TEST(TrdHistory, AProcessKilledDuringASaveLeavesThePreviousHistory)
{
    const std::string path = newDatabasePath();
    unsigned securityId = 0;
    QxObjectSmartPtr<QxPriceHistory> original(makeHistory(Qx::eStock, 0, 20000, 10.0));
    {
        QxObjectSmartPtr<TrdDatabase> db = openDb(path);
        ASSERT_TRUE(db);
        QxObjectSmartPtr<QxCategory> cat(db->createCategory("US.NYSE.STOCK", "Google"));
        QxObjectSmartPtr<QxSecurity> s(cat->addSecurity("IBM", "IBM"));
        ASSERT_EQ(s->saveHistory(original.get()), 0);
        securityId = s->id();
    }
    const std::string before = fileBytes(path);
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(fds[0]);
        s_signalFd = fds[1];
        int rc = 0;
        TrdDatabase* db = TrdDatabase::open(wxString::FromUTF8(path.c_str()), &rc);
        if (!db)
            _exit(2);
        db->addRef();
        QxObjectSmartPtr<QxSecurity> s(db->getSecurity(securityId));
        if (!s)
            _exit(3);
        // A tiny page cache makes SQLite write changed pages into the file
        // long before the commit, as a large save does anyway.
        query(db->connection(), "PRAGMA cache_size=20");
        QxObjectSmartPtr<QxPriceHistory> big(makeHistory(Qx::eStock, 10000, 200000, 900.0));
        // Well into the save, tell the parent and wait to be killed.
        sqlite3_progress_handler(
            db->connection(), 1000,
            [](void*) -> int {
                if (++s_progressCalls == 3000) {
                    const char c = 'k';
                    if (write(s_signalFd, &c, 1) == 1)
                        for (;;)
                            pause();
                }
                return 0;
            },
            nullptr);
        s->saveHistory(big.get());
        _exit(4); // the save ended before the kill
    }
    close(fds[1]);
    // A save that never gets midway must not hang the test.
    pollfd pfd = {fds[0], POLLIN, 0};
    char c = 0;
    const bool midway = poll(&pfd, 1, 120000) == 1 && read(fds[0], &c, 1) == 1;
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    close(fds[0]);
    ASSERT_TRUE(midway) << "child ended with " << (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGKILL);
    struct stat st;
    EXPECT_EQ(stat((path + "-journal").c_str(), &st), 0) << "the save was in progress";
    EXPECT_NE(fileBytes(path), before) << "the file held part of the save when the process died";

    QxObjectSmartPtr<TrdDatabase> db = openDb(path);
    ASSERT_TRUE(db);
    EXPECT_EQ(query(db->connection(), "PRAGMA integrity_check"), Rows{"ok"});
    QxObjectSmartPtr<QxSecurity> s(db->getSecurity(securityId));
    ASSERT_TRUE(s);
    int64_t from = 0, to = 0;
    QxObjectSmartPtr<QxPriceHistory> back(s->getHistory(Qx::eDaily, from, to));
    expectSameBars(original.get(), back.get());
}

namespace {

class FakeProvider : public QxDataProvider {
public:
    QxAtom name() const override { return QxAtom("FakeProvider"); }
    void populateDatabase(QxDatabase*) override {}
    const wxBitmap* icon() const override { return nullptr; }
    void update(QxSecurity* security, bool inBackground) override
    {
        calls.push_back(std::string(security->ticker()) + (inBackground ? " background" : " foreground"));
        // A foreground update stores the new bars before it returns.
        QxObjectSmartPtr<QxPriceHistory> bars(makeHistory(Qx::eStock, 0, 5));
        security->saveHistory(bars.get());
    }
    void windup() override {}
    std::vector<std::string> calls;
};

} // namespace

TEST(TrdHistory, UpdatesGoToTheCategorysRegisteredProvider)
{
    const std::string path = newDatabasePath();
    QxObjectSmartPtr<TrdDatabase> db = openDb(path);
    ASSERT_TRUE(db);
    QxObjectSmartPtr<QxCategory> bound(db->createCategory("US.NYSE.STOCK", "FakeProvider"));
    QxObjectSmartPtr<QxCategory> unbound(db->createCategory("US.NYSE.STOCK", ""));
    QxObjectSmartPtr<QxCategory> unknown(db->createCategory("US.NYSE.STOCK", "NobodyRegistered"));
    QxObjectSmartPtr<QxSecurity> a(bound->addSecurity("IBM", "IBM"));
    QxObjectSmartPtr<QxSecurity> b(unbound->addSecurity("IBM", "IBM"));
    QxObjectSmartPtr<QxSecurity> c(unknown->addSecurity("IBM", "IBM"));
    ASSERT_TRUE(a && b && c);

    QxObjectSmartPtr<FakeProvider> provider(new FakeProvider);
    ASSERT_EQ(QxDataProviderRepository::instance()->addObj(provider.get()), 0);
    EXPECT_EQ(a->updateFromProvider(false), 0);
    EXPECT_EQ(a->updateFromProvider(true), 0);
    EXPECT_EQ(b->updateFromProvider(false), eInvalidOperation);
    EXPECT_EQ(c->updateFromProvider(false), eInvalidOperation);
    QxDataProviderRepository::instance()->delObj(provider.get());
    EXPECT_EQ(provider->calls, (Rows{"IBM foreground", "IBM background"}));
    int64_t from = 0, to = 0;
    QxObjectSmartPtr<QxPriceHistory> stored(a->getHistory(Qx::eDaily, from, to));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->numBars(), 5u);
}
