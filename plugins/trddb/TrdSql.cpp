#include "plugins/trddb/TrdSql.h"

#include "plugins/trddb/TrdStatement.h"

#include <mutex>

namespace {
// Connections are opened and closed on the GUI thread and by a worker that
// reads over a connection of its own.
std::mutex s_connectionsMutex;
int s_openConnections = 0;
bool s_shutdownPending = false;
} // namespace

std::string trdQuoteName(const std::string& name)
{
    if (name.find(']') == std::string::npos)
        return "[" + name + "]";
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

int trdExec(sqlite3* db, const std::string& sql)
{
    TrdStatement st(db, sql);
    if (!st.ok())
        return st.error();
    int rc = st.step();
    while (rc == SQLITE_ROW)
        rc = st.step();
    return rc == SQLITE_DONE || rc == SQLITE_OK ? 0 : -rc;
}

bool trdIsDamagedFileCode(int sqliteCode)
{
    switch (sqliteCode & 0xff) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_FORMAT:
        return true;
    default:
        return false;
    }
}

void trdSqliteStartup()
{
    std::lock_guard<std::mutex> lock(s_connectionsMutex);
    s_shutdownPending = false;
    sqlite3_initialize();
}

void trdSqliteShutdownWhenIdle()
{
    std::lock_guard<std::mutex> lock(s_connectionsMutex);
    if (s_openConnections > 0) {
        s_shutdownPending = true;
        return;
    }
    s_shutdownPending = false;
    sqlite3_shutdown();
}

void trdConnectionOpened()
{
    std::lock_guard<std::mutex> lock(s_connectionsMutex);
    ++s_openConnections;
}

void trdConnectionClosed()
{
    std::lock_guard<std::mutex> lock(s_connectionsMutex);
    if (s_openConnections > 0)
        --s_openConnections;
    if (s_openConnections == 0 && s_shutdownPending) {
        s_shutdownPending = false;
        sqlite3_shutdown();
    }
}

int trdOpenConnections()
{
    std::lock_guard<std::mutex> lock(s_connectionsMutex);
    return s_openConnections;
}
