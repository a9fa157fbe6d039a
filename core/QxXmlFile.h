#pragma once
// Writing files the way every file of the program is written: into a
// temporary file beside the target, renamed over it only once complete, so
// that a failed write keeps the old file.
#include <wx/string.h>

#include <functional>

class wxOutputStream;
class wxXmlDocument;

// Runs write on a stream into a temporary file beside path and, when it
// returns true and every byte reached the disk, renames that file over
// path. True when the new content now stands at path; on failure the file
// that was there is untouched and no temporary file is left behind.
bool qxWriteFileReplacing(const wxString& path, const std::function<bool(wxOutputStream&)>& write);

// The same for an XML document saved with the given indentation.
bool qxSaveXmlFile(const wxXmlDocument& doc, const wxString& path, int indent);
