// The default graphics of catalogue indicators and the template form of an
// indicator with its drawables.
#include "app/QxIndicatorRegistry.h"
#include "chart/QxColorScheme.h"
#include "chart/QxCurve.h"
#include "chart/QxHorzLine.h"
#include "chart/QxSarColorScheme.h"
#include "chart/QxTemplate.h"
#include "core/QxErrorCode.h"
#include "core/TaLibIndicator.h"
#include "core/ta/QxTaFunctionSet.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/sstream.h>
#include <wx/xml/xml.h>

#include <ctime>
#include <fstream>
#include <string>
#include <vector>

using IndPtr = QxObjectSmartPtr<QxIndicator>;

namespace {

IndPtr make(const char* name)
{
    const TA_FuncHandle* handle = nullptr;
    EXPECT_EQ(QxTaFunctionSet::getFuncHandle(name, &handle), TA_SUCCESS) << name;
    return IndPtr(new TaLibIndicator(handle));
}

wxColour colourOf(const QxDrawable* d)
{
    wxColour c;
    const QxColorScheme* scheme = d->getColorScheme();
    if (scheme)
        scheme->getColor(QxAtom("COLOR"), c);
    return c;
}

// "KIND role=out0 role=c70 #rrggbb": a drawable in a line, its bindings by
// output index (out) or constant (c), and its colour.
std::string describe(const QxIndicator* owner, const QxDrawable* d)
{
    std::string s = d->getName().string().ToStdString();
    for (const QxDataInfo& role : d->getParamInfos()) {
        const QxSeriesId& id = d->getSeries(role.name);
        if (id.kind() == QxSeriesId::eSeriesConstant && id.isValid())
            s += " " + role.name.string().ToStdString() + "=c" + std::to_string(int(id.value()));
        else if (id.isValid() && id.indicator() == owner)
            s += " " + role.name.string().ToStdString() + "=out" + std::to_string(id.outputIndex());
    }
    wxColour c = colourOf(d);
    return s + " " + (c.IsOk() ? c.GetAsString(wxC2S_HTML_SYNTAX).ToStdString() : std::string("none"));
}

std::vector<std::string> describeAll(QxIndicator* ind)
{
    std::vector<std::string> out;
    for (const auto& d : ind->drawables(true))
        out.push_back(describe(ind, d.get()));
    return out;
}

std::string xmlText(wxXmlNode* element)
{
    wxXmlDocument doc;
    doc.SetRoot(new wxXmlNode(wxXML_ELEMENT_NODE, "Root"));
    wxXmlNode* copy = new wxXmlNode(*element);
    doc.GetRoot()->AddChild(copy);
    wxStringOutputStream out;
    doc.Save(out);
    return out.GetString().ToStdString();
}

// Drops the drawables, whose bindings hold the indicator.
void release(IndPtr& ind)
{
    if (ind)
        ind->setDrawables(QxDrawableList());
    ind.reset();
}

} // namespace

