// Series ids and the indicator base: validity, differences, cycles, display
// names, equivalence, XML forms and freeing an indicator kept alive only by
// its own drawables.
#include "support/CalcFakes.h"

#include "app/QxIndicatorRegistry.h"
#include "core/QxIndicator.h"
#include "core/QxSeriesId.h"
#include "trading/QxSeriesText.h"

#include <wx/sstream.h>
#include <wx/xml/xml.h>

#include <gtest/gtest.h>

using namespace calctest;
using IndPtr = QxObjectSmartPtr<QxIndicator>;

namespace {

class IndicatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QxIndicatorRegistry::destroy();
        ASSERT_EQ(QxIndicatorRegistry::instance()->addIndicator(MeanIndicator::sma()), eNoError);
        ASSERT_EQ(QxIndicatorRegistry::instance()->addIndicator(MeanIndicator::macd()), eNoError);
    }
    void TearDown() override
    {
        QxIndicatorRegistry::destroy();
        EXPECT_EQ(MeanIndicator::alive, 0);
        EXPECT_EQ(LineDrawable::alive, 0);
    }
};

wxString writeDocument(wxXmlNode* root)
{
    wxXmlDocument doc;
    doc.SetRoot(root);
    wxStringOutputStream out;
    doc.Save(out);
    return out.GetString();
}

wxXmlNode* readDocument(const wxString& text, wxXmlDocument& doc)
{
    wxStringInputStream in(text);
    if (!doc.Load(in))
        return nullptr;
    return doc.GetRoot();
}

} // namespace

TEST_F(IndicatorTest, SeriesIdValidity)
{
    IndPtr macd(MeanIndicator::macd());
    EXPECT_TRUE(QxSeriesId(QxSeriesId::eSeriesClose).isValid());
    EXPECT_TRUE(QxSeriesId(128).isValid()); // a single bit below the indicator kind
    EXPECT_FALSE(QxSeriesId(0).isValid());
    EXPECT_FALSE(QxSeriesId(768).isValid());
    EXPECT_FALSE(QxSeriesId(65536).isValid());
    EXPECT_TRUE(QxSeriesId::constant(50).isValid());
    EXPECT_TRUE(QxSeriesId(macd.get(), 2).isValid());
    // An index equal to the number of outputs names nothing and drops the indicator.
    const QxSeriesId beyond(macd.get(), 3);
    EXPECT_FALSE(beyond.isValid());
    EXPECT_EQ(beyond.indicator(), nullptr);
    EXPECT_FALSE(QxSeriesId(nullptr, 0).isValid());
    const QxSeriesId& null = QxSeriesId::null();
    EXPECT_EQ(null.kind(), unsigned(QxSeriesId::eSeriesIndicator));
    EXPECT_EQ(null.outputIndex(), QxSeriesId::eNoOutput);
    EXPECT_FALSE(null.isValid());
}

TEST_F(IndicatorTest, SeriesIdDifferences)
{
    IndPtr a(MeanIndicator::sma(14)), b(MeanIndicator::sma(14)), c(MeanIndicator::sma(15));
    EXPECT_FALSE(QxSeriesId(2048).differsFrom(QxSeriesId(2048)));
    EXPECT_TRUE(QxSeriesId(2048).differsFrom(QxSeriesId(1024)));
    EXPECT_FALSE(QxSeriesId::constant(50).differsFrom(QxSeriesId::constant(50)));
    EXPECT_TRUE(QxSeriesId::constant(50).differsFrom(QxSeriesId::constant(70)));
    EXPECT_TRUE(QxSeriesId::constant(std::nan("")).differsFrom(QxSeriesId::constant(std::nan(""))));
    EXPECT_FALSE(QxSeriesId(a.get(), 0).differsFrom(QxSeriesId(b.get(), 0))); // equivalent indicators
    EXPECT_TRUE(QxSeriesId(a.get(), 0).differsFrom(QxSeriesId(c.get(), 0)));
    EXPECT_TRUE(QxSeriesId(a.get(), 0).differsFrom(QxSeriesId::null()));
    EXPECT_FALSE(QxSeriesId::null().differsFrom(QxSeriesId::null()));
    EXPECT_TRUE(QxSeriesId(65536).differsFrom(QxSeriesId(65536)));
}

