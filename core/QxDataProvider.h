#pragma once
// A price-download provider: fills categories with securities and downloads
// prices into them. Plug-ins register theirs with QxDataProviderRepository.
#include "core/QxAtom.h"
#include "core/QxObject.h"

class QxDatabase;
class QxSecurity;
class wxBitmap;

class QxDataProvider : public QxObject {
public:
    // The provider's name: the registry key and the text stored as a
    // category's data provider.
    virtual QxAtom name() const = 0;
    // Creates the provider's categories and their securities.
    virtual void populateDatabase(QxDatabase* database) = 0;
    // 16 x 16 bitmap shown beside the provider's categories; owned by the provider.
    virtual const wxBitmap* icon() const = 0;
    // Brings the security's stored history up to date. In the foreground it
    // returns once the new bars are saved.
    virtual void update(QxSecurity* security, bool inBackground) = 0;
    // Whether a background update of the security is queued or running, so
    // that its bars are still to come.
    virtual bool isUpdating(QxSecurity* security) const
    {
        (void)security;
        return false;
    }
    // Drops queued work and waits for running work; called once at exit.
    virtual void windup() = 0;

protected:
    QxDataProvider() = default;
};
