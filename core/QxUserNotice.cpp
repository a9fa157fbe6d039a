#include "core/QxUserNotice.h"

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
