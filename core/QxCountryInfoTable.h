#pragma once
// The countries a category can be filed under: 240 countries (the major
// markets first, then by name), the row "NO COUNTRY" (code "ZZ") and an end
// marker with an empty name and code.
#include <wx/string.h>

// The index of a row.
typedef int QxCountryID;

struct QxCountryInfo {
    wxString name; // upper case, not translated
    char code[4];  // two letters, then zero bytes
};

class QxCountryInfoTable {
public:
    // Any id outside 0 to 240 gives the "NO COUNTRY" row.
    static const QxCountryInfo& getCountryInfoFromId(QxCountryID id);
    // The same clamping: an index at or past 241 gives "NO COUNTRY".
    static const QxCountryInfo& getCountryInfoAt(unsigned index);
    // The real countries only: 240.
    static unsigned getNumCountry();
    // Name of the first row whose code equals code exactly; "NO COUNTRY"
    // when none does.
    static wxString getCountryNameFromCode(const char* code);

    static constexpr QxCountryID kNoCountry = 240;
};
