// The configuration bag: normalised keys, every kind of value through a real
// configuration file, nested bags, and groups that cannot be used.
#include "app/QxCab.h"
#include "core/QxErrorCode.h"
#include "core/platform/wxConfigEx.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/filename.h>

namespace {

wxString freshStoreFile()
{
    return wxFileName(wxString::FromUTF8(TestSupport::makeTempDir("cab").c_str()), "store.conf").GetFullPath();
}

} // namespace

TEST(QxCab, KeysAreNormalised)
{
    QxObjectSmartPtr<QxCab> bag(new QxCab);
    EXPECT_EQ(QxCab::normaliseKey("data-path 2"), "DATAPATH2");
    EXPECT_EQ(QxCab::normaliseKey(wxString::FromUTF8("gr\xc3\xb6\xc3\x9f" "e_x")), wxString::FromUTF8("GR\xc3\x96\xc3\x9f" "EX"));
    EXPECT_EQ(bag->add("data-path", "/tmp/a"), eNoError);
    EXPECT_EQ(bag->add("DATAPATH", "/tmp/b"), eKeyAlreadyPresent);
    EXPECT_EQ(bag->add("Data Path", 3), eKeyAlreadyPresent);
    EXPECT_EQ(bag->add("--", 3), eInvalidInput);
    EXPECT_EQ(bag->add("nested", static_cast<QxCab*>(nullptr)), eInvalidInput);
    wxString kept;
    EXPECT_EQ(bag->get("data_path", kept), eNoError);
    EXPECT_EQ(kept, "/tmp/a");
    int wrongKind = 0;
    EXPECT_EQ(bag->get("data path", wrongKind), eValueStoredIsOfDifferentType);
    EXPECT_EQ(bag->get("other", kept), eKeyNotPresent);
    EXPECT_EQ(bag->count(), 1u);
}

TEST(QxCab, EveryKindRoundTripsThroughTheFile)
{
    const wxString file = freshStoreFile();
    const wxFont font(wxFontInfo(11).Family(wxFONTFAMILY_MODERN).Italic().Bold());
    const wxPen pen(wxColour(10, 200, 30), 3, wxPENSTYLE_DOT_DASH);
    const wxBrush brush(wxColour(1, 2, 3), wxBRUSHSTYLE_CROSSDIAG_HATCH);
    {
        QxObjectSmartPtr<QxCab> bag(new QxCab);
        ASSERT_EQ(bag->add("text", "42"), eNoError); // text that looks like a number stays text
        ASSERT_EQ(bag->add("int", -7), eNoError);
        ASSERT_EQ(bag->add("long", 123456789L), eNoError);
        ASSERT_EQ(bag->add("double", 2.5), eNoError);
        ASSERT_EQ(bag->add("whole double", 3.0), eNoError);
        ASSERT_EQ(bag->add("colour", wxColour(12, 34, 56)), eNoError);
        ASSERT_EQ(bag->add("font", font), eNoError);
        ASSERT_EQ(bag->add("pen", pen), eNoError);
        ASSERT_EQ(bag->add("brush", brush), eNoError);
        ASSERT_EQ(bag->add("bool", true), eNoError);
        ASSERT_EQ(bag->add("u16", static_cast<uint16_t>(65535)), eNoError);
        QxObjectSmartPtr<QxCab> inner(new QxCab);
        ASSERT_EQ(inner->add("user", "corvane"), eNoError);
        ASSERT_EQ(inner->add("port", 8080), eNoError);
        ASSERT_EQ(bag->add("nested", inner.get()), eNoError);
        EXPECT_EQ(inner->numRefs(), 2);

        wxConfigEx config(file);
        config.SetPath("/elsewhere");
        bag->save(config, "/app/db/default_extra_param");
        EXPECT_EQ(config.GetPath(), "/elsewhere");
        EXPECT_EQ(config.ReadLong("/app/db/default_extra_param/NESTED/type", -1), QxCab::eCab);
        EXPECT_EQ(config.Read("/app/db/default_extra_param/NESTED/value/USER/value", wxString()), "corvane");
        ASSERT_TRUE(config.Flush());
    }
    wxConfigEx config(file);
    QxObjectSmartPtr<QxCab> back(new QxCab);
    config.SetPath("/app");
    back->load(config, "db/default_extra_param"); // relative to the current path
    EXPECT_EQ(config.GetPath(), "/app");
    EXPECT_EQ(back->count(), 12u);

    const struct {
        const char* key;
        int kind;
    } kinds[] = {{"text", QxCab::eText},     {"int", QxCab::eInt},     {"long", QxCab::eLong},
                 {"double", QxCab::eDouble}, {"wholedouble", QxCab::eDouble},
                 {"colour", QxCab::eColour}, {"font", QxCab::eFont},   {"pen", QxCab::ePen},
                 {"brush", QxCab::eBrush},   {"bool", QxCab::eBool},   {"u16", QxCab::eUInt16},
                 {"nested", QxCab::eCab}};
    for (const auto& k : kinds)
        EXPECT_EQ(back->kind(k.key), k.kind) << k.key;

    wxString s;
    int i = 0;
    long l = 0;
    double d = 0;
    wxColour c;
    wxFont f;
    wxPen p;
    wxBrush b;
    bool flag = false;
    uint16_t u = 0;
    QxObjectSmartPtr<QxCab> nested;
    EXPECT_EQ(back->get("text", s), eNoError);
    EXPECT_EQ(s, "42");
    EXPECT_EQ(back->get("int", i), eNoError);
    EXPECT_EQ(i, -7);
    EXPECT_EQ(back->get("long", l), eNoError);
    EXPECT_EQ(l, 123456789L);
    EXPECT_EQ(back->get("double", d), eNoError);
    EXPECT_EQ(d, 2.5);
    EXPECT_EQ(back->get("whole double", d), eNoError);
    EXPECT_EQ(d, 3.0);
    EXPECT_EQ(back->get("colour", c), eNoError);
    EXPECT_EQ(c, wxColour(12, 34, 56));
    EXPECT_EQ(back->get("font", f), eNoError);
    EXPECT_EQ(f, font);
    EXPECT_EQ(back->get("pen", p), eNoError);
    EXPECT_EQ(p, pen);
    EXPECT_EQ(back->get("brush", b), eNoError);
    EXPECT_EQ(b, brush);
    EXPECT_EQ(back->get("bool", flag), eNoError);
    EXPECT_TRUE(flag);
    EXPECT_EQ(back->get("u16", u), eNoError);
    EXPECT_EQ(u, 65535);
    ASSERT_EQ(back->get("nested", nested), eNoError);
    ASSERT_TRUE(nested);
    EXPECT_EQ(nested->count(), 2u);
    EXPECT_EQ(nested->get("user", s), eNoError);
    EXPECT_EQ(s, "corvane");
    EXPECT_EQ(nested->get("port", i), eNoError);
    EXPECT_EQ(i, 8080);
}