TEST_F(IndicatorTest, InputBindingRefusesCycles)
{
    IndPtr a(MeanIndicator::sma()), b(MeanIndicator::sma());
    EXPECT_EQ(a->setInputSeries(1, QxSeriesId(2048)), eInvalidIndex);
    EXPECT_EQ(a->setInputSeries(0, QxSeriesId(a.get(), 0)), eInvalidInput);
    ASSERT_EQ(b->setInputSeries(0, QxSeriesId(a.get(), 0)), eNoError);
    EXPECT_EQ(a->setInputSeries(0, QxSeriesId(b.get(), 0)), eInvalidInput);
    EXPECT_FALSE(a->getInputSeries(0).isValid()); // nothing stored
    // A longer chain is caught too.
    IndPtr c(MeanIndicator::sma());
    ASSERT_EQ(c->setInputSeries(0, QxSeriesId(b.get(), 0)), eNoError);
    EXPECT_EQ(a->setInputSeries(0, QxSeriesId(c.get(), 0)), eInvalidInput);
    EXPECT_TRUE(QxSeriesId(c.get(), 0).leadsTo(a.get()));
    EXPECT_FALSE(QxSeriesId(a.get(), 0).leadsTo(c.get()));
    // Undo the chain so the indicators are freed.
    b->setInputSeries(0, QxSeriesId::null());
}

TEST_F(IndicatorTest, DisplayNames)
{
    IndPtr sma(MeanIndicator::sma(30));
    EXPECT_EQ(sma->getDisplayName(), "SMA(30)");
    sma->setInputSeries(0, QxSeriesId(QxSeriesId::eSeriesClose));
    EXPECT_EQ(sma->getDisplayName(), "SMA(30)[Close]");

    IndPtr bbands(new MeanIndicator("BBANDS", {QxSeriesId::eSeriesIndicator},
                                    {QxParamInfo(QxAtom("a"), "", QxValue(int32_t(20))),
                                     QxParamInfo(QxAtom("b"), "", QxValue(2.0)),
                                     QxParamInfo(QxAtom("c"), "", QxValue(2.0)),
                                     QxParamInfo(QxAtom("d"), "", QxValue(int32_t(0)))},
                                    {QxAtom("Upper"), QxAtom("Middle"), QxAtom("Lower")}));
    EXPECT_EQ(bbands->getDisplayName(), "BBANDS(20, 2.00, 2.00, 0)");

    IndPtr odd(new MeanIndicator("X", {QxSeriesId::eSeriesIndicator},
                                 {QxParamInfo(QxAtom("f"), "", QxValue(1.5f)),
                                  QxParamInfo(QxAtom("n"), "", QxValue(int32_t(5)))},
                                 {QxAtom("Out")}));
    EXPECT_EQ(odd->getDisplayName(), "X(, 5)");

    IndPtr bare(new MeanIndicator("OBV", {QxSeriesId::eSeriesIndicator}, {}, {QxAtom("Out")}));
    bare->setInputSeries(0, QxSeriesId(QxSeriesId::eSeriesClose));
    EXPECT_EQ(bare->getDisplayName(), "OBV");

    // An input naming an output of a many-output indicator carries the output name.
    IndPtr over(MeanIndicator::sma(9));
    over->setInputSeries(0, QxSeriesId(bbands.get(), 2));
    EXPECT_EQ(over->getDisplayName(), "SMA(9)[BBANDS(20, 2.00, 2.00, 0).Lower]");
    over->setInputSeries(0, QxSeriesId::constant(50));
    EXPECT_EQ(over->getDisplayName(), "SMA(9)[50]");
}

TEST_F(IndicatorTest, SeriesTexts)
{
    struct Case {
        uint32_t kind;
        const char* text;
    } fields[] = {{256, "Open"}, {512, "High"}, {1024, "Low"}, {2048, "Close"}, {4096, "Volume"}, {8192, "Open Interest"}};
    for (const Case& c : fields) {
        wxString text = "untouched";
        EXPECT_TRUE(priceFieldName(c.kind, text));
        EXPECT_EQ(text, c.text);
        text = "untouched";
        EXPECT_TRUE(seriesIdText(QxSeriesId(c.kind), text));
        EXPECT_EQ(text, c.text);
    }
    wxString text = "untouched";
    EXPECT_FALSE(priceFieldName(128, text));
    EXPECT_FALSE(seriesIdText(QxSeriesId(128), text));
    EXPECT_FALSE(seriesIdText(QxSeriesId::null(), text));
    EXPECT_EQ(text, "untouched");

    IndPtr macd(MeanIndicator::macd()), sma(MeanIndicator::sma(5));
    EXPECT_TRUE(indicatorSeriesText(macd.get(), 1, text));
    EXPECT_EQ(text, "MACD(3).MACDSignal");
    EXPECT_TRUE(indicatorSeriesText(macd.get(), 7, text));
    EXPECT_EQ(text, "MACD(3)");
    EXPECT_TRUE(indicatorSeriesText(sma.get(), 0, text));
    EXPECT_EQ(text, "SMA(5)"); // one output: no suffix
}

