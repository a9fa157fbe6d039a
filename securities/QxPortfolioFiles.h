#pragma once
// The two files of the portfolio manager, "portfolios.xml" and
// "watchlists.xml" in the user data folder, and how their numbers are
// written. Both are read when the manager opens and written after every
// change. A file that cannot be read is renamed aside (the user is told
// once) and never written over; when it cannot even be moved, nothing is
// written. Nor is a file that another program changed since it was read.
#include "core/QxObject.h"
#include "core/QxXmlFile.h"
#include "securities/QxPortfolio.h"
#include "securities/QxWatchlist.h"

#include <wx/string.h>

#include <string>
#include <vector>

class QxDatabase;
class wxXmlNode;

// Doubles in the files: always with ".", with 4 decimals when those say the
// value exactly, otherwise the shortest text that reads back the same, so
// that any machine reads the file and no value changes on a round trip.
wxString qxFileDoubleText(double value);
// The C form first, then the form of the current locale (files written by
// older versions under a comma locale); the whole text must be the number.
bool qxParseFileDouble(const wxString& text, double* value);

// What became of reading one of the files, and of writing it since.
using QxListFileState = QxOwnedFile;

// A copy of an element of a file that is kept as it was read and written
// back (one whose security is not in the database). The indentation the
// writer puts before an element that follows text is taken off that text,
// so that the element reads back the same after every save.
wxXmlNode* qxKeptElement(const wxXmlNode& element);

wxString qxPortfoliosFilePath();
wxString qxWatchlistsFilePath();

// Every portfolio the file holds, in file order (names as they are, empty
// ones included), resolved against database. A missing file gives none.
std::vector<QxObjectSmartPtr<QxPortfolio>> qxLoadPortfolios(const wxString& path, QxDatabase* database,
                                                           QxListFileState* state);
std::vector<QxObjectSmartPtr<QxWatchlist>> qxLoadWatchlists(const wxString& path, QxDatabase* database,
                                                           QxListFileState* state);

// The files' texts as they are written.
std::string qxPortfoliosText(const std::vector<const QxPortfolio*>& portfolios);
std::string qxWatchlistsText(const std::vector<const QxWatchlist*>& watchlists);

// Writes the file through a temporary file; false when nothing was written
// (a damaged file that stayed in place is never written over).
[[nodiscard]] bool qxSavePortfolios(const wxString& path, const std::vector<const QxPortfolio*>& portfolios,
                      const QxListFileState& state);
[[nodiscard]] bool qxSaveWatchlists(const wxString& path, const std::vector<const QxWatchlist*>& watchlists,
                      const QxListFileState& state);

using QxListWrite = QxOwnedWrite;
// Writes text to path through a temporary file, unless the file there is
// no longer what state says this program last read or wrote (another
// program changed or made it since). On success state holds text.
[[nodiscard]] QxListWrite qxWriteListFile(const wxString& path, const std::string& text, QxListFileState& state, wxString* why);
