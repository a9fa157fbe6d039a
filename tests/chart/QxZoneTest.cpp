// Zones: geometry and hit tests, the indicator list, set-up against the
// calculator, painting, and the "Zone" XML with patterns and annotations.
#include "support/ChartFixtures.h"
#include "support/ChartTestSupport.h"
#include "chart/QxPrice.h"
#include "chart/QxPriceObj.h"
#include "chart/QxVolume.h"
#include "chart/QxZone.h"
#include "chartview/QxAnnot.h"
#include "chartview/QxRectAnnot.h"
#include "chartview/QxPattern.h"
#include "chartview/QxPatternRegistry.h"
#include "core/QxCalculator.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/sstream.h>

#include <wx/dcmemory.h>
#include <wx/xml/xml.h>

#include <limits>

using namespace charttest;

namespace {

QxZoneConfiguration stripConfig(bool strip = true)
{
    QxZoneConfiguration c;
    c.hasTitleStrip = strip;
    c.titleBgColor = wxColour(54, 54, 27);
    c.titleTextColor = wxColour(198, 198, 40);
    c.titleFont = wxFont(wxFontInfo(10).Bold());
    c.titleAlignment = wxALIGN_CENTER;
    return c;
}

// A pattern or annotation of a test kind: remembers a number, paints a
// filled square and asks for a margin.
class TestPattern : public QxPattern {
public:
    explicit TestPattern(int tag_ = 0) : tag(tag_) {}
    QxAtom getName() const override { return QxAtom("TestPattern"); }
    QxPattern* clone() const override { return new TestPattern(*this); }
    void display(wxDC&, unsigned, unsigned, const QxScale&, const QxScale&) const override { ++paints; }
    wxXmlNode* toXml(wxXmlNode* parent) const override
    {
        auto* node = new wxXmlNode(parent, wxXML_ELEMENT_NODE, "TestPattern");
        node->AddAttribute("Tag", wxString::Format("%d", tag));
        return node;
    }
    int getMargins(unsigned, unsigned, const QxScale&, const QxScale&, wxPoint& top, wxPoint& bottom) const override
    {
        top.y = 15;
        bottom.y = 5;
        return 0;
    }
    int fromXml(const wxXmlNode* e) override
    {
        tag = wxAtoi(e->GetAttribute("Tag"));
        return 0;
    }
    int tag;
    mutable int paints = 0;
};

// A rectangle that counts its drawing; its tag is its first point's bar,
// which the element it writes carries back.
class TestAnnot : public QxRectAnnot {
public:
    explicit TestAnnot(int tag = 0)
    {
        setPoint(0, QxPoint{double(tag), 1.0});
        setPoint(1, QxPoint{double(tag) + 1.0, 2.0});
    }
    QxAnnot* clone() const override { return new TestAnnot(*this); }
    int draw(wxDC& dc, unsigned first, unsigned last, const QxScale& x, const QxScale& y) const override
    {
        ++draws;
        return QxRectAnnot::draw(dc, first, last, x, y);
    }
    wxXmlNode* toXml(wxXmlNode* parent) const override
    {
        wxXmlNode* node = QxRectAnnot::toXml(parent);
        node->AddAttribute("Tag", wxString::Format("%d", tagOf(this)));
        return node;
    }
    static int tagOf(const QxAnnot* annot) { return static_cast<int>(annot->getPoint(0).x); }
    mutable int draws = 0;
};

struct ZoneFixture : ::testing::Test {
    void SetUp() override
    {
        ParamIndicator::registerPrototype("ZONEA");
        QxPatternRegistry::instance().addObj(new TestPattern);
    }
};

} // namespace

