#include "core/QxXmlFile.h"

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/wfstream.h>
#include <wx/xml/xml.h>

#include <cstdio>
#include <functional>

#include <sys/stat.h>

namespace {

// Has write fill a private temporary file beside path and renames it over
// path once write and the flush succeeded.
bool saveThroughTempFile(const wxString& path, const std::function<bool(wxFileOutputStream&)>& write)
{
    wxLogNull quiet; // failures are reported by the result
    const wxFileName target(path);
    if (target.DirExists(path))
        return false; // a folder is never replaced
    wxFile tempFile;
    const wxString temp = wxFileName::CreateTempFileName(
        wxFileName(target.GetPath(), "." + target.GetFullName() + ".").GetFullPath(), &tempFile);
    if (temp.empty())
        return false;
    bool ok;
    {
        wxFileOutputStream out(tempFile);
        ok = out.IsOk() && write(out) && out.Close();
    }
    ok = ok && tempFile.Flush();
    tempFile.Close();
    // The temporary file is private; the result gets the old file's
    // permissions, or those of an ordinary new file.
    struct stat old;
    const mode_t mode = ::stat(path.fn_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ok = ok && ::chmod(temp.fn_str(), mode) == 0;
    // rename() replaces the target in one step.
    if (ok && std::rename(temp.fn_str(), path.fn_str()) == 0)
        return true;
    wxRemoveFile(temp);
    return false;
}

} // namespace

bool qxSaveXmlFile(const wxXmlDocument& doc, const wxString& path, int indent)
{
    return saveThroughTempFile(path, [&](wxFileOutputStream& out) { return doc.Save(out, indent); });
}

bool qxSaveBytesFile(const std::string& bytes, const wxString& path)
{
    return saveThroughTempFile(path, [&](wxFileOutputStream& out) {
        return out.WriteAll(bytes.data(), bytes.size());
    });
}
