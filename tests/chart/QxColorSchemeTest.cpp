// Colour schemes: registry, colour entries, colorAt over fetched series and
// the "ColorScheme" XML form.
#include "DrawTestSupport.h"

#include "chart/QxColorScheme.h"
#include "chart/QxColorSchemeRegistry.h"
#include "chart/QxPriceColorScheme.h"
#include "chart/QxSarColorScheme.h"
#include "chart/QxUniColorScheme.h"
#include "core/QxCalculator.h"

#include <gtest/gtest.h>
#include <wx/sstream.h>

#include <algorithm>
#include <cmath>

using drawtest::MemSecurity;
using drawtest::OwnerIndicator;

namespace {

const wxXmlNode* child(const wxXmlNode* node, const wxString& name)
{
    for (const wxXmlNode* c = node ? node->GetChildren() : nullptr; c; c = c->GetNext())
        if (c->GetName() == name)
            return c;
    return nullptr;
}

std::vector<wxString> childNames(const wxXmlNode* node)
{
    std::vector<wxString> names;
    for (const wxXmlNode* c = node ? node->GetChildren() : nullptr; c; c = c->GetNext())
        names.push_back(c->GetName());
    return names;
}

wxColour colorOf(const QxColorScheme& scheme, const char* entry)
{
    wxColour c;
    EXPECT_EQ(scheme.getColor(QxAtom(entry), c), eNoError) << entry;
    return c;
}

} // namespace

TEST(ColorSchemeRegistry, HoldsThreePrototypesByExactNameInAtomOrder)
{
    QxColorSchemeRegistry& registry = QxColorSchemeRegistry::instance();
    const std::vector<QxAtom> names = registry.getNames();
    ASSERT_EQ(names.size(), 3u);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(),
                               [](const QxAtom& a, const QxAtom& b) { return a.id() < b.id(); }));
    for (const char* name : {"UniColorScheme", "PriceColorScheme", "SarColorScheme"}) {
        const QxColorScheme* prototype = registry.find(QxAtom(name));
        ASSERT_NE(prototype, nullptr) << name;
        EXPECT_EQ(prototype->getName(), QxAtom(name));
    }
    EXPECT_EQ(registry.find(QxAtom("unicolorscheme")), nullptr);
    EXPECT_EQ(registry.find(QxAtom()), nullptr);

    // Prototype colours: black; the stock green and red; the SAR defaults.
    EXPECT_EQ(colorOf(*registry.find(QxAtom("UniColorScheme")), "COLOR"), wxColour(0, 0, 0));
    const QxColorScheme& price = *registry.find(QxAtom("PriceColorScheme"));
    EXPECT_EQ(colorOf(price, "ASC_COLOR"), *wxGREEN);
    EXPECT_EQ(colorOf(price, "DSC_COLOR"), *wxRED);
    const QxColorScheme& sar = *registry.find(QxAtom("SarColorScheme"));
    EXPECT_EQ(colorOf(sar, "ASC_COLOR"), wxColour(0, 160, 0));
    EXPECT_EQ(colorOf(sar, "DSC_COLOR"), wxColour(160, 0, 0));
    EXPECT_TRUE(registry.find(QxAtom("UniColorScheme"))->isUniform());
    EXPECT_FALSE(price.isUniform());
}

TEST(ColorScheme, SetColorAcceptsOnlyItsOwnEntries)
{
    QxObjectSmartPtr<QxColorScheme> uni(new QxUniColorScheme(*wxBLUE));
    EXPECT_EQ(uni->setColor(QxAtom("DSC_COLOR"), *wxRED), eInvalidInput);
    EXPECT_EQ(colorOf(*uni, "COLOR"), *wxBLUE);
    wxColour untouched(1, 2, 3);
    EXPECT_EQ(uni->getColor(QxAtom("ASC_COLOR"), untouched), eInvalidInput);
    EXPECT_EQ(untouched, wxColour(1, 2, 3));
    EXPECT_EQ(uni->setColor(QxAtom("COLOR"), *wxRED), eNoError);
    EXPECT_EQ(uni->colorAt(12345), *wxRED);

    QxObjectSmartPtr<QxColorScheme> price(new QxPriceColorScheme(*wxGREEN, *wxRED));
    EXPECT_EQ(price->setColor(QxAtom("DSC_COLOR"), *wxBLUE), eNoError);
    EXPECT_EQ(colorOf(*price, "DSC_COLOR"), *wxBLUE);
    EXPECT_EQ(price->setColor(QxAtom("COLOR"), *wxBLUE), eInvalidInput);
}