TEST_F(ZoneFixture, GeometryAndHitTests)
{
    QxObjectSmartPtr<QxZone> zone(new QxZone(stripConfig(), 100));
    wxBitmap bitmap(50, 50, 24);
    wxMemoryDC dc(bitmap);
    zone->setOrigin(wxPoint(100, 50));
    zone->setWidth(200);
    zone->setup(dc, nullptr);
    const int S = zone->getTitleHeight();
    ASSERT_GT(S, 0);
    EXPECT_EQ(zone->getHeight(), 100 + S);
    EXPECT_EQ(zone->getInnerRect(), wxRect(100, 50 + S, 200, 100));
    const int B = 50 + S + 100;

    const struct {
        wxPoint p;
        QxZoneHitTest hit;
    } cases[] = {
        {{100, 50}, eZoneHitTitle},           // the strip wins over the corner
        {{150, 50 + S - 1}, eZoneHitTitle},
        {{98, 49}, eZoneHitTopLeft},
        {{302, 50 + S}, eZoneHitTopRight},
        {{300, B + 2}, eZoneHitBottomRight},
        {{100, B}, eZoneHitBottomLeft},
        {{97, 100}, eZoneHitLeft},             // just outside, within the tolerance
        {{96, 100}, eZoneHitOutside},          // beyond it
        {{303, 100}, eZoneHitRight},
        {{150, B - 3}, eZoneHitBottom},
        {{150, 100}, eZoneHitInside},
        {{150, B + 20}, eZoneHitOutside},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zone->hitTest(c.p, 3), c.hit) << c.p.x << "," << c.p.y;

    // The total height includes the strip; a total below it is taken positively.
    zone->setHeight(S + 80);
    EXPECT_EQ(zone->getPlotHeight(), 80);
    zone->setHeight(S - 7);
    EXPECT_EQ(zone->getPlotHeight(), 7);

    // An invalid title font drops the strip.
    QxZoneConfiguration noFont = stripConfig();
    noFont.titleFont = wxNullFont;
    zone->setConfig(noFont);
    zone->setup(dc, nullptr);
    EXPECT_FALSE(zone->getConfig().hasTitleStrip);
    EXPECT_EQ(zone->getTitleHeight(), 0);
}

TEST_F(ZoneFixture, IndicatorList)
{
    QxObjectSmartPtr<QxZone> zone(new QxZone(stripConfig(), 100));
    EXPECT_EQ(zone->addIndicator(nullptr), eInvalidObject);
    QxObjectSmartPtr<QxIndicator> a(new ParamIndicator("ZONEA", 1, 5));
    ASSERT_EQ(zone->addIndicator(a.get()), eNoError);
    QxIndicator* held = zone->indicatorAt(0);
    EXPECT_NE(held, a.get()) << "the zone holds a clone";
    EXPECT_EQ(static_cast<ParamIndicator*>(held)->period(), 5);
    EXPECT_EQ(zone->removeIndicator(a.get()), eObjectNotFound) << "an equal but distinct object";
    EXPECT_EQ(zone->findIndicator(), nullptr);
    QxObjectSmartPtr<QxPrice> price(new QxPrice());
    zone->addIndicator(price.get());
    ASSERT_NE(zone->findIndicator(), nullptr);
    EXPECT_EQ(zone->findIndicator(), zone->indicatorAt(1));
    EXPECT_EQ(zone->findIndicator(2), nullptr);
    EXPECT_EQ(zone->removeIndicator(held), eNoError);
    EXPECT_EQ(zone->numIndicator(), 1u);
    EXPECT_EQ(zone->removeIndicatorAt(1), eInvalidIndex);
    EXPECT_EQ(zone->removeIndicatorAt(0), eNoError);
    EXPECT_EQ(zone->indicatorAt(0), nullptr);

    EXPECT_EQ(zone->copyObjectsFrom(nullptr), eInvalidInputObject);
    QxObjectSmartPtr<QxZone> other(new QxZone(stripConfig(), 50));
    other->addIndicator(a.get());
    other->addPattern(new TestPattern(3));
    auto* selected = new TestAnnot(4);
    selected->setSelected(true); // by the view of the other zone's chart
    other->addAnnot(selected, Qx::eWeekly);
    zone->addIndicator(price.get());
    ASSERT_EQ(zone->copyObjectsFrom(other.get()), eNoError);
    EXPECT_EQ(zone->numIndicator(), 2u); // appended, nothing cleared
    ASSERT_EQ(zone->getPatterns().size(), 1u);
    EXPECT_NE(zone->getPatterns()[0].get(), other->getPatterns()[0].get());
    ASSERT_EQ(zone->getAnnots(Qx::eWeekly).size(), 1u);
    EXPECT_EQ(TestAnnot::tagOf(zone->getAnnots(Qx::eWeekly)[0].get()), 4);
    EXPECT_NE(zone->getAnnots(Qx::eWeekly)[0].get(), selected);
    EXPECT_FALSE(zone->getAnnots(Qx::eWeekly)[0]->isSelected()) << "drawn in the copy's picture";
    EXPECT_TRUE(zone->getAnnots(Qx::eDaily).empty());
}

