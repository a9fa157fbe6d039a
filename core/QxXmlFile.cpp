#include "core/QxXmlFile.h"

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/wfstream.h>
#include <wx/xml/xml.h>

#include <cstdio>

#include <sys/stat.h>

bool qxWriteFileReplacing(const wxString& path, const std::function<bool(wxOutputStream&)>& write)
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
        ok = out.IsOk() && write(out) && out.IsOk() && out.Close();
    }
    ok = ok && tempFile.Flush();
    ok = tempFile.Close() && ok;
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

bool qxSaveXmlFile(const wxXmlDocument& doc, const wxString& path, int indent)
{
    return qxWriteFileReplacing(path, [&doc, indent](wxOutputStream& out) { return doc.Save(out, indent); });
}
