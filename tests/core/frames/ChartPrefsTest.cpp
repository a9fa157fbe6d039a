// The checks and storing rules of the chart page of the preferences.
#include "app/QxChartPrefs.h"
#include "app/QxGlobalVars.h"
#include "app/QxIndicatorRegistry.h"
#include "chart/QxTemplate.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/ffile.h>
#include <wx/filename.h>

namespace {

QxChartPrefValues validValues()
{
    QxChartPrefValues v;
    v.candle = true;
    v.mainZoneHeight = 300;
    v.volmZoneHeight = 80;
    v.indcZoneHeight = 90;
    return v;
}

wxString makeFile(const std::string& name,
                  const char* text = "<TrendoriaTemplate Version=\"2\"><SMA Index=\"0\"/></TrendoriaTemplate>")
{
    QxIndicatorRegistry::instance()->addBuiltInIndicators();
    const wxString path = wxString::FromUTF8(TestSupport::makeTempDir("prefs") + "/" + name);
    wxFFile(path, "w").Write(text);
    return path;
}

} // namespace

TEST(ChartPrefs, ChecksRunInOrderAndNameTheOffendingControl)
{
    struct Case {
        const char* name;
        long main, volm, indc;
        const char* templateFile;
        QxChartPrefField field;
        const char* message;
    };
    const Case cases[] = {
        {"all fine", 1, 1, 1, "", QxChartPrefField::eNone, ""},
        {"main 0", 0, 1, 1, "", QxChartPrefField::eMainZoneHeight, "Incorrect main zone height."},
        {"main negative", -5, 1, 1, "", QxChartPrefField::eMainZoneHeight, "Incorrect main zone height."},
        {"volume 0", 1, 0, 1, "", QxChartPrefField::eVolmZoneHeight, "Incorrect volume zone height."},
        {"indicator 0", 1, 1, 0, "", QxChartPrefField::eIndcZoneHeight, "Incorrect indicator zone height."},
        {"tallest allowed", 10000, 10000, 10000, "", QxChartPrefField::eNone, ""},
        {"main too tall to draw", 10001, 1, 1, "", QxChartPrefField::eMainZoneHeight, "Incorrect main zone height."},
        {"volume too tall", 1, 99999999, 1, "", QxChartPrefField::eVolmZoneHeight, "Incorrect volume zone height."},
        {"first failure wins", 0, 0, 0, "/no/such.trdt", QxChartPrefField::eMainZoneHeight,
         "Incorrect main zone height."},
        {"missing template", 1, 1, 1, "/no/such/file.trdt", QxChartPrefField::eTemplateFile,
         "File '/no/such/file.trdt' is not valid."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QxChartPrefValues v = validValues();
        v.mainZoneHeight = c.main;
        v.volmZoneHeight = c.volm;
        v.indcZoneHeight = c.indc;
        v.templateFile = c.templateFile;
        const QxChartPrefCheck check = checkChartPrefs(v);
        EXPECT_EQ(check.field, c.field);
        EXPECT_EQ(check.message, c.message);
        EXPECT_EQ(check.ok(), c.field == QxChartPrefField::eNone);
    }

    QxChartPrefValues withFile = validValues();
    withFile.templateFile = makeFile("mine.trdt");
    EXPECT_TRUE(checkChartPrefs(withFile).ok());
    // A folder, a damaged file and well-formed XML without indicators are
    // no template files.
    for (const wxString& path : {wxString::FromUTF8(TestSupport::makeTempDir("folder")),
                                 makeFile("cut.trdt", "<TrendoriaTemplate Version=\"2\"><SMA"),
                                 makeFile("other.trdt", "<AlertSettings/>")}) {
        withFile.templateFile = path;
        const QxChartPrefCheck check = checkChartPrefs(withFile);
        EXPECT_EQ(check.field, QxChartPrefField::eTemplateFile) << path;
        EXPECT_EQ(check.message, "File '" + path + "' is not valid.");
    }
}

TEST(ChartPrefs, StoresStyleAndHeights)
{
    struct Case {
        bool candle, bar, line;
        int32_t before, after;
    };
    const Case cases[] = {
        {true, false, false, 1, 3},
        {false, true, false, 3, 2},
        {false, false, true, 3, 1},
        {false, false, false, 2, 2}, // no button set: unchanged
        {false, false, false, 0, 0},
    };
    for (const Case& c : cases) {
        QxGlobalVars vars;
        vars.priceObjType = c.before;
        QxChartPrefValues v = validValues();
        v.candle = c.candle;
        v.bar = c.bar;
        v.line = c.line;
        storeChartPrefs(v, vars);
        EXPECT_EQ(vars.priceObjType, c.after) << c.before;
        EXPECT_EQ(vars.mainZoneHeight, 300);
        EXPECT_EQ(vars.volmZoneHeight, 80);
        EXPECT_EQ(vars.indcZoneHeight, 90);
    }

    // The record's values come back into the page as they were.
    QxGlobalVars vars;
    vars.priceObjType = 2;
    vars.mainZoneHeight = 11;
    vars.volmZoneHeight = 22;
    vars.indcZoneHeight = 33;
    vars.defaultTemplateFileName = "/t/x.trdt";
    const QxChartPrefValues shown = chartPrefsFrom(vars);
    EXPECT_FALSE(shown.candle);
    EXPECT_TRUE(shown.bar);
    EXPECT_FALSE(shown.line);
    EXPECT_EQ(shown.mainZoneHeight, 11);
    EXPECT_EQ(shown.volmZoneHeight, 22);
    EXPECT_EQ(shown.indcZoneHeight, 33);
    EXPECT_EQ(shown.templateFile, "/t/x.trdt");
    vars.priceObjType = 0; // a stored type outside 1-3 sets no button
    const QxChartPrefValues none = chartPrefsFrom(vars);
    EXPECT_FALSE(none.candle || none.bar || none.line);
}

TEST(ChartPrefs, TemplateIsLoadedOnlyWhenItsNameChanges)
{
    QxGlobalVars vars;
    QxChartPrefValues v = validValues();
    const wxString file = makeFile("a.trdt");

    v.templateFile = file;
    EXPECT_TRUE(storeChartPrefs(v, vars)) << "a new template is loaded";
    EXPECT_EQ(vars.defaultTemplateFileName, file);
    ASSERT_TRUE(vars.defaultTemplate);
    EXPECT_EQ(vars.defaultTemplate->numIndics(), 1u) << "loaded at once, for the next new chart";
    const QxTemplate* loaded = vars.defaultTemplate.get();
    EXPECT_FALSE(storeChartPrefs(v, vars)) << "the same file again is not reloaded";
    EXPECT_EQ(vars.defaultTemplate.get(), loaded);

    // The same file named relatively is still the same file.
    const wxString keep = wxGetCwd();
    wxSetWorkingDirectory(wxFileName(file).GetPath());
    v.templateFile = "a.trdt";
    EXPECT_FALSE(storeChartPrefs(v, vars));
    EXPECT_EQ(vars.defaultTemplateFileName, file) << "stored as a full path";
    wxSetWorkingDirectory(keep);

    v.templateFile.clear();
    EXPECT_FALSE(storeChartPrefs(v, vars));
    EXPECT_TRUE(vars.defaultTemplateFileName.empty()) << "an empty field clears the template";
    EXPECT_FALSE(vars.defaultTemplate) << "and releases it";
}