TEST(TaLibIndicatorGraphics, FixedAndRuleBasedDefaults)
{
    const struct {
        const char* function;
        std::vector<std::string> drawables;
    } cases[] = {
        {"BBANDS",
         {"MOUNTAINBAND LOWER_CLIFF=out2 UPPER_CLIFF=out0 #E7E7BE", "SHORTDASHLINE DATA=out1 #AFAF91",
          "SOLIDLINE DATA=out0 #FF0000", "SOLIDLINE DATA=out2 #0000FF"}},
        {"ACCBANDS", {"MOUNTAINBAND LOWER_CLIFF=out2 UPPER_CLIFF=out0 #DCDC00", "SHORTDASHLINE DATA=out1 #AFAF91"}},
        {"ADX",
         {"MOUNTAIN CLIFF=out0 BASE=c0 #E4E4C8", "MOUNTAIN CLIFF=out0 BASE=c20 #FFFF00", "SOLIDLINE DATA=out0 #000000",
          "SOLIDLINE DATA=out1 #00FF00", "SOLIDLINE DATA=out2 #FF0000"}},
        {"RSI",
         {"HORZLINE YOffset=c70 #0A0000", "MOUNTAIN CLIFF=out0 BASE=c70 #FF0000", "HORZLINE YOffset=c30 #000A00",
          "INVERTEDMOUNTAIN CLIFF=out0 BASE=c30 #00FF00", "SOLIDLINE DATA=out0 #000000"}},
        {"STOCH", {"SOLIDLINE DATA=out0 #0000FF", "SOLIDLINE DATA=out1 #FF0000"}},
        {"STOCHF", {"SOLIDLINE DATA=out0 #0000FF", "SOLIDLINE DATA=out1 #FF0000"}},
        {"AROON", {"LONGDASHLINE DATA=out0 #FF0000", "SOLIDLINE DATA=out1 #00FF00"}},
        {"BOP", {"HISTOGRAM DATA=out0 #58A8D0"}},
    };
    for (const auto& c : cases) {
        IndPtr ind = make(c.function);
        EXPECT_EQ(describeAll(ind.get()), c.drawables) << c.function;
        release(ind);
    }

    // Rule-based sets whose first line takes a random colour.
    const struct {
        const char* function;
        std::vector<std::string> rest;
    } randomFirst[] = {
        {"MACD", {"LONGDASHLINE DATA=out1 #FF0000", "HISTOGRAM DATA=out2 #58A8D0"}},
        {"MACDEXT", {"LONGDASHLINE DATA=out1 #FF0000", "HISTOGRAM DATA=out2 #58A8D0"}},
        {"MAMA", {"LONGDASHLINE DATA=out1 #FF0000"}},
        {"STOCHRSI", {"LONGDASHLINE DATA=out1 #FF0000"}},
        {"HT_PHASOR", {"LONGDASHLINE DATA=out1 #FF0000"}},
        {"HT_SINE", {"LONGDASHLINE DATA=out1 #FF0000"}},
        {"SMA", {}},
    };
    for (const auto& c : randomFirst) {
        IndPtr ind = make(c.function);
        std::vector<std::string> all = describeAll(ind.get());
        ASSERT_EQ(all.size(), c.rest.size() + 1) << c.function;
        EXPECT_EQ(all[0].rfind("SOLIDLINE DATA=out0 #", 0), 0u) << all[0];
        EXPECT_EQ(std::vector<std::string>(all.begin() + 1, all.end()), c.rest) << c.function;
        // Curves are two pixels wide.
        EXPECT_EQ(dynamic_cast<const QxCurve*>(ind->drawables(false)[0].get())->width(), 2);
        release(ind);
    }
}

TEST(TaLibIndicatorGraphics, SarMarksTakeTheSarScheme)
{
    for (const char* name : {"SAR", "SAREXT"}) {
        IndPtr ind = make(name);
        const QxDrawableList& list = ind->drawables(true);
        ASSERT_EQ(list.size(), 1u) << name;
        EXPECT_EQ(list[0]->getName(), "MARKS");
        EXPECT_EQ(list[0]->getSeries(QxAtom("DATA")).indicator(), ind.get());
        auto* scheme = dynamic_cast<QxSarColorScheme*>(list[0]->getColorScheme());
        ASSERT_NE(scheme, nullptr) << name;
        const QxSeriesId& sar = scheme->getSeries(QxAtom("SAR"));
        EXPECT_EQ(sar.indicator(), ind.get());
        EXPECT_EQ(sar.outputIndex(), 0u);
        release(ind);
    }
}

TEST(TaLibIndicatorGraphics, RandomColoursWithinOneSecondAgree)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::time_t before = std::time(nullptr);
        IndPtr a = make("SMA"), b = make("EMA");
        const wxColour ca = colourOf(a->drawables(true)[0].get());
        const wxColour cb = colourOf(b->drawables(true)[0].get());
        const bool sameSecond = std::time(nullptr) == before;
        release(a);
        release(b);
        for (const wxColour& c : {ca, cb}) {
            EXPECT_LE(c.Red(), 174);
            EXPECT_LE(c.Green(), 174);
            EXPECT_LE(c.Blue(), 174);
        }
        if (!sameSecond)
            continue; // a second boundary fell between them
        EXPECT_EQ(ca, cb);
        return;
    }
    ADD_FAILURE() << "never two colours within one second";
}

