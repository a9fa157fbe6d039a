#pragma once
// Message boxes of the price editor and its dialogs, captioned with the
// product name.
#include <wx/string.h>

class wxWindow;

// "Trendoria".
wxString qxProductName();
// An OK box with the error icon.
void qxPriceEditError(wxWindow* parent, const wxString& text);
// An OK box with the information icon.
void qxPriceEditInfo(wxWindow* parent, const wxString& text);
// A Yes/No question with the question icon; true on Yes.
bool qxPriceEditAsk(wxWindow* parent, const wxString& text, const wxString& caption);
