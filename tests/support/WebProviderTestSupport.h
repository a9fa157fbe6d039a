#pragma once
// Shared by the web provider tests: an in-memory history database that
// announces its changes to the hub like the real one, and a price server on
// 127.0.0.1 that speaks both price protocols and can misbehave on demand.
#include "core/QxAssetClass.h"
#include "core/QxCategory.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxDataProviderRepository.h"
#include "core/QxDatabase.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "core/QxQuote.h"
#include "core/QxSecurity.h"
#include "core/QxTime.h"
#include "core/platform/QxServiceAddress.h"
#include "support/TestHttpServer.h"

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

class MemDatabase;
class MemCategory;

// A security whose daily bars live in a map.
class MemSecurity : public QxSecurity {
public:
    MemSecurity(unsigned id, MemCategory* category, std::string ticker, std::string name)
        : m_id(id), m_category(category), m_ticker(std::move(ticker)), m_name(std::move(name))
    {
    }
    unsigned id() const override { return m_id; }
    QxCategory* category() const override;
    const char* ticker() const override { return m_ticker.c_str(); }
    const char* name() const override { return m_name.c_str(); }
    QxPriceHistory* getHistory(Qx::QxPeriod period, int64_t&, int64_t&) override
    {
        if (period != Qx::eDaily || bars.empty())
            return nullptr;
        auto* h = new QxPriceHistory(Qx::eStock, Qx::eDaily);
        for (const auto& b : bars)
            h->insertOrReplaceQuote(b.second);
        return h;
    }
    int lastQuote(int64_t&, QxQuote& quote) override
    {
        if (bars.empty())
            return eDataNotFound;
        quote = bars.rbegin()->second;
        return eNoError;
    }
    int saveHistory(QxPriceHistory* history) override
    {
        if (!history || history->numBars() == 0)
            return eInvalidInputObject;
        if (history->getSecurityType() != Qx::eStock)
            return eInvalidObject;
        ++saves;
        savedOnMainThread = savedOnMainThread && wxThread::IsMain();
        for (unsigned i = 0; i < history->numBars(); ++i) {
            QxQuote q;
            history->getQuote(i, q);
            q.securityType = Qx::eStock;
            bars[q.time] = q;
        }
        if (onSave)
            onSave();
        QxDataChangeReactorMgr::instance()->notifyEodDataChange(m_id);
        return eNoError;
    }
    // As the history database does: the provider named by the category.
    int updateFromProvider(bool inBackground) override;
    int deleteHistory(int64_t&, int64_t&) override { return eNotImplemented; }
    int deleteSecurity() override;

    // Stores a bar directly (no notification).
    void put(int64_t time, double close)
    {
        QxQuote q;
        q.securityType = Qx::eStock;
        q.time = time;
        q.open = q.high = q.low = q.close = close;
        q.high += 1;
        q.volume = 1000;
        bars[q.time] = q;
    }
    int64_t lastTime() const { return bars.empty() ? 0 : bars.rbegin()->first; }

    std::map<int64_t, QxQuote> bars;
    int saves = 0;
    bool savedOnMainThread = true;
    std::function<void()> onSave;

private:
    unsigned m_id;
    MemCategory* m_category;
    std::string m_ticker;
    std::string m_name;
};

class MemCategory : public QxCategory {
public:
    MemCategory(unsigned id, MemDatabase* database, std::string name, std::string provider)
        : m_id(id), m_database(database), m_name(std::move(name)), m_provider(std::move(provider))
    {
        // "US.NASDAQ.STOCK": country, exchange, asset class.
        const size_t a = m_name.find('.'), b = m_name.find('.', a == std::string::npos ? a : a + 1);
        if (a != std::string::npos && b != std::string::npos) {
            m_exchange = m_name.substr(a + 1, b - a - 1);
            m_assetClass = &QxAssetClassTable().getAssestClassFromCode(wxString(m_name.substr(b + 1)));
        } else {
            m_assetClass = &QxAssetClassTable().getAssestClassFromCode("STOCK");
        }
    }
    unsigned id() const override { return m_id; }
    const char* name() const override { return m_name.c_str(); }
    QxDatabase* database() const override;
    const QxAssetClass* assetClass() const override { return m_assetClass; }
    const char* dataProvider() const override { return m_provider.c_str(); }
    const char* exchange() const override { return m_exchange.c_str(); }
    int listSecurities(std::vector<QxObjectSmartPtr<QxSecurity>>& out) override
    {
        std::vector<MemSecurity*> sorted;
        for (auto& s : m_securities)
            sorted.push_back(s.get());
        std::sort(sorted.begin(), sorted.end(),
                  [](MemSecurity* x, MemSecurity* y) { return std::strcmp(x->ticker(), y->ticker()) < 0; });
        for (auto* s : sorted)
            out.emplace_back(s);
        return eNoError;
    }
    QxSecurity* findSecurity(const char* ticker) override { return find(ticker); }
    QxSecurity* getSecurity(unsigned id) override
    {
        for (auto& s : m_securities)
            if (s->id() == id)
                return s.get();
        return nullptr;
    }
    QxSecurity* addSecurity(const char* ticker, const char* name) override;
    int setUpdateTimestamp(int64_t t) override
    {
        m_updated = t;
        return eNoError;
    }
    int64_t updateTimestamp() const override { return m_updated; }
    int deleteCategory() override;

