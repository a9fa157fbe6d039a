#include "core/QxXmlFile.h"

#include "core/QxUserNotice.h"

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/datetime.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/wfstream.h>
#include <wx/xml/xml.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include <sys/stat.h>

bool qxWriteFileReplacing(const wxString& path, const std::function<bool(wxOutputStream&)>& write, wxString* why)
{
    wxLogNull quiet; // failures are reported by the result
    // The system's word for the first step that failed.
    auto failed = [why](int error) {
        if (why)
            *why = error ? wxString::FromUTF8(std::strerror(error)) : wxString(_("the data could not be written"));
        return false;
    };
    const wxFileName target(path);
    if (target.DirExists(path)) {
        if (why)
            *why = _("there is a folder of that name");
        return false; // a folder is never replaced
    }
    wxFile tempFile;
    errno = 0;
    const wxString temp = wxFileName::CreateTempFileName(
        wxFileName(target.GetPath(), "." + target.GetFullName() + ".").GetFullPath(), &tempFile);
    if (temp.empty())
        return failed(errno);
    bool ok;
    int error = 0;
    {
        wxFileOutputStream out(tempFile);
        errno = 0;
        ok = out.IsOk() && write(out) && out.IsOk() && out.Close();
        error = ok ? 0 : errno;
    }
    ok = ok && tempFile.Flush();
    if (!ok && !error)
        error = errno;
    ok = tempFile.Close() && ok;
    // The temporary file is private; the result gets the old file's
    // permissions, or those of an ordinary new file.
    struct stat old;
    const mode_t mode = ::stat(path.fn_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ok = ok && ::chmod(temp.fn_str(), mode) == 0;
    // rename() replaces the target in one step.
    if (ok && std::rename(temp.fn_str(), path.fn_str()) == 0)
        return true;
    if (!error)
        error = errno;
    wxRemoveFile(temp);
    return failed(error);
}

bool qxSaveXmlFile(const wxXmlDocument& doc, const wxString& path, int indent)
{
    return qxWriteFileReplacing(path, [&doc, indent](wxOutputStream& out) { return doc.Save(out, indent); });
}

bool qxSaveBytesFile(const std::string& bytes, const wxString& path, wxString* why)
{
    return qxWriteFileReplacing(
        path, [&bytes](wxOutputStream& out) { return out.WriteAll(bytes.data(), bytes.size()); }, why);
}

namespace {

// The position just past the first occurrence of end at or after i, or size.
size_t skipPast(const char* text, size_t size, size_t i, const char* end)
{
    const size_t n = std::strlen(end);
    for (; i + n <= size; ++i)
        if (std::memcmp(text + i, end, n) == 0)
            return i + n;
    return size;
}

bool startsWith(const char* text, size_t size, size_t i, const char* prefix)
{
    const size_t n = std::strlen(prefix);
    return i + n <= size && std::memcmp(text + i, prefix, n) == 0;
}

} // namespace

int qxXmlNestingDepth(const char* text, size_t size, int limit)
{
    int depth = 0;
    int deepest = 0;
    size_t i = 0;
    while (i < size) {
        if (text[i] != '<') {
            ++i;
            continue;
        }
        if (startsWith(text, size, i, "<!--")) {
            i = skipPast(text, size, i + 4, "-->");
        } else if (startsWith(text, size, i, "<![CDATA[")) {
            i = skipPast(text, size, i + 9, "]]>");
        } else if (startsWith(text, size, i, "<?")) {
            i = skipPast(text, size, i + 2, "?>");
        } else if (startsWith(text, size, i, "<!")) {
            // A declaration; an internal subset in brackets may hold '>'.
            size_t j = i + 2;
            while (j < size && text[j] != '>' && text[j] != '[')
                ++j;
            if (j < size && text[j] == '[')
                j = skipPast(text, size, j, "]");
            i = skipPast(text, size, j, ">");
        } else if (startsWith(text, size, i, "</")) {
            if (depth > 0)
                --depth;
            i = skipPast(text, size, i + 2, ">");
        } else {
            // A start tag: up to its '>', stepping over quoted values.
            size_t j = i + 1;
            char quote = 0;
            for (; j < size; ++j) {
                if (quote) {
                    if (text[j] == quote)
                        quote = 0;
                } else if (text[j] == '"' || text[j] == '\'') {
                    quote = text[j];
                } else if (text[j] == '>') {
                    break;
                }
            }
            const bool empty = j < size && j > i + 1 && text[j - 1] == '/';
            if (depth + 1 > deepest)
                deepest = depth + 1;
            if (deepest > limit)
                return limit + 1;
            if (!empty)
                ++depth;
            i = j + 1;
        }
    }
    return deepest;
}

QxXmlRead qxLoadXmlFile(const wxString& path, wxXmlDocument& doc, const QxXmlLimits& limits,
                        const wxString& rootName, wxString* why)
{
    auto damaged = [&](const wxString& text) {
        if (why)
            *why = text;
        doc = wxXmlDocument();
        return QxXmlRead::eDamaged;
    };
    if (!wxFileName::FileExists(path))
        return wxFileName::Exists(path) ? damaged(_("It is not a file.")) : QxXmlRead::eMissing;
    struct stat info;
    if (::stat(path.fn_str(), &info) != 0)
        return damaged(_("It could not be read."));
    if (static_cast<unsigned long long>(info.st_size) > limits.maxBytes)
        return damaged(wxString::Format(_("It is larger (%llu bytes) than such a file can be (%llu bytes)."),
                                        static_cast<unsigned long long>(info.st_size),
                                        static_cast<unsigned long long>(limits.maxBytes)));
    std::string text;
    {
        std::ifstream in(static_cast<const char*>(path.fn_str()), std::ios::binary);
        if (!in)
            return damaged(_("It could not be read."));
        text.assign(std::istreambuf_iterator<char>(in), {});
        if (in.bad() || text.size() > limits.maxBytes)
            return damaged(_("It could not be read."));
    }
    // Checked before any tree is built: building and freeing a tree both
    // recurse once per level.
    if (qxXmlNestingDepth(text.data(), text.size(), limits.maxDepth) > limits.maxDepth)
        return damaged(wxString::Format(_("Its elements are nested deeper than %d levels."), limits.maxDepth));
    {
        wxLogNull quiet; // reported through why
        wxMemoryInputStream in(text.data(), text.size());
        if (!doc.Load(in, "UTF-8") || !doc.GetRoot())
            return damaged(_("It is not well-formed XML (damaged or cut short)."));
    }
    if (!rootName.empty() && doc.GetRoot()->GetName() != rootName)
        return damaged(wxString::Format(_("Its root element is \"%s\", not \"%s\"."), doc.GetRoot()->GetName(),
                                        rootName));
    return QxXmlRead::eRead;
}

wxString qxSetAsideDamagedFile(const wxString& path)
{
    const wxString base = path + ".damaged-" + wxDateTime::Now().Format("%Y-%m-%d");
    wxString aside = base;
    for (int n = 2; wxFileName::Exists(aside); ++n) {
        if (n > 1000)
            return wxString();
        aside = wxString::Format("%s-%d", base, n);
    }
    // rename() never replaces anything here: the name was free just now.
    return std::rename(path.fn_str(), aside.fn_str()) == 0 ? aside : wxString();
}

wxString qxKeepDamagedFileAside(const wxString& path, const wxString& why)
{
    const wxString aside = qxSetAsideDamagedFile(path);
    wxString text = wxString::Format(_("The file \"%s\" could not be read. %s"), path, why);
    if (!aside.empty())
        text << "\n\n"
             << wxString::Format(_("It was kept as \"%s\"; a new file will be written in its place."), aside);
    else
        text << "\n\n" << _("It could not be moved aside, so it is left as it is and will not be written over.");
    qxNotifyUser(text);
    return aside;
}