TEST_F(IndicatorTest, Equivalence)
{
    IndPtr a(MeanIndicator::sma(14)), b(MeanIndicator::sma(14)), c(MeanIndicator::sma(15));
    a->setInputSeries(0, QxSeriesId(2048));
    b->setInputSeries(0, QxSeriesId(2048));
    c->setInputSeries(0, QxSeriesId(2048));
    EXPECT_TRUE(a->isEquivalent(b.get()));
    EXPECT_FALSE(a->isEquivalent(c.get()));
    EXPECT_FALSE(a->isEquivalent(nullptr));

    // Over outputs of two different but equivalent indicators.
    IndPtr m1(MeanIndicator::macd()), m2(MeanIndicator::macd());
    a->setInputSeries(0, QxSeriesId(m1.get(), 0));
    b->setInputSeries(0, QxSeriesId(m2.get(), 0));
    EXPECT_TRUE(a->isEquivalent(b.get()));
    b->setInputSeries(0, QxSeriesId(m2.get(), 1));
    EXPECT_FALSE(a->isEquivalent(b.get()));
    m2->setParam(0, QxValue(int32_t(4)));
    b->setInputSeries(0, QxSeriesId(m2.get(), 0));
    EXPECT_FALSE(a->isEquivalent(b.get()));

    // Same period as int32 and as double differ.
    IndPtr d(MeanIndicator::sma(14));
    d->setParam(0, QxValue(14.0));
    d->setInputSeries(0, QxSeriesId(m1.get(), 0));
    EXPECT_FALSE(a->isEquivalent(d.get()));
    // Different names never are.
    IndPtr e(new MeanIndicator("EMA", {QxSeriesId::eSeriesIndicator},
                               {QxParamInfo(QxAtom("optInTimePeriod"), "", QxValue(int32_t(14)))}, {QxAtom("Real")}));
    e->setInputSeries(0, QxSeriesId(m1.get(), 0));
    EXPECT_FALSE(a->isEquivalent(e.get()));
}

TEST_F(IndicatorTest, CloneWithInputsOwnsAPrivateInputGraph)
{
    IndPtr base(MeanIndicator::macd());
    IndPtr both(new MeanIndicator("PAIR", {QxSeriesId::eSeriesIndicator, QxSeriesId::eSeriesIndicator},
                                  {QxParamInfo(QxAtom("optInTimePeriod"), "", QxValue(int32_t(2)))},
                                  {QxAtom("Out")}));
    both->setInputSeries(0, QxSeriesId(base.get(), 0));
    both->setInputSeries(1, QxSeriesId(base.get(), 2));

    IndPtr copy(both->clone(QxIndicator::eCloneParams | QxIndicator::eCloneInputs));
    QxIndicator* in0 = copy->getInputSeries(0).indicator();
    QxIndicator* in1 = copy->getInputSeries(1).indicator();
    ASSERT_NE(in0, nullptr);
    EXPECT_NE(in0, base.get()); // a clone, not the original
    EXPECT_EQ(in0, in1);        // one clone per source indicator
    EXPECT_EQ(copy->getInputSeries(1).outputIndex(), 2u);
    EXPECT_TRUE(copy->isEquivalent(both.get()));
    // Changing the original afterwards leaves the copy alone.
    base->setParam(0, QxValue(int32_t(9)));
    EXPECT_FALSE(copy->isEquivalent(both.get()));

    IndPtr bare(both->clone(QxIndicator::eCloneParams));
    EXPECT_FALSE(bare->getInputSeries(0).isValid());
}

