// The typed configuration store: values and their entry types survive a real
// file, hand-written files read as one would expect, and the machine-wide
// file is a read-only fallback.
#include "core/platform/wxConfigEx.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>

#include <limits>
#include <memory>
#include <vector>

namespace {

wxString fileIn(const std::string& dir, const char* name)
{
    return wxFileName(wxString::FromUTF8(dir.c_str()), name).GetFullPath();
}

wxString readFile(const wxString& path)
{
    wxString text;
    wxFFile f(path, "r");
    if (f.IsOpened())
        f.ReadAll(&text);
    return text;
}

void writeFile(const wxString& path, const wxString& text)
{
    wxFFile f(path, "w");
    ASSERT_TRUE(f.IsOpened());
    ASSERT_TRUE(f.Write(text));
}

} // namespace

TEST(wxConfigEx, ValuesAndTypesSurviveTheFile)
{
    const wxString file = fileIn(TestSupport::makeTempDir("cfg"), "store.conf");
    struct TextCase {
        const char* key;
        wxString value;
    };
    const TextCase texts[] = {
        {"plain", "Sans Bold"},   {"numeric", "42"},        {"negative", "-7"},
        {"marked", "'quoted"},    {"twoMarks", "''"},       {"empty", ""},
        {"spaces", "  padded  "}, {"dollar", "$HOME/x"},    {"multi", "a\nb\tc"},
        {"spacedNumber", " 12 "}, {"unicode", wxString::FromUTF8("Gr\xc3\xbc\xc3\x9f" "e")},
    };
    {
        wxConfigEx config(file);
        for (const auto& t : texts)
            config.Write(t.key, t.value);
        config.Write("int", 3L);
        config.Write("minLong", std::numeric_limits<long>::min());
        config.Write("flag", true);
        config.Write("off", false);
        config.Write("whole", 3.0);
        config.Write("fraction", 0.1);
        config.Write("huge", 1e300);
        config.Write("group/sub/deep", 5L);
        ASSERT_TRUE(config.Flush());
    }
    wxConfigEx config(file);
    for (const auto& t : texts) {
        SCOPED_TRACE(t.key);
        wxString back;
        EXPECT_TRUE(config.Read(t.key, &back));
        EXPECT_EQ(back, t.value);
        EXPECT_EQ(config.GetEntryType(t.key), wxConfigBase::Type_String);
        long asInt = -99;
        EXPECT_FALSE(config.Read(t.key, &asInt)) << "a string entry is no integer";
        EXPECT_EQ(asInt, -99);
    }
    EXPECT_EQ(config.GetEntryType("int"), wxConfigBase::Type_Integer);
    EXPECT_EQ(config.ReadLong("int", 0), 3);
    EXPECT_EQ(config.ReadLong("minLong", 0), std::numeric_limits<long>::min());
    EXPECT_EQ(config.GetEntryType("flag"), wxConfigBase::Type_Integer);
    EXPECT_TRUE(config.ReadBool("flag", false));
    EXPECT_FALSE(config.ReadBool("off", true));
    EXPECT_EQ(config.GetEntryType("whole"), wxConfigBase::Type_String);
    EXPECT_EQ(config.ReadDouble("whole", 0.0), 3.0);
    EXPECT_EQ(config.ReadDouble("fraction", 0.0), 0.1);
    EXPECT_EQ(config.ReadDouble("huge", 0.0), 1e300);
    EXPECT_EQ(config.ReadLong("group/sub/deep", 0), 5);
    EXPECT_EQ(config.GetEntryType("missing"), wxConfigBase::Type_Unknown);
    EXPECT_EQ(config.ReadLong("missing", 17), 17);

    // The file stays readable: integers as digits, strings as written except
    // where they would be mistaken for an integer.
    const wxString text = readFile(file);
    EXPECT_NE(text.Find("int=3"), wxNOT_FOUND) << text;
    EXPECT_NE(text.Find("plain=Sans Bold"), wxNOT_FOUND) << text;
    EXPECT_NE(text.Find("numeric='42"), wxNOT_FOUND) << text;
}

