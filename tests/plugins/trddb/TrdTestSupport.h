#pragma once
// Shared pieces of the history database tests: price histories, raw looks
// into database files, and a reactor that records what the hub tells it.
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "plugins/trddb/TrdDatabase.h"

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

namespace TrdTest {

// Packed timestamp of the day n days after 2000-01-01 (n may be negative).
int64_t dayTimestamp(int n);
int64_t date(int year, int month, int day);

// A daily history of n consecutive days from day `first` (see dayTimestamp);
// prices derive from the bar index so that every value is distinct.
QxPriceHistory* makeHistory(Qx::QxSecurityType type, int first, int n, double base = 100.0);
// A daily history with exactly these timestamps.
QxPriceHistory* makeHistoryAt(Qx::QxSecurityType type, const std::vector<int64_t>& times, double base = 100.0);

// A fresh database path in a temporary folder.
std::string newDatabasePath(const std::string& name = "hist.trddb");

// Opens a database through the plug-in's classes; fails the test when it
// does not open.
QxObjectSmartPtr<TrdDatabase> openDb(const std::string& path);

// Output of the sqlite3 command-line shell on the file.
std::string sqliteShell(const std::string& path, const std::string& command);
// First column of every row of a query, as text ("" for NULL).
std::vector<std::string> query(const std::string& path, const std::string& sql);
std::vector<std::string> query(sqlite3* db, const std::string& sql);

std::string fileBytes(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

// The timestamps and closes (or navs) of a history, for comparisons.
std::vector<int64_t> times(const QxPriceHistory* h);

// Everything the hub tells, as lines like "eod 65537" or "securityAdded IBM".
class Recorder : public QxDatabaseReactor, public QxDatabaseChangeReactor, public QxPriceHistoryChangeReactor {
public:
    Recorder();
    ~Recorder();
    // Also listen to price changes of this security id.
    void watch(unsigned securityId);

    void databaseOpened(QxDatabase* db) override;
    void databaseWillBeClosed(QxDatabase* db) override;
    void categoryAdded(QxCategory* c) override;
    void categoryWillBeDeleted(QxCategory* c) override;
    void securityAdded(QxSecurity* s) override;
    void securityWillBeDeleted(QxSecurity* s) override;
    void eodPriceHistoryChanged(unsigned securityId) override;
    void intradayPriceHistoryChanged(unsigned securityId) override;

    std::vector<std::string> events;

private:
    std::vector<unsigned> m_watched;
};

} // namespace TrdTest
