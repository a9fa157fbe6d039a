#include "support/TestHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>

namespace TestSupport {

namespace {

const char* reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

bool sendAll(int fd, const std::string& data)
{
    size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

HttpReply HttpReply::text(std::string body, int status)
{
    HttpReply r;
    r.status = status;
    r.body = std::move(body);
    return r;
}

HttpReply HttpReply::hang()
{
    HttpReply r;
    r.action = Action::Hang;
    return r;
}

HttpReply HttpReply::close()
{
    HttpReply r;
    r.action = Action::Close;
    return r;
}

TestHttpServer::TestHttpServer(Handler handler) : m_handler(std::move(handler)) {}

TestHttpServer::~TestHttpServer() { stop(); }

bool TestHttpServer::start()
{
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listenFd < 0) {
        std::perror("TestHttpServer socket");
        return false;
    }
    int one = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(m_listenFd, 64) != 0 ||
        ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        std::perror("TestHttpServer bind/listen");
        ::close(m_listenFd);
        m_listenFd = -1;
        return false;
    }
    m_port = ntohs(addr.sin_port);
    m_stopping = false;
    m_acceptThread = std::thread([this] { acceptLoop(); });
    return true;
}

void TestHttpServer::stop()
{
    if (m_listenFd < 0 && !m_acceptThread.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_acceptThread.joinable())
        m_acceptThread.join();
    std::vector<std::thread> workers;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        workers.swap(m_workers);
    }
    for (auto& t : workers)
        t.join();
    if (m_listenFd >= 0) {
        ::close(m_listenFd);
        m_listenFd = -1;
    }
}

std::string TestHttpServer::baseUrl() const
{
    return "http://127.0.0.1:" + std::to_string(m_port);
}

std::vector<HttpRequest> TestHttpServer::requests() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_requests;
}

int TestHttpServer::requestCount() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return static_cast<int>(m_requests.size());
}

int TestHttpServer::unusedPort()
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return 9; // discard: nothing listens there on a test machine
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    int port = 9;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
        port = ntohs(addr.sin_port);
    ::close(fd);
    return port;
}

bool TestHttpServer::waitUnlessStopping(int ms)
{
    std::unique_lock<std::mutex> lock(m_lock);
    if (ms < 0) {
        m_wake.wait(lock, [this] { return m_stopping.load(); });
        return false;
    }
    return !m_wake.wait_for(lock, std::chrono::milliseconds(ms),
                            [this] { return m_stopping.load(); });
}

void TestHttpServer::acceptLoop()
{
    while (!m_stopping) {
        pollfd p{m_listenFd, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_stopping) {
            ::close(fd);
            break;
        }
        m_workers.emplace_back([this, fd] { serve(fd); });
    }
}

void TestHttpServer::serve(int fd)
{
    // Read the request head (a body, if any, is ignored).
    std::string head;
    char buf[4096];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (head.find("\r\n\r\n") == std::string::npos && !m_stopping &&
           std::chrono::steady_clock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0)
            break;
        head.append(buf, static_cast<size_t>(n));
        if (head.size() > 65536)
            break;
    }
    const size_t lineEnd = head.find("\r\n");
    if (lineEnd == std::string::npos) {
        ::close(fd);
        return;
    }
    HttpRequest request;
    const std::string line = head.substr(0, lineEnd);
    const size_t sp1 = line.find(' ');
    const size_t sp2 = line.find(' ', sp1 == std::string::npos ? 0 : sp1 + 1);
    if (sp1 != std::string::npos && sp2 != std::string::npos) {
        request.method = line.substr(0, sp1);
        request.target = line.substr(sp1 + 1, sp2 - sp1 - 1);
    }
    const size_t q = request.target.find('?');
    request.path = request.target.substr(0, q);
    if (q != std::string::npos)
        request.query = request.target.substr(q + 1);
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_requests.push_back(request);
    }

    const HttpReply reply = m_handler(request);
    if (reply.delayMs > 0 && !waitUnlessStopping(reply.delayMs)) {
        ::close(fd);
        return;
    }
    switch (reply.action) {
    case HttpReply::Action::Hang:
        waitUnlessStopping(-1);
        break;
    case HttpReply::Action::Close:
        ::shutdown(fd, SHUT_RDWR);
        break;
    case HttpReply::Action::Respond: {
        std::string out = "HTTP/1.1 " + std::to_string(reply.status) + " " +
                          reasonPhrase(reply.status) + "\r\n";
        out += "Content-Type: " + reply.contentType + "\r\n";
        out += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
        out += "Connection: close\r\n\r\n";
        out += reply.body;
        sendAll(fd, out);
        ::shutdown(fd, SHUT_WR);
        break;
    }
    }
    ::close(fd);
}

} // namespace TestSupport
