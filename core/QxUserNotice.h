#pragma once
// Telling the user about something found outside any dialog (a damaged file
// read at start-up, a store that could not be used). Code of every layer
// reports here; the application decides when and how the user sees it, so
// a reader deep in the model never opens a window itself.
#include <wx/string.h>

#include <functional>

// Passes the text to the sink set by the application; without one it goes
// to standard error.
void qxNotifyUser(const wxString& text);

// The sink for qxNotifyUser; an empty function restores the default.
void qxSetUserNoticeSink(std::function<void(const wxString&)> sink);
