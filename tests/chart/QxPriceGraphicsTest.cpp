// Bars, candles, the price and volume graphics and their carrier indicators.
#include "support/ChartFixtures.h"
#include "chart/QxBar.h"
#include "chart/QxCandle.h"
#include "chart/QxColorScheme.h"
#include "chart/QxPrice.h"
#include "chart/QxPriceObj.h"
#include "chart/QxSolidCurve.h"
#include "chart/QxUniformScale.h"
#include "chart/QxVolume.h"
#include "chart/QxVolumeObj.h"
#include "core/QxCalculator.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/xml/xml.h>

using namespace charttest;

namespace {

const wxColour kWhite(255, 255, 255);

// One picture with bars at x = left + i * step and values 0..40 mapped to
// rows 190..10.
struct Canvas {
    explicit Canvas(int step_, unsigned bars = 6) : step(step_), bitmap(60 + step_ * int(bars), 200, 24)
    {
        dc.SelectObject(bitmap);
        if (wxGraphicsContext* gc = dc.GetGraphicsContext())
            gc->SetAntialiasMode(wxANTIALIAS_NONE);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        xScale.setup(0.0, double(bars - 1), left, left + step * int(bars - 1), false);
        yScale.setup(0.0, 40.0, 190, 10, false);
    }
    wxImage image()
    {
        dc.SelectObject(wxNullBitmap);
        return bitmap.ConvertToImage();
    }
    int x(unsigned bar) const { return xScale.map(double(bar)); }
    int y(double value) const { return yScale.map(value); }

    // Columns of row y that differ from white, as [first, last].
    static std::pair<int, int> span(const wxImage& img, int y, int from, int to)
    {
        int first = -1, last = -1;
        for (int x = from; x <= to; ++x)
            if (countOther(img, wxRect(x, y, 1, 1), kWhite)) {
                if (first < 0)
                    first = x;
                last = x;
            }
        return {first, last};
    }

    int step;
    int left = 30;
    wxBitmap bitmap;
    wxMemoryDC dc;
    QxUniformScale xScale, yScale;
};

// Sets a drawable up over a memory security's bars.
struct Source {
    Source(QxPriceHistory* history, unsigned id = 4101)
        : security(new MemSecurity(id, history)), calc(new QxCalculator(security.get(), Qx::eDaily))
    {
    }
    QxObjectSmartPtr<MemSecurity> security;
    QxObjectSmartPtr<QxCalculator> calc;
};

} // namespace

TEST(QxPriceGraphics, NamesAndRoles)
{
    QxObjectSmartPtr<QxBar> bar(new QxBar());
    QxObjectSmartPtr<QxCandle> candle(new QxCandle());
    QxObjectSmartPtr<QxPriceObj> price(new QxPriceObj());
    QxObjectSmartPtr<QxVolumeObj> volume(new QxVolumeObj());
    EXPECT_EQ(bar->getName().string(), "PRICE_BAR");
    EXPECT_EQ(candle->getName().string(), "PRICE_CANDLE");
    EXPECT_EQ(price->getName().string(), "PRICEOBJ");
    EXPECT_EQ(volume->getName().string(), "VOLUMEOBJ");
    EXPECT_EQ(price->getDisplayText(), "Price Graphic");
    wxString roles;
    for (const QxDataInfo& r : price->getParamInfos())
        roles << r.name.string() << "=" << r.kind << " ";
    EXPECT_EQ(roles, "OPEN=256 HIGH=512 LOW=1024 CLOSE=2048 ");
    ASSERT_EQ(volume->getParamInfos().size(), 1u);
    EXPECT_EQ(volume->getParamInfos()[0].kind, uint32_t(QxSeriesId::eSeriesVolume));
    // Not made by name: the drawable registry does not know them.
    wxXmlNode node(wxXML_ELEMENT_NODE, "PRICEOBJ");
    EXPECT_EQ(QxDrawable::createFromXml(nullptr, &node), nullptr);
}

