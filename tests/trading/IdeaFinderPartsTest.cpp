// The idea finder's window-free parts: signal texts and kinds, the bars a
// date range covers, the periodicity mapping and the parameter file.
#include "support/FakeDataObjects.h"

#include "core/QxTime.h"
#include "core/QxXmlFile.h"
#include "trading/QxIdeaFinderParams.h"
#include "trading/QxIdeaReportHtml.h"
#include "trading/QxIdeaScan.h"
#include "trading/QxPeriodicityChoice.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/frame.h>

#include <fstream>
#include <string>

namespace {

TEST(IdeaScan, DescribeSignalMaskNamesEachBitAndSortsBuyingFromSelling)
{
    struct Case {
        unsigned mask;
        const char* text;
        int kind;
    } cases[] = {
        {0, "", eIdeaBuying},
        {1, "Long Entry", eIdeaBuying},
        {2, "Long Exit", eIdeaSelling},
        {4, "Short Entry", eIdeaSelling},
        {8, "Short Exit", eIdeaBuying},
        {1 | 8, "Long Entry, Short Exit", eIdeaBuying},
        {2 | 4, "Long Exit, Short Entry", eIdeaSelling},
        {1 | 2, "Long Entry, Long Exit", eIdeaMixed},
        {4 | 8, "Short Entry, Short Exit", eIdeaMixed},
        {15, "Long Entry, Long Exit, Short Entry, Short Exit", eIdeaMixed},
        {16 | 2, "Long Exit", eIdeaSelling}, // bits beyond the four are no signal
    };
    for (const Case& c : cases) {
        wxString text;
        EXPECT_EQ(describeSignalMask(c.mask, text), c.kind) << c.mask;
        EXPECT_EQ(text, c.text) << c.mask;
    }
}

TEST(IdeaScan, BarRangeRunsFromFirstBarAtFromToFirstBarAtOrAfterTill)
{
    const int64_t ts[] = {10, 20, 30, 40, 50};
    struct Case {
        const char* what;
        int64_t from, till;
        size_t begin, end; // begin == end: nothing scanned
    } cases[] = {
        {"on bars", 20, 40, 1, 4},
        {"ending between bars takes the bar after", 20, 35, 1, 4},
        {"starting between bars", 15, 30, 1, 3},
        {"from == till on a bar is that bar", 30, 30, 2, 3},
        {"from == till between bars is the bar after", 25, 25, 2, 3},
        {"ending after the last bar", 20, 99, 1, 5},
        {"starting after the last bar", 51, 99, 0, 0},
        {"wholly before the first bar takes the first", 1, 5, 0, 1},
        {"everything", 0, 50, 0, 5},
        {"reversed", 40, 20, 0, 0},
    };
    for (const Case& c : cases) {
        const QxBarRange r = ideaScanBarRange(ts, 5, c.from, c.till);
        if (c.begin == c.end) {
            EXPECT_TRUE(r.empty()) << c.what;
        } else {
            EXPECT_EQ(r.begin, c.begin) << c.what;
            EXPECT_EQ(r.end, c.end) << c.what;
        }
    }
    EXPECT_TRUE(ideaScanBarRange(ts, 0, 0, 99).empty());
}

TEST(PeriodicityChoice, MapsEntriesToPeriodsAndUnknownPeriodsToDaily)
{
    const Qx::QxPeriod periods[] = {Qx::eDaily, Qx::eWeekly, Qx::eMonthly, Qx::eQuarterly,
                                    Qx::eYearly};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(QxPeriodicityChoice::periodAtIndex(i), periods[i]);
        EXPECT_EQ(QxPeriodicityChoice::indexOfPeriod(periods[i]), i);
    }
    EXPECT_EQ(QxPeriodicityChoice::periodAtIndex(-1), Qx::eDaily);
    EXPECT_EQ(QxPeriodicityChoice::periodAtIndex(5), Qx::eDaily);
    EXPECT_EQ(QxPeriodicityChoice::indexOfPeriod(60), 0);
    EXPECT_EQ(QxPeriodicityChoice::indexOfPeriod(0), 0);