TEST_F(ZoneFixture, SetupFollowsTheCalculatorsCurrentPrices)
{
    QxObjectSmartPtr<MemSecurity> security(new MemSecurity(4113, makeBars({10, 20, 30}, {20, 10, 30})));
    QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(security.get(), Qx::eDaily));
    QxObjectSmartPtr<QxZone> zone(new QxZone(stripConfig(), 200));
    QxObjectSmartPtr<QxPrice> price(new QxPrice());
    zone->addIndicator(price.get());
    QxObjectSmartPtr<QxDateAxis> axis(new QxDateAxis());
    zone->setDateAxis(axis.get());
    zone->setOrigin(wxPoint(0, 0));
    zone->setWidth(300);
    zone->setVisibleRange(QxRange<unsigned>(0, 2));
    wxBitmap bitmap(400, 300, 24);
    wxMemoryDC dc(bitmap);
    zone->setup(dc, calc.get());
    EXPECT_FALSE(zone->isLayoutNeeded());
    const QxUniformScale& scale = zone->valueAxis()->uniformScale();
    EXPECT_LE(scale.lower(), 9.0);
    EXPECT_GE(scale.upper(), 31.0);
    // 3 % of the height stays free above and below the values.
    const QxScale& y = zone->getValueScale();
    const int top = zone->getTitleHeight();
    EXPECT_LE(y.map(31.0), top + 200 - 6);
    EXPECT_GE(y.map(31.0), top + 6);

    // New prices: the next layout reads them, not the discarded ones.
    QxObjectSmartPtr<QxPriceHistory> newBars(makeBars({100, 200, 300}, {200, 100, 310}));
    security->saveHistory(newBars.get()); // stores a copy
    QxCalculator::discardEodCache(security->id());
    zone->setLayoutNeeded();
    zone->setup(dc, calc.get());
    EXPECT_GE(zone->valueAxis()->uniformScale().upper(), 311.0);
    QxSeries close;
    ASSERT_EQ(zone->findIndicator()->priceObj()->getDataSeries(QxAtom("CLOSE"), close), eNoError);
    EXPECT_DOUBLE_EQ(*close.at(2), 310.0);

    // Patterns and this period's annotations receive the calculator.
    auto* pattern = new TestPattern();
    zone->addPattern(pattern);
    auto* weekly = new TestAnnot();
    auto* daily = new TestAnnot();
    zone->addAnnot(weekly, Qx::eWeekly);
    zone->addAnnot(daily, Qx::eDaily);
    zone->setLayoutNeeded();
    zone->setup(dc, calc.get());
    EXPECT_EQ(pattern->getCalculator(), calc.get());
    EXPECT_EQ(daily->getCalculator(), calc.get());
    EXPECT_EQ(weekly->getCalculator(), nullptr);
    // The pattern's margin of 15 pixels above is kept free too.
    EXPECT_GE(zone->getValueScale().map(311.0), top + 6 + 15);

    // Painting draws the daily annotation only, and none that is selected
    // (its view draws that one over the picture).
    zone->display(dc, true, *wxWHITE);
    EXPECT_EQ(pattern->paints, 1);
    EXPECT_EQ(daily->draws, 1);
    EXPECT_EQ(weekly->draws, 0);
    daily->setSelected(true);
    zone->display(dc, true, *wxWHITE);
    EXPECT_EQ(daily->draws, 1);
    EXPECT_EQ(pattern->paints, 2);
}

