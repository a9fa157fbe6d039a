#include "securities/QxPriceEditMessages.h"

#include <wx/msgdlg.h>

wxString qxProductName() { return "Trendoria"; }

void qxPriceEditError(wxWindow* parent, const wxString& text)
{
    wxMessageBox(text, qxProductName(), wxOK | wxICON_ERROR | wxCENTRE, parent);
}

void qxPriceEditInfo(wxWindow* parent, const wxString& text)
{
    wxMessageBox(text, qxProductName(), wxOK | wxICON_INFORMATION | wxCENTRE, parent);
}

bool qxPriceEditAsk(wxWindow* parent, const wxString& text, const wxString& caption)
{
    return wxMessageBox(text, caption, wxYES_NO | wxICON_QUESTION | wxCENTRE, parent) == wxYES;
}
