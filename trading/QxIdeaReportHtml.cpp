#include "trading/QxIdeaReportHtml.h"

wxString escapeHtmlText(const wxString& text)
{
    wxString out;
    out.reserve(text.length());
    for (wxUniChar c : text) {
        switch (c.GetValue()) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string ideaReportHtml(const wxString& title, const wxString& from, const wxString& till,
                           const std::vector<QxIdeaReportRow>& rows)
{
    const wxString t = escapeHtmlText(title);
    wxString page;
    page.reserve(1024);
    page << "<html>\n  <title>" << t
         << "</title>\n  <style type='text/css'>\n     .center  { text-align: center; display: block; "
            "margin-left: auto; margin-right : auto; }\n  </style>\n  <body bgcolor='white' "
            "class='center'>\n     <h1>"
         << t << "</h1>\n     <h3>From " << escapeHtmlText(from) << " to " << escapeHtmlText(till)
         << "</h3>\n     <table align=center width='80%' border='1' cellpadding='5' cellspacing='0'>\n"
            "        <tr style='background-color:#31869B'>           <th>Symbol</th><th>Signal "
            "Date</th><th>Signal Date Closing Price</th><th>Last Closing Price</th><th>Signal</th>"
            "        </tr>\n";
    for (const QxIdeaReportRow& row : rows) {
        page << "        <tr style='background-color:"
             << wxString::Format("#%02X%02X%02X", row.background.Red(), row.background.Green(),
                                 row.background.Blue())
             << "'>";
        for (const wxString& cell : row.cells)
            page << "<td>" << escapeHtmlText(cell) << "</td>";
        page << "</tr>\n";
    }
    page << "     </table>\n  </body>\n</html>\n";
    const wxCharBuffer narrow = page.mb_str(*wxConvCurrent);
    // Text the locale cannot encode falls back to UTF-8 rather than nothing.
    if (narrow.length() == 0 && !page.empty()) {
        const wxScopedCharBuffer utf8 = page.utf8_str();
        return std::string(utf8.data(), utf8.length());
    }
    return std::string(narrow.data(), narrow.length());
}
