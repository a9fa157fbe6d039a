// The HTTP layer against a server on 127.0.0.1: answers, HTTP errors,
// refused and silent servers, aborts, proxies from the environment, and
// download threads reporting back to the thread that owns their sink.
#include "core/platform/QxDownloadThread.h"
#include "core/platform/QxHttpClient.h"
#include "core/platform/QxServiceAddress.h"
#include "support/TestHttpServer.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/mstream.h>
#include <wx/thread.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <set>
#include <thread>

using TestSupport::HttpReply;
using TestSupport::HttpRequest;
using TestSupport::TestHttpServer;

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Answers by path: /ok, /missing, /broken, /slow, /hang, /drop, /big.
HttpReply route(const HttpRequest& r)
{
    if (r.path == "/ok")
        return HttpReply::text("hello\n");
    if (r.path == "/missing")
        return HttpReply::text("<html>not here</html>", 404);
    if (r.path == "/broken")
        return HttpReply::text("oops", 500);
    if (r.path == "/slow") {
        HttpReply reply = HttpReply::text("late");
        reply.delayMs = 3000;
        return reply;
    }
    if (r.path == "/hang")
        return HttpReply::hang();
    if (r.path == "/drop")
        return HttpReply::close();
    if (r.path == "/big")
        return HttpReply::text(std::string(100000, 'x'));
    if (r.path == "/echo")
        return HttpReply::text(r.query);
    return HttpReply::text("", 404);
}

class HttpClientTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.start()); }
    std::string url(const std::string& path) const { return server.baseUrl() + path; }

    TestHttpServer server{route};
};

QxHttpOptions shortTimeouts()
{
    QxHttpOptions o;
    o.connectTimeoutMs = 1000;
    o.totalTimeoutMs = 800;
    return o;
}

// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name)
    {
        const char* old = std::getenv(name);
        m_had = old != nullptr;
        if (old)
            m_old = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (m_had)
            setenv(m_name, m_old.c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};

} // namespace

TEST_F(HttpClientTest, StatusAndBodyOfAnswers)
{
    struct Case {
        const char* path;
        long status;
        bool ok;
        const char* body;
    } cases[] = {
        {"/ok", 200, true, "hello\n"},
        {"/missing", 404, false, "<html>not here</html>"},
        {"/broken", 500, false, "oops"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::string body = "stale";
        const QxHttpResponse r = QxHttpClient::get(url(c.path), body);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.ok(), c.ok);
        EXPECT_EQ(r.transportError, 0);
        EXPECT_EQ(body, c.body);
        EXPECT_EQ(r.errorText.empty(), c.ok);
    }
    ASSERT_EQ(server.requestCount(), 3);
    EXPECT_EQ(server.requests()[0].method, "GET");
}

TEST_F(HttpClientTest, StreamReceivesTheBody)
{
    wxMemoryOutputStream out;
    const QxHttpResponse r = QxHttpClient::get(url("/big"), out);
    ASSERT_TRUE(r.ok()) << r.errorText;
    EXPECT_EQ(out.GetLength(), 100000);
}

TEST_F(HttpClientTest, FailuresWithoutAnAnswerAreBoundedInTime)
{
    struct Case {
        std::string address;
        bool expectTimeout;
    } cases[] = {
        {"http://127.0.0.1:" + std::to_string(TestHttpServer::unusedPort()) + "/buildId", false},
        {url("/hang"), true},
        {url("/slow"), true},
        {url("/drop"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        std::string body;
        const auto start = Clock::now();
        const QxHttpResponse r = QxHttpClient::get(c.address, body, shortTimeouts());
        EXPECT_LT(secondsSince(start), 2.5);
        EXPECT_FALSE(r.ok());
        EXPECT_NE(r.transportError, 0);
        EXPECT_EQ(r.timedOut, c.expectTimeout);
        EXPECT_FALSE(r.errorText.empty());
    }
}

TEST_F(HttpClientTest, OversizedBodyFails)
{
    QxHttpOptions o;
    o.maxBodyBytes = 1000;
    std::string body;
    const QxHttpResponse r = QxHttpClient::get(url("/big"), body, o);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.status, 200);
    EXPECT_LE(body.size(), 1000u);
    EXPECT_EQ(r.errorText, "response body too large");
}

TEST_F(HttpClientTest, OnlyHttpIsSpoken)
{
    std::string body;
    const QxHttpResponse r = QxHttpClient::get("file:///etc/hostname", body);
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.transportError, 0);
    EXPECT_TRUE(body.empty());
}

