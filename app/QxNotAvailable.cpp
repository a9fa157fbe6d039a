#include "app/QxNotAvailable.h"

#include "app/QxApplication.h"
#include <wx/intl.h>
#include <wx/msgdlg.h>

wxString qxNotAvailableText(const wxString& what)
{
    return wxString::Format(_("%s is not available in this version of Trendoria."), what);
}

void qxShowNotAvailable(wxWindow* parent, const wxString& what)
{
    wxMessageBox(qxNotAvailableText(what), QxApplication::appTitle(), wxOK | wxICON_INFORMATION | wxCENTRE,
                 parent);
}
