#include "plugins/quillbar/QxQbDataReader.h"

#include "core/platform/QxFileDialogExt.h"
#include "plugins/quillbar/QxQbDatabase.h"

#include <wx/dirdlg.h>
#include <wx/intl.h>

QxAtom QxQbDataReader::readerAtom()
{
    return QxAtom("com.Corvane.Trendoria.quillbar");
}

wxString QxQbDataReader::displayName() const
{
    return _("Quillbar Format");
}

wxString QxQbDataReader::browseLocation(wxWindow* parent)
{
    wxDirDialog dialog(parent, _("Please select folder where (E/X)MASTER file(s) are located"), wxEmptyString,
                       wxDD_DEFAULT_STYLE);
    return qxChooseFolder(dialog);
}

QxDatabase* QxQbDataReader::openDatabase(const wxString& location, const wxString&, int* errorOut)
{
    return QxQbDatabase::open(location, errorOut);
}