TEST_F(ZoneFixture, EmptyRangeLaysOutWithoutTicks)
{
    QxObjectSmartPtr<MemSecurity> security(new MemSecurity(4114, makeBars({10, 20}, {20, 10})));
    QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(security.get(), Qx::eDaily));
    QxObjectSmartPtr<QxZone> zone(new QxZone(stripConfig(false), 100));
    QxObjectSmartPtr<QxIndicator> a(new ParamIndicator("ZONEA", 1, 5)); // computes no values
    zone->addIndicator(a.get());
    zone->setVisibleRange(QxRange<unsigned>(50, 60)); // past the bars
    wxBitmap bitmap(100, 100, 24);
    wxMemoryDC dc(bitmap);
    zone->setWidth(80);
    zone->setup(dc, calc.get());
    EXPECT_TRUE(zone->valueAxis()->ticks().empty());
    EXPECT_EQ(zone->display(dc, true, *wxWHITE), eNoError);
}

TEST_F(ZoneFixture, XmlRoundTrip)
{
    QxObjectSmartPtr<QxZone> zone(new QxZone(stripConfig(), 120));
    zone->setTitle("MSFT (Daily) <&>");
    QxObjectSmartPtr<QxPrice> price(new QxPrice());
    zone->addIndicator(price.get()); // writes nothing
    for (int period : {7, 9}) {
        QxObjectSmartPtr<QxIndicator> a(new ParamIndicator("ZONEA", 1, period));
        zone->addIndicator(a.get());
    }
    zone->addPattern(new TestPattern(1));
    zone->addPattern(new TestPattern(2));
    zone->addAnnot(new TestAnnot(12), Qx::eWeekly);
    zone->addAnnot(new TestAnnot(10), Qx::eWeekly);
    zone->addAnnot(new TestAnnot(11), Qx::eWeekly);
    zone->addAnnot(new TestAnnot(20), Qx::eDaily);
    zone->getAnnots(Qx::eMonthly); // an empty list is not written

    wxXmlNode root(wxXML_ELEMENT_NODE, "Chart");
    wxXmlNode* element = zone->toXML(&root);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->GetName(), "Zone");
    wxString attributes;
    for (wxXmlAttribute* a = element->GetAttributes(); a; a = a->GetNext())
        attributes << a->GetName() << " ";
    EXPECT_EQ(attributes, "HasTitleStrip Alignment TitleBgColor TitleFont TitleTextColor Title Height ");
    EXPECT_EQ(element->GetAttribute("HasTitleStrip"), "True");
    EXPECT_EQ(element->GetAttribute("Height"), wxString::Format("%d", zone->getHeight()));
    wxString children;
    for (wxXmlNode* c = element->GetChildren(); c; c = c->GetNext()) {
        children << c->GetName() << "(";
        for (wxXmlNode* g = c->GetChildren(); g; g = g->GetNext())
            children << g->GetAttribute("Index", g->GetAttribute("Tag")) << " ";
        children << c->GetAttribute("Periodicity") << ") ";
    }
    EXPECT_EQ(children, "Indicators(1 2 ) Patterns(0 1 ) Annots(20 86400) Annots(12 10 11 432000) ");

    QxObjectSmartPtr<QxZone> back(new QxZone(QxZoneConfiguration(), 10));
    ASSERT_EQ(back->fromXML(element), eNoError);
    EXPECT_EQ(back->getConfig().hasTitleStrip, true);
    EXPECT_EQ(back->getConfig().titleAlignment, zone->getConfig().titleAlignment);
    EXPECT_EQ(back->getConfig().titleBgColor, zone->getConfig().titleBgColor);
    EXPECT_EQ(back->getConfig().titleTextColor, zone->getConfig().titleTextColor);
    EXPECT_TRUE(back->getConfig().titleFont.IsOk());
    EXPECT_EQ(back->getConfig().titleFont.GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_EQ(back->getTitle(), "MSFT (Daily) <&>");
    ASSERT_EQ(back->numIndicator(), 2u);
    EXPECT_EQ(static_cast<ParamIndicator*>(back->indicatorAt(0))->period(), 7);
    EXPECT_EQ(static_cast<ParamIndicator*>(back->indicatorAt(1))->period(), 9);
    ASSERT_EQ(back->getPatterns().size(), 2u);
    EXPECT_EQ(static_cast<TestPattern*>(back->getPatterns()[1].get())->tag, 2);
    // The annotations come back as rectangles, in their order.
    const int order[] = {12, 10, 11};
    ASSERT_EQ(back->getAnnots(Qx::eWeekly).size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const QxAnnot* annot = back->getAnnots(Qx::eWeekly)[i].get();
        EXPECT_EQ(annot->getName(), "QxRectAnnot");
        EXPECT_EQ(TestAnnot::tagOf(annot), order[i]);
    }
    ASSERT_EQ(back->getAnnots(Qx::eDaily).size(), 1u);
}

