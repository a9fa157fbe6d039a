// Templates: the indicator list, its "*.trdt" file and what a bad file or a
// failed save leaves behind.
#include "support/ChartTestSupport.h"
#include "support/ChartFixtures.h"
#include "support/CompositeChart.h"
#include "chart/QxTemplate.h"
#include "core/QxErrorCode.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/xml/xml.h>

using charttest::ParamIndicator;

namespace {

wxFileName tempFile(const char* name)
{
    return wxFileName(wxString::FromUTF8(TestSupport::makeTempDir("template").c_str()), name);
}

void writeText(const wxFileName& file, const char* text)
{
    wxFFile f(file.GetFullPath(), "w");
    ASSERT_TRUE(f.IsOpened());
    f.Write(wxString::FromUTF8(text));
}

wxString readText(const wxFileName& file)
{
    wxString text;
    wxFFile f(file.GetFullPath(), "r");
    if (f.IsOpened())
        f.ReadAll(&text);
    return text;
}

// Names and periods of a template's indicators, "A:5 B:9".
std::string describe(const QxTemplate& t)
{
    std::string out;
    for (unsigned i = 0; i < t.numIndics(); ++i) {
        const auto* ind = dynamic_cast<const ParamIndicator*>(t.indicAt(i));
        if (!out.empty())
            out += ' ';
        out += ind ? (ind->getName().string().ToStdString() + ":" + std::to_string(ind->period())) : "?";
    }
    return out;
}

class QxTemplateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ParamIndicator::registerPrototype("TPLA");
        ParamIndicator::registerPrototype("TPLB", QxIndicator::ePlaceOwnZone);
    }

    static QxIndicator* make(const char* name, int32_t period)
    {
        return new ParamIndicator(name, QxIndicator::ePlaceOverPrice, period);
    }
};

} // namespace

TEST_F(QxTemplateTest, ListOperations)
{
    QxTemplate t;
    EXPECT_FALSE(t.isModified());
    EXPECT_EQ(t.addIndicator(nullptr, 0), eInvalidInput);
    EXPECT_EQ(t.addIndicator(make("TPLA", 1), 0), eNoError);
    EXPECT_TRUE(t.isModified());
    EXPECT_EQ(t.addIndicator(make("TPLA", 2), 99), eNoError); // past the end: appended
    EXPECT_EQ(t.addIndicator(make("TPLB", 3), 0), eNoError);  // before the first
    EXPECT_EQ(t.addIndicator(make("TPLB", 4), 2), eNoError);
    EXPECT_EQ(describe(t), "TPLB:3 TPLA:1 TPLB:4 TPLA:2");
    EXPECT_EQ(t.indicAt(4), nullptr);
    EXPECT_EQ(t.removeAt(4), eInvalidIndex);
    EXPECT_EQ(t.removeAt(1), eNoError);
    EXPECT_EQ(describe(t), "TPLB:3 TPLB:4 TPLA:2");

    QxTemplate::IndicatorList more{make("TPLA", 7), nullptr, make("TPLA", 8)};
    EXPECT_EQ(t.addIndicators(more), eInvalidInput);
    EXPECT_EQ(describe(t), "TPLB:3 TPLB:4 TPLA:2 TPLA:7");
    EXPECT_EQ(t.addIndicators({}), eNoError);

    // A copy holds clones, an assignment shares.
    QxTemplate copy(t);
    EXPECT_TRUE(copy.isModified());
    EXPECT_EQ(describe(copy), describe(t));
    EXPECT_NE(copy.indicAt(0), t.indicAt(0));
    QxTemplate shared;
    shared = t;
    EXPECT_EQ(shared.indicAt(0), t.indicAt(0));
}

