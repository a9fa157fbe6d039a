// The chart file's document without a window: building it from a chart,
// reading its header back (hostile values included), the zone index map and
// the zone skip rule, and the ZIP layer.
#include "support/ChartFixtures.h"
#include "support/CompositeChart.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxZone.h"
#include "chartframe/QxChartDocument.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/mstream.h>
#include <wx/sstream.h>
#include <wx/wfstream.h>
#include <wx/xml/xml.h>
#include <wx/zipstrm.h>

#include <vector>

namespace {

wxXmlDocument parse(const char* text)
{
    wxXmlDocument doc;
    wxStringInputStream in(wxString::FromUTF8(text));
    doc.Load(in, "UTF-8");
    return doc;
}

std::vector<wxString> attributeNames(const wxXmlNode* node)
{
    std::vector<wxString> out;
    for (const wxXmlAttribute* a = node->GetAttributes(); a; a = a->GetNext())
        out.push_back(a->GetName());
    return out;
}

// Writes a ZIP with the given entries (name, content) to path.
void writeZip(const wxString& path, const std::vector<std::pair<wxString, std::string>>& entries)
{
    wxFFileOutputStream file(path, "wb");
    wxZipOutputStream zip(file);
    for (const auto& [name, content] : entries) {
        zip.PutNextEntry(name);
        zip.Write(content.data(), content.size());
    }
    zip.Close();
}

} // namespace

TEST(ChartDocument, PriceStyleWords)
{
    struct Case {
        const char* text;
        int style;
    } cases[] = {{"Bar", 2}, {"bAR", 2}, {"Line", 1}, {"LINE", 1}, {"Candle", 3}, {"", 3}, {"Bars", 3}, {"2", 3}};
    for (const Case& c : cases)
        EXPECT_EQ(parsePriceStyle(c.text), c.style) << c.text;
    // The switched-off price graphic (0) is written as candles.
    EXPECT_EQ(priceStyleName(0), "Candle");
    EXPECT_EQ(priceStyleName(1), "Line");
    EXPECT_EQ(priceStyleName(2), "Bar");
    EXPECT_EQ(priceStyleName(3), "Candle");
}

TEST(ChartDocument, ProposedNamesStayInTheChosenFolder)
{
    EXPECT_EQ(qxProposedFileName("IBM", "trdc"), "IBM.trdc");
    EXPECT_EQ(qxProposedFileName("BRK/A", "trdc"), "BRK_A.trdc");
    EXPECT_EQ(qxProposedFileName("a\\b", "png"), "a_b.png");
    EXPECT_EQ(qxProposedFileName("..", "png"), "chart.png");
    EXPECT_EQ(qxProposedFileName("", "trdc"), "chart.trdc");
}