TEST_F(ZoneFixture, XmlReadingKeepsWhatItCannotUse)
{
    const wxFont current(wxFontInfo(13).Italic());
    QxZoneConfiguration config = stripConfig();
    config.titleFont = current;
    QxObjectSmartPtr<QxZone> zone(new QxZone(config, 120));
    zone->setTitle("before");

    wxXmlNode element(wxXML_ELEMENT_NODE, "Zone");
    element.AddAttribute("HasTitleStrip", "false");
    element.AddAttribute("Alignment", "left");
    element.AddAttribute("TitleBgColor", "no such colour");
    // Another platform's description of a font.
    element.AddAttribute("TitleFont", "0;-13;0;0;0;700;0;0;0;0;3;2;1;34;Segoe UI");
    element.AddAttribute("TitleTextColor", "RED");
    auto* indicators = new wxXmlNode(&element, wxXML_ELEMENT_NODE, "INDICATORS");
    auto* a = new wxXmlNode(indicators, wxXML_ELEMENT_NODE, "ZONEA");
    a->AddAttribute("Index", "0");
    auto* b = new wxXmlNode(indicators, wxXML_ELEMENT_NODE, "ZONEA");
    b->AddAttribute("Index", "0");
    auto* annots = new wxXmlNode(&element, wxXML_ELEMENT_NODE, "Annots");
    annots->AddAttribute("Periodicity", "86400");
    new wxXmlNode(annots, wxXML_ELEMENT_NODE, "QxEllipse");

    // Two indicators under one index are both kept: nothing of the file is
    // lost for a repeated number. The unknown annotation kind is counted.
    QxLeftOut leftOut;
    EXPECT_EQ(zone->fromXML(&element, nullptr, &leftOut), eNoError);
    EXPECT_EQ(zone->numIndicator(), 2u);
    EXPECT_EQ(leftOut.annots, 1u);
    EXPECT_EQ(leftOut.indicators, 0u);
    EXPECT_FALSE(zone->getConfig().hasTitleStrip);
    EXPECT_EQ(zone->getConfig().titleAlignment, config.titleAlignment);
    EXPECT_EQ(zone->getConfig().titleBgColor, config.titleBgColor);
    EXPECT_EQ(zone->getConfig().titleFont, current);
    EXPECT_EQ(zone->getConfig().titleTextColor, *wxRED);
    EXPECT_EQ(zone->getTitle(), "") << "a missing title reads as empty";
    EXPECT_TRUE(zone->getAnnots(Qx::eDaily).empty());
    EXPECT_EQ(createAnnotFromXml(&element), nullptr);
}

