#pragma once
// The tests' in-memory data: a security whose daily history is held in
// memory, a category that owns its securities and a database that owns its
// categories. What differs between the tests is chosen per security through
// MemSecurity::Options: reads of the whole history only, saves refused,
// saves merged into the stored bars and announced to the data-change hub as
// the history database does, updates through the category's provider.
//
// A security logs what a calculator asks of it ("get;", "update(fg);",
// "update(bg);"). Securities made by MemCategory::add keep their bars as the
// history database does; others keep what they are given.
#include "core/QxAssetClass.h"
#include "core/QxCategory.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxDataProviderRepository.h"
#include "core/QxDatabase.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "core/QxQuote.h"
#include "core/QxSecurity.h"

#include <wx/thread.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace TestSupport {

// A database that owns its categories of class C and answers only the
// required look-ups over them; every optional operation keeps the
// interface's default.
template <class C>
class CategoryOwner : public QxDatabase {
public:
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

    C* find(const char* name, const char* provider)
    {
        for (auto& c : m_categories)
            if (std::strcmp(c->name(), name) == 0 && (!provider || std::strcmp(c->dataProvider(), provider) == 0))
                return c.get();
        return nullptr;
    }

protected:
    std::vector<QxObjectSmartPtr<C>> m_categories;
};

class MemCategory;
class MemDatabase;

class MemSecurity : public QxSecurity {
public:
    struct Options {
        std::string name = "Memory";
        std::string ticker = "MEM";
        QxCategory* category = nullptr;
        // Whether only a request for the whole history (from and to both 0)
        // gets bars.
        bool wholeHistoryOnly = false;
        // Whether saveHistory takes the history (else it is refused).
        bool savable = true;
        // Whether a save merges the bars into the stored ones (refusing an
        // empty or non-stock history) and announces the change, as the
        // history database does; the last quote is then the last stored bar
        // and an empty store has no history. Else a save replaces the history.
        bool mergeOnSave = false;
        // Whether updateFromProvider hands the security to the provider its
        // category names.
        bool updateThroughProvider = false;
    };

    MemSecurity(unsigned id, QxPriceHistory* history, Options options)
        : stored(history), m_id(id), m_options(std::move(options))
    {
    }
    unsigned id() const override { return m_id; }
    QxCategory* category() const override { return m_options.category; }
    const char* ticker() const override { return m_options.ticker.c_str(); }
    const char* name() const override { return m_options.name.c_str(); }
    QxPriceHistory* getHistory(Qx::QxPeriod period, int64_t& from, int64_t& to) override
    {
        log += "get;";
        if (period != Qx::eDaily || !stored || (m_options.wholeHistoryOnly && (from != 0 || to != 0)))
            return nullptr;
        if (m_options.mergeOnSave && stored->numBars() == 0)
            return nullptr;
        return stored->clone();
    }
    int lastQuote(int64_t&, QxQuote& quote) override
    {
        if (!m_options.mergeOnSave || numBars() == 0)
            return eDataNotFound;
        quote = lastBar();
        return eNoError;
    }
    int saveHistory(QxPriceHistory* history) override
    {
        if (!m_options.savable)
            return eNotImplemented;
        if (!m_options.mergeOnSave) {
            stored.reset(history ? history->clone() : nullptr);
            return eNoError;
        }
        if (!history || history->numBars() == 0)
            return eInvalidInputObject;
        if (history->getSecurityType() != Qx::eStock)
            return eInvalidObject;
        ++saves;
        savedOnMainThread = savedOnMainThread && wxThread::IsMain();
        for (unsigned i = 0; i < history->numBars(); ++i) {
            QxQuote q;
            history->getQuote(i, q);
            putQuote(q);
        }
        if (onSave)
            onSave();
        QxDataChangeReactorMgr::instance()->notifyEodDataChange(m_id);
        return eNoError;
    }
    int updateFromProvider(bool inBackground) override
    {
        log += inBackground ? "update(bg);" : "update(fg);";
        if (onUpdate)
            onUpdate(inBackground);
        if (!m_options.updateThroughProvider)
            return eNoError;
        QxDataProvider* provider =
            category() ? QxDataProviderRepository::instance()->getObj(
                             QxAtom(wxString::FromUTF8(category()->dataProvider())))
                       : nullptr;
        if (!provider)
            return eInvalidOperation;
        provider->update(this, inBackground);
        return eNoError;
    }
    int deleteHistory(int64_t&, int64_t&) override { return eNotImplemented; }
    // Announced and done when the security belongs to a MemCategory.
    int deleteSecurity() override;

