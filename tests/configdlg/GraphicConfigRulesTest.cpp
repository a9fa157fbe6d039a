// The rules of the Graphics and Input Series pages without their windows:
// input entry values both ways, the Add menu's kinds, the roles of a new
// graphic, the list buttons and the description of a graphic.
#include "chart/QxDrawable.h"
#include "chart/QxDrawableRegistry.h"
#include "configdlg/QxGraphicConfigRules.h"
#include "configdlg/FramedPage.h"

#include <gtest/gtest.h>

#include <algorithm>

using IndPtr = QxObjectSmartPtr<QxIndicator>;

namespace {

QxObjectSmartPtr<QxDrawable> fresh(const char* kind)
{
    QxDrawable* prototype = QxDrawableRegistry::instance().find(QxAtom(kind));
    EXPECT_NE(prototype, nullptr) << kind;
    return QxObjectSmartPtr<QxDrawable>(prototype ? prototype->clone() : nullptr);
}

bool offered(const std::vector<QxAtom>& kinds, const char* kind)
{
    return std::find(kinds.begin(), kinds.end(), QxAtom(kind)) != kinds.end();
}

} // namespace

TEST(GraphicConfigRules, InputEntryValuesNameTheirSeriesBothWays)
{
    IndPtr macd = makeTaIndicator("MACD");
    IndPtr sma = makeTaIndicator("SMA");
    const QxIndicatorList sources{sma, macd};

    // Price entries are their kinds; open interest is not among them.
    EXPECT_EQ(inputPriceKinds(), (std::vector<uint32_t>{256, 512, 1024, 2048, 4096}));
    for (uint32_t kind : inputPriceKinds()) {
        EXPECT_EQ(inputEntrySeries(kind, sources).kind(), kind);
        EXPECT_EQ(inputEntryValueOf(QxSeriesId(kind), sources), kind);
    }

    struct Case {
        unsigned position, output;
        uint32_t value;
    };
    for (const Case& c : {Case{0, 0, 16384u}, Case{1, 2, 16384u + (1u << 16) + (2u << 24)},
                          Case{255, 255, 16384u + (255u << 16) + (255u << 24)}}) {
        EXPECT_EQ(inputEntryValue(c.position, c.output), c.value) << c.position << "/" << c.output;
    }
    // Positions and outputs beyond eight bits have no value.
    EXPECT_EQ(inputEntryValue(256, 0), 0u);
    EXPECT_EQ(inputEntryValue(0, 256), 0u);

    // MACD's third output at position 1, and back.
    const uint32_t third = inputEntryValue(1, 2);
    const QxSeriesId id = inputEntrySeries(third, sources);
    EXPECT_EQ(id.kind(), uint32_t(QxSeriesId::eSeriesIndicator));
    EXPECT_EQ(id.indicator(), macd.get());
    EXPECT_EQ(id.outputIndex(), 2u);
    EXPECT_EQ(inputEntryValueOf(id, sources), third);

    // An output the source lacks, or a position beyond the list: the null id.
    EXPECT_FALSE(inputEntrySeries(inputEntryValue(0, 1), sources).isValid());
    EXPECT_EQ(inputEntrySeries(inputEntryValue(2, 0), sources).indicator(), nullptr);

    // What is selected for ids without an entry of their own.
    EXPECT_EQ(inputEntryValueOf(QxSeriesId(), sources), 2048u);
    EXPECT_EQ(inputEntryValueOf(QxSeriesId(0), sources), 2048u);
    EXPECT_EQ(inputEntryValueOf(QxSeriesId(256 | 512), sources), 2048u);
    EXPECT_EQ(inputEntryValueOf(QxSeriesId(65536), sources), 2048u);
    EXPECT_EQ(inputEntryValueOf(QxSeriesId(QxSeriesId::eSeriesOpenInterest), sources), 0u);
    EXPECT_EQ(inputEntryValueOf(QxSeriesId::constant(3.0), sources), 0u);
    IndPtr stranger = makeTaIndicator("EMA");
    EXPECT_EQ(inputEntryValueOf(QxSeriesId(stranger.get(), 0), sources), 0u);
}

TEST(GraphicConfigRules, AddMenuOffersWhatTheOutputsCanFeed)
{
    const std::vector<QxAtom> one = offeredGraphicKinds(1);
    EXPECT_TRUE(offered(one, "SOLIDLINE"));
    EXPECT_TRUE(offered(one, "MOUNTAIN"));
    EXPECT_TRUE(offered(one, "HORZLINE"));
    EXPECT_FALSE(offered(one, "MOUNTAINBAND"));
    EXPECT_TRUE(offered(offeredGraphicKinds(2), "MOUNTAINBAND"));
    // Without outputs only graphics without data roles remain.
    const std::vector<QxAtom> none = offeredGraphicKinds(0);
    EXPECT_TRUE(offered(none, "HORZLINE"));
    EXPECT_FALSE(offered(none, "SOLIDLINE"));
    // Registry order is kept.
    std::vector<QxAtom> names = QxDrawableRegistry::instance().getNames();
    EXPECT_EQ(offeredGraphicKinds(3), names);
}

