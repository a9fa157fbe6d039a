#pragma once
// Process-wide registry of the data providers the plug-ins register, keyed
// by the providers' name atoms.
#include "core/QxAtomKeyedRegistry.h"
#include "core/QxDataProvider.h"

class QxSecurity;

class QxDataProviderRepository : public QxAtomKeyedRegistry<QxDataProvider, &QxDataProvider::name> {
public:
    // The registry, created on the first call.
    static QxDataProviderRepository* instance();
    // Releases every provider and deletes the registry; a later instance() starts empty.
    static void destroy();

    // Winds up every registered provider in key order (once, at exit).
    void windupAll();

    // The provider the security's category is bound to, or null.
    QxDataProvider* providerOf(const QxSecurity* security) const;

private:
    QxDataProviderRepository() = default;
    ~QxDataProviderRepository() = default;
};
