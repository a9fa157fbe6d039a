#pragma once
// The update check: asks the maker's web endpoint for the number of the
// latest build ("/buildId") and offers the download page when it is newer
// than this build.  The deciding part works without windows; run() adds
// the messages the user sees.
#include "core/platform/QxHttpClient.h"

#include <string>

class wxWindow;

namespace QxUpdateCheck {

// This build's number.
constexpr unsigned long kOwnBuildId = 1411091401UL;
// The endpoint's built-in address; the service name "update" lets the
// environment (TRENDORIA_URL_UPDATE) or QxServiceAddress::set replace it.
extern const char* const kDefaultAddress;

enum class Outcome {
    eFailed,     // no answer, an HTTP error, or an empty answer
    eUpToDate,   // the latest build is not newer than ours
    eNewer,      // a newer build exists
    eUnreadable, // the answer is not a build number
};

struct Result {
    Outcome outcome = Outcome::eFailed;
    unsigned long latestBuild = 0; // when the answer was a number
    QxHttpResponse response;
};

// What the user is shown for an outcome.
enum class Reaction {
    eNothing,
    eReportFailure,  // "Failed to get information about latest update..."
    eReportUpToDate, // "You are already using the latest update."
    eOfferDownload,  // "New update available..." with Yes and No
};

// The endpoint's current address.
std::string address();
// Timeouts of the request: it runs on the GUI thread, so it is kept short.
QxHttpOptions requestOptions();
std::string buildIdUrl(const std::string& base);
std::string downloadPageUrl(const std::string& base);

// A build number: decimal digits only, surrounding blanks ignored; false
// for anything else (signs, other characters, overflow).
bool parseBuildId(const std::string& text, unsigned long& value);
// The outcome of a finished request.
Result interpret(const QxHttpResponse& response, const std::string& body,
                 unsigned long ownBuild = kOwnBuildId);
// GETs "<base>/buildId" and interprets the answer.
Result query(const std::string& base, const QxHttpOptions& options = requestOptions(),
             unsigned long ownBuild = kOwnBuildId);
// Silent checks report nothing but a newer build; an unreadable answer is
// never reported.
Reaction reaction(Outcome outcome, bool silent);

// What run() shows; the default shows message boxes and opens the browser.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual void reportFailure();
    virtual void reportUpToDate();
    // True when the user wants the download page.
    virtual bool offerDownload();
    virtual void openPage(const std::string& url);
};

// The whole check, on the GUI thread (it blocks for the request).
Reaction run(bool silent, Prompts& prompts, const std::string& base,
             const QxHttpOptions& options = requestOptions());
// The same with message boxes against the configured address.
Reaction run(bool silent);

} // namespace QxUpdateCheck
