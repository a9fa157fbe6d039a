// "watchlists.xml" as the portfolio manager reads it when it opens, its
// securities resolved against a database, and the write that follows a
// change.
#include "FuzzSupport.h"

#include "securities/QxPortfolioBook.h"

#include <wx/filename.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const wxString folder = FuzzSupport::scratchPath("watchlist");
    FuzzSupport::removeAll(folder);
    wxFileName::Mkdir(folder, 0777, wxPATH_MKDIR_FULL);
    if (!FuzzSupport::writeFile(folder + "/watchlists.xml", data, size))
        return 0;
    QxPortfolioBook book(folder + "/portfolios.xml", folder + "/watchlists.xml");
    book.load(FuzzSupport::database());
    (void)book.saveWatchlists();
    book.load(FuzzSupport::database());
    return 0;
}
