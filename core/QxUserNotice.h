#pragma once
// Telling the user about something found outside any dialog (a damaged file
// read at start-up, a store that could not be used). Code of every layer
// reports here; the application decides when and how the user sees it, so
// a reader deep in the model never opens a window itself.
#include <wx/string.h>

#include <functional>
#include <utility>

// Passes the text to the sink set by the application; without one it goes
// to standard error.
void qxNotifyUser(const wxString& text);

// The sink for qxNotifyUser; an empty function restores the default.
void qxSetUserNoticeSink(std::function<void(const wxString&)> sink);

// Tells the user that a file holding the user's work could not be written,
// once: not again until a write of it has succeeded in between, so that a
// full disk does not bring a message for every change. What was not written
// stays in memory and goes with the next write.
class QxWriteFailureNotice {
public:
    // what: the work the file holds, for the message ("The alert settings").
    explicit QxWriteFailureNotice(wxString what) : m_what(std::move(what)) {}
    // Passes written on; a failure (with the file and why, in a few words)
    // is told when it is the first since the last success.
    bool report(bool written, const wxString& path, const wxString& why);
    // Whether the last write failed.
    bool failing() const { return m_failing; }

private:
    wxString m_what;
    bool m_failing = false;
};
