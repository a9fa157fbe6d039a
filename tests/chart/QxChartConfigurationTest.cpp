// Chart look records: their defaults, their stored form in a real
// configuration file, and the colour, font and pen helpers with their type
// checks.
#include "chart/QxChartConfiguration.h"
#include "core/platform/wxConfigEx.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/filename.h>

#include <memory>

namespace {

wxString freshStoreFile(const char* hint)
{
    return wxFileName(wxString::FromUTF8(TestSupport::makeTempDir(hint).c_str()), "store.conf").GetFullPath();
}

// A record that differs from the defaults in every group.
QxChartAllConfiguration changedRecord()
{
    QxChartAllConfiguration r = defaultChartConfig();
    r.priceObjConfig.tickWidth = 11;
    r.priceObjConfig.lineColor = wxColour(1, 2, 3);
    r.priceObjConfig.candleUpColor = *wxGREEN;
    r.volumeObjConfig.priceDownColor = wxColour(200, 100, 50);
    r.mainZoneConfig.hasTitleStrip = false;
    r.mainZoneConfig.titleFont = wxFont(wxFontInfo(13).Family(wxFONTFAMILY_TELETYPE).Italic().Underlined());
    r.mainZoneConfig.titleAlignment = wxALIGN_LEFT | wxALIGN_TOP;
    r.volumeZoneConfig.hasTitleStrip = true;
    r.volumeZoneConfig.titleBgColor = *wxBLUE;
    r.indicZoneConfig.titleTextColor = wxColour(10, 20, 30);
    r.axisConfig.tickColor = *wxBLUE;
    r.axisConfig.labelFont = wxFont(wxFontInfo(9).FaceName("DejaVu Serif"));
    r.chartConfig.bg = wxColour(250, 250, 240);
    r.chartConfig.borderPen = wxPen(*wxRED, 2, wxPENSTYLE_SHORT_DASH);
    r.chartConfig.axisLocation = QxChartConfiguration::eValueAxisRight |
                                 QxChartConfiguration::eDateAxisUnderEveryZone;
    r.chartConfig.gridPen = wxPen(wxColour(200, 200, 200), 1, wxPENSTYLE_SOLID);
    return r;
}

} // namespace

