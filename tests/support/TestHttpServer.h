#pragma once
// A tiny HTTP/1.1 server for tests, listening on 127.0.0.1 on a free port.
// Each connection is served by its own thread with one request and one
// answer; the handler decides the answer, which can also be a delay, a
// connection that never gets an answer, or one closed without a word.
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace TestSupport {

struct HttpRequest {
    std::string method;
    std::string target; // path and query, as sent
    std::string path;   // target without the query
    std::string query;  // after "?", empty when none
};

struct HttpReply {
    enum class Action { Respond, Hang, Close };
    int status = 200;
    std::string body;
    std::string contentType = "text/plain; charset=utf-8";
    // Wait this long before answering (interrupted when the server stops).
    int delayMs = 0;
    Action action = Action::Respond;

    static HttpReply text(std::string body, int status = 200);
    static HttpReply hang();
    static HttpReply close();
};

class TestHttpServer {
public:
    using Handler = std::function<HttpReply(const HttpRequest&)>;

    explicit TestHttpServer(Handler handler);
    ~TestHttpServer(); // stops

    // Binds and starts serving; false (with a test failure message on
    // stderr) when the socket cannot be set up.
    bool start();
    void stop();

    int port() const { return m_port; }
    // "http://127.0.0.1:<port>"
    std::string baseUrl() const;
    // Requests received so far, in order of arrival.
    std::vector<HttpRequest> requests() const;
    int requestCount() const;

    // A port on 127.0.0.1 on which nothing listens (bound, then released).
    static int unusedPort();

private:
    void acceptLoop();
    void serve(int fd);
    // Sleeps up to ms; false when the server is stopping.
    bool waitUnlessStopping(int ms);

    Handler m_handler;
    int m_listenFd = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::thread m_acceptThread;
    mutable std::mutex m_lock;
    std::condition_variable m_wake;
    std::vector<std::thread> m_workers;
    std::vector<HttpRequest> m_requests;
};

} // namespace TestSupport