TEST_F(IndicatorTest, SeriesIdXmlRoundTrip)
{
    IndPtr macd(MeanIndicator::macd());
    macd->setParam(0, QxValue(int32_t(12)));

    struct Case {
        QxSeriesId id;
        const char* expected; // attributes of the written element
    } cases[] = {
        {QxSeriesId(2048), "Type=\"2048\""},
        {QxSeriesId::constant(70.5), "Value=\"70.500000\""},
        {QxSeriesId(macd.get(), 1), "OutputIndex=\"1\""},
    };
    for (const Case& c : cases) {
        auto* root = new wxXmlNode(wxXML_ELEMENT_NODE, "Root");
        c.id.toXml(root);
        const wxString text = writeDocument(root);
        EXPECT_NE(text.Find(c.expected), wxNOT_FOUND) << text;

        wxXmlDocument doc;
        wxXmlNode* back = readDocument(text, doc);
        ASSERT_NE(back, nullptr);
        const QxSeriesId id = QxSeriesId::fromXml(back->GetChildren());
        EXPECT_EQ(id.kind(), c.id.kind());
        EXPECT_FALSE(id.differsFrom(c.id)) << text;
        if (c.id.indicator()) {
            ASSERT_NE(id.indicator(), nullptr);
            EXPECT_NE(id.indicator(), macd.get()); // re-created, with its parameters
            EXPECT_EQ(id.indicator()->paramInfos()[0].value, QxValue(int32_t(12)));
            EXPECT_EQ(id.outputIndex(), 1u);
        }
    }
}

TEST_F(IndicatorTest, SeriesIdFromMalformedXml)
{
    wxXmlDocument doc;
    struct Case {
        const char* xml;
        uint32_t kind;
        bool valid;
        double value;
    } cases[] = {
        {"<SeriesId/>", QxSeriesId::eSeriesIndicator, false, 0},              // no Type: the null id
        {"<SeriesId Type=\"32768\"/>", QxSeriesId::eSeriesConstant, true, 0}, // constant 0.0
        {"<SeriesId Type=\"16384\" OutputIndex=\"0\"><NOSUCH/></SeriesId>", QxSeriesId::eSeriesIndicator, false, 0},
        {"<SeriesId Type=\"16384\" OutputIndex=\"5\"><MACD/></SeriesId>", QxSeriesId::eSeriesIndicator, false, 0},
        {"<SeriesId Type=\"768\"/>", 768, false, 0},
        {"<SeriesId Type=\"junk\"/>", 0, false, 0},
    };
    for (const Case& c : cases) {
        wxXmlNode* node = readDocument(c.xml, doc);
        ASSERT_NE(node, nullptr) << c.xml;
        const QxSeriesId id = QxSeriesId::fromXml(node);
        EXPECT_EQ(id.kind(), c.kind) << c.xml;
        EXPECT_EQ(id.isValid(), c.valid) << c.xml;
        EXPECT_EQ(id.value(), c.value) << c.xml;
    }
    EXPECT_FALSE(QxSeriesId::fromXml(nullptr).isValid());
}

TEST_F(IndicatorTest, ListXmlKeepsOrderAndIndex)
{
    std::vector<IndPtr> list{IndPtr(MeanIndicator::sma(5)), IndPtr(MeanIndicator::macd()), IndPtr(MeanIndicator::sma(7))};
    auto* root = new wxXmlNode(wxXML_ELEMENT_NODE, "Indicators");
    ASSERT_EQ(QxIndicator::toXml(list, root), eNoError);
    std::vector<wxString> names, indexes;
    for (wxXmlNode* c = root->GetChildren(); c; c = c->GetNext()) {
        names.push_back(c->GetName());
        indexes.push_back(c->GetAttribute("Index"));
    }
    EXPECT_EQ(names, (std::vector<wxString>{"SMA", "MACD", "SMA"}));
    EXPECT_EQ(indexes, (std::vector<wxString>{"0", "1", "2"}));

    wxXmlDocument doc;
    wxXmlNode* back = readDocument(writeDocument(root), doc);
    ASSERT_NE(back, nullptr);
    std::vector<IndPtr> read{IndPtr(MeanIndicator::sma(99))}; // appended to, not replaced
    ASSERT_EQ(QxIndicator::fromXml(back, read), eNoError);
    ASSERT_EQ(read.size(), 4u);
    for (size_t i = 0; i < list.size(); ++i)
        EXPECT_TRUE(read[i + 1]->isEquivalent(list[i].get())) << i;
}