TEST_F(HttpClientTest, AbortFlagStopsASilentTransferPromptly)
{
    std::atomic<bool> abort{false};
    QxHttpOptions o;
    o.totalTimeoutMs = 30000;
    o.abortFlag = &abort;
    std::thread setter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        abort = true;
    });
    std::string body;
    const auto start = Clock::now();
    const QxHttpResponse r = QxHttpClient::get(url("/hang"), body, o);
    setter.join();
    EXPECT_LT(secondsSince(start), 3.0);
    EXPECT_TRUE(r.aborted);
    EXPECT_FALSE(r.timedOut);
    EXPECT_FALSE(r.ok());
}

TEST_F(HttpClientTest, ProxyInTheEnvironmentNeverCapturesLoopback)
{
    // A proxy that does not exist: any request sent through it would fail.
    const std::string deadProxy = "http://127.0.0.1:" + std::to_string(TestHttpServer::unusedPort());
    ScopedEnv a("http_proxy", deadProxy), b("HTTP_PROXY", deadProxy), c("ALL_PROXY", deadProxy),
        d("no_proxy", "example.invalid");
    std::string body;
    const QxHttpResponse r = QxHttpClient::get(url("/ok"), body, shortTimeouts());
    EXPECT_TRUE(r.ok()) << r.errorText;
    EXPECT_EQ(body, "hello\n");
    std::string viaLocalhost;
    const QxHttpResponse r2 = QxHttpClient::get(
        "http://localhost:" + std::to_string(server.port()) + "/ok", viaLocalhost, shortTimeouts());
    EXPECT_TRUE(r2.ok()) << r2.errorText;
}

