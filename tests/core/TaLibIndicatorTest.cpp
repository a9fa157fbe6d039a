// The indicator bridge over the function set: the lists taken from the
// function records, parameters, placement, the alignment of computed
// outputs, ADX's directional lines, cloning and the parameter XML.
#include "support/CalcFakes.h"

#include "core/QxErrorCode.h"
#include "core/TaLibIndicator.h"
#include "core/ta/QxTaFunctionSet.h"

#include <gtest/gtest.h>
#include <wx/sstream.h>
#include <wx/xml/xml.h>

#include <cmath>
#include <limits>
#include <vector>

using IndPtr = QxObjectSmartPtr<QxIndicator>;

namespace {

IndPtr make(const char* name)
{
    const TA_FuncHandle* handle = nullptr;
    EXPECT_EQ(QxTaFunctionSet::getFuncHandle(name, &handle), TA_SUCCESS) << name;
    return IndPtr(new TaLibIndicator(handle));
}

std::vector<std::string> names(const std::vector<QxAtom>& atoms)
{
    std::vector<std::string> out;
    for (const QxAtom& a : atoms)
        out.push_back(a.string().ToStdString());
    return out;
}

// Output arrays as the calculation cache hands them: every bar, base 0,
// filled with a sentinel so that unwritten values show.
struct Outputs {
    Outputs(size_t count, int32_t bars) : buffers(count, std::vector<double>(bars, -12345.0))
    {
        for (auto& b : buffers)
            series.emplace_back(0, bars - 1, 0, b.data());
    }
    std::vector<std::vector<double>> buffers;
    std::vector<QxSeries> series;
};

std::vector<double> ramp(int32_t n, double start = 10.0)
{
    std::vector<double> v(n);
    for (int32_t i = 0; i < n; ++i)
        v[i] = start + std::sin(i * 0.3) * 5.0 + i * 0.1;
    return v;
}

double mean(const std::vector<double>& v, int32_t from, int32_t to)
{
    double sum = 0;
    for (int32_t i = from; i <= to; ++i)
        sum += v[i];
    return sum / (to - from + 1);
}

} // namespace

TEST(TaLibIndicator, NameGroupAndDescriptionComeFromTheRecord)
{
    IndPtr bb = make("BBANDS");
    EXPECT_EQ(bb->getName(), "BBANDS");
    EXPECT_EQ(bb->getGroup(), "Overlap Studies");
    EXPECT_EQ(bb->getDescription(), "Bollinger Bands");
    EXPECT_EQ(make("STX")->getDescription(), "Velra Trend Index");

    IndPtr unknown(new TaLibIndicator(nullptr));
    EXPECT_TRUE(unknown->getName().isNull());
    EXPECT_TRUE(unknown->inputInfos().empty());
    EXPECT_TRUE(unknown->outputInfos().empty());
}