TEST(wxConfigEx, HandWrittenFileReadsAsExpected)
{
    const wxString file = fileIn(TestSupport::makeTempDir("cfg"), "hand.conf");
    writeFile(file, "width = 2\nface=Sans\nsigned=-15\nplus=+4\nmixed=12px\nforced='7\n"
                    "ratio=1.5\nbool=1\n[pen]\nstyle=101\n");
    wxConfigEx config(file);
    struct Case {
        const char* key;
        wxConfigBase::EntryType type;
    } cases[] = {
        {"width", wxConfigBase::Type_Integer}, {"face", wxConfigBase::Type_String},
        {"signed", wxConfigBase::Type_Integer}, {"plus", wxConfigBase::Type_Integer},
        {"mixed", wxConfigBase::Type_String},  {"forced", wxConfigBase::Type_String},
        {"ratio", wxConfigBase::Type_String},  {"bool", wxConfigBase::Type_Integer},
        {"pen/style", wxConfigBase::Type_Integer},
    };
    for (const auto& c : cases)
        EXPECT_EQ(config.GetEntryType(c.key), c.type) << c.key;
    EXPECT_EQ(config.ReadLong("width", 0), 2);
    EXPECT_EQ(config.ReadLong("signed", 0), -15);
    EXPECT_EQ(config.ReadLong("plus", 0), 4);
    EXPECT_EQ(config.Read("forced", wxString()), "7");
    EXPECT_EQ(config.ReadLong("mixed", -1), -1);
    EXPECT_DOUBLE_EQ(config.ReadDouble("ratio", 0.0), 1.5);
    EXPECT_TRUE(config.ReadBool("bool", false));
}

TEST(wxConfigEx, MachineWideFileIsAReadOnlyFallback)
{
    const std::string dir = TestSupport::makeTempDir("cfg");
    const wxString global = fileIn(dir, "global.conf"), local = fileIn(dir, "local.conf");
    const wxString globalText = "shared=from machine\noverridden=1\n[dlg]\nwidth=640\n";
    writeFile(global, globalText);
    writeFile(local, "overridden=2\n");
    {
        wxConfigEx config(local, global);
        EXPECT_EQ(config.Read("shared", wxString()), "from machine");
        EXPECT_EQ(config.ReadLong("overridden", 0), 2);
        EXPECT_EQ(config.ReadLong("dlg/width", 0), 640);
        config.Write("added", 9L);
        config.Write("dlg/width", 800L);
        ASSERT_TRUE(config.Flush());
    }
    EXPECT_EQ(readFile(global), globalText) << "the machine-wide file is never written";
    const wxString localText = readFile(local);
    EXPECT_EQ(localText.Find("shared"), wxNOT_FOUND) << localText;
    wxConfigEx again(local, global);
    EXPECT_EQ(again.ReadLong("added", 0), 9);
    EXPECT_EQ(again.ReadLong("dlg/width", 0), 800);
    EXPECT_EQ(again.Read("shared", wxString()), "from machine");
}

TEST(wxConfigEx, PathGuardRestoresThePath)
{
    wxConfigEx config(fileIn(TestSupport::makeTempDir("cfg"), "path.conf"));
    config.SetPath("/app/db");
    {
        QxConfigPathGuard guard(config);
        config.SetPath("/global");
        config.Write("x", 1L);
    }
    EXPECT_EQ(config.GetPath(), "/app/db");
    EXPECT_EQ(config.ReadLong("/global/x", 0), 1);
}

TEST(wxConfigEx, ApplicationStoreIsInstalledOnce)
{
    wxConfigEx& first = wxConfigEx::get();
    EXPECT_EQ(&first, &wxConfigEx::get());
    EXPECT_EQ(wxConfigBase::Get(false), &first);
    first.Write("/probe", 1L);
    EXPECT_EQ(first.GetEntryType("/probe"), wxConfigBase::Type_Integer);
    first.DeleteEntry("/probe");
}

TEST(wxConfigEx, AFolderAtTheFilesPathIsLeftAloneWithNothingBesideIt)
{
    const std::string dir = TestSupport::makeTempDir("config-folder");
    const std::string folder = dir + "/settings.ini";
    ASSERT_TRUE(wxFileName::Mkdir(folder));
    {
        wxConfigEx config(folder);
        config.Write("/a/b", 1L);
        EXPECT_FALSE(config.Flush());
        config.Write("/a/c", 2L);
    } // the destructor writes no more than Flush
    wxDir listing(dir);
    wxString name;
    std::vector<wxString> names;
    for (bool more = listing.GetFirst(&name); more; more = listing.GetNext(&name))
        names.push_back(name);
    EXPECT_EQ(names, std::vector<wxString>{"settings.ini"});
    EXPECT_TRUE(wxFileName::DirExists(folder));
}