TEST(QxCab, UnusableGroupsAreSkipped)
{
    wxConfigEx config(freshStoreFile());
    config.Write("/bag/GOOD/type", 1L);
    config.Write("/bag/GOOD/value", 5L);
    config.Write("/bag/NOTYPE/value", 5L);
    config.Write("/bag/ELEVEN/type", 11L);
    config.Write("/bag/ELEVEN/value", 5L);
    config.Write("/bag/NEGATIVE/type", -1L);
    config.Write("/bag/TEXTTYPE/type", "1");
    config.Write("/bag/TEXTTYPE/value", 5L);
    config.Write("/bag/GO_OD/type", 0L); // normalises onto GOOD: the first value stays
    config.Write("/bag/GO_OD/value", "x");
    config.Write("/bag/WIDE/type", 9L);
    config.Write("/bag/WIDE/value", 70000L); // the low 16 bits are kept
    config.Write("/bag/BADBRUSH/type", 7L);
    config.Write("/bag/BADBRUSH/value/color", "red");
    config.Write("/bag/BADBRUSH/value/style", "solid"); // wrong type: default brush
    QxObjectSmartPtr<QxCab> bag(new QxCab);
    bag->load(config, "/bag");
    EXPECT_EQ(bag->count(), 3u);
    // Of two groups naming one key, the one the store enumerates first wins.
    wxString first;
    long index = 0;
    config.SetPath("/bag");
    for (bool more = config.GetFirstGroup(first, index); more; more = config.GetNextGroup(first, index))
        if (first == "GOOD" || first == "GO_OD")
            break;
    config.SetPath("/");
    EXPECT_EQ(bag->kind("good"), first == "GOOD" ? QxCab::eInt : QxCab::eText) << first;
    EXPECT_EQ(bag->kind("notype"), -1);
    EXPECT_EQ(bag->kind("eleven"), -1);
    EXPECT_EQ(bag->kind("texttype"), -1);
    uint16_t wide = 0;
    EXPECT_EQ(bag->get("wide", wide), eNoError);
    EXPECT_EQ(wide, 70000 & 0xFFFF);
    wxBrush brush(*wxRED);
    EXPECT_EQ(bag->get("badbrush", brush), eNoError);
    EXPECT_FALSE(brush.IsOk());

    QxObjectSmartPtr<QxCab> none(new QxCab);
    none->load(config, "/no/such/bag");
    EXPECT_EQ(none->count(), 0u);
    EXPECT_FALSE(config.HasGroup("/no")) << "loading creates nothing";
}

TEST(QxCab, EmptyBagWritesNothing)
{
    const wxString file = freshStoreFile();
    wxConfigEx config(file);
    QxObjectSmartPtr<QxCab> bag(new QxCab);
    bag->save(config, "/app/db/default_extra_param");
    EXPECT_FALSE(config.HasGroup("/app"));
    EXPECT_EQ(config.GetNumberOfGroups(true), 0u);
}

TEST(QxCab, BrushHelpersCheckEntryTypes)
{
    wxConfigEx config(freshStoreFile());
    const wxBrush def(*wxGREEN, wxBRUSHSTYLE_SOLID);
    const wxBrush stored(wxColour(9, 8, 7), wxBRUSHSTYLE_HORIZONTAL_HATCH);
    writeConfigBrush(config, "b", stored);
    EXPECT_EQ(config.GetEntryType("b/color"), wxConfigBase::Type_String);
    EXPECT_EQ(config.GetEntryType("b/style"), wxConfigBase::Type_Integer);
    EXPECT_EQ(readConfigBrush(config, "b", def), stored);
    EXPECT_EQ(readConfigBrush(config, "missing", def), def);
    config.Write("b/style", "106");
    EXPECT_EQ(readConfigBrush(config, "b", def), def) << "style stored as text";
    config.Write("b/style", 106L);
    config.Write("b/color", 255L);
    EXPECT_EQ(readConfigBrush(config, "b", def), def) << "colour stored as integer";
    config.Write("b/color", "blue");
    config.Write("b/style", 9999L);
    EXPECT_EQ(readConfigBrush(config, "b", def), def) << "no such style";
}
