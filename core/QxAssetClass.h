#pragma once
// The kinds of instrument a category can hold, and so which price columns
// its securities have.
#include "core/QxTime.h"

#include <wx/string.h>

#include <map>
#include <vector>

class QxAssetClass {
public:
    QxAssetClass() = default;
    QxAssetClass(const char* code, const wxString& name, Qx::QxSecurityType type)
        : m_code(code ? code : ""), m_name(name), m_type(type)
    {
    }

    // Stays valid as long as this record (codes of the table are literals).
    const char* code() const { return m_code; }
    // Translated display name.
    const wxString& name() const { return m_name; }
    Qx::QxSecurityType securityType() const { return m_type; }

private:
    const char* m_code = "";
    wxString m_name;
    Qx::QxSecurityType m_type = Qx::eStock;
};

// The one process-wide set of the 28 asset classes; the first construction
// builds it, later ones find it built.
class QxAssetClassTable {
public:
    QxAssetClassTable();

    // A code the table does not hold (compared exactly) gives "STOCK".
    const QxAssetClass& getAssestClassFromCode(const wxString& code) const;
    unsigned numAssetClass() const;
    // In insertion order; an index at or past the end gives the first ("EQ").
    const QxAssetClass& assetClassAt(unsigned index) const;

private:
    struct Data {
        std::map<wxString, QxAssetClass> byCode;
        std::vector<wxString> codes;
    };
    static Data& data();
    Data& m_data;
};
