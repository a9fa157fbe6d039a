#pragma once
// The process-wide hub through which databases announce changes to the
// observers of Qx*Reactor. It holds plain pointers and never owns reactors;
// the same reactor registered twice is called twice. While a notification of
// one kind runs, registrations of that kind are refused (false), so the list
// being walked never changes under the walk.
#include "core/QxDataReactors.h"

#include <map>
#include <vector>

class QxDataChangeReactorMgr {
public:
    // Drops a security's cached prices before observers hear of a change.
    using CacheDiscardFn = void (*)(unsigned securityId);

    static QxDataChangeReactorMgr* instance();
    // The hub if it exists, without creating it (for observers leaving late).
    static QxDataChangeReactorMgr* existing();
    static void destroy();

    // The calculation cache installs its discard functions here (e.g. from a
    // static initialiser of its own source); they outlive destroy() and are
    // called by notifyEodDataChange and notifyIntraDayDataChange before any
    // reactor.
    static void setCacheDiscarders(CacheDiscardFn eod, CacheDiscardFn intraday);
    static CacheDiscardFn eodCacheDiscarder();
    static CacheDiscardFn intradayCacheDiscarder();

    bool addDatabaseReactor(QxDatabaseReactor* reactor);
    bool remDatabaseReactor(QxDatabaseReactor* reactor);
    bool addDatabaseChangeReactor(QxDatabaseChangeReactor* reactor);
    bool remDatabaseChangeReactor(QxDatabaseChangeReactor* reactor);
    bool addPriceHistoryChangeReactor(unsigned securityId, QxPriceHistoryChangeReactor* reactor);
    bool remPriceHistoryChangeReactor(unsigned securityId, QxPriceHistoryChangeReactor* reactor);

    void notifyDatabaseOpened(QxDatabase* database);
    void notifyDatabaseWillBeClosed(QxDatabase* database);
    void notifyCategoryAdded(QxCategory* category);
    void notifyCategoryWillBeDeleted(QxCategory* category);
    void notifySecurityAdded(QxSecurity* security);
    void notifySecurityWillBeDeleted(QxSecurity* security);
    void notifyEodDataChange(unsigned securityId);
    void notifyIntraDayDataChange(unsigned securityId);

    // Number of registrations for a security (for observers and tests).
    std::size_t numPriceHistoryReactors(unsigned securityId) const;

private:
    QxDataChangeReactorMgr() = default;
    ~QxDataChangeReactorMgr() = default;

    template <class Reactor, class Arg>
    void notifyAll(std::vector<Reactor*>& reactors, bool& busy, void (Reactor::*call)(Arg), Arg arg);
    void notifyPriceHistory(unsigned securityId, CacheDiscardFn discard,
                            void (QxPriceHistoryChangeReactor::*call)(unsigned));

    std::map<unsigned, std::vector<QxPriceHistoryChangeReactor*>> m_priceHistoryReactors;
    std::vector<QxDatabaseChangeReactor*> m_databaseChangeReactors;
    std::vector<QxDatabaseReactor*> m_databaseReactors;
    bool m_priceHistoryBusy = false;
    bool m_databaseChangeBusy = false;
    bool m_databaseBusy = false;
};
