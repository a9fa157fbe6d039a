#pragma once
// Reading the XML files the program keeps for the user (the trading-system
// index and definitions, the alert file) with bounds on size and nesting,
// and putting a file that cannot be read out of the way so that it is never
// written over.
#include <wx/string.h>

class wxXmlDocument;

// Loads path into doc; false (doc then undefined) when the file is missing,
// too large or too deeply nested, not well-formed or without a root element.
bool readXml(const wxString& path, wxXmlDocument& doc);

// Renames an unreadable file out of the way under a name of its own
// (path + ".unreadable", then ".unreadable-2" ...); the new path, or empty
// when it could not be moved.
wxString keepAside(const wxString& path);

// Shown once, after the current event is done, so that no caller is
// interrupted by a window in the middle of its work; logged without a GUI.
void tellUser(const wxString& message);
