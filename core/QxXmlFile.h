#pragma once
// Writing XML documents the way every file of the program is written: into
// a temporary file beside the target, renamed over it only once complete,
// so that a failed write keeps the old file.
#include <wx/string.h>

#include <string>

class wxXmlDocument;

// True when the document now stands at path; on failure the file that was
// there is untouched and no temporary file is left behind.
bool qxSaveXmlFile(const wxXmlDocument& doc, const wxString& path, int indent);

// The same for a file of the given bytes.
bool qxSaveBytesFile(const std::string& bytes, const wxString& path);