TEST(ChartDocument, BuiltFromAChart)
{
    QxObjectSmartPtr<QxSecurity> security(new charttest::MemSecurity(3, charttest::makeWalk(300), "Walker", "WLK"));
    QxObjectSmartPtr<QxChartist> chartist(new QxChartist(security.get(), Qx::eWeekly, nullptr));
    QxChart& chart = *chartist->getChart();
    chart.addZone()->setTitle("first");
    chart.addZone()->setTitle("second");

    QxChartFileHeader header;
    ASSERT_TRUE(chartFileHeaderOf(*chartist, header));
    EXPECT_EQ(header.symbol, "WLK");
    EXPECT_EQ(header.period, 432000u);
    header.category = "USA.NYSE.EQ";
    header.provider = "Yahoo!";
    header.style = 0;
    header.volumesShown = false;
    header.zoomFactor = 1.5;
    wxXmlDocument doc;
    buildChartDocument(doc, header, chart);

    const wxXmlNode* root = doc.GetRoot();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), "TrendoriaChart");
    EXPECT_EQ(root->GetAttribute("Version"), "2");
    const wxXmlNode* element = root->GetChildren();
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->GetName(), "CHART");
    EXPECT_EQ(attributeNames(element), (std::vector<wxString>{"Category", "Symbol", "DataProvider", "Style",
                                                              "Periodicity", "Volumes", "ZoomFactor"}));
    EXPECT_EQ(element->GetAttribute("Style"), "Candle");
    EXPECT_EQ(element->GetAttribute("Periodicity"), "432000");
    EXPECT_EQ(element->GetAttribute("Volumes"), "Hidden");
    EXPECT_EQ(element->GetAttribute("ZoomFactor"), "1.500000");
    const wxXmlNode* zones = element->GetChildren();
    ASSERT_NE(zones, nullptr);
    EXPECT_EQ(zones->GetName(), "Zones");
    const char* types[] = {"Main", "Volume", "Indicator", "Indicator"};
    unsigned i = 0;
    for (const wxXmlNode* z = zones->GetChildren(); z; z = z->GetNext(), ++i) {
        ASSERT_LT(i, 4u);
        EXPECT_EQ(z->GetName(), "Zone");
        EXPECT_EQ(z->GetAttribute("Index"), wxString::Format("%u", i));
        EXPECT_EQ(z->GetAttribute("Type"), types[i]);
        // Index and Type follow the zone's own attributes.
        const std::vector<wxString> names = attributeNames(z);
        ASSERT_GE(names.size(), 2u);
        EXPECT_EQ(names[names.size() - 2], "Index");
        EXPECT_EQ(names.back(), "Type");
    }
    EXPECT_EQ(i, 4u);
    EXPECT_EQ(zones->GetChildren()->GetNext()->GetNext()->GetAttribute("Title"), "first");

    // What is written is what is read.
    QxChartFileHeader back;
    const wxXmlNode* zonesBack = nullptr;
    ASSERT_TRUE(parseChartDocument(doc, back, &zonesBack));
    EXPECT_EQ(back.category, "USA.NYSE.EQ");
    EXPECT_EQ(back.symbol, "WLK");
    EXPECT_EQ(back.provider, "Yahoo!");
    EXPECT_EQ(back.style, 3);
    EXPECT_EQ(back.period, 432000u);
    EXPECT_FALSE(back.volumesShown);
    EXPECT_DOUBLE_EQ(back.zoomFactor, 1.5);
    EXPECT_EQ(zonesBack, zones);
}

TEST(ChartDocument, HeaderValuesAsRead)
{
    struct Case {
        const char* attributes;
        bool ok;
        const char* provider;
        int style;
        unsigned period;
        bool volumes;
        double zoom;
    } cases[] = {
        {R"(Category="C" Symbol="S" DataProvider="Google" Style="bar" Periodicity="2629800" Volumes="shown" ZoomFactor="2.25")",
         true, "Google", 2, 2629800, true, 2.25},
        // Missing provider, style, volumes and zoom; period not a number.
        {R"(Category="C" Symbol="S" Periodicity="weekly")", true, "Yahoo!", 3, 86400, false, 0},
        // A period that is none of the five, and zoom factors no layout can use.
        {R"(Category="C" Symbol="S" Periodicity="3600" ZoomFactor="nan")", true, "Yahoo!", 3, 86400, false, 0},
        {R"(Category="C" Symbol="S" Periodicity="-86400" ZoomFactor="inf")", true, "Yahoo!", 3, 86400, false, 0},
        {R"(Category="C" Symbol="S" Periodicity="31557600" ZoomFactor="-1")", true, "Yahoo!", 3, 31557600, false, 0},
        {R"(Category="C" Symbol="S" ZoomFactor="")", true, "Yahoo!", 3, 86400, false, 0},
        {R"(Symbol="S")", false, "", 0, 0, false, 0},
        {R"(Category="C")", false, "", 0, 0, false, 0},
    };
    for (const Case& c : cases) {
        const std::string text = std::string("<TrendoriaChart><Chart ") + c.attributes + "/></TrendoriaChart>";
        const wxXmlDocument doc = parse(text.c_str());
        QxChartFileHeader header;
        ASSERT_EQ(parseChartDocument(doc, header, nullptr), c.ok) << c.attributes;
        if (!c.ok)
            continue;
        EXPECT_EQ(header.provider, c.provider) << c.attributes;
        EXPECT_EQ(header.style, c.style) << c.attributes;
        EXPECT_EQ(header.period, c.period) << c.attributes;
        EXPECT_EQ(header.volumesShown, c.volumes) << c.attributes;
        EXPECT_DOUBLE_EQ(header.zoomFactor, c.zoom) << c.attributes;
    }
    // No root, no "Chart": nothing to open.
    QxChartFileHeader header;
    EXPECT_FALSE(parseChartDocument(wxXmlDocument(), header, nullptr));
    EXPECT_FALSE(parseChartDocument(parse("<TrendoriaChart><Other/></TrendoriaChart>"), header, nullptr));
}

