#pragma once
// What every fuzz target shares: a process set up like the program's own
// (private HOME, wxWidgets initialised, built-in indicators registered,
// logging silenced) and small helpers that hand the fuzzer's bytes to
// readers that want a parsed XML tree or a file on disk.
#include <wx/string.h>

#include <cstddef>
#include <cstdint>
#include <memory>

class QxCalculator;
class QxDatabase;
class wxXmlDocument;

namespace FuzzSupport {

// Once per process, before the first input.
void initialise();

// The bytes as an XML document, read as the program reads its chart files;
// null when that reader refuses them.
std::unique_ptr<wxXmlDocument> parseXml(const uint8_t* data, size_t size);

// Writes the bytes to path (replacing what is there); false on failure.
bool writeFile(const wxString& path, const uint8_t* data, size_t size);

// A file name in the process's private scratch folder.
wxString scratchPath(const char* name);

// Removes path and everything below it (nothing when it is not there).
void removeAll(const wxString& path);

// A small database for readers that resolve security keys: the category
// "US.FUZZ.STOCK" of the provider "Yahoo!" with the securities "AAA", "BBB"
// and "CCC" (so the key "Yahoo!|US.FUZZ.STOCK|AAA" resolves). Lives as long
// as the process.
QxDatabase* database();

// A calculator over 60 daily bars from 2 January 2014, for charts read from
// files. Lives as long as the process.
QxCalculator* calculator();

} // namespace FuzzSupport

// Every target defines this and nothing else; libFuzzer or the replay main
// calls it once per input.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
