#include "app/QxLicenseTexts.h"

#include "core/QxTime.h"

#include <wx/convauto.h>
#include <wx/dir.h>
#include <wx/file.h>
#include <wx/intl.h>
#include <wx/stdpaths.h>

wxString buildDateText()
{
    return _("Build date: ") + formatTimestamp(kBuildDateTimestamp, "%Y-%m-%d");
}

wxString licenseFolder(const wxString& executableFolder)
{
    wxFileName folder = wxFileName::DirName(executableFolder);
    folder.AppendDir("data");
    folder.AppendDir("third_party_licenses");
    return folder.GetPath();
}

namespace {
wxString g_licenseFolder;
}

void setLicenseFolder(const wxString& folder) { g_licenseFolder = folder; }

wxString licenseFolder()
{
    if (!g_licenseFolder.empty())
        return g_licenseFolder;
    return licenseFolder(wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath());
}

std::vector<wxFileName> listLicenseFiles(const wxString& folder)
{
    std::vector<wxFileName> files;
    if (!wxDir::Exists(folder))
        return files;
    wxDir dir(folder);
    if (!dir.IsOpened())
        return files;
    wxString name;
    for (bool more = dir.GetFirst(&name, "*.txt", wxDIR_FILES); more; more = dir.GetNext(&name)) {
        const wxFileName file(folder, name);
        if (!file.FileExists())
            break;
        files.push_back(file);
    }
    return files;
}

wxString licenseLabel(const wxFileName& file) { return file.GetName(); }

wxString loadLicenseText(const wxFileName& file)
{
    wxFile in;
    if (!file.FileExists() || !in.Open(file.GetFullPath(), wxFile::read))
        return wxString();
    const wxFileOffset length = in.Length();
    if (length < 0 || static_cast<uint64_t>(length) >= kMaxLicenseFileBytes)
        return wxString();
    wxString text;
    wxConvAuto conv;
    if (!in.ReadAll(&text, conv))
        return wxString();
    return text;
}