TEST(ChartDocument, ZonesArePlacedByIndex)
{
    // Index 3, 0 and 2 (plus unusable ones): the main zone from 0, Index 2
    // skipped because the second entry is not 1, one zone appended from 3.
    const wxXmlDocument doc = parse(R"(<Zones>
        <Zone Index="3" Title="three"/>
        <Zone Title="no index"/>
        <Zone Index="x" Title="bad index"/>
        <Zone Index="0" Title="zero"/>
        <Other Index="2" Title="two"/>
      </Zones>)");
    const std::map<unsigned, const wxXmlNode*> map = zoneIndexMap(doc.GetRoot());
    ASSERT_EQ(map.size(), 3u);
    EXPECT_EQ(map.at(0)->GetAttribute("Title"), "zero");
    EXPECT_EQ(map.at(2)->GetAttribute("Title"), "two");
    EXPECT_EQ(map.at(3)->GetAttribute("Title"), "three");
    EXPECT_TRUE(zoneIndexMap(nullptr).empty());

    QxObjectSmartPtr<QxSecurity> security(new charttest::MemSecurity(4, charttest::makeWalk(50)));
    QxObjectSmartPtr<QxChartist> chartist(new QxChartist(security.get(), Qx::eDaily, nullptr));
    QxChart& chart = *chartist->getChart();
    chart.getVolumeZone()->setTitle("volume as made");
    QxLeftOut leftOut;
    readChartZones(chart, map, &leftOut);
    ASSERT_EQ(chart.numZones(), 3u);
    EXPECT_EQ(leftOut.zones, 1u); // Index 2
    unsigned unusable = 0;
    zoneIndexMap(doc.GetRoot(), &unusable);
    EXPECT_EQ(unusable, 2u);
    EXPECT_EQ(chart.getMainZone()->getTitle(), "zero");
    EXPECT_EQ(chart.getVolumeZone()->getTitle(), "volume as made");
    EXPECT_EQ(chart.zoneAt(2)->getTitle(), "three");

    // A later element with the same Index replaces the earlier one.
    const wxXmlDocument twice = parse(R"(<Zones><Zone Index="1" Title="a"/><Zone Index="1" Title="b"/></Zones>)");
    unsigned replaced = 0;
    EXPECT_EQ(zoneIndexMap(twice.GetRoot(), &replaced).at(1)->GetAttribute("Title"), "b");
    EXPECT_EQ(replaced, 1u);
}

namespace {

// A fresh daily chart of the same walk read from a chart document.
QxObjectSmartPtr<QxChartist> readBack(QxSecurity* security, const wxXmlDocument& doc, QxLeftOut& leftOut)
{
    QxObjectSmartPtr<QxChartist> chartist(new QxChartist(security, Qx::eDaily, nullptr));
    QxChartFileHeader header;
    const wxXmlNode* zones = nullptr;
    EXPECT_TRUE(parseChartDocument(doc, header, &zones));
    readChartZones(*chartist->getChart(), zoneIndexMap(zones, &leftOut.zones), &leftOut);
    return chartist;
}

void removeElementsNamed(wxXmlNode* node, const wxString& name)
{
    for (wxXmlNode* child = node->GetChildren(); child;) {
        wxXmlNode* next = child->GetNext();
        if (child->GetName() == name) {
            node->RemoveChild(child);
            delete child;
        } else {
            removeElementsNamed(child, name);
        }
        child = next;
    }
}

} // namespace