TEST_F(QxTemplateTest, FileRoundTripKeepsOrderAndParameters)
{
    const wxFileName file = tempFile("three.trdt");
    QxTemplate t;
    EXPECT_EQ(t.addIndicator(make("TPLA", 5), 9), eNoError);
    EXPECT_EQ(t.addIndicator(make("TPLB", 9), 9), eNoError);
    EXPECT_EQ(t.addIndicator(make("TPLA", 21), 9), eNoError);
    ASSERT_EQ(t.saveToFile(file), eNoError);
    EXPECT_FALSE(t.isModified());

    wxXmlDocument doc(file.GetFullPath());
    ASSERT_TRUE(doc.IsOk());
    EXPECT_EQ(doc.GetRoot()->GetName(), "TrendoriaTemplate");
    EXPECT_EQ(doc.GetRoot()->GetAttribute("Version"), "2");
    wxString order;
    for (wxXmlNode* c = doc.GetRoot()->GetChildren(); c; c = c->GetNext())
        if (c->GetType() == wxXML_ELEMENT_NODE)
            order += c->GetName() + "#" + c->GetAttribute("Index") + " ";
    EXPECT_EQ(order, "TPLA#0 TPLB#1 TPLA#2 ");
    EXPECT_TRUE(readText(file).Contains("\n  <TPLA")); // indented by 2

    QxTemplate back;
    EXPECT_EQ(back.addIndicator(make("TPLB", 1), 0), eNoError);
    ASSERT_EQ(back.loadFromFile(file), eNoError);
    EXPECT_FALSE(back.isModified());
    EXPECT_EQ(describe(back), "TPLA:5 TPLB:9 TPLA:21");

    // Saving again replaces the file's contents.
    EXPECT_EQ(back.removeAt(0), eNoError);
    ASSERT_EQ(back.saveToFile(file), eNoError);
    QxTemplate again;
    ASSERT_EQ(again.loadFromFile(file), eNoError);
    EXPECT_EQ(describe(again), "TPLB:9 TPLA:21");
}

TEST_F(QxTemplateTest, EmptyTemplateWritesNothing)
{
    const wxFileName file = tempFile("empty.trdt");
    QxTemplate t;
    EXPECT_EQ(t.saveToFile(file), eEmptyIndicatorList);
    EXPECT_FALSE(file.FileExists());
}

TEST_F(QxTemplateTest, BadFilesChangeNothing)
{
    QxTemplate t;
    EXPECT_EQ(t.addIndicator(make("TPLA", 3), 0), eNoError);
    EXPECT_EQ(t.addIndicator(make("TPLB", 4), 1), eNoError);
    const std::string before = describe(t);

    const wxFileName damaged = tempFile("damaged.trdt");
    writeText(damaged, "<TrendoriaTemplate Version=\"2\"><TPLA Index=\"0\"><Optional");
    const wxFileName duplicate = tempFile("duplicate.trdt");
    writeText(duplicate, "<TrendoriaTemplate Version=\"2\"><TPLA Index=\"0\"/><TPLB Index=\"0\"/></TrendoriaTemplate>");
    const wxFileName binary = tempFile("binary.trdt");
    writeText(binary, "\x01\x02garbage");

    const struct {
        wxFileName file;
        int code;
    } cases[] = {
        {tempFile("missing.trdt"), eErrorInOpeningTemplateFile},
        {damaged, eErrorInOpeningTemplateFile},
        {binary, eErrorInOpeningTemplateFile},
        {duplicate, eInconsistentData},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(t.loadFromFile(c.file), c.code) << c.file.GetFullName();
        EXPECT_EQ(describe(t), before) << c.file.GetFullName();
        EXPECT_TRUE(t.isModified());
    }
    // Nested 200,000 levels deep where a scan of the text sees no nesting.
    const wxFileName hidden = tempFile("hidden.trdt");
    for (const TestSupport::HiddenDeepXml& hostile : TestSupport::hiddenDeepXml("TrendoriaTemplate")) {
        writeText(hidden, hostile.text.c_str());
        EXPECT_EQ(t.loadFromFile(hidden), eErrorInOpeningTemplateFile) << hostile.kind;
        EXPECT_EQ(describe(t), before) << hostile.kind;
    }
}

TEST_F(QxTemplateTest, OtherRootNameAndUnknownChildrenStillLoad)
{
    const wxFileName file = tempFile("other.trdt");
    writeText(file, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<SomethingElse Version=\"7\">"
                    "<TPLB Index=\"1\"><OptionalParameters><OptParam Name=\"optInTimePeriod\" Value=\"6L\"/>"
                    "</OptionalParameters></TPLB>"
                    "<NOSUCHINDICATOR Index=\"2\"/>"
                    "<TPLA Index=\"0\"/>"
                    "</SomethingElse>");
    QxTemplate t;
    ASSERT_EQ(t.loadFromFile(file), eNoError);
    EXPECT_EQ(describe(t), "TPLA:14 TPLB:6");
}

