#pragma once
// Helpers shared by the test executables.
#include "support/Fixtures.h"

#include <string>

class QxDataReader;

namespace TestSupport {

// Folder of the built program: executable, model library, plug-ins, shipped files.
std::string binDir();
// Where a test saves pictures and other output for a person to look at; the
// folder is created on demand.
std::string artifactPath(const std::string& fileName);
// A fresh empty folder below the test process's private HOME.
std::string makeTempDir(const std::string& hint = "tmp");
// The private HOME this test process runs with.
std::string homeDir();
// The real history-database plug-in's reader, loaded once and held for the
// whole program: stand-in applications empty the registries when they go.
QxDataReader* historyReader();
// Whether the toolkit's GUI part was started for this executable.
bool guiAvailable();

// Sets TZ for the lifetime of the object and restores the previous value.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* tz);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::string m_old;
    bool m_hadOld;
};

} // namespace TestSupport
