#include "core/QxDataChangeReactorMgr.h"

#include <algorithm>

namespace {

QxDataChangeReactorMgr* s_instance = nullptr;
QxDataChangeReactorMgr::CacheDiscardFn s_discardEod = nullptr;
QxDataChangeReactorMgr::CacheDiscardFn s_discardIntraday = nullptr;

// Sets a busy flag for the lifetime of a notification and restores its
// previous value on every path, so a nested notification of the same kind
// (a reactor adding a security from categoryAdded) does not clear the flag
// of the walk still running outside it.
class BusyScope {
public:
    explicit BusyScope(bool& flag) : m_flag(flag), m_previous(flag) { m_flag = true; }
    ~BusyScope() { m_flag = m_previous; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& m_flag;
    bool m_previous;
};

template <class Reactor>
bool removeFirst(std::vector<Reactor*>& reactors, Reactor* reactor)
{
    auto it = std::find(reactors.begin(), reactors.end(), reactor);
    if (it == reactors.end())
        return false;
    reactors.erase(it);
    return true;
}

} // namespace

QxDataChangeReactorMgr* QxDataChangeReactorMgr::instance()
{
    if (!s_instance)
        s_instance = new QxDataChangeReactorMgr;
    return s_instance;
}

QxDataChangeReactorMgr* QxDataChangeReactorMgr::existing() { return s_instance; }

void QxDataChangeReactorMgr::destroy()
{
    delete s_instance;
    s_instance = nullptr;
}

void QxDataChangeReactorMgr::setCacheDiscarders(CacheDiscardFn eod, CacheDiscardFn intraday)
{
    s_discardEod = eod;
    s_discardIntraday = intraday;
}

QxDataChangeReactorMgr::CacheDiscardFn QxDataChangeReactorMgr::eodCacheDiscarder()
{
    return s_discardEod;
}

QxDataChangeReactorMgr::CacheDiscardFn QxDataChangeReactorMgr::intradayCacheDiscarder()
{
    return s_discardIntraday;
}

bool QxDataChangeReactorMgr::addDatabaseReactor(QxDatabaseReactor* reactor)
{
    if (m_databaseBusy)
        return false;
    m_databaseReactors.push_back(reactor);
    return true;
}

bool QxDataChangeReactorMgr::remDatabaseReactor(QxDatabaseReactor* reactor)
{
    if (m_databaseBusy)
        return false;
    removeFirst(m_databaseReactors, reactor);
    return true;
}

bool QxDataChangeReactorMgr::addDatabaseChangeReactor(QxDatabaseChangeReactor* reactor)
{
    if (m_databaseChangeBusy)
        return false;
    m_databaseChangeReactors.push_back(reactor);
    return true;
}

bool QxDataChangeReactorMgr::remDatabaseChangeReactor(QxDatabaseChangeReactor* reactor)
{
    if (m_databaseChangeBusy)
        return false;
    removeFirst(m_databaseChangeReactors, reactor);
    return true;
}

bool QxDataChangeReactorMgr::addPriceHistoryChangeReactor(unsigned securityId, QxPriceHistoryChangeReactor* reactor)
{
    if (m_priceHistoryBusy)
        return false;
    m_priceHistoryReactors[securityId].push_back(reactor);
    return true;
}

bool QxDataChangeReactorMgr::remPriceHistoryChangeReactor(unsigned securityId, QxPriceHistoryChangeReactor* reactor)
{
    if (m_priceHistoryBusy)
        return false;
    auto it = m_priceHistoryReactors.find(securityId);
    if (it == m_priceHistoryReactors.end())
        return true;
    removeFirst(it->second, reactor);
    if (it->second.empty())
        m_priceHistoryReactors.erase(it);
    return true;
}

template <class Reactor, class Arg>
void QxDataChangeReactorMgr::notifyAll(std::vector<Reactor*>& reactors, bool& busy, void (Reactor::*call)(Arg), Arg arg)
{
    BusyScope scope(busy);
    // Registrations of this kind are refused meanwhile, so the list is stable.
    for (Reactor* reactor : reactors)
        (reactor->*call)(arg);
}

void QxDataChangeReactorMgr::notifyDatabaseOpened(QxDatabase* database)
{
    notifyAll(m_databaseReactors, m_databaseBusy, &QxDatabaseReactor::databaseOpened, database);
}

void QxDataChangeReactorMgr::notifyDatabaseWillBeClosed(QxDatabase* database)
{
    notifyAll(m_databaseReactors, m_databaseBusy, &QxDatabaseReactor::databaseWillBeClosed, database);
}

void QxDataChangeReactorMgr::notifyCategoryAdded(QxCategory* category)
{
    notifyAll(m_databaseChangeReactors, m_databaseChangeBusy, &QxDatabaseChangeReactor::categoryAdded, category);
}

void QxDataChangeReactorMgr::notifyCategoryWillBeDeleted(QxCategory* category)
{
    notifyAll(m_databaseChangeReactors, m_databaseChangeBusy, &QxDatabaseChangeReactor::categoryWillBeDeleted,
              category);
}

void QxDataChangeReactorMgr::notifySecurityAdded(QxSecurity* security)
{
    notifyAll(m_databaseChangeReactors, m_databaseChangeBusy, &QxDatabaseChangeReactor::securityAdded, security);
}

void QxDataChangeReactorMgr::notifySecurityWillBeDeleted(QxSecurity* security)
{
    notifyAll(m_databaseChangeReactors, m_databaseChangeBusy, &QxDatabaseChangeReactor::securityWillBeDeleted,
              security);
}

void QxDataChangeReactorMgr::notifyPriceHistory(unsigned securityId, CacheDiscardFn discard,
                                                void (QxPriceHistoryChangeReactor::*call)(unsigned))
{
    BusyScope scope(m_priceHistoryBusy);
    // Observers that recompute must see the new prices, not the cached ones.
    if (discard)
        discard(securityId);
    auto it = m_priceHistoryReactors.find(securityId);
    if (it == m_priceHistoryReactors.end())
        return;
    for (QxPriceHistoryChangeReactor* reactor : it->second)
        (reactor->*call)(securityId);
}

void QxDataChangeReactorMgr::notifyEodDataChange(unsigned securityId)
{
    notifyPriceHistory(securityId, s_discardEod, &QxPriceHistoryChangeReactor::eodPriceHistoryChanged);
}

void QxDataChangeReactorMgr::notifyIntraDayDataChange(unsigned securityId)
{
    notifyPriceHistory(securityId, s_discardIntraday, &QxPriceHistoryChangeReactor::intradayPriceHistoryChanged);
}

std::size_t QxDataChangeReactorMgr::numPriceHistoryReactors(unsigned securityId) const
{
    auto it = m_priceHistoryReactors.find(securityId);
    return it == m_priceHistoryReactors.end() ? 0 : it->second.size();
}