TEST_F(QxTemplateTest, FailedSaveKeepsWhatWasThere)
{
    QxTemplate t;
    EXPECT_EQ(t.addIndicator(make("TPLA", 3), 0), eNoError);

    const wxFileName nowhere(wxString::FromUTF8(TestSupport::makeTempDir("template").c_str()) + "/no/such/dir",
                             "x.trdt");
    EXPECT_EQ(t.saveToFile(nowhere), eErrorInSavingTemplate);
    EXPECT_TRUE(t.isModified());

    // A folder in the way cannot be replaced by the file; it stays as it was.
    const wxString dir = wxString::FromUTF8(TestSupport::makeTempDir("template").c_str());
    const wxFileName blocked(dir, "blocked.trdt");
    ASSERT_TRUE(wxFileName::Mkdir(blocked.GetFullPath()));
    const wxFileName inside(blocked.GetFullPath(), "keep.txt");
    writeText(inside, "keep");
    EXPECT_EQ(t.saveToFile(blocked), eErrorInSavingTemplate);
    EXPECT_TRUE(wxFileName::DirExists(blocked.GetFullPath()));
    EXPECT_EQ(readText(inside), "keep");
    // No temporary file is left beside it.
    wxArrayString left;
    wxDir::GetAllFiles(dir, &left, wxEmptyString, wxDIR_FILES);
    EXPECT_TRUE(left.empty()) << left[0];
}

// Saved as a template and applied to a new chart (as Save Indicators as
// Template, then a new chart with that default template): the average of the
// RSI is over the RSI again and in the RSI's zone, the averages of highs and
// lows over those fields; a template of the earlier form still loads.
TEST(QxTemplateComposites, SavedAndAppliedTheyComeBackOverTheirInputsInTheirZones)
{
    QxIndicatorRegistry::instance()->addBuiltInIndicators();
    QxObjectSmartPtr<QxSecurity> security(new charttest::MemSecurity(7, charttest::makeWalk(300)));
    QxObjectSmartPtr<QxChartist> chartist(new QxChartist(security.get(), Qx::eDaily, nullptr));
    charttest::addComposites(*chartist);

    QxTemplate::IndicatorList shown;
    ASSERT_EQ(chartist->getDisplayedIndicators(shown), 4u);
    QxObjectSmartPtr<QxTemplate> saved(new QxTemplate);
    ASSERT_EQ(saved->addIndicators(shown), eNoError);
    const wxFileName file = tempFile("composites.trdt");
    ASSERT_EQ(saved->saveToFile(file), eNoError);

    QxObjectSmartPtr<QxTemplate> loaded(new QxTemplate);
    ASSERT_EQ(loaded->loadFromFile(file), eNoError);
    QxObjectSmartPtr<QxChartist> applied(new QxChartist(security.get(), Qx::eDaily, loaded.get()));
    charttest::expectSameIndicators(*chartist->getChart(), *applied->getChart());

    // Applied a second time to the same chart: a second RSI zone with its
    // own average.
    ASSERT_EQ(applied->addIndicsFromTemplate(loaded.get()), eNoError);
    const auto zones = charttest::zoneContents(*applied->getChart());
    ASSERT_EQ(zones.size(), 4u);
    EXPECT_EQ(zones[3], (std::vector<std::string>{"RSI(14)", "SMA(9)[RSI(14)]"}));

    // The earlier form had no input series: everything over the close.
    wxString text = readText(file);
    ASSERT_TRUE(text.Contains("InputSeries"));
    wxXmlDocument doc(file.GetFullPath());
    for (wxXmlNode* indicator = doc.GetRoot()->GetChildren(); indicator; indicator = indicator->GetNext())
        for (wxXmlNode* child = indicator->GetChildren(); child;) {
            wxXmlNode* next = child->GetNext();
            if (child->GetName() == "InputSeries") {
                indicator->RemoveChild(child);
                delete child;
            }
            child = next;
        }
    const wxFileName oldFile = tempFile("old.trdt");
    ASSERT_TRUE(doc.Save(oldFile.GetFullPath()));
    QxObjectSmartPtr<QxTemplate> old(new QxTemplate);
    ASSERT_EQ(old->loadFromFile(oldFile), eNoError);
    ASSERT_EQ(old->numIndics(), 4u);
    EXPECT_EQ(old->indicAt(0)->getDisplayName(), "SMA(20)");
    EXPECT_EQ(old->indicAt(3)->getDisplayName(), "SMA(9)");
}
