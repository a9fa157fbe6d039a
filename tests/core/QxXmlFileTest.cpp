// Bounded reading of XML files from a user's disk.
#include "core/QxXmlFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/dir.h>
#include <wx/stream.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

// Only what the parser takes for elements counts; markup it reads as
// something else counts for nothing, whatever it looks like.
TEST(QxXmlFile, DepthIsWhatTheParserBuilds)
{
    const QxXmlLimits limits = {1u << 20, 3};
    const struct {
        const char* text;
        bool read;
    } cases[] = {
        {"<a/>", true},
        {"<a><b><c/></b></a>", true},
        {"<a><b><c><d/></c></b></a>", false},
        {"<?xml version=\"1.0\"?><!-- <x><y><z> --><a x=\"&lt;b>&lt;c>\" y='/>'><![CDATA[<d><e><f>]]>"
         "<?pi <g><h><i><j> ?></a>",
         true},
        {"<a><b><c></c></b><b><c/></b></a>", true},
        {"<a><b><c><d>", false}, // cut short
    };
    for (const auto& c : cases) {
        wxXmlDocument doc;
        wxString why;
        EXPECT_EQ(qxParseXml(c.text, std::strlen(c.text), doc, limits, wxString(), &why) == QxXmlRead::eRead,
                  c.read)
            << c.text << " " << why;
    }
}

// Markup hidden from a textual scan, 200,000 levels deep: refused before a
// tree exists (building or freeing one that deep runs out of stack), with a
// reason. A document type is refused even when harmless: no file of the
// program has one.
TEST(QxXmlFile, HiddenNestingAndDocumentTypesAreRefused)
{
    const QxXmlLimits limits = {64u << 20, 256};
    for (const TestSupport::HiddenDeepXml& hostile : TestSupport::hiddenDeepXml("Root")) {
        wxXmlDocument doc;
        wxString why;
        EXPECT_EQ(qxParseXml(hostile.text.data(), hostile.text.size(), doc, limits, "Root", &why),
                  QxXmlRead::eDamaged)
            << hostile.kind;
        EXPECT_FALSE(why.empty()) << hostile.kind;
        EXPECT_EQ(doc.GetRoot(), nullptr) << hostile.kind;
    }
    const std::string doctype = "<!DOCTYPE Root [<!ELEMENT Root ANY>]><Root/>";
    wxXmlDocument doc;
    wxString why;
    EXPECT_EQ(qxParseXml(doctype.data(), doctype.size(), doc, limits, "Root", &why), QxXmlRead::eDamaged);
    EXPECT_TRUE(why.Contains("document type")) << why;
    std::string deep;
    for (int i = 0; i < 300; ++i)
        deep += "<a>";
    EXPECT_EQ(qxParseXml(deep.data(), deep.size(), doc, limits, wxString(), &why), QxXmlRead::eDamaged);
    EXPECT_TRUE(why.Contains("256")) << why;
}

TEST(QxXmlFile, LoadRefusesWhatItsReaderCannotHold)
{
    const std::string dir = TestSupport::makeTempDir("xmlfile");
    const QxXmlLimits limits = {100, 3};
    const struct {
        const char* text;
        QxXmlRead result;
    } cases[] = {
        {"<Root><a><b/></a></Root>", QxXmlRead::eRead},
        {"<Root><a><b><c/></b></a></Root>", QxXmlRead::eDamaged},
        {"<Root><a>", QxXmlRead::eDamaged},
        {"<Other/>", QxXmlRead::eDamaged},
        {"<Root></Root>", QxXmlRead::eDamaged}, // padded past 100 bytes below
    };
    for (const auto& c : cases) {
        const std::string path = dir + "/file.xml";
        std::string text = c.text;
        if (text == "<Root></Root>")
            text.insert(6, 120, ' ');
        std::ofstream(path, std::ios::binary) << text;
        wxXmlDocument doc;
        wxString why;
        EXPECT_EQ(qxLoadXmlFile(path, doc, limits, "Root", &why), c.result) << c.text;
        EXPECT_EQ(why.empty(), c.result == QxXmlRead::eRead) << c.text;
        EXPECT_EQ(doc.GetRoot() != nullptr, c.result == QxXmlRead::eRead) << c.text;
    }
    wxXmlDocument doc;
    EXPECT_EQ(qxLoadXmlFile(dir + "/none.xml", doc, limits, "Root", nullptr), QxXmlRead::eMissing);
    wxString why;
    EXPECT_EQ(qxLoadXmlFile(dir, doc, limits, "Root", &why), QxXmlRead::eDamaged) << "a folder";
}

