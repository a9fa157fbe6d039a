#pragma once
// Small helpers over the SQLite library shared by the classes of the plug-in.
#include <sqlite3.h>

#include <string>

// Table names are made of user texts (provider, ticker, exchange), so they are
// quoted here: "[name]" as the database format always wrote them, or, for a
// name holding "]" (which brackets cannot enclose), "name" with inner double
// quotes doubled. Both spell the same table for SQLite.
std::string trdQuoteName(const std::string& name);

// Runs a statement text that takes no parameters and returns no rows:
// 0, or the negated SQLite code of the failing prepare or step.
int trdExec(sqlite3* db, const std::string& sql);

// Whether a SQLite result code says the file is not a usable database
// (not SQLite at all, damaged, unreadable).
bool trdIsDamagedFileCode(int sqliteCode);

// SQLite is set up when the plug-in starts and shut down when its reader
// goes, but never under an open connection: a shutdown asked for while
// connections are open waits for the last one to close.
void trdSqliteStartup();
void trdSqliteShutdownWhenIdle();
void trdConnectionOpened();
void trdConnectionClosed();
int trdOpenConnections();
