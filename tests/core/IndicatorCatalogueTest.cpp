// The indicator registry with its codes, and the catalogue it is filled
// from at start-up: which functions it holds, in which order, and that each
// of them computes over a long real history what a direct call of the
// function set computes.
#include "support/CalcFakes.h"

#include "app/QxIndicatorRegistry.h"
#include "core/QxCalculator.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxErrorCode.h"
#include "core/TaLibIndicator.h"
#include "core/ta/QxTaFunctionSet.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using IndPtr = QxObjectSmartPtr<QxIndicator>;

namespace {

const std::vector<std::pair<std::string, std::vector<std::string>>> kCatalogue = {
    {"Overlap Studies",
     {"ACCBANDS", "BBANDS", "DEMA", "EMA", "HT_TRENDLINE", "KAMA", "MA", "MAMA", "MAVP", "MIDPOINT", "MIDPRICE",
      "SAR", "SAREXT", "SMA", "T3", "TEMA", "TRIMA", "WMA"}},
    {"Volatility Indicators", {"ATR", "NATR"}},
    {"Momentum Indicators",
     {"ADX", "ADXR", "APO", "AROON", "AROONOSC", "BOP", "CCI", "CMO", "MACD", "MACDEXT", "MFI", "MOM", "PPO",
      "ROC", "ROCP", "ROCR", "ROCR100", "RSI", "STOCH", "STOCHF", "STOCHRSI", "STX", "TRIX", "ULTOSC", "WILLR"}},
    {"Cycle Indicators", {"HT_DCPERIOD", "HT_DCPHASE", "HT_PHASOR", "HT_SINE", "HT_TRENDMODE"}},
    {"Volume Indicators", {"AD", "ADOSC", "NVI", "OBV", "PVI"}},
    {"Price Transform", {"AVGPRICE", "MEDPRICE", "TYPPRICE", "WCLPRICE"}},
};

std::vector<std::string> strings(const std::vector<QxAtom>& atoms)
{
    std::vector<std::string> out;
    for (const QxAtom& a : atoms)
        out.push_back(a.string().ToStdString());
    return out;
}

class IndicatorRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { QxIndicatorRegistry::destroy(); }
    void TearDown() override { QxIndicatorRegistry::destroy(); }
    QxIndicatorRegistry& reg() { return *QxIndicatorRegistry::instance(); }
};

// A test indicator of any name and group.
class NamedIndicator : public calctest::MeanIndicator {
public:
    NamedIndicator(const char* name, const char* group)
        : MeanIndicator(name, {QxSeriesId::eSeriesClose}, {}, {QxAtom("Out")}), m_group(group)
    {
    }
    QxAtom getGroup() const override { return QxAtom(m_group); }

private:
    const char* m_group;
};

} // namespace

