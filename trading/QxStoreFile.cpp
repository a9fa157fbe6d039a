#include "trading/QxStoreFile.h"

#include "app/QxApplication.h"

#include <wx/app.h>
#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/msgdlg.h>
#include <wx/xml/xml.h>

#include <cstring>
#include <string>

namespace {

// Our files are a few kilobytes; anything far larger is not
// one of ours and is not parsed.
constexpr wxFileOffset kMaxFileBytes = 16 * 1024 * 1024;

// Our files nest about ten elements deep; the document tree is freed
// recursively, so a file nested far deeper is refused before parsing.
constexpr int kMaxDepth = 256;

// Whether no element of text nests deeper than kMaxDepth. Comments, CDATA,
// declarations and quoted attribute values are skipped; a malformed text
// is left for the parser to refuse.
bool nestingWithinBounds(const std::string& text)
{
    int depth = 0;
    const size_t n = text.size();
    auto skipPast = [&text](size_t from, const char* end) {
        const size_t at = text.find(end, from);
        return at == std::string::npos ? text.size() : at + std::strlen(end);
    };
    for (size_t i = 0; i < n;) {
        if (text[i] != '<') {
            ++i;
            continue;
        }
        if (text.compare(i, 4, "<!--") == 0) {
            i = skipPast(i + 4, "-->");
        } else if (text.compare(i, 9, "<![CDATA[") == 0) {
            i = skipPast(i + 9, "]]>");
        } else if (i + 1 < n && (text[i + 1] == '?' || text[i + 1] == '!')) {
            i = skipPast(i + 2, ">");
        } else if (i + 1 < n && text[i + 1] == '/') {
            --depth;
            i = skipPast(i + 2, ">");
        } else {
            // A start tag: to its '>' outside quotes; "/>" closes it at once.
            char quote = 0;
            size_t j = i + 1;
            for (; j < n; ++j) {
                const char c = text[j];
                if (quote) {
                    if (c == quote)
                        quote = 0;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '>') {
                    break;
                }
            }
            if (j >= n || text[j - 1] != '/') {
                if (++depth > kMaxDepth)
                    return false;
            }
            i = j + 1;
        }
    }
    return true;
}

} // namespace

bool readXml(const wxString& path, wxXmlDocument& doc)
{
    wxLogNull quiet; // the result says it
    wxFile file;
    if (!wxFileName::FileExists(path) || !file.Open(path))
        return false;
    const wxFileOffset size = file.Length();
    if (size < 0 || size > kMaxFileBytes)
        return false;
    std::string text(static_cast<size_t>(size), '\0');
    if (size > 0 && file.Read(&text[0], text.size()) != static_cast<ssize_t>(text.size()))
        return false;
    if (!nestingWithinBounds(text))
        return false;
    wxMemoryInputStream in(text.data(), text.size());
    return doc.Load(in, "UTF-8") && doc.GetRoot();
}

wxString keepAside(const wxString& path)
{
    wxLogNull quiet;
    for (int n = 1; n < 1000; ++n) {
        const wxString aside = path + (n == 1 ? wxString(".unreadable") : wxString::Format(".unreadable-%d", n));
        if (wxFileName::Exists(aside))
            continue;
        return wxRenameFile(path, aside, false) ? aside : wxString();
    }
    return wxString();
}

void tellUser(const wxString& message)
{
    if (wxTheApp && wxTheApp->IsGUI())
        wxTheApp->CallAfter([message] {
            wxMessageBox(message, QxApplication::appTitle(), wxOK | wxICON_WARNING | wxCENTRE, nullptr);
        });
    else
        wxLogWarning("%s", message);
}