TEST_F(IndicatorTest, ListXmlReadsByIndexAndRefusesRepeats)
{
    wxXmlDocument doc;
    std::vector<IndPtr> list;
    // Gaps close up and document order does not matter; unknown names and
    // elements without Index are passed over.
    ASSERT_NE(readDocument("<L><MACD Index=\"5\"/><SMA Index=\"0\"/><EMA Index=\"1\"/><SMA/>text</L>", doc), nullptr);
    ASSERT_EQ(QxIndicator::fromXml(doc.GetRoot(), list), eNoError);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->getName(), "SMA");
    EXPECT_EQ(list[1]->getName(), "MACD");

    list.clear();
    ASSERT_NE(readDocument("<L><SMA Index=\"0\"/><MACD Index=\"0\"/></L>", doc), nullptr);
    EXPECT_EQ(QxIndicator::fromXml(doc.GetRoot(), list), eInconsistentData);
    EXPECT_TRUE(list.empty());
}

TEST_F(IndicatorTest, CreateFromXmlClonesTheRegisteredPrototype)
{
    wxXmlDocument doc;
    ASSERT_NE(readDocument("<SMA><OptionalParameters><OptParam Name=\"optInTimePeriod\" Value=\"30L\"/>"
                           "</OptionalParameters></SMA>",
                           doc),
              nullptr);
    IndPtr sma(QxIndicator::createFromXml(doc.GetRoot()));
    ASSERT_NE(sma.get(), nullptr);
    EXPECT_NE(sma.get(), QxIndicatorRegistry::instance()->getIndicator(QxAtom("SMA")));
    EXPECT_EQ(sma->getDisplayName(), "SMA(30)");
    ASSERT_NE(readDocument("<sma/>", doc), nullptr); // names are exact
    EXPECT_EQ(QxIndicator::createFromXml(doc.GetRoot()), nullptr);
}

TEST_F(IndicatorTest, RegistryCodes)
{
    QxIndicatorRegistry* reg = QxIndicatorRegistry::instance();
    QxIndicator* first = reg->getIndicator(QxAtom("SMA"));
    IndPtr second(MeanIndicator::sma());
    EXPECT_EQ(reg->addIndicator(second.get()), eIndicatorNameAlreadyExists);
    EXPECT_EQ(reg->getIndicator(QxAtom("SMA")), first);
    EXPECT_EQ(second->numRefs(), 1); // the registry took nothing
    IndPtr unnamed(new MeanIndicator("", {}, {}, {}));
    EXPECT_EQ(reg->addIndicator(unnamed.get()), eInvalidIndicatorName);
    EXPECT_EQ(reg->removeIndicator(QxAtom("NOSUCH")), eIndicatorNotFound);
    EXPECT_EQ(reg->removeIndicator(QxAtom("SMA")), eNoError);
    EXPECT_EQ(reg->getIndicator(QxAtom("SMA")), nullptr);
}

TEST_F(IndicatorTest, IndicatorHeldOnlyByItsDrawablesIsFreed)
{
    const int prototypes = MeanIndicator::alive;
    for (bool conditionHoldsIt : {false, true}) {
        SCOPED_TRACE(conditionHoldsIt);
        IndPtr zone(MeanIndicator::macd());
        IndPtr condition;
        if (conditionHoldsIt)
            condition = zone;
        QxDrawableList graphics;
        for (uint32_t output : {0u, 1u}) {
            auto* line = new LineDrawable;
            line->setSeries(QxAtom("DATA"), QxSeriesId(zone.get(), output));
            graphics.emplace_back(line);
        }
        // A scheme shared by both drawables counts once.
        auto* scheme = new MarkScheme;
        scheme->setSeries(QxAtom("SAR"), QxSeriesId(zone.get(), 2));
        graphics[0]->setColorScheme(scheme);
        graphics[1]->setColorScheme(scheme);
        zone->setDrawables(graphics);
        graphics.clear();
        EXPECT_EQ(zone->numRefs(), conditionHoldsIt ? 5 : 4);

        zone.reset();
        if (conditionHoldsIt) {
            // Survives with its drawables while the condition holds it.
            EXPECT_EQ(MeanIndicator::alive, prototypes + 1);
            EXPECT_EQ(condition->drawables(false).size(), 2u);
            condition.reset();
        }
        EXPECT_EQ(MeanIndicator::alive, prototypes);
        EXPECT_EQ(LineDrawable::alive, 0);
    }
}