TEST(ColorScheme, CloneCopiesEntriesAndBindingsButNotTheColoursItWillChange)
{
    OwnerIndicator* owner = new OwnerIndicator(2);
    QxObjectSmartPtr<QxIndicator> holder(owner);
    QxObjectSmartPtr<QxColorScheme> sar(new QxSarColorScheme);
    sar->setColor(QxAtom("ASC_COLOR"), wxColour(1, 2, 3));
    sar->setSeries(QxAtom("SAR"), QxSeriesId(owner, 1));
    QxObjectSmartPtr<QxColorScheme> copy(sar->clone());
    EXPECT_EQ(copy->getName(), QxAtom("SarColorScheme"));
    EXPECT_EQ(colorOf(*copy, "ASC_COLOR"), wxColour(1, 2, 3));
    EXPECT_EQ(copy->getSeries(QxAtom("SAR")).indicator(), owner);
    EXPECT_EQ(copy->getSeries(QxAtom("SAR")).outputIndex(), 1u);
    copy->setColor(QxAtom("ASC_COLOR"), *wxBLACK);
    EXPECT_EQ(colorOf(*sar, "ASC_COLOR"), wxColour(1, 2, 3));
    // The schemes hold the owner through its id; drop that before the owner goes.
    sar->setSeries(QxAtom("SAR"), QxSeriesId());
    copy->setSeries(QxAtom("SAR"), QxSeriesId());
}

TEST(ColorScheme, UniXmlHasNameAndColoursOnly)
{
    wxXmlNode root(wxXML_ELEMENT_NODE, "root");
    QxObjectSmartPtr<QxColorScheme> uni(new QxUniColorScheme(*wxBLACK));
    wxXmlNode* element = uni->toXml(nullptr, &root);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(root.GetChildren(), element);
    EXPECT_EQ(element->GetName(), "ColorScheme");
    EXPECT_EQ(element->GetAttribute("Name"), "UniColorScheme");
    EXPECT_EQ(childNames(element), std::vector<wxString>{"Colors"});
    const wxXmlNode* color = child(child(element, "Colors"), "COLOR");
    ASSERT_NE(color, nullptr);
    // A colour the colour database knows is written by its name.
    EXPECT_TRUE(color->GetAttribute("Color").IsSameAs("BLACK", false)) << color->GetAttribute("Color");

    // One it does not know in the CSS form, which reads back.
    uni->setColor(QxAtom("COLOR"), wxColour(12, 34, 56));
    wxXmlNode again(wxXML_ELEMENT_NODE, "root");
    const wxString text = child(child(uni->toXml(nullptr, &again), "Colors"), "COLOR")->GetAttribute("Color");
    EXPECT_EQ(text, "rgb(12, 34, 56)");
    QxObjectSmartPtr<QxColorScheme> back(QxColorScheme::createFromXml(nullptr, again.GetChildren()));
    ASSERT_NE(back.get(), nullptr);
    EXPECT_EQ(back->colorAt(0), wxColour(12, 34, 56));
}

TEST(ColorScheme, XmlRoundTripKeepsEntryOrderAndOwnBindings)
{
    OwnerIndicator* owner = new OwnerIndicator(3);
    QxObjectSmartPtr<QxIndicator> holder(owner);
    QxObjectSmartPtr<QxColorScheme> sar(new QxSarColorScheme);
    sar->setColor(QxAtom("ASC_COLOR"), wxColour(10, 20, 30));
    sar->setColor(QxAtom("DSC_COLOR"), *wxRED);
    sar->setSeries(QxAtom("SAR"), QxSeriesId(owner, 2));

    wxXmlNode root(wxXML_ELEMENT_NODE, "root");
    wxXmlNode* element = sar->toXml(owner, &root);
    // Each node is linked as its parent's first child: "Colors" comes
    // before "DataParams", while the entries keep their own order.
    EXPECT_EQ(childNames(element), (std::vector<wxString>{"Colors", "DataParams"}));
    EXPECT_EQ(childNames(child(element, "Colors")), (std::vector<wxString>{"ASC_COLOR", "DSC_COLOR"}));
    const wxXmlNode* params = child(element, "DataParams");
    // CLOSE is a price field: not written.
    EXPECT_EQ(childNames(params), std::vector<wxString>{"SAR"});
    EXPECT_EQ(child(params, "SAR")->GetAttribute("Value"), "2L");

    QxObjectSmartPtr<QxColorScheme> back(QxColorScheme::createFromXml(owner, element));
    ASSERT_NE(back.get(), nullptr);
    EXPECT_EQ(back->getName(), QxAtom("SarColorScheme"));
    EXPECT_EQ(colorOf(*back, "ASC_COLOR"), wxColour(10, 20, 30));
    EXPECT_EQ(colorOf(*back, "DSC_COLOR"), *wxRED);
    const QxSeriesId& id = back->getSeries(QxAtom("SAR"));
    EXPECT_EQ(id.kind(), uint32_t(QxSeriesId::eSeriesIndicator));
    EXPECT_EQ(id.indicator(), owner);
    EXPECT_EQ(id.outputIndex(), 2u);

    // Read by an owner with fewer outputs, the binding is invalid.
    OwnerIndicator* small = new OwnerIndicator(1);
    QxObjectSmartPtr<QxIndicator> smallHolder(small);
    QxObjectSmartPtr<QxColorScheme> invalid(QxColorScheme::createFromXml(small, element));
    ASSERT_NE(invalid.get(), nullptr);
    EXPECT_FALSE(invalid->getSeries(QxAtom("SAR")).isValid());
    EXPECT_EQ(invalid->getSeries(QxAtom("SAR")).indicator(), nullptr);

    for (QxColorScheme* s : {sar.get(), back.get()})
        s->setSeries(QxAtom("SAR"), QxSeriesId());
}

