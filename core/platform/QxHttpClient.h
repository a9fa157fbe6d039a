#pragma once
// A small synchronous HTTP client over libcurl.  wxWidgets here has no web
// request class, so every download of the program (update check, price
// services) goes through this one place.
#include <atomic>
#include <cstddef>
#include <string>

class wxOutputStream;

struct QxHttpOptions {
    // Time allowed to establish the connection.
    long connectTimeoutMs = 10000;
    // Time allowed for the whole transfer, connection included.  A request
    // that runs out of it fails, whatever arrived so far.
    long totalTimeoutMs = 60000;
    // Bodies larger than this fail instead of eating memory.
    std::size_t maxBodyBytes = 64u * 1024u * 1024u;
    // When set, the transfer stops soon after the flag turns true.
    const std::atomic<bool>* abortFlag = nullptr;
};

struct QxHttpResponse {
    // HTTP status of the last response received, 0 when none arrived.
    long status = 0;
    // libcurl's result code, 0 when the transfer completed.
    int transportError = 0;
    bool timedOut = false;
    bool aborted = false;
    // What went wrong (UTF-8), for logs; empty on success.
    std::string errorText;

    // The transfer completed and the server answered 2xx.
    bool ok() const { return transportError == 0 && status >= 200 && status < 300; }
};

namespace QxHttpClient {

// Prepares libcurl for use.  Runs once per process; call it from the main
// thread before the first download thread starts (get calls it too).
void globalInit();

// GET url into body (replaced).  Only http and https are allowed, redirects
// are followed, signals are never used and loopback addresses always bypass
// a proxy configured in the environment.
QxHttpResponse get(const std::string& url, std::string& body, const QxHttpOptions& options = {});

// GET url, writing the body into out as it arrives.
QxHttpResponse get(const std::string& url, wxOutputStream& out, const QxHttpOptions& options = {});

// RFC 3986 percent-encoding of a query value: everything but letters,
// digits and "-._~" becomes %XX of its UTF-8 bytes.
std::string percentEncode(const std::string& value);

} // namespace QxHttpClient
