#include "core/platform/QxBrowser.h"

#include <wx/filename.h>
#include <wx/utils.h>

namespace {
std::function<bool(const wxString&)>& responder()
{
    static std::function<bool(const wxString&)> r;
    return r;
}
} // namespace

bool qxOpenFileInBrowser(const wxString& path)
{
    if (responder())
        return responder()(path);
    return wxLaunchDefaultBrowser(wxFileName::FileNameToURL(wxFileName(path)));
}

void qxSetBrowserResponder(std::function<bool(const wxString&)> r) { responder() = std::move(r); }
