// Bounded reading of XML files from a user's disk.
#include "core/QxXmlFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/dir.h>
#include <wx/stream.h>
#include <wx/xml/xml.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

TEST(QxXmlFile, NestingDepthIgnoresWhatIsNotAnElement)
{
    const struct {
        const char* text;
        int depth;
    } cases[] = {
        {"<a/>", 1},
        {"<a><b><c/></b></a>", 3},
        {"<?xml version=\"1.0\"?><!-- <x><y><z> --><a x=\"<b><c>\" y='/>'><![CDATA[<d><e>]]></a>", 1},
        {"<!DOCTYPE a [<!ELEMENT a ANY>]><a><b></b><b/></a>", 2},
        {"<a><b><c><d>", 4}, // cut short: what is open counts
    };
    for (const auto& c : cases)
        EXPECT_EQ(qxXmlNestingDepth(c.text, std::strlen(c.text), 10), c.depth) << c.text;
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    EXPECT_EQ(qxXmlNestingDepth(deep.data(), deep.size(), 10), 11) << "stops past the limit";
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
        EXPECT_EQ(why, "Writing the file failed; the disk may be full.") << space;
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
    EXPECT_TRUE(why.StartsWith("Nothing can be written in the folder")) << why;
    EXPECT_FALSE(qxWriteFileReplacing(wxString::FromUTF8(dir), [](wxOutputStream&) { return true; }, &why));
    EXPECT_EQ(why, "It is a folder, not a file.");
}
