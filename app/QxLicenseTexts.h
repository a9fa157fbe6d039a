#pragma once
// The licence texts of the libraries the program uses: one "*.txt" file per
// library in "data/third_party_licenses" beside the executable, and the
// build date the about box shows. Decided without a window.
#include <wx/filename.h>
#include <wx/string.h>

#include <cstdint>
#include <vector>

// Files this long or longer are not shown (their page stays empty).
constexpr uint64_t kMaxLicenseFileBytes = 10240;

// The packed timestamp of this build's date: 9 November 2014, midnight.
constexpr int64_t kBuildDateTimestamp = 20141109000000000LL;

// "Build date: " followed by the build date as "%Y-%m-%d".
wxString buildDateText();

// The folder of the executable plus "data" plus "third_party_licenses",
// unless replaced (tests replace it); an empty folder restores the default.
wxString licenseFolder();
void setLicenseFolder(const wxString& folder);
wxString licenseFolder(const wxString& executableFolder);

// The "*.txt" files of folder (files only) in the order the file system
// returns them; empty when the folder is missing.
std::vector<wxFileName> listLicenseFiles(const wxString& folder);

// The page label of a licence file: its name without folder and extension.
wxString licenseLabel(const wxFileName& file);

// The text of the file through automatic conversion (byte-order mark, else
// UTF-8, else the fallback encoding); empty when the file cannot be read or
// is kMaxLicenseFileBytes long or longer.
wxString loadLicenseText(const wxFileName& file);
