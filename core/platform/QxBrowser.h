#pragma once
// Opening a page in the desktop's default browser, in one place so that
// tests can see what would be opened instead of starting a browser.
#include <wx/string.h>

#include <functional>

// Opens the local file at path; false when no browser could be started.
bool qxOpenFileInBrowser(const wxString& path);

// While set, qxOpenFileInBrowser calls responder instead; null restores the browser.
void qxSetBrowserResponder(std::function<bool(const wxString&)> responder);
