// The global settings record under "/global/" and the size and date-time
// helpers, through a real configuration file.
#include "app/QxGlobalVars.h"
#include "core/platform/wxConfigEx.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/filename.h>

namespace {

wxString freshStoreFile()
{
    return wxFileName(wxString::FromUTF8(TestSupport::makeTempDir("global").c_str()), "store.conf").GetFullPath();
}

} // namespace

TEST(QxGlobalVars, FreshStoreGivesDefaultsAndWritingStoresEveryKey)
{
    const wxString file = freshStoreFile();
    wxConfigEx config(file);
    QxGlobalVars vars;
    vars.readGlobal(config);
    EXPECT_EQ(vars, QxGlobalVars());
    EXPECT_EQ(vars.priceObjType, 3);
    EXPECT_EQ(vars.gatewayFrameSize, wxSize(-1, 400));
    EXPECT_EQ(vars.chartFrameSize, wxSize(1000, 800));

    config.SetPath("/dlg");
    vars.writeGlobal(config);
    EXPECT_EQ(config.GetPath(), "/dlg");
    config.SetPath("/global");
    const char* keys[] = {"showTooltip", "showLegends", "defaultTemplateFileName", "useDefaultTemplate",
                          "priceObjType", "mainZoneHeight", "volmZoneHeight", "indcZoneHeight",
                          "isGatewayFrameMaximized", "isChartFrameMaximized", "isPnfFrameMaximized",
                          "chartFramePerspective", "stockIdeaFinderFrameMaximized",
                          "simpleSystemTestReportFrameIsMaximized"};
    for (const char* key : keys)
        EXPECT_TRUE(config.HasEntry(key)) << key;
    const char* sizes[] = {"gatewayFrameSize", "chartFrameSize", "pnfFrameSize", "stockIdeaFinderFrameSize",
                           "simpleSystemTestReportFrameSize"};
    for (const char* key : sizes) {
        EXPECT_EQ(config.GetEntryType(wxString(key) + "/x"), wxConfigBase::Type_Integer) << key;
        EXPECT_EQ(config.GetEntryType(wxString(key) + "/y"), wxConfigBase::Type_Integer) << key;
    }
    EXPECT_EQ(config.GetEntryType("showTooltip"), wxConfigBase::Type_Integer);
    EXPECT_EQ(config.GetEntryType("defaultTemplateFileName"), wxConfigBase::Type_String);
}

TEST(QxGlobalVars, ChangedFieldsSurviveTheFile)
{
    const wxString file = freshStoreFile();
    QxGlobalVars written;
    written.showLegends = false;
    written.defaultTemplateFileName = "/nowhere/default.trdt";
    written.priceObjType = 1;
    written.mainZoneHeight = 333;
    written.pnfFrameSize = wxSize(700, 500);
    written.stockIdeaFinderFrameSize = wxSize(900, 600);
    written.isChartFrameMaximized = true;
    written.chartFramePerspective = "layout2|name=toolbar;caption=;state=2";
    {
        wxConfigEx config(file);
        written.writeGlobal(config);
        ASSERT_TRUE(config.Flush());
    }
    wxConfigEx config(file);
    QxGlobalVars back;
    back.readGlobal(config);
    EXPECT_EQ(back, written);
    EXPECT_EQ(config.ReadLong("/global/pnfFrameSize/x", 0), 700);
    EXPECT_EQ(config.ReadLong("/global/stockIdeaFinderFrameSize/y", 0), 600);
}

TEST(QxGlobalVars, BadStoredValuesKeepTheField)
{
    wxConfigEx config(freshStoreFile());
    config.SetPath("/global");
    config.Write("priceObjType", 9L);
    config.Write("mainZoneHeight", "tall");
    config.Write("showTooltip", "no");
    config.Write("useDefaultTemplate", 0L);
    config.SetPath("/");
    QxGlobalVars vars;
    vars.readGlobal(config);
    EXPECT_EQ(vars.priceObjType, 3);
    EXPECT_EQ(vars.mainZoneHeight, 400);
    EXPECT_TRUE(vars.showTooltip);
    EXPECT_FALSE(vars.useDefaultTemplate) << "the keys after the bad ones are still read";
}

TEST(QxGlobalVars, SizeAndDateTimeHelpers)
{
    wxConfigEx config(freshStoreFile());
    writeConfigSize(config, "dlg/export", wxSize(640, 480));
    EXPECT_EQ(readConfigSize(config, "dlg/export", wxSize(1, 2)), wxSize(640, 480));
    EXPECT_EQ(readConfigSize(config, "dlg/other", wxSize(1, 2)), wxSize(1, 2));
    config.DeleteEntry("dlg/export/y");
    EXPECT_EQ(readConfigSize(config, "dlg/export", wxSize(1, 2)), wxSize(640, 2));

    const wxDateTime def(1, wxDateTime::Jan, 2000, 0, 0, 0);
    const wxDateTime when(7, wxDateTime::Mar, 2014, 15, 4, 5);
    writeConfigDateTime(config, "/last_update_check/timestamp", when);
    EXPECT_EQ(config.Read("/last_update_check/timestamp", wxString()), "2014-03-07T15:04:05");
    EXPECT_EQ(readConfigDateTime(config, "/last_update_check/timestamp", def), when);
    EXPECT_EQ(readConfigDateTime(config, "/missing", def), def);
    config.Write("/empty", "");
    EXPECT_EQ(readConfigDateTime(config, "/empty", def), def);
    config.Write("/bad", "7 March 2014");
    EXPECT_FALSE(readConfigDateTime(config, "/bad", def).IsValid());
    config.Write("/space", "2014-03-07 15:04:05");
    EXPECT_FALSE(readConfigDateTime(config, "/space", def).IsValid()) << "the separator is T";
}

TEST(QxGlobalVars, OneRecordPerProcess)
{
    QxGlobalVars& vars = QxGlobalVars::get();
    EXPECT_EQ(&vars, &QxGlobalVars::get());
    vars.mainZoneHeight = 321;
    EXPECT_EQ(QxGlobalVars::get().mainZoneHeight, 321);
    vars = QxGlobalVars();
}
