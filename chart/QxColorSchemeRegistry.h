#pragma once
// The process-wide prototypes of the colour schemes, by name: the drawables'
// default scheme, the XML reader and the configuration panel clone them.
#include "core/QxAtom.h"
#include "core/QxObject.h"

#include <map>
#include <vector>

class QxColorScheme;

class QxColorSchemeRegistry {
public:
    // Made on first use with the prototypes "UniColorScheme" (black),
    // "PriceColorScheme" (green rising, red falling) and "SarColorScheme".
    static QxColorSchemeRegistry& instance();
    // Releases the prototypes; the next instance() makes them again.
    static void destroy();

    // The prototype registered under name, or null; exact names only.
    QxColorScheme* find(const QxAtom& name) const;
    // The registered names in ascending order of their atoms' ids.
    std::vector<QxAtom> getNames() const;

private:
    QxColorSchemeRegistry();
    ~QxColorSchemeRegistry();
    QxColorSchemeRegistry(const QxColorSchemeRegistry&) = delete;
    QxColorSchemeRegistry& operator=(const QxColorSchemeRegistry&) = delete;

    void add(QxColorScheme* prototype);

    std::map<QxAtom, QxObjectSmartPtr<QxColorScheme>> m_prototypes;
};