TEST(HttpClient, PercentEncodesQueryValues)
{
    const std::pair<std::string, std::string> cases[] = {
        {"IBM", "IBM"},
        {"BRK.B", "BRK.B"},
        {"^GSPC", "%5EGSPC"},
        {"NSE:TATA MOTORS", "NSE%3ATATA%20MOTORS"},
        {"a&b=c/d?e#f+g", "a%26b%3Dc%2Fd%3Fe%23f%2Bg"},
        {"-_.~", "-_.~"},
        {"\xC3\xA9", "%C3%A9"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QxHttpClient::percentEncode(c.first), c.second) << c.first;
}

TEST(ServiceAddress, SetBeatsEnvironmentBeatsBuiltIn)
{
    EXPECT_EQ(QxServiceAddress::get("test-svc", "https://example.invalid/"),
              "https://example.invalid");
    {
        ScopedEnv env("TRENDORIA_URL_TEST_SVC", "http://127.0.0.1:1/");
        EXPECT_EQ(QxServiceAddress::get("test-svc", "https://example.invalid"),
                  "http://127.0.0.1:1");
        QxServiceAddress::set("test-svc", "http://127.0.0.1:2");
        EXPECT_EQ(QxServiceAddress::get("test-svc", "https://example.invalid"),
                  "http://127.0.0.1:2");
        QxServiceAddress::set("test-svc", "");
        EXPECT_EQ(QxServiceAddress::get("test-svc", "https://example.invalid"),
                  "http://127.0.0.1:1");
    }
    EXPECT_EQ(QxServiceAddress::join("http://h", "/buildId"), "http://h/buildId");
    EXPECT_EQ(QxServiceAddress::join("http://h/", "buildId"), "http://h/buildId");
    EXPECT_EQ(QxServiceAddress::join("http://h//", "/a/b"), "http://h/a/b");
}

// Download threads: each posts one completion to the sink; the sink's owner
// (this test's thread standing in for the GUI thread) handles it when it
// processes its pending events.
namespace {

class Collector : public wxEvtHandler {
public:
    Collector() { Bind(QX_EVT_DOWNLOAD_COMPLETE, &Collector::onDone, this); }

    void onDone(QxDownloadEvent& e)
    {
        Result r;
        r.status = e.httpStatus();
        r.ok = e.succeeded();
        r.aborted = e.aborted();
        r.body = e.body();
        r.onMainThread = wxThread::IsMain();
        results[e.downloadId()] = r;
    }

    // Dispatches queued events, as the main loop would, until n results
    // arrived or the time is up.
    bool waitFor(size_t n, double seconds)
    {
        const auto start = Clock::now();
        for (;;) {
            wxAppConsole* app = wxAppConsole::GetInstance();
            if (app->HasPendingEvents())
                app->ProcessPendingEvents();
            if (results.size() >= n || secondsSince(start) >= seconds)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return results.size() >= n;
    }

    struct Result {
        long status = -1;
        bool ok = false;
        bool aborted = false;
        bool onMainThread = false;
        std::string body;
    };
    std::map<int, Result> results;
};

} // namespace

TEST_F(HttpClientTest, DownloadThreadsReportIdAndStatusToTheSinkOwner)
{
    Collector sink;
    const std::map<int, std::string> paths = {
        {1, "/echo?n=1"}, {2, "/missing"}, {3, "/echo?n=3"}, {4, "/broken"}, {5, "/echo?n=5"}};
    std::vector<QxDownloadThread*> threads;
    for (const auto& p : paths) {
        auto* t = new QxDownloadThread(&sink, p.first, url(p.second));
        ASSERT_TRUE(t->start());
        threads.push_back(t);
    }
    ASSERT_TRUE(sink.waitFor(paths.size(), 10));
    for (auto* t : threads) {
        t->Wait();
        delete t;
    }
    ASSERT_EQ(sink.results.size(), paths.size());
    for (const auto& [id, r] : sink.results) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(r.onMainThread);
        EXPECT_FALSE(r.aborted);
        if (id == 2) {
            EXPECT_EQ(r.status, 404);
            EXPECT_FALSE(r.ok);
        } else if (id == 4) {
            EXPECT_EQ(r.status, 500);
            EXPECT_FALSE(r.ok);
        } else {
            EXPECT_EQ(r.status, 200);
            EXPECT_TRUE(r.ok);
            EXPECT_EQ(r.body, "n=" + std::to_string(id));
        }
    }
}

TEST_F(HttpClientTest, AbortedDownloadsWindUpPromptly)
{
    Collector sink;
    QxHttpOptions o;
    o.totalTimeoutMs = 60000;
    std::vector<QxDownloadThread*> threads;
    for (int id = 1; id <= 3; ++id) {
        auto* t = new QxDownloadThread(&sink, id, url("/hang"), o);
        ASSERT_TRUE(t->start());
        threads.push_back(t);
    }
    // Let the requests reach the server before winding up.
    const auto until = Clock::now() + std::chrono::seconds(5);
    while (server.requestCount() < 3 && Clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(server.requestCount(), 3);

    const auto start = Clock::now();
    for (auto* t : threads)
        t->abort();
    for (auto* t : threads) {
        t->Wait();
        delete t;
    }
    EXPECT_LT(secondsSince(start), 3.0);
    ASSERT_TRUE(sink.waitFor(3, 2));
    for (const auto& [id, r] : sink.results) {
        EXPECT_TRUE(r.aborted) << id;
        EXPECT_FALSE(r.ok) << id;
    }
}
