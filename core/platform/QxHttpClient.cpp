#include "core/platform/QxHttpClient.h"

#include <wx/stream.h>

#include <curl/curl.h>

#include <cstdlib>
#include <functional>
#include <mutex>

namespace {

// Receives the body piece by piece; false stops the transfer.
using Sink = std::function<bool(const char*, std::size_t)>;

struct Transfer {
    Sink sink;
    std::size_t received = 0;
    std::size_t maxBytes = 0;
    bool tooLarge = false;
    const std::atomic<bool>* abortFlag = nullptr;
};

size_t onWrite(char* data, size_t size, size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    const size_t n = size * count;
    if (t->received + n > t->maxBytes) {
        t->tooLarge = true;
        return 0;
    }
    t->received += n;
    return t->sink(data, n) ? n : 0;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto* t = static_cast<Transfer*>(user);
    return (t->abortFlag && t->abortFlag->load()) ? 1 : 0;
}

// A proxy from the environment must never see requests to this machine
// (tests and local services), so loopback is added to whatever the user
// already exempts.
std::string noProxyList()
{
    std::string list = "127.0.0.1,localhost,::1";
    for (const char* name : {"no_proxy", "NO_PROXY"}) {
        const char* v = std::getenv(name);
        if (v && *v) {
            if (std::string(v) == "*")
                return "*";
            list += ",";
            list += v;
            break;
        }
    }
    return list;
}

QxHttpResponse perform(const std::string& url, Transfer& transfer, const QxHttpOptions& options)
{
    QxHttpClient::globalInit();
    QxHttpResponse response;
    CURL* curl = curl_easy_init();
    if (!curl) {
        response.transportError = CURLE_FAILED_INIT;
        response.errorText = "cannot create an HTTP session";
        return response;
    }
    transfer.maxBytes = options.maxBodyBytes;
    transfer.abortFlag = options.abortFlag;

    char errorBuffer[CURL_ERROR_SIZE] = {0};
    const std::string noProxy = noProxyList();
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_NOPROXY, noProxy.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, options.connectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, options.totalTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Trendoria/1.0");
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, onWrite);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);

    const CURLcode rc = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(curl);

    response.status = status;
    response.transportError = rc;
    response.timedOut = rc == CURLE_OPERATION_TIMEDOUT;
    response.aborted = rc == CURLE_ABORTED_BY_CALLBACK;
    if (rc != CURLE_OK) {
        if (transfer.tooLarge)
            response.errorText = "response body too large";
        else if (errorBuffer[0])
            response.errorText = errorBuffer;
        else
            response.errorText = curl_easy_strerror(rc);
    } else if (!response.ok()) {
        response.errorText = "HTTP status " + std::to_string(status);
    }
    return response;
}

} // namespace

namespace QxHttpClient {

void globalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

QxHttpResponse get(const std::string& url, std::string& body, const QxHttpOptions& options)
{
    body.clear();
    Transfer transfer;
    transfer.sink = [&body](const char* data, std::size_t n) {
        body.append(data, n);
        return true;
    };
    return perform(url, transfer, options);
}

QxHttpResponse get(const std::string& url, wxOutputStream& out, const QxHttpOptions& options)
{
    Transfer transfer;
    transfer.sink = [&out](const char* data, std::size_t n) {
        out.Write(data, n);
        return out.IsOk() && out.LastWrite() == n;
    };
    return perform(url, transfer, options);
}

std::string percentEncode(const std::string& value)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(value.size() * 3);
    for (unsigned char c : value) {
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
                                c == '~';
        if (unreserved) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

} // namespace QxHttpClient
