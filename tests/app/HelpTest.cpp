// The help books: every page the program links to is in the manual, every
// indicator of the catalogue has its page in the indicator reference, and
// the help functions open the right page (or the contents).
#include "chart/QxDrawable.h"
#include "core/QxIndicator.h"
#include "core/QxUtils.h"
#include "core/platform/QxHelpBook.h"
#include "support/StandInIndicators.h"
#include "support/TestSupport.h"

#include "support/WindowShot.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/ffile.h>
#include <wx/log.h>
#include <wx/filename.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpfrm.h>
#include <wx/regex.h>

namespace {

// The manual pages the windows' Help buttons open.
const char* const kManualTopics[] = {
    "topics/alert.htm",
    "topics/back_test.htm",
    "topics/data_selection.htm",
    "topics/preference_dialog.htm",
    "topics/customize_chart.htm",
    "topics/indicators.htm#indic_selection_dlg",
    "topics/indicators.htm#config_indic",
    "topics/candlestick_pattern.htm",
    "topics/pattern_detection.htm#double_top",
    "topics/pattern_detection.htm#zigzag",
    "topics/export_chart.htm",
    "topics/signal_marker.htm",
    "topics/find_stock_ideas.htm",
    "topics/trading_systems.htm#trading_system_manager",
    "topics/trading_systems.htm#trading_system_editor",
    "topics/trading_systems.htm#condition_editor",
    "topics/creating_charts.htm#symbol_selection_dlg",
    "topics/managing_symbols.htm#add_security",
    "topics/managing_symbols.htm#add_category",
    "topics/price_history.htm#price_history_dialog",
    "topics/price_history.htm#split_details_dlg",
};

// The indicator catalogue by group.
const std::pair<const char*, std::vector<const char*>> kCatalogue[] = {
    {"Overlap Studies",
     {"ACCBANDS", "BBANDS", "DEMA", "EMA", "HT_TRENDLINE", "KAMA", "MA", "MAMA", "MAVP", "MIDPOINT",
      "MIDPRICE", "SAR", "SAREXT", "SMA", "T3", "TEMA", "TRIMA", "WMA"}},
    {"Volatility Indicators", {"ATR", "NATR"}},
    {"Momentum Indicators",
     {"ADX", "ADXR", "APO", "AROON", "AROONOSC", "BOP", "CCI", "CMO", "MACD", "MACDEXT", "MFI", "MOM",
      "PPO", "ROC", "ROCP", "ROCR", "ROCR100", "RSI", "STOCH", "STOCHF", "STOCHRSI", "STX", "TRIX",
      "ULTOSC", "WILLR"}},
    {"Cycle Indicators", {"HT_DCPERIOD", "HT_DCPHASE", "HT_PHASOR", "HT_SINE", "HT_TRENDMODE"}},
    {"Volume Indicators", {"AD", "ADOSC", "NVI", "OBV", "PVI"}},
    {"Price Transform", {"AVGPRICE", "MEDPRICE", "TYPPRICE", "WCLPRICE"}},
};

wxString helpDir() { return wxString::FromUTF8(TestSupport::binDir() + "/help"); }

wxString readText(const wxString& path)
{
    wxString text;
    wxFFile file(path, "rb");
    if (file.IsOpened())
        file.ReadAll(&text, wxConvUTF8);
    return text;
}

// The words of a page, tags removed.
wxString pageText(const wxString& html)
{
    wxString text = html;
    wxRegEx tags("<[^>]*>");
    tags.ReplaceAll(&text, " ");
    return text;
}

// An indicator with just a name and a group, for the help lookup.
class NamedIndicator : public TestSupport::InertIndicator {
public:
    NamedIndicator(const wxString& name, const wxString& group) : InertIndicator(name, group, name) {}
};

class HelpTest : public testing::Test {
protected:
    void SetUp() override { QxUtils::setHelpFolder(helpDir()); }
    void TearDown() override
    {
        QxUtils::closeHelp();
        QxUtils::setHelpFolder(wxString());
        wxTheApp->Yield(true);
    }
};

} // namespace

TEST_F(HelpTest, DefaultHelpFolderIsBesideTheExecutable)
{
    QxUtils::setHelpFolder(wxString());
    EXPECT_EQ(wxFileName::DirName(QxUtils::helpFolder()).GetDirs().Last(), "help");
}

TEST_F(HelpTest, ManualHoldsEveryLinkedPageWithItsSectionAndText)
{
    QxHelpBook& manual = QxUtils::manualBook();
    ASSERT_TRUE(manual.load()) << manual.bookPath();
    for (const char* topic : kManualTopics) {
        SCOPED_TRACE(topic);
        EXPECT_TRUE(manual.hasPage(topic));
        const wxString page = wxString(topic).BeforeFirst('#');
        const wxString anchor = wxString(topic).AfterFirst('#');
        const wxString html = readText(helpDir() + "/manual/" + page);
        EXPECT_GT(pageText(html).Strip(wxString::both).length(), 200u);
        if (!anchor.empty()) {
            EXPECT_TRUE(html.Contains("<a name=\"" + anchor + "\">")) << anchor;
        }
    }
    EXPECT_FALSE(manual.hasPage("topics/no_such_page.htm"));
}

TEST_F(HelpTest, IndicatorReferenceHasAPagePerCatalogueIndicator)
{
    QxHelpBook& book = QxUtils::indicatorBook();
    ASSERT_TRUE(book.load()) << book.bookPath();
    size_t count = 0;
    for (const auto& [group, names] : kCatalogue) {
        for (const char* name : names) {
            SCOPED_TRACE(name);
            ++count;
            const wxString page = QxUtils::indicatorHelpPage(group, name);
            EXPECT_TRUE(book.hasPage(page)) << page;
            const wxString text = pageText(readText(helpDir() + "/indicators/" + page));
            EXPECT_TRUE(text.Contains(name));
            EXPECT_TRUE(text.Contains(group));
            EXPECT_GT(text.length(), 150u);
        }
    }
    EXPECT_EQ(count, 59u);
}