    if (!TestSupport::guiAvailable())
        GTEST_SKIP() << "no display";
    auto* frame = new wxFrame(nullptr, wxID_ANY, "choice");
    auto* choice = new QxPeriodicityChoice(frame, wxID_ANY);
    EXPECT_EQ(choice->getPeriodFromChoice(), Qx::eDaily) << "nothing selected";
    choice->fillPeriodChoice();
    ASSERT_EQ(choice->GetCount(), 5u);
    EXPECT_EQ(choice->GetString(0), "Daily");
    EXPECT_EQ(choice->GetString(4), "Yearly");
    choice->setPeriodChoice(Qx::eMonthly);
    EXPECT_EQ(choice->GetStringSelection(), "Monthly");
    EXPECT_EQ(choice->getPeriodFromChoice(), Qx::eMonthly);
    choice->setPeriodChoice(60);
    EXPECT_EQ(choice->GetStringSelection(), "Daily");
    frame->Destroy();
}

std::string readAll(const wxString& path)
{
    std::ifstream in(path.ToStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeAll(const wxString& path, const std::string& text)
{
    std::ofstream out(path.ToStdString(), std::ios::binary);
    out << text;
}

wxDateTime day(int d, wxDateTime::Month m, int y) { return wxDateTime(d, m, y); }

TEST(IdeaFinderParams, SavedRangeMovesWithTheDayOfLoading)
{
    const wxString dir = TestSupport::makeTempDir("ideaparams");
    const wxString path = dir + "/ideas.xml";
    QxIdeaFinderParams saved;
    saved.system = "Cross & <Over>";
    saved.lookFor = 1 | 8;
    saved.from = day(1, wxDateTime::Mar, 2024);
    saved.till = day(12, wxDateTime::Mar, 2024); // a future till gives a negative count
    saved.periodicity = Qx::eWeekly;
    saved.symbols = {{"NYSE", "tickpuller", "T"}, {"Funds", "", wxString::FromUTF8("FX\xc3\xa9")}};
    ASSERT_TRUE(saveIdeaFinderParams(path, saved, day(10, wxDateTime::Mar, 2024)));

    const std::string text = readAll(path);
    EXPECT_NE(text.find("<TrendoriaIdeaFinder Version=\"1\">"), std::string::npos) << text;
    EXPECT_NE(text.find("<Data System=\"Cross &amp; &lt;Over&gt;\" LookFor=\"9\" From=\"9\" "
                        "Till=\"-2\" Periodicity=\"432000\">"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\n  <Data"), std::string::npos) << "indented by 2: " << text;
    EXPECT_LT(text.find("Symbol=\"T\""), text.find("Symbol=\"FX")) << "rows in list order";

    QxIdeaFinderParams loaded;
    loaded.symbols.push_back({"stale", "stale", "stale"});
    ASSERT_EQ(loadIdeaFinderParams(path, day(12, wxDateTime::Mar, 2024), loaded),
              QxIdeaFinderLoad::eLoaded);
    EXPECT_EQ(loaded.system, saved.system);
    EXPECT_EQ(loaded.lookFor, saved.lookFor);
    EXPECT_EQ(loaded.periodicity, saved.periodicity);
    EXPECT_EQ(loaded.from, day(3, wxDateTime::Mar, 2024));
    EXPECT_EQ(loaded.till, day(14, wxDateTime::Mar, 2024));
    ASSERT_EQ(loaded.symbols.size(), 2u);
    EXPECT_EQ(loaded.symbols[0].category, "NYSE");
    EXPECT_EQ(loaded.symbols[0].dataProvider, "tickpuller");
    EXPECT_EQ(loaded.symbols[1].symbol, wxString::FromUTF8("FX\xc3\xa9"));
}

TEST(IdeaFinderParams, DayCountsAreCalendarDaysAcrossDaylightSavingChanges)
{
    TestSupport::ScopedTimeZone tz("America/New_York");
    // 10 March 2024 has 23 hours there; 3 November 2024 has 25.
    EXPECT_EQ(ideaFinderDaysBefore(day(11, wxDateTime::Mar, 2024), day(9, wxDateTime::Mar, 2024)), 2);
    EXPECT_EQ(ideaFinderDaysBefore(day(4, wxDateTime::Nov, 2024), day(2, wxDateTime::Nov, 2024)), 2);
    EXPECT_EQ(ideaFinderDaysBefore(day(9, wxDateTime::Mar, 2024), day(11, wxDateTime::Mar, 2024)), -2);
    // The time of day of "today" does not count.
    wxDateTime noon = day(11, wxDateTime::Mar, 2024);
    noon.SetHour(12);
    EXPECT_EQ(ideaFinderDaysBefore(noon, day(10, wxDateTime::Mar, 2024)), 1);

    const wxString path = TestSupport::makeTempDir("ideadst") + "/dst.xml";
    QxIdeaFinderParams saved;
    saved.from = day(9, wxDateTime::Mar, 2024);
    saved.till = day(11, wxDateTime::Mar, 2024);
    ASSERT_TRUE(saveIdeaFinderParams(path, saved, day(11, wxDateTime::Mar, 2024)));
    QxIdeaFinderParams loaded;
    ASSERT_EQ(loadIdeaFinderParams(path, day(13, wxDateTime::Mar, 2024), loaded), QxIdeaFinderLoad::eLoaded);
    EXPECT_EQ(loaded.from, day(11, wxDateTime::Mar, 2024));
    EXPECT_EQ(loaded.till, day(13, wxDateTime::Mar, 2024));
}

TEST(IdeaFinderParams, LoadTellsUnreadableFromMissingDataAndReadsBadNumbersAsZero)
{
    const wxString dir = TestSupport::makeTempDir("ideabad");
    const wxDateTime today = day(5, wxDateTime::Jun, 2024);
    QxIdeaFinderParams params;
    EXPECT_EQ(loadIdeaFinderParams(dir + "/absent.xml", today, params), QxIdeaFinderLoad::eUnreadable);
    writeAll(dir + "/broken.xml", "<TrendoriaIdeaFinder><Data");
    EXPECT_EQ(loadIdeaFinderParams(dir + "/broken.xml", today, params), QxIdeaFinderLoad::eUnreadable);
    writeAll(dir + "/nodata.xml", "<TrendoriaIdeaFinder Version=\"1\"><Other/></TrendoriaIdeaFinder>");
    EXPECT_EQ(loadIdeaFinderParams(dir + "/nodata.xml", today, params), QxIdeaFinderLoad::eNoData);

    // Element names match in any case; absent and non-numeric values read as 0.
    writeAll(dir + "/odd.xml",
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<x><dATA System=\"S\" LookFor=\"many\" Till=\"1\"><SYMBOLS>"
             "<Symbol Category=\"C\" DataProvider=\"P\" Symbol=\"A\"/>text"
             "<Whatever Category=\"C\" DataProvider=\"P\" Symbol=\"B\"/>"
             "</SYMBOLS></dATA></x>");
    ASSERT_EQ(loadIdeaFinderParams(dir + "/odd.xml", today, params), QxIdeaFinderLoad::eLoaded);
    EXPECT_EQ(params.system, "S");
    EXPECT_EQ(params.lookFor, 0u);
    EXPECT_EQ(params.periodicity, 0);
    EXPECT_EQ(params.from, today);
    EXPECT_EQ(params.till, day(4, wxDateTime::Jun, 2024));
    ASSERT_EQ(params.symbols.size(), 2u);
    EXPECT_EQ(params.symbols[1].symbol, "B");
}

// Day counts are whatever a file says. One whose date is no four-digit year
// (or no number a day count can be) refuses the file: no assertion, no
// overflow, no date wrapped into another century.
TEST(IdeaFinderParams, DayCountsBeyondAnyDateRefuseTheFile)
{
    const wxString dir = TestSupport::makeTempDir("ideadays");
    const wxDateTime today = day(5, wxDateTime::Jun, 2024);
    const int toYear1000 = ideaFinderDaysBefore(today, day(1, wxDateTime::Jan, 1000));
    const int toYear9999 = ideaFinderDaysBefore(today, day(31, wxDateTime::Dec, 9999));
    const struct {
        std::string from, till;
        bool loads;
    } cases[] = {
        {"2147483647", "0", false},
        {"0", "-2147483648", false},
        {"0", "-10000000", false},
        {"99999999999999999999", "0", false},
        {"0", "-99999999999999999999", false},
        {"-9223372036854775808", "0", false},
        {std::to_string(toYear1000), std::to_string(toYear9999), true},
        {std::to_string(toYear1000 + 1), "0", false},
        {"0", std::to_string(toYear9999 - 1), false},
        {"3", "many", true}, // not a number at all: 0, as before
        {"0", "-1000000", true},  // May 4762, not a 16-bit day of the month (2073)
        {"300000", "-65600", true},
    };
    for (const auto& c : cases) {
        writeAll(dir + "/days.xml", "<TrendoriaIdeaFinder Version=\"1\"><Data System=\"S\" LookFor=\"1\" From=\"" +
                                        c.from + "\" Till=\"" + c.till + "\" Periodicity=\"86400\"/>"
                                                                           "</TrendoriaIdeaFinder>");
        QxIdeaFinderParams params;
        params.system = "before";
        const QxIdeaFinderLoad result = loadIdeaFinderParams(dir + "/days.xml", today, params);
        EXPECT_EQ(result, c.loads ? QxIdeaFinderLoad::eLoaded : QxIdeaFinderLoad::eDamaged) << c.from << " " << c.till;
        if (c.loads) {
            EXPECT_GE(params.from.GetYear(), 1000) << c.from;
            EXPECT_LE(params.till.GetYear(), 9999) << c.till;
            EXPECT_EQ(ideaFinderDaysBefore(today, params.from), std::stoi(c.from));
            if (c.till != "many") {
                EXPECT_EQ(ideaFinderDaysBefore(today, params.till), std::stoi(c.till));
            }
        } else {
            EXPECT_TRUE(params.system.empty()) << "nothing of the file is taken";
        }
    }
}

TEST(IdeaFinderParams, FailedSaveKeepsTheFileThatWasThere)
{
    const wxString dir = TestSupport::makeTempDir("ideasave");
    QxIdeaFinderParams params;
    params.from = params.till = day(5, wxDateTime::Jun, 2024);
    EXPECT_FALSE(saveIdeaFinderParams(dir + "/no/such/folder/x.xml", params, params.till));
    EXPECT_FALSE(wxFileName::DirExists(dir + "/no"));
}

TEST(IdeaFinderParams, SymbolsResolveByCategoryProviderAndTickerOrAreSkipped)
{
    FakeDatabase db;
    FakeCategory* nyse = db.add(1, "NYSE", "tickpuller");
    FakeCategory* other = db.add(2, "NYSE", "barfetcher");
    nyse->add(11, "T");
    nyse->add(12, "IBM");
    other->add(21, "T");

    const std::vector<QxIdeaFinderSymbol> symbols = {
        {"NYSE", "barfetcher", "T"},
        {"NYSE", "tickpuller", "GONE"},
        {"Gone", "tickpuller", "T"},
        {"NYSE", "tickpuller", "IBM"},
        {"NYSE", "tickpuller", "IBM"},
    };
    const std::vector<QxResolvedSymbol> found = resolveIdeaFinderSymbols(symbols, &db);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].id, 21u);
    EXPECT_EQ(found[1].id, 12u);
    EXPECT_EQ(found[1].ticker, "IBM");
    EXPECT_EQ(found[2].id, 12u) << "the same security may stand twice";
    EXPECT_TRUE(resolveIdeaFinderSymbols(symbols, nullptr).empty());

    QxIdeaFinderSymbol symbol;
    ASSERT_TRUE(ideaFinderSymbolOf(&db, 21, symbol));
    EXPECT_EQ(symbol.category, "NYSE");
    EXPECT_EQ(symbol.dataProvider, "barfetcher");
    EXPECT_EQ(symbol.symbol, "T");
    EXPECT_FALSE(ideaFinderSymbolOf(&db, 99, symbol));
}

} // namespace

namespace {

TEST(IdeaReportHtml, ThreeRowsMatchTheGoldenPageWithTextEscaped)
{
    const std::vector<QxIdeaReportRow> rows = {
        {wxColour(127, 255, 127), {"AT&T", "03/04/24", "17.250000", "18.000000", "Long Entry"}},
        {wxColour(255, 127, 127), {"IBM", "03/05/24", "190.500000", "188.000000", "Long Exit, Short Entry"}},
        {wxColour(223, 223, 223), {"<F>", "03/11/24", "12.000000", "12.000000", "Long Entry, Long Exit"}},
    };
    const std::string page = ideaReportHtml(
        "Corvane Trendoria 2014 [Stock ideas generated by 'Cross & Hold']", "03/01/24", "03/12/24", rows);
    const std::string golden = TRENDORIA_SOURCE_DIR "/tests/trading/data/idea_report.html";
    EXPECT_EQ(page, readAll(golden));

    EXPECT_EQ(escapeHtmlText("a&b<c>\"d'e"), "a&amp;b&lt;c&gt;&quot;d&#39;e");

    const wxString dir = TestSupport::makeTempDir("ideahtml");
    EXPECT_TRUE(qxSaveBytesFile(page, dir + "/r.html"));
    EXPECT_EQ(readAll(dir + "/r.html"), page);
    EXPECT_FALSE(qxSaveBytesFile(page, dir + "/missing/r.html"));
    wxArrayString left;
    EXPECT_EQ(wxDir::GetAllFiles(dir, &left, wxEmptyString, wxDIR_FILES | wxDIR_HIDDEN), 1u)
        << "no partial or temporary file";
}

} // namespace