TEST(QxPriceGraphics, BarGeometryFollowsTheStep)
{
    Source s(makeBars({10, 20, 30}, {20, 10, 30})); // rising, falling, doji
    const struct {
        int step, penWidth, tick;
    } cases[] = {{5, 1, 2}, {12, 2, 5}};
    for (const auto& c : cases) {
        QxObjectSmartPtr<QxBar> bar(new QxBar());
        ASSERT_EQ(bar->setup(s.calc.get()), eNoError);
        // Bar 0 alone, so no neighbour's ticks fall into the spans measured.
        Canvas canvas(c.step);
        ASSERT_EQ(bar->display(canvas.dc, 0, 0, canvas.xScale, canvas.yScale, false), eNoError);
        const wxImage img = canvas.image();
        const int x0 = canvas.x(0);
        // Open tick (10) to the left, close tick (20) to the right of bar 0.
        const auto open = Canvas::span(img, canvas.y(10), x0 - 10, x0 + 10);
        const auto close = Canvas::span(img, canvas.y(20), x0 - 10, x0 + 10);
        EXPECT_EQ(x0 - open.first, c.tick) << "step " << c.step;
        EXPECT_EQ(close.second - x0, c.tick) << "step " << c.step;
        // The vertical line is penWidth wide, black without a scheme.
        const auto line = Canvas::span(img, canvas.y(15), x0 - 10, x0 + 10);
        EXPECT_EQ(line.second - line.first + 1, c.penWidth) << "step " << c.step;
        EXPECT_EQ(countNear(img, wxRect(line.first, canvas.y(15), 1, 1), *wxBLACK, 0), 1);
    }
}

TEST(QxPriceGraphics, CandleBodiesAndDoji)
{
    Source s(makeBars({10, 20, 30}, {20, 10, 30}));
    const struct {
        int step, body;
    } cases[] = {{5, 5}, {12, 10}};
    const wxColour up(0, 200, 0), down(200, 0, 0);
    for (const auto& c : cases) {
        QxObjectSmartPtr<QxPriceObj> price(new QxPriceObj());
        QxPriceObjConfiguration config = price->getConfig();
        config.candleUpColor = up;
        config.candleDownColor = down;
        price->setConfig(config);
        ASSERT_EQ(price->setup(s.calc.get()), eNoError);
        // Each bar painted alone, so its neighbours do not widen the spans.
        for (unsigned bar = 0; bar < 3; ++bar) {
            Canvas canvas(c.step);
            ASSERT_EQ(price->display(canvas.dc, bar, bar, canvas.xScale, canvas.yScale, false), eNoError);
            const wxImage img = canvas.image();
            const int xb = canvas.x(bar);
            const auto body = Canvas::span(img, canvas.y(bar == 2 ? 30 : 15), xb - 8, xb + 8);
            EXPECT_EQ(body.second - body.first + 1, c.body) << "step " << c.step << " bar " << bar;
            EXPECT_EQ(body.first, xb - c.body / 2) << "step " << c.step << " bar " << bar;
            // The rising body is filled with the rising colour, the falling
            // one with the falling colour; at step 12 the fill shows inside
            // the outline.
            if (c.step == 12 && bar < 2) {
                EXPECT_GT(countNear(img, wxRect(xb - 2, canvas.y(15), 4, 1), bar == 0 ? up : down, 0), 0);
            }
            if (bar != 2)
                continue;
            // A doji is a body one pixel high.
            const int beside = xb - c.body / 2 + 1;
            int rows = 0;
            for (int y = 0; y < img.GetHeight(); ++y)
                rows += countOther(img, wxRect(beside, y, 1, 1), kWhite);
            EXPECT_EQ(rows, 1) << "step " << c.step;
        }
    }
}

