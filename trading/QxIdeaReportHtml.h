#pragma once
// The idea-finder report as an HTML page: a title, the date range and one
// table row per result row, each in the row's background colour.
#include <wx/colour.h>
#include <wx/string.h>

#include <string>
#include <vector>

struct QxIdeaReportRow {
    wxColour background;
    std::vector<wxString> cells; // the five columns, left to right
};

// The page in the narrow locale encoding (it declares no character set).
// The title and cells are escaped, since tickers, names and system names are
// the user's own text; the fixed markup is written as it stands.
std::string ideaReportHtml(const wxString& title, const wxString& from, const wxString& till,
                           const std::vector<QxIdeaReportRow>& rows);

// &, <, >, " and ' as character references.
wxString escapeHtmlText(const wxString& text);