TEST(ColorScheme, ReadingToleratesMissingOddAndUnknownEntries)
{
    wxXmlDocument doc;
    const char* text = "<ColorScheme Name='PriceColorScheme'>"
                       "<colors><ASC_COLOR/><DSC_COLOR Color='no such colour'/><OTHER Color='BLUE'/></colors>"
                       "<DataParams><OPEN Value='junk'/><CLOSE Value='7.5D'/></DataParams>"
                       "</ColorScheme>";
    wxStringInputStream in(text);
    ASSERT_TRUE(doc.Load(in));
    QxObjectSmartPtr<QxColorScheme> scheme(QxColorScheme::createFromXml(nullptr, doc.GetRoot()));
    ASSERT_NE(scheme.get(), nullptr);
    EXPECT_EQ(colorOf(*scheme, "ASC_COLOR"), wxColour(0, 0, 0)); // no "Color": black
    EXPECT_EQ(colorOf(*scheme, "DSC_COLOR"), *wxRED);           // not a colour: kept
    EXPECT_FALSE(scheme->getSeries(QxAtom("OPEN")).isValid());   // unparsable: unbound
    EXPECT_EQ(scheme->getSeries(QxAtom("CLOSE")).kind(), uint32_t(QxSeriesId::eSeriesConstant));
    EXPECT_DOUBLE_EQ(scheme->getSeries(QxAtom("CLOSE")).value(), 7.5);

    wxXmlNode unknown(wxXML_ELEMENT_NODE, "ColorScheme");
    unknown.AddAttribute("Name", "NoSuchScheme");
    EXPECT_EQ(QxColorScheme::createFromXml(nullptr, &unknown), nullptr);
    wxXmlNode unnamed(wxXML_ELEMENT_NODE, "ColorScheme");
    EXPECT_EQ(QxColorScheme::createFromXml(nullptr, &unnamed), nullptr);
}

class ColorSchemeSetup : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Bar 0 rises, bar 1 closes at its open, bar 2 falls, bar 3 rises.
        security = new MemSecurity(8101, drawtest::makeHistory({10, 11, 12, 9}, {11, 11, 10, 10}));
        calculator = new QxCalculator(security.get(), Qx::eDaily);
    }

    QxObjectSmartPtr<QxSecurity> security;
    QxObjectSmartPtr<QxCalculator> calculator;
};

TEST_F(ColorSchemeSetup, PriceSchemeColoursByCloseAgainstOpenAndFallsOutsideTheSeries)
{
    QxObjectSmartPtr<QxColorScheme> price(new QxPriceColorScheme(*wxGREEN, *wxRED));
    // Before setup there is nothing to read.
    EXPECT_EQ(price->colorAt(0), *wxRED);
    ASSERT_EQ(price->setup(calculator.get()), eNoError);
    EXPECT_EQ(price->colorAt(0), *wxGREEN);
    EXPECT_EQ(price->colorAt(1), *wxRED); // close equal to open
    EXPECT_EQ(price->colorAt(2), *wxRED);
    EXPECT_EQ(price->colorAt(3), *wxGREEN);
    // Beyond the fetched bars: the falling colour, not a read past the values.
    EXPECT_EQ(price->colorAt(4), *wxRED);
    EXPECT_EQ(price->colorAt(0xFFFFFFFFu), *wxRED);
    QxSeries open;
    ASSERT_EQ(price->getDataSeries(QxAtom("OPEN"), open), eNoError);
    EXPECT_EQ(open.last, 3);

    // A calculator without a security fails and leaves nothing to read.
    QxObjectSmartPtr<QxCalculator> none(new QxCalculator(nullptr, Qx::eDaily));
    EXPECT_EQ(price->setup(none.get()), eInvalidInput);
    EXPECT_EQ(price->colorAt(0), *wxRED);
}

TEST_F(ColorSchemeSetup, SarSchemeWithAnInvalidSarComparesCloseWithItself)
{
    OwnerIndicator* owner = new OwnerIndicator(1);
    QxObjectSmartPtr<QxIndicator> holder(owner);
    wxXmlDocument doc;
    wxStringInputStream in("<ColorScheme Name='SarColorScheme'><DataParams><SAR Value='4L'/></DataParams>"
                           "</ColorScheme>");
    ASSERT_TRUE(doc.Load(in));
    QxObjectSmartPtr<QxColorScheme> sar(QxColorScheme::createFromXml(owner, doc.GetRoot()));
    ASSERT_NE(sar.get(), nullptr);
    EXPECT_FALSE(sar->getSeries(QxAtom("SAR")).isValid());
    ASSERT_EQ(sar->setup(calculator.get()), eNoError);
    for (unsigned bar = 0; bar < 4; ++bar)
        EXPECT_EQ(sar->colorAt(bar), wxColour(160, 0, 0)) << bar;
}
