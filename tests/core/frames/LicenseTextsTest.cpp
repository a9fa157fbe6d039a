// The licence files the about box lists and the build date it shows.
#include "app/QxLicenseTexts.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/ffile.h>
#include <wx/filename.h>

#include <algorithm>
#include <set>

namespace {

void writeBytes(const wxString& path, const std::string& bytes)
{
    wxFFile out(path, "wb");
    ASSERT_TRUE(out.IsOpened());
    ASSERT_EQ(out.Write(bytes.data(), bytes.size()), bytes.size());
}

} // namespace

TEST(LicenseTexts, BuildDateIsTheNinthOfNovember2014)
{
    EXPECT_EQ(buildDateText(), "Build date: 2014-11-09");
}

TEST(LicenseTexts, FolderIsDataThirdPartyLicensesBesideTheExecutable)
{
    EXPECT_EQ(licenseFolder("/opt/trendoria/bin"), "/opt/trendoria/bin/data/third_party_licenses");
    EXPECT_EQ(licenseFolder("/opt/trendoria/bin/"), "/opt/trendoria/bin/data/third_party_licenses");
}

TEST(LicenseTexts, OnlyTextFilesAreListedUnderTheirNames)
{
    const wxString dir = wxString::FromUTF8(TestSupport::makeTempDir("licences"));
    writeBytes(dir + "/Boost.txt", "boost");
    writeBytes(dir + "/read.me", "not a licence");
    writeBytes(dir + "/lib.curl.txt", "curl");
    ASSERT_TRUE(wxFileName::Mkdir(dir + "/folder.txt"));

    std::set<wxString> labels;
    for (const wxFileName& file : listLicenseFiles(dir))
        labels.insert(licenseLabel(file));
    EXPECT_EQ(labels, (std::set<wxString>{"Boost", "lib.curl"}));

    EXPECT_TRUE(listLicenseFiles(dir + "/missing").empty());
}

TEST(LicenseTexts, FilesOfTenKilobytesOrMoreShowNothing)
{
    const wxString dir = wxString::FromUTF8(TestSupport::makeTempDir("sizes"));
    struct Case {
        size_t bytes;
        bool shown;
    };
    for (const Case c : {Case{0, true}, Case{10239, true}, Case{10240, false}, Case{50000, false}}) {
        const wxString path = dir + wxString::Format("/f%zu.txt", c.bytes);
        writeBytes(path, std::string(c.bytes, 'x'));
        const wxString text = loadLicenseText(wxFileName(path));
        EXPECT_EQ(text.length(), c.shown ? c.bytes : 0u) << c.bytes;
    }
    EXPECT_TRUE(loadLicenseText(wxFileName(dir + "/missing.txt")).empty());
}

TEST(LicenseTexts, TextsAreDecodedByByteOrderMarkThenUtf8ThenLatin1)
{
    const wxString dir = wxString::FromUTF8(TestSupport::makeTempDir("enc"));
    const wxString expected = wxString::FromUTF8("Gr\xC3\xBC\xC3\x9F" "e");
    writeBytes(dir + "/utf8.txt", "Gr\xC3\xBC\xC3\x9F" "e");
    writeBytes(dir + "/bom.txt", "\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F" "e");
    writeBytes(dir + "/latin1.txt", "Gr\xFC\xDF" "e");
    writeBytes(dir + "/utf16.txt", std::string("\xFF\xFEG\0r\0\xFC\0\xDF\0e\0", 12));
    for (const char* name : {"utf8.txt", "bom.txt", "latin1.txt", "utf16.txt"})
        EXPECT_EQ(loadLicenseText(wxFileName(dir + "/" + name)), expected) << name;
}

TEST(LicenseTexts, ShippedLicencesAreAllShown)
{
    const wxString folder = licenseFolder(wxString::FromUTF8(TestSupport::binDir()));
    std::set<wxString> labels;
    for (const wxFileName& file : listLicenseFiles(folder)) {
        labels.insert(licenseLabel(file));
        const wxString text = loadLicenseText(file);
        EXPECT_GT(text.length(), 200u) << file.GetFullPath() << " is empty or too long to show";
    }
    EXPECT_EQ(labels, (std::set<wxString>{"Boost", "SQLite", "TA-Lib", "libcurl", "wxWidgets"}));
}