TEST(QxPriceGraphics, MissingSeriesAndRanges)
{
    QxObjectSmartPtr<QxBar> bar(new QxBar());
    QxObjectSmartPtr<QxCandle> candle(new QxCandle());
    Canvas canvas(8);
    EXPECT_EQ(bar->display(canvas.dc, 0, 2, canvas.xScale, canvas.yScale, false), eSeriesNotAvailable);
    EXPECT_EQ(candle->display(canvas.dc, 0, 2, canvas.xScale, canvas.yScale, false), eSeriesNotAvailable);

    Source s(makeBars({10, 20, 30}, {20, 10, 30}));
    ASSERT_EQ(candle->setup(s.calc.get()), eNoError);
    // Without a scheme a candle draws nothing, with one a range past the
    // bars is refused.
    EXPECT_EQ(candle->display(canvas.dc, 0, 2, canvas.xScale, canvas.yScale, false), eNoError);
    QxObjectSmartPtr<QxPriceObj> price(new QxPriceObj());
    ASSERT_EQ(price->setup(s.calc.get()), eNoError);
    EXPECT_EQ(price->display(canvas.dc, 5, 9, canvas.xScale, canvas.yScale, false), eInvalidIndex);
    EXPECT_EQ(countOther(canvas.image(), wxRect(0, 0, 200, 200), kWhite), 0);
    // The value range spans lows and highs of the bars asked for.
    const QxRange<double> r = price->getDataRange(0, 1);
    EXPECT_DOUBLE_EQ(r.lower, 9.0);
    EXPECT_DOUBLE_EQ(r.upper, 21.0);
}

TEST(QxPriceGraphics, TypesSelectTheShownDrawable)
{
    Source s(makeBars({10, 20, 30, 25}, {20, 10, 30, 28}));
    QxObjectSmartPtr<QxPriceObj> price(new QxPriceObj());
    EXPECT_EQ(price->getType(), Qx::ePriceCandles);
    EXPECT_EQ(price->activeDrawable(), static_cast<QxDrawable*>(price->candleDrawable()));

    price->setType(Qx::ePriceNone);
    price->selectPriceDrawable();
    EXPECT_EQ(price->activeDrawable(), nullptr);
    EXPECT_EQ(price->setup(s.calc.get()), eNoError);
    Canvas none(10, 4);
    EXPECT_EQ(price->display(none.dc, 0, 3, none.xScale, none.yScale, false), eNoError);
    EXPECT_EQ(countOther(none.image(), wxRect(0, 0, 200, 200), kWhite), 0);

    price->setType(static_cast<Qx::QxPriceObjType>(9)); // keeps what is shown
    price->selectPriceDrawable();
    EXPECT_EQ(price->activeDrawable(), nullptr);

    price->setType(Qx::ePriceLine);
    price->selectPriceDrawable();
    ASSERT_EQ(price->setup(s.calc.get()), eNoError);
    wxColour lineColour;
    price->lineDrawable()->getColorScheme()->getColor(QxAtom("COLOR"), lineColour);
    EXPECT_EQ(lineColour, price->getConfig().lineColor);
    Canvas line(10, 4);
    EXPECT_EQ(price->display(line.dc, 0, 3, line.xScale, line.yScale, false), eNoError);
    EXPECT_GT(countNear(line.image(), wxRect(0, 0, 200, 200), price->getConfig().lineColor), 20);

    price->setType(Qx::ePriceBars);
    price->selectPriceDrawable();
    QxPriceObjConfiguration config = price->getConfig();
    config.barUpColor = wxColour(0, 0, 255);
    config.barDownColor = wxColour(255, 0, 255);
    price->setConfig(config);
    ASSERT_EQ(price->setup(s.calc.get()), eNoError);
    Canvas bars(10, 4);
    EXPECT_EQ(price->display(bars.dc, 0, 3, bars.xScale, bars.yScale, false), eNoError);
    const wxImage img = bars.image();
    EXPECT_GT(countNear(img, wxRect(bars.x(0) - 1, 0, 3, 200), config.barUpColor, 0), 5);
    EXPECT_GT(countNear(img, wxRect(bars.x(1) - 1, 0, 3, 200), config.barDownColor, 0), 5);
}

