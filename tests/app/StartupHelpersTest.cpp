// The first-launch flag and the schedule of the automatic update check.
#include "app/QxApplication.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct Store {
    Store() : path(TestSupport::makeTempDir("store") + "/settings.ini"), config(path) {}
    std::string path;
    wxConfigEx config;
};

} // namespace

TEST(StartupHelpers, OnlyTheFirstLaunchIsAFirstLaunch)
{
    Store store;
    EXPECT_TRUE(QxApplication::markFirstLaunch(store.config));
    EXPECT_EQ(store.config.GetEntryType("/first_time_launch"), wxConfigBase::Type_Integer);
    EXPECT_FALSE(store.config.ReadBool("/first_time_launch", true));
    EXPECT_FALSE(QxApplication::markFirstLaunch(store.config));
}

TEST(StartupHelpers, UpdateCheckRunsEveryElevenDays)
{
    const wxDateTime now(15, wxDateTime::Mar, 2014, 10, 30, 0);
    const wxString nowText = now.FormatISOCombined('T');
    struct Case {
        const char* name;
        bool hasEntry;
        wxString stored;
        QxApplication::UpdateSchedule expected;
    };
    const Case cases[] = {
        {"no entry", false, "", QxApplication::UpdateSchedule::eFirstRecorded},
        {"10 days", true, (now - wxDateSpan::Days(10)).FormatISOCombined('T'), QxApplication::UpdateSchedule::eNotDue},
        {"11 days", true, (now - wxDateSpan::Days(11)).FormatISOCombined('T'), QxApplication::UpdateSchedule::eChecked},
        {"a year", true, (now - wxDateSpan::Years(1)).FormatISOCombined('T'), QxApplication::UpdateSchedule::eChecked},
        {"future", true, (now + wxDateSpan::Days(30)).FormatISOCombined('T'), QxApplication::UpdateSchedule::eNotDue},
        {"not a time", true, "last tuesday", QxApplication::UpdateSchedule::eNotDue},
        {"empty", true, "", QxApplication::UpdateSchedule::eNotDue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Store store;
        if (c.hasEntry)
            store.config.Write("/last_update_check/timestamp", c.stored);
        store.config.SetPath("/somewhere/else");
        int checks = 0;
        const auto result = QxApplication::runUpdateSchedule(store.config, now, [&] { ++checks; });
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(store.config.GetPath(), "/somewhere/else");
        const wxString after = store.config.Read("/last_update_check/timestamp", "(none)");
        switch (c.expected) {
        case QxApplication::UpdateSchedule::eFirstRecorded:
            EXPECT_EQ(checks, 0);
            EXPECT_EQ(after, nowText);
            break;
        case QxApplication::UpdateSchedule::eChecked:
            EXPECT_EQ(checks, 1);
            EXPECT_EQ(after, nowText);
            break;
        case QxApplication::UpdateSchedule::eNotDue:
            EXPECT_EQ(checks, 0);
            EXPECT_EQ(after, c.stored) << "a check that is not due rewrote the time";
            break;
        }
    }
}
