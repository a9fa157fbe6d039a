#pragma once
// The map shared by the reader and provider registries: objects keyed by a
// name atom, each held by one counted reference, listed in atom id order.
#include "core/QxAtom.h"
#include "core/QxErrorCode.h"
#include "core/QxObject.h"

#include <map>
#include <utility>
#include <vector>

template <class T, QxAtom (T::*KeyOf)() const>
class QxAtomKeyedRegistry {
public:
    // Stores obj under its key, replacing (and releasing) what was there.
    int addObj(T* obj)
    {
        if (!obj)
            return eInvalidObject;
        QxObjectSmartPtr<T> held(obj);
        QxObjectSmartPtr<T> old;
        auto& slot = m_objs[((obj->*KeyOf)()).id()];
        old = slot;
        slot = held;
        // old goes last, so a destructor that calls back finds the map consistent.
        return eNoError;
    }

    // Removes (and releases) whatever is stored under obj's key, whether it
    // is obj or an object that replaced it; 0 either way. An object being
    // deleted (a replaced one unregistering itself from its destructor) is
    // never the stored one, so it takes nothing with it.
    int delObj(T* obj)
    {
        if (!obj)
            return eInvalidObject;
        if (obj->numRefs() < 0)
            return eNoError;
        auto it = m_objs.find(((obj->*KeyOf)()).id());
        if (it == m_objs.end())
            return eNoError;
        QxObjectSmartPtr<T> old = it->second;
        m_objs.erase(it);
        return eNoError;
    }

    // The object stored under key (no reference added); null for the null atom.
    T* getObj(const QxAtom& key) const
    {
        if (key.isNull())
            return nullptr;
        auto it = m_objs.find(key.id());
        return it == m_objs.end() ? nullptr : it->second.get();
    }

    // The keys in ascending atom id order.
    std::vector<QxAtom> getObjNames() const
    {
        std::vector<QxAtom> names;
        names.reserve(m_objs.size());
        for (const auto& entry : m_objs)
            names.push_back(QxAtom(entry.first));
        return names;
    }

protected:
    // Empties the map; releases happen after the map is already empty, so
    // objects whose destructors call back see a consistent registry.
    void clear()
    {
        std::map<unsigned, QxObjectSmartPtr<T>> doomed;
        doomed.swap(m_objs);
        doomed.clear();
    }

    std::map<unsigned, QxObjectSmartPtr<T>> m_objs;
};
