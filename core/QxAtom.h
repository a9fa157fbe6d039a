#pragma once
// Interned names: an atom is one unsigned id into a process-wide table of
// strings. Ids count from 1 in order of first interning and hold for one run
// only, so files store the atom's string, never its id.
#include <wx/string.h>

#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

class QxAtom {
public:
    QxAtom() : m_id(0) {}
    // Keeps the id as given; no check against the table.
    explicit QxAtom(unsigned id) : m_id(id) {}
    QxAtom(const wxString& s);
    // Converted with the default (locale) conversion; null or "" give the null atom.
    QxAtom(const char* s);

    // The interned string; empty for the null atom and for unknown ids.
    wxString string() const;
    operator wxString() const { return string(); }
    operator unsigned() const { return m_id; }
    unsigned id() const { return m_id; }
    bool isNull() const { return m_id == 0; }

    static const QxAtom& nullAtom();

    friend bool operator==(const QxAtom& a, const QxAtom& b) { return a.m_id == b.m_id; }
    friend bool operator!=(const QxAtom& a, const QxAtom& b) { return a.m_id != b.m_id; }
    friend bool operator<(const QxAtom& a, const QxAtom& b) { return a.m_id < b.m_id; }
    friend bool operator>(const QxAtom& a, const QxAtom& b) { return a.m_id > b.m_id; }
    friend bool operator<=(const QxAtom& a, const QxAtom& b) { return a.m_id <= b.m_id; }
    friend bool operator>=(const QxAtom& a, const QxAtom& b) { return a.m_id >= b.m_id; }
    // Comparing with a text compares the strings and interns nothing.
    friend bool operator==(const QxAtom& a, const wxString& s) { return a.string() == s; }
    friend bool operator==(const wxString& s, const QxAtom& a) { return a.string() == s; }
    friend bool operator!=(const QxAtom& a, const wxString& s) { return a.string() != s; }
    friend bool operator!=(const wxString& s, const QxAtom& a) { return a.string() != s; }
    friend bool operator==(const QxAtom& a, const char* s) { return a == wxString(s ? s : ""); }
    friend bool operator==(const char* s, const QxAtom& a) { return a == wxString(s ? s : ""); }
    friend bool operator!=(const QxAtom& a, const char* s) { return !(a == s); }
    friend bool operator!=(const char* s, const QxAtom& a) { return !(a == s); }

private:
    unsigned m_id;
};

namespace std {
template <>
struct hash<QxAtom> {
    size_t operator()(const QxAtom& a) const noexcept { return hash<unsigned>()(a.id()); }
};
} // namespace std

// The process-wide string table behind QxAtom. It exists before the first
// own code runs (whatever the order of static initialisation) and never
// shrinks.
class QxAtomTable {
public:
    static QxAtomTable& get();

    // 0 for the empty string; otherwise the id the string got when first seen.
    unsigned intern(const wxString& s);
    // Empty for 0 and for ids never given out.
    wxString string(unsigned id) const;
    // Number of strings interned so far.
    size_t size() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_strings.size();
    }

private:
    QxAtomTable() = default;
    QxAtomTable(const QxAtomTable&) = delete;
    QxAtomTable& operator=(const QxAtomTable&) = delete;

    struct Less {
        bool operator()(const wxString& a, const wxString& b) const { return a.Cmp(b) < 0; }
    };
    std::map<wxString, unsigned, Less> m_ids;
    // Ids are dense, so the string of id n sits at n - 1.
    std::vector<wxString> m_strings;
    // The idea finder's worker reads names while the GUI thread interns new ones.
    mutable std::mutex m_mutex;
};
