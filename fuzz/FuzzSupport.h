#pragma once
// What every fuzz target shares: a process set up like the program's own
// (private HOME, wxWidgets initialised, built-in indicators registered,
// logging silenced) and small helpers that hand the fuzzer's bytes to
// readers that want a parsed XML tree or a file on disk.
#include <wx/string.h>

#include <cstddef>
#include <cstdint>
#include <memory>

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

} // namespace FuzzSupport

// Every target defines this and nothing else; libFuzzer or the replay main
// calls it once per input.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
