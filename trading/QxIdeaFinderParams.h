#pragma once
// The idea finder's parameter file: the system, the signals looked for, the
// date range and the period, and the securities by category, provider and
// ticker. Dates are kept as whole days before the day of saving, so a file
// loaded later places the same range relative to the day of loading; the
// caller passes "today" so that this is testable on any day.
#include "core/QxTime.h"

#include <wx/datetime.h>
#include <wx/string.h>

#include <vector>

class QxDatabase;

struct QxIdeaFinderSymbol {
    wxString category;
    wxString dataProvider;
    wxString symbol;
};

struct QxIdeaFinderParams {
    wxString system;
    unsigned lookFor = 0;
    wxDateTime from; // dates only
    wxDateTime till;
    int32_t periodicity = Qx::eDaily;
    std::vector<QxIdeaFinderSymbol> symbols;
};

// Whole calendar days from date to today (negative for a later date).
int ideaFinderDaysBefore(const wxDateTime& today, const wxDateTime& date);

// Writes params to path (temporary file, then rename); false when that fails,
// in which case a file already at path is untouched.
bool saveIdeaFinderParams(const wxString& path, const QxIdeaFinderParams& params,
                          const wxDateTime& today);

enum class QxIdeaFinderLoad {
    eUnreadable, // missing, unreadable or not well-formed: nothing to say
    eNoData,     // no "Data" element
    eDamaged,    // a From or Till beyond the dates a range can lie at
    eLoaded,
};

// Reads path into params. Missing or non-numeric numbers read as 0, so a
// missing date reads as today; a From or Till whose date would lie outside
// the years 1000 to 9999 refuses the file (params then left empty).
QxIdeaFinderLoad loadIdeaFinderParams(const wxString& path, const wxDateTime& today,
                                      QxIdeaFinderParams& params);

// A symbol of a file found in a database.
struct QxResolvedSymbol {
    unsigned id = 0;
    wxString ticker;
    wxString name;
};

// The symbols whose category (with its provider) and security the database
// knows, in file order; the others are left out.
std::vector<QxResolvedSymbol> resolveIdeaFinderSymbols(const std::vector<QxIdeaFinderSymbol>& symbols,
                                                       QxDatabase* db);

// The file's description of the security id of db; false when the id or its
// category no longer resolves (such a row is not written).
bool ideaFinderSymbolOf(QxDatabase* db, unsigned securityId, QxIdeaFinderSymbol& symbol);
