#pragma once
#include <vector>

class QxPriceHistory;

namespace Qx {

// Order of the three numbers of a date in a price file.
enum class QxDateFormat : int {
    eMonthDayYear = 0,
    eDayMonthYear = 1,
    eYearMonthDay = 2,
};

} // namespace Qx

// Reads price lines (CSV downloads of the web providers, files the user
// imports) into a price history.
class QxAsciiParser {
public:
    // What one column of a line holds. Any value above eNav names a column
    // that is passed over like eSkip.
    enum class QxAsciiFieldId : int {
        eSkip = 0,
        eDate = 1,
        eOpen = 2,
        eHigh = 3,
        eLow = 4,
        eClose = 5,
        eVolume = 6,
        eOpenInterest = 7,
        eNav = 8,
    };

    // Appends one bar to history for every acceptable line of the buffer, in
    // the order of the lines, and lists the numbers (from 1) of the lines it
    // rejected in badLines. Parsing stops once more than maxBadLines lines
    // were rejected. Fields are separated by runs of tabs, blanks, carriage
    // returns, commas and "|"; two commas or bars in a row enclose an empty
    // field. A line feed ends a line.
    //
    // Returns 0; eInvalidInputObject for a null history, eInvalidSecurityType
    // for a history whose type is not 1-4, eInvalidInput for a null buffer or
    // field list with a non-zero length or an unknown date format.
    static int parseAsciiStmForHistory(const char* buffer, unsigned length,
                                       const QxAsciiFieldId* fieldIds, unsigned numFieldIds,
                                       bool skipFirstLine, Qx::QxDateFormat dateFormat,
                                       unsigned maxBadLines, std::vector<unsigned>& badLines,
                                       QxPriceHistory* history);
};