TEST(TaLibIndicator, OutputNames)
{
    const struct {
        const char* function;
        std::vector<std::string> outputs;
    } cases[] = {
        {"ADX", {"ADX", "+DI", "-DI"}},
        {"MACD", {"MACD", "MACDSignal", "MACDHist"}},
        {"BBANDS", {"UpperBand", "MiddleBand", "LowerBand"}},
        {"AROON", {"AroonDown", "AroonUp"}},
        {"RSI", {"RSI"}},
        {"SMA", {"SMA"}},
        {"STX", {"STX"}},
        {"BOP", {"BOPHist"}},
        {"MAMA", {"MAMA", "FAMA"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(names(make(c.function)->outputInfos()), c.outputs) << c.function;
}

TEST(TaLibIndicator, InputKinds)
{
    const uint32_t H = QxSeriesId::eSeriesHigh, L = QxSeriesId::eSeriesLow, C = QxSeriesId::eSeriesClose,
                   V = QxSeriesId::eSeriesVolume, S = QxSeriesId::eSeriesIndicator;
    const struct {
        const char* function;
        std::vector<uint32_t> kinds;
    } cases[] = {
        {"STOCH", {H, L, C}}, {"ADX", {H, L, C}}, {"OBV", {S, V}}, {"MAVP", {S, S}}, {"SMA", {S}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(make(c.function)->inputInfos(), c.kinds) << c.function;
}

TEST(TaLibIndicator, DefaultParametersAndTheirTypes)
{
    IndPtr bb = make("BBANDS");
    const std::vector<QxParamInfo>& p = bb->defaultParamInfos();
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[0].name, "Time Period");
    EXPECT_EQ(p[0].value, QxValue(int32_t(20)));
    EXPECT_EQ(p[1].name, "Deviations up");
    EXPECT_EQ(p[1].value, QxValue(2.0));
    EXPECT_EQ(p[2].value, QxValue(2.0));
    EXPECT_EQ(p[3].name, "MA Type");
    EXPECT_EQ(p[3].value, QxValue(int32_t(0)));
    EXPECT_FALSE(p[0].text.empty());
    // Clones share their indicator's list; another instance of the function
    // reads the same values from the function's record.
    IndPtr copy(bb->clone(0));
    EXPECT_EQ(&copy->defaultParamInfos(), &p);
    IndPtr another = make("BBANDS");
    const std::vector<QxParamInfo>& other = another->defaultParamInfos();
    ASSERT_EQ(other.size(), p.size());
    for (size_t i = 0; i < p.size(); ++i) {
        EXPECT_EQ(other[i].name, p[i].name);
        EXPECT_EQ(other[i].value, p[i].value);
    }
}

TEST(TaLibIndicator, SetParamTakesTheDefaultsFirstAndChecksIndexAndType)
{
    IndPtr proto = make("SMA");
    IndPtr sma(proto->clone(QxIndicator::eCloneParams));
    EXPECT_EQ(sma->setParam(0, QxValue(int32_t(20))), eNoError);
    ASSERT_EQ(sma->paramInfos().size(), 1u);
    EXPECT_EQ(sma->paramInfos()[0].value, QxValue(int32_t(20)));
    EXPECT_EQ(sma->paramInfos()[0].name, "Time Period");

    EXPECT_EQ(sma->setParam(0, QxValue(20.0)), eTypeMismatch);
    EXPECT_EQ(sma->setParam(2, QxValue(int32_t(5))), eInvalidIndex);
    EXPECT_EQ(sma->setParam(1, QxValue(int32_t(5))), eInvalidIndex);
    EXPECT_EQ(sma->paramInfos()[0].value, QxValue(int32_t(20)));
    // No range check here: the call reports it.
    EXPECT_EQ(sma->setParam(0, QxValue(int32_t(-3))), eNoError);
    // The prototype was not touched.
    EXPECT_EQ(proto->paramInfos()[0].value, QxValue(int32_t(30)));
}

TEST(TaLibIndicator, Placement)
{
    IndPtr smaClose = make("SMA");
    smaClose->setInputSeries(0, QxSeriesId(QxSeriesId::eSeriesClose));
    IndPtr rsi = make("RSI");
    IndPtr smaRsi = make("SMA");
    smaRsi->setInputSeries(0, QxSeriesId(rsi.get(), 0));
    IndPtr emaSma = make("EMA");
    emaSma->setInputSeries(0, QxSeriesId(smaClose.get(), 0));

    EXPECT_EQ(smaClose->getPlacement(), QxIndicator::ePlaceOverPrice);
    EXPECT_EQ(make("SMA")->getPlacement(), QxIndicator::ePlaceOverPrice);
    EXPECT_EQ(rsi->getPlacement(), QxIndicator::ePlaceOwnZone);
    EXPECT_EQ(smaRsi->getPlacement(), QxIndicator::ePlaceOwnZone);
    EXPECT_EQ(emaSma->getPlacement(), QxIndicator::ePlaceOverPrice);
    EXPECT_EQ(make("BBANDS")->getPlacement(), QxIndicator::ePlaceOverPrice);
    EXPECT_EQ(make("SAR")->getPlacement(), QxIndicator::ePlaceOverPrice);
    EXPECT_EQ(make("TYPPRICE")->getPlacement(), QxIndicator::ePlaceOverPrice);
    EXPECT_EQ(make("OBV")->getPlacement(), QxIndicator::ePlaceOwnZone);
    EXPECT_EQ(make("MACD")->getPlacement(), QxIndicator::ePlaceOwnZone);
}

TEST(TaLibIndicator, SmaIsAlignedToItsBars)
{
    const std::vector<double> close = ramp(100);
    IndPtr sma = make("SMA");
    ASSERT_EQ(sma->paramInfos()[0].value, QxValue(int32_t(30)));

    Outputs out(1, 100);
    ASSERT_EQ(sma->compute({QxSeries(0, 99, 0, const_cast<double*>(close.data()))}, out.series), eNoError);
    const QxSeries& s = out.series[0];
    EXPECT_EQ(s.first, 29);
    EXPECT_EQ(s.base, 29);
    EXPECT_EQ(s.last, 99);
    EXPECT_NEAR(s.values[0], mean(close, 0, 29), 1e-9);
    for (int32_t i = s.first; i <= s.last; ++i)
        ASSERT_NEAR(*s.at(i), mean(close, i - 29, i), 1e-9) << i;
}

TEST(TaLibIndicator, AnInputStartingLaterShiftsTheFirstBar)
{
    const std::vector<double> close = ramp(100);
    IndPtr sma = make("SMA");

    // The same bars 10..99, once in an array of every bar and once in an
    // array that starts at bar 10.
    const std::vector<double> tail(close.begin() + 10, close.end());
    const QxSeries inputs[] = {QxSeries(10, 99, 0, const_cast<double*>(close.data())),
                               QxSeries(10, 99, 10, const_cast<double*>(tail.data()))};
    for (const QxSeries& in : inputs) {
        Outputs out(1, 100);
        ASSERT_EQ(sma->compute({in}, out.series), eNoError);
        const QxSeries& s = out.series[0];
        EXPECT_EQ(s.first, 39);
        EXPECT_EQ(s.base, 39);
        EXPECT_EQ(s.last, 99);
        EXPECT_NEAR(*s.at(39), mean(close, 10, 39), 1e-9);
        EXPECT_NEAR(*s.at(99), mean(close, 70, 99), 1e-9);
    }

    // Two inputs: the later first and the earlier last make the window.
    IndPtr mavp = make("MAVP");
    ASSERT_EQ(mavp->setParam(0, QxValue(int32_t(2))), eNoError); // shortest period
    ASSERT_EQ(mavp->setParam(1, QxValue(int32_t(5))), eNoError); // longest period
    std::vector<double> periods(100, 3.0);
    Outputs out(1, 100);
    ASSERT_EQ(mavp->compute({QxSeries(5, 99, 0, const_cast<double*>(close.data())),
                             QxSeries(12, 90, 0, periods.data())},
                            out.series),
              eNoError);
    const QxSeries& s = out.series[0];
    EXPECT_EQ(s.first, 12 + 4); // lookback of the longest period
    EXPECT_EQ(s.last, 90);
    EXPECT_NEAR(*s.at(20), mean(close, 18, 20), 1e-9);
}

TEST(TaLibIndicator, NothingToComputeGivesEmptyOutputsAndSuccess)
{
    const std::vector<double> close = ramp(100);
    double* data = const_cast<double*>(close.data());
    IndPtr bad = make("SMA");
    ASSERT_EQ(bad->setParam(0, QxValue(int32_t(0))), eNoError); // below the function's range

    const struct {
        const char* what;
        IndPtr indicator;
        QxSeries input;
    } cases[] = {
        {"too few bars", make("SMA"), QxSeries(0, 19, 0, data)},
        {"bad period", bad, QxSeries(0, 99, 0, data)},
        {"empty input", make("SMA"), QxSeries(0, -1, 0, data)},
        {"input without values", make("SMA"), QxSeries(0, 99, 0, nullptr)},
        {"failed input", make("SMA"), QxSeries(-1, 0, 0, nullptr)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Outputs out(1, 100);
        EXPECT_EQ(c.indicator->compute({c.input}, out.series), eNoError);
        EXPECT_EQ(out.series[0].first, 1);
        EXPECT_EQ(out.series[0].last, 0);
        EXPECT_TRUE(out.series[0].empty());
        EXPECT_EQ(out.buffers[0][0], -12345.0);
    }

    // An output array that could not hold the window is not written to.
    IndPtr sma = make("SMA");
    Outputs shortOut(1, 50);
    EXPECT_EQ(sma->compute({QxSeries(0, 99, 0, data)}, shortOut.series), eNoError);
    EXPECT_TRUE(shortOut.series[0].empty());
    EXPECT_EQ(shortOut.buffers[0][49], -12345.0);
}

TEST(TaLibIndicator, AdxAddsTheDirectionalLines)
{
    const int32_t n = 120;
    const std::vector<double> close = ramp(n, 50.0);
    std::vector<double> high(close), low(close);
    for (int32_t i = 0; i < n; ++i) {
        high[i] += 1.0 + std::fabs(std::cos(i * 0.7));
        low[i] -= 1.0 + std::fabs(std::sin(i * 0.4));
    }
    // Prices from bar 5 on.
    const std::vector<QxSeries> inputs = {QxSeries(5, n - 1, 0, high.data()), QxSeries(5, n - 1, 0, low.data()),
                                          QxSeries(5, n - 1, 0, const_cast<double*>(close.data()))};
    IndPtr adx = make("ADX");
    Outputs out(3, n);
    ASSERT_EQ(adx->compute(inputs, out.series), eNoError);

    const int period = 14;
    const int window = n - 1 - 5;
    std::vector<double> direct(n);
    int beg = 0, nb = 0;
    ASSERT_EQ(QxTaFunctionSet::plusDI(0, window, &high[5], &low[5], &close[5], period, &beg, &nb, direct.data()),
              TA_SUCCESS);
    EXPECT_EQ(out.series[1].first, 5 + beg);
    EXPECT_EQ(out.series[1].base, 5 + beg);
    EXPECT_EQ(out.series[1].last, n - 1);
    for (int j = 0; j < nb; ++j)
        ASSERT_DOUBLE_EQ(*out.series[1].at(5 + beg + j), direct[j]);
    ASSERT_EQ(QxTaFunctionSet::minusDI(0, window, &high[5], &low[5], &close[5], period, &beg, &nb, direct.data()),
              TA_SUCCESS);
    EXPECT_EQ(out.series[2].first, 5 + beg);
    for (int j = 0; j < nb; ++j)
        ASSERT_DOUBLE_EQ(*out.series[2].at(5 + beg + j), direct[j]);
    // ADX itself needs twice the period.
    EXPECT_EQ(out.series[0].first, 5 + 2 * period - 1);
    EXPECT_GT(out.series[0].first, out.series[1].first);

    // A directional line that cannot be had is empty rather than whatever
    // its array held; the other lines stand.
    Outputs partial(3, n);
    partial.series[1].values = nullptr;
    ASSERT_EQ(adx->compute(inputs, partial.series), eNoError);
    EXPECT_TRUE(partial.series[1].empty());
    EXPECT_FALSE(partial.series[0].empty());
    EXPECT_FALSE(partial.series[2].empty());

    // ADX failing leaves all three empty.
    Outputs none(3, n);
    const std::vector<QxSeries> few = {QxSeries(0, 10, 0, high.data()), QxSeries(0, 10, 0, low.data()),
                                       QxSeries(0, 10, 0, const_cast<double*>(close.data()))};
    ASSERT_EQ(adx->compute(few, none.series), eNoError);
    for (const QxSeries& s : none.series)
        EXPECT_TRUE(s.empty());
}

TEST(TaLibIndicator, IntegerOutputsArriveAsDoubles)
{
    // A trending then choppy series, and candles with doji among them.
    const int32_t n = 400;
    std::vector<double> open(n), high(n), low(n), close(n);
    for (int32_t i = 0; i < n; ++i) {
        const double mid = 100 + 20 * std::sin(i * 0.05) + (i % 7) * 0.3;
        open[i] = mid + ((i % 3) == 0 ? 0.0 : (i % 2 ? 1.5 : -1.5));
        close[i] = (i % 3) == 0 ? open[i] : mid;
        high[i] = std::max(open[i], close[i]) + 1.0;
        low[i] = std::min(open[i], close[i]) - 1.0;
    }
    IndPtr trend = make("HT_TRENDMODE");
    Outputs t(1, n);
    ASSERT_EQ(trend->compute({QxSeries(0, n - 1, 0, close.data())}, t.series), eNoError);
    ASSERT_FALSE(t.series[0].empty());
    bool sawOne = false, sawZero = false;
    for (int32_t i = t.series[0].first; i <= t.series[0].last; ++i) {
        const double v = *t.series[0].at(i);
        ASSERT_TRUE(v == 0.0 || v == 1.0) << v;
        (v == 1.0 ? sawOne : sawZero) = true;
    }
    EXPECT_TRUE(sawOne);
    EXPECT_TRUE(sawZero);

    IndPtr doji = make("CDLDOJI");
    ASSERT_EQ(doji->inputInfos().size(), 4u);
    Outputs d(1, n);
    ASSERT_EQ(doji->compute({QxSeries(0, n - 1, 0, open.data()), QxSeries(0, n - 1, 0, high.data()),
                             QxSeries(0, n - 1, 0, low.data()), QxSeries(0, n - 1, 0, close.data())},
                            d.series),
              eNoError);
    ASSERT_FALSE(d.series[0].empty());
    int hits = 0;
    for (int32_t i = d.series[0].first; i <= d.series[0].last; ++i) {
        const double v = *d.series[0].at(i);
        ASSERT_TRUE(v == 0.0 || v == 100.0 || v == -100.0) << v;
        hits += v != 0.0;
    }
    EXPECT_GT(hits, 0);
}

TEST(TaLibIndicator, CloneCarriesWhatTheFlagsAsk)
{
    IndPtr proto = make("SMA");
    IndPtr fresh(proto->clone(QxIndicator::eCloneParams));
    EXPECT_EQ(fresh->getName(), "SMA");
    EXPECT_EQ(fresh->getDescription(), proto->getDescription());

    IndPtr rsi = make("RSI");
    rsi->setParam(0, QxValue(int32_t(9)));
    IndPtr sma = make("SMA");
    sma->setParam(0, QxValue(int32_t(12)));
    sma->setInputSeries(0, QxSeriesId(rsi.get(), 0));

    IndPtr plain(sma->clone(0));
    EXPECT_EQ(plain->paramInfos()[0].value, QxValue(int32_t(30))); // defaults
    EXPECT_FALSE(plain->getInputSeries(0).isValid());

    IndPtr withInputs(sma->clone(QxIndicator::eCloneParams | QxIndicator::eCloneInputs));
    EXPECT_EQ(withInputs->paramInfos()[0].value, QxValue(int32_t(12)));
    const QxSeriesId& in = withInputs->getInputSeries(0);
    ASSERT_TRUE(in.isValid());
    EXPECT_NE(in.indicator(), rsi.get()); // a private copy of the input graph
    EXPECT_TRUE(in.indicator()->isEquivalent(rsi.get()));
    EXPECT_TRUE(withInputs->isEquivalent(sma.get()));

    // Both series inputs of MAVP come along, naming one shared clone.
    IndPtr mavp = make("MAVP");
    mavp->setInputSeries(0, QxSeriesId(rsi.get(), 0));
    mavp->setInputSeries(1, QxSeriesId(rsi.get(), 0));
    IndPtr mavpCopy(mavp->clone(QxIndicator::eCloneParams | QxIndicator::eCloneInputs));
    ASSERT_TRUE(mavpCopy->getInputSeries(1).isValid());
    EXPECT_EQ(mavpCopy->getInputSeries(0).indicator(), mavpCopy->getInputSeries(1).indicator());
    EXPECT_NE(mavpCopy->getInputSeries(1).indicator(), rsi.get());

    // A price field input is copied as it is.
    IndPtr overClose = make("SMA");
    overClose->setInputSeries(0, QxSeriesId(QxSeriesId::eSeriesHigh));
    IndPtr overCloseCopy(overClose->clone(QxIndicator::eCloneInputs));
    EXPECT_EQ(overCloseCopy->getInputSeries(0).kind(), QxSeriesId::eSeriesHigh);
}

TEST(TaLibIndicator, ClonedDrawablesPaintTheClone)
{
    using namespace calctest;
    IndPtr rsi = make("RSI");
    IndPtr sar = make("SAR");
    IndPtr sma = make("SMA");
    sma->setInputSeries(0, QxSeriesId(rsi.get(), 0));
    {
        QxObjectSmartPtr<QxDrawable> own(new LineDrawable);
        own->setSeries(QxAtom("DATA"), QxSeriesId(sma.get(), 0));
        QxObjectSmartPtr<QxColorScheme> scheme(new MarkScheme);
        scheme->setSeries(QxAtom("SAR"), QxSeriesId(sar.get(), 0));
        own->setColorScheme(scheme.get());
        QxObjectSmartPtr<QxDrawable> ofInput(new LineDrawable);
        ofInput->setSeries(QxAtom("DATA"), QxSeriesId(rsi.get(), 0));
        QxObjectSmartPtr<QxDrawable> unbound(new LineDrawable);
        sma->setDrawables({own, ofInput, unbound});
    }

    IndPtr copy(sma->clone(QxIndicator::eCloneParams | QxIndicator::eCloneDrawables | QxIndicator::eCloneInputs));
    const QxDrawableList& list = copy->drawables(false);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_NE(list[0].get(), sma->drawables(false)[0].get());
    EXPECT_EQ(list[0]->getSeries(QxAtom("DATA")).indicator(), copy.get());
    // The scheme is the copy's own, its series re-pointed to a clone.
    QxColorScheme* scheme = list[0]->getColorScheme();
    ASSERT_NE(scheme, nullptr);
    EXPECT_NE(scheme, sma->drawables(false)[0]->getColorScheme());
    ASSERT_TRUE(scheme->getSeries(QxAtom("SAR")).isValid());
    EXPECT_NE(scheme->getSeries(QxAtom("SAR")).indicator(), sar.get());
    // A drawable of the input's output follows the same clone as the input.
    EXPECT_EQ(list[1]->getSeries(QxAtom("DATA")).indicator(), copy->getInputSeries(0).indicator());
    EXPECT_FALSE(list[2]->getSeries(QxAtom("DATA")).isValid());

    // Released by everyone else, the copy and its drawables go (the
    // leak check of the test run sees to the rest).
    copy.reset();
    sma->setDrawables(QxDrawableList());
    EXPECT_EQ(LineDrawable::alive, 0);
}

TEST(TaLibIndicator, ParameterXml)
{
    IndPtr bb = make("BBANDS");
    bb->setParam(0, QxValue(int32_t(25)));
    bb->setParam(2, QxValue(1.5));

    wxXmlNode root(wxXML_ELEMENT_NODE, "Root");
    wxXmlNode* element = bb->toXml(&root, QxIndicator::eXmlParams);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->GetName(), "BBANDS");
    EXPECT_EQ(root.GetChildren(), element);
    const wxXmlNode* list = element->GetChildren();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetName(), "OptionalParameters");
    EXPECT_EQ(list->GetNext(), nullptr);
    const char* expected[][2] = {
        {"Time Period", "25L"}, {"Deviations up", "2.000000D"}, {"Deviations down", "1.500000D"}, {"MA Type", "0L"}};
    const wxXmlNode* p = list->GetChildren();
    for (const auto& e : expected) {
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->GetName(), "OptParam");
        EXPECT_EQ(p->GetAttribute("Name"), e[0]);
        EXPECT_EQ(p->GetAttribute("Value"), e[1]);
        p = p->GetNext();
    }
    EXPECT_EQ(p, nullptr);

    IndPtr back(make("BBANDS")->clone(QxIndicator::eCloneParams));
    EXPECT_EQ(back->fromXml(element), eNoError);
    EXPECT_TRUE(back->isEquivalent(bb.get()));

    EXPECT_EQ(bb->toXml(nullptr, QxIndicator::eXmlParams), nullptr);
}

TEST(TaLibIndicator, ParameterXmlReaderSkipsWhatItCannotUse)
{
    const char* text =
        "<SMA><optionalparameters>"
        "<OptParam Name=\"Time Period\" Value=\"\"/>"
        "<OptParam Value=\"7L\"/>"
        "<OptParam Name=\"Time Period\"/>"
        "<OptParam Name=\"No Such\" Value=\"3L\"/>"
        "<OptParam Name=\"Time Period\" Value=\"abc\"/>"
        "<OptParam Name=\"Time Period\" Value=\"14.6D\"/>"
        "</optionalparameters></SMA>";
    wxStringInputStream in(text);
    wxXmlDocument doc;
    ASSERT_TRUE(doc.Load(in));
    IndPtr sma = make("SMA");
    EXPECT_EQ(sma->fromXml(doc.GetRoot()), eNoError);
    // Only the last parameter was usable: a double converted to the
    // parameter's integer type.
    EXPECT_EQ(sma->paramInfos()[0].value, QxValue(int32_t(14)));

    IndPtr untouched = make("SMA");
    wxXmlNode bare(wxXML_ELEMENT_NODE, "SMA");
    EXPECT_EQ(untouched->fromXml(&bare), eNoError);
    EXPECT_EQ(untouched->paramInfos()[0].value, QxValue(int32_t(30)));
}
