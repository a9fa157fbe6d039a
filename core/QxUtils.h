#pragma once
// Help and colour utilities shared by every window of the program.
#include <wx/colour.h>
#include <wx/string.h>

class QxHelpBook;
class QxIndicator;

namespace QxUtils {

// Opens the manual at a page below "topics/" ("topics/export_chart.htm",
// optionally followed by "#anchor"); no page, or "topics/alert.htm", opens
// the contents.  A page the manual lacks also opens the contents.  True when
// the page asked for is shown.
bool showHelp(const char* topic = nullptr);
// Opens the indicator reference at the indicator's page, or at its
// contents when there is no indicator.
bool showIndicatorHelp(const QxIndicator* indicator = nullptr);

// The page of an indicator in the indicator reference: "topics", the group
// in lower case with blanks replaced by "_", and the name in lower case
// with ".htm", joined by the path separator.
wxString indicatorHelpPage(const wxString& group, const wxString& name);

// The folder of the help books: "help" beside the executable unless
// replaced (tests replace it); an empty folder restores the default.
wxString helpFolder();
void setHelpFolder(const wxString& folder);

// The two books, created on first use.
QxHelpBook& manualBook();
QxHelpBook& indicatorBook();
// Closes both viewers and forgets the books (before the application ends).
void closeHelp();

} // namespace QxUtils

// Each of red, green and blue moved towards white by factor (0 keeps the
// colour, 1 gives white), rounded to the nearest integer; alpha 255.
wxColour lightenColour(const wxColour& colour, double factor);