TEST(ChartDocument, CompositeIndicatorsComeBackOverTheirInputsAndInTheirZones)
{
    QxIndicatorRegistry::instance()->addBuiltInIndicators();
    QxObjectSmartPtr<QxSecurity> security(new charttest::MemSecurity(5, charttest::makeWalk(300), "Walker", "WLK"));
    QxObjectSmartPtr<QxChartist> chartist(new QxChartist(security.get(), Qx::eDaily, nullptr));
    charttest::addComposites(*chartist);
    const QxChart& chart = *chartist->getChart();
    ASSERT_EQ(charttest::zoneContents(chart)[0].back(), "BBANDS(20, 2.00, 2.00, 0)[Low]");
    ASSERT_EQ(charttest::zoneContents(chart)[2],
              (std::vector<std::string>{"RSI(14)", "SMA(9)[RSI(14)]"}));

    // An average of an average that is on no zone of the chart: its input
    // goes with it.
    QxObjectSmartPtr<QxIndicator> hidden = charttest::catalogueIndicator("EMA");
    QxObjectSmartPtr<QxIndicator> outer = charttest::catalogueIndicator("SMA");
    ASSERT_EQ(hidden->setInputSeries(0, QxSeriesId(QxSeriesId::eSeriesOpen)), 0);
    ASSERT_EQ(outer->setInputSeries(0, QxSeriesId(hidden.get(), 0)), 0);
    ASSERT_EQ(chartist->addIndicator(outer.get()), 0);
    ASSERT_EQ(charttest::zoneContents(chart)[0].back(), "SMA(30)[EMA(30)[Open]]");

    QxChartFileHeader header;
    ASSERT_TRUE(chartFileHeaderOf(*chartist, header));
    wxXmlDocument doc;
    buildChartDocument(doc, header, chart);
    // Written to text and parsed again, as a file is.
    wxStringOutputStream text;
    ASSERT_TRUE(doc.Save(text));
    const wxXmlDocument parsed = parse(text.GetString().utf8_str());

    QxLeftOut leftOut;
    QxObjectSmartPtr<QxChartist> back = readBack(security.get(), parsed, leftOut);
    EXPECT_FALSE(leftOut.any());
    charttest::expectSameIndicators(chart, *back->getChart());
    // The average is over the RSI, not over the prices: values of 0..100.
    const auto rsiAverage = charttest::outputsOf(back->getChart()->getCalc(), back->getChart()->zoneAt(2)->indicatorAt(1));
    ASSERT_FALSE(rsiAverage[0].empty());
    EXPECT_NE(rsiAverage, charttest::outputsOf(chart.getCalc(), chart.zoneAt(0)->indicatorAt(1)));

    // A file of the form before input series were stored still opens, with
    // the inputs the functions take by default and nothing left out.
    wxXmlDocument old = parse(text.GetString().utf8_str());
    removeElementsNamed(old.GetRoot(), "InputSeries");
    QxLeftOut oldLeftOut;
    QxObjectSmartPtr<QxChartist> older = readBack(security.get(), old, oldLeftOut);
    EXPECT_FALSE(oldLeftOut.any());
    EXPECT_EQ(charttest::zoneContents(*older->getChart()),
              (std::vector<std::vector<std::string>>{{charttest::zoneContents(chart)[0][0], "SMA(20)",
                                                      "BBANDS(20, 2.00, 2.00, 0)", "SMA(30)"},
                                                     charttest::zoneContents(chart)[1],
                                                     {"RSI(14)", "SMA(9)"}}));
}

TEST(ChartDocument, AReferenceThatCannotBeJoinedIsToldAndTheRestIsRead)
{
    QxIndicatorRegistry::instance()->addBuiltInIndicators();
    QxObjectSmartPtr<QxSecurity> security(new charttest::MemSecurity(6, charttest::makeWalk(120)));
    // Zone 2's average names indicator 7, which the file does not hold; a
    // loop of two averages; a reference to an output RSI does not have.
    const wxXmlDocument doc = parse(R"(<TrendoriaChart><CHART Category="C" Symbol="S"><Zones>
        <Zone Index="0"/><Zone Index="1"/>
        <Zone Index="2">
          <Indicators>
            <RSI Index="0"><InputSeries Id="0"/></RSI>
            <SMA Index="1"><InputSeries><Input Index="0" IndicatorId="7" OutputIndex="0"/></InputSeries></SMA>
            <SMA Index="2"><InputSeries Id="2"><Input Index="0" IndicatorId="3" OutputIndex="0"/></InputSeries></SMA>
            <EMA Index="3"><InputSeries Id="3"><Input Index="0" IndicatorId="2" OutputIndex="0"/></InputSeries></EMA>
            <WMA Index="4"><InputSeries><Input Index="0" IndicatorId="0" OutputIndex="3"/></InputSeries></WMA>
            <WMA Index="5"><InputSeries><Input Index="0" IndicatorId="0" OutputIndex="0"/></InputSeries></WMA>
          </Indicators>
        </Zone></Zones></CHART></TrendoriaChart>)");
    QxLeftOut leftOut;
    QxObjectSmartPtr<QxChartist> back = readBack(security.get(), doc, leftOut);
    EXPECT_EQ(leftOut.inputs, 3u);
    EXPECT_EQ(leftOut.indicators, 0u);
    const auto zones = charttest::zoneContents(*back->getChart());
    ASSERT_EQ(zones.size(), 3u);
    ASSERT_EQ(zones[2].size(), 6u);
    EXPECT_EQ(zones[2][1], "SMA(30)");
    EXPECT_EQ(zones[2][4], "WMA(30)");
    EXPECT_EQ(zones[2][5], "WMA(30)[RSI(14)]");
    const wxString text = leftOutText(leftOut);
    EXPECT_TRUE(text.Contains("the input series of 3 indicators")) << text;
}

