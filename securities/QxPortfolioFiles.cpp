#include "securities/QxPortfolioFiles.h"

#include "core/QxXmlFile.h"
#include "core/platform/wxeStandardPaths.h"

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/mstream.h>
#include <wx/xml/xml.h>

#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

// Generous for a user's holdings, small enough to refuse a runaway file.
constexpr QxXmlLimits kListFileLimits{64u * 1024 * 1024, 16};

bool parseC(const std::string& text, double* value)
{
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, *value);
    return result.ec == std::errc() && result.ptr == end && !text.empty();
}

// The whole file at path, when there is one and it holds at most limit bytes.
bool readBytes(const wxString& path, size_t limit, std::string* bytes)
{
    bytes->clear();
    const wxULongLong size = wxFileName::GetSize(path);
    if (!wxFileName::FileExists(path) || size == wxInvalidSize || size > limit)
        return false;
    std::ifstream in(path.fn_str(), std::ios::binary);
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad() && bytes->size() <= limit;
}

// Reads path into doc; false when there is nothing to read.
bool loadListFile(const wxString& path, wxXmlDocument& doc, QxListFileState* state)
{
    QxListFileState local;
    QxListFileState& st = state ? *state : local;
    // The bytes before the parse: should another program write in between,
    // the next write here finds the file changed and leaves it alone.
    st.present = readBytes(path, kListFileLimits.maxBytes, &st.content);
    wxString why;
    switch (qxLoadXmlFile(path, doc, kListFileLimits, wxString(), &why)) {
    case QxXmlRead::eRead:
        return doc.GetRoot() != nullptr;
    case QxXmlRead::eMissing:
        st.present = false;
        return false;
    case QxXmlRead::eDamaged:
        st.keptAside = qxKeepDamagedFileAside(path, why);
        st.writable = !st.keptAside.empty();
        st.present = false;
        st.content.clear();
        return false;
    }
    return false;
}

template <class T>
std::string listText(const char* rootName, const std::vector<const T*>& lists)
{
    wxXmlDocument doc;
    auto* root = new wxXmlNode(wxXML_ELEMENT_NODE, rootName);
    doc.SetRoot(root);
    for (const T* list : lists)
        if (list)
            list->toXml(root);
    wxMemoryOutputStream out;
    doc.Save(out, 2);
    std::string text(out.GetLength(), '\0');
    out.CopyTo(text.data(), text.size());
    return text;
}

bool makeFolderOf(const wxString& path, wxString* why)
{
    const wxFileName file(path);
    if (file.DirExists() || wxFileName::Mkdir(file.GetPath(), 0777, wxPATH_MKDIR_FULL))
        return true;
    if (why)
        *why = wxString::Format(_("the folder \"%s\" could not be made"), file.GetPath());
    return false;
}

bool saveListFile(const wxString& path, const std::string& text, const QxListFileState& state)
{
    return state.writable && makeFolderOf(path, nullptr) && qxSaveBytesFile(text, path);
}

} // namespace

wxString qxFileDoubleText(double value)
{
    char text[64];
    auto result = std::to_chars(text, text + sizeof text - 1, value, std::chars_format::fixed, 4);
    if (result.ec == std::errc()) {
        *result.ptr = '\0';
        double back = 0;
        if (parseC(text, &back) && back == value)
            return wxString::FromAscii(text);
    }
    result = std::to_chars(text, text + sizeof text - 1, value);
    *result.ptr = '\0';
    return wxString::FromAscii(text);
}

bool qxParseFileDouble(const wxString& text, double* value)
{
    double parsed = 0;
    if (!parseC(text.utf8_string(), &parsed) && !text.ToDouble(&parsed))
        return false;
    *value = parsed;
    return true;
}

namespace {

void dropWriterIndentation(wxXmlNode* node)
{
    for (wxXmlNode* child = node->GetChildren(); child; child = child->GetNext()) {
        const wxXmlNode* next = child->GetNext();
        if (child->GetType() == wxXML_TEXT_NODE && next && next->GetType() != wxXML_TEXT_NODE) {
            // "\n" and spaces: what the writer adds before the next element.
            wxString text = child->GetContent();
            const size_t end = text.find_last_not_of(" \t\r\n");
            const size_t newline = text.find('\n', end == wxString::npos ? 0 : end + 1);
            if (newline != wxString::npos) {
                text.erase(newline);
                child->SetContent(text);
            }
        }
        dropWriterIndentation(child);
    }
}

} // namespace

wxXmlNode* qxKeptElement(const wxXmlNode& element)
{
    auto* copy = new wxXmlNode(element);
    dropWriterIndentation(copy);
    return copy;
}

wxString qxPortfoliosFilePath()
{
    return wxFileName(wxeStandardPaths().GetUserDataDir(), "portfolios.xml").GetFullPath();
}

wxString qxWatchlistsFilePath()
{
    return wxFileName(wxeStandardPaths().GetUserDataDir(), "watchlists.xml").GetFullPath();
}

std::vector<QxObjectSmartPtr<QxPortfolio>> qxLoadPortfolios(const wxString& path, QxDatabase* database,
                                                           QxListFileState* state)
{
    std::vector<QxObjectSmartPtr<QxPortfolio>> portfolios;
    wxXmlDocument doc;
    if (!loadListFile(path, doc, state))
        return portfolios;
    for (const wxXmlNode* child = doc.GetRoot()->GetChildren(); child; child = child->GetNext())
        if (child->GetType() == wxXML_ELEMENT_NODE)
            portfolios.emplace_back(QxPortfolio::fromXml(child, database));
    return portfolios;
}

std::vector<QxObjectSmartPtr<QxWatchlist>> qxLoadWatchlists(const wxString& path, QxDatabase* database,
                                                           QxListFileState* state)
{
    std::vector<QxObjectSmartPtr<QxWatchlist>> watchlists;
    wxXmlDocument doc;
    if (!loadListFile(path, doc, state))
        return watchlists;
    for (const wxXmlNode* child = doc.GetRoot()->GetChildren(); child; child = child->GetNext())
        if (child->GetType() == wxXML_ELEMENT_NODE)
            if (QxWatchlist* watchlist = QxWatchlist::fromXml(child, database))
                watchlists.emplace_back(watchlist);
    return watchlists;
}

std::string qxPortfoliosText(const std::vector<const QxPortfolio*>& portfolios)
{
    return listText("portfolios", portfolios);
}

std::string qxWatchlistsText(const std::vector<const QxWatchlist*>& watchlists)
{
    return listText("watchlists", watchlists);
}

bool qxSavePortfolios(const wxString& path, const std::vector<const QxPortfolio*>& portfolios,
                      const QxListFileState& state)
{
    return saveListFile(path, qxPortfoliosText(portfolios), state);
}

bool qxSaveWatchlists(const wxString& path, const std::vector<const QxWatchlist*>& watchlists,
                      const QxListFileState& state)
{
    return saveListFile(path, qxWatchlistsText(watchlists), state);
}

QxListWrite qxWriteListFile(const wxString& path, const std::string& text, QxListFileState& state, wxString* why)
{
    if (!state.writable)
        return QxListWrite::eRefused;
    std::string onDisk;
    // A file that is gone holds nothing of anyone's to lose.
    if (readBytes(path, kListFileLimits.maxBytes, &onDisk) ? !state.present || onDisk != state.content
                                                           : wxFileName::FileExists(path))
        return QxListWrite::eChangedElsewhere;
    if (!makeFolderOf(path, why) || !qxSaveBytesFile(text, path, why))
        return QxListWrite::eFailed;
    state.present = true;
    state.content = text;
    return QxListWrite::eWritten;
}
