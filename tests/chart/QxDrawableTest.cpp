// Drawables: the registry of prototypes, the XML form of every kind, colour
// schemes shared by clones, cached value ranges, setup through a calculator
// and the crossings that bound a mountain's filled runs.
#include "DrawTestSupport.h"

#include "chart/QxColorScheme.h"
#include "chart/QxCurve.h"
#include "chart/QxDrawableRegistry.h"
#include "chart/QxHorzLine.h"
#include "chart/QxMountain.h"
#include "chart/QxPriceColorScheme.h"
#include "chart/QxSolidCurve.h"
#include "chart/QxUniColorScheme.h"
#include "core/QxCalculator.h"

#include <gtest/gtest.h>
#include <wx/sstream.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

using drawtest::Fed;
using drawtest::MemSecurity;
using drawtest::OwnerIndicator;

namespace {

std::vector<wxString> childNames(const wxXmlNode* node)
{
    std::vector<wxString> names;
    for (const wxXmlNode* c = node ? node->GetChildren() : nullptr; c; c = c->GetNext())
        names.push_back(c->GetName());
    return names;
}

const wxXmlNode* child(const wxXmlNode* node, const wxString& name)
{
    for (const wxXmlNode* c = node ? node->GetChildren() : nullptr; c; c = c->GetNext())
        if (c->GetName() == name)
            return c;
    return nullptr;
}

wxXmlNode* parse(wxXmlDocument& doc, const char* text)
{
    wxStringInputStream in(text);
    return doc.Load(in) ? doc.GetRoot() : nullptr;
}

// Drops the bindings that hold the owner, so that it is freed with its holder.
void unbind(QxDrawable* d)
{
    for (const QxDataInfo& role : d->getParamInfos())
        d->setSeries(role.name, QxSeriesId());
}

} // namespace

TEST(DrawableRegistry, HoldsTheElevenPrototypesByExactName)
{
    QxDrawableRegistry& registry = QxDrawableRegistry::instance();
    const std::vector<QxAtom> names = registry.getNames();
    const std::set<wxString> expected{"SOLIDLINE", "DOTTEDLINE", "LONGDASHLINE", "SHORTDASHLINE", "DASHDOTLINE",
                                      "HISTOGRAM", "HORZLINE", "INVERTEDMOUNTAIN", "MARKS", "MOUNTAIN",
                                      "MOUNTAINBAND"};
    std::set<wxString> got;
    for (const QxAtom& name : names)
        got.insert(name.string());
    EXPECT_EQ(got, expected);
    EXPECT_EQ(names.size(), expected.size());
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(),
                               [](const QxAtom& a, const QxAtom& b) { return a.id() < b.id(); }));
    for (const QxAtom& name : names) {
        const QxDrawable* prototype = registry.find(name);
        ASSERT_NE(prototype, nullptr);
        EXPECT_EQ(prototype->getName(), name);
        EXPECT_EQ(prototype->getColorScheme(), nullptr);
        EXPECT_FALSE(prototype->getParamInfos().empty());
        EXPECT_FALSE(prototype->getDisplayText().empty());
    }
    EXPECT_EQ(registry.find(QxAtom("solidline")), nullptr);
    EXPECT_EQ(registry.find(QxAtom("PRICE_BAR")), nullptr);

    // Line styles and widths of the prototypes.
    const std::pair<const char*, int> styles[] = {{"SOLIDLINE", wxPENSTYLE_SOLID},
                                                  {"DOTTEDLINE", wxPENSTYLE_DOT},
                                                  {"LONGDASHLINE", wxPENSTYLE_LONG_DASH},
                                                  {"SHORTDASHLINE", wxPENSTYLE_SHORT_DASH},
                                                  {"DASHDOTLINE", wxPENSTYLE_DOT_DASH}};
    for (const auto& style : styles) {
        const auto* curve = dynamic_cast<const QxCurve*>(registry.find(QxAtom(style.first)));
        ASSERT_NE(curve, nullptr) << style.first;
        EXPECT_EQ(curve->penStyle(), style.second) << style.first;
        EXPECT_EQ(curve->width(), 2);
    }
    const auto* line = dynamic_cast<const QxHorzLine*>(registry.find(QxAtom("HORZLINE")));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->penStyle(), int(wxPENSTYLE_DOT));
}