TEST(TaLibIndicatorGraphics, BbandsTemplateLayoutAndReadBack)
{
    IndPtr bb = make("BBANDS");
    bb->drawables(true);
    wxXmlNode root(wxXML_ELEMENT_NODE, "Indicators");
    wxXmlNode* element = bb->toXml(&root, QxIndicator::eXmlParams | QxIndicator::eXmlDrawables);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->GetName(), "BBANDS");

    const wxXmlNode* drawables = element->GetChildren();
    ASSERT_NE(drawables, nullptr);
    EXPECT_EQ(drawables->GetName(), "Drawables");
    const wxXmlNode* params = drawables->GetNext();
    ASSERT_NE(params, nullptr);
    EXPECT_EQ(params->GetName(), "OptionalParameters");
    EXPECT_EQ(params->GetNext(), nullptr);

    const char* kinds[] = {"MOUNTAINBAND", "SHORTDASHLINE", "SOLIDLINE", "SOLIDLINE"};
    const wxXmlNode* d = drawables->GetChildren();
    for (int i = 0; i < 4; ++i, d = d->GetNext()) {
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->GetName(), kinds[i]);
        EXPECT_EQ(d->GetAttribute("Index"), wxString::Format("%d", i));
    }
    EXPECT_EQ(d, nullptr);

    const char* expected[][2] = {
        {"Time Period", "20L"}, {"Deviations up", "2.000000D"}, {"Deviations down", "2.000000D"}, {"MA Type", "0L"}};
    const wxXmlNode* p = params->GetChildren();
    for (const auto& e : expected) {
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->GetName(), "OptParam");
        EXPECT_EQ(p->GetAttribute("Name"), e[0]);
        EXPECT_EQ(p->GetAttribute("Value"), e[1]);
        p = p->GetNext();
    }
    EXPECT_EQ(p, nullptr);

    // Read into a fresh clone: the same indicator, graphics and all, and the
    // same text when written again.
    IndPtr back(make("BBANDS")->clone(QxIndicator::eCloneParams));
    EXPECT_EQ(back->fromXml(element), 0);
    EXPECT_TRUE(back->isEquivalent(bb.get()));
    EXPECT_EQ(describeAll(back.get()), describeAll(bb.get()));
    wxXmlNode root2(wxXML_ELEMENT_NODE, "Indicators");
    EXPECT_EQ(xmlText(back->toXml(&root2, 3)), xmlText(element));
    release(back);
    release(bb);
}

TEST(TaLibIndicatorGraphics, DrawablesReaderKeepsIndexOrderAndSkipsTheUnusable)
{
    const char* text = "<SMA><drawables>"
                       "<SOLIDLINE Index=\"5\"><Params><DATA Value=\"0L\"/></Params></SOLIDLINE>"
                       "<NOSUCHKIND Index=\"1\"/>"
                       "<HISTOGRAM><Params><DATA Value=\"0L\"/></Params></HISTOGRAM>"
                       "<DOTTEDLINE Index=\"0\"/>"
                       "</drawables></SMA>";
    wxStringInputStream in(text);
    wxXmlDocument doc;
    ASSERT_TRUE(doc.Load(in));
    IndPtr sma = make("SMA");
    EXPECT_EQ(sma->fromXml(doc.GetRoot()), 0);
    const QxDrawableList& list = sma->drawables(false);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->getName(), "DOTTEDLINE");
    EXPECT_EQ(list[1]->getName(), "SOLIDLINE");
    EXPECT_EQ(list[1]->getSeries(QxAtom("DATA")).indicator(), sma.get());

    // Nothing usable: the drawables stay as they were.
    const char* useless = "<SMA><Drawables><NOSUCHKIND Index=\"0\"/><SOLIDLINE/></Drawables></SMA>";
    wxStringInputStream in2(useless);
    ASSERT_TRUE(doc.Load(in2));
    EXPECT_EQ(sma->fromXml(doc.GetRoot()), 0);
    EXPECT_EQ(sma->drawables(false).size(), 2u);
    release(sma);

    // Without drawables the element is written empty.
    IndPtr bare = make("SMA");
    wxXmlNode root(wxXML_ELEMENT_NODE, "Indicators");
    wxXmlNode* element = bare->toXml(&root, QxIndicator::eXmlDrawables);
    ASSERT_NE(element->GetChildren(), nullptr);
    EXPECT_EQ(element->GetChildren()->GetName(), "Drawables");
    EXPECT_EQ(element->GetChildren()->GetChildren(), nullptr);
    EXPECT_EQ(element->GetChildren()->GetNext(), nullptr);
}

