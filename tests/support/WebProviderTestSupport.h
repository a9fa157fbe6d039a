#pragma once
// Shared by the web provider tests: the in-memory history database (it
// announces its changes to the hub like the real one), and a price server on
// 127.0.0.1 that speaks both price protocols and can misbehave on demand.
#include "app/QxPluginLoader.h"
#include "core/QxDataReader.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxTime.h"
#include "core/platform/QxServiceAddress.h"
#include "support/MemData.h"
#include "support/TestHttpServer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/datetime.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace wptest {

// The in-memory history database the web provider tests download into.
using TestSupport::MemCategory;
using TestSupport::MemDatabase;
using TestSupport::MemSecurity;

// ---------------------------------------------------------------------------
// Dates

// Today's date moved by days, as a wxDateTime at 00:00.
inline wxDateTime dayFromToday(int days) { return wxDateTime::Today() + wxDateSpan::Days(days); }
inline int64_t packedDay(const wxDateTime& d) { return makeTimestamp(d.GetDay(), d.GetMonth() + 1, d.GetYear()); }
inline int64_t daysAgo(int n) { return packedDay(dayFromToday(-n)); }

// ---------------------------------------------------------------------------
// The price server

inline std::string percentDecode(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size()) {
            out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

inline std::map<std::string, std::string> queryParams(const std::string& query)
{
    std::map<std::string, std::string> params;
    size_t pos = 0;
    while (pos <= query.size()) {
        size_t amp = query.find('&', pos);
        if (amp == std::string::npos)
            amp = query.size();
        const std::string part = query.substr(pos, amp - pos);
        const size_t eq = part.find('=');
        if (eq != std::string::npos)
            params[percentDecode(part.substr(0, eq))] = percentDecode(part.substr(eq + 1));
        pos = amp + 1;
    }
    return params;
}

// The close the server quotes for a day: 200 plus the day of the month, so
// a bar brought by the server is told apart from a stored one (100).
inline double serverClose(const wxDateTime& day) { return 200.0 + day.GetDay(); }

// Answers "/finance/getprices" (Google) and "/table.csv" (Yahoo) with the
// daily bars of the span the request asks for, up to today. How it answers
// is set by mode; in every mode it records the requests and the largest
// number it served at once.
class PriceServer {
public:
    enum class Mode { Normal, Error500, Garbage, Empty, Hang, Close, Slow };

    PriceServer() : m_server([this](const TestSupport::HttpRequest& r) { return handle(r); }) {}

    bool start() { return m_server.start(); }
    void stop() { m_server.stop(); }
    std::string baseUrl() const { return m_server.baseUrl(); }

    std::atomic<Mode> mode{Mode::Normal};
    // Time each answer takes (Slow waits much longer).
    std::atomic<int> workMs{0};
    std::atomic<int> slowMs{3000};

    int requestCount() const { return m_server.requestCount(); }
    std::vector<TestSupport::HttpRequest> requests() const { return m_server.requests(); }
    // Tickers in the order the requests arrived.
    std::vector<std::string> tickers() const
    {
        std::vector<std::string> out;
        for (const auto& r : m_server.requests()) {
            auto p = queryParams(r.query);
            out.push_back(p.count("q") ? p["q"] : p["s"]);
        }
        return out;
    }
    int maxConcurrent() const { return m_maxConcurrent.load(); }

    // Google's answer for the days from first to last (both included),
    // in the service's layout: a base row, then offset rows.
    static std::string googleBody(const wxDateTime& first, const wxDateTime& last)
    {
        std::string body = "EXCHANGE%3DNASDAQ\nMARKET_OPEN_MINUTE=570\nMARKET_CLOSE_MINUTE=960\n"
                           "INTERVAL=86400\nCOLUMNS=DATE,CLOSE,HIGH,LOW,OPEN,VOLUME\nDATA=\n"
                           "TIMEZONE_OFFSET=-300\n";
        // 21:00 UTC: the close of a New York day.
        const long long base = (long long)first.GetTicks() + 21 * 3600;
        int k = 0;
        for (wxDateTime d = first; d <= last; d += wxDateSpan::Day(), ++k) {
            const double c = serverClose(d);
            char row[160];
            if (k == 0)
                std::snprintf(row, sizeof row, "a%lld,%.2f,%.2f,%.2f,%.2f,%d\n", base, c, c + 1, c - 1, c, 5000 + k);
            else
                std::snprintf(row, sizeof row, "%d,%.2f,%.2f,%.2f,%.2f,%d\n", k, c, c + 1, c - 1, c, 5000 + k);
            body += row;
        }
        return body;
    }

    // Yahoo's answer for the days from first to last, newest first.
    static std::string yahooBody(const wxDateTime& first, const wxDateTime& last)
    {
        std::string body = "Date,Open,High,Low,Close,Volume,Adj Close\n";
        for (wxDateTime d = last; d >= first; d -= wxDateSpan::Day()) {
            const double c = serverClose(d);
            char row[160];
            std::snprintf(row, sizeof row, "%04d-%02d-%02d,%.2f,%.2f,%.2f,%.2f,%d,%.2f\n", d.GetYear(),
                          d.GetMonth() + 1, d.GetDay(), c, c + 1, c - 1, c, 7000, c);
            body += row;
        }
        return body;
    }

private:
    TestSupport::HttpReply handle(const TestSupport::HttpRequest& r)
    {
        const int now = ++m_concurrent;
        int seen = m_maxConcurrent.load();
        while (now > seen && !m_maxConcurrent.compare_exchange_weak(seen, now)) {
        }
        if (workMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(workMs.load()));
        TestSupport::HttpReply reply = answer(r);
        --m_concurrent;
        return reply;
    }

    TestSupport::HttpReply answer(const TestSupport::HttpRequest& r) const
    {
        using TestSupport::HttpReply;
        switch (mode.load()) {
        case Mode::Error500: {
            // An error status with a body that would parse: still no bars.
            HttpReply reply = HttpReply::text(bodyFor(r), 500);
            return reply;
        }
        case Mode::Garbage: return HttpReply::text("<html><body>Service temporarily unavailable</body></html>\n");
        case Mode::Empty: return HttpReply::text("");
        case Mode::Hang: return HttpReply::hang();
        case Mode::Close: return HttpReply::close();
        case Mode::Slow: {
            HttpReply reply = HttpReply::text(bodyFor(r));
            reply.delayMs = slowMs;
            return reply;
        }
        case Mode::Normal: break;
        }
        return HttpReply::text(bodyFor(r));
    }

    static std::string bodyFor(const TestSupport::HttpRequest& r)
    {
        auto p = queryParams(r.query);
        const wxDateTime today = wxDateTime::Today();
        if (r.path == "/finance/getprices") {
            // Answers a few days more than asked, as the service does.
            const std::string period = p["p"];
            if (period.size() < 2)
                return "";
            const int n = std::atoi(period.c_str());
            wxDateSpan span;
            switch (period.back()) {
            case 'Y': span = wxDateSpan::Years(std::min(n, 3)); break; // enough for a test
            case 'M': span = wxDateSpan::Months(n); break;
            default: span = wxDateSpan::Days(n + 3); break;
            }
            return googleBody(today - span, today);
        }
        if (r.path == "/table.csv") {
            const wxDateTime first(wxDateTime::wxDateTime_t(std::atoi(p["b"].c_str())),
                                   wxDateTime::Month(std::atoi(p["a"].c_str())), std::atoi(p["c"].c_str()));
            wxDateTime last(wxDateTime::wxDateTime_t(std::atoi(p["e"].c_str())),
                            wxDateTime::Month(std::atoi(p["d"].c_str())), std::atoi(p["f"].c_str()));
            // A history from 1970 would be long; three years show the same.
            const wxDateTime earliest = today - wxDateSpan::Years(3);
            return yahooBody(first < earliest ? earliest : first, last);
        }
        return "";
    }

    TestSupport::TestHttpServer m_server;
    std::atomic<int> m_concurrent{0};
    std::atomic<int> m_maxConcurrent{0};
};

// A started price server that both services point at while it lives.
class ScopedPriceService : public PriceServer {
public:
    ScopedPriceService()
    {
        m_started = start();
        QxServiceAddress::set("google", baseUrl());
        QxServiceAddress::set("yahoo", baseUrl());
    }
    ~ScopedPriceService()
    {
        stop();
        QxServiceAddress::set("google", "");
        QxServiceAddress::set("yahoo", "");
    }
    bool started() const { return m_started; }

private:
    bool m_started = false;
};

// Loads the history database's reader and both price providers with loader,
// and opens a new history database named file in a new temporary folder:
// ASSERT_NO_FATAL_FAILURE(openHistoryDatabase(loader, "hist.trddb", db)).
inline void openHistoryDatabase(QxPluginLoader& loader, const char* file, QxObjectSmartPtr<QxDatabase>& db)
{
    for (const char* name : {"trddb", "tickpuller", "barfetcher"})
        ASSERT_EQ(loader.loadPlugin(wxString(TestSupport::binDir()) + "/" + name + ".trdx"), eNoError) << name;
    QxDataReader* reader = QxDataReaderRepository::instance()->getObj(QxAtom("com.Corvane.Trendoria.trddb"));
    ASSERT_NE(reader, nullptr);
    const std::string path = TestSupport::makeTempDir("db") + "/" + file;
    int error = -1;
    db.reset(reader->openDatabase(wxString(path), wxString(), &error));
    ASSERT_TRUE(db) << error;
}

// Runs the pending events of the application until done() holds or the
// time is up, as the main loop would.
inline bool pumpUntil(const std::function<bool()>& done, double seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(long(seconds * 1000));
    for (;;) {
        if (wxAppConsole* app = wxAppConsole::GetInstance())
            if (app->HasPendingEvents())
                app->ProcessPendingEvents();
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace wptest