// Every kind binds each of its roles (indicator outputs to the owner,
// constants to a number), carries a price scheme, and reads back the same.
TEST(DrawableXml, EveryKindRoundTripsItsBindingsAndScheme)
{
    OwnerIndicator* owner = new OwnerIndicator(3);
    QxObjectSmartPtr<QxIndicator> holder(owner);
    QxDrawableRegistry& registry = QxDrawableRegistry::instance();
    for (const QxAtom& name : registry.getNames()) {
        SCOPED_TRACE(name.string());
        QxObjectSmartPtr<QxDrawable> drawable(registry.find(name)->clone());
        const std::vector<QxDataInfo>& roles = drawable->getParamInfos();
        std::vector<wxString> expectedValues;
        uint32_t output = 0;
        double constant = -2.5;
        for (const QxDataInfo& role : roles) {
            if (role.kind == QxSeriesId::eSeriesConstant) {
                drawable->setSeries(role.name, QxSeriesId::constant(constant));
                expectedValues.push_back(wxString::Format("%lfD", constant));
                constant += 10.25;
            } else {
                drawable->setSeries(role.name, QxSeriesId(owner, output));
                expectedValues.push_back(wxString::Format("%uL", output));
                ++output;
            }
        }
        QxColorScheme* scheme = new QxPriceColorScheme(wxColour(1, 2, 3), wxColour(4, 5, 6));
        drawable->setColorScheme(scheme);

        wxXmlNode root(wxXML_ELEMENT_NODE, "Drawables");
        wxXmlNode* element = drawable->toXml(owner, &root);
        ASSERT_NE(element, nullptr);
        EXPECT_EQ(element->GetName(), name.string());
        EXPECT_EQ(childNames(element), (std::vector<wxString>{"ColorScheme", "Params"}));
        const wxXmlNode* params = child(element, "Params");
        std::vector<wxString> roleNames, values;
        for (const wxXmlNode* c = params->GetChildren(); c; c = c->GetNext()) {
            roleNames.push_back(c->GetName());
            values.push_back(c->GetAttribute("Value"));
        }
        std::vector<wxString> expectedRoles;
        for (const QxDataInfo& role : roles)
            expectedRoles.push_back(role.name.string());
        EXPECT_EQ(roleNames, expectedRoles); // list order kept
        EXPECT_EQ(values, expectedValues);

        QxObjectSmartPtr<QxDrawable> back(QxDrawable::createFromXml(owner, element));
        ASSERT_NE(back.get(), nullptr);
        EXPECT_EQ(back->getName(), name);
        for (const QxDataInfo& role : roles) {
            const QxSeriesId& a = drawable->getSeries(role.name);
            const QxSeriesId& b = back->getSeries(role.name);
            EXPECT_EQ(b.kind(), a.kind());
            EXPECT_EQ(b.indicator(), a.indicator());
            EXPECT_EQ(b.outputIndex(), a.outputIndex());
            EXPECT_EQ(b.value(), a.value());
        }
        ASSERT_NE(back->getColorScheme(), nullptr);
        EXPECT_NE(back->getColorScheme(), scheme);
        EXPECT_EQ(back->getColorScheme()->getName(), QxAtom("PriceColorScheme"));
        wxColour rising;
        back->getColorScheme()->getColor(QxAtom("ASC_COLOR"), rising);
        EXPECT_EQ(rising, wxColour(1, 2, 3));
        unbind(drawable.get());
        unbind(back.get());
    }
}

