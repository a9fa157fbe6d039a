#pragma once
// Observer interfaces of the data-change hub (QxDataChangeReactorMgr). The hub
// holds plain pointers: a reactor unregisters itself before it is destroyed.

class QxCategory;
class QxDatabase;
class QxSecurity;

class QxDatabaseReactor {
public:
    virtual void databaseOpened(QxDatabase*) {}
    virtual void databaseWillBeClosed(QxDatabase*) {}

protected:
    ~QxDatabaseReactor() = default;
};

class QxDatabaseChangeReactor {
public:
    virtual void categoryAdded(QxCategory*) {}
    virtual void categoryWillBeDeleted(QxCategory*) {}
    virtual void securityAdded(QxSecurity*) {}
    virtual void securityWillBeDeleted(QxSecurity*) {}

protected:
    ~QxDatabaseChangeReactor() = default;
};

class QxPriceHistoryChangeReactor {
public:
    virtual void eodPriceHistoryChanged(unsigned securityId) = 0;
    virtual void intradayPriceHistoryChanged(unsigned securityId) = 0;

protected:
    ~QxPriceHistoryChangeReactor() = default;
};
