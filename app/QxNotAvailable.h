#pragma once
// Commands whose part of the program is not in this build open nothing and
// say so, instead of failing in some other way.
#include <wx/string.h>

class wxWindow;

// The sentence shown for what (for example "The alert manager").
wxString qxNotAvailableText(const wxString& what);
// Shows that sentence in an information box over parent, captioned with
// the product title.
void qxShowNotAvailable(wxWindow* parent, const wxString& what);