// One damaged indicator costs the zone only that indicator: the others, the
// patterns (two under one index included) and the annotations are read, and
// what was left out is counted for the user.
TEST_F(ZoneFixture, ADamagedIndicatorLosesOnlyItself)
{
    QxIndicatorRegistry::instance()->addBuiltInIndicators();
    QxObjectSmartPtr<QxZone> zone(new QxZone(stripConfig(), 120));
    zone->addIndicator(QxObjectSmartPtr<QxIndicator>(new ParamIndicator("ZONEA", 1, 7)).get());
    zone->addPattern(new TestPattern(1));
    zone->addPattern(new TestPattern(2));
    zone->addAnnot(new TestAnnot(12), Qx::eDaily);
    wxXmlNode root(wxXML_ELEMENT_NODE, "Chart");
    wxXmlNode* element = zone->toXML(&root);
    ASSERT_NE(element, nullptr);

    wxXmlNode* indicators = nullptr;
    wxXmlNode* patterns = nullptr;
    for (wxXmlNode* c = element->GetChildren(); c; c = c->GetNext()) {
        if (c->GetName() == "Indicators")
            indicators = c;
        if (c->GetName() == "Patterns")
            patterns = c;
    }
    ASSERT_TRUE(indicators && patterns);
    // An RSI whose curve binds its data role twice, and an element of no
    // known indicator.
    wxStringInputStream in(R"(<RSI Index="1"><Drawables><SOLIDLINE Index="0"><Params>
        <DATA Value="0L"/><DATA Value="0L"/></Params></SOLIDLINE></Drawables></RSI>)");
    wxXmlDocument damaged(in);
    ASSERT_TRUE(damaged.IsOk());
    indicators->AddChild(new wxXmlNode(*damaged.GetRoot()));
    auto* unknown = new wxXmlNode(indicators, wxXML_ELEMENT_NODE, "NOSUCHINDICATOR");
    unknown->AddAttribute("Index", "2");
    for (wxXmlNode* p = patterns->GetChildren(); p; p = p->GetNext()) {
        p->DeleteAttribute("Index");
        p->AddAttribute("Index", "0");
    }

    QxObjectSmartPtr<QxZone> back(new QxZone(QxZoneConfiguration(), 10));
    QxLeftOut leftOut;
    EXPECT_EQ(back->fromXML(element, nullptr, &leftOut), eInconsistentData);
    ASSERT_EQ(back->numIndicator(), 1u);
    EXPECT_EQ(static_cast<ParamIndicator*>(back->indicatorAt(0))->period(), 7);
    ASSERT_EQ(back->getPatterns().size(), 2u);
    EXPECT_EQ(static_cast<TestPattern*>(back->getPatterns()[0].get())->tag, 1);
    EXPECT_EQ(static_cast<TestPattern*>(back->getPatterns()[1].get())->tag, 2);
    EXPECT_EQ(back->getAnnots(Qx::eDaily).size(), 1u);
    EXPECT_EQ(leftOut.indicators, 2u);
    EXPECT_EQ(leftOut.patterns, 0u);
    EXPECT_EQ(leftOut.annots, 0u);
}