namespace {

std::set<std::string> namesIn(const std::string& dir)
{
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.insert(e.path().filename().string());
    return names;
}

// Runs a write of path in a child process that is killed in the middle of
// it, as the program is when a user stops a write that takes too long.
void killedWrite(const wxString& path)
{
    const pid_t child = ::fork();
    if (child == 0) {
        (void)qxWriteFileReplacing(path, [](wxOutputStream& out) {
            out.Write("<Systems>", 9);
            ::kill(::getpid(), SIGKILL);
            return true;
        });
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
}

bool isTemporaryName(const std::string& name)
{
    return name.rfind(".index.xml.", 0) == 0 && name.size() == std::strlen(".index.xml.") + 6;
}

} // namespace

// A write stopped between making its temporary file and renaming it leaves
// that file behind; the next read or write of the same file removes it, but
// never a temporary file a running write still holds, nor other names.
TEST(QxXmlFile, WhatAnInterruptedWriteLeftIsRemoved)
{
    const std::string dir = TestSupport::makeTempDir("leftovers");
    const wxString path = wxString::FromUTF8(dir + "/index.xml");
    ASSERT_TRUE(qxSaveBytesFile("<Systems/>", path));
    std::ofstream(dir + "/.index.xml.notours") << "x";
    std::ofstream(dir + "/index.xml.bak") << "x";
    const std::set<std::string> kept = {"index.xml", ".index.xml.notours", "index.xml.bak"};

    killedWrite(path);
    std::set<std::string> names = namesIn(dir);
    ASSERT_EQ(names.size(), kept.size() + 1) << "the killed write left its temporary file";
    wxXmlDocument doc;
    EXPECT_EQ(qxLoadXmlFile(path, doc, {1u << 20, 4}, "Systems", nullptr), QxXmlRead::eRead);
    EXPECT_EQ(namesIn(dir), kept) << "reading removed it";

    killedWrite(path);
    killedWrite(path);
    bool ran = false;
    EXPECT_TRUE(qxWriteFileReplacing(path, [&](wxOutputStream& out) {
        ran = true;
        // Ours is the one temporary file left while we write, and a clean-up
        // now leaves it alone.
        qxRemoveLeftoverTemporaryFiles(path);
        names = namesIn(dir);
        EXPECT_EQ(std::count_if(names.begin(), names.end(), isTemporaryName), 1);
        return out.WriteAll("<Systems><S/></Systems>", 23);
    }));
    EXPECT_TRUE(ran);
    EXPECT_EQ(namesIn(dir), kept);
    EXPECT_EQ(qxLoadXmlFile(path, doc, {1u << 20, 4}, "Systems", nullptr), QxXmlRead::eRead);
    EXPECT_NE(doc.GetRoot()->GetChildren(), nullptr) << "the write went through";
}

// A write that cannot finish (a full disk stood in for) says why, keeps the
// file that was there and leaves no temporary file; so does a folder that
// cannot be written into.
TEST(QxXmlFile, AFailedWriteSaysWhyAndKeepsTheOldFile)
{
    const std::string dir = TestSupport::makeTempDir("replace");
    const wxString path = wxString::FromUTF8(dir + "/kept.xml");
    ASSERT_TRUE(qxSaveBytesFile("old contents", path));
    const std::string bigger(5000, 'x');
    for (long long space : {0LL, 10LL, 4999LL}) {
        qxSetWriteSpaceForTests(space);
        wxString why;
        EXPECT_FALSE(qxWriteFileReplacing(
            path, [&bigger](wxOutputStream& out) { return out.WriteAll(bigger.data(), bigger.size()); }, &why))
            << space;
        qxSetWriteSpaceForTests(-1);
        EXPECT_EQ(why, "writing the file failed (No space left on device)") << space;
        std::ifstream in(dir + "/kept.xml");
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old contents") << space;
    }
    wxArrayString files;
    wxDir::GetAllFiles(wxString::FromUTF8(dir), &files, "*", wxDIR_FILES | wxDIR_HIDDEN);
    EXPECT_EQ(files.size(), 1u);

    wxString why;
    EXPECT_FALSE(qxSaveBytesFile("x", wxString::FromUTF8(dir + "/missing/x.xml")));
    EXPECT_FALSE(qxWriteFileReplacing(
        wxString::FromUTF8(dir + "/missing/x.xml"), [](wxOutputStream&) { return true; }, &why));
    EXPECT_EQ(why, "no file can be made in the folder \"" + wxString::FromUTF8(dir) + "/missing\" (No such file or "
                   "directory)");
    EXPECT_FALSE(qxWriteFileReplacing(wxString::FromUTF8(dir), [](wxOutputStream&) { return true; }, &why));
    EXPECT_EQ(why, "there is a folder of that name");
}