TEST(QxPriceGraphics, PriceIndicatorCarriesOneIndependentGraphic)
{
    QxObjectSmartPtr<QxPrice> price(new QxPrice());
    EXPECT_EQ(price->getName().string(), "PRICE");
    EXPECT_EQ(price->getGroup().string(), "BASIC");
    EXPECT_EQ(price->getPlacement(), 1);
    EXPECT_EQ(price->inputInfos().size(), 6u);
    EXPECT_TRUE(price->outputInfos().empty());
    EXPECT_EQ(price->getDisplayName(), "PRICE");
    for (bool create : {false, true}) {
        ASSERT_EQ(price->drawables(create).size(), 1u);
        EXPECT_EQ(price->drawables(create)[0].get(), static_cast<QxDrawable*>(price->priceObj()));
    }
    price->setDrawables({});
    EXPECT_EQ(price->drawables(false).size(), 1u);
    wxXmlNode parent(wxXML_ELEMENT_NODE, "Indicators");
    EXPECT_EQ(price->toXml(&parent, 7), nullptr);
    EXPECT_EQ(parent.GetChildren(), nullptr);

    price->priceObj()->setType(Qx::ePriceBars);
    price->priceObj()->selectPriceDrawable();
    QxObjectSmartPtr<QxIndicator> copy(price->clone(7));
    auto* copied = dynamic_cast<QxPrice*>(copy.get());
    ASSERT_NE(copied, nullptr);
    ASSERT_NE(copied->priceObj(), price->priceObj());
    EXPECT_EQ(copied->priceObj()->getType(), Qx::ePriceBars);
    EXPECT_EQ(copied->priceObj()->getConfig(), price->priceObj()->getConfig());
    // Colour schemes are its own: colouring one chart does not colour another.
    EXPECT_NE(copied->priceObj()->candleDrawable()->getColorScheme(),
              price->priceObj()->candleDrawable()->getColorScheme());
    EXPECT_EQ(copied->priceObj()->candleDrawable()->getColorScheme(),
              copied->priceObj()->barDrawable()->getColorScheme());
    copied->priceObj()->setType(Qx::ePriceLine);
    EXPECT_EQ(price->priceObj()->getType(), Qx::ePriceBars);
}

TEST(QxPriceGraphics, VolumeGraphicColours)
{
    Source s(makeBars({10, 20, 30}, {20, 10, 30}), 4102);
    QxObjectSmartPtr<QxVolume> volume(new QxVolume());
    EXPECT_EQ(volume->getName().string(), "VOLUME");
    EXPECT_EQ(volume->getPlacement(), 2);
    ASSERT_EQ(volume->inputInfos(), std::vector<uint32_t>{QxSeriesId::eSeriesVolume});
    QxVolumeObj* graphic = volume->volumeObj();
    EXPECT_EQ(graphic->getSeries(QxAtom("DATA")).kind(), uint32_t(QxSeriesId::eSeriesVolume));
    EXPECT_EQ(graphic->getColorScheme(), nullptr);
    ASSERT_EQ(volume->setupDrawables(s.calc.get()), eNoError);
    QxColorScheme* scheme = graphic->getColorScheme();
    ASSERT_NE(scheme, nullptr);
    EXPECT_EQ(scheme->getName().string(), "PriceColorScheme");
    EXPECT_EQ(scheme->colorAt(0), graphic->priceUpColor());
    EXPECT_EQ(scheme->colorAt(1), graphic->priceDownColor());
    EXPECT_EQ(scheme->colorAt(2), graphic->priceDownColor()); // a doji counts as falling
    const QxRange<double> r = graphic->getDataRange(0, 2);
    EXPECT_DOUBLE_EQ(r.lower, 1000.0);
    EXPECT_DOUBLE_EQ(r.upper, 1002.0);

    // A second setup keeps the scheme; equal colours give one colour.
    ASSERT_EQ(graphic->setup(s.calc.get()), eNoError);
    EXPECT_EQ(graphic->getColorScheme(), scheme);
    graphic->setColours(wxColour(9, 9, 9), wxColour(9, 9, 9));
    ASSERT_EQ(graphic->setup(s.calc.get()), eNoError);
    ASSERT_NE(graphic->getColorScheme(), scheme);
    EXPECT_TRUE(graphic->getColorScheme()->isUniform());
    EXPECT_EQ(graphic->getColorScheme()->colorAt(0), wxColour(9, 9, 9));

    QxObjectSmartPtr<QxIndicator> copy(volume->clone(7));
    auto* copied = dynamic_cast<QxVolume*>(copy.get());
    ASSERT_NE(copied, nullptr);
    EXPECT_NE(copied->volumeObj(), graphic);
    EXPECT_EQ(copied->volumeObj()->priceUpColor(), wxColour(9, 9, 9));
    EXPECT_EQ(copied->volumeObj()->getSeries(QxAtom("DATA")).kind(), uint32_t(QxSeriesId::eSeriesVolume));
}