    // A bar of the flat kind the tests store: open, low and close at close,
    // high one above, volume 1000.
    static QxQuote flatBar(int64_t time, double close)
    {
        QxQuote q;
        q.securityType = Qx::eStock;
        q.time = time;
        q.open = q.high = q.low = q.close = close;
        q.high += 1;
        q.volume = 1000;
        return q;
    }
    // Stores a bar directly (no notification), replacing one at its time.
    void putQuote(const QxQuote& quote)
    {
        if (!stored)
            stored.reset(new QxPriceHistory(Qx::eStock, Qx::eDaily));
        stored->insertOrReplaceQuote(quote);
    }
    void put(int64_t time, double close) { putQuote(flatBar(time, close)); }
    void dropLastBar()
    {
        if (numBars() > 0)
            stored->deleteQuote(numBars() - 1);
    }
    unsigned numBars() const { return stored ? stored->numBars() : 0; }
    QxQuote bar(unsigned i) const
    {
        QxQuote q;
        if (stored)
            stored->getQuote(i, q);
        return q;
    }
    QxQuote lastBar() const { return bar(numBars() - 1); }
    int64_t lastTime() const { return numBars() == 0 ? 0 : stored->timestamp()[numBars() - 1]; }

    QxObjectSmartPtr<QxPriceHistory> stored;
    std::string log;
    std::function<void(bool)> onUpdate;
    int saves = 0;
    bool savedOnMainThread = true;
    std::function<void()> onSave;

private:
    unsigned m_id;
    Options m_options;
};

class MemCategory : public QxCategory {
public:
    // The asset class and exchange come from a name such as
    // "US.NASDAQ.STOCK" (country, exchange, asset class); other names are
    // stocks of no exchange. Securities are added only with a database.
    MemCategory(unsigned id, MemDatabase* database, std::string name, std::string provider)
        : m_id(id), m_database(database), m_name(std::move(name)), m_provider(std::move(provider))
    {
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
    QxSecurity* addSecurity(const char* ticker, const char* name) override
    {
        if (find(ticker))
            return nullptr;
        MemSecurity* s = add(ticker, name ? name : "");
        QxDataChangeReactorMgr::instance()->notifySecurityAdded(s);
        return s;
    }
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
    // Adds, without announcing, a security that keeps its bars as the
    // history database does and updates through this category's provider.
    MemSecurity* add(const std::string& ticker, const std::string& name = "");
    // Adds, without announcing, a security of the given options (its
    // category is this one) holding history.
    MemSecurity* add(QxPriceHistory* history, MemSecurity::Options options);
    bool holds(const MemSecurity* s) const
    {
        return std::any_of(m_securities.begin(), m_securities.end(),
                           [s](const QxObjectSmartPtr<MemSecurity>& p) { return p.get() == s; });
    }
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

class MemDatabase : public CategoryOwner<MemCategory> {
public:
    explicit MemDatabase(bool readOnly = false) : readOnly(readOnly) {}
    QxAtom readerId() const override { return QxAtom("test.mem.reader"); }
    const char* path() const override { return "memory"; }
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

    // Adds without announcing.
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
    unsigned nextSecurityId() { return ++lastSecurityId; }

    bool readOnly = false;
    int commits = 0;
    // The id of the security added last; the next one gets one more.
    unsigned lastSecurityId = 0;

private:
    int m_depth = 0;
};

inline int MemSecurity::deleteSecurity()
{
    auto* c = dynamic_cast<MemCategory*>(category());
    if (!c || !c->holds(this))
        return eNotImplemented;
    QxObjectSmartPtr<MemSecurity> self(this);
    QxDataChangeReactorMgr::instance()->notifySecurityWillBeDeleted(this);
    c->removeSecurity(this);
    return eNoError;
}
inline QxDatabase* MemCategory::database() const { return m_database; }
inline MemSecurity* MemCategory::add(const std::string& ticker, const std::string& name)
{
    MemSecurity::Options options;
    options.name = name;
    options.ticker = ticker;
    options.mergeOnSave = true;
    options.updateThroughProvider = true;
    return add(nullptr, options);
}
inline MemSecurity* MemCategory::add(QxPriceHistory* history, MemSecurity::Options options)
{
    options.category = this;
    m_securities.emplace_back(new MemSecurity(m_database->nextSecurityId(), history, std::move(options)));
    return m_securities.back().get();
}
inline int MemCategory::deleteCategory()
{
    QxObjectSmartPtr<MemCategory> self(this);
    QxDataChangeReactorMgr::instance()->notifyCategoryWillBeDeleted(this);
    m_database->removeCategory(this);
    return eNoError;
}

} // namespace TestSupport
