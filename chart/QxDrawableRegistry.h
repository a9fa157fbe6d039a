#pragma once
// The process-wide prototypes of the drawables, by type name: the XML reader
// and the graphic-configuration panel clone them.
#include "core/QxAtom.h"
#include "core/QxObject.h"

#include <map>
#include <vector>

class QxDrawable;

class QxDrawableRegistry {
public:
    // Made on first use with one prototype of each curve style, histogram,
    // horizontal line, mountain, inverted mountain, band and marks.
    static QxDrawableRegistry& instance();
    // Releases the prototypes; the next instance() makes them again.
    static void destroy();

    // The prototype registered under name, or null; exact names only.
    QxDrawable* find(const QxAtom& name) const;
    // The registered names in ascending order of their atoms' ids.
    std::vector<QxAtom> getNames() const;

private:
    QxDrawableRegistry();
    ~QxDrawableRegistry();
    QxDrawableRegistry(const QxDrawableRegistry&) = delete;
    QxDrawableRegistry& operator=(const QxDrawableRegistry&) = delete;

    void add(QxDrawable* prototype);

    std::map<QxAtom, QxObjectSmartPtr<QxDrawable>> m_prototypes;
};
