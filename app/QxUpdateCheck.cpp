#include "app/QxUpdateCheck.h"

#include "core/platform/QxServiceAddress.h"
#include "ui/QxMessages.h"

#include <wx/intl.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include <cerrno>
#include <cstdlib>

namespace QxUpdateCheck {

const char* const kDefaultAddress = "https://www.corvane.com";

namespace {

std::string trimmed(const std::string& s)
{
    size_t begin = 0, end = s.size();
    // A byte-order mark some servers put before text.
    if (s.compare(0, 3, "\xEF\xBB\xBF") == 0)
        begin = 3;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (begin < end && blank(s[begin]))
        ++begin;
    while (end > begin && blank(s[end - 1]))
        --end;
    return s.substr(begin, end - begin);
}

} // namespace

std::string address() { return QxServiceAddress::get("update", kDefaultAddress); }

QxHttpOptions requestOptions()
{
    QxHttpOptions options;
    options.connectTimeoutMs = 5000;
    options.totalTimeoutMs = 15000;
    options.maxBodyBytes = 4096;
    return options;
}

std::string buildIdUrl(const std::string& base) { return QxServiceAddress::join(base, "/buildId"); }

std::string downloadPageUrl(const std::string& base)
{
    return QxServiceAddress::join(base, "/download/update.html");
}

bool parseBuildId(const std::string& text, unsigned long& value)
{
    const std::string digits = trimmed(text);
    if (digits.empty())
        return false;
    for (char c : digits)
        if (c < '0' || c > '9')
            return false;
    errno = 0;
    char* end = nullptr;
    const unsigned long long v = std::strtoull(digits.c_str(), &end, 10);
    if (errno == ERANGE || *end != '\0' || v > static_cast<unsigned long long>(~0UL))
        return false;
    value = static_cast<unsigned long>(v);
    return true;
}

Result interpret(const QxHttpResponse& response, const std::string& body, unsigned long ownBuild)
{
    Result result;
    result.response = response;
    // An HTTP error page is a failed request, not an answer to read.
    if (!response.ok() || trimmed(body).empty()) {
        result.outcome = Outcome::eFailed;
        return result;
    }
    unsigned long latest = 0;
    if (!parseBuildId(body, latest)) {
        result.outcome = Outcome::eUnreadable;
        return result;
    }
    result.latestBuild = latest;
    result.outcome = latest > ownBuild ? Outcome::eNewer : Outcome::eUpToDate;
    return result;
}

Result query(const std::string& base, const QxHttpOptions& options, unsigned long ownBuild)
{
    std::string body;
    const QxHttpResponse response = QxHttpClient::get(buildIdUrl(base), body, options);
    return interpret(response, body, ownBuild);
}

Reaction reaction(Outcome outcome, bool silent)
{
    switch (outcome) {
    case Outcome::eFailed:
        return silent ? Reaction::eNothing : Reaction::eReportFailure;
    case Outcome::eUpToDate:
        return silent ? Reaction::eNothing : Reaction::eReportUpToDate;
    case Outcome::eNewer:
        return Reaction::eOfferDownload;
    case Outcome::eUnreadable:
        break;
    }
    return Reaction::eNothing;
}

void Prompts::reportFailure()
{
    qxShowError(_("Failed to get information about latest update.\nPlease check if your computer is "
                  "connected to internet."),
                nullptr);
}

void Prompts::reportUpToDate()
{
    QxMessage message(QxMessageKind::Information, _("You are already using the latest update."), nullptr);
    message.caption = wxMessageBoxCaptionStr; // the box's generic caption, as always
    qxTell(message);
}

bool Prompts::offerDownload()
{
    return qxAskYesNo(_("New update available.\nDo you want to download update installer now?"), nullptr);
}

void Prompts::openPage(const std::string& url) { wxLaunchDefaultBrowser(wxString::FromUTF8(url)); }

Reaction run(bool silent, Prompts& prompts, const std::string& base, const QxHttpOptions& options)
{
    const Result result = query(base, options);
    const Reaction r = reaction(result.outcome, silent);
    switch (r) {
    case Reaction::eReportFailure:
        prompts.reportFailure();
        break;
    case Reaction::eReportUpToDate:
        prompts.reportUpToDate();
        break;
    case Reaction::eOfferDownload:
        if (prompts.offerDownload())
            prompts.openPage(downloadPageUrl(base));
        break;
    case Reaction::eNothing:
        break;
    }
    return r;
}

Reaction run(bool silent)
{
    Prompts prompts;
    return run(silent, prompts, address());
}

} // namespace QxUpdateCheck