TEST_F(ZoneFixture, HeightsReadFromFilesStayInTheZonesRange)
{
    // Plot heights of a zone without a title strip, for each stored height.
    const struct {
        const char* stored;
        int plot;
    } cases[] = {{"250", 250}, {"-2147483648", 0}, {"-5", 0}, {"2147483647", QxZone::kMaxHeight},
                 {"99999999999", QxZone::kMaxHeight}};
    for (const auto& c : cases) {
        QxObjectSmartPtr<QxZone> zone(new QxZone(QxZoneConfiguration(), 120));
        wxXmlNode element(wxXML_ELEMENT_NODE, "Zone");
        element.AddAttribute("HasTitleStrip", "false");
        element.AddAttribute("Height", c.stored);
        EXPECT_EQ(zone->fromXML(&element), eNoError) << c.stored;
        EXPECT_EQ(zone->getPlotHeight(), c.plot) << c.stored;
    }
    // Direct calls keep within range too, whatever the title strip.
    QxObjectSmartPtr<QxZone> zone(new QxZone(stripConfig(), 120));
    zone->setHeight(std::numeric_limits<int>::min());
    EXPECT_EQ(zone->getPlotHeight(), QxZone::kMaxHeight);
}

TEST(QxZoneLegend, ContrastColour)
{
    EXPECT_EQ(QxZone::contrastColour(*wxWHITE), *wxBLACK);
    EXPECT_EQ(QxZone::contrastColour(*wxBLACK), *wxWHITE);
    EXPECT_EQ(QxZone::contrastColour(wxColour(10, 20, 200)), wxColour(245, 235, 55));
    // Mid grey has no complement to speak of.
    EXPECT_EQ(QxZone::contrastColour(wxColour(128, 128, 128)), *wxBLACK);
    EXPECT_EQ(QxZone::contrastColour(wxColour(126, 126, 126)), *wxWHITE);
}

// Volumes are amounts: the zone that shows them reaches down to 0, so each
// bar's length is its volume and the smallest one in view is drawn too.
TEST_F(ZoneFixture, VolumeBarsRiseFromZero)
{
    QxObjectSmartPtr<QxPriceHistory> bars(makeBars({10, 20, 30, 40}, {20, 10, 30, 35}));
    const double volumes[] = {4000.0, 1000.0, 3000.0, 2000.0};
    for (unsigned i = 0; i < 4; ++i)
        bars->volume()[i] = volumes[i];
    QxObjectSmartPtr<MemSecurity> security(new MemSecurity(4115, bars.get()));
    QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(security.get(), Qx::eDaily));
    QxObjectSmartPtr<QxZone> zone(new QxZone(stripConfig(false), 200));
    QxObjectSmartPtr<QxVolume> volume(new QxVolume());
    zone->addIndicator(volume.get());
    QxObjectSmartPtr<QxDateAxis> axis(new QxDateAxis());
    zone->setDateAxis(axis.get());
    zone->setOrigin(wxPoint(0, 0));
    zone->setWidth(300);
    zone->setVisibleRange(QxRange<unsigned>(0, 3));
    wxBitmap bitmap(400, 300, 24);
    wxMemoryDC dc(bitmap);
    zone->setup(dc, calc.get());
    const QxUniformScale& scale = zone->valueAxis()->uniformScale();
    EXPECT_LE(scale.lower(), 0.0);
    EXPECT_GT(scale.lower(), -1000.0) << "no room below 0 beyond the axis's own";
    EXPECT_GE(scale.upper(), 4000.0);
    // Lengths in proportion to the volumes: the 1,000 bar a quarter of the
    // 4,000 one, not nothing.
    const QxScale& y = zone->getValueScale();
    const double floor = y.map(0.0);
    const double highest = floor - y.map(4000.0), lowest = floor - y.map(1000.0);
    ASSERT_GT(highest, 100.0);
    EXPECT_NEAR(lowest / highest, 0.25, 0.02);
    // Prices are levels, not amounts: their zone keeps its own range.
    QxObjectSmartPtr<QxZone> mixed(new QxZone(stripConfig(false), 200));
    QxObjectSmartPtr<QxPrice> price(new QxPrice());
    mixed->addIndicator(price.get());
    mixed->setDateAxis(axis.get());
    mixed->setWidth(300);
    mixed->setVisibleRange(QxRange<unsigned>(0, 3));
    mixed->setup(dc, calc.get());
    EXPECT_GT(mixed->valueAxis()->uniformScale().lower(), 5.0);
}