TEST(DrawableXml, OnlyConstantsAndOwnOutputsAreStored)
{
    OwnerIndicator* owner = new OwnerIndicator(2);
    OwnerIndicator* other = new OwnerIndicator(2);
    QxObjectSmartPtr<QxIndicator> holders[] = {QxObjectSmartPtr<QxIndicator>(owner),
                                               QxObjectSmartPtr<QxIndicator>(other)};
    QxObjectSmartPtr<QxDrawable> band(QxDrawableRegistry::instance().find(QxAtom("MOUNTAINBAND"))->clone());
    band->setSeries(QxAtom("LOWER_CLIFF"), QxSeriesId(other, 0));
    band->setSeries(QxAtom("UPPER_CLIFF"), QxSeriesId(QxSeriesId::eSeriesHigh));
    wxXmlNode root(wxXML_ELEMENT_NODE, "root");
    wxXmlNode* element = band->toXml(owner, &root);
    // "Params" stays, empty; no scheme, no "ColorScheme".
    EXPECT_EQ(childNames(element), std::vector<wxString>{"Params"});
    EXPECT_TRUE(childNames(child(element, "Params")).empty());
    QxObjectSmartPtr<QxDrawable> back(QxDrawable::createFromXml(owner, element));
    ASSERT_NE(back.get(), nullptr);
    EXPECT_EQ(back->getSeries(QxAtom("LOWER_CLIFF")).kind(), uint32_t(QxSeriesId::eSeriesIndicator));
    EXPECT_FALSE(back->getSeries(QxAtom("LOWER_CLIFF")).isValid());
    EXPECT_FALSE(back->getSeries(QxAtom("UPPER_CLIFF")).isValid());
    unbind(band.get());
}

TEST(DrawableXml, ReaderMatchesChildNamesWithoutCaseButElementNamesExactly)
{
    OwnerIndicator* owner = new OwnerIndicator(2);
    QxObjectSmartPtr<QxIndicator> holder(owner);
    wxXmlDocument doc;
    const wxXmlNode* root = parse(doc, "<MOUNTAIN><params><CLIFF Value='1L'/><BASE Value='3.25D'/>"
                                       "<Extra Value='0L'/><Bad Value='x'/></params>"
                                       "<colorscheme Name='UniColorScheme'><Colors><COLOR Color='BLUE'/>"
                                       "</Colors></colorscheme></MOUNTAIN>");
    ASSERT_NE(root, nullptr);
    QxObjectSmartPtr<QxDrawable> mountain(QxDrawable::createFromXml(owner, root));
    ASSERT_NE(mountain.get(), nullptr);
    EXPECT_EQ(mountain->getSeries(QxAtom("CLIFF")).indicator(), owner);
    EXPECT_EQ(mountain->getSeries(QxAtom("CLIFF")).outputIndex(), 1u);
    EXPECT_DOUBLE_EQ(mountain->getSeries(QxAtom("BASE")).value(), 3.25);
    // A role the drawable does not have binds nothing, not even a real
    // output: nothing would ever let go of that reference to the owner.
    EXPECT_EQ(mountain->getSeries(QxAtom("Extra")).indicator(), nullptr);
    EXPECT_EQ(owner->numRefs(), 2) << "the holder and the CLIFF binding";
    EXPECT_FALSE(mountain->getSeries(QxAtom("Bad")).isValid());
    ASSERT_NE(mountain->getColorScheme(), nullptr);
    EXPECT_EQ(mountain->getColorScheme()->colorAt(0), *wxBLUE);
    unbind(mountain.get());

    for (const char* text : {"<mountain/>", "<PRICE_BAR/>", "<NOT_A_DRAWABLE/>"}) {
        wxXmlDocument other;
        EXPECT_EQ(QxDrawable::createFromXml(nullptr, parse(other, text)), nullptr) << text;
    }
}

