#include "core/QxAtom.h"

QxAtomTable& QxAtomTable::get()
{
    // Never destroyed: atoms in static objects of the program and the
    // plug-ins may still be read while the process winds down.
    static QxAtomTable* table = new QxAtomTable;
    return *table;
}

namespace {
// Creates the table before main even when no static object interns a name.
const bool g_atomTableReady = (QxAtomTable::get(), true);
} // namespace

unsigned QxAtomTable::intern(const wxString& s)
{
    if (s.empty())
        return 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_ids.find(s);
    if (it != m_ids.end())
        return it->second;
    m_strings.push_back(s);
    const unsigned id = static_cast<unsigned>(m_strings.size());
    m_ids.emplace(s, id);
    return id;
}

wxString QxAtomTable::string(unsigned id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (id == 0 || id > m_strings.size())
        return wxString();
    return m_strings[id - 1]; // copied while the lock is held
}

QxAtom::QxAtom(const wxString& s) : m_id(QxAtomTable::get().intern(s)) {}

QxAtom::QxAtom(const char* s) : m_id(s ? QxAtomTable::get().intern(wxString(s)) : 0) {}

wxString QxAtom::string() const
{
    if (m_id == 0)
        return wxString();
    return QxAtomTable::get().string(m_id);
}

const QxAtom& QxAtom::nullAtom()
{
    static const QxAtom atom;
    return atom;
}
