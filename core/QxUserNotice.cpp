#include "core/QxUserNotice.h"

#include <wx/intl.h>

#include <cstdio>
#include <utility>

namespace {

std::function<void(const wxString&)>& sink()
{
    static std::function<void(const wxString&)> current;
    return current;
}

} // namespace

void qxNotifyUser(const wxString& text)
{
    if (sink())
        sink()(text);
    else
        std::fprintf(stderr, "%s\n", static_cast<const char*>(text.utf8_str()));
}

void qxSetUserNoticeSink(std::function<void(const wxString&)> s) { sink() = std::move(s); }

bool QxWriteFailureNotice::report(bool written, const wxString& path, const wxString& why)
{
    if (written) {
        m_failing = false;
        return true;
    }
    if (!m_failing)
        qxNotifyUser(wxString::Format(_("%s could not be written to \"%s\": %s.\n\nThey are kept while "
                                        "Trendoria runs and written with the next change."),
                                      m_what, path, why));
    m_failing = true;
    return false;
}
