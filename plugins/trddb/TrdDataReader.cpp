#include "plugins/trddb/TrdDataReader.h"

#include "plugins/trddb/TrdDatabase.h"
#include "plugins/trddb/TrdSql.h"

#include <wx/filedlg.h>
#include <wx/intl.h>

namespace {
// SQLite is shut down when the last reader goes (and no database is open).
int s_liveReaders = 0;
} // namespace

TrdDataReader::TrdDataReader()
{
    ++s_liveReaders;
}

TrdDataReader::~TrdDataReader()
{
    if (--s_liveReaders == 0)
        trdSqliteShutdownWhenIdle();
}

QxAtom TrdDataReader::readerAtom()
{
    return QxAtom("com.Corvane.Trendoria.trddb");
}

wxString TrdDataReader::displayName() const
{
    return _("Trendoria History Database");
}

wxString TrdDataReader::browseLocation(wxWindow* parent)
{
    const wxString wildcard =
        displayName() + " files (*." + fileExtension + ")|*." + fileExtension;
    wxFileDialog dialog(parent, _("Please select Trendoria History Database"), wxEmptyString, wxEmptyString,
                        wildcard, wxFD_OPEN, wxDefaultPosition, wxDefaultSize);
    return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
}

QxDatabase* TrdDataReader::openDatabase(const wxString& location, const wxString&, int* errorOut)
{
    return TrdDatabase::open(location, errorOut);
}
