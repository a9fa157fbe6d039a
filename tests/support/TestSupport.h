#pragma once
// Helpers shared by the test executables.
#include "support/Fixtures.h"

#include <iosfwd>
#include <string>
#include <vector>

class QxDataReader;
class wxString;

// Failures show texts as texts, not as lists of characters.
void PrintTo(const wxString& text, std::ostream* os);

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

// A well-formed XML file with root element root around `levels` nested
// elements, written the ways that fool a reader which looks for elements
// in the text instead of asking the parser: after a document type whose
// entity value holds "]><!--", after a document type holding a processing
// instruction with "]><!--", and after a processing instruction holding
// "><!--" (no document type). The parser builds every level.
struct HiddenDeepXml {
    const char* kind;
    std::string text;
};
std::vector<HiddenDeepXml> hiddenDeepXml(const std::string& root, int levels = 200000);

// Numbers formatted the German way (decimal comma) for the lifetime of the
// object. The locale is generated into a private folder, as no machine here
// has it installed; ok() says whether that worked.
class CommaLocale {
public:
    CommaLocale();
    ~CommaLocale();
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;
    bool ok() const { return m_ok; }

private:
    std::string m_old;
    bool m_ok = false;
};

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
