#include "plugins/trddb/TrdTestSupport.h"

#include "support/TestSupport.h"
#include "core/QxCategory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace TrdTest {

namespace {

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + int64_t(doe) - 719468;
}

void civilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = int64_t(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

} // namespace

int64_t date(int year, int month, int day)
{
    return ((int64_t(year) * 100 + month) * 100 + day) * 1000000000LL;
}

int64_t dayTimestamp(int n)
{
    int64_t y;
    unsigned m, d;
    civilFromDays(daysFromCivil(2000, 1, 1) + n, y, m, d);
    return date(int(y), int(m), int(d));
}

QxPriceHistory* makeHistoryAt(Qx::QxSecurityType type, const std::vector<int64_t>& stamps, double base)
{
    auto* h = new QxPriceHistory(type, Qx::eDaily);
    h->resize(unsigned(stamps.size()));
    for (size_t i = 0; i < stamps.size(); ++i) {
        const double v = base + double(i);
        h->timestamp()[i] = stamps[i];
        if (type == Qx::eFund) {
            h->nav()[i] = v + 0.25;
        } else {
            h->open()[i] = v;
            h->high()[i] = v + 2.5;
            h->low()[i] = v - 1.5;
            h->close()[i] = v + 0.75;
            h->volume()[i] = 1000.0 * double(i + 1);
            if (type == Qx::eFuture || type == Qx::eOption)
                h->openInterest()[i] = 50.0 + double(i);
        }
    }
    return h;
}

QxPriceHistory* makeHistory(Qx::QxSecurityType type, int first, int n, double base)
{
    std::vector<int64_t> stamps;
    for (int i = 0; i < n; ++i)
        stamps.push_back(dayTimestamp(first + i));
    return makeHistoryAt(type, stamps, base);
}

std::string newDatabasePath(const std::string& name)
{
    return TestSupport::makeTempDir("trddb") + "/" + name;
}

QxObjectSmartPtr<TrdDatabase> openDb(const std::string& path)
{
    int rc = -1;
    QxObjectSmartPtr<TrdDatabase> db(TrdDatabase::open(wxString::FromUTF8(path.c_str()), &rc));
    EXPECT_EQ(rc, 0) << path;
    EXPECT_TRUE(db);
    return db;
}

std::string sqliteShell(const std::string& path, const std::string& command)
{
    const std::string cmd = "sqlite3 '" + path + "' '" + command + "' 2>&1";
    std::string out;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        pclose(p);
    }
    return out;
}

std::vector<std::string> query(sqlite3* db, const std::string& sql)
{
    std::vector<std::string> rows;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << "cannot prepare " << sql << ": " << sqlite3_errmsg(db);
        return rows;
    }
    while (sqlite3_step(st) == SQLITE_ROW) {
        const unsigned char* t = sqlite3_column_text(st, 0);
        rows.push_back(t ? reinterpret_cast<const char*>(t) : "");
    }
    sqlite3_finalize(st);
    return rows;
}

std::vector<std::string> query(const std::string& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    std::vector<std::string> rows;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK)
        rows = query(db, sql);
    else
        ADD_FAILURE() << "cannot open " << path;
    sqlite3_close_v2(db);
    return rows;
}

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::vector<int64_t> times(const QxPriceHistory* h)
{
    if (!h)
        return {};
    return std::vector<int64_t>(h->timestamp(), h->timestamp() + h->numBars());
}

Recorder::Recorder()
{
    auto* hub = QxDataChangeReactorMgr::instance();
    hub->addDatabaseReactor(this);
    hub->addDatabaseChangeReactor(this);
}

Recorder::~Recorder()
{
    auto* hub = QxDataChangeReactorMgr::instance();
    hub->remDatabaseReactor(this);
    hub->remDatabaseChangeReactor(this);
    for (unsigned id : m_watched)
        hub->remPriceHistoryChangeReactor(id, this);
}

void Recorder::watch(unsigned securityId)
{
    m_watched.push_back(securityId);
    QxDataChangeReactorMgr::instance()->addPriceHistoryChangeReactor(securityId, this);
}

void Recorder::databaseOpened(QxDatabase* db)
{
    events.push_back(std::string("databaseOpened ") + db->path());
}

void Recorder::databaseWillBeClosed(QxDatabase* db)
{
    events.push_back(std::string("databaseWillBeClosed ") + db->path());
}

void Recorder::categoryAdded(QxCategory* c)
{
    events.push_back(std::string("categoryAdded ") + c->name());
}

void Recorder::categoryWillBeDeleted(QxCategory* c)
{
    events.push_back(std::string("categoryWillBeDeleted ") + c->name());
}

void Recorder::securityAdded(QxSecurity* s)
{
    events.push_back(std::string("securityAdded ") + s->ticker());
}

void Recorder::securityWillBeDeleted(QxSecurity* s)
{
    events.push_back(std::string("securityWillBeDeleted ") + s->ticker());
}

void Recorder::eodPriceHistoryChanged(unsigned securityId)
{
    events.push_back("eod " + std::to_string(securityId));
}

void Recorder::intradayPriceHistoryChanged(unsigned securityId)
{
    events.push_back("intraday " + std::to_string(securityId));
}

} // namespace TrdTest