TEST(TaLibIndicatorGraphics, ClonedDefaultsPaintTheClone)
{
    IndPtr bb = make("BBANDS");
    bb->drawables(true);
    IndPtr copy(bb->clone(QxIndicator::eCloneParams | QxIndicator::eCloneDrawables));
    EXPECT_EQ(describeAll(copy.get()), describeAll(bb.get()));
    for (const auto& d : copy->drawables(false)) {
        for (const QxDataInfo& role : d->getParamInfos()) {
            const QxSeriesId& id = d->getSeries(role.name);
            if (id.kind() == QxSeriesId::eSeriesIndicator) {
                EXPECT_EQ(id.indicator(), copy.get());
            }
        }
    }
    release(copy);
    release(bb);
}

// A drawable or colour scheme binding one role twice used to drop the only
// reference to the indicator being read, freeing it mid-read. Such a file is
// refused, by every reader that reaches it, and nothing leaks.
TEST(TaLibIndicatorGraphics, ARoleBoundTwiceRefusesTheIndicator)
{
    QxIndicatorRegistry::instance()->addBuiltInIndicators();
    const char* const damaged[] = {
        "<SMA Index=\"0\"><Drawables><SOLIDLINE Index=\"0\"><Params><DATA Value=\"0L\"/><DATA Value=\"1.5D\"/>"
        "</Params></SOLIDLINE></Drawables></SMA>",
        "<SMA Index=\"0\"><Drawables><SOLIDLINE Index=\"0\"><Params><DATA Value=\"1.5D\"/><DATA Value=\"0L\"/>"
        "</Params></SOLIDLINE></Drawables></SMA>",
        "<SAR Index=\"0\"><Drawables><DOTTEDLINE Index=\"0\"><Params><DATA Value=\"0L\"/></Params>"
        "<ColorScheme Name=\"SarColorScheme\"><DataParams><SAR Value=\"0L\"/><SAR Value=\"0L\"/></DataParams></ColorScheme>"
        "</DOTTEDLINE></Drawables></SAR>",
    };
    const std::string dir = TestSupport::makeTempDir("double-bound");
    for (const char* indicator : damaged) {
        const std::string text = std::string("<TrendoriaTemplate Version=\"2\">") + indicator + "</TrendoriaTemplate>";
        const wxFileName file(wxString::FromUTF8(dir), "double.trdt");
        std::ofstream(file.GetFullPath().ToStdString(), std::ios::binary) << text;
        QxObjectSmartPtr<QxTemplate> tmpl(new QxTemplate());
        EXPECT_EQ(tmpl->loadFromFile(file), eInconsistentData) << indicator;
        EXPECT_EQ(tmpl->numIndics(), 0u);

        // The same element in an indicator list and alone.
        wxStringInputStream in(wxString::FromUTF8(text));
        wxXmlDocument doc;
        ASSERT_TRUE(doc.Load(in));
        std::vector<IndPtr> list;
        EXPECT_EQ(QxIndicator::fromXml(doc.GetRoot(), list), eInconsistentData);
        EXPECT_TRUE(list.empty());
        int rc = eNoError;
        EXPECT_EQ(QxIndicator::createFromXml(doc.GetRoot()->GetChildren(), &rc), nullptr);
        EXPECT_EQ(rc, eInconsistentData);
    }
    // Each role bound once still reads.
    wxStringInputStream in("<L><SMA Index=\"0\"><Drawables><SOLIDLINE Index=\"0\"><Params><DATA Value=\"0L\"/>"
                           "</Params></SOLIDLINE></Drawables></SMA></L>");
    wxXmlDocument doc;
    ASSERT_TRUE(doc.Load(in));
    std::vector<IndPtr> list;
    ASSERT_EQ(QxIndicator::fromXml(doc.GetRoot(), list), eNoError);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(describeAll(list[0].get()).size(), 1u);
    release(list[0]);
}