TEST(GraphicConfigRules, NewGraphicRolesTakeOutputsInOrderAndWrap)
{
    IndPtr macd = makeTaIndicator("MACD"); // three outputs
    QxObjectSmartPtr<QxDrawable> band = fresh("MOUNTAINBAND");
    bindNewGraphicRoles(*band, macd.get());
    const std::vector<QxDataInfo>& roles = band->getParamInfos();
    ASSERT_EQ(roles.size(), 2u);
    EXPECT_EQ(band->getSeries(roles[0].name).outputIndex(), 0u);
    EXPECT_EQ(band->getSeries(roles[1].name).outputIndex(), 1u);
    EXPECT_EQ(band->getSeries(roles[1].name).indicator(), macd.get());
    // A second one starts again at output 0.
    QxObjectSmartPtr<QxDrawable> again = fresh("MOUNTAINBAND");
    bindNewGraphicRoles(*again, macd.get());
    EXPECT_EQ(again->getSeries(roles[0].name).outputIndex(), 0u);
    EXPECT_EQ(again->getSeries(roles[1].name).outputIndex(), 1u);

    // On one output both roles take it; a constant role takes 0.
    IndPtr sma = makeTaIndicator("SMA");
    bindNewGraphicRoles(*band, sma.get());
    EXPECT_EQ(band->getSeries(roles[0].name).outputIndex(), 0u);
    EXPECT_EQ(band->getSeries(roles[1].name).outputIndex(), 0u);
    QxObjectSmartPtr<QxDrawable> mountain = fresh("MOUNTAIN");
    bindNewGraphicRoles(*mountain, sma.get());
    const QxSeriesId& base = mountain->getSeries(mountain->getParamInfos()[1].name);
    EXPECT_EQ(base.kind(), uint32_t(QxSeriesId::eSeriesConstant));
    EXPECT_EQ(base.value(), 0.0);
}

TEST(GraphicConfigRules, ButtonsFollowSelectionAndCount)
{
    struct Case {
        long selected;
        size_t count;
        bool modify, remove, up, down;
    };
    const Case cases[] = {
        {0, 1, true, false, false, false},  {0, 2, true, true, false, true},  {1, 2, true, true, true, false},
        {0, 3, true, true, false, true},    {1, 3, true, true, true, true},   {2, 3, true, true, true, false},
        {-1, 3, false, false, false, false}, {3, 3, false, false, false, false},
    };
    for (const Case& c : cases) {
        const QxGraphicButtonStates s = graphicButtonStates(c.selected, c.count);
        EXPECT_EQ(s.modify, c.modify) << c.selected << " of " << c.count;
        EXPECT_EQ(s.remove, c.remove) << c.selected << " of " << c.count;
        EXPECT_EQ(s.moveUp, c.up) << c.selected << " of " << c.count;
        EXPECT_EQ(s.moveDown, c.down) << c.selected << " of " << c.count;
    }
}

TEST(GraphicConfigRules, DescriptionNamesEachBinding)
{
    IndPtr sma = makeTaIndicator("SMA");
    IndPtr macd = makeTaIndicator("MACD");
    const wxString smaName = sma->getDisplayName();
    const wxString macdName = macd->getDisplayName();

    QxObjectSmartPtr<QxDrawable> line = fresh("SOLIDLINE");
    bindNewGraphicRoles(*line, sma.get());
    const wxString lineRole = line->getParamInfos()[0].text;
    EXPECT_EQ(describeGraphic(*line), lineRole + "= " + smaName);

    QxObjectSmartPtr<QxDrawable> band = fresh("MOUNTAINBAND");
    bindNewGraphicRoles(*band, macd.get());
    EXPECT_EQ(describeGraphic(*band), "Lower Cliff= " + macdName + "." + macd->outputInfos()[0].string() +
                                          ", Upper Cliff= " + macdName + "." + macd->outputInfos()[1].string());

    QxObjectSmartPtr<QxDrawable> mountain = fresh("MOUNTAIN");
    bindNewGraphicRoles(*mountain, sma.get());
    mountain->setSeries(mountain->getParamInfos()[1].name, QxSeriesId::constant(-1.5));
    EXPECT_EQ(describeGraphic(*mountain), "Cliff= " + smaName + ", Base= -1.50");

    QxObjectSmartPtr<QxDrawable> horz = fresh("HORZLINE");
    EXPECT_EQ(describeGraphic(*horz), "Offset= 0.00");
}