TEST_F(IndicatorRegistryTest, CodesAndGroups)
{
    IndPtr a(new NamedIndicator("REG_A", "Reg Group One"));
    IndPtr a2(new NamedIndicator("REG_A", "Reg Group Two"));
    IndPtr b(new NamedIndicator("REG_B", "Reg Group One"));
    IndPtr noGroup(new NamedIndicator("REG_C", ""));
    IndPtr noName(new NamedIndicator("", "Reg Group One"));

    EXPECT_EQ(reg().addIndicator(a.get()), eNoError);
    EXPECT_EQ(reg().addIndicator(b.get()), eNoError);
    EXPECT_EQ(reg().addIndicator(a2.get()), eIndicatorNameAlreadyExists);
    EXPECT_EQ(reg().getIndicator(QxAtom("REG_A")), a.get());
    EXPECT_EQ(reg().addIndicator(noGroup.get()), eInvalidIndicatorGroupName);
    EXPECT_EQ(reg().getIndicator(QxAtom("REG_C")), nullptr);
    EXPECT_EQ(reg().addIndicator(noName.get()), eInvalidIndicatorName);
    // Refused indicators got no reference.
    EXPECT_EQ(a2->numRefs(), 1);
    EXPECT_EQ(noGroup->numRefs(), 1);
    EXPECT_EQ(a->numRefs(), 2);

    std::vector<QxAtom> groups{QxAtom("already there")};
    EXPECT_EQ(reg().getIndicatorGroups(groups), eNoError);
    EXPECT_EQ(strings(groups), (std::vector<std::string>{"already there", "Reg Group One"}));

    std::vector<QxAtom> names{QxAtom("kept")};
    EXPECT_EQ(reg().getIndicatorNames(QxAtom("No Such Group"), names), eNoError);
    EXPECT_EQ(strings(names), std::vector<std::string>{"kept"});
    EXPECT_EQ(reg().getIndicatorNames(QxAtom("Reg Group One"), names), eNoError);
    EXPECT_EQ(strings(names), (std::vector<std::string>{"REG_A", "REG_B"}));

    EXPECT_EQ(reg().removeIndicator(QxAtom("REG_X")), eIndicatorNotFound);
    EXPECT_EQ(reg().removeIndicator(QxAtom("REG_A")), eNoError);
    EXPECT_EQ(reg().removeIndicator(QxAtom("REG_B")), eNoError);
    EXPECT_EQ(a->numRefs(), 1);
    groups.clear();
    reg().getIndicatorGroups(groups);
    EXPECT_EQ(strings(groups), std::vector<std::string>{"Reg Group One"});
    reg().getIndicatorNames(QxAtom("Reg Group One"), names);
    EXPECT_TRUE(names.empty());
}

TEST_F(IndicatorRegistryTest, BuiltInCatalogue)
{
    reg().addBuiltInIndicators();

    std::vector<QxAtom> groups;
    reg().getIndicatorGroups(groups);
    EXPECT_EQ(groups.size(), kCatalogue.size());
    size_t total = 0;
    for (const auto& group : kCatalogue) {
        std::vector<QxAtom> names;
        reg().getIndicatorNames(QxAtom(group.first), names);
        EXPECT_EQ(strings(names), group.second) << group.first;
        total += names.size();
        for (const std::string& name : group.second) {
            const QxIndicator* ind = reg().getIndicator(QxAtom(name));
            ASSERT_NE(ind, nullptr) << name;
            EXPECT_EQ(ind->getGroup(), group.first);
            EXPECT_NE(dynamic_cast<const TaLibIndicator*>(ind), nullptr);
        }
    }
    EXPECT_EQ(total, 59u);
    for (const char* absent : {"DX", "RMO", "NVIMA", "TRANGE", "STDDEV", "CDLDOJI", "ADD", "MACDFIX", "PLUS_DI"})
        EXPECT_EQ(reg().getIndicator(QxAtom(absent)), nullptr) << absent;

    // A second registration is refused name by name and changes nothing;
    // the refused prototypes are freed (the leak check would tell).
    const QxIndicator* sma = reg().getIndicator(QxAtom("SMA"));
    reg().addBuiltInIndicators();
    EXPECT_EQ(reg().getIndicator(QxAtom("SMA")), sma);
    std::vector<QxAtom> names;
    reg().getIndicatorNames(QxAtom("Overlap Studies"), names);
    EXPECT_EQ(names.size(), 18u);
}