TEST(Drawable, ClonesShareTheColourSchemeAndCopyBindingsOnly)
{
    QxObjectSmartPtr<Fed<QxSolidCurve>> curve(new Fed<QxSolidCurve>);
    EXPECT_EQ(curve->getColorScheme(false), nullptr);
    EXPECT_EQ(curve->setColorScheme(nullptr), eInvalidObject);
    QxColorScheme* made = curve->getColorScheme(true);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->getName(), QxAtom("UniColorScheme"));
    EXPECT_EQ(made->colorAt(0), wxColour(0, 0, 0));
    EXPECT_EQ(curve->getColorScheme(true), made);
    EXPECT_EQ(curve->setColorScheme(nullptr), eInvalidObject);
    EXPECT_EQ(curve->getColorScheme(), made);

    double values[] = {1, 2, 3};
    ASSERT_EQ(curve->setDataSeries(QxAtom("DATA"), QxSeries(0, 2, 0, values)), eNoError);
    curve->setSeries(QxAtom("DATA"), QxSeriesId::constant(4.0));
    QxObjectSmartPtr<QxDrawable> copy(curve->clone());
    EXPECT_EQ(copy->getName(), QxAtom("SOLIDLINE"));
    EXPECT_EQ(copy->getColorScheme(), made);
    made->setColor(QxAtom("COLOR"), *wxRED);
    EXPECT_EQ(copy->getColorScheme()->colorAt(0), *wxRED);
    EXPECT_DOUBLE_EQ(copy->getSeries(QxAtom("DATA")).value(), 4.0);
    QxSeries none;
    EXPECT_EQ(copy->getDataSeries(QxAtom("DATA"), none), eSeriesNotAvailable);

    // Stored series must have values and valid bars.
    EXPECT_EQ(curve->setDataSeries(QxAtom("DATA"), QxSeries(0, 2, 0, nullptr)), eInvalidInput);
    EXPECT_EQ(curve->setDataSeries(QxAtom("DATA"), QxSeries(3, 2, 0, values)), eInvalidInput);
}

TEST(Drawable, DataRangeIsCachedForTheSameBarsAndWidensForOthers)
{
    QxObjectSmartPtr<Fed<QxSolidCurve>> curve(new Fed<QxSolidCurve>);
    // Fresh: empty.
    EXPECT_TRUE(curve->getDataRange(0, 10).isEmpty());
    // Bars 10..15, stored from bar 10.
    double values[] = {5, 7, std::numeric_limits<double>::quiet_NaN(), 1, 9, 4};
    ASSERT_EQ(curve->setDataSeries(QxAtom("DATA"), QxSeries(10, 15, 10, values)), eNoError);
    // Outside the series: still empty.
    EXPECT_TRUE(curve->getDataRange(0, 9).isEmpty());
    QxRange<double> r = curve->getDataRange(10, 12);
    EXPECT_EQ(r, QxRange<double>(5, 7)); // the gap does not count
    // The same bars again: the cached range, without a new scan.
    values[0] = -100;
    EXPECT_EQ(curve->getDataRange(10, 12), QxRange<double>(5, 7));
    // Other bars widen what is cached.
    values[0] = 5;
    r = curve->getDataRange(13, 14);
    EXPECT_EQ(r, QxRange<double>(1, 9));
    r = curve->getDataRange(15, 15);
    EXPECT_EQ(r, QxRange<double>(1, 9));
    // A newly stored series starts afresh.
    double flat[] = {2, 2};
    ASSERT_EQ(curve->setDataSeries(QxAtom("DATA"), QxSeries(0, 1, 0, flat)), eNoError);
    EXPECT_EQ(curve->getDataRange(0, 1), QxRange<double>(2, 2));
}

TEST(Drawable, ConstantBindingsWidenTheRangeWithoutAnySeries)
{
    QxObjectSmartPtr<Fed<QxMountain>> mountain(new Fed<QxMountain>);
    mountain->setSeries(QxAtom("BASE"), QxSeriesId::constant(-5.0));
    EXPECT_EQ(mountain->getDataRange(0, 3), QxRange<double>(-5, -5));
    double values[] = {1, 3};
    ASSERT_EQ(mountain->setDataSeries(QxAtom("CLIFF"), QxSeries(0, 1, 0, values)), eNoError);
    EXPECT_EQ(mountain->getDataRange(0, 1), QxRange<double>(-5, 3));
    // A NaN constant is no level.
    QxObjectSmartPtr<Fed<QxMountain>> nan(new Fed<QxMountain>);
    nan->setSeries(QxAtom("BASE"), QxSeriesId::constant(std::nan("")));
    EXPECT_TRUE(nan->getDataRange(0, 3).isEmpty());
}