TEST(HelpPages, IndicatorPagePathRule)
{
    EXPECT_EQ(QxUtils::indicatorHelpPage("Momentum Indicators", "MACD"),
              wxString("topics/momentum_indicators/macd.htm"));
    EXPECT_EQ(QxUtils::indicatorHelpPage("Overlap Studies", "HT_TRENDLINE"),
              wxString("topics/overlap_studies/ht_trendline.htm"));
    EXPECT_EQ(QxUtils::indicatorHelpPage("Price  Transform", "WclPrice"),
              wxString("topics/price__transform/wclprice.htm"));
}

TEST_F(HelpTest, ShowHelpOpensThePageOrTheContents)
{
    struct Case {
        const char* topic;
        bool shown;
        const char* opened; // ending of the opened page
    } cases[] = {
        {"topics/export_chart.htm", true, "topics/export_chart.htm"},
        {"topics/pattern_detection.htm#zigzag", true, "topics/pattern_detection.htm#zigzag"},
        {"topics/price_history.htm#split_details_dlg", true, "topics/price_history.htm#split_details_dlg"},
        // The alert topic and no topic open the contents.
        {"topics/alert.htm", true, "index.htm"},
        {nullptr, true, "index.htm"},
        // A page the manual lacks falls back to the contents.
        {"topics/missing.htm", false, "index.htm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.topic ? c.topic : "(none)");
        EXPECT_EQ(QxUtils::showHelp(c.topic), c.shown);
        const wxString opened = QxUtils::manualBook().openedPage();
        EXPECT_TRUE(opened.EndsWith(c.opened)) << opened;
    }
    wxHtmlHelpController* controller = QxUtils::manualBook().controller();
    ASSERT_NE(controller, nullptr);
    ASSERT_NE(controller->GetFrame(), nullptr);
    QxUtils::showHelp("topics/data_selection.htm");
    EXPECT_TRUE(TestSupport::saveWindowShot(controller->GetFrame(), "help_manual.png"));
}

TEST_F(HelpTest, ShowIndicatorHelpOpensTheIndicatorsPage)
{
    QxObjectSmartPtr<QxIndicator> macd(new NamedIndicator("MACD", "Momentum Indicators"));
    EXPECT_TRUE(QxUtils::showIndicatorHelp(macd.get()));
    EXPECT_TRUE(QxUtils::indicatorBook().openedPage().EndsWith("topics/momentum_indicators/macd.htm"))
        << QxUtils::indicatorBook().openedPage();
    wxHtmlHelpController* controller = QxUtils::indicatorBook().controller();
    ASSERT_NE(controller, nullptr);
    EXPECT_TRUE(TestSupport::saveWindowShot(controller->GetFrame(), "help_indicator_macd.png"));

    EXPECT_TRUE(QxUtils::showIndicatorHelp(nullptr));
    EXPECT_TRUE(QxUtils::indicatorBook().openedPage().EndsWith("index.htm"));

    QxObjectSmartPtr<QxIndicator> unknown(new NamedIndicator("NOPE", "Test Group"));
    EXPECT_FALSE(QxUtils::showIndicatorHelp(unknown.get()));
    EXPECT_TRUE(QxUtils::indicatorBook().openedPage().EndsWith("index.htm"));
}

TEST_F(HelpTest, ViewerDestroyedByOthersLeavesTheBooksUsable)
{
    // At exit the framework destroys every top-level window, the help
    // viewer among them, before the books go.
    ASSERT_TRUE(QxUtils::showHelp("topics/back_test.htm"));
    wxFrame* frame = QxUtils::manualBook().controller()->GetFrame();
    ASSERT_NE(frame, nullptr);
    delete frame;
    EXPECT_TRUE(QxUtils::manualBook().openedPage().empty());
    // Showing help again makes a new viewer; closing the books is safe.
    EXPECT_TRUE(QxUtils::showHelp("topics/signal_marker.htm"));
    EXPECT_TRUE(QxUtils::manualBook().openedPage().EndsWith("topics/signal_marker.htm"));
    delete QxUtils::manualBook().controller()->GetFrame();
    QxUtils::closeHelp();
}

TEST_F(HelpTest, MissingBookShowsNothingAndIsTriedAgain)
{
    const std::string empty = TestSupport::makeTempDir("nohelp");
    QxUtils::setHelpFolder(wxString::FromUTF8(empty));
    {
        wxLogNull quiet;
        EXPECT_FALSE(QxUtils::showHelp("topics/export_chart.htm"));
        EXPECT_FALSE(QxUtils::manualBook().isLoaded());
        EXPECT_EQ(QxUtils::manualBook().controller(), nullptr);
    }
    // The book appears: the next call finds it.
    ASSERT_TRUE(wxFileName::Mkdir(wxString::FromUTF8(empty) + "/manual", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL));
    for (const char* file : {"trendoria_manual.hhp", "trendoria_manual.hhc", "trendoria_manual.hhk",
                             "index.htm"})
        ASSERT_TRUE(wxCopyFile(helpDir() + "/manual/" + file, wxString::FromUTF8(empty) + "/manual/" + file));
    EXPECT_TRUE(QxUtils::showHelp(nullptr));
    EXPECT_TRUE(QxUtils::manualBook().isLoaded());
}