namespace {

// The function called directly over the whole history with its defaults;
// series inputs take the close. Output k at bar b is out[k][b - begIdx].
struct DirectResult {
    int begIdx = 0;
    int count = 0;
    std::vector<std::vector<double>> out;
};

DirectResult callDirect(const char* name, const QxPriceHistory& h)
{
    DirectResult r;
    const TA_FuncHandle* handle = nullptr;
    const TA_FuncInfo* info = nullptr;
    QxTaParamHolder* holder = nullptr;
    EXPECT_EQ(QxTaFunctionSet::getFuncHandle(name, &handle), TA_SUCCESS);
    EXPECT_EQ(QxTaFunctionSet::getFuncInfo(handle, &info), TA_SUCCESS);
    EXPECT_EQ(QxTaFunctionSet::paramHolderAlloc(handle, &holder), TA_SUCCESS);
    const int n = static_cast<int>(h.numBars());
    for (unsigned i = 0; i < info->nbInput; ++i) {
        const TA_InputParameterInfo* in = nullptr;
        QxTaFunctionSet::getInputParameterInfo(handle, i, &in);
        if (in->type == TA_Input_Price)
            EXPECT_EQ(QxTaFunctionSet::setInputParamPricePtr(holder, i, h.open(), h.high(), h.low(), h.close(),
                                                             h.volume(), h.openInterest()),
                      TA_SUCCESS);
        else
            EXPECT_EQ(QxTaFunctionSet::setInputParamRealPtr(holder, i, h.close()), TA_SUCCESS);
    }
    r.out.assign(info->nbOutput, std::vector<double>(n));
    for (unsigned k = 0; k < info->nbOutput; ++k)
        QxTaFunctionSet::setOutputParamRealPtr(holder, k, r.out[k].data());
    EXPECT_EQ(QxTaFunctionSet::callFunc(holder, 0, n - 1, &r.begIdx, &r.count), TA_SUCCESS);
    QxTaFunctionSet::paramHolderFree(holder);
    return r;
}

} // namespace

TEST_F(IndicatorRegistryTest, EveryCatalogueIndicatorComputesOverARealHistory)
{
    reg().addBuiltInIndicators();
    QxObjectSmartPtr<calctest::MemSecurity> security(new calctest::MemSecurity(4711));
    security->stored = TestSupport::fixtureHistory("orcl-1995-2014.csv", 2000, TestSupport::FixtureBars::eFirst);
    ASSERT_EQ(security->stored->numBars(), 2000u);
    const QxPriceHistory& h = *security->stored;
    {
        QxObjectSmartPtr<QxCalculator> calc(new QxCalculator(security.get()));
        for (const auto& group : kCatalogue) {
            for (const std::string& name : group.second) {
                SCOPED_TRACE(name);
                IndPtr ind(reg().getIndicator(QxAtom(name))->clone(QxIndicator::eCloneParams));
                const DirectResult direct = callDirect(name.c_str(), h);
                ASSERT_GT(direct.count, 0);
                for (unsigned k = 0; k < ind->outputInfos().size(); ++k) {
                    QxSeries s;
                    ASSERT_EQ(calc->getDataSeries(QxSeriesId(ind.get(), k), s), eNoError);
                    ASSERT_FALSE(s.empty()) << "output " << k;
                    EXPECT_EQ(s.last, 1999);
                    if (k >= direct.out.size())
                        continue; // ADX's directional lines, below
                    EXPECT_EQ(s.first, direct.begIdx);
                    for (int32_t bar : {s.first, s.first + 1, (s.first + s.last) / 2, s.last - 7, s.last}) {
                        const double want = direct.out[k][bar - direct.begIdx];
                        const double got = *s.at(bar);
                        ASSERT_TRUE(got == want || (std::isnan(got) && std::isnan(want)))
                            << "output " << k << " bar " << bar << ": " << got << " vs " << want;
                    }
                }
            }
        }

        // ADX's +DI and -DI against the direct calls.
        IndPtr adx(reg().getIndicator(QxAtom("ADX"))->clone(QxIndicator::eCloneParams));
        std::vector<double> direct(2000);
        int beg = 0, nb = 0;
        ASSERT_EQ(QxTaFunctionSet::minusDI(0, 1999, h.high(), h.low(), h.close(), 14, &beg, &nb, direct.data()),
                  TA_SUCCESS);
        QxSeries minus;
        ASSERT_EQ(calc->getDataSeries(QxSeriesId(adx.get(), 2), minus), eNoError);
        EXPECT_EQ(minus.first, beg);
        for (int32_t bar : {beg, 1000, 1999})
            EXPECT_EQ(*minus.at(bar), direct[bar - beg]);
    }
    QxDataChangeReactorMgr::destroy();
}