    MemSecurity* find(const char* ticker)
    {
        for (auto& s : m_securities)
            if (std::strcmp(s->ticker(), ticker) == 0)
                return s.get();
        return nullptr;
    }
    // Adds without announcing.
    MemSecurity* add(const std::string& ticker, const std::string& name = "");
    void removeSecurity(MemSecurity* s)
    {
        m_securities.erase(std::remove_if(m_securities.begin(), m_securities.end(),
                                          [s](const QxObjectSmartPtr<MemSecurity>& p) { return p.get() == s; }),
                           m_securities.end());
    }
    size_t numSecurities() const { return m_securities.size(); }

private:
    unsigned m_id;
    MemDatabase* m_database;
    std::string m_name;
    std::string m_provider;
    std::string m_exchange;
    const QxAssetClass* m_assetClass = nullptr;
    int64_t m_updated = 0;
    std::vector<QxObjectSmartPtr<MemSecurity>> m_securities;
};

class MemDatabase : public QxDatabase {
public:
    QxAtom readerId() const override { return QxAtom("test.mem.reader"); }
    const char* path() const override { return "memory"; }
    int getCategories(std::vector<QxObjectSmartPtr<QxCategory>>& out, const char* provider) override
    {
        for (auto& c : m_categories)
            if (!provider || std::strcmp(c->dataProvider(), provider) == 0)
                out.emplace_back(c.get());
        return eNoError;
    }
    QxCategory* findCategory(const char* name, const char* provider) override { return find(name, provider); }
    QxCategory* getCategory(unsigned id) override
    {
        for (auto& c : m_categories)
            if (c->id() == id)
                return c.get();
        return nullptr;
    }
    QxSecurity* getSecurity(unsigned id) override
    {
        for (auto& c : m_categories)
            if (QxSecurity* s = c->getSecurity(id))
                return s;
        return nullptr;
    }
    bool isReadOnly() const override { return readOnly; }
    QxCategory* createCategory(const char* name, const char* provider) override
    {
        if (readOnly || find(name, provider))
            return nullptr;
        MemCategory* c = add(name, provider);
        QxDataChangeReactorMgr::instance()->notifyCategoryAdded(c);
        return c;
    }
    int beginTransaction() override { return ++m_depth; }
    int commit(int token) override
    {
        commits += token == 1 ? 1 : 0;
        --m_depth;
        return eNoError;
    }
    bool inTransaction() const override { return m_depth > 0; }

    MemCategory* find(const char* name, const char* provider)
    {
        for (auto& c : m_categories)
            if (std::strcmp(c->name(), name) == 0 && (!provider || std::strcmp(c->dataProvider(), provider) == 0))
                return c.get();
        return nullptr;
    }
    MemCategory* add(const std::string& name, const std::string& provider)
    {
        m_categories.emplace_back(new MemCategory(unsigned(m_categories.size() + 1), this, name, provider));
        return m_categories.back().get();
    }
    void removeCategory(MemCategory* c)
    {
        m_categories.erase(std::remove_if(m_categories.begin(), m_categories.end(),
                                          [c](const QxObjectSmartPtr<MemCategory>& p) { return p.get() == c; }),
                           m_categories.end());
    }
    size_t numCategories() const { return m_categories.size(); }
    unsigned nextSecurityId() { return ++m_lastSecurityId; }

    bool readOnly = false;
    int commits = 0;

private:
    std::vector<QxObjectSmartPtr<MemCategory>> m_categories;
    unsigned m_lastSecurityId = 0;
    int m_depth = 0;
};

inline QxCategory* MemSecurity::category() const { return m_category; }
inline int MemSecurity::updateFromProvider(bool inBackground)
{
    QxDataProvider* provider =
        QxDataProviderRepository::instance()->getObj(QxAtom(wxString::FromUTF8(m_category->dataProvider())));
    if (!provider)
        return eInvalidOperation;
    provider->update(this, inBackground);
    return eNoError;
}
inline int MemSecurity::deleteSecurity()
{
    QxObjectSmartPtr<MemSecurity> self(this);
    QxDataChangeReactorMgr::instance()->notifySecurityWillBeDeleted(this);
    m_category->removeSecurity(this);
    return eNoError;
}
inline QxDatabase* MemCategory::database() const { return m_database; }
inline MemSecurity* MemCategory::add(const std::string& ticker, const std::string& name)
{
    m_securities.emplace_back(new MemSecurity(m_database->nextSecurityId(), this, ticker, name));
    return m_securities.back().get();
}
inline QxSecurity* MemCategory::addSecurity(const char* ticker, const char* name)
{
    if (find(ticker))
        return nullptr;
    MemSecurity* s = add(ticker, name ? name : "");
    QxDataChangeReactorMgr::instance()->notifySecurityAdded(s);
    return s;
}
inline int MemCategory::deleteCategory()
{
    QxObjectSmartPtr<MemCategory> self(this);
    QxDataChangeReactorMgr::instance()->notifyCategoryWillBeDeleted(this);
    m_database->removeCategory(this);
    return eNoError;
}

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
