#pragma once
// The two files of the portfolio manager, "portfolios.xml" and
// "watchlists.xml" in the user data folder, and how their numbers are
// written. Both are read when the manager opens and written when it closes.
// A file that cannot be read is renamed aside (the user is told once) and
// never written over; when it cannot even be moved, nothing is written.
#include "core/QxObject.h"
#include "securities/QxPortfolio.h"
#include "securities/QxWatchlist.h"

#include <wx/string.h>

#include <vector>

class QxDatabase;

// Doubles in the files: always with ".", with 4 decimals when those say the
// value exactly, otherwise the shortest text that reads back the same, so
// that any machine reads the file and no value changes on a round trip.
wxString qxFileDoubleText(double value);
// The C form first, then the form of the current locale (files written by
// older versions under a comma locale); the whole text must be the number.
bool qxParseFileDouble(const wxString& text, double* value);

// What became of reading one of the files.
struct QxListFileState {
    bool writable = true; // false: a damaged file stayed in place
    wxString keptAside;   // where a damaged file was moved to
};

wxString qxPortfoliosFilePath();
wxString qxWatchlistsFilePath();

// Every portfolio the file holds, in file order (names as they are, empty
// ones included), resolved against database. A missing file gives none.
std::vector<QxObjectSmartPtr<QxPortfolio>> qxLoadPortfolios(const wxString& path, QxDatabase* database,
                                                           QxListFileState* state);
std::vector<QxObjectSmartPtr<QxWatchlist>> qxLoadWatchlists(const wxString& path, QxDatabase* database,
                                                           QxListFileState* state);

// Writes the file through a temporary file; false when nothing was written
// (a damaged file that stayed in place is never written over).
bool qxSavePortfolios(const wxString& path, const std::vector<const QxPortfolio*>& portfolios,
                      const QxListFileState& state);
bool qxSaveWatchlists(const wxString& path, const std::vector<const QxWatchlist*>& watchlists,
                      const QxListFileState& state);