TEST(QxChartConfiguration, DefaultsAreTheBuiltInLook)
{
    const QxChartAllConfiguration& d = defaultChartConfig();
    EXPECT_EQ(&d, &defaultChartConfig());
    EXPECT_EQ(d.priceObjConfig.tickWidth, 7);
    EXPECT_EQ(d.priceObjConfig.candleUpColor, *wxWHITE);
    EXPECT_EQ(d.priceObjConfig.lineColor, wxColour(0, 0, 160));
    EXPECT_EQ(d.volumeObjConfig.priceUpColor, wxColour(0, 160, 0));
    EXPECT_TRUE(d.mainZoneConfig.hasTitleStrip);
    EXPECT_EQ(d.mainZoneConfig.titleBgColor, wxColour(54, 54, 27));
    EXPECT_EQ(d.mainZoneConfig.titleFont.GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_EQ(d.mainZoneConfig.titleFont.GetPointSize(), wxNORMAL_FONT->GetPointSize());
    EXPECT_EQ(d.mainZoneConfig.titleAlignment, 2304);
    EXPECT_FALSE(d.volumeZoneConfig.hasTitleStrip);
    EXPECT_EQ(d.volumeZoneConfig.titleFont.GetPointSize(), 22);
    EXPECT_EQ(d.indicZoneConfig, d.volumeZoneConfig);
    EXPECT_EQ(d.axisConfig.tickColor, *wxRED);
    EXPECT_EQ(d.chartConfig.axisLocation, 7);
    EXPECT_EQ(d.chartConfig.borderPen, *wxBLACK_PEN);
    EXPECT_EQ(d.chartConfig.gridPen.GetColour(), *wxCYAN);
    EXPECT_EQ(d.chartConfig.gridPen.GetStyle(), wxPENSTYLE_DOT);
}

TEST(QxChartConfiguration, EmptyStoreReadsAsDefaults)
{
    wxConfigEx config(freshStoreFile("chartcfg"));
    QxChartAllConfiguration r = changedRecord();
    readChartConfig(config, r);
    EXPECT_EQ(r, defaultChartConfig());
}

TEST(QxChartConfiguration, RecordRoundTripsThroughTheFile)
{
    const wxString file = freshStoreFile("chartcfg");
    const QxChartAllConfiguration written = changedRecord();
    ASSERT_NE(written, defaultChartConfig());
    {
        wxConfigEx config(file);
        config.SetPath("/some/where");
        writeChartConfig(config, written);
        EXPECT_EQ(config.GetPath(), "/some/where");
        ASSERT_TRUE(config.Flush());
    }
    wxConfigEx config(file);
    EXPECT_EQ(config.ReadLong("/preferences/chart_all_config/price_obj_config/tickWidth", 0), 11);
    EXPECT_EQ(config.GetEntryType("/preferences/chart_all_config/chart_config/gridPen/style"),
              wxConfigBase::Type_Integer);
    EXPECT_EQ(config.GetEntryType("/preferences/chart_all_config/axis_config/labelFont/face"),
              wxConfigBase::Type_String);
    config.SetPath("/other");
    QxChartAllConfiguration back;
    readChartConfig(config, back);
    EXPECT_EQ(config.GetPath(), "/other");
    EXPECT_TRUE(back.priceObjConfig == written.priceObjConfig);
    EXPECT_TRUE(back.volumeObjConfig == written.volumeObjConfig);
    EXPECT_TRUE(back.mainZoneConfig == written.mainZoneConfig)
        << back.mainZoneConfig.titleFont.GetNativeFontInfoDesc() << " / "
        << written.mainZoneConfig.titleFont.GetNativeFontInfoDesc();
    EXPECT_TRUE(back.volumeZoneConfig == written.volumeZoneConfig);
    EXPECT_TRUE(back.indicZoneConfig == written.indicZoneConfig);
    EXPECT_TRUE(back.axisConfig == written.axisConfig)
        << back.axisConfig.labelFont.GetNativeFontInfoDesc() << " / "
        << written.axisConfig.labelFont.GetNativeFontInfoDesc();
    EXPECT_TRUE(back.chartConfig == written.chartConfig);
    EXPECT_TRUE(back.mainZoneConfig.titleFont.GetUnderlined());
    EXPECT_EQ(back.mainZoneConfig.titleFont.GetStyle(), wxFONTSTYLE_ITALIC);
}

TEST(QxChartConfiguration, WrittenRecordBecomesCurrent)
{
    const QxChartAllConfiguration written = changedRecord();
    for (bool loadedBefore : {false, true}) {
        SCOPED_TRACE(loadedBefore ? "loaded before" : "never loaded");
        releaseChartConfigs();
        wxConfigEx config(freshStoreFile("chartcfg"));
        if (loadedBefore) {
            EXPECT_EQ(currentChartConfig(), defaultChartConfig());
        }
        writeChartConfig(config, written);
        EXPECT_EQ(currentChartConfig(), written);
    }
    releaseChartConfigs();
}

// A font stored under "f" in its seven entries, then spoiled by fn.
template <class Fn>
wxFont readSpoiledFont(const wxFont& stored, const wxFont& def, Fn spoil)
{
    wxConfigEx config(freshStoreFile("font"));
    writeConfigFont(config, "f", stored);
    spoil(config);
    return readConfigFont(config, "f", def);
}

TEST(QxChartConfiguration, FontEntriesAreTypeChecked)
{
    const wxFont stored(wxFontInfo(12).Family(wxFONTFAMILY_SWISS).Bold());
    const wxFont def(wxFontInfo(8).Family(wxFONTFAMILY_ROMAN));
    struct Case {
        const char* what;
        void (*spoil)(wxConfigBase&);
        bool givesDefault;
    } cases[] = {
        {"untouched", [](wxConfigBase&) {}, false},
        {"face stored as integer", [](wxConfigBase& c) { c.Write("f/face", 5L); }, true},
        {"encoding 90", [](wxConfigBase& c) { c.Write("f/encoding", 90L); }, true},
        {"encoding 89 is fine", [](wxConfigBase& c) { c.Write("f/encoding", 0L); }, false},
        {"size stored as text", [](wxConfigBase& c) { c.Write("f/size", "12pt"); }, true},
        {"weight missing", [](wxConfigBase& c) { c.DeleteEntry("f/weight"); }, true},
        {"underlined as text", [](wxConfigBase& c) { c.Write("f/underlined", "yes"); }, true},
        {"family out of range", [](wxConfigBase& c) { c.Write("f/family", 4000L); }, true},
        {"size 0", [](wxConfigBase& c) { c.Write("f/size", 0L); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const wxFont back = readSpoiledFont(stored, def, c.spoil);
        EXPECT_EQ(back, c.givesDefault ? def : stored);
    }
    // An integer 1 for "underlined" reads as underlined.
    const wxFont underlined =
        readSpoiledFont(stored, def, [](wxConfigBase& c) { c.Write("f/underlined", 1L); });
    EXPECT_TRUE(underlined.GetUnderlined());
    EXPECT_EQ(underlined.GetPointSize(), 12);
}

TEST(QxChartConfiguration, PenEntriesAreTypeChecked)
{
    const wxPen stored(wxColour(10, 20, 30), 3, wxPENSTYLE_LONG_DASH);
    const wxPen def(*wxGREEN, 1, wxPENSTYLE_SOLID);
    struct Case {
        const char* what;
        void (*spoil)(wxConfigBase&);
        bool givesDefault;
    } cases[] = {
        {"untouched", [](wxConfigBase&) {}, false},
        {"width missing", [](wxConfigBase& c) { c.DeleteEntry("p/width"); }, true},
        {"width as text", [](wxConfigBase& c) { c.Write("p/width", "3px"); }, true},
        {"style as text", [](wxConfigBase& c) { c.Write("p/style", "dashed"); }, true},
        {"colour as integer", [](wxConfigBase& c) { c.Write("p/color", 255L); }, true},
        {"style needing a stipple", [](wxConfigBase& c) { c.Write("p/style", static_cast<long>(wxPENSTYLE_STIPPLE)); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        wxConfigEx config(freshStoreFile("pen"));
        writeConfigPen(config, "p", stored);
        c.spoil(config);
        const wxPen back = readConfigPen(config, "p", def);
        EXPECT_EQ(back, c.givesDefault ? def : stored);
    }
}

TEST(QxChartConfiguration, ColoursAreStoredAsText)
{
    wxConfigEx config(freshStoreFile("colour"));
    const wxColour def(1, 1, 1);
    struct Case {
        wxColour colour;
    } cases[] = {{*wxRED}, {*wxGREEN}, {wxColour(0, 128, 0)}, {wxColour(12, 34, 56)}, {wxColour(0, 0, 160)},
                 {wxColour(1, 2, 3, 128)}};
    for (const auto& c : cases) {
        writeConfigColour(config, "c", c.colour);
        EXPECT_EQ(config.GetEntryType("c"), wxConfigBase::Type_String);
        EXPECT_EQ(readConfigColour(config, "c", def), c.colour) << config.Read("c", wxString());
    }
    EXPECT_EQ(colourToConfigString(wxColour(0, 0, 160)), "rgb(0, 0, 160)");
    EXPECT_EQ(colourToConfigString(*wxRED).Upper(), "RED");
    EXPECT_EQ(colourToConfigString(*wxGREEN), "rgb(0, 255, 0)") << "\"green\" would read back darker";
    config.Write("c", "no such colour");
    EXPECT_EQ(readConfigColour(config, "c", def), def);
    EXPECT_EQ(readConfigColour(config, "missing", def), def);
}
