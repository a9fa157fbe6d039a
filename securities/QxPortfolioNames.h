#pragma once
// Names of new and renamed portfolios and watchlists, decided without a
// window. Names compare without regard to case, as the user reads them.
#include <wx/string.h>

#include <vector>

// base followed by 1, 2, ... ("Portfolio1"): the first that no name equals.
wxString qxUniqueName(const wxString& base, const std::vector<wxString>& names);

// Whether a row may take text as its name: not blank (the files drop
// unnamed lists), and equal to none of the other rows' names.
bool qxMayRename(const wxString& text, const std::vector<wxString>& otherNames);