TEST(Drawable, SetupFetchesRolesAndFallsBackToTheCloseForInvalidBindings)
{
    OwnerIndicator* owner = new OwnerIndicator(1);
    QxObjectSmartPtr<QxIndicator> holder(owner);
    QxObjectSmartPtr<QxSecurity> security(
        new MemSecurity(8201, drawtest::makeHistory({1, 2, 3, 4}, {10, 20, 30, 40})));
    QxObjectSmartPtr<QxCalculator> calculator(new QxCalculator(security.get(), Qx::eDaily));

    wxXmlDocument doc;
    // CLIFF names an output the owner lacks, so it draws from the close.
    const wxXmlNode* root = parse(doc, "<MOUNTAIN><Params><CLIFF Value='3L'/><BASE Value='25.0D'/></Params>"
                                       "<ColorScheme Name='PriceColorScheme'/></MOUNTAIN>");
    QxObjectSmartPtr<QxDrawable> mountain(QxDrawable::createFromXml(owner, root));
    ASSERT_NE(mountain.get(), nullptr);
    ASSERT_EQ(mountain->setup(calculator.get()), eNoError);
    QxSeries cliff;
    ASSERT_EQ(mountain->getDataSeries(QxAtom("CLIFF"), cliff), eNoError);
    EXPECT_EQ(cliff.first, 0);
    EXPECT_EQ(cliff.last, 3);
    EXPECT_DOUBLE_EQ(*cliff.at(2), 30.0);
    QxSeries base;
    EXPECT_EQ(mountain->getDataSeries(QxAtom("BASE"), base), eSeriesNotAvailable); // constants are not fetched
    EXPECT_EQ(mountain->getDataRange(0, 3), QxRange<double>(10, 40));
    // The scheme was set up with the same calculator: opens below closes.
    EXPECT_EQ(mountain->getColorScheme()->colorAt(1), *wxGREEN);

    // Without a cache entry setup fails and keeps no series.
    QxObjectSmartPtr<QxCalculator> none(new QxCalculator(nullptr, Qx::eDaily));
    EXPECT_EQ(mountain->setup(none.get()), eInvalidInput);
    EXPECT_EQ(mountain->getDataSeries(QxAtom("CLIFF"), cliff), eSeriesNotAvailable);
    unbind(mountain.get());
}

// The filled runs of a mountain and where they meet the base.
TEST(MountainRuns, CrossingsAreInterpolatedBetweenTheBarsAroundEachRun)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        std::vector<double> values;
        double base;
        bool inverted;
        int32_t lo, hi;
        std::vector<QxMountain::Run> runs;
    };
    const Case cases[] = {
        {"one hill", {1, 3, 5, 3, 1}, 2, false, 0, 4, {{1, 3, 0.5, 3.5}}},
        {"inside throughout: closed straight down at both ends", {3, 4, 5}, 2, false, 0, 2, {{0, 2, 0, 2}}},
        {"never inside", {1, 1, 1}, 2, false, 0, 2, {}},
        {"three hills", {3, 1, 4, 0, 5}, 2, false, 0, 4,
         {{0, 0, 0, 0.5}, {2, 2, 2 - 2.0 / 3.0, 2.5}, {4, 4, 3.4, 4}}},
        {"touching the base counts as inside", {1, 2, 1}, 2, false, 0, 2, {{1, 1, 1, 1}}},
        {"inverted fills below the base", {3, 1, 3}, 2, true, 0, 2, {{1, 1, 0.5, 1.5}}},
        {"no crossing next to a missing value", {nan, 3, 1}, 2, false, 0, 2, {{1, 1, 1, 1.5}}},
        {"the visible bars cut the run", {1, 3, 5, 3, 1}, 2, false, 2, 3, {{2, 3, 2, 3}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<double> values = c.values;
        // Stored from bar 100, so the series' base offset is exercised too.
        QxSeries series(100, 100 + int32_t(values.size()) - 1, 100, values.data());
        const auto runs = QxMountain::findRuns(series, c.lo + 100, c.hi + 100, c.base, c.inverted);
        ASSERT_EQ(runs.size(), c.runs.size());
        for (size_t i = 0; i < runs.size(); ++i) {
            EXPECT_EQ(runs[i].s, c.runs[i].s + 100) << i;
            EXPECT_EQ(runs[i].e, c.runs[i].e + 100) << i;
            EXPECT_NEAR(runs[i].start, c.runs[i].start + 100, 1e-9) << i;
            EXPECT_NEAR(runs[i].stop, c.runs[i].stop + 100, 1e-9) << i;
        }
    }
}