TEST(ChartFileZip, WrittenAndReadBack)
{
    const wxString dir = wxString::FromUTF8(TestSupport::makeTempDir("zip"));
    wxXmlDocument doc = parse(R"(<TrendoriaChart Version="2"><CHART Category="C" Symbol="Ä"/></TrendoriaChart>)");
    // Enough content that cutting the archive in half cuts the entry.
    for (unsigned i = 0; i < 2000; ++i)
        doc.GetRoot()->AddAttribute(wxString::Format("a%u", i), wxString::Format("%u", i * 2654435761u));
    const wxString path = dir + "/a.trdc";
    ASSERT_TRUE(writeChartFile(doc, path));

    // The archive holds "chart.xml" only.
    {
        wxFFileInputStream file(path, "rb");
        wxZipInputStream zip(file);
        std::vector<wxString> names;
        for (wxZipEntry* e = zip.GetNextEntry(); e; e = zip.GetNextEntry()) {
            names.push_back(e->GetName());
            delete e;
        }
        EXPECT_EQ(names, std::vector<wxString>{"chart.xml"});
    }
    wxXmlDocument back;
    ASSERT_EQ(readChartFile(path, back), QxChartFileRead::eOk);
    EXPECT_EQ(back.GetRoot()->GetChildren()->GetAttribute("Symbol"), wxString::FromUTF8("Ä"));

    // An entry beyond the limit is refused, whatever it holds.
    EXPECT_EQ(readChartFile(path, back, 20), QxChartFileRead::eCorrupt);
    EXPECT_EQ(readChartFile(dir + "/missing.trdc", back), QxChartFileRead::eCannotOpen);

    // Entries before "chart.xml" are skipped; the name's case counts.
    writeZip(dir + "/later.trdc", {{"readme.txt", "x"}, {"chart.xml", "<TrendoriaChart/>"}});
    EXPECT_EQ(readChartFile(dir + "/later.trdc", back), QxChartFileRead::eOk);
    writeZip(dir + "/capital.trdc", {{"Chart.xml", "<TrendoriaChart/>"}});
    EXPECT_EQ(readChartFile(dir + "/capital.trdc", back), QxChartFileRead::eCorrupt);
    writeZip(dir + "/text.trdc", {{"chart.xml", "this is not xml"}});
    EXPECT_EQ(readChartFile(dir + "/text.trdc", back), QxChartFileRead::eCorrupt);
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    writeZip(dir + "/deep.trdc", {{"chart.xml", deep}});
    EXPECT_EQ(readChartFile(dir + "/deep.trdc", back), QxChartFileRead::eCorrupt);
    // Also where a scan of the text would see no nesting at all.
    for (const TestSupport::HiddenDeepXml& hostile : TestSupport::hiddenDeepXml("TrendoriaChart")) {
        writeZip(dir + "/hidden.trdc", {{"chart.xml", hostile.text}});
        EXPECT_EQ(readChartFile(dir + "/hidden.trdc", back), QxChartFileRead::eCorrupt) << hostile.kind;
    }
    EXPECT_EQ(readChartFile(dir + "/text.trdc", back), QxChartFileRead::eCorrupt);

    // A truncated archive.
    wxString bytes;
    wxFFile(path, "rb").ReadAll(&bytes, wxConvISO8859_1);
    wxFFile(dir + "/cut.trdc", "wb").Write(bytes.Left(bytes.length() / 2), wxConvISO8859_1);
    EXPECT_EQ(readChartFile(dir + "/cut.trdc", back), QxChartFileRead::eCorrupt);
}
